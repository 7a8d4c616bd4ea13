// sorvane's windows driven as a person drives them, the address rules, the
// settings and the browser preselection; the browser itself is a fake here
// (the real ones are in navegador_test.cpp).
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTcpSocket>
#include <QProcess>
#include <QTest>
#include <QToolButton>

#include <atomic>
#include <fstream>

#include "apoio_testes.h"
#include "configuracao_web.h"
#include "janelas_web.h"
#include "programa_janela.h"
#include "registro.h"
#include "servidor.h"

namespace {

const QString kJaTraduzido = QStringLiteral(u"Este endere\u00e7o \u00e9 igual a um J\u00e1 traduzido");
const QString kJaOriginal = QStringLiteral(u"Este endere\u00e7o j\u00e1 \u00e9 o original");

TEST(RegrasDeEndereco, TraduzirPoeOPrefixoDoProxyComSuaPorta)
{
    auto r = RegraTraduzir(QStringLiteral("https://example.org/a?b=1"), 8880);
    EXPECT_TRUE(r.enviado);
    EXPECT_EQ(r.destino, QStringLiteral("http://127.0.0.1:8880/https://example.org/a?b=1"));

    r = RegraTraduzir(QStringLiteral("http://127.0.0.1:880/http://example.org/"), 880);
    EXPECT_FALSE(r.enviado);
    EXPECT_EQ(r.mensagem, kJaTraduzido);
}

TEST(RegrasDeEndereco, MostrarOriginalTiraOPrefixoERestauraABarra)
{
    struct Caso {
        const char* entrada;
        const char* original;  // nullptr: "already the original"
    } casos[] = {
        {"http://127.0.0.1:880/http:/host/a.htm", "http://host/a.htm"},
        {"http://127.0.0.1:880/http://host/a.htm", "http://host/a.htm"},
        {"http://127.0.0.1:8880/HTTP:/host/", "HTTP://host/"},
        // https must not become "https/://" as a fixed five-character cut would make it.
        {"http://127.0.0.1:8880/https:/host/x", "https://host/x"},
        {"http://127.0.0.1:8880/https://host/x", "https://host/x"},
        {"http://127.0.0.1:880/file:///home/a.html", "file:///home/a.html"},
        {"http://127.0.0.1:880/file:/home/a.html", "file:///home/a.html"},
        {"http://127.0.0.1/http://host/", "http://host/"},
        {"https://example.org/page", nullptr},
        {"http://127.0.0.1:880/", nullptr},                 // the proxy's own root names no page
        {"http://example.org/?ip=127.0.0.1", nullptr},       // not the proxy's form
    };
    for (const Caso& c : casos) {
        const auto r = RegraMostrarOriginal(QString::fromLatin1(c.entrada));
        if (c.original) {
            EXPECT_TRUE(r.enviado) << c.entrada;
            EXPECT_EQ(r.destino, QString::fromLatin1(c.original)) << c.entrada;
        } else {
            EXPECT_FALSE(r.enviado) << c.entrada;
            EXPECT_EQ(r.mensagem, kJaOriginal) << c.entrada;
        }
    }
}

// A browser that shows `endereco` and records where it is sent.
struct NavegadorFalso {
    bool ativo = true;
    QString endereco = QStringLiteral("http://example.org/");
    QStringList enviados;
    int conexoes = 0;
};

class ControleFalso : public clControleNavegador {
public:
    explicit ControleFalso(NavegadorFalso* n) : n_(n) {}
    bool Conectar(QString* erro) override
    {
        erro->clear();
        ++n_->conexoes;
        return n_->ativo;
    }
    bool LerAbaAtual(AbaNavegador* aba, QString*) override
    {
        aba->endereco = n_->endereco;
        return true;
    }
    bool Navegar(const AbaNavegador&, const QString& endereco, QString*) override
    {
        n_->enviados << endereco;
        n_->endereco = endereco;
        return true;
    }
    void Desconectar() override {}

private:
    NavegadorFalso* n_;
};

class Janelas : public testing::Test {
protected:
    void SetUp() override
    {
        // No clipboard or desktop outside the test's own.
        qunsetenv("DISPLAY");
        qunsetenv("WAYLAND_DISPLAY");
        acoes_.criarControle = [this](TipoNavegador tipo, int porta) {
            pedidos_ << QStringLiteral("%1:%2").arg(NomeNavegador(tipo)).arg(porta);
            return std::make_unique<ControleFalso>(&navegador_);
        };
        acoes_.mostrarMensagem = [this](QWidget*, const QString& texto) { mensagens_ << texto; };
        acoes_.abrirAjuda = [this](const QUrl& pagina) {
            ajuda_ << pagina;
            return true;
        };
        acoes_.traduzirArea = [] { return ResultadoPellaro{true, QStringLiteral("feito")}; };
        acoes_.iniciarPrograma = [this](const QString& linha) {
            iniciados_ << linha;
            return iniciarOk_;
        };
        acoes_.handlerHtml = [this] { return handler_; };
    }

