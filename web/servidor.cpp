#include "servidor.h"

#include <arpa/inet.h>
#include <dlfcn.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <condition_variable>
#include <cstring>
#include <map>
#include <mutex>
#include <set>
#include <thread>
#include <vector>

#include "instalacao.h"
#include "registro.h"
#include "vertador.h"

namespace {

const char* const kChaveWeb = "Software\\Brinmor\\QuillaneBeta\\Web";

bool Existe(const std::string& caminho) { return !caminho.empty() && access(caminho.c_str(), R_OK) == 0; }

std::string PastaDoPrograma()
{
    char caminho[4096];
    const ssize_t n = readlink("/proc/self/exe", caminho, sizeof caminho - 1);
    if (n <= 0) return ".";
    caminho[n] = '\0';
    std::string s = caminho;
    const auto barra = s.rfind('/');
    return barra == std::string::npos ? "." : s.substr(0, barra);
}

} // namespace

std::string PrefixoLink(int porta) { return "http://127.0.0.1:" + std::to_string(porta) + "/"; }

int PortaConfigurada()
{
    auto chave = clChaveRegistro::Abrir(Colmeia::UsuarioAtual, kChaveWeb, false);
    if (chave) {
        if (auto v = chave->Ler("Porta")) {
            if (v->tipo == ValorRegistro::Tipo::Dword && v->dword > 0 && v->dword < 65536)
                return static_cast<int>(v->dword);
            if (v->tipo == ValorRegistro::Tipo::Texto) {
                char* fim = nullptr;
                const long p = std::strtol(v->texto.c_str(), &fim, 10);
                if (fim && *fim == '\0' && p > 0 && p < 65536) return static_cast<int>(p);
            }
        }
    }
    return 880;
}

std::string CaminhoMotorInstalado()
{
    const char* kNome = "libmoriel32.so";
    char raiz[256];
    LerDirRoot(raiz, sizeof raiz);
    if (raiz[0]) {
        const std::string c = std::string(raiz) + "/" + kNome;
        if (Existe(c)) return c;
    }
    const std::string programa = PastaDoPrograma();
    for (const char* relativo : {"/../lib/quillane/", "/../quillane/"}) {
        const std::string c = programa + relativo + kNome;
        if (Existe(c)) return c;
    }
    return kNome;  // the ordinary library search
}

std::string TextoErroSocket(int erro)
{
    switch (erro) {
    case EINTR: return "The call was canceled via WSACancelBlickingCall().";
    case EBADF: return "Bad file number.";
    case EACCES: return "The address specified is a broadcast address, but the socket doesn't support sending broadcast packets.";
    case EFAULT: return "The address length supplied is too small.";
    case EINVAL: return "This function shouldn't be called at this time because listen() wasn't called before accept().";
    case EMFILE: return "The queue is empty and no descriptors are available.";
    case EAGAIN: return "This is a non-blocking socket and no connections are present.";
    case EINPROGRESS: return "A blocking call is now in progress.";
    case EALREADY: return "The non-blocking routine has already finished.";
    case ENOTSOCK: return "The socket number used isn't a socket.";
    case EDESTADDRREQ: return "A destination address wasn't given.";
    case EMSGSIZE: return "The datagram was too large for the buffer and was truncated.";
    case EPROTOTYPE: return "The socket can't use the protocol specified.";
    case ENOPROTOOPT: return "The option is unknown or unsupported.";
    case EPROTONOSUPPORT: return "This protocol isn't supported.";
    case ESOCKTNOSUPPORT: return "This address family doesn't support the socket type specified.";
    case EOPNOTSUPP: return "The socket referenced isn't open for connection oriented services.";
    case EPFNOSUPPORT:
    case EAFNOSUPPORT: return "The address family specified isn't supported by this protocol.";
    case EADDRINUSE: return "The address given is already in use.";
    case EADDRNOTAVAIL: return "The address isn't available from this machine.";
    case ENETDOWN: return "WINSOCK.DLL has reported that the network subsystem has failed.";
    case ENETUNREACH: return "The network can't be reached.";
    case ENETRESET: return "Winsock dropped the connection.";
    case ECONNABORTED: return "The connection was aborted due to a network failure.";
    case ECONNRESET: return "The connection was reset by the remote host.";
    case ENOBUFS: return "No buffer space is available.";
    case EISCONN: return "The socket is already connected.";
    case ENOTCONN: return "The socket isn't connected.";
    case ESHUTDOWN: return "The socket has been shut down.";
    case ETIMEDOUT: return "A connection attempt timed out; no connection was established.";
    case ECONNREFUSED: return "The connection was refused.";
    default: return "Unknown Error Occured.";
    }
}

