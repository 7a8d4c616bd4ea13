#include "estatistica.h"

#include <cstring>
#include <new>

clEstatistica::clEstatistica(PedidoTraducao* p) : pedido(p)
{
    pedido->nConhecidas = 0;
    pedido->nDesconhecidas = 0;
    if (pedido->arqDesconhecidas && pedido->arqDesconhecidas[0])
        arquivo = std::fopen(pedido->arqDesconhecidas, "w");
    lista = new (std::nothrow) char[kTamLista];
    if (lista) {
        lista[0] = '\0';
        fim = lista;
    }
}

clEstatistica::~clEstatistica()
{
    if (arquivo) {
        if (lista) std::fwrite(lista, 1, static_cast<std::size_t>(fim - lista), arquivo);
        std::fclose(arquivo);
    }
    delete[] lista;
}

void clEstatistica::Desconhecida(const char* palavra)
{
    ++nDesconhecidas;
    // "\n" + word + "\n": the leading line feed makes the search match whole
    // listed words only, so "at" is not taken for the end of "cat".
    char linha[1 + 50 + 2];
    std::size_t n = 0;
    linha[n++] = '\n';
    for (const char* p = palavra; *p && n < 51; ++p) {
        char c = *p;
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c + 32);
        linha[n++] = c;
    }
    linha[n++] = '\n';
    linha[n] = '\0';
    if (lista) {
        // The list starts without a line feed; compare its first word apart.
        const std::size_t tamPalavra = n - 1;
        const std::size_t usado = static_cast<std::size_t>(fim - lista);
        if (usado >= tamPalavra && std::memcmp(lista, linha + 1, tamPalavra) == 0) return;
        if (std::strstr(lista, linha)) return;
    }
    ++pedido->nDesconhecidas;
    if (lista && static_cast<std::size_t>(fim - lista) + (n - 1) < kTamLista) {
        std::memcpy(fim, linha + 1, n);  // word, line feed and NUL
        fim += n - 1;
    }
}

void clEstatistica::Conhecida()
{
    ++nConhecidas;
    ++pedido->nConhecidas;
}

double clEstatistica::Percentagem() const
{
    if (nConhecidas == 0) return 0.0;
    return static_cast<double>(nConhecidas) * 100.0 / (nDesconhecidas + nConhecidas);
}
