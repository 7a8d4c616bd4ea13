#include "core/gerador.h"

#include <cstring>

#include "caracteres.h"
#include "core/analisador.h"
#include "core/concordancia.h"
#include "core/conjugacao.h"

namespace {

// Chains and nesting come from one sentence of at most 150 words; the bounds
// only keep a damaged analysis (a cycle) from looping.
constexpr int kMaxCadeia = 512;
constexpr int kMaxProfundidade = 32;

bool Tem(const clTermo* t, std::uint16_t bits) { return t && (t->verbete.classe & bits); }

bool EhGrupoNominal(const clTermo* t) { return t && t->verbete.classe == CL_GRUPO_NOMINAL; }

bool VocabuloE(const clTermo* t, const char* texto)
{
    return t && std::strncmp(t->verbete.vocabulo, texto, sizeof t->verbete.vocabulo) == 0;
}

// ---------------------------------------------------------------- conditions

bool EhNumero(const clTermo* t)
{
    if (!t || t->verbete.classe != CL_SIMBOLO || !t->palavra) return false;
    const char* x = t->palavra->texto;
    if (!(*x >= '0' && *x <= '9')) return false;
    while (*x >= '0' && *x <= '9') ++x;
    return *x == '\0';
}

// A count read before a noun group belongs to it: what precedes "3
// children" is what precedes the group.
const clTermo* AnteriorOuDoPai(const clTermo* t)
{
    if (t->anterior) return t->anterior;
    const clTermo* r = t->pai ? t->pai->anterior : nullptr;
    if (EhNumero(r) && EhGrupoNominal(t->pai)) r = r->anterior;
    return r;
}

const clTermo* ProximoOuDoPai(const clTermo* t)
{
    if (t->proximo) return t->proximo;
    return t->pai ? t->pai->proximo : nullptr;
}

const clTermo* RegenteOuDoPai(const clTermo* t)
{
    if (t->regente) return t->regente;
    return t->pai ? t->pai->regente : nullptr;
}

// The neighbour in reading order, past a "not": the choice between "ser"
// and "estar" in "is not available" depends on the adjective, not on the
// negation that sits between them.
const clTermo* PularNegacao(const clTermo* r, bool paraFrente)
{
    for (int n = 0; r && n < 4 && VocabuloE(r, "not"); ++n) r = paraFrente ? r->depois : r->antes;
    return r;
}

// ---------------------------------------------------------------- inflection

bool EhInfinitivo(const char* texto)
{
    const std::size_t n = std::strlen(texto);
    if (n > 0 && texto[n - 1] == 'r') return true;
    if (n > 4 && texto[n - 1] == 'e' && std::strcmp(texto + n - 4, "r-se") == 0) return true;
    return std::strstr(texto, "r/") != nullptr;
}

// The adverb of an adjective: "r\xE1pido" -> "rapidamente", "feliz" -> "felizmente".
void FazerAdverbio(char* texto, std::size_t tam)
{
    // The marks would sit between the stem and the ending; an adverb does not
    // inflect any further, so they go.
    std::size_t j = 0;
    for (std::size_t i = 0; texto[i]; ++i)
        if (texto[i] != '/') texto[j++] = texto[i];
    texto[j] = '\0';
    if (j > 0 && texto[j - 1] == 'o') {
        texto[j - 1] = '\0';
        AcrescentarTexto(texto, tam, "amente");
    } else {
        AcrescentarTexto(texto, tam, "mente");
    }
    TirarAcentos(texto);
}

// The comparatives Portuguese forms without "mais": "maior", "menor",
// "melhor", "pior".
const char* GrauIrregular(const char* texto)
{
    static const char* const kIrregulares[][2] = {
        {"grande", "maior"}, {"pequeno", "menor"}, {"bom", "melhor"}, {"ruim", "pior"}, {"mau", "pior"}};
    char palavra[kTamPalavra];
    std::size_t j = 0;
    for (std::size_t i = 0; texto[i] && j + 1 < sizeof palavra; ++i)
        if (texto[i] != '/') palavra[j++] = texto[i];
    palavra[j] = '\0';
    for (const auto& i : kIrregulares)
        if (std::strcmp(palavra, i[0]) == 0) return i[1];
    return nullptr;
}

// "mais_" + T or "/o/_mais_" + T, T the translation with its inflecting word
// marked; "/maior/", "/o/_/maior/" for the irregular ones.
void FazerGrau(char* texto, std::size_t tam, const char* prefixo)
{
    char resultado[kTamPalavra];
    if (const char* irregular = GrauIrregular(texto)) {
        CopiarTexto(resultado, sizeof resultado, std::strcmp(prefixo, "mais_") == 0 ? "" : "/o/_");
        AcrescentarTexto(resultado, sizeof resultado, "/");
        AcrescentarTexto(resultado, sizeof resultado, irregular);
        AcrescentarTexto(resultado, sizeof resultado, "/");
        CopiarTexto(texto, tam, resultado);
        return;
    }
    CopiarTexto(resultado, sizeof resultado, prefixo);
    if (std::strchr(texto, '/')) {
        AcrescentarTexto(resultado, sizeof resultado, texto);
    } else {
        AcrescentarTexto(resultado, sizeof resultado, "/");
        AcrescentarTexto(resultado, sizeof resultado, texto);
        AcrescentarTexto(resultado, sizeof resultado, "/");
    }
    CopiarTexto(texto, tam, resultado);
}

struct TempoGrupo {
    int auxiliar;              // conjugator tense of an auxiliary word
    const char* verboAuxiliar; // replaces the auxiliary's translation, or nullptr
    int principal;             // conjugator tense of the main verb
    bool gerundioSeIng;        // the main verb is a gerund when it is an -ing form
};

constexpr int PRES = 0, PRET = 1, IMPERF = 2, FUT = 3, COND = 4, IMPER = 5, PART = 6, GER = 7, INF = 8;

constexpr TempoGrupo kTempos[30] = {
    /* 0 */ {PART, nullptr, PART, false},
    /* 1 */ {PRES, nullptr, PRES, false},
    /* 2 */ {PRES, "estar", GER, false},
    /* 3 */ {PRET, nullptr, PRET, false},
    /* 4 */ {IMPERF, "estar", GER, false},
    /* 5 */ {PRES, nullptr, PRET, false},  // "has expired": "expirou"; "have" is left out
    /* 6 */ {PRES, nullptr, PART, false},  // "has been working": "tem trabalhado"; "been" is left out
    /* 7 */ {IMPERF, nullptr, PART, true},
    /* 8 */ {IMPERF, nullptr, PART, false},
    /* 9 */ {FUT, nullptr, FUT, false},
    /* 10 */ {PRES, nullptr, INF, false},
    /* 11 */ {FUT, "estar", GER, false},
    /* 12 */ {FUT, nullptr, PART, false},
    /* 13 */ {IMPERF, nullptr, INF, false},
    /* 14 */ {INF, nullptr, INF, false},
    /* 15 */ {GER, nullptr, GER, false},
    /* 16 */ {INF, nullptr, INF, false},
    /* 17 */ {PRES, nullptr, INF, false},
    /* 18 */ {PRES, nullptr, PART, true},  // auxiliaries other than "can": below
    /* 19 */ {PRET, nullptr, INF, false},   // a single failure: "n\xE3o p\xF4" "de abrir"
    /* 20 */ {PRET, nullptr, PART, true},   // auxiliaries other than "could": below
    /* 21 */ {IMPER, nullptr, IMPER, false},
    /* 22 */ {PRES, "ser", PART, false},
    /* 23 */ {PRET, "ser", PART, false},
    /* 24 */ {PRES, nullptr, PART, false},
    /* 25 */ {PART, nullptr, PART, false},
    /* 26 */ {IMPER, "ser", PART, false},
    /* 27 */ {PRES, nullptr, INF, false},
    /* 28 */ {COND, nullptr, INF, false},
    /* 29 */ {FUT, "ser", PART, false},  // "will be saved": "ser\xE3o salvas", the passive
};

// ---------------------------------------------------------------- the walk

void EmitirEsquecidos(clGerador& g, clTermo* grupo, int profundidade);

// `ligacao`: a noun that agrees with a head is introduced by "de" (not the head itself).
void EmitirTermo(clGerador& g, clTermo* t, int profundidade, bool ligacao = true);
bool PassivaNaoFoiPossivel(const clTermo* grupo);

// Whether a term of a chain comes out after everything that follows it in
// the chain (nouns, most adjectives, noun-group members) rather than in place.
bool VemDepois(const clTermo* t)
{
    switch (t->verbete.classe) {
    case CL_DESCONHECIDA:
    case CL_ARTIGO:
    case CL_PRONOME:
    case CL_GRUPO_VERBAL:
        return false;
    case CL_SUBSTANTIVO:
        return true;
    case CL_ADJETIVO:
        if (t->filhos) return false;
        return !(t->verbete.flagsAdj & (ADJ_HIFEN | ADJ_ANTEPOSTO));
    case CL_GRUPO_NOMINAL:
        return t->pai != nullptr;
    default:
        return EhGrupoNominal(t->pai);
    }
}

// Where a chain walk stops and which of its terms it leaves out.
struct Limites {
    const clTermo* pular1 = nullptr;
    const clTermo* pular2 = nullptr;
    const clTermo* parar1 = nullptr;
    const clTermo* parar2 = nullptr;
    bool Pular(const clTermo* t) const { return t == pular1 || t == pular2; }
    bool Parar(const clTermo* t) const { return t == parar1 || t == parar2; }
};

// "Walk the rest of the chain first, then this term" for the deferred terms
// and "this term, then the rest" for the others comes to: the in-place terms
// in order, then the deferred ones last first. Done without recursion over
// the chain, which may be a whole sentence long.
void CaminharCadeia(clGerador& g, clTermo* inicio, int profundidade, const Limites& lim = Limites{})
{
    if (profundidade > kMaxProfundidade) return;
    int n = 0;
    for (clTermo* t = inicio; t && !lim.Parar(t) && n < kMaxCadeia; t = t->proximo, ++n)
        if (!lim.Pular(t) && !VemDepois(t)) EmitirTermo(g, t, profundidade + 1);
    int limite = n;  // position of the last deferred term emitted
    while (true) {
        int ultimo = -1;
        clTermo* escolhido = nullptr;
        int i = 0;
        for (clTermo* t = inicio; t && i < limite; t = t->proximo, ++i) {
            if (!lim.Pular(t) && VemDepois(t)) {
                ultimo = i;
                escolhido = t;
            }
        }
        if (!escolhido) break;
        EmitirTermo(g, escolhido, profundidade + 1);
        limite = ultimo;
    }
}

// "de", or "do", "da", "dos", "das" for a term that takes the article.
void EmitirLigacaoDe(clGerador& g, const clTermo* t)
{
    if (!t || !(t->verbete.flagsSubst & SUBST_ARTIGO)) {
        EmitirPalavra(g, "de", nullptr);
        return;
    }
    static const char* const kFormas[4] = {"do", "dos", "da", "das"};
    const int i = ((t->verbete.flagsSubst & SUBST_FEMININO) ? 2 : 0) + ((t->verbete.flagsSubst & SUBST_PLURAL) ? 1 : 0);
    EmitirPalavra(g, kFormas[i], nullptr);
}

// "the layer name", "the brush size": in a definite group whose head names
// an attribute, the one noun before the head is the thing that has it, with
// its article ("o nome da camada", "o tamanho do pincel").
bool AtributoDeDefinido(const clTermo* t)
{
    const clTermo* grupo = t->pai;
    const clTermo* nucleo = t->regente;
    if (!grupo || !t->palavra || t->palavra->padraoCaixa != CAIXA_MINUSCULAS || t->depois != nucleo ||
        !nucleo->palavra || nucleo->palavra->padraoCaixa != CAIXA_MINUSCULAS)
        return false;
    const clTermo* det = grupo->determinantes;
    if (!det || det->proximo || !VocabuloE(det, "the") || t->antes != det) return false;
    static const char* const kAtributos[] = {"name", "size", "width", "height", "position", "opacity",
                                             "content", "contents", "color", "colour", "shape", "type",
                                             "value", "direction", "intensity", "border", "edge", "thumbnail",
                                             "title", "boundary", "resolution", "dimensions"};
    const char* base = nucleo->verbete.formaBase[0] ? nucleo->verbete.formaBase : nucleo->verbete.vocabulo;
    for (const char* a : kAtributos)
        if (std::strcmp(base, a) == 0) return true;
    return false;
}

void EmitirLigacaoComArtigo(clGerador& g, const clTermo* t)
{
    static const char* const kFormas[4] = {"do", "dos", "da", "das"};
    const int i = ((t->verbete.flagsSubst & SUBST_FEMININO) ? 2 : 0) + ((t->verbete.flagsSubst & SUBST_PLURAL) ? 1 : 0);
    EmitirPalavra(g, kFormas[i], nullptr);
}

void EmitirTraduzido(clGerador& g, clTermo* t)
{
    const char* texto = EscolherTraducao(g, t);
    EmitirPalavra(g, texto, t);
}

void EmitirInalterado(clGerador& g, clTermo* t)
{
    if (t->palavra) EmitirPalavra(g, t->palavra->texto, t);
}

void EmitirHifenizado(clGerador& g, clTermo* t)
{
    char junto[kTamPalavra] = "";
    int n = 0;
    for (clTermo* parte = t->filhos; parte && n < kMaxCadeia; parte = parte->proximo, ++n) {
        if (n > 0) AcrescentarTexto(junto, sizeof junto, "-");
        if (parte->verbete.classe == CL_DESCONHECIDA && parte->palavra)
            AcrescentarTexto(junto, sizeof junto, parte->palavra->texto);
        else
            AcrescentarTexto(junto, sizeof junto, EscolherTraducao(g, parte, t->regente));
    }
    EmitirPalavra(g, junto, t);
}

bool PedeArtigo(const clTermo* grupo, const clTermo* nucleo)
{
    if (!nucleo || !(nucleo->verbete.classe & CL_SUBSTANTIVO) || !(nucleo->verbete.flagsSubst & SUBST_ARTIGO))
        return false;
    const clTermo* antes = grupo->anterior;
    if (!antes) return false;
    if (antes->verbete.classe == CL_GRUPO_VERBAL) return antes->tempo == TEMPO_INFINITIVO;
    return (antes->verbete.classe & CL_PREPOSICAO) && !VocabuloE(antes, "of") && !VocabuloE(antes, "by");
}

// "GIMP is a program": the name of a product that takes the article opens
// its clause with it as the subject ("O GIMP \xE9 um programa").
bool NomeSujeito(const clTermo* grupo, const clTermo* nucleo)
{
    if (!nucleo || !(nucleo->verbete.classe & CL_SUBSTANTIVO) || !(nucleo->verbete.flagsSubst & SUBST_ARTIGO) ||
        (nucleo->verbete.flagsSubst & SUBST_DESCONHECIDA) || !nucleo->palavra || grupo->modificadores)
        return false;
    const std::uint16_t caixa = nucleo->palavra->padraoCaixa;
    if (caixa != CAIXA_INICIAL && caixa != CAIXA_MAIUSCULAS && caixa != CAIXA_MISTA) return false;
    const clTermo* v = grupo->proximo;
    if (!v || v->verbete.classe != CL_GRUPO_VERBAL || v->regente != nucleo) return false;
    const clTermo* antes = grupo->anterior;
    return !antes || antes->papel == PAPEL_INICIO || (antes->verbete.classe & (CL_CONJUNCAO | CL_VIRGULA | CL_PONTUACAO));
}

void EmitirArtigoDefinido(clGerador& g, const clTermo* nucleo)
{
    static const char* const kArtigos[4] = {"o", "os", "a", "as"};
    const std::uint8_t f = nucleo->verbete.flagsSubst;
    EmitirPalavra(g, kArtigos[((f & SUBST_FEMININO) ? 2 : 0) + ((f & SUBST_PLURAL) ? 1 : 0)], nullptr);
}

// Whether the entry chooses among senses by the context (a condition other
// than the class kept, "*V", "*A", "*N"): only then may the translation
// chosen differ in gender from the entry's.
bool VariasTraducoes(const clVerbete& v)
{
    std::size_t tam = v.tamTraducoes;
    if (tam > sizeof v.blocoTraducoes) tam = sizeof v.blocoTraducoes;
    const char* b = v.blocoTraducoes;
    std::size_t pos = 0;
    while (pos < tam) {
        const std::size_t lt = strnlen(b + pos, tam - pos);
        const std::size_t pc = pos + lt + 1;
        if (pc >= tam) return false;
        const char* c = b + pc;
        const std::size_t lc = strnlen(c, tam - pc);
        if (lt == 0 && lc == 0) return false;
        if (lc > 0 && !(lc == 2 && c[0] == '*' && (c[1] == 'V' || c[1] == 'A' || c[1] == 'N'))) return true;
        pos = pc + lc + 1;
    }
    return false;
}

bool TerminaEm(const char* texto, std::size_t n, const char* fim)
{
    const std::size_t f = std::strlen(fim);
    return n >= f && std::memcmp(texto + n - f, fim, f) == 0;
}

// A noun whose senses differ in gender ("children": "filhos" of a process,
// "crian\xE7as" in the garden) takes the gender of the translation chosen,
// read from an ending that says it ("-o", "-mento"; "-an\xE7a", "-\xE7\xE3o",
// "-dade", "-agem"), before its articles and adjectives agree with it.
void GeneroDaTraducao(clGerador& g, clTermo* nome)
{
    if (!nome || !(nome->verbete.classe & CL_SUBSTANTIVO) || nome->verbete.tamTraducoes == 0 ||
        (nome->verbete.flagsSubst & SUBST_DESCONHECIDA) || !VariasTraducoes(nome->verbete))
        return;
    const char* texto = EscolherTraducao(g, nome);
    if (std::strpbrk(texto, "_/ ")) return;
    std::size_t n = std::strlen(texto);
    if (TerminaEm(texto, n, "\xE7\xF5" "es")) {
        nome->verbete.flagsSubst |= SUBST_FEMININO;
        return;
    }
    if (nome->verbete.flagsSubst & SUBST_PLURAL && n > 1 && texto[n - 1] == 's') --n;
    static const char* const kFemininos[] = {"an\xE7" "a", "en\xE7" "a", "\xE7\xE3o", "dade", "agem"};
    static const char* const kMasculinos[] = {"o", "mento"};
    for (const char* f : kFemininos)
        if (TerminaEm(texto, n, f)) {
            nome->verbete.flagsSubst |= SUBST_FEMININO;
            return;
        }
    for (const char* f : kMasculinos)
        if (TerminaEm(texto, n, f)) {
            nome->verbete.flagsSubst &= static_cast<std::uint8_t>(~SUBST_FEMININO);
            return;
        }
}

// An adverb of degree read before the adjective of a noun group ("a more
// flexible type", "a very large file") goes with the adjective after the
// noun: "um tipo mais flex\xEDvel", "um arquivo muito grande".
clTermo* AdjetivoPosposto(const clTermo* adverbio)
{
    if (!adverbio || adverbio->verbete.classe != CL_ADVERBIO) return nullptr;
    clTermo* adj = adverbio->depois;
    if (!adj || adj->verbete.classe != CL_ADJETIVO || adj->emitido || !VemDepois(adj) || !EhGrupoNominal(adj->pai))
        return nullptr;
    // "there is" says that something exists; it qualifies no adjective
    // ("There is not enough memory": "H\xE1 mem\xF3ria insuficiente").
    if (std::strncmp(adverbio->verbete.vocabulo, "there_", 6) == 0) return nullptr;
    const clTermo* nucleo = adj->pai->filhos;
    if (!nucleo || !(nucleo->verbete.classe & CL_SUBSTANTIVO) || adj->regente != nucleo)
        return nullptr;
    return adj;
}

// Determiners the analysis left in a group of their own, cut from their
// noun by a quotation mark or an adverb ("the \"Debian Reference\"", "a
// more flexible tool"), agree with the head of the group that follows, not
// with a subject they were matched to ("This is a ... tool").
void ConcordarDeterminantesSoltos(clGerador& g, clTermo* grupo)
{
    const auto sinal = [](const clTermo* t, const char* quais) {
        if (!t || t->verbete.classe != CL_SIMBOLO || !t->palavra) return false;
        const char* x = t->palavra->texto;
        return x[0] && x[1] == '\0' && std::strchr(quais, x[0]);
    };
    clTermo* seguinte = grupo->proximo;
    bool citado = false;
    for (int n = 0; seguinte && n < 4; seguinte = seguinte->proximo, ++n) {
        if (seguinte->verbete.classe == CL_ADVERBIO) continue;
        if (!sinal(seguinte, "\"'(\x93\x91")) break;
        citado = true;
    }
    if (!EhGrupoNominal(seguinte) || seguinte->pai || seguinte->determinantes) return;
    // The "Tools" menu: the noun after the quotation is the head.
    if (citado && sinal(seguinte->proximo, "\"')\x94\x92") && EhGrupoNominal(seguinte->proximo->proximo) &&
        !seguinte->proximo->proximo->determinantes)
        seguinte = seguinte->proximo->proximo;
    clTermo* nucleo = seguinte->filhos;
    if (!nucleo || !(nucleo->verbete.classe & CL_SUBSTANTIVO)) return;
    GeneroDaTraducao(g, nucleo);
    int n = 0;
    for (clTermo* d = grupo->determinantes; d && n < kMaxCadeia; d = d->proximo, ++n)
        if (d->verbete.classe & (CL_ARTIGO | CL_PRONOME | CL_ADJETIVO)) d->regente = nucleo;
}

bool Capitalizada(const clTermo* t);

// A noun group whose modifiers, read just before a head in lower case, are
// a capitalised label that names an action ("the Delete Layer command",
// "the Move tool").
bool RotuloAntesDoNucleo(const clGerador& g, const clTermo* grupo)
{
    const clTermo* nucleo = grupo->filhos;
    if (!g.prosa || !nucleo || !(nucleo->verbete.classe & CL_SUBSTANTIVO) || !nucleo->palavra ||
        nucleo->palavra->padraoCaixa != CAIXA_MINUSCULAS || !grupo->modificadores)
        return false;
    bool acao = false;
    const clTermo* esperado = nullptr;  // the modifiers must be read one after another, up to the head
    int n = 0;
    for (const clTermo* m = grupo->modificadores; m && m != nucleo && n < kMaxCadeia; m = m->proximo, ++n) {
        if (!Capitalizada(m) || !m->antes || m->nome || m->emitido || (esperado && m != esperado)) return false;
        if (m->verbete.classe & CL_VERBO) acao = true;
        esperado = m->depois;
    }
    return acao && esperado == nucleo;
}

// "no" that opens the object of a verb or of "there is" ("I have no
// name", "There are no updates") is the verb's "n\xE3o": "Eu n\xE3o tenho
// nome", "N\xE3o h\xE1 atualiza\xE7\xF5" "es". The determiner, or null.
clTermo* NenhumDoObjeto(const clTermo* t)
{
    clTermo* n = t ? t->proximo : nullptr;
    if (!EhGrupoNominal(n) || !n->filhos || !VocabuloE(n->determinantes, "no")) return nullptr;
    clTermo* det = n->determinantes;
    // "no" alone: not "no other way".
    if (det->emitido || (det->proximo && det->proximo != n->filhos && det->proximo != n->modificadores)) return nullptr;
    return det;
}

// "No packages were found": the subject that "no" opens is singular in
// Portuguese ("Nenhum pacote foi encontrado"), and so is its verb.
bool SujeitoNenhum(const clTermo* grupo)
{
    if (!EhGrupoNominal(grupo) || !VocabuloE(grupo->determinantes, "no") || grupo->determinantes->emitido)
        return false;
    const clTermo* v = grupo->proximo;
    // "No changes.": a message of the group alone, too.
    if ((!v || (v->verbete.classe & CL_PONTUACAO)) && (!grupo->anterior || grupo->anterior->papel == PAPEL_INICIO) &&
        !VocabuloE(grupo->determinantes->depois, "such"))  // "No such files": "Arquivos inexistentes"
        return true;
    return v && v->verbete.classe == CL_GRUPO_VERBAL && v->regente == grupo->filhos;
}

// "Unable to read file", "Failed to read QTIF header": the bare singular
// object of a verb in a terse message is a definite thing ("ler o arquivo",
// "ler o cabe\xE7alho QTIF"). Names, plurals and nouns of unknown words
// stay bare.
bool ObjetoComArtigo(const clGerador& g, const clTermo* grupo, const clTermo* nucleo)
{
    if (!nucleo || nucleo->verbete.classe != CL_SUBSTANTIVO || nucleo->nome || !nucleo->palavra ||
        (nucleo->verbete.flagsSubst & (SUBST_PLURAL | SUBST_DESCONHECIDA)) || g.caixaAlta)
        return false;
    const clTermo* v = grupo->anterior;
    // "Invalid header in icon", "Error in public key generation": "no
    // \xED" "cone", "na gera\xE7\xE3o".
    // Not the fixed phrases a preposition follows ("in combination with",
    // "in contrast to"), nor a noun that is also a verb ("in use", "in
    // progress", "in place").
    if (v && VocabuloE(v, "in") && grupo->filhos == nucleo &&
        (grupo->modificadores ? grupo->modificadores : nucleo)->antes == v) {
        const clTermo* d = nucleo->depois;
        if (nucleo->verbete.formas & 0x0001) return false;
        if (d && (d->verbete.classe & CL_PREPOSICAO) && !VocabuloE(d, "of")) return false;
        // After "be" the bare noun names a manner or a state ("is in bold",
        // "is in sync": "est\xE1 em negrito").
        const clTermo* a = v->anterior;
        if (a && a->verbete.classe == CL_GRUPO_VERBAL && a->verbo) {
            const clVerbete& vb = a->verbo->verbete;
            if (std::strcmp(vb.formaBase[0] ? vb.formaBase : vb.vocabulo, "be") == 0) return false;
        }
        return nucleo->palavra->padraoCaixa == CAIXA_MINUSCULAS;
    }
    if (!v || v->verbete.classe != CL_GRUPO_VERBAL || !v->verbo) return false;
    // The main verb in the infinitive ("Cannot open file": "abrir o
    // arquivo") or an order.
    if (v->tempo >= 30 || (kTempos[v->tempo].principal != INF && v->tempo != TEMPO_IMPERATIVO))
        return false;
    // Right after the verb, the group's first word.
    const clTermo* primeiro = grupo->modificadores ? grupo->modificadores : nucleo;
    if (primeiro->antes != v->verbo) return false;
    // A word glued to what follows is a piece of an address or a path
    // ("See http://...").
    const clTermo* d = nucleo->depois;
    if (d && d->palavra && !d->palavra->espacoAntes && !std::strchr(".,;!?)\"'", d->palavra->texto[0]))
        return false;
    return nucleo->palavra->padraoCaixa == CAIXA_MINUSCULAS;
}

// "No such file or directory", "no such name": "Arquivo ou diret\xF3rio
// inexistente", "nome inexistente"; the adjective after the last noun of
// a pair joined by "or" or "and".
bool NenhumTal(clGerador& g, clTermo* grupo, int profundidade)
{
    clTermo* nucleo = grupo->filhos;
    clTermo* det = grupo->determinantes;
    clTermo* tal = grupo->modificadores;
    if (!nucleo || !VocabuloE(det, "no") || det->emitido || !VocabuloE(tal, "such") || tal->antes != det ||
        nucleo->antes != tal || !(nucleo->verbete.classe & CL_SUBSTANTIVO))
        return false;
    det->emitido = TERMO_ABSORVIDO;
    tal->emitido = TERMO_ABSORVIDO;
    EmitirTermo(g, nucleo, profundidade + 1, false);
    bool plural = nucleo->verbete.flagsSubst & SUBST_PLURAL;
    clTermo* e = grupo->proximo;
    if (e && (VocabuloE(e, "or") || VocabuloE(e, "and")) && !e->emitido && EhGrupoNominal(e->proximo) &&
        !e->proximo->determinantes && !e->proximo->modificadores && e->proximo->filhos &&
        (e->proximo->filhos->verbete.classe & CL_SUBSTANTIVO)) {
        EmitirTermo(g, e, profundidade + 1);
        e->proximo->emitido = TERMO_EMITIDO;
        EmitirTermo(g, e->proximo->filhos, profundidade + 1, false);
        plural = plural || VocabuloE(e, "and") || (e->proximo->filhos->verbete.flagsSubst & SUBST_PLURAL);
    }
    EmitirPalavra(g, plural ? "inexistentes" : "inexistente", nullptr);
    return true;
}

// "GIF image has no colormap", "Compressed data is corrupt": the bare
// subject that opens a sentence before its verb takes the article ("A
// imagem GIF", "Os dados"); a message without a verb ("File not found")
// does not.
bool SujeitoComArtigo(const clGerador& g, const clTermo* grupo, const clTermo* nucleo)
{
    if (!nucleo || nucleo->verbete.classe != CL_SUBSTANTIVO || nucleo->nome || !nucleo->palavra ||
        (nucleo->verbete.flagsSubst & SUBST_DESCONHECIDA) || g.caixaAlta ||
        (grupo->anterior && grupo->anterior->papel != PAPEL_INICIO))
        return false;
    const clTermo* v = grupo->proximo;
    if (!v || v->verbete.classe != CL_GRUPO_VERBAL || v->regente != nucleo || !v->verbo) return false;
    if (v->tempo == TEMPO_PARTICIPIO || v->tempo == TEMPO_INFINITIVO || v->tempo == TEMPO_GERUNDIO ||
        v->tempo == TEMPO_IMPERATIVO)
        return false;
    // The group's first word opens the sentence.
    const clTermo* primeiro = grupo->modificadores ? grupo->modificadores : nucleo;
    return !primeiro->antes;
}

// The modifiers before the head are adjectives that follow it in
// Portuguese, joined by commas and a conjunction.
bool AdjetivosCoordenados(const clTermo* grupo)
{
    const clTermo* nucleo = grupo->filhos;
    if (!nucleo || !(nucleo->verbete.classe & CL_SUBSTANTIVO)) return false;
    bool conjuncao = false;
    int adjetivos = 0;
    int n = 0;
    for (const clTermo* m = grupo->modificadores; m && m != nucleo && m != grupo->determinantes; m = m->proximo) {
        if (++n > kMaxCadeia) return false;
        if (m->verbete.classe == CL_CONJUNCAO || m->verbete.classe == CL_VIRGULA) conjuncao = true;
        else if (m->verbete.classe == CL_ADJETIVO && VemDepois(m) && !m->emitido) ++adjetivos;
        else return false;
    }
    return conjuncao && adjetivos >= 2;
}

// "de" or "da" before an occasion ("this time", "the first time", "next
// time") that opens the sentence and is not its subject; nullptr otherwise.
static const char* OcasiaoInicial(const clTermo* grupo, const clTermo* nucleo)
{
    if (!nucleo || nucleo->verbete.vocabulo[0] != 't' || !VocabuloE(nucleo, "time-vez")) return nullptr;
    const clTermo* d = grupo->determinantes;
    if (!d || d->antes) return nullptr;
    const clTermo* p = grupo->proximo;
    if (p && p->verbete.classe == CL_GRUPO_VERBAL && p->regente == nucleo) return nullptr;
    char v[8] = {};
    for (std::size_t i = 0; i + 1 < sizeof v && d->verbete.vocabulo[i]; ++i) v[i] = Minuscula(d->verbete.vocabulo[i]);
    const auto e = [&v](const char* x) { return std::strcmp(v, x) == 0; };
    if (e("this") || e("that") || e("the")) return "de";
    if (e("next") || e("last")) return "da";
    return nullptr;
}

void EmitirGrupoNominal(clGerador& g, clTermo* grupo, int profundidade)
{
    clTermo* nucleo = grupo->filhos;
    if (nucleo && SujeitoNenhum(grupo)) nucleo->verbete.flagsSubst &= static_cast<std::uint8_t>(~SUBST_PLURAL);
    if (!grupo->pai && NenhumTal(g, grupo, profundidade)) return;
    GeneroDaTraducao(g, nucleo);
    if (!nucleo) ConcordarDeterminantesSoltos(g, grupo);
    // The members may be linked on into each other's lists.
    Limites doGrupo;
    doGrupo.parar1 = nucleo;
    doGrupo.parar2 = grupo->modificadores;
    if (grupo->pai) {
        // A possessive group used as a modifier: "carro do homem".
        if (grupo->determinantes) {
            EmitirPalavra(g, "de", nullptr);
        } else if (nucleo && nucleo->verbete.classe == CL_SUBSTANTIVO && !nucleo->nome && nucleo->palavra &&
                   nucleo->palavra->padraoCaixa == CAIXA_MINUSCULAS) {
            // "the response's signer's certificate": the possessor is a
            // definite one, "do assinante".
            static const char* const kFormas[4] = {"do", "dos", "da", "das"};
            const std::uint8_t f = nucleo->verbete.flagsSubst;
            EmitirPalavra(g, kFormas[((f & SUBST_FEMININO) ? 2 : 0) + ((f & SUBST_PLURAL) ? 1 : 0)], nullptr);
        } else {
            EmitirLigacaoDe(g, nucleo);
        }
        CaminharCadeia(g, grupo->determinantes, profundidade, doGrupo);
    } else if (grupo->determinantes) {
        // "This time it worked", "Next time, call me": an occasion that opens
        // the sentence is said with "de" ("Desta vez", "Da pr\xF3xima vez").
        if (const char* de = OcasiaoInicial(grupo, nucleo)) EmitirPalavra(g, de, nullptr);
        CaminharCadeia(g, grupo->determinantes, profundidade, doGrupo);
    } else if (PedeArtigo(grupo, nucleo) || NomeSujeito(grupo, nucleo) || ObjetoComArtigo(g, grupo, nucleo) ||
               SujeitoComArtigo(g, grupo, nucleo)) {
        EmitirArtigoDefinido(g, nucleo);
    }
    if (nucleo) EmitirTermo(g, nucleo, profundidade + 1, false);
    if (RotuloAntesDoNucleo(g, grupo)) {
        // "the Delete Layer command": "o comando Excluir camada", the label
        // after the noun, in its own order, without "de".
        g.rotuloDeAcao = grupo;
        int n = 0;
        for (clTermo* m = grupo->modificadores; m && m != nucleo && n < kMaxCadeia; m = m->proximo, ++n)
            EmitirTermo(g, m, profundidade + 1, false);
        g.rotuloDeAcao = nullptr;
        return;
    }
    Limites modificadores;
    modificadores.parar1 = nucleo;
    modificadores.parar2 = grupo->determinantes;
    if (AdjetivosCoordenados(grupo)) {
        // "red, green and blue channels": "canais vermelhos, verdes e
        // azuis", the coordination in its own order after the noun.
        int n = 0;
        for (clTermo* m = grupo->modificadores; m && !modificadores.Parar(m) && n < kMaxCadeia; m = m->proximo, ++n)
            EmitirTermo(g, m, profundidade + 1);
        return;
    }
    CaminharCadeia(g, grupo->modificadores, profundidade, modificadores);
}

// ---------------------------------------------------------------- object pronouns
//
// An object pronoun is written as a Brazilian editor writes it: before the
// main verb ("Voc\xEA pode me ajudar", "Ele o abriu", "N\xE3o o exclua",
// "Est\xE1 me mostrando"), but after an affirmative order ("Ajude-me",
// "Salve-o") and, in the third person, after an infinitive or a gerund
// ("pode abri-lo", "para salv\xE1-lo", "mostrando-o"). A verb whose
// translation ends in a preposition ("gostar de") keeps the full pronoun
// after it ("gosta dele").

struct Clitico {
    clTermo* grupo = nullptr;   // the object's noun group
    const char* forma = nullptr;
    bool terceira = false;      // "o", "a", "os", "as"
};

bool EhSer(const clTermo* verbo)
{
    const char* base = verbo->verbete.formaBase[0] ? verbo->verbete.formaBase : verbo->verbete.vocabulo;
    return std::strcmp(base, "be") == 0;
}

// A word that carries no markup of its own (a tag around it, a piece of a
// glued word) may be left out or joined to another: nothing of the
// document goes with it. Its place in plain text does not count; the
// text writer keeps a line break whose word is gone.
bool SemMarcas(const clTermo* t)
{
    return t->palavra && t->palavra->marcas.QuantasMarcas() == 0 && !t->palavra->pedaco;
}

Clitico ObjetoPronome(clGerador& g, clTermo* grupo)
{
    Clitico r;
    clTermo* obj = grupo->proximo;
    const int c = grupo->tempo;
    if (!grupo->verbo || c == TEMPO_DESCONHECIDO || c == TEMPO_NAO_PRODUZIDO || c > 29 || !EhGrupoNominal(obj) ||
        obj->pai || obj->determinantes || obj->modificadores || !obj->filhos || EhSer(grupo->verbo))
        return r;
    const clTermo* p = obj->filhos;
    if (p->verbete.classe != CL_PRONOME || !(p->verbete.flagsPron & PRON_PESSOAL) || !SemMarcas(p)) return r;
    // The subject of the next verb ("I think it works") is no object.
    const clTermo* depois = obj->proximo;
    if (depois && depois->verbete.classe == CL_GRUPO_VERBAL && depois->regente == p) return r;
    static const char* const kFormas[][2] = {{"me", "me"}, {"us", "nos"}, {"it", "o"},
                                             {"him", "o"},  {"her", "a"},  {"them", "os"}};
    for (const auto& f : kFormas) {
        if (!VocabuloE(p, f[0])) continue;
        // The translation must be one verb, not "gostar de" or "dar uma olhada".
        const char* traducao = EscolherTraducao(g, grupo->verbo);
        if (std::strchr(traducao, '_') || std::strchr(traducao, '/') || std::strchr(traducao, ' ')) return r;
        r.grupo = obj;
        r.forma = f[1];
        r.terceira = f[1][0] != 'm' && f[1][0] != 'n';
        return r;
    }
    return r;
}

// "abrir" + "o" -> "abri-lo", "salvar" -> "salv\xE1-lo", "fazer" -> "faz\xEA-lo".
void Encliticar(char* texto, std::size_t tam, const char* forma, bool infinitivo)
{
    const std::size_t n = std::strlen(texto);
    if (n < 2) return;
    char pronome[8];
    CopiarTexto(pronome, sizeof pronome, forma);
    const char ultima = texto[n - 1];
    const bool terceira = forma[0] == 'o' || forma[0] == 'a';
    if (terceira && (infinitivo || ultima == 'r' || ultima == 's' || ultima == 'z')) {
        // The final consonant goes and the pronoun takes "l"; the vowel
        // left open takes its accent.
        texto[n - 1] = '\0';
        char& v = texto[n - 2];
        if (ultima == 'r') {
            if (v == 'a') v = '\xE1';
            else if (v == 'e') v = '\xEA';
            else if (v == 'o' || v == '\xF4') v = '\xF4';
        }
        CopiarTexto(pronome, sizeof pronome, "l");
        AcrescentarTexto(pronome, sizeof pronome, forma);
    } else if (terceira && (ultima == 'm' || (n >= 2 && (texto[n - 2] == '\xE3' || texto[n - 2] == '\xF5')))) {
        CopiarTexto(pronome, sizeof pronome, "n");
        AcrescentarTexto(pronome, sizeof pronome, forma);
    }
    AcrescentarTexto(texto, tam, "-");
    AcrescentarTexto(texto, tam, pronome);
}

void MarcarEmitido(clTermo* grupo)
{
    grupo->emitido = TERMO_ABSORVIDO;
    if (grupo->filhos) grupo->filhos->emitido = TERMO_ABSORVIDO;
}

// "can also be": "tamb\xE9m pode ser". An adverb of frequency or addition
// read between an auxiliary and the main verb comes before the auxiliary.
void AntepostoAoAuxiliar(clGerador& g, clTermo* grupo, int profundidade)
{
    static const char* const kAdverbios[] = {"also", "always", "never", "still", "already", "often", "usually",
                                             "sometimes", "even", "normally", "generally"};
    bool auxiliar = false;
    int n = 0;
    for (clTermo* f = grupo->filhos; f && f != grupo->verbo && n < kMaxCadeia; f = f->proximo, ++n) {
        if (f->verbete.classe == CL_VERBO_AUXILIAR && !f->emitido) {
            auxiliar = true;
            continue;
        }
        if (!auxiliar || f->verbete.classe != CL_ADVERBIO || f->emitido) continue;
        for (const char* a : kAdverbios)
            if (VocabuloE(f, a)) {
                EmitirTermo(g, f, profundidade + 1);
                break;
            }
    }
}

// A participle that names the state an option or an item is in, with no
// agent after it ("checked", "enabled", "selected"; not "selected by").
bool ParticipioDeEstado(const clTermo* v)
{
    if (!v || !(v->verbete.formas & FORMA_PARTICIPIO)) return false;
    const char* base = v->verbete.formaBase[0] ? v->verbete.formaBase : v->verbete.vocabulo;
    static const char* const kEstados[] = {"enable", "disable", "check", "uncheck", "select", "deselect", "activate",
                                           "deactivate", "lock", "unlock", "hide", "connect", "disconnect", "set", "link",
                                           "locate", "attach", "mark"};
    bool estado = false;
    for (const char* e : kEstados) estado = estado || std::strcmp(base, e) == 0;
    if (!estado) return false;
    const clTermo* d = v->depois;
    return !(VocabuloE(d, "by") && !VocabuloE(d->depois, "default"));
}

// A participle of feeling ("worried", "scared") after "be" is how someone
// is, not what was done to them, unless its agent follows ("by").
static bool ParticipioDeSentimento(const clTermo* v)
{
    if (!v || !(v->verbete.formas & FORMA_PARTICIPIO)) return false;
    const char* base = v->verbete.formaBase[0] ? v->verbete.formaBase : v->verbete.vocabulo;
    static const char* const kSentimentos[] = {"worry", "scare", "frighten", "confuse", "interest", "disappoint"};
    bool sentimento = false;
    for (const char* e : kSentimentos) sentimento = sentimento || std::strcmp(base, e) == 0;
    return sentimento && !VocabuloE(v->depois, "by");
}

// "to" after a verb of travelling or moving, with or without its object, names
// where to: "para a Alemanha", "para a nova pasta", never "\xE0".
static bool DestinoDeMovimento(const clTermo* to)
{
    static const char* const kMovimento[] = {"travel", "move", "copy", "return", "drive", "fly", "walk"};
    int n = 0;
    for (const clTermo* a = to->antes; a && n < 6; a = a->antes, ++n) {
        const std::uint16_t c = a->verbete.classe;
        if (c & (CL_PONTUACAO | CL_VIRGULA | CL_CONJUNCAO | CL_PREPOSICAO)) return false;
        if (!(c & CL_VERBO) || (c & (CL_ARTIGO | CL_PRONOME))) continue;
        const char* base = a->verbete.formaBase[0] ? a->verbete.formaBase : a->verbete.vocabulo;
        for (const char* x : kMovimento)
            if (std::strcmp(base, x) == 0) return true;
        if (c == CL_VERBO) return false;
    }
    return false;
}

clTermo* WouldBe(const clTermo* grupo)
{
    if (grupo->tempo != 28) return nullptr;
    int n = 0;
    for (clTermo* a = grupo->filhos; a && n < kMaxCadeia; a = a->proximo, ++n) {
        if (!VocabuloE(a, "would")) continue;
        const clTermo* b = PularNegacao(a->depois, true);
        return VocabuloE(b, "be") ? a : nullptr;
    }
    return nullptr;
}

// "would like", "wouldn't open", "Would you like...?": "would" right before
// the main verb is the main verb's conditional ("gostaria", "n\xE3o abriria"),
// and has no word of its own. Before another auxiliary ("would have
// opened") it stays.
clTermo* WouldDoVerbo(const clTermo* grupo)
{
    if (grupo->tempo != 28 || !grupo->verbo) return nullptr;
    clTermo* q = grupo->auxiliar;
    if (q && VocabuloE(q, "would")) {
        int n = 0;
        for (const clTermo* a = grupo->filhos; a && n < kMaxCadeia; a = a->proximo, ++n)
            if (a->verbete.classe & (CL_VERBO | CL_VERBO_AUXILIAR)) return nullptr;
        return q;
    }
    int n = 0;
    for (clTermo* a = grupo->filhos; a && n < kMaxCadeia; a = a->proximo, ++n) {
        if (!VocabuloE(a, "would")) continue;
        const clTermo* b = PularNegacao(a->depois, true);
        for (int k = 0; k < 2 && b && b->pai == grupo && b->verbete.classe == CL_ADVERBIO; ++k)
            b = PularNegacao(b->depois, true);
        return b == grupo->verbo || (VocabuloE(b, "have") && b->pai == grupo) ? a : nullptr;
    }
    return nullptr;
}

// "would have opened": "teria aberto", the participle after "ter".
bool WouldHave(const clTermo* grupo, const clTermo* verbo)
{
    if (grupo->tempo != 28) return false;
    const clTermo* have = PularNegacao(verbo->antes, false);
    return VocabuloE(have, "have") && have->pai == grupo && WouldDoVerbo(grupo);
}

void EmitirGrupoVerbal(clGerador& g, clTermo* grupo, int profundidade)
{
    if (PassivaNaoFoiPossivel(grupo)) {
        int n = 0;
        for (clTermo* f = grupo->filhos; f && n < kMaxCadeia; f = f->proximo, ++n)
            if (f != grupo->verbo) f->emitido = TERMO_ABSORVIDO;
        grupo->negacao->emitido = TERMO_EMITIDO;
        EmitirPalavra(g, "n\xE3o_foi_poss\xEDvel", grupo->negacao);
        const std::uint16_t tempo = grupo->tempo;
        grupo->tempo = TEMPO_INFINITIVO;
        EmitirTermo(g, grupo->verbo, profundidade + 1);
        grupo->tempo = tempo;
        EmitirTermo(g, grupo->anterior, profundidade + 1);
        return;
    }
    const int c = grupo->tempo;
    if (grupo->absorvidos) grupo->absorvidos->emitido = TERMO_ABSORVIDO;
    if (clTermo* would = WouldBe(grupo)) would->emitido = TERMO_ABSORVIDO;
    if (c == 28)
        if (clTermo* would = WouldDoVerbo(grupo)) would->emitido = TERMO_ABSORVIDO;
    const bool ing = grupo->verbo && (grupo->verbo->verbete.formas & FORMA_ING);
    // "has been working" is "tem trabalhado": "been" has no word of its own.
    if ((c == 6 || c == 8 || c == 12) && ing) {
        int n = 0;
        for (clTermo* f = grupo->filhos; f && n < kMaxCadeia; f = f->proximo, ++n)
            if (VocabuloE(f, "been")) f->emitido = TERMO_ABSORVIDO;
    }
    // The present perfect says a finished action, the preterite in
    // Portuguese ("Sua senha expirou", "Eles salvaram os arquivos"): "ter" +
    // participle would say a repeated one.
    // The markup of the word left out goes to the verb ("<tt>has</tt> been").
    clMarcas marcasDeTer;
    if (c == TEMPO_PERFEITO) {
        const auto ter = [&](clTermo* a) {
            if (!a || a->emitido || !(VocabuloE(a, "have") || VocabuloE(a, "has"))) return;
            a->emitido = TERMO_ABSORVIDO;
            if (a->palavra) marcasDeTer.Unir(a->palavra->marcas);
        };
        ter(grupo->auxiliar);
        int n = 0;
        for (clTermo* f = grupo->filhos; f && n < kMaxCadeia; f = f->proximo, ++n) ter(f);
    }
    const Clitico clitico = ObjetoPronome(g, grupo);
    const int principal = c == 15 || c == 16                               ? (c == 15 ? GER : INF)
                          : c == 0                                         ? INF
                          : grupo->verbo && WouldHave(grupo, grupo->verbo) ? PART
                                                                           : kTempos[c].principal;
    const bool enclise = clitico.grupo && ((c == TEMPO_IMPERATIVO && !grupo->negacao) ||
                                           (clitico.terceira && (principal == INF || principal == GER)));
    if (clitico.grupo) MarcarEmitido(clitico.grupo);
    auto emitirVerbo = [&]() {
        if (!grupo->verbo) return;
        if (clitico.grupo && !enclise) EmitirPalavra(g, clitico.forma, clitico.grupo->filhos);
        const int antes = g.saida ? g.saida->Ultimo() : -1;
        EmitirTermo(g, grupo->verbo, profundidade + 1);
        if (g.saida && g.saida->Ultimo() > antes) {
            clPalavra* w = g.saida->Obter(g.saida->Ultimo());
            if (clitico.grupo && enclise) Encliticar(w->texto, sizeof w->texto, clitico.forma, principal == INF);
            if (marcasDeTer.Quantos() > 0) w->marcas.Unir(marcasDeTer);
        }
    };
    if (c == 15 || c == 16) {
        // The infinitive or gerund carries "to" and the auxiliaries itself;
        // anything else of the group ("not", an adverb) is still written.
        int n = 0;
        for (clTermo* f = grupo->filhos; f && n < kMaxCadeia; f = f->proximo, ++n)
            if (VocabuloE(f, "to") || f->verbete.classe == CL_VERBO_AUXILIAR) f->emitido = TERMO_ABSORVIDO;
        if (grupo->negacao) EmitirTermo(g, grupo->negacao, profundidade + 1);
        else if (clTermo* nenhum = NenhumDoObjeto(grupo)) {
            nenhum->emitido = TERMO_ABSORVIDO;
            EmitirPalavra(g, "n\xE3o", nenhum);
        }
        CaminharCadeia(g, grupo->filhos, profundidade, Limites{grupo->verbo, grupo->negacao});
        // The complement of "start", "stop", "forget"...: "come\xE7ou a chover",
        // "parar de tentar".
        const clTermo* regente = grupo->anterior;
        if (c == 16 && regente && regente->verbete.classe == CL_GRUPO_VERBAL && grupo->verbo &&
            grupo->verbo->antes && (grupo->verbo->antes == regente->verbo ||
                                    (VocabuloE(grupo->verbo->antes, "to") && grupo->verbo->antes->antes == regente->verbo))) {
            const char* prep = PreposicaoDoComplemento(regente->verbo, !ing);
            if (prep && prep[0]) EmitirPalavra(g, prep, nullptr);
        }
        emitirVerbo();
        return;
    }
    // A group whose tense was not recognised (an auxiliary the table does not
    // know) is still written, its words in their basic forms: leaving it out
    // would lose text.
    const bool semAuxiliar = c == 1 || c == 3 || (c >= 9 && c <= 13) || c == 21 || c == 29;
    if (!semAuxiliar && grupo->auxiliar) {
        // The question auxiliary is conjugated by this group's tense, after
        // its negation ("Voc\xEA n\xE3o pode abri-lo?").
        if (grupo->negacao && !grupo->negacao->emitido) EmitirTermo(g, grupo->negacao, profundidade + 1);
        if (!grupo->auxiliar->pai) grupo->auxiliar->pai = grupo;
        EmitirTermo(g, grupo->auxiliar, profundidade + 1);
    } else if (grupo->auxiliar) {
        grupo->auxiliar->emitido = TERMO_ABSORVIDO;
    }
    if (clTermo* nao = grupo->negacao; !grupo->auxiliar && nao && !nao->emitido && nao->depois &&
                                        VocabuloE(nao->depois, "always") && nao->depois->pai == grupo) {
        // "does not always work", "is not always saved": "nem sempre
        // funciona", "nem sempre \xE9 salvo".
        nao->emitido = TERMO_EMITIDO;
        EmitirPalavra(g, "nem", nao);
        EmitirTermo(g, nao->depois, profundidade + 1);
    }
    if (!grupo->auxiliar) AntepostoAoAuxiliar(g, grupo, profundidade);
    // "is already in use", "is still open", "is also possible": after "be"
    // standing alone these adverbs come before it ("j\xE1 est\xE1 em uso").
    if (!grupo->auxiliar && !grupo->negacao && grupo->verbo && !grupo->verbo->emitido &&
        (std::strcmp(grupo->verbo->verbete.formaBase, "be") == 0 || VocabuloE(grupo->verbo, "be"))) {
        clTermo* d = grupo->verbo->depois;
        static const char* const kAntes[] = {"already", "still", "also", "always", "never"};
        if (d && d->verbete.classe == CL_ADVERBIO && !d->emitido && d->pai != grupo->verbo)
            for (const char* a : kAntes)
                if (VocabuloE(d, a)) {
                    EmitirTermo(g, d, profundidade + 1);
                    break;
                }
    }
    if (grupo->negacao) EmitirTermo(g, grupo->negacao, profundidade + 1);
    else if (clTermo* nenhum = NenhumDoObjeto(grupo)) {
        nenhum->emitido = TERMO_ABSORVIDO;
        EmitirPalavra(g, "n\xE3o", nenhum);
    }
    Limites filhos;
    filhos.pular1 = grupo->verbo;
    filhos.pular2 = grupo->negacao;
    CaminharCadeia(g, grupo->filhos, profundidade, filhos);
    emitirVerbo();
}

// "before it is changed", "after it is saved": the passive after "before",
// "after" or "until" with "it" as its subject is the infinitive without a
// subject ("antes de ser alterado").
bool PassivaAposConjuncao(const clTermo* v)
{
    if (!v || v->verbete.classe != CL_GRUPO_VERBAL || (v->tempo != 22 && v->tempo != 23)) return false;
    const clTermo* sujeito = v->anterior;
    if (!EhGrupoNominal(sujeito) || sujeito->determinantes || sujeito->modificadores || !sujeito->filhos ||
        !VocabuloE(sujeito->filhos, "it") || sujeito->filhos->proximo)
        return false;
    const clTermo* c = sujeito->anterior;
    return VocabuloE(c, "before") || VocabuloE(c, "after") || VocabuloE(c, "until");
}

// "It" as a subject has no Portuguese word: "Est\xE1 chovendo", "Come\xE7ou
// a chover", "Funciona".
bool SujeitoIt(const clTermo* grupo)
{
    const clTermo* p = grupo->filhos;
    if (grupo->pai || grupo->determinantes || grupo->modificadores || !p || !VocabuloE(p, "it") ||
        p->verbete.classe != CL_PRONOME || !SemMarcas(p))
        return false;
    if (PassivaAposConjuncao(grupo->proximo)) return true;
    // After a preposition it is an object ("inside it has" is "dentro dele tem").
    const clTermo* antes = p->antes;
    if (antes && (antes->verbete.classe & CL_PREPOSICAO)) return false;
    const clTermo* v = grupo->proximo;
    return v && v->verbete.classe == CL_GRUPO_VERBAL && v->regente == p;
}

// "the key you selected": a subject pronoun and its verb right after a noun
// that is no object of a preposition describe the noun; Portuguese writes
// "que" ("a chave que voc\xEA selecionou").
bool RelativaReduzida(const clTermo* grupo)
{
    const clTermo* p = grupo->filhos;
    if (grupo->pai || grupo->determinantes || grupo->modificadores || !p || p->verbete.classe != CL_PRONOME ||
        !(p->verbete.flagsPron & PRON_PESSOAL))
        return false;
    static const char* const kSujeitos[] = {"i", "you", "we", "they", "he", "she"};
    bool sujeito = false;
    for (const char* s : kSujeitos) sujeito = sujeito || VocabuloE(p, s);
    const clTermo* v = grupo->proximo;
    if (!sujeito || !v || v->verbete.classe != CL_GRUPO_VERBAL || v->regente != p || v->auxiliar) return false;
    const clTermo* nome = grupo->anterior;
    if (!EhGrupoNominal(nome) || nome->pai || !nome->filhos || nome->filhos->verbete.classe != CL_SUBSTANTIVO)
        return false;
    const clTermo* antes = nome->anterior;
    return !antes || !(antes->verbete.classe & (CL_PREPOSICAO | CL_CONJUNCAO));
}

clTermo* NomeAposCitacao(const clTermo* abre);
bool AposArtigo(const clTermo* t);

// "from" before a menu, a dialog or a window of the interface, not after a
// verb that takes something away.
bool OrigemNaInterface(const clTermo* t)
{
    const clTermo* grupo = t->proximo;
    if (!EhGrupoNominal(grupo) || !grupo->filhos) return false;
    const clTermo* nucleo = grupo->filhos;
    static const char* const kLugares[] = {"menu", "menubar", "submenu", "toolbar", "dialog", "toolbox", "window"};
    bool lugar = false;
    for (const char* l : kLugares) lugar = lugar || VocabuloE(nucleo, l);
    if (!lugar) return false;
    int n = 0;
    for (const clTermo* a = t->antes; a && n < 6; a = a->antes, ++n) {
        if (!(a->verbete.classe & CL_VERBO)) continue;
        const char* base = a->verbete.formaBase[0] ? a->verbete.formaBase : a->verbete.vocabulo;
        static const char* const kTirar[] = {"remove", "delete", "drag", "detach", "hide", "exclude", "close", "copy", "paste", "drop"};
        for (const char* v : kTirar)
            if (std::strcmp(base, v) == 0) return false;
        return true;
    }
    return false;
}

// Fixed phrases of a preposition and a bare noun ("in addition to", "for
// example"), said by the generator rather than by multiword entries: an
// entry that opens with "in" or "of" would make the reader try a lookup at
// every "in" and "of" of the text.
struct Locucao {
    const char* preposicao;
    const char* artigo;    // the determiner allowed, or nullptr for none
    const char* nome;
    const char* seguinte;  // a preposition that follows and belongs to the phrase, or nullptr
    const char* traducao;
};

constexpr Locucao kLocucoes[] = {
    {"in", nullptr, "addition", "to", "al\xE9m_de"},
    {"in", nullptr, "addition", nullptr, "al\xE9m_disso"},
    {"on", "the", "average", nullptr, "em_m\xE9" "dia"},
    {"on", nullptr, "average", nullptr, "em_m\xE9" "dia"},
    {"for", nullptr, "example", nullptr, "por_exemplo"},
    {"for", nullptr, "instance", nullptr, "por_exemplo"},
};

bool LocucaoPreposicional(clGerador& g, clTermo* t)
{
    clTermo* grupo = t->proximo;
    if (!EhGrupoNominal(grupo) || grupo->pai || grupo->modificadores || !grupo->filhos || grupo->emitido ||
        grupo->filhos->proximo || (grupo->filhos->verbete.flagsSubst & SUBST_PLURAL))
        return false;
    clTermo* det = grupo->determinantes;
    if (det && det->proximo) return false;
    for (const Locucao& l : kLocucoes) {
        if (!VocabuloE(t, l.preposicao) || !VocabuloE(grupo->filhos, l.nome)) continue;
        if (l.artigo ? !(det && VocabuloE(det, l.artigo)) : det != nullptr) continue;
        clTermo* seguinte = grupo->proximo;
        if (l.seguinte && !(seguinte && (seguinte->verbete.classe & CL_PREPOSICAO) && VocabuloE(seguinte, l.seguinte)))
            continue;
        EmitirPalavra(g, l.traducao, t);
        MarcarEmitido(grupo);
        if (det) det->emitido = TERMO_ABSORVIDO;
        if (l.seguinte) seguinte->emitido = TERMO_ABSORVIDO;
        return true;
    }
    return false;
}

// A noun group with "same" among its determiners or modifiers.
bool ComparaMesmo(const clTermo* grupo)
{
    if (!EhGrupoNominal(grupo)) return false;
    for (const clTermo* cadeia : {grupo->determinantes, grupo->modificadores}) {
        int n = 0;
        for (const clTermo* m = cadeia; m && n < kMaxCadeia; m = m->proximo, ++n)
            if (VocabuloE(m, "same")) return true;
    }
    return false;
}

bool TemMaiuscula(const char* texto);

// A name the dictionary keeps as written ("TIFF", "OpenPGP") and the text
// writes with capitals, read before a noun, says which kind the noun is and
// follows it without "de": "imagem TIFF", "chave OpenPGP". A product that
// takes the article keeps it ("janela do GIMP"); in a sentence written in
// capitals the capitals say nothing.
bool SiglaQualificadora(const clGerador& g, const clTermo* t)
{
    if (g.caixaAlta || !t->palavra || (t->verbete.flagsSubst & SUBST_ARTIGO)) return false;
    const clPalavra& w = *t->palavra;
    const bool capitais = w.padraoCaixa == CAIXA_MAIUSCULAS || w.padraoCaixa == CAIXA_MISTA ||
                          (w.padraoCaixa == CAIXA_INICIAL && w.texto[0] && TemMaiuscula(w.texto + 1));
    if (!capitais || !w.texto[1]) return false;
    const clVerbete& v = t->verbete;
    const std::size_t tam = v.tamTraducoes < sizeof v.blocoTraducoes ? v.tamTraducoes : sizeof v.blocoTraducoes;
    std::size_t i = 0;
    for (; i < tam && v.blocoTraducoes[i] && w.texto[i]; ++i)
        if (Minuscula(v.blocoTraducoes[i]) != Minuscula(w.texto[i])) return false;
    return i > 0 && i < tam && !v.blocoTraducoes[i] && !w.texto[i];
}

// "The folder could not be created": a message says what was not possible,
// the thing after the verb ("N\xE3o foi poss\xEDvel criar a pasta"). The
// subject opens the sentence; "could" is no question.
bool PassivaNaoFoiPossivel(const clTermo* grupo)
{
    if (!grupo || grupo->verbete.classe != CL_GRUPO_VERBAL || grupo->tempo != TEMPO_PODERIA_SER || !grupo->negacao ||
        grupo->auxiliar || !grupo->verbo || !(grupo->verbo->verbete.formas & FORMA_PARTICIPIO))
        return false;
    const clTermo* sujeito = grupo->anterior;
    return EhGrupoNominal(sujeito) && sujeito->filhos && grupo->regente == sujeito->filhos &&
           (!sujeito->anterior || sujeito->anterior->papel == PAPEL_INICIO);
}

// "An error occurred", "A problem has occurred": a verb of happening whose
// subject is new to the text says what happened first ("Ocorreu um erro").
bool SujeitoPosposto(const clTermo* grupo)
{
    if (!grupo || grupo->verbete.classe != CL_GRUPO_VERBAL || !grupo->verbo || grupo->negacao || grupo->auxiliar)
        return false;
    if (grupo->tempo != TEMPO_PASSADO && grupo->tempo != TEMPO_PRESENTE && grupo->tempo != TEMPO_PERFEITO)
        return false;
    const clTermo* sujeito = grupo->anterior;
    if (!EhGrupoNominal(sujeito) || !sujeito->filhos || grupo->regente != sujeito->filhos ||
        (sujeito->anterior && sujeito->anterior->papel != PAPEL_INICIO))
        return false;
    // Only a subject with "a"/"an": "The error occurred" keeps its order.
    const clTermo* d = sujeito->determinantes;
    if (!d || d->proximo || !(VocabuloE(d, "a") || VocabuloE(d, "an"))) return false;
    const clVerbete& v = grupo->verbo->verbete;
    const char* base = v.formaBase[0] ? v.formaBase : v.vocabulo;
    return std::strcmp(base, "occur") == 0 || std::strcmp(base, "happen") == 0 || std::strcmp(base, "arise") == 0;
}

void EmitirTermo(clGerador& g, clTermo* t, int profundidade, bool ligacao)
{
    if (!t || profundidade > kMaxProfundidade) return;
    // Once only: the guard below must not write a word a second time.
    if (t->emitido) return;
    t->emitido = TERMO_EMITIDO;
    switch (t->verbete.classe) {
    case CL_DESCONHECIDA:
        EmitirInalterado(g, t);
        return;
    case CL_SUBSTANTIVO:
        // A name kept as written that says which kind the noun is follows
        // it without "de" ("SMART feature": "recurso SMART", "Esc key":
        // "tecla Esc").
        if (ligacao && t->regente && t->regente != t && !t->nome && !SiglaQualificadora(g, t)) {
            GeneroDaTraducao(g, t);
            if (AtributoDeDefinido(t)) EmitirLigacaoComArtigo(g, t);
            else EmitirLigacaoDe(g, t);
        }
        if (t->verbete.flagsSubst & SUBST_DESCONHECIDA) {
            if (!t->filhos) {
                EmitirInalterado(g, t);
                return;
            }
            int n = 0;
            for (clTermo* f = t->filhos; f && n < kMaxCadeia; f = f->proximo, ++n) EmitirInalterado(g, f);
            return;
        }
        EmitirTraduzido(g, t);
        return;
    case CL_ADJETIVO:
        if (t->antes && !t->antes->emitido) {
            t->emitido = 0;
            const bool adverbio = AdjetivoPosposto(t->antes) == t;
            t->emitido = TERMO_EMITIDO;
            if (adverbio) EmitirTermo(g, t->antes, profundidade + 1);
        }
        if (t->filhos) EmitirHifenizado(g, t);
        else EmitirTraduzido(g, t);
        return;
    case CL_GRUPO_NOMINAL:
        if ((PassivaNaoFoiPossivel(t->proximo) || SujeitoPosposto(t->proximo)) && !t->proximo->emitido) {
            t->emitido = 0;  // written by its verb, after it
            return;
        }
        if (SujeitoIt(t)) {
            MarcarEmitido(t);
            return;
        }
        if (RelativaReduzida(t)) EmitirPalavra(g, "que", nullptr);
        EmitirGrupoNominal(g, t, profundidade);
        EmitirEsquecidos(g, t, profundidade);
        return;
    case CL_GRUPO_VERBAL:
        EmitirGrupoVerbal(g, t, profundidade);
        if (SujeitoPosposto(t)) EmitirTermo(g, t->anterior, profundidade + 1);
        EmitirEsquecidos(g, t, profundidade);
        return;
    default:
        if (g.prosa || AposArtigo(t)) {
            if (clTermo* nome = NomeAposCitacao(t)) {
                g.nomeDaCitacao = nome;
                EmitirTermo(g, nome, profundidade + 1);
                g.nomeDaCitacao = nullptr;
            }
        }
        if (AdjetivoPosposto(t)) {
            t->emitido = 0;  // written with its adjective
            return;
        }
        if ((t->verbete.classe & CL_PREPOSICAO) && LocucaoPreposicional(g, t)) return;
        // Where a command is reached: "from the image menu" is "a partir do
        // menu de imagem" (but "remove it from the menu": "do menu").
        if (VocabuloE(t, "from") && OrigemNaInterface(t)) {
            EmitirPalavra(g, "a_partir_de", t);
            return;
        }
        if (t->verbete.classe == CL_ADVERBIO && t->absorvidos && std::strncmp(t->verbete.vocabulo, "there_", 6) == 0) {
            if (clTermo* nenhum = NenhumDoObjeto(t)) {
                nenhum->emitido = TERMO_ABSORVIDO;
                EmitirPalavra(g, "n\xE3o", nenhum);
            }
        }
        // The manner: "in two ways", "in the same way" is "de duas formas",
        // "da mesma forma".
        if (VocabuloE(t, "in") && EhGrupoNominal(t->proximo) && t->proximo->filhos &&
            VocabuloE(t->proximo->filhos, "way")) {
            EmitirPalavra(g, "de", t);
            return;
        }
        // "the same effect as": "o mesmo efeito que".
        if (VocabuloE(t, "as") && ComparaMesmo(t->anterior)) {
            EmitirPalavra(g, "que", t);
            return;
        }
        // "Not all frames were loaded": "Nem todos os quadros".
        if (VocabuloE(t, "not") && t->verbete.classe == CL_ADVERBIO && t->depois && VocabuloE(t->depois, "all") &&
            (!t->antes || (t->antes->verbete.classe & (CL_PONTUACAO | CL_VIRGULA)))) {
            EmitirPalavra(g, "nem", t);
            return;
        }
        // "too many errors": "muitos erros", the degree in "muitos" alone.
        if (VocabuloE(t, "too") && t->depois && (VocabuloE(t->depois, "many") || VocabuloE(t->depois, "much")) &&
            SemMarcas(t)) {
            t->emitido = TERMO_ABSORVIDO;
            return;
        }
        // "Whether to show the icon": "Se deve mostrar o \xED" "cone".
        if (VocabuloE(t, "to") && VocabuloE(t->antes, "whether") && t->depois &&
            (t->depois->verbete.classe & CL_VERBO)) {
            EmitirPalavra(g, "deve", t);
            return;
        }
        // "what to do", "how to install", "where to go": after the question
        // word the bare infinitive ("o que fazer", "como instalar").
        if (VocabuloE(t, "to") && t->antes && t->depois && (t->depois->verbete.classe & CL_VERBO) &&
            (VocabuloE(t->antes, "what") || VocabuloE(t->antes, "how") || VocabuloE(t->antes, "where") ||
             VocabuloE(t->antes, "which") || VocabuloE(t->antes, "who") || VocabuloE(t->antes, "when"))) {
            t->emitido = TERMO_ABSORVIDO;
            return;
        }
        // "by clicking": the gerund says it ("clicando").
        if (VocabuloE(t, "by") && t->proximo && t->proximo->verbete.classe == CL_GRUPO_VERBAL &&
            t->proximo->tempo == TEMPO_GERUNDIO && t->proximo->verbo && t->proximo->verbo->antes == t) {
            t->emitido = TERMO_ABSORVIDO;
            return;
        }
        EmitirTraduzido(g, t);
        // "Please wait" opens with "Por favor," and the order.
        if (!t->antes && VocabuloE(t, "please") && t->verbete.classe == CL_ADVERBIO && t->depois &&
            !(t->depois->verbete.classe & (CL_PONTUACAO | CL_VIRGULA)) && g.saida && g.saida->Ultimo() >= 0) {
            EmitirPalavra(g, ",", nullptr);
            g.saida->Obter(g.saida->Ultimo())->espacoAntes = 0;
        }
        return;
    }
}

void EmitirEsquecidosCadeia(clGerador& g, clTermo* inicio, int profundidade)
{
    int n = 0;
    for (clTermo* t = inicio; t && n < kMaxCadeia; t = t->proximo, ++n) {
        const std::uint16_t c = t->verbete.classe;
        if (!t->emitido) EmitirTermo(g, t, profundidade + 1);
        else if (c == CL_GRUPO_NOMINAL || c == CL_GRUPO_VERBAL) EmitirEsquecidos(g, t, profundidade);
    }
}

// The guard against lost text: every word of a group must have been written
// or left out on purpose. A word the walk did not reach (an analysis the
// order rules do not foresee) is written where the group ends rather than
// dropped. The parts of a written word (a hyphenated adjective, an unknown
// compound) went out with it.
void EmitirEsquecidos(clGerador& g, clTermo* grupo, int profundidade)
{
    if (!grupo || profundidade > kMaxProfundidade) return;
    if (grupo->verbete.classe == CL_GRUPO_NOMINAL) {
        EmitirEsquecidosCadeia(g, grupo->determinantes, profundidade + 1);
        EmitirEsquecidosCadeia(g, grupo->filhos, profundidade + 1);
        EmitirEsquecidosCadeia(g, grupo->modificadores, profundidade + 1);
    } else if (grupo->verbete.classe == CL_GRUPO_VERBAL) {
        if (grupo->auxiliar && !grupo->auxiliar->emitido) EmitirTermo(g, grupo->auxiliar, profundidade + 1);
        EmitirEsquecidosCadeia(g, grupo->filhos, profundidade + 1);
        if (grupo->negacao && !grupo->negacao->emitido) EmitirTermo(g, grupo->negacao, profundidade + 1);
        if (grupo->verbo && !grupo->verbo->emitido) EmitirTermo(g, grupo->verbo, profundidade + 1);
    }
}

// "de"/"em" + "ele", "ela", "eles", "elas" -> "dele", "nela"...: only when
// the pronoun is an object. As the subject of a verb that follows ("antes de
// ele sair") it stays apart.
bool ContrairPronome(clPalavra* anterior, const char* novo, const clTermo* t)
{
    if (!t || !(t->verbete.classe & CL_PRONOME) || !(t->verbete.flagsPron & PRON_PESSOAL)) return false;
    if (std::strcmp(novo, "ele") != 0 && std::strcmp(novo, "ela") != 0 && std::strcmp(novo, "eles") != 0 &&
        std::strcmp(novo, "elas") != 0)
        return false;
    const clTermo* seguinte = t->depois;
    while (seguinte && seguinte->verbete.classe == CL_ADVERBIO) seguinte = seguinte->depois;
    if (seguinte && (seguinte->verbete.classe & (CL_VERBO | CL_VERBO_AUXILIAR))) return false;
    char* p = anterior->texto;
    const std::size_t n = strnlen(p, sizeof anterior->texto);
    if (n == sizeof anterior->texto || n < 2) return false;
    const bool palavraSo = n == 2;
    if (!palavraSo && p[n - 3] != '_') return false;
    const char* fim = p + n - 2;
    char inicial;
    if (std::strcmp(fim, "de") == 0) inicial = 'd';
    else if (std::strcmp(fim, "em") == 0) inicial = 'n';
    else return false;
    const std::size_t tamNovo = std::strlen(novo);
    if (n - 2 + 1 + tamNovo + 1 > sizeof anterior->texto) return false;  // would not fit: written apart
    p[n - 2] = inicial;
    std::memcpy(p + n - 1, novo, tamNovo + 1);
    return true;
}

// `texto` ends with the word `palavra`, after a blank or a joining mark.
bool TerminaComPalavra(const char* marcado, const char* palavra)
{
    // The marks of the inflecting words ("/todas/_/as/") do not count.
    char texto[kTamPalavra];
    std::size_t a = 0;
    for (const char* p = marcado; *p && a + 1 < sizeof texto; ++p)
        if (*p != '/') texto[a++] = *p;
    texto[a] = '\0';
    const std::size_t n = std::strlen(palavra);
    if (n == 0 || a <= n + 1 || std::strcmp(texto + a - n, palavra) != 0) return false;
    return texto[a - n - 1] == '_' || texto[a - n - 1] == ' ';
}

bool VariasPalavras(const char* texto) { return std::strchr(texto, '_') || std::strchr(texto, ' '); }

// Whether a word merged into `t` (the rest of a multiword) was capitalised.
bool JuntouMaiuscula(const clTermo* t)
{
    int n = 0;
    for (const clTermo* a = t->absorvidos; a && n < kMaxCadeia; a = a->depois, ++n) {
        const std::uint16_t p = a->palavra ? a->palavra->padraoCaixa : std::uint16_t{CAIXA_NENHUMA};
        if (p == CAIXA_INICIAL || p == CAIXA_MAIUSCULAS) return true;
    }
    return false;
}

// The sentence's capital on the first output word, on its first letter only:
// the word is put in its final form here, so that the case pattern is not
// applied to each of its words later.
void CapitalizarPrimeira(clFrase& destino, std::uint16_t padraoOrigem)
{
    if (destino.Ultimo() < 0) return;
    clPalavra* w = destino.Obter(0);
    if (!w || w->padraoCaixa != CAIXA_MINUSCULAS || !w->aplicarCaixa) return;
    if (padraoOrigem != CAIXA_MAIUSCULAS && padraoOrigem != CAIXA_INICIAL) return;
    w->AplicarCaixa();
    for (char* c = w->texto; *c; ++c) {
        if (Maiuscula(*c) != Minuscula(*c)) {
            *c = Maiuscula(*c);
            break;
        }
    }
    w->padraoCaixa = CAIXA_INICIAL;
    w->aplicarCaixa = 0;
}

} // namespace

