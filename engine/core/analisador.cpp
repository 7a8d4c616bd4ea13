#include "core/analisador.h"

#include <cstring>

#include "caracteres.h"

namespace {

constexpr std::uint16_t kVerbos = CL_VERBO | CL_VERBO_AUXILIAR;

bool Igual(const char* a, const char* b)
{
    for (; *a && *b; ++a, ++b)
        if (Minuscula(*a) != Minuscula(*b)) return false;
    return *a == *b;
}

bool TextoDe(const clTermo* t, const char* texto) { return t && Igual(t->verbete.vocabulo, texto); }

// 1, 16 or 17: a verb, an auxiliary, or a word that is both.
bool SoVerbo(std::uint16_t c) { return (c & kVerbos) && !(c & ~kVerbos); }

bool Plural(const clTermo* t)
{
    if (!t) return false;
    const clVerbete& v = t->verbete;
    if (v.flagsSubst & SUBST_PLURAL) return true;
    // "you" is both: only a pronoun of the plural persons alone counts.
    return (v.classe & CL_PRONOME) && (v.flagsPron & (PRON_PESSOA4 | PRON_PESSOA5 | PRON_PESSOA6)) &&
           !(v.flagsPron & (PRON_PESSOA1 | PRON_PESSOA2 | PRON_PESSOA3));
}

// The auxiliaries that take a bare infinitive.
bool AuxiliarDeInfinitivo(const clTermo* t)
{
    static const char* const kAuxiliares[] = {"can",   "could", "do",     "does", "did", "will",
                                              "would", "shall", "should", "must", "may", "might"};
    if (!t || !(t->verbete.classe & CL_VERBO_AUXILIAR)) return false;
    for (const char* a : kAuxiliares)
        if (TextoDe(t, a)) return true;
    return false;
}

// A single unknown word right after "cannot", "could not", "do not"...
// The reader wraps an unknown word in a noun of its own (the part is its
// only child).
bool VerboDesconhecidoNegado(const clTermo* t)
{
    if (!t || t->pai) return false;
    const clTermo* palavra = t;
    if (t->verbete.classe == CL_SUBSTANTIVO && (t->verbete.flagsSubst & SUBST_DESCONHECIDA) && t->filhos &&
        !t->filhos->proximo)
        palavra = t->filhos;
    else if (t->verbete.classe != CL_DESCONHECIDA || t->filhos)
        return false;
    if (palavra->verbete.classe != CL_DESCONHECIDA) return false;
    const clTermo* nao = palavra->antes ? palavra->antes : t->antes;
    return TextoDe(nao, "not") && AuxiliarDeInfinitivo(nao->antes);
}

// "Where do you live?", "Why is the screen black?": a question word that
// opens the sentence, before the inverted auxiliary.
bool Interrogativa(const clTermo* t)
{
    static const char* const kPalavras[] = {"where", "when", "why", "how", "how_often"};
    for (const char* p : kPalavras)
        if (TextoDe(t, p)) return true;
    return false;
}

// "possible to open", "unable to read": the infinitive follows such an
// adjective bare ("n\xE3o \xE9 poss\xEDvel ler"); the "to" is no "para".
bool AdjetivoDeInfinitivo(const clTermo* grupo)
{
    if (!grupo || grupo->verbete.classe != CL_GRUPO_NOMINAL || grupo->determinantes || !grupo->filhos) return false;
    const clTermo* a = grupo->filhos;
    if (a->verbete.classe != CL_ADJETIVO) return false;
    static const char* const kAdjetivos[] = {"possible", "impossible", "unable", "necessary", "unnecessary",
                                             "important", "advisable", "safe", "useful", "better"};
    for (const char* p : kAdjetivos)
        if (TextoDe(a, p)) return true;
    return false;
}

// "Which file do you want?": a noun group that a question word opens.
bool GrupoInterrogativo(const clTermo* t)
{
    // "Which type of file do you need?": the question word's group goes on
    // through "of".
    for (int i = 0; i < 3 && t->verbete.classe == CL_GRUPO_NOMINAL && t->anterior && TextoDe(t->anterior, "of") &&
                    t->anterior->anterior && t->anterior->anterior->verbete.classe == CL_GRUPO_NOMINAL;
         ++i)
        t = t->anterior->anterior;
    const clTermo* p = t->anterior;
    // "How many layers does it have?", "How much does it cost?": the
    // question word is the group's own, its determiner or its head.
    if (t->verbete.classe == CL_GRUPO_NOMINAL && p && p->papel == PAPEL_INICIO && !p->anterior) {
        for (const clTermo* q : {t->determinantes, t->filhos})
            if (TextoDe(q, "how_many") || TextoDe(q, "how_much") || TextoDe(q, "how_long")) return true;
    }
    // "How big does it get?", "How far is it?": "how" and the
    // adjective it asks about.
    if (t->verbete.classe == CL_GRUPO_NOMINAL && !t->determinantes && t->filhos &&
        t->filhos->verbete.classe == CL_ADJETIVO && p && p->anterior && p->anterior->papel == PAPEL_INICIO &&
        !p->anterior->anterior && TextoDe(p, "how"))
        return true;
    return t->verbete.classe == CL_GRUPO_NOMINAL && p && p->papel == PAPEL_INICIO && p->anterior &&
           p->anterior->papel == PAPEL_INICIO && !p->anterior->anterior && (p->verbete.flagsPron & PRON_INTERROGATIVO);
}

// An adjective right after a verb of speaking or learning is its object, a
// language ("She can speak English": "ingl\xEAs", never "inglesa").
static bool LinguaObjetoDoVerbo(const clTermo* t)
{
    const clTermo* a = t->antes;
    if (!a || a->verbete.classe != CL_VERBO) return false;
    const char* base = a->verbete.formaBase[0] ? a->verbete.formaBase : a->verbete.vocabulo;
    const char c = Minuscula(base[0]);
    if (c != 's' && c != 'l' && c != 't' && c != 'u') return false;
    static const char* const kLinguas[] = {"speak", "learn", "study", "teach", "understand", "translate"};
    for (const char* x : kLinguas)
        if (Igual(base, x)) return true;
    return false;
}

// The verbs whose past and participle are the bare form, alone or opening a
// verb of several words ("shut_down", "set_up").
bool MesmaFormaNoPassado(const clTermo* t)
{
    if (!t) return false;
    const char* v = t->verbete.vocabulo;
    // Most verbs start with none of the letters of the list: one test turns them away.
    const char c = Minuscula(v[0]);
    if (c != 's' && c != 'p' && c != 'c' && c != 'r' && c != 'h' && c != 'l' && c != 'q' && c != 'u') return false;
    static const char* const kVerbos[] = {"set",  "put",  "cut", "reset", "shut", "split", "spread", "hit",
                                          "cost", "let",  "quit", "read", "hurt", "upset"};
    char primeira[8] = {};
    for (std::size_t n = 0; v[n] && v[n] != '_'; ++n) {
        if (n + 1 >= sizeof primeira) return false;
        primeira[n] = Minuscula(v[n]);
    }
    for (const char* x : kVerbos)
        if (primeira[0] == x[0] && std::strcmp(primeira, x) == 0) return true;
    return false;
}

// A dictionary entry that ends in "_to" ("able_to").
bool TerminaComTo(const clTermo* t)
{
    const std::size_t n = std::strlen(t->verbete.vocabulo);
    return n > 3 && Igual(t->verbete.vocabulo + n - 3, "_to");
}

// The personal pronouns that stand as subjects ("them" never does: "each of
// them is").
bool PronomeSujeito(const clTermo* t)
{
    static const char* const kPronomes[] = {"i", "you", "he", "she", "it", "we", "they"};
    for (const char* p : kPronomes)
        if (TextoDe(t, p)) return true;
    return false;
}

// "Nobody answered", "Someone called": pronouns that stand for people act;
// after them an "-ed" form is the past, never a participle.
bool PronomeDePessoa(const clTermo* t)
{
    static const char* const kPronomes[] = {"nobody", "everyone", "everybody", "someone", "somebody",
                                            "anyone", "anybody", "no_one"};
    if (!t || t->verbete.classe != CL_PRONOME) return false;
    for (const char* p : kPronomes)
        if (TextoDe(t, p)) return true;
    return false;
}

struct Complemento {
    const char* verbo;
    const char* comTo;   // before a "to" infinitive; nullptr: as it is
    const char* comIng;  // before an "-ing" form; nullptr: the gerund stays
};

constexpr Complemento kComplementos[] = {
    {"start", "a", "a"},      {"begin", "a", "a"},       {"continue", "a", nullptr},
    {"learn", "a", "a"},      {"stop", nullptr, "de"},   {"finish", nullptr, "de"},
    {"quit", nullptr, "de"},  {"forget", "de", "de"},    {"remember", "de", "de"},
    {"avoid", nullptr, ""},   {"try", "", ""},           {"enjoy", nullptr, ""},
    {"like", "", ""},         {"love", "", ""},          {"hate", "", ""},
    {"prefer", "", ""},       {"recommend", nullptr, ""}, {"suggest", nullptr, ""},
    {"consider", nullptr, ""}, {"mind", nullptr, ""},    {"need", "", ""},
    {"help", "a", nullptr},   {"help_you", "a", nullptr}, {"have", "que", nullptr},
    {"has", "que", nullptr},  {"had", "que", nullptr},   {"use", "para", nullptr},
    {"allow", nullptr, ""},   {"permit", nullptr, ""},   {"require", nullptr, ""},
    // An action done for a purpose: "Click to open", "Scroll down to see more".
    {"click", "para", nullptr}, {"tap", "para", nullptr}, {"press", "para", nullptr},
    {"double-click", "para", nullptr}, {"scroll", "para", nullptr}, {"scroll_down", "para", nullptr},
    {"scroll_up", "para", nullptr}, {"swipe", "para", nullptr}, {"swipe_up", "para", nullptr},
    {"swipe_down", "para", nullptr}, {"drag", "para", nullptr}, {"restart", "para", nullptr},
    {"log_in", "para", nullptr}, {"sign_in", "para", nullptr}, {"sign_up", "para", nullptr},
};

// "-ing" after a preposition: the infinitive ("before saving"), but after
// "by" the gerund, which carries the preposition itself ("by clicking":
// "clicando").
bool PreposicaoDeGerundio(const clTermo* t) { return TextoDe(t, "by"); }

} // namespace

