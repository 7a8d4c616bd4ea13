// sorvane's proxy server: the listening socket on the loopback address, the
// accept loop on a thread of its own, the connection counter, the engine
// kept loaded while connections are served, and a worker thread per
// connection (vertador.h).
//
// The window (or the command line) owns one clServidor: Iniciar starts it,
// Parar stops it. Everything else runs on the server's own threads.
#pragma once

#include <chrono>
#include <functional>
#include <memory>
#include <string>

// Where the upstream proxy of the page fetches comes from.
enum class OrigemProxy {
    Ambiente,       // the preconfigured settings: http_proxy, https_proxy, no_proxy
    PerfilFirefox,  // the default Firefox profile's prefs.js (ProxyNetscape)
};

struct ConfigServidor {
    int porta = 880;                 // 0: any free port (Porta() tells which)
    bool verboso = false;            // one line per request on standard error
    OrigemProxy origemProxy = OrigemProxy::Ambiente;

    // Where the engine library is; empty: as the installation says
    // (CaminhoMotorInstalado).
    std::string caminhoMotor;
    // Firefox's folder (the one holding profiles.ini); empty: ~/.mozilla/firefox.
    std::string pastaFirefox;

    // The link prefix handed to the engine, when the browsers reach the
    // proxy through another address (a load balancer on this machine, for
    // instance "http://127.0.0.1:8080/"); empty: PrefixoLink of the real port.
    // Its host and port are also accepted in the Host header.
    std::string prefixo;

    // Limits.
    int maxConexoes = 256;                                  // served at once; the rest wait in the backlog
    std::chrono::milliseconds esperaCliente{10000};         // a browser that sends nothing is closed
    std::chrono::milliseconds esperaServidor{30000};        // a server that answers nothing: 504
};

// The link prefix for a port: "http://127.0.0.1:PORT/".
std::string PrefixoLink(int porta);

// The port configured for the current user ("Porta" under the web program's
// key), or 880.
int PortaConfigurada();

// The engine library as the installation places it: DirRoot's folder, else
// <program folder>/../lib/quillane, else beside the build's data.
std::string CaminhoMotorInstalado();

// The English text for a socket error number (errno), as the proxy shows it.
std::string TextoErroSocket(int erro);

class clServidor {
public:
    clServidor();
    ~clServidor();  // stops the server if it runs
    clServidor(const clServidor&) = delete;
    clServidor& operator=(const clServidor&) = delete;

    // Binds 127.0.0.1 and the port and starts accepting on a thread of its
    // own. False with the error text in `erro` (the socket error text of the
    // failed call) when the port cannot be bound or the thread cannot start.
    bool Iniciar(const ConfigServidor& config, std::string* erro);

    // Stops accepting at once, lets the pages being served finish for at
    // most `espera`, then closes what is left. Safe to call twice.
    void Parar(std::chrono::milliseconds espera = std::chrono::milliseconds(5000));

    bool Rodando() const;

    // The port actually bound, and the link prefix made from it.
    int Porta() const;
    std::string Prefixo() const;

    // Connections being served now (the workers started and not yet finished).
    int Conexoes() const;

    // Called, from any of the server's threads, with the new count whenever
    // the connection counter changes; a window marshals it to its own thread.
    // Set it before Iniciar or while no connection is served.
    void AoMudarConexoes(std::function<void(int)> funcao);

    // Changes where the upstream proxy comes from, for the next pages.
    void DefinirOrigemProxy(OrigemProxy origem);

    // How many times the engine library has been loaded since Iniciar.
    int CarregamentosMotor() const;
    // True while the engine library is loaded.
    bool MotorCarregado() const;

    struct Estado;

private:
    std::unique_ptr<Estado> estado_;
};
