#include <gtest/gtest.h>

#include <cerrno>

#include "apoio_web.h"
#include "conversao_web.h"
#include "http_web.h"
#include "proxy_navegador.h"
#include "servidor.h"

TEST(EnderecoPedido, EsquemasComBarraDupla_SimplesOuEmFalta)
{
    EXPECT_EQ(ExtrairEndereco("/http:/host/"), "http://host/");
    EXPECT_EQ(ExtrairEndereco("/http://host/a.htm?x=1"), "http://host/a.htm?x=1");
    EXPECT_EQ(ExtrairEndereco("/https:/host/a"), "https://host/a");
    EXPECT_EQ(ExtrairEndereco("/file:///home/a/b.html"), "file:///home/a/b.html");
    EXPECT_EQ(ExtrairEndereco("/file:/home/a/b.html"), "file:///home/a/b.html");
    EXPECT_EQ(ExtrairEndereco("/"), "");
    EXPECT_EQ(EsquemaDe(ExtrairEndereco("/")), Esquema::Nenhum);
    EXPECT_EQ(EsquemaDe("ftp://x/"), Esquema::Nenhum);
    EXPECT_EQ(EsquemaDe("HTTPS://x/"), Esquema::Https);
}

TEST(AnalisePedido, CabecalhosLimitesECorpo)
{
    PedidoHttp p;
    EXPECT_EQ(AnalisarPedido("GET /http://a/ HTTP/1.1\r\nHost: x\r\n", &p), LeituraPedido::Incompleto);
    ASSERT_EQ(AnalisarPedido("POST /http://a/ HTTP/1.1\r\nhost:  x \r\nContent-Length: 5\r\n\r\nab", &p),
              LeituraPedido::Completo);
    EXPECT_EQ(p.metodo, "POST");
    EXPECT_EQ(p.alvo, "/http://a/");
    ASSERT_NE(p.Cabecalho("HOST"), nullptr);
    EXPECT_EQ(*p.Cabecalho("Host"), "x");
    EXPECT_EQ(p.tamCorpo, 5u);
    EXPECT_EQ(AnalisarPedido("GET / HTTP/1.0\r\nX: " + std::string(9000, 'a') + "\r\n\r\n", &p), LeituraPedido::Grande);
    EXPECT_EQ(AnalisarPedido(std::string(9000, 'a'), &p), LeituraPedido::Grande);
    EXPECT_EQ(AnalisarPedido("\x16\x03\x01 garbage\r\n\r\n", &p), LeituraPedido::Invalido);
    EXPECT_EQ(AnalisarPedido("GET / HTTP/1.0\r\nContent-Length: x\r\n\r\n", &p), LeituraPedido::Invalido);
}

TEST(Seguranca, HostSoDoProprioProxy)
{
    EXPECT_TRUE(HostPermitido("127.0.0.1:880", 880));
    EXPECT_TRUE(HostPermitido("LocalHost:880", 880));
    EXPECT_TRUE(HostPermitido("[::1]:880", 880));
    EXPECT_TRUE(HostPermitido("localhost", 80));
    EXPECT_FALSE(HostPermitido("localhost", 880));
    EXPECT_FALSE(HostPermitido("127.0.0.1:881", 880));
    EXPECT_FALSE(HostPermitido("evil.example:880", 880));
    EXPECT_FALSE(HostPermitido("127.0.0.1.evil.example:880", 880));
    EXPECT_FALSE(HostPermitido("127.0.0.1:880@evil", 880));
    EXPECT_FALSE(HostPermitido("", 880));
}

TEST(Seguranca, ArquivosSoEmNavegacaoDeTopo)
{
    PedidoHttp p;
    EXPECT_TRUE(NavegacaoDeTopo(p));  // no Sec-Fetch headers: not a browser's script
    p.cabecalhos = {{"Sec-Fetch-Mode", "navigate"}, {"Sec-Fetch-Dest", "document"}};
    EXPECT_TRUE(NavegacaoDeTopo(p));
    p.cabecalhos = {{"Sec-Fetch-Mode", "cors"}, {"Sec-Fetch-Dest", "empty"}};
    EXPECT_FALSE(NavegacaoDeTopo(p));
    p.cabecalhos = {{"Sec-Fetch-Mode", "navigate"}, {"Sec-Fetch-Dest", "iframe"}};
    EXPECT_FALSE(NavegacaoDeTopo(p));
    p.cabecalhos = {{"Sec-Fetch-Mode", "no-cors"}, {"Sec-Fetch-Dest", "script"}};
    EXPECT_FALSE(NavegacaoDeTopo(p));
}

