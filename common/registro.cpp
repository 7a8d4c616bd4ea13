#include "registro.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include <mutex>
#include <set>

#include "caracteres.h"
#include "cp1252.h"
#include "mensagens.h"

namespace {

bool IguaisSemCaixa(const std::string& a, const std::string& b)
{
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        const auto x = static_cast<unsigned char>(a[i]);
        const auto y = static_cast<unsigned char>(b[i]);
        // The case table turns control bytes into "."; they must match exactly.
        if (x != y && (x < 0x20 || y < 0x20 || Minuscula(a[i]) != Minuscula(b[i]))) return false;
    }
    return true;
}

// Key paths are compared with their separators normalised and without the
// surrounding backslashes, so "Software\X\" and "\software\x" are one key.
std::string NormalizarCaminho(const std::string& caminho)
{
    std::string saida;
    for (char c : caminho) {
        if (c == '/') c = '\\';
        if (c == '\\' && (saida.empty() || saida.back() == '\\')) continue;
        saida += c;
    }
    while (!saida.empty() && saida.back() == '\\') saida.pop_back();
    return saida;
}

// A hive file that exists but cannot be read is reported once per process
// and file; a missing one is simply an empty hive.
void RelatarIlegivel(const std::string& caminho, int erro)
{
    static std::mutex trava;
    static std::set<std::string> relatados;
    {
        std::lock_guard<std::mutex> guarda(trava);
        if (!relatados.insert(caminho).second) return;
    }
    MostrarMensagem("Quillane",
                    "N\xE3o foi poss\xEDvel ler as configura\xE7\xF5" "es em \"" + caminho + "\": " +
                        Utf8ParaCp1252(std::strerror(erro)) + ".");
}

std::string LerArquivo(const std::string& caminho, bool* existe)
{
    std::string conteudo;
    FILE* f = std::fopen(caminho.c_str(), "rb");
    if (existe) *existe = f != nullptr;
    if (!f) {
        if (errno != ENOENT && errno != ENOTDIR) RelatarIlegivel(caminho, errno);
        return conteudo;
    }
    char bloco[4096];
    std::size_t n;
    while ((n = std::fread(bloco, 1, sizeof bloco, f)) > 0) conteudo.append(bloco, n);
    if (std::ferror(f)) RelatarIlegivel(caminho, errno ? errno : EIO);
    std::fclose(f);
    return conteudo;
}

// The text of a hive file as Windows-1252: registry editors of version 5
// write UTF-16LE with a byte order mark; a UTF-8 mark is honoured too.
std::string TextoDoArquivo(const std::string& bruto)
{
    if (bruto.size() >= 2 && static_cast<unsigned char>(bruto[0]) == 0xFF &&
        static_cast<unsigned char>(bruto[1]) == 0xFE) {
        std::string utf8;
        for (std::size_t i = 2; i + 1 < bruto.size(); i += 2) {
            std::uint32_t c = static_cast<unsigned char>(bruto[i]) | (static_cast<unsigned char>(bruto[i + 1]) << 8);
            if (c >= 0xD800 && c <= 0xDBFF && i + 3 < bruto.size()) {
                const std::uint32_t baixo =
                    static_cast<unsigned char>(bruto[i + 2]) | (static_cast<unsigned char>(bruto[i + 3]) << 8);
                if (baixo >= 0xDC00 && baixo <= 0xDFFF) {
                    c = 0x10000 + ((c - 0xD800) << 10) + (baixo - 0xDC00);
                    i += 2;
                }
            }
            if (c < 0x80) {
                utf8 += static_cast<char>(c);
            } else if (c < 0x800) {
                utf8 += static_cast<char>(0xC0 | (c >> 6));
                utf8 += static_cast<char>(0x80 | (c & 0x3F));
            } else if (c < 0x10000) {
                utf8 += static_cast<char>(0xE0 | (c >> 12));
                utf8 += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
                utf8 += static_cast<char>(0x80 | (c & 0x3F));
            } else {
                utf8 += static_cast<char>(0xF0 | (c >> 18));
                utf8 += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
                utf8 += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
                utf8 += static_cast<char>(0x80 | (c & 0x3F));
            }
        }
        return Utf8ParaCp1252(utf8);
    }
    if (bruto.size() >= 3 && bruto.compare(0, 3, "\xEF\xBB\xBF") == 0) return Utf8ParaCp1252(bruto.substr(3));
    return bruto;
}

