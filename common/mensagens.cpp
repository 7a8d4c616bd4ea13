#include "mensagens.h"

#include <cstdio>
#include <mutex>

#include "cp1252.h"

namespace {

std::mutex& Trava()
{
    static std::mutex trava;
    return trava;
}

SaidaMensagens& Saida()
{
    static SaidaMensagens saida;
    return saida;
}

int SaidaPadrao(const std::string& titulo, const std::string& texto)
{
    const std::string linha = Cp1252ParaUtf8(titulo) + ": " + Cp1252ParaUtf8(texto) + "\n";
    std::fwrite(linha.data(), 1, linha.size(), stderr);
    return 1;
}

std::string Formatar(const char* modelo, const char* texto, int numero)
{
    std::string saida;
    for (const char* p = modelo; *p; ++p) {
        if (p[0] == '%' && p[1] == 's') {
            saida += texto ? texto : "";
            ++p;
        } else if (p[0] == '%' && p[1] == 'd') {
            saida += std::to_string(numero);
            ++p;
        } else {
            saida += *p;
        }
    }
    return saida;
}

} // namespace

void DefinirSaidaMensagens(SaidaMensagens saida)
{
    std::lock_guard<std::mutex> guarda(Trava());
    Saida() = std::move(saida);
}

std::string TextoMensagem(int codigo, const char* texto, int numero)
{
    switch (codigo) {
    case 1:
        return Formatar("Arquivo \"%s\" n\xE3o foi encontrado.", texto, numero);
    case 2:
        return "Mem\xF3ria Insuficiente.\nFeche algumas janelas para liberar espa\xE7o.";
    case 3:
        return Formatar("Erro na aloca\xE7\xE3o de mem\xF3ria. (%d)\nFeche algumas janelas para liberar espa\xE7o.",
                        texto, numero);
    case 8:
        return Formatar("A \xC1rea de Transfer\xEAncia est\xE1 sendo utilizada por outro aplicativo.\n"
                        "Feche a janela do outro aplicativo e tente novamente.\n(%s.%d)",
                        texto, numero);
    case 9:
        return Formatar("Tipo de arquivo RTF n\xE3o est\xE1 registrado para o Windows\nErro (%d)", texto, numero);
    case 10:
        return Formatar("Arquivo \"%s\" est\xE1 danificado e n\xE3o pode ser usado.", texto, numero);
    case 11:
        return Formatar("Nenhuma \xE1rea de transfer\xEAncia est\xE1 dispon\xEDvel (%s.%d).", texto, numero);
    case 12:
        return Formatar("N\xE3o foi poss\xEDvel gravar o arquivo \"%s\" (erro %d).", texto, numero);
    case 13:
        return Formatar("A pasta de instala\xE7\xE3o \"%s\" tem mais de %d bytes e n\xE3o pode ser usada.", texto,
                        numero);
    default:
        return Formatar("%s (%d)", texto, numero);
    }
}

int MostrarMensagem(const std::string& titulo, const std::string& texto)
{
    SaidaMensagens saida;
    {
        std::lock_guard<std::mutex> guarda(Trava());
        saida = Saida();
    }
    try {
        return saida ? saida(titulo, texto) : SaidaPadrao(titulo, texto);
    } catch (...) {
        return 0;
    }
}

int MostrarErro(int codigo, const char* texto, int numero)
{
    return MostrarMensagem("Quillane : Erro " + std::to_string(codigo), TextoMensagem(codigo, texto, numero));
}
