// clTermo: one node of the analysis of an English sentence — a word, a noun
// group or a verb group — with the parser's role and, on verb groups, the
// tense code that generation maps to Portuguese tenses.
//
// Terms come zero-initialised from the sentence arena and are never freed one
// by one: the arena is reset after every sentence.
#pragma once

#include <cstdint>

#include "dictionary/dicionario.h"
#include "dictionary/frase.h"

// Classes made by the parser (the word classes are the CL_* bits of dicionario.h).
constexpr std::uint16_t CL_DESCONHECIDA = 0x0000;     // word not in any dictionary
constexpr std::uint16_t CL_GRUPO_NOMINAL = 0x2000;
constexpr std::uint16_t CL_GRUPO_VERBAL = 0x4000;

// Parser roles (papel).
constexpr std::uint16_t PAPEL_INICIO = 0;           // root; interrogative pronoun at the start
constexpr std::uint16_t PAPEL_FORA = 100;           // outside any open group, or a closed group
constexpr std::uint16_t PAPEL_DETERMINANTE = 210;   // article, determiner, pre-placed adjective
constexpr std::uint16_t PAPEL_MODIFICADOR = 220;    // modifier, or a noun not yet known as the head
constexpr std::uint16_t PAPEL_NUCLEO = 230;         // head of a noun group
constexpr std::uint16_t PAPEL_MODIFICADOR_ACEITO = 240;  // taken as a modifier on closing, like 220
constexpr std::uint16_t PAPEL_VERBAL = 300;         // member of an open verb group

// verbete.formas
constexpr std::uint16_t FORMA_ING = 0x0002;
constexpr std::uint16_t FORMA_TERCEIRA_S = 0x0004;   // third person singular -s
constexpr std::uint16_t FORMA_PASSADO = 0x0008;
constexpr std::uint16_t FORMA_PARTICIPIO = 0x0010;
constexpr std::uint16_t FORMA_SINGULAR = 0x0020 | 0x0040 | 0x0080;  // agrees with a singular subject
constexpr std::uint16_t FORMA_SINGULAR_S = 0x0080;                 // set by the -s ending
constexpr std::uint16_t FORMA_PLURAL = 0x0100 | 0x0200 | 0x0400;    // agrees with a plural subject
constexpr std::uint16_t FORMA_COMO_ADJETIVO = 0x1000;   // verb or participle used as an adjective
constexpr std::uint16_t FORMA_PASSADO_SIMPLES = 0x2000; // read by the simple-past test
constexpr std::uint16_t FORMA_PASSIVA = 0x4000;         // main verb of a passive/participle construction

// verbete.flagsSubst
constexpr std::uint8_t SUBST_NUMERO_PROPRIO = 0x01;  // a merged multiword keeps its own number
constexpr std::uint8_t SUBST_PLURAL = 0x02;
constexpr std::uint8_t SUBST_ARTIGO = 0x04;          // takes the definite article
constexpr std::uint8_t SUBST_DESCONHECIDA = 0x10;
constexpr std::uint8_t SUBST_FEMININO = 0x40;
constexpr std::uint8_t SUBST_POSSESSIVO = 0x80;      // "'s"

// verbete.flagsAdj
constexpr std::uint8_t ADJ_COMPARATIVO = 0x01;       // -er
constexpr std::uint8_t ADJ_SUPERLATIVO = 0x02;       // -est
constexpr std::uint8_t ADJ_ESTADO = 0x04;            // condition sub-code "E"
constexpr std::uint8_t ADJ_HIFEN = 0x08;             // unknown hyphenated compound
constexpr std::uint8_t ADJ_ANTEPOSTO = 0x10;         // placed before the noun
constexpr std::uint8_t ADJ_INVARIAVEL_GENERO = 0x20;
constexpr std::uint8_t ADJ_INVARIAVEL_NUMERO = 0x40;
constexpr std::uint8_t ADJ_ADVERBIO_LY = 0x80;       // adverb formed with -ly

// verbete.flagsPron
constexpr std::uint16_t PRON_DEMONSTRATIVO = 0x0001;
constexpr std::uint16_t PRON_INTERROGATIVO = 0x0002;
constexpr std::uint16_t PRON_NEGATIVO = 0x0004;
constexpr std::uint16_t PRON_PESSOAL = 0x0008;
constexpr std::uint16_t PRON_POSSESSIVO = 0x0010;
constexpr std::uint16_t PRON_PESSOA1 = 0x0020;       // first person singular
constexpr std::uint16_t PRON_PESSOA2 = 0x0040;
constexpr std::uint16_t PRON_PESSOA3 = 0x0080;
constexpr std::uint16_t PRON_PESSOA4 = 0x0100;       // first person plural
constexpr std::uint16_t PRON_PESSOA5 = 0x0200;
constexpr std::uint16_t PRON_PESSOA6 = 0x0400;

