#include "arena.h"

#include <algorithm>
#include <cstddef>
#include <new>

clArena::clArena(std::uint32_t tam) : tamBloco(tam), bloco(new (std::nothrow) unsigned char[tam]) {}

clArena::~clArena()
{
    // Iteratively, so a long chain cannot exhaust a small thread stack.
    clArena* p = proxima;
    proxima = nullptr;
    while (p) {
        clArena* seguinte = p->proxima;
        p->proxima = nullptr;
        delete p;
        p = seguinte;
    }
    delete[] bloco;
}

void* clArena::Reservar(std::uint32_t n)
{
    constexpr std::uint32_t kAlinhamento = alignof(std::max_align_t);
    n = (n + kAlinhamento - 1) & ~(kAlinhamento - 1);
    for (clArena* a = this;; a = a->proxima) {
        if (n > a->tamBloco) return nullptr;
        if (a->bloco && a->usado + n <= a->tamBloco) {
            void* p = a->bloco + a->usado;
            a->usado += n;
            return p;
        }
        if (!a->proxima) {
            a->proxima = new (std::nothrow) clArena(a->tamBloco);
            if (!a->proxima) return nullptr;
            if (!a->proxima->bloco) {
                delete a->proxima;
                a->proxima = nullptr;
                return nullptr;
            }
        }
    }
}

void clArena::Zerar()
{
    for (clArena* a = this; a; a = a->proxima) {
        a->maximo = std::max(a->maximo, a->usado);
        a->usado = 0;
    }
}
