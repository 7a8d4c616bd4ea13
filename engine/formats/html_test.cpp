// The HTML translator: tokens, markup carried around words, tags copied,
// chunked input. The words used are unknown to every dictionary, so each
// sentence is written as read whatever the translation core does with it.
#include "formats/html.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <regex>
#include <sstream>
#include <vector>

#include "formats/pedido.h"
#include "testes/apoio.h"

namespace {

struct Contexto {
    const char* url = nullptr;
    const char* prefixo = nullptr;
    char* listaFontes = nullptr;
};

// A stream request over `texto` cut into chunks of the given sizes (cycled).
std::string Fluxo(const std::string& texto, const std::vector<std::size_t>& tamanhos, const Contexto& ctx = {})
{
    std::string url = ctx.url ? ctx.url : "";
    std::string prefixo = ctx.prefixo ? ctx.prefixo : "";
    PedidoTraducao p{};
    std::vector<char> saida(MORIEL_TAM_SAIDA);
    std::vector<char> pedaco;
    p.tipo = TIPO_HTML;
    p.modo = MODO_FLUXO;
    p.saida = saida.data();
    p.urlPagina = ctx.url ? url.data() : nullptr;
    p.prefixoLink = ctx.prefixo ? prefixo.data() : nullptr;
    p.listaFontes = ctx.listaFontes;
    std::string resultado;
    std::size_t pos = 0;
    std::size_t i = 0;
    do {
        std::size_t n = std::min(tamanhos[i++ % tamanhos.size()], texto.size() - pos);
        if (n == 0 && pos < texto.size()) n = 1;
        pedaco.assign(texto.begin() + static_cast<long>(pos), texto.begin() + static_cast<long>(pos + n));
        pos += n;
        p.entrada = pedaco.data();
        p.tamEntrada = static_cast<std::int32_t>(n);
        if (!TraduzirPedido(&p)) break;
        resultado.append(p.saida, static_cast<std::size_t>(+p.tamSaida));
    } while (p.threadTrabalho);
    return resultado;
}

std::string Verter(const std::string& texto, const Contexto& ctx = {}) { return Fluxo(texto, {texto.size() + 1}, ctx); }

// A translator reading a file, to look at its tokens one by one.
class Leitor {
public:
    explicit Leitor(const std::string& texto)
    {
        pasta_ = PastaTemporaria("html-leitor");
        entrada_ = pasta_ + "/e.html";
        saida_ = pasta_ + "/s.html";
        std::ofstream(entrada_, std::ios::binary) << texto;
        pedido_.tipo = TIPO_HTML;
        pedido_.modo = MODO_ARQUIVO;
        pedido_.entrada = entrada_.data();
        pedido_.saida = saida_.data();
        doc_ = std::make_unique<clDocHtml>(&pedido_, &pendente_);
    }
    ~Leitor() { std::filesystem::remove_all(pasta_); }

    // "text/kind" per token until the end of input.
    std::vector<std::string> Tokens()
    {
        std::vector<std::string> r;
        clPalavra w;
        std::int16_t tipo = 0;
        while (doc_->LerToken(w, tipo)) r.push_back(std::string(w.texto) + "/" + std::to_string(tipo));
        return r;
    }
    clDocHtml& Doc() { return *doc_; }
    std::string Saida()
    {
        doc_.reset();
        std::ifstream f(saida_, std::ios::binary);
        std::stringstream s;
        s << f.rdbuf();
        return s.str();
    }

private:
    std::string pasta_, entrada_, saida_;
    PedidoTraducao pedido_{};
    clSaidaPendente pendente_;
    std::unique_ptr<clDocHtml> doc_;
};

class Html : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(GarantirMotor()); }
};

} // namespace

TEST_F(Html, TokensDeEtiquetasEntidadesEComentarios)
{
    Leitor l("<P CLASS=x>Zlorb &lt; y AT&T &nbsp qq&amp; &foo; <!--c--> <");
    // Read alone, the rest of a tag is ordinary tokens.
    EXPECT_EQ(l.Tokens(), (std::vector<std::string>{"<p/2", "CLASS/0", "=/1", "x/0", ">/0", "Zlorb/0", "&lt;/0", "y/0", "AT&T/0", "&nbsp/0",
                                                    "qq&amp/0", ";/1", "&foo/0", ";/1", "<!--/3", "c/0", "-/0",
                                                    "-/0", ">/0"}));
}