// Tense codes (tempo of a verb group; 25 also marks noun groups and unknown
// hyphenated words).
enum TempoVerbal : std::uint16_t {
    TEMPO_DESCONHECIDO = 0,          // first auxiliary not in the table: not generated
    TEMPO_PRESENTE = 1,              // do/does; or a present form
    TEMPO_PRESENTE_CONTINUO = 2,     // am/are/is + -ing
    TEMPO_PASSADO = 3,               // did; or a past form
    TEMPO_PASSADO_CONTINUO = 4,      // was/were + -ing
    TEMPO_PERFEITO = 5,              // have/has + participle
    TEMPO_PERFEITO_CONTINUO = 6,     // have/has + been + -ing
    TEMPO_MAIS_QUE_PERFEITO = 7,     // had + participle
    TEMPO_MAIS_QUE_PERFEITO_CONTINUO = 8,
    TEMPO_FUTURO = 9,                // will
    TEMPO_IR_PRESENTE = 10,          // be_going_to
    TEMPO_FUTURO_CONTINUO = 11,      // will be + -ing
    TEMPO_FUTURO_PERFEITO = 12,      // will have
    TEMPO_IR_PASSADO = 13,           // was_going_to / were_going_to
    TEMPO_NAO_PRODUZIDO = 14,
    TEMPO_GERUNDIO = 15,
    TEMPO_INFINITIVO = 16,
    TEMPO_PODER = 17,                // can
    TEMPO_PODER_SER = 18,            // can be
    TEMPO_PODERIA = 19,              // could
    TEMPO_PODERIA_SER = 20,          // could be
    TEMPO_IMPERATIVO = 21,
    TEMPO_PASSIVA_PRESENTE = 22,
    TEMPO_PASSIVA_PASSADO = 23,
    TEMPO_PASSIVA_CONTINUA = 24,     // is_being / are_being
    TEMPO_PARTICIPIO = 25,
    TEMPO_SER = 26,                  // be
    TEMPO_DEVER = 27,                // must
    TEMPO_CONDICIONAL = 28,          // would / should
    TEMPO_PASSIVA_FUTURO = 29,       // will be + participle
};

struct clTermo {
    clPalavra* palavra;        // the sentence word, or one made by the analysis
    std::uint8_t criada;       // 1 when palavra was made by the analysis
    clTermo* absorvidos;       // word: first word merged into it; verb group: the auxiliary removed
    clVerbete verbete;
    std::uint16_t papel;
    clTermo* pai;              // the group that contains this term
    clTermo* filhos;           // first child
    clTermo* proximo;          // next sibling
    clTermo* anterior;         // previous sibling
    clTermo* regente;          // determiner/modifier: the head it agrees with; verb group: subject
    clTermo* determinantes;    // noun group: first determiner
    clTermo* modificadores;    // noun group: first modifier
    clTermo* auxiliar;         // verb group: auxiliary set aside at the start of a question
    clTermo* verbo;            // verb group: main verb
    clTermo* negacao;          // verb group: "not"
    std::uint16_t tempo;
    clTermo* antes;            // previous word in reading order
    clTermo* depois;           // next word in reading order
    // Reader bookkeeping.
    std::uint8_t desambiguar;  // the class is still to be narrowed by the neighbours
    std::uint8_t copiada;      // palavra is the term's own copy of the sentence word
    std::uint8_t nome;         // an acronym or a key written as it stands
    // Generation bookkeeping: TERMO_EMITIDO once written, TERMO_ABSORVIDO when
    // left out on purpose (an auxiliary carried by the tense, the "to" of an
    // infinitive). A word still at 0 after the walk has been lost and is
    // written by the generator's guard.
    std::uint8_t emitido;
};

constexpr std::uint8_t TERMO_EMITIDO = 1;
constexpr std::uint8_t TERMO_ABSORVIDO = 2;

// A zeroed term from the arena; nullptr when the arena cannot give one.
clTermo* NovoTermo(clArena* arena);
