#include "formats/atributos.h"

#include <cstring>

#include "caracteres.h"
#include "formats/html.h"

namespace {

bool IguaisSemCaixa(const char* a, const char* b)
{
    for (; *a && *b; ++a, ++b)
        if (Minuscula(*a) != Minuscula(*b)) return false;
    return *a == *b;
}

bool ComecaSemCaixa(const char* texto, const char* inicio)
{
    for (; *inicio; ++texto, ++inicio)
        if (!*texto || Minuscula(*texto) != Minuscula(*inicio)) return false;
    return true;
}

bool TerminaSemCaixa(const char* texto, const char* fim)
{
    const std::size_t t = std::strlen(texto);
    const std::size_t f = std::strlen(fim);
    return f <= t && IguaisSemCaixa(texto + t - f, fim);
}

// A text built in a fixed buffer; once something did not fit it stays
// marked, so a cut address is never used.
class clMontagem {
public:
    clMontagem(char* b, std::size_t t) : buffer(b), tam(t) { buffer[0] = '\0'; }
    void Acrescentar(const char* s)
    {
        const std::size_t k = std::strlen(s);
        if (n + k + 1 > tam) {
            estourou = true;
            return;
        }
        std::memcpy(buffer + n, s, k + 1);
        n += k;
    }
    bool Estourou() const { return estourou; }

private:
    char* buffer;
    std::size_t tam;
    std::size_t n = 0;
    bool estourou = false;
};

// The later of the last "/" and the last "\" at or after `inicio`.
char* UltimaBarra(char* inicio)
{
    char* a = std::strrchr(inicio, '/');
    char* b = std::strrchr(inicio, '\\');
    return a > b ? a : b;
}

void TirarInicio(char* texto, std::size_t quantos)
{
    const std::size_t t = std::strlen(texto);
    MoverTexto(texto, texto + (quantos < t ? quantos : t));
}

const char* const kEsquemasMantidos[] = {"ftp://", "mailto:", "news:", "gopher://", "telnet:", "javascript:",
                                         "vbscript:"};
const char* const kExtensoesPagina[] = {".htm", ".html", ".shtml", ".asp", ".ixe", ".shl", ".js", ".pl", ".dll",
                                        ".exe"};

} // namespace

char* ProximoItemEtiqueta(char*& cursor, char* item, std::size_t tamItem, clItemEtiqueta* info)
{
    if (tamItem) item[0] = '\0';
    if (info) {
        info->posicao = nullptr;
        info->ocupado = 0;
        info->cortado = false;
    }
    char* p = cursor;
    if (*p == '<') {
        while (*p && *p != ' ') ++p;
        if (!*p) {
            cursor = p;
            return nullptr;
        }
    }
    while (*p == ' ') ++p;
    cursor = p;
    if (!*p) return nullptr;

    char* const inicio = p;
    char aspa = 0;
    const char c = *p;
    if (NoConjunto(DELIMITADORES, static_cast<unsigned char>(c))) {
        if (c == '"' || c == '\'') {
            aspa = c;
            ++p;
        } else if (c == '>') {
            return nullptr;
        } else if (c != '.') {
            if (tamItem > 1) {
                item[0] = c;
                item[1] = '\0';
            }
            if (info) {
                info->posicao = p;
                info->ocupado = 1;
                info->cortado = tamItem < 2;
            }
            cursor = p + 1;
            return p;
        }
    }

    char* const valor = p;
    std::size_t n = 0;
    bool cortado = false;
    auto guardar = [&](char b) {
        if (n + 1 < tamItem) item[n++] = b;
        else cortado = true;
    };
    char* fimValor = nullptr;
    while (*p) {
        if (aspa == '"') {
            if (*p == '"') {
                fimValor = p++;
                break;
            }
            guardar(*p++);
        } else if (aspa == '\'') {
            if (*p == '\'') {
                fimValor = p++;
                break;
            }
            if (*p == '\\' && p[1] == '\'') {
                guardar('`');
                p += 2;
                continue;
            }
            guardar(*p++);
        } else {
            if (std::strchr(" ='\">", *p)) break;
            guardar(*p++);
        }
    }
    if (!fimValor) fimValor = p;
    if (p == inicio) return nullptr;
    if (tamItem) item[n] = '\0';
    cursor = p;
    if (info) {
        info->posicao = valor;
        info->ocupado = static_cast<std::size_t>(fimValor - valor);
        info->cortado = cortado;
    }
    return valor;
}

