// vertal as a user runs it: options, standard input and files, exit codes.
#include "vertal.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <vector>

namespace {

struct Resultado {
    int status = -1;
    std::string saida;
    std::string erros;
};

std::string Ler(const std::string& caminho)
{
    std::ifstream f(caminho, std::ios::binary);
    std::stringstream s;
    s << f.rdbuf();
    return s.str();
}

class Vertal : public testing::Test {
protected:
    void SetUp() override
    {
        pasta_ = std::filesystem::temp_directory_path() /
                 ("quillane-vertal-" + std::to_string(getpid()) + "-" +
                  testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::remove_all(pasta_);
        std::filesystem::create_directories(pasta_ / "registro");
    }
    void TearDown() override { std::filesystem::remove_all(pasta_); }

    std::string Caminho(const std::string& nome) const { return (pasta_ / nome).string(); }

    // Runs vertal with an empty settings store, so the engine finds its data
    // beside the library, as an installed suite does.
    Resultado Rodar(const std::string& argumentos, const std::string& entrada = "", const std::string& ambiente = "")
    {
        std::ofstream(Caminho("stdin"), std::ios::binary) << entrada;
        const std::string comando = "QUILLANE_REGISTRO='" + Caminho("registro") + "' " + ambiente + " " +
                                    QUILLANE_VERTAL_EXE + " " + argumentos + " < '" + Caminho("stdin") + "' > '" +
                                    Caminho("stdout") + "' 2> '" + Caminho("stderr") + "'";
        Resultado r;
        const int estado = std::system(comando.c_str());
        r.status = WIFEXITED(estado) ? WEXITSTATUS(estado) : -1;
        r.saida = Ler(Caminho("stdout"));
        r.erros = Ler(Caminho("stderr"));
        return r;
    }

    // The status of vertal run with the redirections given.
    int Direto(const std::string& argumentos)
    {
        const std::string comando = "QUILLANE_REGISTRO='" + Caminho("registro") + "' " + QUILLANE_VERTAL_EXE + " " +
                                    argumentos + " 2>/dev/null </dev/null";
        const int estado = std::system(comando.c_str());
        return WIFEXITED(estado) ? WEXITSTATUS(estado) : -1;
    }

    std::filesystem::path pasta_;
};

} // namespace

TEST_F(Vertal, EntradaPadraoEmFluxo)
{
    auto r = Rodar("", "Xyzzy plugh.\n");
    EXPECT_EQ(r.status, 0) << r.erros;
    EXPECT_EQ(r.saida, "Xyzzy plugh.\n");

    // Larger than one chunk, with UTF-8 characters cut at chunk boundaries.
    std::string grande;
    for (int i = 0; i < 400; ++i) grande += "Caf\xC3\xA9 na\xC3\xAFve r\xC3\xA9sum\xC3\xA9 \xE2\x80\x9Cquux\xE2\x80\x9D.\n";
    r = Rodar("--estatisticas", grande);
    EXPECT_EQ(r.status, 0) << r.erros;
    EXPECT_EQ(r.saida, grande);
    EXPECT_NE(r.erros.find("conhecida"), std::string::npos);
}

TEST_F(Vertal, CaracteresForaDoWindows1252)
{
    // Plain text: every character comes back, in its place, translated or
    // not, with no warning since nothing was replaced.
    auto r = Rodar("", "Xyzzy \xE6\x97\xA5\xE6\x9C\xAC plugh.\n");
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.saida, "Xyzzy \xE6\x97\xA5\xE6\x9C\xAC plugh.\n");
    EXPECT_EQ(r.erros, "");
    r = Rodar("", "The cat \xE2\x86\x92 the dog \xF0\x9F\x90\x88 Dvo\xC5\x99\xC3\xA1k \xC2\x81.\n");
    EXPECT_EQ(r.saida, "O gato \xE2\x86\x92 o c\xC3\xA3o \xF0\x9F\x90\x88 Dvo\xC5\x99\xC3\xA1k \xC2\x81.\n");
    EXPECT_EQ(r.erros, "");
    // A byte order mark stays where it was; bytes that are not UTF-8 come
    // back as they were and are counted.
    r = Rodar("", "\xEF\xBB\xBFXyzzy \xFF\xFE plugh.\n");
    EXPECT_EQ(r.saida, "\xEF\xBB\xBFXyzzy \xFF\xFE plugh.\n");
    EXPECT_NE(r.erros.find("2 byte(s)"), std::string::npos) << r.erros;
    // HTML reads such bytes as Windows-1252, and says so.
    r = Rodar("--html", "<p>Xyzzy \xFF plugh.</p>");
    EXPECT_EQ(r.saida, "<p>Xyzzy \xC3\xBF plugh.</p>");
    EXPECT_NE(r.erros.find("1 byte(s)"), std::string::npos) << r.erros;
    // RTF is handed over byte for byte: nothing replaced, nothing to warn of;
    // the document's bytes are its code page's characters.
    r = Rodar("--rtf", "{\\rtf1 Xyzzy \xE6\x97\xA5.}");
    EXPECT_NE(r.saida.find("Xyzzy{ \\'e6\\'97\\'a5.}"), std::string::npos) << r.saida;
    EXPECT_EQ(r.erros, "");

