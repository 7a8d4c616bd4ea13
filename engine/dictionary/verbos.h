// The irregular-verb table "vip.dic": loaded once per process into the named
// shared mapping "Moriel_clVerboI" and consulted by the Portuguese conjugator.
//
// File layout, every byte stored complemented, integers little-endian:
//   0  4  N, size of the data area
//   4  2  L, number of the last verb record (record count - 1)
//   6  1  K, width of a record's key field
//   7  1  W, width of one form slot
//   8  N  data area: L + 1 records of K + 4 bytes sorted by key (unsigned
//         bytes; key = infinitive, NUL-terminated within K; then a 32-bit
//         offset of the verb's form block from the start of the data area),
//         then the form blocks of 38 slots of W bytes: slot 0 the ending of
//         the infinitive the forms replace, slot 1 the participle's
//         replacement, slot 2 + 6 * tense + person the finite forms.
// Outside files of this format exist, so the layout never changes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class clMapeamento;

namespace verbos {
constexpr std::size_t kTamCabecalho = 8;
constexpr int kTempos = 6;   // finite tenses 0..5
constexpr int kPessoas = 6;  // persons 0..5
constexpr int kTempoParticipio = 6;
constexpr int kSlots = 2 + kTempos * kPessoas;  // 38
constexpr std::size_t kTamPalavra = 51;         // the engine's word buffers
} // namespace verbos

struct clVerboI {
    std::uint16_t tamFicha = 0;   // K + 4
    std::uint16_t largChave = 0;  // K
    std::uint16_t largForma = 0;  // W
    std::int16_t ultimo = -1;     // L; -1 while nothing is loaded
    const unsigned char* dados = nullptr;  // start of the data area
    std::uint32_t tamDados = 0;            // N, checked against every offset
    void* vista = nullptr;
    std::unique_ptr<clMapeamento> mapeamento;

    clVerboI();
    ~clVerboI();
    clVerboI(const clVerboI&) = delete;
    clVerboI& operator=(const clVerboI&) = delete;
};

// Loads `pasta`/`nome`. A missing file just fails (no message: the engine
// stays not ready and the caller decides what to tell the user); a damaged
// one is refused with message 10; a mapping failure gives message 3.
// Reloading a loaded table releases it first.
bool CarregarVerbos(clVerboI& verbos, const char* pasta, const char* nome);

// When `palavra` (an infinitive, in a buffer of `tamPalavra` bytes) is in the
// table, replaces the recorded ending by the form of `tempo` (0..5, or 6 for
// the participle, where the person is ignored) and `pessoa` (0..5) and
// returns true. The word stays unchanged, still with true, when its ending
// does not match or the form would not fit the buffer. False, word
// unchanged, when the verb is not in the table or the codes are out of range.
bool FormaIrregular(const clVerboI& verbos, char* palavra, int pessoa, int tempo,
                    std::size_t tamPalavra = verbos::kTamPalavra);

// Unmaps the view and closes the mapping; the table is then empty.
void LiberarVerbos(clVerboI& verbos);

// One verb of the table as its writer sees it: the infinitive, the ending the
// forms replace and the 37 replacements (index 0 participle, 1 + 6 * tense +
// person the finite forms), Windows-1252.
struct VerboFonte {
    std::string infinitivo;
    std::string terminacao;
    std::string trocas[verbos::kSlots - 1];
};

// Builds the complete file image (already complemented) of a table holding
// `lista` (any order; duplicates are refused). K and W are the smallest that
// fit. Empty on failure, with the reason in `erro`.
std::vector<unsigned char> MontarTabelaVerbos(std::vector<VerboFonte> lista, std::string* erro = nullptr);
