#include "dicionario.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <new>
#include <string>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "caracteres.h"
#include "formato_dicionario.h"
#include "instalacao.h"
#include "mensagens.h"

namespace {

using formato::kCasas;
using formato::kColunas;
using formato::kSemRegistro;
using formato::kTamCabecalho;
using formato::kTamDescritor;
using formato::kTamIndice;

constexpr std::size_t kPedaco = 32766;

class clArquivo {
public:
    explicit clArquivo(int fd) : fd_(fd) {}
    ~clArquivo()
    {
        if (fd_ >= 0) close(fd_);
    }
    clArquivo(const clArquivo&) = delete;
    clArquivo& operator=(const clArquivo&) = delete;
    int fd() const { return fd_; }

private:
    int fd_;
};

// Reads exactly `tam` bytes at `posicao`; false on error or a short file.
bool LerTudo(int fd, void* destino, std::size_t tam, off_t posicao)
{
    auto* p = static_cast<unsigned char*>(destino);
    while (tam > 0) {
        const ssize_t n = pread(fd, p, tam, posicao);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        p += n;
        tam -= static_cast<std::size_t>(n);
        posicao += n;
    }
    return true;
}

// Bytes of the optional fields that the class bits call for.
std::size_t TamOpcionais(std::uint16_t classe)
{
    std::size_t n = 0;
    if (classe & CL_SUBSTANTIVO) n += 1;
    if (classe & CL_ADJETIVO) n += 1;
    if (classe & (CL_VERBO | CL_VERBO_AUXILIAR)) n += 4;
    if (classe & CL_ARTIGO) n += 2;
    if (classe & CL_PRONOME) n += 2;
    return n;
}

// Where the entry of a record starts (after its key tail), or -1 when the
// tail has no NUL inside the record.
long InicioEntrada(const unsigned char* reg, std::size_t tam, bool comCauda)
{
    if (!comCauda) return 0;
    const void* fim = std::memchr(reg, 0, tam);
    return fim ? static_cast<const unsigned char*>(fim) - reg + 1 : -1;
}

bool RegistroValido(const unsigned char* reg, std::size_t tam, bool comCauda)
{
    const long inicio = InicioEntrada(reg, tam, comCauda);
    if (inicio < 0) return false;
    std::size_t pos = static_cast<std::size_t>(inicio);
    if (tam - pos < 3) return false;
    const std::uint16_t classe = formato::Ler16(reg + pos);
    pos += 3;
    const void* fimRaiz = std::memchr(reg + pos, 0, tam - pos);
    if (!fimRaiz) return false;
    pos = static_cast<std::size_t>(static_cast<const unsigned char*>(fimRaiz) - reg) + 1;
    return tam - pos >= TamOpcionais(classe);
}

// Records in a data area: the first descriptor's offset is where the
// records begin, right after the table. 0 for an empty or unusable area.
std::uint32_t ContarRegistros(const unsigned char* dados, std::uint32_t tamDados)
{
    if (tamDados < kTamDescritor) return 0;
    const std::uint32_t primeiro = formato::Ler32(dados + 1);
    if (primeiro == 0 || primeiro % kTamDescritor != 0 || primeiro > tamDados) return 0;
    return primeiro / kTamDescritor;
}

// Checks a decoded view once, so that a damaged file is never published.
bool DicionarioValido(const std::uint16_t* indice, const unsigned char* dados, std::uint32_t tamDados)
{
    const std::uint32_t total = ContarRegistros(dados, tamDados);
    if (total == 0 && tamDados != 0) return false;
    const std::uint32_t inicioRegistros = total * kTamDescritor;

    // The index: 0xFFFF up to the first slot with records, then record
    // numbers that never go down and never pass the last record.
    bool marcado = false;
    std::uint16_t anterior = 0;
    for (int casa = 0; casa < kCasas; ++casa) {
        const std::uint16_t e = indice[casa];
        if (e == kSemRegistro) {
            if (marcado) return false;
            continue;
        }
        if (e >= total || (marcado && e < anterior)) return false;
        marcado = true;
        anterior = e;
    }

    for (std::uint32_t r = 0; r < total; ++r) {
        const unsigned char* d = dados + static_cast<std::size_t>(r) * kTamDescritor;
        const std::uint32_t tam = d[0];
        const std::uint32_t pos = formato::Ler32(d + 1);
        if (tam == 0 || pos < inicioRegistros || pos > tamDados || tam > tamDados - pos) return false;
    }

    for (int casa = 0; casa < kCasas; ++casa) {
        const formato::Faixa f = formato::FaixaDaCasa(indice, casa);
        if (f.vazia) continue;
        const bool comCauda = casa % kColunas != 0;
        // A one-byte key has no tail to tell records apart: its slot holds
        // exactly that key.
        if (!comCauda && f.primeiro != f.ultimo) return false;
        for (std::uint32_t r = f.primeiro; r <= f.ultimo; ++r) {
            const unsigned char* d = dados + static_cast<std::size_t>(r) * kTamDescritor;
            if (!RegistroValido(dados + formato::Ler32(d + 1), d[0], comCauda)) return false;
        }
    }
    return true;
}

void Danificado(const std::string& caminho) { MostrarErro(10, caminho.c_str(), 0); }

// Where a user dictionary is read from: the user's own folder when it holds
// the file, else the installation's "dic" folder. A path of the user's
// folder longer than a path field (256 bytes) is skipped, never cut.
std::string CaminhoDicUsuario(const std::string& raiz, const std::string& nome)
{
    constexpr std::size_t kTamCaminho = 256;
    char pasta[kTamCaminho];
    if (PastaDicUsuario(pasta, sizeof pasta)) {
        const std::string proprio = std::string(pasta) + "/" + nome + ".udc";
        struct stat st {};
        if (proprio.size() < kTamCaminho && stat(proprio.c_str(), &st) == 0 && S_ISREG(st.st_mode)) return proprio;
    }
    return raiz + "/dic/" + nome + ".udc";
}

// Opens one file into `no`. Reports its own failures.
bool AbrirArquivo(clDicionario* no, const std::string& caminho, const std::string& nome)
{
    const clArquivo arquivo(open(caminho.c_str(), O_RDONLY | O_CLOEXEC));
    struct stat st {};
    if (arquivo.fd() < 0 || fstat(arquivo.fd(), &st) != 0 || !S_ISREG(st.st_mode)) {
        MostrarErro(1, caminho.c_str(), 0);
        return false;
    }
    unsigned char cabecalho[4];
    if (!LerTudo(arquivo.fd(), cabecalho, sizeof cabecalho, 0)) {
        Danificado(caminho);
        return false;
    }
    formato::Complementar(cabecalho, sizeof cabecalho);
    const std::uint32_t tamDados = formato::Ler32(cabecalho);
    // A size beyond the limit is what a damaged header most often looks
    // like; say so rather than leave the engine silently not ready.
    if (tamDados > formato::kMaxDados ||
        static_cast<unsigned long long>(st.st_size) != kTamCabecalho + static_cast<unsigned long long>(tamDados)) {
        Danificado(caminho);
        return false;
    }

    clMapeamento& mapa = no->mapeamento;
    if (!mapa.Abrir("Moriel_" + nome, caminho, kTamIndice + tamDados)) {
        MostrarErro(3, nullptr, mapa.UltimoErro());
        return false;
    }
    auto* vista = static_cast<unsigned char*>(mapa.Vista());
    auto* indice = reinterpret_cast<std::uint16_t*>(vista);
    unsigned char* dados = vista + kTamIndice;

    if (mapa.Novo()) {
        bool lido = LerTudo(arquivo.fd(), vista, kTamIndice, 4);
        if (lido) {
            formato::Complementar(vista, kTamIndice);
            for (int i = 0; i < kCasas; ++i) indice[i] = formato::Ler16(vista + 2 * i);
        }
        for (std::size_t feito = 0; lido && feito < tamDados;) {
            const std::size_t n = std::min<std::size_t>(kPedaco, tamDados - feito);
            lido = LerTudo(arquivo.fd(), dados + feito, n, static_cast<off_t>(kTamCabecalho + feito));
            if (lido) formato::Complementar(dados + feito, n);
            feito += n;
        }
        if (!lido || !DicionarioValido(indice, dados, tamDados)) {
            mapa.Fechar();
            Danificado(caminho);
            return false;
        }
        mapa.Publicar();
    }
    no->vista = vista;
    no->indice = indice;
    no->dados = dados;
    no->tamDados = tamDados;
    no->totalRegistros = ContarRegistros(dados, tamDados);
    return true;
}

void LimparEntrada(clVerbete* w)
{
    w->formaBase[0] = '\0';
    w->classe = 0;
    w->mascaraLocucao = 0;
    w->numeroVerbo = 0;
    w->formas = 0;
    w->flagsSubst = 0;
    w->flagsAdj = 0;
    w->flagsArtigo = 0;
    w->flagsPron = 0;
    w->tamTraducoes = 0;
    w->blocoTraducoes[0] = '\0';
}

// Fills w from the entry at `reg` (the record after its key tail). Every
// read stays inside the record even if the view was not what was validated.
void Decodificar(const unsigned char* reg, std::size_t tam, clVerbete* w)
{
    LimparEntrada(w);
    std::size_t pos = 0;
    if (tam < 3) return;
    w->classe = formato::Ler16(reg);
    w->mascaraLocucao = reg[2];
    pos = 3;
    const void* fimRaiz = std::memchr(reg + pos, 0, tam - pos);
    const std::size_t fim = fimRaiz ? static_cast<std::size_t>(static_cast<const unsigned char*>(fimRaiz) - reg) : tam;
    const std::size_t n = std::min(fim - pos, TAM_PALAVRA - 1);
    std::memcpy(w->formaBase, reg + pos, n);
    w->formaBase[n] = '\0';
    if (!fimRaiz) return;
    pos = fim + 1;
    if (tam - pos < TamOpcionais(w->classe)) return;
    if (w->classe & CL_SUBSTANTIVO) w->flagsSubst = reg[pos++];
    if (w->classe & CL_ADJETIVO) w->flagsAdj = reg[pos++];
    if (w->classe & (CL_VERBO | CL_VERBO_AUXILIAR)) {
        w->numeroVerbo = formato::Ler16(reg + pos);
        w->formas = formato::Ler16(reg + pos + 2);
        // A verb stored without form flags is an infinitive.
        if (w->formas == 0) w->formas = 0x0001;
        pos += 4;
    }
    if (w->classe & CL_ARTIGO) {
        w->flagsArtigo = formato::Ler16(reg + pos);
        pos += 2;
    }
    if (w->classe & CL_PRONOME) {
        w->flagsPron = formato::Ler16(reg + pos);
        pos += 2;
    }
    const std::size_t resto = std::min(tam - pos, TAM_BLOCO_TRADUCOES - 1);
    std::memcpy(w->blocoTraducoes, reg + pos, resto);
    w->blocoTraducoes[resto] = '\0';
    w->tamTraducoes = static_cast<std::uint16_t>(resto);
}

// The record `r` of a node, or false when its descriptor points outside.
bool Registro(const clDicionario* no, std::uint32_t r, const unsigned char** reg, std::size_t* tam)
{
    if (r >= no->totalRegistros) return false;
    const unsigned char* d = no->dados + static_cast<std::size_t>(r) * kTamDescritor;
    const std::uint32_t pos = formato::Ler32(d + 1);
    if (d[0] == 0 || pos > no->tamDados || d[0] > no->tamDados - pos) return false;
    *reg = no->dados + pos;
    *tam = d[0];
    return true;
}

// Compares the word's tail with a record's key tail as unsigned bytes up to
// and including the NUL. `valido` turns false when the record holds no NUL.
int CompararCauda(const unsigned char* cauda, const unsigned char* reg, std::size_t tam, bool* valido)
{
    for (std::size_t i = 0; i < tam; ++i) {
        if (cauda[i] != reg[i]) return cauda[i] < reg[i] ? -1 : 1;
        if (cauda[i] == 0) return 0;
    }
    *valido = false;
    return 0;
}

enum class Busca { achou, ausente };

// The search inside one node whose data is present; vocabulo is already
// lower-cased and its first byte is a letter.
Busca ProcurarNoNo(const clDicionario* no, clVerbete* w)
{
    const auto* palavra = reinterpret_cast<const unsigned char*>(w->vocabulo);
    if (!formato::PrimeiroValido(palavra[0])) return Busca::ausente;
    const int casa = formato::Casa(w->vocabulo);
    const formato::Faixa f = formato::FaixaDaCasa(no->indice, casa);
    if (f.vazia || no->indice[casa] == kSemRegistro) return Busca::ausente;

    const unsigned char* reg = nullptr;
    std::size_t tam = 0;
    if (palavra[1] == 0) {
        if (!Registro(no, f.primeiro, &reg, &tam)) return Busca::ausente;
        Decodificar(reg, tam, w);
        return Busca::achou;
    }

    const unsigned char* cauda = palavra + 2;
    long primeiro = f.primeiro;
    long ultimo = f.ultimo;
    while (primeiro <= ultimo) {
        const long meio = (primeiro + ultimo) / 2;
        if (!Registro(no, static_cast<std::uint32_t>(meio), &reg, &tam)) return Busca::ausente;
        bool valido = true;
        const int c = CompararCauda(cauda, reg, tam, &valido);
        if (!valido) return Busca::ausente;
        if (c < 0) {
            if (meio == 0) break;
            ultimo = meio - 1;
        } else if (c > 0) {
            primeiro = meio + 1;
        } else {
            const std::size_t inicio = std::strlen(reinterpret_cast<const char*>(cauda)) + 1;
            Decodificar(reg + inicio, tam - inicio, w);
            return Busca::achou;
        }
    }
    return Busca::ausente;
}

void Minusculas(char* texto)
{
    for (char* p = texto; *p; ++p) {
        if (*p >= 'A' && *p <= 'Z') *p = static_cast<char>(*p - 'A' + 'a');
    }
}

} // namespace

