#include "fonte.h"

#include <algorithm>
#include <cstdio>
#include <cerrno>
#include <cstring>
#include <fstream>

#include <fcntl.h>
#include <unistd.h>

#include "caracteres.h"
#include "compilador.h"
#include "mensagens.h"

const std::array<const char*, kNumConectores> NomesConector = {"", "E", "Ou"};
const std::array<const char*, kNumConectores> CodigosConector = {"", "&", "|"};

const std::array<const char*, kNumOperadores> NomesOperador = {
    "", "For um", "Concordar com um", "Pertencer a um", "For precedida de", "For seguida de", "A anterior for",
    "A pr\xF3xima for"};
const std::array<const char*, kNumOperadores> CodigosOperador = {"", "*", "@", "^", "<", ">", "-", "+"};

const std::array<const char*, kNumOpcoes> NomesOpcao = {
    "",
    "Substantivo",
    "Substantivo Plural",
    "Substantivo Feminino",
    "Substantivo Feminino Plural",
    "Adjetivo",
    "Adjetivo de Estado",
    "Adv\xE9rbio",
    "Verbo",
    "Verbo concordando com plural",
    "Verbo concordando com 3 pessoa",
    "Verbo no partic\xEDpio",
    "Preposicao",
    "Pronome",
    "Pronome 1 pessoa do singular",
    "Pronome 1 pessoa do plural",
    "Pronome 2 pessoa do singular",
    "Pronome 2 pessoa do plural",
    "Pronome 3 pessoa do singular",
    "Pronome 3 pessoa do plural",
    "Fim de frase",
    "Grupo nominal",
    "Grupo nominal no plural",
    "Grupo Verbal",
    "Present Perfect Continuous",
    "Past Perfect Continuous",
    "Present Simple",
    "Past Simple",
    "Present Continuous",
    "Past Continuous",
    "Present Perfect Simple",
    "Past Perfect Simple",
    "Gerund",
    "Infinitive",
    "Estilo"};
const std::array<const char*, kNumOpcoes> CodigosOpcao = {
    "",   "N",  "NP", "NF", "NFP", "A",  "AE", "D",  "V",  "VP", "V3", "VT", "O",  "P",  "P1", "P4", "P2", "P5",
    "P3", "P6", ".",  "1",  "1P",  "2",  "20", "21", "22", "23", "24", "25", "26", "27", "28", "29", "e"};

namespace {

constexpr const char* kTitulo = "Dalvenne";

bool Controle(char c) { return static_cast<unsigned char>(c) <= ' '; }

std::string_view Aparar(std::string_view t)
{
    while (!t.empty() && Controle(t.front())) t.remove_prefix(1);
    while (!t.empty() && Controle(t.back())) t.remove_suffix(1);
    return t;
}

std::string_view ChaveDaLinha(std::string_view linha) { return linha.substr(0, linha.find('!')); }

template <std::size_t N>
bool Valido(int indice, const std::array<const char*, N>&)
{
    return indice >= 1 && indice < static_cast<int>(N);
}

// A translation field may not hold the list's own delimiters nor line ends.
std::string TextoTraducao(const std::string& texto)
{
    std::string saida;
    for (char c : texto) {
        if (c == ',' || c == ')' || c == '\0') continue;
        saida += (c == '\r' || c == '\n' || c == '\t') ? ' ' : c;
    }
    return saida;
}

} // namespace

std::string NormalizarChave(std::string_view texto, FormaChave forma)
{
    texto = Aparar(texto);
    std::string saida;
    if (forma == FormaChave::Chave) {
        // "_" is the key form's own blank, so it counts as one: normalising a
        // key again leaves it as it is.
        for (char c : texto) {
            if ((c >= 'a' && c <= 'z') || c == '-') {
                saida += c;
            } else if (c == ' ' || c == '_') {
                if (!saida.empty() && saida.back() != '_') saida += '_';
            }
        }
        if (!saida.empty() && saida.back() == '_') saida.pop_back();
    } else {
        for (char c : texto) {
            if (c == '_') {
                if (!saida.empty() && saida.back() != ' ') saida += ' ';
            } else {
                saida += c;
            }
        }
    }
    return saida;
}