    r = Rodar("--cp1252", "Ol\xE1 \xFF.\n");
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.saida, "Ol\xE1 \xFF.\n");
}

TEST_F(Vertal, ArquivosNomeados)
{
    std::ofstream(Caminho("in.txt"), std::ios::binary) << "Xyzzy   plugh.\n\nFrobz \xC3\xA9.\n";
    auto r = Rodar("'" + Caminho("in.txt") + "' '" + Caminho("out.txt") + "'");
    EXPECT_EQ(r.status, 0) << r.erros;
    EXPECT_EQ(Ler(Caminho("out.txt")), "Xyzzy plugh.\n\nFrobz \xC3\xA9.\n");

    r = Rodar("'" + Caminho("in.txt") + "'");
    EXPECT_EQ(r.saida, "Xyzzy plugh.\n\nFrobz \xC3\xA9.\n");

    r = Rodar("--cp1252 '" + Caminho("in.txt") + "' '" + Caminho("out2.txt") + "'");
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(Ler(Caminho("out2.txt")), "Xyzzy plugh.\n\nFrobz \xC3\xA9.\n");

    r = Rodar("--desconhecidas '" + Caminho("desc.txt") + "' '" + Caminho("in.txt") + "'");
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(Ler(Caminho("desc.txt")), "xyzzy\nplugh\nfrobz\n");
}

TEST_F(Vertal, ArquivoAusenteESaidaImpossivel)
{
    auto r = Rodar("'" + Caminho("nao-ha.txt") + "'");
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.erros.find("nao-ha.txt"), std::string::npos) << r.erros;
    EXPECT_NE(r.erros.find("n\xC3\xA3o foi encontrado"), std::string::npos) << r.erros;

    r = Rodar("--cp1252 '" + Caminho("nao-ha.txt") + "' '" + Caminho("x.txt") + "'");
    EXPECT_EQ(r.status, 1);

    std::ofstream(Caminho("in.txt")) << "Hello.";
    r = Rodar("'" + Caminho("in.txt") + "' '" + Caminho("sem/pasta/out.txt") + "'");
    EXPECT_EQ(r.status, 1);
    r = Rodar("- '" + Caminho("sem/pasta/out.txt") + "'", "Hello.");
    EXPECT_EQ(r.status, 1);
}

TEST_F(Vertal, MotorSemDados)
{
    // A settings store that points at an empty folder: the engine is not ready.
    std::filesystem::create_directories(pasta_ / "vazia");
    std::ofstream(pasta_ / "registro" / "HKEY_LOCAL_MACHINE.reg")
        << "REGEDIT4\n\n[SOFTWARE\\Brinmor\\Quillane Beta]\n\"DirRoot\"=\"" << Caminho("vazia") << "\"\n";
    auto r = Rodar("", "Hello.");
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.erros.find("ip.dic"), std::string::npos) << r.erros;
}

TEST_F(Vertal, OpcoesEUso)
{
    auto r = Rodar("--help");
    EXPECT_EQ(r.status, 0);
    EXPECT_NE(r.saida.find("Uso: vertal"), std::string::npos);
    EXPECT_EQ(Rodar("--desconhecido").status, 2);
    EXPECT_EQ(Rodar("--html --rtf").status, 2);
    EXPECT_EQ(Rodar("a b c").status, 2);
    EXPECT_EQ(Rodar("--area-de-transferencia x").status, 2);
    EXPECT_EQ(Rodar("--desconhecidas").status, 2);

    OpcoesVertal o;
    std::string erro;
    ASSERT_TRUE(LerOpcoes({"--rtf", "--cp1252", "--desconhecidas=d.txt", "--", "-x", "y"}, &o, &erro));
    EXPECT_EQ(o.tipo, 2);
    EXPECT_TRUE(o.cp1252);
    EXPECT_EQ(o.desconhecidas, "d.txt");
    EXPECT_EQ(o.entrada, "-x");
    EXPECT_EQ(o.saida, "y");
}

