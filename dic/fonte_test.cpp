#include "fonte.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "mensagens.h"

#include <csignal>

#include <sys/resource.h>
#include <sys/wait.h>

namespace fs = std::filesystem;

namespace {

std::string LerArquivo(const fs::path& p)
{
    std::ifstream f(p, std::ios::binary);
    return {(std::istreambuf_iterator<char>(f)), std::istreambuf_iterator<char>()};
}

void Gravar(const fs::path& p, const std::string& texto)
{
    std::ofstream f(p, std::ios::binary);
    f << texto;
}

LinhaTraducao Traducao(const std::string& texto, const std::string& condicao = "")
{
    LinhaTraducao l;
    l.traducao = texto;
    LerCondicao(condicao, l.ficha);
    return l;
}

class PastaTemporaria : public ::testing::Test {
protected:
    void SetUp() override
    {
        pasta_ = fs::temp_directory_path() /
                 ("quillane_fonte_" + std::to_string(::getpid()) + "_" +
                  ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(pasta_);
        fs::create_directories(pasta_);
        DefinirSaidaMensagens([this](const std::string&, const std::string& texto) {
            mensagens_.push_back(texto);
            return 1;
        });
    }
    void TearDown() override
    {
        DefinirSaidaMensagens({});
        fs::remove_all(pasta_);
    }
    fs::path pasta_;
    std::vector<std::string> mensagens_;
};

} // namespace

TEST(NormalizarChave, FormasDeChaveEExibicao)
{
    EXPECT_EQ(NormalizarChave("hello  world", FormaChave::Chave), "hello_world");
    EXPECT_EQ(NormalizarChave("cr\xE8me br\xFBl\xE9" "e", FormaChave::Chave), "crme_brle");
    EXPECT_EQ(NormalizarChave("Hello", FormaChave::Chave), "ello");
    EXPECT_EQ(NormalizarChave(" \t well-known \r\n", FormaChave::Chave), "well-known");
    EXPECT_EQ(NormalizarChave("a 1", FormaChave::Chave), "a");        // single trailing "_" removed
    EXPECT_EQ(NormalizarChave("hello_world", FormaChave::Chave), "hello_world");  // idempotent
    EXPECT_EQ(NormalizarChave("", FormaChave::Chave), "");
    EXPECT_EQ(NormalizarChave("hello_world", FormaChave::Exibicao), "hello world");
    EXPECT_EQ(NormalizarChave("_a__b_", FormaChave::Exibicao), "a b ");
    EXPECT_EQ(NormalizarChave("  Caf\xE9_X ", FormaChave::Exibicao), "Caf\xE9 X");
}

TEST(CaminhoCompilado, TrocaAExtensaoDoNome)
{
    EXPECT_EQ(CaminhoCompilado("/d/meu.lex"), "/d/meu.udc");
    EXPECT_EQ(CaminhoCompilado("a.b.lex"), "a.b.udc");
    EXPECT_EQ(CaminhoCompilado("meu"), "meu.udc");
    EXPECT_EQ(CaminhoCompilado("/pasta.x/meu"), "/pasta.x/meu.udc");
}

TEST(Condicoes, LerETextoDasListas)
{
    FichaTraducao f;
    LerCondicao(">N&<VP|+P3", f);
    EXPECT_EQ(f.verbo[1], 5);
    EXPECT_EQ(f.opcao[1], 1);
    EXPECT_EQ(f.conector[2], 1);
    EXPECT_EQ(f.verbo[2], 4);
    EXPECT_EQ(f.opcao[2], 9);
    EXPECT_EQ(f.conector[3], 2);
    EXPECT_EQ(f.verbo[3], 7);
    EXPECT_EQ(f.opcao[3], 18);
    EXPECT_EQ(TextoCondicao(f), "For seguida de Substantivo; E For precedida de Verbo concordando com plural; "
                                "Ou A pr\xF3xima for Pronome 3 pessoa do singular");
    EXPECT_EQ(CodigoCondicao(f), ">N&<VP|+P3");

    // Every option code reads back to its own index.
    for (int op = 1; op < kNumOpcoes; ++op) {
        FichaTraducao g;
        LerCondicao(std::string("*") + CodigosOpcao[op], g);
        EXPECT_EQ(g.opcao[1], op) << CodigosOpcao[op];
        EXPECT_EQ(TextoCondicao(g), std::string("For um ") + NomesOpcao[op]);
    }
    EXPECT_STREQ(NomesOpcao[7], "Adv\xE9rbio");
    EXPECT_STREQ(NomesOpcao[11], "Verbo no partic\xEDpio");

    // Unchosen parts drop out with their separators; more than three conditions are ignored.
    FichaTraducao h;
    LerCondicao("&N|*&>V|-D", h);
    EXPECT_EQ(h.verbo[1], -1);
    EXPECT_EQ(h.opcao[2], 1);
    EXPECT_EQ(TextoCondicao(h), "; E; Ou For um");
    EXPECT_EQ(CodigoCondicao(h), "");
    FichaTraducao vazio;
    EXPECT_EQ(TextoCondicao(vazio), "");
}

TEST(Composicao, ListaDeTraducoes)
{
    FichaEntrada f;
    EXPECT_EQ(ComporLinha("word", {Traducao("first", ">N"), Traducao("second")}, f), "word!T(first,>N,second)");
    EXPECT_EQ(ComporLinha("word", {Traducao("first"), Traducao("second")}, f), "word!T(first,,second)");
    EXPECT_EQ(ComporLinha("word", {Traducao("first"), Traducao("second", "*V&<N")}, f),
              "word!T(first,,second,*V&<N)");
    // The list's own delimiters cannot slip in from a typed translation.
    EXPECT_EQ(ComporLinha("word", {Traducao("a,b)\r\nc")}, f), "word!T(ab  c)");
    EXPECT_EQ(ComporLinha("123", {}, f), "");
}

TEST(Composicao, ClassesEmOrdemFixa)
{
    FichaEntrada f;
    f.verbo = true;
    f.passado = true;
    f.participio = true;
    EXPECT_EQ(ComporLinha("Went", {}, f), "ent!VSR");

    FichaEntrada g;
    g.mascaraLocucao = 0x05;
    g.substantivo = true;
    g.genero = 1;
    g.numero = 1;
    g.animado = true;
    g.adjetivo = true;
    g.titulo = true;
    g.concordaGenero = false;
    g.verboAuxiliar = true;
    g.pessoas[2] = true;
    g.artigo = true;
    g.tipoArtigo = 1;
    g.pronome = true;
    g.tipoPronome = 2;
    g.pessoaPronome = 5;
    g.formaBase = "Base Form";
    EXPECT_EQ(ComporLinha("the key", {Traducao("x")}, g), "the_key!#13.NFPA.ATG.X3.EI.PD6.T(x).R(ase_orm)");
    g.formaBase = "the key";
    EXPECT_EQ(ComporLinha("the key", {}, g), "the_key!#13.NFPA.ATG.X3.EI.PD6");
}

TEST(Composicao, IdaEVoltaPreservaAEntrada)
{
    FichaEntrada f;
    f.substantivo = f.adjetivo = f.verbo = f.verboAuxiliar = f.adverbio = f.artigo = f.preposicao =
        f.interjeicao = f.pronome = f.conjuncao = true;
    f.mascaraLocucao = 0x83;
    f.formaBase = "go";
    f.genero = 0;
    f.numero = 0;
    f.animado = true;
    f.deEstado = f.titulo = f.determinante = true;
    f.concordaNumero = false;
    f.tipoArtigo = 0;
    f.tipoPronome = 4;
    f.pessoaPronome = 0;
    f.infinitivo = f.passado = f.participio = f.presente = f.gerundio = f.formaA = true;
    f.pessoas[0] = f.pessoas[5] = true;
    f.numeroVerbo = 7;
    f.pronomeQ = true;

    DicionarioFonte dic;
    TelaEntrada tela;
    tela.chave = "went  away";
    tela.traducoes = {Traducao("foi embora", "-P1&@NFP"), Traducao("saiu"), Traducao("partiu", "^.")};
    const int pos = dic.GravarEntrada(-1, tela, f);
    ASSERT_EQ(pos, 0);
    EXPECT_EQ(tela.chave, "went away");

    TelaEntrada lida;
    FichaEntrada g;
    ASSERT_TRUE(dic.MostrarEntrada(0, lida, g));
    EXPECT_EQ(lida.chave, "went away");
    ASSERT_EQ(lida.traducoes.size(), 3u);
    EXPECT_EQ(lida.traducoes[0].traducao, "foi embora");
    EXPECT_EQ(lida.traducoes[0].quando,
              "A anterior for Pronome 1 pessoa do singular; E Concordar com um Substantivo Feminino Plural");
    EXPECT_EQ(lida.traducoes[1].quando, "");
    EXPECT_EQ(lida.traducoes[2].quando, "Pertencer a um Fim de frase");

    // Composing what was read gives back the same line.
    EXPECT_EQ(ComporLinha(lida.chave, lida.traducoes, g), dic.Linhas()[0]);
    EXPECT_EQ(g.mascaraLocucao, f.mascaraLocucao);
    EXPECT_EQ(g.formaBase, "go");
    EXPECT_TRUE(g.substantivo && g.adjetivo && g.verbo && g.verboAuxiliar && g.adverbio && g.artigo &&
                g.preposicao && g.interjeicao && g.pronome && g.conjuncao);
    EXPECT_EQ(g.genero, 0);
    EXPECT_EQ(g.numero, 0);
    EXPECT_TRUE(g.animado && g.deEstado && g.titulo && g.determinante);
    EXPECT_FALSE(g.concordaNumero);
    EXPECT_TRUE(g.concordaGenero);
    EXPECT_EQ(g.tipoArtigo, 0);
    EXPECT_EQ(g.tipoPronome, 4);
    EXPECT_EQ(g.pessoaPronome, 0);
    EXPECT_TRUE(g.infinitivo && g.passado && g.participio && g.presente && g.gerundio && g.formaA);
    EXPECT_TRUE(g.pessoas[0] && g.pessoas[5]);
    EXPECT_FALSE(g.pessoas[1] || g.pessoas[2] || g.pessoas[3] || g.pessoas[4]);
    EXPECT_EQ(g.numeroVerbo, 7);
    EXPECT_TRUE(g.pronomeQ);
}

TEST(Analise, CodigosDesconhecidosESemFechamento)
{
    TelaEntrada tela;
    FichaEntrada f;
    // The verb number's digits are not persons; unknown bytes are skipped.
    AnalisarLinha("go!VI12Z.NQ.T(ir_embora,*N", tela, f);
    EXPECT_EQ(f.numeroVerbo, 12);
    EXPECT_FALSE(f.pessoas[0] || f.pessoas[1]);
    EXPECT_TRUE(f.substantivo);
    ASSERT_EQ(tela.traducoes.size(), 1u);
    EXPECT_EQ(tela.traducoes[0].traducao, "ir embora");
    EXPECT_EQ(tela.traducoes[0].ficha.opcao[1], 1);
    AnalisarLinha("sem exclamacao", tela, f);
    EXPECT_EQ(tela.chave, "sem exclamacao");
    EXPECT_TRUE(tela.traducoes.empty());
}

TEST(Dicionario, ProcurarGravarExcluir)
{
    DicionarioFonte dic;
    EXPECT_FALSE(dic.ProcurarEntrada("x").achou);
    EXPECT_EQ(dic.ProcurarEntrada("x").posicao, 0);

    dic.CarregarTexto("dog!N\r\nbird!N\r\ncat!N\r\nhot_dog!N\r\n");
    ASSERT_EQ(dic.Contagem(), 4);
    EXPECT_EQ(dic.Linhas()[0], "bird!N");
    auto b = dic.ProcurarEntrada("Cat");  // "C" is dropped: "at"
    EXPECT_FALSE(b.achou);
    EXPECT_EQ(b.posicao, 0);
    b = dic.ProcurarEntrada("cat");
    EXPECT_TRUE(b.achou);
    EXPECT_EQ(b.posicao, 1);
    b = dic.ProcurarEntrada("hot dog");
    EXPECT_TRUE(b.achou);
    EXPECT_EQ(b.posicao, 3);
    b = dic.ProcurarEntrada("zebra");
    EXPECT_FALSE(b.achou);
    EXPECT_EQ(b.posicao, 4);
    b = dic.ProcurarEntrada("cow");
    EXPECT_FALSE(b.achou);
    EXPECT_EQ(b.posicao, 2);

    // Replacing "cat" by "zebra" moves it to the end.
    TelaEntrada tela;
    tela.chave = "zebra";
    FichaEntrada f;
    f.substantivo = true;
    EXPECT_EQ(dic.GravarEntrada(1, tela, f), 3);
    EXPECT_EQ(dic.Contagem(), 4);
    EXPECT_FALSE(dic.ProcurarEntrada("cat").achou);
    EXPECT_EQ(dic.Linhas()[3], "zebra!N");
    // A key with nothing left in key form is not stored.
    tela.chave = "123";
    EXPECT_EQ(dic.GravarEntrada(-1, tela, f), -1);
    EXPECT_EQ(dic.Contagem(), 4);

    EXPECT_FALSE(dic.ExcluirEntrada(4));
    EXPECT_FALSE(dic.ExcluirEntrada(-1));
    EXPECT_TRUE(dic.ExcluirEntrada(0));
    EXPECT_EQ(dic.Contagem(), 3);
    EXPECT_FALSE(dic.MostrarEntrada(3, tela, f));
    dic.Limpar();
    EXPECT_EQ(dic.Contagem(), 0);
}

TEST(Dicionario, OrdemDaListaIgnoraCaixa)
{
    DicionarioFonte dic;
    dic.CarregarTexto("b!N\r\nB!A\r\na!N\r\nA!N\r\n");
    const std::vector<std::string> esperado = {"A!N", "a!N", "B!A", "b!N"};
    EXPECT_EQ(dic.Linhas(), esperado);
    // The compiler's input is in plain byte order.
    EXPECT_EQ(dic.TextoCompilavel(), "A!N\r\nB!A\r\na!N\r\nb!N\r\n");
}

TEST_F(PastaTemporaria, CarregarFonteTrocaSeparadoresEAceitaLF)
{
    Gravar(pasta_ / "x.lex", std::string("dog:N\r\ncat\tN.T(gato)\n\n\r\nbird!A\rfish!N"));
    DicionarioFonte dic;
    ASSERT_TRUE(dic.CarregarFonte((pasta_ / "x.lex").string()));
    const std::vector<std::string> esperado = {"bird!A", "cat!N.T(gato)", "dog!N", "fish!N"};
    EXPECT_EQ(dic.Linhas(), esperado);
    // A missing file leaves the dictionary as it was, silently.
    EXPECT_FALSE(dic.CarregarFonte((pasta_ / "nada.lex").string()));
    EXPECT_FALSE(dic.CarregarFonte(pasta_.string()));
    EXPECT_EQ(dic.Contagem(), 4);
    EXPECT_TRUE(mensagens_.empty());
}

TEST_F(PastaTemporaria, SalvarFonteGravaECompila)
{
    DicionarioFonte dic;
    dic.CarregarTexto("b!N\r\nA!N\r\n");
    EXPECT_FALSE(dic.SalvarFonte((pasta_ / "meu.lex").string()));
    EXPECT_EQ(LerArquivo(pasta_ / "meu.lex"), "A!N\r\nb!N\r\n");
    ASSERT_FALSE(mensagens_.empty());  // "A" cannot begin a key
    mensagens_.clear();

    dic.CarregarTexto("zoo!N\r\nbee!N.T(abelha)\r\n");
    ASSERT_TRUE(dic.SalvarFonte((pasta_ / "meu.lex").string()));
    EXPECT_TRUE(mensagens_.empty());
    EXPECT_EQ(fs::file_size(pasta_ / "meu.udc"), 1686u + 2 * 5 + 7 + 14);
}

TEST_F(PastaTemporaria, ErroDeCompilacaoMantemAFonteSalva)
{
    DicionarioFonte dic;
    dic.CarregarTexto("cat!N\r\n9lives!N\r\n");
    EXPECT_FALSE(dic.SalvarFonte((pasta_ / "meu.lex").string()));
    EXPECT_EQ(LerArquivo(pasta_ / "meu.lex"), "9lives!N\r\ncat!N\r\n");
    ASSERT_EQ(mensagens_.size(), 2u);
    EXPECT_EQ(mensagens_[0].rfind("Erro cr\xEDtico no dicion\xE1rio (3) na linha 1: 9lives - ", 0), 0u);
    EXPECT_EQ(mensagens_[1], "Erro na compila\xE7\xE3o do dicion\xE1rio");
    EXPECT_FALSE(fs::exists(pasta_ / "meu.udc"));
    EXPECT_EQ(dic.Contagem(), 2);
}

namespace {

int Executar(const std::string& argumentos)
{
    const std::string comando = std::string("'") + QUILLANE_DIC_EXE + "' " + argumentos + " >/dev/null 2>&1";
    const int r = std::system(comando.c_str());
    return WIFEXITED(r) ? WEXITSTATUS(r) : -1;
}

} // namespace

TEST_F(PastaTemporaria, ProgramaDic)
{
    const std::string p = pasta_.string();
    Gravar(pasta_ / "ok.lex", "dog!N\nbird!N.T(p\xE1ssaro)\n");
    Gravar(pasta_ / "semext", "dog!N\r\n");
    Gravar(pasta_ / "ruim.lex", "dog!N\r\ncat!Q\r\n");

    EXPECT_EQ(Executar("--help"), 0);
    // Without arguments dic opens its window; every option goes to the
    // command-line mode.
    EXPECT_EQ(Executar("-x"), 2);
    EXPECT_EQ(Executar("--compilar"), 2);
    EXPECT_EQ(Executar("--outra x.lex"), 2);
    // Several sources: the last name is the destination.
    EXPECT_EQ(Executar("--compilar a b c"), 1);
    EXPECT_FALSE(fs::exists(pasta_ / "c"));

    EXPECT_EQ(Executar("--compilar '" + p + "/ok.lex'"), 0);
    EXPECT_TRUE(fs::exists(pasta_ / "ok.udc"));
    EXPECT_EQ(Executar("--compilar '" + p + "/ok.lex' '" + p + "/outro.bin'"), 0);
    EXPECT_EQ(LerArquivo(pasta_ / "outro.bin"), LerArquivo(pasta_ / "ok.udc"));
    EXPECT_EQ(Executar("--compilar '" + p + "/semext'"), 0);
    EXPECT_TRUE(fs::exists(pasta_ / "semext.udc"));

    EXPECT_EQ(Executar("--compilar '" + p + "/ruim.lex'"), 1);
    EXPECT_FALSE(fs::exists(pasta_ / "ruim.udc"));
    EXPECT_EQ(Executar("--compilar '" + p + "/nada.lex'"), 1);

    Gravar(pasta_ / "b.lex", "cat!N\r\ndog!A.T(canino)\r\n");
    Gravar(pasta_ / "c.lex", "ant!N\r\ncat!A\r\n");
    EXPECT_EQ(Executar("--compilar '" + p + "/ok.lex' '" + p + "/b.lex' '" + p + "/c.lex' '" + p + "/junto.dic'"), 0);
    Gravar(pasta_ / "junto.lex", "ant!N\r\nbird!N.T(p\xE1ssaro)\r\ncat!N\r\ndog!N\r\n");
    EXPECT_EQ(Executar("--compilar '" + p + "/junto.lex'"), 0);
    EXPECT_EQ(LerArquivo(pasta_ / "junto.dic"), LerArquivo(pasta_ / "junto.udc"));
    EXPECT_EQ(Executar("--compilar '" + p + "/ok.lex' '" + p + "/ruim.lex' '" + p + "/x.dic'"), 1);
    EXPECT_EQ(Executar("--compilar '" + p + "/ok.lex' '" + p + "/nada.lex' '" + p + "/x.dic'"), 1);
    EXPECT_FALSE(fs::exists(pasta_ / "x.dic"));

    // The message reaches the terminal in UTF-8.
    const std::string saida = p + "/erro.txt";
    std::system((std::string("'") + QUILLANE_DIC_EXE + "' --compilar '" + p + "/ruim.lex' 2>'" + saida + "'").c_str());
    EXPECT_NE(LerArquivo(saida).find("Erro cr\xC3\xADtico no dicion\xC3\xA1rio (4) na linha 1: cat"), std::string::npos);
}

TEST_F(PastaTemporaria, SalvarFonteQueFalhaNaoEstragaOArquivo)
{
    // A save that cannot finish (here: a file size limit, as a full disc
    // would) leaves the previous source whole and no work file behind.
    Gravar(pasta_ / "meu.lex", "cat!N\r\n");
    DicionarioFonte dic;
    std::string grande;
    for (int i = 0; i < 2000; ++i) grande += "cat" + std::string(1, static_cast<char>('a' + i % 26)) + std::to_string(i) + "!N\r\n";
    dic.CarregarTexto(grande);
    struct rlimit antes {};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &antes), 0);
    const auto sinal = std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit limite = antes;
    limite.rlim_cur = 100;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &limite), 0);
    const bool salvou = dic.SalvarFonte((pasta_ / "meu.lex").string());
    ::setrlimit(RLIMIT_FSIZE, &antes);
    std::signal(SIGXFSZ, sinal);
    EXPECT_FALSE(salvou);
    EXPECT_EQ(LerArquivo(pasta_ / "meu.lex"), "cat!N\r\n");
    EXPECT_EQ(std::distance(fs::directory_iterator(pasta_), fs::directory_iterator()), 1);
    ASSERT_EQ(mensagens_.size(), 1u);
    EXPECT_NE(mensagens_[0].find("n\xE3o foi salvo"), std::string::npos);

    // A folder that is not one.
    mensagens_.clear();
    Gravar(pasta_ / "arquivo", "x");
    EXPECT_FALSE(dic.SalvarFonte((pasta_ / "arquivo" / "meu.lex").string()));
    ASSERT_EQ(mensagens_.size(), 1u);
    EXPECT_FALSE(fs::exists(pasta_ / "meu.udc"));
}

