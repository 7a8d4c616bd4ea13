// clDocumento: the frame every document translator is built on. It owns the
// byte input and output of the request (caller memory handed over in chunks,
// a pair of files, or the clipboard) and the sentence loop.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>

#include "caracteres_reservados.h"
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

// The markup pool of the HTML translator: inline start tags are stored here
// while the words they enclose travel through the translation core, which
// only carries their numbers.
enum EstadoMarca : std::int16_t {
    MARCA_LIVRE = 0,
    MARCA_SOLTAR = 1,    // closed and its end tag written: freed at the next collection
    MARCA_FECHADA = 2,   // its end tag has been read
    MARCA_ABERTA = 3,
    MARCA_CONTINUA = 4,  // a further piece of the text of the markup before it
};

constexpr int kPedacosMarca = 100;
constexpr int kTamPedacoMarca = 51;

struct PedacoMarca {
    std::int16_t tipo;
    std::uint8_t escrito;
    std::int16_t proximo;  // -1: none
    char texto[kTamPedacoMarca];  // not terminated per piece: the NUL is in the last one
};

struct clReservaMarcas {
    std::int16_t cabecaUsada = -1;
    std::int16_t cabecaLivre = 0;
    PedacoMarca pedacos[kPedacosMarca];
    // Per first piece: some word has carried the markup since it was stored.
    std::uint8_t levada[kPedacosMarca] = {};

    clReservaMarcas()
    {
        for (int i = 0; i < kPedacosMarca; ++i) {
            pedacos[i].tipo = MARCA_LIVRE;
            pedacos[i].escrito = 0;
            pedacos[i].proximo = static_cast<std::int16_t>(i + 1 < kPedacosMarca ? i + 1 : -1);
            pedacos[i].texto[0] = '\0';
        }
    }
};

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

    // The markup pool (HTML only). GuardarMarca returns the markup's number,
    // or -1 when nothing was stored.
    std::int16_t GuardarMarca(const char* etiqueta);
    void FecharMarcaFonte(const char* texto);
    // The markup FecharMarcaFonte would close, or -1.
    std::int16_t ProcurarMarcaFonte(const char* texto) const;
    void MarcarPalavra(clPalavra& palavra);
    void RecolherMarcas();
    void ReverMarcas();
    // The stored text of a markup (its pieces joined), at most tam - 1 bytes.
    void TextoMarca(std::int16_t numero, char* texto, std::size_t tam) const;

protected:
    // Hands one sentence to the translation core; true when the target
    // sentence holds the translation to write.
    bool EntregarFrase(clFrase& origem, clFrase& destino);
    // Passes the output so far to the caller and waits for the next chunk.
    void EntregarAoChamador();

    clEstatistica* estatistica = nullptr;
    clArena* arenaFrase = nullptr;  // the sentence arena of the running loop
    PedidoTraducao* pedido;
    std::FILE* arqEntrada = nullptr;
    std::FILE* arqSaida = nullptr;
    std::uint32_t indiceLeitura = 0;
    std::int16_t pilhaCaracteres[51];
    std::int16_t topoCaracteres = -1;
    std::uint32_t formatoArea = 0;
    clPalavra palavraSaida;
    std::uint8_t aspaAberta = 0;
    clReservaMarcas reservaMarcas;

private:
    clSaidaPendente* pendente;
    std::string areaEntrada;  // the engine's copy of the clipboard text
    std::string areaSaida;    // the translation bound for the clipboard
    clCaracteresReservados reservadosArea;  // plain text's characters outside Windows-1252
    bool areaFalhou = false;  // the clipboard could not be read
    bool arquivosOk = true;
};

// Passes the output left after the run to the caller: further hand-overs
// while more than one hand-over's worth remains, then the rest in saida.
void EntregarRestante(PedidoTraducao* pedido, clSaidaPendente* pendente);
