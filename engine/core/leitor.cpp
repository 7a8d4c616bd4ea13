#include "core/leitor.h"

#include <cstring>
#include <new>

#include "caracteres.h"
#include "core/motor.h"
#include "core/prefixos.h"

namespace {

// How deep the reading of one word may pull in further words to settle its
// class before the settling is put off until the word is looked at. A run of
// ambiguous words would otherwise recurse once per word on a thread stack of
// 32 KiB.
constexpr int kMaxProfundidade = 16;

bool Igual(const char* a, const char* b)
{
    for (; *a && *b; ++a, ++b)
        if (Minuscula(*a) != Minuscula(*b)) return false;
    return *a == *b;
}

bool TextoDe(const clTermo* t, const char* texto) { return t && Igual(t->verbete.vocabulo, texto); }

} // namespace

int VerboComYou(const clTermo* t)
{
    if (!t || !(t->verbete.classe & CL_VERBO)) return 0;
    static const char* const kVerbos[] = {"allow_you", "let_you", "enable_you", "permit_you"};
    for (const char* v : kVerbos)
        if (TextoDe(t, v)) return VERBO_COM_YOU_SUBJUNTIVO;
    return TextoDe(t, "help_you") ? VERBO_COM_YOU_INFINITIVO : 0;
}

namespace {

// The word in lower case with every apostrophe written as "'".
void Normalizar(char* destino, std::size_t tam, const char* origem)
{
    std::size_t n = CopiarTexto(destino, tam, origem);
    for (std::size_t i = 0; i < n; ++i) {
        if (ClasseLetra(destino[i]) == 2) destino[i] = '\'';
        else destino[i] = Minuscula(destino[i]);
    }
}

bool TerminaEm(const char* texto, const char* sufixo)
{
    const std::size_t n = std::strlen(texto);
    const std::size_t m = std::strlen(sufixo);
    return m <= n && std::memcmp(texto + n - m, sufixo, m) == 0;
}

void Cortar(char* texto, std::size_t n)
{
    const std::size_t tam = std::strlen(texto);
    texto[n < tam ? tam - n : 0] = '\0';
}

bool TodasMaiusculas(const char* texto)
{
    bool letra = false;
    for (const char* p = texto; *p; ++p) {
        if (ClasseLetra(*p) != 1) continue;
        letra = true;
        if (Minuscula(*p) == *p && Maiuscula(*p) != *p) return false;
    }
    return letra;
}

int Letras(const char* texto)
{
    int n = 0;
    for (const char* p = texto; *p; ++p)
        if (ClasseLetra(*p) == 1) ++n;
    return n;
}

// The names of keys, as written on the keyboard. `sozinha`: only the names
// that are no ordinary words ("Ctrl", "Esc"), for a key named alone; in a
// combination ("Ctrl-Home", "Shift-Left") the others are keys too.
bool NomeDeTecla(const char* texto, std::size_t n, bool sozinha)
{
    static const char* const kTeclas[] = {"ctrl", "alt",   "shift", "esc",  "enter", "backspace", "tab",
                                          "win",  "altgr", "fn",    "del",  "cmd",   "pgup",      "pgdn",
                                          // In combinations only.
                                          "meta", "super", "return", "space", "home", "end", "insert",
                                          "delete", "escape", "up", "down", "left", "right", "option",
                                          "control"};
    constexpr std::size_t kSozinhas = 14;
    char palavra[16];
    if (n == 0 || n >= sizeof palavra) return false;
    for (std::size_t i = 0; i < n; ++i) palavra[i] = Minuscula(texto[i]);
    palavra[n] = '\0';
    for (std::size_t i = 0; i < sizeof kTeclas / sizeof kTeclas[0] && (!sozinha || i < kSozinhas); ++i)
        if (std::strcmp(palavra, kTeclas[i]) == 0) return true;
    // F1 to F24.
    if ((palavra[0] == 'f') && n >= 2 && n <= 3 && palavra[1] >= '1' && palavra[1] <= '9' &&
        (n == 2 || (palavra[2] >= '0' && palavra[2] <= '9')))
        return true;
    return false;
}

// "Ctrl-D", "Alt-F4", "Ctrl-Alt-Del": keys joined by hyphens, at least one of
// them a key name, the others single letters, digits or key names.
bool CombinacaoDeTeclas(const char* texto)
{
    bool tecla = false;
    int partes = 0;
    const char* p = texto;
    while (*p) {
        const char* fim = std::strchr(p, '-');
        if (!fim) fim = p + std::strlen(p);
        const std::size_t n = static_cast<std::size_t>(fim - p);
        if (n == 0) return false;
        if (NomeDeTecla(p, n, false)) tecla = true;
        else if (n != 1) return false;
        ++partes;
        p = *fim ? fim + 1 : fim;
    }
    return tecla && partes >= 2;
}

// Endings of the suffix analysis, in the order they are tried.
enum Restauro : std::uint8_t { R_NADA, R_Y, R_F, R_VE, R_E_SALVO };
enum Recurso : std::uint8_t { F_NENHUM, F_Y_IE, F_E, F_LE, F_F_VE, F_VE_F };
enum Destino : std::uint8_t { D_REJEITA, D_ACEITA };
enum Resultado : std::uint8_t {
    RES_ING, RES_ED, RES_ER, RES_EST, RES_LY, RES_S, RES_APOS_S, RES_POSSE_PLURAL, RES_EMPILHA
};

struct Terminacao {
    const char* sufixo;
    Restauro restauro;
    Recurso recurso;
    Destino seFalhar;
    Resultado resultado;
    const char* empilhar;
};

const Terminacao kTerminacoes[] = {
    {"ying", R_Y, F_Y_IE, D_REJEITA, RES_ING, nullptr},
    {"ing", R_NADA, F_E, D_REJEITA, RES_ING, nullptr},
    {"ied", R_Y, F_E, D_REJEITA, RES_ED, nullptr},
    {"ed", R_NADA, F_E, D_REJEITA, RES_ED, nullptr},
    {"ier", R_Y, F_E, D_REJEITA, RES_ER, nullptr},
    {"er", R_NADA, F_E, D_REJEITA, RES_ER, nullptr},
    {"iest", R_Y, F_E, D_REJEITA, RES_EST, nullptr},
    {"est", R_NADA, F_NENHUM, D_REJEITA, RES_EST, nullptr},
    {"ily", R_Y, F_E, D_REJEITA, RES_LY, nullptr},
    {"ly", R_NADA, F_LE, D_REJEITA, RES_LY, nullptr},
    // "copies" is "copy"; failing that "cookies", "ties" are "cookie", "tie"
    // (a "-le" after the restored "y" never makes a word).
    {"ies", R_Y, F_Y_IE, D_REJEITA, RES_S, nullptr},
    // The verb's "-ve" before the noun's "-f": "gives" is "give", never the
    // noun "gif"; "wolves", with no "wolve", is still "wolf".
    {"ves", R_VE, F_VE_F, D_REJEITA, RES_S, nullptr},
    {"es", R_E_SALVO, F_E, D_REJEITA, RES_S, nullptr},
    {"'s", R_NADA, F_NENHUM, D_ACEITA, RES_APOS_S, nullptr},
    {"s", R_NADA, F_NENHUM, D_REJEITA, RES_S, nullptr},
    {"ies'", R_Y, F_E, D_ACEITA, RES_POSSE_PLURAL, nullptr},
    {"ves'", R_F, F_F_VE, D_ACEITA, RES_POSSE_PLURAL, nullptr},
    {"es'", R_NADA, F_E, D_ACEITA, RES_POSSE_PLURAL, nullptr},
    {"s'", R_NADA, F_NENHUM, D_ACEITA, RES_POSSE_PLURAL, nullptr},
    {"'", R_NADA, F_NENHUM, D_ACEITA, RES_POSSE_PLURAL, nullptr},
    {"'m", R_NADA, F_NENHUM, D_REJEITA, RES_EMPILHA, "am"},
    {"'re", R_NADA, F_NENHUM, D_REJEITA, RES_EMPILHA, "are"},
    {"'ll", R_NADA, F_NENHUM, D_REJEITA, RES_EMPILHA, "will"},
    {"'d", R_NADA, F_NENHUM, D_REJEITA, RES_EMPILHA, "had"},
    {"'ve", R_NADA, F_NENHUM, D_REJEITA, RES_EMPILHA, "have"},
    {"not", R_NADA, F_NENHUM, D_REJEITA, RES_EMPILHA, "not"},
    {"n't", R_NADA, F_NENHUM, D_REJEITA, RES_EMPILHA, "not"},
};

void LimparEntradaMantendoChave(clVerbete* v)
{
    char chave[TAM_PALAVRA];
    CopiarTexto(chave, sizeof chave, v->vocabulo);
    LimparVerbete(v);
    CopiarTexto(v->vocabulo, sizeof v->vocabulo, chave);
}

} // namespace

clTermo* NovoTermo(clArena* arena)
{
    void* p = arena ? arena->Reservar(sizeof(clTermo)) : nullptr;
    if (!p) return nullptr;
    std::memset(p, 0, sizeof(clTermo));
    return static_cast<clTermo*>(p);
}

void clLeitor::IniciarLeitura(clFrase* f, clArena* a, clEstatistica* e, clDicionario* dic)
{
    arena = a;
    frase = f;
    estatistica = e;
    dicionarios = dic ? dic : &Motor().dicionarios;
    if (estatistica) estatistica->ZerarFrase();
    ultimoLido = -1;
    topoPendentes = -1;
    guarda = 0;
    semMemoria = false;
    profundidade = 0;
    atual = nullptr;
    trabalho = arena ? static_cast<clVerbete*>(arena->Reservar(sizeof(clVerbete))) : nullptr;
    chaveLocucao = arena ? static_cast<char*>(arena->Reservar(kTamChave)) : nullptr;
    if (!trabalho || !chaveLocucao) {
        semMemoria = true;
        return;
    }
    frasEmMaiusculas = -1;
    atual = LerTermo(nullptr);
    if (atual && atual->verbete.mascaraLocucao) JuntarLocucao(atual);
}

bool clLeitor::RestaLer() const
{
    return topoPendentes >= 0 || (frase && ultimoLido < frase->Ultimo());
}

bool clLeitor::Procurar(clVerbete* v)
{
    if (v->vocabulo[0] == '\0') {
        v->classe = 0;
        return false;
    }
    return ProcurarPalavra(dicionarios, v);
}

clPalavra* clLeitor::NovaPalavra(const clPalavra* modelo, const char* texto)
{
    void* p = arena->Reservar(sizeof(clPalavra));
    if (!p) {
        semMemoria = true;
        return nullptr;
    }
    auto* w = new (p) clPalavra();
    if (modelo) {
        w->espacoAntes = modelo->espacoAntes;
        w->aplicarCaixa = modelo->aplicarCaixa;
        w->padraoCaixa = modelo->padraoCaixa;
        w->marcas = modelo->marcas;
    }
    CopiarTexto(w->texto, sizeof w->texto, texto ? texto : "");
    return w;
}

clPalavra* clLeitor::PalavraPropria(clTermo* t)
{
    // A sentence word is never changed in place: when the sentence is written
    // as read, it must come out as it came in.
    if (!t->palavra) return nullptr;
    if (t->criada || t->copiada) return t->palavra;
    clPalavra* w = NovaPalavra(t->palavra, t->palavra->texto);
    if (!w) return nullptr;
    w->pedaco = t->palavra->pedaco;
    t->palavra = w;
    t->copiada = 1;
    return w;
}

clTermo* clLeitor::Olhar(int k) { return OlharDe(k, atual); }

clTermo* clLeitor::OlharDe(int k, clTermo* t)
{
    if (!t) return nullptr;
    for (; k < 0 && t; ++k) t = t->antes;
    for (; k > 0 && t; --k) {
        if (!t->depois) LerTermo(t);
        t = t->depois;
    }
    if (!t) return nullptr;
    if (t->desambiguar && profundidade < kMaxProfundidade) {
        t->desambiguar = 0;
        ++profundidade;
        Desambiguar(t);
        --profundidade;
    }
    if (t->verbete.mascaraLocucao) JuntarLocucao(t);
    return t;
}

void clLeitor::Avancar() { atual = Olhar(1); }

bool clLeitor::EmpilharPendente(const char* texto)
{
    if (topoPendentes >= kMaxPendentes - 1) return false;
    ++topoPendentes;
    CopiarTexto(pendentes[topoPendentes], sizeof pendentes[topoPendentes], texto);
    return true;
}

