#include "vertador.h"

#include <curl/curl.h>
#include <fcntl.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <functional>
#include <memory>
#include <mutex>
#include <vector>

#include "conversao_web.h"
#include "http_web.h"
#include "moriel32.h"
#include "proxy_navegador.h"

namespace {

using Relogio = std::chrono::steady_clock;

constexpr std::size_t kTamBloco = 1024;                        // input handed to the engine per call
constexpr auto kEsperaEnvio = std::chrono::milliseconds(30000); // a browser that stops reading

const char* const kTipoTraduzido = "text/html; charset=windows-1252";

int Restante(Relogio::time_point limite)
{
    const auto falta = std::chrono::duration_cast<std::chrono::milliseconds>(limite - Relogio::now()).count();
    return falta <= 0 ? 0 : static_cast<int>(std::min<long long>(falta, 1000));
}

// The browser's connection: waits for it to be ready instead of pacing.
class clConexao {
public:
    clConexao(int fd, const ContextoVertador& c) : fd_(fd), contexto_(c) {}

    bool Cancelado() const { return contexto_.cancelar && contexto_.cancelar->load(); }

    bool Enviar(const char* dados, std::size_t tam)
    {
        if (falhou_) return false;
        const auto limite = Relogio::now() + kEsperaEnvio;
        while (tam > 0) {
            const ssize_t n = send(fd_, dados, tam, MSG_NOSIGNAL);
            if (n > 0) {
                dados += n;
                tam -= static_cast<std::size_t>(n);
                continue;
            }
            if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR)) {
                if (Relogio::now() >= limite || Cancelado()) break;
                pollfd p{fd_, POLLOUT, 0};
                poll(&p, 1, Restante(limite));
                continue;
            }
            break;
        }
        falhou_ = tam > 0;
        return !falhou_;
    }
    bool Enviar(const std::string& s) { return Enviar(s.data(), s.size()); }

    // Receives what is there, waiting until `limite`. 0 at the end or on a
    // failure, -1 when the time is up.
    ssize_t Receber(char* buffer, std::size_t tam, Relogio::time_point limite)
    {
        while (true) {
            const ssize_t n = recv(fd_, buffer, tam, 0);
            if (n >= 0) return n;
            if (errno != EAGAIN && errno != EWOULDBLOCK && errno != EINTR) return 0;
            if (Relogio::now() >= limite) return -1;
            if (Cancelado()) return 0;
            pollfd p{fd_, POLLIN, 0};
            poll(&p, 1, Restante(limite));
        }
    }

private:
    int fd_;
    const ContextoVertador& contexto_;
    bool falhou_ = false;
};

// The answer to the browser: the status line and headers go out with the
// first bytes of the body, so a failure found before then can still get an
// answer of its own.
class clResposta {
public:
    explicit clResposta(clConexao* c) : conexao_(c) {}

    void Definir(int status, std::string tipo, std::vector<std::string> extras = {})
    {
        status_ = status;
        tipo_ = std::move(tipo);
        extras_ = std::move(extras);
    }
    bool Enviada() const { return cabecalhoEnviado_; }
    int Status() const { return status_; }
    std::size_t Bytes() const { return bytes_; }

    bool Corpo(const char* dados, std::size_t tam)
    {
        if (!cabecalhoEnviado_ && !Cabecalho()) return false;
        if (tam == 0) return true;
        bytes_ += tam;
        return conexao_->Enviar(dados, tam);
    }
    bool Cabecalho()
    {
        if (cabecalhoEnviado_) return true;
        cabecalhoEnviado_ = true;
        return conexao_->Enviar(CabecalhoResposta(status_, tipo_, extras_));
    }
    // A whole answer of the proxy's own, unless something was sent already.
    void Inteira(int status, const std::string& resposta)
    {
        if (cabecalhoEnviado_) return;
        cabecalhoEnviado_ = true;
        status_ = status;
        conexao_->Enviar(resposta);
    }

private:
    clConexao* conexao_;
    int status_ = 200;
    std::string tipo_;
    std::vector<std::string> extras_;
    bool cabecalhoEnviado_ = false;
    std::size_t bytes_ = 0;
};

