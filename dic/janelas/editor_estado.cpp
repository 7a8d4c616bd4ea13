#include "editor_estado.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>

#include <sys/stat.h>
#include <unistd.h>

#include "caracteres.h"
#include "instalacao.h"

namespace {

bool Existe(const std::string& caminho)
{
    struct stat st {};
    return ::stat(caminho.c_str(), &st) == 0;
}

std::string Minusculas(const std::string& t)
{
    std::string s = t;
    for (char& c : s) c = static_cast<char>(TabMinusculas[static_cast<unsigned char>(c)]);
    return s;
}

bool Verbal(const FichaTraducao& f)
{
    for (int k = 1; k <= 3; ++k)
        if (f.verbo[k] == 1 && f.opcao[k] == 8) return true;
    return false;
}

bool SemCondicao(const FichaTraducao& f)
{
    for (int k = 1; k <= 3; ++k)
        if (f.verbo[k] >= 1) return false;
    return true;
}

} // namespace

bool& FlagClasse(FichaEntrada& f, int item)
{
    switch (item) {
    case kClasseSubstantivo: return f.substantivo;
    case kClasseAdjetivo: return f.adjetivo;
    case kClasseVerbo: return f.verbo;
    case kClasseAdverbio: return f.adverbio;
    case kClasseInterjeicao: return f.interjeicao;
    case kClasseArtigo: return f.artigo;
    case kClasseConjuncao: return f.conjuncao;
    case kClassePreposicao: return f.preposicao;
    case kClassePronome: return f.pronome;
    default: return f.verboAuxiliar;
    }
}

bool FlagClasse(const FichaEntrada& f, int item) { return FlagClasse(const_cast<FichaEntrada&>(f), item); }

std::array<bool, kNumClasses> ClassesHabilitadas(const FichaEntrada& f)
{
    std::array<bool, kNumClasses> h{};
    auto so = [&h](std::initializer_list<int> itens) {
        h.fill(false);
        for (int i : itens) h[static_cast<std::size_t>(i)] = true;
    };
    h.fill(true);
    if (f.substantivo || f.adjetivo || f.adverbio || (f.verbo && !f.verboAuxiliar))
        so({kClasseSubstantivo, kClasseAdjetivo, kClasseVerbo, kClasseAdverbio});
    else if (f.interjeicao) so({kClasseInterjeicao});
    else if (f.artigo) so({kClasseArtigo});
    else if (f.conjuncao) so({kClasseConjuncao});
    else if (f.preposicao) so({kClassePreposicao});
    else if (f.pronome) so({kClassePronome});
    else if (f.verboAuxiliar) so({kClasseVerbo, kClasseVerboAuxiliar});
    return h;
}

bool ConjugaTraducao(const FichaEntrada& f, const std::vector<const FichaTraducao*>& t, int sel)
{
    if (!(f.verbo || f.verboAuxiliar)) return false;
    if (sel < 0 || sel >= static_cast<int>(t.size()) || !t[static_cast<std::size_t>(sel)]) return false;
    if (!(f.substantivo || f.adjetivo || f.adverbio)) return true;
    const FichaTraducao& s = *t[static_cast<std::size_t>(sel)];
    if (Verbal(s)) return true;
    if (!SemCondicao(s)) return false;
    // The first unconditioned translation is the one the engine takes when
    // no condition picks another: it is the verb only if none above it is.
    for (int i = 0; i < sel; ++i) {
        const FichaTraducao* a = t[static_cast<std::size_t>(i)];
        if (a && (SemCondicao(*a) || Verbal(*a))) return false;
    }
    return true;
}

PaginasEntrada CalcularPaginas(const FichaEntrada& f, int numTraducoes, bool conjuga, int ativa)
{
    PaginasEntrada p;
    p.disponivel[kPaginaVerboPortugues] = conjuga;
    p.disponivel[kPaginaPronome] = f.pronome;
    p.disponivel[kPaginaArtigo] = f.artigo;
    p.disponivel[kPaginaVerboIngles] = f.verbo || f.verboAuxiliar;
    p.disponivel[kPaginaAdjetivo] = f.adjetivo;
    p.disponivel[kPaginaSubstantivo] = f.substantivo;
    const bool algumaClasse = f.pronome || f.artigo || f.verbo || f.verboAuxiliar || f.adjetivo || f.substantivo;
    p.disponivel[kPaginaAvancado] = algumaClasse && numTraducoes > 1;
    if (ativa >= 0 && ativa < kNumPaginas && p.disponivel[static_cast<std::size_t>(ativa)]) {
        p.ativa = ativa;
        return p;
    }
    p.ativa = kPaginaVazia;
    for (int pg : {kPaginaPronome, kPaginaArtigo, kPaginaVerboIngles, kPaginaAdjetivo, kPaginaSubstantivo})
        if (p.disponivel[static_cast<std::size_t>(pg)]) p.ativa = pg;
    return p;
}

