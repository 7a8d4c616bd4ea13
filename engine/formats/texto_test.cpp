#include "formats/texto.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <vector>

#include "core/motor.h"
#include "formats/pedido.h"
#include "mensagens.h"
#include "testes/apoio.h"

namespace {

class Texto : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(GarantirMotor()); }
};

// The tokens of a text as the plain-text reader cuts them, "|" between
// tokens, "_" for a blank before one, "#" for a sentence end.
std::string Tokens(const std::string& texto)
{
    const std::string pasta = PastaTemporaria("tokens");
    std::string entrada = pasta + "/e.txt", saida = pasta + "/s.txt";
    std::ofstream(entrada, std::ios::binary) << texto;
    PedidoTraducao p{};
    p.modo = MODO_ARQUIVO;
    p.entrada = entrada.data();
    p.saida = saida.data();
    std::string resultado;
    {
        clSaidaPendente pendente;
        clDocTexto doc(&p, &pendente);
        clPalavra w;
        std::int16_t tipo;
        while (doc.LerToken(w, tipo)) {
            if (!resultado.empty()) resultado += "|";
            if (w.espacoAntes) resultado += "_";
            resultado += w.texto;
            if (tipo == TK_FIM_FRASE) resultado += "#";
            // A paragraph end leaves its line breaks for the next sentence.
            if (!w.texto[0]) doc.PularConjunto(BRANCOS, BRANCOS);
        }
    }
    std::filesystem::remove_all(pasta);
    return resultado;
}

} // namespace

TEST_F(Texto, BrancosEntreEDentroDasFrases)
{
    EXPECT_EQ(TraduzirArquivo("Xyzzy plugh.  Frob."), "Xyzzy plugh.  Frob.");
    EXPECT_EQ(TraduzirArquivo("Xyzzy   zork\tplugh."), "Xyzzy zork plugh.");
    EXPECT_EQ(TraduzirArquivo("Xyzzy\nplugh."), "Xyzzy\nplugh.");
    EXPECT_EQ(TraduzirArquivo("Xyzzy\n\nplugh."), "Xyzzy\n\nplugh.");
    EXPECT_EQ(TraduzirArquivo("Xyzzy \n\nplugh."), "Xyzzy \n\nplugh.");
    EXPECT_EQ(TraduzirArquivo("  Qwzz.\r\n\r\nVrrk plx.\r\n"), "  Qwzz.\r\n\r\nVrrk plx.\r\n");
    EXPECT_EQ(TraduzirArquivo(""), "");
    // The blanks after a last sentence without a final mark stay too.
    EXPECT_EQ(TraduzirArquivo("Xyzzy plugh\n"), "Xyzzy plugh\n");
    EXPECT_EQ(TraduzirFluxo("Xyzzy plugh \r\n\n", 2), "Xyzzy plugh \r\n\n");
}

TEST_F(Texto, TextoSemPontoFinalNaoSePerde)
{
    std::string texto, esperado;
    for (int i = 0; i < 250; ++i) texto += (i ? " w" : "w") + std::to_string(i);
    EXPECT_EQ(TraduzirArquivo(texto), texto);
}

TEST_F(Texto, PalavrasLongasEApostrofos)
{
    // A word longer than the word field stands as one token and comes back
    // whole, in its place, in a sentence translated or not.
    const std::string longa(60, 'x');
    EXPECT_EQ(Tokens(longa + " y"), "\x1A|_y");
    EXPECT_EQ(TraduzirArquivo(longa + " zend."), longa + " zend.");
    EXPECT_EQ(TraduzirArquivo(longa + " \x1A zend."), longa + " \x1A zend.");
    const std::string nome = "QUILLANE_REGISTRO_DIRECTORY_FOR_THE_TRANSLATION_ENGINE_HOME";
    EXPECT_EQ(TraduzirArquivo("The " + nome + " is big."), "O " + nome + " \xE9 grande.");
    const std::string url = "http://example.org/" + std::string(5000, 'a') + "/fim";
    const std::string traduzida = TraduzirArquivo("See " + url + " now.");
    EXPECT_NE(traduzida.find(" " + url + " "), std::string::npos);
    EXPECT_EQ(traduzida.size(), url.size() + 12);
    // A character reference does not split its word.
    EXPECT_EQ(Tokens("cat&#8217;s x&amp;y"), "cat&#8217;s|_x&amp;y");
    EXPECT_EQ(Tokens("don't"), "don't");
    EXPECT_EQ(Tokens("'quoted'"), "'|quoted|'");
    EXPECT_EQ(Tokens("boys' toys"), "boys'|_toys");
    // A closed quotation is closed: the next one opens afresh, and its
    // closing mark is not taken for a possessive and lost.
    EXPECT_EQ(Tokens("'a' and 'b'."), "'|a|'|_and|_'|b|'|.#");
    EXPECT_EQ(TraduzirArquivo("Send `zorb` to `quux`."), "Envie `zorb` para `quux`.");
    EXPECT_EQ(Tokens("e-mail 3.5 a/b x- y."), "e-mail|_3.5|_a/b|_x|-|_y|.#");
    EXPECT_EQ(Tokens("Stop! Go?"), "Stop|!#|_Go|?#");
    EXPECT_EQ(Tokens("word\n\nnext"), "word|#|next");
}

