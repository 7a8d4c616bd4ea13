#include "caracteres.h"

#include <gtest/gtest.h>

#include <cctype>
#include <cstring>

TEST(Tabelas, CaixaAltaEBaixa)
{
    EXPECT_EQ(Maiuscula('a'), 'A');
    EXPECT_EQ(Maiuscula('\xE7'), '\xC7');   // ç → Ç
    EXPECT_EQ(Maiuscula('\xFF'), '\xFF');   // ÿ has no capital in the table
    EXPECT_EQ(Maiuscula('\xF7'), '\xF7');   // ÷ is not a letter
    EXPECT_EQ(Maiuscula('\n'), '.');        // control bytes become "."
    EXPECT_EQ(Minuscula('\xC9'), '\xE9');   // É → é
    EXPECT_EQ(Minuscula('\xD7'), '\xD7');   // × unchanged
    EXPECT_EQ(Minuscula('\x1F'), '.');
    for (int c = 0x20; c < 0x7F; ++c) {
        if (!std::isalpha(c)) {
            EXPECT_EQ(Maiuscula(static_cast<char>(c)), static_cast<char>(c)) << c;
        }
    }
}

TEST(Tabelas, ClasseDeLetraEAcentos)
{
    EXPECT_EQ(ClasseLetra('\xE0'), 0);  // à is not a word letter ...
    EXPECT_EQ(ClasseLetra('\xC0'), 1);  // ... although À is
    EXPECT_EQ(ClasseLetra('1'), 0);
    EXPECT_EQ(ClasseLetra('\''), 2);
    EXPECT_EQ(ClasseLetra('\xE7'), 1);
    EXPECT_EQ(ClasseLetra('\xFC'), 0);  // ü is an accent but not a letter
    EXPECT_TRUE(AcentoPt('\xFC'));
    EXPECT_FALSE(AcentoPt('\xE0'));
    EXPECT_FALSE(AcentoPt('a'));
    int letras = 0, acentos = 0;
    for (int c = 0; c < 256; ++c) {
        letras += ClasseLetra(static_cast<char>(c)) == 1;
        acentos += AcentoPt(static_cast<char>(c));
    }
    EXPECT_EQ(letras, 52 + 14 + 13);  // à has no place among the letters
    EXPECT_EQ(acentos, 15 + 14);
    EXPECT_TRUE(Vogal('u'));
    EXPECT_FALSE(Vogal('\xE1'));
    EXPECT_FALSE(Vogal('y'));
}

TEST(Cadeias, FormaDaPalavra)
{
    EXPECT_EQ(FormaPalavra("don't"), 2);
    EXPECT_EQ(FormaPalavra("well-known"), 1);
    EXPECT_EQ(FormaPalavra("rock'n'roll"), 0);
    EXPECT_EQ(FormaPalavra("3D"), 0);
    EXPECT_EQ(FormaPalavra("e-mail_"), 1);
    EXPECT_EQ(FormaPalavra("-x"), 0);
    EXPECT_EQ(FormaPalavra(""), 0);
    EXPECT_EQ(FormaPalavra("caf\xE9"), 1);
}

TEST(Cadeias, Sufixos)
{
    char palavra[51] = "cities";
    EXPECT_EQ(TrocarSufixo(palavra, "ies", "y"), 1);
    EXPECT_STREQ(palavra, "city");
    EXPECT_EQ(TrocarSufixo(palavra, "ies", "y"), 0);
    EXPECT_STREQ(palavra, "city");
    EXPECT_EQ(TerminaCom(palavra, 4, ""), nullptr);
    EXPECT_EQ(TerminaCom(palavra, 4, "acity"), nullptr);
    EXPECT_EQ(TerminaCom(palavra, 4, "ty"), palavra + 2);
    CortarSufixo(palavra, "ty");
    EXPECT_STREQ(palavra, "ci");
    CortarSufixo(palavra, "longer");
    EXPECT_STREQ(palavra, "");
}

TEST(Cadeias, AcentosEEspacos)
{
    char texto[64] = "\xE0\xE1\xE2\xE3 \xE9\xEA \xED\xEE \xF3\xF4\xF5 \xFA\xFB\xFC \xE7 \xC1";
    TirarAcentos(texto);
    EXPECT_STREQ(texto, "aaa\xE3 ee ii oo\xF5 uu\xFC \xE7 \xC1");

    char espacos[32] = " a b <c d> e";
    EXPECT_EQ(TirarEspacosAte(espacos, "<"), 1);
    EXPECT_STREQ(espacos, "ab<c d> e");
    char sem[8] = "ab";
    EXPECT_EQ(TirarEspacosAte(sem, "<"), 0);
    EXPECT_STREQ(sem, "ab");
}

TEST(Cadeias, MoverETrocarTrechos)
{
    char buffer[32] = "abcdef";
    MoverTexto(buffer + 2, buffer);  // overlap, moving right
    EXPECT_STREQ(buffer, "ababcdef");
    MoverTexto(buffer, buffer + 3);  // overlap, moving left
    EXPECT_STREQ(buffer, "bcdef");
    TrocarTrecho(buffer, 1, 2, "XYZW");
    EXPECT_STREQ(buffer, "bXYZWef");
    TrocarTrecho(buffer, 0, 100, "q");  // count bounded by the text
    EXPECT_STREQ(buffer, "q");

    char pequeno[4];
    EXPECT_EQ(CopiarTexto(pequeno, sizeof pequeno, "abcdef"), 3u);
    EXPECT_STREQ(pequeno, "abc");
    EXPECT_EQ(AcrescentarTexto(pequeno, sizeof pequeno, "x"), 3u);
    EXPECT_STREQ(pequeno, "abc");
}
