// "Traduzir" and "Mostrar Original" against real headless browsers: a page
// from a local nginx, the proxy in front of it, the browser remote
// controlled on its loopback debugging port.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QNetworkAccessManager>
#include <QNetworkProxy>
#include <QNetworkReply>

#include "apoio_testes.h"
#include "canal_json.h"
#include "navegador.h"
#include "servidor.h"

namespace {

const QString kJaTraduzido = QStringLiteral(u"Este endere\u00e7o \u00e9 igual a um J\u00e1 traduzido");
const QString kJaOriginal = QStringLiteral(u"Este endere\u00e7o j\u00e1 \u00e9 o original");

// The visible text of the page in front, read over the browser's own
// protocol (a test's look at the page, apart from the code under test).
QString TextoDaPagina(bool firefox, int porta)
{
    QJsonObject resposta;
    QString erro;
    clCanalJson canal;
    if (firefox) {
        if (!canal.Abrir(QUrl(QStringLiteral("ws://127.0.0.1:%1/session").arg(porta)), 5000)) return {};
        canal.Chamar(QStringLiteral("session.new"), {{QStringLiteral("capabilities"), QJsonObject()}}, 5000, &resposta, &erro);
        canal.Chamar(QStringLiteral("browsingContext.getTree"), {{QStringLiteral("maxDepth"), 0}}, 5000, &resposta, &erro);
        const QString contexto = resposta[QStringLiteral("result")][QStringLiteral("contexts")][0][QStringLiteral("context")].toString();
        canal.Chamar(QStringLiteral("script.evaluate"),
                     {{QStringLiteral("expression"), QStringLiteral("document.body ? document.body.innerText : ''")},
                      {QStringLiteral("target"), QJsonObject{{QStringLiteral("context"), contexto}}},
                      {QStringLiteral("awaitPromise"), false}},
                     5000, &resposta, &erro);
        const QString texto = resposta[QStringLiteral("result")][QStringLiteral("result")][QStringLiteral("value")].toString();
        QJsonObject fim;
        canal.Chamar(QStringLiteral("session.end"), QJsonObject(), 5000, &fim, &erro);
        return texto;
    }
    QNetworkAccessManager rede;
    rede.setProxy(QNetworkProxy::NoProxy);
    QNetworkReply* r = rede.get(QNetworkRequest(QUrl(QStringLiteral("http://127.0.0.1:%1/json/list").arg(porta))));
    EsperarQue([r] { return r->isFinished(); }, 5000);
    QString caminho;
    for (const QJsonValue& v : QJsonDocument::fromJson(r->readAll()).array())
        if (v[QStringLiteral("type")].toString() == QLatin1String("page")) {
            caminho = QUrl(v[QStringLiteral("webSocketDebuggerUrl")].toString()).path();
            break;
        }
    delete r;
    if (caminho.isEmpty() || !canal.Abrir(QUrl(QStringLiteral("ws://127.0.0.1:%1%2").arg(porta).arg(caminho)), 5000))
        return {};
    canal.Chamar(QStringLiteral("Runtime.evaluate"),
                 {{QStringLiteral("expression"), QStringLiteral("document.body ? document.body.innerText : ''")},
                  {QStringLiteral("returnByValue"), true}},
                 5000, &resposta, &erro);
    return resposta[QStringLiteral("result")][QStringLiteral("result")][QStringLiteral("value")].toString();
}

class NavegadorReal : public testing::TestWithParam<bool> {
protected:
    static void SetUpTestSuite()
    {
#ifdef QUILLANE_SANITIZADO
        return;
#endif
        paginas_ = new QTemporaryDir;
        QFile f(QDir(paginas_->path()).filePath(QStringLiteral("pagina.html")));
        f.open(QIODevice::WriteOnly);
        f.write("<html><head><title>Test</title></head><body><p>The house is big.</p></body></html>\n");
        f.close();
        nginx_ = new NginxTeste;
        QString erro;
        nginxOk_ = nginx_->Iniciar(paginas_->path(), &erro);
        if (!nginxOk_) std::fprintf(stderr, "nginx: %s\n", qPrintable(erro));
    }
    static void TearDownTestSuite()
    {
        delete nginx_;
        delete paginas_;
        nginx_ = nullptr;
        paginas_ = nullptr;
    }

    void SetUp() override
    {
#ifdef QUILLANE_SANITIZADO
        GTEST_SKIP() << "real browsers run in the normal build only";
#endif
        firefox_ = GetParam();
        tipo_ = firefox_ ? TipoNavegador::Firefox : TipoNavegador::Chromium;
        if (!ProgramaInstalado(firefox_ ? "firefox-esr" : "chromium") || !ProgramaInstalado("nginx"))
            GTEST_SKIP() << "browser or nginx missing";
        ASSERT_TRUE(nginxOk_);
        QString erro;
        ASSERT_TRUE(navegador_.Iniciar(firefox_, &erro)) << erro.toStdString();
        // The port is announced a moment before the remote control takes sessions.
        ASSERT_TRUE(EsperarQue(
            [&] {
                auto controle = CriarControleNavegador(tipo_, navegador_.Porta());
                const bool ok = controle->Conectar(&erro);
                controle->Desconectar();
                return ok;
            },
            30000))
            << erro.toStdString();
        ASSERT_TRUE(IniciarProxy());
    }

    bool IniciarProxy();

    // The address of the page in front, through the code under test.
    QString EnderecoAtual()
    {
        auto controle = CriarControleNavegador(tipo_, navegador_.Porta());
        QString erro;
        AbaNavegador aba;
        if (!controle->Conectar(&erro) || !controle->LerAbaAtual(&aba, &erro)) return QStringLiteral("erro: ") + erro;
        controle->Desconectar();
        return aba.endereco;
    }

