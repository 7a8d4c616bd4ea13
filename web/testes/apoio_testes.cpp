#include "apoio_testes.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QStandardPaths>
#include <QTcpServer>
#include <QTcpSocket>
#include <QThread>

#include <signal.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>

bool EsperarQue(const std::function<bool()>& pronto, int milissegundos)
{
    const QDeadlineTimer prazo(milissegundos);
    while (!pronto()) {
        if (prazo.hasExpired()) return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QThread::msleep(10);
    }
    return true;
}

int PortaLivre()
{
    QTcpServer s;
    if (!s.listen(QHostAddress::LocalHost, 0)) return 0;
    return s.serverPort();
}

RegistroTemporario::RegistroTemporario()
{
    tinha_ = qEnvironmentVariableIsSet("QUILLANE_REGISTRO");
    anterior_ = qgetenv("QUILLANE_REGISTRO");
    qputenv("QUILLANE_REGISTRO", QFile::encodeName(pasta_.path()));
    std::ofstream(QDir(pasta_.path()).filePath(QStringLiteral("HKEY_LOCAL_MACHINE.reg")).toStdString())
        << "REGEDIT4\n\n[SOFTWARE\\Brinmor\\Quillane Beta]\n\"DirRoot\"=\"" << QUILLANE_DADOS_DIR << "\"\n";
}

RegistroTemporario::~RegistroTemporario()
{
    if (tinha_) qputenv("QUILLANE_REGISTRO", anterior_);
    else qunsetenv("QUILLANE_REGISTRO");
}

bool ProcessoTeste::Iniciar(const QString& programa, const QStringList& argumentos)
{
    Parar();
    processo_ = std::make_unique<QProcess>();
    processo_->setProcessChannelMode(QProcess::MergedChannels);
    processo_->setStandardInputFile(QProcess::nullDevice());
    // No proxy of the environment may come between the test and loopback.
    QProcessEnvironment ambiente = QProcessEnvironment::systemEnvironment();
    for (const char* v : {"http_proxy", "https_proxy", "HTTP_PROXY", "HTTPS_PROXY", "all_proxy", "ALL_PROXY"})
        ambiente.remove(QString::fromLatin1(v));
    processo_->setProcessEnvironment(ambiente);
    // A group of its own, so that its helpers (a browser's renderers and
    // network service) are stopped with it.
    processo_->setChildProcessModifier([] { setpgid(0, 0); });
    processo_->start(programa, argumentos);
    return processo_->waitForStarted(10000);
}

void ProcessoTeste::Parar()
{
    if (!processo_) return;
    const qint64 grupo = processo_->processId();
    if (processo_->state() != QProcess::NotRunning) {
        processo_->terminate();
        if (!processo_->waitForFinished(5000)) {
            processo_->kill();
            processo_->waitForFinished(5000);
        }
    }
    // Whatever of the group outlived its leader.
    if (grupo > 0) {
        ::kill(static_cast<pid_t>(-grupo), SIGKILL);
        for (int i = 0; i < 100 && ::kill(static_cast<pid_t>(-grupo), 0) == 0; ++i) QThread::msleep(20);
    }
    processo_.reset();
}

QString ProcessoTeste::Saida()
{
    if (!processo_) return {};
    return QString::fromLocal8Bit(processo_->readAll());
}

bool NginxTeste::Iniciar(const QString& raiz, QString* erro)
{
    porta_ = PortaLivre();
    const QString p = pasta_.path();
    const QString conf = QDir(p).filePath(QStringLiteral("nginx.conf"));
    QFile f(conf);
    f.open(QIODevice::WriteOnly);
    // One process that keeps the user who started it, everything in the
    // temporary folder.
    f.write(QStringLiteral("daemon off;\nmaster_process off;\npid %1/nginx.pid;\nerror_log %1/error.log;\n"
                           "events { worker_connections 64; }\n"
                           "http {\n  access_log off;\n  client_body_temp_path %1/corpo;\n  proxy_temp_path %1/proxy;\n"
                           "  fastcgi_temp_path %1/fcgi;\n  uwsgi_temp_path %1/uwsgi;\n  scgi_temp_path %1/scgi;\n"
                           "  types { text/html html; }\n  default_type application/octet-stream;\n"
                           "  server {\n    listen 127.0.0.1:%2;\n    root %3;\n  }\n}\n")
                .arg(p)
                .arg(porta_)
                .arg(raiz)
                .toUtf8());
    f.close();
    QString nginx = QStandardPaths::findExecutable(QStringLiteral("nginx"));
    if (nginx.isEmpty()) nginx = QStandardPaths::findExecutable(QStringLiteral("nginx"), {QStringLiteral("/usr/sbin")});
    if (!processo_.Iniciar(nginx, {QStringLiteral("-p"), p, QStringLiteral("-e"), p + QStringLiteral("/error.log"),
                                   QStringLiteral("-c"), conf})) {
        *erro = QStringLiteral("nginx did not start");
        return false;
    }
    const bool ok = EsperarQue(
        [this] {
            QTcpSocket s;
            s.connectToHost(QHostAddress::LocalHost, porta_);
            return s.waitForConnected(200);
        },
        10000);
    if (!ok) *erro = processo_.Saida();
    return ok;
}