const char* PreposicaoDoComplemento(const clTermo* verbo, bool comTo)
{
    if (!verbo) return nullptr;
    const char* base = verbo->verbete.formaBase[0] ? verbo->verbete.formaBase : verbo->verbete.vocabulo;
    for (const Complemento& c : kComplementos)
        if (Igual(base, c.verbo)) return comTo ? c.comTo : c.comIng;
    return nullptr;
}

// The "do" of a negative order ("Don't delete", "Please do not close") at
// the start of a clause, where no subject stands before it.
static bool InicioDeOracao(const clTermo* antes, const clTermo* raiz)
{
    if (!antes || antes == raiz) return true;
    const std::uint16_t c = antes->verbete.classe;
    if (c & (CL_PONTUACAO | CL_VIRGULA)) return true;
    return c == CL_ADVERBIO && TextoDe(antes, "please");
}

// An adverb that may open an order: "Please wait", "Then click OK", "Just
// select the layer", "Now open the file".
static bool AdverbioDeOrdem(const clTermo* a)
{
    static const char* const kAdverbios[] = {"please", "then", "just", "simply", "now", "also", "next", "finally", "again",
                                             "never", "always"};
    for (const char* x : kAdverbios)
        if (TextoDe(a, x)) return true;
    return false;
}

// A sentence that opens with a clause of condition or time ("If the file is
// empty, ...", "When it stops, ..."): a bare verb after its comma is an order.
static bool OracaoSubordinadaInicial(const clTermo* primeiro)
{
    if (!primeiro) return false;
    // "Before you start, read this": read as a preposition before its clause.
    if (primeiro->verbete.classe == CL_PREPOSICAO)
        return TextoDe(primeiro, "before") || TextoDe(primeiro, "after") || TextoDe(primeiro, "until") ||
               TextoDe(primeiro, "when_ing") || TextoDe(primeiro, "while_ing");
    if (primeiro->verbete.classe != CL_CONJUNCAO) return false;
    static const char* const kConjuncoes[] = {"if", "when", "once", "unless", "after", "before", "while"};
    for (const char* c : kConjuncoes)
        if (TextoDe(primeiro, c)) return true;
    return false;
}

// A comma after an opening without a finite verb ("In the dialog, click OK",
// "To save the file, click Save", "Finally, close the window"): the bare
// verb after it is an order. Only infinitives, gerunds, participles and
// other orders may stand before the comma; a conjunction leaves it to the
// clause's own rule.
// "are", "is", "have"...: a form of "be" or "have" standing as the verb.
static bool FormaDeSerOuTer(const clTermo* v)
{
    static const char* const kFormas[] = {"am", "is", "are", "was", "were", "be", "have", "has", "had"};
    for (const char* f : kFormas)
        if (TextoDe(v, f)) return true;
    return std::strcmp(v->verbete.formaBase, "be") == 0 || std::strcmp(v->verbete.formaBase, "have") == 0;
}

static bool AberturaSemVerboFinito(const clTermo* virgula, const clTermo* raiz)
{
    int n = 0;
    for (const clTermo* e = virgula->anterior; e && e != raiz && n < 60; e = e->anterior, ++n) {
        const std::uint16_t c = e->verbete.classe;
        if (c == CL_GRUPO_VERBAL && e->tempo != TEMPO_GERUNDIO && e->tempo != TEMPO_INFINITIVO &&
            e->tempo != TEMPO_PARTICIPIO && e->tempo != TEMPO_IMPERATIVO)
            return false;
        if (c & (CL_CONJUNCAO | CL_PONTUACAO)) return false;
    }
    return n > 0;
}

// Whether verb group `g` comes right after "and"/"or"/"then" that follow an
// imperative's clause (no verb group in between).
static bool ImperativoCoordenado(const clTermo* g)
{
    const clTermo* conj = g->anterior;
    if (!conj || conj->verbete.classe != CL_CONJUNCAO ||
        !(TextoDe(conj, "and") || TextoDe(conj, "or") || TextoDe(conj, "then")))
        return false;
    int n = 0;
    for (const clTermo* e = conj->anterior; e && n < 200; e = e->anterior, ++n) {
        if (e->verbete.classe == CL_GRUPO_VERBAL) {
            if (e->tempo == TEMPO_IMPERATIVO) return true;
            // "Make sure (that) the file exists and try again": the clause
            // of the order, with its own subject, is passed over.
            const clTermo* sujeito = e->anterior;
            if (e->tempo == TEMPO_INFINITIVO || e->tempo == TEMPO_GERUNDIO || e->tempo == TEMPO_PARTICIPIO ||
                e->tempo == TEMPO_DESCONHECIDO || !sujeito || sujeito->verbete.classe != CL_GRUPO_NOMINAL ||
                !sujeito->filhos || e->regente != sujeito->filhos)
                return false;
            continue;
        }
        if (e->verbete.classe & (CL_PONTUACAO | CL_VIRGULA)) return false;
        if ((e->verbete.classe & CL_CONJUNCAO) && !TextoDe(e, "that")) return false;
        if (e->papel == PAPEL_INICIO) return false;
    }
    return false;
}

