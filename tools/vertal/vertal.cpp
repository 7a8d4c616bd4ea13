#include "vertal.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <string_view>
#include <vector>

#include <dlfcn.h>

#include "caracteres.h"
#include "caracteres_reservados.h"
#include "core/motor.h"
#include "core/traducao.h"
#include "cp1252.h"
#include "formats/pedido.h"
#include "html_utf8.h"
#include "instalacao.h"
#include "mensagens.h"
#include "moriel32.h"

namespace {

constexpr std::size_t kTamBloco = 1024;

// ---------------------------------------------------------------------------
// Files. Every failure names the file and the system's reason.

std::string Razao(int erro) { return std::strerror(erro); }

void Falha(const std::string& acao, const std::string& nome, int erro)
{
    std::fprintf(stderr, "vertal: n\xC3\xA3o foi poss\xC3\xADvel %s \"%s\": %s.\n", acao.c_str(), nome.c_str(),
                 Razao(erro).c_str());
}

// Temporary files removed when the process is interrupted, so that no
// half-written file is left behind. Plain arrays: the handler may only read.
constexpr int kMaxTemporarios = 8;
char temporarios[kMaxTemporarios][4096];
volatile std::sig_atomic_t usados[kMaxTemporarios];

extern "C" void AoInterromper(int sinal)
{
    for (int i = 0; i < kMaxTemporarios; ++i)
        if (usados[i]) unlink(temporarios[i]);
    std::signal(sinal, SIG_DFL);
    std::raise(sinal);
}

int RegistrarTemporario(const std::string& nome)
{
    static bool instalado = false;
    if (!instalado) {
        for (int s : {SIGINT, SIGTERM, SIGHUP, SIGPIPE}) {
            struct sigaction atual {};
            sigaction(s, nullptr, &atual);
            if (atual.sa_handler == SIG_IGN) continue;  // keep an ignored signal ignored
            struct sigaction a {};
            a.sa_handler = AoInterromper;
            sigemptyset(&a.sa_mask);
            sigaction(s, &a, nullptr);
        }
        instalado = true;
    }
    for (int i = 0; i < kMaxTemporarios; ++i) {
        if (usados[i] || nome.size() >= sizeof temporarios[i]) continue;
        std::memcpy(temporarios[i], nome.c_str(), nome.size() + 1);
        usados[i] = 1;
        return i;
    }
    return -1;
}

void EsquecerTemporario(int i)
{
    if (i >= 0 && i < kMaxTemporarios) usados[i] = 0;
}

// A temporary file of our own in TMPDIR (or /tmp).
std::string ArquivoTemporario()
{
    const char* tmp = std::getenv("TMPDIR");
    std::string modelo = std::string(tmp && *tmp ? tmp : "/tmp") + "/vertal.XXXXXX";
    std::vector<char> nome(modelo.begin(), modelo.end());
    nome.push_back('\0');
    const int fd = mkstemp(nome.data());
    if (fd < 0) {
        Falha("criar um arquivo tempor\xC3\xA1rio em", modelo.substr(0, modelo.size() - 14), errno);
        return {};
    }
    close(fd);
    return nome.data();
}

// An output: standard output, a device or FIFO written directly, or a
// regular file written to a temporary file beside it and renamed over it
// when complete (through a symbolic link, the file it points to). Nothing
// the destination held is touched before Concluir.
class clSaida {
public:
    clSaida() = default;
    clSaida(const clSaida&) = delete;
    clSaida& operator=(const clSaida&) = delete;
    ~clSaida() { Descartar(); }

