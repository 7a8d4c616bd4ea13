#include "formats/texto.h"

#include <algorithm>
#include <cstring>

namespace {

// The plain-text reader's sets. Unlike the frame's, a NUL belongs to none:
// it is kept like a blank that must come back.
// Each set is looked up in a table of its bytes, built once: the reader asks
// several times for every byte of the text.
enum Conjunto { kBrancos, kDelimitadores, kFinais, kApostrofos, kInternos, kConjuntos };

struct clTabelasBytes {
    bool tem[kConjuntos][256] = {};
    clTabelasBytes()
    {
        const char* const conjuntos[kConjuntos] = {BRANCOS, DELIMITADORES, FINAIS, APOSTROFOS, INTERNOS};
        for (int k = 0; k < kConjuntos; ++k)
            for (const char* p = conjuntos[k]; *p; ++p) tem[k][static_cast<unsigned char>(*p)] = true;
    }
};

const clTabelasBytes tabelas;

bool Em(Conjunto conjunto, int c) { return c > 0 && c <= 0xFF && tabelas.tem[conjunto][c]; }
bool Branco(int c) { return c == 0 || Em(kBrancos, c); }

constexpr std::size_t kMaxLinha = clDocTexto::kMaxLinha;
constexpr std::size_t kMaxPalavraLonga = 4096;

// Blanks that are more than a blank: a line end, a NUL.
bool Quebra(const std::string& brancos)
{
    for (const char b : brancos)
        if (b == '\r' || b == '\n' || b == '\v' || b == '\0') return true;
    return false;
}

int Linhas(const std::string& brancos)
{
    int n = 0;
    for (std::size_t i = 0; i < brancos.size(); ++i)
        if (brancos[i] == '\n' || (brancos[i] == '\r' && (i + 1 == brancos.size() || brancos[i + 1] != '\n'))) ++n;
    return n;
}

bool Digito(char c) { return c >= '0' && c <= '9'; }
bool Maiuscula(char c) { return c >= 'A' && c <= 'Z'; }
bool Letra(char c) { return (c >= 'a' && c <= 'z') || Maiuscula(c); }

std::size_t Recuo(const std::string& linha)
{
    std::size_t n = 0, coluna = 0;
    for (; n < linha.size() && (linha[n] == ' ' || linha[n] == '\t'); ++n) coluna = linha[n] == '\t' ? (coluna / 8 + 1) * 8 : coluna + 1;
    return coluna;
}

std::string SemRecuo(const std::string& linha)
{
    const auto inicio = linha.find_first_not_of(" \t");
    if (inicio == std::string::npos) return {};
    auto fim = linha.find_last_not_of(" \t\r");
    return linha.substr(inicio, fim - inicio + 1);
}

// "- ", "* ", "+ ", "• ", "1. ", "12) ", "a) ": the start of a list item.
std::size_t Marcador(const std::string& t)
{
    if (t.size() >= 2 && std::strchr("-*+\x95", t[0]) && (t[1] == ' ' || t[1] == '\t')) return 2;
    std::size_t i = 0;
    while (i < t.size() && i < 3 && Digito(t[i])) ++i;
    if (i == 0 && t.size() >= 2 && Letra(t[0]) && t[1] == ')') i = 1;
    if (i > 0 && i + 1 < t.size() && (t[i] == '.' || t[i] == ')') && (t[i + 1] == ' ' || t[i + 1] == '\t'))
        return i + 2;
    return 0;
}

// "Name:", "Home page: x": a short label at the start of a line.
bool Rotulo(const std::string& t)
{
    if (t.empty() || !Maiuscula(t[0])) return false;
    int palavras = 1;
    for (std::size_t i = 1; i < t.size() && i < 32; ++i) {
        const char c = t[i];
        if (c == ':') return i + 1 == t.size() || t[i + 1] == ' ' || t[i + 1] == '\t';
        if (c == ' ' && ++palavras > 3) return false;
        if (!Letra(c) && !Digito(c) && c != ' ' && c != '-' && c != '_' && c != '/') return false;
    }
    return false;
}

bool Codigo(const std::string& t)
{
    if (t.empty()) return false;
    for (const char* inicio : {"$ ", "#include", "#!", "//", "/*", "*/", ">>> ", "```", "<?", "<!--"})
        if (t.rfind(inicio, 0) == 0) return true;
    const char ultimo = t.back();
    if (ultimo == '{' || ultimo == '}' || ultimo == ';' || ultimo == '\\') return true;
    // Function names and "::" are common in prose about programs: not code.
    for (const char* trecho : {" = ", "==", "!=", "->", "&&", "||", "+=", "){", "();"})
        if (t.find(trecho) != std::string::npos) return true;
    return false;
}

// Nothing but marks: an underline ("====", "----") or a table border.
bool SoMarcas(const std::string& t)
{
    if (t.size() < 2) return false;
    for (char c : t)
        if (Letra(c) || Digito(c) || static_cast<unsigned char>(c) >= 0x80) return false;
    return true;
}

// The end of a character reference, "&#8217;", "&amp;", inside a word.
bool FimDeReferencia(const char* texto, std::size_t n)
{
    std::size_t i = n;
    while (i > 0 && (Letra(texto[i - 1]) || Digito(texto[i - 1]))) --i;
    if (i == n) return false;
    if (i > 0 && texto[i - 1] == '#') --i;
    return i > 0 && texto[i - 1] == '&' && n - i <= 10;
}

} // namespace

