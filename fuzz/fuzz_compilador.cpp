// Feeds arbitrary ".lex" text through the source reader, the line parser and
// composer, and the compiler; a compiled file must always be one the engine
// can read safely.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include <unistd.h>

#include "compilador.h"
#include "fonte.h"
#include "formato_dicionario.h"
#include "mensagens.h"

namespace {

void Falhar(const char* motivo)
{
    std::fprintf(stderr, "estrutura inv\xE1lida: %s\n", motivo);
    std::abort();
}

std::uint16_t L16(const unsigned char* p) { return formato::Ler16(p); }

// Mirrors the engine's decoding of one record and checks that it stays inside.
void VerificarRegistro(const unsigned char* r, std::size_t tam, bool temCauda)
{
    std::size_t pos = 0;
    auto texto = [&] {
        while (pos < tam && r[pos] != 0) ++pos;
        if (pos >= tam) Falhar("texto sem NUL");
        ++pos;
    };
    if (temCauda) {
        texto();
        if (pos - 1 > 48) Falhar("chave longa demais");
    }
    if (pos + 3 > tam) Falhar("registro curto");
    const std::uint16_t classe = L16(r + pos);
    pos += 3;
    const std::size_t iniRaiz = pos;
    texto();
    if (pos - 1 - iniRaiz > 50) Falhar("raiz longa demais");
    std::size_t campos = 0;
    if (classe & 0x0002) campos += 1;
    if (classe & 0x0004) campos += 1;
    if (classe & 0x0011) campos += 4;
    if (classe & 0x0020) campos += 2;
    if (classe & 0x0040) campos += 2;
    if (pos + campos > tam) Falhar("campos passam do registro");
    pos += campos;
    if (pos < tam && r[tam - 1] != 0) Falhar("tradu\xE7\xF5" "es sem NUL final");
}

void VerificarArquivo(const std::string& caminho)
{
    std::ifstream f(caminho, std::ios::binary);
    std::vector<unsigned char> b((std::istreambuf_iterator<char>(f)), std::istreambuf_iterator<char>());
    if (b.size() < formato::kTamCabecalho) Falhar("menor que o cabe\xE7" "alho");
    formato::Complementar(b.data(), b.size());
    const std::uint32_t n = formato::Ler32(b.data());
    if (n > formato::kMaxDados) Falhar("N grande demais");
    if (b.size() != formato::kTamCabecalho + n) Falhar("tamanho");
    std::uint16_t indice[formato::kCasas];
    for (int i = 0; i < formato::kCasas; ++i) indice[i] = L16(b.data() + 4 + 2 * i);
    int registros = 0;
    std::uint16_t anterior = formato::kSemRegistro;
    for (int i = 0; i < formato::kCasas; ++i) {
        if (indice[i] == formato::kSemRegistro) {
            if (anterior != formato::kSemRegistro) Falhar("casa volta a vazia");
        } else {
            if (anterior != formato::kSemRegistro && indice[i] < anterior) Falhar("\xED" "ndice decresce");
            registros = indice[i] + 1;
        }
        anterior = indice[i];
    }
    const unsigned char* dados = b.data() + formato::kTamCabecalho;
    std::uint32_t esperado = 5u * static_cast<std::uint32_t>(registros);
    if (esperado > n) Falhar("tabela maior que os dados");
    for (int casa = 0; casa < formato::kCasas; ++casa) {
        const formato::Faixa faixa = formato::FaixaDaCasa(indice, casa);
        if (faixa.vazia) continue;
        for (int r = faixa.primeiro; r <= faixa.ultimo; ++r) {
            const unsigned char* d = dados + 5 * r;
            const std::uint32_t desl = formato::Ler32(d + 1);
            if (d[0] == 0) Falhar("registro vazio");
            if (desl != esperado) Falhar("deslocamento");
            if (desl + d[0] > n) Falhar("registro fora dos dados");
            VerificarRegistro(dados + desl, d[0], casa % formato::kColunas != 0);
            esperado += d[0];
        }
    }
    if (esperado != n) Falhar("soma dos registros");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* dados, std::size_t tam)
{
    static const std::string destino = [] {
        DefinirSaidaMensagens([](const std::string&, const std::string&) { return 1; });
        return "/tmp/fuzz_compilador_" + std::to_string(::getpid()) + ".udc";
    }();

    DicionarioFonte dic;
    dic.CarregarTexto(std::string_view(reinterpret_cast<const char*>(dados), tam));

    // Showing and storing an entry again must settle.
    for (int i = 0; i < dic.Contagem() && i < 64; ++i) {
        TelaEntrada tela;
        FichaEntrada ficha;
        dic.MostrarEntrada(i, tela, ficha);
        // (The first round may still trim blanks that a translation's "_" became.)
        const std::string uma = ComporLinha(tela.chave, tela.traducoes, ficha);
        AnalisarLinha(uma, tela, ficha);
        const std::string duas = ComporLinha(tela.chave, tela.traducoes, ficha);
        AnalisarLinha(duas, tela, ficha);
        const std::string tres = ComporLinha(tela.chave, tela.traducoes, ficha);
        if (duas != tres) Falhar("composi\xE7\xE3o n\xE3o se estabiliza");
    }

    ::unlink(destino.c_str());
    if (CompilarDicionario(dic.TextoCompilavel().c_str(), destino.c_str())) VerificarArquivo(destino);
    return 0;
}
