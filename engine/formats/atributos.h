// Attribute values of HTML tags: finding them in a tag text, and making
// addresses absolute against the page's own address, links to pages going
// behind the web proxy's link prefix so that navigation stays translated.
//
// A tag text is a zero-terminated text in which every blank has become a
// space. Nothing here writes past the buffer sizes it is given.
#pragma once

#include <cstddef>

// The tag buffer of the HTML translator: it holds a tag read whole (up to
// 1,529 bytes after its name) and the growth of rewriting its addresses.
constexpr std::size_t kTamEtiqueta = 3060;
// Attribute values, paths and new addresses.
constexpr std::size_t kTamValor = 1530;

// Where an item stands in the tag text.
struct clItemEtiqueta {
    char* posicao = nullptr;   // its first byte (after the opening quote)
    std::size_t ocupado = 0;   // bytes it occupies there, quotes not counted
    bool cortado = false;      // it did not fit the item buffer and was cut
    bool comValor = false;     // ValorAtributo: the attribute has a value
};

// The next item of a tag text from `cursor` (a name, a value, or a single
// delimiter such as "="), copied into `item` (at most tamItem - 1 bytes).
// Advances the cursor; returns the item's position, nullptr when there is none.
char* ProximoItemEtiqueta(char*& cursor, char* item, std::size_t tamItem, clItemEtiqueta* info = nullptr);

// Finds the attribute `nome` (any case). With a value: copies it into `valor`
// and returns its position. Present without a value: returns the position of
// the name, `valor` is left empty and info->comValor is false. Absent: nullptr.
char* ValorAtributo(char* etiqueta, const char* nome, char* valor, std::size_t tamValor,
                    clItemEtiqueta* info = nullptr);

// Removes every attribute `nome` (any case), with its value and the blanks
// before it, from the tag text. False when there was none.
bool RemoverAtributo(char* etiqueta, const char* nome);

enum TipoEndereco {
    ENDERECO_PAGINA,   // a link to a page: goes behind the link prefix
    ENDERECO_RECURSO,  // an image or other resource: only made absolute
};

// The address to write for the value `valor` of an address attribute, on the
// page `urlPagina` with the link prefix `prefixo`. False when the value is to
// stay as it stands (other schemes, addresses already absolute that are not
// pages, links inside the page, no directory to resolve against, or a result
// longer than tamNovo - 1 bytes).
bool NovoEndereco(const char* valor, TipoEndereco tipo, const char* prefixo, const char* urlPagina, char* novo,
                  std::size_t tamNovo);

// Rewrites the address held in attribute `atributo` of the tag text in place.
// A null prefix or page address leaves it unchanged. False when nothing was
// changed, including when the new address would not fit tamEtiqueta.
bool ReescreverEndereco(char* etiqueta, std::size_t tamEtiqueta, const char* atributo, TipoEndereco tipo,
                        const char* prefixo, const char* urlPagina);

// Puts `novo` in place of `quantos` bytes at `posicao` of `texto`, when the
// result fits `tam` bytes with its terminator; false (text unchanged) otherwise.
bool TrocarSeCouber(char* texto, std::size_t tam, char* posicao, std::size_t quantos, const char* novo);

// Frame sources: listaFontes receives, from its fifth byte on, the rewritten
// source of each frame followed by a line feed. Give it at least this much.
constexpr std::size_t kTamListaFontes = 4 + kTamEtiqueta + 1;
