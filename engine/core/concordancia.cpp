#include "core/concordancia.h"

#include <array>
#include <cstring>

#include "caracteres.h"
#include "core/conjugacao.h"
#include "core/termo.h"
#include "dictionary/frase.h"

namespace {

constexpr std::size_t kTamTrabalho = conjugacao::kTamTrabalho;

bool TerminaEm(const char* palavra, std::size_t n, const char* sufixo)
{
    return TerminaCom(palavra, n, sufixo) != nullptr;
}

// Replaces the last `quantos` bytes of the word by `novo` when the result
// fits the work area.
void Trocar(char* palavra, std::size_t quantos, const char* novo)
{
    const std::size_t n = std::strlen(palavra);
    if (quantos > n) return;
    const std::size_t m = std::strlen(novo);
    if (n - quantos + m + 1 > kTamTrabalho) return;
    std::memcpy(palavra + n - quantos, novo, m + 1);
}

// Words ending in a consonant mostly have one form for both genders ("ruim",
// "comum", "melhor", "anterior", "similar"). Of those ending in "m" only the
// article and its compounds inflect; of those in "r", the agent words in
// "-or" ("senhor", "trabalhador"), but not the comparatives in "-ior" and
// their kin.
bool FemininoComA(const char* p, std::size_t n)
{
    if (p[n - 1] == 'm') {
        static const char* const kComA[] = {"um", "algum", "nenhum"};
        for (const char* w : kComA)
            if (std::strcmp(p, w) == 0) return true;
        return false;
    }
    if (p[n - 1] != 'r') return false;
    if (!TerminaEm(p, n, "or") || TerminaEm(p, n, "ior")) return false;
    static const char* const kInvariaveis[] = {"maior", "menor", "melhor", "pior"};
    for (const char* w : kInvariaveis)
        if (std::strcmp(p, w) == 0) return false;
    return true;
}

void FemininoPalavra(char* p)
{
    const std::size_t n = std::strlen(p);
    if (n == 0) return;
    if (std::strcmp(p, "bom") == 0) Trocar(p, 3, "boa");
    else if (p[n - 1] == 'm' || p[n - 1] == 'r') {
        if (FemininoComA(p, n)) Trocar(p, 0, "a");
    }
    else if (TerminaEm(p, n, "\xEAs")) Trocar(p, 2, "esa");  // "portugu\xEAs" -> "portuguesa"
    else if (TerminaEm(p, n, "\xE3o")) Trocar(p, 1, "");      // "alem\xE3o" -> "alem\xE3"
    else if (TerminaEm(p, n, "os")) Trocar(p, 2, "as");
    else if (p[n - 1] == 'o') Trocar(p, 1, "a");
}

bool TemAcento(const char* p, std::size_t n)
{
    for (std::size_t i = 0; i < n; ++i) {
        const unsigned char c = static_cast<unsigned char>(p[i]);
        if (c >= 0xE1 && c <= 0xFA && std::strchr("\xE1\xE9\xED\xF3\xFA\xE2\xEA\xF4", static_cast<char>(c)))
            return true;
    }
    return false;
}

// "-el", "-il", "-ol": the stress decides. A word stressed on its last
// syllable (no accent written before) takes the open vowel ("papel" ->
// "pap\xE9is", "farol" -> "far\xF3is", "funil" -> "funis"); one with a
// written accent is stressed before it ("n\xEDvel" -> "n\xEDveis", "f\xE1cil" ->
// "f\xE1" "ceis"). Loanwords of software keep theirs and take "s" ("pixels").
bool PluralEmL(char* p, std::size_t n)
{
    if (n < 3 || p[n - 1] != 'l') return false;
    const char v = p[n - 2];
    if (v != 'e' && v != 'i' && v != 'o') return false;
    static const char* const kEstrangeiras[] = {"pixel", "voxel", "texel", "kernel"};
    for (const char* w : kEstrangeiras) {
        if (std::strcmp(p, w) == 0) {
            Trocar(p, 0, "s");
            return true;
        }
    }
    const bool paroxitona = TemAcento(p, n - 2);
    if (v == 'e') Trocar(p, 2, paroxitona ? "eis" : "\xE9is");
    else if (v == 'o') Trocar(p, 2, paroxitona ? "ois" : "\xF3is");
    else Trocar(p, 2, paroxitona ? "eis" : "is");
    return true;
}

// "-\xE3o" makes "-\xF5" "es" but for the words below: "-\xE3os" ("irm\xE3os",
// "m\xE3os") and "-\xE3" "es" ("p\xE3" "es", "alem\xE3" "es"). One stressed
// before the ending ("\xF3rg\xE3o", "s\xF3t\xE3o") takes "s".
bool PluralEmAo(char* p, std::size_t n)
{
    if (n < 2 || p[n - 1] != 'o' || p[n - 2] != '\xE3') return false;
    static const char* const kAos[] = {"irm\xE3o", "m\xE3o", "cidad\xE3o", "crist\xE3o", "gr\xE3o", "ch\xE3o",
                                       "v\xE3o", "desv\xE3o", "pag\xE3o", "corrim\xE3o", "cortes\xE3o",
                                       "s\xE3o", "concidad\xE3o"};
    static const char* const kAes[] = {"p\xE3o", "c\xE3o", "alem\xE3o", "capit\xE3o", "capel\xE3o",
                                       "charlat\xE3o", "escriv\xE3o", "sacrist\xE3o", "tabeli\xE3o",
                                       "guardi\xE3o", "catal\xE3o"};
    for (const char* w : kAos)
        if (std::strcmp(p, w) == 0) {
            Trocar(p, 0, "s");
            return true;
        }
    for (const char* w : kAes)
        if (std::strcmp(p, w) == 0) {
            Trocar(p, 1, "es");
            return true;
        }
    // The accent of the syllable before the ending, not of a prefix
    // ("pr\xE9-visualiza\xE7\xE3o" makes "-\xF5" "es").
    const std::size_t inicio = n - 2 > 4 ? n - 6 : 0;
    bool hifen = false;
    for (std::size_t i = inicio; i < n - 2; ++i) hifen = hifen || p[i] == '-' || p[i] == '_';
    if (!hifen && TemAcento(p + inicio, n - 2 - inicio)) {
        Trocar(p, 0, "s");
        return true;
    }
    return false;
}

void PluralPalavra(char* p)
{
    const std::size_t n = std::strlen(p);
    if (n == 0 || p[n - 1] == 's' || n + 2 > kTamTrabalho) return;
    if (PluralEmL(p, n)) return;
    if (PluralEmAo(p, n)) return;
    p[n] = 's';
    p[n + 1] = '\0';
    // The first ending that matches is the only one changed: "homems" must
    // become "homens", not go on to "homenes".
    static const char* const kTrocas[][2] = {
        {"ms", "ns"},   {"\xE3os", "\xF5" "es"}, {"als", "ais"}, {"els", "eis"}, {"ols", "ois"},
        {"uls", "uis"}, {"ils", "is"},           {"rs", "res"},  {"zs", "zes"},
    };
    for (const auto& t : kTrocas) {
        if (TerminaEm(p, n + 1, t[0])) {
            Trocar(p, std::strlen(t[0]), t[1]);
            return;
        }
    }
    // "-n" takes "s" ("plugins", "tokens", "pr\xF3tons"); a word stressed
    // before its "-en" loses the written accent, as "-ens" needs none
    // ("h\xEDfen" -> "hifens", "p\xF3len" -> "polens").
    if (TerminaEm(p, n + 1, "ens")) {
        for (std::size_t i = 0; i + 3 < n + 1; ++i) {
            const char* const acentos = "\xE1\xE9\xED\xF3\xFA\xE2\xEA\xF4";
            const char* const simples = "aeiouaeo";
            if (const char* a = p[i] ? std::strchr(acentos, p[i]) : nullptr) p[i] = simples[a - acentos];
        }
    }
}

template <typename F>
void ParaCadaMarcada(char* texto, std::size_t tam, F inflexao)
{
    if (!texto || tam == 0) return;
    clVarredura varredura(texto, tam);
    while (varredura.ProximaPalavra()) {
        inflexao(varredura.Palavra());
        varredura.Devolver();
    }
}

struct Contracao {
    const char* anterior;
    const char* novo;
    const char* resultado;
};

// Whole-text rows, tried in order.
constexpr Contracao kContracoes[] = {
    {"de", "o", "do"},           {"de", "a", "da"},           {"de", "os", "dos"},
    {"de", "as", "das"},         {"de", "isto", "disto"},     {"de", "isso", "disso"},     {"de", "este", "deste"},
    {"de", "estes", "destes"},   {"de", "esta", "desta"},     {"de", "estas", "destas"},
    {"de", "esse", "desse"},     {"de", "esses", "desses"},   {"de", "essa", "dessa"},
    {"de", "essas", "dessas"},   {"de", "aquele", "daquele"}, {"de", "aquela", "daquela"},
    {"de", "aqueles", "daqueles"}, {"de", "aquelas", "daquelas"}, {"de", "ele", "dele"},
    {"de", "eles", "deles"},     {"de", "ela", "dela"},       {"de", "elas", "delas"},
    {"em", "o", "no"},           {"em", "a", "na"},           {"em", "os", "nos"},
    {"em", "as", "nas"},         {"em", "isto", "nisto"},     {"em", "isso", "nisso"},     {"em", "este", "neste"},
    {"em", "estes", "nestes"},   {"em", "esta", "nesta"},     {"em", "estas", "nestas"},
    {"em", "esse", "nesse"},     {"em", "esses", "nesses"},   {"em", "essa", "nessa"},
    {"em", "essas", "nessas"},   {"em", "aquele", "naquele"}, {"em", "aquela", "naquela"},
    {"em", "aqueles", "naqueles"}, {"em", "aquelas", "naquelas"}, {"em", "ele", "nele"},
    {"em", "eles", "neles"},     {"em", "ela", "nela"},       {"em", "elas", "nelas"},
    {"a", "a", "\xE0"},          {"o", "o", "o"},
    {"para", "o", "ao"},         {"para", "os", "aos"},       {"para", "a", "\xE0"},
    {"para", "as", "\xE0s"},
    {"por", "o", "pelo"},        {"por", "os", "pelos"},      {"por", "a", "pela"},
    {"por", "as", "pelas"},
    {"de", "isso", "disso"},     {"em", "isso", "nisso"},
};

// Rows for multiword translations that end in a preposition ("antes_de").
constexpr Contracao kContracoesFinais[] = {
    {"_de", "o", "_do"},          {"_de", "a", "_da"},           {"_de", "os", "_dos"},
    {"_de", "as", "_das"},        {"_de", "este", "_deste"},     {"_de", "estes", "_destes"},
    {"_de", "esta", "_desta"},    {"_de", "estas", "_destas"},   {"_de", "esse", "_desse"},
    {"_de", "esses", "_desses"},  {"_de", "essa", "_dessa"},     {"_de", "essas", "_dessas"},
    {"_de", "aquele", "_daquele"}, {"_de", "aquela", "_daquela"}, {"_de", "aqueles", "_daqueles"},
    {"_de", "aquelas", "_daquelas"},
    {"_em", "o", "_no"},          {"_em", "a", "_na"},           {"_em", "os", "_nos"},
    {"_em", "as", "_nas"},
    {"_a", "a", "_\xE0"},         {"_a", "as", "_\xE0s"},        {"_a", "o", "_ao"},
    {"_a", "os", "_aos"},
};

} // namespace

