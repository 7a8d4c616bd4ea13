// What sorvane's window tests share: a private settings store, outside
// programs (nginx, browsers, Xvfb) started on loopback ports chosen at run
// time and always stopped, and bounded waits.
#pragma once

#include <QByteArray>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <functional>
#include <memory>

// Runs the event loop until `pronto` holds, at most `milissegundos`.
bool EsperarQue(const std::function<bool()>& pronto, int milissegundos);

// A loopback port nobody listens on right now.
int PortaLivre();

// Points the settings store (QUILLANE_REGISTRO) at a fresh folder for the
// object's life, with "DirRoot" naming the build's engine folder.
class RegistroTemporario {
public:
    RegistroTemporario();
    ~RegistroTemporario();
    QString Pasta() const { return pasta_.path(); }

private:
    QTemporaryDir pasta_;
    QByteArray anterior_;
    bool tinha_ = false;
};

// A program started for a test and killed (and waited for) at the end.
class ProcessoTeste {
public:
    ~ProcessoTeste() { Parar(); }
    bool Iniciar(const QString& programa, const QStringList& argumentos);
    void Parar();
    QString Saida();  // what it wrote so far (both channels)

private:
    std::unique_ptr<QProcess> processo_;
};

// nginx serving `raiz` on 127.0.0.1:Porta().
class NginxTeste {
public:
    bool Iniciar(const QString& raiz, QString* erro);
    int Porta() const { return porta_; }

private:
    QTemporaryDir pasta_;
    ProcessoTeste processo_;
    int porta_ = 0;
};

// A headless browser with its remote debugging port on loopback.
class NavegadorTeste {
public:
    // Chromium: DevTools; Firefox: WebDriver BiDi. False (with the browser's
    // output in `erro`) when it did not come up in time.
    bool Iniciar(bool firefox, QString* erro);
    int Porta() const { return porta_; }

private:
    QTemporaryDir perfil_;
    ProcessoTeste processo_;
    int porta_ = 0;
};

// A private X server for the clipboard; DISPLAY points at it while it lives.
class XvfbTeste {
public:
    ~XvfbTeste();
    bool Iniciar();

private:
    ProcessoTeste processo_;
    QByteArray displayAnterior_;
};

bool ProgramaInstalado(const char* nome);
