// The translator's first promise: no text is lost. Whole corpora of real
// messages and thousands of random sentences made from dictionary words go
// through the shipped dictionary, and every output must keep its lines,
// never come back empty, and still hold every word that has no translation.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <fstream>
#include <mutex>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "caracteres.h"
#include "core/analisador.h"
#include "core/motor.h"
#include "core/traducao.h"
#include "cp1252.h"
#include "testes/apoio.h"

namespace {

std::mutex travaDesconhecidas;
std::vector<std::string> desconhecidas;
int palavrasDeConteudo = 0;  // nouns, adjectives, adverbs and main verbs of the analysis

bool TemLetra(const std::string& s)
{
    for (char c : s)
        if (ClasseLetra(c)) return true;
    return false;
}

void Colher(const clTermo* t, int profundidade)
{
    for (int n = 0; t && n < 400 && profundidade < 40; t = t->proximo, ++n) {
        const std::uint16_t c = t->verbete.classe;
        if (c == CL_DESCONHECIDA && t->palavra && TemLetra(t->palavra->texto))
            desconhecidas.emplace_back(t->palavra->texto);
        // Each of these gives at least one Portuguese word; "do", "will" and
        // the other pure auxiliaries may be carried by the tense instead.
        const bool parte = t->pai && t->pai->verbete.classe != CL_GRUPO_NOMINAL &&
                           t->pai->verbete.classe != CL_GRUPO_VERBAL;  // of a hyphenated word: joined
        if (!parte && c != CL_GRUPO_NOMINAL && c != CL_GRUPO_VERBAL &&
            (c & (CL_SUBSTANTIVO | CL_ADJETIVO | CL_ADVERBIO | CL_VERBO)) && t->verbete.tamTraducoes > 0 &&
            t->palavra && TemLetra(t->palavra->texto))
            ++palavrasDeConteudo;
        Colher(t->filhos, profundidade + 1);
        Colher(t->determinantes, profundidade + 1);
        Colher(t->modificadores, profundidade + 1);
        if (t->verbete.classe == CL_GRUPO_VERBAL) {
            Colher(t->auxiliar, profundidade + 1);
            if (t->verbo && !t->verbo->proximo) Colher(t->verbo, profundidade + 1);
            if (t->negacao && !t->negacao->proximo) Colher(t->negacao, profundidade + 1);
        }
    }
}

void Gancho(const clFrase&, const clAnalisador& analisador, const clEstatistica&, void*)
{
    std::lock_guard<std::mutex> trava(travaDesconhecidas);
    Colher(analisador.Primeiro(), 0);
}

class Salvaguarda : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(GarantirMotor());
        DefinirGanchoAnalise(Gancho, nullptr);
    }
    void TearDown() override { DefinirGanchoAnalise(nullptr, nullptr); }

    // Translates one line; the words the analysis found unknown come back in `semTraducao`.
    static std::string Traduzir(const std::string& linha, std::vector<std::string>& semTraducao, int& conteudo)
    {
        {
            std::lock_guard<std::mutex> trava(travaDesconhecidas);
            desconhecidas.clear();
            palavrasDeConteudo = 0;
        }
        std::string saida = TraduzirFluxo(linha, 0);
        std::lock_guard<std::mutex> trava(travaDesconhecidas);
        semTraducao = desconhecidas;
        conteudo = palavrasDeConteudo;
        return saida;
    }

    // The checks of one line: still one line, not empty, unknown words kept.
    // (How paragraphs come through is checked on whole documents below.)
    static void Verificar(const std::string& ingles, const std::string& entrada)
    {
        std::vector<std::string> semTraducao;
        int conteudo = 0;
        const std::string saida = Traduzir(entrada, semTraducao, conteudo);
        // A lost word shows as fewer Portuguese words than English words of content.
        int palavras = 0;
        std::istringstream pedacos(saida);
        for (std::string w; pedacos >> w;) palavras += TemLetra(w);
        EXPECT_GE(palavras, conteudo) << ingles << " -> " << saida;
        EXPECT_EQ(saida.find_first_of("\r\n"), std::string::npos) << ingles << " -> " << saida;
        if (TemLetra(ingles)) {
            EXPECT_TRUE(TemLetra(saida)) << ingles << " -> (vazia)";
        }
        for (const std::string& w : semTraducao)
            EXPECT_NE(saida.find(w), std::string::npos) << ingles << " -> " << saida << " (perdeu " << w << ")";
    }
};

std::vector<std::string> LinhasDoCorpus()
{
    std::vector<std::string> linhas;
    std::ifstream f(std::string(QUILLANE_TESTE_DADOS) + "/../../data/corpus/dev.tsv");
    std::string l;
    while (std::getline(f, l)) {
        const std::size_t tab = l.find('\t');
        if (tab == std::string::npos || tab == 0) continue;
        linhas.push_back(Utf8ParaCp1252(l.substr(0, tab)));
    }
    return linhas;
}