char* ValorAtributo(char* etiqueta, const char* nome, char* valor, std::size_t tamValor, clItemEtiqueta* info)
{
    if (tamValor) valor[0] = '\0';
    if (info) *info = clItemEtiqueta{};
    char item[kTamValor];
    char* cursor = etiqueta;
    char* posNome = nullptr;
    while (true) {
        posNome = ProximoItemEtiqueta(cursor, item, sizeof item);
        if (!posNome) return nullptr;
        if (IguaisSemCaixa(item, nome)) break;
    }
    if (info) info->posicao = posNome;
    char* seguinte = cursor;
    if (!ProximoItemEtiqueta(seguinte, item, sizeof item) || std::strcmp(item, "=") != 0) return posNome;
    clItemEtiqueta achado;
    char* pos = ProximoItemEtiqueta(seguinte, valor, tamValor, &achado);
    if (!pos) return posNome;
    if (info) {
        *info = achado;
        info->comValor = true;
    }
    return pos;
}

bool RemoverAtributo(char* etiqueta, const char* nome)
{
    bool removido = false;
    char item[kTamValor];
    char* cursor = etiqueta;
    bool valor = false;  // the item after "=" is a value, never a name
    while (char* posicao = ProximoItemEtiqueta(cursor, item, sizeof item)) {
        if (std::strcmp(item, "=") == 0 && *posicao == '=') {
            valor = true;
            continue;
        }
        const bool eraValor = valor;
        valor = false;
        if (eraValor || !IguaisSemCaixa(item, nome)) continue;
        char* fim = cursor;
        char* seguinte = cursor;
        if (ProximoItemEtiqueta(seguinte, item, sizeof item) && std::strcmp(item, "=") == 0) {
            fim = seguinte;
            if (ProximoItemEtiqueta(seguinte, item, sizeof item)) fim = seguinte;
        }
        char* inicio = posicao;
        while (inicio > etiqueta && inicio[-1] == ' ') --inicio;
        std::memmove(inicio, fim, std::strlen(fim) + 1);
        cursor = inicio;
        removido = true;
    }
    return removido;
}

bool TrocarSeCouber(char* texto, std::size_t tam, char* posicao, std::size_t quantos, const char* novo)
{
    const std::size_t t = std::strlen(texto);
    if (posicao < texto || posicao > texto + t) return false;
    const auto pos = static_cast<std::size_t>(posicao - texto);
    if (quantos > t - pos) return false;
    if (t - quantos + std::strlen(novo) + 1 > tam) return false;
    TrocarTrecho(texto, pos, quantos, novo);
    return true;
}

