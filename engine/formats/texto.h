// clDocTexto: plain text. Words and sentences are cut by the character rules
// of the readers; each sentence is written back as words separated by single
// blanks, and the white space between sentences is kept as it was.
#pragma once

#include <string>

#include "formats/documento.h"

class clDocTexto : public clDocumento {
public:
    clDocTexto(PedidoTraducao* pedido, clSaidaPendente* pendente) : clDocumento(pedido, pendente) {}

    bool LerFrase(clFrase& origem) override;
    void EscreverFrase(clFrase& frase) override;

    // Reads the next token into `palavra`; false only at the end of input.
    bool LerToken(clPalavra& palavra, std::int16_t& tipo);
    void DevolverPalavra(const clPalavra& palavra, std::int16_t tipo);

private:
    clPalavra pilhaPalavras[1];
    std::int16_t tiposPilha[1] = {0};
    std::int16_t topoPalavras = -1;
    std::uint8_t espacoPendente = 0;
    std::string brancosFinais;  // blanks met at the end of the input
};
