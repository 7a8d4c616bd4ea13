// clLeitor: reads one English sentence into analysis terms, one word at a
// time, on demand of the phrase parser. Each word is looked up, analysed for
// suffixes and contractions when it is not found, merged with the words of a
// multiword entry, grouped with its unknown neighbours, and its class is
// narrowed by the words around it.
#pragma once

#include <cstddef>
#include <cstdint>

#include "core/termo.h"
#include "dictionary/arena.h"
#include "dictionary/dicionario.h"
#include "dictionary/estatistica.h"
#include "dictionary/frase.h"

class clLeitor {
public:
    static constexpr int kMaxPendentes = 5;

    clArena* arena = nullptr;
    clFrase* frase = nullptr;
    std::int16_t ultimoLido = -1;         // index of the last sentence word read
    clTermo* atual = nullptr;
    char pendentes[kMaxPendentes][kTamPalavra] = {};
    std::int16_t topoPendentes = -1;
    clEstatistica* estatistica = nullptr;
    std::uint8_t guarda = 0;              // a multiword merge is under way
    // The dictionary chain looked up; the engine's chain unless a caller gives another.
    clDicionario* dicionarios = nullptr;
    // The arena could not give a term or a word: the analysis is incomplete.
    bool semMemoria = false;
    int profundidade = 0;                 // nested reads while narrowing classes
    clVerbete* trabalho = nullptr;        // scratch entry (arena)
    static constexpr std::size_t kTamChave = 8 * kTamPalavra + 8;
    char* chaveLocucao = nullptr;         // multiword key being built (arena)
    // Every word of two letters or more is in capitals: a word in capitals
    // is then no acronym or name (-1: not looked at yet).
    std::int8_t frasEmMaiusculas = -1;

    // Stores the sentence, arena and statistics, zeroes the sentence's
    // counters and reads the first word. `dic` nullptr: the engine's chain.
    void IniciarLeitura(clFrase* frase, clArena* arena, clEstatistica* estatistica,
                        clDicionario* dic = nullptr);
    // k = 0 the current term, k < 0 |k| terms back, k > 0 k terms ahead
    // (reading on as needed); nullptr past either end.
    clTermo* Olhar(int k);
    clTermo* OlharDe(int k, clTermo* termo);
    void Avancar();
    // A word read before the next sentence word; false when the five slots are taken.
    bool EmpilharPendente(const char* texto);

    clTermo* LerTermo(clTermo* anterior);
    bool AnalisarMorfologia(clTermo* termo);
    void JuntarLocucao(clTermo* termo);
    void JuntarVerboSeparado(clTermo* termo);
    void ThereInvertido(clTermo* termo);
    void SentirMuito(clTermo* termo);
    void Idade(clTermo* termo, clTermo* numero);
    void AgruparDesconhecidas(clTermo* termo);
    void SepararHifen(clTermo* termo);
    // An unknown word of an English prefix, a hyphen and a known word
    // ("re-enable", "semi-transparent") takes the entry of the word without
    // the hyphen when the dictionary holds it ("pre-defined"), else the
    // base's class and forms with the prefix joined to its translations.
    // False, the term unchanged, when it is no such word.
    bool Prefixada(clTermo* termo);

private:
    bool Procurar(clVerbete* verbete);
    clPalavra* PalavraPropria(clTermo* termo);
    clPalavra* NovaPalavra(const clPalavra* modelo, const char* texto);
    void Contar(clTermo* termo);
    void Desambiguar(clTermo* termo);
    // "Show the version and exit": a second order after "and" or "or".
    bool SegundaOrdem(const clTermo* p, clTermo* t);
    // A word to write as it stands (an acronym, a key or a key combination):
    // a noun without translation whose case is kept.
    void TornarNome(clTermo* termo);
    bool FraseEmMaiusculas();
    bool FormaVerbal(clTermo* termo, const clTermo* anterior);
    bool PluralIrregularComoVerbo(clTermo* termo, const clTermo* anterior);
    bool SubstantivoPeloContexto(clTermo* termo, const clTermo* anterior);
    void ConjuncaoAntesDeIng(clTermo* termo, clTermo* anterior);
    void TeclaDeTeclado(clTermo* termo, const clTermo* anterior);
    void CercaDeNumero(clTermo* termo);
    // Looks the term's vocabulo up, then its endings; a contraction the
    // endings would push is refused.
    bool BuscarBase(clTermo* termo);
    void BaseComMaiusculas(clTermo* termo, const char* base);
    void UnicoDepoisDeArtigo(clTermo* termo, const clTermo* anterior);
    void PassadoHomografo(clTermo* termo, const clTermo* anterior);
    void LeituraPeloVizinho(clTermo* termo, const clTermo* anterior);
    bool TrocarEntrada(clVerbete* destino, const char* chave, std::uint16_t classe);
    bool RestaLer() const;
};

// A verb merged with its "you" by the dictionary, which takes a verb after
// it: VERBO_COM_YOU_SUBJUNTIVO for the verbs of permission ("allows you",
// "lets you": "permitir que voc\xEA", the verb after it in the subjunctive,
// "permite que voc\xEA defina"); VERBO_COM_YOU_INFINITIVO for "help you"
// ("ajudar voc\xEA a entender"); 0 for any other term.
constexpr int VERBO_COM_YOU_SUBJUNTIVO = 1;
constexpr int VERBO_COM_YOU_INFINITIVO = 2;
int VerboComYou(const clTermo* t);
