// A page's text in its own character set turned, as it arrives, into the
// Windows-1252 the engine reads; characters Windows-1252 lacks become
// numeric character references, so nothing is lost. Inside scripts and
// style sheets, where a character reference is not read as one, they become
// the escapes of those languages instead ("\u2603", "\2603 ").
#pragma once

#include <iconv.h>

#include <string>
#include <string_view>

class clConversorPagina {
public:
    // `charset` as the page names it (any case); empty or unknown: Windows-1252.
    explicit clConversorPagina(std::string_view charset);
    ~clConversorPagina();
    clConversorPagina(const clConversorPagina&) = delete;
    clConversorPagina& operator=(const clConversorPagina&) = delete;

    // Converts the next piece; a character cut between pieces is held back
    // until the next call. With `fim`, whatever is held back is flushed.
    std::string Converter(std::string_view pedaco, bool fim = false);

    // The character set the conversion reads, after aliases ("windows-1252",
    // "utf-8" or the iconv name).
    const std::string& Origem() const { return origem_; }

private:
    enum class Modo { Cp1252, Utf8, Iconv } modo_ = Modo::Cp1252;
    std::string origem_;
    std::string retido_;  // bytes of an unfinished character
    iconv_t iconv_ = reinterpret_cast<iconv_t>(-1);
    bool inicio_ = true;  // a byte-order mark may still come

    // Where the text stands, kept across pieces.
    enum class Trecho { Html, AberturaScript, AberturaEstilo, Script, Estilo } trecho_ = Trecho::Html;
    std::string janela_;  // the last few characters, lower case

    std::string ParaCp1252(const std::string& utf8);
    void Observar(char c);
};
