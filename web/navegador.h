// Remote control of the user's browser: read the address of the page in
// front of the user and send that tab to another address.
//
// Chromium (and the browsers built on it) through the DevTools protocol on
// its remote debugging port: the HTTP endpoint /json/list names the tabs,
// most recently used first, and Page.navigate goes over the tab's WebSocket.
// Firefox through WebDriver BiDi on its remote debugging port: a session,
// browsingContext.getTree and browsingContext.navigate.
//
// Only loopback is ever contacted, whatever the browser answers. Every wait
// is bounded. The calls run a local event loop, so they need a
// QCoreApplication and must be made from its thread.
#pragma once

#include <QString>

#include <memory>

enum class TipoNavegador { Firefox, Chromium };

inline constexpr int kPortaNavegadorPadrao = 9222;

// "Firefox" / "Chromium": the names the configuration window shows.
QString NomeNavegador(TipoNavegador tipo);
// "firefox" / "chromium" (any letter case); false for anything else.
bool LerNomeNavegador(const QString& nome, TipoNavegador* tipo);

// The page in front of the user.
struct AbaNavegador {
    QString id;         // target id (Chromium) or browsing context (Firefox)
    QString endereco;
    QString canal;      // Chromium: the path of the tab's WebSocket
};

class clControleNavegador {
public:
    virtual ~clControleNavegador() = default;

    // Reaches the browser. False when nothing answers on the port (the
    // browser is not running, or runs without remote control).
    virtual bool Conectar(QString* erro) = 0;
    // The current tab. False with a message when there is none or the
    // browser's answer cannot be read.
    virtual bool LerAbaAtual(AbaNavegador* aba, QString* erro) = 0;
    // Sends the tab to `endereco`. False with a message when the browser
    // refused it.
    virtual bool Navegar(const AbaNavegador& aba, const QString& endereco, QString* erro) = 0;
    virtual void Desconectar() = 0;

    // Time limit of each exchange with the browser, in milliseconds.
    void DefinirLimite(int milissegundos) { limite_ = milissegundos < 1 ? 1 : milissegundos; }

protected:
    int limite_ = 5000;
};

std::unique_ptr<clControleNavegador> CriarControleNavegador(TipoNavegador tipo, int porta);

// The outcome of "Traduzir" or "Mostrar Original".
struct ResultadoAcao {
    bool enviado = false;  // the browser was sent to `destino`
    QString mensagem;      // what to tell the user; empty when all went well
    QString destino;
};

// The address rules, without any browser. A translated page's address is
// the proxy's prefix "http://127.0.0.1:PORT/" followed by the real address.
ResultadoAcao RegraTraduzir(const QString& endereco, int portaProxy);
ResultadoAcao RegraMostrarOriginal(const QString& endereco);

// The message for a browser that does not answer, with the line that tells
// how to start it with remote control.
QString MensagemBrowserInativo(TipoNavegador tipo, int porta);

// The two actions against a browser: read its current address, apply the
// rule, send the tab to the new address.
ResultadoAcao Traduzir(clControleNavegador& controle, TipoNavegador tipo, int portaNavegador, int portaProxy);
ResultadoAcao MostrarOriginal(clControleNavegador& controle, TipoNavegador tipo, int portaNavegador);
