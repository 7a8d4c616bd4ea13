#include "area_transferencia.h"

#include "caracteres_reservados.h"
#include "cp1252.h"
#include "html_utf8.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <string_view>
#include <sys/socket.h>
#include <sys/types.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace {

std::atomic<int> limiteMs{5000};

// How long a write waits for the new owner to become visible (see Gravar).
constexpr int kEsperaVisivelMaxMs = 2000;

using Relogio = std::chrono::steady_clock;

int MsAte(Relogio::time_point prazo)
{
    const auto resto = std::chrono::duration_cast<std::chrono::milliseconds>(prazo - Relogio::now()).count();
    if (resto <= 0) return 0;
    return resto > 1000000 ? 1000000 : static_cast<int>(resto);
}

void Dormir(int ms)
{
    timespec t{ms / 1000, (ms % 1000) * 1000000L};
    while (nanosleep(&t, &t) != 0 && errno == EINTR) {
    }
}

struct Descritor {
    int fd = -1;
    Descritor() = default;
    Descritor(const Descritor&) = delete;
    Descritor& operator=(const Descritor&) = delete;
    ~Descritor() { Fechar(); }
    void Fechar()
    {
        if (fd >= 0) close(fd);
        fd = -1;
    }
};

// The child's ends must not land on 0-2 (the process may run with a standard
// descriptor closed): dup2 onto the same number would leave close-on-exec set.
bool ForaDosPadroes(Descritor& d)
{
    if (d.fd >= 3) return true;
    const int novo = fcntl(d.fd, F_DUPFD_CLOEXEC, 3);
    if (novo < 0) return false;
    close(d.fd);
    d.fd = novo;
    return true;
}

bool NaoBloqueante(int fd)
{
    const int flags = fcntl(fd, F_GETFL);
    return flags >= 0 && fcntl(fd, F_SETFL, flags | O_NONBLOCK) == 0;
}

// A child that is killed and reaped if we leave early (time limit, bad_alloc).
struct Filho {
    pid_t pid = -1;
    ~Filho()
    {
        if (pid > 0) {
            kill(pid, SIGKILL);
            while (waitpid(pid, nullptr, 0) < 0 && errno == EINTR) {
            }
        }
    }
};

struct Execucao {
    int falha = 0;         // errno-like: the tool could not run, timed out, or refused its input
    int codigoSaida = 0;   // exit status when falha is 0
    std::string saida;
    std::string erros;
};

// Appends what is available on `fd`; false at end of file or on an error.
bool LerDisponivel(int fd, std::string& destino)
{
    constexpr std::size_t kBloco = 65536;
    for (;;) {
        const std::size_t antes = destino.size();
        destino.resize(antes + kBloco);
        const ssize_t n = read(fd, destino.data() + antes, kBloco);
        destino.resize(antes + (n > 0 ? static_cast<std::size_t>(n) : 0));
        if (n > 0) continue;
        if (n < 0 && errno == EINTR) continue;
        if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) return true;
        return false;
    }
}

