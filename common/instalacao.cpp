#include "instalacao.h"

#include <cstdlib>
#include <cstring>

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
