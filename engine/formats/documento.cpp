#include "formats/documento.h"

#include <cerrno>
#include <cstring>

#include "area_transferencia.h"
#include "caracteres.h"
#include "core/motor.h"
#include "core/traducao.h"
#include "mensagens.h"
#include "threads.h"

const char BRANCOS[] = " \r\n\t\v";
const char DELIMITADORES[] = " \r\n\t\v.,;:?!|-=()[]{}/\"\x91\x92\x93\x94'`\xB4<>";
const char FINAIS[] = ".:;?!|=";
const char APOSTROFOS[] = "'`\xB4\x91\x92";
const char INTERNOS[] = "-.:'`\xB4\x91\x92/";

bool NoConjunto(const char* conjunto, int c)
{
    if (c == 0) return true;
    if (c < 0 || c > 0xFF) return false;
    return std::strchr(conjunto, c) != nullptr;
}

clDocumento::clDocumento(PedidoTraducao* p, clSaidaPendente* pend) : pedido(p), pendente(pend)
{
    switch (pedido->modo) {
    case MODO_FLUXO:
        pedido->tamSaida = 0;
        indiceLeitura = 0;
        break;
    case MODO_ARQUIVO:
        arqEntrada = pedido->entrada ? std::fopen(pedido->entrada, "rb") : nullptr;
        if (!arqEntrada) MostrarErro(1, pedido->entrada ? pedido->entrada : "", 0);
        // The output is not created when the input is missing: nothing would
        // be written to it, and an existing file of that name is kept.
        if (arqEntrada) {
            arqSaida = pedido->saida ? std::fopen(pedido->saida, "wb") : nullptr;
            if (!arqSaida) MostrarErro(1, pedido->saida ? pedido->saida : "", 0);
        }
        arquivosOk = arqEntrada && arqSaida;
        break;
    case MODO_AREA_TRANSFERENCIA: {
        pedido->tamSaida = 0;
        pedido->tamEntrada = 0;
        indiceLeitura = 0;
        // HTML keeps characters outside Windows-1252 as references it puts back.
        const FormatoArea formato = pedido->tipo == TIPO_RTF    ? FormatoArea::Rtf
                                    : pedido->tipo == TIPO_HTML ? FormatoArea::Html
                                                                : FormatoArea::Texto;
        if (pedido->tipo > TIPO_RTF) break;
        int erro = 0;
        // Plain text keeps them as placeholders it turns back on writing.
        const EstadoArea estado = pedido->tipo == TIPO_TEXTO
                                      ? LerAreaTransferencia(formato, &areaEntrada, &erro, &reservadosArea)
                                      : LerAreaTransferencia(formato, &areaEntrada, &erro);
        switch (estado) {
        case EstadoArea::Ok:
            formatoArea = formato == FormatoArea::Rtf ? 2 : formato == FormatoArea::Html ? 3 : 1;
            pedido->entrada = areaEntrada.data();
            pedido->tamEntrada = static_cast<std::int32_t>(
                std::min<std::size_t>(areaEntrada.size(), 0x7FFFFFFF));
            break;
        case EstadoArea::Indisponivel:
            // No display or no clipboard tool is not another program
            // holding the clipboard.
            MostrarErro(erro == ENXIO || erro == ENOENT ? 11 : 8, "1", erro);
            areaFalhou = true;
            break;
        case EstadoArea::FormatoDesconhecido:
            MostrarErro(9, nullptr, erro);
            break;
        case EstadoArea::SemDados:
            break;
        }
        break;
    }
    default:
        break;
    }
    topoCaracteres = -1;
}

clDocumento::~clDocumento()
{
    switch (pedido->modo) {
    case MODO_ARQUIVO:
        if (arqEntrada) std::fclose(arqEntrada);
        if (arqSaida) {
            // A translation that did not reach the disk whole is reported,
            // and a negative tamSaida tells the caller.
            const bool falhou = std::ferror(arqSaida) != 0;
            const int erroGravacao = errno;
            if (std::fclose(arqSaida) != 0 || falhou) {
                MostrarErro(12, pedido->saida ? pedido->saida : "", falhou ? erroGravacao : errno);
                pedido->tamSaida = -1;
            }
        }
        break;
    case MODO_AREA_TRANSFERENCIA: {
        bool gravou = true;
        if (pedido->tamEntrada != 0) {
            int erro = 0;
            const FormatoArea formato = formatoArea == 2   ? FormatoArea::Rtf
                                        : formatoArea == 3 ? FormatoArea::Html
                                                           : FormatoArea::Texto;
            gravou = GravarAreaTransferencia(formato, areaSaida, &erro,
                                             formato == FormatoArea::Texto ? &reservadosArea : nullptr);
            if (!gravou) MostrarErro(erro == ENXIO || erro == ENOENT ? 11 : 8, "3", erro);
        }
        // The buffers were the engine's; the caller's block must not keep them.
        pedido->entrada = nullptr;
        pedido->saida = nullptr;
        // A negative tamSaida tells the caller the clipboard failed.
        pedido->tamSaida = areaFalhou || !gravou
                               ? -1
                               : static_cast<std::int32_t>(std::min<std::size_t>(areaSaida.size(), 0x7FFFFFFF));
        break;
    }
    default:
        break;
    }
}