TEST_F(Salvaguarda, CadaLinhaDoCorpusGuardaSeuTextoESuasLinhas)
{
    const std::vector<std::string> linhas = LinhasDoCorpus();
    ASSERT_GT(linhas.size(), 100u);
    for (const std::string& l : linhas) Verificar(l, l);
}

std::size_t Paragrafos(const std::string& saida)
{
    std::size_t n = 0;
    for (std::size_t p = saida.find("\n\n"); p != std::string::npos; p = saida.find("\n\n", p + 2)) ++n;
    return n;
}

TEST_F(Salvaguarda, LinhasSemPontoSeparadasPorLinhaEmBranco)
{
    // A document of messages without final stops, a blank line between them:
    // as many paragraphs come out as went in.
    const std::vector<std::string> linhas = LinhasDoCorpus();
    std::string documento;
    std::size_t n = 0;
    for (const std::string& l : linhas) {
        documento += l + "\n\n";
        ++n;
    }
    EXPECT_EQ(Paragrafos(TraduzirFluxo(documento, 0)), n);
}

// Dictionary words by their first class letter, read from the shipped source lexicon.
struct Vocabulario {
    std::vector<std::string> porClasse[6];  // N, V, A, D, O, other
};

Vocabulario LerVocabulario()
{
    Vocabulario v;
    for (const char* fonte : {"nucleo", "informatica", "lexico"}) {
        std::ifstream f(std::string(QUILLANE_TESTE_DADOS) + "/../../data/ip/" + fonte + ".lex");
        std::string l;
        while (std::getline(f, l)) {
            const std::size_t ex = l.find('!');
            if (ex == std::string::npos || ex == 0 || ex + 1 >= l.size()) continue;
            std::string palavra = l.substr(0, ex);
            for (char& c : palavra)
                if (c == '_') c = ' ';
            int i = 5;
            switch (l[ex + 1]) {
            case 'N': i = 0; break;
            case 'V': i = 1; break;
            case 'A': i = 2; break;
            case 'D': i = 3; break;
            case 'O': i = 4; break;
            default: break;
            }
            v.porClasse[i].push_back(palavra);
        }
    }
    return v;
}

TEST_F(Salvaguarda, FrasesAleatoriasDePalavrasDoDicionario)
{
    const Vocabulario v = LerVocabulario();
    for (const auto& lista : v.porClasse) ASSERT_FALSE(lista.empty());
    std::mt19937 aleatorio(20261207);
    // Shapes of messages and sentences; each letter draws a word of that
    // class, "x" a made-up word that no dictionary has, "*" any class.
    const char* const kFormas[] = {"NNoV", "xNVnV", "ANoD", "cVdN", "NVdAN", "*****", "x*N*V", "VdNjVdN",
                                   "tNVpN", "ANNoVx", "**x**", "mnVdN", "Vx", "NN", "sV*N*"};
    const char* const kFixas[] = {"the", "a", "not", "to", "and", "of", "could", "do", "is", "it", "you"};
    auto escolher = [&](const std::vector<std::string>& lista) {
        return lista[std::uniform_int_distribution<std::size_t>(0, lista.size() - 1)(aleatorio)];
    };
    std::string documento;
    for (int k = 0; k < 2000; ++k) {
        const char* forma = kFormas[k % (sizeof kFormas / sizeof kFormas[0])];
        std::string frase;
        for (const char* c = forma; *c; ++c) {
            std::string w;
            switch (*c) {
            case 'N': w = escolher(v.porClasse[0]); break;
            case 'V': w = escolher(v.porClasse[1]); break;
            case 'A': w = escolher(v.porClasse[2]); break;
            case 'D': w = escolher(v.porClasse[3]); break;
            case 'O': case 'p': w = escolher(v.porClasse[4]); break;
            case 'x': w = "Zqwv" + std::string(1, static_cast<char>('a' + k % 26)) + "xk"; break;
            case 'o': w = "not"; break;
            case 'n': w = "not"; break;
            case 'c': w = "could"; break;
            case 'd': w = "the"; break;
            case 'j': w = "and"; break;
            case 't': w = "a"; break;
            case 'm': w = "do"; break;
            case 's': w = "you"; break;
            default: {
                const int i = std::uniform_int_distribution<int>(0, 6)(aleatorio);
                w = i == 6 ? escolher(std::vector<std::string>(std::begin(kFixas), std::end(kFixas)))
                           : escolher(v.porClasse[i]);
            }
            }
            if (!frase.empty()) frase += ' ';
            frase += w;
        }
        if (!frase.empty()) frase[0] = Maiuscula(frase[0]);
        if (k % 3 != 0) frase += '.';
        Verificar(frase, frase);
        documento += frase + "\n\n";
        if (HasFailure()) {
            ADD_FAILURE() << "primeira falha na frase " << k;
            return;
        }
    }
    EXPECT_EQ(Paragrafos(TraduzirFluxo(documento, 0)), 2000u);
}

}  // namespace