TEST_F(Html, NomeDeEtiquetaLongoELimitado)
{
    const std::string nome(70, 'q');
    Leitor l("<" + nome + " a=1>");
    clPalavra w;
    std::int16_t tipo = 0;
    ASSERT_TRUE(l.Doc().LerToken(w, tipo));
    EXPECT_EQ(tipo, TK_ETIQUETA);
    EXPECT_EQ(std::string(w.texto), "<" + std::string(48, 'q'));
    // The rest of the name stays in the input for the tag's copy.
    EXPECT_EQ(l.Doc().CopiarAte(">"), 1);
    EXPECT_EQ(l.Saida(), std::string(22, 'q') + " a=1>");
}

TEST_F(Html, CopiarAteEDescartarAte)
{
    Leitor l("abc--X-->rest</SCRIPT >tail");
    EXPECT_EQ(l.Doc().CopiarAte("-->", "", "--!>"), 1);
    EXPECT_EQ(l.Doc().DescartarAte("zz", "</script"), 2);
    EXPECT_EQ(l.Doc().CopiarAte("never"), 0);
    EXPECT_EQ(l.Saida(), "abc--X--> >tail");
}

TEST_F(Html, LerRestoLimitado)
{
    Leitor l("a\tb\nc>" + std::string(40, 'x') + ">");
    char buffer[64] = "<i";
    EXPECT_TRUE(l.Doc().LerResto(buffer, sizeof buffer, '>', 1530));
    EXPECT_STREQ(buffer, "<ia b c>");
    buffer[0] = '\0';
    EXPECT_FALSE(l.Doc().LerResto(buffer, sizeof buffer, '>', 10));
    EXPECT_EQ(std::string(buffer), std::string(9, 'x'));
    // The buffer bounds the text even with a larger limit.
    char pequeno[8] = "";
    EXPECT_FALSE(l.Doc().LerResto(pequeno, sizeof pequeno, '>', 1530));
    EXPECT_EQ(std::string(pequeno), std::string(7, 'x'));
}

TEST_F(Html, MarcacaoInternaAcompanhaAsPalavras)
{
    EXPECT_EQ(Verter("<p>Zlorb <b>quux</b>.</p>"), "<p>Zlorb <b>quux</b>.</p>");
    // The end tag is read with the next sentence and written before its blank.
    EXPECT_EQ(Verter("<b>zlorb quux.</b> Frobnitz"), "<b>zlorb quux.</b> Frobnitz");
    // Closes the newest open markup beginning "<b": <big>.
    EXPECT_EQ(Verter("<b><big>x</b>"), "<b><big>x</big></b>");
    // Attributes and several pieces of a long start tag.
    const std::string longa = "<font color=red face=\"" + std::string(120, 'k') + "\">";
    EXPECT_EQ(Verter(longa + "zlorb</font> quux"), longa + "zlorb</font> quux");
    // Markup inside a word: the pieces keep their own markup.
    EXPECT_EQ(Verter("<p>zl<b>orb</b>ix quux."), "<p>zl<b>orb</b>ix quux.");
    // Never closed: closed at the end of the document.
    EXPECT_EQ(Verter("<i>zlorb quux"), "<i>zlorb quux</i>");
}

TEST_F(Html, MarcacaoEmFraseTraduzida)
{
    // Known words: whatever the translation, <b> stays around the word made
    // from "world", after its blank, and accents become entities.
    const std::string saida = Verter("<p>Hello <b>world</b>.</p>");
    EXPECT_TRUE(std::regex_match(saida, std::regex("<p>[^<> ]+ <b>[^<> ]+</b>\\.</p>"))) << saida;
    EXPECT_EQ(saida.find("world"), std::string::npos) << saida;
    for (unsigned char c : saida) EXPECT_LT(c, 0x80) << saida;
}

TEST_F(Html, EtiquetaDeBlocoTerminaAFrase)
{
    EXPECT_EQ(Verter("Zlorb <br> quux"), "Zlorb <br> quux");
    // The comment is written at once, in the middle of the sentence that
    // follows <br>; had <br> not ended "Zlorb", it would come after it.
    EXPECT_EQ(Verter("Zlorb <br> quux <!--c--> frob"), "Zlorb <br>  <!--c-->quux frob");
    // "<" followed by a blank: a copied tag up to the next ">".
    EXPECT_EQ(Verter("zlorb < quux > frob"), "zlorb < quux > frob");
    EXPECT_EQ(Verter("<!DOCTYPE html>\n<HTML>\n<Body BGCOLOR=white>\nzlorb\n</body></html>\n"),
              "<!doctype html>\n<html>\n<body BGCOLOR=white>\nzlorb </body></html>\n");
}