// Runs argv[0] (looked up in PATH) with `entrada` on its standard input (or
// /dev/null), collecting standard output and error when asked (otherwise they
// go to /dev/null: a tool that leaves a background process behind, as xclip
// and wl-copy do, must not keep our pipes open). Input and output move
// together through poll, so no size can deadlock. Every descriptor of ours
// but the three standard ones is closed in the child, so that a background
// clipboard server holds nothing of this process.
void ExecutarFerramenta(const std::vector<const char*>& argv, const std::string* entrada, bool lerSaida,
                        bool lerErros, Execucao& r)
{
    const auto prazo = Relogio::now() + std::chrono::milliseconds(limiteMs.load());

    Descritor nossoEntrada, filhoEntrada, nossoSaida, filhoSaida, nossoErros, filhoErros;
    if (entrada != nullptr) {
        // A socket rather than a pipe: send() with MSG_NOSIGNAL reports a
        // tool that quit early as EPIPE instead of raising SIGPIPE here.
        int par[2];
        if (socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, par) != 0) {
            r.falha = errno;
            return;
        }
        nossoEntrada.fd = par[0];
        filhoEntrada.fd = par[1];
        shutdown(par[0], SHUT_RD);
    }
    if (lerSaida || lerErros) {
        int tubo[2];
        if (lerSaida) {
            if (pipe2(tubo, O_CLOEXEC) != 0) {
                r.falha = errno;
                return;
            }
            nossoSaida.fd = tubo[0];
            filhoSaida.fd = tubo[1];
        }
        if (lerErros) {
            if (pipe2(tubo, O_CLOEXEC) != 0) {
                r.falha = errno;
                return;
            }
            nossoErros.fd = tubo[0];
            filhoErros.fd = tubo[1];
        }
    }
    for (Descritor* d : {&nossoEntrada, &filhoEntrada, &nossoSaida, &filhoSaida, &nossoErros, &filhoErros}) {
        if (d->fd >= 0 && !ForaDosPadroes(*d)) {
            r.falha = errno;
            return;
        }
    }
    for (Descritor* d : {&nossoEntrada, &nossoSaida, &nossoErros}) {
        if (d->fd >= 0 && !NaoBloqueante(d->fd)) {
            r.falha = errno;
            return;
        }
    }

    posix_spawn_file_actions_t acoes;
    posix_spawnattr_t atributos;
    if (posix_spawn_file_actions_init(&acoes) != 0) {
        r.falha = ENOMEM;
        return;
    }
    if (posix_spawnattr_init(&atributos) != 0) {
        posix_spawn_file_actions_destroy(&acoes);
        r.falha = ENOMEM;
        return;
    }
    int erro = 0;
    auto Ligar = [&](Descritor& d, int alvo, int modo) {
        if (erro != 0) return;
        erro = d.fd >= 0 ? posix_spawn_file_actions_adddup2(&acoes, d.fd, alvo)
                         : posix_spawn_file_actions_addopen(&acoes, alvo, "/dev/null", modo, 0);
    };
    Ligar(filhoEntrada, 0, O_RDONLY);
    Ligar(filhoSaida, 1, O_WRONLY);
    Ligar(filhoErros, 2, O_WRONLY);
    if (erro == 0) erro = posix_spawn_file_actions_addclosefrom_np(&acoes, 3);
    // The caller's thread may block signals or ignore SIGPIPE; the tool
    // should start with the usual defaults.
    sigset_t vazio, padrao;
    sigemptyset(&vazio);
    sigemptyset(&padrao);
    sigaddset(&padrao, SIGPIPE);
    if (erro == 0) erro = posix_spawnattr_setsigmask(&atributos, &vazio);
    if (erro == 0) erro = posix_spawnattr_setsigdefault(&atributos, &padrao);
    if (erro == 0) erro = posix_spawnattr_setflags(&atributos, POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);

    Filho filho;
    if (erro == 0) {
        pid_t pid = -1;
        erro = posix_spawnp(&pid, argv[0], &acoes, &atributos, const_cast<char* const*>(argv.data()), environ);
        if (erro == 0) filho.pid = pid;
    }
    posix_spawn_file_actions_destroy(&acoes);
    posix_spawnattr_destroy(&atributos);
    if (erro != 0) {
        r.falha = erro;
        return;
    }
    filhoEntrada.Fechar();
    filhoSaida.Fechar();
    filhoErros.Fechar();

    std::size_t enviados = 0;
    bool entradaRecusada = false;
    if (entrada != nullptr && entrada->empty()) nossoEntrada.Fechar();
    while (nossoEntrada.fd >= 0 || nossoSaida.fd >= 0 || nossoErros.fd >= 0) {
        pollfd fds[3];
        nfds_t n = 0;
        if (nossoEntrada.fd >= 0) fds[n++] = {nossoEntrada.fd, POLLOUT, 0};
        if (nossoSaida.fd >= 0) fds[n++] = {nossoSaida.fd, POLLIN, 0};
        if (nossoErros.fd >= 0) fds[n++] = {nossoErros.fd, POLLIN, 0};
        const int espera = MsAte(prazo);
        if (espera == 0) {
            r.falha = ETIMEDOUT;
            return;  // Filho kills and reaps the tool
        }
        const int prontos = poll(fds, n, espera);
        if (prontos < 0) {
            if (errno == EINTR) continue;
            r.falha = errno;
            return;
        }
        for (nfds_t i = 0; i < n; ++i) {
            if (fds[i].revents == 0) continue;
            if (fds[i].fd == nossoEntrada.fd) {
                const std::size_t bloco = std::min<std::size_t>(entrada->size() - enviados, 65536);
                const ssize_t k = send(nossoEntrada.fd, entrada->data() + enviados, bloco, MSG_NOSIGNAL | MSG_DONTWAIT);
                if (k > 0) enviados += static_cast<std::size_t>(k);
                else if (k < 0 && errno != EINTR && errno != EAGAIN && errno != EWOULDBLOCK) {
                    entradaRecusada = true;
                    nossoEntrada.Fechar();
                }
                if (enviados == entrada->size()) nossoEntrada.Fechar();  // end of file for the tool
            } else if (fds[i].fd == nossoSaida.fd) {
                if (!LerDisponivel(nossoSaida.fd, r.saida)) nossoSaida.Fechar();
            } else if (fds[i].fd == nossoErros.fd) {
                if (!LerDisponivel(nossoErros.fd, r.erros)) nossoErros.Fechar();
            }
        }
    }

    int estado = 0;
    int pausa = 1;
    for (;;) {
        const pid_t w = waitpid(filho.pid, &estado, WNOHANG);
        if (w == filho.pid) break;
        if (w < 0 && errno == EINTR) continue;
        if (w < 0) {
            // ECHILD: the host process ignores SIGCHLD, so the system reaped
            // the tool and its status is lost; judge by what it produced.
            filho.pid = -1;
            estado = 0;
            break;
        }
        const int espera = MsAte(prazo);
        if (espera == 0) {
            r.falha = ETIMEDOUT;
            return;
        }
        Dormir(std::min(pausa, espera));
        if (pausa < 20) pausa *= 2;
    }
    filho.pid = -1;
    if (WIFEXITED(estado)) r.codigoSaida = WEXITSTATUS(estado);
    else if (WIFSIGNALED(estado)) r.codigoSaida = 128 + WTERMSIG(estado);
    else r.codigoSaida = 1;
    // A tool that exits with success without having read all of its input
    // stored a truncated clipboard.
    if (entradaRecusada && r.codigoSaida == 0) r.falha = EPIPE;
}