// One page through the engine, in stream mode: chunks of at most 1,024
// bytes in, whatever the engine hands back out at once.
class clTradutorPagina {
public:
    clTradutorPagina(FuncaoVertal vertal, const std::string& endereco, const std::string& prefixo)
        : vertal_(vertal), saida_(MORIEL_TAM_SAIDA)
    {
        std::memset(&pedido_, 0, sizeof pedido_);
        CopiarLimitado(url_, sizeof url_, endereco);
        CopiarLimitado(prefixo_, sizeof prefixo_, prefixo);
        pedido_.tipo = TIPO_HTML;
        pedido_.modo = MODO_FLUXO;
        pedido_.urlPagina = url_;
        pedido_.prefixoLink = prefixo_;
        pedido_.entrada = bloco_;
        pedido_.saida = saida_.data();
    }
    ~clTradutorPagina() { Terminar(nullptr); }

    bool Recusado() const { return recusado_; }

    // Passes Windows-1252 text; false when the engine refused the page or
    // sending failed.
    bool Passar(std::string_view texto, clResposta* resposta)
    {
        while (!texto.empty()) {
            const std::size_t n = std::min(texto.size(), kTamBloco);
            std::memcpy(bloco_, texto.data(), n);
            texto.remove_prefix(n);
            if (iniciado_ && !pedido_.threadTrabalho) return true;  // the engine ended the document
            if (!Chamar(static_cast<std::int32_t>(n), resposta)) return false;
        }
        return true;
    }

    // Ends the document; the last output goes to `resposta` when given.
    bool Terminar(clResposta* resposta)
    {
        bool ok = true;
        if (!iniciado_ && resposta && !recusado_) ok = Chamar(0, resposta);
        while (iniciado_ && pedido_.threadTrabalho) {
            if (!Chamar(0, resposta)) {
                ok = false;
                resposta = nullptr;  // the rest is not sent
            }
        }
        return ok;
    }

private:
    static void CopiarLimitado(char* destino, std::size_t tam, const std::string& s)
    {
        const std::size_t n = std::min(s.size(), tam - 1);
        std::memcpy(destino, s.data(), n);
        destino[n] = '\0';
    }

    bool Chamar(std::int32_t tam, clResposta* resposta)
    {
        if (!vertal_ || recusado_) {
            recusado_ = true;
            return false;
        }
        pedido_.tamEntrada = tam;
        pedido_.tamSaida = 0;
        const bool aceito = vertal_(&pedido_) != 0;
        if (!iniciado_) {
            if (!aceito) {
                recusado_ = true;
                return false;
            }
            iniciado_ = true;
        }
        const std::int32_t saiu = pedido_.tamSaida;
        if (!resposta) return true;
        const std::size_t n = saiu > 0 ? std::min<std::size_t>(static_cast<std::size_t>(saiu), saida_.size()) : 0;
        return resposta->Corpo(saida_.data(), n);
    }

    FuncaoVertal vertal_;
    PedidoTraducao pedido_;
    std::vector<char> saida_;
    char url_[kTamMaxEndereco + 1];
    char prefixo_[257];
    char bloco_[kTamBloco];
    bool iniciado_ = false;
    bool recusado_ = false;
};

void MotorIndisponivel(clResposta* resposta)
{
    resposta->Inteira(503, RespostaErro(503, "Tradu\xC3\xA7\xC3\xA3o indispon\xC3\xADvel",
                                        "O motor de tradu\xC3\xA7\xC3\xA3o n\xC3\xA3o p\xC3\xB4" "de ser carregado ou n\xC3\xA3o "
                                        "est\xC3\xA1 pronto (dicion\xC3\xA1rios ou tabela de verbos n\xC3\xA3o carregados)."));
}

// Decides the character set from the first bytes of an HTML body, then
// converts and translates the rest as it comes.
class clPaginaHtml {
public:
    clPaginaHtml(const ContextoVertador& c, const std::string& endereco, std::string charsetCabecalho,
                 clResposta* resposta)
        : tradutor_(c.vertal, endereco, c.prefixo), charset_(std::move(charsetCabecalho)), resposta_(resposta)
    {
    }