// The engine library, loaded while connections are served.
struct BibliotecaMotor {
    std::mutex trava;
    void* biblioteca = nullptr;
    FuncaoVertal vertal = nullptr;
    int carregamentos = 0;
};

struct clServidor::Estado {
    ConfigServidor config;
    int escuta = -1;
    int despertar = -1;  // eventfd: a worker finished, or the server stops
    int porta = 0;
    std::atomic<bool> rodando{false};
    std::atomic<bool> parando{false};
    std::atomic<bool> cancelar{false};
    std::atomic<int> origemProxy{0};
    std::thread aceitador;

    std::mutex trava;  // guards what follows
    std::condition_variable mudou;
    int conexoes = 0;
    std::uint64_t proximoId = 1;
    std::map<std::uint64_t, std::thread> trabalhadores;
    std::map<std::uint64_t, int> soquetes;  // connections still open, to close them at a forced stop
    std::vector<std::uint64_t> terminados;
    std::function<void(int)> aoMudar;

    BibliotecaMotor motor;

    void Avisar(int n)
    {
        std::function<void(int)> f;
        {
            std::lock_guard<std::mutex> g(trava);
            f = aoMudar;
        }
        if (f) f(n);
    }

    void Despertar()
    {
        const std::uint64_t um = 1;
        [[maybe_unused]] const ssize_t r = write(despertar, &um, sizeof um);
    }

    bool CarregarMotor()
    {
        std::lock_guard<std::mutex> g(motor.trava);
        if (motor.biblioteca) return true;
        const std::string caminho = config.caminhoMotor.empty() ? CaminhoMotorInstalado() : config.caminhoMotor;
#ifdef QUILLANE_SANITIZADO
        // Sanitizer builds keep the library mapped after the last
        // connection, so that leak and error reports can still name its code.
        const int modo = RTLD_NOW | RTLD_LOCAL | RTLD_NODELETE;
#else
        const int modo = RTLD_NOW | RTLD_LOCAL;
#endif
        void* b = dlopen(caminho.c_str(), modo);
        if (!b) {
            std::fprintf(stderr, "sorvane: o motor de tradu\xC3\xA7\xC3\xA3o n\xC3\xA3o p\xC3\xB4" "de ser carregado: %s\n",
                         dlerror());
            return false;
        }
        auto f = reinterpret_cast<FuncaoVertal>(dlsym(b, "VertalInglPort"));
        if (!f) {
            dlclose(b);
            std::fprintf(stderr, "sorvane: %s n\xC3\xA3o exporta VertalInglPort\n", caminho.c_str());
            return false;
        }
        motor.biblioteca = b;
        motor.vertal = f;
        ++motor.carregamentos;
        return true;
    }

    void DescarregarMotor()
    {
        std::lock_guard<std::mutex> g(motor.trava);
        if (!motor.biblioteca) return;
        motor.vertal = nullptr;
        dlclose(motor.biblioteca);
        motor.biblioteca = nullptr;
    }

