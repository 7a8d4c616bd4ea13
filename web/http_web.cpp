#include "http_web.h"

#include <curl/curl.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <cstring>

namespace {

char Minuscula(char c) { return static_cast<char>(std::tolower(static_cast<unsigned char>(c))); }

std::string Minusculas(std::string_view s)
{
    std::string r(s);
    std::transform(r.begin(), r.end(), r.begin(), Minuscula);
    return r;
}

bool IguaisSemCaixa(std::string_view a, std::string_view b)
{
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (Minuscula(a[i]) != Minuscula(b[i])) return false;
    return true;
}

bool ComecaSemCaixa(std::string_view s, std::string_view inicio)
{
    return s.size() >= inicio.size() && IguaisSemCaixa(s.substr(0, inicio.size()), inicio);
}

std::string_view Aparar(std::string_view s)
{
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r')) s.remove_suffix(1);
    return s;
}

int ValorHex(char c)
{
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// The value of attribute `nome` inside one tag's text (lower case), or empty.
std::string AtributoDaEtiqueta(std::string_view etiqueta, std::string_view nome)
{
    auto espaco = [](char c) { return std::isspace(static_cast<unsigned char>(c)) || c == '/'; };
    std::size_t i = 0;
    while (i < etiqueta.size() && !espaco(etiqueta[i])) ++i;  // the tag's name
    while (i < etiqueta.size()) {
        while (i < etiqueta.size() && espaco(etiqueta[i])) ++i;
        const std::size_t inicio = i;
        while (i < etiqueta.size() && !espaco(etiqueta[i]) && etiqueta[i] != '=') ++i;
        const std::string_view atributo = etiqueta.substr(inicio, i - inicio);
        if (atributo.empty()) return {};
        while (i < etiqueta.size() && std::isspace(static_cast<unsigned char>(etiqueta[i]))) ++i;
        std::string_view valor;
        if (i < etiqueta.size() && etiqueta[i] == '=') {
            ++i;
            while (i < etiqueta.size() && std::isspace(static_cast<unsigned char>(etiqueta[i]))) ++i;
            if (i < etiqueta.size() && (etiqueta[i] == '"' || etiqueta[i] == '\'')) {
                const char aspa = etiqueta[i++];
                const std::size_t fim = std::min(etiqueta.find(aspa, i), etiqueta.size());
                valor = etiqueta.substr(i, fim - i);
                i = fim + 1;
            } else {
                const std::size_t v = i;
                while (i < etiqueta.size() && !std::isspace(static_cast<unsigned char>(etiqueta[i]))) ++i;
                valor = etiqueta.substr(v, i - v);
            }
        }
        if (atributo == nome) return std::string(valor);
    }
    return {};
}

// The charset named in a "type; charset=x" text (lower case already).
std::string CharsetEm(std::string_view texto)
{
    const auto p = texto.find("charset");
    if (p == std::string_view::npos) return {};
    std::size_t i = p + 7;
    while (i < texto.size() && texto[i] == ' ') ++i;
    if (i >= texto.size() || texto[i] != '=') return {};
    ++i;
    while (i < texto.size() && (texto[i] == ' ' || texto[i] == '"' || texto[i] == '\'')) ++i;
    std::size_t fim = i;
    while (fim < texto.size() && (std::isalnum(static_cast<unsigned char>(texto[fim])) || texto[fim] == '-' ||
                                  texto[fim] == '_' || texto[fim] == ':' || texto[fim] == '.'))
        ++fim;
    return std::string(texto.substr(i, fim - i));
}

} // namespace

const std::string* PedidoHttp::Cabecalho(std::string_view nome) const
{
    for (const auto& [n, v] : cabecalhos)
        if (IguaisSemCaixa(n, nome)) return &v;
    return nullptr;
}

LeituraPedido AnalisarPedido(std::string_view bytes, PedidoHttp* pedido)
{
    const auto fim = bytes.find("\r\n\r\n");
    if (fim == std::string_view::npos || fim + 4 > kTamMaxPedido)
        return bytes.size() >= kTamMaxPedido ? LeituraPedido::Grande : LeituraPedido::Incompleto;
    *pedido = PedidoHttp{};
    pedido->tamCabecalho = fim + 4;
    std::string_view texto = bytes.substr(0, fim + 2);
    auto linha = [&texto]() {
        const auto p = texto.find("\r\n");
        std::string_view l = texto.substr(0, p);
        texto.remove_prefix(p == std::string_view::npos ? texto.size() : p + 2);
        return l;
    };
    const std::string_view primeira = linha();
    const auto e1 = primeira.find(' ');
    const auto e2 = e1 == std::string_view::npos ? e1 : primeira.find(' ', e1 + 1);
    if (e1 == 0 || e2 == std::string_view::npos) return LeituraPedido::Invalido;
    pedido->metodo = std::string(primeira.substr(0, e1));
    pedido->alvo = std::string(primeira.substr(e1 + 1, e2 - e1 - 1));
    pedido->versao = std::string(primeira.substr(e2 + 1));
    if (pedido->versao.rfind("HTTP/", 0) != 0) return LeituraPedido::Invalido;
    for (char c : pedido->metodo)
        if (!std::isupper(static_cast<unsigned char>(c))) return LeituraPedido::Invalido;
    while (!texto.empty()) {
        const std::string_view l = linha();
        if (l.empty()) continue;
        const auto dois = l.find(':');
        if (dois == std::string_view::npos || dois == 0) return LeituraPedido::Invalido;
        pedido->cabecalhos.emplace_back(std::string(Aparar(l.substr(0, dois))), std::string(Aparar(l.substr(dois + 1))));
    }
    if (const std::string* tam = pedido->Cabecalho("Content-Length")) {
        char* f = nullptr;
        const unsigned long long n = std::strtoull(tam->c_str(), &f, 10);
        if (tam->empty() || !f || *f) return LeituraPedido::Invalido;
        pedido->tamCorpo = n > kTamMaxCorpo ? kTamMaxCorpo + 1 : static_cast<std::size_t>(n);
    }
    return LeituraPedido::Completo;
}

std::string ExtrairEndereco(std::string_view alvo)
{
    const auto barra = alvo.find('/');
    if (barra == std::string_view::npos) return {};
    std::string_view resto = alvo.substr(barra + 1);
    resto = resto.substr(0, resto.find(' '));
    for (std::string_view esquema : {"http:", "https:", "file:"}) {
        if (!ComecaSemCaixa(resto, esquema)) continue;
        const std::string_view depois = resto.substr(esquema.size());
        if (depois.size() >= 2 && depois[0] == '/' && depois[1] == '/') return std::string(resto);
        if (!depois.empty() && depois[0] == '/') {  // a browser or proxy folded the slashes
            // A local path is absolute: "file:/home/a" is "file:///home/a".
            if (esquema == "file:") return "file://" + std::string(depois);
            return std::string(esquema) + "/" + std::string(depois);
        }
        return std::string(resto);
    }
    return std::string(resto);
}

Esquema EsquemaDe(std::string_view endereco)
{
    if (ComecaSemCaixa(endereco, "http://")) return Esquema::Http;
    if (ComecaSemCaixa(endereco, "https://")) return Esquema::Https;
    if (ComecaSemCaixa(endereco, "file:")) return Esquema::Arquivo;
    return Esquema::Nenhum;
}

bool HostPermitido(std::string_view host, int porta)
{
    host = Aparar(host);
    std::string_view nome = host;
    std::string_view portaTexto;
    if (!host.empty() && host.front() == '[') {
        const auto fecha = host.find(']');
        if (fecha == std::string_view::npos) return false;
        nome = host.substr(0, fecha + 1);
        const std::string_view resto = host.substr(fecha + 1);
        if (!resto.empty()) {
            if (resto.front() != ':') return false;
            portaTexto = resto.substr(1);
        }
    } else if (const auto dois = host.rfind(':'); dois != std::string_view::npos) {
        nome = host.substr(0, dois);
        portaTexto = host.substr(dois + 1);
    }
    if (!(nome == "127.0.0.1" || IguaisSemCaixa(nome, "localhost") || nome == "[::1]")) return false;
    if (portaTexto.empty()) return porta == 80;
    if (portaTexto.size() > 5) return false;
    int p = 0;
    for (char c : portaTexto) {
        if (c < '0' || c > '9') return false;
        p = p * 10 + (c - '0');
    }
    return p == porta;
}

bool NavegacaoDeTopo(const PedidoHttp& pedido)
{
    const std::string* modo = pedido.Cabecalho("Sec-Fetch-Mode");
    const std::string* destino = pedido.Cabecalho("Sec-Fetch-Dest");
    if (modo && !IguaisSemCaixa(*modo, "navigate")) return false;
    if (destino && !IguaisSemCaixa(*destino, "document")) return false;
    return true;
}

std::vector<std::string> CabecalhosEncaminhados(const PedidoHttp& pedido)
{
    static const char* const kRetidos[] = {
        // the proxy's own address, and what libcurl does itself
        "host", "accept-encoding", "content-length", "expect",
        // hop by hop
        "connection", "keep-alive", "upgrade", "te", "trailer", "transfer-encoding",
        // a translated body is not the server's: no ranges, no revalidation
        "range", "if-range", "if-modified-since", "if-none-match", "if-match", "if-unmodified-since",
        // they describe the proxy's origin, which every page shares
        "cookie", "authorization", "origin", "referer",
    };
    std::vector<std::string> r;
    for (const auto& [nome, valor] : pedido.cabecalhos) {
        const std::string n = Minusculas(nome);
        if (n.rfind("proxy-", 0) == 0 || n.rfind("sec-fetch-", 0) == 0) continue;
        if (std::any_of(std::begin(kRetidos), std::end(kRetidos), [&n](const char* x) { return n == x; })) continue;
        r.push_back(nome + ": " + valor);
    }
    return r;
}

std::string TipoPorNome(std::string_view caminho)
{
    static const std::pair<const char*, const char*> kTipos[] = {
        {"html", "text/html"},       {"htm", "text/html"},        {"xhtml", "application/xhtml+xml"},
        {"txt", "text/plain"},       {"css", "text/css"},         {"js", "text/javascript"},
        {"png", "image/png"},        {"gif", "image/gif"},        {"jpg", "image/jpeg"},
        {"jpeg", "image/jpeg"},      {"svg", "image/svg+xml"},    {"ico", "image/x-icon"},
        {"webp", "image/webp"},      {"pdf", "application/pdf"},
    };
    const auto barra = caminho.rfind('/');
    const std::string_view nome = barra == std::string_view::npos ? caminho : caminho.substr(barra + 1);
    const auto ponto = nome.rfind('.');
    if (ponto != std::string_view::npos) {
        const std::string ext = Minusculas(nome.substr(ponto + 1));
        for (const auto& [e, t] : kTipos)
            if (ext == e) return t;
    }
    return "application/octet-stream";
}

std::string CaminhoLocal(std::string_view endereco)
{
    if (!ComecaSemCaixa(endereco, "file:")) return {};
    std::string_view resto = endereco.substr(5);
    if (resto.substr(0, 2) == "//") {
        resto.remove_prefix(2);
        // file://host/path: only this machine is served
        const auto barra = resto.find('/');
        if (barra == std::string_view::npos) return {};
        const std::string_view host = resto.substr(0, barra);
        if (!host.empty() && !IguaisSemCaixa(host, "localhost")) return {};
        resto.remove_prefix(barra);
    }
    if (resto.empty() || resto.front() != '/') return {};
    resto = resto.substr(0, resto.find_first_of("?#"));
    std::string caminho;
    for (std::size_t i = 0; i < resto.size(); ++i) {
        if (resto[i] == '%' && i + 2 < resto.size() + 0 && ValorHex(resto[i + 1]) >= 0 && ValorHex(resto[i + 2]) >= 0) {
            const char c = static_cast<char>(ValorHex(resto[i + 1]) * 16 + ValorHex(resto[i + 2]));
            if (c == '\0') return {};
            caminho += c;
            i += 2;
        } else {
            caminho += resto[i];
        }
    }
    return caminho;
}

std::string ReescreverLocalizacao(std::string_view localizacao, std::string_view enderecoPagina,
                                  std::string_view prefixo)
{
    const std::string_view loc = Aparar(localizacao);
    // Already in the proxy's form (the server built it from our address).
    if (loc.substr(0, prefixo.size()) == prefixo) return std::string(loc);
    std::string absoluto;
    if (ComecaSemCaixa(loc, "http://") || ComecaSemCaixa(loc, "https://")) {
        absoluto = std::string(loc);
    } else {
        CURLU* u = curl_url();
        if (!u) return std::string(loc);
        const std::string base(enderecoPagina), relativo(loc);
        char* pronto = nullptr;
        if (curl_url_set(u, CURLUPART_URL, base.c_str(), 0) == CURLUE_OK &&
            curl_url_set(u, CURLUPART_URL, relativo.c_str(), 0) == CURLUE_OK &&
            curl_url_get(u, CURLUPART_URL, &pronto, 0) == CURLUE_OK && pronto)
            absoluto = pronto;
        curl_free(pronto);
        curl_url_cleanup(u);
        if (absoluto.empty()) return std::string(loc);
    }
    if (EsquemaDe(absoluto) != Esquema::Http && EsquemaDe(absoluto) != Esquema::Https) return absoluto;
    return std::string(prefixo) + absoluto;
}

bool EhHtml(std::string_view tipo)
{
    tipo = Aparar(tipo);
    if (!ComecaSemCaixa(tipo, "text/html")) return false;
    const std::string_view resto = Aparar(tipo.substr(9));
    return resto.empty() || resto.front() == ';';
}

std::string CharsetDoTipo(std::string_view tipo) { return CharsetEm(Minusculas(tipo)); }

std::string CharsetDoDocumento(std::string_view inicio)
{
    if (inicio.substr(0, 3) == "\xEF\xBB\xBF") return "utf-8";
    if (inicio.substr(0, 2) == "\xFF\xFE") return "utf-16le";
    if (inicio.substr(0, 2) == "\xFE\xFF") return "utf-16be";
    const std::string texto = Minusculas(inicio.substr(0, 1024));
    std::size_t i = 0;
    while ((i = texto.find("<meta", i)) != std::string::npos) {
        const auto fim = texto.find('>', i);
        const std::string_view etiqueta =
            std::string_view(texto).substr(i, fim == std::string::npos ? std::string::npos : fim - i);
        std::string c = AtributoDaEtiqueta(etiqueta, "charset");
        if (c.empty() && AtributoDaEtiqueta(etiqueta, "http-equiv") == "content-type")
            c = CharsetEm(AtributoDaEtiqueta(etiqueta, "content"));
        if (!c.empty()) return c;
        i += 5;
    }
    return {};
}

std::string EscaparHtml(std::string_view texto)
{
    std::string r;
    for (char c : texto) {
        switch (c) {
        case '<': r += "&lt;"; break;
        case '>': r += "&gt;"; break;
        case '&': r += "&amp;"; break;
        case '"': r += "&quot;"; break;
        case '\'': r += "&#39;"; break;
        default: r += c;
        }
    }
    return r;
}

std::string FraseDeStatus(int status)
{
    switch (status) {
    case 200: return "OK";
    case 201: return "Created";
    case 202: return "Accepted";
    case 204: return "No Content";
    case 206: return "Partial Content";
    case 301: return "Moved Permanently";
    case 302: return "Found";
    case 303: return "See Other";
    case 304: return "Not Modified";
    case 307: return "Temporary Redirect";
    case 308: return "Permanent Redirect";
    case 400: return "Bad Request";
    case 401: return "Unauthorized";
    case 403: return "Forbidden";
    case 404: return "Not Found";
    case 405: return "Method Not Allowed";
    case 410: return "Gone";
    case 413: return "Content Too Large";
    case 414: return "URI Too Long";
    case 429: return "Too Many Requests";
    case 431: return "Request Header Fields Too Large";
    case 500: return "Internal Server Error";
    case 501: return "Not Implemented";
    case 502: return "Bad Gateway";
    case 503: return "Service Unavailable";
    case 504: return "Gateway Timeout";
    default: return "Status";
    }
}

std::string CabecalhoResposta(int status, std::string_view tipo, const std::vector<std::string>& extras)
{
    std::string r = "HTTP/1.0 " + std::to_string(status) + " " + FraseDeStatus(status) + "\r\n";
    if (!tipo.empty()) r += "Content-Type: " + std::string(tipo) + "\r\n";
    for (const auto& e : extras) r += e + "\r\n";
    // Every page shares the proxy's origin; the sandbox gives each one an
    // opaque origin of its own, so no page reads another or the local
    // files through the proxy. Scripts, forms and pop-ups keep working.
    r += "Content-Security-Policy: sandbox allow-scripts allow-forms allow-popups allow-modals allow-downloads\r\n"
         "X-Content-Type-Options: nosniff\r\n"
         "Referrer-Policy: no-referrer\r\n"
         "Connection: close\r\n\r\n";
    return r;
}

std::string RespostaErro(int status, std::string_view titulo, std::string_view explicacao)
{
    return CabecalhoResposta(status, "text/html; charset=utf-8") +
           "<!DOCTYPE html>\n<html lang=\"pt\"><head><meta charset=\"utf-8\"><title>" + std::string(titulo) +
           "</title></head>\n<body><h1>" + std::string(titulo) + "</h1>\n<p>" + std::string(explicacao) +
           "</p></body></html>\n";
}
