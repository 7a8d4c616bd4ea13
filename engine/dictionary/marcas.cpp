#include "marcas.h"

#include <cstring>

clMarcas::clMarcas() : ultimo(-1), itens{}, formato{}, formatoEscrito(false) {}

void clMarcas::Limpar()
{
    ultimo = -1;
    std::memset(itens, 0, sizeof itens);
    if (formatoEscrito) {
        std::memset(formato, 0, sizeof formato);
        formatoEscrito = false;
    }
}

void clMarcas::Acrescentar(std::int16_t v)
{
    if (ultimo < kMaxItens - 1) itens[++ultimo] = v;
}

std::int16_t clMarcas::Obter(int i) const
{
    if (i >= 0) return i > ultimo ? -1 : itens[i];
    const int j = ultimo + 1 + i;
    return j < 0 ? -1 : itens[j];
}

bool clMarcas::Contem(std::int16_t v) const
{
    for (int i = 0; i <= ultimo; ++i)
        if (itens[i] == v) return true;
    return false;
}

void clMarcas::Unir(const clMarcas& b)
{
    for (int i = 0; i <= b.ultimo; ++i)
        if (!Contem(b.itens[i])) Acrescentar(b.itens[i]);
}

clMarcas clMarcas::Diferenca(const clMarcas& a, const clMarcas& b)
{
    clMarcas d;
    if (a.formatoEscrito) std::memcpy(d.Formato(), a.formato, sizeof d.formato);
    for (int i = 0; i <= a.ultimo; ++i)
        if (!b.Contem(a.itens[i])) d.Acrescentar(a.itens[i]);
    return d;
}