TEST_F(Vertal, Conjugar)
{
    auto r = Rodar("--conjugar p\xC3\xB4r");
    EXPECT_EQ(r.status, 0) << r.erros;
    std::vector<std::string> linhas;
    std::stringstream s(r.saida);
    for (std::string linha; std::getline(s, linha);) linhas.push_back(linha);
    ASSERT_EQ(linhas.size(), 38u);
    EXPECT_EQ(linhas[0], "ponho");
    EXPECT_EQ(linhas[8], "p\xC3\xB4s");     // preterite, third person
    EXPECT_EQ(linhas[30], "");                // no imperative for "eu"
    EXPECT_EQ(linhas[31], "p\xC3\xB5" "e");
    EXPECT_EQ(linhas[36], "posto");
    EXPECT_EQ(linhas[37], "pondo");

    r = Rodar("--cp1252 --conjugar falar");
    EXPECT_EQ(r.saida.substr(0, 15), "falo\nfalas\nfala");
    EXPECT_EQ(Rodar("--conjugar").status, 2);
    EXPECT_EQ(Rodar("--conjugar ir x").status, 2);
}

TEST(Utf8, SequenciasCortadasEntreBlocos)
{
    std::string retido;
    EXPECT_EQ(CompletarUtf8(&retido, "ab\xC3"), "ab");
    EXPECT_EQ(retido, "\xC3");
    EXPECT_EQ(CompletarUtf8(&retido, "\xA9" "c\xE2\x80"), "\xC3\xA9" "c");
    EXPECT_EQ(CompletarUtf8(&retido, "\x9C"), "\xE2\x80\x9C");
    EXPECT_EQ(retido, "");
    EXPECT_EQ(CompletarUtf8(&retido, "x\x80"), "x\x80");  // a stray continuation byte is not held
}

TEST_F(Vertal, AreaDeTransferenciaSemTela)
{
    // No display is no clipboard at all, not one some program holds.
    auto r = Rodar("--area-de-transferencia", "", "env -u DISPLAY -u WAYLAND_DISPLAY");
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.erros.find("Nenhuma \xC3\xA1rea de transfer\xC3\xAAncia"), std::string::npos) << r.erros;
    EXPECT_EQ(r.erros.find("outro aplicativo"), std::string::npos) << r.erros;
}

TEST_F(Vertal, AreaDeTransferenciaComXvfb)
{
    if (std::system("command -v Xvfb >/dev/null && command -v xclip >/dev/null") != 0)
        GTEST_SKIP() << "Xvfb ou xclip ausente";
    // The server picks a free display itself (-displayfd), so tests running
    // side by side never share one.
    const std::string xvfb = "Xvfb -displayfd 3 -nolisten tcp 3>'" + Caminho("tela") + "' >/dev/null 2>&1 & echo $! > '" +
                             Caminho("xvfb.pid") + "'";
    ASSERT_EQ(std::system(xvfb.c_str()), 0);
    std::string numero;
    for (int i = 0; i < 200 && numero.find('\n') == std::string::npos; ++i) {
        numero = Ler(Caminho("tela"));
        if (numero.find('\n') == std::string::npos) usleep(50000);
    }
    ASSERT_NE(numero.find('\n'), std::string::npos) << "Xvfb n\xC3\xA3o iniciou";
    const std::string display = ":" + numero.substr(0, numero.find('\n'));
    const std::string env = "env -u WAYLAND_DISPLAY DISPLAY=" + display;
    ASSERT_EQ(std::system((env + " sh -c 'printf \"Xyzzy   plugh.\" | xclip -selection clipboard -i'").c_str()), 0);
    auto r = Rodar("--area-de-transferencia --estatisticas", "", env);
    EXPECT_EQ(r.status, 0) << r.erros;
    std::string conteudo;
    for (int i = 0; i < 40; ++i) {
        std::system((env + " xclip -selection clipboard -o > '" + Caminho("area") + "' 2>/dev/null").c_str());
        conteudo = Ler(Caminho("area"));
        if (conteudo == "Xyzzy plugh.") break;
        usleep(50000);
    }
    EXPECT_EQ(conteudo, "Xyzzy plugh.");
    // Characters outside Windows-1252 come back from the clipboard too.
    std::ofstream(Caminho("area.txt"), std::ios::binary) << "The cat \xE2\x86\x92 the dog \xF0\x9F\x90\x88.";
    ASSERT_EQ(std::system((env + " xclip -selection clipboard -i '" + Caminho("area.txt") + "'").c_str()), 0);
    r = Rodar("--area-de-transferencia", "", env);
    EXPECT_EQ(r.status, 0) << r.erros;
    EXPECT_EQ(r.erros, "");
    const std::string traducao = "O gato \xE2\x86\x92 o c\xC3\xA3o \xF0\x9F\x90\x88.";
    for (int i = 0; i < 40; ++i) {
        std::system((env + " xclip -selection clipboard -o > '" + Caminho("area") + "' 2>/dev/null").c_str());
        conteudo = Ler(Caminho("area"));
        if (conteudo == traducao) break;
        usleep(50000);
    }
    EXPECT_EQ(conteudo, traducao);
    // HTML keeps a character Windows-1252 lacks, in a style rule too.
    const std::string pagina = "<style>a{content:\"\xE2\x86\x92\"}</style><p>Xyzzy \xE2\x86\x92 plugh.</p>";
    std::ofstream(Caminho("pagina"), std::ios::binary) << pagina;
    ASSERT_EQ(std::system((env + " xclip -selection clipboard -i < '" + Caminho("pagina") + "'").c_str()), 0);
    r = Rodar("--html --area-de-transferencia", "", env);
    EXPECT_EQ(r.status, 0) << r.erros;
    for (int i = 0; i < 40; ++i) {
        std::system((env + " xclip -selection clipboard -o > '" + Caminho("area") + "' 2>/dev/null").c_str());
        conteudo = Ler(Caminho("area"));
        if (conteudo == pagina) break;
        usleep(50000);
    }
    EXPECT_EQ(conteudo, pagina);
    // RTF asked for while only text is there: nothing happens, no message.
    r = Rodar("--rtf --area-de-transferencia", "", env);
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.erros, "");
    std::system(("kill $(cat '" + Caminho("xvfb.pid") + "') 2>/dev/null").c_str());
}