std::string CaminhoCompilado(const std::string& fonte)
{
    const std::size_t barra = fonte.rfind('/');
    const std::size_t ponto = fonte.rfind('.');
    // Only a "." of the file name counts, not one of a folder.
    if (ponto == std::string::npos || (barra != std::string::npos && ponto < barra)) return fonte + ".udc";
    return fonte.substr(0, ponto) + ".udc";
}

void FichaTraducao::Limpar()
{
    for (int i = 0; i < 4; ++i) conector[i] = verbo[i] = opcao[i] = -1;
    for (auto& t : conjugacao) t = TabelaConjugacao{};
}

void FichaEntrada::Limpar()
{
    substantivo = adjetivo = verbo = verboAuxiliar = adverbio = artigo = preposicao = interjeicao = pronome =
        conjuncao = false;
    mascaraLocucao = 0;
    formaBase.clear();
    genero = numero = -1;
    animado = false;
    deEstado = titulo = determinante = false;
    concordaNumero = concordaGenero = true;
    tipoArtigo = tipoPronome = pessoaPronome = -1;
    infinitivo = passado = participio = presente = gerundio = false;
    for (bool& p : pessoas) p = false;
    formaA = false;
    numeroVerbo = -1;
    pronomeR = pronomeL = pronomeQ = false;
}

void LerCondicao(std::string_view t, FichaTraducao& f)
{
    int k = 1;
    std::size_t i = 0;
    auto proximo = [&](char c) { return i + 1 < t.size() && t[i + 1] == c; };
    while (i < t.size()) {
        const char c = t[i];
        int opcao = 0;
        switch (c) {
        case '&':
        case '|':
            if (k == 3) return;  // room for three conditions only
            ++k;
            f.conector[k] = c == '&' ? 1 : 2;
            break;
        case '*': f.verbo[k] = 1; break;
        case '@': f.verbo[k] = 2; break;
        case '^': f.verbo[k] = 3; break;
        case '<': f.verbo[k] = 4; break;
        case '>': f.verbo[k] = 5; break;
        case '-': f.verbo[k] = 6; break;
        case '+': f.verbo[k] = 7; break;
        case 'N':
            opcao = 1;
            if (proximo('F')) {
                ++i;
                opcao = 3;
            }
            if (proximo('P')) {
                ++i;
                opcao += 1;
            }
            break;
        case 'A':
            opcao = 5;
            if (proximo('E')) {
                ++i;
                opcao = 6;
            }
            break;
        case 'D': opcao = 7; break;
        case 'V':
            opcao = 8;
            if (proximo('P')) ++i, opcao = 9;
            else if (proximo('3')) ++i, opcao = 10;
            else if (proximo('T')) ++i, opcao = 11;
            break;
        case 'O': opcao = 12; break;
        case 'P': {
            opcao = 13;
            static const int pessoa[6] = {14, 16, 18, 15, 17, 19};
            if (i + 1 < t.size() && t[i + 1] >= '1' && t[i + 1] <= '6') {
                ++i;
                opcao = pessoa[t[i] - '1'];
            }
            break;
        }
        case '.': opcao = 20; break;
        case '1':
            opcao = 21;
            if (proximo('P')) ++i, opcao = 22;
            break;
        case '2':
            opcao = 23;
            if (i + 1 < t.size() && t[i + 1] >= '0' && t[i + 1] <= '9') {
                ++i;
                opcao = 24 + (t[i] - '0');
            }
            break;
        case 'e': opcao = 34; break;
        default: break;
        }
        if (opcao) f.opcao[k] = opcao;
        ++i;
    }
}

std::string TextoCondicao(const FichaTraducao& f)
{
    std::string s;
    if (Valido(f.verbo[1], NomesOperador)) {
        s += NomesOperador[f.verbo[1]];
        if (Valido(f.opcao[1], NomesOpcao)) {
            s += ' ';
            s += NomesOpcao[f.opcao[1]];
        }
    }
    for (int k = 2; k <= 3; ++k) {
        if (!Valido(f.conector[k], NomesConector)) continue;
        s += "; ";
        s += NomesConector[f.conector[k]];
        if (!Valido(f.verbo[k], NomesOperador)) continue;
        s += ' ';
        s += NomesOperador[f.verbo[k]];
        if (Valido(f.opcao[k], NomesOpcao)) {
            s += ' ';
            s += NomesOpcao[f.opcao[k]];
        }
    }
    return s;
}