TEST_F(PastaTemporaria, ProgramaDicRecusaDestinosPerigosos)
{
    const std::string p = pasta_.string();
    Gravar(pasta_ / "x.lex", "dog!N\r\n");
    const std::string fonte = LerArquivo(pasta_ / "x.lex");
    // The source itself, by its path, a link or another name: refused, the
    // source untouched.
    EXPECT_EQ(Executar("--compilar '" + p + "/x.lex' '" + p + "/x.lex'"), 1);
    fs::create_symlink(pasta_ / "x.lex", pasta_ / "elo");
    EXPECT_EQ(Executar("--compilar '" + p + "/x.lex' '" + p + "/elo'"), 1);
    fs::create_hard_link(pasta_ / "x.lex", pasta_ / "duro");
    EXPECT_EQ(Executar("--compilar '" + p + "/x.lex' '" + p + "/duro'"), 1);
    Gravar(pasta_ / "y.udc", "dog!N\r\n");
    EXPECT_EQ(Executar("--compilar '" + p + "/y.udc'"), 1);  // its own default destination
    EXPECT_EQ(LerArquivo(pasta_ / "x.lex"), fonte);
    // A device or a FIFO is never replaced by a file.
    EXPECT_EQ(Executar("--compilar '" + p + "/x.lex' /dev/null"), 1);
    EXPECT_TRUE(fs::is_character_file("/dev/null"));
    ASSERT_EQ(mkfifo((pasta_ / "fifo").c_str(), 0600), 0);
    EXPECT_EQ(Executar("--compilar '" + p + "/x.lex' '" + p + "/fifo'"), 1);
    EXPECT_TRUE(fs::is_fifo(pasta_ / "fifo"));
    // A link to another file is written through, and stays a link.
    Gravar(pasta_ / "alvo.udc", "velho");
    fs::create_symlink(pasta_ / "alvo.udc", pasta_ / "elo.udc");
    EXPECT_EQ(Executar("--compilar '" + p + "/x.lex' '" + p + "/elo.udc'"), 0);
    EXPECT_TRUE(fs::is_symlink(pasta_ / "elo.udc"));
    EXPECT_NE(LerArquivo(pasta_ / "alvo.udc"), "velho");
}
