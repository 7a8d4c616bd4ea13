// The round trip of HTML between UTF-8 (pages, terminals) and the engine's
// Windows-1252. A character Windows-1252 lacks is handed to the engine as a
// numeric character reference in a spelling real pages hardly use, eight
// decimal digits with a leading zero ("&#00008594;" for U+2192). The HTML
// translator keeps every numeric reference whole, in text, attributes,
// scripts and style sheets alike, and on the way back the edge turns that
// spelling into the character again, so a page keeps its characters even
// where a reference would not be decoded (inside <script> and <style>).
// Digits only, so no capitalisation the engine applies can change it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

// The Windows-1252 byte of code point `c`, or -1 when it has none.
int ByteWindows1252(std::uint32_t c);

// Length of the reference written for a character: "&#", eight digits, ";".
constexpr std::size_t kTamReferenciaHtml = 11;

// The reference the edge writes for code point `c`.
std::string ReferenciaHtml(std::uint32_t c);

// If `texto` holds at `pos` a reference of the edge's spelling for a valid
// code point, its code point; otherwise -1.
long LerReferenciaHtml(std::string_view texto, std::size_t pos);

// UTF-8 to Windows-1252 for the HTML translator: characters outside
// Windows-1252 become references of the edge's spelling; an "&" that would
// start such a reference in the page is itself written as one, so the page
// comes back byte for byte. Bytes that are not UTF-8 are taken as
// Windows-1252 and counted in `invalidos`, when given.
std::string Utf8ParaHtmlCp1252(std::string_view utf8, std::size_t* invalidos = nullptr);

// Windows-1252 HTML from the engine to UTF-8, the edge's references turned
// back into their characters. Fed in pieces: a reference cut between two
// pieces is held back until the next one; Terminar hands over what is held.
class clHtmlParaUtf8 {
public:
    std::string Converter(std::string_view cp1252);
    std::string Terminar();

private:
    std::string retido;
};

// The whole text at once.
std::string HtmlCp1252ParaUtf8(std::string_view cp1252);