clTermo* clLeitor::LerTermo(clTermo* anterior)
{
    if (semMemoria || !frase || !RestaLer()) return nullptr;
    clTermo* t = NovoTermo(arena);
    if (!t) {
        semMemoria = true;
        return nullptr;
    }
    t->antes = anterior;
    if (anterior) anterior->depois = t;

    if (topoPendentes < 0) {
        ++ultimoLido;
        t->palavra = frase->Obter(ultimoLido);
        CopiarTexto(t->verbete.vocabulo, sizeof t->verbete.vocabulo, t->palavra->texto);
        // A blank line ends a sentence with a token of no text: it closes the
        // sentence like a full stop and is no unknown word to build a noun on.
        const char* texto = t->palavra->texto;
        if (texto[0] == '\0') {
            t->verbete.classe = CL_PONTUACAO;
        } else if (Procurar(&t->verbete)) {
            // An acronym or a name in capitals that names the kind of the
            // noun after it, inside a sentence that is not in capitals
            // ("Enable SMART feature"), is written as it stands. Words of
            // grammar in capitals are emphasis ("Do NOT"), and a word in
            // capitals that stands for a value is translated ("in each
            // FILE", "TRUE if").
            constexpr std::uint16_t kConteudo = CL_SUBSTANTIVO | CL_ADJETIVO | CL_VERBO;
            const std::uint16_t c = t->verbete.classe;
            bool sigla = (c & kConteudo) && !(c & ~kConteudo) && TodasMaiusculas(texto) && Letras(texto) >= 2 &&
                         !FraseEmMaiusculas();
            // An acronym the dictionary writes as it is ("PDF", "URL") is
            // left to it.
            if (sigla && t->verbete.tamTraducoes > 0) {
                const char* traducao = t->verbete.blocoTraducoes;
                const std::size_t tamBloco = sizeof t->verbete.blocoTraducoes;
                sigla = strnlen(traducao, tamBloco) < tamBloco && !Igual(traducao, texto);
            }
            if (sigla) {
                const clTermo* n = OlharDe(1, t);
                sigla = n && (n->verbete.classe & CL_SUBSTANTIVO) && n->palavra &&
                        !TodasMaiusculas(n->palavra->texto);
            }
            // A key named inside a sentence ("Press Enter", "Esc").
            // After "press" any key name ("press Delete").
            bool tecla = ultimoLido > 0 && Maiuscula(texto[0]) == texto[0] &&
                               Minuscula(texto[0]) != texto[0] && !(c & ~kConteudo) &&
                               NomeDeTecla(texto, std::strlen(texto),
                                           !(anterior && (TextoDe(anterior, "press") || TextoDe(anterior, "hit"))));
            // "Tab" names a key after "press" or before "key"; elsewhere it is
            // the tab of a dialog ("the Tab menu", "Add Tab").
            if (tecla && Igual(texto, "Tab") && !(anterior && (TextoDe(anterior, "press") || TextoDe(anterior, "hit")))) {
                const clTermo* n = OlharDe(1, t);
                tecla = n && n->palavra && Igual(n->palavra->texto, "key");
            }
            if (sigla || tecla) TornarNome(t);
            else FormaVerbal(t, anterior);
        } else if (!AnalisarMorfologia(t) && std::strchr(texto, '-')) {
            if (CombinacaoDeTeclas(texto)) TornarNome(t);
            else if (!Prefixada(t)) SepararHifen(t);
        }
    } else {
        const clPalavra* origem = ultimoLido >= 0 ? frase->Obter(ultimoLido) : nullptr;
        clPalavra* w = NovaPalavra(origem, pendentes[topoPendentes]);
        --topoPendentes;
        if (!w) {
            if (anterior) anterior->depois = nullptr;
            return nullptr;
        }
        // A word made from a contraction carries no capital of its own ("I'm"
        // gives "am", not "Am"), unless the whole sentence word was in capitals.
        w->espacoAntes = 1;
        w->aplicarCaixa = 1;
        w->padraoCaixa = origem && TodasMaiusculas(origem->texto) ? CAIXA_MAIUSCULAS : CAIXA_MINUSCULAS;
        t->palavra = w;
        t->criada = 1;
        CopiarTexto(t->verbete.vocabulo, sizeof t->verbete.vocabulo, w->texto);
        if (!Procurar(&t->verbete)) AnalisarMorfologia(t);
    }

    ConjuncaoAntesDeIng(t, anterior);
    TeclaDeTeclado(t, anterior);
    if (t->verbete.classe & CL_VERBO_AUXILIAR) {
        if (!anterior) ThereInvertido(t);
        else if (anterior->verbete.classe & (CL_PRONOME | CL_SUBSTANTIVO)) SentirMuito(t);
    }
    // Most words start with none of the letters of the words below: one
    // test turns them away.
    if (const char* v = t->verbete.vocabulo; v[0] && v[1]) {
        const bool duas = v[2] == '\0';
        switch (v[0]) {
        case 'a':
            if ((duas && (v[1] == 't' || v[1] == 'm')) || (v[1] == 'n' && (v[2] == 'y' || v[2] == 's') && v[3]))
                LeituraPeloVizinho(t, anterior);
            else if (v[1] == 'b' && std::strcmp(v, "about") == 0)
                CercaDeNumero(t);
            break;
        case 'p':
            if (duas && v[1] == 'm') LeituraPeloVizinho(t, anterior);
            break;
        case 'w':
            if ((v[1] == 'h' && v[2] == 'a' && v[3] == 't' && !v[4]) || (v[1] == 'o' && v[2] == 'r' && v[3] == 'k' && !v[4]))
                LeituraPeloVizinho(t, anterior);
            break;
        case 'f':
            if (v[1] == 'o' && v[2] == 'r' && !v[3]) LeituraPeloVizinho(t, anterior);
            break;
        case 't':
            if (v[1] == 'i' && v[2] == 'm' && v[3] == 'e' && !v[4]) LeituraPeloVizinho(t, anterior);
            break;
        case 'o':
            if (v[1] == 'n' && v[2] == 'l' && v[3] == 'y' && !v[4]) UnicoDepoisDeArtigo(t, anterior);
            break;
        case 'n':
            // "No, keep it.", "No.": the answer, "N\xE3o", not "nenhum".
            if (duas && v[1] == 'o' && t->verbete.classe == CL_PRONOME) {
                const clTermo* n = OlharDe(1, t);
                if (!n || (n->verbete.classe & (CL_VIRGULA | CL_PONTUACAO)))
                    TrocarEntrada(&t->verbete, "no-answer", CL_INTERJEICAO);
            }
            break;
        case 's':
        case 'S':
            // "she" is feminine: what agrees with it ("Ela est\xE1 cansada").
            if (Minuscula(v[1]) == 'h' && Minuscula(v[2]) == 'e' && !v[3] && t->verbete.classe == CL_PRONOME)
                t->verbete.flagsSubst |= SUBST_FEMININO;
            break;
        case 'c':
            if (v[1] == 'a' && v[2] == 'l' && v[3] == 'l' && (!v[4] || v[4] == 'e' || v[4] == 's' || v[4] == 'i'))
                LeituraPeloVizinho(t, anterior);
            break;
        case 'l':
            if (v[1] == 'e' && v[2] == 'f' && v[3] == 't' && !v[4]) PassadoHomografo(t, anterior);
            else if (v[1] == 'o' && v[2] == 'c' && v[3] == 'k') LeituraPeloVizinho(t, anterior);
            break;
        default:
            break;
        }
    }
    Contar(t);
    if (t->verbete.classe != 0 && !t->pai) {
        if (profundidade < kMaxProfundidade) {
            ++profundidade;
            Desambiguar(t);
            --profundidade;
        } else {
            t->desambiguar = 1;
        }
    }
    return t->pai ? t->pai : t;
}

// "while decoding", "when loading the image": the time of an action is "ao"
// and the infinitive ("ao decodificar"); the dictionary holds that reading
// of the conjunction as the entry "while_ing" or "when_ing", a preposition.
void clLeitor::ConjuncaoAntesDeIng(clTermo* t, clTermo* anterior)
{
    if (!anterior || t->verbete.classe != CL_VERBO || !(t->verbete.formas & FORMA_ING)) return;
    if (anterior->verbete.classe == CL_SUBSTANTIVO && TextoDe(anterior, "error")) {
        // "Error reading the file": "Erro ao ler o arquivo" (the entry
        // "error_ing"). An adjective before it would be written between
        // ("Fatal error reading"): then the gerund stays.
        if (anterior->antes && anterior->antes->verbete.classe == CL_ADJETIVO) return;
        const std::uint8_t plural = anterior->verbete.flagsSubst & SUBST_PLURAL;
        if (TrocarEntrada(&anterior->verbete, "error_ing", CL_SUBSTANTIVO)) anterior->verbete.flagsSubst |= plural;
        return;
    }
    if (anterior->verbete.classe != CL_CONJUNCAO) return;
    const char* chave = TextoDe(anterior, "while") ? "while_ing" : TextoDe(anterior, "when") ? "when_ing" : nullptr;
    if (chave) TrocarEntrada(&anterior->verbete, chave, CL_PREPOSICAO);
}

// Replaces `destino` by the dictionary's entry `chave` when it is there with
// class `classe`. The entry is looked up in an entry of its own from the
// arena: the scratch entry may be in use by a multiword merge that is
// reading on.
bool clLeitor::TrocarEntrada(clVerbete* destino, const char* chave, std::uint16_t classe)
{
    auto* v = static_cast<clVerbete*>(arena->Reservar(sizeof(clVerbete)));
    if (!v) return false;
    std::memset(v, 0, sizeof(clVerbete));
    CopiarTexto(v->vocabulo, sizeof v->vocabulo, chave);
    if (!Procurar(v) || v->classe != classe) return false;
    std::memcpy(destino, v, sizeof(clVerbete));
    return true;
}

// "the only layer", "its only member": after an article or a possessive
// "only" describes the noun ("a \xFAnica camada", the dictionary's
// "only-adj"); anywhere else it is the adverb ("apenas").
void clLeitor::UnicoDepoisDeArtigo(clTermo* t, const clTermo* anterior)
{
    if (!anterior || t->verbete.classe != CL_ADVERBIO || !TextoDe(t, "only")) return;
    const clVerbete& av = anterior->verbete;
    if (av.classe == CL_ARTIGO || (av.classe == CL_PRONOME && (av.flagsPron & PRON_POSSESSIVO)))
        TrocarEntrada(&t->verbete, "only-adj", CL_ADJETIVO);
}

// "am", "pm" or "o'clock" as written (the entry may have been replaced already).
static bool DepoisDaHora(const clTermo* m)
{
    if (!m->palavra) return false;
    const char* x = m->palavra->texto;
    return Igual(x, "am") || Igual(x, "pm") || Igual(x, "o'clock");
}

