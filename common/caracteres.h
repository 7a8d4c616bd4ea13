// Character tables and string helpers for Windows-1252 text.
//
// Every text inside the suite is single-byte Windows-1252. These helpers are
// the only place that knows which bytes are letters, how they change case and
// which are Portuguese accented letters.
#pragma once

#include <array>
#include <cstddef>

// The four 256-entry tables, indexed by the unsigned byte.
using TabelaCaracteres = std::array<unsigned char, 256>;
extern const TabelaCaracteres TabMaiusculas;
extern const TabelaCaracteres TabMinusculas;
// 0 non-letter, 1 letter, 2 apostrophe.
extern const TabelaCaracteres TabLetra;
// 1 for the Portuguese accented letters, 0 otherwise.
extern const TabelaCaracteres TabAcentoPt;

inline char Maiuscula(char c) { return static_cast<char>(TabMaiusculas[static_cast<unsigned char>(c)]); }
inline char Minuscula(char c) { return static_cast<char>(TabMinusculas[static_cast<unsigned char>(c)]); }
// 0 non-letter, 1 letter, 2 apostrophe.
inline int ClasseLetra(char c) { return TabLetra[static_cast<unsigned char>(c)]; }
inline bool AcentoPt(char c) { return TabAcentoPt[static_cast<unsigned char>(c)] != 0; }
// Only the plain vowels: accented vowels are not vowels here.
bool Vogal(char c);

// 0 unless the text starts with a letter and holds only letters, "-", "_" and
// at most one apostrophe; 2 when it holds one apostrophe, 1 otherwise.
int FormaPalavra(const char* texto);

// Where `sufixo` starts inside `texto` (of length `tam`) when the text ends
// with it, byte for byte; nullptr for an empty suffix or one longer than the
// text.
char* TerminaCom(char* texto, std::size_t tam, const char* sufixo);
const char* TerminaCom(const char* texto, std::size_t tam, const char* sufixo);

// Shortens the text by the suffix's length (the suffix itself is not checked).
void CortarSufixo(char* texto, const char* sufixo);

// When the text ends with `sufixo`, replaces it by `troca` and returns 1;
// otherwise returns 0 and leaves the text unchanged. The caller guarantees room.
int TrocarSufixo(char* texto, const char* sufixo, const char* troca);

// à á â → a, é ê → e, í î → i, ó ô → o, ú û → u; lower case only.
void TirarAcentos(char* texto);

// Drops every space before the first byte that belongs to `conjunto`; from
// there on the text is kept. Returns 1 if a space was dropped.
int TirarEspacosAte(char* texto, const char* conjunto);

// Copies the text at `origem` (with its NUL) to `destino` in the same buffer;
// correct whichever way the two overlap.
void MoverTexto(char* destino, const char* origem);

// At `posicao`, replaces `quantos` bytes by `novo`, moving the tail.
void TrocarTrecho(char* texto, std::size_t posicao, std::size_t quantos, const char* novo);

// Bounded copy: copies at most tam - 1 bytes and always terminates (tam > 0).
// Returns the length copied.
std::size_t CopiarTexto(char* destino, std::size_t tam, const char* origem);
// Bounded append, same rules; returns the new length.
std::size_t AcrescentarTexto(char* destino, std::size_t tam, const char* origem);