namespace {

bool Completa(const FichaTraducao& f, int k)
{
    return Valido(f.verbo[k], CodigosOperador) && Valido(f.opcao[k], CodigosOpcao) &&
           (k == 1 || Valido(f.conector[k], CodigosConector));
}

} // namespace

std::string CodigoCondicao(const FichaTraducao& f)
{
    std::string s;
    for (int k = 1; k <= 3; ++k) {
        if (!Completa(f, k)) continue;
        if (k > 1) s += CodigosConector[f.conector[k]];
        s += CodigosOperador[f.verbo[k]];
        s += CodigosOpcao[f.opcao[k]];
    }
    return s;
}

std::string ComporLinha(const std::string& chaveTela, const std::vector<LinhaTraducao>& traducoes,
                        const FichaEntrada& f)
{
    const std::string chave = NormalizarChave(chaveTela, FormaChave::Chave);
    if (chave.empty()) return {};
    std::vector<std::string> itens;

    if (f.mascaraLocucao) {
        std::string m = "#";
        for (int bit = 0; bit < 8; ++bit)
            if (f.mascaraLocucao & (1u << bit)) m += static_cast<char>('1' + bit);
        itens.push_back(m);
    }
    if (f.substantivo) {
        std::string g = "N";
        if (f.genero == 0) g += 'M';
        else if (f.genero == 1) g += 'F';
        if (f.numero == 0) g += 'S';
        else if (f.numero == 1) g += 'P';
        if (f.animado) g += 'A';
        itens.push_back(g);
    }
    if (f.adjetivo) {
        std::string g = "A";
        if (f.deEstado) g += 'E';
        if (f.titulo) g += 'T';
        if (f.determinante) g += 'D';
        if (!f.concordaNumero) g += 'N';
        if (!f.concordaGenero) g += 'G';
        itens.push_back(g);
    }
    if (f.verbo || f.verboAuxiliar) {
        std::string g = f.verbo ? "V" : "X";
        // Written so that a stored entry reads back as it was entered.
        if (f.infinitivo) g += 'V';
        if (f.passado) g += 'S';
        if (f.participio) g += 'R';
        if (f.presente) g += 'P';
        if (f.gerundio) g += 'G';
        for (int p = 0; p < 6; ++p)
            if (f.pessoas[p]) g += static_cast<char>('1' + p);
        if (f.formaA) g += 'A';
        if (f.numeroVerbo >= 0 && f.numeroVerbo <= 99) {
            g += 'I';
            g += static_cast<char>('0' + f.numeroVerbo / 10);
            g += static_cast<char>('0' + f.numeroVerbo % 10);
        }
        itens.push_back(g);
        if (f.verbo && f.verboAuxiliar) itens.push_back("X");
    }
    if (f.artigo) {
        std::string g = "E";
        if (f.tipoArtigo == 0) g += 'D';
        else if (f.tipoArtigo == 1) g += 'I';
        itens.push_back(g);
    }
    if (f.pronome) {
        std::string g = "P";
        static const char tipos[5] = {'P', 'S', 'D', 'I', 'N'};
        if (f.tipoPronome >= 0 && f.tipoPronome < 5) g += tipos[f.tipoPronome];
        if (f.pessoaPronome >= 0 && f.pessoaPronome < 6) g += static_cast<char>('1' + f.pessoaPronome);
        if (f.pronomeR) g += 'R';
        if (f.pronomeL) g += 'L';
        if (f.pronomeQ) g += 'Q';
        itens.push_back(g);
    }
    if (f.adverbio) itens.push_back("D");
    if (f.preposicao) itens.push_back("O");
    if (f.conjuncao) itens.push_back("J");
    if (f.interjeicao) itens.push_back("I");

    if (!traducoes.empty()) {
        std::string t = "T(";
        for (std::size_t i = 0; i < traducoes.size(); ++i) {
            const bool ultima = i + 1 == traducoes.size();
            if (i > 0) t += ',';
            t += TextoTraducao(traducoes[i].traducao);
            if (!ultima) t += ',';
            const std::string cond = CodigoCondicao(traducoes[i].ficha);
            if (ultima && !cond.empty()) t += ',';
            t += cond;
        }
        t += ')';
        itens.push_back(t);
    }
    const std::string base = NormalizarChave(f.formaBase, FormaChave::Chave);
    if (!base.empty() && base != chave) itens.push_back("R(" + base + ")");

    std::string linha = chave + "!";
    for (std::size_t i = 0; i < itens.size(); ++i) {
        if (i > 0) linha += '.';
        linha += itens[i];
    }
    return linha;
}