// Words whose translation depends on a neighbour the conditions of the
// dictionary cannot see; each is replaced by the dictionary's entry for that
// reading.
// - "What is the problem?": "what" before a form of "be" and "the" or a
//   possessive asks which one ("Qual \xE9 o problema?", the entry
//   "what-which"); "What is this?" stays "O que".
// - "We didn't see anything": after "not" in its clause "anything" is
//   "nada" ("nothing"), "anyone" and "anybody" are "ningu\xE9m" ("nobody").
// - "at seven", "at 10:30", "at 5 pm": "at" before an hour is "\xE0s" (the
//   entry "at-hour"), and "am"/"pm" after it the part of the day.
// - "for ten years", "for an hour": "for" before a length of time is "por",
//   as after "thank you" and "thanks".
// - "your work": "work" after an article or a possessive is the noun.
// - "the first time", "next time": "time" after an ordinal, "next", "this"
//   or "every" is "vez".
// - "lock the door": a door or a car is "trancado"; "answer the phone" is
//   "atender"; "call me", "call your mother" is "ligar para".
void clLeitor::LeituraPeloVizinho(clTermo* t, const clTermo* anterior)
{
    const std::uint16_t c = t->verbete.classe;
    if (c == CL_PRONOME && !anterior && TextoDe(t, "what")) {
        const clTermo* ser = OlharDe(1, t);
        const clTermo* depois = ser ? OlharDe(2, t) : nullptr;
        if (!depois || !(TextoDe(ser, "is") || TextoDe(ser, "are") || TextoDe(ser, "was") || TextoDe(ser, "were")))
            return;
        const clVerbete& dv = depois->verbete;
        // "What is a layer?" asks for a definition: "O que \xE9 uma camada?".
        if ((dv.classe == CL_ARTIGO && (dv.flagsArtigo & 0x0002)) ||
            (dv.classe == CL_PRONOME && (dv.flagsPron & PRON_POSSESSIVO)))
            TrocarEntrada(&t->verbete, "what-which", CL_PRONOME);
        return;
    }
    if ((c & CL_SUBSTANTIVO) && TextoDe(t, "time") && anterior) {
        // "the first time", "next time", "this time": an occasion is "vez".
        static const char* const kOcasioes[] = {"first", "last", "next", "this", "every", "each", "another", "second"};
        if (TextoDe(anterior->antes, "at")) return;  // "at this time" is a moment
        for (const char* o : kOcasioes)
            if (TextoDe(anterior, o)) {
                const std::uint8_t plural = t->verbete.flagsSubst & SUBST_PLURAL;
                if (TrocarEntrada(&t->verbete, "time-vez", CL_SUBSTANTIVO)) t->verbete.flagsSubst |= plural;
                return;
            }
        return;
    }
    if ((c & CL_VERBO) && Minuscula(t->verbete.vocabulo[0]) == 'c') {
        // "Call me", "call your mother": a person is called on the phone,
        // "ligar para" (the entry "call-phone"); a function is "chamada".
        const clTermo* n = OlharDe(1, t);
        if (!n || !n->palavra) return;
        static const char* const kPessoas[] = {"me", "you", "him", "her", "us"};
        bool pessoa = false;
        for (const char* p : kPessoas) pessoa = pessoa || Igual(n->palavra->texto, p);
        if (!pessoa && (n->verbete.classe == CL_PRONOME) && (n->verbete.flagsPron & PRON_POSSESSIVO)) {
            const clTermo* m = OlharDe(2, t);
            static const char* const kParentes[] = {"mother", "father", "mom", "dad", "parents", "friend", "friends",
                                                    "brother", "sister", "wife", "husband", "boss", "doctor", "family"};
            for (const char* p : kParentes) pessoa = pessoa || (m && m->palavra && Igual(m->palavra->texto, p));
        }
        if (!pessoa) return;
        const std::uint16_t formas = t->verbete.formas;
        if (TrocarEntrada(&t->verbete, "call-phone", CL_VERBO)) {
            t->verbete.formas = formas;
            CopiarTexto(t->verbete.formaBase, sizeof t->verbete.formaBase, "call");
        }
        return;
    }
    if ((c & CL_VERBO) && TextoDe(t, "answer")) {
        // "answer the phone", "answer the door": "atender" (the entry "answer-call").
        const clTermo* n = OlharDe(1, t);
        if (n && (n->verbete.classe & (CL_ARTIGO | CL_PRONOME))) n = OlharDe(2, t);
        if (!n || !n->palavra) return;
        const char* x = n->palavra->texto;
        if (!(Igual(x, "phone") || Igual(x, "telephone") || Igual(x, "call") || Igual(x, "door"))) return;
        const std::uint16_t formas = t->verbete.formas;
        if (TrocarEntrada(&t->verbete, "answer-call", CL_VERBO)) {
            t->verbete.formas = formas;
            CopiarTexto(t->verbete.formaBase, sizeof t->verbete.formaBase, "answer");
        }
        return;
    }
    if ((c & CL_VERBO) && (TextoDe(t, "lock") || TextoDe(t, "locked") || TextoDe(t, "locks"))) {
        // "Lock the door": a door, a car or a house is locked with a key
        // ("trancar", the entry "lock-key"); a file or a screen is
        // "bloqueado".
        const clTermo* n = OlharDe(1, t);
        if (n && (n->verbete.classe & (CL_ARTIGO | CL_PRONOME))) n = OlharDe(2, t);
        static const char* const kPortas[] = {"door", "doors", "car", "house", "gate", "room"};
        bool porta = false;
        for (const char* x : kPortas) porta = porta || (n && n->palavra && Igual(n->palavra->texto, x));
        if (!porta) return;
        const std::uint16_t formas = t->verbete.formas;
        if (TrocarEntrada(&t->verbete, "lock-key", CL_VERBO)) {
            t->verbete.formas = formas;
            CopiarTexto(t->verbete.formaBase, sizeof t->verbete.formaBase, "lock");
        }
        return;
    }
    if (c == CL_VERBO && TextoDe(t, "work") && anterior) {
        // "your work", "the work": after an article or a possessive the
        // noun ("trabalho", the entry "work-noun"), which the dictionary
        // keeps apart so that "works" and "does not work" stay the verb's.
        const clVerbete& av = anterior->verbete;
        if (av.classe == CL_ARTIGO || (av.classe == CL_PRONOME && (av.flagsPron & PRON_POSSESSIVO)))
            TrocarEntrada(&t->verbete, "work-noun", CL_SUBSTANTIVO);
        return;
    }
    if (c == CL_PRONOME && anterior &&
        (TextoDe(t, "anything") || TextoDe(t, "anyone") || TextoDe(t, "anybody"))) {
        const clTermo* e = anterior;
        bool negado = false;
        for (int i = 0; i < 4 && e && !negado; ++i, e = e->antes) {
            if (e->verbete.classe & (CL_PONTUACAO | CL_VIRGULA | CL_CONJUNCAO)) break;
            negado = TextoDe(e, "not") || TextoDe(e, "never");
        }
        if (negado) TrocarEntrada(&t->verbete, TextoDe(t, "anything") ? "nothing" : "nobody", CL_PRONOME);
        return;
    }
    if (anterior && anterior->palavra && (TextoDe(t, "am") || TextoDe(t, "pm"))) {
        // "6 am", "9 pm": the part of the day ("\xE0s 6 da manh\xE3", "\xE0s 9 da noite").
        const char* x = anterior->palavra->texto;
        int valor = 0;
        std::size_t d = 0;
        while (x[d] >= '0' && x[d] <= '9' && d < 3) valor = valor * 10 + (x[d++] - '0');
        if (d == 0 || d > 2 || x[d] != '\0' || valor < 1 || valor > 12) return;
        const char* chave = TextoDe(t, "am") ? "am-hour" : valor >= 6 && valor < 12 ? "pm-night" : "pm-hour";
        TrocarEntrada(&t->verbete, chave, CL_ADVERBIO);
        return;
    }
    if (c == CL_PREPOSICAO && TextoDe(t, "for")) {
        // "for ten years", "for an hour", "for a few minutes": a length of
        // time is "por" (the entry "for-time").
        const clTermo* n = OlharDe(1, t);
        if (!n) return;
        // "Thank you for using", "Thanks for the file": "Obrigado por";
        // "sorry for the delay": "sinto muito pelo atraso".
        if (anterior && (TextoDe(anterior, "thank_you") || TextoDe(anterior, "thanks") || TextoDe(anterior, "be-sorry") ||
                         (TextoDe(anterior, "you") && TextoDe(anterior->antes, "thank")))) {
            TrocarEntrada(&t->verbete, "for-time", CL_PREPOSICAO);
            return;
        }
        int k = 1;
        if (n->verbete.classe & CL_SUBSTANTIVO) {
            // "for years", "for hours": the unit alone ("for days of the week" is no length).
            if (TextoDe(OlharDe(2, t), "of")) return;
        } else if (n->verbete.classe == CL_ARTIGO || (n->verbete.classe & CL_SIMBOLO) ||
            (n->verbete.classe == CL_PRONOME && !(n->verbete.flagsPron & (PRON_PESSOAL | PRON_POSSESSIVO))) ||
            (n->palavra && Minuscula(n->palavra->texto[0]) >= 'a' && Minuscula(n->palavra->texto[0]) <= 'z' &&
             (n->verbete.classe & CL_ADJETIVO))) {
            n = OlharDe(++k, t);
            if (n && (n->verbete.classe & CL_ADJETIVO) && !(n->verbete.classe & CL_SUBSTANTIVO)) n = OlharDe(++k, t);
        } else {
            return;
        }
        if (!n || !(n->verbete.classe & CL_SUBSTANTIVO)) return;
        static const char* const kTempos[] = {"second", "minute", "hour", "day", "week", "month", "year", "while"};
        const char* base = n->verbete.formaBase[0] ? n->verbete.formaBase : n->verbete.vocabulo;
        for (const char* x : kTempos)
            if (Igual(base, x) || TextoDe(n, x)) {
                TrocarEntrada(&t->verbete, "for-time", CL_PREPOSICAO);
                return;
            }
        return;
    }
    if (c == CL_PREPOSICAO && TextoDe(t, "at")) {
        const clTermo* n = OlharDe(1, t);
        if (!n || !n->palavra) return;
        const char* x = n->palavra->texto;
        bool hora = false;
        int valor = 0;
        std::size_t d = 0;
        while (x[d] >= '0' && x[d] <= '9' && d < 3) valor = valor * 10 + (x[d++] - '0');
        if (d > 0 && d <= 2) {
            // "10:30", or an hour before "am", "pm", "o'clock" or the end of the clause.
            if (x[d] == ':' && x[d + 1] >= '0' && x[d + 1] <= '5') hora = valor <= 24;
            else if (x[d] == '\0') {
                const clTermo* m = OlharDe(2, t);
                hora = valor >= 2 && valor <= 12 && (!m || (m->verbete.classe & (CL_PONTUACAO | CL_VIRGULA)) || DepoisDaHora(m));
            }
        } else if (d == 0) {
            static const char* const kHoras[] = {"two", "three", "four",  "five", "six",    "seven",
                                                 "eight", "nine", "ten", "eleven", "twelve"};
            for (const char* h : kHoras) hora = hora || Igual(x, h);
            if (hora) {
                const clTermo* m = OlharDe(2, t);
                hora = !m || (m->verbete.classe & (CL_PONTUACAO | CL_VIRGULA)) || DepoisDaHora(m);
            }
        }
        if (hora) TrocarEntrada(&t->verbete, "at-hour", CL_PREPOSICAO);
    }
}

// "They have already left", "She left the room": a past the dictionary
// holds only as another word ("left": "esquerdo") is the verb's after a
// form of "have" (an adverb between) or a subject pronoun.
void clLeitor::PassadoHomografo(clTermo* t, const clTermo* anterior)
{
    struct Passado {
        const char* forma;
        const char* base;
    };
    static constexpr Passado kPassados[] = {{"left", "leave"}};  // the reader's switch lists their first letters
    if (!anterior || (t->verbete.classe & (CL_VERBO | CL_VERBO_AUXILIAR))) return;
    const Passado* achado = nullptr;
    for (const Passado& p : kPassados)
        if (TextoDe(t, p.forma)) achado = &p;
    if (!achado) return;
    const clTermo* a = anterior;
    if (a->verbete.classe == CL_ADVERBIO && !TextoDe(a, "not") && a->antes) a = a->antes;
    const bool ter = (a->verbete.classe & CL_VERBO_AUXILIAR) && (TextoDe(a, "have") || TextoDe(a, "has") ||
                                                                 TextoDe(a, "had") || TextoDe(a, "having"));
    bool sujeito = false;
    if (a == anterior && a->verbete.classe == CL_PRONOME && (a->verbete.flagsPron & PRON_PESSOAL)) {
        static const char* const kSujeitos[] = {"i", "you", "he", "she", "we", "they"};
        for (const char* p : kSujeitos) sujeito = sujeito || TextoDe(a, p);
    }
    if (!ter && !sujeito) return;
    if (!TrocarEntrada(&t->verbete, achado->base, CL_VERBO)) return;
    t->verbete.formas |= FORMA_PASSADO | FORMA_PARTICIPIO | FORMA_PASSADO_SIMPLES;
    CopiarTexto(t->verbete.formaBase, sizeof t->verbete.formaBase, achado->base);
}

// "the Shift key", "press the key": a key of the keyboard is "tecla" (the
// dictionary's "keyboard_key"), not the "chave" of a lock or a cipher.
void clLeitor::TeclaDeTeclado(clTermo* t, const clTermo* anterior)
{
    if (!anterior || !anterior->palavra || !(t->verbete.classe & CL_SUBSTANTIVO) || !TextoDe(t, "key")) return;
    const char* texto = anterior->palavra->texto;
    bool tecla = NomeDeTecla(texto, std::strlen(texto), false);
    static const char* const kAntes[] = {"keyboard", "keypad", "arrow", "function", "modifier", "shortcut",
                                         "hot", "numeric", "dead", "compose", "hangul", "lock", "menu"};
    for (const char* a : kAntes) tecla = tecla || TextoDe(anterior, a);
    // "press a key", "press any key", "hold each key"
    const bool determinante = anterior->verbete.classe == CL_ARTIGO || TextoDe(anterior, "any") ||
                              TextoDe(anterior, "another") || TextoDe(anterior, "each") ||
                              TextoDe(anterior, "every") || TextoDe(anterior, "this") || TextoDe(anterior, "that");
    if (!tecla && determinante && anterior->antes) {
        const clVerbete& pv = anterior->antes->verbete;
        const char* base = pv.formaBase[0] ? pv.formaBase : pv.vocabulo;
        tecla = (pv.classe & CL_VERBO) && (Igual(base, "press") || Igual(base, "hold") || Igual(base, "release") ||
                                           Igual(base, "hit"));
    }
    if (!tecla) return;
    const std::uint8_t plural = t->verbete.flagsSubst & SUBST_PLURAL;
    const std::uint16_t formas = t->verbete.formas;
    if (TrocarEntrada(&t->verbete, "keyboard_key", CL_SUBSTANTIVO)) {
        t->verbete.flagsSubst |= plural;
        t->verbete.formas = formas;
    }
}