namespace {

bool PreposicaoDeLugar(const clTermo* r)
{
    static const char* const kLugar[] = {"in", "on", "at", "under", "below", "above", "inside", "near",
                                         "within", "beside", "behind", "between", "outside", "underneath"};
    for (const char* p : kLugar)
        if (VocabuloE(r, p)) return true;
    return false;
}

} // namespace

bool CondicaoSatisfeita(const char* cond, const clTermo* t)
{
    if (!cond) return true;
    const clTermo* r = nullptr;
    bool valor = true;
    std::size_t i = 0;
    // Sub-codes of the class code just read, each with its test.
    auto subcodigos = [&](bool classeOk, auto teste) {
        if (!classeOk) valor = false;
        while (cond[i]) {
            int resultado = teste(cond[i]);  // -1: not a sub-code of this class
            if (resultado < 0) break;
            ++i;
            if (!classeOk || resultado == 0) valor = false;
        }
    };
    while (cond[i]) {
        const char c = cond[i++];
        switch (c) {
        case '*': r = t; break;
        case '+':
            r = t ? PularNegacao(t->depois, true) : nullptr;
            // A state is looked for past adverbs too ("is now available",
            // "is still in the folder").
            if ((cond[i] == 'A' || cond[i] == 'O') && cond[i + 1] == 'E')
                for (int n = 0; n < 2 && r && r->verbete.classe == CL_ADVERBIO && r->depois; ++n)
                    r = PularNegacao(r->depois, true);
            break;
        case '-': r = t ? PularNegacao(t->antes, false) : nullptr; break;
        case '<': r = t ? AnteriorOuDoPai(t) : nullptr; break;
        case '>': r = t ? ProximoOuDoPai(t) : nullptr; break;
        case '@': r = t ? RegenteOuDoPai(t) : nullptr; break;
        case '^': r = t ? t->pai : nullptr; break;
        case '.':
            if (r && !(r->verbete.classe & CL_PONTUACAO)) valor = false;
            break;
        case 'N':
            subcodigos(Tem(r, CL_SUBSTANTIVO), [&](char s) {
                if (s == 'F') return r && (r->verbete.flagsSubst & SUBST_FEMININO) ? 1 : 0;
                if (s == 'P') return r && (r->verbete.flagsSubst & SUBST_PLURAL) ? 1 : 0;
                return -1;
            });
            break;
        case 'A':
            subcodigos(Tem(r, CL_ADJETIVO), [&](char s) {
                // A state is no state with its agent ("was installed by the
                // administrator" is a passive: "foi instalado"), but "by
                // default" names no agent.
                if (s == 'E')
                    return r && (r->verbete.flagsAdj & ADJ_ESTADO) &&
                                   !(VocabuloE(r->depois, "by") && !VocabuloE(r->depois->depois, "default"))
                               ? 1
                               : 0;
                return -1;
            });
            break;
        case 'V':
            subcodigos(Tem(r, CL_VERBO | CL_VERBO_AUXILIAR), [&](char s) {
                if (!r) return s == '3' || s == 'P' || s == 'T' ? 0 : -1;
                const std::uint16_t f = r->verbete.formas;
                if (s == '3') return (f & (0x0080 | 0x0400)) ? 1 : 0;
                if (s == 'P') return (f & FORMA_PLURAL) ? 1 : 0;
                if (s == 'T') return (f & FORMA_PASSIVA) ? 1 : 0;
                return -1;
            });
            break;
        case 'P':
            subcodigos(Tem(r, CL_PRONOME), [&](char s) {
                if (s < '1' || s > '6') return -1;
                return r && (r->verbete.flagsPron & (PRON_PESSOA1 << (s - '1'))) ? 1 : 0;
            });
            break;
        case 'O':
            subcodigos(Tem(r, CL_PREPOSICAO), [&](char s) {
                // A preposition of place: "is in the folder" is where
                // something is ("est\xE1 na pasta").
                if (s == 'E') return PreposicaoDeLugar(r) ? 1 : 0;
                return -1;
            });
            break;
        case 'D':
            if (!Tem(r, CL_ADVERBIO)) valor = false;
            break;
        case '1':
            subcodigos(Tem(r, CL_GRUPO_NOMINAL), [&](char s) {
                if (s == 'P') return r && (r->verbete.flagsSubst & SUBST_PLURAL) ? 1 : 0;
                return -1;
            });
            break;
        case '2':
            subcodigos(Tem(r, CL_GRUPO_VERBAL), [&](char s) {
                if (s == '6') return r && r->tempo == 6 ? 1 : 0;
                if (s == '8') return r && r->tempo == 8 ? 1 : 0;
                return -1;
            });
            break;
        case 'e': {
            const char s = cond[i];
            if (s) ++i;
            const int padrao = r && r->palavra ? r->palavra->padraoCaixa : -1;
            if (s == 'a' && padrao != CAIXA_MINUSCULAS) valor = false;
            if (s == 'A' && padrao != CAIXA_MAIUSCULAS && padrao != CAIXA_INICIAL) valor = false;
            break;
        }
        case '&':
            if (!valor) return false;
            break;
        case '|':
            if (valor) return true;
            valor = true;
            break;
        default:
            valor = false;
            break;
        }
    }
    return valor;
}