bool NovoEndereco(const char* valor, TipoEndereco tipo, const char* prefixo, const char* urlPagina, char* novo,
                  std::size_t tamNovo)
{
    if (tamNovo == 0) return false;
    novo[0] = '\0';
    if (!prefixo || !urlPagina || !*urlPagina) return false;
    char v[kTamValor];
    if (std::strlen(valor) >= sizeof v) return false;
    CopiarTexto(v, sizeof v, valor);
    for (const char* esquema : kEsquemasMantidos)
        if (ComecaSemCaixa(v, esquema)) return false;

    // Only a query, parameters or fragment may hold blanks.
    bool mudou = TirarEspacosAte(v, "?;#") != 0;

    // "//server/path" names another server under the page's own scheme.
    if (v[0] == '/' && v[1] == '/') {
        const char* esquema = ComecaSemCaixa(urlPagina, "https://") ? "https:"
                              : ComecaSemCaixa(urlPagina, "http://") ? "http:"
                                                                     : nullptr;
        if (esquema) {
            if (std::strlen(v) + std::strlen(esquema) >= sizeof v) return false;
            char com[kTamValor];
            CopiarTexto(com, sizeof com, esquema);
            AcrescentarTexto(com, sizeof com, v);
            CopiarTexto(v, sizeof v, com);
            mudou = true;
        }
    }

    bool absoluto = true;
    const char* caminho = v;
    if (ComecaSemCaixa(v, "http://")) {
        const char* barra = std::strchr(v + 7, '/');
        caminho = barra ? barra : "/";
    } else if (ComecaSemCaixa(v, "https://")) {
        const char* barra = std::strchr(v + 8, '/');
        caminho = barra ? barra : "/";
    } else if (ComecaSemCaixa(v, "file://")) {
        caminho = v[7] == '/' ? v + 8 : v + 7;
    } else {
        absoluto = false;
    }

    bool pagina = false;
    if (tipo == ENDERECO_PAGINA) {
        char c[kTamValor + 1];
        CopiarTexto(c, sizeof c, caminho);
        for (const char corte : {'?', ';', '#'}) {
            if (char* x = std::strchr(c, corte)) {
                *x = '\0';
                pagina = true;
            }
        }
        const char* barra = std::strrchr(c, '/');
        const char* ultimo = barra ? barra + 1 : c;
        if (*ultimo && !std::strchr(ultimo, '.')) AcrescentarTexto(c, sizeof c, "/");
        const std::size_t t = std::strlen(c);
        if (t == 0 || c[t - 1] == '/' || std::strstr(c, "cgi") || std::strstr(c, "CGI")) pagina = true;
        for (const char* extensao : kExtensoesPagina)
            if (TerminaSemCaixa(c, extensao)) pagina = true;
    }

    char n[kTamEtiqueta];
    clMontagem montagem(novo, tamNovo);
    if (absoluto && pagina) {
        montagem.Acrescentar(prefixo);
        montagem.Acrescentar(v);
        mudou = true;
    } else if (absoluto || (pagina && v[0] == '#')) {
        montagem.Acrescentar(v);
    } else {
        if (std::strlen(urlPagina) >= sizeof n) return false;
        CopiarTexto(n, sizeof n, urlPagina);
        if (v[0] == '/' || v[0] == '\\') {
            // From the root of the page's server.
            char* esquema = std::strstr(n, "://");
            if (!esquema) return false;
            char* pos = esquema + 3;
            if (*pos == '/') ++pos;
            char* corte = std::strchr(pos, '/');
            if (!corte) corte = std::strchr(pos, '\\');
            if (!corte) corte = pos;
            *corte = '\0';
        } else if (v[0] == '?') {
            // A query alone stays on the page itself.
            if (char* x = std::strchr(n, '?')) *x = '\0';
            if (char* x = std::strchr(n, '#')) *x = '\0';
            if (char* x = std::strstr(n, "://"); x && !std::strchr(x + 3, '/')) AcrescentarTexto(n, sizeof n, "/");
        } else {
            if (char* x = std::strchr(n, '?')) *x = '\0';
            if (char* x = std::strchr(n, ';')) *x = '\0';
            std::size_t inicio;
            if (std::strncmp(n, "file:", 5) == 0) {
                char* x = std::strchr(n + 5, ':');
                if (!x) x = std::strchr(n + 5, '|');
                if (!x) return false;  // no drive: nowhere to resolve against
                inicio = static_cast<std::size_t>(x + 1 - n);
            } else {
                // The directories begin at the first "/" after the host; the
                // scheme's own "//" is longer by one byte in a secure address.
                const std::size_t t = std::strlen(n);
                const std::size_t esquema = ComecaSemCaixa(n, "https://") ? 8 : 7;
                char* x = t > esquema ? std::strchr(n + esquema, '/') : nullptr;
                if (x) {
                    inicio = static_cast<std::size_t>(x - n);
                    if (n[t - 1] == '/') n[t - 1] = '\0';
                } else {
                    inicio = t;
                }
            }
            if (inicio > std::strlen(n)) inicio = std::strlen(n);
            // The file name goes; the directories stay.
            if (char* b = UltimaBarra(n + inicio); b && std::strchr(b, '.')) *b = '\0';
            while (true) {
                char* b = UltimaBarra(n + inicio);
                if (!b) b = n + inicio;
                if (v[0] == '.' && v[1] != '.') {
                    TirarInicio(v, 2);
                    break;
                }
                if (v[0] == '.' && v[1] == '.') {
                    TirarInicio(v, 3);
                    *b = '\0';
                    continue;
                }
                break;
            }
            AcrescentarTexto(n, sizeof n, "/");
        }
        if (std::strlen(n) + std::strlen(v) + 1 > sizeof n) return false;
        AcrescentarTexto(n, sizeof n, v);
        if (pagina) montagem.Acrescentar(prefixo);
        montagem.Acrescentar(n);
        mudou = true;
    }
    if (montagem.Estourou()) {
        novo[0] = '\0';
        return false;
    }
    return mudou;
}