// "about ten minutes", "about 20 files": before a number "about" is "cerca
// de" (the dictionary's "about-number"), not the "sobre" of a subject.
void clLeitor::CercaDeNumero(clTermo* t)
{
    const clTermo* n = OlharDe(1, t);
    if (!n || !n->palavra) return;
    const char* texto = n->palavra->texto;
    bool numero = texto[0] >= '0' && texto[0] <= '9';
    static const char* const kNumeros[] = {"one", "two", "three", "four", "five", "six", "seven", "eight",
                                           "nine", "ten", "eleven", "twelve", "fifteen", "twenty", "thirty",
                                           "forty", "fifty", "sixty", "hundred", "thousand", "a_dozen"};
    for (const char* x : kNumeros) numero = numero || Igual(texto, x);
    if (numero) TrocarEntrada(&t->verbete, "about-number", CL_ADVERBIO);
}

bool clLeitor::FraseEmMaiusculas()
{
    if (frasEmMaiusculas < 0) {
        int palavras = 0;
        bool todas = true;
        for (int i = 0; frase && i <= frase->Ultimo() && todas; ++i) {
            const char* texto = frase->Obter(i)->texto;
            if (Letras(texto) < 2) continue;
            ++palavras;
            todas = TodasMaiusculas(texto);
        }
        frasEmMaiusculas = todas && palavras > 0 ? 1 : 0;
    }
    return frasEmMaiusculas == 1;
}

void clLeitor::TornarNome(clTermo* t)
{
    clVerbete& v = t->verbete;
    v.classe = CL_SUBSTANTIVO;
    v.flagsSubst = 0;
    v.flagsAdj = 0;
    v.formas = 0;
    v.mascaraLocucao = 0;
    v.tamTraducoes = 0;
    t->nome = 1;
    if (clPalavra* w = PalavraPropria(t)) w->aplicarCaixa = 0;
}

// Forms the dictionary knows as nouns or adjectives that are the verb's by
// where they stand (Portuguese writes a verb there):
// - "-ing" after a preposition ("before saving the file": "antes de salvar
//   o arquivo"), unless a noun follows, which it describes ("for existing
//   users"), or it ends a purpose after "for" ("open for reading": "para
//   leitura");
// - "-ing" after a form of "be" ("have been saving"), unless the entry is
//   an adjective ("is running": "em execu\xE7\xE3o");
// - "-ing" opening a sentence before its object ("Saving the file.");
// - "-ed" after a subject pronoun ("I closed the window").
// A word whose stem is no verb ("during", "string") keeps its entry.
// "My brother lives in a small town", "she lives here": an irregular plural
// the dictionary holds as a noun only ("lives", of "life") is the verb's
// "-s" form ("live") right after its subject, a singular noun with its
// determiner or "he", "she", "it", when no verb follows it.
bool clLeitor::PluralIrregularComoVerbo(clTermo* t, const clTermo* anterior)
{
    const clVerbete& v = t->verbete;
    if (v.classe != CL_SUBSTANTIVO || !(v.flagsSubst & SUBST_PLURAL) || !v.formaBase[0] || !anterior) return false;
    // A regular plural ("files") already carries the verb when its stem is one.
    const std::size_t n = std::strlen(v.vocabulo);
    if (n < 2 || (std::strlen(v.formaBase) + 1 == n && std::strncmp(v.vocabulo, v.formaBase, n - 1) == 0)) return false;
    const clVerbete& av = anterior->verbete;
    bool sujeito = false;
    if (av.classe == CL_PRONOME && (av.flagsPron & PRON_PESSOAL))
        sujeito = TextoDe(anterior, "he") || TextoDe(anterior, "she") || TextoDe(anterior, "it");
    else if (av.classe == CL_PRONOME && (TextoDe(anterior, "who") || TextoDe(anterior, "that")))
        sujeito = anterior->antes && (anterior->antes->verbete.classe & CL_SUBSTANTIVO);  // "the man who lives"
    else if (av.classe == CL_SUBSTANTIVO && !(av.flagsSubst & (SUBST_PLURAL | SUBST_POSSESSIVO))) {
        const clTermo* d = anterior->antes;
        for (int i = 0; i < 3 && d && d->verbete.classe == CL_ADJETIVO; ++i) d = d->antes;
        if (!d) return false;
        const clVerbete& dv = d->verbete;
        sujeito = dv.classe == CL_ARTIGO ||
                  (dv.classe == CL_PRONOME && (dv.flagsPron & (PRON_POSSESSIVO | PRON_DEMONSTRATIVO)));
    }
    if (!sujeito) return false;
    const clTermo* n1 = OlharDe(1, t);
    if (n1 && (n1->verbete.classe & (CL_VERBO | CL_VERBO_AUXILIAR))) return false;
    void* copia = arena->Reservar(sizeof(clVerbete));
    if (!copia) return false;
    std::memcpy(copia, &t->verbete, sizeof(clVerbete));
    if (AnalisarMorfologia(t) && (t->verbete.classe & CL_VERBO)) {
        t->verbete.classe = CL_VERBO;
        t->verbete.flagsSubst = 0;
        return true;
    }
    std::memcpy(&t->verbete, copia, sizeof(clVerbete));
    return false;
}

bool clLeitor::FormaVerbal(clTermo* t, const clTermo* anterior)
{
    if (t->verbete.classe == CL_VERBO || !t->palavra) return false;
    // Most words end in neither: turned away before any copy.
    const std::size_t bruto = std::strlen(t->palavra->texto);
    const char fim = bruto >= 4 ? Minuscula(t->palavra->texto[bruto - 1]) : '\0';
    if (fim == 's') return PluralIrregularComoVerbo(t, anterior);
    if (bruto < 5 || (fim != 'g' && fim != 'd')) return false;
    char palavra[kTamPalavra];
    Normalizar(palavra, sizeof palavra, t->palavra->texto);
    const std::size_t tam = std::strlen(palavra);
    const bool ing = TerminaEm(palavra, "ing") && tam >= 6;
    const bool ed = TerminaEm(palavra, "ed") && tam >= 5;
    if (!ing && !ed) return false;
    if (ing) {
        const clTermo* n = nullptr;
        const auto objeto = [&] {
            n = OlharDe(1, t);
            return n && (n->verbete.classe & (CL_ARTIGO | CL_PRONOME));
        };
        if (!anterior) {
            if (ultimoLido != 0 || !objeto()) return false;
        } else if ((anterior->verbete.classe == CL_CONJUNCAO &&
                    (TextoDe(anterior, "while") || TextoDe(anterior, "when"))) ||
                   (anterior->verbete.classe == CL_SUBSTANTIVO && TextoDe(anterior, "error"))) {
            // "while decoding", "error reading": the action ("ao
            // decodificar", "erro ao ler").
        } else if (anterior->verbete.classe == CL_VERBO_AUXILIAR &&
                   (TextoDe(anterior, "been") || std::strcmp(anterior->verbete.formaBase, "be") == 0)) {
            if (t->verbete.classe & CL_ADJETIVO) return false;
        } else if (anterior->verbete.classe & CL_PREPOSICAO) {
            const bool comObjeto = objeto();
            if (n && (n->verbete.classe & (CL_SUBSTANTIVO | CL_ADJETIVO)) && !comObjeto) return false;
            if (!comObjeto && TextoDe(anterior, "for")) return false;
        } else {
            return false;
        }
    } else {
        static const char* const kSujeitos[] = {"i", "you", "he", "she", "we", "they"};
        bool sujeito = false;
        if (anterior && anterior->verbete.classe == CL_PRONOME && (anterior->verbete.flagsPron & PRON_PESSOAL))
            for (const char* p : kSujeitos) sujeito = sujeito || TextoDe(anterior, p);
        if (!sujeito) return false;
    }
    void* copia = arena->Reservar(sizeof(clVerbete));
    if (!copia) return false;
    std::memcpy(copia, &t->verbete, sizeof(clVerbete));
    if (AnalisarMorfologia(t) && (t->verbete.classe & CL_VERBO)) {
        t->verbete.classe = CL_VERBO;
        return true;
    }
    std::memcpy(&t->verbete, copia, sizeof(clVerbete));
    return false;
}

void clLeitor::Contar(clTermo* t)
{
    const std::uint16_t c = t->verbete.classe;
    if (c == 0) {
        if (estatistica) estatistica->Desconhecida(t->palavra->texto);
        // Written unchanged: an unknown word keeps the case it came with.
        if (clPalavra* w = PalavraPropria(t)) w->aplicarCaixa = 0;
        AgruparDesconhecidas(t);
    } else if (!(c & (CL_SIMBOLO | CL_VIRGULA | CL_PONTUACAO)) && !t->filhos) {
        if (estatistica) estatistica->Conhecida();
    }
}

namespace {

bool Aspa(const clTermo* t, bool abre)
{
    if (!t || t->verbete.classe != CL_SIMBOLO || !t->palavra) return false;
    const char* x = t->palavra->texto;
    return (x[0] == '"' || x[0] == (abre ? '\x93' : '\x94')) && x[1] == '\0';
}

// A word that opens a noun phrase: an article, a determiner or possessive,
// or a preposition before its object.
bool AbreSintagmaNominal(const clTermo* t)
{
    if (!t) return false;
    const clVerbete& v = t->verbete;
    return v.classe == CL_ARTIGO || (v.classe == CL_PREPOSICAO && !TextoDe(t, "to")) ||
           (v.classe == CL_PRONOME && (v.flagsPron & (PRON_DEMONSTRATIVO | PRON_POSSESSIVO)));
}

} // namespace

// "This changes the file", "something changes": after a pronoun that is a
// singular subject an "-s" form is the verb; the plural noun would need
// "these" or "those".
static bool SujeitoSingular(const clTermo* p, const clTermo* t)
{
    if (!(t->verbete.formas & FORMA_TERCEIRA_S) || !(p->verbete.classe & CL_PRONOME)) return false;
    static const char* const kPronomes[] = {"this", "that", "something", "nothing", "everything", "anything",
                                            "which", "who", "one"};
    for (const char* x : kPronomes)
        if (TextoDe(p, x)) return true;
    return false;
}

// "Show the version and exit", "Select a file or cancel": after "and" or
// "or" a bare form that ends the sentence (or takes an article) is a second
// order when the sentence opened with one.
bool clLeitor::SegundaOrdem(const clTermo* p, clTermo* t)
{
    if (!(TextoDe(p, "and") || TextoDe(p, "or")) || (t->verbete.formas & ~0x0001u)) return false;
    const clTermo* primeiro = p;
    for (int i = 0; i < 12 && primeiro->antes; ++i) primeiro = primeiro->antes;
    if (primeiro->antes || primeiro == p) return false;
    if (primeiro->verbete.classe != CL_VERBO || primeiro->verbete.formas != 0x0001 || !primeiro->palavra ||
        primeiro->palavra->padraoCaixa != CAIXA_INICIAL)
        return false;
    const clTermo* n = OlharDe(1, t);
    return !n || (n->verbete.classe & (CL_PONTUACAO | CL_ARTIGO));
}