namespace {

// The clause of `grupo` opens with "if", "when", "unless", "once" at the
// start of the sentence or after a comma ("If the file exists, ..."): an
// event still to come, the future subjunctive in Portuguese ("Se o arquivo
// existir"). After a verb "if" asks ("Check if the file exists": "se o
// arquivo existe") and the indicative stays.
bool OracaoCondicional(const clTermo* grupo)
{
    const clTermo* e = grupo->anterior;
    if (e && e->verbete.classe == CL_GRUPO_NOMINAL) e = e->anterior;
    if (!e || e->verbete.classe != CL_CONJUNCAO) return false;
    if (!(VocabuloE(e, "if") || VocabuloE(e, "when") || VocabuloE(e, "unless") || VocabuloE(e, "once") ||
          VocabuloE(e, "whenever")))
        return false;
    // "When is the meeting?", "When does the store open?": "when" that asks,
    // with the verb or the auxiliary before the subject, is no condition.
    if (VocabuloE(e, "when") && (grupo->auxiliar || grupo->anterior == e)) return false;
    const clTermo* antes = e->anterior;
    if (!antes || antes->papel == PAPEL_INICIO || (antes->verbete.classe & (CL_VIRGULA | CL_PONTUACAO))) return true;
    // "Close the window when you leave", "I will call you when I arrive":
    // after an order or a future, "when" looks ahead too ("quando voc\xEA
    // sair"); "if" only after a future ("Check if the file exists" asks).
    const bool quando = VocabuloE(e, "when") || VocabuloE(e, "once");
    int n = 0;
    for (const clTermo* a = antes; a && a->papel != PAPEL_INICIO && n < 40; a = a->anterior, ++n) {
        if (a->verbete.classe & (CL_PONTUACAO | CL_CONJUNCAO)) return false;
        if (a->verbete.classe == CL_GRUPO_VERBAL)
            return a->tempo == TEMPO_FUTURO || a->tempo == TEMPO_IR_PRESENTE || (quando && a->tempo == TEMPO_IMPERATIVO);
    }
    return false;
}

// The future subjunctive of an infinitive (one word): "salvar" -> "salvar",
// "salvarem"; the irregular stems in the third person singular.
bool SubjuntivoFuturo(char* texto, std::size_t tam, int pessoa)
{
    // A verb with its particle ("/clicar/_em"): the verb inflects, the
    // particle follows ("clicar_em", "clicarem_em").
    if (texto[0] == '/') {
        const char* fim = std::strchr(texto + 1, '/');
        if (!fim || fim[1] != '_' || std::strchr(fim + 1, '/') || std::strchr(texto, ' ')) return false;
        char verbo[kTamPalavra];
        const std::size_t n = static_cast<std::size_t>(fim - (texto + 1));
        if (n == 0 || n >= sizeof verbo) return false;
        std::memcpy(verbo, texto + 1, n);
        verbo[n] = '\0';
        char resto[kTamPalavra];
        CopiarTexto(resto, sizeof resto, fim + 1);
        if (!SubjuntivoFuturo(verbo, sizeof verbo, pessoa)) return false;
        AcrescentarTexto(verbo, sizeof verbo, resto);
        CopiarTexto(texto, tam, verbo);
        return true;
    }
    if (std::strchr(texto, '_') || std::strchr(texto, '/') || std::strchr(texto, ' ')) return false;
    const std::size_t n = std::strlen(texto);
    if (n < 2 || texto[n - 1] != 'r') return false;
    static const char* const kIrregulares[][2] = {
        {"ser", "for"},         {"ir", "for"},           {"estar", "estiver"},   {"ter", "tiver"},
        {"fazer", "fizer"},     {"poder", "puder"},      {"querer", "quiser"},   {"saber", "souber"},
        {"dizer", "disser"},    {"vir", "vier"},         {"ver", "vir"},         {"dar", "der"},
        {"haver", "houver"},    {"trazer", "trouxer"},   {"p\xF4r", "puser"},    {"caber", "couber"},
        {"manter", "mantiver"}, {"conter", "contiver"},  {"obter", "obtiver"},   {"desfazer", "desfizer"},
        {"refazer", "refizer"}, {"prever", "previr"},    {"rever", "revir"},     {"propor", "propuser"},
        {"compor", "compuser"}, {"expor", "expuser"},    {"supor", "supuser"},   {"satisfazer", "satisfizer"},
    };
    for (const auto& i : kIrregulares) {
        if (std::strcmp(texto, i[0]) == 0) {
            CopiarTexto(texto, tam, i[1]);
            break;
        }
    }
    static const char* const kFinais[6] = {"", "es", "", "mos", "des", "em"};
    if (pessoa >= 0 && pessoa < 6) AcrescentarTexto(texto, tam, kFinais[pessoa]);
    return true;
}

bool Capitalizada(const clTermo* t);
bool CapitalizadaNoRotulo(const clTermo* t);

bool SetaDeMenu(const clTermo* t);
bool AbreAspas(const clTermo* t);

bool VerboDeRotulo(const clGerador& g, const clTermo* w)
{
    if (!Capitalizada(w)) return false;
    if (SetaDeMenu(w->antes) || SetaDeMenu(w->depois)) return true;
    if (!w->antes) return false;
    // The button clicked: "click Save", "click on Save".
    const clTermo* a = VocabuloE(w->antes, "on") ? w->antes->antes : w->antes;
    if (VocabuloE(a, "click")) return true;
    // A quoted label: "the \x93Dissolve\x94 mode", "\x93Show Image Selection\x94";
    // in a heading after an article ("The \x93Edit\x94 Menu").
    if ((g.prosa || AposArtigo(w->antes)) && AbreAspas(w->antes)) return true;
    return g.prosa && !CapitalizadaNoRotulo(w->antes) && CapitalizadaNoRotulo(w->depois) &&
           (w->depois->verbete.classe & CL_SUBSTANTIVO);
}


// A reflexive translation ("/certificar/-se_de_que") whose verb stands in the
// future or the conditional, or after "n\xE3o", takes its pronoun before the
// verb: "se certificar\xE1", "n\xE3o se cadastre"; "certificar\xE1-se" is no
// Portuguese. The text keeps its length: "-se" leaves the verb's end and
// "se_" goes before its opening mark.
void PronomeAntesDoVerbo(char* texto)
{
    char* fim = std::strstr(texto, "/-se");
    if (!fim || (fim[4] != '\0' && fim[4] != '_')) return;
    char* inicio = fim;
    while (inicio > texto && inicio[-1] != '/') --inicio;
    if (inicio == texto) return;
    --inicio;  // the word's opening mark
    std::memmove(inicio + 3, inicio, static_cast<std::size_t>(fim + 1 - inicio));
    std::memcpy(inicio, "se_", 3);
}

// "/transformar/-se_em" as a passive participle: "/transformadas/_em".
void SemPronome(char* texto)
{
    char* fim = std::strstr(texto, "/-se");
    if (!fim || (fim[4] != '\0' && fim[4] != '_')) return;
    std::memmove(fim + 1, fim + 4, std::strlen(fim + 4) + 1);
}

} // namespace

