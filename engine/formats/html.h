// clDocHtml: HTML pages. Text is translated sentence by sentence; block tags,
// comments and scripts are copied as they stand and end the sentence in
// progress; inline tags (bold, links, fonts...) are kept in the frame's markup
// pool, travel with the words they enclose and are written again around the
// translated words. Attribute texts are translated in place and addresses are
// rewritten (atributos.h).
#pragma once

#include "formats/atributos.h"
#include "formats/documento.h"

class clDocHtml : public clDocumento {
public:
    clDocHtml(PedidoTraducao* pedido, clSaidaPendente* pendente);
    // Closes the markup still open in the output.
    ~clDocHtml() override;

    bool LerFrase(clFrase& origem) override;
    void EscreverFrase(clFrase& frase) override;
    void AbrirMarca(std::int16_t numero) override;
    void FecharMarca(std::int16_t numero) override;

    // Reads the next token; false at the end of input (also when the input
    // ends inside a tag name).
    bool LerToken(clPalavra& palavra, std::int16_t& tipo);
    void DevolverPalavra(const clPalavra& palavra, std::int16_t tipo);
    // Writes a word with the markup of each of its pieces, accented letters
    // as character entities.
    void EscreverPalavraHtml(const clPalavra& palavra);

    // Appends input bytes to the text in `buffer` (of `tam` bytes) until `fim`
    // has been appended (true), or limite - 1 bytes have been appended or the
    // input ended (false). Blanks are stored as spaces; always terminated.
    bool LerResto(char* buffer, std::size_t tam, int fim, std::size_t limite);
    // Copy (or discard) input bytes until the bytes read end with one of the
    // end texts (lower case; any case in the input; empty ones never match).
    // Returns 1 to 3, the end text that matched, or 0 at the end of input.
    int CopiarAte(const char* fim1, const char* fim2 = "", const char* fim3 = "");
    int DescartarAte(const char* fim1, const char* fim2 = "", const char* fim3 = "");

    // Translates the value of attribute `item` of `texto` (a buffer of `tam`
    // bytes) in place; false when it has no value or stays as it was.
    bool VerterAtributo(char* texto, std::size_t tam, const char* item);
    // ReescreverEndereco of atributos.h with the request's page address and,
    // when `prefixo` is null, its link prefix.
    bool ReescreverEndereco(char* etiqueta, std::size_t tam, const char* atributo, TipoEndereco tipo,
                            const char* prefixo = nullptr);
    // The attribute actions of the tag `token` ("<img", "<a", ...).
    void AplicarAtributos(const char* token, char* etiqueta, std::size_t tam);

private:
    // After an "&": reads a numeric character reference into `texto` at `n`
    // (the text then at most `limite` bytes long). 1: appended; 0: none there, the
    // bytes given back; 2: one that does not fit, given back with its "&".
    int LerReferenciaNumerica(char* texto, std::size_t& n, std::size_t limite);
    int CopiarOuDescartar(bool copiar, const char* fim1, const char* fim2, const char* fim3);
    void PassosEtiqueta(clPalavra& w, bool temPalavras, bool& feito);
    void TextoDeStatus(char* etiqueta, std::size_t tam, const char* atributo);
    // The content of <pre>, up to its end tag.
    void CopiarPreformatado();
    // Writes the end tag of the start tag in `texto` ("<font x=1>": "</font>").
    void EscreverFimDeEtiqueta(char* texto);
    // One piece of a word: the markup changes, the blank, the text.
    void EscreverPedaco(const clPalavra& pedaco, bool espaco);
    // Blanks after a comment or a dropped tag: copied between sentences,
    // but inside one they become the next word's blank.
    void BrancosDepois(bool temPalavras);

    clPalavra pilhaPalavras[1];
    std::int16_t tiposPilha[1] = {0};
    std::int16_t topoPalavras = -1;
    std::uint8_t espacoPendente = 0;

    // Work buffers, kept in the object rather than on the worker's small stack.
    char etiqueta[kTamEtiqueta];
    char valorStatus[kTamValor];
    char textoStatus[kTamEtiqueta];
    char valorVertido[kTamValor];
    char textoVertido[kTamValor];
    char textoMarca[kPedacosMarca * kTamPedacoMarca];
};