bool NavegadorTeste::Iniciar(bool firefox, QString* erro)
{
    const QString perfil = perfil_.path();
    QString arquivoPorta;
    bool iniciou;
    if (firefox) {
        arquivoPorta = QDir(perfil).filePath(QStringLiteral("WebDriverBiDiServer.json"));
        iniciou = processo_.Iniciar(QStringLiteral("firefox-esr"),
                                    {QStringLiteral("--headless"), QStringLiteral("--remote-debugging-port"),
                                     QStringLiteral("0"), QStringLiteral("--profile"), perfil,
                                     QStringLiteral("--no-remote"), QStringLiteral("about:blank")});
    } else {
        arquivoPorta = QDir(perfil).filePath(QStringLiteral("DevToolsActivePort"));
        iniciou = processo_.Iniciar(
            QStringLiteral("chromium"),
            {QStringLiteral("--headless=new"), QStringLiteral("--no-sandbox"), QStringLiteral("--disable-gpu"),
             QStringLiteral("--remote-debugging-port=0"), QStringLiteral("--remote-debugging-address=127.0.0.1"),
             QStringLiteral("--user-data-dir=") + perfil, QStringLiteral("--no-first-run"),
             QStringLiteral("--no-default-browser-check"), QStringLiteral("about:blank")});
    }
    if (!iniciou) {
        *erro = QStringLiteral("the browser did not start");
        return false;
    }
    // Started with port 0, the browser writes the port it took.
    const bool ok = EsperarQue(
        [&] {
            QFile f(arquivoPorta);
            if (!f.open(QIODevice::ReadOnly)) return false;
            const QByteArray conteudo = f.readAll();
            if (firefox) porta_ = QJsonDocument::fromJson(conteudo).object().value(QStringLiteral("ws_port")).toInt();
            else porta_ = conteudo.left(conteudo.indexOf('\n')).toInt();
            return porta_ > 0;
        },
        60000);
    if (!ok) *erro = processo_.Saida();
    return ok;
}

XvfbTeste::~XvfbTeste()
{
    processo_.Parar();
    qputenv("DISPLAY", displayAnterior_);
}

bool XvfbTeste::Iniciar()
{
    displayAnterior_ = qgetenv("DISPLAY");
    // -displayfd 1: the server picks a free display and writes its number
    // on standard output once it accepts connections.
    if (!processo_.Iniciar(QStringLiteral("Xvfb"),
                           {QStringLiteral("-displayfd"), QStringLiteral("1"), QStringLiteral("-nolisten"),
                            QStringLiteral("tcp"), QStringLiteral("-screen"), QStringLiteral("0"),
                            QStringLiteral("800x600x24")}))
        return false;
    QString numero;
    const bool ok = EsperarQue(
        [&] {
            numero += processo_.Saida();
            return numero.contains(QLatin1Char('\n'));
        },
        15000);
    if (!ok) return false;
    qputenv("DISPLAY", (QStringLiteral(":") + numero.trimmed().section(QLatin1Char('\n'), 0, 0)).toUtf8());
    qunsetenv("WAYLAND_DISPLAY");
    return true;
}

bool ProgramaInstalado(const char* nome)
{
    return !QStandardPaths::findExecutable(QString::fromLatin1(nome)).isEmpty() ||
           !QStandardPaths::findExecutable(QString::fromLatin1(nome), {QStringLiteral("/usr/sbin")}).isEmpty();
}

int main(int argc, char** argv)
{
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
