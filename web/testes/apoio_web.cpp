#include "apoio_web.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <thread>

std::string CriarPastaTemporaria(const std::string& nome)
{
    const char* tmp = std::getenv("TMPDIR");
    std::string modelo = std::string(tmp && *tmp ? tmp : "/tmp") + "/" + nome + ".XXXXXX";
    if (!mkdtemp(modelo.data())) throw std::runtime_error("mkdtemp");
    return modelo;
}

void RemoverPasta(const std::string& pasta)
{
    std::error_code e;
    std::filesystem::remove_all(pasta, e);
}

void GravarArquivo(const std::string& caminho, const std::string& conteudo)
{
    std::filesystem::create_directories(std::filesystem::path(caminho).parent_path());
    std::ofstream f(caminho, std::ios::binary);
    f << conteudo;
}

std::string LerArquivo(const std::string& caminho)
{
    std::ifstream f(caminho, std::ios::binary);
    std::ostringstream s;
    s << f.rdbuf();
    return s.str();
}

int PortaLivre()
{
    const int s = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    bind(s, reinterpret_cast<sockaddr*>(&a), sizeof a);
    socklen_t t = sizeof a;
    getsockname(s, reinterpret_cast<sockaddr*>(&a), &t);
    close(s);
    return ntohs(a.sin_port);
}

int Executar(const std::string& comando)
{
    const int r = std::system(comando.c_str());
    return WIFEXITED(r) ? WEXITSTATUS(r) : -1;
}

namespace {

bool Conecta(int porta)
{
    const int s = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_port = htons(static_cast<uint16_t>(porta));
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    const bool ok = connect(s, reinterpret_cast<sockaddr*>(&a), sizeof a) == 0;
    close(s);
    return ok;
}

} // namespace

clNginx::clNginx(const std::string& pasta, const std::string& extra) : pasta_(pasta), www_(pasta + "/www")
{
    std::filesystem::create_directories(www_);
    ca_ = pasta_ + "/ca.pem";
    // A certificate authority and a server certificate for 127.0.0.1 and localhost.
    const std::string p = "'" + pasta_ + "'";
    const std::string ec = " -newkey ec -pkeyopt ec_paramgen_curve:prime256v1 -nodes";
    GravarArquivo(pasta_ + "/ext", "subjectAltName=IP:127.0.0.1,DNS:localhost\n");
    const std::string cmd =
        "cd " + p + " && openssl req -x509" + ec + " -keyout ca.key -out ca.pem -days 2 -subj /CN=Teste-CA" +
        " && openssl req" + ec + " -keyout srv.key -out srv.csr -subj /CN=localhost" +
        " && openssl x509 -req -in srv.csr -CA ca.pem -CAkey ca.key -CAcreateserial -out srv.pem -days 2"
        " -extfile ext";
    if (Executar("(" + cmd + ") >/dev/null 2>&1") != 0) return;
    for (int tentativa = 0; tentativa < 5 && pid_ < 0; ++tentativa) {
        portaHttp_ = PortaLivre();
        portaHttps_ = PortaLivre();
        if (portaHttp_ == portaHttps_) continue;
        const std::string comum =
            "    root " + www_ + ";\n"
            "    location = /r { return 302 /index.html; }\n"
            "    location = /r307 { return 307 /dir/p.html; }\n"
            "    location = /sem-endereco { return 302; }\n"
            "    location /u/ { charset utf-8; }\n"
            "    error_page 404 /404.html;\n" + extra;
        const std::string conf =
            "daemon off; master_process off; pid " + pasta_ + "/nginx.pid;\n"
            "error_log " + pasta_ + "/error.log;\n"
            "events { worker_connections 1024; }\n"
            "http {\n"
            "  access_log off;\n"
            "  client_body_temp_path " + pasta_ + "; proxy_temp_path " + pasta_ + "; fastcgi_temp_path " + pasta_ +
            "; uwsgi_temp_path " + pasta_ + "; scgi_temp_path " + pasta_ + ";\n"
            "  types { text/html html htm; image/png png; image/gif gif; text/plain txt; }\n"
            "  default_type application/octet-stream;\n"
            "  gzip on; gzip_types text/plain; gzip_min_length 20;\n"
            "  server { listen 127.0.0.1:" + std::to_string(portaHttp_) + ";\n" + comum + "  }\n"
            "  server { listen 127.0.0.1:" + std::to_string(portaHttps_) + " ssl;\n"
            "    ssl_certificate " + pasta_ + "/srv.pem; ssl_certificate_key " + pasta_ + "/srv.key;\n" + comum + "  }\n"
            "}\n";
        GravarArquivo(pasta_ + "/nginx.conf", conf);
        const pid_t pid = fork();
        if (pid == 0) {
            prctl(PR_SET_PDEATHSIG, SIGKILL);  // never outlives a test that crashed
            const int nulo = ::open("/dev/null", O_WRONLY);
            dup2(nulo, 1);
            dup2(nulo, 2);
            execlp("nginx", "nginx", "-c", (pasta_ + "/nginx.conf").c_str(), "-p", pasta_.c_str(), "-e",
                   (pasta_ + "/error.log").c_str(), static_cast<char*>(nullptr));
            _exit(127);
        }
        for (int i = 0; i < 100; ++i) {
            if (Conecta(portaHttp_) && Conecta(portaHttps_)) {
                pid_ = pid;
                break;
            }
            int st;
            if (waitpid(pid, &st, WNOHANG) == pid) break;  // the ports were taken meanwhile
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        }
        if (pid_ < 0) {
            kill(pid, SIGKILL);
            waitpid(pid, nullptr, 0);
        }
    }
}

