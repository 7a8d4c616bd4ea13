// Portuguese verb conjugation on marked translation text.
//
// Tense codes: 0 Presente do Indicativo, 1 Pretérito Perfeito, 2 Pretérito
// Imperfeito, 3 Futuro do Presente, 4 Futuro do Pretérito, 5 Imperativo,
// 6 Particípio, 7 Gerúndio, 8 infinitive (text unchanged). Persons 0..5:
// first, second, third singular, then first, second, third plural; only
// tenses 0..5 use them. Other codes leave the text unchanged.
//
// Marked text: a word between two "/" is inflected, "_" is a blank inside a
// multiword translation. With at least one "/" pair only the marked words
// change; with neither "/" nor "_" the whole text is one word; with "_" but
// no "/" nothing changes.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

struct clVerboI;

namespace conjugacao {
constexpr int kTempoParticipio = 6;
constexpr int kTempoGerundio = 7;
constexpr int kTempoInfinitivo = 8;
constexpr std::size_t kTamTrabalho = 52;   // work area: words of up to 51 bytes
constexpr std::size_t kTamExportado = 256; // the buffer callers of the export provide
constexpr int kFormas = 38;
} // namespace conjugacao

// What the participle agrees with: the subject of the verb's group. The
// generator fills it from the subject term's flagsSubst (64 feminine,
// 2 plural) and passes nullptr when the verb has no term or its group no
// subject:
//     clSujeito s{sujeito->flagsSubst};
//     Conjugar(verbos, texto, sizeof texto, sujeito ? &s : nullptr, tempo, pessoa);
struct clSujeito {
    std::uint16_t flagsSubst = 0;
};

// The word scan shared by Conjugar, Feminino and Plural. It works inside a
// text buffer of `tamTexto` bytes and never writes past it.
class clVarredura {
public:
    clVarredura(char* texto, std::size_t tamTexto);

    // Copies the next word to inflect into Palavra(). False when there is
    // none left. Marked words longer than the work area are passed over
    // untouched.
    bool ProximaPalavra();

    // The work area holding the current word, kTamTrabalho bytes.
    char* Palavra() { return palavra_; }

    // Puts the work area back in place of the current word and moves past
    // it. When the changed text would not fit the buffer the word is left
    // as it was and false is returned.
    bool Devolver();

private:
    char* texto_;
    std::size_t tam_;
    std::size_t pos_ = 0;     // scan position
    std::size_t inicio_ = 0;  // where the current word starts
    std::size_t fim_ = 0;     // one past its last byte
    bool primeira_ = true;
    bool inteira_ = false;    // the whole text is the word
    char palavra_[conjugacao::kTamTrabalho] = {};
};

// Inflects one word in a buffer of at least kTamTrabalho bytes.
void ConjugarPalavra(const clVerboI* verbos, char* palavra, const clSujeito* sujeito, int tempo, int pessoa);

// Rewrites the marked words of `texto` (a buffer of `tamTexto` bytes) in
// place. `verbos` may be nullptr or an empty table: every verb is then
// regular.
void Conjugar(const clVerboI* verbos, char* texto, std::size_t tamTexto, const clSujeito* sujeito, int tempo,
              int pessoa);

// What the export ConjugarVerboPortugues does with its three arguments: only
// the low 16 bits of the codes count, no subject. The caller's buffer holds
// at least kTamExportado bytes (or the text's own length plus its NUL when
// that is larger).
void ConjugarExportado(const clVerboI* verbos, char* texto, std::uint32_t tempo, std::uint32_t pessoa);

// The 38 forms of an infinitive, Windows-1252: tenses 0..5 for persons
// 0..5, then the participle, then the gerund; the imperative's first person
// is empty.
std::array<std::string, conjugacao::kFormas> FormasVerbo(const clVerboI* verbos, const std::string& infinitivo);
