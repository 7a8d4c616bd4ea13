// Feeds arbitrary bytes to the dictionary loader as a compiled "ip.dic" and
// looks words up in whatever it accepted. Input files are stored
// complemented, like the real ones, so real compiled files make good seeds.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include <sys/stat.h>
#include <unistd.h>

#include "dictionary/dicionario.h"
#include "mensagens.h"

namespace {

// A plain array, so the clean-up at exit still finds it after the
// statics are gone.
char pasta[] = "/tmp/quillane_fuzz_dicXXXXXX";
char arquivo[sizeof pasta + 8];

const char* Pasta()
{
    static const bool feito = [] {
        if (!mkdtemp(pasta)) std::abort();
        std::snprintf(arquivo, sizeof arquivo, "%s/ip.dic", pasta);
        DefinirSaidaMensagens([](const std::string&, const std::string&) { return 1; });
        std::atexit([] {
            unlink(arquivo);
            rmdir(pasta);
        });
        return true;
    }();
    (void)feito;
    return pasta;
}

void Procurar(clDicionario* cabeca, const char* palavra, std::size_t tam)
{
    clVerbete w;
    LimparVerbete(&w);
    if (tam > TAM_PALAVRA - 1) tam = TAM_PALAVRA - 1;
    std::memcpy(w.vocabulo, palavra, tam);
    w.vocabulo[tam] = '\0';
    ProcurarPalavra(cabeca, &w);
    // Everything the lookup filled must be terminated inside its field.
    if (strnlen(w.formaBase, TAM_PALAVRA) == TAM_PALAVRA || w.tamTraducoes >= TAM_BLOCO_TRADUCOES) std::abort();
}

bool LetraDeChave(unsigned char c) { return (c >= 'a' && c <= 'z') || c == '-' || c == '_'; }

} // namespace

void Gravar(const char* caminho, const std::uint8_t* dados, std::size_t tam)
{
    // A fresh file each time: a new identity, never the previous content.
    unlink(caminho);
    FILE* f = std::fopen(caminho, "wb");
    if (!f) std::abort();
    if (tam) std::fwrite(dados, 1, tam, f);
    std::fclose(f);
}

void Experimentar(const std::uint8_t* dados, std::size_t tam)
{
    Pasta();
    Gravar(arquivo, dados, tam);
    clDicionario cabeca;
    AbrirDicionario(&cabeca, pasta, "ip");

    static const char* const fixas[] = {"a", "an", "the", "Hello", "bank", "went", "z", "zz", "well-known",
                                        "a_b", "don't", "3rd", ",", "?", "caf\xE9", ("\xE9" "clair"), ""};
    for (const char* p : fixas) Procurar(&cabeca, p, std::strlen(p));

    // Words spelled by the input itself (keys are stored complemented).
    std::string texto(reinterpret_cast<const char*>(dados), tam);
    for (char& c : texto) c = static_cast<char>(~c);
    int vistas = 0;
    for (std::size_t i = 0; i < texto.size() && vistas < 64;) {
        while (i < texto.size() && !LetraDeChave(static_cast<unsigned char>(texto[i]))) ++i;
        std::size_t fim = i;
        while (fim < texto.size() && LetraDeChave(static_cast<unsigned char>(texto[fim]))) ++fim;
        if (fim > i) {
            Procurar(&cabeca, texto.data() + i, fim - i);
            // The two-letter head of a key followed by the record's tail.
            if (fim - i >= 1 && i >= 2) Procurar(&cabeca, texto.data() + i - 2, fim - i + 2);
            ++vistas;
        }
        i = fim + 1;
    }

    LiberarDicionario(&cabeca);
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* dados, std::size_t tam)
{
    Experimentar(dados, tam);
    // Most mutations break the size field first; try the same bytes again
    // with a size that agrees with the file, to reach the checks behind it.
    constexpr std::size_t kCabecalho = 1686;
    if (tam >= kCabecalho && tam - kCabecalho <= 0x100000) {
        std::string copia(reinterpret_cast<const char*>(dados), tam);
        const std::uint32_t n = static_cast<std::uint32_t>(tam - kCabecalho);
        for (int i = 0; i < 4; ++i) copia[static_cast<std::size_t>(i)] = static_cast<char>(~(n >> (8 * i)));
        if (std::memcmp(copia.data(), dados, 4) != 0)
            Experimentar(reinterpret_cast<const std::uint8_t*>(copia.data()), tam);
    }
    return 0;
}