    bool Receber(std::string_view dados)
    {
        if (!conversor_) {
            inicio_.append(dados);
            if (inicio_.size() < kTamBloco) return true;
            return Comecar();
        }
        return Traduzir(conversor_->Converter(dados));
    }

    bool Fim()
    {
        if (!conversor_ && !Comecar()) return false;
        if (!Traduzir(conversor_->Converter({}, true))) return false;
        if (!tradutor_.Terminar(resposta_)) return Falha();
        return resposta_->Cabecalho();
    }

private:
    bool Comecar()
    {
        std::string charset = charset_.empty() ? CharsetDoDocumento(inicio_) : charset_;
        conversor_ = std::make_unique<clConversorPagina>(charset);
        const std::string inicio = std::move(inicio_);
        return Traduzir(conversor_->Converter(inicio));
    }
    bool Traduzir(const std::string& texto)
    {
        if (texto.empty()) return true;
        if (!tradutor_.Passar(texto, resposta_)) return Falha();
        return true;
    }
    bool Falha()
    {
        if (tradutor_.Recusado()) MotorIndisponivel(resposta_);
        return false;
    }

    clTradutorPagina tradutor_;
    std::string charset_;
    clResposta* resposta_;
    std::string inicio_;
    std::unique_ptr<clConversorPagina> conversor_;
};

// ---------------------------------------------------------------- local files

void ServirArquivo(const PedidoHttp& pedido, const std::string& endereco, const ContextoVertador& c,
                   clResposta* resposta)
{
    if (!NavegacaoDeTopo(pedido)) {
        resposta->Inteira(403, RespostaErro(403, "Acesso negado",
                                            "Arquivos locais s\xC3\xB3 s\xC3\xA3o abertos pelo navegador, "
                                            "n\xC3\xA3o por scripts nem por recursos de uma p\xC3\xA1gina."));
        return;
    }
    const std::string caminho = CaminhoLocal(endereco);
    struct stat st{};
    int fd = -1;
    if (!caminho.empty() && stat(caminho.c_str(), &st) == 0 && S_ISREG(st.st_mode))
        fd = open(caminho.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        const std::string texto = "Arquivo : " + EscaparHtml(caminho.empty() ? endereco : caminho) +
                                  " N\xC3\xA3o Encontrado";
        resposta->Inteira(404, CabecalhoResposta(404, "text/html; charset=utf-8") + "<HTML><H1>" + texto +
                                   "</H1></HTML>");
        return;
    }
    const std::string tipo = TipoPorNome(caminho);
    const bool traduzir = tipo == "text/html";
    std::unique_ptr<clPaginaHtml> pagina;
    if (traduzir) {
        resposta->Definir(200, kTipoTraduzido);
        pagina = std::make_unique<clPaginaHtml>(c, endereco, std::string(), resposta);
    } else {
        resposta->Definir(200, tipo);
    }
    bool ok = true;
    if (pedido.metodo != "HEAD") {
        char bloco[16384];
        while (ok) {
            const ssize_t n = read(fd, bloco, traduzir ? kTamBloco : sizeof bloco);
            if (n < 0 && errno == EINTR) continue;
            if (n <= 0) break;
            ok = traduzir ? pagina->Receber({bloco, static_cast<std::size_t>(n)})
                          : resposta->Corpo(bloco, static_cast<std::size_t>(n));
        }
    }
    if (ok) {
        if (pagina) pagina->Fim();
        else resposta->Cabecalho();
    }
    close(fd);
}

// ---------------------------------------------------------------- network

struct Busca {
    const ContextoVertador* contexto = nullptr;
    const std::string* endereco = nullptr;
    clResposta* resposta = nullptr;
    CURL* curl = nullptr;
    std::string cabecalhos;  // the final answer's raw header lines
    bool decidido = false;
    enum class Modo { Repassar, Traduzir, Parar } modo = Modo::Repassar;
    std::unique_ptr<clPaginaHtml> pagina;
    bool falhou = false;  // sending to the browser failed, or the engine refused
};

bool EhRedirecionamento(long status) { return status == 301 || status == 302 || status == 303 || status == 307 || status == 308; }

