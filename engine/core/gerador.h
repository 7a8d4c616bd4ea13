// Portuguese generation: walks the analysed sentence in Portuguese order,
// chooses each word's translation by its conditions, inflects it (agreement,
// conjugation, comparatives, adverbs in "-mente") and appends the words to
// the output sentence, contracting prepositions with what follows them.
#pragma once

#include <cstddef>
#include <cstdint>

#include "core/termo.h"
#include "dictionary/frase.h"

struct clVerboI;

class clGerador {
public:
    clGerador(clFrase* saida, const clVerboI* verbos) : saida(saida), verbos(verbos) {}

    clFrase* saida;
    // The translation being built; every term reuses it, so a result must be
    // emitted before the next term is translated.
    char trabalho[kTamPalavra] = {};
    const clVerboI* verbos;
    // The first output word takes its blank from the first source word,
    // whichever term comes out first.
    std::uint8_t espacoInicial = 0;
    // The last output word is a conjugated verb: "para" (of "parar") is not
    // the preposition, and takes no contraction ("para a casa", never "\xE0 casa").
    bool ultimoVerbo = false;
    // The last output word translates "for": "para o" stays ("op\xE7\xF5es para a
    // ferramenta"); only "to" contracts to "ao".
    bool ultimoFor = false;  // the last word was "for", or "to" after a verb of travelling or moving
    // The source sentence holds words in lower case: a run of capitalised
    // words inside it is a label.
    bool prosa = false;
    // A word of three letters or more other than "the", "and", "for" is in
    // lower case: the sentence is no title.
    bool semTitulo = false;
    // Every word of the source sentence is in capitals: the words the
    // generator adds are too.
    bool caixaAlta = false;
    // The noun group whose label naming an action is being written: a verb
    // of the label is the infinitive, and the label is one run.
    const clTermo* rotuloDeAcao = nullptr;
    // The noun group written before the quoted name it follows in English
    // ("The \x93Edit\x94 Menu": "O menu \x93Editar\x94"): its words lose the
    // capitals of the heading.
    const clTermo* nomeDaCitacao = nullptr;
    // Runs of capitalised words (a label such as "Add Tab") whose first
    // Portuguese word has been written: the rest of the
    // run is written in lower case ("Adicionar aba", "Tamanho da
    // visualiza\xE7\xE3o").
    static constexpr int kMaxRotulos = 32;
    const clTermo* rotulos[kMaxRotulos] = {};
    int quantosRotulos = 0;
};

// Resets `saida` and generates the chain that starts at `primeiro` (the
// root's proximo). `primeiraOrigem` is the source sentence's first word, or
// nullptr; its blank goes to the first output word.
void GerarFrase(clGerador& gerador, clTermo* primeiro, clFrase* saida, const clVerboI* verbos,
                const clPalavra* primeiraOrigem = nullptr);

// The inflected translation of one term, in the generator's work buffer (the
// English word as written when the entry has no translation). `regente`,
// when given, replaces the term's own governor for the agreement (the parts
// of a hyphenated adjective agree with the adjective's governor).
const char* EscolherTraducao(clGerador& gerador, clTermo* termo, const clTermo* regente = nullptr);

// Appends one output word made from `termo` (nullptr: a word the generator
// adds, such as "de" or an article).
void EmitirPalavra(clGerador& gerador, const char* texto, const clTermo* termo);

// Conjugates the verb `texto` (a buffer of `tam` bytes) of term `termo`
// inside its verb group by the group's tense code and subject.
void ConjugarGrupo(clGerador& gerador, char* texto, std::size_t tam, const clTermo* termo);

// The person (0-5) a verb word of a group takes from the group's subject.
int PessoaDoVerbo(const clTermo* verbo, const clTermo* sujeito);

// Whether a condition of the translation block holds for `termo`.
bool CondicaoSatisfeita(const char* condicao, const clTermo* termo);

// A word moved next to an opening quotation mark or bracket loses the blank
// between them.
void AjustarEspacosDeSinais(clFrase& destino);

// The generation step of a sentence: GerarFrase into `destino` from the
// analysis of `origem`, then the first source word's capitals carried over
// to the first Portuguese word. True when there is a translation to write.
bool GerarTraducao(clTermo* primeiro, clFrase& origem, clFrase& destino, const clVerboI* verbos);

// The case of a sentence, in one pass: `prosa` when it holds a word of four
// letters or more in lower case, `caixaAlta` when every word of two letters
// or more is in capitals.
void CaixaDaFrase(const clFrase& origem, bool& prosa, bool& caixaAlta, bool* semTitulo = nullptr);
