// Soak run: one stream request carrying at least a million sentences (the
// English side of the development corpus, round after round), checked as it
// goes: every round must come out exactly as the round translated alone, and
// the resident memory is sampled to show it stays flat.
//
//   resistencia_fluxo [sentences] [data folder]
//
// Exits 1 when an output differs or memory grows by more than 16 MB after
// the first round.
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "core/motor.h"
#include "cp1252.h"
#include "formats/pedido.h"
#include "mensagens.h"

namespace {

long RssKb()
{
    long paginas = 0, residentes = 0;
    if (std::FILE* f = std::fopen("/proc/self/statm", "r")) {
        if (std::fscanf(f, "%ld %ld", &paginas, &residentes) != 2) residentes = 0;
        std::fclose(f);
    }
    return residentes * (sysconf(_SC_PAGESIZE) / 1024);
}

// Feeds `rodadas` copies of `rodada` in 4 KB chunks through one request and
// hands each piece of output to `conferir`; `amostrar` is called after each
// round fed.
template <typename Conferir, typename Amostrar>
bool Fluxo(const std::string& rodada, long rodadas, Conferir conferir, Amostrar amostrar)
{
    PedidoTraducao p{};
    std::vector<char> saida(MORIEL_TAM_SAIDA);
    std::vector<char> pedaco;
    p.tipo = TIPO_TEXTO;
    p.modo = MODO_FLUXO;
    p.saida = saida.data();
    long feitas = 0;
    std::size_t pos = 0;
    do {
        std::size_t n = 0;
        if (feitas < rodadas) {
            n = std::min<std::size_t>(4096, rodada.size() - pos);
            pedaco.assign(rodada.begin() + static_cast<long>(pos), rodada.begin() + static_cast<long>(pos + n));
            pos += n;
            if (pos == rodada.size()) {
                pos = 0;
                amostrar(++feitas);
            }
        }
        p.entrada = pedaco.data();
        p.tamEntrada = static_cast<std::int32_t>(n);
        if (!TraduzirPedido(&p)) return false;
        const std::int32_t feito = p.tamSaida;
        if (feito < 0 || feito > MORIEL_TAM_SAIDA) return false;
        conferir(p.saida, static_cast<std::size_t>(feito));
    } while (p.threadTrabalho);
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    const long frasesMinimas = argc > 1 ? std::atol(argv[1]) : 1000000;
    const char* pasta = argc > 2 ? argv[2] : QUILLANE_DADOS_DIR;
    DefinirSaidaMensagens([](const std::string&, const std::string& texto) {
        std::fprintf(stderr, "message: %s\n", texto.c_str());
        return 1;
    });
    if (!IniciarMotor(pasta, nullptr)) {
        std::fprintf(stderr, "engine not ready (folder %s)\n", pasta);
        return 1;
    }
    std::ifstream f(std::string(QUILLANE_FONTE_DIR) + "/data/corpus/dev.tsv", std::ios::binary);
    std::string linha, rodada;
    long frasesRodada = 0;
    while (std::getline(f, linha)) {
        const auto tab = linha.find('\t');
        if (tab == 0 || tab == std::string::npos) continue;
        rodada += Utf8ParaCp1252(linha.substr(0, tab)) + "\r\n\r\n";
        ++frasesRodada;
    }
    if (!frasesRodada) {
        std::fprintf(stderr, "no corpus\n");
        return 1;
    }
    const long rodadas = (frasesMinimas + frasesRodada - 1) / frasesRodada;

    // One round alone gives the output every round must repeat.
    std::string esperado;
    Fluxo(rodada, 1, [&](const char* s, std::size_t n) { esperado.append(s, n); }, [](long) {});
    if (esperado.empty()) {
        std::fprintf(stderr, "no output for one round\n");
        return 1;
    }

    std::size_t posEsperado = 0, diferencas = 0, bytes = 0;
    long rssInicial = 0, rssMaior = 0;
    const auto inicio = std::chrono::steady_clock::now();
    std::printf("%ld sentences a round, %ld rounds, %zu bytes out a round\n", frasesRodada, rodadas,
                esperado.size());
    std::printf("%12s %12s %10s\n", "sentences", "resident KB", "seconds");
    const bool ok = Fluxo(
        rodada, rodadas,
        [&](const char* s, std::size_t n) {
            bytes += n;
            for (std::size_t i = 0; i < n; ++i) {
                if (s[i] != esperado[posEsperado]) ++diferencas;
                if (++posEsperado == esperado.size()) posEsperado = 0;
            }
        },
        [&](long feitas) {
            const long rss = RssKb();
            if (feitas == 1) rssInicial = rss;
            rssMaior = std::max(rssMaior, rss);
            if (feitas == 1 || feitas % std::max(1L, rodadas / 10) == 0 || feitas == rodadas)
                std::printf("%12ld %12ld %10.1f\n", feitas * frasesRodada, rss,
                            std::chrono::duration<double>(std::chrono::steady_clock::now() - inicio).count());
        });
    const bool completo = bytes == esperado.size() * static_cast<std::size_t>(rodadas);
    std::printf("sentences %ld, output %zu bytes (%s), differing bytes %zu\n", rodadas * frasesRodada, bytes,
                completo ? "complete" : "INCOMPLETE", diferencas);
    std::printf("resident memory: %ld KB after the first round, at most %ld KB (+%ld KB)\n", rssInicial, rssMaior,
                rssMaior - rssInicial);
    const bool plano = rssMaior - rssInicial <= 16 * 1024;
    return ok && completo && diferencas == 0 && plano ? 0 : 1;
}
