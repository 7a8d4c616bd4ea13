// The proxy against a real nginx on loopback: pages, links, redirects,
// https, compression, character sets, status codes, binary files, local
// files, the safety checks and the limits.
#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <cstdlib>
#include <mutex>
#include <thread>
#include <vector>

#include "apoio_web.h"
#include "servidor.h"

namespace {

const std::string kPagina =
    "<html><head><title>The house</title></head><body>\n"
    "<p>The house is big. I like the red car.</p>\n"
    "<a href=\"news.html\">News</a> <a href=\"https://example.org/a.html\">Secure</a>\n"
    "</body></html>\n";

// PNG and GIF headers with bytes the engine and any text conversion would
// touch: NUL, 0xFF, CR LF, "<".
std::string Binario(const std::string& inicio)
{
    std::string b = inicio;
    for (int i = 0; i < 3000; ++i) b += static_cast<char>((i * 37) & 0xFF);
    b += std::string("\0\xFF\r\n<a href=x>", 14);
    return b;
}

class Proxy : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        pasta_ = new std::string(CriarPastaTemporaria("sorvane"));
        setenv("QUILLANE_REGISTRO", (*pasta_ + "/registro").c_str(), 1);
        for (const char* v : {"http_proxy", "https_proxy", "HTTP_PROXY", "HTTPS_PROXY", "all_proxy", "ALL_PROXY"})
            unsetenv(v);
        nginx_ = new clNginx(*pasta_ + "/nginx");
        const std::string www = nginx_->Www();
        GravarArquivo(www + "/index.html", kPagina);
        GravarArquivo(www + "/dir/p.html", "<p>The red car.</p>");
        GravarArquivo(www + "/404.html", "<html><body><p>The page is not here.</p></body></html>");
        // UTF-8 declared by the header (/u/) and by a meta tag only.
        const std::string utf8 = "<p>The house. Snow \xE2\x98\x83, sun \xE6\x97\xA5, euro \xE2\x82\xAC, caf\xC3\xA9.</p>";
        GravarArquivo(www + "/u/utf8.html", utf8);
        GravarArquivo(www + "/meta.html", "<html><head><meta charset=\"utf-8\"></head><body>" + utf8 + "</body></html>");
        GravarArquivo(www + "/grande.txt", std::string(5000, 'a'));
        GravarArquivo(www + "/imagem.png", Binario("\x89PNG\r\n\x1a\n"));
        GravarArquivo(www + "/imagem.gif", Binario("GIF89a"));
        setenv("SSL_CERT_FILE", nginx_->Ca().c_str(), 1);
    }
    static void TearDownTestSuite()
    {
        delete nginx_;
        RemoverPasta(*pasta_);
        delete pasta_;
        unsetenv("SSL_CERT_FILE");
    }

    void SetUp() override
    {
        ASSERT_TRUE(nginx_->Ativo()) << "nginx did not start";
        config_.porta = 0;
        config_.caminhoMotor = QUILLANE_DADOS_DIR "/libmoriel32.so";
    }
    void TearDown() override { servidor_.Parar(); }

    void Iniciar()
    {
        std::string erro;
        ASSERT_TRUE(servidor_.Iniciar(config_, &erro)) << erro;
    }
    RespostaHttp Pagina(const std::string& endereco, const std::string& extras = {})
    {
        return Get(servidor_.Porta(), "/" + endereco, extras);
    }
    std::string Prefixo() const { return servidor_.Prefixo(); }

    static std::string* pasta_;
    static clNginx* nginx_;
    ConfigServidor config_;
    clServidor servidor_;
};

std::string* Proxy::pasta_ = nullptr;
clNginx* Proxy::nginx_ = nullptr;

TEST_F(Proxy, PaginaTraduzidaComLinksNoProxyEConjuntoDeCaracteresDito)
{
    Iniciar();
    const RespostaHttp r = Pagina(nginx_->Http("index.html"));
    ASSERT_EQ(r.status, 200) << r.bruta;
    EXPECT_EQ(r.cabecalhos.at("content-type"), "text/html; charset=windows-1252");
    EXPECT_NE(r.corpo.find("casa"), std::string::npos) << r.corpo;
    EXPECT_NE(r.corpo.find("carro vermelho"), std::string::npos) << r.corpo;
    EXPECT_NE(r.corpo.find("href=\"" + Prefixo() + nginx_->Http("news.html") + "\""), std::string::npos) << r.corpo;
    EXPECT_NE(r.corpo.find("href=\"" + Prefixo() + "https://example.org/a.html\""), std::string::npos) << r.corpo;
    const std::string csp = r.cabecalhos.at("content-security-policy");
    EXPECT_NE(csp.find("sandbox"), std::string::npos);
    EXPECT_NE(csp.find("allow-scripts"), std::string::npos);
    EXPECT_EQ(csp.find("allow-same-origin"), std::string::npos);
}

