// The editor's rules that need no widget: which classes combine, which
// pages an entry shows, when a translation is conjugated, the search-order
// names, where the installation and the help page are, and the check of a
// source file before it replaces the open dictionary.
#pragma once

#include <array>
#include <functional>
#include <string>
#include <vector>

#include "fonte.h"

// The items of the class menu, in the menu's order.
enum ItemClasse {
    kClasseSubstantivo,
    kClasseAdjetivo,
    kClasseVerbo,
    kClasseAdverbio,
    kClasseInterjeicao,
    kClasseArtigo,
    kClasseConjuncao,
    kClassePreposicao,
    kClassePronome,
    kClasseVerboAuxiliar,
    kNumClasses
};

// The class flag of the record behind a menu item.
bool& FlagClasse(FichaEntrada& ficha, int item);
bool FlagClasse(const FichaEntrada& ficha, int item);

// Which class items can be checked together with the entry's classes.
std::array<bool, kNumClasses> ClassesHabilitadas(const FichaEntrada& ficha);

// The attribute pages, in the page control's order; Vazia is the page shown
// when the entry has no class page.
enum Pagina {
    kPaginaSubstantivo,
    kPaginaAdjetivo,
    kPaginaArtigo,
    kPaginaVerboIngles,
    kPaginaVerboPortugues,
    kPaginaPronome,
    kPaginaAvancado,
    kNumPaginas,
    kPaginaVazia = kNumPaginas
};

// Whether the selected translation (`selecionada`, -1 none) of an entry is
// conjugated on the page "Verbo Português".
bool ConjugaTraducao(const FichaEntrada& ficha, const std::vector<const FichaTraducao*>& traducoes, int selecionada);

// The pages available for an entry and the page that becomes active when
// `ativa` is not among them.
struct PaginasEntrada {
    std::array<bool, kNumPaginas> disponivel{};
    int ativa = kPaginaVazia;
};
PaginasEntrada CalcularPaginas(const FichaEntrada& ficha, int numTraducoes, bool conjuga, int ativa);

// Search order: the dictionary name of a chosen compiled file (no folder,
// cut at the first ".udc"); whether a list holds a name, letter case aside;
// the list read from and written to the "UserDic" text.
std::string NomeDicionario(const std::string& caminho);
bool ListaContem(const std::vector<std::string>& lista, const std::string& nome);
std::vector<std::string> LerListaUserDic(const std::string& texto);
std::string TextoUserDic(const std::vector<std::string>& lista);

// The installation folder: "DirRoot" of the settings store, else
// `instalada` (where an installed suite keeps the engine, beside the
// program) when it holds the engine, else `padrao` (the build's data folder).
std::string PastaInstalacao(const std::string& instalada, const std::string& padrao);

// Whether the user may create and replace files in `pasta` (as the system
// decides it: the superuser passes whatever the mode bits say).
bool PastaGravavel(const std::string& pasta);

// The folder the editor opens and saves dictionaries in: the installation's
// "dic" folder when `gravavel` says the user may write there (developer and
// test setups), else the user's own dictionary folder, created with its
// parents (new folders mode 0700). Stays with the installation's folder when
// the user has no own folder or it cannot be created.
std::string PastaDosDicionarios(const std::string& pastaInstalacao,
                                const std::function<bool(const std::string&)>& gravavel = PastaGravavel);

// The folders the engine looks for compiled dictionaries in, in its order:
// the user's own when it exists, then `pastaDic` (the installation's);
// a folder once.
std::vector<std::string> PastasDeBusca(const std::string& pastaDic);

// The help folder: QUILLANE_AJUDA_DIR, else `instalada` when it holds the
// page, else `padrao` (the source tree's).
std::string PastaAjuda(const std::string& instalada, const std::string& padrao);

// Reads a source file into `dic` only when it is sound; otherwise `dic` is
// left as it was and `erro` says why (Windows-1252).
bool CarregarFonteVerificada(const std::string& caminho, DicionarioFonte& dic, std::string& erro);
