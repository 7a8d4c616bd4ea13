// Drives the HTML translator in stream mode with arbitrary pages handed over
// in chunks of arbitrary sizes, with and without a page address and link
// prefix, and checks that every chunking gives the output of the whole page.
//
// The engine needs its data: QUILLANE_DADOS_DIR names the folder holding
// ip.dic and vip.dic (the build's "quillane" folder); "./quillane" otherwise.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "core/motor.h"
#include "formats/atributos.h"
#include "formats/pedido.h"

namespace {

std::string Traduzir(const std::string& pagina, const std::vector<std::size_t>& tamanhos, bool comEndereco,
                     std::vector<char>& lista)
{
    std::string url = "http://host/dir/p.html";
    std::string prefixo = "http://127.0.0.1:880/";
    std::vector<char> saida(MORIEL_TAM_SAIDA);
    std::vector<char> pedaco;
    PedidoTraducao p{};
    p.tipo = TIPO_HTML;
    p.modo = MODO_FLUXO;
    p.saida = saida.data();
    if (comEndereco) {
        p.urlPagina = url.data();
        p.prefixoLink = prefixo.data();
        p.listaFontes = lista.data();
    }
    std::string resultado;
    std::size_t pos = 0;
    std::size_t i = 0;
    do {
        std::size_t n = tamanhos.empty() ? pagina.size() - pos : tamanhos[i++ % tamanhos.size()];
        if (n > pagina.size() - pos) n = pagina.size() - pos;
        // Exactly chunk-sized copies, so that a read past a chunk is caught.
        pedaco.assign(pagina.begin() + static_cast<long>(pos), pagina.begin() + static_cast<long>(pos + n));
        pos += n;
        p.entrada = n ? pedaco.data() : nullptr;
        p.tamEntrada = static_cast<std::int32_t>(n);
        if (!TraduzirPedido(&p)) break;
        const std::int32_t tam = p.tamSaida;
        if (tam < 0 || tam > MORIEL_TAM_SAIDA) std::abort();
        resultado.append(p.saida, static_cast<std::size_t>(tam));
    } while (p.threadTrabalho);
    return resultado;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* dados, std::size_t tam)
{
    static const bool pronto = [] {
        const char* pasta = std::getenv("QUILLANE_DADOS_DIR");
        if (!IniciarMotor(pasta ? pasta : "quillane", nullptr)) {
            std::fprintf(stderr, "fuzz_html: set QUILLANE_DADOS_DIR to the folder with ip.dic and vip.dic\n");
            std::abort();
        }
        return true;
    }();
    (void)pronto;
    if (tam < 2) return 0;
    // The first byte chooses the chunk sizes and whether addresses are
    // rewritten; the rest is the page.
    const unsigned escolha = dados[0];
    const std::string pagina(reinterpret_cast<const char*>(dados + 1), tam - 1);
    std::vector<std::size_t> tamanhos;
    std::uint32_t estado = escolha * 2654435761u + static_cast<std::uint32_t>(tam);
    for (int i = 0; i < 16; ++i) {
        estado = estado * 1103515245u + 12345u;
        tamanhos.push_back(1 + (estado >> 16) % (1 + (escolha & 0x3F)));
    }
    const bool comEndereco = escolha & 0x40;
    std::vector<char> lista(kTamListaFontes, 0);
    const std::string inteiro = Traduzir(pagina, {}, comEndereco, lista);
    const std::string pedacos = Traduzir(pagina, tamanhos, comEndereco, lista);
    if (inteiro != pedacos) std::abort();
    return 0;
}