bool ReescreverEndereco(char* etiqueta, std::size_t tamEtiqueta, const char* atributo, TipoEndereco tipo,
                        const char* prefixo, const char* urlPagina)
{
    if (!prefixo || !urlPagina || !*urlPagina) return false;
    char valor[kTamValor];
    clItemEtiqueta info;
    if (!ValorAtributo(etiqueta, atributo, valor, sizeof valor, &info) || !info.comValor || info.cortado) return false;
    // Unquoted, "//server/path" comes as the item "/" alone: take the whole
    // address as an unquoted item would run.
    if (info.ocupado == 1 && info.posicao[0] == '/' && info.posicao[1] == '/') {
        std::size_t k = 0;
        while (info.posicao[k] && !std::strchr(" ='\">", info.posicao[k])) ++k;
        if (k >= sizeof valor) return false;
        std::memcpy(valor, info.posicao, k);
        valor[k] = '\0';
        info.ocupado = k;
    }
    char novo[kTamEtiqueta];
    if (!NovoEndereco(valor, tipo, prefixo, urlPagina, novo, sizeof novo)) return false;
    return TrocarSeCouber(etiqueta, tamEtiqueta, info.posicao, info.ocupado, novo);
}

// --- clDocHtml: the actions that need the request and the translation core.

bool clDocHtml::ReescreverEndereco(char* texto, std::size_t tam, const char* atributo, TipoEndereco tipo,
                                   const char* prefixo)
{
    return ::ReescreverEndereco(texto, tam, atributo, tipo, prefixo ? prefixo : pedido->prefixoLink,
                                pedido->urlPagina);
}

bool clDocHtml::VerterAtributo(char* texto, std::size_t tam, const char* item)
{
    clItemEtiqueta info;
    if (!ValorAtributo(texto, item, valorVertido, sizeof valorVertido, &info) || !info.comValor || info.cortado)
        return false;
    if (!estatistica) return false;
    clArena arena(4095);
    clFrase origem(30, &arena);
    clFrase destino(45, &arena);
    if (!arena.Valida() || !origem.Valida() || !destino.Valida()) return false;
    origem.acrescentarTexto(valorVertido);
    if (origem.Ultimo() < 0) return false;

    // Whether every token found a slot: the words' texts joined are then the
    // value without its blanks. A text that did not fit is still counted,
    // but not replaced, or its words beyond the sentence would be lost.
    bool coube = true;
    const char* resto = valorVertido;
    for (int i = 0; i <= origem.Ultimo() && coube; ++i) {
        for (const char* p = origem.Obter(i)->texto; *p; ++p) {
            while (*resto == ' ') ++resto;
            if (*resto != *p) {
                coube = false;
                break;
            }
            ++resto;
        }
    }
    while (*resto == ' ') ++resto;
    if (*resto) coube = false;

    if (!EntregarFrase(origem, destino) || !coube) return false;
    destino.Texto(textoVertido, sizeof textoVertido);
    if (std::strlen(textoVertido) + 1 >= sizeof textoVertido) return false;  // possibly cut
    return TrocarSeCouber(texto, tam, info.posicao, info.ocupado, textoVertido);
}

