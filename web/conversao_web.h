// A page's text in its own character set turned, as it arrives, into the
// Windows-1252 the engine reads; characters Windows-1252 lacks become
// numeric character references, so nothing is lost.
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
};