enum class Ambiente { Nenhum, X11, Wayland };

Ambiente QualAmbiente()
{
    const char* w = std::getenv("WAYLAND_DISPLAY");
    if (w != nullptr && *w != '\0') return Ambiente::Wayland;
    const char* d = std::getenv("DISPLAY");
    if (d != nullptr && *d != '\0') return Ambiente::X11;
    return Ambiente::Nenhum;
}

bool Contem(const std::string& texto, const char* trecho)
{
    return texto.find(trecho) != std::string::npos;
}

// Targets tried for each format, in order of preference.
const std::vector<const char*>& Alvos(FormatoArea formato)
{
    static const std::vector<const char*> texto{"UTF8_STRING", "text/plain;charset=utf-8", "STRING", "TEXT",
                                                "text/plain"};
    static const std::vector<const char*> rtf{"text/rtf", "application/rtf"};
    return formato == FormatoArea::Rtf ? rtf : texto;
}

bool IguaisSemCaixa(std::string_view a, std::string_view b)
{
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        char x = a[i], y = b[i];
        if (x >= 'A' && x <= 'Z') x = static_cast<char>(x - 'A' + 'a');
        if (y >= 'A' && y <= 'Z') y = static_cast<char>(y - 'A' + 'a');
        if (x != y) return false;
    }
    return true;
}

// The first preferred target present in a list of one target per line;
// nullptr when none is.
const char* EscolherAlvo(FormatoArea formato, const std::string& lista)
{
    std::vector<std::string_view> linhas;
    std::string_view resto(lista);
    while (!resto.empty()) {
        const std::size_t fim = resto.find('\n');
        std::string_view linha = resto.substr(0, fim);
        while (!linha.empty() && (linha.back() == '\r' || linha.back() == ' ')) linha.remove_suffix(1);
        if (!linha.empty()) linhas.push_back(linha);
        if (fim == std::string_view::npos) break;
        resto.remove_prefix(fim + 1);
    }
    for (const char* alvo : Alvos(formato))
        for (std::string_view linha : linhas)
            if (IguaisSemCaixa(linha, alvo)) return alvo;
    return nullptr;
}

struct Leitura {
    EstadoArea estado = EstadoArea::Indisponivel;
    int erro = 0;
};

Leitura Falhou(const Execucao& r)
{
    return {EstadoArea::Indisponivel, r.falha != 0 ? r.falha : r.codigoSaida};
}

// xclip reports both "nobody owns the clipboard" and "the owner does not
// offer that target" as "target ... not available".
bool X11SemAlvo(const Execucao& r)
{
    return r.falha == 0 && r.codigoSaida != 0 && Contem(r.erros, "not available");
}

bool WaylandVazio(const Execucao& r)
{
    return r.falha == 0 && r.codigoSaida != 0 &&
           (Contem(r.erros, "Nothing is copied") || Contem(r.erros, "No selection") ||
            Contem(r.erros, "No suitable type"));
}