    // An empty name or "-": `padrao`.
    bool Abrir(const std::string& nome, std::FILE* padrao)
    {
        if (nome.empty() || nome == "-") {
            f_ = padrao;
            nome_ = "sa\xC3\xAD" "da padr\xC3\xA3o";
            return true;
        }
        nome_ = nome;
        destino_ = nome;
        struct stat st {};
        if (lstat(nome.c_str(), &st) == 0 && S_ISLNK(st.st_mode)) {
            char* real = realpath(nome.c_str(), nullptr);
            if (!real) {
                Falha("gravar", nome, errno);
                return false;
            }
            destino_ = real;
            std::free(real);
        }
        if (stat(destino_.c_str(), &st) == 0) {
            if (S_ISDIR(st.st_mode)) {
                Falha("gravar", nome, EISDIR);
                return false;
            }
            if (!S_ISREG(st.st_mode)) {
                // A device or a FIFO is written as it is, never replaced.
                f_ = std::fopen(destino_.c_str(), "wb");
                if (!f_) {
                    Falha("gravar", nome, errno);
                    return false;
                }
                proprio_ = true;
                return true;
            }
            modo_ = st.st_mode & 07777;
            dono_ = st.st_uid;
            grupo_ = st.st_gid;
            existia_ = true;
        } else {
            const mode_t mascara = umask(0);
            umask(mascara);
            modo_ = 0666 & ~mascara;
        }
        const auto barra = destino_.rfind('/');
        const std::string pasta = barra == std::string::npos ? "." : destino_.substr(0, barra + 1);
        const std::string base = barra == std::string::npos ? destino_ : destino_.substr(barra + 1);
        std::string modelo = (barra == std::string::npos ? "" : pasta) + "." + base + ".vertal-XXXXXX";
        std::vector<char> buf(modelo.begin(), modelo.end());
        buf.push_back('\0');
        const int fd = mkstemp(buf.data());
        if (fd < 0) {
            Falha("gravar", nome, errno);
            return false;
        }
        temporario_ = buf.data();
        registro_ = RegistrarTemporario(temporario_);
        // The file keeps its mode, and its owner when we may give it back
        // (when we may not, it becomes ours, which is no failure).
        if (existia_) {
            [[maybe_unused]] const int dono = fchown(fd, dono_, grupo_);
        }
        fchmod(fd, modo_);
        f_ = fdopen(fd, "wb");
        if (!f_) {
            const int e = errno;
            close(fd);
            Falha("gravar", nome, e);
            Descartar();
            return false;
        }
        proprio_ = true;
        return true;
    }

    void Escrever(std::string_view dados)
    {
        if (!f_ || erro_ || dados.empty()) return;
        if (std::fwrite(dados.data(), 1, dados.size(), f_) != dados.size()) erro_ = errno ? errno : EIO;
    }
    // Passes what was written on at once (standard output read by a pipe).
    void Esvaziar()
    {
        if (f_ && !erro_ && std::fflush(f_) != 0) erro_ = errno ? errno : EIO;
    }

    // Finishes the output; false (with a message) when any of it failed.
    bool Concluir()
    {
        if (!f_) return false;
        Esvaziar();
        if (!erro_ && !temporario_.empty() && fsync(fileno(f_)) != 0) erro_ = errno;
        if (proprio_) {
            if (std::fclose(f_) != 0 && !erro_) erro_ = errno ? errno : EIO;
            proprio_ = false;
        }
        f_ = nullptr;
        if (!erro_ && !temporario_.empty()) {
            if (rename(temporario_.c_str(), destino_.c_str()) != 0) erro_ = errno;
            else temporario_.clear();
        }
        Descartar();
        if (erro_) {
            Falha("gravar", nome_, erro_);
            return false;
        }
        return true;
    }

