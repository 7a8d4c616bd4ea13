// sorvane with its windows: the proxy under the main window.
#include <pthread.h>
#include <signal.h>

#include <QApplication>
#include <QMessageBox>

#include <atomic>
#include <cstdio>
#include <thread>

#include "janelas_web.h"
#include "programa_janela.h"
#include "servidor.h"

namespace {

// The signals are blocked before any thread starts (Qt's own included), so
// that only the watcher takes them.
sigset_t BloquearSinais()
{
    sigset_t sinais;
    sigemptyset(&sinais);
    sigaddset(&sinais, SIGINT);
    sigaddset(&sinais, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &sinais, nullptr);
    return sinais;
}

// SIGINT and SIGTERM close the main window, as the user would: the settings
// are written and the proxy stops as it does then.
class VigiaSinais {
public:
    explicit VigiaSinais(sigset_t sinais) : sinais_(sinais)
    {
        vigia_ = std::thread([this] {
            const timespec espera{0, 200 * 1000 * 1000};
            while (!fim_) {
                if (sigtimedwait(&sinais_, nullptr, &espera) > 0)
                    QMetaObject::invokeMethod(qApp, [] { QApplication::closeAllWindows(); }, Qt::QueuedConnection);
            }
        });
    }
    ~VigiaSinais()
    {
        fim_ = true;
        vigia_.join();
    }

private:
    sigset_t sinais_;
    std::atomic<bool> fim_{false};
    std::thread vigia_;
};

OrigemProxy OrigemDoNavegador(TipoNavegador tipo)
{
    return tipo == TipoNavegador::Firefox ? OrigemProxy::PerfilFirefox : OrigemProxy::Ambiente;
}

} // namespace

void LigarJanelasAoServidor(TWbServe& principal, TForm1& configuracao, clServidor& servidor, ConfigServidor* config)
{
    principal.DefinirLeituraContador([&servidor] { return servidor.Conexoes(); });
    servidor.AoMudarConexoes([&principal](int) { principal.ConexoesMudaram(); });
    configuracao.aoMudarNavegador = [&servidor](TipoNavegador tipo) {
        servidor.DefinirOrigemProxy(OrigemDoNavegador(tipo));
    };
    config->origemProxy = OrigemDoNavegador(configuracao.Navegador());
}

int ExecutarComJanela(ConfigServidor config, int argc, char** argv)
{
    // Without a display Qt would abort; say what to do instead.
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") &&
        qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        std::fputs("sorvane: n\xC3\xA3o h\xC3\xA1 tela para a janela; use --sem-janela para servir sem ela.\n", stderr);
        return 1;
    }
    const sigset_t sinais = BloquearSinais();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QString::fromLatin1(kTituloAplicacao));
    QApplication::setQuitOnLastWindowClosed(false);  // the main window decides

    const AcoesJanela acoes = AcoesPadrao();
    TWbServe principal(config.porta, acoes);
    TForm1 configuracao(&principal, acoes);
    principal.DefinirConfiguracao(&configuracao);

    // Declared after the windows, so it is gone before them.
    clServidor servidor;
    LigarJanelasAoServidor(principal, configuracao, servidor, &config);
    std::string erro;
    if (!servidor.Iniciar(config, &erro)) {
        QString texto = QString::fromStdString(erro);
        texto += config.porta < 1024
                     ? QStringLiteral(u"\nNo Linux, portas abaixo de 1024 exigem privil\u00e9gios; "
                                      u"escolha outra com --porta (por exemplo --porta 8880).")
                     : QStringLiteral(u"\nEscolha outra porta com --porta.");
        std::fprintf(stderr, "sorvane: porta %d: %s\n", config.porta, texto.toUtf8().constData());
        acoes.mostrarMensagem(nullptr, texto);
        return 1;
    }
    principal.DefinirPortaProxy(servidor.Porta());
    if (config.verboso) std::fprintf(stderr, "sorvane: servindo em %s\n", servidor.Prefixo().c_str());
    VigiaSinais vigia(sinais);
    principal.show();
    QApplication::exec();

    principal.hide();
    servidor.Parar(std::chrono::seconds(5));
    configuracao.FormDestroy();
    return 0;
}
