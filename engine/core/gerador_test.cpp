#include "core/gerador.h"

#include <gtest/gtest.h>

#include <cstring>
#include <deque>
#include <initializer_list>
#include <string>

#include "core/motor.h"
#include "dictionary/arena.h"
#include "testes/apoio.h"

namespace {

// Analysis trees built by hand, as the parser leaves them.
class Arvore {
public:
    // A word term; `traducoes` alternates translation and condition (the
    // last condition may be left out).
    clTermo* Palavra(const char* texto, std::uint16_t classe, std::initializer_list<const char*> traducoes = {},
                     bool espaco = true)
    {
        clPalavra& p = palavras.emplace_back();
        std::strcpy(p.texto, texto);
        p.Classificar();
        p.espacoAntes = espaco;
        clTermo& t = termos.emplace_back();
        t.palavra = &p;
        std::strcpy(t.verbete.vocabulo, texto);
        for (char* c = t.verbete.vocabulo; *c; ++c) *c = static_cast<char>(std::tolower(*c));
        t.verbete.classe = classe;
        std::size_t n = 0;
        for (const char* s : traducoes) {
            const std::size_t l = std::strlen(s);
            std::memcpy(t.verbete.blocoTraducoes + n, s, l + 1);
            n += l + 1;
        }
        t.verbete.tamTraducoes = static_cast<std::uint16_t>(n);
        if (anterior) {
            anterior->depois = &t;
            t.antes = anterior;
        }
        anterior = &t;
        return &t;
    }

    clTermo* Grupo(std::uint16_t classe)
    {
        clTermo& t = termos.emplace_back();
        t.verbete.classe = classe;
        return &t;
    }

    // A noun group of determiners, modifiers and a head, as the parser closes it.
    clTermo* GrupoNominal(std::initializer_list<clTermo*> dets, std::initializer_list<clTermo*> mods, clTermo* nucleo)
    {
        clTermo* g = Grupo(CL_GRUPO_NOMINAL);
        g->tempo = 25;
        g->filhos = nucleo;
        g->regente = nucleo;
        nucleo->pai = g;
        Encadear(dets, g, nucleo, &g->determinantes);
        Encadear(mods, g, nucleo, &g->modificadores);
        return g;
    }

    clTermo* GrupoVerbal(int tempo, clTermo* sujeito, std::initializer_list<clTermo*> filhos, clTermo* verbo)
    {
        clTermo* g = Grupo(CL_GRUPO_VERBAL);
        g->tempo = static_cast<std::uint16_t>(tempo);
        g->regente = sujeito;
        g->verbo = verbo;
        verbo->pai = g;
        Encadear(filhos, g, nullptr, &g->filhos);
        return g;
    }

    // The top-level chain.
    clTermo* Cadeia(std::initializer_list<clTermo*> termos)
    {
        clTermo* primeiro = nullptr;
        clTermo* ant = nullptr;
        for (clTermo* t : termos) {
            if (!primeiro) primeiro = t;
            if (ant) ant->proximo = t;
            t->anterior = ant;
            ant = t;
        }
        return primeiro;
    }

private:
    void Encadear(std::initializer_list<clTermo*> lista, clTermo* grupo, clTermo* regente, clTermo** inicio)
    {
        clTermo* ant = nullptr;
        for (clTermo* t : lista) {
            t->pai = grupo;
            if (regente) t->regente = regente;
            if (!*inicio) *inicio = t;
            if (ant) ant->proximo = t;
            t->anterior = ant;
            ant = t;
        }
    }

    std::deque<clPalavra> palavras;
    std::deque<clTermo> termos;
    clTermo* anterior = nullptr;
};

class Geracao : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(GarantirMotor()); }

    std::string Gerar(clTermo* primeiro)
    {
        clGerador g(&saida, &Motor().verbos);
        GerarFrase(g, primeiro, &saida, &Motor().verbos, nullptr);
        char texto[2048];
        saida.Texto(texto, sizeof texto);
        return texto[0] == ' ' ? std::string(texto + 1) : std::string(texto);
    }

    std::string Traducao(clTermo* t)
    {
        clGerador g(&saida, &Motor().verbos);
        return EscolherTraducao(g, t);
    }

    clArena arena{4096};
    clFrase saida{150, &arena};
    Arvore a;
};

clTermo* Nome(Arvore& a, const char* texto, const char* traducao, std::uint8_t flags)
{
    clTermo* t = a.Palavra(texto, CL_SUBSTANTIVO, {traducao});
    t->verbete.flagsSubst = flags;
    return t;
}

clTermo* Artigo(Arvore& a, const char* texto = "the")
{
    clTermo* t = a.Palavra(texto, CL_ARTIGO, {"o"});
    t->verbete.flagsArtigo = 2;
    return t;
}

TEST_F(Geracao, PreposicaoContraiComArtigo)
{
    clTermo* of = a.Palavra("of", CL_PREPOSICAO, {"de"});
    clTermo* casa = Nome(a, "house", "casa", SUBST_FEMININO | SUBST_ARTIGO);
    EXPECT_EQ(Gerar(a.Cadeia({of, a.GrupoNominal({Artigo(a)}, {}, casa)})), "da casa");

    Arvore b;
    clTermo* in = b.Palavra("in", CL_PREPOSICAO, {"em"});
    clTermo* isto = b.Palavra("this", CL_PRONOME, {"este"});
    isto->verbete.flagsPron = PRON_DEMONSTRATIVO;
    clTermo* livro = Nome(b, "book", "livro", SUBST_ARTIGO);
    EXPECT_EQ(Gerar(b.Cadeia({in, b.GrupoNominal({isto}, {}, livro)})), "neste livro");
}