    void Descartar()
    {
        if (f_ && proprio_) std::fclose(f_);
        f_ = nullptr;
        proprio_ = false;
        if (!temporario_.empty()) unlink(temporario_.c_str());
        temporario_.clear();
        EsquecerTemporario(registro_);
        registro_ = -1;
    }

private:
    std::FILE* f_ = nullptr;
    bool proprio_ = false;
    int erro_ = 0;
    std::string nome_;
    std::string destino_;
    std::string temporario_;
    int registro_ = -1;
    mode_t modo_ = 0644;
    uid_t dono_ = 0;
    gid_t grupo_ = 0;
    bool existia_ = false;
};

// An input: a named file (a folder or an unreadable file refused with the
// reason) or standard input.
bool AbrirEntrada(const std::string& nome, std::FILE* padrao, std::FILE** f)
{
    if (nome.empty() || nome == "-") {
        *f = padrao;
        return true;
    }
    *f = std::fopen(nome.c_str(), "rb");
    if (!*f) {
        if (errno == ENOENT) MostrarErro(1, nome.c_str(), errno);
        else Falha("ler", nome, errno);
        return false;
    }
    struct stat st {};
    if (fstat(fileno(*f), &st) == 0 && S_ISDIR(st.st_mode)) {
        std::fprintf(stderr, "vertal: \"%s\" \xC3\xA9 uma pasta, n\xC3\xA3o um arquivo.\n", nome.c_str());
        std::fclose(*f);
        *f = nullptr;
        return false;
    }
    return true;
}

// What is available now (at least one byte unless at the end), so that
// standard input from a pipe is translated as it arrives. 0 at the end; -1
// on an error (errno set).
long LerDisponivel(std::FILE* f, char* bloco, std::size_t tam)
{
    for (;;) {
        const ssize_t n = read(fileno(f), bloco, tam);
        if (n >= 0) return static_cast<long>(n);
        if (errno == EINTR) continue;
        return -1;
    }
}

bool LerTudo(std::FILE* f, const std::string& nome, std::string* conteudo)
{
    char bloco[8192];
    for (;;) {
        const long n = LerDisponivel(f, bloco, sizeof bloco);
        if (n == 0) return true;
        if (n < 0) {
            Falha("ler", nome.empty() ? std::string("entrada padr\xC3\xA3o") : nome, errno);
            return false;
        }
        conteudo->append(bloco, static_cast<std::size_t>(n));
    }
}

// ---------------------------------------------------------------------------
// The edges: what the engine reads and what comes back out of it.

// Every character goes through. Plain text: those outside Windows-1252 as
// placeholders. HTML: as numeric references of the edge's own spelling
// (html_utf8.h), which the HTML translator keeps whole, in scripts and style
// sheets too, and which come back out as the characters. RTF is a byte
// format with its own escapes ("\uN" for any character): its bytes pass as
// they are, both ways.
class clConversao {
    // Whether `t` from `e` on ("&#0" and digits, shorter than a reference)
    // may still become a reference of the edge's spelling.
    static bool ComecoDeReferencia(std::string_view t, std::size_t e)
    {
        const std::string_view resto = t.substr(e);
        if (resto.size() >= kTamReferenciaHtml) return false;
        for (std::size_t i = 1; i < resto.size(); ++i) {
            const char c = resto[i];
            const bool ok = i == 1   ? c == '#'
                            : i == 2 ? c == '0'
                                     : c >= '0' && c <= '9';
            if (!ok) return false;
        }
        return true;
    }

public:
    explicit clConversao(const OpcoesVertal& o) : o_(o) {}

    std::string ParaMotor(std::string_view bloco, bool fim)
    {
        if (o_.cp1252 || o_.tipo == TIPO_RTF) return std::string(bloco);
        if (o_.tipo == TIPO_TEXTO) return reservados_.Guardar(bloco, fim);
        std::string dados = retidoHtml_ + CompletarUtf8(&retido_, std::string(bloco));
        retidoHtml_.clear();
        if (fim) {
            dados += retido_;  // a cut-off character is kept as its bytes
            retido_.clear();
        } else if (const auto e = dados.rfind('&'); e != std::string::npos && ComecoDeReferencia(dados, e)) {
            // The page's own text in the edge's spelling of a reference is
            // escaped so that it comes back as it was: a beginning of one at
            // the end waits for the rest.
            retidoHtml_ = dados.substr(e);
            dados.resize(e);
        }
        std::size_t invalidos = 0;
        std::string r = Utf8ParaHtmlCp1252(dados, &invalidos);
        invalidosHtml_ += invalidos;
        return r;
    }

    std::string DoMotor(std::string_view bloco, bool fim)
    {
        if (o_.cp1252 || o_.tipo == TIPO_RTF) return std::string(bloco);
        if (o_.tipo == TIPO_TEXTO) return reservados_.Restaurar(bloco, fim);
        std::string r = html_.Converter(bloco);
        if (fim) r += html_.Terminar();
        return r;
    }

    // The engine's list of unknown words, in the output's encoding (UTF-8
    // for RTF too, whose bytes are no text of their own).
    std::string Lista(std::string_view lista)
    {
        if (o_.tipo == TIPO_RTF && !o_.cp1252) return Cp1252ParaUtf8(lista);
        return DoMotor(lista, true);
    }