// The headers of a redirect passed to the browser: Location rewritten,
// nothing about a body that is not sent or cookies of the shared origin.
std::vector<std::string> CabecalhosRedirecionamento(const std::string& brutos, const std::string& endereco,
                                                    const std::string& prefixo)
{
    static const char* const kRetidos[] = {"connection", "keep-alive", "proxy-", "transfer-encoding", "content-length",
                                           "content-encoding", "content-type", "set-cookie",
                                           "content-security-policy", "upgrade", "trailer", "strict-transport-security"};
    std::vector<std::string> r;
    std::size_t i = brutos.find("\r\n");
    while (i != std::string::npos && i + 2 < brutos.size()) {
        const std::size_t inicio = i + 2;
        const std::size_t fim = brutos.find("\r\n", inicio);
        const std::string linha = brutos.substr(inicio, fim == std::string::npos ? std::string::npos : fim - inicio);
        i = fim;
        const auto dois = linha.find(':');
        if (dois == std::string::npos) continue;
        std::string nome = linha.substr(0, dois);
        std::string minusculo = nome;
        for (char& ch : minusculo) ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
        bool reter = false;
        for (const char* x : kRetidos)
            if (minusculo.rfind(x, 0) == 0 && (minusculo.size() == std::strlen(x) || x[std::strlen(x) - 1] == '-'))
                reter = true;
        if (reter) continue;
        if (minusculo == "location")
            r.push_back("Location: " + ReescreverLocalizacao(linha.substr(dois + 1), endereco, prefixo));
        else
            r.push_back(linha);
    }
    return r;
}

void Decidir(Busca* b)
{
    b->decidido = true;
    long status = 0;
    curl_easy_getinfo(b->curl, CURLINFO_RESPONSE_CODE, &status);
    if (status < 100 || status > 999) status = 502;
    std::string minusculos = b->cabecalhos;
    for (char& ch : minusculos) ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
    // A redirect without an address is relayed as an ordinary answer.
    bool temEndereco = false;
    if (const auto l = minusculos.find("\nlocation:"); l != std::string::npos) {
        const auto fim = minusculos.find('\r', l);
        const std::string valor = minusculos.substr(l + 10, fim == std::string::npos ? std::string::npos : fim - l - 10);
        temEndereco = valor.find_first_not_of(" \t") != std::string::npos;
    }
    if (EhRedirecionamento(status) && temEndereco) {
        auto extras = CabecalhosRedirecionamento(b->cabecalhos, *b->endereco, b->contexto->prefixo);
        b->resposta->Definir(static_cast<int>(status), "", std::move(extras));
        b->resposta->Cabecalho();
        b->modo = Busca::Modo::Parar;
        return;
    }
    char* tipo = nullptr;
    curl_easy_getinfo(b->curl, CURLINFO_CONTENT_TYPE, &tipo);
    const std::string t = tipo ? tipo : "application/octet-stream";
    if (EhHtml(t)) {
        b->modo = Busca::Modo::Traduzir;
        b->resposta->Definir(static_cast<int>(status), kTipoTraduzido);
        b->pagina = std::make_unique<clPaginaHtml>(*b->contexto, *b->endereco, CharsetDoTipo(t), b->resposta);
    } else {
        b->modo = Busca::Modo::Repassar;
        b->resposta->Definir(static_cast<int>(status), t);
    }
}

std::size_t AoReceberCabecalho(char* dados, std::size_t tam, std::size_t n, void* usuario)
{
    auto* b = static_cast<Busca*>(usuario);
    const std::string_view linha(dados, tam * n);
    if (linha.rfind("HTTP/", 0) == 0) b->cabecalhos.clear();  // a new answer (after 100 Continue)
    if (b->cabecalhos.size() < 65536) b->cabecalhos.append(linha);
    return tam * n;
}

std::size_t AoReceberCorpo(char* dados, std::size_t tam, std::size_t n, void* usuario)
{
    auto* b = static_cast<Busca*>(usuario);
    const std::size_t total = tam * n;
    if (!b->decidido) Decidir(b);
    bool ok = true;
    switch (b->modo) {
    case Busca::Modo::Parar: return 0;
    case Busca::Modo::Repassar: ok = b->resposta->Corpo(dados, total); break;
    case Busca::Modo::Traduzir: ok = b->pagina->Receber({dados, total}); break;
    }
    if (!ok) {
        b->falhou = true;
        return 0;
    }
    return total;
}