// A regular "-ed" form (past and participle alike) right after its subject's
// noun group is the sentence's simple past when an object or a "to"
// infinitive follows ("GStreamer encountered an error", "The program failed
// to start"), or when it ends a sentence whose subject has an article ("The
// function failed"). Followed by anything else, or after a bare subject, it
// is a participle that describes the noun, as in the terse style of messages
// ("File created successfully", "The codes assigned for transactions").
bool clAnalisador::PassadoDepoisDoSujeito(const clTermo* grupo, std::uint16_t formas)
{
    if (!(formas & FORMA_PASSADO)) return false;
    const clTermo* antes = grupo->anterior;
    if (!antes || antes->verbete.classe != CL_GRUPO_NOMINAL || !antes->filhos) return false;
    if (!(antes->filhos->verbete.classe & (CL_SUBSTANTIVO | CL_PRONOME))) return false;
    // "Errors occurred during installation", "Something happened": a verb
    // that never takes an object has no participle that describes a noun.
    if (const clTermo* verbo = grupo->verbo) {
        const char* base = verbo->verbete.formaBase[0] ? verbo->verbete.formaBase : verbo->verbete.vocabulo;
        static const char* const kIntransitivos[] = {"occur", "happen", "arise", "exist", "appear", "disappear",
                                                     "arrive", "expire", "die", "succeed"};
        for (const char* x : kIntransitivos)
            if (Igual(base, x)) return true;
    }
    const clTermo* seguinte = leitor ? leitor->Olhar(0) : nullptr;
    if (!seguinte || (seguinte->verbete.classe & CL_PONTUACAO)) {
        for (const clTermo* d = antes->determinantes; d; d = d->proximo)
            if (d->verbete.classe == CL_ARTIGO) return true;
        return false;
    }
    const clVerbete& v = seguinte->verbete;
    if (v.classe == CL_ARTIGO) return true;
    // "The program closed suddenly": an adverb that ends the clause after a
    // subject with its article.
    if (v.classe == CL_ADVERBIO && !TextoDe(seguinte, "not")) {
        const clTermo* n = leitor->Olhar(1);
        if (!n || (n->verbete.classe & (CL_PONTUACAO | CL_VIRGULA))) {
            for (const clTermo* d = antes->determinantes; d; d = d->proximo)
                if (d->verbete.classe == CL_ARTIGO) return true;
        }
        return false;
    }
    if (v.classe == CL_PRONOME && (v.flagsPron & (PRON_PESSOAL | PRON_POSSESSIVO | PRON_DEMONSTRATIVO))) return true;
    // "An error occurred while saving", "The program crashed when I clicked
    // it": a verb that takes no object has no participle that describes a
    // noun, so before a clause of time or cause it is the past. ("The value
    // returned when the script ends" is such a description.)
    if (TextoDe(seguinte, "while") || TextoDe(seguinte, "while_ing") || TextoDe(seguinte, "when") ||
        TextoDe(seguinte, "when_ing") || TextoDe(seguinte, "because")) {
        const clTermo* verbo = grupo->verbo;
        const char* base = verbo ? (verbo->verbete.formaBase[0] ? verbo->verbete.formaBase : verbo->verbete.vocabulo) : "";
        static const char* const kSemObjeto[] = {"occur", "happen", "crash", "fail", "appear", "disappear",
                                                 "exist", "arrive", "expire", "die", "succeed", "freeze",
                                                 "hang", "exit", "quit", "stop", "time_out"};
        for (const char* x : kSemObjeto)
            if (Igual(base, x)) return true;
        return false;
    }
    if (TextoDe(seguinte, "to")) {
        const clTermo* n = leitor->Olhar(1);
        return n && (n->verbete.classe & kVerbos);
    }
    return false;
}

// "Failed to open the file": a regular "-ed" form that opens the sentence and
// is followed by a "to" infinitive is the simple past of a message whose
// subject (the program) is understood, not a participle.
bool clAnalisador::PassadoSemSujeito(const clTermo* grupo, std::uint16_t formas)
{
    if (!(formas & FORMA_PASSADO) || (grupo->anterior && grupo->anterior != &raiz)) return false;
    const clTermo* seguinte = leitor ? leitor->Olhar(0) : nullptr;
    if (!TextoDe(seguinte, "to")) return false;
    const clTermo* n = leitor->Olhar(1);
    if (n && n->verbete.classe == CL_ADVERBIO) n = leitor->Olhar(2);  // "Failed to fully drop"
    return n && (n->verbete.classe & kVerbos);
}

void clAnalisador::Empilhar(clTermo* t, std::uint16_t papel)
{
    t->papel = papel;
    t->anterior = topo;
    t->proximo = nullptr;
    topo->proximo = t;
    topo = t;
    leitor->Avancar();
}