void LimparVerbete(clVerbete* verbete)
{
    if (!verbete) return;
    verbete->vocabulo[0] = '\0';
    LimparEntrada(verbete);
}

clDicionario::~clDicionario() { LiberarDicionario(this); }

void LiberarDicionario(clDicionario* cabeca)
{
    if (!cabeca) return;
    clDicionario* no = cabeca->proximo;
    cabeca->proximo = nullptr;
    // One node at a time, so a long chain cannot exhaust the stack through
    // nested destructors.
    while (no) {
        clDicionario* seguinte = no->proximo;
        no->proximo = nullptr;
        delete no;
        no = seguinte;
    }
    cabeca->mapeamento.Fechar();
    cabeca->vista = nullptr;
    cabeca->indice = nullptr;
    cabeca->dados = nullptr;
    cabeca->tamDados = 0;
    cabeca->totalRegistros = 0;
}

bool AbrirDicionario(clDicionario* cabeca, const char* pasta, const char* lista)
{
    if (!cabeca) return false;
    LiberarDicionario(cabeca);
    try {
        const std::string raiz = pasta ? pasta : "";
        const char* resto = lista ? lista : "";
        clDicionario* no = cabeca;
        for (;;) {
            const char* cr = std::strchr(resto, '\r');
            if (!cr) {
                // The general dictionary decides whether the engine can work.
                const std::string nome(resto);
                return AbrirArquivo(no, raiz + "/" + nome + ".dic", nome);
            }
            const std::string nome(resto, static_cast<std::size_t>(cr - resto));
            resto = cr + 1;
            if (*resto == '\n') ++resto;
            // A blank line names no dictionary.
            if (nome.empty()) continue;
            // A missing or damaged user dictionary, first or not, has been
            // reported; it stays in the chain without data and the lookup
            // skips it.
            AbrirArquivo(no, CaminhoDicUsuario(raiz, nome), nome);
            no->proximo = new clDicionario;
            no = no->proximo;
        }
    } catch (...) {
        MostrarErro(2, nullptr, 0);
        return false;
    }
}

