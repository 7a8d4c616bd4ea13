#include "conversao_web.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "cp1252.h"

namespace {

std::string Normalizar(std::string_view s)
{
    std::string r;
    for (char c : s)
        if (c != ' ' && c != '"' && c != '\'') r += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return r;
}

// The UTF-8 bytes of `dados` that end on a whole character; the start of an
// unfinished one goes to `retido`.
std::string SepararUtf8(std::string dados, std::string* retido)
{
    const std::size_t tam = dados.size();
    for (std::size_t k = 1; k <= 3 && k <= tam; ++k) {
        const auto b = static_cast<unsigned char>(dados[tam - k]);
        if ((b & 0xC0) == 0x80) continue;
        const std::size_t precisa = b >= 0xF0 ? 4 : b >= 0xE0 ? 3 : b >= 0xC0 ? 2 : 1;
        if (b >= 0xC0 && precisa > k) {
            *retido = dados.substr(tam - k);
            dados.resize(tam - k);
        }
        break;
    }
    return dados;
}

} // namespace

clConversorPagina::clConversorPagina(std::string_view charset)
{
    const std::string c = Normalizar(charset);
    // The web reads Latin-1 and ASCII labels as Windows-1252.
    if (c.empty() || c == "windows-1252" || c == "cp1252" || c == "iso-8859-1" || c == "iso8859-1" ||
        c == "latin1" || c == "l1" || c == "us-ascii" || c == "ascii" || c == "x-cp1252") {
        modo_ = Modo::Cp1252;
        origem_ = "windows-1252";
    } else if (c == "utf-8" || c == "utf8" || c == "unicode-1-1-utf-8") {
        modo_ = Modo::Utf8;
        origem_ = "utf-8";
    } else {
        iconv_ = iconv_open("UTF-8", c.c_str());
        if (iconv_ == reinterpret_cast<iconv_t>(-1)) {
            modo_ = Modo::Cp1252;
            origem_ = "windows-1252";
        } else {
            modo_ = Modo::Iconv;
            origem_ = c;
        }
    }
}

clConversorPagina::~clConversorPagina()
{
    if (iconv_ != reinterpret_cast<iconv_t>(-1)) iconv_close(iconv_);
}

std::string clConversorPagina::Converter(std::string_view pedaco, bool fim)
{
    if (modo_ == Modo::Cp1252) return std::string(pedaco);
    std::string dados = retido_ + std::string(pedaco);
    retido_.clear();
    std::string utf8;
    if (modo_ == Modo::Utf8) {
        utf8 = fim ? dados : SepararUtf8(std::move(dados), &retido_);
    } else {
        char* entrada = dados.data();
        std::size_t resta = dados.size();
        char saida[4096];
        while (resta > 0) {
            char* s = saida;
            std::size_t livre = sizeof saida;
            const std::size_t r = iconv(iconv_, &entrada, &resta, &s, &livre);
            utf8.append(saida, static_cast<std::size_t>(s - saida));
            if (r != static_cast<std::size_t>(-1)) break;
            if (errno == E2BIG) continue;
            if (errno == EINVAL && !fim) {  // cut between pieces
                retido_.assign(entrada, resta);
                break;
            }
            // An invalid byte: shown as the replacement character, then on.
            utf8 += "\xEF\xBF\xBD";
            ++entrada;
            --resta;
        }
    }
    if (inicio_ && !utf8.empty()) {
        if (utf8.rfind("\xEF\xBB\xBF", 0) == 0) utf8.erase(0, 3);
        inicio_ = utf8.empty() && !fim;
        if (utf8.empty()) return {};
    }
    return ParaCp1252(utf8);
}

void clConversorPagina::Observar(char c)
{
    const char m = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    janela_ += m;
    if (janela_.size() > 9) janela_.erase(0, janela_.size() - 9);
    auto termina = [this](const char* fim) {
        const std::size_t n = std::strlen(fim);
        return janela_.size() >= n && janela_.compare(janela_.size() - n, n, fim) == 0;
    };
    switch (trecho_) {
    case Trecho::Html:
        if (termina("<script")) trecho_ = Trecho::AberturaScript;
        else if (termina("<style")) trecho_ = Trecho::AberturaEstilo;
        break;
    case Trecho::AberturaScript:
    case Trecho::AberturaEstilo:
        if (m == '>') trecho_ = trecho_ == Trecho::AberturaScript ? Trecho::Script : Trecho::Estilo;
        break;
    case Trecho::Script:
        if (termina("</script")) trecho_ = Trecho::Html;
        break;
    case Trecho::Estilo:
        if (termina("</style")) trecho_ = Trecho::Html;
        break;
    }
}

std::string clConversorPagina::ParaCp1252(const std::string& utf8)
{
    std::string r;
    r.reserve(utf8.size());
    std::size_t i = 0;
    while (i < utf8.size()) {
        const auto b = static_cast<unsigned char>(utf8[i]);
        if (b < 0x80) {
            r += static_cast<char>(b);
            Observar(static_cast<char>(b));
            ++i;
            continue;
        }
        // One character (or one stray byte, which the conversion reads as
        // Windows-1252).
        std::size_t n = b >= 0xF0 ? 4 : b >= 0xE0 ? 3 : b >= 0xC0 ? 2 : 1;
        if (i + n > utf8.size()) n = 1;
        for (std::size_t k = 1; k < n; ++k)
            if ((static_cast<unsigned char>(utf8[i + k]) & 0xC0) != 0x80) n = 1;
        std::string c = Utf8ParaCp1252(std::string_view(utf8).substr(i, n), '\0');
        i += n;
        janela_.clear();
        if (c.size() > 1 && c[0] == '&' && (trecho_ == Trecho::Script || trecho_ == Trecho::Estilo)) {
            const unsigned long cp = std::strtoul(c.c_str() + 2, nullptr, 10);
            char esc[32];
            if (trecho_ == Trecho::Estilo) {
                std::snprintf(esc, sizeof esc, "\\%lX ", cp);
            } else if (cp > 0xFFFF) {
                const unsigned long v = cp - 0x10000;
                std::snprintf(esc, sizeof esc, "\\u%04lX\\u%04lX", 0xD800 + (v >> 10), 0xDC00 + (v & 0x3FF));
            } else {
                std::snprintf(esc, sizeof esc, "\\u%04lX", cp);
            }
            c = esc;
        }
        r += c;
    }
    return r;
}
