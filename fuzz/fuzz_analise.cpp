// Random sentences through the word reader, the phrase parser and, when
// enough words are known, generation, on a small dictionary compiled from
// the test data and the real verb table.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "compilador.h"
#include "core/motor.h"
#include "core/traducao.h"
#include "dictionary/arena.h"
#include "dictionary/estatistica.h"
#include "dictionary/frase.h"

#ifndef QUILLANE_TESTE_DADOS
#define QUILLANE_TESTE_DADOS "tests/dados"
#endif
#ifndef QUILLANE_DADOS_DIR
#define QUILLANE_DADOS_DIR "quillane"
#endif

namespace {

std::string Ambiente(const char* nome, const char* padrao)
{
    const char* v = std::getenv(nome);
    return v && *v ? v : padrao;
}

bool Preparar()
{
    const std::string dados = Ambiente("QUILLANE_TESTE_DADOS", QUILLANE_TESTE_DADOS);
    const std::string vip = Ambiente("QUILLANE_DADOS_DIR", QUILLANE_DADOS_DIR) + "/vip.dic";
    const auto pasta = std::filesystem::temp_directory_path() / "quillane-fuzz-analise";
    std::filesystem::create_directories(pasta);
    std::ifstream f(dados + "/analise_ingles.lex", std::ios::binary);
    std::vector<std::string> linhas;
    for (std::string l; std::getline(f, l);) {
        if (!l.empty() && l.back() == '\r') l.pop_back();
        if (!l.empty()) linhas.push_back(l);
    }
    std::sort(linhas.begin(), linhas.end(), [](const std::string& a, const std::string& b) {
        return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
            return static_cast<unsigned char>(x) < static_cast<unsigned char>(y);
        });
    });
    std::string texto;
    for (const auto& l : linhas) texto += l + "\r\n";
    if (!CompilarDicionario(texto.c_str(), (pasta / "ip.dic").c_str())) return false;
    std::error_code erro;
    std::filesystem::copy_file(vip, pasta / "vip.dic", std::filesystem::copy_options::overwrite_existing, erro);
    return IniciarMotor(pasta.c_str(), nullptr);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* dados, std::size_t tam)
{
    static const bool pronto = Preparar();
    if (!pronto) std::abort();
    std::string texto(reinterpret_cast<const char*>(dados), tam);
    texto.erase(std::find(texto.begin(), texto.end(), '\0'), texto.end());

    static PedidoTraducao pedido{};
    static clEstatistica estatistica(&pedido);
    // Small blocks, so that sentences spread over several of them.
    clArena arena(2048);
    clFrase origem(100, &arena);
    clFrase destino(150, &arena);
    origem.acrescentarTexto(texto.c_str());
    TraduzirFrase(origem, destino, arena, estatistica);

    arena.Zerar();
    clLeitor leitor;
    clAnalisador analisador;
    AnalisarSentenca(origem, arena, estatistica, leitor, analisador);
    DescreverAnalise(analisador, estatistica);
    return 0;
}