    void Abrir(int portaProxy = 880)
    {
        principal_ = std::make_unique<TWbServe>(portaProxy, acoes_);
        configuracao_ = std::make_unique<TForm1>(principal_.get(), acoes_);
        principal_->DefinirConfiguracao(configuracao_.get());
    }

    void Fechar()
    {
        if (configuracao_) configuracao_->FormDestroy();
        configuracao_.reset();
        principal_.reset();
    }

    void GravarChave(const std::string& nome, std::uint32_t valor)
    {
        auto chave = clChaveRegistro::Abrir(Colmeia::UsuarioAtual, kChaveWeb, true);
        ASSERT_TRUE(chave);
        ASSERT_TRUE(chave->GravarDword(nome, valor));
    }

    RegistroTemporario registro_;
    AcoesJanela acoes_;
    NavegadorFalso navegador_;
    QStringList pedidos_, mensagens_, iniciados_;
    QList<QUrl> ajuda_;
    bool iniciarOk_ = true;
    std::string handler_ = "chromium.desktop";
    std::unique_ptr<TWbServe> principal_;
    std::unique_ptr<TForm1> configuracao_;
};

TEST_F(Janelas, JanelaPrincipalComSeisBotoesNaOrdem)
{
    Abrir();
    EXPECT_EQ(principal_->windowTitle(), QStringLiteral("Sorvane 1.2"));
    EXPECT_TRUE(principal_->windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_FALSE(principal_->windowFlags() & Qt::WindowMaximizeButtonHint);
    EXPECT_EQ(principal_->minimumSize(), principal_->maximumSize());
    const QList<QToolButton*> botoes{principal_->SpeedButtonTraduzir,   principal_->SpeedButtonOriginal,
                                     principal_->SpeedButtonChamaVertalTexto, principal_->SpeedButtonConfigurar,
                                     principal_->SpeedButtonAjuda,      principal_->SpeedButtonSair};
    const QStringList dicas{QStringLiteral("Traduzir"),   QStringLiteral("Mostrar Original"),
                            QStringLiteral("Ativa Pellaro"), QStringLiteral("Configurar"),
                            QStringLiteral("Obter Ajuda"), QStringLiteral("Sair")};
    principal_->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(principal_.get()));
    int x = -1;
    for (int i = 0; i < botoes.size(); ++i) {
        EXPECT_EQ(botoes[i]->toolTip(), dicas[i]);
        EXPECT_EQ(botoes[i]->accessibleName(), dicas[i]);
        EXPECT_FALSE(botoes[i]->icon().isNull()) << dicas[i].toStdString();
        EXPECT_TRUE(botoes[i]->focusPolicy() & Qt::TabFocus) << dicas[i].toStdString();
        EXPECT_GT(botoes[i]->x(), x);  // one row, left to right
        x = botoes[i]->x();
    }
    // The keyboard reaches every button: Tab goes round them all.
    botoes[0]->setFocus();
    QSet<QWidget*> visitados;
    for (int i = 0; i < 8; ++i) {
        visitados.insert(QApplication::focusWidget());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
    for (QToolButton* b : botoes) EXPECT_TRUE(visitados.contains(b)) << b->toolTip().toStdString();

    EXPECT_EQ(configuracao_->windowTitle(), QStringLiteral(u"Configura\u00e7\u00e3o"));
    EXPECT_EQ(configuracao_->StatusBar1->text(), QStringLiteral("Selecione o Navegador "));
    EXPECT_EQ(configuracao_->RadioButton1->text(), QStringLiteral("Firefox"));
    EXPECT_EQ(configuracao_->RadioButton2->text(), QStringLiteral("Chromium"));
    Fechar();
}

TEST_F(Janelas, SemChaveValoresDeProjetoEIdaEVoltaDasConfiguracoes)
{
    Abrir();
    EXPECT_EQ(principal_->pos(), TWbServe::PosicaoProjetada());
    EXPECT_TRUE(configuracao_->CheckBoxConfigura->isChecked());
    EXPECT_EQ(configuracao_->PortaNavegador(), kPortaNavegadorPadrao);
    EXPECT_EQ(principal_->Janela(), 1);
    // Opening reads only: without the key nothing is written before the end.
    EXPECT_FALSE(clChaveRegistro::Abrir(Colmeia::UsuarioAtual, kChaveWeb, false));

    // The user moves the window, unticks the box, changes the port, quits.
    principal_->move(37, 54);
    QTest::mouseClick(configuracao_->CheckBoxConfigura, Qt::LeftButton);
    configuracao_->SpinEditPorta->setValue(9333);
    principal_->DefinirJanela(7);
    Fechar();
    {
        auto chave = clChaveRegistro::Abrir(Colmeia::UsuarioAtual, kChaveWeb, false);
        ASSERT_TRUE(chave);
        EXPECT_EQ(chave->Ler("ConfBrowser")->dword, 0u);
        EXPECT_EQ(chave->Ler("Janela")->dword, 7u);
        EXPECT_EQ(chave->Ler("Top")->dword, 54u);
        EXPECT_EQ(chave->Ler("Left")->dword, 37u);
    }
    Abrir();
    EXPECT_EQ(principal_->pos(), QPoint(37, 54));
    EXPECT_FALSE(configuracao_->CheckBoxConfigura->isChecked());
    EXPECT_EQ(configuracao_->PortaNavegador(), 9333);
    EXPECT_EQ(principal_->Janela(), 7);
    principal_->show();  // shown: the state word becomes 1 again
    EXPECT_EQ(principal_->Janela(), 1);
    Fechar();
}

TEST_F(Janelas, PosicaoForaDeQualquerTelaNaoEscondeAJanela)
{
    GravarChave("Top", static_cast<std::uint32_t>(-30000));
    GravarChave("Left", 90000);
    Abrir();
    EXPECT_EQ(principal_->pos(), TWbServe::PosicaoProjetada());
    Fechar();
}

TEST_F(Janelas, NavegadorPreSelecionadoPeloHandlerDeHtml)
{
    // Firefox is chosen from the desktop even when the settings say other things.
    GravarChave("ConfBrowser", 0);
    handler_ = "firefox-esr.desktop";
    Abrir();
    EXPECT_TRUE(configuracao_->RadioButton1->isChecked());
    EXPECT_EQ(configuracao_->Navegador(), TipoNavegador::Firefox);
    Fechar();
    for (const char* outro : {"chromium.desktop", "google-chrome.desktop", ""}) {
        handler_ = outro;
        Abrir();
        EXPECT_TRUE(configuracao_->RadioButton2->isChecked()) << outro;
        Fechar();
    }
}

TEST_F(Janelas, TraduzirEMostrarOriginalPeloNavegadorEscolhido)
{
    handler_ = "firefox.desktop";
    Abrir(8880);
    configuracao_->SpinEditPorta->setValue(9444);
    QTest::mouseClick(principal_->SpeedButtonTraduzir, Qt::LeftButton);
    EXPECT_EQ(pedidos_, QStringList{QStringLiteral("Firefox:9444")});
    EXPECT_EQ(navegador_.enviados, QStringList{QStringLiteral("http://127.0.0.1:8880/http://example.org/")});
    EXPECT_TRUE(mensagens_.isEmpty());

    // Again on the translated page: a message and nothing sent.
    QTest::mouseClick(principal_->SpeedButtonTraduzir, Qt::LeftButton);
    EXPECT_EQ(mensagens_, QStringList{kJaTraduzido});
    EXPECT_EQ(navegador_.enviados.size(), 1);

    // The user switches to Chromium; the original comes back.
    QTest::mouseClick(configuracao_->RadioButton2, Qt::LeftButton);
    QTest::mouseClick(principal_->SpeedButtonOriginal, Qt::LeftButton);
    EXPECT_EQ(pedidos_.last(), QStringLiteral("Chromium:9444"));
    EXPECT_EQ(navegador_.enviados.last(), QStringLiteral("http://example.org/"));
    QTest::mouseClick(principal_->SpeedButtonOriginal, Qt::LeftButton);
    EXPECT_EQ(mensagens_.last(), kJaOriginal);
    EXPECT_EQ(navegador_.enviados.size(), 2);

    navegador_.ativo = false;
    QTest::mouseClick(principal_->SpeedButtonTraduzir, Qt::LeftButton);
    EXPECT_TRUE(mensagens_.last().startsWith(QStringLiteral(u"O Browser n\u00e3o est\u00e1 ativo\n")));
    EXPECT_TRUE(mensagens_.last().contains(QStringLiteral("--remote-debugging-port=9444"))) << mensagens_.last().toStdString();
    EXPECT_TRUE(principal_->SpeedButtonTraduzir->isEnabled());
    Fechar();
}

TEST_F(Janelas, NenhumNavegadorNaPortaDaBrowserNaoEstaAtivo)
{
    // The real remote control, with nothing listening on the port.
    const int porta = PortaLivre();
    for (TipoNavegador tipo : {TipoNavegador::Chromium, TipoNavegador::Firefox}) {
        auto controle = CriarControleNavegador(tipo, porta);
        const auto r = Traduzir(*controle, tipo, porta, 880);
        EXPECT_FALSE(r.enviado);
        EXPECT_EQ(r.mensagem, MensagemBrowserInativo(tipo, porta));
        EXPECT_TRUE(r.mensagem.contains(QString::number(porta)));
    }
}

TEST_F(Janelas, ConfigurarDesativadoEnquantoHaConexoes)
{
    std::atomic<int> contador{0};
    Abrir();
    principal_->DefinirLeituraContador([&] { return contador.load(); });
    // Changes reported from other threads, out of order: the window ends on
    // the count as it is.
    std::thread a([&] {
        contador = 2;
        principal_->ConexoesMudaram();
    });
    a.join();
    EXPECT_TRUE(principal_->SpeedButtonConfigurar->isEnabled());  // not before the window's thread runs
    EXPECT_TRUE(EsperarQue([&] { return !principal_->SpeedButtonConfigurar->isEnabled(); }, 2000));
    contador = 0;
    std::thread b([&] { principal_->ConexoesMudaram(); });
    std::thread c([&] { principal_->ConexoesMudaram(); });
    b.join();
    c.join();
    EXPECT_TRUE(EsperarQue([&] { return principal_->SpeedButtonConfigurar->isEnabled(); }, 2000));

    // Enabled, it opens the configuration window; "&OK" hides it.
    principal_->show();
    QTest::mouseClick(principal_->SpeedButtonConfigurar, Qt::LeftButton);
    EXPECT_TRUE(configuracao_->isVisible());
    QTest::mouseClick(configuracao_->ButtonOK, Qt::LeftButton);
    EXPECT_FALSE(configuracao_->isVisible());
    // Closing the main window takes the configuration window with it.
    QTest::mouseClick(principal_->SpeedButtonConfigurar, Qt::LeftButton);
    QTest::mouseClick(principal_->SpeedButtonSair, Qt::LeftButton);
    EXPECT_FALSE(principal_->isVisible());
    EXPECT_FALSE(configuracao_->isVisible());
    Fechar();
}

TEST_F(Janelas, ConfigurarDesativadoEnquantoOProxyServeUmaPagina)
{
    Abrir();
    clServidor servidor;
    ConfigServidor config;
    config.porta = 0;
    config.caminhoMotor = QUILLANE_DADOS_DIR "/libmoriel32.so";
    config.esperaCliente = std::chrono::seconds(20);
    LigarJanelasAoServidor(*principal_, *configuracao_, servidor, &config);
    EXPECT_EQ(config.origemProxy, OrigemProxy::Ambiente);  // Chromium: the environment's proxy
    std::string erro;
    ASSERT_TRUE(servidor.Iniciar(config, &erro)) << erro;
    // A browser connects and has not finished its request: a page is being served.
    QTcpSocket cliente;
    cliente.connectToHost(QHostAddress::LocalHost, static_cast<quint16>(servidor.Porta()));
    ASSERT_TRUE(cliente.waitForConnected(5000));
    EXPECT_TRUE(EsperarQue([&] { return !principal_->SpeedButtonConfigurar->isEnabled(); }, 10000));
    // The request ends (an address the proxy refuses, answered at once).
    cliente.write("GET / HTTP/1.0\r\n\r\n");
    cliente.flush();
    EXPECT_TRUE(EsperarQue([&] { return principal_->SpeedButtonConfigurar->isEnabled(); }, 20000));
    cliente.abort();
    servidor.Parar();
    Fechar();
}

TEST_F(Janelas, ProgramaComJanelaTerminaComSigtermEGravaAsConfiguracoes)
{
    QProcess sorvane;
    QProcessEnvironment ambiente = QProcessEnvironment::systemEnvironment();
    ambiente.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    sorvane.setProcessEnvironment(ambiente);
    sorvane.start(QStringLiteral(QUILLANE_SORVANE_EXE), {QStringLiteral("--porta"), QString::number(PortaLivre()), QStringLiteral("--verboso")});
    ASSERT_TRUE(sorvane.waitForStarted(5000));
    QByteArray erros;
    EXPECT_TRUE(EsperarQue(
        [&] {
            erros += sorvane.readAllStandardError();
            return erros.contains("servindo em http://127.0.0.1:");
        },
        20000))
        << erros.constData();
    sorvane.terminate();
    const bool terminou = sorvane.state() == QProcess::NotRunning || sorvane.waitForFinished(15000);
    if (!terminou) {
        sorvane.kill();
        sorvane.waitForFinished(5000);
    }
    ASSERT_TRUE(terminou);
    EXPECT_EQ(sorvane.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(sorvane.exitCode(), 0);
    // The window closed as the user closes it: the settings were written.
    auto chave = clChaveRegistro::Abrir(Colmeia::UsuarioAtual, kChaveWeb, false);
    ASSERT_TRUE(chave);
    EXPECT_EQ(chave->Ler("Left")->dword, static_cast<std::uint32_t>(TWbServe::PosicaoProjetada().x()));
}

TEST_F(Janelas, RegistroProxyAoSairSoQuandoConfiguradoEMarcado)
{
    // No command line in the settings: nothing started, nothing shown.
    Abrir();
    Fechar();
    EXPECT_TRUE(iniciados_.isEmpty());
    EXPECT_TRUE(mensagens_.isEmpty());

    {
        auto chave = clChaveRegistro::Abrir(Colmeia::UsuarioAtual, kChaveWeb, true);
        ASSERT_TRUE(chave);
        chave->GravarTexto("RegistroProxy", "/opt/registro --porta 880 \"pasta com espa\xE7o\"");
    }
    Abrir();
    Fechar();
    EXPECT_EQ(iniciados_, QStringList{QStringLiteral(u"/opt/registro --porta 880 \"pasta com espa\u00e7o\"")});
    EXPECT_TRUE(mensagens_.isEmpty());

    iniciarOk_ = false;
    Abrir();
    Fechar();
    EXPECT_EQ(mensagens_,
              QStringList{QStringLiteral(u"N\u00e3o foi poss\u00edvel executar a rotina de registro Proxy")});

    // Unticked: not started.
    Abrir();
    configuracao_->CheckBoxConfigura->setChecked(false);
    Fechar();
    EXPECT_EQ(iniciados_.size(), 2);
}

TEST_F(Janelas, AjudaAbreAPaginaDoSorvane)
{
    Abrir();
    QTest::mouseClick(principal_->SpeedButtonAjuda, Qt::LeftButton);
    QTest::mouseClick(configuracao_->ButtonAjuda, Qt::LeftButton);
    ASSERT_EQ(ajuda_.size(), 2);
    EXPECT_TRUE(ajuda_[0].isLocalFile());
    EXPECT_TRUE(ajuda_[0].path().endsWith(QStringLiteral("/sorvane.html")));
    EXPECT_TRUE(QFile::exists(ajuda_[0].toLocalFile()));
    EXPECT_EQ(ajuda_[1].fragment(), QStringLiteral("configuracao"));
    // The page has the anchor the configuration window opens.
    QFile pagina(ajuda_[0].toLocalFile());
    ASSERT_TRUE(pagina.open(QIODevice::ReadOnly));
    EXPECT_TRUE(pagina.readAll().contains("id=\"configuracao\""));

    // An installation's folder wins over the source tree.
    QTemporaryDir pasta;
    QFile(QDir(pasta.path()).filePath(QStringLiteral("sorvane.html"))).open(QIODevice::WriteOnly);
    qputenv("QUILLANE_AJUDA_DIR", QFile::encodeName(pasta.path()));
    EXPECT_EQ(PaginaAjuda().toLocalFile(), QDir(pasta.path()).canonicalPath() + QStringLiteral("/sorvane.html"));
    qunsetenv("QUILLANE_AJUDA_DIR");
    Fechar();
}

TEST_F(Janelas, AtivaPellaroMostraOResultadoNaLinhaDeEstado)
{
    std::atomic<bool> solta{false};
    acoes_.traduzirArea = [&] {
        EsperarQue([&] { return solta.load(); }, 5000);
        return ResultadoPellaro{true, QStringLiteral("pronto")};
    };
    Abrir();
    QTest::mouseClick(principal_->SpeedButtonChamaVertalTexto, Qt::LeftButton);
    // The window stays responsive while the clipboard is translated, and
    // the button cannot start a second run.
    EXPECT_FALSE(principal_->SpeedButtonChamaVertalTexto->isEnabled());
    EXPECT_TRUE(principal_->TraduzindoArea());
    solta = true;
    EXPECT_TRUE(EsperarQue([&] { return !principal_->TraduzindoArea(); }, 5000));
    EXPECT_EQ(principal_->StatusBar1->text(), QStringLiteral("pronto"));
    EXPECT_TRUE(principal_->SpeedButtonChamaVertalTexto->isEnabled());
    Fechar();
}

TEST_F(Janelas, AtivaPellaroTraduzAAreaDeTransferenciaComOMotor)
{
    if (!ProgramaInstalado("Xvfb") || !ProgramaInstalado("xclip")) GTEST_SKIP() << "Xvfb or xclip missing";
    XvfbTeste x;
    ASSERT_TRUE(x.Iniciar());
    QProcess xclip;
    xclip.start(QStringLiteral("xclip"), {QStringLiteral("-selection"), QStringLiteral("clipboard"), QStringLiteral("-i")});
    ASSERT_TRUE(xclip.waitForStarted(5000));
    xclip.write("The house is big.");
    xclip.closeWriteChannel();
    ASSERT_TRUE(xclip.waitForFinished(5000));

    acoes_ = AcoesPadrao();  // the real engine, found through DirRoot
    acoes_.handlerHtml = [] { return std::string(); };
    acoes_.mostrarMensagem = [this](QWidget*, const QString& texto) { mensagens_ << texto; };
    Abrir();
    QTest::mouseClick(principal_->SpeedButtonChamaVertalTexto, Qt::LeftButton);
    ASSERT_TRUE(EsperarQue([&] { return !principal_->TraduzindoArea(); }, 30000));
    EXPECT_TRUE(principal_->StatusBar1->text().contains(QStringLiteral("traduzida"))) << principal_->StatusBar1->text().toStdString();

    QString conteudo;
    EsperarQue(
        [&] {
            QProcess ler;
            ler.start(QStringLiteral("xclip"), {QStringLiteral("-selection"), QStringLiteral("clipboard"), QStringLiteral("-o")});
            ler.waitForFinished(5000);
            conteudo = QString::fromUtf8(ler.readAllStandardOutput());
            return conteudo.startsWith(QStringLiteral("A casa"));
        },
        20000);  // a loaded machine may take its time to hand the clipboard over
    EXPECT_EQ(conteudo, QStringLiteral(u"A casa \u00e9 grande."));

    // An empty clipboard is named as such.
    QProcess limpar;
    limpar.start(QStringLiteral("xclip"), {QStringLiteral("-selection"), QStringLiteral("clipboard"), QStringLiteral("-i"), QStringLiteral("/dev/null")});
    limpar.waitForFinished(5000);
    QTest::mouseClick(principal_->SpeedButtonChamaVertalTexto, Qt::LeftButton);
    ASSERT_TRUE(EsperarQue([&] { return !principal_->TraduzindoArea(); }, 30000));
    EXPECT_EQ(principal_->StatusBar1->text(), QStringLiteral(u"A \u00e1rea de transfer\u00eancia n\u00e3o tem texto"));
    Fechar();
}

// The mimeapps.list files and xdg-mime, in a private desktop.
class HandlerHtml : public testing::Test {
protected:
    void SetUp() override
    {
        for (const char* v : {"XDG_CONFIG_HOME", "XDG_CONFIG_DIRS", "XDG_DATA_HOME", "XDG_DATA_DIRS",
                              "XDG_CURRENT_DESKTOP", "HOME", "PATH"})
            guardadas_.push_back({v, qgetenv(v)});
        const QString p = pasta_.path();
        qputenv("HOME", QFile::encodeName(p));
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(p + QStringLiteral("/config")));
        qputenv("XDG_CONFIG_DIRS", QFile::encodeName(p + QStringLiteral("/etc")));
        qputenv("XDG_DATA_HOME", QFile::encodeName(p + QStringLiteral("/dados")));
        qputenv("XDG_DATA_DIRS", QFile::encodeName(p + QStringLiteral("/usr")));
        qunsetenv("XDG_CURRENT_DESKTOP");
        for (const char* d : {"config", "etc", "dados/applications", "usr/applications"}) QDir(p).mkpath(QString::fromLatin1(d));
    }
    void TearDown() override
    {
        for (const auto& [nome, valor] : guardadas_) qputenv(nome, valor);
    }
    void Escrever(const char* relativo, const char* conteudo)
    {
        std::ofstream(QDir(pasta_.path()).filePath(QString::fromLatin1(relativo)).toStdString()) << conteudo;
    }

    QTemporaryDir pasta_;
    std::vector<std::pair<const char*, QByteArray>> guardadas_;
};

TEST_F(HandlerHtml, ArquivosNaOrdemDaEspecificacaoDoDesktop)
{
    EXPECT_EQ(HandlerHtmlDosArquivosMime(), "");
    Escrever("usr/applications/mimeapps.list", "[Default Applications]\ntext/html=chromium.desktop;\n");
    EXPECT_EQ(HandlerHtmlDosArquivosMime(), "chromium.desktop");
    // The user's own list wins; only [Default Applications] counts.
    Escrever("config/mimeapps.list",
             "[Added Associations]\ntext/html=outro.desktop\n\n[Default Applications]\n"
             "text/plain=editor.desktop\ntext/html = ;firefox-esr.desktop;chromium.desktop\n");
    EXPECT_EQ(HandlerHtmlDosArquivosMime(), "firefox-esr.desktop");
    EXPECT_EQ(NavegadorDoHandler(HandlerHtmlDosArquivosMime()), TipoNavegador::Firefox);
    // The desktop's own list comes first in its folder.
    qputenv("XDG_CURRENT_DESKTOP", "XFCE:Outro");
    Escrever("config/xfce-mimeapps.list", "[Default Applications]\ntext/html=chromium.desktop\n");
    EXPECT_EQ(HandlerHtmlDosArquivosMime(), "chromium.desktop");
}

TEST_F(HandlerHtml, XdgMimeEDepoisOsArquivos)
{
    Escrever("config/mimeapps.list", "[Default Applications]\ntext/html=firefox-esr.desktop\n");
    if (ProgramaInstalado("xdg-mime")) {
        EXPECT_EQ(HandlerPadraoHtml(), "firefox-esr.desktop");
    }
    // A xdg-mime that answers something else is the authority; one that
    // fails leaves the files.
    const QString bin = pasta_.path() + QStringLiteral("/bin");
    QDir().mkpath(bin);
    Escrever("bin/xdg-mime", "#!/bin/sh\necho google-chrome.desktop\n");
    QFile::setPermissions(bin + QStringLiteral("/xdg-mime"), QFile::ReadOwner | QFile::ExeOwner);
    qputenv("PATH", QFile::encodeName(bin) + ":/bin:/usr/bin");
    EXPECT_EQ(HandlerPadraoHtml(), "google-chrome.desktop");
    Escrever("bin/xdg-mime", "#!/bin/sh\nexit 4\n");
    EXPECT_EQ(HandlerPadraoHtml(), "firefox-esr.desktop");
}

} // namespace

namespace {

TEST(OpcoesNavegador, TiraAsSuasOpcoesEDeixaAsOutras)
{
    std::vector<std::string> a{"--porta", "8880", "--traduzir", "--navegador", "Firefox", "--porta-navegador=9333",
                               "--verboso"};
    OpcoesNavegador o;
    std::string erro;
    ASSERT_TRUE(LerOpcoesNavegador(&a, &o, &erro)) << erro;
    EXPECT_EQ(a, (std::vector<std::string>{"--porta", "8880", "--verboso"}));
    EXPECT_TRUE(o.traduzir);
    EXPECT_EQ(o.navegador, TipoNavegador::Firefox);
    EXPECT_EQ(o.portaNavegador, 9333);

    for (std::vector<std::string> ruim : {std::vector<std::string>{"--navegador", "opera"},
                                          std::vector<std::string>{"--navegador"},
                                          std::vector<std::string>{"--porta-navegador", "0"},
                                          std::vector<std::string>{"--porta-navegador=70000"},
                                          std::vector<std::string>{"--traduzir", "--mostrar-original"}}) {
        OpcoesNavegador x;
        EXPECT_FALSE(LerOpcoesNavegador(&ruim, &x, &erro)) << ruim[0];
        EXPECT_FALSE(erro.empty());
    }
}

TEST(OpcoesNavegador, SemNavegadorSaiComUm)
{
    RegistroTemporario registro;
    OpcoesNavegador o;
    o.mostrarOriginal = true;
    o.navegador = TipoNavegador::Chromium;
    o.portaNavegador = PortaLivre();
    EXPECT_EQ(ExecutarAcaoNavegador(o, 880, 0, nullptr), 1);
}

} // namespace