void FemininoTexto(char* texto, std::size_t tam) { ParaCadaMarcada(texto, tam, FemininoPalavra); }

void PluralTexto(char* texto, std::size_t tam) { ParaCadaMarcada(texto, tam, PluralPalavra); }

bool GovernaFeminino(const clTermo* g) { return g && (g->verbete.flagsSubst & SUBST_FEMININO); }

bool GovernaPlural(const clTermo* g)
{
    if (!g) return false;
    if ((g->verbete.flagsSubst & SUBST_PLURAL) || (g->verbete.flagsPron & (PRON_PESSOA4 | PRON_PESSOA5 | PRON_PESSOA6)))
        return true;
    // "everyone", "everybody": "todos".
    const char* v = g->verbete.vocabulo;
    return v[0] == 'e' && v[1] == 'v' && (g->verbete.classe & CL_PRONOME) &&
           (std::strcmp(v, "everyone") == 0 || std::strcmp(v, "everybody") == 0);
}

void Feminino(char* texto, std::size_t tam, const clTermo* governante)
{
    if (GovernaFeminino(governante)) FemininoTexto(texto, tam);
}

void Plural(char* texto, std::size_t tam, const clTermo* governante)
{
    if (GovernaPlural(governante)) PluralTexto(texto, tam);
}

