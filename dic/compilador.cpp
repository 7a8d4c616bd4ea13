// The dictionary compiler: turns sorted "key!codes" lines into the compiled,
// complemented and indexed file the engine maps.
//
// It streams: each line becomes one record, appended to two sequential work
// files (descriptors and records), and a final pass copies both into the
// destination behind the header. The destination is first written under a
// temporary name beside it and renamed only when everything succeeded, so a
// failed compile leaves whatever file was there before (or none), never a
// half-written one that the engine would map.
#include "compilador.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include <fcntl.h>
#include <unistd.h>

#include "formato_dicionario.h"
#include "mensagens.h"

namespace {

constexpr const char* kTitulo = "Dalvenne";
constexpr std::size_t kTamBuffer = 32767;
constexpr std::size_t kMaxChave = 50;       // the engine's word fields hold 50 bytes
constexpr std::size_t kMaxRaiz = 50;
constexpr std::size_t kMaxRegistro = 255;   // the descriptor's length is one byte
// Record numbers are 16-bit and 0xFFFF marks an empty slot, so the last
// usable number is 0xFFFE.
constexpr std::uint32_t kMaxRegistros = 0xFFFF;

void ErroSistema(const char* passo, int codigo)
{
    MostrarMensagem(kTitulo, "Ocorreu um erro (" + std::to_string(codigo) + ") executando o comando\"" + passo + "\"");
}

// A line as text: control bytes (and the bytes Windows-1252 leaves
// unassigned) are shown as \xNN, never written as they are.
std::string ComoTexto(std::string_view linha)
{
    std::string texto;
    for (const char c : linha) {
        const auto b = static_cast<unsigned char>(c);
        if (b < 0x20 || b == 0x7F || b == 0x81 || b == 0x8D || b == 0x8F || b == 0x90 || b == 0x9D) {
            char hex[8];
            std::snprintf(hex, sizeof hex, "\\x%02X", b);
            texto += hex;
        } else {
            texto += c;
        }
    }
    return texto;
}

// The numbered message first, exactly as users know it, then where it
// happened and, in words, what is wrong.
void ErroCritico(int numero, std::size_t linha, std::string_view chave, const char* motivo)
{
    std::string texto = "Erro cr\xEDtico no dicion\xE1rio (" + std::to_string(numero) + ")";
    texto += " na linha " + std::to_string(linha) + ": ";
    // A line without "!" can be anything: show only its beginning.
    if (chave.size() > 60) {
        texto += ComoTexto(chave.substr(0, 60));
        texto += "...";
    } else {
        texto += ComoTexto(chave);
    }
    texto += " - ";
    texto += motivo;
    MostrarMensagem(kTitulo, texto);
}

void ErroTamanho(const std::string& motivo, std::size_t linha)
{
    MostrarMensagem(kTitulo, "Dicion\xE1rio grande demais: " + motivo + " (linha " + std::to_string(linha) + ")");
}

// What the codes of one line compile to.
struct Codigos {
    std::uint16_t classe = 0;
    std::uint8_t mascara = 0;
    std::string_view raiz;
    bool temTraducoes = false;
    std::string_view traducoes;
    std::uint8_t subst = 0;
    std::uint8_t adj = 0;
    std::uint16_t numeroVerbo = 0;
    std::uint16_t verbo = 0;
    std::uint16_t artigo = 0;
    std::uint16_t pron = 0;
};

enum class Grupo { Nenhum, Subst, Adj, Verbo, Artigo, Pron };

// "R(" or "T(" at s[i]: the text up to the ")" of the same line. False when
// the "(" or the ")" is missing.
bool LerParenteses(std::string_view s, std::size_t& i, std::string_view& texto)
{
    if (i + 1 >= s.size() || s[i + 1] != '(') return false;
    const std::size_t fim = s.find(')', i + 2);
    if (fim == std::string_view::npos) return false;
    texto = s.substr(i + 2, fim - (i + 2));
    i = fim + 1;
    return true;
}

int BitPessoa(char c) { return 0x0020 << (c - '1'); }

// Parses the code string; false for any invalid code (error 4).
bool LerCodigos(std::string_view s, Codigos& c)
{
    Grupo grupo = Grupo::Nenhum;
    std::size_t i = 0;
    while (i < s.size()) {
        const char ch = s[i];
        if (ch == '.') {
            grupo = Grupo::Nenhum;
            ++i;
            continue;
        }
        switch (grupo) {
        case Grupo::Nenhum:
            switch (ch) {
            case '#':
                for (++i; i < s.size() && s[i] != '.'; ++i) {
                    if (s[i] < '1' || s[i] > '8') return false;
                    c.mascara = static_cast<std::uint8_t>(c.mascara | (1u << (s[i] - '1')));
                }
                break;
            case 'N': c.classe |= 0x0002; grupo = Grupo::Subst; ++i; break;
            case 'A': c.classe |= 0x0004; grupo = Grupo::Adj; ++i; break;
            case 'V': c.classe |= 0x0001; grupo = Grupo::Verbo; ++i; break;
            case 'X': c.classe |= 0x0010; grupo = Grupo::Verbo; ++i; break;
            case 'E': c.classe |= 0x0020; grupo = Grupo::Artigo; ++i; break;
            case 'P': c.classe |= 0x0040; grupo = Grupo::Pron; ++i; break;
            case 'D':
            case 'O':
            case 'J':
            case 'I':
                c.classe |= ch == 'D' ? 0x0008 : ch == 'O' ? 0x0080 : ch == 'J' ? 0x0100 : 0x0200;
                while (i < s.size() && s[i] != '.') ++i;
                break;
            case 'R':
                if (!LerParenteses(s, i, c.raiz)) return false;
                break;
            case 'T':
                if (!LerParenteses(s, i, c.traducoes)) return false;
                c.temTraducoes = true;
                break;
            default:
                return false;
            }
            break;
        case Grupo::Subst:
            switch (ch) {
            case 'S': c.subst |= 0x01; break;
            case 'P': c.subst |= 0x02; break;
            case 'A': c.subst |= 0x04; break;
            case 'I': c.subst |= 0x08; break;
            case 'M': c.subst |= 0x20; break;
            case 'F': c.subst |= 0x40; break;
            default: return false;
            }
            ++i;
            break;
        case Grupo::Adj:
            switch (ch) {
            case 'E': c.adj |= 0x04; break;
            case 'D': c.adj |= 0x08; break;
            case 'T': c.adj |= 0x10; break;
            case 'G': c.adj |= 0x20; break;
            case 'N': c.adj |= 0x40; break;
            default: return false;
            }
            ++i;
            break;
        case Grupo::Verbo:
            switch (ch) {
            case 'V': c.verbo |= 0x0001; break;
            case 'G': c.verbo |= 0x0002; break;
            case 'P': c.verbo |= 0x0004; break;
            case 'S': c.verbo |= 0x0008; break;
            case 'R': c.verbo |= 0x0010; break;
            case 'A': c.verbo |= 0x2000; break;
            case '1': case '2': case '3': case '4': case '5': case '6':
                c.verbo = static_cast<std::uint16_t>(c.verbo | BitPessoa(ch));
                break;
            case 'I': {
                // The verb number is exactly two decimal digits.
                if (i + 2 >= s.size()) return false;
                const char d1 = s[i + 1];
                const char d2 = s[i + 2];
                if (d1 < '0' || d1 > '9' || d2 < '0' || d2 > '9') return false;
                c.verbo |= 0x0800;
                c.numeroVerbo = static_cast<std::uint16_t>((d1 - '0') * 10 + (d2 - '0'));
                i += 2;
                break;
            }
            default: return false;
            }
            ++i;
            break;
        case Grupo::Artigo:
            switch (ch) {
            case 'D': c.artigo |= 0x0002; break;
            case 'I': c.artigo |= 0x0004; break;
            default: return false;
            }
            ++i;
            break;
        case Grupo::Pron:
            switch (ch) {
            case 'D': c.pron |= 0x0001; break;
            case 'I': c.pron |= 0x0002; break;
            case 'N': c.pron |= 0x0004; break;
            case 'P': c.pron |= 0x0008; break;
            case 'S': c.pron |= 0x0010; break;
            case 'R': c.pron |= 0x0800; break;
            case 'L': c.pron |= 0x1000; break;
            case 'Q': c.pron |= 0x2000; break;
            case '1': case '2': case '3': case '4': case '5': case '6':
                c.pron = static_cast<std::uint16_t>(c.pron | BitPessoa(ch));
                break;
            default: return false;
            }
            ++i;
            break;
        }
    }
    return true;
}

// Bounded record builder: any append past 255 bytes marks it as too long.
struct Registro {
    unsigned char bytes[kMaxRegistro];
    std::size_t tam = 0;
    bool cheio = false;