// "The certificate and the key do not match": the noun joined by "and"
// before the subject's group, whose verb is then plural; or null.
static const clTermo* CoordenadoAntes(const clTermo* sujeito)
{
    if (!sujeito || !(sujeito->verbete.classe & CL_SUBSTANTIVO) || !EhGrupoNominal(sujeito->pai)) return nullptr;
    const clTermo* e = sujeito->pai->anterior;
    if (!e || !VocabuloE(e, "and") || !EhGrupoNominal(e->anterior)) return nullptr;
    // The first noun opens the clause ("the image has a channel and the
    // background is..." joins two clauses).
    const clTermo* antes = e->anterior->anterior;
    if (antes && antes->papel != PAPEL_INICIO && !(antes->verbete.classe & CL_VIRGULA)) {
        static const char* const kAbrem[] = {"if", "when", "because", "while", "although", "that", "since", "unless"};
        bool abre = false;
        for (const char* x : kAbrem)
            if (VocabuloE(antes, x)) abre = true;
        if (!abre) return nullptr;
    }
    const clTermo* outro = e->anterior->filhos;
    return outro && (outro->verbete.classe & CL_SUBSTANTIVO) ? outro : nullptr;
}

// "everyone", "everybody" are "todos": the verb and what agrees with them
// are plural ("Todos sabem", "quando todos chegarem").
static bool TodosComoSujeito(const clTermo* s)
{
    return s && s->verbete.vocabulo[0] == 'e' && (VocabuloE(s, "everyone") || VocabuloE(s, "everybody"));
}