int AoProgredir(void* usuario, curl_off_t, curl_off_t, curl_off_t, curl_off_t)
{
    auto* b = static_cast<Busca*>(usuario);
    return b->contexto->cancelar && b->contexto->cancelar->load() ? 1 : 0;
}

void ErroDeRede(CURLcode rc, const std::string& endereco, clResposta* resposta)
{
    int status = 502;
    std::string titulo, texto;
    const std::string e = EscaparHtml(endereco);
    switch (rc) {
    case CURLE_COULDNT_RESOLVE_HOST:
    case CURLE_COULDNT_RESOLVE_PROXY:
        titulo = "Servidor n\xC3\xA3o encontrado";
        texto = "O nome do servidor de " + e + " n\xC3\xA3o foi encontrado.";
        break;
    case CURLE_COULDNT_CONNECT:
        titulo = "Conex\xC3\xA3o recusada";
        texto = "N\xC3\xA3o foi poss\xC3\xADvel conectar ao servidor de " + e + ".";
        break;
    case CURLE_PEER_FAILED_VERIFICATION:
    case CURLE_SSL_CONNECT_ERROR:
    case CURLE_SSL_CERTPROBLEM:
    case CURLE_SSL_CACERT_BADFILE:
    case CURLE_SSL_ISSUER_ERROR:
        titulo = "Certificado inv\xC3\xA1lido";
        texto = "A conex\xC3\xA3o segura com " + e + " foi recusada: o certificado do servidor n\xC3\xA3o p\xC3\xB4" "de "
                "ser verificado.";
        break;
    case CURLE_OPERATION_TIMEDOUT:
        status = 504;
        titulo = "O servidor n\xC3\xA3o respondeu";
        texto = "O servidor de " + e + " n\xC3\xA3o respondeu a tempo.";
        break;
    case CURLE_URL_MALFORMAT:
    case CURLE_UNSUPPORTED_PROTOCOL:
        status = 400;
        titulo = "Endere\xC3\xA7o inv\xC3\xA1lido";
        texto = "O endere\xC3\xA7o " + e + " n\xC3\xA3o p\xC3\xB4" "de ser entendido.";
        break;
    default:
        titulo = "Falha ao buscar a p\xC3\xA1gina";
        texto = "A busca de " + e + " falhou: " + EscaparHtml(curl_easy_strerror(rc)) + ".";
    }
    resposta->Inteira(status, RespostaErro(status, titulo, texto));
}

void ConfigurarProxy(CURL* curl, const ContextoVertador& c, Esquema esquema)
{
    if (c.origemProxy == OrigemProxy::Ambiente) return;  // libcurl reads http_proxy, https_proxy, no_proxy
    ConfigProxy config;
    clProxyFirefox firefox(c.pastaFirefox);
    const std::string servidor = firefox.ProxyNetscape(&config) && config.usar
                                     ? (esquema == Esquema::Https ? config.servidorHttps : config.servidorHttp)
                                     : std::string();
    curl_easy_setopt(curl, CURLOPT_PROXY, servidor.c_str());  // "": directly
    if (!servidor.empty() && !config.excecoes.empty()) curl_easy_setopt(curl, CURLOPT_NOPROXY, config.excecoes.c_str());
}

