// clDocRtf: RTF. The body text is cut into words and sentences; the groups
// and control words that carry no body text are copied through, and the
// character formatting in force at each word travels with it and is written
// back around the translated word in groups of the writer's own.
#pragma once

#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

#include "formats/documento.h"

// Types of the control words the translator knows; 0 is an unknown one.
enum TipoControle : std::int32_t {
    CTL_DESCONHECIDO = 0,
    CTL_FORMATO = 1,
    CTL_PARAGRAFO = 2,
    CTL_DESTINO = 3,
};

struct EntradaControle {
    char nome[20];  // with its backslash, zero-padded
    std::int32_t tipo;
    std::uint8_t numerico;  // the parameter is a number kept in the slot
};

constexpr int kQuantosControles = 47;
extern const EntradaControle TabControle[kQuantosControles];

// Index of a control word in TabControle (exact, case-sensitive); -1 when unknown.
int ProcurarControle(const char* nome);

// A format state: one 5-byte slot per entry of TabControle (on flag, then a
// signed 32-bit parameter), padded to 240 bytes, then the name of the
// destination the text belongs to. It is kept in the format area of a word.
struct EstadoFormato {
    static constexpr int kTamSlot = 5;
    static constexpr int kTamSlots = 240;
    static constexpr int kTamDestino = 20;

    unsigned char slots[kTamSlots];
    char destino[kTamDestino];

    void Limpar();
    bool Ligado(int i) const { return slots[i * kTamSlot] != 0; }
    std::int32_t Parametro(int i) const;
    void Definir(int i, bool ligado, std::int32_t parametro);
    void DefinirDestino(const char* nome);
    // The control words unknown to the table that are in force (character
    // formatting such as "\loch" or "\insrsid5"), by their number in the
    // document's list; 0: none. Kept in the spare bytes after the slots, so
    // that "\plain" clears them with the rest.
    std::uint16_t Desconhecidas() const;
    void DefinirDesconhecidas(std::uint16_t indice);
    bool operator==(const EstadoFormato& b) const;
};
static_assert(sizeof(EstadoFormato) == 260, "a format state is 260 bytes");
static_assert(kQuantosControles * EstadoFormato::kTamSlot + 2 <= EstadoFormato::kTamSlots);

// Control words the table does not know that only format characters: they
// are carried with the words like the table's own, never end a sentence,
// and a group they open is translated.
bool FormatoDesconhecido(const char* nome);

// Applies a control word to a state; returns its type (0 when unknown, the
// state then unchanged).
int AplicarControle(EstadoFormato& estado, const char* controle, const char* parametro);

// The control words that turn `anterior` into `novo`, in table order, into
// `saida` (at most `tam` bytes with the NUL; what does not fit is cut).
void TextoFormato(const EstadoFormato& novo, const EstadoFormato& anterior, char* saida, std::size_t tam);

// The format state carried in a word's format area.
EstadoFormato FormatoDaPalavra(const clPalavra& w);
void GuardarFormato(clPalavra& w, const EstadoFormato& f);

class clDocRtf : public clDocumento {
public:
    static constexpr int kPilhaPalavras = 5;
    static constexpr int kPilhaGrupos = 10;
    static constexpr int kTamParametro = 51;

    clDocRtf(PedidoTraducao* pedido, clSaidaPendente* pendente);
    ~clDocRtf() override;

    bool LerFrase(clFrase& origem) override;
    void EscreverFrase(clFrase& frase) override;

    // Reads the next token into `palavra`, the digits of a control word into
    // `parametro` (kTamParametro bytes); false at the end of input.
    bool LerToken(clPalavra& palavra, char* parametro, std::int16_t& tipo);
    // Gives a token back to the input; beyond five held the token is dropped.
    void DevolverPalavra(const clPalavra& palavra, const char* parametro, std::int16_t tipo);

    void EscreverControle(const char* controle, const char* parametro);
    // Copies an unknown group through to its closing brace.
    void CopiarGrupo(const char* chave, const char* controle, const char* parametro);
    // `chave`: the group's opening brace was written (a destination), so
    // its closing one is written too.
    void EmpilharFormato(const EstadoFormato& f, bool chave = false);
    void DesempilharFormato();
    // True when closing the current group leaves a destination.
    bool FechaDestino() const;
    void EscreverPalavraRtf(const clPalavra& w);

private:
    // The white space between sentences, copied as it stands.
    void CopiarBrancosRtf();
    // Writes the blank that stood before a control token written as it is.
    void EscreverEspacoPendente();
    // Reads the rest of a control word that starts with the letter `primeira`:
    // its name into `nome`, its number into `parametro`; false when the input
    // ends right after a "-".
    bool LerPalavraControle(int primeira, char* nome, std::size_t tamNome, char* parametro);
    // After "\uN": skips its fallback (ucAtual characters) and puts the
    // character in `texto`: its Windows-1252 byte when it has one (returned,
    // for the text rules), otherwise the character with its fallback in the
    // form EscreverPalavraRtf writes back (returns -1).
    int LerUnicode(const char* parametro, std::string& texto);
    // Adds a control word unknown to the table to the state's list.
    bool GuardarDesconhecida(EstadoFormato& estado, const char* nome, const char* parametro);
    // Copies the n bytes of "\binN" data as they are.
    void CopiarBinario(std::int64_t n);
    // Encodes one character read by LerUnicode, at `p`, into `saida`; moves p past it.
    void EscreverUnicode(const char*& p, char* saida, std::size_t tam, std::size_t& k) const;

    clPalavra pilhaPalavras[kPilhaPalavras];
    char parametrosPilha[kPilhaPalavras][kTamParametro] = {};
    std::int16_t tiposPilha[kPilhaPalavras] = {};
    std::int16_t topoPalavras = -1;
    std::uint8_t espacoPendente = 0;
    std::uint8_t emFrase = 0;
    std::uint8_t plainPendente = 1;
    std::uint8_t controlePendente = 0;
    std::uint8_t grupoAberto = 0;
    EstadoFormato formatoAtual;
    EstadoFormato formatoSaida;
    EstadoFormato pilhaGrupos[kPilhaGrupos];
    std::int32_t topoGrupos = -1;
    // Groups opened beyond the saved ones: none of them is a destination
    // (a destination that deep is copied through), so closing one never
    // writes a brace.
    std::int32_t gruposExcedentes = 0;
    // Characters skipped after "\uN" (set by "\ucN", group by group).
    std::int32_t ucAtual = 1;
    std::int32_t ucGrupos[kPilhaGrupos] = {};
    bool chaveEscrita[kPilhaGrupos] = {};
    bool ucAlterado = false;  // some "\uc" other than 1 was read
    bool inicio = true;       // nothing read yet (a byte order mark may come)
    bool paginaWindows1252 = true;  // "\ansicpg" names no other code page
    // The texts of unknown formatting words in force, numbered; 0 is none.
    std::vector<std::string> desconhecidas{std::string()};
    std::unordered_map<std::string, std::uint16_t> indiceDesconhecidas;
};