// Whether a word that may be a noun or a verb is the noun by what stands
// before it, beyond the word right before it:
// - a word in quotation marks after an article describes the noun after the
//   quotes ("a \x93Predator\x94 effect");
// - an "-s" form after a noun that is itself the object of a preposition or
//   a verb is the plural head of a compound ("the size of brush previews",
//   "reduce edge effects", "between consecutive brush marks"): a verb there
//   would have no subject.
bool clLeitor::SubstantivoPeloContexto(clTermo* t, const clTermo* p)
{
    if (Aspa(p, false)) {
        const clTermo* e = p->antes;
        for (int i = 0; i < 4 && e && !Aspa(e, true); ++i) e = e->antes;
        if (e && Aspa(e, true) && AbreSintagmaNominal(e->antes)) return true;
        // Before a noun it heads a compound the quoted name describes
        // ("\x93Cubism\x94 filter options").
        const clTermo* n = OlharDe(1, t);
        return n && n->verbete.classe == CL_SUBSTANTIVO;
    }
    // An unknown word there is a name ("GVfs support").
    if ((p->verbete.classe != CL_SUBSTANTIVO && p->verbete.classe != 0) ||
        (p->verbete.flagsSubst & (SUBST_POSSESSIVO | SUBST_PLURAL)))
        return false;
    const bool formaS = (t->verbete.formas & FORMA_TERCEIRA_S) || (t->verbete.flagsSubst & SUBST_PLURAL);
    if (!formaS) {
        // A bare form after a singular noun has no subject in it: a noun
        // names it ("have GVfs support", "the file type"), unless an
        // auxiliary or a verb such as "let" or "make" stands before that
        // noun's phrase ("Can the user change", "let the user choose"), or
        // the form is also the past ("the value set to 15").
        if (t->verbete.formas & (FORMA_PASSADO | FORMA_PARTICIPIO | FORMA_ING)) return false;
        // An unknown word in "-s" may be a plural ("brushstrokes use"),
        // unless a capital makes it a name ("GVfs support").
        const char* pt = p->palavra ? p->palavra->texto : "";
        const std::size_t np = std::strlen(pt);
        bool capital = false;
        for (std::size_t i = 0; i < np && !capital; ++i) capital = Minuscula(pt[i]) != pt[i];
        if (p->verbete.classe == 0 && np > 0 && pt[np - 1] == 's' && !capital) return false;
        // A label in capitals after a word in small letters may open with a
        // verb ("the option Fill Transparent Areas"); inside a run of
        // capitals it is the noun ("Name Service Cache Daemon").
        const char* tt = t->palavra ? t->palavra->texto : "";
        if (Minuscula(tt[0]) != tt[0] && p->verbete.classe != 0 && Minuscula(pt[0]) == pt[0]) return false;
        static const char* const kMesmaForma[] = {"set", "put", "cut", "read", "hit", "shut", "spread", "cost",
                                                  "quit", "split", "let", "reset", "output", "input"};
        for (const char* f : kMesmaForma)
            if (TextoDe(t, f)) return false;
        const clTermo* e = p->antes;
        for (int i = 0; i < 4 && e && (e->verbete.classe & (CL_ARTIGO | CL_ADJETIVO | CL_SUBSTANTIVO)) &&
                        !(e->verbete.classe & (CL_VERBO | CL_VERBO_AUXILIAR));
             ++i)
            e = e->antes;
        if (e && e->verbete.classe == CL_PRONOME && (e->verbete.flagsPron & (PRON_DEMONSTRATIVO | PRON_POSSESSIVO)))
            e = e->antes;
        if (!e) return true;
        // "have" before its object is the main verb ("don't have GVfs
        // support"); another auxiliary opens a question ("Can the user
        // change").
        if ((e->verbete.classe & CL_VERBO_AUXILIAR) && !TextoDe(e, "have") && !TextoDe(e, "has") &&
            !TextoDe(e, "had"))
            return false;
        static const char* const kCausativos[] = {"let", "make", "help", "see", "watch", "hear"};
        const char* base = e->verbete.formaBase[0] ? e->verbete.formaBase : e->verbete.vocabulo;
        for (const char* v : kCausativos)
            if (Igual(base, v)) return false;
        return true;
    }
    const clTermo* e = p->antes;
    for (int i = 0; i < 3 && e && e->verbete.classe == CL_ADJETIVO; ++i) e = e->antes;
    // A participle before the noun describes it ("the indexed format
    // supports").
    return e && ((e->verbete.classe == CL_PREPOSICAO && !TextoDe(e, "to")) ||
                 (e->verbete.classe == CL_VERBO && !(e->verbete.formas & (FORMA_PASSADO | FORMA_PARTICIPIO))));
}

void clLeitor::Desambiguar(clTermo* t)
{
    std::uint16_t& c = t->verbete.classe;
    // Looking at the neighbours can join the word into an entry of several
    // words ("Look forward to it": "forward" looks back at "look"); that
    // entry's class is the dictionary's, not one of the word's readings.
    const clTermo* const absorvidosAntes = t->absorvidos;
    auto juntou = [&] { return t->absorvidos != absorvidosAntes; };
    // Rule A: noun or adjective.
    if ((c & CL_SUBSTANTIVO) && (c & CL_ADJETIVO)) {
        const clTermo* n = OlharDe(1, t);
        const bool adjetivo = n && !(n->verbete.classe & CL_PONTUACAO) &&
                              ((n->verbete.classe & (CL_SUBSTANTIVO | CL_ADJETIVO)) || n->verbete.classe == 0) &&
                              (!(t->verbete.flagsAdj & ADJ_ANTEPOSTO) ||
                               ((n->verbete.classe & CL_SUBSTANTIVO) && (n->verbete.flagsSubst & SUBST_ARTIGO)));
        if (juntou()) return;
        if (adjetivo) c &= static_cast<std::uint16_t>(~CL_SUBSTANTIVO);
        else c &= static_cast<std::uint16_t>(~CL_ADJETIVO);
    }
    // Rule B: noun or verb.
    constexpr std::uint16_t kVerbos = CL_VERBO | CL_VERBO_AUXILIAR;
    if ((c & CL_SUBSTANTIVO) && (c & kVerbos)) {
        const clTermo* p = OlharDe(-1, t);
        int decisao = 0;  // 1 noun, 2 verb
        if (p) {
            const clVerbete& pv = p->verbete;
            if (VerboComYou(p) || SujeitoSingular(p, t) || SegundaOrdem(p, t)) {
                decisao = 2;
            } else if (SubstantivoPeloContexto(t, p)) {
                decisao = 1;
            } else if ((pv.classe & (CL_VERBO | CL_ADJETIVO | CL_ARTIGO)) ||
                ((pv.classe & CL_PREPOSICAO) && !TextoDe(p, "to")) ||
                ((pv.classe & CL_PRONOME) && (pv.flagsPron & (PRON_DEMONSTRATIVO | PRON_POSSESSIVO)) &&
                 !TextoDe(p, "that")) ||
                // After a number or a determiner ("2 types", "some files",
                // "no changes"); not after "that", a relative ("which
                // contains") or "nothing", which may be subjects.
                (pv.classe == CL_SIMBOLO && p->palavra && p->palavra->texto[0] >= '0' &&
                 p->palavra->texto[0] <= '9') ||
                (pv.classe == CL_PRONOME && !(pv.flagsPron & (PRON_PESSOAL | PRON_INTERROGATIVO)) &&
                 !TextoDe(p, "that") && (!(pv.flagsPron & PRON_NEGATIVO) || TextoDe(p, "no"))) ||
                (((pv.classe & CL_SUBSTANTIVO) || pv.classe == 0) && (pv.flagsSubst & SUBST_POSSESSIVO)))
                decisao = 1;
            else if ((pv.classe & CL_VERBO_AUXILIAR) || ((pv.classe & CL_PRONOME) && (pv.flagsPron & PRON_PESSOAL)) ||
                     TextoDe(p, "not") || TextoDe(p, "to"))
                decisao = 2;
            else if (pv.classe == CL_ADVERBIO && p->antes && !TextoDe(p, "more") && !TextoDe(p, "less") &&
                     !TextoDe(p, "most")) {
                // An adverb between ("need to explicitly pass", "can also
                // create", "you then select"): the word before it decides.
                // "more", "less" and "most" also stand before a noun ("gives
                // you more control").
                const clVerbete& av = p->antes->verbete;
                if ((av.classe & CL_VERBO_AUXILIAR) || (av.classe == CL_PRONOME && (av.flagsPron & PRON_PESSOAL)) ||
                    TextoDe(p->antes, "to"))
                    decisao = 2;
            }
        }
        // "How much memory does the program use?": a bare form after the
        // subject of a question's auxiliary is the verb, even at the end.
        if (decisao == 0 && p && (p->verbete.classe & CL_SUBSTANTIVO) &&
            !(t->verbete.formas & (FORMA_TERCEIRA_S | FORMA_PASSADO | FORMA_ING)) && !(t->verbete.flagsSubst & SUBST_PLURAL)) {
            const clTermo* e = p->antes;
            for (int i = 0; i < 4 && e && (e->verbete.classe & (CL_ARTIGO | CL_ADJETIVO | CL_SUBSTANTIVO)) &&
                            !(e->verbete.classe & kVerbos);
                 ++i)
                e = e->antes;
            if (e && e->verbete.classe == CL_PRONOME && (e->verbete.flagsPron & PRON_POSSESSIVO)) e = e->antes;
            if (e && (TextoDe(e, "do") || TextoDe(e, "does") || TextoDe(e, "did")) && e->antes) decisao = 2;
        }
        // "Update available.", "Download complete.": a message that opens
        // with the word and an adjective alone names the thing.
        if (decisao == 0 && !p) {
            const clTermo* n = OlharDe(1, t);
            if (n && n->verbete.classe == CL_ADJETIVO) {
                const clTermo* fim = OlharDe(2, t);
                if (!fim || (fim->verbete.classe & CL_PONTUACAO)) decisao = 1;
            }
        }
        if (decisao == 0) {
            const clTermo* n = OlharDe(1, t);
            // A main verb is negated through an auxiliary ("does not
            // format"): one followed straight by "not" is the noun of a terse
            // message ("File format not recognized").
            if (!n || (n->verbete.classe & (CL_VERBO_AUXILIAR | CL_SIMBOLO | CL_VIRGULA | CL_PONTUACAO)) ||
                ((c & CL_VERBO) && (n->verbete.classe & CL_VERBO)) ||
                (!(c & CL_VERBO_AUXILIAR) && TextoDe(n, "not")) ||
                // "that type of thing", "a set of files": a verb takes its
                // object without "of".
                TextoDe(n, "of"))
                decisao = 1;
            else
                decisao = 2;
        }
        if (juntou()) return;
        if (decisao == 1) c &= static_cast<std::uint16_t>(~kVerbos);
        else c &= kVerbos;
    }
    // Rule C: adjective or verb/adverb. After a form of "be" the word is
    // the predicate's adjective ("The file is open for reading").
    if ((c & CL_ADJETIVO) && (c & (CL_VERBO | CL_ADVERBIO))) {
        const clTermo* n = OlharDe(1, t);
        const clTermo* p = OlharDe(-1, t);
        // "is not open", "is very slow" too: the negation or the adverb
        // between changes nothing.
        const clTermo* ser = p;
        for (int k = -2; k >= -3 && ser && ser->verbete.classe == CL_ADVERBIO; --k) ser = OlharDe(k, t);
        // An adverb too ("I am fine, thanks"): the adjective when the clause
        // ends with it.
        const bool fimDaOracao = !n || (n->verbete.classe & (CL_PONTUACAO | CL_VIRGULA));
        bool aposSer = ((c & CL_VERBO) || ((c & CL_ADVERBIO) && fimDaOracao)) && ser &&
                       ser->verbete.classe == CL_VERBO_AUXILIAR &&
                       (std::strcmp(ser->verbete.formaBase, "be") == 0 || TextoDe(ser, "be")) &&
                       !(t->verbete.formas & (FORMA_ING | FORMA_PASSADO | FORMA_PARTICIPIO));
        // "Is the door open?": after the subject of a question that "be"
        // opens, the bare form is the predicate's adjective too.
        if (!aposSer && (c & CL_VERBO) && p && !(t->verbete.formas & (FORMA_ING | FORMA_PASSADO | FORMA_PARTICIPIO))) {
            const clTermo* e = p;
            constexpr std::uint16_t kNominais = CL_ARTIGO | CL_SUBSTANTIVO | CL_ADJETIVO | CL_PRONOME | CL_ADVERBIO;
            for (int k = 0; k < 8 && e && e->antes && (e->verbete.classe & kNominais) && !(e->verbete.classe & kVerbos);
                 ++k)
                e = e->antes;
            aposSer = e && e != p && !e->antes && e->verbete.classe == CL_VERBO_AUXILIAR &&
                      (TextoDe(e, "is") || TextoDe(e, "are") || TextoDe(e, "was") || TextoDe(e, "were"));
        }
        // After a modal, negated or not, it is the verb ("Could not open
        // resource").
        const clTermo* m = TextoDe(p, "not") ? OlharDe(-2, t) : p;
        const bool aposModal = (c & CL_VERBO) && m && (m->verbete.classe & CL_VERBO_AUXILIAR) &&
                               [&] {
                                   static const char* const kModais[] = {"can", "could", "will", "would", "shall",
                                                                         "should", "must", "may", "might", "do",
                                                                         "does", "did"};
                                   for (const char* x : kModais)
                                       if (TextoDe(m, x)) return true;
                                   return false;
                               }();
        // After "to" it is the infinitive ("Failed to open image").
        if (juntou()) return;
        if (aposModal || ((c & CL_VERBO) && TextoDe(p, "to")))
            c &= static_cast<std::uint16_t>(~CL_ADJETIVO);
        else if (aposSer)
            c &= static_cast<std::uint16_t>(~(CL_VERBO | CL_ADVERBIO));
        else if (n && n->verbete.classe != 0 && !(n->verbete.classe & (CL_SUBSTANTIVO | CL_ADJETIVO)))
            c &= static_cast<std::uint16_t>(~CL_ADJETIVO);
        else if (p && (p->verbete.classe & CL_PRONOME))
            c &= static_cast<std::uint16_t>(~CL_ADJETIVO);
        else
            c &= static_cast<std::uint16_t>(~(CL_VERBO | CL_ADVERBIO));
    }
    // Adjective or pronoun ("one"): before the noun it counts, alone it
    // stands for one ("this one", "choose one").
    if (c == (CL_ADJETIVO | CL_PRONOME)) {
        const clTermo* n = OlharDe(1, t);
        const bool adjetivo = n && (n->verbete.classe & (CL_SUBSTANTIVO | CL_ADJETIVO)) &&
                              !(n->verbete.classe & (CL_PRONOME | CL_VERBO_AUXILIAR));
        if (juntou()) return;
        c = adjetivo ? CL_ADJETIVO : CL_PRONOME;
    }
    // A verb that is also a preposition, conjunction or adverb ("like",
    // "near", "still") left with both readings would be neither a verb to
    // the parser nor a word it can place: it is a verb after a subject
    // pronoun, an auxiliary, "not" or "to", or a plural noun ("people like
    // it"); otherwise the other reading stays.
    constexpr std::uint16_t kOutras = CL_PREPOSICAO | CL_CONJUNCAO | CL_ADVERBIO;
    if ((c & kVerbos) && (c & kOutras) && !(c & (CL_SUBSTANTIVO | CL_ADJETIVO))) {
        const clTermo* p = OlharDe(-1, t);
        bool verbo = false;
        if (p) {
            const clVerbete& pv = p->verbete;
            verbo = (pv.classe == CL_PRONOME && (pv.flagsPron & PRON_PESSOAL)) || pv.classe == CL_VERBO_AUXILIAR ||
                    TextoDe(p, "not") || TextoDe(p, "to") ||
                    (pv.classe == CL_SUBSTANTIVO && (pv.flagsSubst & SUBST_PLURAL));
        }
        if (juntou()) return;
        if (verbo) c &= kVerbos;
        else c &= static_cast<std::uint16_t>(~kVerbos);
    }
}

