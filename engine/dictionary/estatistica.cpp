#include "estatistica.h"

#include <cerrno>

#include "mensagens.h"

clEstatistica::clEstatistica(PedidoTraducao* p) : pedido(p)
{
    pedido->nConhecidas = 0;
    pedido->nDesconhecidas = 0;
    if (pedido->arqDesconhecidas && pedido->arqDesconhecidas[0]) {
        arquivo = std::fopen(pedido->arqDesconhecidas, "w");
        if (!arquivo) MostrarErro(12, pedido->arqDesconhecidas, errno);
    }
}

clEstatistica::~clEstatistica()
{
    if (arquivo) {
        const bool gravou = std::fwrite(lista.data(), 1, lista.size(), arquivo) == lista.size();
        if (std::fclose(arquivo) != 0 || !gravou) MostrarErro(12, pedido->arqDesconhecidas, errno);
    }
}

void clEstatistica::Desconhecida(const char* palavra)
{
    ++nDesconhecidas;
    char linha[50 + 2];
    std::size_t n = 0;
    for (const char* p = palavra; *p && n < 50; ++p) {
        char c = *p;
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c + 32);
        linha[n++] = c;
    }
    linha[n++] = '\n';
    try {
        if (!vistas.emplace(linha, n).second) return;
        lista.append(linha, n);
    } catch (...) {
        // Out of memory: the word is still counted.
    }
    ++pedido->nDesconhecidas;
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
