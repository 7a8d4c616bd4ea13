// Agreement of the marked words of a translation (gender and number) and the
// contraction of a preposition with the word that follows it.
//
// The texts are marked as for the conjugator: the words between "/" inflect;
// a text without "/" and without "_" is one word; a text with "_" and no "/"
// does not inflect.
#pragma once

#include <cstddef>
#include <cstdint>

struct clPalavra;
struct clTermo;

// The feminine of every marked word: final "m" or "r" takes "a", final "os"
// becomes "as", final "o" becomes "a". `texto` is a buffer of `tam` bytes;
// a word that would not fit is left as it was.
void FemininoTexto(char* texto, std::size_t tam);

// The plural of every marked word that does not already end in "s".
void PluralTexto(char* texto, std::size_t tam);

// Whether a governing term asks for the feminine or the plural: a feminine
// noun; a plural noun or a pronoun of a plural person.
bool GovernaFeminino(const clTermo* governante);
bool GovernaPlural(const clTermo* governante);

// Inflect `texto` in place when the governing term asks for it (nothing when
// there is none).
void Feminino(char* texto, std::size_t tam, const clTermo* governante);
void Plural(char* texto, std::size_t tam, const clTermo* governante);

// Tries to absorb `novo` into the previous output word ("de" + "o" → "do").
// True when it did: the previous word's text was changed and `novo` must be
// dropped.
bool Contrair(clPalavra* anterior, const char* novo);
