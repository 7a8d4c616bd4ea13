// clEstatistica: known and unknown words of one document run.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <unordered_set>

#include "moriel32.h"

class clEstatistica {
public:
    // Zeroes the request's counters and opens its unknown-word file, if any.
    explicit clEstatistica(PedidoTraducao* pedido);
    // Writes the unknown-word list to its file.
    ~clEstatistica();
    clEstatistica(const clEstatistica&) = delete;
    clEstatistica& operator=(const clEstatistica&) = delete;

    void Desconhecida(const char* palavra);
    void Conhecida();
    // Share of known words in the current sentence, 0 to 100.
    double Percentagem() const;
    void ZerarFrase() { nDesconhecidas = nConhecidas = 0; }
    const char* Lista() const { return lista.c_str(); }

    std::int16_t nDesconhecidas = 0;
    std::int16_t nConhecidas = 0;

private:
    std::FILE* arquivo = nullptr;
    // Every distinct unknown word, each followed by a line feed: the list is
    // never cut, so its count stays exact however long the document.
    std::string lista;
    std::unordered_set<std::string> vistas;
    PedidoTraducao* pedido;
};