clNginx::~clNginx()
{
    if (pid_ > 0) {
        kill(pid_, SIGTERM);
        for (int i = 0; i < 100; ++i) {
            if (waitpid(pid_, nullptr, WNOHANG) == pid_) return;
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
        kill(pid_, SIGKILL);
        waitpid(pid_, nullptr, 0);
    }
}

std::string clNginx::Http(const std::string& caminho) const
{
    return "http://127.0.0.1:" + std::to_string(portaHttp_) + "/" + caminho;
}

std::string clNginx::Https(const std::string& caminho) const
{
    return "https://localhost:" + std::to_string(portaHttps_) + "/" + caminho;
}

RespostaHttp PedirBruto(int porta, const std::string& pedido, std::chrono::milliseconds espera)
{
    RespostaHttp r;
    const int s = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_port = htons(static_cast<uint16_t>(porta));
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (connect(s, reinterpret_cast<sockaddr*>(&a), sizeof a) != 0) {
        close(s);
        return r;
    }
    std::size_t enviado = 0;
    while (enviado < pedido.size()) {
        const ssize_t n = send(s, pedido.data() + enviado, pedido.size() - enviado, MSG_NOSIGNAL);
        if (n <= 0) break;
        enviado += static_cast<std::size_t>(n);
    }
    const auto limite = std::chrono::steady_clock::now() + espera;
    char buffer[16384];
    while (std::chrono::steady_clock::now() < limite) {
        pollfd p{s, POLLIN, 0};
        if (poll(&p, 1, 100) <= 0) continue;
        const ssize_t n = recv(s, buffer, sizeof buffer, 0);
        if (n <= 0) {
            r.completa = n == 0 || errno == ECONNRESET;
            break;
        }
        r.bruta.append(buffer, static_cast<std::size_t>(n));
    }
    close(s);
    const auto fim = r.bruta.find("\r\n\r\n");
    if (r.bruta.rfind("HTTP/", 0) != 0 || fim == std::string::npos) return r;
    r.status = std::atoi(r.bruta.c_str() + r.bruta.find(' ') + 1);
    std::istringstream linhas(r.bruta.substr(0, fim));
    std::string linha;
    std::getline(linhas, linha);
    while (std::getline(linhas, linha)) {
        if (!linha.empty() && linha.back() == '\r') linha.pop_back();
        const auto dois = linha.find(':');
        if (dois == std::string::npos) continue;
        std::string nome = linha.substr(0, dois);
        for (char& c : nome) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        std::string valor = linha.substr(dois + 1);
        while (!valor.empty() && valor.front() == ' ') valor.erase(0, 1);
        r.cabecalhos[nome] = valor;
    }
    r.corpo = r.bruta.substr(fim + 4);
    return r;
}

RespostaHttp Get(int porta, const std::string& alvo, const std::string& extras)
{
    return PedirBruto(porta, "GET " + alvo + " HTTP/1.1\r\nHost: 127.0.0.1:" + std::to_string(porta) + "\r\n" +
                                 extras + "Connection: close\r\n\r\n");
}