int PessoaDoVerbo(const clTermo* w, const clTermo* s)
{
    const std::uint16_t formas = w ? w->verbete.formas : 0;
    const bool formaPlural = formas & FORMA_PLURAL;
    if (s && (s->verbete.classe & CL_PRONOME)) {
        const std::uint16_t p = s->verbete.flagsPron;
        if (TodosComoSujeito(s)) return 5;
        if (formaPlural) {
            if (p & PRON_PESSOA4) return 3;
            if (p & PRON_PESSOA5) return 4;
            if (p & PRON_PESSOA6) return 5;
            return 2;
        }
        for (int i = 0; i < 6; ++i)
            if (p & (PRON_PESSOA1 << i)) return i;
        return 2;
    }
    if (s && (s->verbete.classe & CL_SUBSTANTIVO)) {
        const bool sujeitoPlural = s->verbete.flagsSubst & SUBST_PLURAL;
        if (w && w->pai && w->pai->verbete.classe == CL_GRUPO_VERBAL && CoordenadoAntes(s)) return 5;
        if (!sujeitoPlural && s->pai && VocabuloE(s->pai->determinantes, "no")) return 2;
        // "The data is saved": a noun that is plural in Portuguese only
        // ("dados") takes the plural verb ("Os dados s\xE3o salvos").
        if (sujeitoPlural && !(s->verbete.formas & FORMA_SINGULAR_S)) return 5;
        return (sujeitoPlural && !(formas & FORMA_SINGULAR)) || formaPlural ? 5 : 2;
    }
    return formaPlural ? 5 : 2;
}