namespace {

// Whether a stem of class `c` can take the ending whose result is `r`.
bool ClasseServe(int r, std::uint16_t c)
{
    switch (r) {
    case RES_ING: return (c & CL_VERBO) != 0;
    case RES_ED: return (c & (CL_VERBO | CL_ADJETIVO)) != 0;
    case RES_ER:
    case RES_EST:
    case RES_LY: return (c & CL_ADJETIVO) != 0;
    case RES_S: return (c & (CL_VERBO | CL_SUBSTANTIVO)) != 0;
    default: return true;  // possessives and contractions test the class themselves
    }
}

} // namespace

bool clLeitor::AnalisarMorfologia(clTermo* t)
{
    if (!trabalho || !t->palavra) return false;
    char palavra[kTamPalavra];
    Normalizar(palavra, sizeof palavra, t->palavra->texto);
    const std::size_t tam = std::strlen(palavra);

    clVerbete& v = *trabalho;
    auto buscar = [&](const char* chave) {
        std::memcpy(&v, &t->verbete, sizeof v);
        CopiarTexto(v.vocabulo, sizeof v.vocabulo, chave);
        // An empty or non-word stem would come back as a symbol: it is simply not found.
        if (FormaPalavra(v.vocabulo) == 0) {
            v.classe = 0;
            return false;
        }
        return Procurar(&v);
    };

    bool aceito = false;
    for (std::size_t i = 0; i < sizeof kTerminacoes / sizeof kTerminacoes[0]; ++i) {
        const Terminacao& e = kTerminacoes[i];
        if (!TerminaEm(palavra, e.sufixo)) continue;
        const std::size_t tamSufixo = std::strlen(e.sufixo);

        char raiz[kTamPalavra + 2];
        CopiarTexto(raiz, kTamPalavra, palavra);
        raiz[tam - tamSufixo] = '\0';
        if (e.resultado == RES_EMPILHA && i == 26) {
            if (std::strcmp(palavra, "won't") == 0) CopiarTexto(raiz, sizeof raiz, "will");
            else if (std::strcmp(palavra, "can't") == 0) CopiarTexto(raiz, sizeof raiz, "can");
        }
        std::size_t n = std::strlen(raiz);
        switch (e.restauro) {
        case R_Y: AcrescentarTexto(raiz, kTamPalavra, "y"); break;
        case R_F: AcrescentarTexto(raiz, kTamPalavra, "f"); break;
        case R_VE: AcrescentarTexto(raiz, kTamPalavra, "ve"); break;
        case R_E_SALVO:
            if (!(TerminaEm(raiz, "ch") || TerminaEm(raiz, "sh") || TerminaEm(raiz, "o") || TerminaEm(raiz, "s") ||
                  TerminaEm(raiz, "x")))
                AcrescentarTexto(raiz, kTamPalavra, "e");
            break;
        case R_NADA: break;
        }

        // A stem found with a class the ending cannot take counts as not
        // found, so that the other readings are still tried: "used" finds the
        // pronoun "us" before the verb "use".
        const auto serve = [&](bool encontrado) { return encontrado && ClasseServe(e.resultado, v.classe); };
        bool achou = serve(buscar(raiz));
        if (!achou) {
            // Doubled consonant: "stopped" is "stop" + "p" + "ed".
            n = std::strlen(raiz);
            if (n >= 3 && raiz[n - 1] == raiz[n - 2] && !Vogal(raiz[n - 1]) && raiz[n - 1] != 's') {
                const char guardada = raiz[n - 1];
                raiz[n - 1] = '\0';
                achou = serve(buscar(raiz));
                if (!achou) raiz[n - 1] = guardada;
            }
        }
        if (!achou) {
            if (e.resultado == RES_EMPILHA) break;  // the contraction needs its stem in the dictionary
            bool tentou = true;
            switch (e.recurso) {
            case F_Y_IE: tentou = TrocarSufixo(raiz, "y", "ie") != 0; break;
            case F_E: AcrescentarTexto(raiz, kTamPalavra, "e"); break;
            case F_LE: AcrescentarTexto(raiz, kTamPalavra, "le"); break;
            case F_F_VE: tentou = TrocarSufixo(raiz, "f", "ve") != 0; break;
            case F_VE_F: tentou = TrocarSufixo(raiz, "ve", "f") != 0; break;
            case F_NENHUM: tentou = false; break;
            }
            if (tentou) achou = serve(buscar(raiz));
            if (!achou) {
                if (e.seFalhar == D_REJEITA) break;
                // Accepted without an entry: a name such as "John's".
                std::memcpy(&v, &t->verbete, sizeof v);
                CopiarTexto(v.vocabulo, sizeof v.vocabulo, palavra);
                v.vocabulo[tam - tamSufixo] = '\0';
                LimparEntradaMantendoChave(&v);
            }
        }

        // The ending was handled: the result, by the ending's kind.
        std::uint16_t& c = v.classe;
        switch (e.resultado) {
        case RES_ING:
            if (!(c & CL_VERBO)) break;
            c = CL_VERBO;
            v.formas = static_cast<std::uint16_t>((v.formas & ~1u) | FORMA_ING);
            aceito = true;
            break;
        case RES_ED:
            if (!(c & (CL_VERBO | CL_ADJETIVO))) break;
            c &= CL_VERBO | CL_ADJETIVO;
            if (c & CL_VERBO) v.formas |= FORMA_PASSADO | FORMA_PARTICIPIO;
            aceito = true;
            break;
        case RES_ER:
        case RES_EST:
            if (!(c & CL_ADJETIVO)) break;
            c = CL_ADJETIVO;
            v.flagsAdj |= e.resultado == RES_ER ? ADJ_COMPARATIVO : ADJ_SUPERLATIVO;
            // "mais nova" follows the noun, even where "nova" goes before it.
            v.flagsAdj &= static_cast<std::uint8_t>(~ADJ_ANTEPOSTO);
            aceito = true;
            break;
        case RES_LY:
            if (!(c & CL_ADJETIVO)) break;
            c = CL_ADVERBIO;
            v.flagsAdj |= ADJ_ADVERBIO_LY;
            aceito = true;
            break;
        case RES_S:
            if (!(c & (CL_VERBO | CL_SUBSTANTIVO))) break;
            c &= CL_VERBO | CL_SUBSTANTIVO;
            v.formas |= FORMA_TERCEIRA_S | FORMA_SINGULAR_S;
            v.flagsSubst |= SUBST_PLURAL;
            aceito = true;
            break;
        case RES_APOS_S:
            if (c == 0 || (c & CL_SUBSTANTIVO)) {
                if (c == 0) v.flagsSubst = SUBST_DESCONHECIDA | SUBST_POSSESSIVO;
                else {
                    c = CL_SUBSTANTIVO;
                    v.flagsSubst |= SUBST_POSSESSIVO;
                }
                if (clPalavra* w = PalavraPropria(t)) Cortar(w->texto, 2);
            } else {
                // "that's" is "that is"; "he's been" is "he has been".
                const clPalavra* seguinte = frase ? frase->Obter(ultimoLido + 1) : nullptr;
                const bool ele = std::strcmp(v.vocabulo, "he") == 0 || std::strcmp(v.vocabulo, "she") == 0 ||
                                 std::strcmp(v.vocabulo, "it") == 0;
                // "let's" is "let us".
                EmpilharPendente(std::strcmp(v.vocabulo, "let") == 0                        ? "us"
                                 : ele && seguinte && Igual(seguinte->texto, "been") ? "has"
                                                                                      : "is");
            }
            aceito = true;
            break;
        case RES_POSSE_PLURAL:
            if (c & CL_SUBSTANTIVO) {
                c = CL_SUBSTANTIVO;
                v.flagsSubst |= SUBST_POSSESSIVO | SUBST_PLURAL;
            } else if (c == 0) {
                v.flagsSubst |= SUBST_POSSESSIVO | SUBST_DESCONHECIDA;
            } else {
                break;
            }
            if (clPalavra* w = PalavraPropria(t)) Cortar(w->texto, 1);
            aceito = true;
            break;
        case RES_EMPILHA:
            EmpilharPendente(e.empilhar);
            aceito = true;
            break;
        }
        break;
    }

    if (!aceito) {
        t->verbete.flagsSubst = SUBST_DESCONHECIDA;
        t->verbete.classe = 0;
        return false;
    }
    std::memcpy(&t->verbete, &v, sizeof v);
    return true;
}

