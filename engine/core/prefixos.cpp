#include "core/prefixos.h"

#include <cstring>

#include "caracteres.h"
#include "dictionary/dicionario.h"

namespace {

constexpr std::uint16_t V = CL_VERBO;
constexpr std::uint16_t N = CL_SUBSTANTIVO;
constexpr std::uint16_t A = CL_ADJETIVO;
constexpr std::uint16_t D = CL_ADVERBIO;
constexpr ModoPrefixo J = ModoPrefixo::JUNTO;
constexpr ModoPrefixo H = ModoPrefixo::HIFEN;
constexpr ModoPrefixo S = ModoPrefixo::SEPARADO;

// "over", "under", "out", "mis", "cross" and "mid" are left out: their
// Portuguese depends on the word ("overwrite": "sobrescrever", "cross-
// platform": "multiplataforma"). "re" is tried joined in English only
// before a vowel: elsewhere its hyphen tells words apart ("re-sign",
// "resign"; "re-cover", "recover").
const clPrefixo kPrefixos[] = {
    {"anti", "anti", J, "hi", false, N | A, true, true},
    {"auto", "auto", J, "ho", false, V | N | A, false, true},
    {"bi", "bi", J, "hi", false, N | A, true, true},
    {"co", "co", J, "", true, V | N | A, false, true},
    {"counter", "contra", J, "ha", false, V | N | A, false, true},
    {"de", "des", J, "", true, V | N, false, true},
    {"extra", "extra", J, "ha", false, N | A, false, true},
    {"hyper", "hiper", J, "hr", false, N | A, false, true},
    {"infra", "infra", J, "ha", false, N | A, false, true},
    {"inter", "inter", J, "hr", false, V | N | A, true, true},
    {"intra", "intra", J, "ha", false, N | A, true, true},
    {"macro", "macro", J, "ho", false, N | A, false, true},
    {"meta", "meta", J, "ha", false, N | A, false, true},
    {"micro", "micro", J, "ho", false, V | N | A, false, true},
    {"mini", "mini", J, "hi", false, N | A, false, true},
    {"mono", "mono", J, "ho", false, N | A, true, true},
    {"multi", "multi", J, "hi", false, N | A, true, true},
    {"neo", "neo", J, "ho", false, N | A, false, true},
    {"non", "n\xE3o", S, "", false, N | A | D, true, true},
    {"omni", "oni", J, "hi", false, N | A, false, true},
    {"poly", "poli", J, "hi", false, N | A, true, true},
    {"post", "p\xF3s", H, "", false, V | N | A, false, true},
    {"pre", "pr\xE9", H, "", false, V | N | A, false, true},
    {"pro", "pr\xF3", H, "", false, N | A, false, true},
    {"proto", "proto", J, "ho", false, N | A, false, true},
    {"pseudo", "pseudo", J, "ho", false, N | A, false, true},
    {"quasi", "quase", S, "", false, N | A | D, false, true},
    {"re", "re", J, "", true, V | N | A, false, false},
    {"self", "auto", J, "ho", false, V | N | A, false, true},
    {"semi", "semi", J, "hi", false, N | A | D, false, true},
    {"sub", "sub", J, "bhr", false, V | N | A, false, true},
    {"super", "super", J, "hr", false, V | N | A, false, true},
    {"tri", "tri", J, "hi", false, N | A, true, true},
    {"ultra", "ultra", J, "ha", false, N | A | D, false, true},
    {"un", "des", J, "", true, V | A, false, true},
};

const clPrefixo kNao = {"un", "n\xE3o", S, "", false, V | A, false, true};

// The first letter of a Portuguese word, lower case and without its accent.
char Inicial(char c)
{
    char s[2] = {Minuscula(c), '\0'};
    TirarAcentos(s);
    return s[0];
}

bool Letra(char c) { return ClasseLetra(c) == 1; }

bool EhMaiuscula(char c) { return Maiuscula(c) == c && Minuscula(c) != c; }

// Appends `n` bytes; false when they do not fit with the NUL.
bool Por(char* saida, std::size_t tam, std::size_t& k, const char* texto, std::size_t n)
{
    if (n >= tam - k) return false;
    std::memcpy(saida + k, texto, n);
    k += n;
    saida[k] = '\0';
    return true;
}

bool Por(char* saida, std::size_t tam, std::size_t& k, const char* texto)
{
    return Por(saida, tam, k, texto, std::strlen(texto));
}

} // namespace

const clPrefixo* ProcurarPrefixo(const char* texto, std::size_t n)
{
    if (!texto || n == 0 || n > 8) return nullptr;
    char chave[9];
    for (std::size_t i = 0; i < n; ++i) {
        if (!Letra(texto[i])) return nullptr;
        chave[i] = Minuscula(texto[i]);
    }
    chave[n] = '\0';
    for (const clPrefixo& p : kPrefixos)
        if (std::strcmp(p.ingles, chave) == 0) return &p;
    return nullptr;
}

const clPrefixo& PrefixoNao() { return kNao; }