TEST_F(Geracao, ParaEPorComArtigo)
{
    struct Caso {
        const char* prep;
        const char* trad;
        std::uint8_t flags;
        const char* esperado;
    } casos[] = {
        {"to", "para", 0, "ao carro"},       {"to", "para", SUBST_FEMININO, "\xE0 carro"},
        {"by", "por", 0, "pelo carro"},      {"by", "por", SUBST_FEMININO, "pela carro"},
        {"to", "para", SUBST_PLURAL, "aos carros"},
    };
    for (const auto& c : casos) {
        Arvore b;
        clTermo* p = b.Palavra(c.prep, CL_PREPOSICAO, {c.trad});
        clTermo* n = Nome(b, "car", "carro", c.flags);
        EXPECT_EQ(Gerar(b.Cadeia({p, b.GrupoNominal({Artigo(b)}, {}, n)})), c.esperado) << c.prep;
    }
}

TEST_F(Geracao, ArtigoAcrescentadoDepoisDePreposicao)
{
    // "in house": a noun that takes the article gets one after "in", none after "of" or "by".
    for (const char* prep : {"in", "of", "by"}) {
        Arvore b;
        clTermo* p = b.Palavra(prep, CL_PREPOSICAO, {std::strcmp(prep, "in") == 0 ? "em" : "de"});
        clTermo* n = Nome(b, "house", "casa", SUBST_FEMININO | SUBST_ARTIGO);
        const std::string r = Gerar(b.Cadeia({p, b.GrupoNominal({}, {}, n)}));
        EXPECT_EQ(r, std::strcmp(prep, "in") == 0 ? "na casa" : "de casa") << prep;
    }
    // Not for a noun without the article bit.
    Arvore b;
    clTermo* p = b.Palavra("in", CL_PREPOSICAO, {"em"});
    clTermo* n = Nome(b, "Paris", "Paris", 0);
    EXPECT_EQ(Gerar(b.Cadeia({p, b.GrupoNominal({}, {}, n)})), "em Paris");
    // After an infinitive verb group.
    Arvore c;
    clTermo* ver = c.Palavra("see", CL_VERBO, {"ver"});
    clTermo* gv = c.GrupoVerbal(TEMPO_INFINITIVO, nullptr, {}, ver);
    clTermo* mar = Nome(c, "sea", "mar", SUBST_ARTIGO);
    EXPECT_EQ(Gerar(c.Cadeia({gv, c.GrupoNominal({}, {}, mar)})), "ver o mar");
}

TEST_F(Geracao, AdjetivoDepoisDoNomeEConcordancia)
{
    clTermo* the = Artigo(a);
    clTermo* red = a.Palavra("red", CL_ADJETIVO, {"vermelho"});
    clTermo* cars = Nome(a, "cars", "carro", SUBST_PLURAL | SUBST_ARTIGO);
    EXPECT_EQ(Gerar(a.Cadeia({a.GrupoNominal({the}, {red}, cars)})), "os carros vermelhos");

    // Two adjectives come out in reverse English order; the invariable one keeps its form.
    Arvore b;
    clTermo* big = b.Palavra("big", CL_ADJETIVO, {"grande"});
    clTermo* pink = b.Palavra("pink", CL_ADJETIVO, {"rosa"});
    pink->verbete.flagsAdj = ADJ_INVARIAVEL_GENERO | ADJ_INVARIAVEL_NUMERO;
    clTermo* casas = Nome(b, "houses", "casa", SUBST_PLURAL | SUBST_FEMININO);
    EXPECT_EQ(Gerar(b.Cadeia({b.GrupoNominal({Artigo(b)}, {big, pink}, casas)})), "as casas rosa grandes");

    // An adjective placed before the noun keeps its place.
    Arvore c;
    clTermo* bom = c.Palavra("good", CL_ADJETIVO, {"bom"});
    bom->verbete.flagsAdj = ADJ_ANTEPOSTO;
    clTermo* dia = Nome(c, "day", "dia", 0);
    EXPECT_EQ(Gerar(c.Cadeia({c.GrupoNominal({bom}, {}, dia)})), "bom dia");
}

TEST_F(Geracao, ModificadoresNominaisComDe)
{
    clTermo* computer = Nome(a, "computer", "computador", 0);
    clTermo* science = Nome(a, "science", "ci\xEAncia", 0);
    clTermo* dep = Nome(a, "department", "departamento", 0);
    EXPECT_EQ(Gerar(a.Cadeia({a.GrupoNominal({}, {computer, science}, dep)})),
              "departamento de ci\xEAncia de computador");

    // A possessive group used as a modifier: "the man's car" -> "carro do homem".
    Arvore b;
    clTermo* the = Artigo(b);
    clTermo* man = Nome(b, "man", "homem", SUBST_ARTIGO | SUBST_POSSESSIVO);
    clTermo* posse = b.GrupoNominal({the}, {}, man);
    clTermo* car = Nome(b, "car", "carro", SUBST_ARTIGO);
    clTermo* grupo = b.GrupoNominal({}, {posse}, car);
    posse->regente = car;
    EXPECT_EQ(Gerar(b.Cadeia({grupo})), "carro do homem");
}