TEST_F(Vertal, AnaliseMostraAArvoreDeCadaFrase)
{
    auto r = Rodar("--analise", "I'm working. Xyzzy plugh frobnitz.\n");
    EXPECT_EQ(r.status, 0) << r.erros;
    EXPECT_NE(r.saida.find("Frase 1: I'm working."), std::string::npos) << r.saida;
    EXPECT_NE(r.saida.find("grupo verbal tempo 2 (presente continuo)"), std::string::npos) << r.saida;
    EXPECT_NE(r.saida.find("\"am\""), std::string::npos) << r.saida;
    EXPECT_NE(r.saida.find("Frase 2: Xyzzy plugh frobnitz."), std::string::npos) << r.saida;
    // Nothing known: the sentence is said to stay as it was read.
    EXPECT_NE(r.saida.find("conhecidas: 0 de 3 (0%) - escrita como lida"), std::string::npos) << r.saida;
    // From a named file, into a named file.
    std::ofstream(Caminho("in.txt"), std::ios::binary) << "Do you like it?";
    r = Rodar("--analise '" + Caminho("in.txt") + "' '" + Caminho("out.txt") + "'");
    EXPECT_EQ(r.status, 0) << r.erros;
    EXPECT_NE(Ler(Caminho("out.txt")).find("Frase 1: Do you like it?"), std::string::npos);
    EXPECT_EQ(Rodar("--analise --html").status, 2);
    EXPECT_EQ(Rodar("--analise --conjugar ir").status, 2);
    EXPECT_NE(Rodar("--help").saida.find("--analise"), std::string::npos);
}

TEST_F(Vertal, RtfEmArquivoEEntradaPadrao)
{
    // Nothing here is in a dictionary, so the text comes back as read and the
    // layout can be checked exactly: tables copied, formatting in the writer's groups.
    const std::string rtf = "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\f0\\fs24 Zorb {\\b quenk} caf\\'e9. \\par}";
    const std::string esperado =
        "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\plain{\\f0\\fs24 Zorb}{\\b\\f0\\fs24{\\plain  }quenk}"
        "{\\b0\\f0\\fs24{\\plain  }caf\\'e9. \\par}}";
    std::ofstream(Caminho("in.rtf"), std::ios::binary) << rtf;
    auto r = Rodar("--rtf '" + Caminho("in.rtf") + "' '" + Caminho("out.rtf") + "'");
    EXPECT_EQ(r.status, 0) << r.erros;
    EXPECT_EQ(Ler(Caminho("out.rtf")), esperado);
    // Standard input in chunks gives the same bytes; a long document crosses many.
    r = Rodar("--rtf", rtf);
    EXPECT_EQ(r.status, 0) << r.erros;
    EXPECT_EQ(r.saida, esperado);
    std::string longo = "{\\rtf1 ";
    for (int i = 0; i < 300; ++i) longo += "Zorb quenk.\\par\n";
    longo += "}";
    r = Rodar("--rtf --cp1252", longo);
    EXPECT_EQ(r.status, 0) << r.erros;
    EXPECT_EQ(r.saida.size() > longo.size(), true);
    EXPECT_EQ(std::count(r.saida.begin(), r.saida.end(), '{'), std::count(r.saida.begin(), r.saida.end(), '}'));
}

