// Test helpers: a temporary folder, a real nginx on loopback ports chosen at
// run time (http and https with a certificate authority made for the test),
// and a plain socket client.
#pragma once

#include <chrono>
#include <map>
#include <string>
#include <sys/types.h>

std::string CriarPastaTemporaria(const std::string& nome);
void RemoverPasta(const std::string& pasta);
void GravarArquivo(const std::string& caminho, const std::string& conteudo);
std::string LerArquivo(const std::string& caminho);

// A port free at the time of asking.
int PortaLivre();

// Runs a shell command; its exit status.
int Executar(const std::string& comando);

class clNginx {
public:
    // `pasta`: a temporary folder; pages are served from pasta/www.
    // `extra`: more directives inside both server blocks.
    clNginx(const std::string& pasta, const std::string& extra = {});
    ~clNginx();
    bool Ativo() const { return pid_ > 0; }
    int PortaHttp() const { return portaHttp_; }
    int PortaHttps() const { return portaHttps_; }
    std::string Http(const std::string& caminho) const;   // http://127.0.0.1:P/caminho
    std::string Https(const std::string& caminho) const;  // https://localhost:P/caminho
    const std::string& Www() const { return www_; }
    const std::string& Ca() const { return ca_; }          // the test authority's certificate

private:
    std::string pasta_, www_, ca_;
    int portaHttp_ = 0, portaHttps_ = 0;
    pid_t pid_ = -1;
};

struct RespostaHttp {
    int status = 0;
    std::map<std::string, std::string> cabecalhos;  // names in lower case
    std::string corpo;
    std::string bruta;
    bool completa = false;  // the server closed the connection
};

// Sends `pedido` as it stands and reads until the server closes (at most
// `espera`).
RespostaHttp PedirBruto(int porta, const std::string& pedido,
                        std::chrono::milliseconds espera = std::chrono::milliseconds(15000));
// GET of `alvo` ("/http://...") with a Host naming the proxy.
RespostaHttp Get(int porta, const std::string& alvo, const std::string& extras = {});
