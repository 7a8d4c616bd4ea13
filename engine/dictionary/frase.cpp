#include "frase.h"

#include <cstring>
#include <new>

#include "caracteres.h"

namespace {

// A capital letter, accented capitals included: "\xC9mile" is a name with an
// initial capital, never a word to put in lower case.
bool MaiusculaLetra(char c)
{
    const auto b = static_cast<unsigned char>(c);
    return (b >= 'A' && b <= 'Z') || (b >= 0xC0 && b <= 0xDE && b != 0xD7);
}
bool LetraAscii(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

} // namespace

// Space, CR, LF, TAB, VT and the marks that stand as tokens of their own.
const char DELIMITADORES_TEXTO[] = " \r\n\t\v.,;:?!|-=()[]{}/\"\x91\x92\x93\x94'`\xB4<>";

void clPalavra::Limpar()
{
    pedaco = nullptr;
    espacoAntes = 0;
    aplicarCaixa = 0;
    padraoCaixa = CAIXA_NENHUMA;
    texto[0] = '\0';
    marcas.Limpar();
}

void clPalavra::Classificar()
{
    aplicarCaixa = 1;
    if (FormaPalavra(texto) == 0) {
        padraoCaixa = CAIXA_NENHUMA;
        return;
    }
    // A one-letter word compares its letter with the NUL after it.
    const bool primeira = MaiusculaLetra(texto[0]);
    const bool segunda = MaiusculaLetra(texto[1]);
    if (primeira && segunda) padraoCaixa = CAIXA_MAIUSCULAS;
    else if (primeira) padraoCaixa = CAIXA_INICIAL;
    else if (segunda) padraoCaixa = CAIXA_MISTA;
    else padraoCaixa = CAIXA_MINUSCULAS;
}

void clPalavra::AplicarCaixa()
{
    if (padraoCaixa == CAIXA_NENHUMA || !aplicarCaixa) return;
    const bool inicioMaiusculo = padraoCaixa == CAIXA_MAIUSCULAS || padraoCaixa == CAIXA_INICIAL;
    const bool restoMaiusculo = padraoCaixa == CAIXA_MAIUSCULAS || padraoCaixa == CAIXA_MISTA;
    bool inicio = true;
    char* escrita = texto;
    for (const char* p = texto; *p; ++p) {
        char c = *p;
        if (c == ' ' || c == '_') {
            *escrita++ = ' ';
            inicio = true;
        } else if (c == '/') {
            inicio = true;
        } else if (inicio) {
            *escrita++ = inicioMaiusculo ? Maiuscula(c) : Minuscula(c);
            inicio = false;
        } else {
            *escrita++ = restoMaiusculo ? Maiuscula(c) : Minuscula(c);
        }
    }
    *escrita = '\0';
}

int clPalavra::QuantosPedacos() const
{
    int n = 0;
    for (const clPalavra* p = pedaco; p; p = p->pedaco) ++n;
    return n;
}

bool clPalavra::Pedaco(int n, clPalavra* saida) const
{
    if (!pedaco) {
        if (n != 0) return false;
        *saida = *this;
        return true;
    }
    std::size_t deslocamento = 0;
    const clPalavra* p = pedaco;
    for (int i = 0; i < n; ++i) {
        if (!p) return false;
        deslocamento += std::strlen(p->texto);
        p = p->pedaco;
    }
    if (!p) return false;
    const std::size_t total = std::strlen(texto);
    if (deslocamento >= total) return false;
    std::size_t quantos = p->pedaco ? std::strlen(p->texto) : total - deslocamento;
    if (quantos > total - deslocamento) quantos = total - deslocamento;
    if (quantos == 0) return false;
    *saida = *p;
    saida->pedaco = nullptr;
    std::memcpy(saida->texto, texto + deslocamento, quantos);
    saida->texto[quantos] = '\0';
    return true;
}

clFrase::clFrase(std::int16_t cap, clArena* a)
    : capacidade(cap), ultimo(-1), palavras(new (std::nothrow) clPalavra[cap > 0 ? cap : 1]), arena(a)
{
    if (!palavras) capacidade = 0;
}

clFrase::~clFrase() { delete[] palavras; }

void clFrase::Limpar()
{
    // Only the used slots: a slot past `ultimo` is never read and is
    // overwritten whole when Acrescentar takes it. Clearing every slot of a
    // large sentence for each short one was the engine's largest cost.
    const int usados = ultimo < capacidade ? ultimo + 1 : capacidade;
    for (int i = 0; i < usados; ++i) palavras[i].Limpar();
    ultimo = -1;
}

clPalavra* clFrase::Obter(int i)
{
    return const_cast<clPalavra*>(static_cast<const clFrase*>(this)->Obter(i));
}

const clPalavra* clFrase::Obter(int i) const
{
    if (i >= 0) return i <= ultimo ? &palavras[i] : nullptr;
    for (int j = ultimo; j >= 0; --j)
        if (palavras[j].texto[0]) return &palavras[j];
    return nullptr;
}

bool clFrase::Acrescentar(const clPalavra& w)
{
    if (ultimo >= 0 && !w.espacoAntes && LetraAscii(w.texto[0])) {
        clPalavra& anterior = palavras[ultimo];
        const std::size_t tamAnterior = std::strlen(anterior.texto);
        const std::size_t tamNova = std::strlen(w.texto);
        if (anterior.padraoCaixa != CAIXA_NENHUMA && tamAnterior + tamNova <= kTamPalavra - 1 && arena) {
            clPalavra* primeiro = nullptr;
            if (!anterior.pedaco) {
                primeiro = static_cast<clPalavra*>(arena->Reservar(sizeof(clPalavra)));
                if (primeiro) {
                    new (primeiro) clPalavra(anterior);
                    primeiro->pedaco = nullptr;
                }
            }
            auto* copia = static_cast<clPalavra*>(arena->Reservar(sizeof(clPalavra)));
            // Without arena room the token simply stays a word of its own.
            if (copia && (anterior.pedaco || primeiro)) {
                new (copia) clPalavra(w);
                copia->pedaco = nullptr;
                if (primeiro) anterior.pedaco = primeiro;
                clPalavra* fim = anterior.pedaco;
                while (fim->pedaco) fim = fim->pedaco;
                fim->pedaco = copia;
                std::memcpy(anterior.texto + tamAnterior, w.texto, tamNova + 1);
                anterior.Classificar();
                return true;
            }
        }
    }
    if (ultimo + 1 >= capacidade) return false;
    ++ultimo;
    palavras[ultimo] = w;
    return true;
}

void clFrase::acrescentarTexto(const char* texto)
{
    const char* p = texto;
    clPalavra w;
    while (true) {
        w.Limpar();
        bool espaco = false;
        while (*p == ' ') {
            espaco = true;
            ++p;
        }
        if (!*p) return;
        std::size_t n = 0;
        if (std::strchr(DELIMITADORES_TEXTO, *p)) {
            w.texto[n++] = *p++;
        } else {
            // A run longer than a word is cut; the rest is the next token.
            while (*p && !std::strchr(DELIMITADORES_TEXTO, *p) && n < kTamPalavra - 2) w.texto[n++] = *p++;
        }
        w.texto[n] = '\0';
        w.espacoAntes = espaco;
        w.Classificar();
        Acrescentar(w);
    }
}

void clFrase::Texto(char* buffer, std::size_t tam)
{
    if (tam == 0) return;
    buffer[0] = '\0';
    for (int i = 0; i <= ultimo; ++i) {
        if (palavras[i].espacoAntes) AcrescentarTexto(buffer, tam, " ");
        palavras[i].AplicarCaixa();
        AcrescentarTexto(buffer, tam, palavras[i].texto);
    }
}

void clFrase::CapitalizarComo(std::uint16_t padraoOrigem)
{
    if (ultimo < 0) return;
    if ((padraoOrigem == CAIXA_MAIUSCULAS || padraoOrigem == CAIXA_INICIAL) &&
        palavras[0].padraoCaixa == CAIXA_MINUSCULAS) {
        palavras[0].padraoCaixa = CAIXA_INICIAL;
        palavras[0].AplicarCaixa();
    }
}
