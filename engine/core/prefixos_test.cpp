#include "core/prefixos.h"

#include <cstring>
#include <fstream>
#include <string>

#include <gtest/gtest.h>

#include "cp1252.h"

namespace {

std::string Juntar(const char* ingles, const std::string& base)
{
    const clPrefixo* p = ProcurarPrefixo(ingles, std::strlen(ingles));
    if (!p) return "(sem prefixo)";
    char saida[64];
    if (!JuntarPrefixo(*p, base.c_str(), saida, sizeof saida)) return "(falhou)";
    return saida;
}

std::string Prefixar(const char* ingles, const char* traducao, std::size_t tam = 64)
{
    const clPrefixo* p = ProcurarPrefixo(ingles, std::strlen(ingles));
    if (!p) return "(sem prefixo)";
    char saida[256];
    if (!PrefixarTraducao(*p, traducao, saida, tam)) return saida[0] ? "(sujo)" : "(falhou)";
    return saida;
}

// The cases the lexicon generator is tested on too: both join alike.
TEST(Prefixos, JuntamComoOGeradorDoLexico)
{
    std::ifstream f(std::string(QUILLANE_TESTE_DADOS) + "/prefixos.tsv");
    ASSERT_TRUE(f) << "tests/dados/prefixos.tsv";
    int casos = 0;
    for (std::string linha; std::getline(f, linha);) {
        if (linha.empty() || linha[0] == '#') continue;
        const auto a = linha.find('\t');
        const auto b = linha.find('\t', a + 1);
        ASSERT_NE(b, std::string::npos) << linha;
        const std::string ingles = linha.substr(0, a);
        const std::string base = Utf8ParaCp1252(linha.substr(a + 1, b - a - 1));
        const std::string esperado = Utf8ParaCp1252(linha.substr(b + 1));
        EXPECT_EQ(Juntar(ingles.c_str(), base), esperado) << linha;
        ++casos;
    }
    EXPECT_GE(casos, 60);
}

TEST(Prefixos, ProcuraSemCaixaSoPrefixosDaTabela)
{
    EXPECT_NE(ProcurarPrefixo("Re-enable", 2), nullptr);
    EXPECT_NE(ProcurarPrefixo("SEMI", 4), nullptr);
    EXPECT_STREQ(ProcurarPrefixo("Self", 4)->portugues, "auto");
    EXPECT_EQ(ProcurarPrefixo("over", 4), nullptr);  // its Portuguese depends on the word
    EXPECT_EQ(ProcurarPrefixo("e", 1), nullptr);     // "e-mail"
    EXPECT_EQ(ProcurarPrefixo("", 0), nullptr);
    EXPECT_EQ(ProcurarPrefixo("r2", 2), nullptr);
    EXPECT_EQ(ProcurarPrefixo("counterxx", 9), nullptr);
    EXPECT_EQ(ProcurarPrefixo(nullptr, 3), nullptr);
}

TEST(Prefixos, MarcasDaTraducaoSeguemAPalavraQueFlexiona)
{
    // One word: it stays one word, which inflects whole.
    EXPECT_EQ(Prefixar("re", "habilitar"), "reabilitar");
    // The first marked word takes the prefix, inside its marks.
    EXPECT_EQ(Prefixar("re", "/fazer/_login"), "/refazer/_login");
    EXPECT_EQ(Prefixar("sub", "/placa/_de_rede"), "/subplaca/_de_rede");
    // Several words, none marked: the first.
    EXPECT_EQ(Prefixar("sub", "nome_de_arquivo"), "subnome_de_arquivo");
    // A prefix of its own word leaves the base inflecting alone.
    EXPECT_EQ(Prefixar("non", "vazio"), "n\xE3o_/vazio/");
    EXPECT_EQ(Prefixar("non", "/diferente/_de_zero"), "n\xE3o_/diferente/_de_zero");
    EXPECT_EQ(Prefixar("non", "nome_de_arquivo"), "n\xE3o_nome_de_arquivo");
    EXPECT_EQ(Prefixar("pre", "/instalar/"), "/pr\xE9-instalar/");
}

TEST(Prefixos, SemPalavraOuSemEspacoNadaEEscrito)
{
    EXPECT_EQ(Prefixar("re", ""), "(falhou)");
    EXPECT_EQ(Prefixar("non", ""), "(falhou)");
    EXPECT_EQ(Prefixar("re", "42"), "(falhou)");
    EXPECT_EQ(Prefixar("re", "_de"), "(falhou)");
    EXPECT_EQ(Prefixar("re", "//"), "(falhou)");
    // Nothing of the base after the "h" that goes.
    EXPECT_EQ(Prefixar("re", "h"), "(falhou)");
    EXPECT_EQ(Prefixar("re", "/h/"), "(falhou)");
    // "reabilitar" and its NUL: 11 bytes fit in 11, not in 10; nothing is
    // left behind in the buffer when it does not fit.
    EXPECT_EQ(Prefixar("re", "habilitar", 11), "reabilitar");
    EXPECT_EQ(Prefixar("re", "habilitar", 10), "(falhou)");
    EXPECT_EQ(Prefixar("non", "vazio", 12), "n\xE3o_/vazio/");
    EXPECT_EQ(Prefixar("non", "vazio", 11), "(falhou)");
    EXPECT_EQ(Prefixar("pre", "x", 1), "(falhou)");
    const clPrefixo* p = ProcurarPrefixo("re", 2);
    char c = 'x';
    EXPECT_FALSE(PrefixarTraducao(*p, "habilitar", &c, 0));
    EXPECT_EQ(c, 'x');
    EXPECT_FALSE(PrefixarTraducao(*p, nullptr, &c, 1));
    EXPECT_EQ(c, '\0');
}

TEST(Prefixos, UnEhNaoAntesDeAdjetivoEDesAntesDeVerbo)
{
    const clPrefixo* un = ProcurarPrefixo("un", 2);
    ASSERT_NE(un, nullptr);
    EXPECT_TRUE(EhPrefixoUn(*un));
    EXPECT_FALSE(EhPrefixoUn(PrefixoNao()));
    char saida[32];
    ASSERT_TRUE(PrefixarTraducao(PrefixoNao(), "assinar", saida, sizeof saida));
    EXPECT_STREQ(saida, "n\xE3o_/assinar/");
    ASSERT_TRUE(PrefixarTraducao(*un, "instalar", saida, sizeof saida));
    EXPECT_STREQ(saida, "desinstalar");
}

TEST(Prefixos, SepararDesfazAJuncao)
{
    struct Caso {
        const char* palavra;
        const char* base;
        std::size_t antes;
        bool semH;
    };
    const Caso casos[] = {
        {"reatribuir", "atribuir", 2, false},
        {"ressincronizar", "sincronizar", 3, false},
        {"desativar", "ativar", 3, false},
        {"pr\xE9-compor", "compor", 4, false},
        {"sub-reagir", "reagir", 4, false},
        {"autossustentar", "sustentar", 5, false},
    };
    for (const Caso& c : casos) {
        char base[52] = "x";
        std::size_t antes = 99;
        bool semH = false;
        ASSERT_TRUE(SepararPrefixo(c.palavra, 0, base, sizeof base, &antes, &semH)) << c.palavra;
        EXPECT_STREQ(base, c.base) << c.palavra;
        EXPECT_EQ(antes, c.antes) << c.palavra;
        EXPECT_EQ(semH, c.semH) << c.palavra;
    }
    // Words the rules would not write so: "coser" is no "co" + "ser"
    // ("cosser"), "subrede" no "sub" + "rede" ("sub-rede").
    const char* nao[] = {"coser", "subrede", "rehabilitar", "amar", "re", "pr\xE9", "n\xE3o_vazio"};
    for (const char* p : nao) {
        char base[52];
        std::size_t antes = 0;
        bool semH = false;
        EXPECT_FALSE(SepararPrefixo(p, 0, base, sizeof base, &antes, &semH)) << p;
    }
    // Every way the joint may be undone, in turn: "desabilitar" is "des" +
    // "abilitar" or, its "h" dropped, "des" + "habilitar".
    char base[52];
    std::size_t antes = 0;
    bool semH = false;
    ASSERT_TRUE(SepararPrefixo("desabilitar", 0, base, sizeof base, &antes, &semH));
    EXPECT_STREQ(base, "abilitar");
    ASSERT_TRUE(SepararPrefixo("desabilitar", 1, base, sizeof base, &antes, &semH));
    EXPECT_STREQ(base, "habilitar");
    EXPECT_EQ(antes, 3u);
    EXPECT_TRUE(semH);
    EXPECT_FALSE(SepararPrefixo("desabilitar", 2, base, sizeof base, &antes, &semH));
    EXPECT_FALSE(SepararPrefixo("desabilitar", -1, base, sizeof base, &antes, &semH));
    // A base that does not fit is no base: "atribuir" needs 9 bytes.
    char justa[9];
    EXPECT_FALSE(SepararPrefixo("reatribuir", 0, justa, 8, &antes, &semH));
    EXPECT_TRUE(SepararPrefixo("reatribuir", 0, justa, sizeof justa, &antes, &semH));
    EXPECT_STREQ(justa, "atribuir");
}

} // namespace
