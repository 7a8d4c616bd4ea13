// The chain of compiled dictionaries and the word lookup.
//
// The user's dictionaries come first, in the order the user chose, and the
// general dictionary "ip" last; the first dictionary that holds a key wins
// completely. Every dictionary is decoded once into a named shared mapping
// that later processes reuse, validated before it is published, and read
// only afterwards, so lookups from any number of threads take no lock.
#pragma once

#include <cstddef>
#include <cstdint>

#include "memoria_compartilhada.h"

// Grammatical class bits of an entry.
constexpr std::uint16_t CL_VERBO = 0x0001;
constexpr std::uint16_t CL_SUBSTANTIVO = 0x0002;
constexpr std::uint16_t CL_ADJETIVO = 0x0004;
constexpr std::uint16_t CL_ADVERBIO = 0x0008;
constexpr std::uint16_t CL_VERBO_AUXILIAR = 0x0010;
constexpr std::uint16_t CL_ARTIGO = 0x0020;
constexpr std::uint16_t CL_PRONOME = 0x0040;
constexpr std::uint16_t CL_PREPOSICAO = 0x0080;
constexpr std::uint16_t CL_CONJUNCAO = 0x0100;
constexpr std::uint16_t CL_INTERJEICAO = 0x0200;
// Given by the lookup itself to tokens that are not words.
constexpr std::uint16_t CL_SIMBOLO = 0x0400;     // other symbols and numbers
constexpr std::uint16_t CL_VIRGULA = 0x0800;     // ","
constexpr std::uint16_t CL_PONTUACAO = 0x1000;   // one of ".:;?!|="

constexpr std::size_t TAM_PALAVRA = 51;           // 50 bytes of text and the NUL
constexpr std::size_t TAM_BLOCO_TRADUCOES = 256;

// A dictionary entry as the lookup fills it. A plain record: callers may
// copy it and zero it with memset.
struct clVerbete {
    char vocabulo[TAM_PALAVRA];       // the word looked up, lower-cased in place (A-Z only)
    char formaBase[TAM_PALAVRA];      // English base form, empty if none
    std::uint16_t classe;             // CL_* bits
    std::uint8_t mascaraLocucao;      // bit n: an entry of n + 2 words begins with this word
    std::uint16_t numeroVerbo;
    std::uint16_t formas;             // verb feature bits
    std::uint8_t flagsSubst;
    std::uint8_t flagsAdj;
    std::uint16_t flagsArtigo;
    std::uint16_t flagsPron;
    std::uint16_t tamTraducoes;       // bytes used in blocoTraducoes
    char blocoTraducoes[TAM_BLOCO_TRADUCOES];  // translation and condition fields, NUL-separated
};

// Empties vocabulo and formaBase and zeroes every number.
void LimparVerbete(clVerbete* verbete);

// One open dictionary, node of the chain. The head is usually the caller's
// own object; the following nodes belong to the chain and are freed with it.
class clDicionario {
public:
    clDicionario() = default;
    ~clDicionario();
    clDicionario(const clDicionario&) = delete;
    clDicionario& operator=(const clDicionario&) = delete;

    clDicionario* proximo = nullptr;            // next in search order (owned)
    const std::uint16_t* indice = nullptr;      // 841 decoded bucket entries, at the start of the view
    const unsigned char* dados = nullptr;       // the data area (view + 1682); none when not open
    const void* vista = nullptr;
    clMapeamento mapeamento;
    std::uint32_t tamDados = 0;                 // N, bytes in the data area
    std::uint32_t totalRegistros = 0;           // descriptors in the data area
};

// Opens the chain named by `lista` (names separated by CR LF; every name but
// the last is a user dictionary `pasta`/dic/<name>.udc, the last is
// `pasta`/<name>.dic). A dictionary that is missing, damaged or cannot be
// mapped is reported and stays in the chain without data. Returns true when
// the head dictionary opened. Any chain the head held before is released.
bool AbrirDicionario(clDicionario* cabeca, const char* pasta, const char* lista);

// Looks `verbete->vocabulo` up along the chain and fills the entry. True
// when the token counts as known: found, or a non-word token that received
// a symbol class.
bool ProcurarPalavra(clDicionario* cabeca, clVerbete* verbete);

// Unmaps every node's view, closes its mapping and frees the nodes after
// the head; the head is left empty and may be opened again.
void LiberarDicionario(clDicionario* cabeca);