TEST_F(Vertal, RtfNaAreaDeTransferenciaComXvfb)
{
    if (std::system("command -v Xvfb >/dev/null && command -v xclip >/dev/null") != 0)
        GTEST_SKIP() << "Xvfb ou xclip ausente";
    const int tela = 300 + getpid() % 200;
    const std::string display = ":" + std::to_string(tela);
    const std::string xvfb = "Xvfb " + display + " -nolisten tcp >/dev/null 2>&1 & echo $! > '" + Caminho("xvfb.pid") + "'";
    ASSERT_EQ(std::system(xvfb.c_str()), 0);
    bool pronto = false;
    for (int i = 0; i < 100 && !pronto; ++i) {
        pronto = std::filesystem::exists("/tmp/.X11-unix/X" + std::to_string(tela));
        if (!pronto) usleep(50000);
    }
    ASSERT_TRUE(pronto);
    const std::string env = "env -u WAYLAND_DISPLAY DISPLAY=" + display;
    std::ofstream(Caminho("area.rtf"), std::ios::binary) << "{\\rtf1{\\fonttbl{\\f0 Arial;}}\\f0 {\\b Zorb} quenk.\\par}";
    ASSERT_EQ(std::system((env + " xclip -selection clipboard -t text/rtf -i '" + Caminho("area.rtf") + "'").c_str()), 0);
    auto r = Rodar("--rtf --area-de-transferencia", "", env);
    EXPECT_EQ(r.status, 0) << r.erros;
    const std::string esperado = "{\\rtf1{\\fonttbl{\\f0 Arial;}}\\plain{\\b\\f0 Zorb}{\\b0\\f0{\\plain  }quenk.\\par}}";
    std::string conteudo;
    for (int i = 0; i < 40; ++i) {
        std::system((env + " xclip -selection clipboard -t text/rtf -o > '" + Caminho("saida") + "' 2>/dev/null").c_str());
        conteudo = Ler(Caminho("saida"));
        if (conteudo == esperado) break;
        usleep(50000);
    }
    EXPECT_EQ(conteudo, esperado);
    std::system(("kill $(cat '" + Caminho("xvfb.pid") + "') 2>/dev/null").c_str());
}

TEST_F(Vertal, HtmlEmArquivosENaEntradaPadrao)
{
    // Accented letters come out as entities, characters outside
    // Windows-1252 as they came; tags pass through.
    auto r = Rodar("--html", "<p>Zlorb <b>caf\xC3\xA9</b> \xE6\x97\xA5.</p>\n");
    EXPECT_EQ(r.status, 0) << r.erros;
    EXPECT_EQ(r.saida, "<p>Zlorb <b>caf&eacute;</b> \xE6\x97\xA5.</p>\n");
    EXPECT_EQ(r.erros, "");

    // A page larger than one chunk: standard input (stream) and files agree.
    std::string pagina = "<html><body>\n";
    for (int i = 0; i < 300; ++i)
        pagina += "<p class=\"c" + std::to_string(i) + "\">Zlorb <i>quux</i> frob&amp;blim.<!-- n --> <br>\n";
    pagina += "</body></html>\n";
    std::ofstream(Caminho("in.html"), std::ios::binary) << pagina;
    r = Rodar("--html", pagina);
    EXPECT_EQ(r.status, 0) << r.erros;
    auto a = Rodar("--html '" + Caminho("in.html") + "' '" + Caminho("out.html") + "'");
    EXPECT_EQ(a.status, 0) << a.erros;
    EXPECT_EQ(Ler(Caminho("out.html")), r.saida);
    EXPECT_NE(r.saida.find("<p class=\"c299\">Zlorb <i>quux</i>"), std::string::npos);
}