bool Contrair(clPalavra* anterior, const char* novo)
{
    if (!anterior || !novo) return false;
    char* p = anterior->texto;
    const std::size_t n = strnlen(p, sizeof anterior->texto);
    if (n == sizeof anterior->texto) return false;
    // Most words begin with a byte no row's new word begins with: they are
    // turned away here without walking the tables.
    static const auto kIniciais = [] {
        std::array<bool, 256> v{};
        for (const auto& c : kContracoes) v[static_cast<unsigned char>(c.novo[0])] = true;
        for (const auto& c : kContracoesFinais) v[static_cast<unsigned char>(c.novo[0])] = true;
        return v;
    }();
    if (!kIniciais[static_cast<unsigned char>(novo[0])]) return false;
    for (const auto& c : kContracoes) {
        // The first byte of the new word rules out nearly every row cheaply.
        if (novo[0] == c.novo[0] && std::strcmp(novo, c.novo) == 0 && std::strcmp(p, c.anterior) == 0) {
            CopiarTexto(p, sizeof anterior->texto, c.resultado);
            return true;
        }
    }
    for (const auto& c : kContracoesFinais) {
        if (novo[0] != c.novo[0] || std::strcmp(novo, c.novo) != 0) continue;
        const std::size_t m = std::strlen(c.anterior);
        if (n > m && std::strcmp(p + n - m, c.anterior) == 0) {
            const std::size_t r = std::strlen(c.resultado);
            if (n - m + r + 1 > sizeof anterior->texto) return false;  // would not fit: written apart
            std::memcpy(p + n - m, c.resultado, r + 1);
            return true;
        }
    }
    return false;
}