bool clAnalisador::AnalisarFrase(clLeitor* l, clArena* a)
{
    leitor = l;
    arena = a;
    std::memset(&raiz, 0, sizeof raiz);
    raiz.papel = PAPEL_INICIO;
    topo = &raiz;
    falhou = false;

    clTermo* s = nullptr;         // subject candidate
    clTermo* primeiroS = nullptr; // the first one of the sentence, for the closing reduction
    clTermo* q = nullptr;         // question auxiliary set aside
    auto novoS = [&](clTermo* valor) {
        s = valor;
        if (s && !primeiroS) primeiroS = s;
    };
    auto reduzirVerbal = [&]() {
        clTermo* g = topo;
        novoS(FecharGrupoVerbal(q, s));
        if (topo != g && topo->auxiliar == q) q = nullptr;
    };

    // Each round shifts the current word or reduces the open group; the
    // rounds are bounded so that no input can keep the loop from ending.
    for (clTermo* c = leitor->Olhar(0); c && !falhou; c = leitor->Olhar(0)) {
        if (VerboDesconhecidoNegado(c)) {
            // "Could not frobnicate": the unknown word is the verb, written
            // as it came; otherwise the auxiliary would stand alone and come
            // out as an imperative.
            c->verbete.classe = CL_VERBO;
            c->verbete.formas |= 0x0001;
            c->verbete.flagsSubst = 0;
            c->filhos = nullptr;
        }
        const std::uint16_t t = topo->papel;
        const std::uint16_t classe = c->verbete.classe;
        clVerbete& cv = c->verbete;

        if (t == PAPEL_INICIO || t == PAPEL_FORA) {
            if (classe == CL_SUBSTANTIVO) {
                if (cv.flagsSubst & SUBST_POSSESSIVO) {
                    Empilhar(c, PAPEL_NUCLEO);
                    FecharGrupoNominal(nullptr);
                    topo->papel = PAPEL_MODIFICADOR;
                } else {
                    Empilhar(c, PAPEL_MODIFICADOR);
                }
            } else if (classe == CL_ADJETIVO) {
                Empilhar(c, (cv.flagsAdj & (ADJ_HIFEN | ADJ_ANTEPOSTO)) ? PAPEL_DETERMINANTE : PAPEL_MODIFICADOR);
            } else if (classe == CL_ARTIGO) {
                Empilhar(c, PAPEL_DETERMINANTE);
            } else if ((classe & CL_VERBO_AUXILIAR) && SoVerbo(classe) && t == PAPEL_INICIO && TextoDe(c, "do") &&
                       TextoDe(leitor->Olhar(1), "not") && leitor->Olhar(2) &&
                       !(leitor->Olhar(2)->verbete.classe & (CL_PRONOME | CL_ARTIGO))) {
                // "Don't delete the files": an order, not a question.
                Empilhar(c, PAPEL_VERBAL);
            } else if ((classe & CL_VERBO_AUXILIAR) && SoVerbo(classe) && !TextoDe(c, "be") &&
                       (t == PAPEL_INICIO || (topo->verbete.flagsPron & PRON_INTERROGATIVO) ||
                        (topo->anterior == &raiz && Interrogativa(topo)) || GrupoInterrogativo(topo))) {
                // Inverted question: "Do you...", "Is it...".
                q = c;
                Empilhar(c, PAPEL_FORA);
            } else if (SoVerbo(classe)) {
                const clTermo* n = leitor->Olhar(1);
                const bool comoAdjetivo =
                    (t != PAPEL_INICIO && (cv.formas & FORMA_ING) && TextoDe(topo, "from")) ||
                    ((cv.formas & (FORMA_PASSADO | FORMA_PARTICIPIO)) && topo->verbete.classe == CL_ADVERBIO) ||
                    // "Deleted files.": a participle opening a message before
                    // its noun describes it; no subject is there to have acted.
                    (t == PAPEL_INICIO && (cv.formas & FORMA_PARTICIPIO)) ||
                    // "of desired type", "importing selected file": after a
                    // preposition or a verb, a participle before a noun
                    // describes it.
                    ((cv.formas & FORMA_PARTICIPIO) &&
                     ((topo->verbete.classe == CL_PREPOSICAO && !TextoDe(topo, "to")) ||
                      topo->verbete.classe == CL_GRUPO_VERBAL));
                if (comoAdjetivo && n && n->verbete.classe == CL_SUBSTANTIVO) {
                    cv.formas |= FORMA_COMO_ADJETIVO;
                    Empilhar(c, PAPEL_MODIFICADOR);
                } else {
                    Empilhar(c, PAPEL_VERBAL);
                }
            } else if (classe == CL_PRONOME) {
                if (t == PAPEL_INICIO && (cv.flagsPron & PRON_INTERROGATIVO)) {
                    Empilhar(c, PAPEL_INICIO);
                } else if (cv.flagsPron & PRON_PESSOAL) {
                    Empilhar(c, PAPEL_NUCLEO);
                    novoS(FecharGrupoNominal(nullptr));
                } else {
                    Empilhar(c, PAPEL_DETERMINANTE);
                }
            } else if (classe == CL_PREPOSICAO) {
                const clTermo* n = leitor->Olhar(1);
                // A split infinitive ("to fully drop") is still one: the
                // adverb joins the group with the verb after it.
                if (n && n->verbete.classe == CL_ADVERBIO && !TextoDe(n, "not")) n = leitor->Olhar(2);
                if ((topo->verbete.classe == CL_GRUPO_VERBAL || AdjetivoDeInfinitivo(topo)) && TextoDe(c, "to") && n &&
                    (n->verbete.classe & kVerbos))
                    Empilhar(c, PAPEL_VERBAL);
                else
                    Empilhar(c, PAPEL_FORA);
            } else {
                Empilhar(c, PAPEL_FORA);
            }
        } else if (t == PAPEL_DETERMINANTE) {
            if (SoVerbo(classe)) {
                // "The other is red", "the first was deleted": an adjective
                // placed before the noun heads its group before a finite
                // verb.
                // So does a hyphenated word the dictionary lacks ("Wi-Fi is
                // turned off").
                const bool adjetivoNucleo = topo->verbete.classe == CL_ADJETIVO &&
                                            (topo->verbete.flagsAdj & (ADJ_ANTEPOSTO | ADJ_HIFEN)) &&
                                            ((classe & CL_VERBO_AUXILIAR) || (cv.formas & FORMA_TERCEIRA_S));
                // "No supported curves", "every selected file": a participle
                // between a determiner and its noun describes the noun.
                const clTermo* depois = leitor->Olhar(1);
                const bool participioDeNome = topo->verbete.classe == CL_PRONOME &&
                                              !(topo->verbete.flagsPron & PRON_PESSOAL) &&
                                              (cv.formas & (FORMA_PASSADO | FORMA_PARTICIPIO)) && depois &&
                                              (depois->verbete.classe & CL_SUBSTANTIVO);
                if ((topo->verbete.classe == CL_PRONOME && !participioDeNome) || topo->verbete.classe == 0 ||
                    adjetivoNucleo) {
                    const bool pronome = topo->verbete.classe == CL_PRONOME || adjetivoNucleo;
                    topo->papel = PAPEL_NUCLEO;
                    clTermo* r = FecharGrupoNominal(s);
                    if (pronome) novoS(r);
                } else {
                    cv.formas |= FORMA_COMO_ADJETIVO | FORMA_PASSIVA;
                    Empilhar(c, PAPEL_MODIFICADOR);
                }
            } else if (classe == CL_SUBSTANTIVO) {
                if (cv.flagsSubst & SUBST_POSSESSIVO) {
                    Empilhar(c, PAPEL_NUCLEO);
                    FecharGrupoNominal(nullptr);
                    topo->papel = PAPEL_MODIFICADOR;
                } else {
                    Empilhar(c, PAPEL_MODIFICADOR);
                }
            } else if (classe == CL_ADJETIVO) {
                Empilhar(c, (cv.flagsAdj & (ADJ_HIFEN | ADJ_ANTEPOSTO)) ? PAPEL_DETERMINANTE : PAPEL_MODIFICADOR);
            } else if (classe == CL_ARTIGO) {
                Empilhar(c, PAPEL_DETERMINANTE);
            } else if (classe == CL_PRONOME) {
                if (cv.flagsPron & PRON_PESSOAL) {
                    Empilhar(c, PAPEL_NUCLEO);
                    novoS(FecharGrupoNominal(nullptr));
                } else {
                    Empilhar(c, PAPEL_DETERMINANTE);
                }
            } else {
                novoS(FecharGrupoNominal(s));
            }
        } else if (t == PAPEL_MODIFICADOR || t == PAPEL_MODIFICADOR_ACEITO) {
            const bool topoSubstantivo = (topo->verbete.classe & CL_SUBSTANTIVO) != 0;
            if (SoVerbo(classe)) {
                if (c->criada) {
                    cv.formas |= FORMA_COMO_ADJETIVO;
                    Empilhar(c, PAPEL_MODIFICADOR);
                } else {
                    // The noun before a verb is the head.
                    topo->papel = PAPEL_NUCLEO;
                    novoS(FecharGrupoNominal(s));
                }
            } else if (classe == CL_SUBSTANTIVO) {
                if (cv.flagsSubst & SUBST_POSSESSIVO) {
                    Empilhar(c, PAPEL_NUCLEO);
                    FecharGrupoNominal(nullptr);
                    topo->papel = PAPEL_MODIFICADOR;
                } else {
                    Empilhar(c, PAPEL_MODIFICADOR);
                }
            } else if (classe == CL_ADJETIVO) {
                if (topoSubstantivo && !c->criada) {
                    topo->papel = PAPEL_NUCLEO;
                    novoS(FecharGrupoNominal(nullptr));
                } else {
                    Empilhar(c, PAPEL_MODIFICADOR);
                }
            } else if ((classe == CL_CONJUNCAO || classe == CL_VIRGULA) &&
                       [&] {
                           const clTermo* p = leitor->Olhar(-1);
                           const clTermo* n = leitor->Olhar(1);
                           return p && n && (p->verbete.classe & CL_ADJETIVO) && (n->verbete.classe & CL_ADJETIVO);
                       }()) {
                // "big and red", "big, red": both adjectives stay in the group.
                Empilhar(c, PAPEL_MODIFICADOR);
            } else if (topo->verbete.classe == CL_GRUPO_NOMINAL) {
                topo->papel = PAPEL_FORA;
            } else {
                topo->papel = PAPEL_NUCLEO;
                if (topoSubstantivo) novoS(FecharGrupoNominal(nullptr));
                else FecharGrupoNominal(s);
            }
        } else if (t == PAPEL_VERBAL) {
            if (SoVerbo(classe)) {
                if (!(topo->verbete.classe & CL_VERBO)) Empilhar(c, PAPEL_VERBAL);
                else reduzirVerbal();
            } else if (classe == CL_ADVERBIO) {
                const clTermo* n = leitor->Olhar(1);
                // "has always been": the adverb stays inside the group. "not"
                // always does: it is the group's negation even when no verb
                // follows ("is not available"), where left outside it would
                // be written as a loose word after the verb.
                // A finite main verb ("lives", "saved") closes its group
                // before the adverb: "who lives here is" has two verbs.
                const bool finito = topo->verbete.classe == CL_VERBO &&
                                    (topo->verbete.formas & (FORMA_TERCEIRA_S | FORMA_PASSADO)) &&
                                    n && (n->verbete.classe & CL_VERBO_AUXILIAR);
                if (((n && !n->criada && (n->verbete.classe & kVerbos)) && !finito) || TextoDe(c, "not"))
                    Empilhar(c, PAPEL_VERBAL);
                else reduzirVerbal();
            } else {
                reduzirVerbal();
            }
        } else {
            // A role the parser never leaves on top (230 is always reduced at once).
            Empilhar(c, PAPEL_FORA);
        }
    }

    // The end of the sentence closes the open group.
    if (!falhou) {
        const std::uint16_t t = topo->papel;
        if (t == PAPEL_DETERMINANTE) {
            FecharGrupoNominal(primeiroS);
        } else if (t == PAPEL_MODIFICADOR || t == PAPEL_MODIFICADOR_ACEITO) {
            if (topo->verbete.classe == CL_GRUPO_NOMINAL) {
                topo->papel = PAPEL_FORA;
            } else {
                topo->papel = PAPEL_NUCLEO;
                FecharGrupoNominal(primeiroS);
            }
        } else if (t == PAPEL_VERBAL) {
            reduzirVerbal();
        }
    }
    // A question auxiliary no verb group took becomes a verb group of its
    // own, where it stands.
    if (q && !falhou) {
        q->papel = PAPEL_VERBAL;
        // "Isn't it ready?": the "not" after the auxiliary is its group's.
        clTermo* naoQ = q->proximo;
        if (naoQ && !naoQ->pai && naoQ->papel == PAPEL_FORA && TextoDe(naoQ, "not")) {
            q->proximo = naoQ->proximo;
            if (naoQ->proximo) naoQ->proximo->anterior = q;
            if (topo == naoQ) topo = q;
            naoQ->anterior = naoQ->proximo = nullptr;
        } else {
            naoQ = nullptr;
        }
        // "Is the file empty?": a question made with "be" alone; Portuguese
        // asks it in the statement's order, "O arquivo est\xE1 vazio?".
        clTermo* sujeitoQ = q->proximo;
        clTermo* predicado = sujeitoQ ? sujeitoQ->proximo : nullptr;
        const bool simNao = q->anterior == &raiz && sujeitoQ && sujeitoQ->verbete.classe == CL_GRUPO_NOMINAL &&
                            sujeitoQ->filhos && !sujeitoQ->pai && predicado &&
                            predicado->verbete.classe == CL_GRUPO_NOMINAL && !predicado->pai &&
                            (std::strcmp(q->verbete.formaBase, "be") == 0);
        // "Where are my keys?", "How are you?": after a question word the
        // noun group that follows "be" is its subject.
        const bool depoisDeInterrogativa = !simNao && q->anterior && q->anterior != &raiz &&
                                           q->anterior->anterior == &raiz && Interrogativa(q->anterior) &&
                                           sujeitoQ && sujeitoQ->verbete.classe == CL_GRUPO_NOMINAL &&
                                           sujeitoQ->filhos && !sujeitoQ->pai &&
                                           (!predicado || (predicado->verbete.classe & CL_PONTUACAO));
        clTermo* antesQ = q->anterior;
        FecharVerbal(q, nullptr, simNao || depoisDeInterrogativa ? sujeitoQ->filhos : nullptr);
        clTermo* g = antesQ ? antesQ->proximo : nullptr;
        if (naoQ && g && g->verbete.classe == CL_GRUPO_VERBAL && g->verbo == q && !g->negacao) {
            naoQ->pai = g;
            g->negacao = naoQ;
        }
        // A question's auxiliary is never an order ("Are these your keys?");
        // "have" standing as the verb itself is ("Have a nice day", "Have fun").
        if (g && g->verbete.classe == CL_GRUPO_VERBAL && g->verbo == q && g->tempo == TEMPO_IMPERATIVO &&
            !TextoDe(q, "have"))
            g->tempo = TEMPO_PRESENTE;
        if (simNao && g && g->verbete.classe == CL_GRUPO_VERBAL && g->verbo == q && g->proximo == sujeitoQ) {
            g->tempo = TEMPO_PRESENTE;
            g->regente = sujeitoQ->filhos;
            raiz.proximo = sujeitoQ;
            sujeitoQ->anterior = &raiz;
            g->anterior = sujeitoQ;
            g->proximo = predicado;
            predicado->anterior = g;
            sujeitoQ->proximo = g;
            // The choice between "ser" and "estar" looks at the word after
            // the verb: now the predicate's first word.
            clTermo* primeira = predicado->determinantes   ? predicado->determinantes
                                : predicado->modificadores ? predicado->modificadores
                                                           : predicado->filhos;
            if (primeira) q->depois = primeira;
        }
        q = nullptr;
    }
    // "This is the best book", "This is my house": "this" standing alone
    // before "be" and a noun with its article or possessive agrees with that
    // noun ("Este \xE9 o melhor livro", "Esta \xE9 minha casa").
    if (clTermo* suj = raiz.proximo; !falhou && suj && suj->verbete.classe == CL_GRUPO_NOMINAL && !suj->determinantes &&
                                      !suj->modificadores && TextoDe(suj->filhos, "this")) {
        const clTermo* ser = suj->proximo;
        const clTermo* predicado = ser ? ser->proximo : nullptr;
        if (ser && ser->verbete.classe == CL_GRUPO_VERBAL && ser->verbo && !ser->filhos &&
            std::strcmp(ser->verbo->verbete.formaBase, "be") == 0 && predicado &&
            predicado->verbete.classe == CL_GRUPO_NOMINAL && predicado->filhos &&
            (predicado->filhos->verbete.classe & CL_SUBSTANTIVO)) {
            const clTermo* d = predicado->determinantes;
            if (d && (d->verbete.classe == CL_ARTIGO ||
                      (d->verbete.classe == CL_PRONOME && (d->verbete.flagsPron & PRON_POSSESSIVO))))
                suj->filhos->regente = predicado->filhos;
        }
    }
    return !falhou && !leitor->semMemoria;
}