    // Joins the workers that have finished; the engine goes when the last does.
    void Recolher()
    {
        std::vector<std::thread> prontos;
        int n = -1;
        {
            std::lock_guard<std::mutex> g(trava);
            if (terminados.empty()) return;
            std::vector<std::uint64_t> ainda;
            for (const auto id : terminados) {
                auto it = trabalhadores.find(id);
                if (it == trabalhadores.end()) {
                    ainda.push_back(id);  // not registered yet: next time
                    continue;
                }
                prontos.push_back(std::move(it->second));
                trabalhadores.erase(it);
            }
            terminados.swap(ainda);
        }
        for (auto& t : prontos) t.join();
        {
            std::lock_guard<std::mutex> g(trava);
            conexoes -= static_cast<int>(prontos.size());
            n = conexoes;
            if (n == 0) DescarregarMotor();
            mudou.notify_all();
        }
        if (!prontos.empty()) Avisar(n);
    }

    ContextoVertador Contexto()
    {
        ContextoVertador c;
        c.porta = porta;
        c.prefixo = config.prefixo.empty() ? PrefixoLink(porta) : config.prefixo;
        if (!config.prefixo.empty()) {
            const auto inicio = config.prefixo.find("://");
            const std::string resto = inicio == std::string::npos ? config.prefixo : config.prefixo.substr(inicio + 3);
            c.hostPublico = resto.substr(0, resto.find('/'));
        }
        c.verboso = config.verboso;
        c.origemProxy = static_cast<OrigemProxy>(origemProxy.load());
        c.pastaFirefox = config.pastaFirefox;
        {
            std::lock_guard<std::mutex> g(motor.trava);
            c.vertal = motor.vertal;
        }
        c.esperaCliente = config.esperaCliente;
        c.esperaServidor = config.esperaServidor;
        c.cancelar = &cancelar;
        return c;
    }

    void Aceitar()
    {
        int conexao = accept4(escuta, nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC);
        if (conexao < 0) return;  // a failed accept is ignored
        int n;
        std::uint64_t id;
        {
            std::lock_guard<std::mutex> g(trava);
            if (conexoes == 0) CarregarMotor();
            n = ++conexoes;
            id = proximoId++;
            soquetes[id] = conexao;
        }
        Avisar(n);
        ContextoVertador contexto = Contexto();
        try {
            std::thread t([this, conexao, id, contexto]() {
                AtenderConexao(conexao, contexto);
                {
                    std::lock_guard<std::mutex> g(trava);
                    soquetes.erase(id);
                    terminados.push_back(id);
                }
                Despertar();
            });
            std::lock_guard<std::mutex> g(trava);
            trabalhadores[id] = std::move(t);
        } catch (...) {
            close(conexao);
            {
                std::lock_guard<std::mutex> g(trava);
                soquetes.erase(id);
                n = --conexoes;
                if (n == 0) DescarregarMotor();
            }
            Avisar(n);
        }
    }

    void Laco()
    {
        while (!parando.load()) {
            Recolher();
            bool cheio;
            {
                std::lock_guard<std::mutex> g(trava);
                cheio = conexoes >= config.maxConexoes;
            }
            pollfd p[2] = {{despertar, POLLIN, 0}, {escuta, POLLIN, 0}};
            const int r = poll(p, cheio ? 1 : 2, -1);
            if (r < 0) continue;
            if (p[0].revents & POLLIN) {
                std::uint64_t v;
                [[maybe_unused]] const ssize_t l = read(despertar, &v, sizeof v);
            }
            if (!cheio && (p[1].revents & POLLIN) && !parando.load()) Aceitar();
        }
    }
};

clServidor::clServidor() : estado_(std::make_unique<Estado>()) {}

clServidor::~clServidor() { Parar(); }