TEST_F(Proxy, HttpsComprimidoEUtf8SemPerderCaracteres)
{
    Iniciar();
    for (const std::string& endereco : {nginx_->Https("u/utf8.html"), nginx_->Http("meta.html")}) {
        const RespostaHttp r = Pagina(endereco, "Accept-Encoding: gzip\r\n");
        ASSERT_EQ(r.status, 200) << endereco << r.bruta;
        EXPECT_EQ(r.cabecalhos.count("content-encoding"), 0u);
        EXPECT_NE(r.corpo.find("casa"), std::string::npos) << r.corpo;
        EXPECT_NE(r.corpo.find("&#9731;"), std::string::npos) << r.corpo;
        EXPECT_NE(r.corpo.find("&#26085;"), std::string::npos) << r.corpo;
        EXPECT_NE(r.corpo.find('\x80'), std::string::npos) << r.corpo;  // the euro, in Windows-1252
        EXPECT_EQ(r.corpo.find("\xE2\x98\x83"), std::string::npos);
    }
    // nginx compresses this one only because libcurl asks for it.
    const RespostaHttp t = Pagina(nginx_->Http("grande.txt"));
    ASSERT_EQ(t.status, 200);
    EXPECT_EQ(t.corpo, std::string(5000, 'a'));
}

TEST_F(Proxy, RedirecionamentosFicamNoProxy)
{
    Iniciar();
    RespostaHttp r = Pagina(nginx_->Http("r"));
    EXPECT_EQ(r.status, 302);
    EXPECT_EQ(r.cabecalhos["location"], Prefixo() + nginx_->Http("index.html"));
    r = Pagina(nginx_->Https("r307"));
    EXPECT_EQ(r.status, 307);
    EXPECT_EQ(r.cabecalhos["location"], Prefixo() + nginx_->Https("dir/p.html"));
    EXPECT_EQ(r.cabecalhos.count("content-length"), 0u);
    // Without an address there is nothing to rewrite: relayed as it came.
    r = Pagina(nginx_->Http("sem-endereco"));
    EXPECT_EQ(r.status, 302);
    EXPECT_EQ(r.cabecalhos.count("location"), 0u) << r.bruta;
    EXPECT_TRUE(r.completa);
    // A directory without its slash: nginx answers with an absolute address.
    r = Pagina(nginx_->Http("dir"));
    EXPECT_EQ(r.status, 301);
    EXPECT_EQ(r.cabecalhos["location"], Prefixo() + nginx_->Http("dir/"));
}

TEST_F(Proxy, StatusDoServidorERepassadoEBinariosIntactos)
{
    Iniciar();
    RespostaHttp r = Pagina(nginx_->Http("nada.html"));
    EXPECT_EQ(r.status, 404);
    EXPECT_NE(r.corpo.find("p&aacute;gina"), std::string::npos) << r.corpo;  // translated
    for (const char* nome : {"imagem.png", "imagem.gif"}) {
        r = Pagina(nginx_->Http(nome));
        ASSERT_EQ(r.status, 200);
        EXPECT_EQ(r.corpo, LerArquivo(nginx_->Www() + "/" + nome)) << nome;
        r = Pagina("file://" + nginx_->Www() + "/" + nome);
        ASSERT_EQ(r.status, 200);
        EXPECT_EQ(r.cabecalhos["content-type"], std::string("image/") + (nome[7] == 'p' ? "png" : "gif"));
        EXPECT_EQ(r.corpo, LerArquivo(nginx_->Www() + "/" + nome)) << nome;
    }
}

TEST_F(Proxy, ArquivosLocais)
{
    Iniciar();
    RespostaHttp r = Pagina("file://" + nginx_->Www() + "/index.html");
    ASSERT_EQ(r.status, 200);
    EXPECT_NE(r.corpo.find("casa"), std::string::npos) << r.corpo;
    r = Pagina("file:///nao/existe/<b>.html");
    EXPECT_EQ(r.status, 404);
    EXPECT_NE(r.corpo.find("Arquivo : /nao/existe/&lt;b&gt;.html N\xC3\xA3o Encontrado"), std::string::npos) << r.corpo;
    // A script's fetch or a page's resource never reads a local file.
    r = Pagina("file://" + nginx_->Www() + "/index.html", "Sec-Fetch-Mode: cors\r\nSec-Fetch-Dest: empty\r\n");
    EXPECT_EQ(r.status, 403);
    EXPECT_EQ(r.corpo.find("casa"), std::string::npos);
    r = Pagina("file://" + nginx_->Www() + "/index.html", "Sec-Fetch-Mode: navigate\r\nSec-Fetch-Dest: document\r\n");
    EXPECT_EQ(r.status, 200);
}

