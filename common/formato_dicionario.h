// The compiled dictionary format, shared by its writer (the compiler in dic/)
// and its reader (the engine's lookup).
//
// Every byte of a file is stored complemented. After complementing: a 32-bit
// little-endian size N of the data area, the bucket index of 841 16-bit
// entries (29 rows by 29 columns), then N bytes of data: one 5-byte
// descriptor per record (length, 32-bit offset from the start of the data
// area) followed by the records themselves.
#pragma once

#include <cstddef>
#include <cstdint>

namespace formato {

constexpr int kLinhas = 29;
constexpr int kColunas = 29;
constexpr int kCasas = kLinhas * kColunas;             // 841 bucket slots
constexpr std::size_t kTamIndice = kCasas * 2;         // 1682 bytes
constexpr std::size_t kTamCabecalho = 4 + kTamIndice;  // 1686 bytes
constexpr std::uint32_t kMaxDados = 0x100000;          // largest data area
constexpr std::size_t kTamDescritor = 5;
constexpr std::uint16_t kSemRegistro = 0xFFFF;

// True when a key may begin with this byte ("^", "_", "`" or "a"–"z").
constexpr bool PrimeiroValido(unsigned char c) { return c >= 94 && c <= 122; }

// Bucket column of a key from its second byte (0 when the key has one byte).
constexpr int Coluna(unsigned char segundo)
{
    if (segundo == 0) return 0;
    if (segundo == '-') return 1;
    if (segundo >= 'a' && segundo <= 'z') return segundo - 94;
    return 2;
}

// Bucket slot of a key whose first byte is valid.
constexpr int Casa(const char* chave)
{
    const auto primeiro = static_cast<unsigned char>(chave[0]);
    const auto segundo = static_cast<unsigned char>(chave[1]);
    return (primeiro - 94) * kColunas + Coluna(segundo);
}

// The record numbers [primeiro, ultimo] of a slot; empty when primeiro > ultimo
// (computed in 16-bit arithmetic as the files expect).
struct Faixa {
    std::uint16_t primeiro;
    std::uint16_t ultimo;
    bool vazia;
};
Faixa FaixaDaCasa(const std::uint16_t* indice, int casa);

inline std::uint16_t Ler16(const unsigned char* p) { return static_cast<std::uint16_t>(p[0] | (p[1] << 8)); }
inline std::uint32_t Ler32(const unsigned char* p)
{
    return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
           (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}
inline void Gravar16(unsigned char* p, std::uint16_t v)
{
    p[0] = static_cast<unsigned char>(v);
    p[1] = static_cast<unsigned char>(v >> 8);
}
inline void Gravar32(unsigned char* p, std::uint32_t v)
{
    for (int i = 0; i < 4; ++i) p[i] = static_cast<unsigned char>(v >> (8 * i));
}

// Data files store each byte complemented; undo (or apply) it in place.
void Complementar(void* dados, std::size_t tam);

} // namespace formato