void clLeitor::JuntarLocucao(clTermo* t)
{
    if (guarda || !t) return;
    guarda = 1;
    const std::uint8_t mascara = t->verbete.mascaraLocucao;
    t->verbete.mascaraLocucao = 0;

    // The words after the term: those already read and those still to come.
    int restantes = topoPendentes + 1 + (frase ? frase->Ultimo() - ultimoLido : 0);
    for (const clTermo* d = t->depois; d; d = d->depois) ++restantes;
    const int limite = restantes < 7 ? restantes : 7;

    clTermo* seguintes[8] = {};
    char* chave = chaveLocucao;
    bool juntou = false;
    for (int n = limite; n >= 0 && chave; --n) {
        if (!(mascara & (1u << n))) continue;
        bool falhou = false;
        clTermo* s = t;
        for (int k = 0; k <= n; ++k) {
            s = OlharDe(1, s);
            seguintes[k] = s;
            if (!s || s->absorvidos || !s->palavra ||
                (s->verbete.classe & (CL_INTERJEICAO | CL_SIMBOLO | CL_VIRGULA | CL_PONTUACAO))) {
                falhou = true;
                break;
            }
        }
        if (falhou) continue;

        // A key is 50 bytes at most; a longer one cannot be in a dictionary.
        auto montar = [&](unsigned combinacao, bool formas) {
            const clVerbete& tv = t->verbete;
            const char* primeiro = formas && (combinacao & 1u) && tv.formaBase[0] ? tv.formaBase : tv.vocabulo;
            std::size_t usado = CopiarTexto(chave, kTamChave, primeiro);
            for (int k = 1; k <= n + 1; ++k) {
                const clTermo* w = seguintes[k - 1];
                const char* parte = w->palavra->texto;
                if (formas && (combinacao & (1u << (n + 2 - k))))
                    parte = w->verbete.formaBase[0] ? w->verbete.formaBase : w->verbete.vocabulo;
                usado = AcrescentarTexto(chave, kTamChave, "_");
                usado = AcrescentarTexto(chave, kTamChave, parte);
            }
            return usado < TAM_PALAVRA;
        };
        bool achou = false;
        if (montar(0, false)) {
            std::memcpy(trabalho, &t->verbete, sizeof(clVerbete));
            CopiarTexto(trabalho->vocabulo, TAM_PALAVRA, chave);
            achou = Procurar(trabalho);
        }
        // A combination that puts a base form where the word is already
        // written that way builds a key tried before: skip it.
        unsigned variam = 0;
        if (t->verbete.formaBase[0] && std::strcmp(t->verbete.formaBase, t->verbete.vocabulo) != 0) variam |= 1u;
        for (int k = 1; k <= n + 1; ++k) {
            const clTermo* w = seguintes[k - 1];
            const char* base = w->verbete.formaBase[0] ? w->verbete.formaBase : w->verbete.vocabulo;
            if (std::strcmp(base, w->palavra->texto) != 0) variam |= 1u << (n + 2 - k);
        }
        for (unsigned m = 1u << (n + 1); !achou && m >= 1; --m) {
            if ((m & ~variam) != 0 || !montar(m, true)) continue;
            std::memcpy(trabalho, &t->verbete, sizeof(clVerbete));
            CopiarTexto(trabalho->vocabulo, TAM_PALAVRA, chave);
            achou = Procurar(trabalho);
        }
        if (!achou) continue;
        // A verb of several words needs its first word to be a verb: after an
        // article that word is a noun ("the turn on the left", "a check for
        // updates").
        if (trabalho->classe == CL_VERBO && t->antes && t->antes->verbete.classe == CL_ARTIGO) continue;
        // "We are going to the beach": "going to" before a place is a
        // movement, not the future ("going to fix it").
        if ((trabalho->classe & CL_VERBO_AUXILIAR) && TerminaEm(chave, "going_to")) {
            const clTermo* d = OlharDe(1, seguintes[n]);
            const clVerbete* dv = d ? &d->verbete : nullptr;
            if (dv && (dv->classe == CL_ARTIGO || dv->classe == CL_SUBSTANTIVO ||
                       (dv->classe == CL_PRONOME && (dv->flagsPron & (PRON_POSSESSIVO | PRON_DEMONSTRATIVO))) ||
                       (dv->classe == 0 && d->palavra && Maiuscula(d->palavra->texto[0]) == d->palavra->texto[0] &&
                        Minuscula(d->palavra->texto[0]) != d->palavra->texto[0])))
                continue;
        }

        // The merged verb keeps what the first word's ending said: "-ing", the
        // past, and the "-s" of the third person ("Turns off the display" is a
        // description, "Desliga a tela", not an order).
        const std::uint16_t formasAntigas = t->verbete.formas & (FORMA_ING | FORMA_PASSADO | FORMA_PARTICIPIO |
                                                                 FORMA_TERCEIRA_S | FORMA_SINGULAR_S);
        std::memcpy(&t->verbete, trabalho, sizeof(clVerbete));
        t->verbete.formas |= formasAntigas;
        clTermo* ultimo = seguintes[n];
        if (!(t->verbete.flagsSubst & SUBST_NUMERO_PROPRIO))
            t->verbete.flagsSubst = static_cast<std::uint8_t>((t->verbete.flagsSubst & ~SUBST_PLURAL) |
                                                              (ultimo->verbete.flagsSubst & SUBST_PLURAL));
        t->verbete.mascaraLocucao = 0;
        if (clPalavra* w = PalavraPropria(t)) {
            CopiarTexto(w->texto, sizeof w->texto, chave);
            for (int k = 0; k <= n; ++k) w->marcas.Unir(seguintes[k]->palavra->marcas);
        }
        t->absorvidos = seguintes[0];
        t->depois = ultimo->depois;
        if (t->depois) t->depois->antes = t;
        ultimo->depois = nullptr;
        seguintes[0]->antes = nullptr;
        juntou = true;
        break;
    }
    if (!juntou && (mascara & 1u) && chave) JuntarVerboSeparado(t);
    guarda = 0;
}

void clLeitor::Idade(clTermo* t, clTermo* numero)
{
    // "He is ten years old": "Ele tem dez anos" (the entry of "have"); "old"
    // is left out.
    if (!(numero->verbete.classe & (CL_ADJETIVO | CL_SIMBOLO)) && !(numero->palavra->texto[0] >= '0' && numero->palavra->texto[0] <= '9'))
        return;
    clTermo* anos = OlharDe(1, numero);
    if (!anos || !anos->palavra || !(Igual(anos->palavra->texto, "years") || Igual(anos->palavra->texto, "year")))
        return;
    clTermo* old = OlharDe(1, anos);
    if (!old || !old->palavra || old->absorvidos || !Igual(old->palavra->texto, "old")) return;
    const std::uint16_t formas = t->verbete.formas;
    if (!TrocarEntrada(&t->verbete, "have", CL_VERBO_AUXILIAR)) return;
    t->verbete.formas = formas;
    CopiarTexto(t->verbete.formaBase, sizeof t->verbete.formaBase, "be");
    // "old" leaves the reading order and hangs from the verb.
    anos->depois = old->depois;
    if (old->depois) old->depois->antes = anos;
    old->antes = nullptr;
    old->depois = nullptr;
    t->absorvidos = old;
}

void clLeitor::SentirMuito(clTermo* t)
{
    // "I'm sorry", "We are sorry": "Eu sinto muito", "N\xF3s sentimos muito"
    // (the entry "be-sorry"), in the tense and person of the form of "be";
    // an age is told with "ter".
    const char c0 = Minuscula(t->verbete.vocabulo[0]);
    if (c0 != 'a' && c0 != 'i' && c0 != 'w') return;
    // The words still unread tell cheaply whether to read on: "sorry", or a
    // number before "years".
    if (topoPendentes >= 0 || !frase || ultimoLido + 1 > frase->Ultimo()) return;
    const char* cru1 = frase->Obter(ultimoLido + 1)->texto;
    const char* cru2 = ultimoLido + 2 <= frase->Ultimo() ? frase->Obter(ultimoLido + 2)->texto : "";
    const bool desculpa = Minuscula(cru1[0]) == 's' && Igual(cru1, "sorry");
    const bool idade = Minuscula(cru2[0]) == 'y' && (Igual(cru2, "years") || Igual(cru2, "year"));
    if (!desculpa && !idade) return;
    const bool ser = c0 == 'a'   ? TextoDe(t, "am") || TextoDe(t, "are")
                     : c0 == 'i' ? TextoDe(t, "is")
                                 : TextoDe(t, "was") || TextoDe(t, "were");
    if (!ser) return;
    clTermo* sorry = OlharDe(1, t);
    if (!sorry || !sorry->palavra || sorry->absorvidos) return;
    if (!Igual(sorry->palavra->texto, "sorry")) {
        Idade(t, sorry);
        return;
    }
    const clTermo* antes = t->antes;
    if (!antes || antes->verbete.classe != CL_PRONOME || !(antes->verbete.flagsPron & PRON_PESSOAL)) return;
    const std::uint16_t formas = t->verbete.formas;
    if (!TrocarEntrada(&t->verbete, "be-sorry", CL_VERBO)) return;
    t->verbete.formas = formas;
    CopiarTexto(t->verbete.formaBase, sizeof t->verbete.formaBase, "be");
    if (clPalavra* w = PalavraPropria(t)) w->marcas.Unir(sorry->palavra->marcas);
    t->absorvidos = sorry;
    t->depois = sorry->depois;
    if (t->depois) t->depois->antes = t;
    sorry->antes = nullptr;
    sorry->depois = nullptr;
}

void clLeitor::ThereInvertido(clTermo* t)
{
    // "Is there a problem?": the question of "there is" is "H\xE1 um problema?".
    static constexpr const char* kFormas[] = {"is", "are", "was", "were"};
    const char* forma = nullptr;
    for (const char* x : kFormas)
        if (TextoDe(t, x)) forma = x;
    if (!forma || !chaveLocucao || !trabalho) return;
    clTermo* there = OlharDe(1, t);
    if (!there || !there->palavra || there->absorvidos || !Igual(there->palavra->texto, "there")) return;
    const clTermo* depois = OlharDe(1, there);
    if (!depois || (depois->verbete.classe & (CL_PONTUACAO | CL_VIRGULA))) return;
    char* chave = chaveLocucao;
    CopiarTexto(chave, kTamChave, "there_");
    AcrescentarTexto(chave, kTamChave, forma);
    std::memcpy(trabalho, &t->verbete, sizeof(clVerbete));
    CopiarTexto(trabalho->vocabulo, TAM_PALAVRA, chave);
    if (!Procurar(trabalho)) return;
    std::memcpy(&t->verbete, trabalho, sizeof(clVerbete));
    t->verbete.mascaraLocucao = 0;
    if (clPalavra* w = PalavraPropria(t)) {
        CopiarTexto(w->texto, sizeof w->texto, chave);
        w->marcas.Unir(there->palavra->marcas);
    }
    t->absorvidos = there;
    t->depois = there->depois;
    if (t->depois) t->depois->antes = t;
    there->antes = nullptr;
    there->depois = nullptr;
}

void clLeitor::JuntarVerboSeparado(clTermo* t)
{
    // A verb of two words whose second word is an adverb particle, with its
    // object between them: a pronoun ("Turn it off") or a short noun group
    // closing the clause ("Turn the computer off."). The particle joins the
    // verb and the object follows it ("Desligue-o", "Desligue o computador").
    if (!(t->verbete.classe & CL_VERBO) || (t->antes && t->antes->verbete.classe == CL_ARTIGO)) return;
    static constexpr const char* kParticulas[] = {"off", "on", "up", "down", "out", "back", "away", "in"};
    static constexpr const char* kObjetos[] = {"it", "them", "him", "her", "me", "us"};
    static constexpr const char* kDeterminantes[] = {"the", "a", "an", "this", "that", "these", "those",
                                                     "my", "your", "his", "her", "its", "our", "their"};
    auto umDe = [](const clTermo* w, const auto& lista) {
        if (!w || !w->palavra) return false;
        for (const char* x : lista)
            if (Igual(w->palavra->texto, x)) return true;
        return false;
    };
    clTermo* s = OlharDe(1, t);
    if (!s || s->absorvidos || !s->palavra) return;
    clTermo* particula = nullptr;
    if (umDe(s, kObjetos)) {
        particula = OlharDe(1, s);
    } else if (umDe(s, kDeterminantes)) {
        // The determiner, then one to three nouns or adjectives, the last a noun.
        clTermo* w = s;
        for (int k = 0; k < 3; ++k) {
            clTermo* n = OlharDe(1, w);
            if (!n || !n->palavra || umDe(n, kParticulas) ||
                !(n->verbete.classe & (CL_SUBSTANTIVO | CL_ADJETIVO)) ||
                (n->verbete.classe & (CL_PONTUACAO | CL_VIRGULA)))
                break;
            w = n;
        }
        if (w == s || !(w->verbete.classe & CL_SUBSTANTIVO)) return;
        particula = OlharDe(1, w);
    }
    if (!umDe(particula, kParticulas) || particula->absorvidos) return;
    // After the particle the clause ends or an adverb or a conjunction
    // follows ("Turn it off when you leave"): "Put it in the box" keeps its
    // preposition.
    if (const clTermo* apos = OlharDe(1, particula)) {
        const std::uint16_t c = apos->verbete.classe;
        const bool fim = (c & (CL_PONTUACAO | CL_VIRGULA)) != 0;
        const bool livre = (c & (CL_CONJUNCAO | CL_ADVERBIO)) && !(c & (CL_ARTIGO | CL_SUBSTANTIVO | CL_SIMBOLO));
        if (!fim && !livre) return;
    }
    char* chave = chaveLocucao;
    const char* base = t->verbete.formaBase[0] ? t->verbete.formaBase : t->verbete.vocabulo;
    CopiarTexto(chave, kTamChave, base);
    AcrescentarTexto(chave, kTamChave, "_");
    const std::size_t usado = AcrescentarTexto(chave, kTamChave, particula->palavra->texto);
    if (usado >= TAM_PALAVRA) return;
    for (char* c = chave; *c; ++c) *c = Minuscula(*c);
    std::memcpy(trabalho, &t->verbete, sizeof(clVerbete));
    CopiarTexto(trabalho->vocabulo, TAM_PALAVRA, chave);
    if (!Procurar(trabalho) || trabalho->classe != CL_VERBO) return;

    const std::uint16_t formasAntigas =
        t->verbete.formas & (FORMA_ING | FORMA_PASSADO | FORMA_PARTICIPIO | FORMA_TERCEIRA_S | FORMA_SINGULAR_S);
    std::memcpy(&t->verbete, trabalho, sizeof(clVerbete));
    t->verbete.formas |= formasAntigas;
    t->verbete.mascaraLocucao = 0;
    if (clPalavra* w = PalavraPropria(t)) {
        CopiarTexto(w->texto, sizeof w->texto, chave);
        w->marcas.Unir(particula->palavra->marcas);
    }
    // The particle leaves the reading order and hangs from the verb.
    clTermo* antes = particula->antes;
    antes->depois = particula->depois;
    if (particula->depois) particula->depois->antes = antes;
    particula->antes = nullptr;
    particula->depois = nullptr;
    t->absorvidos = particula;
}