TEST_F(Geracao, GruposVerbais)
{
    struct Caso {
        int tempo;
        const char* sujeito;
        std::uint16_t pessoa;
        const char* aux;  // nullptr: no auxiliary left in the group
        const char* auxTrad;
        const char* verbo;
        const char* verboTrad;
        std::uint16_t formas;
        const char* esperado;
    } casos[] = {
        {TEMPO_PRESENTE_CONTINUO, "she", PRON_PESSOA3, "is", "/ser/", "working", "trabalhar", FORMA_ING,
         "ela est\xE1 trabalhando"},
        // The present perfect is a finished action: the preterite, "have" left out.
        {TEMPO_PERFEITO, "they", PRON_PESSOA6, "have", "ter", "worked", "trabalhar", FORMA_PARTICIPIO,
         "eles trabalharam"},
        {TEMPO_FUTURO, "he", PRON_PESSOA3, nullptr, nullptr, "work", "trabalhar", 0, "ele trabalhar\xE1"},
        {TEMPO_PASSADO, "i", PRON_PESSOA1, nullptr, nullptr, "worked", "trabalhar", FORMA_PASSADO,
         "eu trabalhei"},
        {TEMPO_PASSADO_CONTINUO, "we", PRON_PESSOA4, "were", "ser", "working", "trabalhar", FORMA_ING,
         "n\xF3s est\xE1vamos trabalhando"},
        {TEMPO_PERFEITO_CONTINUO, "he", PRON_PESSOA3, "has", "ter", "making", "fazer", FORMA_ING,
         "ele tem feito"},
        {TEMPO_MAIS_QUE_PERFEITO, "he", PRON_PESSOA3, "had", "ter", "made", "fazer", FORMA_PARTICIPIO,
         "ele tinha feito"},
        {TEMPO_IR_PRESENTE, "he", PRON_PESSOA3, "is_going_to", "/ir/", "go", "ir", 0, "ele vai ir"},
        {TEMPO_FUTURO_PERFEITO, "he", PRON_PESSOA3, "have", "ter", "made", "fazer", FORMA_PARTICIPIO,
         "ele ter\xE1 feito"},
        {TEMPO_PODER, "you", PRON_PESSOA2, "can", "poder", "go", "ir", 0, "voc\xEA podes ir"},
        {TEMPO_DEVER, "he", PRON_PESSOA3, "must", "dever", "go", "ir", 0, "ele deve ir"},
        {TEMPO_CONDICIONAL, "he", PRON_PESSOA3, "should", "/dever/", "go", "ir", 0, "ele deveria ir"},
        // "would" before the main verb is that verb's conditional, with no word of its own.
        {TEMPO_CONDICIONAL, "he", PRON_PESSOA3, "would", "ir", "open", "abrir", 0, "ele abriria"},
        {TEMPO_IMPERATIVO, nullptr, 0, nullptr, nullptr, "open", "abrir", 0, "abra"},
        {TEMPO_GERUNDIO, nullptr, 0, nullptr, nullptr, "working", "trabalhar", FORMA_ING, "trabalhando"},
        {TEMPO_INFINITIVO, nullptr, 0, nullptr, nullptr, "work", "trabalhar", 0, "trabalhar"},
        // An auxiliary the table does not know is written as a modal, never dropped.
        {TEMPO_DESCONHECIDO, "he", PRON_PESSOA3, "may", "poder", "go", "ir", 0, "ele pode ir"},
    };
    for (const auto& c : casos) {
        Arvore b;
        clTermo* s = nullptr;
        clTermo* grupoS = nullptr;
        if (c.sujeito) {
            s = b.Palavra(c.sujeito, CL_PRONOME, {c.sujeito[0] == 's' ? "ela" : c.sujeito[0] == 't' ? "eles"
                                                   : c.sujeito[0] == 'i'   ? "eu"
                                                   : c.sujeito[0] == 'w'   ? "n\xF3s"
                                                   : c.sujeito[0] == 'y'   ? "voc\xEA"
                                                                           : "ele"});
            s->verbete.flagsPron = static_cast<std::uint16_t>(PRON_PESSOAL | c.pessoa);
            grupoS = b.GrupoNominal({}, {}, s);
        }
        std::initializer_list<clTermo*> vazio = {};
        clTermo* aux = nullptr;
        if (c.aux) {
            aux = b.Palavra(c.aux, CL_VERBO_AUXILIAR, {c.auxTrad});
        }
        clTermo* v = b.Palavra(c.verbo, CL_VERBO, {c.verboTrad});
        v->verbete.formas = c.formas;
        clTermo* gv = aux ? b.GrupoVerbal(c.tempo, s, {aux}, v) : b.GrupoVerbal(c.tempo, s, vazio, v);
        clTermo* primeiro = grupoS ? b.Cadeia({grupoS, gv}) : b.Cadeia({gv});
        EXPECT_EQ(Gerar(primeiro), c.esperado) << "tempo " << c.tempo;
    }
}