bool ProcurarPalavra(clDicionario* cabeca, clVerbete* w)
{
    if (!w) return false;
    // The word field holds 50 bytes of text; whatever the caller left in
    // it, nothing below reads or writes past it.
    w->vocabulo[TAM_PALAVRA - 1] = '\0';
    for (const clDicionario* no = cabeca; no; no = no->proximo) {
        if (!no->dados) continue;
        const int forma = FormaPalavra(w->vocabulo);
        if (forma == 2) {
            // Words with an apostrophe are never looked up.
            Minusculas(w->vocabulo);
            w->classe = 0;
            return false;
        }
        const auto b0 = static_cast<unsigned char>(w->vocabulo[0]);
        const auto b1 = static_cast<unsigned char>(w->vocabulo[1]);
        if (forma == 0 || b0 >= 0x80 || (b0 != 0 && b1 >= 0x80)) {
            if (b0 != 0 && std::strchr(".:;?!|=", b0))
                w->classe = CL_PONTUACAO;
            else if (b0 == ',')
                w->classe = CL_VIRGULA;
            else
                w->classe = CL_SIMBOLO;
            return true;
        }
        Minusculas(w->vocabulo);
        if (ProcurarNoNo(no, w) == Busca::achou) return true;
    }
    LimparEntrada(w);
    return false;
}
