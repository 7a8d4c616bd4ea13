#include "instalacao.h"

#include <cstdlib>
#include <cstring>

#include <pwd.h>
#include <unistd.h>

#include "registro.h"

void LerDirRoot(char* buffer, std::size_t tam)
{
    if (!buffer || tam == 0) return;
    buffer[0] = '\0';
    auto chave = clChaveRegistro::Abrir(Colmeia::MaquinaLocal, kChaveQuillane, false);
    if (!chave) return;
    if (!chave->LerTexto("DirRoot", buffer, tam)) buffer[0] = '\0';
    chave->Fechar();
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
    chave->Fechar();
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