TEST_F(Vertal, HtmlGuardaCaracteresForaDoWindows1252)
{
    // "→" in a style rule, a script, an attribute, between words and inside
    // one; a reference the page wrote itself stays a reference. Standard
    // input (in chunks) and files give the same page.
    std::string pagina = "<html><head><style>li::before { content: \"\xE2\x86\x92\"; }</style>"
                         "<script>var seta = '\xE2\x86\x92';</script></head><body>\n";
    for (int i = 0; i < 120; ++i)
        pagina += "<p title=\"a \xE2\x86\x92 b\">Zlorb \xE2\x86\x92 quux zl\xE2\x86\x92orb &#8594; "
                  "\xF0\x9F\x98\x80.</p>\n";
    pagina += "</body></html>\n";
    std::ofstream(Caminho("in.html"), std::ios::binary) << pagina;
    const auto r = Rodar("--html", pagina);
    EXPECT_EQ(r.status, 0) << r.erros;
    EXPECT_EQ(r.saida, pagina);
    EXPECT_EQ(r.erros, "");
    const auto a = Rodar("--html '" + Caminho("in.html") + "' '" + Caminho("out.html") + "'");
    EXPECT_EQ(a.status, 0) << a.erros;
    EXPECT_EQ(Ler(Caminho("out.html")), pagina);
    // The page's own text in the spelling vertal uses for such characters
    // stays text, even cut between two reads of the input.
    for (std::size_t corte : {1u, 3u, 6u, 10u}) {
        std::string p2 = "<p>" + std::string(4096 - 3 - corte, 'x') + "&#00008594;</p>\n";
        std::ofstream(Caminho("in2.html"), std::ios::binary) << p2;
        const auto b = Rodar("--html '" + Caminho("in2.html") + "'");
        ASSERT_EQ(b.saida.size(), p2.size()) << corte;
        EXPECT_EQ(b.saida.substr(4000), p2.substr(4000)) << corte;
    }
}

TEST_F(Vertal, RtfEBytesComoEstao)
{
    // RTF is bytes in its own code page: a raw byte of the document and a
    // character outside Windows-1252 as "\uN" come back, with no warning;
    // so does a byte order mark's absence after one was read.
    const std::string rtf = "\xEF\xBB\xBF{\\rtf1\\ansi Zorb caf\xE9 zo\\u8594?rb \\u26085\\'3f.\\par}";
    const std::string esperado = "{\\rtf1\\ansi\\plain Zorb{ caf\\'e9 zo\\u8594?rb \\u26085?.\\par}}";
    std::ofstream(Caminho("in.rtf"), std::ios::binary) << rtf;
    auto r = Rodar("--rtf '" + Caminho("in.rtf") + "'");
    EXPECT_EQ(r.status, 0) << r.erros;
    EXPECT_EQ(r.saida, esperado);
    EXPECT_EQ(r.erros, "");
    r = Rodar("--rtf", rtf);
    EXPECT_EQ(r.saida, esperado);
    EXPECT_EQ(r.erros, "");
}

TEST_F(Vertal, GravacaoQueFalhaNuncaESucesso)
{
    std::ofstream(Caminho("in.txt"), std::ios::binary) << "The cat.\n";
    const std::string in = "'" + Caminho("in.txt") + "'";
    // A full device, for every mode.
    for (const char* opcoes : {"", "--cp1252", "--html", "--rtf", "--analise", "--estatisticas"}) {
        SCOPED_TRACE(opcoes);
        auto r = Rodar(std::string(opcoes) + " " + in + " /dev/full");
        EXPECT_EQ(r.status, 1);
        EXPECT_NE(r.erros.find("/dev/full"), std::string::npos) << r.erros;
        EXPECT_NE(r.erros.find("No space left"), std::string::npos) << r.erros;
        EXPECT_EQ(Direto(std::string(opcoes) + " " + in + " > /dev/full"), 1);  // standard output
    }
    EXPECT_EQ(Direto("--conjugar falar > /dev/full"), 1);
    // A closed standard output, an unwritable path, a folder as destination.
    EXPECT_EQ(Direto(in + " >&-"), 1);
    auto r = Rodar(in + " '" + Caminho("sem/pasta/out.txt") + "'");
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.erros.find("sem/pasta/out.txt"), std::string::npos) << r.erros;
    EXPECT_EQ(Rodar(in + " '" + pasta_.string() + "'").status, 1);
    // The unknown-word list: unwritable is an error, before anything is written.
    r = Rodar("--desconhecidas '" + Caminho("sem/pasta/d.txt") + "' " + in + " '" + Caminho("out.txt") + "'");
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.erros.find("sem/pasta/d.txt"), std::string::npos) << r.erros;
    EXPECT_FALSE(std::filesystem::exists(Caminho("out.txt")));
}

