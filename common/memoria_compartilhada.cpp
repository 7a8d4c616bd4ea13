#include "memoria_compartilhada.h"

#include <cerrno>
#include <climits>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <utility>
#include <vector>

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// A finished object ends with these bytes followed by its data size; an
// object without them was left by a process that died while filling it.
constexpr char kMarca[8] = {'Q', 'u', 'i', 'l', 'P', 'u', 'b', '1'};
constexpr std::size_t kTamMarca = 16;
constexpr char kSufixoTrava[] = "trava";
constexpr std::size_t kMaxNome = 100;

std::uint64_t Fnv(const void* dados, std::size_t tam, std::uint64_t h = 14695981039346656037ULL)
{
    const auto* p = static_cast<const unsigned char*>(dados);
    for (std::size_t i = 0; i < tam; ++i) {
        h ^= p[i];
        h *= 1099511628211ULL;
    }
    return h;
}

std::uint64_t FnvNumero(std::uint64_t v, std::uint64_t h)
{
    unsigned char b[8];
    for (int i = 0; i < 8; ++i) b[i] = static_cast<unsigned char>(v >> (8 * i));
    return Fnv(b, sizeof b, h);
}

std::string Hex(std::uint64_t v)
{
    static const char digitos[] = "0123456789abcdef";
    std::string s(16, '0');
    for (int i = 15; i >= 0; --i, v >>= 4) s[static_cast<std::size_t>(i)] = digitos[v & 15];
    return s;
}

// Object names allow no "/" after the first byte; dictionary names come
// from the user's settings, so keep only harmless bytes.
std::string NomeSeguro(const std::string& nome)
{
    std::string s;
    for (char c : nome) {
        if (s.size() >= kMaxNome) break;
        const bool ok = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_' ||
                        c == '-';
        s += ok ? c : '_';
    }
    return s;
}

std::string CaminhoAbsoluto(const std::string& arquivo)
{
    char real[PATH_MAX];
    if (realpath(arquivo.c_str(), real)) return real;
    if (!arquivo.empty() && arquivo[0] == '/') return arquivo;
    char atual[PATH_MAX];
    if (getcwd(atual, sizeof atual)) return std::string(atual) + "/" + arquivo;
    return arquivo;
}

bool MesmoObjeto(int fd, const std::string& nome)
{
    const int outro = shm_open(nome.c_str(), O_RDONLY | O_CLOEXEC, 0);
    if (outro < 0) return false;
    struct stat a {}, b {};
    const bool mesmo = fstat(fd, &a) == 0 && fstat(outro, &b) == 0 && a.st_ino == b.st_ino && a.st_dev == b.st_dev;
    close(outro);
    return mesmo;
}

bool Travar(int fd, int modo)
{
    while (flock(fd, modo) != 0) {
        if (errno != EINTR) return false;
    }
    return true;
}