// "The file is locked", "TPM is not initialized": the passive of a verb
// whose participle says the state it leaves is that state, with "estar"
// ("est\xE1 bloqueado", "n\xE3o est\xE1 inicializado"); with an agent or
// an adverb of time it is the action again ("is locked by", "is
// installed automatically").
bool EstadoResultante(const clTermo* grupo)
{
    const clTermo* v = grupo->verbo;
    if (!v || !(v->verbete.formas & FORMA_PARTICIPIO)) return false;
    const char* base = v->verbete.formaBase[0] ? v->verbete.formaBase : v->verbete.vocabulo;
    static const char* const kEstados[] = {
        "install", "uninstall", "enable", "disable", "lock", "unlock", "connect", "disconnect", "initialize",
        "activate", "deactivate", "expire", "encrypt", "mark", "select", "corrupt", "damage", "mount",
        "unmount", "load", "configure", "malform", "block", "attach", "detach", "tag", "register", "compress",
        "hide", "close", "open", "empty", "fill", "check", "uncheck", "set", "pause", "stop"};
    bool estado = false;
    for (const char* x : kEstados)
        if (std::strcmp(base, x) == 0) estado = true;
    if (!estado) return false;
    const clTermo* d = v->depois;
    static const char* const kAcao[] = {"by", "automatically", "automatic", "when", "whenever", "every", "each", "only",
                                        "always", "usually", "often", "once", "if", "before", "after"};
    for (const char* x : kAcao)
        if (d && VocabuloE(d, x)) return false;
    return true;
}

