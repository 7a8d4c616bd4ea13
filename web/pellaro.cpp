#include "pellaro.h"

#include <dlfcn.h>

#include <cstring>

#include "area_transferencia.h"
#include "moriel32.h"

ResultadoPellaro TraduzirAreaComMotor(const std::string& caminhoMotor)
{
    ResultadoPellaro r;
    // The clipboard first, so that an empty or unreachable one is named as
    // such rather than as a translation of nothing.
    std::string conteudo;
    int erro = 0;
    switch (LerAreaTransferencia(FormatoArea::Texto, &conteudo, &erro)) {
    case EstadoArea::Ok:
        break;
    case EstadoArea::SemDados:
        r.mensagem = QStringLiteral(u"A \u00e1rea de transfer\u00eancia n\u00e3o tem texto");
        return r;
    default:
        r.mensagem = QStringLiteral(u"A \u00e1rea de transfer\u00eancia n\u00e3o est\u00e1 dispon\u00edvel");
        return r;
    }
#ifdef QUILLANE_SANITIZADO
    // Sanitizer builds keep the library mapped, so that leak and error
    // reports can still name its code.
    void* motor = dlopen(caminhoMotor.c_str(), RTLD_NOW | RTLD_LOCAL | RTLD_NODELETE);
#else
    void* motor = dlopen(caminhoMotor.c_str(), RTLD_NOW | RTLD_LOCAL);
#endif
    if (!motor) {
        r.mensagem = QStringLiteral(u"N\u00e3o foi poss\u00edvel carregar o motor de tradu\u00e7\u00e3o");
        return r;
    }
    using Funcao = std::uint8_t (*)(PedidoTraducao*);
    auto traduzir = reinterpret_cast<Funcao>(dlsym(motor, "VertalInglPort"));
    PedidoTraducao p;
    std::memset(&p, 0, sizeof p);
    p.tipo = TIPO_TEXTO;
    p.modo = MODO_AREA_TRANSFERENCIA;
    if (!traduzir || !traduzir(&p)) {
        r.mensagem = QStringLiteral(u"O motor de tradu\u00e7\u00e3o n\u00e3o est\u00e1 pronto");
    } else if (p.tamSaida < 0) {
        // The engine could not read the clipboard again or put the
        // translation on it (it has said why).
        r.mensagem = QStringLiteral(u"A \u00e1rea de transfer\u00eancia n\u00e3o est\u00e1 dispon\u00edvel");
    } else if (p.tamEntrada == 0) {
        // Emptied or taken by another program between the two reads.
        r.mensagem = QStringLiteral(u"A \u00e1rea de transfer\u00eancia n\u00e3o tem texto");
    } else {
        const int conhecidas = p.nConhecidas, desconhecidas = p.nDesconhecidas;
        r.traduzido = true;
        r.mensagem = QStringLiteral(u"\u00c1rea de transfer\u00eancia traduzida: %1 palavra(s) conhecida(s), "
                                    u"%2 desconhecida(s)")
                         .arg(conhecidas)
                         .arg(desconhecidas);
    }
    dlclose(motor);
    return r;
}