    void Relatar(const PedidoTraducao& p) const
    {
        if (reservados_.Invalidos())
            std::fprintf(stderr, "vertal: %zu byte(s) que n\xC3\xA3o s\xC3\xA3o UTF-8 mantido(s) como estavam.\n",
                         reservados_.Invalidos());
        if (invalidosHtml_)
            std::fprintf(stderr, "vertal: %zu byte(s) que n\xC3\xA3o s\xC3\xA3o UTF-8 lido(s) como Windows-1252.\n",
                         invalidosHtml_);
        if (o_.estatisticas)
            std::fprintf(stderr, "vertal: %d palavra(s) conhecida(s), %d desconhecida(s) distinta(s).\n",
                         p.nConhecidas, p.nDesconhecidas);
    }

private:
    const OpcoesVertal& o_;
    clCaracteresReservados reservados_;
    std::string retido_;      // an unfinished UTF-8 character
    std::string retidoHtml_;  // an "&" that may start a reference, and what follows it
    clHtmlParaUtf8 html_;     // a reference cut between two pieces of output
    std::size_t invalidosHtml_ = 0;
};

void PrepararPedido(const OpcoesVertal& o, PedidoTraducao* p, int modo)
{
    std::memset(p, 0, sizeof *p);
    p->tipo = static_cast<std::uint8_t>(o.tipo);
    p->modo = static_cast<std::uint8_t>(modo);
}

int MotorIndisponivel()
{
    std::fputs("vertal: o motor de tradu\xC3\xA7\xC3\xA3o n\xC3\xA3o est\xC3\xA1 pronto "
               "(dicion\xC3\xA1rios ou tabela de verbos n\xC3\xA3o carregados).\n",
               stderr);
    return 1;
}

// The engine answers a request of no known mode at once when it is ready,
// and refuses it when it is not.
bool MotorPronto()
{
    PedidoTraducao p;
    std::memset(&p, 0, sizeof p);
    p.modo = 0xFF;
    return VertalInglPort(&p) != 0;
}

// The unknown-word list: the engine writes it to a file of ours, which goes
// to its destination in the output's encoding.
class clListaDesconhecidas {
public:
    explicit clListaDesconhecidas(const OpcoesVertal& o) : o_(o) {}
    ~clListaDesconhecidas()
    {
        if (!temporario_.empty()) std::remove(temporario_.c_str());
    }
    // Checks the destination and prepares the engine's file; false with a
    // message.
    bool Preparar(PedidoTraducao* p)
    {
        if (o_.desconhecidas.empty()) return true;
        if (!saida_.Abrir(o_.desconhecidas, stdout)) return false;
        temporario_ = ArquivoTemporario();
        if (temporario_.empty()) return false;
        p->arqDesconhecidas = const_cast<char*>(temporario_.c_str());
        return true;
    }
    bool Concluir(const PedidoTraducao& p, clConversao& conversao)
    {
        if (o_.desconhecidas.empty()) return true;
        std::string lista;
        std::FILE* f = std::fopen(temporario_.c_str(), "rb");
        const bool lido = f && LerTudo(f, temporario_, &lista);
        if (f) std::fclose(f);
        // One line per distinct unknown word: fewer lines mean the engine
        // could not write them all.
        const auto linhas = std::count(lista.begin(), lista.end(), '\n');
        if (!lido || linhas != p.nDesconhecidas) {
            Falha("gravar", o_.desconhecidas, lido ? ENOSPC : errno);
            return false;
        }
        saida_.Escrever(conversao.Lista(lista));
        return saida_.Concluir();
    }

private:
    const OpcoesVertal& o_;
    clSaida saida_;
    std::string temporario_;
};

// Input in stream mode, in chunks of at most 1,024 bytes, handed to the
// engine as soon as they arrive; the output is passed on after each
// hand-over.
int TraduzirFluxo(const OpcoesVertal& o, std::FILE* entradaPadrao, std::FILE* saidaPadrao)
{
    std::FILE* entrada = nullptr;
    if (!AbrirEntrada(o.entrada, entradaPadrao, &entrada)) return 1;
    struct Fechar {
        std::FILE* f;
        std::FILE* padrao;
        ~Fechar()
        {
            if (f && f != padrao) std::fclose(f);
        }
    } fechar{entrada, entradaPadrao};

    clSaida destino;
    if (!destino.Abrir(o.saida, saidaPadrao)) return 1;
    PedidoTraducao p;
    PrepararPedido(o, &p, MODO_FLUXO);
    clListaDesconhecidas lista(o);
    if (!lista.Preparar(&p)) return 1;
    clConversao conversao(o);

    std::vector<char> bufferSaida(MORIEL_TAM_SAIDA);
    p.saida = bufferSaida.data();
    std::string pendente;  // Windows-1252 text not yet handed to the engine
    bool fimEntrada = false;
    bool primeira = true;
    char chunk[kTamBloco];
    auto escrever = [&](const PedidoTraducao& pedido, bool fim) {
        const std::int32_t tam = pedido.tamSaida;  // a packed field: copy, never bind
        const std::string_view bytes(pedido.saida, tam > 0 ? static_cast<std::size_t>(tam) : 0);
        destino.Escrever(conversao.DoMotor(bytes, fim));
        destino.Esvaziar();
    };
    while (true) {
        while (pendente.empty() && !fimEntrada) {
            char bloco[4096];
            const long n = LerDisponivel(entrada, bloco, sizeof bloco);
            if (n < 0) {
                Falha("ler", o.entrada.empty() ? std::string("entrada padr\xC3\xA3o") : o.entrada, errno);
                return 1;
            }
            fimEntrada = n == 0;
            pendente += conversao.ParaMotor(std::string_view(bloco, static_cast<std::size_t>(n)), fimEntrada);
        }
        const std::size_t n = std::min(pendente.size(), kTamBloco);
        std::memcpy(chunk, pendente.data(), n);
        pendente.erase(0, n);
        p.entrada = chunk;
        p.tamEntrada = static_cast<std::int32_t>(n);
        if (!primeira && !p.threadTrabalho) break;  // the engine finished early
        if (!VertalInglPort(&p)) return MotorIndisponivel();
        primeira = false;
        escrever(p, !p.threadTrabalho);
        if (!p.threadTrabalho) break;
    }
    if (!destino.Concluir()) return 1;
    if (!lista.Concluir(p, conversao)) return 1;
    conversao.Relatar(p);
    return 0;
}

int TraduzirAreaTransferencia(const OpcoesVertal& o)
{
    PedidoTraducao p;
    PrepararPedido(o, &p, MODO_AREA_TRANSFERENCIA);
    clListaDesconhecidas lista(o);
    if (!lista.Preparar(&p)) return 1;
    if (!VertalInglPort(&p)) return MotorIndisponivel();
    // The engine has said what went wrong with the clipboard.
    if (p.tamSaida < 0) return 1;
    clConversao conversao(o);
    if (!lista.Concluir(p, conversao)) return 1;
    conversao.Relatar(p);
    return 0;
}

} // namespace