bool clServidor::Iniciar(const ConfigServidor& config, std::string* erro)
{
    if (estado_->rodando.load()) {
        if (erro) *erro = TextoErroSocket(EISCONN);
        return false;
    }
    auto& e = *estado_;
    e.config = config;
    if (!e.config.prefixo.empty() && e.config.prefixo.back() != '/') e.config.prefixo += '/';
    if (e.config.maxConexoes < 1) e.config.maxConexoes = 1;
    e.origemProxy = static_cast<int>(config.origemProxy);
    e.parando = false;
    e.cancelar = false;
    e.motor.carregamentos = 0;
    auto falhar = [&](int codigo) {
        if (erro) *erro = TextoErroSocket(codigo);
        if (e.escuta >= 0) close(e.escuta);
        if (e.despertar >= 0) close(e.despertar);
        e.escuta = e.despertar = -1;
        return false;
    };
    e.escuta = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (e.escuta < 0) return falhar(errno);
    const int um = 1;
    setsockopt(e.escuta, SOL_SOCKET, SO_REUSEADDR, &um, sizeof um);
    sockaddr_in endereco{};
    endereco.sin_family = AF_INET;
    endereco.sin_port = htons(static_cast<std::uint16_t>(config.porta));
    endereco.sin_addr.s_addr = htonl(INADDR_LOOPBACK);  // never every interface
    if (config.porta < 0 || config.porta > 65535) return falhar(EINVAL);
    if (bind(e.escuta, reinterpret_cast<sockaddr*>(&endereco), sizeof endereco) < 0) return falhar(errno);
    socklen_t tam = sizeof endereco;
    if (getsockname(e.escuta, reinterpret_cast<sockaddr*>(&endereco), &tam) < 0) return falhar(errno);
    e.porta = ntohs(endereco.sin_port);
    if (listen(e.escuta, SOMAXCONN) < 0) return falhar(errno);
    e.despertar = eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
    if (e.despertar < 0) return falhar(errno);
    try {
        e.aceitador = std::thread([&e]() { e.Laco(); });
    } catch (...) {
        return falhar(EAGAIN);
    }
    e.rodando = true;
    return true;
}

void clServidor::Parar(std::chrono::milliseconds espera)
{
    auto& e = *estado_;
    if (!e.rodando.load()) return;
    e.parando = true;
    e.Despertar();
    if (e.aceitador.joinable()) e.aceitador.join();
    close(e.escuta);
    e.escuta = -1;
    // Running pages may finish.
    const auto limite = std::chrono::steady_clock::now() + espera;
    while (true) {
        e.Recolher();
        std::unique_lock<std::mutex> g(e.trava);
        if (e.conexoes == 0) break;
        if (std::chrono::steady_clock::now() >= limite) {
            // What is left is cut short: fetches are abandoned and the
            // browsers' connections shut, so every worker ends soon.
            e.cancelar = true;
            for (const auto& [id, s] : e.soquetes) shutdown(s, SHUT_RDWR);
        }
        e.mudou.wait_for(g, std::chrono::milliseconds(50));
    }
    e.DescarregarMotor();
    close(e.despertar);
    e.despertar = -1;
    e.rodando = false;
}

bool clServidor::Rodando() const { return estado_->rodando.load(); }

int clServidor::Porta() const { return estado_->porta; }

std::string clServidor::Prefixo() const
{
    return estado_->config.prefixo.empty() ? PrefixoLink(estado_->porta) : estado_->config.prefixo;
}

int clServidor::Conexoes() const
{
    std::lock_guard<std::mutex> g(estado_->trava);
    return estado_->conexoes;
}

void clServidor::AoMudarConexoes(std::function<void(int)> funcao)
{
    std::lock_guard<std::mutex> g(estado_->trava);
    estado_->aoMudar = std::move(funcao);
}

void clServidor::DefinirOrigemProxy(OrigemProxy origem) { estado_->origemProxy = static_cast<int>(origem); }

int clServidor::CarregamentosMotor() const
{
    std::lock_guard<std::mutex> g(estado_->motor.trava);
    return estado_->motor.carregamentos;
}

bool clServidor::MotorCarregado() const
{
    std::lock_guard<std::mutex> g(estado_->motor.trava);
    return estado_->motor.biblioteca != nullptr;
}