bool clDocTexto::FimDeUnidade(const std::string& linha, const std::string& seguinte)
{
    const std::string atual = SemRecuo(linha);
    const std::string proxima = SemRecuo(seguinte);
    if (proxima.empty()) return true;                    // a blank line, or nothing more
    // The column where the current line's text starts, after any list marker.
    const std::size_t coluna = Recuo(linha) + Marcador(atual);
    if (Recuo(seguinte) > coluna) return true;           // indented: a block, a definition, code
    if (Marcador(proxima) || Rotulo(proxima)) return true;
    if (Codigo(atual) || Codigo(proxima)) return true;
    if (SoMarcas(atual) || SoMarcas(proxima)) return true;
    if (!atual.empty() && atual[0] == '#') return true;  // a heading
    return false;
}

int clDocTexto::Ler()
{
    int c;
    if (!adiante.empty()) {
        c = adiante.back();
        adiante.pop_back();
    } else {
        c = LerCaractere();
    }
    if (c == '\n') {
        atual ^= 1;  // the current line becomes the previous one
        linhas[atual].tam = 0;
    } else if (c != FIM_ENTRADA && linhas[atual].tam < kMaxLinha) {
        linhas[atual].bytes[linhas[atual].tam++] = static_cast<char>(c);
    }
    return c;
}

void clDocTexto::Devolver(int c)
{
    adiante.push_back(c);
    if (c == '\n') {
        atual ^= 1;  // the previous line is current again, with none before it
        linhas[atual ^ 1].tam = 0;
    } else if (c != FIM_ENTRADA && linhas[atual].tam > 0) {
        --linhas[atual].tam;
    }
}

void clDocTexto::EscreverBytes(const std::string& bytes)
{
    for (char b : bytes) EscreverCaractere(b);  // a NUL too
}

void clDocTexto::DevolverPalavra(const clPalavra& palavra, std::int16_t tipo)
{
    if (topoPalavras >= 0) return;  // one slot: the reader never gives back two
    ++topoPalavras;
    pilhaPalavras[topoPalavras] = palavra;
    tiposPilha[topoPalavras] = tipo;
}

std::int16_t clDocTexto::Guardar(std::string&& texto)
{
    const std::int16_t numero = proximoNumero;
    proximoNumero = static_cast<std::int16_t>(proximoNumero == 0x7FFF ? clMarcas::kPrimeiroLugar : proximoNumero + 1);
    // Blanks without a line break write nothing: only a stale text under
    // the number, from before it wrapped around, must go.
    if (texto.empty()) {
        if (!quebras.empty()) quebras.erase(numero);
    } else {
        quebras[numero] = std::move(texto);
    }
    return numero;
}

