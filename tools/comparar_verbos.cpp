// comparar_verbos: sets the engine's conjugation against reference
// conjugations (see verbos_texto.h for both file formats).
//
//   comparar_verbos --fonte REFERENCIA
//       writes to standard output the verb-table source lines of every verb
//       for which the regular rules give some form (finite or participle)
//       that differs from the reference; slots the reference leaves empty
//       take the regular form.
//   comparar_verbos --medir REFERENCIA PASTA [-v]
//       loads PASTA/vip.dic and prints how many of the reference's forms the
//       engine reproduces; -v lists the ones it does not.
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "core/conjugacao.h"
#include "cp1252.h"
#include "dictionary/verbos.h"
#include "verbos_texto.h"

namespace {

constexpr int kImperativoEu = 30;  // tense 5, person 0 among the 36 finite forms

void Escrever(const std::string& texto) { std::fputs(Cp1252ParaUtf8(texto).c_str(), stdout); }

// Reference slot i of the engine's 38 (0..35 finite, 36 participle, 37
// gerund) in a reference line.
const std::string& Referencia(const std::vector<std::string>& c, int i)
{
    if (i < 36) return c[3 + i];
    return i == 36 ? c[2] : c[1];
}

int Fonte(const std::vector<std::vector<std::string>>& linhas)
{
    int diferentes = 0;
    for (const auto& c : linhas) {
        const std::string& inf = c[0];
        const auto regulares = FormasVerbo(nullptr, inf);
        std::vector<std::string> formas(37);
        bool difere = false;
        for (int i = 0; i < 37; ++i) {
            const std::string& ref = Referencia(c, i);
            if (ref.empty() || i == kImperativoEu) {
                formas[i] = i == kImperativoEu ? std::string() : regulares[i];
                continue;
            }
            formas[i] = ref;
            if (ref != regulares[i]) difere = true;
        }
        if (!difere) continue;
        ++diferentes;
        // The shortest ending that leaves a stem every form begins with.
        std::size_t radical = inf.size();
        for (int i = 0; i < 37; ++i) {
            if (i == kImperativoEu) continue;
            std::size_t j = 0;
            while (j < radical && j < formas[i].size() && formas[i][j] == inf[j]) ++j;
            radical = j;
        }
        std::string linha = inf + ":" + inf.substr(radical) + ":" + formas[36];
        for (int i = 0; i < 36; ++i) linha += ":" + formas[i];
        Escrever(linha + "\n");
    }
    std::fprintf(stderr, "comparar_verbos: %zu verbos, %d diferem das regras regulares\n", linhas.size(), diferentes);
    return 0;
}

int Medir(const std::vector<std::vector<std::string>>& linhas, const char* pasta, bool detalhar)
{
    clVerboI tabela;
    if (!CarregarVerbos(tabela, pasta, "vip.dic")) {
        std::fprintf(stderr, "comparar_verbos: %s/vip.dic n\xC3\xA3o carregou\n", pasta);
        return 1;
    }
    long formas = 0, certas = 0, gerundios = 0, gerundiosCertos = 0;
    for (const auto& c : linhas) {
        const auto nossas = FormasVerbo(&tabela, c[0]);
        for (int i = 0; i < 38; ++i) {
            const std::string& ref = Referencia(c, i);
            if (ref.empty() || i == kImperativoEu) continue;
            const bool igual = ref == nossas[i];
            if (i == 37) {
                ++gerundios;
                gerundiosCertos += igual;
            } else {
                ++formas;
                certas += igual;
            }
            if (!igual && detalhar) Escrever(c[0] + " " + std::to_string(i) + ": " + nossas[i] + " / " + ref + "\n");
        }
    }
    std::printf("verbos: %zu\nformas (36 finitas + partic\xC3\xADpio): %ld de %ld (%.3f%%)\n"
                "ger\xC3\xBAndios: %ld de %ld (%.3f%%)\n",
                linhas.size(), certas, formas, formas ? 100.0 * certas / formas : 0.0, gerundiosCertos, gerundios,
                gerundios ? 100.0 * gerundiosCertos / gerundios : 0.0);
    return certas == formas ? 0 : 3;
}

} // namespace

int main(int argc, char** argv)
{
    const bool fonte = argc == 3 && std::strcmp(argv[1], "--fonte") == 0;
    const bool medir = (argc == 4 || argc == 5) && std::strcmp(argv[1], "--medir") == 0;
    if (!fonte && !medir) {
        std::fprintf(stderr, "uso: comparar_verbos --fonte REFERENCIA | --medir REFERENCIA PASTA [-v]\n");
        return 2;
    }
    std::vector<std::vector<std::string>> linhas;
    std::string erro;
    if (!LerArquivoVerbos(argv[2], linhas, erro)) {
        std::fprintf(stderr, "comparar_verbos: %s\n", Cp1252ParaUtf8(erro).c_str());
        return 1;
    }
    if (fonte) return Fonte(linhas);
    return Medir(linhas, argv[3], argc == 5 && std::strcmp(argv[4], "-v") == 0);
}