// "[HKEY_LOCAL_MACHINE\SOFTWARE\X]", as Windows writes a key, is the key
// "SOFTWARE\X" of the hive the file holds.
std::string SemColmeia(const std::string& caminho)
{
    static const char* const kColmeias[] = {"HKEY_LOCAL_MACHINE", "HKEY_CURRENT_USER", "HKEY_CLASSES_ROOT",
                                            "HKEY_USERS", "HKEY_CURRENT_CONFIG", "HKLM", "HKCU", "HKCR"};
    for (const char* colmeia : kColmeias) {
        const std::size_t n = std::strlen(colmeia);
        if (caminho.size() >= n && IguaisSemCaixa(caminho.substr(0, n), colmeia) &&
            (caminho.size() == n || caminho[n] == '\\'))
            return caminho.substr(n);
    }
    return caminho;
}

bool CriarPastas(const std::string& pasta)
{
    std::string parcial;
    for (std::size_t i = 0; i <= pasta.size(); ++i) {
        if (i == pasta.size() || (pasta[i] == '/' && i > 0)) {
            parcial = pasta.substr(0, i);
            if (mkdir(parcial.c_str(), 0700) != 0 && errno != EEXIST) return false;
        }
    }
    return true;
}

// Reads a quoted text starting after its opening quote; returns the position
// after the closing quote, or npos when the text is not closed.
std::size_t LerAspas(const std::string& linha, std::size_t pos, std::string* saida)
{
    saida->clear();
    while (pos < linha.size()) {
        char c = linha[pos++];
        if (c == '"') return pos;
        if (c == '\\' && pos < linha.size()) {
            char e = linha[pos++];
            switch (e) {
            case 'n': c = '\n'; break;
            case 'r': c = '\r'; break;
            case 't': c = '\t'; break;
            case '0': c = '\0'; break;
            default: c = e; break;
            }
        }
        *saida += c;
    }
    return std::string::npos;
}

std::string Aspas(const std::string& texto)
{
    std::string saida = "\"";
    for (char c : texto) {
        switch (c) {
        case '\\': saida += "\\\\"; break;
        case '"': saida += "\\\""; break;
        case '\r': saida += "\\r"; break;
        case '\n': saida += "\\n"; break;
        case '\0': saida += "\\0"; break;
        default: saida += c; break;
        }
    }
    return saida + '"';
}

bool LerValor(const std::string& linha, std::string* nome, ValorRegistro* valor)
{
    std::size_t pos;
    if (!linha.empty() && linha[0] == '@') {
        nome->clear();
        pos = 1;
    } else if (!linha.empty() && linha[0] == '"') {
        pos = LerAspas(linha, 1, nome);
        if (pos == std::string::npos) return false;
    } else {
        return false;
    }
    if (pos >= linha.size() || linha[pos] != '=') return false;
    ++pos;
    if (pos < linha.size() && linha[pos] == '"') {
        std::string texto;
        const std::size_t fim = LerAspas(linha, pos + 1, &texto);
        if (fim == std::string::npos) return false;
        valor->tipo = ValorRegistro::Tipo::Texto;
        valor->texto = std::move(texto);
        return true;
    }
    if (linha.compare(pos, 6, "dword:") == 0) {
        const std::string hex = linha.substr(pos + 6);
        if (hex.empty() || hex.size() > 8) return false;
        std::uint32_t v = 0;
        for (char c : hex) {
            int d;
            if (c >= '0' && c <= '9') d = c - '0';
            else if (c >= 'a' && c <= 'f') d = c - 'a' + 10;
            else if (c >= 'A' && c <= 'F') d = c - 'A' + 10;
            else return false;
            v = (v << 4) | static_cast<std::uint32_t>(d);
        }
        valor->tipo = ValorRegistro::Tipo::Dword;
        valor->dword = v;
        return true;
    }
    return false;
}

SecaoRegistro* AcharSecao(std::vector<SecaoRegistro>& secoes, const std::string& caminho)
{
    const std::string alvo = NormalizarCaminho(caminho);
    for (auto& s : secoes)
        if (IguaisSemCaixa(NormalizarCaminho(s.caminho), alvo)) return &s;
    return nullptr;
}

const char* NomeColmeia(Colmeia colmeia)
{
    switch (colmeia) {
    case Colmeia::MaquinaLocal: return "HKEY_LOCAL_MACHINE";
    case Colmeia::UsuarioAtual: return "HKEY_CURRENT_USER";
    case Colmeia::ClassesRaiz: return "HKEY_CLASSES_ROOT";
    }
    return "HKEY_LOCAL_MACHINE";
}