void clDocHtml::TextoDeStatus(char* texto, std::size_t tam, const char* atributo)
{
    clItemEtiqueta info;
    if (!ValorAtributo(texto, atributo, valorStatus, sizeof valorStatus, &info) || !info.comValor || info.cortado)
        return;
    CopiarTexto(textoStatus, sizeof textoStatus, valorStatus);
    if (VerterAtributo(textoStatus, sizeof textoStatus, "window.status"))
        TrocarSeCouber(texto, tam, info.posicao, info.ocupado, textoStatus);
}

void clDocHtml::AplicarAtributos(const char* token, char* texto, std::size_t tam)
{
    if (std::strcmp(token, "<a") == 0) {
        ReescreverEndereco(texto, tam, "href", ENDERECO_PAGINA);
        TextoDeStatus(texto, tam, "onmouseover");
        TextoDeStatus(texto, tam, "onmouseout");
    } else if (std::strcmp(token, "<img") == 0) {
        VerterAtributo(texto, tam, "alt");
        ReescreverEndereco(texto, tam, "src", ENDERECO_RECURSO);
        ReescreverEndereco(texto, tam, "lowsrc", ENDERECO_RECURSO);
    } else if (std::strcmp(token, "<input") == 0) {
        char tipo[16];
        clItemEtiqueta info;
        ValorAtributo(texto, "type", tipo, sizeof tipo, &info);
        if (info.comValor && !info.cortado &&
            (IguaisSemCaixa(tipo, "reset") || IguaisSemCaixa(tipo, "submit") || IguaisSemCaixa(tipo, "button")))
            VerterAtributo(texto, tam, "value");
        else if (info.comValor && !info.cortado && std::strcmp(tipo, "image") == 0)
            ReescreverEndereco(texto, tam, "src", ENDERECO_RECURSO);
    } else if (std::strcmp(token, "<area") == 0) {
        VerterAtributo(texto, tam, "alt");
        ReescreverEndereco(texto, tam, "href", ENDERECO_PAGINA);
        TextoDeStatus(texto, tam, "onmouseover");
        TextoDeStatus(texto, tam, "onmouseout");
    } else if (std::strcmp(token, "<frame") == 0) {
        ReescreverEndereco(texto, tam, "src", ENDERECO_PAGINA);
        if (pedido->listaFontes) {
            clItemEtiqueta info;
            if (ValorAtributo(texto, "src", textoStatus, sizeof textoStatus, &info) && info.comValor) {
                char* destino = pedido->listaFontes + 4;
                const std::size_t n = CopiarTexto(destino, kTamListaFontes - 5, textoStatus);
                destino[n] = '\n';
                destino[n + 1] = '\0';
            }
        }
    } else if (std::strcmp(token, "<form") == 0) {
        // Forms go straight to their server: absolute, never behind the prefix.
        ReescreverEndereco(texto, tam, "action", ENDERECO_PAGINA, "");
    } else if (std::strcmp(token, "<applet") == 0) {
        ReescreverEndereco(texto, tam, "codebase", ENDERECO_RECURSO);
    } else if (std::strcmp(token, "<body") == 0) {
        ReescreverEndereco(texto, tam, "background", ENDERECO_RECURSO);
    } else if (std::strcmp(token, "<base") == 0 || std::strcmp(token, "<link") == 0) {
        ReescreverEndereco(texto, tam, "href", ENDERECO_PAGINA);
    }
}
