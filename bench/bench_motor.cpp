// The engine's figures in one table: words per second for plain text, HTML
// and RTF through VertalInglPort in stream mode (one thread, then one per
// core), the start-up of a first process (which decodes the dictionaries)
// and of a second one started while the first still holds the mappings,
// memory, and, when the peer chain is installed, its words per second on the
// same plain text.
//
//   bench_motor [data folder] [--sem-par] [--gravar FOLDER]
//
// --gravar writes each corpus's translation to FOLDER (texto.out, html.out,
// rtf.out) and ends, so that two builds can be compared byte for byte. --perfil KIND
// (texto, html or rtf) translates that corpus once in one thread and ends:
// the run to give a profiler.
// The engine is the real library, loaded with dlopen as a browser would.
#include <dlfcn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "cp1252.h"
#include "moriel32.h"

namespace {

using Relogio = std::chrono::steady_clock;
using FuncaoTraduzir = std::uint8_t (*)(PedidoTraducao*);

constexpr std::size_t kMinPalavras = 50000;
constexpr std::size_t kPedaco = 4096;  // what a browser hands over at a time

double Segundos(Relogio::time_point desde)
{
    return std::chrono::duration<double>(Relogio::now() - desde).count();
}

std::string LerArquivo(const std::string& caminho)
{
    std::ifstream f(caminho, std::ios::binary);
    std::ostringstream s;
    s << f.rdbuf();
    return s.str();
}

bool LetraPalavra(unsigned char c) { return std::isalnum(c) || c >= 0x80 || c == '\''; }

std::size_t ContarPalavras(const std::string& texto)
{
    std::size_t n = 0;
    bool dentro = false;
    for (unsigned char c : texto) {
        const bool letra = LetraPalavra(c);
        if (letra && !dentro) ++n;
        dentro = letra;
    }
    return n;
}

// The words a reader sees in a page: markup, scripts and styles left out.
std::size_t PalavrasHtml(const std::string& pagina)
{
    std::string visivel;
    std::size_t i = 0;
    while (i < pagina.size()) {
        if (pagina[i] != '<') {
            visivel += pagina[i++];
            continue;
        }
        const bool bloco = pagina.compare(i, 7, "<script") == 0 || pagina.compare(i, 6, "<style") == 0;
        const std::size_t fim = pagina.find(bloco ? (pagina[i + 2] == 'c' ? "</script>" : "</style>") : ">", i);
        if (fim == std::string::npos) break;
        i = fim + 1;
        visivel += ' ';
    }
    return ContarPalavras(visivel);
}

struct Corpus {
    const char* nome;
    int tipo;
    std::vector<std::string> documentos;  // each one stream request
    std::size_t palavras = 0;
    std::size_t bytes = 0;
};

std::vector<std::string> FrasesIngles(const std::string& fonte)
{
    std::vector<std::string> frases;
    std::istringstream linhas(LerArquivo(fonte + "/data/corpus/dev.tsv"));
    std::string linha;
    while (std::getline(linhas, linha)) {
        const auto tab = linha.find('\t');
        if (tab == 0 || tab == std::string::npos) continue;
        frases.push_back(Utf8ParaCp1252(linha.substr(0, tab)));
    }
    return frases;
}

// The English side of the development corpus, one paragraph a sentence,
// repeated into one document until it holds enough words.
Corpus CorpusTexto(const std::vector<std::string>& frases)
{
    Corpus c{"plain text", TIPO_TEXTO, {}, 0, 0};
    std::string doc;
    while (c.palavras < kMinPalavras)
        for (const auto& f : frases) {
            doc += f + "\r\n\r\n";
            c.palavras += ContarPalavras(f);
        }
    c.bytes = doc.size();
    c.documentos.push_back(std::move(doc));
    return c;
}

// The test pages, each its own request, as many rounds as it takes.
Corpus CorpusHtml(const std::string& fonte)
{
    Corpus c{"HTML", TIPO_HTML, {}, 0, 0};
    std::vector<std::string> paginas;
    for (const char* nome : {"html_libffi_basico.html", "html_usuarios_grupos.html", "html_zlib_como.html"})
        paginas.push_back(LerArquivo(fonte + "/tests/dados/html/" + nome));
    while (c.palavras < kMinPalavras)
        for (const auto& p : paginas) {
            if (p.empty()) return c;
            c.documentos.push_back(p);
            c.palavras += PalavrasHtml(p);
            c.bytes += p.size();
        }
    return c;
}

// The same sentences as an RTF document with a font table, paragraphs and
// some bold and italic runs, as a word processor writes them.
Corpus CorpusRtf(const std::vector<std::string>& frases)
{
    Corpus c{"RTF", TIPO_RTF, {}, 0, 0};
    std::string doc = "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\fswiss Arial;}{\\f1\\froman Times New Roman;}}"
                      "{\\colortbl;\\red0\\green0\\blue0;}\\viewkind4\\uc1\\pard\\f0\\fs20 ";
    std::size_t i = 0;
    while (c.palavras < kMinPalavras)
        for (const auto& f : frases) {
            std::string t;
            for (unsigned char ch : f) {
                if (ch == '\\' || ch == '{' || ch == '}') t += '\\';
                if (ch >= 0x80) {
                    char hex[8];
                    std::snprintf(hex, sizeof hex, "\\'%02x", ch);
                    t += hex;
                } else {
                    t += static_cast<char>(ch);
                }
            }
            if (++i % 5 == 0) t = "{\\b " + t + "}";
            if (i % 7 == 0) t = "{\\i\\f1 " + t + "}";
            doc += t + "\\par\r\n";
            c.palavras += ContarPalavras(f);
        }
    doc += "}";
    c.bytes = doc.size();
    c.documentos.push_back(std::move(doc));
    return c;
}

long RssKb()
{
    long paginas = 0, residentes = 0;
    if (std::FILE* f = std::fopen("/proc/self/statm", "r")) {
        if (std::fscanf(f, "%ld %ld", &paginas, &residentes) != 2) residentes = 0;
        std::fclose(f);
    }
    return residentes * (sysconf(_SC_PAGESIZE) / 1024);
}

// One stream request over a document in browser-sized chunks. Returns the
// output; `maiorRss`, when given, receives the largest resident size seen on
// the way and the output is not kept (it would grow with the document).
std::string Traduzir(FuncaoTraduzir traduzir, const std::string& doc, int tipo, long* maiorRss = nullptr)
{
    PedidoTraducao p{};
    std::vector<char> saida(MORIEL_TAM_SAIDA);
    p.tipo = static_cast<std::uint8_t>(tipo);
    p.modo = MODO_FLUXO;
    p.saida = saida.data();
    std::string resultado;
    std::vector<char> pedaco;
    std::size_t pos = 0;
    unsigned volta = 0;
    do {
        const std::size_t n = std::min(kPedaco, doc.size() - pos);
        pedaco.assign(doc.begin() + static_cast<long>(pos), doc.begin() + static_cast<long>(pos + n));
        pos += n;
        p.entrada = pedaco.data();
        p.tamEntrada = static_cast<std::int32_t>(n);
        if (!traduzir(&p)) break;
        const std::int32_t feito = p.tamSaida;
        if (feito > 0 && !maiorRss) resultado.append(p.saida, static_cast<std::size_t>(feito));
        if (maiorRss && ++volta % 16 == 0) *maiorRss = std::max(*maiorRss, RssKb());
    } while (p.threadTrabalho);
    return resultado;
}

// The best of three runs: on a shared machine the slower runs measure the
// other processes, not the engine.
double PalavrasPorSegundo(FuncaoTraduzir traduzir, const Corpus& c, unsigned threads)
{
    double melhor = 0;
    for (int vez = 0; vez < 3; ++vez) {
        const auto inicio = Relogio::now();
        std::vector<std::thread> ts;
        for (unsigned t = 0; t < threads; ++t)
            ts.emplace_back([&] {
                for (const auto& d : c.documentos) Traduzir(traduzir, d, c.tipo);
            });
        for (auto& t : ts) t.join();
        melhor = std::max(melhor, static_cast<double>(c.palavras) * threads / Segundos(inicio));
    }
    return melhor;
}

// --- start-up --------------------------------------------------------------

// Child mode: load the library, say how long it took, and hold it (and so the
// shared mappings) until the parent closes our input.
int ModoArranque(const char* biblioteca)
{
    const auto inicio = Relogio::now();
    void* h = dlopen(biblioteca, RTLD_NOW | RTLD_LOCAL);
    const double s = Segundos(inicio);
    std::printf("%s %.3f\n", h ? "ok" : "falhou", s * 1000.0);
    std::fflush(stdout);
    char c;
    while (read(0, &c, 1) > 0) {
    }
    return 0;
}

struct Filho {
    pid_t pid = -1;
    int escrita = -1;  // its input: closing it lets it end
    double msCarga = -1;  // dlopen, measured inside
    double msTotal = -1;  // from fork to its answer, exec and all
};

Filho IniciarFilho(const char* programa, const std::string& biblioteca)
{
    Filho f;
    int entrada[2], saida[2];
    if (pipe(entrada) != 0 || pipe(saida) != 0) return f;
    const auto inicio = Relogio::now();
    f.pid = fork();
    if (f.pid == 0) {
        dup2(entrada[0], 0);
        dup2(saida[1], 1);
        close(entrada[1]);
        close(saida[0]);
        execl(programa, programa, "--arranque", biblioteca.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    close(entrada[0]);
    close(saida[1]);
    f.escrita = entrada[1];
    char linha[64] = "";
    std::size_t n = 0;
    while (n + 1 < sizeof linha) {
        const ssize_t r = read(saida[0], linha + n, 1);
        if (r <= 0 || linha[n] == '\n') break;
        ++n;
    }
    linha[n] = '\0';
    f.msTotal = Segundos(inicio) * 1000.0;
    close(saida[0]);
    if (std::strncmp(linha, "ok ", 3) == 0) f.msCarga = std::atof(linha + 3);
    return f;
}

void EncerrarFilho(Filho& f)
{
    if (f.escrita >= 0) close(f.escrita);
    if (f.pid > 0) waitpid(f.pid, nullptr, 0);
}

// --- the peer chain --------------------------------------------------------

bool ParInstalado()
{
    return std::system("command -v apertium >/dev/null 2>&1 && apertium -l 2>/dev/null | grep -q eng-spa &&"
                       " apertium -l 2>/dev/null | grep -q es-pt_BR") == 0;
}

// Seconds the chain takes over `textoUtf8`, or a negative number on failure.
double TempoPar(const std::string& textoUtf8)
{
    char modelo[] = "/tmp/quillane_bench_par_XXXXXX";
    const int fd = mkstemp(modelo);
    if (fd < 0) return -1;
    const bool escrito = write(fd, textoUtf8.data(), textoUtf8.size()) == static_cast<ssize_t>(textoUtf8.size());
    close(fd);
    const std::string comando = std::string("apertium -f txt eng-spa < ") + modelo +
                                " | apertium -f txt es-pt_BR > /dev/null 2>&1";
    const auto inicio = Relogio::now();
    const int rc = escrito ? std::system(comando.c_str()) : -1;
    const double s = Segundos(inicio);
    unlink(modelo);
    return rc == 0 ? s : -1;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc == 3 && std::strcmp(argv[1], "--arranque") == 0) return ModoArranque(argv[2]);

    std::string pasta = QUILLANE_DADOS_DIR, gravar, perfil;
    bool comPar = true;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--sem-par") == 0)
            comPar = false;
        else if (std::strcmp(argv[i], "--gravar") == 0 && i + 1 < argc)
            gravar = argv[++i];
        else if (std::strcmp(argv[i], "--perfil") == 0 && i + 1 < argc)
            perfil = argv[++i];
        else
            pasta = argv[i];
    }
    // The library must find its data beside itself, not in the user's settings.
    char registro[] = "/tmp/quillane_bench_reg_XXXXXX";
    if (mkdtemp(registro)) setenv("QUILLANE_REGISTRO", registro, 1);
    const std::string biblioteca = pasta + "/libmoriel32.so";

    // Start-up first, while no process of ours holds the mappings.
    Filho primeiro, segundo;
    if (perfil.empty()) {
        primeiro = IniciarFilho("/proc/self/exe", biblioteca);
        segundo = IniciarFilho("/proc/self/exe", biblioteca);
        EncerrarFilho(segundo);
        EncerrarFilho(primeiro);
    }

    void* h = dlopen(biblioteca.c_str(), RTLD_NOW | RTLD_LOCAL);
    auto traduzir = h ? reinterpret_cast<FuncaoTraduzir>(dlsym(h, "VertalInglPort")) : nullptr;
    if (!traduzir) {
        std::fprintf(stderr, "cannot load %s: %s\n", biblioteca.c_str(), dlerror());
        return 1;
    }
    const std::vector<std::string> frases = FrasesIngles(QUILLANE_FONTE_DIR);
    if (frases.empty()) {
        std::fprintf(stderr, "no sentences in %s/data/corpus/dev.tsv\n", QUILLANE_FONTE_DIR);
        return 1;
    }
    std::vector<Corpus> corpora{CorpusTexto(frases), CorpusHtml(QUILLANE_FONTE_DIR), CorpusRtf(frases)};
    {
        // A request that gives nothing back means the engine is not ready.
        const std::string prova = Traduzir(traduzir, "The book.", TIPO_TEXTO);
        if (prova.empty()) {
            std::fprintf(stderr, "the engine in %s is not ready\n", pasta.c_str());
            return 1;
        }
    }
    if (!perfil.empty()) {
        const std::size_t i = perfil == "html" ? 1 : perfil == "rtf" ? 2 : 0;
        for (const auto& d : corpora[i].documentos) Traduzir(traduzir, d, corpora[i].tipo);
        return 0;
    }
    if (!gravar.empty()) {
        const char* arquivos[] = {"texto.out", "html.out", "rtf.out"};
        for (std::size_t i = 0; i < corpora.size(); ++i) {
            std::ofstream f(gravar + "/" + arquivos[i], std::ios::binary);
            for (const auto& d : corpora[i].documentos) f << Traduzir(traduzir, d, corpora[i].tipo);
        }
        return 0;
    }

    const unsigned nucleos = std::max(1u, std::thread::hardware_concurrency());
    std::printf("%-11s %9s %9s %14s %14s\n", "corpus", "words", "KB", "words/s 1 thr", "words/s");
    std::printf("%-11s %9s %9s %14s %11u thr\n", "", "", "", "", nucleos);
    double texto1 = 0;
    for (const auto& c : corpora) {
        const double um = PalavrasPorSegundo(traduzir, c, 1);
        const double todos = PalavrasPorSegundo(traduzir, c, nucleos);
        if (c.tipo == TIPO_TEXTO) texto1 = um;
        std::printf("%-11s %9zu %9zu %14.0f %14.0f\n", c.nome, c.palavras, c.bytes / 1024, um, todos);
    }

    // Memory: the largest resident size during one request over the plain
    // text, then over ten times that text; flat means the two agree.
    const std::string& base = corpora[0].documentos[0];
    std::string longo;
    for (int i = 0; i < 10; ++i) longo += base;
    const long antes = RssKb();
    long pico1 = antes, pico10 = antes;
    Traduzir(traduzir, base, TIPO_TEXTO, &pico1);
    Traduzir(traduzir, longo, TIPO_TEXTO, &pico10);
    rusage uso{};
    getrusage(RUSAGE_SELF, &uso);

    std::printf("\nstart-up, first process  : %8.2f ms in dlopen, %8.2f ms from fork to ready\n", primeiro.msCarga,
                primeiro.msTotal);
    std::printf("start-up, second process : %8.2f ms in dlopen, %8.2f ms from fork to ready%s\n", segundo.msCarga,
                segundo.msTotal, segundo.msCarga >= 0 && segundo.msCarga < 5 ? "  (target < 5 ms: met)" : "");
    std::printf("memory during a request  : %ld KB resident before, peak +%ld KB for %zu words, +%ld KB for %zu words\n",
                antes, pico1 - antes, corpora[0].palavras, pico10 - antes, corpora[0].palavras * 10);
    std::printf("peak memory (process)    : %ld KB\n", uso.ru_maxrss);

    if (comPar && ParInstalado()) {
        std::string utf8;
        for (const auto& f : frases) utf8 += Cp1252ParaUtf8(f) + "\n\n";
        std::string texto;
        std::size_t palavras = 0;
        while (palavras < kMinPalavras) {
            texto += utf8;
            palavras += ContarPalavras(Utf8ParaCp1252(utf8));
        }
        const double s = TempoPar(texto);
        if (s > 0) {
            const double par = static_cast<double>(palavras) / s;
            std::printf("peer chain (eng-spa | es-pt_BR), plain text, 1 process: %.0f words/s\n", par);
            std::printf("ratio, plain text in 1 thread: %.1f times the peer (target >= 50)\n", texto1 / par);
        } else {
            std::printf("peer chain failed to run\n");
        }
    } else if (comPar) {
        std::printf("peer chain not installed: no ratio\n");
    }
    return 0;
}
