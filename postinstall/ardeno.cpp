#include "ardeno.h"

#include <dlfcn.h>
#include <fcntl.h>
#include <spawn.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>

#include "registro.h"

extern char** environ;

namespace {

// Appends `sufixo` to `texto` when the whole fits in kTamValorArdeno bytes.
bool Juntar(char destino[kTamValorArdeno], const char* texto, const char* sufixo)
{
    const std::size_t a = std::strlen(texto);
    const std::size_t b = std::strlen(sufixo);
    if (a + b + 1 > kTamValorArdeno) return false;
    std::memmove(destino, texto, a);
    std::memcpy(destino + a, sufixo, b + 1);
    return true;
}

// Opens `caminho` in `colmeia`, reads the text value `nome` into `valor` and
// closes the key. A value that needs more than the buffer (its NUL included)
// is a failed read, as is a missing key or value.
bool LerValor(Colmeia colmeia, const char* caminho, const char* nome, char valor[kTamValorArdeno])
{
    valor[0] = '\0';
    auto chave = clChaveRegistro::Abrir(colmeia, caminho, false);
    if (!chave) return false;
    std::size_t necessario = 0;
    const bool lido = chave->LerTexto(nome, nullptr, 0, &necessario) && necessario <= kTamValorArdeno &&
                      chave->LerTexto(nome, valor, kTamValorArdeno);
    chave->Fechar();
    if (!lido) valor[0] = '\0';
    return lido;
}

bool EscreverTudo(int fd, const char* dados, std::size_t tam)
{
    while (tam > 0) {
        const ssize_t n = write(fd, dados, tam);
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        dados += n;
        tam -= static_cast<std::size_t>(n);
    }
    return true;
}

// Copies `origem` to `destino` through a temporary file beside `destino`,
// renamed over it only once the whole content is on disk.
bool CopiarSubstituindo(const char* origem, const char* pasta, const char* destino)
{
    const int entrada = open(origem, O_RDONLY | O_CLOEXEC);
    if (entrada < 0) return false;
    struct stat info{};
    if (fstat(entrada, &info) != 0 || !S_ISREG(info.st_mode)) {
        close(entrada);
        return false;
    }
    std::string temporario = std::string(pasta) + "/." + kSuplemento + ".XXXXXX";
    const int saida = mkostemp(temporario.data(), O_CLOEXEC);
    if (saida < 0) {
        close(entrada);
        return false;
    }
    bool ok = true;
    char bloco[65536];
    for (;;) {
        const ssize_t n = read(entrada, bloco, sizeof bloco);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) ok = false;
        if (n <= 0) break;
        if (!EscreverTudo(saida, bloco, static_cast<std::size_t>(n))) {
            ok = false;
            break;
        }
    }
    close(entrada);
    ok = ok && fchmod(saida, info.st_mode & 0777) == 0;
    ok = ok && fsync(saida) == 0;
    ok = close(saida) == 0 && ok;
    ok = ok && rename(temporario.c_str(), destino) == 0;
    if (!ok) unlink(temporario.c_str());
    return ok;
}

} // namespace

pid_t VerificarClienteWeb(const char* biblioteca)
{
    if (void* modulo = dlopen(biblioteca, RTLD_NOW | RTLD_LOCAL)) {
        dlclose(modulo);
        return 0;
    }
    // Started without a window of its own: no input, and its output does not
    // mix with the installation's.
    posix_spawn_file_actions_t acoes;
    if (posix_spawn_file_actions_init(&acoes) != 0) return 0;
    posix_spawn_file_actions_addopen(&acoes, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&acoes, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&acoes, 2, "/dev/null", O_WRONLY, 0);
    char* argumentos[] = {const_cast<char*>(kInstaladorClienteWeb), const_cast<char*>(kOpcaoInstalador), nullptr};
    pid_t pid = 0;
    if (posix_spawn(&pid, kInstaladorClienteWeb, &acoes, nullptr, argumentos, environ) != 0) pid = 0;
    posix_spawn_file_actions_destroy(&acoes);
    return pid;
}

bool LocalizarPastaInicializacao(char pasta[kTamValorArdeno])
{
    pasta[0] = '\0';
    char valor[kTamValorArdeno];
    char chave[kTamValorArdeno];

    // The document class associated with ".doc".
    if (!LerValor(Colmeia::ClassesRaiz, ".doc", "", valor)) return false;
    if (!Juntar(chave, valor, "\\AppRegistry")) return false;
    // The word processor's settings key, under the current user.
    if (!LerValor(Colmeia::ClassesRaiz, chave, "", valor)) return false;
    const char* aplicativo = valor[0] == '\\' ? valor + 1 : valor;
    if (!Juntar(chave, aplicativo, "\\Options")) return false;
    if (!LerValor(Colmeia::UsuarioAtual, chave, "STARTUP-PATH", valor)) return false;
    // An empty folder would put the add-in at the root of the file system.
    if (!valor[0]) return false;
    std::memcpy(pasta, valor, kTamValorArdeno);
    return true;
}

bool InstalarSuplemento(const char* pasta)
{
    char destino[kTamValorArdeno];
    if (!pasta[0] || !Juntar(destino, pasta, "/tessaly.wll")) return false;
    struct stat info{};
    if (stat(pasta, &info) != 0 && mkdir(pasta, 0755) != 0) return false;
    return CopiarSubstituindo(kSuplemento, pasta, destino);
}

int ExecutarArdeno()
{
    VerificarClienteWeb(kBibliotecaClienteWeb);
    char pasta[kTamValorArdeno];
    if (LocalizarPastaInicializacao(pasta)) InstalarSuplemento(pasta);
    return 0;
}