TEST_F(Html, AncoraEElementosVazios)
{
    EXPECT_EQ(Verter("<a name=top></a>Zlorbt"), "<a name=top><!----></a>Zlorbt");
    // An empty inline element is written where it stood, not lost.
    EXPECT_EQ(Verter("<p><span id=x></span>Zlorb quux.</p>"), "<p><span id=x></span>Zlorb quux.</p>");
}

TEST_F(Html, MuitosElementosVaziosNaoEsgotamAsMarcas)
{
    std::string pagina, esperado;
    for (int i = 0; i < 150; ++i) pagina += "<p><em></em><i>zlorb</i> quux.</p>\n";
    pagina += "<p><b>frob</b>.</p>";
    EXPECT_EQ(Verter(pagina), pagina);
}

TEST_F(Html, ScriptEstiloEComentarioCopiados)
{
    const std::string pagina = "<script type=x>if (a < b) { c.d = \"<b>\"; }</SCRIPT>\n"
                               "<style>p { color: white; } a.b:c {}</style>\n"
                               "<!-- not <b> text -- still --> zlorb\n<!--x--!>quux";
    EXPECT_EQ(Verter(pagina), pagina.substr(0, pagina.find(" zlorb")) + "  <!--x--!>zlorb quux");
}

TEST_F(Html, EntidadesEAcentosNaSaida)
{
    EXPECT_EQ(Verter("x &lt; y AT&T"), "x &lt; y AT&T");
    EXPECT_EQ(Verter("ma\xE7\xE3 \xE0 QQ\xC9 x\xF1 \xFF!"), "ma&ccedil;&atilde; &agrave; QQ&Eacute; x\xF1 \xFF!");
}

TEST_F(Html, FimDaEntradaNoMeioDasCoisas)
{
    EXPECT_EQ(Verter("<p>zlorb quux"), "<p>zlorb quux");
    EXPECT_EQ(Verter("zlorb <b"), "zlorb");
    EXPECT_EQ(Verter("<p>zlorb <img src=x"), "<p>zlorb <img src=x");
    EXPECT_EQ(Verter("zlorb <!-- open"), " <!-- openzlorb");
    EXPECT_EQ(Verter("zlorb &am"), "zlorb &am");
    EXPECT_EQ(Verter(""), "");
}

TEST_F(Html, EtiquetasInternasLongasSaoGuardadas)
{
    // A 1,600-byte link is kept with its end tag.
    const std::string longa = "<a href=\"" + std::string(1600, 'z') + "\">";
    EXPECT_EQ(Verter("zlorb " + longa + "quux</a> frob"), "zlorb " + longa + "quux</a> frob");
    // Longer than the tag buffer: written at once as an empty element, its
    // own end tag then finding nothing to close.
    const std::string enorme = "<b title=\"" + std::string(4000, 'z') + "\">";
    EXPECT_EQ(Verter("<p>" + enorme + "quux</b> frob"), "<p>" + enorme + "</b>quux frob");
    // Two long links fill the pool: the second is kept empty, never lost.
    const std::string outra = "<a href=\"" + std::string(3000, 'y') + "\">";
    const std::string saida = Verter("<p>" + outra + "zl " + outra + "quux</a> frob</a>");
    EXPECT_EQ(saida, "<p>" + outra + "</a>" + outra + "zl quux</a> frob");
    // A class-3 tag that long is written as it stands.
    const std::string img = "<img alt=\"" + std::string(2000, 'z') + "\">";
    EXPECT_EQ(Verter(img + " zlorb"), img + " zlorb");
}

TEST_F(Html, ModoArquivo)
{
    EXPECT_EQ(TraduzirArquivo("<p>Zlorb <b>quux</b>.</p>\n", TIPO_HTML), "<p>Zlorb <b>quux</b>.</p>\n");
}

