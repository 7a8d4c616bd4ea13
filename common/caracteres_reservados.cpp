#include "caracteres_reservados.h"

namespace {

constexpr unsigned char kMarca = 0x81;
constexpr unsigned char kDigitos[4] = {0x8D, 0x8F, 0x90, 0x9D};

// Unicode code points of 0x80-0x9F; 0 for the unassigned bytes.
constexpr std::uint16_t kAltos[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
    0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178,
};

int Digito(unsigned char b)
{
    for (int i = 0; i < 4; ++i)
        if (kDigitos[i] == b) return i;
    return -1;
}

// The Windows-1252 byte of a code point, or -1.
int ByteDe(std::uint32_t c)
{
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) return static_cast<int>(c);
    for (int i = 0; i < 32; ++i)
        if (kAltos[i] != 0 && kAltos[i] == c) return 0x80 + i;
    return -1;
}

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

// Length of the UTF-8 sequence a lead byte announces; 0 for a byte that
// cannot start one.
std::size_t Anunciados(unsigned char b)
{
    if (b < 0x80) return 1;
    if (b >= 0xC2 && b <= 0xDF) return 2;
    if (b >= 0xE0 && b <= 0xEF) return 3;
    if (b >= 0xF0 && b <= 0xF4) return 4;
    return 0;
}

} // namespace

bool ByteReservado(unsigned char b) { return b == kMarca || Digito(b) >= 0; }

void clCaracteresReservados::Reservar(std::string& saida, std::uint32_t codigo)
{
    std::size_t n = codigos_.size();
    codigos_.push_back(codigo);
    char digitos[32];
    int k = 0;
    do {
        digitos[k++] = static_cast<char>(kDigitos[n % 4]);
        n /= 4;
    } while (n > 0 && k < 32);
    saida += static_cast<char>(kMarca);
    while (k > 0) saida += digitos[--k];
}

std::string clCaracteresReservados::Guardar(std::string_view bloco, bool fim)
{
    std::string dados = retidoEntrada_;
    dados.append(bloco);
    retidoEntrada_.clear();
    std::string saida;
    saida.reserve(dados.size());
    std::size_t i = 0;
    while (i < dados.size()) {
        const auto b = static_cast<unsigned char>(dados[i]);
        const std::size_t esperados = Anunciados(b);
        if (esperados == 1) {
            saida += static_cast<char>(b);
            ++i;
            continue;
        }
        if (esperados > 1 && i + esperados > dados.size() && !fim) {
            // Perhaps the rest of the character is in the next piece.
            bool prefixo = true;
            for (std::size_t k = i + 1; k < dados.size(); ++k)
                prefixo = prefixo && (static_cast<unsigned char>(dados[k]) & 0xC0) == 0x80;
            if (prefixo) {
                retidoEntrada_ = dados.substr(i);
                break;
            }
        }
        std::uint32_t c = 0;
        bool valido = esperados > 1 && i + esperados <= dados.size();
        if (valido) {
            c = b & (0xFFu >> (esperados + 1));
            for (std::size_t k = 1; k < esperados; ++k) {
                const auto cont = static_cast<unsigned char>(dados[i + k]);
                if ((cont & 0xC0) != 0x80) {
                    valido = false;
                    break;
                }
                c = (c << 6) | (cont & 0x3F);
            }
            if (valido && ((esperados == 3 && c < 0x800) || (esperados == 4 && c < 0x10000) || c > 0x10FFFF ||
                           (c >= 0xD800 && c <= 0xDFFF)))
                valido = false;
        }
        if (!valido) {
            ++invalidos_;
            Reservar(saida, kByteCru + b);
            ++i;
            continue;
        }
        const int byte = ByteDe(c);
        if (byte >= 0) {
            saida += static_cast<char>(byte);
        } else {
            ++guardados_;
            Reservar(saida, c);
        }
        i += esperados;
    }
    return saida;
}

std::string clCaracteresReservados::Restaurar(std::string_view bloco, bool fim)
{
    std::string dados = retidoSaida_;
    dados.append(bloco);
    retidoSaida_.clear();
    std::string saida;
    saida.reserve(dados.size() + dados.size() / 8);
    std::size_t i = 0;
    while (i < dados.size()) {
        const auto b = static_cast<unsigned char>(dados[i]);
        if (b != kMarca) {
            if (Digito(b) >= 0) {
                // A digit without its mark: not of ours, so it is the C1
                // control of that number.
                EscreverUtf8(saida, b);
            } else if (b >= 0x80 && b < 0xA0) {
                EscreverUtf8(saida, kAltos[b - 0x80]);
            } else {
                EscreverUtf8(saida, b);
            }
            ++i;
            continue;
        }
        std::size_t j = i + 1;
        std::uint64_t n = 0;
        while (j < dados.size() && Digito(static_cast<unsigned char>(dados[j])) >= 0 && j - i <= 20) {
            n = n * 4 + static_cast<std::uint64_t>(Digito(static_cast<unsigned char>(dados[j])));
            ++j;
        }
        if (j == dados.size() && !fim) {
            retidoSaida_ = dados.substr(i);
            break;
        }
        if (j == i + 1 || n >= codigos_.size()) {
            EscreverUtf8(saida, 0xFFFD);  // a placeholder cut by the translation
        } else {
            const std::uint32_t c = codigos_[static_cast<std::size_t>(n)];
            if (c >= kByteCru) saida += static_cast<char>(c - kByteCru);
            else EscreverUtf8(saida, c);
        }
        i = j;
    }
    return saida;
}
