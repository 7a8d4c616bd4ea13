#include "cp1252.h"

#include <cstdint>

namespace {

// Unicode code points of 0x80–0x9F; the unassigned ones map to themselves.
constexpr std::uint16_t kAltos[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

void EscreverUtf8(std::string& saida, std::uint32_t c)
{
    if (c < 0x80) {
        saida += static_cast<char>(c);
    } else if (c < 0x800) {
        saida += static_cast<char>(0xC0 | (c >> 6));
        saida += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        saida += static_cast<char>(0xE0 | (c >> 12));
        saida += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        saida += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        saida += static_cast<char>(0xF0 | (c >> 18));
        saida += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        saida += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        saida += static_cast<char>(0x80 | (c & 0x3F));
    }
}

int ByteDeCodigo(std::uint32_t c)
{
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) return static_cast<int>(c);
    for (int i = 0; i < 32; ++i)
        if (kAltos[i] == c) return 0x80 + i;
    return -1;
}

} // namespace

std::string Cp1252ParaUtf8(std::string_view texto)
{
    std::string saida;
    saida.reserve(texto.size() + texto.size() / 8);
    for (unsigned char b : texto) {
        if (b >= 0x80 && b < 0xA0) EscreverUtf8(saida, kAltos[b - 0x80]);
        else EscreverUtf8(saida, b);
    }
    return saida;
}

std::string Utf8ParaCp1252(std::string_view texto, char substituto, std::size_t* trocados)
{
    std::string saida;
    saida.reserve(texto.size());
    std::size_t n = 0;
    for (std::size_t i = 0; i < texto.size();) {
        const auto b = static_cast<unsigned char>(texto[i]);
        std::uint32_t c = b;
        std::size_t len = 1;
        if (b >= 0xC2 && b <= 0xF4) {
            const std::size_t esperados = b < 0xE0 ? 2 : b < 0xF0 ? 3 : 4;
            std::uint32_t v = b & (0xFF >> (esperados + 1));
            std::size_t k = 1;
            for (; k < esperados && i + k < texto.size(); ++k) {
                const auto cont = static_cast<unsigned char>(texto[i + k]);
                if ((cont & 0xC0) != 0x80) break;
                v = (v << 6) | (cont & 0x3F);
            }
            const bool curta = (esperados == 3 && v < 0x800) || (esperados == 4 && v < 0x10000);
            if (k == esperados && !curta && v <= 0x10FFFF && !(v >= 0xD800 && v <= 0xDFFF)) {
                c = v;
                len = esperados;
            }
        }
        if (len == 1 && b >= 0x80) {
            // Not UTF-8: take the byte as Windows-1252 so nothing is lost.
            saida += static_cast<char>(b);
        } else {
            const int byte = ByteDeCodigo(c);
            if (byte >= 0) {
                saida += static_cast<char>(byte);
            } else {
                ++n;
                if (substituto) saida += substituto;
                else saida += "&#" + std::to_string(c) + ";";
            }
        }
        i += len;
    }
    if (trocados) *trocados = n;
    return saida;
}