    // Runs sorvane with a browser action; its exit status, -1 when it hung.
    int Sorvane(const char* acao, QString* erros)
    {
        QProcess p;
        p.start(QStringLiteral(QUILLANE_SORVANE_EXE),
                {QString::fromLatin1(acao), QStringLiteral("--navegador"),
                 firefox_ ? QStringLiteral("firefox") : QStringLiteral("Chromium"), QStringLiteral("--porta-navegador"),
                 QString::number(navegador_.Porta()), QStringLiteral("--porta"), QString::number(portaProxy_)});
        if (!p.waitForFinished(30000)) {
            p.kill();
            p.waitForFinished();
            return -1;
        }
        *erros = QString::fromUtf8(p.readAllStandardError());
        return p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    }

    bool EsperarEndereco(const QString& esperado)
    {
        return EsperarQue([&] { return EnderecoAtual() == esperado; }, 20000);
    }

    bool EsperarTexto(const QString& trecho)
    {
        return EsperarQue([&] { return TextoDaPagina(firefox_, navegador_.Porta()).contains(trecho); }, 20000);
    }

    RegistroTemporario registro_;
    static QTemporaryDir* paginas_;
    static NginxTeste* nginx_;
    static bool nginxOk_;
    bool firefox_ = false;
    TipoNavegador tipo_ = TipoNavegador::Chromium;
    NavegadorTeste navegador_;
    clServidor proxy_;
    int portaProxy_ = 0;
};

QTemporaryDir* NavegadorReal::paginas_ = nullptr;
NginxTeste* NavegadorReal::nginx_ = nullptr;
bool NavegadorReal::nginxOk_ = false;

TEST_P(NavegadorReal, TraduzirEMostrarOriginal)
{
    // The page is on "localhost": an address with 127.0.0.1 in it counts as
    // one already translated.
    const QString original = QStringLiteral("http://localhost:%1/pagina.html").arg(nginx_->Porta());
    const QString traduzido = QStringLiteral("http://127.0.0.1:%1/").arg(portaProxy_) + original;
    {
        auto controle = CriarControleNavegador(tipo_, navegador_.Porta());
        QString erro;
        AbaNavegador aba;
        ASSERT_TRUE(controle->Conectar(&erro)) << erro.toStdString();
        ASSERT_TRUE(controle->LerAbaAtual(&aba, &erro)) << erro.toStdString();
        ASSERT_TRUE(controle->Navegar(aba, original, &erro)) << erro.toStdString();
    }
    ASSERT_TRUE(EsperarEndereco(original)) << EnderecoAtual().toStdString();
    ASSERT_TRUE(EsperarTexto(QStringLiteral("The house is big.")));

    auto controle = CriarControleNavegador(tipo_, navegador_.Porta());
    auto r = Traduzir(*controle, tipo_, navegador_.Porta(), portaProxy_);
    EXPECT_TRUE(r.enviado) << r.mensagem.toStdString();
    EXPECT_EQ(r.destino, traduzido);
    ASSERT_TRUE(EsperarEndereco(traduzido)) << EnderecoAtual().toStdString();
    EXPECT_TRUE(EsperarTexto(QStringLiteral(u"A casa \u00e9 grande."))) << TextoDaPagina(firefox_, navegador_.Porta()).toStdString();

    r = Traduzir(*controle, tipo_, navegador_.Porta(), portaProxy_);
    EXPECT_FALSE(r.enviado);
    EXPECT_EQ(r.mensagem, kJaTraduzido);

    r = MostrarOriginal(*controle, tipo_, navegador_.Porta());
    EXPECT_TRUE(r.enviado) << r.mensagem.toStdString();
    ASSERT_TRUE(EsperarEndereco(original)) << EnderecoAtual().toStdString();
    EXPECT_TRUE(EsperarTexto(QStringLiteral("The house is big.")));

    r = MostrarOriginal(*controle, tipo_, navegador_.Porta());
    EXPECT_FALSE(r.enviado);
    EXPECT_EQ(r.mensagem, kJaOriginal);

    // The same from the command line, as a desktop shortcut runs it.
    QString erros;
    EXPECT_EQ(Sorvane("--mostrar-original", &erros), 1);
    EXPECT_TRUE(erros.contains(kJaOriginal)) << erros.toStdString();
    EXPECT_EQ(Sorvane("--traduzir", &erros), 0) << erros.toStdString();
    EXPECT_TRUE(EsperarEndereco(traduzido)) << EnderecoAtual().toStdString();
    EXPECT_EQ(Sorvane("--traduzir", &erros), 1);
    EXPECT_TRUE(erros.contains(kJaTraduzido)) << erros.toStdString();
    EXPECT_EQ(Sorvane("--mostrar-original", &erros), 0) << erros.toStdString();
    EXPECT_TRUE(EsperarEndereco(original)) << EnderecoAtual().toStdString();
}

INSTANTIATE_TEST_SUITE_P(Navegadores, NavegadorReal, testing::Values(false, true),
                         [](const testing::TestParamInfo<bool>& i) { return i.param ? "Firefox" : "Chromium"; });

} // namespace

bool NavegadorReal::IniciarProxy()
{
    ConfigServidor config;
    config.porta = 0;
    config.caminhoMotor = QUILLANE_DADOS_DIR "/libmoriel32.so";
    std::string erro;
    if (!proxy_.Iniciar(config, &erro)) {
        ADD_FAILURE() << erro;
        return false;
    }
    portaProxy_ = proxy_.Porta();
    return true;
}