void clLeitor::AgruparDesconhecidas(clTermo* t)
{
    const clTermo* p = t->antes;
    if (p && p->verbete.classe == 0 && !(p->verbete.flagsSubst & SUBST_POSSESSIVO)) return;
    if (t->pai) return;

    clTermo* g = NovoTermo(arena);
    clPalavra* w = g ? NovaPalavra(t->palavra, "") : nullptr;
    if (!g || !w) {
        semMemoria = true;
        return;
    }
    g->palavra = w;
    g->criada = 1;
    w->aplicarCaixa = 0;
    g->verbete.classe = CL_SUBSTANTIVO;
    g->verbete.flagsSubst = SUBST_ARTIGO;

    clTermo* ultimo = nullptr;
    clTermo* s = t;
    while (s) {
        s->pai = g;
        if (!ultimo) g->filhos = s;
        else {
            ultimo->proximo = s;
            s->anterior = ultimo;
            AcrescentarTexto(w->texto, sizeof w->texto, "_");
        }
        AcrescentarTexto(w->texto, sizeof w->texto, s->palavra->texto);
        if (s != t) w->marcas.Unir(s->palavra->marcas);
        ultimo = s;
        if (s->verbete.flagsSubst & SUBST_POSSESSIVO) break;
        clTermo* n = OlharDe(1, s);
        // The next term may itself be the group when a read further on came
        // back through it; only plain unknown words join.
        if (!n || n->verbete.classe != 0 || n->pai || n == g) break;
        s = n;
    }
    g->verbete.flagsSubst = static_cast<std::uint8_t>(g->verbete.flagsSubst | ultimo->verbete.flagsSubst);
    CopiarTexto(g->verbete.vocabulo, sizeof g->verbete.vocabulo, w->texto);

    g->antes = t->antes;
    if (g->antes) g->antes->depois = g;
    g->depois = ultimo->depois;
    if (g->depois) g->depois->antes = g;
    t->antes = nullptr;
    ultimo->depois = nullptr;
    if (atual == t) atual = g;
}

void clLeitor::SepararHifen(clTermo* t)
{
    t->verbete.classe = CL_ADJETIVO;
    t->verbete.flagsAdj = ADJ_HIFEN;
    t->verbete.flagsSubst = 0;
    t->tempo = TEMPO_PARTICIPIO;

    const char* texto = t->palavra->texto;
    clTermo* ultimo = nullptr;
    const char* p = texto;
    while (*p) {
        const char* fim = std::strchr(p, '-');
        if (!fim) fim = p + std::strlen(p);
        const std::size_t n = static_cast<std::size_t>(fim - p);
        if (n > 0) {
            char parte[kTamPalavra];
            const std::size_t copia = n < sizeof parte - 1 ? n : sizeof parte - 1;
            std::memcpy(parte, p, copia);
            parte[copia] = '\0';
            clTermo* f = NovoTermo(arena);
            clPalavra* w = f ? NovaPalavra(t->palavra, parte) : nullptr;
            if (!f || !w) {
                semMemoria = true;
                return;
            }
            f->palavra = w;
            f->criada = 1;
            f->pai = t;
            CopiarTexto(f->verbete.vocabulo, sizeof f->verbete.vocabulo, parte);
            if (!Procurar(&f->verbete)) AnalisarMorfologia(f);
            const std::uint16_t c = f->verbete.classe;
            if (c == 0) {
                if (estatistica) estatistica->Desconhecida(parte);
                w->aplicarCaixa = 0;
            } else {
                if (!(c & (CL_SIMBOLO | CL_VIRGULA | CL_PONTUACAO)) && estatistica) estatistica->Conhecida();
                if (c == CL_ADJETIVO || c == (CL_ADJETIVO | CL_SUBSTANTIVO)) f->verbete.classe = CL_ADJETIVO;
                // A part that is a noun and a verb names a thing ("Xach-Effect").
                else if (c == (CL_SUBSTANTIVO | CL_VERBO) &&
                         !(f->verbete.formas & (FORMA_ING | FORMA_PASSADO | FORMA_PARTICIPIO)))
                    f->verbete.classe = CL_SUBSTANTIVO;
            }
            if (ultimo) {
                ultimo->proximo = f;
                f->anterior = ultimo;
            } else {
                t->filhos = f;
            }
            ultimo = f;
        }
        p = *fim ? fim + 1 : fim;
    }
}

bool clLeitor::BuscarBase(clTermo* b)
{
    if (Procurar(&b->verbete)) return true;
    const std::int16_t topo = topoPendentes;
    const bool achou = AnalisarMorfologia(b);
    if (topoPendentes != topo) {
        topoPendentes = topo;
        return false;
    }
    return achou;
}

bool clLeitor::Prefixada(clTermo* t)
{
    if (!t->palavra || !arena) return false;
    const char* texto = t->palavra->texto;
    const char* hifen = std::strchr(texto, '-');
    if (!hifen) return false;
    const char* resto = hifen + 1;
    const std::size_t tamPrefixo = static_cast<std::size_t>(hifen - texto);
    const clPrefixo* p = ProcurarPrefixo(texto, tamPrefixo);
    // One plain word of two letters or more after the prefix: no second
    // hyphen, no apostrophe ("Ultra-X" is a name).
    if (!p || FormaPalavra(resto) != 1 || std::strpbrk(resto, "-_") || Letras(resto) < 2) return false;
    // A command-line option ("--post-data") is no word.
    if (!t->palavra->espacoAntes && !t->criada && ultimoLido > 0) {
        const clPalavra* antes = frase->Obter(ultimoLido - 1);
        const std::size_t n = antes ? std::strlen(antes->texto) : 0;
        if (n > 0 && antes->texto[n - 1] == '-') return false;
    }

    clTermo* b = NovoTermo(arena);
    clPalavra* w = b ? NovaPalavra(t->palavra, resto) : nullptr;
    if (!b || !w) {
        semMemoria = true;
        return false;
    }
    b->palavra = w;
    b->criada = 1;
    constexpr std::uint16_t kConteudo = CL_VERBO | CL_SUBSTANTIVO | CL_ADJETIVO | CL_ADVERBIO;

    // "re" before a vowel is hyphenated to be read ("re-enter"), never to
    // tell two words apart ("re-sign", "resign"): "re-entrant" is "reentrant".
    if (p->juntaIngles || (std::strcmp(p->ingles, "re") == 0 && Vogal(Minuscula(resto[0])))) {
        char junta[kTamPalavra];
        std::memcpy(junta, texto, tamPrefixo);
        CopiarTexto(junta + tamPrefixo, sizeof junta - tamPrefixo, resto);
        CopiarTexto(w->texto, sizeof w->texto, junta);
        CopiarTexto(b->verbete.vocabulo, sizeof b->verbete.vocabulo, junta);
        if (BuscarBase(b) && (b->verbete.classe & kConteudo)) {
            std::memcpy(&t->verbete, &b->verbete, sizeof t->verbete);
            BaseComMaiusculas(t, resto);
            // "multi-user system": "sistema multiusu\xE1rio", the same for every noun.
            if (p->adjetivoDeNome && t->verbete.classe == CL_SUBSTANTIVO) {
                t->verbete.classe |= CL_ADJETIVO;
                t->verbete.flagsAdj |= ADJ_INVARIAVEL_GENERO | ADJ_INVARIAVEL_NUMERO;
            }
            return true;
        }
        LimparVerbete(&b->verbete);
        CopiarTexto(w->texto, sizeof w->texto, resto);
    }

    CopiarTexto(b->verbete.vocabulo, sizeof b->verbete.vocabulo, resto);
    if (!BuscarBase(b)) return false;
    clVerbete& v = b->verbete;
    std::uint16_t classe = static_cast<std::uint16_t>(v.classe & p->classes);
    // A participle is an adjective too ("semi-compressed": "semicompactado").
    if ((p->classes & CL_ADJETIVO) && (v.classe & CL_VERBO) && (v.formas & FORMA_PARTICIPIO))
        classe |= CL_VERBO;
    if (!classe) return false;
    const clPrefixo* q = p;
    if (EhPrefixoUn(*p) && (!(classe & CL_VERBO) || (v.formas & FORMA_PARTICIPIO))) q = &PrefixoNao();
    std::uint8_t flagsAdj = static_cast<std::uint8_t>(v.flagsAdj & ~ADJ_ANTEPOSTO);
    if (p->adjetivoDeNome && (classe & CL_SUBSTANTIVO)) {
        if (!(classe & CL_ADJETIVO)) flagsAdj |= ADJ_INVARIAVEL_GENERO | ADJ_INVARIAVEL_NUMERO;
        classe = static_cast<std::uint16_t>((classe & ~CL_VERBO) | CL_ADJETIVO);
    }

    // Every translation takes the prefix; the conditions stay as they are.
    char novo[TAM_BLOCO_TRADUCOES];
    char traducao[TAM_BLOCO_TRADUCOES];
    char feita[TAM_BLOCO_TRADUCOES];
    const char* velho = v.blocoTraducoes;
    const std::size_t tam = v.tamTraducoes < sizeof v.blocoTraducoes ? v.tamTraducoes : sizeof v.blocoTraducoes - 1;
    std::size_t k = 0;
    std::size_t pos = 0;
    int feitas = 0;
    while (pos < tam) {
        const std::size_t lt = strnlen(velho + pos, tam - pos);
        const std::size_t pc = pos + lt + 1;
        const std::size_t lc = pc < tam ? strnlen(velho + pc, tam - pc) : 0;
        if (lt == 0 && lc == 0) break;
        std::memcpy(traducao, velho + pos, lt);
        traducao[lt] = '\0';
        feita[0] = '\0';
        if (lt > 0 && !PrefixarTraducao(*q, traducao, feita, sizeof feita)) return false;
        const std::size_t lf = std::strlen(feita);
        // The translation, its condition, their two NULs and the block's last NUL.
        if (lf + lc + 3 > sizeof novo - k) return false;
        std::memcpy(novo + k, feita, lf);
        k += lf;
        novo[k++] = '\0';
        std::memcpy(novo + k, velho + pc, lc);
        k += lc;
        novo[k++] = '\0';
        if (lf > 0) ++feitas;
        pos = pc + lc + 1;
    }
    if (feitas == 0) return false;
    novo[k] = '\0';

    std::memcpy(&t->verbete, &v, sizeof t->verbete);
    t->verbete.classe = classe;
    t->verbete.flagsAdj = flagsAdj;
    t->verbete.flagsSubst = static_cast<std::uint8_t>(t->verbete.flagsSubst & ~SUBST_DESCONHECIDA);
    t->verbete.mascaraLocucao = 0;
    std::memcpy(t->verbete.blocoTraducoes, novo, k + 1);
    t->verbete.tamTraducoes = static_cast<std::uint16_t>(k);
    BaseComMaiusculas(t, resto);
    return true;
}

// "non-ASCII", "pre-Linux": a base written with capitals is a name, which
// keeps the dictionary's spelling whatever the case of the prefix and does
// not inflect; its translations are written as they stand, marks gone.
void clLeitor::BaseComMaiusculas(clTermo* t, const char* resto)
{
    const char c = resto[0];
    if (Maiuscula(c) != c || Minuscula(c) == c || TodasMaiusculas(t->palavra->texto)) return;
    clPalavra* w = PalavraPropria(t);
    if (!w) return;
    w->aplicarCaixa = 0;
    clVerbete& v = t->verbete;
    const std::size_t tam = v.tamTraducoes < sizeof v.blocoTraducoes ? v.tamTraducoes : sizeof v.blocoTraducoes - 1;
    std::size_t j = 0;
    bool traducao = true;  // translation and condition fields alternate
    for (std::size_t i = 0; i < tam; ++i) {
        const char b = v.blocoTraducoes[i];
        if (b == '\0') traducao = !traducao;
        else if (traducao && b == '/') continue;
        v.blocoTraducoes[j++] = traducao && b == '_' ? ' ' : b;
    }
    v.blocoTraducoes[j] = '\0';
    v.tamTraducoes = static_cast<std::uint16_t>(j);
}