TEST_F(Texto, ByteFFNaoEncerraODocumento)
{
    // The end of input is kept apart from every byte value, so ÿ is text.
    EXPECT_EQ(TraduzirArquivo("na\xEFve \xFFstrange. Grue."), "na\xEFve \xFFstrange. Grue.");
    EXPECT_EQ(TraduzirFluxo("Caf\xE9 \xFF.\xFF", 3), "Caf\xE9 \xFF.\xFF");
}

TEST_F(Texto, FluxoIgualAoDocumentoInteiroEmQualquerCorte)
{
    const std::string texto =
        "Hello world.  This is a test of the hand-over.\n\n"
        "It's got 'quotes', boys' toys and a very-long-hyphenated-word-that-goes-on.\r\n"
        "Numbers 3.14 and e-mail addresses a@b.c are words too!   End";
    const std::string inteiro = TraduzirFluxo(texto, 0);
    EXPECT_EQ(inteiro, TraduzirArquivo(texto));
    for (std::size_t tam : {1u, 2u, 3u, 7u, 64u, 1024u}) EXPECT_EQ(TraduzirFluxo(texto, tam), inteiro) << tam;
    // Split in two at every byte position.
    for (std::size_t corte = 1; corte < texto.size(); ++corte) {
        PedidoTraducao p{};
        std::vector<char> saida(MORIEL_TAM_SAIDA);
        std::string a = texto.substr(0, corte), b = texto.substr(corte), resultado;
        p.modo = MODO_FLUXO;
        p.saida = saida.data();
        for (std::string* pedaco : {&a, &b, static_cast<std::string*>(nullptr)}) {
            p.entrada = pedaco ? pedaco->data() : nullptr;
            p.tamEntrada = pedaco ? static_cast<std::int32_t>(pedaco->size()) : 0;
            ASSERT_TRUE(TraduzirPedido(&p));
            resultado.append(p.saida, static_cast<std::size_t>(p.tamSaida));
            if (!p.threadTrabalho) break;
        }
        EXPECT_EQ(+p.threadTrabalho, nullptr);
        ASSERT_EQ(resultado, inteiro) << "corte em " << corte;
    }
}

TEST_F(Texto, ProtocoloDoFluxo)
{
    // Three chunks: three calls come back with the worker waiting, the
    // fourth (end of input) with the request finished.
    PedidoTraducao p{};
    std::vector<char> saida(MORIEL_TAM_SAIDA);
    p.modo = MODO_FLUXO;
    p.saida = saida.data();
    char pedacos[3][8] = {"Xyzzy ", "plugh", ". Frob."};
    std::string resultado;
    for (auto& pedaco : pedacos) {
        p.entrada = pedaco;
        p.tamEntrada = static_cast<std::int32_t>(std::strlen(pedaco));
        ASSERT_EQ(TraduzirPedido(&p), 1);
        EXPECT_NE(+p.threadTrabalho, nullptr);
        EXPECT_EQ(+p.proprio, &p);
        resultado.append(p.saida, static_cast<std::size_t>(p.tamSaida));
    }
    p.tamEntrada = 0;
    ASSERT_EQ(TraduzirPedido(&p), 1);
    EXPECT_EQ(+p.threadTrabalho, nullptr);
    resultado.append(p.saida, static_cast<std::size_t>(p.tamSaida));
    EXPECT_EQ(resultado, "Xyzzy plugh. Frob.");

    // Empty input: the worker finds the end at once.
    PedidoTraducao vazio{};
    vazio.modo = MODO_FLUXO;
    vazio.saida = saida.data();
    ASSERT_EQ(TraduzirPedido(&vazio), 1);
    EXPECT_EQ(+vazio.threadTrabalho, nullptr);
    EXPECT_EQ(+vazio.tamSaida, 0);

    // Unknown modes and kinds: accepted, nothing done.
    PedidoTraducao outro{};
    outro.modo = 3;
    EXPECT_EQ(TraduzirPedido(&outro), 1);
    outro.modo = MODO_FLUXO;
    outro.tipo = 3;
    outro.saida = saida.data();
    char texto[] = "Hello.";
    outro.entrada = texto;
    outro.tamEntrada = 6;
    ASSERT_EQ(TraduzirPedido(&outro), 1);
    if (outro.threadTrabalho) {
        outro.tamEntrada = 0;
        TraduzirPedido(&outro);
    }
    EXPECT_EQ(+outro.threadTrabalho, nullptr);
    EXPECT_EQ(+outro.tamSaida, 0);

    // No output buffer: refused before a worker starts.
    PedidoTraducao semSaida{};
    EXPECT_EQ(TraduzirPedido(&semSaida), 0);
    EXPECT_EQ(+semSaida.threadTrabalho, nullptr);
}