TEST_F(Geracao, PassivaConcordaComOSujeito)
{
    // "the houses were sold"
    clTermo* casas = Nome(a, "houses", "casa", SUBST_PLURAL | SUBST_FEMININO | SUBST_ARTIGO);
    clTermo* gn = a.GrupoNominal({Artigo(a)}, {}, casas);
    clTermo* were = a.Palavra("were", CL_VERBO_AUXILIAR, {"/ser/"});
    were->verbete.formas = 0x0100;
    clTermo* sold = a.Palavra("sold", CL_VERBO, {"vender"});
    sold->verbete.formas = FORMA_PARTICIPIO | FORMA_PASSIVA;
    clTermo* gv = a.GrupoVerbal(TEMPO_PASSIVA_PASSADO, casas, {were}, sold);
    EXPECT_EQ(Gerar(a.Cadeia({gn, gv})), "as casas foram vendidas");

    // "it can be done": "can" stays "poder", "be" becomes "ser" unconjugated;
    // the subject "it" has no Portuguese word.
    Arvore b;
    clTermo* it = b.Palavra("it", CL_PRONOME, {"ele"});
    it->verbete.flagsPron = PRON_PESSOAL | PRON_PESSOA3;
    clTermo* gs = b.GrupoNominal({}, {}, it);
    clTermo* can = b.Palavra("can", CL_VERBO_AUXILIAR, {"poder"});
    clTermo* be = b.Palavra("be", CL_VERBO_AUXILIAR, {"/ser/"});
    clTermo* done = b.Palavra("done", CL_VERBO, {"fazer"});
    done->verbete.formas = FORMA_PARTICIPIO;
    clTermo* gv2 = b.GrupoVerbal(TEMPO_PODER_SER, it, {can, be}, done);
    EXPECT_EQ(Gerar(b.Cadeia({gs, gv2})), "pode ser feito");
}

TEST_F(Geracao, NegacaoEPerguntaAuxiliar)
{
    // "Is it not red?" style: the question auxiliary, then the negation, then the verb.
    clTermo* does = a.Palavra("does", CL_VERBO_AUXILIAR, {"fazer"});
    clTermo* he = a.Palavra("he", CL_PRONOME, {"ele"});
    he->verbete.flagsPron = PRON_PESSOAL | PRON_PESSOA3;
    clTermo* gs = a.GrupoNominal({}, {}, he);
    clTermo* nao = a.Palavra("not", CL_ADVERBIO, {"n\xE3o"});
    clTermo* work = a.Palavra("work", CL_VERBO, {"trabalhar"});
    clTermo* gv = a.GrupoVerbal(TEMPO_PRESENTE, he, {}, work);
    gv->auxiliar = does;  // code 1 never writes it
    gv->negacao = nao;
    EXPECT_EQ(Gerar(a.Cadeia({gs, gv})), "ele n\xE3o trabalha");

    Arvore b;
    clTermo* is = b.Palavra("is", CL_VERBO_AUXILIAR, {"/ser/"});
    clTermo* she = b.Palavra("she", CL_PRONOME, {"ela"});
    she->verbete.flagsPron = PRON_PESSOAL | PRON_PESSOA3;
    clTermo* gs2 = b.GrupoNominal({}, {}, she);
    clTermo* working = b.Palavra("working", CL_VERBO, {"trabalhar"});
    working->verbete.formas = FORMA_ING;
    clTermo* gv2 = b.GrupoVerbal(TEMPO_PRESENTE_CONTINUO, she, {}, working);
    gv2->auxiliar = is;
    EXPECT_EQ(Gerar(b.Cadeia({gs2, gv2})), "ela est\xE1 trabalhando");
}

TEST_F(Geracao, AdverbiosEmMente)
{
    clTermo* quickly = a.Palavra("quickly", CL_ADVERBIO, {"r\xE1pido"});
    quickly->verbete.flagsAdj = ADJ_ADVERBIO_LY;
    clTermo* e = a.Palavra("and", CL_CONJUNCAO, {"e"});
    clTermo* happily = a.Palavra("happily", CL_ADVERBIO, {"feliz"});
    happily->verbete.flagsAdj = ADJ_ADVERBIO_LY;
    clTermo* simply = a.Palavra("simply", CL_ADVERBIO, {"/simples/"});
    simply->verbete.flagsAdj = ADJ_ADVERBIO_LY;
    EXPECT_EQ(Gerar(a.Cadeia({quickly, e, happily, simply})), "rapidamente e felizmente simplesmente");
    // An adverb of the dictionary stays as it is.
    Arvore b;
    clTermo* bem = b.Palavra("well", CL_ADVERBIO, {"bem"});
    EXPECT_EQ(Traducao(bem), "bem");
}