void ConjugarGrupo(clGerador& g, char* texto, std::size_t tam, const clTermo* w)
{
    if (!texto || !w || !w->pai) return;
    const clTermo* grupo = w->pai;
    const int c = grupo->tempo;
    if (c < 0 || c > 29) return;
    const clTermo* sujeito = grupo->regente;
    const clTermo* principal = grupo->verbo ? grupo->verbo : w;
    // In a verb group every word but the main verb is an auxiliary; elsewhere
    // (a verb used as an adjective) only a pure auxiliary word is.
    const bool auxiliar = grupo->verbete.classe == CL_GRUPO_VERBAL ? w != grupo->verbo
                                                                   : w->verbete.classe == CL_VERBO_AUXILIAR;
    const bool principalIng = principal->verbete.formas & FORMA_ING;
    // A verb group whose first auxiliary the tense table does not know is
    // mostly a modal ("may", "might", "shall"): the auxiliary in the present,
    // the main verb in the infinitive ("ele pode ir").
    static constexpr TempoGrupo kModal = {PRES, nullptr, INF, false};
    const TempoGrupo& linha =
        c == TEMPO_DESCONHECIDO && grupo->verbete.classe == CL_GRUPO_VERBAL ? kModal : kTempos[c];

    // A modal the tense table gives the infinitive after ("must", "should",
    // "would", "may", "might").
    const bool modal = grupo->verbete.classe == CL_GRUPO_VERBAL && (c == 27 || c == 28 || c == TEMPO_DESCONHECIDO);
    int tempo;
    const char* troca = nullptr;
    if (auxiliar) {
        tempo = linha.auxiliar;
        troca = linha.verboAuxiliar;
        if ((c == 18 && !VocabuloE(w, "can")) || (c == 20 && !VocabuloE(w, "could"))) {
            troca = principalIng ? "estar" : "ser";
            tempo = INF;
        }
        // "is still being copied": "is" and "being" apart are "est\xE1" and
        // "sendo", as "is_being" together is "est\xE1_sendo".
        if (c == TEMPO_PASSIVA_CONTINUA && !std::strchr(w->verbete.vocabulo, '_')) {
            troca = "ser";
            tempo = VocabuloE(w, "being") ? GER : PRES;
            if (tempo == PRES) troca = "estar";
        }
        // "Could you open the file?": a request, the conditional ("poderia").
        if ((c == 19 || c == 20) && grupo->auxiliar == w) tempo = COND;
        if (c == TEMPO_PASSIVA_PRESENTE && troca && EstadoResultante(grupo)) troca = "estar";
        // "She was worried": "Ela estava preocupada".
        if ((c == TEMPO_PASSIVA_PRESENTE || c == TEMPO_PASSIVA_PASSADO) && troca && std::strcmp(troca, "ser") == 0 &&
            ParticipioDeSentimento(principal) && grupo->filhos == w) {
            troca = "estar";
            if (c == TEMPO_PASSIVA_PASSADO && tempo == PRET) tempo = IMPERF;
        }
        // "must be saved", "should be running": after a modal, "be" is the
        // infinitive of "ser" or "estar".
        if ((c == 22 || c == 23) && PassivaAposConjuncao(grupo)) tempo = INF;
        // "is enabled", "if it is checked": a participle of state without an
        // agent is a state ("est\xE1 habilitado", "se estiver marcado").
        if (c == TEMPO_PASSIVA_PRESENTE && troca && std::strcmp(troca, "ser") == 0 && ParticipioDeEstado(principal))
            troca = "estar";
        if (modal && w != grupo->auxiliar && VocabuloE(w, "be")) {
            troca = principalIng ? "estar" : "ser";
            // "would be" is the conditional of "ser" alone ("seria perdido").
            tempo = WouldBe(grupo) ? COND : INF;
        }
    } else {
        tempo = linha.principal;
        if (linha.gerundioSeIng && (w->verbete.formas & FORMA_ING)) tempo = GER;
        // ... and the main verb its participle or gerund.
        if (modal && VocabuloE(PularNegacao(w->antes, false), "be")) tempo = principalIng ? GER : PART;
        if (c == 28) {
            if ((VocabuloE(w, "be") && WouldBe(grupo)) || (w == grupo->verbo && WouldDoVerbo(grupo))) tempo = COND;
            if (w == grupo->verbo && WouldHave(grupo, w)) tempo = PART;
        }
    }
    if (troca) CopiarTexto(texto, tam, troca);
    // "I was tired", "the files were in the folder", "she was one year
    // old": a state in the past lasts, "estava", "tinha", never "estive".
    if (c == TEMPO_PASSADO && tempo == PRET && !auxiliar &&
        ((std::strcmp(texto, "estar") == 0 && (VocabuloE(w, "was") || VocabuloE(w, "were"))) || (VocabuloE(w, "have") && w->absorvidos && VocabuloE(w->absorvidos, "old"))))
        tempo = IMPERF;
    // A label that opens with a verb ("selecting Add Tab", "the Fill
    // Selection command") names the action: the infinitive.
    if (!auxiliar && (((c == TEMPO_PRESENTE || c == TEMPO_IMPERATIVO) && VerboDeRotulo(g, w)) || g.rotuloDeAcao))
        tempo = INF;

    // The finite word of a present in a clause of condition or time.
    if (tempo == PRES && (c == TEMPO_PRESENTE || c == TEMPO_PRESENTE_CONTINUO || c == TEMPO_PODER ||
                          c == TEMPO_PASSIVA_PRESENTE) &&
        grupo->verbete.classe == CL_GRUPO_VERBAL && OracaoCondicional(grupo)) {
        char subjuntivo[kTamPalavra];
        CopiarTexto(subjuntivo, sizeof subjuntivo, texto);
        if (subjuntivo[0] >= '0' && subjuntivo[0] <= '9') return;  // a verb number: not a plain infinitive
        if (SubjuntivoFuturo(subjuntivo, sizeof subjuntivo, PessoaDoVerbo(w, sujeito))) {
            CopiarTexto(texto, tam, subjuntivo);
            PronomeAntesDoVerbo(texto);
            return;
        }
    }
    // After "ter" the participle does not agree ("eles t\xEAm trabalhado",
    // never "trabalhados"): only the other participles follow the subject.
    const bool perfeito = !auxiliar && (c == 5 || c == 6 || c == 7 || c == 8 || c == 12);
    clSujeito s;
    s.flagsSubst = sujeito ? sujeito->verbete.flagsSubst : 0;
    // "they", "we": a pronoun of the plural persons alone ("you" is both).
    if (sujeito && (sujeito->verbete.classe & CL_PRONOME) &&
        (sujeito->verbete.flagsPron & (PRON_PESSOA4 | PRON_PESSOA5 | PRON_PESSOA6)) &&
        !(sujeito->verbete.flagsPron & (PRON_PESSOA1 | PRON_PESSOA2 | PRON_PESSOA3)))
        s.flagsSubst |= SUBST_PLURAL;
    if (sujeito && (sujeito->verbete.classe & CL_PRONOME) && TodosComoSujeito(sujeito)) s.flagsSubst |= SUBST_PLURAL;
    const clTermo* outro = grupo->verbete.classe == CL_GRUPO_VERBAL ? CoordenadoAntes(sujeito) : nullptr;
    if (outro) {
        // "O arquivo e a pasta foram exclu\xED" "dos": masculine unless both are feminine.
        s.flagsSubst |= SUBST_PLURAL;
        if (!(outro->verbete.flagsSubst & SUBST_FEMININO)) s.flagsSubst &= static_cast<std::uint8_t>(~SUBST_FEMININO);
    }
    // A pronominal verb ("encontrar-se"): the verb is conjugated alone and
    // its pronoun, in the subject's person, goes before a finite form ("n\xF3s
    // nos encontraremos") and after the others ("encontrar-se").
    const std::size_t n = std::strlen(texto);
    const bool pronominal = n > 3 && texto[n - 1] == 'e' && texto[n - 3] == '-' && texto[n - 2] == 's' &&
                            !std::strchr(texto, '_');
    if (pronominal) texto[n - 3] = '\0';
    const int pessoa = PessoaDoVerbo(w, sujeito);
    Conjugar(g.verbos, texto, tam, sujeito && !perfeito ? &s : nullptr, tempo, pessoa);
    if (!pronominal) {
        // The pronoun inside a translation of several words ("/livrar/-se_de").
        if (tempo == FUT || tempo == COND || (grupo->negacao && tempo <= IMPER)) PronomeAntesDoVerbo(texto);
        // A participle never carries the pronoun: after "ter" it goes before it
        // ("tinha se livrado"); a passive has none ("foram transformadas em").
        if (tempo == PART && perfeito) PronomeAntesDoVerbo(texto);
        else if (tempo == PART) SemPronome(texto);
        return;
    }
    // A negative order puts the pronoun first too: "N\xE3o se preocupe".
    const bool proclise = tempo == IMPER && grupo->verbete.classe == CL_GRUPO_VERBAL && grupo->negacao;
    if (tempo == PRES || tempo == PRET || tempo == IMPERF || tempo == FUT || tempo == COND || proclise ||
        (tempo == PART && perfeito)) {
        static const char* const kPronomes[] = {"me", "te", "se", "nos", "vos", "se"};
        char resultado[kTamPalavra];
        CopiarTexto(resultado, sizeof resultado, kPronomes[pessoa >= 0 && pessoa <= 5 ? pessoa : 2]);
        AcrescentarTexto(resultado, sizeof resultado, "_");
        AcrescentarTexto(resultado, sizeof resultado, texto);
        CopiarTexto(texto, tam, resultado);
    } else if (tempo != PART) {
        AcrescentarTexto(texto, tam, "-se");
    }
}

const char* EscolherTraducao(clGerador& g, clTermo* t, const clTermo* regenteDado)
{
    char* trab = g.trabalho;
    const std::size_t tamTrab = sizeof g.trabalho;
    trab[0] = '\0';
    if (!t) return trab;
    const clVerbete& v = t->verbete;
    std::size_t tam = v.tamTraducoes;
    if (tam > sizeof v.blocoTraducoes) tam = sizeof v.blocoTraducoes;
    if (tam == 0) {
        if (t->palavra) CopiarTexto(trab, tamTrab, t->palavra->texto);
        return trab;
    }

    CopiarTexto(trab, tamTrab, "???");
    const char* bloco = v.blocoTraducoes;
    std::size_t pos = 0;
    while (pos < tam) {
        const char* traducao = bloco + pos;
        const std::size_t lt = strnlen(traducao, tam - pos);
        const std::size_t pc = pos + lt + 1;
        char condicao[TAM_BLOCO_TRADUCOES + 1] = "";
        std::size_t lc = 0;
        if (pc < tam) {
            lc = strnlen(bloco + pc, tam - pc);
            std::memcpy(condicao, bloco + pc, lc);
            condicao[lc] = '\0';
        }
        if (lt == 0 && lc == 0) break;  // the padding after the last alternative
        if (CondicaoSatisfeita(condicao, t)) {
            const std::size_t n = lt < tamTrab - 1 ? lt : tamTrab - 1;
            std::memcpy(trab, traducao, n);
            trab[n] = '\0';
            break;
        }
        pos = pc + lc + 1;
    }

    const std::uint16_t classe = v.classe;
    // "is in use", "is not on the disk": a place is "estar" ("est\xE1 em
    // uso", "n\xE3o est\xE1 no disco").
    if ((classe & (CL_VERBO | CL_VERBO_AUXILIAR)) && std::strcmp(trab, "ser") == 0 &&
        (std::strcmp(v.formaBase, "be") == 0 || std::strcmp(v.vocabulo, "be") == 0)) {
        const clTermo* d = PularNegacao(t->depois, true);
        static const char* const kLugar[] = {"in", "on", "at", "inside", "under", "behind", "near"};
        for (const char* x : kLugar)
            if (d && (d->verbete.classe & CL_PREPOSICAO) && VocabuloE(d, x)) CopiarTexto(trab, tamTrab, "estar");
        // "Where is the file?", "How are you?", "Here is the list", "She is
        // here": where something is and how it is are "estar".
        const clTermo* a = t->antes;
        const bool abreOracao = a && (!a->antes || (a->antes->verbete.classe & (CL_VIRGULA | CL_PONTUACAO)));
        if ((abreOracao && (VocabuloE(a, "where") || VocabuloE(a, "how") || VocabuloE(a, "here"))) ||
            VocabuloE(d, "here") || VocabuloE(d, "there"))
            CopiarTexto(trab, tamTrab, "estar");
    }
    if (classe == CL_ADJETIVO) {
        if (v.flagsAdj & ADJ_COMPARATIVO) FazerGrau(trab, tamTrab, "mais_");
        else if (v.flagsAdj & ADJ_SUPERLATIVO) FazerGrau(trab, tamTrab, "/o/_mais_");
        // A superlative in a noun group that has its article says it once:
        // "the biggest file" is "o arquivo maior", not "o arquivo o maior".
        if (std::strncmp(trab, "/o/_", 4) == 0 && EhGrupoNominal(t->pai) && t->pai->determinantes)
            MoverTexto(trab, trab + 4);
    }

    // "I have seen it before", "Call me after.": a preposition with no
    // object after it stands as an adverb, without its "de" ("antes",
    // "depois", "perto").
    if (classe == CL_PREPOSICAO && !t->criada) {  // a part of "from-code" keeps it
        const clTermo* d = t->depois;
        const char fim = d && d->palavra ? d->palavra->texto[0] : '\0';
        const bool semObjeto = !d || (d->verbete.classe & CL_VIRGULA) ||
                               ((d->verbete.classe & CL_PONTUACAO) &&
                                (fim == '.' || fim == '?' || fim == '!' || fim == ';' || fim == '\0'));
        const std::size_t n = semObjeto ? std::strlen(trab) : 0;
        if (n > 3 && trab[n - 1] == 'e' && trab[n - 2] == 'd' && trab[n - 3] == '_') trab[n - 3] = '\0';
    }

    const clTermo* regente = regenteDado ? regenteDado : t->regente;
    if (classe & (CL_VERBO | CL_VERBO_AUXILIAR)) {
        if (t->pai && EhInfinitivo(trab)) {
            if (trab[0] >= '0' && trab[0] <= '9' && trab[1] >= '0' && trab[1] <= '9')
                MoverTexto(trab, trab + 2);
            ConjugarGrupo(g, trab, tamTrab, t);
        }
    } else if (classe & CL_ADJETIVO) {
        if (regente) {
            if (!(v.flagsAdj & ADJ_INVARIAVEL_GENERO)) Feminino(trab, tamTrab, regente);
            if (!(v.flagsAdj & ADJ_INVARIAVEL_NUMERO)) Plural(trab, tamTrab, regente);
        }
    } else if (classe & CL_ADVERBIO) {
        if (v.flagsAdj & ADJ_ADVERBIO_LY) FazerAdverbio(trab, tamTrab);
    } else if (classe & CL_ARTIGO) {
        if (v.flagsArtigo & (0x0002 | 0x0004)) {
            Feminino(trab, tamTrab, regente);
            Plural(trab, tamTrab, regente);
        }
    } else if (classe & CL_SUBSTANTIVO) {
        Plural(trab, tamTrab, t);
    } else if (classe & CL_PRONOME) {
        // "nada", "ningu\xE9m" have no plural: "We saw nothing" is "N\xF3s n\xE3o vimos nada".
        const bool invariavel = (v.flagsPron & PRON_NEGATIVO) && !std::strchr(trab, '/');
        if (regente && !invariavel && !(v.flagsPron & (PRON_DEMONSTRATIVO | PRON_INTERROGATIVO | PRON_PESSOAL))) {
            Feminino(trab, tamTrab, regente);
            Plural(trab, tamTrab, regente);
        }
    }
    return trab;
}

