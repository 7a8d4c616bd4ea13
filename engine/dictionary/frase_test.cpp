#include "dictionary/frase.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <utility>

#include "dictionary/arena.h"
#include "dictionary/estatistica.h"
#include "dictionary/marcas.h"

namespace {

clPalavra Palavra(const char* texto, bool espaco = true)
{
    clPalavra w;
    std::snprintf(w.texto, sizeof w.texto, "%s", texto);
    w.espacoAntes = espaco;
    w.Classificar();
    return w;
}

} // namespace

TEST(Arena, ReservaEncadeiaEReaproveita)
{
    clArena arena(256);
    void* a = arena.Reservar(200);
    void* b = arena.Reservar(200);  // does not fit: a second block
    ASSERT_NE(a, nullptr);
    ASSERT_NE(b, nullptr);
    EXPECT_NE(a, b);
    EXPECT_EQ(arena.Reservar(257), nullptr);  // larger than a block
    arena.Zerar();
    EXPECT_EQ(arena.Reservar(200), a);  // the same storage again
    EXPECT_GE(arena.Maximo(), 200u);
}

TEST(Marcas, LimitesEOperacoes)
{
    clMarcas m;
    EXPECT_EQ(m.Obter(-1), -1);
    EXPECT_EQ(m.Obter(0), -1);
    for (int i = 0; i < 20; ++i) m.Acrescentar(static_cast<std::int16_t>(i));
    EXPECT_EQ(m.Quantos(), 15);
    EXPECT_EQ(m.Obter(-1), 14);
    EXPECT_EQ(m.Obter(14), 14);
    EXPECT_EQ(m.Obter(15), -1);
    EXPECT_EQ(m.Obter(-16), -1);

    clMarcas a, b;
    a.Acrescentar(1);
    a.Acrescentar(2);
    a.Acrescentar(3);
    b.Acrescentar(3);
    b.Acrescentar(4);
    a.Formato()[0] = 7;
    const clMarcas d = clMarcas::Diferenca(a, b);
    EXPECT_EQ(d.Quantos(), 2);
    EXPECT_EQ(d.Obter(1), 2);
    EXPECT_EQ(d.Formato()[0], 7);
    a.Unir(b);
    EXPECT_EQ(a.Quantos(), 4);
    EXPECT_EQ(a.Obter(-1), 4);
    a.Limpar();
    EXPECT_EQ(std::as_const(a).Formato()[0], 0);
}

TEST(Palavra, ClassificarEAplicarCaixa)
{
    EXPECT_EQ(Palavra("HTML").padraoCaixa, CAIXA_MAIUSCULAS);
    EXPECT_EQ(Palavra("Paris").padraoCaixa, CAIXA_INICIAL);
    EXPECT_EQ(Palavra("paris").padraoCaixa, CAIXA_MINUSCULAS);
    EXPECT_EQ(Palavra("eBay").padraoCaixa, CAIXA_MISTA);
    EXPECT_EQ(Palavra("42").padraoCaixa, CAIXA_NENHUMA);
    EXPECT_EQ(Palavra("A").padraoCaixa, CAIXA_INICIAL);
    EXPECT_EQ(Palavra("a").padraoCaixa, CAIXA_MINUSCULAS);
    // Accented capitals count: they are never put in lower case.
    EXPECT_EQ(Palavra("\xC9mile").padraoCaixa, CAIXA_INICIAL);
    EXPECT_EQ(Palavra("\xC9" "COLE").padraoCaixa, CAIXA_MAIUSCULAS);
    EXPECT_EQ(Palavra("\xE9t\xE9").padraoCaixa, CAIXA_MINUSCULAS);

    clPalavra w = Palavra("Paris");
    std::strcpy(w.texto, "nova_york");
    w.AplicarCaixa();
    EXPECT_STREQ(w.texto, "Nova York");
    w = Palavra("HTML");
    std::strcpy(w.texto, "a/b");
    w.AplicarCaixa();
    EXPECT_STREQ(w.texto, "AB");
    w = Palavra("HTML");
    std::strcpy(w.texto, "s\xE3o paulo");
    w.AplicarCaixa();
    EXPECT_STREQ(w.texto, "S\xC3O PAULO");
    w = Palavra("42");
    std::strcpy(w.texto, "a_b");
    w.AplicarCaixa();  // not a word: left alone
    EXPECT_STREQ(w.texto, "a_b");
}