bool EhPrefixoUn(const clPrefixo& p) { return std::strcmp(p.ingles, "un") == 0 && p.modo == ModoPrefixo::JUNTO; }

bool PrefixarTraducao(const clPrefixo& p, const char* traducao, char* saida, std::size_t tam)
{
    if (!saida || tam == 0) return false;
    saida[0] = '\0';
    if (!traducao) return false;
    std::size_t k = 0;
    const std::size_t lt = std::strlen(traducao);
    const char* barra = std::strchr(traducao, '/');
    const bool marcada = barra != nullptr;
    const bool varias = std::strchr(traducao, '_') != nullptr;

    if (p.modo == ModoPrefixo::SEPARADO) {
        // The base still inflects: a single word is marked ("n\xE3o_/vazio/").
        const bool marcar = !marcada && !varias;
        const bool ok = lt > 0 && Por(saida, tam, k, p.portugues) && Por(saida, tam, k, "_") &&
                        (!marcar || Por(saida, tam, k, "/")) && Por(saida, tam, k, traducao, lt) &&
                        (!marcar || Por(saida, tam, k, "/"));
        if (!ok) saida[0] = '\0';
        return ok;
    }

    // The word the prefix joins: the first marked one, else the first.
    const std::size_t inicio = marcada ? static_cast<std::size_t>(barra - traducao) + 1 : 0;
    const char c = traducao[inicio];
    if (!Letra(c)) return false;
    const char inicial = Inicial(c);
    const std::size_t np = std::strlen(p.portugues);
    const char ultima = np > 0 ? p.portugues[np - 1] : '\0';

    char juncao[3] = "";
    std::size_t pula = 0;  // letters of the base left out
    if (p.modo == ModoPrefixo::HIFEN || EhMaiuscula(c)) {
        // "pr\xE9-instalado"; before a name, "pr\xF3-Brasil".
        juncao[0] = '-';
    } else if (inicial == 'h' && p.tiraH) {
        pula = 1;
    } else if (std::strchr(p.hifenAntes, inicial)) {
        juncao[0] = '-';
    } else if ((inicial == 'r' || inicial == 's') && Vogal(ultima)) {
        juncao[0] = c;
    }

    const bool ok = Por(saida, tam, k, traducao, inicio) && Por(saida, tam, k, p.portugues, np) &&
                    Por(saida, tam, k, juncao) &&
                    Por(saida, tam, k, traducao + inicio + pula, lt - inicio - pula) &&
                    // Something of the base is left after the letter left out.
                    Letra(traducao[inicio + pula]);
    if (!ok) saida[0] = '\0';
    return ok;
}

bool JuntarPrefixo(const clPrefixo& p, const char* base, char* saida, std::size_t tam)
{
    if (!PrefixarTraducao(p, base, saida, tam)) return false;
    std::size_t j = 0;
    for (std::size_t i = 0; saida[i]; ++i) {
        if (saida[i] == '/') continue;
        saida[j++] = saida[i] == '_' ? ' ' : saida[i];
    }
    saida[j] = '\0';
    return true;
}

bool SepararPrefixo(const char* palavra, int indice, char* base, std::size_t tam, std::size_t* antes, bool* semH)
{
    if (!palavra || !base || tam < 3 || !antes || !semH || indice < 0) return false;
    const std::size_t n = strnlen(palavra, 64);
    char feita[64];
    for (const clPrefixo& p : kPrefixos) {
        // Every verb the table lacks comes here: most go at the first letter.
        if (p.portugues[0] != palavra[0] || p.modo == ModoPrefixo::SEPARADO) continue;
        const std::size_t np = std::strlen(p.portugues);
        if (n < np + 3 || std::strncmp(palavra, p.portugues, np) != 0) continue;
        // Two English prefixes of one Portuguese ("de", "un": "des") undo it once.
        bool visto = false;
        for (const clPrefixo* q = kPrefixos; q != &p && !visto; ++q) visto = std::strcmp(q->portugues, p.portugues) == 0;
        if (visto) continue;
        // The base after the prefix, after its hyphen or doubled letter, or
        // with the "h" the joint dropped.
        const char* resto = palavra + np;
        const struct {
            const char* inicio;
            bool h;
        } candidatas[] = {{resto, false}, {resto + 1, false}, {resto, true}};
        for (const auto& c : candidatas) {
            if (c.h && (!p.tiraH || !Vogal(Inicial(resto[0])))) continue;
            const std::size_t lc = std::strlen(c.inicio);
            const std::size_t lb = lc + (c.h ? 1 : 0);
            if (lc < 2 || lb + 1 > tam) continue;
            std::size_t k = 0;
            if (c.h) base[k++] = 'h';
            std::memcpy(base + k, c.inicio, lc + 1);
            if (!JuntarPrefixo(p, base, feita, sizeof feita) || std::strcmp(feita, palavra) != 0) continue;
            if (indice-- > 0) continue;
            *antes = static_cast<std::size_t>(c.inicio - palavra);
            *semH = c.h;
            return true;
        }
    }
    base[0] = '\0';
    return false;
}