bool clDocTexto::LerToken(clPalavra& w, std::int16_t& tipo)
{
    if (topoPalavras >= 0) {
        w = pilhaPalavras[topoPalavras];
        tipo = tiposPilha[topoPalavras];
        --topoPalavras;
        return true;
    }
    w.Limpar();
    tipo = TK_PALAVRA;

    // The blanks before the token; the line they end is the one just read,
    // the first tamLinha bytes of the line the blanks leave behind (only
    // appended to while they are read).
    const std::size_t tamLinha = linhas[atual].tam;
    std::string brancos;
    int c;
    while ((c = Ler()) != FIM_ENTRADA && Branco(c)) brancos += static_cast<char>(c);
    if (c == FIM_ENTRADA) {
        // Blanks that end the document are written after the last sentence,
        // so a final line break is not lost.
        brancosFinais = brancos;
        w.espacoAntes = !brancos.empty();
        return false;
    }
    brancosFinais.clear();
    w.espacoAntes = !brancos.empty();
    if (Quebra(brancos)) {
        // A line end inside a sentence. Either the next line is something
        // new, and the sentence ends here (an empty word, like a paragraph
        // end, with the line end left for the next sentence), or the break
        // goes on with the next word.
        bool fim = Linhas(brancos) >= 2;
        if (!fim && Linhas(brancos) == 1 && !frasePorComecar) {
            // One line end: a line feed made the line the previous one, a
            // lone carriage return left it current. Taken before the
            // look-ahead below moves the lines again.
            const clLinha& deixada = linhas[brancos.find('\n') != std::string::npos ? atual ^ 1 : atual];
            const std::string linha(deixada.bytes, std::min(tamLinha, deixada.tam));
            // The start of the next line, as far as the rules need it.
            std::string seguinte = brancos.substr(brancos.find_last_of("\r\n") + 1);
            std::string lidos;
            int d = c;
            while (d != FIM_ENTRADA && d != '\n' && d != '\r' && lidos.size() < kMaxLinha) {
                lidos += static_cast<char>(d);
                d = Ler();
            }
            Devolver(d);
            for (auto it = lidos.rbegin(); it != lidos.rend(); ++it)
                if (it + 1 != lidos.rend()) Devolver(static_cast<unsigned char>(*it));
            fim = FimDeUnidade(linha, seguinte + lidos);
        }
        if (fim && !frasePorComecar) {
            Devolver(c);
            brancosPendentes += brancos;
            tipo = TK_FIM_FRASE;
            w.espacoAntes = 0;
            return true;
        }
        if (frasePorComecar) {
            EscreverBytes(brancos);  // before the sentence: nothing of it written yet
            brancos.clear();
        }
    } else {
        brancos.clear();
    }
    // Every word carries its place in the sentence, with the line break
    // before it if there is one: a break whose word the translation drops
    // or merges goes before the next word from further on.
    const std::int16_t numero = Guardar(std::move(brancos));
    w.marcas.Acrescentar(numero);
    frasePorComecar = false;

    std::size_t n = 0;
    w.texto[n++] = static_cast<char>(c);
    if (Em(kDelimitadores, c)) {
        w.texto[n] = '\0';
        if (Em(kFinais, c)) {
            tipo = TK_FIM_FRASE;
        } else if (Em(kApostrofos, c)) {
            // The mark that closed a quotation is read alone once the word
            // before it ends; it must not open another.
            if (aspaFechando) aspaFechando = false;
            else aspaAberta ^= 1;
        }
        return true;
    }
    // The word, as long as it goes: one that does not fit the word field is
    // kept whole apart and stands in the sentence as a non-word token.
    std::string longa;
    auto acrescentar = [&](char b) {
        if (!longa.empty()) {
            longa += b;
        } else if (n < kTamPalavra - 2) {
            w.texto[n++] = b;
        } else {
            longa.assign(w.texto, n);
            longa += b;
        }
    };
    while (longa.size() < kMaxPalavraLonga) {
        c = Ler();
        if (c == FIM_ENTRADA) {
            Devolver(c);
            break;
        }
        if (!Branco(c) && !Em(kDelimitadores, c)) {
            if (longa.empty() && n < kTamPalavra - 2) w.texto[n++] = static_cast<char>(c);  // most bytes
            else acrescentar(static_cast<char>(c));
            continue;
        }
        if (c == ';' && longa.empty() && FimDeReferencia(w.texto, n)) {
            acrescentar(';');  // "cat&#8217;s" is one word
            continue;
        }
        if (Em(kInternos, c)) {
            const int seguinte = Ler();
            Devolver(seguinte);
            if (seguinte != FIM_ENTRADA && !Branco(seguinte) && !Em(kDelimitadores, seguinte)) {
                acrescentar(Em(kApostrofos, c) ? '\'' : static_cast<char>(c));
                continue;
            }
            if (Em(kApostrofos, c) && !aspaAberta) {
                acrescentar('\'');  // a trailing apostrophe, as in "boys'"
                continue;
            }
            if (Em(kApostrofos, c)) {
                aspaAberta = 0;
                aspaFechando = true;
            }
        }
        Devolver(c);
        break;
    }
    if (!longa.empty()) {
        // A control character makes the token a non-word for the analysis.
        if (longas.size() > 1000) longas.clear();  // tokens the translation dropped
        longas[numero] = longa;
        std::memcpy(w.texto, "\x1A", 2);
        w.padraoCaixa = CAIXA_NENHUMA;
        w.aplicarCaixa = 0;
        return true;
    }
    w.texto[n] = '\0';
    w.Classificar();
    return true;
}