// Runs a clipboard tool, and once more after a short pause when it ran but
// failed without the answer of an empty clipboard: a busy display server
// turns a client away now and then, and reading or writing the clipboard
// twice changes nothing. A tool that is missing or timed out is not retried.
void ExecutarComNovaTentativa(const std::vector<const char*>& argv, const std::string* entrada, bool lerSaida,
                              bool lerErros, Execucao& r)
{
    ExecutarFerramenta(argv, entrada, lerSaida, lerErros, r);
    if (r.falha != 0 || r.codigoSaida == 0 || X11SemAlvo(r) || WaylandVazio(r)) return;
    Dormir(50);
    r = Execucao{};
    ExecutarFerramenta(argv, entrada, lerSaida, lerErros, r);
}

// Reads the raw bytes of one target.
Leitura LerAlvo(Ambiente ambiente, const char* alvo, std::string& dados)
{
    Execucao r;
    if (ambiente == Ambiente::X11)
        ExecutarComNovaTentativa({"xclip", "-selection", "clipboard", "-o", "-t", alvo, nullptr}, nullptr, true, true, r);
    else
        ExecutarComNovaTentativa({"wl-paste", "--no-newline", "--type", alvo, nullptr}, nullptr, true, true, r);
    if (r.falha == 0 && r.codigoSaida == 0) {
        dados = std::move(r.saida);
        return {dados.empty() ? EstadoArea::SemDados : EstadoArea::Ok, 0};
    }
    // The owner changed between listing and reading.
    if (ambiente == Ambiente::X11 ? X11SemAlvo(r) : WaylandVazio(r)) return {EstadoArea::SemDados, 0};
    return Falhou(r);
}

// Finds the target to read and reads it.
Leitura LerBruto(Ambiente ambiente, FormatoArea formato, std::string& dados, const char** alvoLido)
{
    Execucao lista;
    if (ambiente == Ambiente::X11)
        ExecutarComNovaTentativa({"xclip", "-selection", "clipboard", "-o", "-t", "TARGETS", nullptr}, nullptr, true,
                                 true, lista);
    else
        ExecutarComNovaTentativa({"wl-paste", "--list-types", nullptr}, nullptr, true, true, lista);

    if (lista.falha == 0 && lista.codigoSaida == 0) {
        const char* alvo = EscolherAlvo(formato, lista.saida);
        if (alvo == nullptr) return {EstadoArea::SemDados, 0};
        *alvoLido = alvo;
        return LerAlvo(ambiente, alvo, dados);
    }
    if (ambiente == Ambiente::Wayland) {
        if (WaylandVazio(lista)) return {EstadoArea::SemDados, 0};
        return Falhou(lista);
    }
    if (!X11SemAlvo(lista)) return Falhou(lista);
    // No TARGETS: either the clipboard is empty or its owner predates
    // TARGETS. Ask for the usual targets directly; an empty clipboard
    // answers "not available" to each at once.
    for (const char* alvo : Alvos(formato)) {
        if (std::strcmp(alvo, "UTF8_STRING") != 0 && std::strcmp(alvo, "STRING") != 0 &&
            std::strcmp(alvo, "text/rtf") != 0)
            continue;
        Leitura l = LerAlvo(ambiente, alvo, dados);
        if (l.estado != EstadoArea::SemDados) {
            *alvoLido = alvo;
            return l;
        }
    }
    return {EstadoArea::SemDados, 0};
}

bool FormatoValido(FormatoArea formato)
{
    return formato == FormatoArea::Texto || formato == FormatoArea::Rtf || formato == FormatoArea::Html;
}

// A Wayland session without wl-clipboard installed usually still runs
// Xwayland, whose clipboard the compositor keeps in step with its own.
bool UsarX11NoLugar(Ambiente ambiente)
{
    const char* d = std::getenv("DISPLAY");
    return ambiente == Ambiente::Wayland && d != nullptr && *d != '\0';
}

EstadoArea Ler(Ambiente ambiente, FormatoArea formato, std::string& conteudo, int& erro, char substituto,
               clCaracteresReservados* reservados)
{
    conteudo.clear();
    std::string dados;
    const char* alvo = nullptr;
    const Leitura l = LerBruto(ambiente, formato, dados, &alvo);
    erro = l.erro;
    if (l.estado != EstadoArea::Ok) return l.estado;
    if (formato == FormatoArea::Rtf || (alvo != nullptr && std::strcmp(alvo, "STRING") == 0))
        conteudo = std::move(dados);  // RTF as it is; STRING is Latin-1, a subset of Windows-1252
    else if (formato == FormatoArea::Html)
        conteudo = Utf8ParaHtmlCp1252(dados);
    else if (reservados)
        conteudo = reservados->Guardar(dados);
    else
        conteudo = Utf8ParaCp1252(dados, substituto);
    return EstadoArea::Ok;
}