// Serialises the read-modify-write of one hive between threads and processes.
class clTravaColmeia {
public:
    explicit clTravaColmeia(const std::string& arquivo)
    {
        fd_ = open((arquivo + ".trava").c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
        if (fd_ >= 0) flock(fd_, LOCK_EX);
    }
    ~clTravaColmeia()
    {
        if (fd_ >= 0) close(fd_);
    }
    clTravaColmeia(const clTravaColmeia&) = delete;
    clTravaColmeia& operator=(const clTravaColmeia&) = delete;

private:
    int fd_ = -1;
};

bool GravarAtomico(const std::string& arquivo, const std::string& conteudo)
{
    const std::string temporario = arquivo + ".tmp." + std::to_string(getpid());
    const int fd = open(temporario.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    if (fd < 0) return false;
    std::size_t feito = 0;
    while (feito < conteudo.size()) {
        const ssize_t n = write(fd, conteudo.data() + feito, conteudo.size() - feito);
        if (n < 0) {
            if (errno == EINTR) continue;
            close(fd);
            unlink(temporario.c_str());
            return false;
        }
        feito += static_cast<std::size_t>(n);
    }
    if (fsync(fd) != 0 || close(fd) != 0) {
        unlink(temporario.c_str());
        return false;
    }
    if (rename(temporario.c_str(), arquivo.c_str()) != 0) {
        unlink(temporario.c_str());
        return false;
    }
    return true;
}

} // namespace

std::vector<SecaoRegistro> LerFormatoRegistro(const std::string& bruto)
{
    const std::string conteudo = TextoDoArquivo(bruto);
    std::vector<SecaoRegistro> secoes;
    SecaoRegistro* atual = nullptr;
    std::size_t inicio = 0;
    while (inicio < conteudo.size()) {
        std::size_t fim = conteudo.find('\n', inicio);
        if (fim == std::string::npos) fim = conteudo.size();
        std::string linha = conteudo.substr(inicio, fim - inicio);
        inicio = fim + 1;
        if (!linha.empty() && linha.back() == '\r') linha.pop_back();
        if (linha.empty() || linha[0] == ';' || linha == "REGEDIT4" ||
            linha.rfind("Windows Registry Editor", 0) == 0)
            continue;
        if (linha[0] == '[') {
            const std::size_t fecha = linha.rfind(']');
            if (fecha == std::string::npos || fecha < 2) {
                atual = nullptr; // a malformed header: skip its values too
                continue;
            }
            const std::string caminho = NormalizarCaminho(SemColmeia(linha.substr(1, fecha - 1)));
            if (caminho.empty() || caminho[0] == '-') {
                atual = nullptr;  // the hive itself, or a key to delete
                continue;
            }
            atual = AcharSecao(secoes, caminho);
            if (!atual) {
                secoes.push_back({caminho, {}});
                atual = &secoes.back();
            }
            continue;
        }
        if (!atual) continue;
        std::string nome;
        ValorRegistro valor;
        if (!LerValor(linha, &nome, &valor)) continue; // malformed: skipped, never fatal
        bool trocado = false;
        for (auto& [n, v] : atual->valores) {
            if (IguaisSemCaixa(n, nome)) {
                v = valor;
                trocado = true;
                break;
            }
        }
        if (!trocado) atual->valores.emplace_back(std::move(nome), std::move(valor));
    }
    return secoes;
}

std::string EscreverFormatoRegistro(const std::vector<SecaoRegistro>& secoes)
{
    std::string saida = "REGEDIT4\n";
    for (const auto& s : secoes) {
        saida += "\n[" + s.caminho + "]\n";
        for (const auto& [nome, valor] : s.valores) {
            saida += nome.empty() ? std::string("@") : Aspas(nome);
            saida += '=';
            if (valor.tipo == ValorRegistro::Tipo::Dword) {
                char hex[16];
                std::snprintf(hex, sizeof hex, "dword:%08x", valor.dword);
                saida += hex;
            } else {
                saida += Aspas(valor.texto);
            }
            saida += '\n';
        }
    }
    return saida;
}

std::string PastaRegistro()
{
    if (const char* p = std::getenv("QUILLANE_REGISTRO"); p && *p) return p;
    if (const char* p = std::getenv("XDG_CONFIG_HOME"); p && *p) return std::string(p) + "/quillane";
    if (const char* p = std::getenv("HOME"); p && *p) return std::string(p) + "/.config/quillane";
    return "/tmp/quillane-" + std::to_string(getuid());
}

std::string ArquivoColmeia(Colmeia colmeia)
{
    return PastaRegistro() + "/" + NomeColmeia(colmeia) + ".reg";
}

std::optional<clChaveRegistro> clChaveRegistro::Abrir(Colmeia colmeia, const std::string& caminho, bool criar)
{
    const std::string arquivo = ArquivoColmeia(colmeia);
    {
        auto secoes = LerFormatoRegistro(LerArquivo(arquivo, nullptr));
        if (AcharSecao(secoes, caminho)) return clChaveRegistro(colmeia, caminho);
    }
    if (!criar) return std::nullopt;
    if (!CriarPastas(PastaRegistro())) return std::nullopt;
    clTravaColmeia trava(arquivo);
    auto secoes = LerFormatoRegistro(LerArquivo(arquivo, nullptr));
    if (!AcharSecao(secoes, caminho)) {
        secoes.push_back({NormalizarCaminho(caminho), {}});
        if (!GravarAtomico(arquivo, EscreverFormatoRegistro(secoes))) return std::nullopt;
    }
    return clChaveRegistro(colmeia, caminho);
}

std::optional<ValorRegistro> clChaveRegistro::Ler(const std::string& nome) const
{
    if (!aberta_) return std::nullopt;
    auto secoes = LerFormatoRegistro(LerArquivo(ArquivoColmeia(colmeia_), nullptr));
    const SecaoRegistro* s = AcharSecao(secoes, caminho_);
    if (!s) return std::nullopt;
    for (const auto& [n, v] : s->valores)
        if (IguaisSemCaixa(n, nome)) return v;
    return std::nullopt;
}

bool clChaveRegistro::LerTexto(const std::string& nome, char* buffer, std::size_t tam, std::size_t* tamNecessario) const
{
    const auto valor = Ler(nome);
    if (!valor || valor->tipo != ValorRegistro::Tipo::Texto) return false;
    if (tamNecessario) *tamNecessario = valor->texto.size() + 1;
    if (buffer && tam > 0) {
        const std::size_t n = std::min(valor->texto.size(), tam - 1);
        std::memcpy(buffer, valor->texto.data(), n);
        buffer[n] = '\0';
    }
    return true;
}

std::vector<std::string> clChaveRegistro::Nomes() const
{
    std::vector<std::string> nomes;
    if (!aberta_) return nomes;
    auto secoes = LerFormatoRegistro(LerArquivo(ArquivoColmeia(colmeia_), nullptr));
    if (const SecaoRegistro* s = AcharSecao(secoes, caminho_))
        for (const auto& [n, v] : s->valores) nomes.push_back(n);
    return nomes;
}

bool clChaveRegistro::Gravar(const std::string& nome, const ValorRegistro* valor)
{
    if (!aberta_) return false;
    const std::string arquivo = ArquivoColmeia(colmeia_);
    if (!CriarPastas(PastaRegistro())) return false;
    clTravaColmeia trava(arquivo);
    auto secoes = LerFormatoRegistro(LerArquivo(arquivo, nullptr));
    SecaoRegistro* s = AcharSecao(secoes, caminho_);
    if (!s) {
        secoes.push_back({NormalizarCaminho(caminho_), {}});
        s = &secoes.back();
    }
    auto& valores = s->valores;
    bool achou = false;
    for (auto it = valores.begin(); it != valores.end(); ++it) {
        if (IguaisSemCaixa(it->first, nome)) {
            achou = true;
            if (valor) it->second = *valor;
            else valores.erase(it);
            break;
        }
    }
    if (!achou) {
        if (!valor) return false;
        valores.emplace_back(nome, *valor);
    }
    return GravarAtomico(arquivo, EscreverFormatoRegistro(secoes));
}

bool clChaveRegistro::GravarTexto(const std::string& nome, const std::string& texto)
{
    ValorRegistro v;
    v.tipo = ValorRegistro::Tipo::Texto;
    v.texto = texto;
    return Gravar(nome, &v);
}

bool clChaveRegistro::GravarDword(const std::string& nome, std::uint32_t valor)
{
    ValorRegistro v;
    v.tipo = ValorRegistro::Tipo::Dword;
    v.dword = valor;
    return Gravar(nome, &v);
}

bool clChaveRegistro::Excluir(const std::string& nome)
{
    return Gravar(nome, nullptr);
}