void clDocTexto::CopiarEspacos()
{
    EscreverBytes(brancosPendentes);
    brancosPendentes.clear();
    int c;
    while ((c = Ler()) != FIM_ENTRADA && Branco(c)) EscreverCaractere(static_cast<char>(c));
    Devolver(c);
}

bool clDocTexto::LerFrase(clFrase& origem)
{
    aspaAberta = 0;
    aspaFechando = false;
    origem.Limpar();
    quebrasDaFrase.clear();
    // A word given back by the previous sentence already took the blanks
    // before it; those after it belong to the next word and must not be
    // copied out, or the two words would run together.
    if (topoPalavras < 0) CopiarEspacos();
    frasePorComecar = topoPalavras < 0;
    clPalavra w;
    bool lida = false;
    while (true) {
        std::int16_t tipo = TK_PALAVRA;
        if (!LerToken(w, tipo)) {
            lida = origem.Ultimo() >= 0;
            break;
        }
        if (tipo != TK_PALAVRA && tipo != TK_FIM_FRASE) continue;
        if (espacoPendente) {
            w.espacoAntes = 1;
            espacoPendente = 0;
        }
        if (!origem.Acrescentar(w)) {
            DevolverPalavra(w, tipo);
            lida = true;
            break;
        }
        quebrasDaFrase.insert(quebrasDaFrase.end(), w.marcas.itens, w.marcas.itens + w.marcas.Quantos());
        if (tipo == TK_FIM_FRASE) {
            lida = true;
            break;
        }
    }
    frasePorComecar = true;
    return lida;
}

void clDocTexto::EscreverFrase(clFrase& frase)
{
    // Each line break of the sentence is written once, in reading order,
    // before the first word that carries it; a break that no word carries
    // any more goes before the next one that is written, or at the end.
    // The places are written in order: those before `feitas` are written,
    // none after.
    std::size_t feitas = 0;
    auto escreverAte = [&](std::size_t ate) {
        bool algum = false;
        const std::size_t inicio = feitas;
        if (ate > feitas) feitas = std::min(ate, quebrasDaFrase.size());
        for (std::size_t k = inicio; k < feitas; ++k) {
            const auto it = quebras.find(quebrasDaFrase[k]);
            if (it == quebras.end()) continue;
            EscreverBytes(it->second);
            algum = algum || !it->second.empty();
            quebras.erase(it);
        }
        return algum;
    };
    for (int i = 0; i <= frase.Ultimo(); ++i) {
        clPalavra* w = frase.Obter(i);
        w->AplicarCaixa();
        std::size_t ate = 0;
        for (int m = 0; m < w->marcas.Quantos(); ++m) {
            const auto pos = std::find(quebrasDaFrase.begin(), quebrasDaFrase.end(), w->marcas.itens[m]);
            if (pos != quebrasDaFrase.end() && static_cast<std::size_t>(pos - quebrasDaFrase.begin()) >= feitas)
                ate = std::max(ate, static_cast<std::size_t>(pos - quebrasDaFrase.begin()) + 1);
        }
        const bool quebrou = escreverAte(ate);
        if (w->espacoAntes && !quebrou) EscreverCaractere(' ');
        if (std::strcmp(w->texto, "\x1A") == 0) {
            // The token that stands for a long word: the word itself.
            bool longa = false;
            for (int m = 0; m < w->marcas.Quantos() && !longa; ++m) {
                const auto it = longas.find(w->marcas.Obter(m));
                if (it == longas.end()) continue;
                EscreverBytes(it->second);
                longas.erase(it);
                longa = true;
            }
            if (longa) continue;
        }
        EscreverTexto(w->texto);
    }
    escreverAte(quebrasDaFrase.size());
    quebrasDaFrase.clear();
    EscreverBytes(brancosFinais);
    brancosFinais.clear();
}