TEST_F(Vertal, SaidaSobreAEntradaESemArquivoPelaMetade)
{
    // The same path, a link to it, or standard output: the input is never
    // lost, and nothing but the destination is left behind.
    for (const char* opcoes : {"", "--cp1252"}) {
        std::ofstream(Caminho("f.txt"), std::ios::binary) << "The cat.\n";
        auto r = Rodar(std::string(opcoes) + " '" + Caminho("f.txt") + "' '" + Caminho("f.txt") + "'");
        EXPECT_EQ(r.status, 0) << r.erros;
        EXPECT_EQ(Ler(Caminho("f.txt")), "O gato.\n");
    }
    std::ofstream(Caminho("g.txt"), std::ios::binary) << "The cat.\n";
    std::filesystem::create_symlink(Caminho("g.txt"), Caminho("elo"));
    auto r = Rodar("'" + Caminho("g.txt") + "' '" + Caminho("elo") + "'");
    EXPECT_EQ(r.status, 0) << r.erros;
    EXPECT_TRUE(std::filesystem::is_symlink(Caminho("elo")));  // written through the link
    EXPECT_EQ(Ler(Caminho("g.txt")), "O gato.\n");
    // A device is written to, never replaced by a file.
    EXPECT_EQ(Rodar("'" + Caminho("g.txt") + "' /dev/null").status, 0);
    EXPECT_TRUE(std::filesystem::is_character_file("/dev/null"));
    // "-" is standard output.
    r = Rodar("'" + Caminho("g.txt") + "' -");
    EXPECT_EQ(r.saida, "O gato.\n");
    EXPECT_FALSE(std::filesystem::exists("-"));
    std::size_t arquivos = 0;
    for (const auto& e : std::filesystem::directory_iterator(pasta_))
        arquivos += std::filesystem::is_regular_file(e.symlink_status());
    EXPECT_EQ(arquivos, 5u) << "f.txt g.txt stdin stdout stderr";
}

TEST_F(Vertal, MensagensDizemOQueAconteceu)
{
    auto r = Rodar("'" + pasta_.string() + "'");
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.erros.find("pasta"), std::string::npos) << r.erros;
    EXPECT_EQ(r.erros.find("n\xC3\xA3o foi encontrado"), std::string::npos) << r.erros;
    std::ofstream(Caminho("in.txt")) << "Hello.";
    r = Rodar("--analise '" + Caminho("in.txt") + "'", "", "TMPDIR='" + Caminho("nao-ha") + "'");
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.erros.find(Caminho("nao-ha")), std::string::npos) << r.erros;
    EXPECT_EQ(r.erros.find("\"\""), std::string::npos) << r.erros;
}

TEST_F(Vertal, EntradaPadraoTraduzidaAMedidaQueChega)
{
    // The first sentence must come out while the input is still open.
    ASSERT_EQ(mkfifo(Caminho("fifo").c_str(), 0600), 0);
    const std::string comando = "(echo 'The cat is here.'; cat '" + Caminho("fifo") + "') | QUILLANE_REGISTRO='" +
                                Caminho("registro") + "' " + QUILLANE_VERTAL_EXE + " > '" + Caminho("out") + "' &";
    ASSERT_EQ(std::system(comando.c_str()), 0);
    std::string saida;
    for (int i = 0; i < 200 && saida.find('\n') == std::string::npos; ++i) {
        usleep(25000);
        saida = Ler(Caminho("out"));
    }
    EXPECT_EQ(saida, "O gato est\xC3\xA1 aqui.\n");
    std::ofstream(Caminho("fifo")) << "End.\n";  // ends cat, and the input
    for (int i = 0; i < 200 && saida.find("Fim") == std::string::npos; ++i) {
        usleep(25000);
        saida = Ler(Caminho("out"));
    }
    EXPECT_EQ(saida, "O gato est\xC3\xA1 aqui.\nFim.\n");
}

TEST_F(Vertal, ConjugarComOMotorEOInfinitivo)
{
    std::filesystem::create_directories(pasta_ / "vazia");
    std::ofstream(pasta_ / "registro" / "HKEY_LOCAL_MACHINE.reg")
        << "REGEDIT4\n\n[SOFTWARE\\Brinmor\\Quillane Beta]\n\"DirRoot\"=\"" << Caminho("vazia") << "\"\n";
    auto r = Rodar("--conjugar falar");
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.saida, "");
    std::filesystem::remove(pasta_ / "registro" / "HKEY_LOCAL_MACHINE.reg");
    r = Rodar("--conjugar FALAR");
    EXPECT_EQ(r.saida.substr(0, 15), "FALO\nFALAS\nFALA");
    EXPECT_NE(Rodar("--conjugar P\xC3\x94R").saida.find("P\xC3\x95" "E\n"), std::string::npos);
    EXPECT_EQ(Rodar("--conjugar ''").status, 2);
    EXPECT_EQ(Rodar("--conjugar '  '").status, 2);
}