TEST_F(Proxy, HostDeOutroNomeERecusado)
{
    Iniciar();
    const std::string alvo = "/" + nginx_->Http("index.html");
    const std::string p = std::to_string(servidor_.Porta());
    EXPECT_EQ(PedirBruto(servidor_.Porta(), "GET " + alvo + " HTTP/1.1\r\nHost: rebind.example:" + p + "\r\n\r\n").status, 403);
    EXPECT_EQ(PedirBruto(servidor_.Porta(), "GET " + alvo + " HTTP/1.1\r\nHost: localhost:" + p + "\r\n\r\n").status, 200);
    EXPECT_EQ(PedirBruto(servidor_.Porta(), "GET " + alvo + " HTTP/1.0\r\n\r\n").status, 200);
}

TEST_F(Proxy, ErrosComPaginaEmPortugues)
{
    Iniciar();
    RespostaHttp r = Get(servidor_.Porta(), "/");
    EXPECT_EQ(r.status, 400);
    EXPECT_NE(r.corpo.find("lang=\"pt\""), std::string::npos);
    EXPECT_EQ(Pagina("ftp://127.0.0.1/x").status, 400);
    EXPECT_EQ(Pagina("http://127.0.0.1:" + std::to_string(PortaLivre()) + "/").status, 502);
    // A certificate of an authority the proxy does not trust.
    unsetenv("SSL_CERT_FILE");
    r = Pagina(nginx_->Https("index.html"));
    setenv("SSL_CERT_FILE", nginx_->Ca().c_str(), 1);
    EXPECT_EQ(r.status, 502);
    EXPECT_NE(r.corpo.find("Certificado"), std::string::npos) << r.corpo;
}

TEST_F(Proxy, LimitesDeTamanhoEDeTempo)
{
    config_.esperaCliente = std::chrono::milliseconds(300);
    config_.esperaServidor = std::chrono::milliseconds(1000);
    Iniciar();
    const int porta = servidor_.Porta();
    EXPECT_EQ(PedirBruto(porta, "GET / HTTP/1.0\r\nX: " + std::string(9000, 'a') + "\r\n\r\n").status, 431);
    EXPECT_EQ(Pagina("http://h/" + std::string(1100, 'a')).status, 414);
    // A client that says nothing is closed without an answer.
    const auto antes = std::chrono::steady_clock::now();
    RespostaHttp r = PedirBruto(porta, "GET /http://x/ HTTP/1.0\r\n");
    EXPECT_TRUE(r.completa);
    EXPECT_EQ(r.bruta, "");
    EXPECT_LT(std::chrono::steady_clock::now() - antes, std::chrono::seconds(5));
    // A server that accepts and never answers.
    const int mudo = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ASSERT_EQ(bind(mudo, reinterpret_cast<sockaddr*>(&a), sizeof a), 0);
    socklen_t t = sizeof a;
    getsockname(mudo, reinterpret_cast<sockaddr*>(&a), &t);
    listen(mudo, 4);
    r = Pagina("http://127.0.0.1:" + std::to_string(ntohs(a.sin_port)) + "/");
    close(mudo);
    EXPECT_EQ(r.status, 504);
}

