// sorvane's windows: the main window TWbServe with its row of buttons and
// the configuration window TForm1.
#pragma once

#include <QDialog>
#include <QString>
#include <QUrl>
#include <QWidget>

#include <functional>
#include <memory>
#include <thread>

#include "configuracao_web.h"
#include "navegador.h"
#include "pellaro.h"

class QCheckBox;
class QLabel;
class QPushButton;
class QRadioButton;
class QSpinBox;
class QToolButton;

inline constexpr const char* kTituloAplicacao = "Sorvane - Brinmor Software - Ver. 1.2";

// Where the windows reach outside themselves; the defaults do the real
// thing, tests put their own.
struct AcoesJanela {
    std::function<std::unique_ptr<clControleNavegador>(TipoNavegador, int porta)> criarControle;
    std::function<void(QWidget* pai, const QString& texto)> mostrarMensagem;  // a message box
    std::function<bool(const QUrl& pagina)> abrirAjuda;                      // the desktop's browser
    std::function<ResultadoPellaro()> traduzirArea;                           // runs off the window's thread
    std::function<bool(const QString& linhaComando)> iniciarPrograma;         // detached, without a shell
    std::function<std::string()> handlerHtml;                                // the text/html handler
};
AcoesJanela AcoesPadrao();

// The help page of sorvane, with `topico` as its anchor when given. Looked
// for in QUILLANE_AJUDA_DIR, else <program>/../share/quillane/ajuda, else
// the source tree.
QUrl PaginaAjuda(const QString& topico = {});

class TWbServe;

class TForm1 : public QDialog {
public:
    TForm1(TWbServe* principal, AcoesJanela acoes);

    QRadioButton* RadioButton1;  // "Firefox"
    QRadioButton* RadioButton2;  // "Chromium"
    QCheckBox* CheckBoxConfigura;
    QSpinBox* SpinEditPorta;
    QPushButton* ButtonOK;
    QPushButton* ButtonAjuda;
    QLabel* StatusBar1;

    TipoNavegador Navegador() const;
    int PortaNavegador() const;
    const ConfiguracaoJanela& Configuracao() const { return config_; }

    // Called with the new choice whenever the browser radio buttons change.
    std::function<void(TipoNavegador)> aoMudarNavegador;

    // Writes the settings and starts the proxy registration when asked to;
    // run once at program end.
    void FormDestroy();

private:
    void FormCreate();
    void AjudaClick();

    TWbServe* principal_;
    AcoesJanela acoes_;
    ConfiguracaoJanela config_;
};

class TWbServe : public QWidget {
public:
    // `portaProxy`: the proxy's port, for the address of translated pages.
    TWbServe(int portaProxy, AcoesJanela acoes);
    ~TWbServe() override;

    // The position it takes without settings.
    static QPoint PosicaoProjetada() { return {160, 120}; }

    void DefinirConfiguracao(TForm1* configuracao) { configuracao_ = configuracao; }
    void DefinirPortaProxy(int porta) { portaProxy_ = porta; }

    QToolButton* SpeedButtonTraduzir;
    QToolButton* SpeedButtonOriginal;
    QToolButton* SpeedButtonChamaVertalTexto;
    QToolButton* SpeedButtonConfigurar;
    QToolButton* SpeedButtonAjuda;
    QToolButton* SpeedButtonSair;
    QLabel* StatusBar1;

    // The connection counter changed: safe from any thread. `lerContador`
    // gives the current count when the window's thread gets to it, so
    // changes that arrive out of order still end on the right state.
    void ConexoesMudaram();
    void DefinirLeituraContador(std::function<int()> lerContador) { lerContador_ = std::move(lerContador); }

    int Janela() const { return janela_; }
    void DefinirJanela(int estado) { janela_ = estado; }

    void TraduzirClick();
    void OriginalClick();
    void ChamaVertalTextoClick();
    void ConfigurarClick();
    void AjudaClick();
    void SairClick();

    // True while "Ativa Pellaro" is translating.
    bool TraduzindoArea() const { return traduzindoArea_; }

protected:
    void showEvent(QShowEvent* evento) override;
    void changeEvent(QEvent* evento) override;
    void closeEvent(QCloseEvent* evento) override;

private:
    void ExecutarNoNavegador(bool traduzir);
    void AtualizarConexoes();

    int portaProxy_;
    AcoesJanela acoes_;
    TForm1* configuracao_ = nullptr;
    std::function<int()> lerContador_;
    int janela_ = 1;
    bool traduzindoArea_ = false;
    bool conversando_ = false;  // an exchange with the browser is running
    bool sairDepois_ = false;   // closed meanwhile
    std::thread tradutorArea_;
};
