// clDocumento: the frame every document translator is built on. It owns the
// byte input and output of the request (caller memory handed over in chunks,
// a pair of files, or the clipboard) and the sentence loop.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>

#include "dictionary/estatistica.h"
#include "dictionary/frase.h"
#include "moriel32.h"

// The end of input. Kept outside the byte range, so that the byte 0xFF (ÿ)
// is read as text like any other.
constexpr int FIM_ENTRADA = 0x100;

// Token kinds of the token readers.
enum TipoToken : std::int16_t {
    TK_PALAVRA = 0,
    TK_FIM_FRASE = 1,
    TK_ETIQUETA = 2,
    TK_COMENTARIO = 3,
};

// Character sets of the readers. A NUL counts as a member of every set, as
// the character search finds the terminator too.
extern const char BRANCOS[];
extern const char DELIMITADORES[];
extern const char FINAIS[];
extern const char APOSTROFOS[];
extern const char INTERNOS[];
bool NoConjunto(const char* conjunto, int c);

// Stream-mode output that waits for the next hand-over. It lives outside the
// translator so that what the translator writes while it is destroyed still
// reaches the caller.
struct clSaidaPendente {
    std::string bytes;
};

// The most a single stream hand-over puts into saida; the rest waits for the
// next one.
constexpr std::size_t kSaidaPorEntrega = MORIEL_TAM_SAIDA;

class clDocumento {
public:
    clDocumento(PedidoTraducao* pedido, clSaidaPendente* pendente);
    virtual ~clDocumento();
    clDocumento(const clDocumento&) = delete;
    clDocumento& operator=(const clDocumento&) = delete;

    // The sentence loop; 1 when it ran, 0 when nothing was done.
    int Executar();

    // Reads one source sentence; false at the end of input.
    virtual bool LerFrase(clFrase& origem) = 0;
    virtual void EscreverFrase(clFrase& frase) = 0;
    virtual void AbrirMarca(std::int16_t) {}
    virtual void FecharMarca(std::int16_t) {}

    // Byte input and output.
    int LerCaractere();
    void DevolverCaractere(int c);
    bool PularConjunto(const char* pular, const char* informar);
    void CopiarBrancos();
    void EscreverCaractere(char c);
    void EscreverTexto(const char* texto);

protected:
    // Hands one sentence to the translation core; true when the target
    // sentence holds the translation to write.
    bool EntregarFrase(clFrase& origem, clFrase& destino);
    // Passes the output so far to the caller and waits for the next chunk.
    void EntregarAoChamador();

    clEstatistica* estatistica = nullptr;
    PedidoTraducao* pedido;
    std::FILE* arqEntrada = nullptr;
    std::FILE* arqSaida = nullptr;
    std::uint32_t indiceLeitura = 0;
    std::int16_t pilhaCaracteres[51];
    std::int16_t topoCaracteres = -1;
    std::uint32_t formatoArea = 0;
    clPalavra palavraSaida;
    std::uint8_t aspaAberta = 0;

private:
    clSaidaPendente* pendente;
    std::string areaEntrada;  // the engine's copy of the clipboard text
    std::string areaSaida;    // the translation bound for the clipboard
    bool arquivosOk = true;
};

// Passes the output left after the run to the caller: further hand-overs
// while more than one hand-over's worth remains, then the rest in saida.
void EntregarRestante(PedidoTraducao* pedido, clSaidaPendente* pendente);