TEST_F(Texto, SaidaLongaPassaEmVariasEntregas)
{
    // Far more output than one hand-over carries: it is delivered across
    // further hand-overs and nothing is lost.
    std::string texto;
    while (texto.size() < 3 * MORIEL_TAM_SAIDA) texto += "Xyzzy plugh. ";
    PedidoTraducao final{};
    const std::string resultado = TraduzirFluxo(texto, 0, TIPO_TEXTO, &final);
    EXPECT_TRUE(resultado == texto) << resultado.size() << " != " << texto.size();
}

TEST_F(Texto, ContadoresRecomecamACadaPedido)
{
    PedidoTraducao p{};
    TraduzirFluxo("Hello world, zorglub.", 0, TIPO_TEXTO, &p);
    EXPECT_EQ(+p.nConhecidas, 2);
    EXPECT_EQ(+p.nDesconhecidas, 1);
    TraduzirFluxo("Hello.", 0, TIPO_TEXTO, &p);
    EXPECT_EQ(+p.nConhecidas, 1);
    EXPECT_EQ(+p.nDesconhecidas, 0);
}

TEST_F(Texto, ArquivoAusente)
{
    std::string mensagens;
    DefinirSaidaMensagens([&](const std::string& titulo, const std::string& texto) {
        mensagens += titulo + ": " + texto + "\n";
        return 1;
    });
    const std::string pasta = PastaTemporaria("ausente");
    std::string entrada = pasta + "/nao-existe.txt", saida = pasta + "/saida.txt";
    PedidoTraducao p{};
    p.modo = MODO_ARQUIVO;
    p.entrada = entrada.data();
    p.saida = saida.data();
    EXPECT_EQ(TraduzirPedido(&p), 1);
    DefinirSaidaMensagens(nullptr);
    EXPECT_EQ(mensagens, "Quillane : Erro 1: Arquivo \"" + entrada + "\" n\xE3o foi encontrado.\n");
    EXPECT_FALSE(std::filesystem::exists(saida));
    std::filesystem::remove_all(pasta);
}

TEST(MotorNaoPronto, RecusaSemTocarNoPedido)
{
    // A second engine state cannot be made in this process, so check the
    // refusal through a copy taken while the engine is marked not ready.
    ASSERT_TRUE(GarantirMotor());
    Motor().motorPronto.store(0);
    PedidoTraducao p{};
    p.modo = MODO_FLUXO;
    p.tamSaida = 77;
    const PedidoTraducao antes = p;
    EXPECT_EQ(TraduzirPedido(&p), 0);
    Motor().motorPronto.store(1);
    EXPECT_EQ(std::memcmp(&antes, &p, sizeof p), 0);
}

namespace {

std::size_t ContarLinhas(const std::string& t) { return static_cast<std::size_t>(std::count(t.begin(), t.end(), '\n')); }

} // namespace

