// The dictionary source: one "key!codes" line per entry, the records through
// which an entry travels to and from the editor window, and the condition
// texts of the translations.
#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

// Key form: only "a"-"z", "-" and "_" for the blanks between words.
// Display form: the key as the user reads it, blanks instead of "_".
enum class FormaChave { Chave, Exibicao };

std::string NormalizarChave(std::string_view texto, FormaChave forma);

// The compiled file beside a source: its extension (from the last "." of the
// file name) replaced by ".udc"; a file name without "." gets ".udc" added.
std::string CaminhoCompilado(const std::string& fonte);

// Names shown in the editor's condition lists, Windows-1252; index 0 is the
// empty item.
constexpr int kNumConectores = 3;   // "", "E", "Ou"
constexpr int kNumOperadores = 8;   // "", "For um" ... "A pr\xF3xima for"
constexpr int kNumOpcoes = 35;      // "", "Substantivo" ... "Estilo"
extern const std::array<const char*, kNumConectores> NomesConector;
extern const std::array<const char*, kNumOperadores> NomesOperador;
extern const std::array<const char*, kNumOpcoes> NomesOpcao;
// The codes written for each index ("" for index 0).
extern const std::array<const char*, kNumConectores> CodigosConector;
extern const std::array<const char*, kNumOperadores> CodigosOperador;
extern const std::array<const char*, kNumOpcoes> CodigosOpcao;

// One Portuguese conjugation as the editor shows it.
struct TabelaConjugacao {
    std::array<std::string, 36> formas;  // 6 tenses of 6 persons
    std::string participio;
    std::string gerundio;
};

// The conditions of one translation. Arrays are indexed by condition number
// 1-3 as the window's lists are; element 0 is unused. -1 is "not chosen".
struct FichaTraducao {
    int conector[4];
    int verbo[4];
    int opcao[4];
    TabelaConjugacao conjugacao[2];

    FichaTraducao() { Limpar(); }
    void Limpar();
};

// The classes and attributes of one entry.
struct FichaEntrada {
    bool substantivo, adjetivo, verbo, verboAuxiliar, adverbio, artigo, preposicao, interjeicao, pronome,
        conjuncao;
    unsigned char mascaraLocucao;
    std::string formaBase;
    int genero;         // 0 Masculino, 1 Feminino
    int numero;         // 0 Singular, 1 Plural
    bool animado;
    bool deEstado, titulo, determinante;
    bool concordaNumero, concordaGenero;
    int tipoArtigo;     // 0 Definido, 1 Indefinido
    int tipoPronome;    // 0 Pessoal, 1 Possessivo, 2 Demonstrativo, 3 Interrogativo, 4 Negativo
    int pessoaPronome;  // 0-5
    bool infinitivo, passado, participio, presente, gerundio;
    bool pessoas[6];
    bool formaA;
    // Codes the window has no control for; kept so that editing an entry
    // does not lose them: the verb number of code "I" (-1 none) and the
    // pronoun codes "R", "L", "Q".
    int numeroVerbo;
    bool pronomeR, pronomeL, pronomeQ;

    FichaEntrada() { Limpar(); }
    void Limpar();
};

// One line of the window's translations list.
struct LinhaTraducao {
    std::string traducao;  // as shown: display form
    std::string quando;    // the "Quando" column (TextoCondicao)
    FichaTraducao ficha;
};

// The window's entry field and translations list.
struct TelaEntrada {
    std::string chave;
    std::vector<LinhaTraducao> traducoes;
};

// Parses a condition field ("&", "|", operator and option codes) into the
// record's connector, operator and option indices.
void LerCondicao(std::string_view texto, FichaTraducao& ficha);
// The "Quando" text of a record.
std::string TextoCondicao(const FichaTraducao& ficha);
// The condition field written for a record (complete conditions only).
std::string CodigoCondicao(const FichaTraducao& ficha);

// Composes the source line of an entry (without line end), or "" when the
// key has no letter left in key form.
std::string ComporLinha(const std::string& chave, const std::vector<LinhaTraducao>& traducoes,
                        const FichaEntrada& ficha);
// Parses a source line into the window's data; unknown codes are skipped.
void AnalisarLinha(std::string_view linha, TelaEntrada& tela, FichaEntrada& ficha);

class DicionarioFonte {
public:
    // Replaces the lines by those of the file; false (dictionary unchanged)
    // when it cannot be read.
    bool CarregarFonte(const std::string& caminho);
    // The same from text already in memory.
    void CarregarTexto(std::string_view texto);
    // Writes the source (CR LF lines) and compiles it beside it as ".udc".
    bool SalvarFonte(const std::string& caminho);

    struct Busca {
        bool achou;
        int posicao;
    };
    Busca ProcurarEntrada(std::string_view palavra) const;
    // Stores the entry shown in `tela`, replacing the line at `posicao` when it
    // is 0 or more; returns the new line's index, or -1 when the key is empty.
    // tela.chave is left in display form.
    int GravarEntrada(int posicao, TelaEntrada& tela, const FichaEntrada& ficha);
    bool ExcluirEntrada(int indice);
    bool MostrarEntrada(int indice, TelaEntrada& tela, FichaEntrada& ficha) const;
    void Limpar();
    int Contagem() const { return static_cast<int>(linhas_.size()); }

    const std::vector<std::string>& Linhas() const { return linhas_; }
    // All lines sorted by unsigned bytes, each ended by CR LF: the compiler's input.
    std::string TextoCompilavel() const;

private:
    void Ordenar();
    std::vector<std::string> linhas_;
};

// The editor's list order: lines compared with letters folded to lower case
// (Windows-1252), then by bytes; deterministic, unlike a locale's collation.
bool AntesNaLista(const std::string& a, const std::string& b);

// Reads a source file and compiles it to `destino` (empty: CaminhoCompilado
// of the source). 0 success, 1 compile failure (already reported), 2 source
// unreadable (not reported).
int CompilarArquivoFonte(const std::string& fonte, const std::string& destino);

// Compiles several sources in priority order into `destino` (JuntarFontes:
// the first source holding a key wins). 0 success, 1 compile failure
// (already reported), 2 a source unreadable (not reported; its path is left
// in `ilegivel`).
int CompilarArquivosFonte(const std::vector<std::string>& fontes, const std::string& destino,
                          std::string& ilegivel);