TEST_F(Geracao, ComparativoESuperlativo)
{
    clTermo* taller = a.Palavra("taller", CL_ADJETIVO, {"alto"});
    taller->verbete.flagsAdj = ADJ_COMPARATIVO;
    EXPECT_EQ(Traducao(taller), "mais_/alto/");
    clTermo* casa = Nome(a, "house", "casa", SUBST_FEMININO);
    clTermo* tallest = a.Palavra("tallest", CL_ADJETIVO, {"alto"});
    tallest->verbete.flagsAdj = ADJ_SUPERLATIVO;
    tallest->regente = casa;
    EXPECT_EQ(Traducao(tallest), "/a/_mais_/alta/");
    // "grande", "pequeno", "bom", "ruim" have comparatives of their own:
    // "mais grande" is no Portuguese.
    clTermo* bigger = a.Palavra("bigger", CL_ADJETIVO, {"grande"});
    bigger->verbete.flagsAdj = ADJ_COMPARATIVO;
    EXPECT_EQ(Traducao(bigger), "/maior/");
    clTermo* biggest = a.Palavra("biggest", CL_ADJETIVO, {"grande"});
    biggest->verbete.flagsAdj = ADJ_SUPERLATIVO;
    biggest->regente = casa;
    EXPECT_EQ(Traducao(biggest), "/a/_/maior/");
    clTermo* smaller = a.Palavra("smaller", CL_ADJETIVO, {"/pequeno/"});
    smaller->verbete.flagsAdj = ADJ_COMPARATIVO;
    EXPECT_EQ(Traducao(smaller), "/menor/");
    clTermo* newest = a.Palavra("newest", CL_ADJETIVO, {"/novo/"});
    newest->verbete.flagsAdj = ADJ_SUPERLATIVO;
    newest->regente = casa;
    EXPECT_EQ(Traducao(newest), "/a/_mais_/nova/");
}

TEST_F(Geracao, SemTraducaoOuSemCondicao)
{
    // No condition holds: "???", still inflected as the class says.
    clTermo* casas = Nome(a, "houses", "casa", SUBST_PLURAL);
    clTermo* w = a.Palavra("bank", CL_SUBSTANTIVO, {"banco", "+V", "margem", "+A"});
    w->verbete.flagsSubst = SUBST_PLURAL;
    w->depois = casas;
    EXPECT_EQ(Traducao(w), "???s");
    clTermo* adj = a.Palavra("odd", CL_ADJETIVO, {"raro", "*N"});
    EXPECT_EQ(Traducao(adj), "???");
    // No translation at all: the English word as written.
    clTermo* x = a.Palavra("Zorbix", CL_SUBSTANTIVO);
    EXPECT_EQ(Traducao(x), "Zorbix");
    // An unknown word is written unchanged.
    Arvore b;
    clTermo* u = b.Palavra("Qwerty", CL_DESCONHECIDA);
    EXPECT_EQ(Gerar(b.Cadeia({u})), "Qwerty");
}

TEST_F(Geracao, PrimeiraPalavraLevaOEspacoDaOrigem)
{
    // "Do you like it?": "Do" is not written; "you" had a blank, the sentence did not.
    Arvore b;
    clTermo* doq = b.Palavra("Do", CL_VERBO_AUXILIAR, {"fazer"}, false);
    clTermo* you = b.Palavra("you", CL_PRONOME, {"voc\xEA"});
    you->verbete.flagsPron = PRON_PESSOAL | PRON_PESSOA3;
    clTermo* gs = b.GrupoNominal({}, {}, you);
    clTermo* like = b.Palavra("like", CL_VERBO, {"gostar"});
    clTermo* gv = b.GrupoVerbal(TEMPO_PRESENTE, you, {}, like);
    gv->auxiliar = doq;
    clTermo* q = b.Palavra("?", CL_PONTUACAO, {}, false);
    for (std::uint8_t espaco : {0, 1}) {
        doq->palavra->espacoAntes = espaco;
        clGerador g(&saida, &Motor().verbos);
        GerarFrase(g, b.Cadeia({gs, gv, q}), &saida, &Motor().verbos, doq->palavra);
        ASSERT_EQ(saida.Ultimo(), 2);
        EXPECT_EQ(saida.Obter(0)->espacoAntes, espaco);
        EXPECT_EQ(saida.Obter(1)->espacoAntes, 1);
        EXPECT_EQ(saida.Obter(2)->espacoAntes, 0);
        char texto[256];
        saida.Texto(texto, sizeof texto);
        EXPECT_EQ(std::string(texto), std::string(espaco ? " " : "") + "voc\xEA gosta?");
    }
}

TEST_F(Geracao, CapitalDaFraseVaiParaAPrimeiraPalavraEscrita)
{
    // "Red cars": the sentence's first word comes out second and loses the
    // sentence's capital, which goes to the word now first.
    Arvore b;
    clTermo* red = b.Palavra("Red", CL_ADJETIVO, {"vermelho"}, false);
    clTermo* cars = Nome(b, "cars", "carro", SUBST_PLURAL);
    clTermo* gn = b.GrupoNominal({}, {red}, cars);
    clTermo* ponto = b.Palavra(".", CL_PONTUACAO, {}, false);
    clFrase origem{10, &arena};
    origem.Acrescentar(*red->palavra);
    origem.Acrescentar(*cars->palavra);
    ASSERT_TRUE(GerarTraducao(b.Cadeia({gn, ponto}), origem, saida, &Motor().verbos));
    char texto[256];
    saida.Texto(texto, sizeof texto);
    EXPECT_EQ(std::string(texto), "Carros vermelhos.");

    // A word that keeps its own capital (not the first one) is left alone.
    Arvore c;
    clTermo* the = Artigo(c, "The");
    the->palavra->espacoAntes = 0;
    clTermo* linux = Nome(c, "Linux", "Linux", 0);
    clTermo* gn2 = c.GrupoNominal({the}, {}, linux);
    clFrase origem2{10, &arena};
    origem2.Acrescentar(*the->palavra);
    ASSERT_TRUE(GerarTraducao(c.Cadeia({gn2}), origem2, saida, &Motor().verbos));
    saida.Texto(texto, sizeof texto);
    EXPECT_EQ(std::string(texto), "O Linux");
}

