// The HTTP pieces of the page worker: the browser's request, the address
// behind the link prefix, the checks that keep the proxy to its own user,
// the headers passed on, redirect addresses and the answers the proxy
// writes itself.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

inline constexpr std::size_t kTamMaxPedido = 8192;   // request line and headers
inline constexpr std::size_t kTamMaxEndereco = 1031; // the page address
inline constexpr std::size_t kTamMaxCorpo = 1 << 20; // a request body

struct PedidoHttp {
    std::string metodo;
    std::string alvo;   // the request target, as sent
    std::string versao;
    std::vector<std::pair<std::string, std::string>> cabecalhos;
    std::size_t tamCabecalho = 0;  // bytes up to and including the blank line
    std::size_t tamCorpo = 0;      // Content-Length, 0 when absent

    // The value of the first header named `nome` (any case), or nullptr.
    const std::string* Cabecalho(std::string_view nome) const;
};

enum class LeituraPedido {
    Completo,    // headers complete
    Incompleto,  // more bytes needed
    Grande,      // headers beyond kTamMaxPedido
    Invalido,    // not an HTTP request
};

// Parses the request at the start of `bytes`.
LeituraPedido AnalisarPedido(std::string_view bytes, PedidoHttp* pedido);

// The page address in a request target: "/http://host/a" gives
// "http://host/a"; a single slash after the scheme is doubled
// ("/http:/host/" gives "http://host/").
std::string ExtrairEndereco(std::string_view alvo);

enum class Esquema { Nenhum, Http, Https, Arquivo };
Esquema EsquemaDe(std::string_view endereco);

// True when a Host header may reach this proxy: the loopback address or
// localhost with the proxy's port (the port may be left out only for 80).
bool HostPermitido(std::string_view host, int porta);

// True unless the browser says the request is not a top-level navigation
// (Sec-Fetch-Mode other than "navigate" or Sec-Fetch-Dest other than
// "document"). Clients that send neither are let through.
bool NavegacaoDeTopo(const PedidoHttp& pedido);

// The browser's header lines to pass on to the server: all but Host,
// Accept-Encoding, the hop-by-hop ones and those that describe the proxy's
// own origin or cannot hold for a translated body ("Name: value" each).
std::vector<std::string> CabecalhosEncaminhados(const PedidoHttp& pedido);

// The content type a local file is served with, from its name.
std::string TipoPorNome(std::string_view caminho);

// The local path of a "file:" address: "file:///home/a/b.html" gives
// "/home/a/b.html" (percent escapes decoded); empty when it names no path.
std::string CaminhoLocal(std::string_view endereco);

// A redirect's Location made to lead back through the proxy: absolute
// addresses go behind the prefix, relative ones are resolved against the
// page's address first, and an address in the proxy's own form is left as
// it is.
std::string ReescreverLocalizacao(std::string_view localizacao, std::string_view enderecoPagina,
                                  std::string_view prefixo);

// "text/html" with or without parameters, in any case.
bool EhHtml(std::string_view tipo);
// The charset parameter of a content type, lower case; empty when none.
std::string CharsetDoTipo(std::string_view tipo);
// The charset a page declares in its first bytes (a BOM, or a meta tag
// with charset or http-equiv content type), lower case; empty when none.
std::string CharsetDoDocumento(std::string_view inicio);

std::string EscaparHtml(std::string_view texto);

std::string FraseDeStatus(int status);

// The status line and headers of every answer: the content type, a
// sandbox that gives each page an origin of its own, and no caching of
// the proxy's own origin by other pages.
std::string CabecalhoResposta(int status, std::string_view tipo, const std::vector<std::string>& extras = {});

// A whole short answer with an HTML body in Portuguese.
std::string RespostaErro(int status, std::string_view titulo, std::string_view explicacao);
