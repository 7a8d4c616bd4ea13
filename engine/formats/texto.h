// clDocTexto: plain text. Words and sentences are cut by the character rules
// of the readers; the white space between sentences is kept as it was.
//
// Nothing of the layout is lost: a line break inside a sentence travels with
// the word after it (its number in the word's markup set, the way HTML
// carries its tags) and is written before that word, wherever the
// translation puts it, with the blanks around it exactly as read. A line that
// ends without a sentence mark ends the sentence when the next line is
// plainly something new (see FimDeUnidade). A word longer than the word field
// is carried whole the same way and written in its place.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "formats/documento.h"

class clDocTexto : public clDocumento {
public:
    static constexpr std::size_t kMaxLinha = 1024;  // of a line, as much as the rules look at

    clDocTexto(PedidoTraducao* pedido, clSaidaPendente* pendente) : clDocumento(pedido, pendente) {}

    bool LerFrase(clFrase& origem) override;
    void EscreverFrase(clFrase& frase) override;

    // Reads the next token into `palavra`; false only at the end of input.
    bool LerToken(clPalavra& palavra, std::int16_t& tipo);
    void DevolverPalavra(const clPalavra& palavra, std::int16_t tipo);

    // Whether a line that ends without a sentence mark ends its sentence,
    // given that line and the start of the next (its indentation included;
    // empty at the end of the input).
    static bool FimDeUnidade(const std::string& linha, const std::string& seguinte);

private:
    // Byte input with a look-ahead of its own, deep enough for a whole line;
    // the text of the current and the previous line is followed.
    int Ler();
    void Devolver(int c);
    // White space before the next sentence, copied as it is.
    void CopiarEspacos();
    // Stores a text carried with a word under a new number.
    std::int16_t Guardar(std::string&& texto);
    void EscreverBytes(const std::string& bytes);

    clPalavra pilhaPalavras[1];
    std::int16_t tiposPilha[1] = {0};
    std::int16_t topoPalavras = -1;
    std::uint8_t espacoPendente = 0;
    std::string brancosFinais;     // blanks met at the end of the input
    std::string brancosPendentes;  // the line end that closed a sentence
    std::vector<int> adiante;      // bytes given back, the next one last
    // The current line as read so far (as much as the rules look at) and
    // the previous one.
    struct clLinha {
        char bytes[kMaxLinha];
        std::size_t tam = 0;
    };
    std::vector<clLinha> linhas = std::vector<clLinha>(2);  // off the worker's small stack
    int atual = 0;
    bool frasePorComecar = true;   // no word of the sentence read yet
    bool aspaFechando = false;     // the next mark read alone closes a quotation
    // Carried texts, by the number in the word's markup set: the blanks
    // before each word (empty unless they hold a line break) and the words
    // too long for the word field.
    std::map<std::int16_t, std::string> quebras;
    std::map<std::int16_t, std::string> longas;
    std::int16_t proximoNumero = clMarcas::kPrimeiroLugar;
    std::vector<std::int16_t> quebrasDaFrase;  // in reading order
};