std::string CompletarUtf8(std::string* retido, const std::string& bloco)
{
    std::string dados = *retido + bloco;
    retido->clear();
    // Look back at most three bytes for the start of an unfinished sequence.
    const std::size_t tam = dados.size();
    for (std::size_t k = 1; k <= 3 && k <= tam; ++k) {
        const auto b = static_cast<unsigned char>(dados[tam - k]);
        if ((b & 0xC0) == 0x80) continue;  // a continuation byte: look further back
        const std::size_t precisa = b >= 0xF0 ? 4 : b >= 0xE0 ? 3 : b >= 0xC0 ? 2 : 1;
        if (b >= 0xC0 && precisa > k) {
            *retido = dados.substr(tam - k);
            dados.resize(tam - k);
        }
        break;
    }
    return dados;
}

bool LerOpcoes(const std::vector<std::string>& argumentos, OpcoesVertal* o, std::string* erro)
{
    std::vector<std::string> posicionais;
    int tipos = 0;
    for (std::size_t i = 0; i < argumentos.size(); ++i) {
        const std::string& a = argumentos[i];
        if (a == "--help" || a == "-h" || a == "--ajuda") {
            o->ajuda = true;
        } else if (a == "--texto") {
            o->tipo = TIPO_TEXTO;
            ++tipos;
        } else if (a == "--html") {
            o->tipo = TIPO_HTML;
            ++tipos;
        } else if (a == "--rtf") {
            o->tipo = TIPO_RTF;
            ++tipos;
        } else if (a == "--cp1252") {
            o->cp1252 = true;
        } else if (a == "--estatisticas") {
            o->estatisticas = true;
        } else if (a == "--analise") {
            o->analise = true;
        } else if (a == "--area-de-transferencia") {
            o->areaTransferencia = true;
        } else if (a == "--conjugar") {
            if (i + 1 >= argumentos.size()) {
                *erro = "--conjugar precisa de um verbo no infinitivo";
                return false;
            }
            o->conjugar = argumentos[++i];
            // Blanks around the infinitive are no part of it; nothing else
            // is no verb.
            const auto inicio = o->conjugar.find_first_not_of(" \t\r\n");
            o->conjugar = inicio == std::string::npos
                              ? std::string()
                              : o->conjugar.substr(inicio, o->conjugar.find_last_not_of(" \t\r\n") - inicio + 1);
            if (o->conjugar.empty()) {
                *erro = "--conjugar precisa de um verbo no infinitivo";
                return false;
            }
        } else if (a == "--desconhecidas") {
            if (i + 1 >= argumentos.size()) {
                *erro = "--desconhecidas precisa de um nome de arquivo";
                return false;
            }
            o->desconhecidas = argumentos[++i];
        } else if (a.rfind("--desconhecidas=", 0) == 0) {
            o->desconhecidas = a.substr(16);
        } else if (a == "--") {
            posicionais.insert(posicionais.end(), argumentos.begin() + static_cast<long>(i) + 1, argumentos.end());
            break;
        } else if (a.size() > 1 && a[0] == '-') {
            *erro = "op\xC3\xA7\xC3\xA3o desconhecida: " + a;
            return false;
        } else {
            posicionais.push_back(a);
        }
    }
    if (tipos > 1) {
        *erro = "escolha s\xC3\xB3 um entre --texto, --html e --rtf";
        return false;
    }
    if (posicionais.size() > 2) {
        *erro = "argumentos demais: " + posicionais[2];
        return false;
    }
    if (o->areaTransferencia && !posicionais.empty()) {
        *erro = "--area-de-transferencia n\xC3\xA3o aceita ENTRADA nem SAIDA";
        return false;
    }
    if (!o->conjugar.empty() && (!posicionais.empty() || o->areaTransferencia)) {
        *erro = "--conjugar n\xC3\xA3o aceita outros argumentos";
        return false;
    }
    if (o->analise && (o->areaTransferencia || !o->conjugar.empty() || o->tipo != TIPO_TEXTO)) {
        *erro = "--analise trabalha s\xC3\xB3 com texto simples de ENTRADA ou da entrada padr\xC3\xA3o";
        return false;
    }
    if (!posicionais.empty()) o->entrada = posicionais[0];
    if (posicionais.size() > 1) o->saida = posicionais[1];
    if (o->entrada == "-") o->entrada.clear();
    return true;
}