// Takes the per-file lock. The lock object is removed by whoever releases
// it, so a waiter that wakes up on a removed object starts over on the
// current one.
int AdquirirTrava(const std::string& nome)
{
    for (int tentativa = 0; tentativa < 1000; ++tentativa) {
        const int fd = shm_open(nome.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
        if (fd < 0) return -1;
        if (!Travar(fd, LOCK_EX)) {
            const int e = errno;
            close(fd);
            errno = e;
            return -1;
        }
        if (MesmoObjeto(fd, nome)) return fd;
        close(fd);
    }
    errno = EAGAIN;
    return -1;
}

void LiberarTrava(int fd, const std::string& nome)
{
    if (fd < 0) return;
    shm_unlink(nome.c_str());
    close(fd);
}

std::string NomeTrava(const std::string& nomeObjeto)
{
    const std::size_t ponto = nomeObjeto.rfind('.');
    return nomeObjeto.substr(0, ponto + 1) + kSufixoTrava;
}

// Takes a per-file lock only if no one holds it.
int TentarTrava(const std::string& nome)
{
    const int fd = shm_open(nome.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0) return -1;
    if (flock(fd, LOCK_EX | LOCK_NB) != 0 || !MesmoObjeto(fd, nome)) {
        close(fd);
        return -1;
    }
    return fd;
}

bool ParteHex(const std::string& s, std::size_t inicio)
{
    if (s.size() < inicio + 16) return false;
    for (std::size_t i = inicio; i < inicio + 16; ++i)
        if (!((s[i] >= '0' && s[i] <= '9') || (s[i] >= 'a' && s[i] <= 'f'))) return false;
    return true;
}

// Cleans up under the per-file lock that the caller holds: the objects of
// other versions of the same file (same name, user and path) go at once,
// even if old processes still map them. Objects of other files of this
// user go only when no process holds them: they were left by processes
// that died, and like a Windows mapping they end with their last user.
void Varrer(const std::string& prefixo, const std::string& versao)
{
    DIR* pasta = opendir("/dev/shm");
    if (!pasta) return;
    const std::string meu = prefixo.substr(1);
    const std::string usuario = "." + std::to_string(geteuid()) + ".";
    std::vector<std::pair<std::string, std::string>> abandonados;  // group prefix, object
    while (dirent* e = readdir(pasta)) {
        const std::string n = e->d_name;
        if (n.compare(0, meu.size(), meu) == 0) {
            if (n.size() == meu.size() + 16 && ParteHex(n, meu.size()) && n.compare(meu.size(), 16, versao) != 0)
                shm_unlink(("/" + n).c_str());
            continue;
        }
        // <name>.<uid>.<path hash>.<version hash or "trava">
        const std::size_t ultimo = n.rfind('.');
        if (ultimo == std::string::npos || ultimo < 17 || n[ultimo - 17] != '.') continue;
        const std::string fim = n.substr(ultimo + 1);
        if (fim != kSufixoTrava && !(fim.size() == 16 && ParteHex(fim, 0))) continue;
        if (!ParteHex(n, ultimo - 16)) continue;
        const std::size_t antes = ultimo - 17;
        if (antes < usuario.size() || n.compare(antes + 1 - usuario.size(), usuario.size(), usuario) != 0) continue;
        abandonados.emplace_back("/" + n.substr(0, ultimo + 1), fim == kSufixoTrava ? "" : "/" + n);
    }
    closedir(pasta);
    for (const auto& [grupo, objeto] : abandonados) {
        const std::string nomeTrava = grupo + kSufixoTrava;
        const int trava = TentarTrava(nomeTrava);
        if (trava < 0) continue;
        if (!objeto.empty()) {
            const int fd = shm_open(objeto.c_str(), O_RDONLY | O_CLOEXEC, 0);
            if (fd >= 0) {
                if (flock(fd, LOCK_EX | LOCK_NB) == 0) shm_unlink(objeto.c_str());
                close(fd);
            }
        }
        LiberarTrava(trava, nomeTrava);
    }
}

bool Publicado(const unsigned char* vista, std::size_t tamanho)
{
    const unsigned char* marca = vista + tamanho;
    if (std::memcmp(marca, kMarca, sizeof kMarca) != 0) return false;
    std::uint64_t tam = 0;
    std::memcpy(&tam, marca + 8, sizeof tam);
    return tam == tamanho;
}

} // namespace

clMapeamento::~clMapeamento() { Fechar(); }