TEST_F(Proxy, DuzentasConexoesSimultaneasEMotorCarregadoUmaVez)
{
    std::mutex trava;
    std::vector<int> contagens;
    servidor_.AoMudarConexoes([&](int n) {
        std::lock_guard<std::mutex> g(trava);
        contagens.push_back(n);
    });
    config_.maxConexoes = 256;
    Iniciar();
    std::atomic<int> ok{0};
    std::vector<std::thread> clientes;
    for (int i = 0; i < 200; ++i)
        clientes.emplace_back([&]() {
            const RespostaHttp r = Pagina(nginx_->Http("index.html"));
            if (r.status == 200 && r.corpo.find("casa") != std::string::npos) ++ok;
        });
    for (auto& c : clientes) c.join();
    EXPECT_EQ(ok.load(), 200);
    for (int i = 0; i < 100 && servidor_.Conexoes() != 0; ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    EXPECT_EQ(servidor_.Conexoes(), 0);
    EXPECT_FALSE(servidor_.MotorCarregado());
    servidor_.Parar();  // the callback's variables end with this test
    std::lock_guard<std::mutex> g(trava);
    ASSERT_FALSE(contagens.empty());
    EXPECT_EQ(contagens.back(), 0);
    EXPECT_LE(servidor_.CarregamentosMotor(), static_cast<int>(std::count(contagens.begin(), contagens.end(), 1)));
}

TEST_F(Proxy, AlemDoLimiteAsConexoesEsperamNaFila)
{
    config_.maxConexoes = 2;
    std::atomic<int> maximo{0};
    servidor_.AoMudarConexoes([&](int n) {
        int m = maximo.load();
        while (n > m && !maximo.compare_exchange_weak(m, n)) {
        }
    });
    Iniciar();
    // Three silent clients hold the two slots; a fourth waits its turn.
    std::vector<int> mudos;
    for (int i = 0; i < 3; ++i) {
        const int s = socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in a{};
        a.sin_family = AF_INET;
        a.sin_port = htons(static_cast<uint16_t>(servidor_.Porta()));
        a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        ASSERT_EQ(connect(s, reinterpret_cast<sockaddr*>(&a), sizeof a), 0);
        mudos.push_back(s);
    }
    std::thread cliente([&]() { EXPECT_EQ(Pagina(nginx_->Http("index.html")).status, 200); });
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    EXPECT_EQ(servidor_.Conexoes(), 2);
    for (int s : mudos) close(s);
    cliente.join();
    servidor_.Parar();
    EXPECT_EQ(maximo.load(), 2);
}

TEST_F(Proxy, DuasConexoesSeguidasCarregamOMotorUmaVez)
{
    Iniciar();
    const int a = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in e{};
    e.sin_family = AF_INET;
    e.sin_port = htons(static_cast<uint16_t>(servidor_.Porta()));
    e.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ASSERT_EQ(connect(a, reinterpret_cast<sockaddr*>(&e), sizeof e), 0);
    for (int i = 0; i < 100 && servidor_.Conexoes() < 1; ++i) std::this_thread::sleep_for(std::chrono::milliseconds(10));
    EXPECT_TRUE(servidor_.MotorCarregado());
    EXPECT_EQ(Pagina(nginx_->Http("index.html")).status, 200);
    EXPECT_TRUE(servidor_.MotorCarregado());  // the first is still open
    EXPECT_EQ(servidor_.CarregamentosMotor(), 1);
    close(a);
    for (int i = 0; i < 200 && servidor_.Conexoes() > 0; ++i) std::this_thread::sleep_for(std::chrono::milliseconds(10));
    EXPECT_FALSE(servidor_.MotorCarregado());
    EXPECT_EQ(Pagina(nginx_->Http("index.html")).status, 200);
    EXPECT_EQ(servidor_.CarregamentosMotor(), 2);
}

TEST_F(Proxy, ProxyDoPerfilFirefox)
{
    // The profile names nginx itself as the proxy: nginx then answers the
    // absolute request with its own page, which shows the proxy was used.
    const std::string ff = *pasta_ + "/firefox";
    GravarArquivo(ff + "/profiles.ini", "[Profile0]\nPath=p.default\nIsRelative=1\nDefault=1\n");
    GravarArquivo(ff + "/p.default/prefs.js",
                  "user_pref(\"network.proxy.type\", 1);\nuser_pref(\"network.proxy.http\", \"127.0.0.1\");\n"
                  "user_pref(\"network.proxy.http_port\", " + std::to_string(nginx_->PortaHttp()) + ");\n");
    config_.origemProxy = OrigemProxy::PerfilFirefox;
    config_.pastaFirefox = ff;
    Iniciar();
    const RespostaHttp r = Pagina("http://nao-existe.invalid/index.html");
    EXPECT_EQ(r.status, 200) << r.bruta;
    EXPECT_NE(r.corpo.find("casa"), std::string::npos);
    servidor_.DefinirOrigemProxy(OrigemProxy::Ambiente);
    EXPECT_EQ(Pagina("http://nao-existe.invalid/index.html").status, 502);
}

TEST_F(Proxy, PortaOcupadaDaOTextoDoErro)
{
    Iniciar();
    ConfigServidor outro = config_;
    outro.porta = servidor_.Porta();
    clServidor segundo;
    std::string erro;
    EXPECT_FALSE(segundo.Iniciar(outro, &erro));
    EXPECT_EQ(erro, "The address given is already in use.");
}

} // namespace

namespace {

TEST_F(Proxy, PrefixoDeUmBalanceadorNosLinksENoHost)
{
    config_.prefixo = "http://127.0.0.1:9";
    Iniciar();
    EXPECT_EQ(Prefixo(), "http://127.0.0.1:9/");
    const std::string alvo = "/" + nginx_->Http("index.html");
    const RespostaHttp r =
        PedirBruto(servidor_.Porta(), "GET " + alvo + " HTTP/1.0\r\nHost: 127.0.0.1:9\r\n\r\n");
    ASSERT_EQ(r.status, 200);
    EXPECT_NE(r.corpo.find("href=\"http://127.0.0.1:9/" + nginx_->Http("news.html")), std::string::npos) << r.corpo;
    EXPECT_EQ(Get(servidor_.Porta(), alvo).status, 200);  // its own address still works
}

} // namespace
