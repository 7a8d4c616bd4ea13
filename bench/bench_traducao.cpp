// Words translated per second: a fixed English text of more than 10,000
// words through the stream mode of the engine, in one thread and then in as
// many threads as the machine has cores, each thread running its own requests.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <thread>
#include <vector>

#include "core/motor.h"
#include "formats/pedido.h"

namespace {

const char* const kFrases[] = {
    "The red cars are fast. ",
    "She is working in the house. ",
    "They have worked on the new program. ",
    "He will open the file and read the text. ",
    "The books on the table are red. ",
    "Do you like the new page? ",
    "The computer is not good. ",
    "I read the translation of the book. ",
};

std::string Texto(std::size_t palavrasMinimas, std::size_t& palavras)
{
    std::string t;
    palavras = 0;
    for (std::size_t i = 0; palavras < palavrasMinimas; ++i) {
        const std::string f = kFrases[i % (sizeof kFrases / sizeof kFrases[0])];
        t += f;
        palavras += static_cast<std::size_t>(std::count(f.begin(), f.end(), ' '));
        if (i % 8 == 7) t += "\n\n";
    }
    return t;
}

// One stream request over the whole text in chunks of 1024 bytes; returns the bytes written.
std::size_t Traduzir(const std::string& texto)
{
    PedidoTraducao p{};
    std::vector<char> saida(MORIEL_TAM_SAIDA);
    std::vector<char> pedaco;
    p.tipo = TIPO_TEXTO;
    p.modo = MODO_FLUXO;
    p.saida = saida.data();
    std::size_t pos = 0, total = 0;
    do {
        const std::size_t n = std::min<std::size_t>(1024, texto.size() - pos);
        pedaco.assign(texto.begin() + static_cast<long>(pos), texto.begin() + static_cast<long>(pos + n));
        pos += n;
        p.entrada = pedaco.data();
        p.tamEntrada = static_cast<std::int32_t>(n);
        if (!TraduzirPedido(&p)) break;
        total += static_cast<std::size_t>(p.tamSaida);
    } while (p.threadTrabalho);
    return total;
}

double Medir(const std::string& texto, std::size_t palavras, unsigned threads, int repeticoes)
{
    const auto inicio = std::chrono::steady_clock::now();
    std::vector<std::thread> ts;
    for (unsigned i = 0; i < threads; ++i)
        ts.emplace_back([&] {
            for (int r = 0; r < repeticoes; ++r) Traduzir(texto);
        });
    for (auto& t : ts) t.join();
    const double s = std::chrono::duration<double>(std::chrono::steady_clock::now() - inicio).count();
    return static_cast<double>(palavras) * threads * repeticoes / s;
}

} // namespace

int main(int argc, char** argv)
{
    const char* pasta = argc > 1 ? argv[1] : QUILLANE_DADOS_DIR;
    if (!IniciarMotor(pasta, nullptr)) {
        std::fprintf(stderr, "engine not ready (folder %s)\n", pasta);
        return 1;
    }
    std::size_t palavras = 0;
    const std::string texto = Texto(10000, palavras);
    const unsigned nucleos = std::max(1u, std::thread::hardware_concurrency());
    Traduzir(texto);  // warm-up: mappings and caches
    std::printf("text: %zu words, %zu bytes\n", palavras, texto.size());
    std::printf("1 thread: %.0f words/s\n", Medir(texto, palavras, 1, 5));
    std::printf("%u threads: %.0f words/s\n", nucleos, Medir(texto, palavras, nucleos, 5));
    EncerrarMotor();
    return 0;
}