clTermo* clAnalisador::FecharGrupoNominal(clTermo* sujeito)
{
    clTermo* g = NovoTermo(arena);
    if (!g) {
        falhou = true;
        return sujeito;
    }
    g->verbete.classe = CL_GRUPO_NOMINAL;
    g->papel = PAPEL_FORA;
    g->tempo = TEMPO_PARTICIPIO;

    clTermo* cur = topo;
    clTermo* nucleo = nullptr;
    clTermo* regente = sujeito;
    if (cur->papel == PAPEL_NUCLEO) {
        nucleo = cur;
        cur = cur->anterior;
        if (sujeito && nucleo->verbete.classe == CL_ADJETIVO && !LinguaObjetoDoVerbo(nucleo)) {
            // A predicate adjective agrees with the subject: "the houses are red".
            nucleo->regente = sujeito;
            regente = sujeito;
        } else {
            regente = nucleo;
        }
    }
    clTermo* ultimoMod = nullptr;
    clTermo* primeiroMod = nullptr;
    while (cur && (cur->papel == PAPEL_MODIFICADOR || cur->papel == PAPEL_MODIFICADOR_ACEITO)) {
        if (!ultimoMod) ultimoMod = cur;
        primeiroMod = cur;
        cur = cur->anterior;
    }
    clTermo* ultimoDet = nullptr;
    clTermo* primeiroDet = nullptr;
    while (cur && cur->papel == PAPEL_DETERMINANTE) {
        if (!ultimoDet) ultimoDet = cur;
        primeiroDet = cur;
        cur = cur->anterior;
    }
    if (!nucleo && !primeiroMod && !primeiroDet) return sujeito;

    // Three sibling chains, each ending at its last member.
    auto fechar = [&](clTermo* primeiro, clTermo* ultimo) {
        if (!primeiro) return;
        primeiro->anterior = nullptr;
        ultimo->proximo = nullptr;
        for (clTermo* m = primeiro; m; m = m->proximo) {
            m->pai = g;
            m->regente = regente;
        }
    };
    fechar(primeiroDet, ultimoDet);
    fechar(primeiroMod, ultimoMod);
    if (nucleo) {
        nucleo->anterior = nucleo->proximo = nullptr;
        nucleo->pai = g;
        g->filhos = nucleo;
    }
    g->determinantes = primeiroDet;
    g->modificadores = primeiroMod;
    g->regente = regente;

    g->anterior = cur;
    if (cur) cur->proximo = g;
    topo = g;
    return regente;
}

