// Attribute values and address rewriting, on tag texts held in buffers.
#include "formats/atributos.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

const char* const kPrefixo = "http://127.0.0.1:880/";

std::string Valor(const std::string& etiqueta, const char* nome, bool* comValor = nullptr)
{
    std::vector<char> t(etiqueta.begin(), etiqueta.end());
    t.push_back('\0');
    char valor[kTamValor];
    clItemEtiqueta info;
    char* pos = ValorAtributo(t.data(), nome, valor, sizeof valor, &info);
    if (comValor) *comValor = info.comValor;
    return pos ? valor : "<none>";
}

// The tag text after rewriting `atributo`.
std::string Reescrito(const std::string& etiqueta, const char* atributo, TipoEndereco tipo,
                      const char* url = "http://host/dir/index.html", const char* prefixo = kPrefixo)
{
    std::vector<char> t(kTamEtiqueta, '\0');
    std::copy(etiqueta.begin(), etiqueta.end(), t.begin());
    ReescreverEndereco(t.data(), t.size(), atributo, tipo, prefixo, url);
    return t.data();
}

std::string Novo(const char* valor, TipoEndereco tipo = ENDERECO_PAGINA, const char* url = "http://host/dir/index.html",
                 const char* prefixo = kPrefixo)
{
    char novo[kTamEtiqueta];
    return NovoEndereco(valor, tipo, prefixo, url, novo, sizeof novo) ? novo : "<unchanged>";
}

} // namespace

TEST(Atributos, ItensDaEtiqueta)
{
    char texto[] = "<img SRC = \"a b.gif\" alt='it\\'s' x=y/z checked .5>rest";
    char item[64];
    char* cursor = texto;
    std::vector<std::string> itens;
    while (ProximoItemEtiqueta(cursor, item, sizeof item)) itens.push_back(item);
    EXPECT_EQ(itens, (std::vector<std::string>{"SRC", "=", "a b.gif", "alt", "=", "it`s", "x", "=", "y/z", "checked",
                                               ".5"}));
    // A bounded item buffer: cut, never written past.
    char curto[4];
    char texto2[] = "abcdefgh=1";
    cursor = texto2;
    clItemEtiqueta info;
    ASSERT_NE(ProximoItemEtiqueta(cursor, curto, sizeof curto, &info), nullptr);
    EXPECT_STREQ(curto, "abc");
    EXPECT_TRUE(info.cortado);
    EXPECT_EQ(info.ocupado, 8u);
}

TEST(Atributos, ValorAtributo)
{
    bool comValor = true;
    EXPECT_EQ(Valor(" src=pic.gif ALT=\"Two words\">", "alt"), "Two words");
    EXPECT_EQ(Valor(" src=pic.gif>", "alt"), "<none>");
    EXPECT_EQ(Valor("<a name href=x>", "name", &comValor), "");
    EXPECT_FALSE(comValor);
    EXPECT_EQ(Valor("<a href=\"\">", "href", &comValor), "");
    EXPECT_TRUE(comValor);
    // An unquoted value starting with "/" is that one delimiter: the rest of
    // the address stays in place when it is replaced.
    EXPECT_EQ(Valor(" src=/img/x.gif>", "src"), "/");
}

TEST(Atributos, EnderecosDaPagina)
{
    EXPECT_EQ(Novo("news.html"), std::string(kPrefixo) + "http://host/dir/news.html");
    EXPECT_EQ(Novo("../a/"), std::string(kPrefixo) + "http://host/a/");
    EXPECT_EQ(Novo("sub"), std::string(kPrefixo) + "http://host/dir/sub");
    EXPECT_EQ(Novo("img/x.gif", ENDERECO_RECURSO), "http://host/dir/img/x.gif");
    EXPECT_EQ(Novo("/img/x.gif", ENDERECO_RECURSO), "http://host/img/x.gif");
    EXPECT_EQ(Novo("./x.html"), std::string(kPrefixo) + "http://host/dir/x.html");
    EXPECT_EQ(Novo("../../../x.gif", ENDERECO_RECURSO), "http://host/x.gif");
    EXPECT_EQ(Novo("p.html#sec"), std::string(kPrefixo) + "http://host/dir/p.html#sec");
    EXPECT_EQ(Novo("q?a=1", ENDERECO_PAGINA, "http://host/dir/"), std::string(kPrefixo) + "http://host/dir/q?a=1");
    EXPECT_EQ(Novo("x.gif", ENDERECO_RECURSO, "http://host"), "http://host/x.gif");
    EXPECT_EQ(Novo("x.gif", ENDERECO_RECURSO, "http://host/a/b.cgi?q=/z.y"), "http://host/a/x.gif");
    EXPECT_EQ(Novo("HTTP://other/page.htm"), std::string(kPrefixo) + "HTTP://other/page.htm");
    EXPECT_EQ(Novo("http://other"), std::string(kPrefixo) + "http://other");
    EXPECT_EQ(Novo("x.gif", ENDERECO_RECURSO, "file:///C:/docs/a.html"), "file:///C:/docs/x.gif");
    EXPECT_EQ(Novo("x.gif", ENDERECO_RECURSO, "file:///C|/docs/a.html"), "file:///C|/docs/x.gif");
    // Left as they are.
    EXPECT_EQ(Novo("http://other/a.gif"), "<unchanged>");
    EXPECT_EQ(Novo("#sec"), "<unchanged>");
    for (const char* v : {"mailto:a@b", "JavaScript:go()", "ftp://h/f", "news:x", "gopher://h", "telnet:h",
                          "vbscript:x"})
        EXPECT_EQ(Novo(v), "<unchanged>") << v;
    // No directory to resolve against.
    EXPECT_EQ(Novo("x.gif", ENDERECO_RECURSO, "file:nothing"), "<unchanged>");
    EXPECT_EQ(Novo("/x.gif", ENDERECO_RECURSO, "relative/page.html"), "<unchanged>");
    EXPECT_EQ(Novo("x.gif", ENDERECO_RECURSO, ""), "<unchanged>");
}