void AnalisarLinha(std::string_view linha, TelaEntrada& tela, FichaEntrada& f)
{
    f.Limpar();
    tela.traducoes.clear();
    const std::size_t excl = linha.find('!');
    tela.chave = NormalizarChave(linha.substr(0, excl), FormaChave::Exibicao);
    if (excl == std::string_view::npos) return;
    const std::string_view s = linha.substr(excl + 1);

    // The text between "(" and ")" (or the end of the line) after s[i].
    auto parenteses = [&](std::size_t& i) {
        const std::size_t ini = i + 2;
        std::size_t fim = s.find(')', ini);
        if (fim == std::string_view::npos) fim = s.size();
        i = fim + 1;
        return s.substr(ini, fim - ini);
    };

    enum class Grupo { Nenhum, Subst, Adj, Verbo, Artigo, Pron } grupo = Grupo::Nenhum;
    std::size_t i = 0;
    while (i < s.size()) {
        const char c = s[i];
        if (c == '.') {
            grupo = Grupo::Nenhum;
            ++i;
            continue;
        }
        switch (grupo) {
        case Grupo::Nenhum:
            if ((c == 'R' || c == 'T') && i + 1 < s.size() && s[i + 1] == '(') {
                const std::string_view dentro = parenteses(i);
                if (c == 'R') {
                    f.formaBase.assign(dentro);
                    continue;
                }
                LinhaTraducao* atual = nullptr;
                std::size_t ini = 0;
                for (bool traducao = true;; traducao = !traducao) {
                    const std::size_t virg = std::min(dentro.find(',', ini), dentro.size());
                    const std::string_view campo = dentro.substr(ini, virg - ini);
                    if (traducao) {
                        tela.traducoes.push_back({});
                        atual = &tela.traducoes.back();
                        atual->traducao = NormalizarChave(campo, FormaChave::Exibicao);
                    } else {
                        LerCondicao(campo, atual->ficha);
                        atual->quando = TextoCondicao(atual->ficha);
                    }
                    if (virg >= dentro.size()) break;
                    ini = virg + 1;
                }
                continue;
            }
            switch (c) {
            case '#':
                for (++i; i < s.size() && s[i] != '.'; ++i)
                    if (s[i] >= '1' && s[i] <= '8')
                        f.mascaraLocucao = static_cast<unsigned char>(f.mascaraLocucao | (1u << (s[i] - '1')));
                continue;
            case 'N': f.substantivo = true; grupo = Grupo::Subst; break;
            case 'A': f.adjetivo = true; grupo = Grupo::Adj; break;
            case 'V': f.verbo = true; grupo = Grupo::Verbo; break;
            case 'X': f.verboAuxiliar = true; grupo = Grupo::Verbo; break;
            case 'E': f.artigo = true; grupo = Grupo::Artigo; break;
            case 'P': f.pronome = true; grupo = Grupo::Pron; break;
            case 'D':
            case 'O':
            case 'J':
            case 'I':
                (c == 'D' ? f.adverbio : c == 'O' ? f.preposicao : c == 'J' ? f.conjuncao : f.interjeicao) = true;
                // As for the compiler, these classes ignore the rest of their item.
                while (i < s.size() && s[i] != '.') ++i;
                continue;
            default: break;
            }
            break;
        case Grupo::Subst:
            switch (c) {
            case 'A': f.animado = true; break;
            case 'I': f.animado = false; break;
            case 'M': f.genero = 0; break;
            case 'F': f.genero = 1; break;
            case 'S': f.numero = 0; break;
            case 'P': f.numero = 1; break;
            default: break;
            }
            break;
        case Grupo::Adj:
            switch (c) {
            case 'E': f.deEstado = true; break;
            case 'T': f.titulo = true; break;
            case 'D': f.determinante = true; break;
            case 'N': f.concordaNumero = false; break;
            case 'G': f.concordaGenero = false; break;
            default: break;
            }
            break;
        case Grupo::Verbo:
            switch (c) {
            case 'V': f.infinitivo = true; break;
            case 'S': f.passado = true; break;
            case 'R': f.participio = true; break;
            case 'P': f.presente = true; break;
            case 'G': f.gerundio = true; break;
            case 'A': f.formaA = true; break;
            case '1': case '2': case '3': case '4': case '5': case '6': f.pessoas[c - '1'] = true; break;
            case 'I':
                // The verb number's digits are not persons.
                if (i + 2 < s.size() && s[i + 1] >= '0' && s[i + 1] <= '9' && s[i + 2] >= '0' && s[i + 2] <= '9') {
                    f.numeroVerbo = (s[i + 1] - '0') * 10 + (s[i + 2] - '0');
                    i += 2;
                }
                break;
            default: break;
            }
            break;
        case Grupo::Artigo:
            if (c == 'D') f.tipoArtigo = 0;
            else if (c == 'I') f.tipoArtigo = 1;
            break;
        case Grupo::Pron:
            switch (c) {
            case 'P': f.tipoPronome = 0; break;
            case 'S': f.tipoPronome = 1; break;
            case 'D': f.tipoPronome = 2; break;
            case 'I': f.tipoPronome = 3; break;
            case 'N': f.tipoPronome = 4; break;
            case 'R': f.pronomeR = true; break;
            case 'L': f.pronomeL = true; break;
            case 'Q': f.pronomeQ = true; break;
            case '1': case '2': case '3': case '4': case '5': case '6': f.pessoaPronome = c - '1'; break;
            default: break;
            }
            break;
        }
        ++i;
    }
}