clTermo* clAnalisador::FecharGrupoVerbal(clTermo* q, clTermo* sujeito) { return FecharVerbal(topo, q, sujeito); }

clTermo* clAnalisador::FecharVerbal(clTermo* ultimo, clTermo* q, clTermo* sujeito)
{
    clTermo* g = NovoTermo(arena);
    if (!g) {
        falhou = true;
        return sujeito;
    }
    g->verbete.classe = CL_GRUPO_VERBAL;
    g->papel = PAPEL_FORA;

    // V1: back over the members — main verb, auxiliaries, negation.
    clTermo* cur = ultimo;
    clTermo* depois = ultimo->proximo;
    clTermo* primeiro = nullptr;
    while (cur && cur->papel == PAPEL_VERBAL) {
        primeiro = cur;
        cur = cur->anterior;
    }
    if (!primeiro) return sujeito;
    clTermo* verbo = nullptr;
    clTermo* aux1 = nullptr;  // first auxiliary in text order
    clTermo* aux2 = nullptr;
    clTermo* filhos = nullptr;
    for (clTermo* m = ultimo; m && m != cur;) {
        clTermo* anteriorM = m->anterior;
        m->anterior = m->proximo = nullptr;
        m->pai = g;
        const bool verbal = (m->verbete.classe & kVerbos) != 0;
        if (!verbo && verbal) {
            verbo = m;
            m->verbete.classe = static_cast<std::uint16_t>((m->verbete.classe & ~CL_VERBO_AUXILIAR) | CL_VERBO);
        } else if (TextoDe(m, "not") && !g->negacao) {
            g->negacao = m;
        } else {
            if (verbal || TextoDe(m, "to")) {
                aux2 = aux1;
                aux1 = m;
            }
            // Children in text order: prepend while walking backwards.
            m->proximo = filhos;
            if (filhos) filhos->anterior = m;
            filhos = m;
        }
        m = anteriorM;
    }
    g->filhos = filhos;
    g->verbo = verbo;
    g->anterior = cur;
    if (cur) cur->proximo = g;
    g->proximo = depois;
    if (depois) depois->anterior = g;
    if (topo == ultimo) topo = g;

    // V2: the question auxiliary leaves the top-level chain for the group,
    // and the "not" of "didn't" after it with it: "Why didn't you tell me?"
    // is "Por que voc\xEA n\xE3o me disse?".
    if (q) {
        clTermo* nao = q->proximo;
        // Only when the subject alone stands between ("didn't you tell").
        if (nao && nao != g && !nao->pai && !g->negacao && nao->papel == PAPEL_FORA && TextoDe(nao, "not") &&
            nao->proximo && nao->proximo->verbete.classe == CL_GRUPO_NOMINAL && nao->proximo->proximo == g) {
            if (nao->anterior) nao->anterior->proximo = nao->proximo;
            if (nao->proximo) nao->proximo->anterior = nao->anterior;
            nao->anterior = nao->proximo = nullptr;
            nao->pai = g;
            g->negacao = nao;
        }
        if (q->anterior) q->anterior->proximo = q->proximo;
        if (q->proximo) q->proximo->anterior = q->anterior;
        q->anterior = q->proximo = nullptr;
        q->pai = g;
        g->auxiliar = q;
        aux2 = aux1;
        aux1 = q;
    }

    // V3: the subject, corrected for number. After a relative clause
    // without its pronoun ("The key you selected could not be removed") the
    // subject is the noun the clause describes.
    if (const clTermo* rel = g->anterior; rel && rel->verbete.classe == CL_GRUPO_VERBAL) {
        const clTermo* pron = rel->anterior;
        const clTermo* nome = pron ? pron->anterior : nullptr;
        if (pron && nome && pron->verbete.classe == CL_GRUPO_NOMINAL && pron->filhos &&
            pron->filhos->verbete.classe == CL_PRONOME && (pron->filhos->verbete.flagsPron & PRON_PESSOAL) &&
            rel->regente == pron->filhos && nome->verbete.classe == CL_GRUPO_NOMINAL && nome->filhos &&
            nome->filhos->verbete.classe == CL_SUBSTANTIVO &&
            (!nome->anterior || !(nome->anterior->verbete.classe & (CL_PREPOSICAO | CL_CONJUNCAO))))
            sujeito = nome->filhos;
    }
    clTermo* sujeitoFinal = sujeito;
    const clTermo* f = filhos ? filhos : verbo;
    if (f) {
        const bool singular = (f->verbete.formas & FORMA_SINGULAR) != 0;
        const bool plural = (f->verbete.formas & FORMA_PLURAL) != 0;
        // A personal pronoun right before its verb is the subject whatever
        // the form ("while you are working": "voc\xEA est\xE1").
        const bool pronomeJunto = sujeito && sujeito->verbete.classe == CL_PRONOME &&
                                  (sujeito->verbete.flagsPron & PRON_PESSOAL) && PronomeSujeito(sujeito) &&
                                  g->anterior && g->anterior->verbete.classe == CL_GRUPO_NOMINAL &&
                                  g->anterior->filhos == sujeito;
        const int busca = pronomeJunto                          ? 0
                          : singular && Plural(sujeito)         ? 1
                          : (!singular && plural && !Plural(sujeito)) ? 2
                                                                  : 0;
        // "Files of this type cannot be opened", "The size of the files can
        // change": a verb that shows no number agrees with the group the
        // preposition's group hangs from, when that group opens the sentence.
        if (!busca && !pronomeJunto && !singular && !plural && sujeito && g->anterior && filhos &&
            (filhos->verbete.classe & CL_VERBO_AUXILIAR) && !(filhos->verbete.formas & FORMA_PASSADO) &&
            g->anterior->verbete.classe == CL_GRUPO_NOMINAL && g->anterior->filhos == sujeito) {
            const clTermo* prep = g->anterior->anterior;
            if (prep && prep->verbete.classe == CL_PREPOSICAO &&
                (TextoDe(prep, "of") || TextoDe(prep, "in") || TextoDe(prep, "on") || TextoDe(prep, "with") ||
                 TextoDe(prep, "for") || TextoDe(prep, "from"))) {
                const clTermo* e = prep->anterior;
                if (e && e->verbete.classe == CL_GRUPO_NOMINAL && e->filhos &&
                    (e->filhos->verbete.classe & CL_SUBSTANTIVO) && (!e->anterior || e->anterior == &raiz))
                    sujeitoFinal = e->filhos;
            }
        }
        if (busca) {
            // From the term before the one just before the group ("The books
            // on the table are" skips "the table").
            const clTermo* inicio = g->anterior ? g->anterior->anterior : nullptr;
            for (const clTermo* e = inicio; e && e != &raiz; e = e->anterior) {
                if (e->verbete.classe != CL_GRUPO_NOMINAL) continue;
                clTermo* nucleo = e->filhos;
                if ((busca == 1 && !Plural(nucleo)) || (busca == 2 && Plural(nucleo))) {
                    sujeitoFinal = nucleo ? nucleo : const_cast<clTermo*>(e);
                    break;
                }
            }
        }
    }
    g->regente = sujeitoFinal;

    // V4 and V5: the tense code.
    std::uint16_t tempo = TEMPO_DESCONHECIDO;
    // "a threshold set to 15", "the value put in": after a singular noun a
    // verb whose past and participle are its bare form ("set", "put") is
    // one of those, not the present, which would end in "-s".
    // After "he", "she" or "it" the same holds: "He cut the bread".
    if (verbo && !aux1 && sujeitoFinal &&
        (sujeitoFinal->verbete.classe == CL_SUBSTANTIVO ||
         (sujeitoFinal->verbete.classe == CL_PRONOME &&
          (TextoDe(sujeitoFinal, "he") || TextoDe(sujeitoFinal, "she") || TextoDe(sujeitoFinal, "it")))) &&
        !Plural(sujeitoFinal) &&
        g->anterior && g->anterior->verbete.classe == CL_GRUPO_NOMINAL && g->anterior->filhos == sujeitoFinal &&
        !(verbo->verbete.formas & (FORMA_TERCEIRA_S | FORMA_ING | FORMA_PASSADO | FORMA_PARTICIPIO)) &&
        MesmaFormaNoPassado(verbo))
        verbo->verbete.formas |= FORMA_PASSADO | FORMA_PARTICIPIO;
    // "is set to 0", "was cut": after a form of "be" such a bare form is the
    // participle of a passive, never a continuous tense.
    if (verbo && aux1 && !(verbo->verbete.formas & (FORMA_TERCEIRA_S | FORMA_ING | FORMA_PASSADO | FORMA_PARTICIPIO)) &&
        (TextoDe(aux1, "is") || TextoDe(aux1, "are") || TextoDe(aux1, "am") || TextoDe(aux1, "was") ||
         TextoDe(aux1, "were") || TextoDe(aux1, "be") || TextoDe(aux1, "been")) &&
        MesmaFormaNoPassado(verbo))
        verbo->verbete.formas |= FORMA_PARTICIPIO;
    const std::uint16_t formas = verbo ? verbo->verbete.formas : 0;
    const bool ing = formas & FORMA_ING;
    const bool passadoOuParticipio = formas & (FORMA_PASSADO | FORMA_PARTICIPIO);
    if (aux1) {
        const auto a = [&](const char* texto) { return TextoDe(aux1, texto); };
        // "is still being copied": an adverb kept "is" and "being" apart.
        if ((a("am") || a("are") || a("is")) && passadoOuParticipio && TextoDe(aux2, "being"))
            tempo = TEMPO_PASSIVA_CONTINUA;
        else if (a("am") || a("are") || a("is")) tempo = passadoOuParticipio ? TEMPO_PASSIVA_PRESENTE : TEMPO_PRESENTE_CONTINUO;
        else if (a("be")) tempo = TEMPO_SER;
        else if (a("is_being") || a("are_being")) tempo = TEMPO_PASSIVA_CONTINUA;
        else if (a("was") || a("were")) tempo = passadoOuParticipio ? TEMPO_PASSIVA_PASSADO : TEMPO_PASSADO_CONTINUO;
        else if (a("do") && aux1 != q && InicioDeOracao(g->anterior, &raiz)) {
            // A negative order: Portuguese writes the subjunctive, which
            // for "voc\xEA" is the imperative's form ("N\xE3o exclua").
            tempo = TEMPO_IMPERATIVO;
            sujeitoFinal = nullptr;
            g->regente = nullptr;
        }
        else if (a("do") || a("does")) tempo = TEMPO_PRESENTE;
        else if (a("did")) tempo = TEMPO_PASSADO;
        // "has been deleted": the passive of a finished action, "foi
        // excluído" ("tem sido" would read as a repeated action).
        // A verb whose participle has the base's form ("has been set") is
        // the participle there too.
        else if ((a("have") || a("has") || a("had")) && TextoDe(aux2, "been") && !ing && verbo) {
            tempo = TEMPO_PASSIVA_PASSADO;
            verbo->verbete.formas |= FORMA_PARTICIPIO;
        }
        else if (a("have") || a("has")) tempo = ing ? TEMPO_PERFEITO_CONTINUO : TEMPO_PERFEITO;
        else if (a("had")) tempo = ing ? TEMPO_MAIS_QUE_PERFEITO_CONTINUO : TEMPO_MAIS_QUE_PERFEITO;
        else if (a("will")) {
            if (TextoDe(aux2, "be")) tempo = (formas & FORMA_PASSADO) ? TEMPO_PASSIVA_FUTURO : TEMPO_FUTURO_CONTINUO;
            else if (TextoDe(aux2, "have")) tempo = TEMPO_FUTURO_PERFEITO;
            else tempo = TEMPO_FUTURO;
        }
        else if (a("would") || a("should")) tempo = TEMPO_CONDICIONAL;
        else if (a("be_going_to") || a("be_not_going_to")) tempo = TEMPO_IR_PRESENTE;
        else if (a("was_going_to") || a("were_going_to")) tempo = TEMPO_IR_PASSADO;
        else if (a("can")) tempo = TextoDe(aux2, "be") ? TEMPO_PODER_SER : TEMPO_PODER;
        else if (a("could")) tempo = TextoDe(aux2, "be") ? TEMPO_PODERIA_SER : TEMPO_PODERIA;
        else if (a("must")) tempo = TEMPO_DEVER;
        else if (a("to")) tempo = TEMPO_INFINITIVO;
    } else if (verbo) {
        const clTermo* antes = verbo->antes;
        if (ing) {
            tempo = antes && (((antes->verbete.classe & CL_PREPOSICAO) && !PreposicaoDeGerundio(antes)) ||
                              TextoDe(antes, "error_ing"))
                        ? TEMPO_INFINITIVO
                        : TEMPO_GERUNDIO;
            // "stop trying", "avoid using": the complement of such a verb is
            // an infinitive in Portuguese.
            const clTermo* regente = g->anterior;
            if (tempo == TEMPO_GERUNDIO && regente && regente->verbete.classe == CL_GRUPO_VERBAL && regente->verbo &&
                antes == regente->verbo && PreposicaoDoComplemento(regente->verbo, false))
                tempo = TEMPO_INFINITIVO;
        } else if (TextoDe(antes, "to") ||
                   (antes && antes->verbete.classe == CL_ADVERBIO && TextoDe(antes->antes, "to")) ||
                   // "able to open", "be sure to save": the "to" merged into
                   // the word before.
                   (antes && (antes->verbete.classe & (CL_ADJETIVO | CL_VERBO)) && TerminaComTo(antes))) {
            tempo = TEMPO_INFINITIVO;
        } else if (formas & FORMA_PARTICIPIO) {
            const bool passado =
                sujeitoFinal && (((formas & FORMA_PASSADO_SIMPLES) && (sujeitoFinal->verbete.flagsSubst & SUBST_ARTIGO)) ||
                                 (sujeitoFinal->verbete.flagsPron & PRON_PESSOAL) || PronomeDePessoa(sujeitoFinal) ||
                                 PassadoDepoisDoSujeito(g, formas));
            // "What happened?", "Who created this file?": the question word
            // that opens the sentence is the subject of the "-ed" form.
            const clTermo* w = g->anterior;
            const bool perguntaSujeito = w && w->papel == PAPEL_INICIO && w->anterior == &raiz &&
                                         (w->verbete.flagsPron & PRON_INTERROGATIVO) &&
                                         (TextoDe(w, "what") || TextoDe(w, "who"));
            tempo = passado || perguntaSujeito || PassadoSemSujeito(g, formas) ? TEMPO_PASSADO : TEMPO_PARTICIPIO;
        } else if (formas & FORMA_PASSADO) {
            tempo = TEMPO_PASSADO;
        } else if (!(formas & FORMA_TERCEIRA_S) && ImperativoCoordenado(g)) {
            // "Open the file and read the text": the second verb is an order too.
            tempo = TEMPO_IMPERATIVO;
            sujeitoFinal = nullptr;
            g->regente = nullptr;
        } else if (!(formas & FORMA_TERCEIRA_S) && g->anterior && g->anterior != &raiz &&
                   ((g->anterior->verbete.classe == CL_ADVERBIO && AdverbioDeOrdem(g->anterior) &&
                     !TextoDe(verbo, "like") && InicioDeOracao(g->anterior->anterior, &raiz)) ||
                    (g->anterior->verbete.classe == CL_VIRGULA &&
                     (OracaoSubordinadaInicial(raiz.proximo) ||
                      (AberturaSemVerboFinito(g->anterior, &raiz) && !FormaDeSerOuTer(verbo)))))) {
            // "Please wait", "If the file is empty, delete it": an order.
            tempo = TEMPO_IMPERATIVO;
            sujeitoFinal = nullptr;
            g->regente = nullptr;
        } else if ((g->anterior && g->anterior != &raiz) || (formas & FORMA_TERCEIRA_S)) {
            tempo = TEMPO_PRESENTE;
        } else {
            tempo = TEMPO_IMPERATIVO;
        }
    }
    // "allows you to select", "lets you set": the clause after "permitir que
    // voc\xEA" is in the subjunctive, which for "voc\xEA" is the imperative's
    // form; its "to" is not written.
    if (verbo && (tempo == TEMPO_INFINITIVO || tempo == TEMPO_PRESENTE || tempo == TEMPO_IMPERATIVO)) {
        const clTermo* antes = verbo->antes;
        if (antes && antes->verbete.classe == CL_ADVERBIO) antes = antes->antes;  // "to quickly choose"
        if (TextoDe(antes, "to")) antes = antes->antes;
        const int comYou = VerboComYou(antes);
        if (comYou == VERBO_COM_YOU_SUBJUNTIVO) {
            tempo = TEMPO_IMPERATIVO;
            sujeitoFinal = nullptr;
            g->regente = nullptr;
        } else if (comYou == VERBO_COM_YOU_INFINITIVO) {
            tempo = TEMPO_INFINITIVO;
        }
    }
    // "let the user choose", "make the image look better": the bare verb
    // after the object of "let", "make" or "help" is an infinitive.
    if (verbo && !aux1 && tempo != TEMPO_INFINITIVO &&
        !(formas & (FORMA_TERCEIRA_S | FORMA_PASSADO | FORMA_PARTICIPIO | FORMA_ING)) && g->anterior &&
        g->anterior->verbete.classe == CL_GRUPO_NOMINAL && g->anterior->anterior &&
        g->anterior->anterior->verbete.classe == CL_GRUPO_VERBAL && g->anterior->anterior->verbo) {
        const clVerbete& rv = g->anterior->anterior->verbo->verbete;
        const char* base = rv.formaBase[0] ? rv.formaBase : rv.vocabulo;
        if (Igual(base, "let") || Igual(base, "make") || Igual(base, "help")) {
            tempo = TEMPO_INFINITIVO;
            sujeitoFinal = nullptr;
            g->regente = nullptr;
        }
    }
    // "before it is changed", "until you click OK": a clause after "before",
    // "after" or "until" is the infinitive with its subject ("antes de ele
    // ser alterado", "at\xE9 voc\xEA clicar"). A plural subject would need the
    // infinitive's own plural and keeps its tense, as does a passive.
    if (verbo && !g->auxiliar && g->anterior && g->anterior->verbete.classe == CL_GRUPO_NOMINAL && sujeitoFinal &&
        g->anterior->filhos == sujeitoFinal && !Plural(sujeitoFinal) && !g->anterior->determinantes &&
        !g->anterior->modificadores && sujeitoFinal->verbete.classe == CL_PRONOME) {
        const clTermo* conj = g->anterior->anterior;
        if (TextoDe(conj, "before") || TextoDe(conj, "after") || TextoDe(conj, "until")) {
            if (tempo == TEMPO_PRESENTE || tempo == TEMPO_PASSADO) tempo = TEMPO_INFINITIVO;
        }
    }
    // "Selecting a layer makes it active": an "-ing" form that opens the
    // sentence and is the subject of a finite verb is the infinitive
    // ("Selecionar uma camada a torna ativa"); a comma between leaves it an
    // adverbial gerund ("Using this option, you can...").
    if (tempo != TEMPO_GERUNDIO && tempo != TEMPO_INFINITIVO && tempo != TEMPO_PARTICIPIO &&
        tempo != TEMPO_IMPERATIVO && tempo != TEMPO_DESCONHECIDO) {
        clTermo* primeiro = raiz.proximo;
        if (primeiro && primeiro != g && primeiro->verbete.classe == CL_GRUPO_VERBAL &&
            primeiro->tempo == TEMPO_GERUNDIO && primeiro->verbo && !primeiro->verbo->antes) {
            bool livre = true;
            int n = 0;
            for (const clTermo* e = primeiro->proximo; e && e != g && livre; e = e->proximo, ++n)
                livre = n < 40 && !(e->verbete.classe & (CL_VIRGULA | CL_PONTUACAO | CL_CONJUNCAO | CL_GRUPO_VERBAL));
            if (livre) primeiro->tempo = TEMPO_INFINITIVO;
        }
    }
    // "I was born in 1990": Portuguese says it actively, "Eu nasci".
    if (verbo && (tempo == TEMPO_PASSIVA_PASSADO || tempo == TEMPO_PASSIVA_PRESENTE) && aux1 == g->filhos &&
        TextoDe(verbo, "born") && (TextoDe(aux1, "was") || TextoDe(aux1, "were") || TextoDe(aux1, "is") ||
                                   TextoDe(aux1, "are") || TextoDe(aux1, "am")))
        tempo = tempo == TEMPO_PASSIVA_PASSADO ? TEMPO_PASSADO : TEMPO_PRESENTE;
    if (verbo && (tempo == TEMPO_PASSIVA_PRESENTE || tempo == TEMPO_PASSIVA_PASSADO || tempo == TEMPO_PASSIVA_CONTINUA ||
                  tempo == TEMPO_SER || tempo == TEMPO_PARTICIPIO))
        verbo->verbete.formas |= FORMA_PASSIVA;
    g->tempo = tempo;

    // V6: "do", "does", "did" and "will" are not translated as words, nor
    // "have" before "been" in the passive ("been" carries the tense).
    const bool terAntesDeSido = tempo == TEMPO_PASSIVA_PASSADO && !TextoDe(aux1, "was") && !TextoDe(aux1, "were");
    if (aux1 && aux1 == g->filhos &&
        (tempo == TEMPO_PRESENTE || tempo == TEMPO_PASSADO || tempo == TEMPO_FUTURO || tempo == TEMPO_FUTURO_CONTINUO ||
         tempo == TEMPO_FUTURO_PERFEITO || tempo == TEMPO_PASSIVA_FUTURO || terAntesDeSido ||
         (tempo == TEMPO_IMPERATIVO && (TextoDe(aux1, "do") || TextoDe(aux1, "to"))))) {
        g->filhos = aux1->proximo;
        if (g->filhos) g->filhos->anterior = nullptr;
        aux1->proximo = nullptr;
        g->absorvidos = aux1;
    } else if (terAntesDeSido && aux1 && aux1 == g->auxiliar && !g->absorvidos) {
        // "Has the file been deleted?": the same, the question auxiliary left out.
        g->auxiliar = nullptr;
        g->absorvidos = aux1;
    }
    return sujeitoFinal;
}

const char* NomeClasse(std::uint16_t classe)
{
    switch (classe) {
    case 0: return "desconhecida";
    case CL_VERBO: return "verbo";
    case CL_SUBSTANTIVO: return "substantivo";
    case CL_ADJETIVO: return "adjetivo";
    case CL_ADVERBIO: return "adverbio";
    case CL_VERBO_AUXILIAR: return "auxiliar";
    case CL_VERBO | CL_VERBO_AUXILIAR: return "verbo/auxiliar";
    case CL_ARTIGO: return "artigo";
    case CL_PRONOME: return "pronome";
    case CL_PREPOSICAO: return "preposicao";
    case CL_CONJUNCAO: return "conjuncao";
    case CL_INTERJEICAO: return "interjeicao";
    case CL_SIMBOLO: return "simbolo";
    case CL_VIRGULA: return "virgula";
    case CL_PONTUACAO: return "pontuacao";
    case CL_GRUPO_NOMINAL: return "grupo nominal";
    case CL_GRUPO_VERBAL: return "grupo verbal";
    default: return "classes varias";
    }
}