TEST(Atributos, ReescreverNaEtiqueta)
{
    EXPECT_EQ(Reescrito(" src=pic.gif alt=x>", "src", ENDERECO_RECURSO, "http://host/d/p.html"),
              " src=http://host/d/pic.gif alt=x>");
    EXPECT_EQ(Reescrito(" src=/img/x.gif>", "src", ENDERECO_RECURSO), " src=http://host/img/x.gif>");
    // A blank before an absolute address goes, the rest stays.
    EXPECT_EQ(Reescrito(" src=\" http://host/a.gif\">", "src", ENDERECO_RECURSO), " src=\"http://host/a.gif\">");
    EXPECT_EQ(Reescrito("<a href=\"mailto:x@y\">", "href", ENDERECO_PAGINA), "<a href=\"mailto:x@y\">");
    // A form: absolute, never behind the prefix.
    EXPECT_EQ(Reescrito(" action=cgi-bin/q>", "action", ENDERECO_PAGINA, "http://host/dir/index.html", ""),
              " action=http://host/dir/cgi-bin/q>");
    // Backslash-apostrophe pairs: the whole span is replaced.
    EXPECT_EQ(Reescrito("<a href='it\\'s.html' x=1>", "href", ENDERECO_PAGINA),
              std::string("<a href='") + kPrefixo + "http://host/dir/it`s.html' x=1>");
    // Without a value, a page address or a prefix: unchanged.
    EXPECT_EQ(Reescrito("<a href>", "href", ENDERECO_PAGINA), "<a href>");
    EXPECT_EQ(Reescrito("<a href=x.html>", "href", ENDERECO_PAGINA, nullptr), "<a href=x.html>");
    EXPECT_EQ(Reescrito("<a href=x.html>", "href", ENDERECO_PAGINA, "http://h/", nullptr), "<a href=x.html>");
}

TEST(Atributos, EnderecoQueNaoCabeDeixaAEtiqueta)
{
    // A long page address and a long value together exceed the tag buffer.
    const std::string url = "http://host/" + std::string(1520, 'd') + "/p.html";
    const std::string etiqueta = "<a href=\"" + std::string(1520, 'v') + "\">";
    std::vector<char> t(kTamEtiqueta, '\0');
    std::copy(etiqueta.begin(), etiqueta.end(), t.begin());
    EXPECT_FALSE(ReescreverEndereco(t.data(), t.size(), "href", ENDERECO_PAGINA, kPrefixo, url.c_str()));
    EXPECT_EQ(std::string(t.data()), etiqueta);
    // In a small buffer the same holds for a short address.
    char pequena[24] = "<a href=x.html>";
    EXPECT_FALSE(ReescreverEndereco(pequena, sizeof pequena, "href", ENDERECO_PAGINA, kPrefixo, "http://h/p.html"));
    EXPECT_STREQ(pequena, "<a href=x.html>");
}