TEST_F(Vertal, ListaDeDesconhecidasNaCodificacaoDaSaida)
{
    std::string texto = "Zorb caf\xC3\xA9zz.\n";
    for (int i = 0; i < 9000; ++i) {  // far past 64 KB of list
        std::string palavra = "Qx";
        for (char c : std::to_string(i)) palavra += static_cast<char>('a' + (c - '0'));
        texto += palavra + "zzzzzz.\n";
    }
    std::ofstream(Caminho("in.txt"), std::ios::binary) << texto;
    auto r = Rodar("--estatisticas --desconhecidas '" + Caminho("d.txt") + "' '" + Caminho("in.txt") + "' /dev/null");
    EXPECT_EQ(r.status, 0) << r.erros;
    const std::string lista = Ler(Caminho("d.txt"));
    EXPECT_EQ(lista.substr(0, 23), "zorb\ncaf\xC3\xA9zz\nqxazzzzzz\n");
    EXPECT_EQ(std::count(lista.begin(), lista.end(), '\n'), 9002);
    EXPECT_NE(r.erros.find("9002 desconhecida"), std::string::npos) << r.erros;
    std::ofstream(Caminho("in.txt"), std::ios::binary) << "Zorb caf\xE9zz.\n";
    r = Rodar("--cp1252 --desconhecidas '" + Caminho("d.txt") + "' '" + Caminho("in.txt") + "' /dev/null");
    EXPECT_EQ(Ler(Caminho("d.txt")), "zorb\ncaf\xE9zz\n");
    // RTF's bytes pass unconverted, but its list is text: UTF-8.
    std::ofstream(Caminho("in.rtf"), std::ios::binary) << "{\\rtf1 Zorb caf\\'e9zz.}";
    r = Rodar("--rtf --desconhecidas '" + Caminho("d.txt") + "' '" + Caminho("in.rtf") + "' /dev/null");
    EXPECT_EQ(r.status, 0) << r.erros;
    EXPECT_EQ(Ler(Caminho("d.txt")), "zorb\ncaf\xC3\xA9zz\n");
}

TEST_F(Vertal, CorpusDeTextoSimples)
{
    // Real README files and manual pages: as many lines out as in, and every
    // word the dictionaries do not know comes out as it went in.
    std::size_t arquivos = 0;
    for (const auto& e : std::filesystem::directory_iterator(std::string(QUILLANE_TESTE_DADOS) + "/texto")) {
        if (e.path().extension() == ".md" && e.path().filename() == "FONTES.md") continue;
        SCOPED_TRACE(e.path().filename().string());
        ++arquivos;
        const std::string entrada = Ler(e.path().string());
        auto r = Rodar("--texto --desconhecidas '" + Caminho("d.txt") + "' '" + e.path().string() + "'");
        ASSERT_EQ(r.status, 0) << r.erros;
        EXPECT_EQ(std::count(r.saida.begin(), r.saida.end(), '\n'), std::count(entrada.begin(), entrada.end(), '\n'));
        std::string minusculas = r.saida;
        for (char& c : minusculas)
            if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
        std::stringstream lista(Ler(Caminho("d.txt")));
        std::size_t desconhecidas = 0;
        for (std::string palavra; std::getline(lista, palavra); ++desconhecidas)
            EXPECT_NE(minusculas.find(palavra), std::string::npos) << palavra;
        EXPECT_GT(desconhecidas, 0u);
    }
    EXPECT_GE(arquivos, 8u);
}

TEST_F(Vertal, InterrompidoNaoDeixaArquivoPelaMetade)
{
    // Killed while translating: the destination is as it was, and no
    // temporary file is left beside it.
    std::ofstream(Caminho("out.txt"), std::ios::binary) << "antigo\n";
    ASSERT_EQ(mkfifo(Caminho("fifo").c_str(), 0600), 0);
    const std::string comando = "QUILLANE_REGISTRO='" + Caminho("registro") + "' " + QUILLANE_VERTAL_EXE + " --cp1252 '" +
                                Caminho("fifo") + "' '" + Caminho("out.txt") + "' 2>/dev/null & echo $! > '" +
                                Caminho("pid") + "'";
    ASSERT_EQ(std::system(comando.c_str()), 0);
    {
        std::ofstream fifo(Caminho("fifo"));
        fifo << "The cat is here.\n" << std::flush;
        // Wait until the temporary output exists, then stop vertal.
        bool temporario = false;
        for (int i = 0; i < 200 && !temporario; ++i) {
            for (const auto& e : std::filesystem::directory_iterator(pasta_))
                temporario = temporario || e.path().filename().string().rfind(".out.txt.vertal-", 0) == 0;
            if (!temporario) usleep(25000);
        }
        EXPECT_TRUE(temporario);
        std::system(("kill -TERM $(cat '" + Caminho("pid") + "')").c_str());
        usleep(200000);
    }
    EXPECT_EQ(Ler(Caminho("out.txt")), "antigo\n");
    for (const auto& e : std::filesystem::directory_iterator(pasta_))
        EXPECT_EQ(e.path().filename().string().find(".vertal-"), std::string::npos) << e.path();
}
