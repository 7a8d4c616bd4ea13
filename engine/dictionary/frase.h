// clPalavra and clFrase: the engine's model of running text.
#pragma once

#include <cstddef>
#include <cstdint>

#include "arena.h"
#include "marcas.h"

// Capitalisation pattern of a word.
enum PadraoCaixa : std::uint16_t {
    CAIXA_NENHUMA = 0,     // not a word
    CAIXA_MAIUSCULAS = 1,  // HTML
    CAIXA_INICIAL = 2,     // Paris
    CAIXA_MINUSCULAS = 3,  // paris
    CAIXA_MISTA = 4,       // eBay
};

constexpr int kTamPalavra = 51;  // 50 bytes of text and the NUL

// One word or punctuation token of running text.
struct clPalavra {
    clPalavra* pedaco;           // first piece when glued from several tokens
    std::uint8_t espacoAntes;    // a blank stood before the token
    std::uint8_t aplicarCaixa;   // apply padraoCaixa on output
    std::uint16_t padraoCaixa;
    char texto[kTamPalavra];
    clMarcas marcas;

    clPalavra() { Limpar(); }
    void Limpar();
    // Sets the capitalisation pattern from the first two bytes of the text.
    void Classificar();
    // Puts the text in its final form: the pattern applied to every word of
    // it, "/" removed and "_" turned into a blank.
    void AplicarCaixa();
    // Piece n of a glued word, its text taken from this word's (possibly
    // translated) text at the piece's offset. False when there is no such
    // piece or its span is empty.
    bool Pedaco(int n, clPalavra* saida) const;
    int QuantosPedacos() const;
};

// A sentence: a bounded array of word slots.
class clFrase {
public:
    clFrase(std::int16_t capacidade, clArena* arena);
    ~clFrase();
    clFrase(const clFrase&) = delete;
    clFrase& operator=(const clFrase&) = delete;

    void Limpar();
    // i >= 0: slot i when used; i < 0: the last slot whose text is not empty.
    clPalavra* Obter(int i);
    const clPalavra* Obter(int i) const;
    std::int16_t Ultimo() const { return ultimo; }
    std::int16_t Capacidade() const { return capacidade; }
    bool Valida() const { return palavras != nullptr; }

    // Appends a word, or glues it onto the last one when it continues it
    // (no blank before and starts with a letter). False when the sentence is full.
    bool Acrescentar(const clPalavra& w);
    // Splits a text into tokens and appends each.
    void acrescentarTexto(const char* texto);
    // The sentence as text, words in final form; at most tam bytes with the NUL.
    void Texto(char* buffer, std::size_t tam);

    // When the source's first word was capitalised and this sentence's first
    // word is in lower case, capitalise it.
    void CapitalizarComo(std::uint16_t padraoOrigem);

private:
    std::int16_t capacidade;
    std::int16_t ultimo;
    clPalavra* palavras;
    clArena* arena;
};

// The delimiters of the tokenizers.
extern const char DELIMITADORES_TEXTO[];