    void Byte(unsigned char b)
    {
        if (tam >= kMaxRegistro) {
            cheio = true;
            return;
        }
        bytes[tam++] = b;
    }
    void B16(std::uint16_t v)
    {
        Byte(static_cast<unsigned char>(v));
        Byte(static_cast<unsigned char>(v >> 8));
    }
    void Texto(std::string_view t)
    {
        for (char ch : t) Byte(static_cast<unsigned char>(ch));
        Byte(0);
    }
};

// Encodes one line's record; false for an invalid code or a record that does
// not fit (both error 4).
bool CodificarRegistro(std::string_view chave, std::string_view codigos, Registro& r)
{
    Codigos c;
    if (!LerCodigos(codigos, c)) return false;
    if (c.raiz.size() > kMaxRaiz) return false;
    if (chave.size() >= 2) r.Texto(chave.substr(2));
    r.B16(c.classe);
    r.Byte(c.mascara);
    r.Texto(c.raiz);
    if (c.classe & 0x0002) r.Byte(c.subst);
    if (c.classe & 0x0004) r.Byte(c.adj);
    if (c.classe & 0x0011) {
        r.B16(c.numeroVerbo);
        r.B16(c.verbo);
    }
    if (c.classe & 0x0020) r.B16(c.artigo);
    if (c.classe & 0x0040) r.B16(c.pron);
    if (c.temTraducoes) {
        for (char ch : c.traducoes) r.Byte(ch == ',' ? 0 : static_cast<unsigned char>(ch));
        r.Byte(0);
    }
    return !r.cheio && r.tam > 0;
}

bool GravarTudo(int fd, const unsigned char* p, std::size_t n)
{
    while (n > 0) {
        const ssize_t k = ::write(fd, p, n);
        if (k < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        p += k;
        n -= static_cast<std::size_t>(k);
    }
    return true;
}

// A work file in the temporary folder, unlinked as soon as it exists so that
// it vanishes however the compile ends; unique names let two compiles run at once.
std::FILE* CriarTrabalho(const std::string& pasta, const char* nome)
{
    std::string modelo = pasta + "/" + nome + "XXXXXX";
    std::vector<char> caminho(modelo.begin(), modelo.end());
    caminho.push_back('\0');
    const int fd = ::mkstemp(caminho.data());
    if (fd < 0) return nullptr;
    ::unlink(caminho.data());
    std::FILE* f = ::fdopen(fd, "w+b");
    if (!f) {
        const int e = errno;
        ::close(fd);
        errno = e;
    }
    return f;
}

// Owns the files of one compile and releases them on every way out.
struct Arquivos {
    int destino = -1;
    std::string nomeTemporario;
    std::FILE* indice = nullptr;
    std::FILE* dados = nullptr;
    bool concluido = false;

    ~Arquivos()
    {
        if (indice) std::fclose(indice);
        if (dados) std::fclose(dados);
        if (destino >= 0) ::close(destino);
        if (!concluido && !nomeTemporario.empty()) ::unlink(nomeTemporario.c_str());
    }
};

int CriarDestinoTemporario(const std::string& destino, std::string& nome)
{
    static std::atomic<unsigned> contador{0};
    for (int tentativa = 0; tentativa < 100; ++tentativa) {
        nome = destino + ".tmp" + std::to_string(::getpid()) + "-" + std::to_string(contador++);
        const int fd = ::open(nome.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST) return fd;
    }
    return -1;
}

std::string PastaTemporaria()
{
    const char* tmp = std::getenv("TMPDIR");
    if (tmp && *tmp) return tmp;
    return "/tmp";
}

} // namespace

bool CompilarDicionario(const char* texto, const char* destino)
{
    if (!texto || !destino) return false;
    try {
        std::uint16_t indice[formato::kCasas];
        for (auto& e : indice) e = formato::kSemRegistro;
        std::vector<unsigned char> buffer(kTamBuffer);

        Arquivos arq;
        arq.destino = CriarDestinoTemporario(destino, arq.nomeTemporario);
        if (arq.destino < 0) {
            arq.nomeTemporario.clear();
            ErroSistema("CreateFile Destino", errno);
            return false;
        }
        const std::string pasta = PastaTemporaria();
        if (pasta.size() >= 4096) {
            ErroSistema("GetTempPath", ENAMETOOLONG);
            return false;
        }
        arq.indice = CriarTrabalho(pasta, "Quillane.wk1");
        if (!arq.indice) {
            ErroSistema("CreateFile hIndex", errno);
            return false;
        }
        arq.dados = CriarTrabalho(pasta, "Quillane.wk2");
        if (!arq.dados) {
            ErroSistema("CreateFile hData", errno);
            return false;
        }

        std::uint32_t registros = 0;
        std::uint32_t tamDados = 0;
        std::string chaveAnterior;
        int ultimaCasa = -1;
        std::size_t numeroLinha = 0;
        const char* p = texto;
        while (*p) {
            const char* fim = p;
            while (*fim && *fim != '\r' && *fim != '\n') ++fim;
            const std::string_view linha(p, static_cast<std::size_t>(fim - p));
            if (*fim == '\r') ++fim;
            if (*fim == '\n') ++fim;
            p = fim;
            ++numeroLinha;

            const std::size_t excl = linha.find('!');
            if (excl == std::string_view::npos) {
                ErroCritico(1, numeroLinha, linha, "a linha n\xE3o tem o \"!\" que separa a chave dos c\xF3" "digos");
                return false;
            }
            const std::string_view chave = linha.substr(0, excl);
            if (!(chave > std::string_view(chaveAnterior))) {
                ErroCritico(2, numeroLinha, chave,
                            chave.empty() ? "a chave est\xE1 vazia"
                                          : "a chave est\xE1 repetida ou fora da ordem alfab\xE9tica");
                return false;
            }
            chaveAnterior.assign(chave);
            if (!formato::PrimeiroValido(static_cast<unsigned char>(chave[0]))) {
                ErroCritico(3, numeroLinha, chave, "a chave come\xE7" "a com um caractere que n\xE3o \xE9 permitido");
                return false;
            }
            // A second byte that sorts outside its column's place (below "-" or
            // above "z") would leave the index out of order and hide records
            // from the lookup.
            const char segundo[3] = {chave[0], chave.size() > 1 ? chave[1] : '\0', '\0'};
            const int casa = formato::Casa(segundo);
            if (casa < ultimaCasa) {
                ErroCritico(3, numeroLinha, chave, "o segundo caractere da chave n\xE3o \xE9 permitido");
                return false;
            }
            ultimaCasa = casa;
            if (chave.size() > kMaxChave) {
                ErroCritico(4, numeroLinha, chave, "a chave tem mais de 50 caracteres");
                return false;
            }
            Registro reg;
            if (!CodificarRegistro(chave, linha.substr(excl + 1), reg)) {
                ErroCritico(4, numeroLinha, chave, "os c\xF3" "digos depois do \"!\" n\xE3o s\xE3o v\xE1lidos ou n\xE3o cabem numa entrada");
                return false;
            }
            if (registros >= kMaxRegistros) {
                ErroTamanho("mais de " + std::to_string(kMaxRegistros) + " entradas", numeroLinha);
                return false;
            }
            const std::uint64_t total =
                formato::kTamDescritor * (std::uint64_t{registros} + 1) + tamDados + reg.tam;
            if (total > formato::kMaxDados) {
                ErroTamanho("mais de " + std::to_string(formato::kMaxDados) + " bytes de dados", numeroLinha);
                return false;
            }
            indice[casa] = static_cast<std::uint16_t>(registros);

            unsigned char desc[formato::kTamDescritor];
            desc[0] = static_cast<unsigned char>(reg.tam);
            formato::Gravar32(desc + 1, tamDados);
            if (std::fwrite(desc, 1, sizeof desc, arq.indice) != sizeof desc) {
                ErroSistema("WriteFile Index", errno);
                return false;
            }
            if (std::fwrite(reg.bytes, 1, reg.tam, arq.dados) != reg.tam) {
                ErroSistema("WriteFile Data", errno);
                return false;
            }
            tamDados += static_cast<std::uint32_t>(reg.tam);
            ++registros;
        }

        if (std::fflush(arq.indice) != 0) {
            ErroSistema("WriteFile Index", errno);
            return false;
        }
        if (std::fflush(arq.dados) != 0) {
            ErroSistema("WriteFile Data", errno);
            return false;
        }
        if (std::fseek(arq.indice, 0, SEEK_SET) != 0) {
            ErroSistema("SetFilePointer Index", errno);
            return false;
        }
        if (std::fseek(arq.dados, 0, SEEK_SET) != 0) {
            ErroSistema("SetFilePointer Data", errno);
            return false;
        }

        const std::uint32_t tabela = static_cast<std::uint32_t>(formato::kTamDescritor) * registros;
        const std::uint32_t n = tabela + tamDados;
        for (int casa = 1; casa < formato::kCasas; ++casa)
            if (indice[casa] == formato::kSemRegistro) indice[casa] = indice[casa - 1];

        unsigned char cabecalho[formato::kTamCabecalho];
        formato::Gravar32(cabecalho, n);
        for (int casa = 0; casa < formato::kCasas; ++casa) formato::Gravar16(cabecalho + 4 + 2 * casa, indice[casa]);
        formato::Complementar(cabecalho, sizeof cabecalho);
        if (!GravarTudo(arq.destino, cabecalho, sizeof cabecalho)) {
            ErroSistema("WriteFile Destino", errno);
            return false;
        }

        // Descriptors, their offsets moved past the table, in whole descriptors per piece.
        const std::size_t pedaco = (kTamBuffer / formato::kTamDescritor) * formato::kTamDescritor;
        std::size_t faltam = tabela;
        while (faltam > 0) {
            const std::size_t quer = faltam < pedaco ? faltam : pedaco;
            if (std::fread(buffer.data(), 1, quer, arq.indice) != quer) {
                ErroSistema("ReadFile Index", errno ? errno : EIO);
                return false;
            }
            for (std::size_t k = 0; k < quer; k += formato::kTamDescritor)
                formato::Gravar32(buffer.data() + k + 1, formato::Ler32(buffer.data() + k + 1) + tabela);
            formato::Complementar(buffer.data(), quer);
            if (!GravarTudo(arq.destino, buffer.data(), quer)) {
                ErroSistema("WriteFile Destino", errno);
                return false;
            }
            faltam -= quer;
        }
        faltam = tamDados;
        while (faltam > 0) {
            const std::size_t quer = faltam < kTamBuffer ? faltam : kTamBuffer;
            if (std::fread(buffer.data(), 1, quer, arq.dados) != quer) {
                ErroSistema("ReadFile Data", errno ? errno : EIO);
                return false;
            }
            formato::Complementar(buffer.data(), quer);
            if (!GravarTudo(arq.destino, buffer.data(), quer)) {
                ErroSistema("WriteFile Destino", errno);
                return false;
            }
            faltam -= quer;
        }

        const int fd = arq.destino;
        arq.destino = -1;
        if (::close(fd) != 0) {
            ErroSistema("WriteFile Destino", errno);
            return false;
        }
        if (::rename(arq.nomeTemporario.c_str(), destino) != 0) {
            ErroSistema("CreateFile Destino", errno);
            return false;
        }
        arq.concluido = true;
        return true;
    } catch (...) {
        MostrarErro(2, "", 0);
        return false;
    }
}

namespace {

std::string_view ChaveDaLinha(std::string_view linha)
{
    const std::size_t excl = linha.find('!');
    return excl == std::string_view::npos ? linha : linha.substr(0, excl);
}

// The base form "R(...)" of a line's codes, or "" when it has none. "R(" and
// "T(" open parentheses only at the top level of valid codes; the
// translations are skipped so that a "R(" typed inside them is not taken.
std::string_view RaizDaLinha(std::string_view linha)
{
    const std::size_t excl = linha.find('!');
    if (excl == std::string_view::npos) return {};
    const std::string_view cod = linha.substr(excl + 1);
    for (std::size_t i = 0; i + 1 < cod.size(); ++i) {
        if (cod[i + 1] != '(' || (cod[i] != 'R' && cod[i] != 'T')) continue;
        const std::size_t fim = cod.find(')', i + 2);
        if (fim == std::string_view::npos) return {};
        if (cod[i] == 'R') return cod.substr(i + 2, fim - (i + 2));
        i = fim;
    }
    return {};
}

// Sets multiword digit `digito` ("1"-"8") in the line's "#" group, adding the
// group in front when the line has none.
void MarcarLocucao(std::string& linha, char digito)
{
    const std::size_t excl = linha.find('!');
    if (excl == std::string::npos) return;
    std::size_t i = excl + 1;
    bool inicioItem = true;
    while (i < linha.size()) {
        const char c = linha[i];
        if (c == '(') {
            const std::size_t fim = linha.find(')', i);
            if (fim == std::string::npos) break;
            i = fim + 1;
            inicioItem = false;
            continue;
        }
        if (inicioItem && c == '#') {
            // The digits stay in ascending order, as the editor writes them.
            std::size_t pos = i + 1;
            while (pos < linha.size() && linha[pos] != '.' && linha[pos] < digito) ++pos;
            if (pos < linha.size() && linha[pos] == digito) return;
            linha.insert(pos, 1, digito);
            return;
        }
        inicioItem = c == '.';
        ++i;
    }
    linha.insert(excl + 1, std::string{'#', digito, '.'});
}

} // namespace

std::string JuntarFontes(const std::vector<std::vector<std::string>>& fontes)
{
    std::vector<std::string> linhas;
    std::unordered_set<std::string> tomadas;
    for (const auto& fonte : fontes) {
        std::unordered_set<std::string> destaFonte;
        for (const auto& linha : fonte) {
            if (linha.empty()) continue;
            std::string chave(ChaveDaLinha(linha));
            if (tomadas.count(chave) && !destaFonte.count(chave)) continue;
            destaFonte.insert(chave);
            linhas.push_back(linha);
        }
        tomadas.insert(destaFonte.begin(), destaFonte.end());
    }

    // Lines by key, and the single-word lines by their base form.
    std::unordered_map<std::string, std::vector<std::size_t>> porChave;
    std::unordered_map<std::string, std::vector<std::size_t>> porRaiz;
    for (std::size_t k = 0; k < linhas.size(); ++k) {
        const std::string_view chave = ChaveDaLinha(linhas[k]);
        porChave[std::string(chave)].push_back(k);
        const std::string_view raiz = RaizDaLinha(linhas[k]);
        if (!raiz.empty() && chave.find('_') == std::string_view::npos) porRaiz[std::string(raiz)].push_back(k);
    }
    std::vector<std::pair<std::size_t, char>> marcas;
    for (const auto& [chave, _] : porChave) {
        const std::size_t sep = chave.find('_');
        if (sep == std::string::npos || sep == 0) continue;
        const std::size_t seguintes = static_cast<std::size_t>(std::count(chave.begin(), chave.end(), '_'));
        if (seguintes > 8 || chave.back() == '_' || chave.find("__") != std::string::npos) continue;
        const char digito = static_cast<char>('0' + seguintes);
        const std::string primeira = chave.substr(0, sep);
        for (const auto* mapa : {&porChave, &porRaiz}) {
            const auto it = mapa->find(primeira);
            if (it == mapa->end()) continue;
            for (std::size_t k : it->second) marcas.emplace_back(k, digito);
        }
    }
    for (const auto& [k, digito] : marcas) MarcarLocucao(linhas[k], digito);

    std::sort(linhas.begin(), linhas.end());  // unsigned bytes
    std::string texto;
    for (const auto& l : linhas) {
        texto += l;
        texto += "\r\n";
    }
    return texto;
}