TEST_F(Html, EnderecosReescritosNaPagina)
{
    Contexto ctx;
    ctx.url = "http://host/d/p.html";
    ctx.prefixo = "http://127.0.0.1:880/";
    EXPECT_EQ(Verter("<p><a href=\"q.html#s\">zlorb</a> <img src=pic.gif alt=\"Zlorb\"> <a href='#top'>x</a>", ctx),
              "<p><a href=\"http://127.0.0.1:880/http://host/d/q.html#s\">zlorb</a> "
              "<img src=http://host/d/pic.gif alt=\"Zlorb\"> <a href='#top'>x</a>");
    EXPECT_EQ(Verter("<form action=cgi-bin/q><frame src=f.html>", ctx),
              "<form action=http://host/d/cgi-bin/q><frame src=http://127.0.0.1:880/http://host/d/f.html>");
    // Without a page address nothing is rewritten.
    EXPECT_EQ(Verter("<a href=q.html>zlorb</a>"), "<a href=q.html>zlorb</a>");
}

TEST_F(Html, ListaDeFontesDosQuadros)
{
    Contexto ctx;
    ctx.url = "http://host/d/p.html";
    ctx.prefixo = "http://127.0.0.1:880/";
    std::vector<char> lista(kTamListaFontes, 'W');
    ctx.listaFontes = lista.data();
    Verter("<frameset><frame src=a.html><frame src=\"" + std::string(1500, 'b') + "\"><frame src=c.html>", ctx);
    EXPECT_EQ(std::string(lista.data(), 4), "WWWW");
    EXPECT_STREQ(lista.data() + 4, "http://127.0.0.1:880/http://host/d/c.html\n");
    // A source as long as the tag allows stays within the documented size.
    std::fill(lista.begin(), lista.end(), 'W');
    Verter("<frame src=\"" + std::string(1520, 'b') + "\">", ctx);
    EXPECT_EQ(std::string(lista.data() + 4), "http://127.0.0.1:880/http://host/d/" + std::string(1520, 'b') + "\n");
}

TEST_F(Html, PedacosEmQualquerByteDaoOMesmoResultado)
{
    std::string pagina =
        "<!DOCTYPE html><html><head><title>Zlorb quux</title>\n<script>var s = \"</b>\";</script>"
        "<style>p{}</style></head>\n<body background=bg.gif><h1><a name=x>Frob</a> zing</h1>\n"
        "<p>Zlorb <b>quux <i>frob</i></b>, zing &amp; AT&T &eacute;t&eacute; \xE7\xE0.<!-- c -- > -->"
        " Blim <a href=\"../o.html\" onmouseover=\"window.status='Zlorb quux'; return true\">blam</a>.\n"
        "<img src=\"i/x.gif\" alt='zl\\'orb'><input type=submit value=Zlorb><br>\n<font size=2>x<p>y</font>"
        "<span></span><a href=#s>s</a> &nbsp zq</p></body></html>";
    Contexto ctx;
    ctx.url = "http://host/d/p.html";
    ctx.prefixo = "http://127.0.0.1:880/";
    const std::string inteiro = Verter(pagina, ctx);
    EXPECT_NE(inteiro.find("<a href=\"http://127.0.0.1:880/http://host/o.html\""), std::string::npos) << inteiro;
    for (std::size_t tam : {1, 2, 3, 5, 7, 13, 64})
        EXPECT_EQ(Fluxo(pagina, {tam}, ctx), inteiro) << "chunks of " << tam;
    std::mt19937 gerador(7);
    for (int rodada = 0; rodada < 5; ++rodada) {
        std::vector<std::size_t> tamanhos;
        for (int i = 0; i < 50; ++i) tamanhos.push_back(1 + gerador() % 40);
        EXPECT_EQ(Fluxo(pagina, tamanhos, ctx), inteiro);
    }
}

namespace {

std::string LerArquivo(const std::string& caminho)
{
    std::ifstream f(caminho, std::ios::binary);
    std::stringstream s;
    s << f.rdbuf();
    return s.str();
}

// The elements of a page in document order, as libxml2's HTML parser sees
// them (xmllint --html --debug prints one "ELEMENT name" line per element).
std::vector<std::string> Elementos(const std::string& caminho)
{
    const std::string comando = "xmllint --html --debug --nowarning '" + caminho + "' 2>/dev/null";
    std::vector<std::string> nomes;
    FILE* saida = popen(comando.c_str(), "r");
    if (!saida) return nomes;
    char linha[4096];
    while (std::fgets(linha, sizeof linha, saida)) {
        std::string l(linha);
        const auto p = l.find_first_not_of(' ');
        if (p != std::string::npos && l.compare(p, 8, "ELEMENT ") == 0) {
            std::string nome = l.substr(p + 8);
            while (!nome.empty() && (nome.back() == '\n' || nome.back() == '\r')) nome.pop_back();
            nomes.push_back(nome);
        }
    }
    pclose(saida);
    return nomes;
}

} // namespace