TEST(Frase, CapacidadeEColagem)
{
    clArena arena(0x7FFF);
    clFrase frase(100, &arena);
    for (int i = 0; i < 100; ++i) ASSERT_TRUE(frase.Acrescentar(Palavra("w")));
    EXPECT_FALSE(frase.Acrescentar(Palavra("w")));
    EXPECT_EQ(frase.Ultimo(), 99);

    frase.Limpar();
    EXPECT_EQ(frase.Obter(-1), nullptr);
    ASSERT_TRUE(frase.Acrescentar(Palavra("Hel")));
    ASSERT_TRUE(frase.Acrescentar(Palavra("lo", false)));  // split by markup: glued
    ASSERT_TRUE(frase.Acrescentar(Palavra(",", false)));   // not a letter: its own slot
    EXPECT_EQ(frase.Ultimo(), 1);
    clPalavra* hello = frase.Obter(0);
    EXPECT_STREQ(hello->texto, "Hello");
    EXPECT_EQ(hello->padraoCaixa, CAIXA_INICIAL);
    EXPECT_EQ(hello->QuantosPedacos(), 2);

    // The pieces take their text from the (translated) word at their offsets.
    std::strcpy(hello->texto, "Ola!!");
    clPalavra pedaco;
    ASSERT_TRUE(hello->Pedaco(0, &pedaco));
    EXPECT_STREQ(pedaco.texto, "Ola");
    ASSERT_TRUE(hello->Pedaco(1, &pedaco));
    EXPECT_STREQ(pedaco.texto, "!!");
    EXPECT_FALSE(hello->Pedaco(2, &pedaco));
    std::strcpy(hello->texto, "Ol");
    EXPECT_FALSE(hello->Pedaco(1, &pedaco));  // offset past the end

    // Two texts longer than a word together are not glued.
    frase.Limpar();
    frase.Acrescentar(Palavra("abcdefghijabcdefghijabcdefghijabcdefghij"));
    frase.Acrescentar(Palavra("abcdefghijk", false));
    EXPECT_EQ(frase.Ultimo(), 1);
}

TEST(Frase, AcrescentarTextoETexto)
{
    clArena arena(0x7FFF);
    clFrase frase(150, &arena);
    frase.acrescentarTexto("Hello,  world (big)! ");
    char texto[256];
    frase.Texto(texto, sizeof texto);
    EXPECT_STREQ(texto, "Hello, world (big)!");
    EXPECT_EQ(frase.Ultimo(), 6);

    // A run longer than a word is cut, never written past the slot.
    frase.Limpar();
    const std::string longa(120, 'x');
    frase.acrescentarTexto(longa.c_str());
    frase.Texto(texto, sizeof texto);
    EXPECT_EQ(std::string(texto), longa);
    for (int i = 0; i <= frase.Ultimo(); ++i) EXPECT_LE(std::strlen(frase.Obter(i)->texto), 50u);

    char pequeno[8];
    frase.Texto(pequeno, sizeof pequeno);
    EXPECT_STREQ(pequeno, "xxxxxxx");
}

TEST(Frase, CapitalizarComo)
{
    clArena arena(1024);
    clFrase frase(10, &arena);
    frase.Acrescentar(Palavra("ol\xE1"));
    frase.CapitalizarComo(CAIXA_INICIAL);
    EXPECT_STREQ(frase.Obter(0)->texto, "Ol\xE1");
    frase.Limpar();
    frase.Acrescentar(Palavra("ol\xE1"));
    frase.CapitalizarComo(CAIXA_MINUSCULAS);
    EXPECT_STREQ(frase.Obter(0)->texto, "ol\xE1");
}

TEST(Estatistica, ContaEListaDesconhecidas)
{
    const auto arquivo = std::filesystem::temp_directory_path() / "quillane-desconhecidas.txt";
    PedidoTraducao pedido{};
    pedido.nConhecidas = 5;
    std::string nome = arquivo.string();
    pedido.arqDesconhecidas = nome.data();
    {
        clEstatistica e(&pedido);
        EXPECT_EQ(+pedido.nConhecidas, 0);
        e.Desconhecida("Cat");
        e.Desconhecida("at");   // the end of "cat" is still a word of its own
        e.Desconhecida("cat");  // a repeat
        e.Conhecida();
        EXPECT_EQ(+pedido.nDesconhecidas, 2);
        EXPECT_EQ(+pedido.nConhecidas, 1);
        EXPECT_EQ(e.nDesconhecidas, 3);
        EXPECT_DOUBLE_EQ(e.Percentagem(), 25.0);
        e.ZerarFrase();
        EXPECT_DOUBLE_EQ(e.Percentagem(), 0.0);
        const std::string longa(80, 'q');
        e.Desconhecida(longa.c_str());  // bounded to a word
    }
    std::ifstream f(arquivo);
    std::stringstream conteudo;
    conteudo << f.rdbuf();
    EXPECT_EQ(conteudo.str(), "cat\nat\n" + std::string(50, 'q') + "\n");
    std::filesystem::remove(arquivo);
}

TEST(Estatistica, ListaNuncaCortadaEContagemExata)
{
    // Far past 64 KB of list: every distinct word is listed once and counted
    // once, however often it comes back.
    PedidoTraducao pedido{};
    clEstatistica e(&pedido);
    char palavra[32];
    for (int volta = 0; volta < 2; ++volta) {
        for (int i = 0; i < 10000; ++i) {
            std::snprintf(palavra, sizeof palavra, "palavra%d", i);
            e.Desconhecida(palavra);
        }
    }
    EXPECT_GT(std::strlen(e.Lista()), 65536u);
    EXPECT_NE(std::string(e.Lista()).find("\npalavra9999\n"), std::string::npos);
    EXPECT_EQ(+pedido.nDesconhecidas, 10000);
}