TEST_F(Texto, NenhumaQuebraDeLinhaPerdidaOuMovida)
{
    // Labels, lists, indentation, code, underlines and headings: every line
    // stays a line, its indentation and its blanks too.
    const std::vector<std::pair<std::string, std::string>> casos = {
        {"Name:\tJohn\nAge:\t30\n", "Nome:\tJohn\nIdade:\t30\n"},
        {"Heading \n\nThe cat.\n", "T\xEDtulo \n\nO gato.\n"},
        {"- the cat\n- the dog\n", "- o gato\n- o c\xE3o\n"},
        {"1. The cat\n2. The dog\n", "1. O gato\n2. O c\xE3o\n"},
        {"The dog\n    x = 1;\n    y = 2;\n", "O c\xE3o\n    x = 1;\n    y = 2;\n"},
        {"Cats\n====\nThe dog\n", "Gatos\n====\nO c\xE3o\n"},
        {"# The dog\nThe cat\n", "# O c\xE3o\nO gato\n"},
        {"  The cat\r\n\r\n\tThe dog\r\n", "  O gato\r\n\r\n\tO c\xE3o\r\n"},
    };
    for (const auto& [ingles, portugues] : casos) {
        const std::string r = TraduzirArquivo(ingles);
        EXPECT_EQ(r, portugues);
        EXPECT_EQ(ContarLinhas(r), ContarLinhas(ingles)) << ingles;
    }
}

TEST_F(Texto, RetornoDeCarroSozinhoCortaComoQuebraDeLinha)
{
    // The rules look at the line a lone carriage return ends just as at one a
    // line feed ends, blanks before the end included.
    auto comRetorno = [](std::string t) {
        std::replace(t.begin(), t.end(), '\n', '\r');
        return t;
    };
    for (const std::string ingles : {"Name:\tJohn\nAge:\t30\n", "The dog\n    x = 1;\n    y = 2;\n",
                                     "Cats\n====\nThe dog\n", "The cat is on  \nthe table.\n",
                                     "1. The cat is on\n   the table\n2. The dog\n"})
        EXPECT_EQ(TraduzirArquivo(comRetorno(ingles)), comRetorno(TraduzirArquivo(ingles))) << ingles;
}

TEST_F(Texto, ProsaQuebradaTraduzidaComoFraseInteira)
{
    // A line break inside a sentence goes with the word after it: the
    // sentence is translated whole and the break comes back before the
    // translation of that word, with the indentation around it.
    std::string junta = TraduzirArquivo("The cat is on\nthe table.");
    EXPECT_EQ(ContarLinhas(junta), 1u);
    std::replace(junta.begin(), junta.end(), '\n', ' ');
    EXPECT_EQ(junta, TraduzirArquivo("The cat is on the table."));
    const std::string quebrada = TraduzirArquivo("The text of the\nbook is good.");
    EXPECT_EQ(quebrada, "O texto do\nlivro \xE9 bom.");
    EXPECT_EQ(TraduzirArquivo("The cat is\n   here."), "O gato \xE9\n   aqui.");
    // A list item goes on on its next line when that line keeps to its text.
    EXPECT_EQ(ContarLinhas(TraduzirArquivo("- the cat is on\n  the table\n- the dog\n")), 3u);
    // Written as read, the layout is exactly that of the input.
    const std::string nomes = "Zorb Quux\n  Frob Blim\t\n\n   Plugh\n";
    EXPECT_EQ(TraduzirArquivo(nomes), nomes);
    // In stream mode too, whatever the chunks.
    const std::string texto = "The cat is on\nthe table.\nName:\tJohn\n";
    for (std::size_t tam : {1u, 3u, 16u}) EXPECT_EQ(TraduzirFluxo(texto, tam), TraduzirArquivo(texto)) << tam;
}

TEST_F(Texto, PalavrasComoForamLidasENulos)
{
    // Written as read: exactly as read, capitals included.
    EXPECT_EQ(TraduzirArquivo("zzqx iPhone getElementById McDonald eBay OpenSSL."),
              "zzqx iPhone getElementById McDonald eBay OpenSSL.");
    // An accented capital is a capital.
    EXPECT_EQ(TraduzirArquivo("\xC9mile Zola wrote the book. \xC9" "COLE is here."),
              "\xC9mile Zola gravou o livro. \xC9" "COLE est\xE1 aqui.");
    // A NUL is neither a word nor an apostrophe, and comes back.
    const std::string nulo("Zorb\0quux plugh.", 16);
    EXPECT_EQ(TraduzirArquivo(nulo), nulo);
    EXPECT_EQ(Tokens(std::string("a\0'b'", 5)).find("'b"), std::string::npos);
}