std::string NomeDicionario(const std::string& caminho)
{
    const std::size_t barra = caminho.rfind('/');
    std::string nome = barra == std::string::npos ? caminho : caminho.substr(barra + 1);
    const std::size_t ext = nome.find(".udc");
    if (ext != std::string::npos) nome.erase(ext);
    return nome;
}

bool ListaContem(const std::vector<std::string>& lista, const std::string& nome)
{
    const std::string n = Minusculas(nome);
    for (const auto& l : lista)
        if (Minusculas(l) == n) return true;
    return false;
}

std::vector<std::string> LerListaUserDic(const std::string& texto)
{
    std::vector<std::string> lista;
    std::string atual;
    for (char c : texto) {
        if (c == '\r' || c == '\n') {
            if (!atual.empty()) lista.push_back(atual);
            atual.clear();
        } else {
            atual += c;
        }
    }
    if (!atual.empty()) lista.push_back(atual);
    return lista;
}

std::string TextoUserDic(const std::vector<std::string>& lista)
{
    std::string t;
    for (const auto& n : lista) t += n + "\r\n";
    return t;
}

std::string PastaInstalacao(const std::string& instalada, const std::string& padrao)
{
    char dirRoot[256];
    LerDirRoot(dirRoot, sizeof dirRoot);
    if (dirRoot[0]) return dirRoot;
    if (Existe(instalada + "/libmoriel32.so")) return instalada;
    return padrao;
}

namespace {

bool EPasta(const std::string& caminho)
{
    struct stat st {};
    return ::stat(caminho.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

// Creates `pasta` and its missing parents with mode 0700.
bool CriarPastas(const std::string& pasta)
{
    if (EPasta(pasta)) return true;
    for (std::size_t fim = pasta.find('/', 1);; fim = pasta.find('/', fim + 1)) {
        const std::string parte = pasta.substr(0, fim);
        if (::mkdir(parte.c_str(), 0700) != 0 && errno != EEXIST) return false;
        if (fim == std::string::npos) break;
    }
    return EPasta(pasta);
}

std::string PastaPropria()
{
    char pasta[256];
    return PastaDicUsuario(pasta, sizeof pasta) ? pasta : "";
}

} // namespace

bool PastaGravavel(const std::string& pasta)
{
    return EPasta(pasta) && ::access(pasta.c_str(), W_OK | X_OK) == 0;
}

std::string PastaDosDicionarios(const std::string& pastaInstalacao,
                                const std::function<bool(const std::string&)>& gravavel)
{
    const std::string instalada = pastaInstalacao + "/dic";
    if (gravavel && gravavel(instalada)) return instalada;
    const std::string propria = PastaPropria();
    if (propria.empty() || !CriarPastas(propria)) return instalada;
    return propria;
}

std::vector<std::string> PastasDeBusca(const std::string& pastaDic)
{
    std::vector<std::string> pastas;
    const std::string propria = PastaPropria();
    if (!propria.empty() && EPasta(propria)) pastas.push_back(propria);
    if (pastas.empty() || pastas.front() != pastaDic) pastas.push_back(pastaDic);
    return pastas;
}

std::string PastaAjuda(const std::string& instalada, const std::string& padrao)
{
    const char* env = std::getenv("QUILLANE_AJUDA_DIR");
    if (env && *env) return env;
    if (Existe(instalada + "/dic.html")) return instalada;
    return padrao;
}

bool CarregarFonteVerificada(const std::string& caminho, DicionarioFonte& dic, std::string& erro)
{
    std::ifstream f(caminho, std::ios::binary);
    struct stat st {};
    if (!f || ::stat(caminho.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) {
        if (f) errno = EISDIR;
        erro = "O arquivo " + caminho + " n\xE3o pode ser lido (" + std::strerror(errno) + ").";
        return false;
    }
    const std::string texto{std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>()};
    if (f.bad()) {
        erro = "O arquivo " + caminho + " n\xE3o pode ser lido.";
        return false;
    }
    const auto danificado = [&](int linha) {
        erro = "O arquivo " + caminho + " est\xE1 danificado (linha " + std::to_string(linha) +
               ").\n\nO dicion\xE1rio aberto n\xE3o foi alterado.";
        return false;
    };
    // A source is text: a NUL byte or a line that is not "key!codes" means
    // the file is something else or was cut short.
    int numero = 0;
    std::size_t ini = 0;
    while (ini < texto.size()) {
        ++numero;
        std::size_t fim = texto.find('\n', ini);
        if (fim == std::string::npos) fim = texto.size();
        const std::string linha = texto.substr(ini, fim - ini);
        ini = fim + 1;
        if (linha.find('\0') != std::string::npos) return danificado(numero);
        if (linha.empty() || linha == "\r") continue;
        if (linha.find_first_of("!:\t") == 0 || linha.find_first_of("!:\t") == std::string::npos)
            return danificado(numero);
    }
    DicionarioFonte novo;
    novo.CarregarTexto(texto);
    dic = std::move(novo);
    return true;
}