const char* TextoAjuda()
{
    return "Uso: vertal [--texto | --html | --rtf] [--cp1252] [--desconhecidas ARQUIVO]\n"
           "              [--estatisticas] [--area-de-transferencia] [ENTRADA [SAIDA]]\n"
           "\n"
           "Traduz do ingl\xC3\xAAs para o portugu\xC3\xAAs. L\xC3\xAA ENTRADA (ou a entrada padr\xC3\xA3o, quando\n"
           "ENTRADA falta ou \xC3\xA9 \"-\") e escreve a tradu\xC3\xA7\xC3\xA3o em SAIDA (ou na sa\xC3\xAD" "da padr\xC3\xA3o,\n"
           "quando SAIDA falta ou \xC3\xA9 \"-\"). SAIDA s\xC3\xB3 \xC3\xA9 substitu\xC3\xAD" "do quando a tradu\xC3\xA7\xC3\xA3o est\xC3\xA1 completa.\n"
           "\n"
           "  --texto                  texto simples (o padr\xC3\xA3o)\n"
           "  --html                   HTML: etiquetas e links preservados\n"
           "  --rtf                    RTF: grupos e formata\xC3\xA7\xC3\xA3o preservados\n"
           "  --cp1252                 entrada e sa\xC3\xAD" "da em Windows-1252, sem convers\xC3\xA3o\n"
           "                           (sem esta op\xC3\xA7\xC3\xA3o o texto \xC3\xA9 UTF-8)\n"
           "  --desconhecidas ARQUIVO  grava em ARQUIVO a lista das palavras desconhecidas\n"
           "  --estatisticas           mostra na sa\xC3\xAD" "da de erros quantas palavras eram\n"
           "                           conhecidas e quantas desconhecidas\n"
           "  --area-de-transferencia  traduz o conte\xC3\xBA" "do da \xC3\xA1rea de transfer\xC3\xAAncia e o\n"
           "                           substitui pela tradu\xC3\xA7\xC3\xA3o (RTF com --rtf)\n"
           "  --conjugar INFINITIVO    mostra as 38 formas do verbo, uma por linha: presente,\n"
           "                           pret\xC3\xA9rito perfeito, imperfeito, futuro do presente,\n"
           "                           futuro do pret\xC3\xA9rito e imperativo (eu, tu, ele, n\xC3\xB3s,\n"
           "                           v\xC3\xB3s, eles; o imperativo de \"eu\" \xC3\xA9 uma linha vazia),\n"
           "                           depois partic\xC3\xADpio e ger\xC3\xBAndio\n"
           "  --analise                mostra, para cada frase, a an\xC3\xA1lise do ingl\xC3\xAAs em \xC3\xA1rvore:\n"
           "                           grupos nominais e verbais, cada palavra com classe,\n"
           "                           papel e marcas, o tempo verbal (c\xC3\xB3" "digo 0 a 29) e o\n"
           "                           sujeito, e a parte de palavras conhecidas (abaixo de\n"
           "                           10% a frase fica como est\xC3\xA1)\n"
           "  --help                   mostra esta ajuda\n"
           "\n"
           "A entrada padr\xC3\xA3o \xC3\xA9 traduzida aos peda\xC3\xA7os, \xC3\xA0 medida que chega. Em texto\n"
           "simples e em HTML todo caractere chega \xC3\xA0 sa\xC3\xAD" "da como estava, mesmo os que o\n"
           "Windows-1252 n\xC3\xA3o tem. RTF passa byte a byte, sem convers\xC3\xA3o (o \\uN do\n"
           "documento guarda esses caracteres).\n"
           "\n"
           "O motor acha os dicion\xC3\xA1rios pela configura\xC3\xA7\xC3\xA3o \"DirRoot\" ou, sem ela, na\n"
           "pasta da biblioteca libmoriel32.so.\n"
           "\n"
           "Sa\xC3\xAD" "da: 0 sucesso; 1 motor n\xC3\xA3o pronto, arquivo que n\xC3\xA3o p\xC3\xB4" "de ser lido ou\n"
           "gravado, ou \xC3\xA1rea de transfer\xC3\xAAncia indispon\xC3\xADvel; 2 erro de uso.\n";
}

