#include "instalacao.h"

#include <cstdlib>
#include <cstring>

#include <pwd.h>
#include <unistd.h>

#include "mensagens.h"
#include "registro.h"

bool LerDirRoot(char* buffer, std::size_t tam)
{
    if (!buffer || tam == 0) return false;
    buffer[0] = '\0';
    auto chave = clChaveRegistro::Abrir(Colmeia::MaquinaLocal, kChaveQuillane, false);
    if (!chave) return true;
    std::size_t necessario = 0;
    if (!chave->LerTexto("DirRoot", buffer, tam, &necessario)) {
        buffer[0] = '\0';
        return true;
    }
    if (necessario > tam) {
        buffer[0] = '\0';
        const auto valor = chave->Ler("DirRoot");
        MostrarErro(13, valor ? valor->texto.c_str() : "", static_cast<int>(tam - 1));
        return false;
    }
    return true;
}

char* LerUserDic()
{
    auto chave = clChaveRegistro::Abrir(Colmeia::UsuarioAtual, kChaveQuillane, false);
    if (!chave) return nullptr;
    std::size_t tam = 0;
    if (!chave->LerTexto("UserDic", nullptr, 0, &tam)) return nullptr;
    char* valor = static_cast<char*>(std::malloc(tam));
    if (!valor) return nullptr;
    if (!chave->LerTexto("UserDic", valor, tam)) {
        std::free(valor);
        return nullptr;
    }
    // The list is read name by name up to CR LF: a last name without it
    // would be lost.
    const std::size_t n = std::strlen(valor);
    if (n > 0 && valor[n - 1] != '\n') {
        char* maior = static_cast<char*>(std::realloc(valor, n + 3));
        if (!maior) {
            std::free(valor);
            return nullptr;
        }
        valor = maior;
        std::memcpy(valor + n, "\r\n", 3);
    }
    return valor;
}

bool PastaDicUsuario(char* buffer, std::size_t tam)
{
    if (!buffer || tam == 0) return false;
    buffer[0] = '\0';
    const char* base = std::getenv("XDG_DATA_HOME");
    const char* resto = "/quillane/dic";
    if (!base || base[0] != '/') {
        base = std::getenv("HOME");
        resto = "/.local/share/quillane/dic";
        if (!base || base[0] != '/') {
            // No usable HOME: the account's home folder.
            passwd pw {};
            passwd* achado = nullptr;
            char area[4096];
            if (getpwuid_r(getuid(), &pw, area, sizeof area, &achado) != 0 || !achado || !pw.pw_dir ||
                pw.pw_dir[0] != '/')
                return false;
            base = pw.pw_dir;
        }
    }
    std::size_t n = std::strlen(base);
    while (n > 1 && base[n - 1] == '/') --n;  // "/home/x/" and "/home/x" alike
    if (n == 1) n = 0;                         // the root folder itself
    const std::size_t m = std::strlen(resto);
    if (n + m + 1 > tam) return false;
    std::memcpy(buffer, base, n);
    std::memcpy(buffer + n, resto, m + 1);
    return true;
}