TEST_F(Geracao, PalavraAcrescentadaHerdaMarcas)
{
    clTermo* of = a.Palavra("of", CL_PREPOSICAO, {"de"});
    clTermo* john = Nome(a, "car", "carro", SUBST_ARTIGO | SUBST_FEMININO);
    john->palavra->marcas.Acrescentar(7);
    clTermo* gn = a.GrupoNominal({}, {}, john);
    clTermo* be = a.Palavra("table", CL_SUBSTANTIVO, {"mesa"});
    clTermo* in = a.Palavra("in", CL_PREPOSICAO, {"em"});
    in->palavra->marcas.Acrescentar(3);
    clTermo* gn2 = a.GrupoNominal({}, {}, be);
    be->verbete.flagsSubst = SUBST_ARTIGO | SUBST_FEMININO;
    EXPECT_EQ(Gerar(a.Cadeia({of, gn, in, gn2})), "de carro na mesa");
    // "na": "em" took the inserted article; the preposition's markup stays on it.
    EXPECT_EQ(saida.Obter(2)->marcas.Obter(0), 3);
    EXPECT_EQ(saida.Obter(1)->marcas.Obter(0), 7);
}

// ------------------------------------------------------------- conditions

class Condicoes : public ::testing::Test {
protected:
    Condicoes()
    {
        antes = a.Palavra("the", CL_ARTIGO);
        termo = a.Palavra("light", CL_ADJETIVO);
        depois = a.Palavra("Houses", CL_SUBSTANTIVO);
        depois->verbete.flagsSubst = SUBST_FEMININO | SUBST_PLURAL;
    }
    bool C(const char* c) { return CondicaoSatisfeita(c, termo); }

    Arvore a;
    clTermo* antes;
    clTermo* termo;
    clTermo* depois;
};

TEST_F(Condicoes, ReferenciasEClasses)
{
    EXPECT_TRUE(C(""));
    EXPECT_TRUE(C("*A"));
    EXPECT_FALSE(C("*N"));
    EXPECT_TRUE(C("+N"));
    EXPECT_TRUE(C("+NF"));
    EXPECT_TRUE(C("+NP"));
    EXPECT_TRUE(C("+NFP"));
    EXPECT_FALSE(C("-N"));
    EXPECT_FALSE(C("-NF"));  // failed class: the sub-code is still read
    EXPECT_FALSE(C("N"));    // no reference yet: a missing term fails every test
    EXPECT_TRUE(C("."));     // missing reference counts as the end of the sentence
    EXPECT_FALSE(C("+."));
    EXPECT_FALSE(C("x"));    // unknown code
    depois->verbete.flagsSubst = 0;
    EXPECT_FALSE(C("+NF"));
    EXPECT_FALSE(C("+NP"));
    EXPECT_TRUE(C("+N"));
}

TEST_F(Condicoes, VizinhoAlemDaNegacao)
{
    // "is not available": the choice of "estar" looks at the adjective, past "not".
    Arvore b;
    clTermo* is = b.Palavra("is", CL_VERBO);
    b.Palavra("not", CL_ADVERBIO);
    clTermo* available = b.Palavra("available", CL_ADJETIVO);
    available->verbete.flagsAdj = ADJ_ESTADO;
    EXPECT_TRUE(CondicaoSatisfeita("+AE", is));
    EXPECT_TRUE(CondicaoSatisfeita("-V", available));
    EXPECT_FALSE(CondicaoSatisfeita("+D", is));
}

TEST_F(Condicoes, CombinacoesDaParte)
{
    // "+N|+A" holds when the next word is a noun or an adjective.
    EXPECT_TRUE(C("+N|+A"));
    depois->verbete.classe = CL_ADJETIVO;
    EXPECT_TRUE(C("+N|+A"));
    EXPECT_FALSE(C("+NF"));
    depois->verbete.classe = CL_VERBO;
    EXPECT_FALSE(C("+N|+A"));
    // "&" after a false test ends the condition as false, whatever follows.
    EXPECT_FALSE(C("+N&|*A"));
    EXPECT_TRUE(C("+V&*A"));
    EXPECT_FALSE(C("+V&*N"));
    // "|" starts a fresh clause; a failed test does not stop the reading.
    EXPECT_TRUE(C("+N*A|*A"));
    EXPECT_FALSE(C("+N*A"));
    EXPECT_TRUE(C("*N|+V"));
}

TEST_F(Condicoes, VizinhosNaArvore)
{
    Arvore b;
    clTermo* art = b.Palavra("the", CL_ARTIGO);
    clTermo* adj = b.Palavra("old", CL_ADJETIVO);
    clTermo* casa = b.Palavra("house", CL_SUBSTANTIVO);
    casa->verbete.flagsSubst = SUBST_FEMININO;
    clTermo* g = b.GrupoNominal({art}, {adj}, casa);
    clTermo* prep = b.Palavra("in", CL_PREPOSICAO);
    clTermo* gv = b.Grupo(CL_GRUPO_VERBAL);
    gv->tempo = 8;
    b.Cadeia({prep, g, gv});
    EXPECT_TRUE(CondicaoSatisfeita("@NF", art));
    EXPECT_TRUE(CondicaoSatisfeita("^1", art));
    EXPECT_FALSE(CondicaoSatisfeita("^1P", art));
    g->verbete.flagsSubst = SUBST_PLURAL;
    EXPECT_TRUE(CondicaoSatisfeita("^1P", art));
    // "<" and ">" fall back on the group's neighbours.
    EXPECT_TRUE(CondicaoSatisfeita("<O", art));
    EXPECT_TRUE(CondicaoSatisfeita(">2", adj));
    EXPECT_TRUE(CondicaoSatisfeita(">28", adj));
    EXPECT_FALSE(CondicaoSatisfeita(">26", adj));
    gv->tempo = 6;
    EXPECT_TRUE(CondicaoSatisfeita(">26", adj));
    EXPECT_FALSE(CondicaoSatisfeita(">20", adj));  // "0" is no sub-code: an unknown code
    // "@" falls back on the group's governor.
    clTermo* solto = b.Palavra("x", CL_PRONOME);
    solto->pai = g;
    EXPECT_TRUE(CondicaoSatisfeita("@NF", solto));
}