int ConjugarVerbo(const OpcoesVertal& o, std::FILE* saidaPadrao)
{
    if (!MotorPronto()) return MotorIndisponivel();
    std::string infinitivo = o.cp1252 ? o.conjugar : Utf8ParaCp1252(o.conjugar);
    // The conjugator works in place in a buffer of 256 bytes, as the
    // dictionary editor gives it; a longer text is cut.
    infinitivo = infinitivo.substr(0, 200);
    // It knows lower-case infinitives: one written in capitals is conjugated
    // in lower case and every form written in capitals, an initial capital
    // keeps to the first letter.
    bool maiusculas = false, minusculas = false;
    for (char c : infinitivo) {
        if (Minuscula(c) != c) maiusculas = true;
        if (Maiuscula(c) != c) minusculas = true;
    }
    const bool tudoMaiusculo = maiusculas && !minusculas;
    const bool inicial = maiusculas && !tudoMaiusculo && Minuscula(infinitivo[0]) != infinitivo[0];
    for (char& c : infinitivo) c = Minuscula(c);
    clSaida saida;
    if (!saida.Abrir("", saidaPadrao)) return 1;
    auto escrever = [&](std::uint32_t tempo, std::uint32_t pessoa) {
        // The imperative has no first person: the conjugator would give the
        // bare stem, which is no form.
        if (tempo == 5 && pessoa == 0) {
            saida.Escrever("\n");
            return;
        }
        char buffer[256];
        std::memset(buffer, 0, sizeof buffer);
        std::memcpy(buffer, infinitivo.data(), infinitivo.size());
        ConjugarVerboPortugues(buffer, tempo, pessoa);
        std::string forma = buffer;
        if (tudoMaiusculo) {
            for (char& c : forma) c = Maiuscula(c);
        } else if (inicial && !forma.empty()) {
            forma[0] = Maiuscula(forma[0]);
        }
        saida.Escrever((o.cp1252 ? forma : Cp1252ParaUtf8(forma)) + "\n");
    };
    for (std::uint32_t tempo = 0; tempo <= 5; ++tempo)
        for (std::uint32_t pessoa = 0; pessoa <= 5; ++pessoa) escrever(tempo, pessoa);
    escrever(6, 0);
    escrever(7, 0);
    return saida.Concluir() ? 0 : 1;
}