bool AntesNaLista(const std::string& a, const std::string& b)
{
    const std::size_t n = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < n; ++i) {
        const unsigned char x = TabMinusculas[static_cast<unsigned char>(a[i])];
        const unsigned char y = TabMinusculas[static_cast<unsigned char>(b[i])];
        if (x != y) return x < y;
    }
    if (a.size() != b.size()) return a.size() < b.size();
    return a < b;
}

void DicionarioFonte::Ordenar() { std::sort(linhas_.begin(), linhas_.end(), AntesNaLista); }

void DicionarioFonte::CarregarTexto(std::string_view texto)
{
    std::vector<std::string> linhas;
    std::string atual;
    for (std::size_t i = 0; i < texto.size(); ++i) {
        char c = texto[i];
        if (c == '\r' || c == '\n') {
            // CR LF, a bare LF or a bare CR all end a line; blank lines carry no entry.
            if (c == '\r' && i + 1 < texto.size() && texto[i + 1] == '\n') ++i;
            if (!atual.empty()) linhas.push_back(std::move(atual));
            atual.clear();
            continue;
        }
        if (c == '\0') continue;  // would cut the compiler's text short
        if (c == ':' || c == '\t') c = '!';
        atual += c;
    }
    if (!atual.empty()) linhas.push_back(std::move(atual));
    linhas_ = std::move(linhas);
    Ordenar();
}

bool DicionarioFonte::CarregarFonte(const std::string& caminho)
{
    std::FILE* f = std::fopen(caminho.c_str(), "rb");
    if (!f) return false;
    std::string texto;
    char buf[65536];
    std::size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, f)) > 0) texto.append(buf, n);
    const bool erro = std::ferror(f) != 0;
    std::fclose(f);
    if (erro) return false;
    CarregarTexto(texto);
    return true;
}

std::string DicionarioFonte::TextoCompilavel() const
{
    std::vector<std::string> ordenadas = linhas_;
    std::sort(ordenadas.begin(), ordenadas.end());  // unsigned bytes
    std::string texto;
    for (const auto& l : ordenadas) {
        texto += l;
        texto += "\r\n";
    }
    return texto;
}