TEST_F(Html, PaginasReaisGuardamTodasAsEtiquetas)
{
    if (std::system("xmllint --version >/dev/null 2>&1") != 0) GTEST_SKIP() << "xmllint (libxml2) not installed";
    const std::string pasta = PastaTemporaria("html-paginas");
    for (const char* nome : {"html_usuarios_grupos.html", "html_libffi_basico.html", "html_zlib_como.html"}) {
        const std::string origem = std::string(QUILLANE_TESTE_DADOS) + "/html/" + nome;
        const std::string pagina = LerArquivo(origem);
        ASSERT_FALSE(pagina.empty()) << origem;
        Contexto ctx;
        ctx.url = "http://host/doc/index.html";
        ctx.prefixo = "http://127.0.0.1:880/";
        // As the web proxy sends it: chunks of at most 1,024 bytes.
        const std::string traduzida = Fluxo(pagina, {1024}, ctx);
        EXPECT_EQ(Fluxo(pagina, {pagina.size()}, ctx), traduzida) << nome;
        const std::string destino = pasta + "/" + nome;
        std::ofstream(destino, std::ios::binary) << traduzida;
        const auto antes = Elementos(origem);
        const auto depois = Elementos(destino);
        ASSERT_GT(antes.size(), 20u) << nome;
        // Every element of the page, in its order; reordered words may
        // split inline markup into more elements, never lose one.
        std::size_t j = 0;
        for (std::size_t i = 0; i < depois.size() && j < antes.size(); ++i)
            if (depois[i] == antes[j]) ++j;
        EXPECT_EQ(j, antes.size()) << nome << ": element " << j << " (" << (j < antes.size() ? antes[j] : "")
                                   << ") missing from the output";
        EXPECT_EQ(traduzida.find("href=\"zpipe.c\""), std::string::npos) << nome;
    }
    std::filesystem::remove_all(pasta);
}

TEST_F(Html, TextosDeAtributosTraduzidos)
{
    Contexto ctx;
    ctx.url = "http://host/d/p.html";
    ctx.prefixo = "http://127.0.0.1:880/";
    const std::string saida = Verter(
        "<img src=pic.gif alt=\"The house\"><input type=SUBMIT value=\"The house\">"
        "<input type=IMAGE src=b.gif value=\"The house\"><area alt=\"Zlorb quux\" href=m.html>"
        "<a href=x.html onmouseover=\"window.status='The house'; return true\">Zlorb</a>",
        ctx);
    // The core's words may change; that the texts changed and where is what counts.
    EXPECT_EQ(saida.find("alt=\"The house\""), std::string::npos) << saida;
    EXPECT_NE(saida.find("<img src=http://host/d/pic.gif alt=\""), std::string::npos) << saida;
    EXPECT_EQ(saida.find("<input type=SUBMIT value=\"The house\">"), std::string::npos) << saida;
    EXPECT_NE(saida.find("<input type=IMAGE src=b.gif value=\"The house\">"), std::string::npos) << saida;
    EXPECT_NE(saida.find("<area alt=\"Zlorb quux\" href=http://127.0.0.1:880/http://host/d/m.html>"),
              std::string::npos)
        << saida;
    EXPECT_EQ(saida.find("window.status='The house'"), std::string::npos) << saida;
    EXPECT_NE(saida.find("onmouseover=\"window.status='"), std::string::npos) << saida;
    EXPECT_NE(saida.find("'; return true\">Zlorb</a>"), std::string::npos) << saida;

    // A text of more words than the attribute sentence holds is not cut.
    std::string longo;
    for (int i = 0; i < 40; ++i) longo += " the house";
    const std::string img = "<img alt=\"" + longo.substr(1) + "\">";
    EXPECT_EQ(Verter(img), img);
}

TEST_F(Html, ReferenciaNumericaNaoPartePalavras)
{
    // Inside a word the reference stays in it (its ";" ends no sentence);
    // alone it is a token of its own; a word too long for it ends before it.
    Leitor l("zl&#8217;orb &#X2192; q&#00008594;; &#12 &#x;" + std::string(45, 'k') + "&#00008594;");
    EXPECT_EQ(l.Tokens(), (std::vector<std::string>{"zl&#8217;orb/0", "&#X2192;/0", "q&#00008594;/0", ";/1", "&#12/0",
                                                    "&#x/0", ";/1", std::string(45, 'k') + "/0",
                                                    "&#00008594;/0"}));
    const std::string pagina = "<p>The cat&#8217;s table is big. Zl&#x2192;orb &#8594; quux&#00128512;.</p>";
    const std::string saida = Verter(pagina);
    EXPECT_NE(saida.find("cat&#8217;s"), std::string::npos) << saida;
    EXPECT_NE(saida.find(" Zl&#x2192;orb &#8594; quux&#00128512;.</p>"), std::string::npos) << saida;
    for (std::size_t tam : {1, 2, 5, 11}) EXPECT_EQ(Fluxo(pagina, {tam}), saida) << tam;
}