void clDocumento::EntregarAoChamador()
{
    const std::size_t n = std::min(pendente->bytes.size(), kSaidaPorEntrega);
    if (n && pedido->saida) std::memcpy(pedido->saida, pendente->bytes.data(), n);
    pendente->bytes.erase(0, n);
    pedido->tamSaida = static_cast<std::int32_t>(n);
    PostarMensagemThread(pedido->idChamador, MSG_TRADUCAO, 0, 1);
    EsperarMensagem(WM_USER);
    pedido->tamSaida = 0;
    indiceLeitura = 0;
}

void EntregarRestante(PedidoTraducao* pedido, clSaidaPendente* pendente)
{
    while (pedido->saida && pendente->bytes.size() > kSaidaPorEntrega) {
        std::memcpy(pedido->saida, pendente->bytes.data(), kSaidaPorEntrega);
        pendente->bytes.erase(0, kSaidaPorEntrega);
        pedido->tamSaida = static_cast<std::int32_t>(kSaidaPorEntrega);
        PostarMensagemThread(pedido->idChamador, MSG_TRADUCAO, 0, 1);
        EsperarMensagem(WM_USER);
    }
    if (!pedido->saida) pendente->bytes.clear();
    if (!pendente->bytes.empty()) std::memcpy(pedido->saida, pendente->bytes.data(), pendente->bytes.size());
    pedido->tamSaida = static_cast<std::int32_t>(pendente->bytes.size());
    pendente->bytes.clear();
}

int clDocumento::LerCaractere()
{
    if (topoCaracteres >= 0) return pilhaCaracteres[topoCaracteres--];
    switch (pedido->modo) {
    case MODO_ARQUIVO: {
        if (!arqEntrada) return FIM_ENTRADA;
        const int c = std::getc(arqEntrada);
        return c == EOF ? FIM_ENTRADA : c;
    }
    case MODO_AREA_TRANSFERENCIA:
        if (const std::int32_t tam = pedido->tamEntrada; tam > 0 && indiceLeitura < static_cast<std::uint32_t>(tam)) {
            const auto c = static_cast<unsigned char>(pedido->entrada[indiceLeitura++]);
            return c == 0 ? FIM_ENTRADA : c;
        }
        return FIM_ENTRADA;
    case MODO_FLUXO:
        if (pedido->tamEntrada > 0 && indiceLeitura >= static_cast<std::uint32_t>(pedido->tamEntrada))
            EntregarAoChamador();
        if (pedido->tamEntrada <= 0 || !pedido->entrada) return FIM_ENTRADA;
        return static_cast<unsigned char>(pedido->entrada[indiceLeitura++]);
    default:
        return FIM_ENTRADA;
    }
}

void clDocumento::DevolverCaractere(int c)
{
    if (topoCaracteres < 50) pilhaCaracteres[++topoCaracteres] = static_cast<std::int16_t>(c);
}

bool clDocumento::PularConjunto(const char* pular, const char* informar)
{
    bool achou = false;
    int c;
    while ((c = LerCaractere()) != FIM_ENTRADA && NoConjunto(pular, c))
        if (NoConjunto(informar, c)) achou = true;
    DevolverCaractere(c);
    return achou;
}

void clDocumento::CopiarBrancos()
{
    int c;
    while ((c = LerCaractere()) != FIM_ENTRADA) {
        if (!NoConjunto(BRANCOS, c)) {
            DevolverCaractere(c);
            return;
        }
        EscreverCaractere(static_cast<char>(c));
    }
}

void clDocumento::EscreverCaractere(char c)
{
    switch (pedido->modo) {
    case MODO_ARQUIVO:
        if (arqSaida) std::putc(static_cast<unsigned char>(c), arqSaida);
        break;
    case MODO_FLUXO:
        pendente->bytes += c;
        break;
    case MODO_AREA_TRANSFERENCIA:
        areaSaida += c;
        break;
    default:
        break;
    }
}

void clDocumento::EscreverTexto(const char* texto)
{
    switch (pedido->modo) {
    case MODO_ARQUIVO:
        if (arqSaida) std::fputs(texto, arqSaida);
        break;
    case MODO_FLUXO:
        pendente->bytes += texto;
        break;
    case MODO_AREA_TRANSFERENCIA:
        areaSaida += texto;
        break;
    default:
        break;
    }
}

int clDocumento::Executar()
{
    if (pedido->modo == MODO_ARQUIVO && !arquivosOk) return 0;
    if (pedido->modo == MODO_AREA_TRANSFERENCIA && pedido->tamEntrada == 0) return 0;
    clEstatistica estatisticaDoc(pedido);
    estatistica = &estatisticaDoc;
    clArena arena(0x7FFF);
    arenaFrase = &arena;
    clFrase origem(100, &arena);
    clFrase destino(150, &arena);
    int resultado = 0;
    if (Motor().motorPronto.load() && arena.Valida() && origem.Valida() && destino.Valida()) {
        while (LerFrase(origem)) {
            if (EntregarFrase(origem, destino)) {
                EscreverFrase(destino);
            } else {
                // Written as read: every word exactly as it came, capitals too.
                for (int i = 0; i <= origem.Ultimo(); ++i) origem.Obter(i)->aplicarCaixa = 0;
                EscreverFrase(origem);
            }
            EspiarMensagem(256, 264);
            arena.Zerar();
        }
        resultado = 1;
    }
    estatistica = nullptr;
    arenaFrase = nullptr;
    return resultado;
}

bool clDocumento::EntregarFrase(clFrase& origem, clFrase& destino)
{
    EspiarMensagem(0, 0);
    const bool traduzida = arenaFrase && estatistica && TraduzirFrase(origem, destino, *arenaFrase, *estatistica);
    EspiarMensagem(0, 0);
    return traduzida;
}