TEST(Seguranca, CabecalhosEncaminhadosSemHostCodificacaoNemSalto)
{
    PedidoHttp p;
    p.cabecalhos = {{"Host", "127.0.0.1:880"}, {"Accept-Encoding", "br"}, {"Connection", "keep-alive"},
                    {"Keep-Alive", "300"}, {"Proxy-Authorization", "x"}, {"Upgrade", "h2c"},
                    {"Cookie", "sessao=1"}, {"Range", "bytes=0-1"}, {"Accept-Language", "en"},
                    {"User-Agent", "Navegador"}, {"Sec-Fetch-Mode", "navigate"}};
    const auto r = CabecalhosEncaminhados(p);
    EXPECT_EQ(r, (std::vector<std::string>{"Accept-Language: en", "User-Agent: Navegador"}));
}

TEST(ArquivoLocal, CaminhoDoLinuxETipoPeloNome)
{
    EXPECT_EQ(CaminhoLocal("file:///home/a/b.html"), "/home/a/b.html");
    EXPECT_EQ(CaminhoLocal("file://localhost/home/a/b.html"), "/home/a/b.html");
    EXPECT_EQ(CaminhoLocal("file:///home/a/meu%20arquivo.html#x"), "/home/a/meu arquivo.html");
    EXPECT_EQ(CaminhoLocal("file://outra/home/a"), "");  // only this machine
    EXPECT_EQ(CaminhoLocal("file:///a%00b"), "");
    EXPECT_EQ(CaminhoLocal("file:///C|/pasta/pagina.htm"), "/C|/pasta/pagina.htm");  // no drive letters here
    EXPECT_EQ(TipoPorNome("/a/B.HTM"), "text/html");
    EXPECT_EQ(TipoPorNome("/a/x.png"), "image/png");
    EXPECT_EQ(TipoPorNome("/a/x.gif"), "image/gif");
    EXPECT_EQ(TipoPorNome("/a/x.jpeg"), "image/jpeg");
    EXPECT_EQ(TipoPorNome("/a/x.txt"), "text/plain");
    EXPECT_EQ(TipoPorNome("/a.gif/x"), "application/octet-stream");
    EXPECT_EQ(TipoPorNome("/a/x.tar.gz"), "application/octet-stream");
}

TEST(Redirecionamento, EnderecosFicamNoProxy)
{
    const std::string pre = "http://127.0.0.1:880/";
    EXPECT_EQ(ReescreverLocalizacao(" /novo.htm", "http://host/d/p.html", pre), pre + "http://host/novo.htm");
    EXPECT_EQ(ReescreverLocalizacao("novo.htm", "http://host/d/p.html", pre), pre + "http://host/d/novo.htm");
    EXPECT_EQ(ReescreverLocalizacao("../x/", "https://host:8443/d/p.html", pre), pre + "https://host:8443/x/");
    EXPECT_EQ(ReescreverLocalizacao("https://outro/a", "http://host/", pre), pre + "https://outro/a");
    EXPECT_EQ(ReescreverLocalizacao("//outro/a", "https://host/", pre), pre + "https://outro/a");
    EXPECT_EQ(ReescreverLocalizacao(pre + "http://host/x", "http://host/", pre), pre + "http://host/x");
    // A server on another port of this machine is another server.
    EXPECT_EQ(ReescreverLocalizacao("http://127.0.0.1:8080/n", "http://127.0.0.1:8080/", pre),
              pre + "http://127.0.0.1:8080/n");
    EXPECT_EQ(ReescreverLocalizacao("mailto:a@b", "http://host/", pre), "mailto:a@b");
}

TEST(ConjuntoDeCaracteres, TipoMetaEBom)
{
    EXPECT_TRUE(EhHtml("text/html"));
    EXPECT_TRUE(EhHtml("Text/HTML; charset=UTF-8"));
    EXPECT_FALSE(EhHtml("text/htmlx"));
    EXPECT_FALSE(EhHtml("text/plain"));
    EXPECT_EQ(CharsetDoTipo("text/html; Charset=\"UTF-8\""), "utf-8");
    EXPECT_EQ(CharsetDoTipo("text/html"), "");
    EXPECT_EQ(CharsetDoDocumento("<html><head><META CHARSET=utf-8>"), "utf-8");
    EXPECT_EQ(CharsetDoDocumento("<meta http-equiv=\"Content-Type\" content=\"text/html; charset=iso-8859-15\">"),
              "iso-8859-15");
    EXPECT_EQ(CharsetDoDocumento("<meta name=x content=\"charset=koi8-r\">"), "");
    EXPECT_EQ(CharsetDoDocumento("\xEF\xBB\xBF<p>"), "utf-8");
    EXPECT_EQ(CharsetDoDocumento("<p>plain</p>"), "");
}

TEST(ConversaoPagina, Utf8CortadoEntrePedacosForaDoWindows1252ViraReferencia)
{
    clConversorPagina c("UTF-8");
    // "é" split across pieces, a snowman, a CJK character and a BOM at the start.
    std::string r = c.Converter("\xEF\xBB\xBF" "caf\xC3");
    r += c.Converter("\xA9 \xE2\x98");
    r += c.Converter("\x83 \xE6\x97\xA5 \xE2\x82\xAC", true);
    EXPECT_EQ(r, "caf\xE9 &#9731; &#26085; \x80");
}