namespace {

struct ContextoAnalise {
    const OpcoesVertal* opcoes;
    clSaida* saida;
    clConversao* conversao;
    int numero = 0;
};

void MostrarAnalise(const clFrase& origem, const clAnalisador& analisador, const clEstatistica& estatistica,
                    void* contexto)
{
    auto* c = static_cast<ContextoAnalise*>(contexto);
    std::string frase;
    for (int i = 0; i <= origem.Ultimo(); ++i) {
        const clPalavra* w = origem.Obter(i);
        if (!w) continue;
        if (w->espacoAntes && !frase.empty()) frase += ' ';
        frase += w->texto;
    }
    std::string texto = "Frase " + std::to_string(++c->numero) + ": " + frase + "\n" +
                        DescreverAnalise(analisador, estatistica) + "\n";
    c->saida->Escrever(c->conversao->DoMotor(texto, true));
}

// The folder of the engine library vertal runs with: the installation when
// the settings name none.
std::string PastaDoMotor()
{
    Dl_info info{};
    if (!dladdr(reinterpret_cast<void*>(&VertalInglPort), &info) || !info.dli_fname) return ".";
    std::string caminho = info.dli_fname;
    const auto barra = caminho.rfind('/');
    return barra == std::string::npos ? "." : caminho.substr(0, barra);
}

// --analise: the engine's reader and parser run in this process, on the
// same dictionaries as the library, and every sentence's analysis is
// printed; the translation itself is discarded.
int MostrarAnalises(const OpcoesVertal& o, std::FILE* entradaPadrao, std::FILE* saidaPadrao)
{
    std::string texto;
    {
        std::FILE* f = nullptr;
        if (!AbrirEntrada(o.entrada, entradaPadrao, &f)) return 1;
        const bool lido = LerTudo(f, o.entrada, &texto);
        if (f != entradaPadrao) std::fclose(f);
        if (!lido) return 1;
    }
    clConversao conversao(o);
    texto = conversao.ParaMotor(texto, true);

    if (!Motor().motorPronto.load()) {
        char pasta[256];
        if (!LerDirRoot(pasta, sizeof pasta)) return MotorIndisponivel();
        if (!pasta[0]) CopiarTexto(pasta, sizeof pasta, PastaDoMotor().c_str());
        char* userDic = LerUserDic();
        const bool pronto = IniciarMotor(pasta, userDic);
        std::free(userDic);
        if (!pronto) return MotorIndisponivel();
    }

    clSaida destino;
    if (!destino.Abrir(o.saida, saidaPadrao)) return 1;
    const std::string entrada = ArquivoTemporario();
    const std::string descarte = entrada.empty() ? std::string() : ArquivoTemporario();
    int status = 0;
    if (entrada.empty() || descarte.empty()) {
        status = 1;
    } else {
        std::FILE* f = std::fopen(entrada.c_str(), "wb");
        const bool gravado = f && std::fwrite(texto.data(), 1, texto.size(), f) == texto.size();
        if (!f || std::fclose(f) != 0 || !gravado) {
            Falha("gravar", entrada, errno);
            status = 1;
        }
    }
    if (status == 0) {
        ContextoAnalise contexto{&o, &destino, &conversao};
        DefinirGanchoAnalise(&MostrarAnalise, &contexto);
        PedidoTraducao p;
        PrepararPedido(o, &p, MODO_ARQUIVO);
        p.entrada = const_cast<char*>(entrada.c_str());
        p.saida = const_cast<char*>(descarte.c_str());
        if (!TraduzirPedido(&p)) status = MotorIndisponivel();
        DefinirGanchoAnalise(nullptr, nullptr);
        if (status == 0 && !destino.Concluir()) status = 1;
        if (status == 0) conversao.Relatar(p);
    }
    if (!entrada.empty()) std::remove(entrada.c_str());
    if (!descarte.empty()) std::remove(descarte.c_str());
    EncerrarMotor();
    return status;
}

} // namespace

int ExecutarVertal(const OpcoesVertal& o, std::FILE* entradaPadrao, std::FILE* saidaPadrao)
{
    if (o.analise) return MostrarAnalises(o, entradaPadrao, saidaPadrao);
    if (!o.conjugar.empty()) return ConjugarVerbo(o, saidaPadrao);
    if (o.areaTransferencia) return TraduzirAreaTransferencia(o);
    // Named files go through the same stream as standard input: the output
    // is written beside its destination and put in its place when complete.
    return TraduzirFluxo(o, entradaPadrao, saidaPadrao);
}
