// Drives the plain-text translator in stream mode with arbitrary bytes handed
// over in chunks of random sizes, and checks that every chunking writes
// exactly what one chunk holding the whole text writes, and that no hand-over
// claims more than the output buffer, and that no line break is lost or made
// up: the output has exactly as many line feeds as the input.
//
// The engine needs its data: QUILLANE_DADOS_DIR names the folder holding
// ip.dic and vip.dic (the build's "quillane" folder); "./quillane" otherwise.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "core/motor.h"
#include "formats/pedido.h"
#include "mensagens.h"

namespace {

std::string Fluxo(const std::uint8_t* dados, std::size_t tam, std::uint32_t semente, bool inteiro)
{
    PedidoTraducao p{};
    std::vector<char> saida(MORIEL_TAM_SAIDA);
    std::vector<char> pedaco;
    p.tipo = TIPO_TEXTO;
    p.modo = MODO_FLUXO;
    p.saida = saida.data();
    std::string resultado;
    std::size_t pos = 0;
    do {
        std::size_t n = tam - pos;
        if (!inteiro && n) {
            semente = semente * 1103515245u + 12345u;
            // Mostly small chunks, now and then a large one.
            const std::uint32_t r = semente >> 16;
            n = std::min<std::size_t>(n, (r & 0x8000) ? 1 + r % 4099 : 1 + r % 23);
        }
        // Exactly chunk-sized copies, so that a read past a chunk is caught.
        pedaco.assign(dados + pos, dados + pos + n);
        pos += n;
        p.entrada = n ? pedaco.data() : nullptr;
        p.tamEntrada = static_cast<std::int32_t>(n);
        if (!TraduzirPedido(&p)) std::abort();
        const std::int32_t feito = p.tamSaida;
        if (feito < 0 || feito > MORIEL_TAM_SAIDA) std::abort();
        resultado.append(p.saida, static_cast<std::size_t>(feito));
    } while (p.threadTrabalho);
    return resultado;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* dados, std::size_t tam)
{
    static const bool pronto = [] {
        DefinirSaidaMensagens([](const std::string&, const std::string&) { return 1; });
        const char* pasta = std::getenv("QUILLANE_DADOS_DIR");
        if (!IniciarMotor(pasta ? pasta : "quillane", nullptr)) {
            std::fprintf(stderr, "fuzz_texto: set QUILLANE_DADOS_DIR to the folder with ip.dic and vip.dic\n");
            return false;
        }
        return true;
    }();
    if (!pronto) std::abort();
    if (tam < 2 || tam > 16384) return 0;
    // The first two bytes seed the chunking; the rest is the text.
    const std::uint32_t semente = dados[0] | (dados[1] << 8);
    dados += 2;
    tam -= 2;
    const std::string inteiro = Fluxo(dados, tam, 0, true);
    const std::string picado = Fluxo(dados, tam, semente, false);
    if (inteiro != picado) std::abort();
    if (std::count(dados, dados + tam, '\n') != std::count(inteiro.begin(), inteiro.end(), '\n')) std::abort();
    return 0;
}
