// English prefixes written with a hyphen before a known word ("re-enable",
// "semi-transparent", "sub-menu", "non-empty") and the Portuguese word made
// from the base's translation by the Brazilian spelling rules of prefixes:
// joined ("reabilitar", "submenu"), with the base's first "r" or "s"
// doubled after a vowel ("antirrespingo", "semissint\xE9tico"), with a
// hyphen before "h", before the vowel the prefix ends in and before the
// letters a prefix keeps apart ("sub-rede", "super-homem", "micro-ondas"),
// always with a hyphen ("pr\xE9-instalado", "p\xF3s-processamento"), or
// as a word of its own ("n\xE3o vazio").
#pragma once

#include <cstddef>
#include <cstdint>

enum class ModoPrefixo : std::uint8_t {
    JUNTO,     // joined by the rules above
    HIFEN,     // always followed by a hyphen: "pr\xE9-", "p\xF3s-", "pr\xF3-"
    SEPARADO,  // a word before the base: "n\xE3o", "quase"
};

struct clPrefixo {
    const char* ingles;       // lower case
    const char* portugues;    // Windows-1252, without the hyphen of HIFEN
    ModoPrefixo modo;
    const char* hifenAntes;   // JUNTO: first letters of the base that take a hyphen
    bool tiraH;               // JUNTO: the base's first "h" goes ("reabilitar", "desabilitar")
    std::uint16_t classes;    // the classes of the base the prefix goes with (CL_* bits);
                              // with CL_ADJETIVO, also a verb's past participle
                              // ("semi-compressed")
    bool adjetivoDeNome;      // before a noun it also makes an adjective that does not
                              // agree ("multi-user": "multiusu\xE1rio")
    bool juntaIngles;         // the English word without the hyphen is tried first
                              // ("pre-defined": "predefined"); "re" only before a
                              // vowel ("re-entrant": "reentrant")
};

// The prefix of `n` bytes at `texto`, in any case; nullptr when it is none.
const clPrefixo* ProcurarPrefixo(const char* texto, std::size_t n);

// "un-" makes "n\xE3o" before an adjective or a participle ("un-signed":
// "n\xE3o assinado") and "des" before a verb.
const clPrefixo& PrefixoNao();
bool EhPrefixoUn(const clPrefixo& p);

// One translation text of an entry, marked ("/" around the word that
// inflects, "_" for a blank), with the prefix joined to its first marked
// word, or to its first word when none is marked ("/refazer/_login"); a
// prefix of its own word marks the base, which inflects alone
// ("n\xE3o_/vazio/"). Writes at most `tam` bytes to `saida` with the NUL; false, with
// `saida` empty, when there is no word to join or the result does not fit.
bool PrefixarTraducao(const clPrefixo& p, const char* traducao, char* saida, std::size_t tam);

// The prefix joined to a plain Portuguese word, marks left out
// ("re" + "habilitar": "reabilitar"). Same bounds as PrefixarTraducao.
bool JuntarPrefixo(const clPrefixo& p, const char* base, char* saida, std::size_t tam);

// The `indice`-th word (from 0) that a Portuguese prefix of the table was
// joined to by the rules above to make `palavra` ("reatribuir": "atribuir";
// "reaver": "aver", then "haver"; "pr\xE9-compor": "compor";
// "ressincronizar": "sincronizar"). Writes it to `base` (`tam` bytes) and
// the length of the text before it in the word to `antes`; `semH` tells
// that the joint dropped the base's first "h". False when there is no such
// word or it does not fit.
bool SepararPrefixo(const char* palavra, int indice, char* base, std::size_t tam, std::size_t* antes, bool* semH);