// A secure page resolves every relative form as a plain one does, with the
// same host and directories: only the scheme differs. Checked on a page with
// and without a file name, on a dotted host, and behind two prefixes.
TEST(Atributos, PaginaSeguraComoPaginaSimples)
{
    struct Caso {
        const char* valor;
        TipoEndereco tipo;
        const char* esperado;  // after "<scheme>://", or "=" for unchanged
    };
    const Caso casos[] = {
        {"/x.gif", ENDERECO_RECURSO, "www.host.com/x.gif"},
        {"/x.html", ENDERECO_PAGINA, "www.host.com/x.html"},
        {"../x.gif", ENDERECO_RECURSO, "www.host.com/a/x.gif"},
        {"../../x.gif", ENDERECO_RECURSO, "www.host.com/x.gif"},
        {"../../../x.html", ENDERECO_PAGINA, "www.host.com/x.html"},
        {"../../../../../a/", ENDERECO_PAGINA, "www.host.com/a/"},
        {"./x.html", ENDERECO_PAGINA, "www.host.com/a/b/x.html"},
        {"x.html", ENDERECO_PAGINA, "www.host.com/a/b/x.html"},
        {"sub", ENDERECO_PAGINA, "www.host.com/a/b/sub"},
        {"img/x.gif", ENDERECO_RECURSO, "www.host.com/a/b/img/x.gif"},
        {"#f", ENDERECO_PAGINA, "="},
        {"x.html#f", ENDERECO_PAGINA, "www.host.com/a/b/x.html#f"},
    };
    for (const char* prefixo : {"http://127.0.0.1:880/", "http://127.0.0.1:8123/"}) {
        for (const char* esquema : {"http", "https"}) {
            for (const char* pagina : {"://www.host.com/a/b/p.html", "://www.host.com/a/b/"}) {
                const std::string url = std::string(esquema) + pagina;
                for (const Caso& c : casos) {
                    std::string esperado = "<unchanged>";
                    if (std::string(c.esperado) != "=")
                        esperado = (c.tipo == ENDERECO_PAGINA ? std::string(prefixo) : std::string()) + esquema +
                                   "://" + c.esperado;
                    EXPECT_EQ(Novo(c.valor, c.tipo, url.c_str(), prefixo), esperado) << url << " " << c.valor;
                }
            }
        }
        // At the root of a dotted host, with and without the final "/".
        for (const char* url : {"https://www.host.com", "https://www.host.com/"}) {
            EXPECT_EQ(Novo("x.gif", ENDERECO_RECURSO, url, prefixo), "https://www.host.com/x.gif") << url;
            EXPECT_EQ(Novo("../x.html", ENDERECO_PAGINA, url, prefixo), std::string(prefixo) + "https://www.host.com/x.html")
                << url;
        }
        // Already absolute secure addresses: pages go behind the prefix, the rest stays.
        EXPECT_EQ(Novo("https://other/p.html", ENDERECO_PAGINA, "https://h/d/", prefixo),
                  std::string(prefixo) + "https://other/p.html");
        EXPECT_EQ(Novo("HTTPS://other", ENDERECO_PAGINA, "http://h/d/", prefixo), std::string(prefixo) + "HTTPS://other");
        EXPECT_EQ(Novo("https://other/a.gif", ENDERECO_PAGINA, "https://h/d/", prefixo), "<unchanged>");
        EXPECT_EQ(Novo("https://other/a.gif", ENDERECO_RECURSO, "https://h/d/", prefixo), "<unchanged>");
    }
    // Written back into the tag, quoted and unquoted.
    EXPECT_EQ(Reescrito("<a href=\"../../../x.html\">", "href", ENDERECO_PAGINA, "https://host/d/p.html"),
              std::string("<a href=\"") + kPrefixo + "https://host/x.html\">");
    EXPECT_EQ(Reescrito(" src=../../x.gif>", "src", ENDERECO_RECURSO, "https://host/d/p.html"),
              " src=https://host/x.gif>");
}

// An address beginning "//" names another server under the page's scheme; a
// query alone stays on the page itself.
TEST(Atributos, EnderecoSemEsquemaEConsultaSo)
{
    for (const char* esquema : {"http", "https"}) {
        const std::string s = esquema;
        const std::string pre = kPrefixo;
        const std::string url = s + "://host/d/p.html";
        EXPECT_EQ(Novo("//cdn.com/x.gif", ENDERECO_RECURSO, url.c_str()), s + "://cdn.com/x.gif");
        EXPECT_EQ(Novo("//other/a/", ENDERECO_PAGINA, url.c_str()), pre + s + "://other/a/");
        EXPECT_EQ(Novo("//other", ENDERECO_PAGINA, url.c_str()), pre + s + "://other");
        EXPECT_EQ(Novo("?q=1", ENDERECO_PAGINA, url.c_str()), pre + s + "://host/d/p.html?q=1");
        EXPECT_EQ(Novo("?q=2", ENDERECO_PAGINA, (s + "://host/d/p.html?q=1").c_str()),
                  pre + s + "://host/d/p.html?q=2");
        EXPECT_EQ(Novo("?q", ENDERECO_PAGINA, (s + "://host/d/").c_str()), pre + s + "://host/d/?q");
        EXPECT_EQ(Novo("?q", ENDERECO_PAGINA, (s + "://host").c_str()), pre + s + "://host/?q");
        // Unquoted, the value's first "/" or "?" is an item of its own: the
        // rest of the address stays in the tag.
        EXPECT_EQ(Reescrito(" src=//cdn.com/x.gif alt=y>", "src", ENDERECO_RECURSO, url.c_str()),
                  " src=" + s + "://cdn.com/x.gif alt=y>");
        EXPECT_EQ(Reescrito("<a href=?q=1>", "href", ENDERECO_PAGINA, url.c_str()),
                  "<a href=" + pre + s + "://host/d/p.html?q=1>");
    }
    // A page without a server of its own keeps such an address as it stands.
    EXPECT_EQ(Novo("//cdn.com/x.gif", ENDERECO_RECURSO, "relative/page.html"), "<unchanged>");
}