TEST_F(Condicoes, VerbosPronomesEOutras)
{
    depois->verbete.classe = CL_VERBO_AUXILIAR;
    EXPECT_TRUE(C("+V"));
    EXPECT_FALSE(C("+V3"));
    depois->verbete.formas = 0x0080;
    EXPECT_TRUE(C("+V3"));
    EXPECT_FALSE(C("+VP"));
    depois->verbete.formas = 0x0400;
    EXPECT_TRUE(C("+V3P"));
    EXPECT_FALSE(C("+VT"));
    depois->verbete.formas = FORMA_PASSIVA;
    EXPECT_TRUE(C("+VT"));

    depois->verbete.classe = CL_PRONOME;
    for (int p = 0; p < 6; ++p) {
        depois->verbete.flagsPron = static_cast<std::uint16_t>(PRON_PESSOA1 << p);
        for (int q = 0; q < 6; ++q) {
            const char cond[] = {'+', 'P', static_cast<char>('1' + q), '\0'};
            EXPECT_EQ(C(cond), p == q) << cond;
        }
    }
    EXPECT_TRUE(C("+P"));
    EXPECT_FALSE(C("+O"));
    depois->verbete.classe = CL_PREPOSICAO;
    EXPECT_TRUE(C("+O"));
    depois->verbete.classe = CL_ADVERBIO;
    EXPECT_TRUE(C("+D"));
    depois->verbete.classe = CL_ADJETIVO;
    EXPECT_FALSE(C("+AE"));
    depois->verbete.flagsAdj = ADJ_ESTADO;
    EXPECT_TRUE(C("+AE"));
    depois->verbete.classe = CL_PONTUACAO;
    EXPECT_TRUE(C("+."));
}

TEST_F(Condicoes, Caixa)
{
    // "Houses" starts with a capital; "light" is lower case.
    EXPECT_TRUE(C("+eA"));
    EXPECT_FALSE(C("+ea"));
    EXPECT_TRUE(C("*ea"));
    EXPECT_FALSE(C("*eA"));
    EXPECT_TRUE(C("*ex"));   // any other character after "e" holds
    EXPECT_TRUE(C("*e"));
    EXPECT_FALSE(C("ea"));   // no reference
}

TEST(PessoaDoVerbo, CadaTipoDeSujeito)
{
    clTermo w{};
    clTermo s{};
    EXPECT_EQ(PessoaDoVerbo(&w, nullptr), 2);
    w.verbete.formas = 0x0100;
    EXPECT_EQ(PessoaDoVerbo(&w, nullptr), 5);

    s.verbete.classe = CL_SUBSTANTIVO;
    w.verbete.formas = 0;
    EXPECT_EQ(PessoaDoVerbo(&w, &s), 2);
    s.verbete.flagsSubst = SUBST_PLURAL;
    EXPECT_EQ(PessoaDoVerbo(&w, &s), 5);
    w.verbete.formas = 0x0080;  // "is" after a noun plural in Portuguese only ("data"): plural
    EXPECT_EQ(PessoaDoVerbo(&w, &s), 5);
    s.verbete.formas = 0x0084;  // "is" after a noun in -s: singular wins
    EXPECT_EQ(PessoaDoVerbo(&w, &s), 2);
    s.verbete.formas = 0;
    s.verbete.flagsSubst = 0;
    w.verbete.formas = 0x0400;
    EXPECT_EQ(PessoaDoVerbo(&w, &s), 5);

    s.verbete.classe = CL_PRONOME;
    w.verbete.formas = 0;
    const std::uint16_t bits[] = {PRON_PESSOA1, PRON_PESSOA2, PRON_PESSOA3, PRON_PESSOA4, PRON_PESSOA5, PRON_PESSOA6};
    for (int i = 0; i < 6; ++i) {
        s.verbete.flagsPron = bits[i];
        EXPECT_EQ(PessoaDoVerbo(&w, &s), i);
    }
    s.verbete.flagsPron = 0;
    EXPECT_EQ(PessoaDoVerbo(&w, &s), 2);
    w.verbete.formas = 0x0200;  // plural verb form: only the plural persons count
    s.verbete.flagsPron = PRON_PESSOA1;
    EXPECT_EQ(PessoaDoVerbo(&w, &s), 2);
    s.verbete.flagsPron = PRON_PESSOA4;
    EXPECT_EQ(PessoaDoVerbo(&w, &s), 3);
    s.verbete.flagsPron = PRON_PESSOA5;
    EXPECT_EQ(PessoaDoVerbo(&w, &s), 4);
    s.verbete.flagsPron = PRON_PESSOA6;
    EXPECT_EQ(PessoaDoVerbo(&w, &s), 5);

    s.verbete.classe = CL_ADJETIVO;  // any other subject: as without one
    EXPECT_EQ(PessoaDoVerbo(&w, &s), 5);
}