void Buscar(const PedidoHttp& pedido, const std::string& corpo, const std::string& endereco, Esquema esquema,
            const ContextoVertador& c, clResposta* resposta)
{
    CURL* curl = curl_easy_init();
    if (!curl) {
        ErroDeRede(CURLE_OUT_OF_MEMORY, endereco, resposta);
        return;
    }
    Busca b;
    b.contexto = &c;
    b.endereco = &endereco;
    b.resposta = resposta;
    b.curl = curl;
    curl_slist* lista = nullptr;
    for (const auto& linha : CabecalhosEncaminhados(pedido)) lista = curl_slist_append(lista, linha.c_str());
    if (!pedido.Cabecalho("User-Agent")) curl_easy_setopt(curl, CURLOPT_USERAGENT, "Sorvane");
    curl_easy_setopt(curl, CURLOPT_URL, endereco.c_str());
    curl_easy_setopt(curl, CURLOPT_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(curl, CURLOPT_FOLLOWLOCATION, 0L);
    curl_easy_setopt(curl, CURLOPT_ACCEPT_ENCODING, "gzip, deflate");
    curl_easy_setopt(curl, CURLOPT_HTTPHEADER, lista);
    curl_easy_setopt(curl, CURLOPT_HEADERFUNCTION, AoReceberCabecalho);
    curl_easy_setopt(curl, CURLOPT_HEADERDATA, &b);
    curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, AoReceberCorpo);
    curl_easy_setopt(curl, CURLOPT_WRITEDATA, &b);
    curl_easy_setopt(curl, CURLOPT_NOPROGRESS, 0L);
    curl_easy_setopt(curl, CURLOPT_XFERINFOFUNCTION, AoProgredir);
    curl_easy_setopt(curl, CURLOPT_XFERINFODATA, &b);
    const long espera = std::max<long>(1, static_cast<long>(c.esperaServidor.count()));
    curl_easy_setopt(curl, CURLOPT_CONNECTTIMEOUT_MS, espera);
    // Nothing at all for that long, before or during the answer: given up.
    curl_easy_setopt(curl, CURLOPT_LOW_SPEED_LIMIT, 1L);
    curl_easy_setopt(curl, CURLOPT_LOW_SPEED_TIME, std::max<long>(1, (espera + 999) / 1000));
    if (const char* ca = std::getenv("SSL_CERT_FILE"); ca && *ca) curl_easy_setopt(curl, CURLOPT_CAINFO, ca);
    ConfigurarProxy(curl, c, esquema);
    if (pedido.metodo == "HEAD") {
        curl_easy_setopt(curl, CURLOPT_NOBODY, 1L);
    } else if (pedido.metodo != "GET") {
        if (pedido.metodo != "POST") curl_easy_setopt(curl, CURLOPT_CUSTOMREQUEST, pedido.metodo.c_str());
        if (pedido.metodo == "POST" || !corpo.empty()) {
            curl_easy_setopt(curl, CURLOPT_POSTFIELDSIZE_LARGE, static_cast<curl_off_t>(corpo.size()));
            curl_easy_setopt(curl, CURLOPT_POSTFIELDS, corpo.data());
        }
    }
    const CURLcode rc = curl_easy_perform(curl);
    const bool abortado = rc == CURLE_WRITE_ERROR && (b.falhou || b.modo == Busca::Modo::Parar);
    if (rc == CURLE_OK || abortado) {
        if (!b.decidido) Decidir(&b);
        if (!b.falhou) {
            if (b.modo == Busca::Modo::Traduzir) b.pagina->Fim();
            else resposta->Cabecalho();
        }
    } else if (!resposta->Enviada()) {
        b.pagina.reset();  // ends the engine's document, unsent
        ErroDeRede(rc, endereco, resposta);
    }
    b.pagina.reset();
    curl_slist_free_all(lista);
    curl_easy_cleanup(curl);
}

// ---------------------------------------------------------------- request

void Registrar(const ContextoVertador& c, const std::string& metodo, const std::string& endereco,
               const clResposta& resposta, Relogio::time_point inicio)
{
    if (!c.verboso) return;
    const std::time_t agora = std::time(nullptr);
    std::tm t{};
    localtime_r(&agora, &t);
    char hora[32];
    std::strftime(hora, sizeof hora, "%Y-%m-%d %H:%M:%S", &t);
    const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(Relogio::now() - inicio).count();
    std::fprintf(stderr, "%s %s %s %d %zu %lld\n", hora, metodo.empty() ? "-" : metodo.c_str(),
                 endereco.empty() ? "-" : endereco.c_str(), resposta.Status(), resposta.Bytes(),
                 static_cast<long long>(ms));
}

