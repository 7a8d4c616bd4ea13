#include "caracteres.h"

#include <array>
#include <cstring>

namespace {

constexpr bool EhLetraPt(unsigned c)
{
    switch (c) {
    case 0xC0: case 0xC1: case 0xC2: case 0xC3: case 0xC7: case 0xC9: case 0xCA:
    case 0xCD: case 0xCE: case 0xD3: case 0xD4: case 0xD5: case 0xDA: case 0xDB:
        return true;
    case 0xE1: case 0xE2: case 0xE3: case 0xE7: case 0xE9: case 0xEA:
    case 0xED: case 0xEE: case 0xF3: case 0xF4: case 0xF5: case 0xFA: case 0xFB:
        return true;
    default:
        return false;
    }
}

constexpr TabelaCaracteres FazerMaiusculas()
{
    TabelaCaracteres t{};
    for (unsigned c = 0; c < 256; ++c) {
        unsigned r = c;
        if (c < 0x20) r = '.';
        else if (c >= 'a' && c <= 'z') r = c - 0x20;
        else if ((c >= 0xE0 && c <= 0xF6) || (c >= 0xF8 && c <= 0xFE)) r = c - 0x20;
        t[c] = static_cast<unsigned char>(r);
    }
    return t;
}

constexpr TabelaCaracteres FazerMinusculas()
{
    TabelaCaracteres t{};
    for (unsigned c = 0; c < 256; ++c) {
        unsigned r = c;
        if (c < 0x20) r = '.';
        else if (c >= 'A' && c <= 'Z') r = c + 0x20;
        else if ((c >= 0xC0 && c <= 0xD6) || (c >= 0xD8 && c <= 0xDE)) r = c + 0x20;
        t[c] = static_cast<unsigned char>(r);
    }
    return t;
}

constexpr TabelaCaracteres FazerLetra()
{
    TabelaCaracteres t{};
    for (unsigned c = 0; c < 256; ++c) {
        if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || EhLetraPt(c)) t[c] = 1;
        else if (c == '\'') t[c] = 2;
    }
    return t;
}

constexpr TabelaCaracteres FazerAcentoPt()
{
    TabelaCaracteres t{};
    for (unsigned c = 0; c < 256; ++c)
        if (EhLetraPt(c) || c == 0xDC || c == 0xFC) t[c] = 1;
    return t;
}

} // namespace

extern constexpr TabelaCaracteres TabMaiusculas = FazerMaiusculas();
extern constexpr TabelaCaracteres TabMinusculas = FazerMinusculas();
extern constexpr TabelaCaracteres TabLetra = FazerLetra();
extern constexpr TabelaCaracteres TabAcentoPt = FazerAcentoPt();

bool Vogal(char c)
{
    switch (c) {
    case 'A': case 'E': case 'I': case 'O': case 'U':
    case 'a': case 'e': case 'i': case 'o': case 'u':
        return true;
    default:
        return false;
    }
}

int FormaPalavra(const char* texto)
{
    if (ClasseLetra(texto[0]) != 1) return 0;
    int apostrofos = 0;
    for (const char* p = texto; *p; ++p) {
        const int classe = ClasseLetra(*p);
        if (classe == 2) {
            if (++apostrofos > 1) return 0;
        } else if (classe == 0 && *p != '-' && *p != '_') {
            return 0;
        }
    }
    return apostrofos ? 2 : 1;
}

const char* TerminaCom(const char* texto, std::size_t tam, const char* sufixo)
{
    const std::size_t n = std::strlen(sufixo);
    if (n == 0 || n > tam) return nullptr;
    const char* inicio = texto + (tam - n);
    return std::memcmp(inicio, sufixo, n) == 0 ? inicio : nullptr;
}

char* TerminaCom(char* texto, std::size_t tam, const char* sufixo)
{
    return const_cast<char*>(TerminaCom(static_cast<const char*>(texto), tam, sufixo));
}

void CortarSufixo(char* texto, const char* sufixo)
{
    const std::size_t tam = std::strlen(texto);
    const std::size_t n = std::strlen(sufixo);
    texto[n >= tam ? 0 : tam - n] = '\0';
}

int TrocarSufixo(char* texto, const char* sufixo, const char* troca)
{
    const std::size_t tam = std::strlen(texto);
    char* inicio = TerminaCom(texto, tam, sufixo);
    if (!inicio) return 0;
    std::strcpy(inicio, troca);
    return 1;
}

void TirarAcentos(char* texto)
{
    for (unsigned char* p = reinterpret_cast<unsigned char*>(texto); *p; ++p) {
        switch (*p) {
        case 0xE0: case 0xE1: case 0xE2: *p = 'a'; break;
        case 0xE9: case 0xEA: *p = 'e'; break;
        case 0xED: case 0xEE: *p = 'i'; break;
        case 0xF3: case 0xF4: *p = 'o'; break;
        case 0xFA: case 0xFB: *p = 'u'; break;
        default: break;
        }
    }
}

int TirarEspacosAte(char* texto, const char* conjunto)
{
    char* escrita = texto;
    const char* leitura = texto;
    int tirou = 0;
    while (*leitura && !std::strchr(conjunto, *leitura)) {
        if (*leitura == ' ') {
            tirou = 1;
        } else {
            *escrita++ = *leitura;
        }
        ++leitura;
    }
    if (escrita != leitura) MoverTexto(escrita, leitura);
    return tirou;
}

void MoverTexto(char* destino, const char* origem)
{
    std::memmove(destino, origem, std::strlen(origem) + 1);
}

void TrocarTrecho(char* texto, std::size_t posicao, std::size_t quantos, const char* novo)
{
    const std::size_t tam = std::strlen(texto);
    if (posicao > tam) posicao = tam;
    if (quantos > tam - posicao) quantos = tam - posicao;
    const std::size_t n = std::strlen(novo);
    MoverTexto(texto + posicao + n, texto + posicao + quantos);
    std::memcpy(texto + posicao, novo, n);
}

std::size_t CopiarTexto(char* destino, std::size_t tam, const char* origem)
{
    if (tam == 0) return 0;
    std::size_t i = 0;
    for (; i + 1 < tam && origem[i]; ++i) destino[i] = origem[i];
    destino[i] = '\0';
    return i;
}

std::size_t AcrescentarTexto(char* destino, std::size_t tam, const char* origem)
{
    const std::size_t usado = strnlen(destino, tam);
    if (usado >= tam) return usado;
    return usado + CopiarTexto(destino + usado, tam - usado, origem);
}