TEST_F(Html, ElementosComNomeUmaVezEAninhamentoFundo)
{
    // The anchor is written once: the words it encloses are written in an
    // element without its name and id.
    const std::string ancora = Verter("<p>Zlorb <a name=sec2 id=sec2>quux</a> frob.</p>");
    EXPECT_EQ(ancora, "<p><a name=sec2 id=sec2><!----></a>Zlorb <a>quux</a> frob.</p>");
    // Closed by itself, it waits for no end tag.
    EXPECT_EQ(Verter("<h3><a name=\"x\"/>Zlorb quux</h3><p>frob</p>"), "<h3><a name=\"x\"/>Zlorb quux</h3><p>frob</p>");

    // More nested inline elements than a word carries: whatever is written
    // is closed, in order.
    const char* nomes[] = {"b", "i", "span", "em", "font"};
    std::string pagina = "<p>";
    for (int i = 0; i < 60; ++i) pagina += "<" + std::string(nomes[i % 5]) + ">w" + std::to_string(i) + " ";
    for (int i = 59; i >= 0; --i) pagina += "</" + std::string(nomes[i % 5]) + ">x" + std::to_string(i) + " ";
    pagina += "</p>";
    const std::string saida = Verter(pagina);
    std::vector<std::string> pilha;
    const std::regex etiqueta("<(/?)([a-z]+)[^>]*>");
    for (auto it = std::sregex_iterator(saida.begin(), saida.end(), etiqueta); it != std::sregex_iterator(); ++it) {
        const std::string nome = (*it)[2];
        if ((*it)[1].length() == 0) {
            pilha.push_back(nome);
        } else {
            ASSERT_FALSE(pilha.empty()) << saida;
            ASSERT_EQ(pilha.back(), nome) << saida;
            pilha.pop_back();
        }
    }
    EXPECT_TRUE(pilha.empty()) << saida;
    // And no word is lost or moved.
    const auto palavras = [&](const std::string& html) {
        std::istringstream texto(std::regex_replace(html, etiqueta, " "));
        std::vector<std::string> r;
        for (std::string p; texto >> p;) r.push_back(p);
        return r;
    };
    EXPECT_EQ(palavras(saida), palavras(pagina));
}

TEST_F(Html, PreTextareaEListingGuardamOLeiaute)
{
    Contexto ctx;
    ctx.url = "http://host/d/p.html";
    ctx.prefixo = "http://127.0.0.1:880/";
    // Every blank and line break stays; links inside <pre> are rewritten;
    // a "<" of code is text; the page goes on being translated after it.
    const std::string pre = "<pre class=x>Zlorb  quux\n\n  frob <a href=\"q.html\">blim</a> if (a < b) x->y;\n"
                            "<!-- c <b> -->\tend\n</PRE>";
    const std::string saida = Verter("<p>Zlorb.</p>\n" + pre + "\n<textarea>Zlorb  quux\n is</textarea> "
                                     "<listing>a\n  b</listing><p>The  house.</p>",
                                     ctx);
    EXPECT_EQ(saida.substr(0, saida.find("<p>", 3)),
              "<p>Zlorb.</p>\n<pre class=x>Zlorb  quux\n\n  frob <a href=\"http://127.0.0.1:880/http://host/d/q.html\">"
              "blim</a> if (a < b) x->y;\n<!-- c <b> -->\tend\n</PRE>\n<textarea>Zlorb  quux\n is</textarea> "
              "<listing>a\n  b</listing>");
    EXPECT_EQ(saida.find("house"), std::string::npos) << saida;
    for (std::size_t tam : {1, 3, 7}) EXPECT_EQ(Fluxo("<p>Zlorb.</p>\n" + pre + "<p>The  house.</p>", {tam}, ctx),
                                                Verter("<p>Zlorb.</p>\n" + pre + "<p>The  house.</p>", ctx));
}