void Atender(clConexao* conexao, const ContextoVertador& c, clResposta* resposta, std::string* metodo,
             std::string* endereco)
{
    // The request: headers within 8,192 bytes, all within the client's time.
    const auto limite = Relogio::now() + c.esperaCliente;
    std::string bytes;
    PedidoHttp pedido;
    char buffer[4096];
    while (true) {
        const LeituraPedido l = AnalisarPedido(bytes, &pedido);
        if (l == LeituraPedido::Completo) break;
        if (l == LeituraPedido::Grande) {
            resposta->Inteira(431, RespostaErro(431, "Pedido grande demais",
                                                "O pedido passa de 8192 bytes de cabe\xC3\xA7" "alhos."));
            return;
        }
        if (l == LeituraPedido::Invalido) {
            resposta->Inteira(400, RespostaErro(400, "Pedido inv\xC3\xA1lido", "O pedido n\xC3\xA3o \xC3\xA9 HTTP."));
            return;
        }
        const ssize_t n = conexao->Receber(buffer, sizeof buffer, limite);
        if (n <= 0) return;  // closed, failed or silent: no answer
        bytes.append(buffer, static_cast<std::size_t>(n));
    }
    *metodo = pedido.metodo;
    if (pedido.tamCorpo > kTamMaxCorpo) {
        resposta->Inteira(413, RespostaErro(413, "Pedido grande demais", "O corpo do pedido \xC3\xA9 grande demais."));
        return;
    }
    while (bytes.size() < pedido.tamCabecalho + pedido.tamCorpo) {
        const ssize_t n = conexao->Receber(buffer, sizeof buffer, limite);
        if (n <= 0) return;
        bytes.append(buffer, static_cast<std::size_t>(n));
    }
    const std::string corpo = bytes.substr(pedido.tamCabecalho, pedido.tamCorpo);

    if (const std::string* host = pedido.Cabecalho("Host"); host && !HostPermitido(*host, c.porta) &&
                                                         !(c.hostPublico.size() && *host == c.hostPublico)) {
        resposta->Inteira(403, RespostaErro(403, "Acesso negado",
                                            "Este proxy atende s\xC3\xB3 a endere\xC3\xA7os de 127.0.0.1."));
        return;
    }
    *endereco = ExtrairEndereco(pedido.alvo);
    if (endereco->size() > kTamMaxEndereco) {
        const std::string curto = endereco->substr(0, 60) + "...";
        *endereco = curto;
        resposta->Inteira(414, RespostaErro(414, "Endere\xC3\xA7o longo demais",
                                            "O endere\xC3\xA7o passa de 1031 caracteres."));
        return;
    }
    const Esquema esquema = EsquemaDe(*endereco);
    switch (esquema) {
    case Esquema::Arquivo: ServirArquivo(pedido, *endereco, c, resposta); break;
    case Esquema::Http:
    case Esquema::Https: Buscar(pedido, corpo, *endereco, esquema, c, resposta); break;
    case Esquema::Nenhum:
        resposta->Inteira(
            400, RespostaErro(400, "Endere\xC3\xA7o inv\xC3\xA1lido",
                              "Pe\xC3\xA7" "a uma p\xC3\xA1gina assim: " + EscaparHtml(c.prefixo) +
                                  "https://exemplo.org/ (o proxy busca endere\xC3\xA7os http, https e file)."));
        break;
    }
}

} // namespace

void AtenderConexao(int conexao, const ContextoVertador& contexto)
{
    static std::once_flag inicioCurl;
    std::call_once(inicioCurl, []() { curl_global_init(CURL_GLOBAL_DEFAULT); });
    const auto inicio = Relogio::now();
    clConexao c(conexao, contexto);
    clResposta resposta(&c);
    std::string metodo, endereco;
    Atender(&c, contexto, &resposta, &metodo, &endereco);
    if (resposta.Enviada()) Registrar(contexto, metodo, endereco, resposta, inicio);
    // Our side ends first; what the browser still sends is read and dropped
    // for a moment, so that closing does not reset the connection before
    // the answer has been read.
    shutdown(conexao, SHUT_WR);
    const auto limite = Relogio::now() + std::chrono::milliseconds(1000);
    char resto[4096];
    std::size_t lidos = 0;
    while (lidos < 65536) {
        const ssize_t n = c.Receber(resto, sizeof resto, limite);
        if (n <= 0) break;
        lidos += static_cast<std::size_t>(n);
    }
    close(conexao);
}