bool clMapeamento::Abrir(const std::string& nome, const std::string& arquivo, std::size_t tamanho)
{
    Fechar();
    erro_ = 0;
    novo_ = false;
    try {
        struct stat st {};
        if (stat(arquivo.c_str(), &st) != 0) {
            erro_ = errno;
            return false;
        }
        if (tamanho > SIZE_MAX - kTamMarca) {
            erro_ = ENOMEM;
            return false;
        }
        const std::string caminho = CaminhoAbsoluto(arquivo);
        std::uint64_t versao = Fnv(nullptr, 0);
        versao = FnvNumero(static_cast<std::uint64_t>(st.st_size), versao);
        versao = FnvNumero(static_cast<std::uint64_t>(st.st_mtim.tv_sec), versao);
        versao = FnvNumero(static_cast<std::uint64_t>(st.st_mtim.tv_nsec), versao);
        versao = FnvNumero(static_cast<std::uint64_t>(st.st_ino), versao);
        versao = FnvNumero(static_cast<std::uint64_t>(st.st_dev), versao);
        versao = FnvNumero(tamanho, versao);
        const std::string prefixo = "/" + NomeSeguro(nome) + "." + std::to_string(geteuid()) + "." +
                                    Hex(Fnv(caminho.data(), caminho.size())) + ".";
        const std::string hexVersao = Hex(versao);
        nomeObjeto_ = prefixo + hexVersao;
        const std::string nomeTrava = prefixo + kSufixoTrava;

        const int trava = AdquirirTrava(nomeTrava);
        if (trava < 0) {
            erro_ = errno;
            return false;
        }
        auto falhar = [&](int fd) {
            erro_ = errno;
            if (fd >= 0) close(fd);
            LiberarTrava(trava, nomeTrava);
            return false;
        };

        Varrer(prefixo, hexVersao);
        const std::size_t tamMapa = tamanho + kTamMarca;

        int fd = shm_open(nomeObjeto_.c_str(), O_RDWR | O_CLOEXEC, 0);
        if (fd >= 0) {
            struct stat ob {};
            if (fstat(fd, &ob) != 0) return falhar(fd);
            if (static_cast<std::size_t>(ob.st_size) == tamMapa) {
                void* v = mmap(nullptr, tamMapa, PROT_READ, MAP_SHARED, fd, 0);
                if (v == MAP_FAILED) return falhar(fd);
                if (Publicado(static_cast<const unsigned char*>(v), tamanho) && Travar(fd, LOCK_SH)) {
                    vista_ = v;
                    tamanho_ = tamanho;
                    tamanhoMapa_ = tamMapa;
                    descritor_ = fd;
                    LiberarTrava(trava, nomeTrava);
                    return true;
                }
                munmap(v, tamMapa);
            }
            // Half filled by a process that died, or of another size: no
            // one can be using it, so start over.
            close(fd);
            shm_unlink(nomeObjeto_.c_str());
        } else if (errno != ENOENT) {
            return falhar(-1);
        }

        fd = shm_open(nomeObjeto_.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
        if (fd < 0) return falhar(-1);
        // The umask may have taken the owner's bits away; other processes
        // of the same user must still open it, and no one else.
        if (fchmod(fd, 0600) != 0 || !Travar(fd, LOCK_SH)) {
            const int e = errno;
            close(fd);
            shm_unlink(nomeObjeto_.c_str());
            errno = e;
            return falhar(-1);
        }
        // Reserve the pages now: a full /dev/shm must fail here, not with
        // SIGBUS while the data is being written.
        const int r = ftruncate(fd, static_cast<off_t>(tamMapa)) == 0
                          ? posix_fallocate(fd, 0, static_cast<off_t>(tamMapa))
                          : errno;
        void* v = r == 0 ? mmap(nullptr, tamMapa, PROT_READ | PROT_WRITE, MAP_SHARED, fd, 0) : MAP_FAILED;
        if (v == MAP_FAILED) {
            const int e = r != 0 ? r : errno;
            close(fd);
            shm_unlink(nomeObjeto_.c_str());
            errno = e;
            return falhar(-1);
        }
        vista_ = v;
        tamanho_ = tamanho;
        tamanhoMapa_ = tamMapa;
        descritor_ = fd;
        novo_ = true;
        trava_ = trava;  // held until Publicar() or Fechar()
        return true;
    } catch (...) {
        Fechar();
        erro_ = ENOMEM;
        return false;
    }
}

void clMapeamento::Publicar()
{
    if (!vista_ || trava_ < 0) return;
    auto* marca = static_cast<unsigned char*>(vista_) + tamanho_;
    const std::uint64_t tam = tamanho_;
    std::memcpy(marca + 8, &tam, sizeof tam);
    std::memcpy(marca, kMarca, sizeof kMarca);
    // Other processes see the content only from now on: the view becomes
    // read-only like theirs.
    mprotect(vista_, tamanhoMapa_, PROT_READ);
    LiberarTrava(trava_, NomeTrava(nomeObjeto_));
    trava_ = -1;
}

void clMapeamento::Fechar()
{
    if (vista_) munmap(vista_, tamanhoMapa_);
    if (descritor_ >= 0) {
        if (trava_ >= 0) {
            // Never published: nobody else may see a half-filled object.
            if (MesmoObjeto(descritor_, nomeObjeto_)) shm_unlink(nomeObjeto_.c_str());
            close(descritor_);
            LiberarTrava(trava_, NomeTrava(nomeObjeto_));
        } else {
            // The last user removes the object, as a Windows mapping goes
            // away with its last handle. The per-file lock keeps a process
            // that is just opening it from losing it in between.
            const std::string nomeTrava = NomeTrava(nomeObjeto_);
            const int trava = AdquirirTrava(nomeTrava);
            if (trava >= 0 && flock(descritor_, LOCK_EX | LOCK_NB) == 0 && MesmoObjeto(descritor_, nomeObjeto_))
                shm_unlink(nomeObjeto_.c_str());
            close(descritor_);
            LiberarTrava(trava, nomeTrava);
        }
    }
    vista_ = nullptr;
    tamanho_ = 0;
    tamanhoMapa_ = 0;
    trava_ = -1;
    descritor_ = -1;
}
