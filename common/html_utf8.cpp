#include "html_utf8.h"

#include "cp1252.h"

namespace {

constexpr std::size_t kDigitos = 8;

bool Digito(char c) { return c >= '0' && c <= '9'; }

bool CodigoValido(std::uint32_t c) { return c > 0 && c <= 0x10FFFF && !(c >= 0xD800 && c <= 0xDFFF); }

} // namespace

int ByteWindows1252(std::uint32_t c)
{
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) return static_cast<int>(c);
    static const std::u32string altos = [] {
        std::u32string t;
        for (int b = 0x80; b < 0xA0; ++b) {
            // The UTF-8 form of each byte of 0x80-0x9F, decoded back.
            const std::string u = Cp1252ParaUtf8(std::string(1, static_cast<char>(b)));
            std::uint32_t v = static_cast<unsigned char>(u[0]) & (u.size() == 2 ? 0x1F : 0x0F);
            for (std::size_t i = 1; i < u.size(); ++i) v = (v << 6) | (static_cast<unsigned char>(u[i]) & 0x3F);
            t += static_cast<char32_t>(v);
        }
        return t;
    }();
    const auto p = altos.find(static_cast<char32_t>(c));
    return p == std::u32string::npos ? -1 : static_cast<int>(0x80 + p);
}

namespace {

// Decodes one UTF-8 character at `i`; its length in `tam`, or -1 (and tam 1)
// when the bytes there are not UTF-8.
long LerUtf8(std::string_view t, std::size_t i, std::size_t* tam)
{
    *tam = 1;
    const auto b = static_cast<unsigned char>(t[i]);
    if (b < 0x80) return b;
    if (b < 0xC2 || b > 0xF4) return -1;
    const std::size_t esperados = b < 0xE0 ? 2 : b < 0xF0 ? 3 : 4;
    std::uint32_t v = b & (0xFF >> (esperados + 1));
    for (std::size_t k = 1; k < esperados; ++k) {
        if (i + k >= t.size()) return -1;
        const auto cont = static_cast<unsigned char>(t[i + k]);
        if ((cont & 0xC0) != 0x80) return -1;
        v = (v << 6) | (cont & 0x3F);
    }
    if ((esperados == 3 && v < 0x800) || (esperados == 4 && v < 0x10000) || !CodigoValido(v)) return -1;
    *tam = esperados;
    return static_cast<long>(v);
}

void EscreverUtf8(std::string& s, std::uint32_t c)
{
    if (c < 0x80) {
        s += static_cast<char>(c);
    } else if (c < 0x800) {
        s += static_cast<char>(0xC0 | (c >> 6));
        s += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        s += static_cast<char>(0xE0 | (c >> 12));
        s += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        s += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        s += static_cast<char>(0xF0 | (c >> 18));
        s += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        s += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        s += static_cast<char>(0x80 | (c & 0x3F));
    }
}

// Whether the end of `t` from `pos` on could still become a reference of the
// edge's spelling once more bytes arrive.
bool ComecoDeReferencia(std::string_view t, std::size_t pos)
{
    const std::string_view resto = t.substr(pos);
    if (resto.size() >= kTamReferenciaHtml) return false;
    for (std::size_t i = 0; i < resto.size(); ++i) {
        const char c = resto[i];
        const bool ok = i == 0 ? c == '&' : i == 1 ? c == '#' : i == 2 ? c == '0' : i < 2 + kDigitos ? Digito(c) : c == ';';
        if (!ok) return false;
    }
    return true;
}

} // namespace

std::string ReferenciaHtml(std::uint32_t c)
{
    std::string s = "&#";
    const std::string n = std::to_string(c);
    s.append(kDigitos > n.size() ? kDigitos - n.size() : 0, '0');
    s += n;
    s += ';';
    return s;
}

long LerReferenciaHtml(std::string_view t, std::size_t pos)
{
    if (pos + kTamReferenciaHtml > t.size() || t[pos] != '&' || t[pos + 1] != '#' || t[pos + 2] != '0' ||
        t[pos + 2 + kDigitos] != ';')
        return -1;
    std::uint32_t v = 0;
    for (std::size_t i = 0; i < kDigitos; ++i) {
        const char c = t[pos + 2 + i];
        if (!Digito(c)) return -1;
        v = v * 10 + static_cast<std::uint32_t>(c - '0');
    }
    return CodigoValido(v) ? static_cast<long>(v) : -1;
}

std::string Utf8ParaHtmlCp1252(std::string_view t, std::size_t* invalidos)
{
    std::string s;
    s.reserve(t.size());
    std::size_t ruins = 0;
    for (std::size_t i = 0; i < t.size();) {
        std::size_t tam = 1;
        const long c = LerUtf8(t, i, &tam);
        if (c < 0) {
            ++ruins;
            s += t[i];
        } else if (c == '&' && LerReferenciaHtml(t, i) >= 0) {
            s += ReferenciaHtml('&');
        } else if (const int b = ByteWindows1252(static_cast<std::uint32_t>(c)); b >= 0) {
            s += static_cast<char>(b);
        } else {
            s += ReferenciaHtml(static_cast<std::uint32_t>(c));
        }
        i += tam;
    }
    if (invalidos) *invalidos = ruins;
    return s;
}

std::string clHtmlParaUtf8::Converter(std::string_view cp1252)
{
    std::string t = retido;
    t.append(cp1252);
    retido.clear();
    std::size_t fim = t.size();
    // A reference cut at the end waits for the rest. Only the last "&" can
    // start one: the bytes of a reference hold no other.
    if (const std::size_t p = t.rfind('&'); p != std::string::npos && ComecoDeReferencia(t, p)) {
        retido = t.substr(p);
        fim = p;
    }
    std::string s;
    s.reserve(fim + fim / 8);
    std::size_t inicio = 0;
    for (std::size_t i = 0; i < fim; ++i) {
        if (t[i] != '&') continue;
        const long c = LerReferenciaHtml(std::string_view(t.data(), fim), i);
        if (c < 0) continue;
        s += Cp1252ParaUtf8(std::string_view(t).substr(inicio, i - inicio));
        EscreverUtf8(s, static_cast<std::uint32_t>(c));
        i += kTamReferenciaHtml - 1;
        inicio = i + 1;
    }
    s += Cp1252ParaUtf8(std::string_view(t).substr(inicio, fim - inicio));
    return s;
}

std::string clHtmlParaUtf8::Terminar()
{
    const std::string s = Cp1252ParaUtf8(retido);
    retido.clear();
    return s;
}

std::string HtmlCp1252ParaUtf8(std::string_view cp1252)
{
    clHtmlParaUtf8 conversor;
    std::string s = conversor.Converter(cp1252);
    return s + conversor.Terminar();
}