bool DicionarioFonte::SalvarFonte(const std::string& caminho)
{
    // The source goes to a new file beside the old one and replaces it only
    // when it is complete: a full disc, a folder without permission or an
    // interrupted save never leave half a dictionary.
    std::string temporario;
    int fd = -1;
    for (int tentativa = 0; fd < 0 && tentativa < 100; ++tentativa) {
        temporario = caminho + ".tmp" + std::to_string(::getpid()) + "-" + std::to_string(tentativa);
        fd = ::open(temporario.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && errno != EEXIST) break;
    }
    int erro = fd < 0 ? errno : 0;
    if (fd >= 0) {
        std::string texto;
        for (const auto& l : linhas_) {
            texto += l;
            texto += "\r\n";
        }
        std::size_t feito = 0;
        while (!erro && feito < texto.size()) {
            const ssize_t n = ::write(fd, texto.data() + feito, texto.size() - feito);
            if (n < 0 && errno == EINTR) continue;
            if (n <= 0) erro = n < 0 ? errno : EIO;
            else feito += static_cast<std::size_t>(n);
        }
        if (!erro && ::fsync(fd) != 0) erro = errno;
        if (::close(fd) != 0 && !erro) erro = errno;
        if (!erro && ::rename(temporario.c_str(), caminho.c_str()) != 0) erro = errno;
        if (erro) ::unlink(temporario.c_str());
    }
    if (erro) {
        MostrarMensagem(kTitulo, "N\xE3o foi poss\xEDvel gravar o arquivo \"" + caminho + "\" (" +
                                     std::strerror(erro) + ").\n\nO dicion\xE1rio n\xE3o foi salvo.");
        return false;
    }
    const std::string texto = TextoCompilavel();
    if (!CompilarDicionario(texto.c_str(), CaminhoCompilado(caminho).c_str())) {
        MostrarMensagem(kTitulo, "Erro na compila\xE7\xE3o do dicion\xE1rio");
        return false;
    }
    return true;
}

DicionarioFonte::Busca DicionarioFonte::ProcurarEntrada(std::string_view palavra) const
{
    const std::string chave = NormalizarChave(palavra, FormaChave::Chave);
    std::size_t ini = 0;
    std::size_t fim = linhas_.size();
    while (ini < fim) {
        const std::size_t meio = ini + (fim - ini) / 2;
        const int cmp = ChaveDaLinha(linhas_[meio]).compare(chave);
        if (cmp == 0) return {true, static_cast<int>(meio)};
        if (cmp < 0) ini = meio + 1;
        else fim = meio;
    }
    return {false, static_cast<int>(ini)};
}

int DicionarioFonte::GravarEntrada(int posicao, TelaEntrada& tela, const FichaEntrada& ficha)
{
    const std::string linha = ComporLinha(tela.chave, tela.traducoes, ficha);
    if (linha.empty()) return -1;
    tela.chave = NormalizarChave(ChaveDaLinha(linha), FormaChave::Exibicao);
    if (posicao >= 0 && posicao < Contagem()) linhas_.erase(linhas_.begin() + posicao);
    const auto lugar = std::upper_bound(linhas_.begin(), linhas_.end(), linha, AntesNaLista);
    const auto novo = linhas_.insert(lugar, linha);
    return static_cast<int>(novo - linhas_.begin());
}

bool DicionarioFonte::ExcluirEntrada(int indice)
{
    if (indice < 0 || indice >= Contagem()) return false;
    linhas_.erase(linhas_.begin() + indice);
    return true;
}

bool DicionarioFonte::MostrarEntrada(int indice, TelaEntrada& tela, FichaEntrada& ficha) const
{
    if (indice < 0 || indice >= Contagem()) return false;
    AnalisarLinha(linhas_[indice], tela, ficha);
    return true;
}

void DicionarioFonte::Limpar() { linhas_.clear(); }

int CompilarArquivoFonte(const std::string& fonte, const std::string& destino)
{
    DicionarioFonte dic;
    if (!dic.CarregarFonte(fonte)) return 2;
    const std::string alvo = destino.empty() ? CaminhoCompilado(fonte) : destino;
    return CompilarDicionario(dic.TextoCompilavel().c_str(), alvo.c_str()) ? 0 : 1;
}

int CompilarArquivosFonte(const std::vector<std::string>& fontes, const std::string& destino,
                          std::string& ilegivel)
{
    std::vector<std::vector<std::string>> linhas;
    for (const auto& fonte : fontes) {
        DicionarioFonte dic;
        if (!dic.CarregarFonte(fonte)) {
            ilegivel = fonte;
            return 2;
        }
        linhas.push_back(dic.Linhas());
    }
    return CompilarDicionario(JuntarFontes(linhas).c_str(), destino.c_str()) ? 0 : 1;
}