namespace {

bool Capitalizada(const clTermo* t)
{
    return t && t->palavra && t->palavra->padraoCaixa == CAIXA_INICIAL && t->verbete.classe != CL_DESCONHECIDA &&
           !(t->verbete.classe & (CL_PONTUACAO | CL_VIRGULA | CL_SIMBOLO));
}

// The sentence's first word is capitalised for the sentence; it opens a
// label only when it is no verb ("Layer Mask is...", not "Select Add Tab").
bool CapitalizadaNoRotulo(const clTermo* t)
{
    if (!Capitalizada(t)) return false;
    return t->antes || !(t->verbete.classe & (CL_VERBO | CL_VERBO_AUXILIAR));
}

bool TemMaiuscula(const char* texto)
{
    for (const char* c = texto; *c; ++c)
        if (Minuscula(*c) != *c) return true;
    return false;
}

// One word with a capital after its first letter.
bool GrafiaPropria(const char* texto)
{
    if (!texto[0]) return false;
    bool interna = false;
    for (const char* c = texto + 1; *c; ++c) {
        if (*c == '_' || *c == ' ' || *c == '/') return false;
        if (Minuscula(*c) != *c) interna = true;
    }
    return interna;
}

bool Sinal(const clTermo* t, const char* quais)
{
    if (!t || t->verbete.classe != CL_SIMBOLO || !t->palavra) return false;
    const char* x = t->palavra->texto;
    return x[0] && x[1] == '\0' && std::strchr(quais, x[0]);
}

bool AbreAspas(const clTermo* t) { return Sinal(t, "\"\x93"); }

// A quotation mark opened after an article: a name in a noun group, also in
// a heading written in capitals ("The \x93Edit\x94 Menu").
bool AposArtigo(const clTermo* t) { return t && t->antes && (t->antes->verbete.classe & CL_ARTIGO); }

// "the \x93Normal\x94 layer mode": a quoted name before a noun names it and
// comes after it in Portuguese ("o modo de camada \x93Normal\x94"). The noun
// group after the closing mark, or nullptr.
clTermo* NomeAposCitacao(const clTermo* abre)
{
    if (!AbreAspas(abre)) return nullptr;
    const char fecha = abre->palavra->texto[0] == '"' ? '"' : '\x94';
    const char fechaTexto[2] = {fecha, '\0'};
    const clTermo* t = abre->proximo;
    for (int n = 0; t && n < 5; t = t->proximo, ++n) {
        if (Sinal(t, fechaTexto)) {
            if (n == 0) return nullptr;
            clTermo* nome = t->proximo;
            if (!EhGrupoNominal(nome) || nome->pai || nome->determinantes || nome->emitido || !nome->filhos ||
                !(nome->filhos->verbete.classe & CL_SUBSTANTIVO))
                return nullptr;
            return nome;
        }
        if (t->verbete.classe & (CL_PONTUACAO | CL_VIRGULA | CL_SIMBOLO)) return nullptr;
    }
    return nullptr;
}

// The arrow between the items of a menu path ("Edit \xBB Fill with BG
// Color"); an arrow Windows-1252 lacks stands as a kept-aside character.
bool SetaDeMenu(const clTermo* t)
{
    if (!t || t->verbete.classe != CL_SIMBOLO || !t->palavra) return false;
    const char* x = t->palavra->texto;
    return x[0] == '\x81' || std::strcmp(x, "\xBB") == 0 || std::strcmp(x, ">") == 0 || std::strcmp(x, "->") == 0;
}

// The item of a menu path `t` belongs to: the arrow before it, within a few
// words and no punctuation.
const clTermo* ItemDeMenu(const clTermo* t)
{
    const clTermo* a = t->antes;
    for (int n = 0; a && n < 6; a = a->antes, ++n) {
        if (SetaDeMenu(a)) return a;
        if (a->verbete.classe & (CL_PONTUACAO | CL_VIRGULA | CL_SIMBOLO)) return nullptr;
    }
    return nullptr;
}

// The run of capitalised words `t` belongs to (its first word), or nullptr.
const clTermo* RotuloDe(const clGerador& g, const clTermo* t)
{
    if (!t || t->criada || t->nome || t->verbete.tamTraducoes == 0 || !Capitalizada(t)) return nullptr;
    if (g.rotuloDeAcao) return g.rotuloDeAcao;
    if (!CapitalizadaNoRotulo(t)) return nullptr;
    if (const clTermo* item = ItemDeMenu(t)) return item;
    if (!g.prosa) return nullptr;
    if (!CapitalizadaNoRotulo(t->antes) && !CapitalizadaNoRotulo(t->depois)) return nullptr;
    const clTermo* inicio = t;
    for (int n = 0; n < kMaxCadeia && CapitalizadaNoRotulo(inicio->antes); ++n) inicio = inicio->antes;
    // A name given in brackets or quotation marks keeps its capitals
    // ("(Big Table)", "the \"User Guide\"").
    const clTermo* antes = inicio->antes;
    if (antes && antes->palavra && antes->palavra->texto[0] && antes->palavra->texto[1] == '\0' &&
        std::strchr("(\"\x93\x91", antes->palavra->texto[0]))
        return nullptr;
    return inicio;
}

// Languages, nationalities, months and days: capitalised in English, in
// lower case in Portuguese ("fala ingl\xEAs", "em janeiro").
bool MinusculaEmPortugues(const clTermo* t)
{
    static const char* const kPalavras[] = {
        "january", "february", "march", "april", "june", "july", "august", "september", "october",
        "november", "december", "monday", "tuesday", "wednesday", "thursday", "friday", "saturday", "sunday",
        "english", "french", "german", "spanish", "portuguese", "italian", "chinese", "japanese", "russian",
        "arabic", "dutch", "korean", "greek", "latin", "hebrew", "turkish", "polish", "swedish", "danish",
        "norwegian", "finnish", "czech", "hungarian", "romanian", "hindi", "thai", "vietnamese", "indonesian",
        "persian", "ukrainian", "catalan", "brazilian", "american", "british", "european", "african", "asian",
        "canadian", "mexican", "argentinian", "australian", "indian", "irish", "scottish", "swiss", "belgian",
        "austrian", "bulgarian", "croatian", "serbian", "slovak", "slovenian", "estonian", "latvian",
        "lithuanian", "icelandic", "galician", "basque", "welsh", "malay", "bengali", "urdu", "tamil"};
    for (const char* p : kPalavras)
        if (VocabuloE(t, p)) return true;
    return false;
}

// A word of a label after the first one written is written in
// lower case, unless its translation is a name ("Debian", "GIMP").
bool MinusculaNoRotulo(clGerador& g, const char* texto, const clTermo* t)
{
    const clTermo* rotulo = RotuloDe(g, t);
    if (!rotulo) return false;
    for (int i = 0; i < g.quantosRotulos; ++i)
        if (g.rotulos[i] == rotulo) return !TemMaiuscula(texto);
    if (g.quantosRotulos < clGerador::kMaxRotulos) g.rotulos[g.quantosRotulos++] = rotulo;
    return false;
}

} // namespace

void EmitirPalavra(clGerador& g, const char* texto, const clTermo* t)
{
    clFrase* saida = g.saida;
    if (!saida || !texto) return;
    clPalavra* anterior = saida->Ultimo() >= 0 ? saida->Obter(-1) : nullptr;
    // A multiword verb translation still contracts its final preposition
    // ("gosta_de" + "o" -> "gosta_do").
    // "all the files": "todos os" already says the article ("todos os
    // arquivos", never "todos os os"). A verb whose translation ends in the
    // preposition "a" ("obedece_a", "refira-se_a") contracts with it instead:
    // "obedece \xE0 norma", never "obedece a norma".
    if (anterior && t && (t->verbete.classe & CL_ARTIGO) && !g.ultimoVerbo && TerminaComPalavra(anterior->texto, texto))
        return;
    const bool podeContrair = anterior && (!g.ultimoVerbo || std::strchr(anterior->texto, '_')) &&
                              !(g.ultimoFor && std::strcmp(anterior->texto, "para") == 0);
    // "in your folder": "na sua pasta", the possessive with its article;
    // "for your help": "pela sua ajuda".
    if (podeContrair && t && (t->verbete.classe & CL_PRONOME) && (anterior->texto[0] == 'e' || anterior->texto[0] == 'p') &&
        (std::strcmp(anterior->texto, "em") == 0 || std::strcmp(anterior->texto, "por") == 0)) {
        static const char* const kPossessivos[][3] = {
            {"seu", "no", "pelo"}, {"sua", "na", "pela"}, {"seus", "nos", "pelos"}, {"suas", "nas", "pelas"}};
        const int k = anterior->texto[0] == 'e' ? 1 : 2;
        for (const auto& p : kPossessivos)
            if (std::strcmp(texto, p[0]) == 0) CopiarTexto(anterior->texto, sizeof anterior->texto, p[k]);
    }
    if (podeContrair && Contrair(anterior, texto)) return;
    if (podeContrair && ContrairPronome(anterior, texto, t)) return;
    g.ultimoVerbo = t && (t->verbete.classe & (CL_VERBO | CL_VERBO_AUXILIAR));
    // "for" and the "to" of a destination keep "para" whole before an article.
    g.ultimoFor = false;
    if (t && (t->verbete.classe & CL_PREPOSICAO)) {
        const char c0 = t->verbete.vocabulo[0];
        g.ultimoFor = (c0 == 'f' && VocabuloE(t, "for")) || (c0 == 't' && VocabuloE(t, "to") && DestinoDeMovimento(t));
    }

    clPalavra w;
    bool grafiaDoNome = false;
    if (t && t->palavra) {
        w = *t->palavra;
        if (anterior && w.padraoCaixa != CAIXA_NENHUMA && anterior->padraoCaixa != CAIXA_NENHUMA) w.espacoAntes = 1;
        // The sentence's first word moved behind another ("\x93Foreground
        // Select\x94 tool options": "Op\xE7\xF5" "es de ferramenta \x93...\x94") is
        // parted from it by a blank.
        if (anterior && !t->antes && !t->criada && w.padraoCaixa == CAIXA_NENHUMA &&
            (std::strchr("\x93\x91(", w.texto[0]) || w.texto[0] == '"') && w.texto[0] && !w.texto[1])
            w.espacoAntes = 1;
        // The capital of the sentence's first word belongs to the sentence,
        // not to the word: moved behind another word ("Could not" -> "Não
        // podia"), it is written in lower case; the sentence's capital goes to
        // whatever word comes out first.
        if (anterior && !t->antes && !t->criada && w.aplicarCaixa && w.padraoCaixa == CAIXA_INICIAL &&
            !TemMaiuscula(texto))
            w.padraoCaixa = CAIXA_MINUSCULAS;
        // "I" is written in capitals wherever it stands; "eu" is not ("Como
        // eu instalo").
        if (w.aplicarCaixa && w.padraoCaixa == CAIXA_INICIAL && (t->verbete.classe & CL_PRONOME) &&
            VocabuloE(t, "i"))
            w.padraoCaixa = CAIXA_MINUSCULAS;
        // Nor does it belong to every word of a translation of several words
        // ("Host name" is "Nome de host", not "Nome De Host"), unless the
        // English words were all capitalised, as in a name.
        if (!t->antes && !t->criada && w.aplicarCaixa && w.padraoCaixa == CAIXA_INICIAL &&
            VariasPalavras(texto) && !JuntouMaiuscula(t))
            w.padraoCaixa = CAIXA_MINUSCULAS;
        // The capital of a language, a month or a day is English only; a
        // title ("English Language Support") keeps its capitals.
        if (g.semTitulo && t->antes && w.aplicarCaixa && w.padraoCaixa == CAIXA_INICIAL && !TemMaiuscula(texto) &&
            MinusculaEmPortugues(t))
            w.padraoCaixa = CAIXA_MINUSCULAS;
        if (w.aplicarCaixa && w.padraoCaixa == CAIXA_INICIAL && MinusculaNoRotulo(g, texto, t))
            w.padraoCaixa = CAIXA_MINUSCULAS;
        // A name the dictionary spells with capitals inside ("OpenPGP",
        // "PackageKit") and the text capitalises keeps its spelling.
        if (w.aplicarCaixa && (w.padraoCaixa == CAIXA_INICIAL || w.padraoCaixa == CAIXA_MISTA) &&
            GrafiaPropria(texto))
            w.aplicarCaixa = 0;
        // So does a name of several words written with its capitals ("South
        // Korea": "Coreia do Sul", never "Coreia Do Sul").
        if (w.aplicarCaixa && w.padraoCaixa == CAIXA_INICIAL && VariasPalavras(texto) && TemMaiuscula(texto) &&
            JuntouMaiuscula(t))
            grafiaDoNome = true;
        if (g.nomeDaCitacao && t->pai == g.nomeDaCitacao && w.aplicarCaixa && w.padraoCaixa == CAIXA_INICIAL &&
            !t->nome && !TemMaiuscula(texto))
            w.padraoCaixa = CAIXA_MINUSCULAS;
    } else {
        // A word of the generator's own ("de", an article) sits inside the
        // markup of the word before it, but not between that word's pieces.
        if (anterior) {
            w = *anterior;
            w.pedaco = nullptr;
            // Capitals only inside a sentence written in capitals: after an
            // acronym in other text the word is in lower case ("ID do
            // componente", never "ID DO").
            if (w.padraoCaixa != CAIXA_MAIUSCULAS || !g.caixaAlta) w.padraoCaixa = CAIXA_MINUSCULAS;
        } else {
            w.Limpar();
            w.padraoCaixa = CAIXA_MINUSCULAS;
        }
        w.espacoAntes = 1;
        w.aplicarCaixa = 1;
    }
    if (saida->Ultimo() < 0) w.espacoAntes = g.espacoInicial;
    CopiarTexto(w.texto, sizeof w.texto, texto);
    if (grafiaDoNome) {
        // blanks for the joints, the inflection marks dropped, letters as written
        char* escrita = w.texto;
        for (const char* c = w.texto; *c; ++c)
            if (*c != '/') *escrita++ = *c == '_' ? ' ' : *c;
        *escrita = '\0';
        w.aplicarCaixa = 0;
    }
    // A capitalised English word translated by several ("Toolbox",
    // "Desktop", "File name") capitalises the first of them only ("Caixa de
    // ferramentas"), unless the English words were all capitalised: the word
    // is put in its final form here.
    if (t && t->antes && !t->criada && w.aplicarCaixa && w.padraoCaixa == CAIXA_INICIAL && VariasPalavras(texto) &&
        !JuntouMaiuscula(t)) {
        w.padraoCaixa = CAIXA_MINUSCULAS;
        w.AplicarCaixa();
        for (char* c = w.texto; *c; ++c) {
            if (Maiuscula(*c) != Minuscula(*c)) {
                *c = Maiuscula(*c);
                break;
            }
        }
        w.padraoCaixa = CAIXA_INICIAL;
        w.aplicarCaixa = 0;
    }
    saida->Acrescentar(w);
}

namespace {

// A tree may be generated again (the bookkeeping of a former walk goes).
void ZerarEmitidos(clTermo* inicio, int profundidade)
{
    if (profundidade > kMaxProfundidade) return;
    int n = 0;
    for (clTermo* t = inicio; t && n < kMaxCadeia; t = t->proximo, ++n) {
        t->emitido = 0;
        if (t->verbete.classe != CL_GRUPO_NOMINAL && t->verbete.classe != CL_GRUPO_VERBAL) continue;
        ZerarEmitidos(t->filhos, profundidade + 1);
        ZerarEmitidos(t->determinantes, profundidade + 1);
        ZerarEmitidos(t->modificadores, profundidade + 1);
        if (t->verbete.classe == CL_GRUPO_VERBAL) {
            for (clTermo* m : {t->auxiliar, t->verbo, t->negacao, t->absorvidos})
                if (m) m->emitido = 0;
        }
    }
}

} // namespace

void GerarFrase(clGerador& g, clTermo* primeiro, clFrase* saida, const clVerboI* verbos,
                const clPalavra* primeiraOrigem)
{
    ZerarEmitidos(primeiro, 0);
    g.saida = saida;
    g.verbos = verbos;
    g.espacoInicial = primeiraOrigem ? primeiraOrigem->espacoAntes : 0;
    g.ultimoVerbo = false;
    g.quantosRotulos = 0;
    if (!saida) return;
    saida->Limpar();
    CaminharCadeia(g, primeiro, 0);
    EmitirEsquecidosCadeia(g, primeiro, 0);
}

namespace {

bool Abertura(const char* t) { return t[1] == '\0' && std::strchr("([{\x93\x91", t[0]) && t[0]; }

} // namespace

void AjustarEspacosDeSinais(clFrase& destino)
{
    // A word moved next to an opening quotation mark or bracket takes no
    // blank after it ("( Tabela Grande)" -> "(Tabela Grande)"). A straight
    // quotation mark opens when it is the first, third... of the sentence.
    int aspas = 0;
    for (int i = 0; i < destino.Ultimo(); ++i) {
        const char* t = destino.Obter(i)->texto;
        bool abre = Abertura(t);
        if (t[0] == '"' && t[1] == '\0') abre = (aspas++ % 2) == 0;
        if (abre) destino.Obter(i + 1)->espacoAntes = 0;
    }
}

bool GerarTraducao(clTermo* primeiro, clFrase& origem, clFrase& destino, const clVerboI* verbos)
{
    const clPalavra* primeira = origem.Ultimo() >= 0 ? origem.Obter(0) : nullptr;
    clGerador gerador(&destino, verbos);
    CaixaDaFrase(origem, gerador.prosa, gerador.caixaAlta, &gerador.semTitulo);
    GerarFrase(gerador, primeiro, &destino, verbos, primeira);
    AjustarEspacosDeSinais(destino);
    // The sentence's capital is that of its first word, past an opening
    // quotation mark or bracket.
    for (int i = 0; primeira && i < 3 && i < origem.Ultimo() &&
                    (Abertura(primeira->texto) || std::strcmp(primeira->texto, "\"") == 0);)
        primeira = origem.Obter(++i);
    if (primeira) CapitalizarPrimeira(destino, primeira->padraoCaixa);
    return true;
}

void CaixaDaFrase(const clFrase& origem, bool& prosa, bool& caixaAlta, bool* semTitulo)
{
    prosa = false;
    caixaAlta = true;
    if (semTitulo) *semTitulo = false;
    bool alguma = false;
    for (int i = 0; i <= origem.Ultimo(); ++i) {
        const clPalavra* w = origem.Obter(i);
        if (!w || w->padraoCaixa == CAIXA_NENHUMA) continue;
        const std::size_t n = strnlen(w->texto, sizeof w->texto);
        if (n < 2) continue;
        if (w->padraoCaixa == CAIXA_MINUSCULAS) {
            if (n >= 4) prosa = true;
            else if (n == 3 && semTitulo && std::strcmp(w->texto, "the") != 0 && std::strcmp(w->texto, "and") != 0 &&
                     std::strcmp(w->texto, "for") != 0)
                *semTitulo = true;
        }
        if (w->padraoCaixa != CAIXA_MAIUSCULAS) caixaAlta = false;
        alguma = true;
    }
    caixaAlta = caixaAlta && alguma;
    if (semTitulo && prosa) *semTitulo = true;
}