TEST_F(Geracao, BlocoDeTraducoesMalFormadoNaoPassaDoFim)
{
    clTermo* t = a.Palavra("odd", CL_SUBSTANTIVO);
    std::memset(t->verbete.blocoTraducoes, 'x', sizeof t->verbete.blocoTraducoes);
    t->verbete.tamTraducoes = 60000;  // larger than the block, no NUL anywhere
    const std::string r = Traducao(t);
    EXPECT_EQ(r.size(), 50u);
}

} // namespace

// ------------------------------------------------------------- end to end

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <vector>

#include "compilador.h"

namespace {

// The engine runs on a small dictionary written for these sentences, in a
// folder of its own; the build's dictionaries come back afterwards.
class GeracaoCompleta : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        pasta = new std::string(PastaTemporaria("geracao"));
        std::ifstream f(std::string(QUILLANE_TESTE_DADOS) + "/geracao_dicionario.lex", std::ios::binary);
        std::stringstream ss;
        ss << f.rdbuf();
        const std::string texto = ss.str();
        std::vector<std::string> linhas;
        std::size_t pos = 0;
        while (pos < texto.size()) {
            std::size_t fim = texto.find("\r\n", pos);
            if (fim == std::string::npos) fim = texto.size();
            if (fim > pos) linhas.push_back(texto.substr(pos, fim - pos));
            pos = fim + 2;
        }
        std::sort(linhas.begin(), linhas.end());  // std::string compares as unsigned bytes
        std::string fonte;
        for (const auto& l : linhas) fonte += l + "\r\n";
        ASSERT_TRUE(CompilarDicionario(fonte.c_str(), (*pasta + "/ip.dic").c_str()));
        std::filesystem::copy_file(std::string(QUILLANE_DADOS_DIR) + "/vip.dic", *pasta + "/vip.dic");
        EncerrarMotor();
        ASSERT_TRUE(IniciarMotor(pasta->c_str(), nullptr));
    }

    static void TearDownTestSuite()
    {
        EncerrarMotor();
        IniciarMotor(QUILLANE_DADOS_DIR, nullptr);
        std::filesystem::remove_all(*pasta);
        delete pasta;
    }

    static std::string* pasta;
};

std::string* GeracaoCompleta::pasta = nullptr;

struct Exemplo {
    const char* ingles;
    const char* portugues;
};

// The Portuguese each sentence must give, written down from the rules
// before the first run.
const Exemplo kExemplos[] = {
    {"The red cars are fast.", "Os carros vermelhos s\xE3o r\xE1pidos."},
    {"She is working.", "Ela est\xE1 trabalhando."},
    {"They have worked.", "Eles trabalharam."},
    {"He will work.", "Ele trabalhar\xE1."},
    {"The houses were sold.", "As casas foram vendidas."},
    {"The car of the house.", "O carro da casa."},
    {"The car in this book.", "O carro neste livro."},
    {"She will work quickly and happily.", "Ela trabalhar\xE1 rapidamente e felizmente."},
    {"Do you like it?", "Voc\xEA gosta dele?"},
    {"The books on the table are red.", "Os livros na mesa s\xE3o vermelhos."},
    {"He is going to go.", "Ele vai ir."},
    {"It can be done.", "Pode ser feito."},
    {"They will have made the car.", "Eles ter\xE3o feito o carro."},
    {"The light car.", "O carro claro."},
    {"The light house.", "A casa leve."},
};

TEST_F(GeracaoCompleta, ExemplosDasFrases)
{
    for (const auto& e : kExemplos) EXPECT_EQ(TraduzirFluxo(e.ingles, 0), e.portugues) << e.ingles;
}

TEST_F(GeracaoCompleta, TodosOsModos)
{
    std::string ingles, portugues;
    for (const auto& e : kExemplos) {
        ingles += std::string(e.ingles) + " ";
        portugues += std::string(e.portugues) + " ";
    }
    ingles += "\n\nthe red car to the car.\n";
    portugues += "\n\no carro vermelho ao carro.\n";
    EXPECT_EQ(TraduzirFluxo(ingles, 0), portugues);
    EXPECT_EQ(TraduzirFluxo(ingles, 7), portugues);
    EXPECT_EQ(TraduzirArquivo(ingles), portugues);
}

TEST_F(GeracaoCompleta, PalavrasDesconhecidasEBrancos)
{
    // Unknown words are written as they were (a group of them takes the article
    // as a noun modifier); too few known words: the sentence is kept.
    EXPECT_EQ(TraduzirFluxo("The Zorbix car.", 0), "O carro do Zorbix.");
    EXPECT_EQ(TraduzirFluxo("Lorem ipsum dolor sit amet.", 0), "Lorem ipsum dolor sit amet.");
    // The blank before the first word follows the source's.
    EXPECT_EQ(TraduzirFluxo("  Do you like it?", 0), "  Voc\xEA gosta dele?");
    EXPECT_EQ(TraduzirFluxo("THE RED CAR.", 0), "O CARRO VERMELHO.");
}

} // namespace