TEST(ConversaoPagina, OutrosConjuntosPorIconvELatin1ComoWindows1252)
{
    clConversorPagina latin("ISO-8859-1");
    EXPECT_EQ(latin.Converter("\x80\xE9"), "\x80\xE9");
    clConversorPagina koi("koi8-r");
    EXPECT_EQ(koi.Origem(), "koi8-r");
    EXPECT_EQ(koi.Converter("\xF0\xD2\xC9"), "&#1055;&#1088;&#1080;");
    clConversorPagina utf16("utf-16le");
    std::string r = utf16.Converter(std::string("A\0\xE9", 3));
    r += utf16.Converter(std::string("\0", 1), true);
    EXPECT_EQ(r, "A\xE9");
    clConversorPagina desconhecido("x-nada");
    EXPECT_EQ(desconhecido.Origem(), "windows-1252");
}

TEST(ProxyFirefox, PerfilPadraoEPreferencias)
{
    const std::string pasta = CriarPastaTemporaria("firefox");
    GravarArquivo(pasta + "/profiles.ini",
                  "[Profile1]\nName=outro\nIsRelative=1\nPath=abc.outro\n\n"
                  "[Profile0]\nName=default\nIsRelative=1\nPath=xyz.default\nDefault=1\n");
    GravarArquivo(pasta + "/xyz.default/prefs.js",
                  "user_pref(\"network.proxy.type\", 1);\n"
                  "user_pref(\"network.proxy.http\", \"proxy.lan\");\n"
                  "user_pref(\"network.proxy.http_port\", 3128);\n"
                  "user_pref(\"network.proxy.ssl\", \"seguro.lan\");\n"
                  "user_pref(\"network.proxy.ssl_port\", 3129);\n"
                  "user_pref(\"network.proxy.no_proxies_on\", \"localhost, 127.0.0.1, .interno\");\n");
    clProxyFirefox firefox(pasta);
    ConfigProxy c;
    ASSERT_TRUE(firefox.ProxyNetscape(&c));
    EXPECT_TRUE(c.usar);
    EXPECT_EQ(c.servidorHttp, "proxy.lan:3128");
    EXPECT_EQ(c.servidorHttps, "seguro.lan:3129");
    EXPECT_EQ(c.excecoes, "localhost,127.0.0.1,.interno");

    // Type 0 (direct) or 5 (system): no proxy of the profile's own.
    GravarArquivo(pasta + "/xyz.default/prefs.js", "user_pref(\"network.proxy.type\", 5);\n");
    ASSERT_TRUE(firefox.ProxyNetscape(&c));
    EXPECT_FALSE(c.usar);
    // An install section names the default profile first.
    GravarArquivo(pasta + "/profiles.ini", "[Install4F96D1932A9F858E]\nDefault=abc.outro\n[Profile0]\nPath=xyz.default\nDefault=1\n");
    EXPECT_EQ(firefox.PerfilPadrao(), pasta + "/abc.outro");
    RemoverPasta(pasta);
    EXPECT_FALSE(clProxyFirefox(pasta).ProxyNetscape(&c));
}

TEST(Servidor, TextosDeErroEPortaConfigurada)
{
    EXPECT_EQ(TextoErroSocket(EADDRINUSE), "The address given is already in use.");
    EXPECT_EQ(TextoErroSocket(ECONNREFUSED), "The connection was refused.");
    EXPECT_EQ(TextoErroSocket(123456), "Unknown Error Occured.");
    EXPECT_EQ(PrefixoLink(8880), "http://127.0.0.1:8880/");

    const std::string pasta = CriarPastaTemporaria("registro");
    setenv("QUILLANE_REGISTRO", pasta.c_str(), 1);
    EXPECT_EQ(PortaConfigurada(), 880);
    GravarArquivo(pasta + "/HKEY_CURRENT_USER.reg",
                  "REGEDIT4\n\n[Software\\Brinmor\\QuillaneBeta\\Web]\n\"Porta\"=dword:000022b0\n");
    EXPECT_EQ(PortaConfigurada(), 8880);
    unsetenv("QUILLANE_REGISTRO");
    RemoverPasta(pasta);
}

TEST(ConversaoPagina, ScriptsEEstilosRecebemEscapesDaPropriaLinguagem)
{
    clConversorPagina c("utf-8");
    // The opening tag cut between pieces; a character beyond the 16-bit range.
    std::string r = c.Converter("<p>\xE2\x98\x83</p><SCR");
    r += c.Converter("IPT type=\"module\">var s = '\xE2\x98\x83\xF0\x9F\x98\x80\xC3\xA9';</script>");
    r += c.Converter("<style>p:after{content:'\xE2\x98\x83'}</style><p>\xE2\x98\x83</p>", true);
    EXPECT_EQ(r,
              "<p>&#9731;</p><SCRIPT type=\"module\">var s = '\\u2603\\uD83D\\uDE00\xE9';</script>"
              "<style>p:after{content:'\\2603 '}</style><p>&#9731;</p>");
}