bool Gravar(Ambiente ambiente, FormatoArea formato, const std::string& conteudo, int& erro,
            clCaracteresReservados* reservados)
{
    erro = 0;
    const std::string_view texto(conteudo.data(), std::strlen(conteudo.c_str()));
    const std::string dados = formato == FormatoArea::Rtf    ? std::string(texto)
                              : formato == FormatoArea::Html ? HtmlCp1252ParaUtf8(texto)
                              : reservados                   ? reservados->Restaurar(texto)
                                                             : Cp1252ParaUtf8(texto);
    const char* alvo = formato == FormatoArea::Rtf ? "text/rtf"
                       : ambiente == Ambiente::X11 ? "UTF8_STRING"
                                                   : "text/plain;charset=utf-8";
    Execucao r;
    if (ambiente == Ambiente::X11)
        ExecutarComNovaTentativa({"xclip", "-selection", "clipboard", "-t", alvo, "-i", nullptr}, &dados, false, false, r);
    else
        ExecutarComNovaTentativa({"wl-copy", "--type", alvo, nullptr}, &dados, false, false, r);
    if (r.falha != 0 || r.codigoSaida != 0) {
        erro = r.falha != 0 ? r.falha : r.codigoSaida;
        return false;
    }
    // The tool hands the selection to a background copy of itself and
    // exits; that copy may claim the clipboard a moment later, so a read
    // right after this call could still see the old owner. Wait until the
    // content reads back, within a bound: the tool has accepted the data,
    // so a clipboard taken over by another program meanwhile is no failure.
    const auto prazo = Relogio::now() + std::chrono::milliseconds(std::min(limiteMs.load(), kEsperaVisivelMaxMs));
    for (;;) {
        std::string lido;
        const Leitura l = LerAlvo(ambiente, alvo, lido);
        if (l.estado == EstadoArea::Ok ? lido == dados : (l.estado == EstadoArea::SemDados && dados.empty())) break;
        if (MsAte(prazo) == 0) break;
        Dormir(std::min(10, MsAte(prazo)));
    }
    return true;
}

}  // namespace

void DefinirLimiteAreaTransferencia(int milissegundos)
{
    limiteMs.store(milissegundos < 1 ? 1 : milissegundos);
}

namespace {

EstadoArea LerArea(FormatoArea formato, std::string* conteudo, int* erro, char substituto,
                   clCaracteresReservados* reservados)
{
    int erroLocal = 0;
    if (erro == nullptr) erro = &erroLocal;
    *erro = 0;
    std::string descarte;
    if (conteudo == nullptr) conteudo = &descarte;
    conteudo->clear();
    if (!FormatoValido(formato)) {
        *erro = EINVAL;
        return EstadoArea::FormatoDesconhecido;
    }
    const Ambiente ambiente = QualAmbiente();
    if (ambiente == Ambiente::Nenhum) {
        *erro = ENXIO;
        return EstadoArea::Indisponivel;
    }
    try {
        EstadoArea estado = Ler(ambiente, formato, *conteudo, *erro, substituto, reservados);
        if (estado == EstadoArea::Indisponivel && *erro == ENOENT && UsarX11NoLugar(ambiente))
            estado = Ler(Ambiente::X11, formato, *conteudo, *erro, substituto, reservados);
        return estado;
    } catch (...) {
        conteudo->clear();
        *erro = ENOMEM;
        return EstadoArea::Indisponivel;
    }
}

} // namespace

EstadoArea LerAreaTransferencia(FormatoArea formato, std::string* conteudo, int* erro, char substituto)
{
    return LerArea(formato, conteudo, erro, substituto, nullptr);
}

EstadoArea LerAreaTransferencia(FormatoArea formato, std::string* conteudo, int* erro,
                                clCaracteresReservados* reservados)
{
    return LerArea(formato, conteudo, erro, '?', reservados);
}

bool GravarAreaTransferencia(FormatoArea formato, const std::string& conteudo, int* erro,
                             clCaracteresReservados* reservados)
{
    int erroLocal = 0;
    if (erro == nullptr) erro = &erroLocal;
    *erro = 0;
    if (!FormatoValido(formato)) {
        *erro = EINVAL;
        return false;
    }
    const Ambiente ambiente = QualAmbiente();
    if (ambiente == Ambiente::Nenhum) {
        *erro = ENXIO;
        return false;
    }
    try {
        bool gravou = Gravar(ambiente, formato, conteudo, *erro, reservados);
        if (!gravou && *erro == ENOENT && UsarX11NoLugar(ambiente))
            gravou = Gravar(Ambiente::X11, formato, conteudo, *erro, reservados);
        return gravou;
    } catch (...) {
        *erro = ENOMEM;
        return false;
    }
}
