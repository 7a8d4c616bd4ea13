// clArena: the per-sentence bump allocator.
#pragma once

#include <cstdint>

// A chain of equal blocks. Handing out memory never frees; reset() makes the
// whole chain available again, so a sentence's storage is reused by the next
// one and memory does not grow with the document.
class clArena {
public:
    explicit clArena(std::uint32_t tamBloco);
    ~clArena();
    clArena(const clArena&) = delete;
    clArena& operator=(const clArena&) = delete;

    // n bytes from this block or a following one (created on demand); nullptr
    // when n exceeds a block or memory is exhausted. Aligned for any object.
    void* Reservar(std::uint32_t n);
    void Zerar();

    std::uint32_t TamBloco() const { return tamBloco; }
    std::uint32_t Maximo() const { return maximo; }
    bool Valida() const { return bloco != nullptr; }

private:
    std::uint32_t tamBloco;
    unsigned char* bloco;
    std::uint32_t usado = 0;
    std::uint32_t maximo = 0;
    clArena* proxima = nullptr;
};
