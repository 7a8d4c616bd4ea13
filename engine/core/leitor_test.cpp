#include "core/leitor.h"

#include <cstring>

#include "core/analise_testes.h"

namespace {

using LeitorTeste = AnaliseTeste;

std::vector<std::string> Vocabulos(const std::vector<clTermo*>& termos)
{
    std::vector<std::string> r;
    for (const clTermo* t : termos) r.emplace_back(t->verbete.vocabulo);
    return r;
}

TEST_F(LeitorTeste, ContracoesSaoExpandidasEmPalavrasCriadas)
{
    struct Caso {
        const char* frase;
        std::vector<std::string> esperado;
    };
    const Caso casos[] = {
        {"I'm here", {"i", "am", "here"}},
        {"I don't know", {"i", "do", "not", "know"}},
        {"He won't go", {"he", "will", "not", "go"}},
        {"I can't go", {"i", "can", "not", "go"}},
        {"I cannot go", {"i", "can", "not", "go"}},
        {"He's been here", {"he", "has", "been", "here"}},
        {"He's going", {"he", "is", "go"}},
        {"That's red", {"that", "is", "red"}},
        {"We're here", {"we", "are", "here"}},
        {"They've gone", {"they", "have", "gone"}},
        {"I'd gone", {"i", "had", "gone"}},
        {"I'll go", {"i", "will", "go"}},
    };
    for (const Caso& c : casos) {
        auto termos = Ler(c.frase);
        std::vector<std::string> v = Vocabulos(termos);
        // "here" is not in the dictionary: its vocabulo stays as read.
        EXPECT_EQ(v, c.esperado) << c.frase;
    }
    auto termos = Ler("I'm working");
    ASSERT_EQ(termos.size(), 3u);
    EXPECT_EQ(termos[1]->criada, 1);
    EXPECT_STREQ(termos[1]->palavra->texto, "am");
    EXPECT_EQ(termos[1]->palavra->padraoCaixa, CAIXA_MINUSCULAS);
    EXPECT_EQ(termos[1]->verbete.classe, CL_VERBO_AUXILIAR);
    termos = Ler("I'M WORKING");
    ASSERT_EQ(termos.size(), 3u);
    EXPECT_EQ(termos[1]->palavra->padraoCaixa, CAIXA_MAIUSCULAS);
}

TEST_F(LeitorTeste, ContracaoNoFimDaFraseSemPontoNaoSePerde)
{
    auto termos = Ler("I don't");
    EXPECT_EQ(Vocabulos(termos), (std::vector<std::string>{"i", "do", "not"}));
    // Without the stem in the dictionary a contraction is not expanded.
    termos = Ler("Zorg'll");
    ASSERT_EQ(termos.size(), 1u);
    EXPECT_EQ(termos[0]->verbete.flagsSubst & SUBST_DESCONHECIDA, SUBST_DESCONHECIDA);
}

TEST_F(LeitorTeste, PilhaDePendentesRecusaOSextoEOMaisRecenteSaiPrimeiro)
{
    Montar("go");
    leitor.IniciarLeitura(&frase, &arena, &estatistica, Dicionario());
    const char* palavras[] = {"a", "b", "c", "d", "e"};
    for (const char* p : palavras) EXPECT_TRUE(leitor.EmpilharPendente(p));
    EXPECT_FALSE(leitor.EmpilharPendente("f"));
    EXPECT_STREQ(leitor.pendentes[leitor.topoPendentes], "e");
}

TEST_F(LeitorTeste, SufixosRestauramAFormaDoDicionario)
{
    struct Caso {
        const char* palavra;
        const char* forma;
        std::uint16_t classe;
    };
    const Caso casos[] = {
        {"studying", "study", CL_VERBO}, {"dying", "die", CL_VERBO},     {"making", "make", CL_VERBO},
        {"stopped", "stop", CL_VERBO},   {"happier", "happy", CL_ADJETIVO}, {"simply", "simple", CL_ADVERBIO},
        {"wolves", "wolf", CL_SUBSTANTIVO}, {"goes", "go", CL_VERBO},
        // "-ves": the verb's "-ve" before the noun's "-f" ("gif" is there too).
        {"gives", "give", CL_VERBO},
        // "-ies" is "-y" first, then "-ie".
        {"studies", "study", CL_SUBSTANTIVO | CL_VERBO}, {"dies", "die", CL_VERBO},
        // The stem "car" is found first but is a noun, which "-ed" cannot
        // follow: the fallback with "e" is still tried.
        {"cared", "care", CL_VERBO},
    };
    for (const Caso& c : casos) {
        auto termos = Ler(std::string("the ") + c.palavra + " .");
        ASSERT_GE(termos.size(), 2u) << c.palavra;
        EXPECT_STREQ(termos[1]->verbete.vocabulo, c.forma) << c.palavra;
        EXPECT_TRUE(termos[1]->verbete.classe & c.classe) << c.palavra;
    }
    auto t = Ler("stopped")[0];
    EXPECT_EQ(t->verbete.formas & (FORMA_PASSADO | FORMA_PARTICIPIO), FORMA_PASSADO | FORMA_PARTICIPIO);
    t = Ler("happier")[0];
    EXPECT_EQ(t->verbete.flagsAdj & ADJ_COMPARATIVO, ADJ_COMPARATIVO);
    t = Ler("simply")[0];
    EXPECT_EQ(t->verbete.flagsAdj & ADJ_ADVERBIO_LY, ADJ_ADVERBIO_LY);
    t = Ler("making")[0];
    EXPECT_EQ(t->verbete.formas & FORMA_ING, FORMA_ING);
    // "watches": "watch" is a verb and a noun; after the article only the noun is left.
    auto termos = Ler("the watches .");
    EXPECT_STREQ(termos[1]->verbete.vocabulo, "watch");
    EXPECT_EQ(termos[1]->verbete.classe, CL_SUBSTANTIVO);
    EXPECT_EQ(termos[1]->verbete.flagsSubst & SUBST_PLURAL, SUBST_PLURAL);
    // The source word keeps its text: the sentence may still be written as read.
    EXPECT_STREQ(frase.Obter(1)->texto, "watches");
}

TEST_F(LeitorTeste, TerminacoesSemEntradaFalhamSemMudarOTermo)
{
    // "-est" has no fallback: "larg" is not in the dictionary even though "large" is.
    auto t = Ler("largest")[0];
    ASSERT_NE(t->filhos, nullptr);
    EXPECT_EQ(t->filhos->verbete.classe, 0);
    EXPECT_EQ(estatistica.nDesconhecidas, 1);
    // A word that ends in nothing known.
    t = Ler("xyzzy")[0];
    EXPECT_EQ(t->verbete.classe, CL_SUBSTANTIVO);  // the unknown-word group
    EXPECT_EQ(t->filhos->verbete.flagsSubst, SUBST_DESCONHECIDA);
    // Empty stems are not looked up ("ing" alone, "'s" alone).
    Ler("ing 's s' ed");
    EXPECT_EQ(estatistica.nConhecidas, 0);
}

TEST_F(LeitorTeste, PossessivosMarcamONomeECortamOApostrofo)
{
    auto termos = Ler("John's car");
    ASSERT_EQ(termos.size(), 2u);
    const clTermo* g = termos[0];
    EXPECT_EQ(g->verbete.classe, CL_SUBSTANTIVO);
    EXPECT_EQ(g->verbete.flagsSubst & (SUBST_POSSESSIVO | SUBST_DESCONHECIDA | SUBST_ARTIGO),
              SUBST_POSSESSIVO | SUBST_DESCONHECIDA | SUBST_ARTIGO);
    EXPECT_STREQ(g->palavra->texto, "John");
    EXPECT_STREQ(termos[1]->verbete.vocabulo, "car");

    termos = Ler("the lady's car");
    EXPECT_EQ(termos[1]->verbete.classe, CL_SUBSTANTIVO);
    EXPECT_EQ(termos[1]->verbete.flagsSubst & SUBST_POSSESSIVO, SUBST_POSSESSIVO);
    EXPECT_STREQ(termos[1]->palavra->texto, "lady");
    EXPECT_STREQ(frase.Obter(1)->texto, "lady's");

    termos = Ler("the ladies' cars");
    EXPECT_STREQ(termos[1]->verbete.vocabulo, "lady");
    EXPECT_EQ(termos[1]->verbete.flagsSubst & (SUBST_POSSESSIVO | SUBST_PLURAL), SUBST_POSSESSIVO | SUBST_PLURAL);
    EXPECT_STREQ(termos[1]->palavra->texto, "ladies");
    termos = Ler("the wolves' house");
    EXPECT_STREQ(termos[1]->verbete.vocabulo, "wolf");
    EXPECT_EQ(termos[1]->verbete.flagsSubst & SUBST_POSSESSIVO, SUBST_POSSESSIVO);
}

TEST_F(LeitorTeste, DesconhecidasSeguidasFormamUmGrupo)
{
    auto termos = Ler("Tom Smith is here .");
    ASSERT_EQ(termos.size(), 4u);
    const clTermo* g = termos[0];
    EXPECT_EQ(g->verbete.classe, CL_SUBSTANTIVO);
    EXPECT_STREQ(g->palavra->texto, "Tom_Smith");
    EXPECT_EQ(g->criada, 1);
    EXPECT_EQ(g->palavra->aplicarCaixa, 0);
    ASSERT_NE(g->filhos, nullptr);
    EXPECT_STREQ(g->filhos->palavra->texto, "Tom");
    ASSERT_NE(g->filhos->proximo, nullptr);
    EXPECT_STREQ(g->filhos->proximo->palavra->texto, "Smith");
    EXPECT_EQ(g->filhos->proximo->pai, g);
    // "here" alone becomes a group too; the chain runs through both groups.
    EXPECT_STREQ(termos[2]->palavra->texto, "here");
    EXPECT_EQ(termos[1]->antes, g);
    EXPECT_EQ(estatistica.nDesconhecidas, 3);
    EXPECT_EQ(estatistica.nConhecidas, 1);  // "is"; "." is not counted

    // A possessive ends the run: "Tom's Zork" is two groups.
    termos = Ler("Tom's Zork");
    ASSERT_EQ(termos.size(), 2u);
    EXPECT_STREQ(termos[0]->palavra->texto, "Tom");
    EXPECT_STREQ(termos[1]->palavra->texto, "Zork");
}

TEST_F(LeitorTeste, HifenizadaDesconhecidaViraAdjetivoComPartes)
{
    auto termos = Ler("a red-hot car");
    ASSERT_EQ(termos.size(), 3u);
    const clTermo* h = termos[1];
    EXPECT_EQ(h->verbete.classe, CL_ADJETIVO);
    EXPECT_EQ(h->verbete.flagsAdj, ADJ_HIFEN);
    EXPECT_EQ(h->tempo, 25);
    ASSERT_NE(h->filhos, nullptr);
    EXPECT_STREQ(h->filhos->palavra->texto, "red");
    EXPECT_EQ(h->filhos->verbete.classe, CL_ADJETIVO);  // noun and adjective: adjective
    ASSERT_NE(h->filhos->proximo, nullptr);
    EXPECT_STREQ(h->filhos->proximo->palavra->texto, "hot");
    EXPECT_EQ(h->filhos->proximo->pai, h);
    EXPECT_EQ(estatistica.nConhecidas, 4);  // a, red, hot, car: the parts count, not the word

    termos = Ler("car-zz");
    ASSERT_EQ(termos.size(), 1u);
    EXPECT_EQ(termos[0]->filhos->verbete.classe, CL_SUBSTANTIVO);  // only a noun: stays a noun
    EXPECT_EQ(termos[0]->filhos->proximo->verbete.classe, 0);
    EXPECT_EQ(estatistica.nDesconhecidas, 1);
    // A noun and a verb: the noun ("Xach-Effect"); its "-ing" form stays the verb.
    termos = Ler("zz-book");
    ASSERT_EQ(termos.size(), 1u);
    EXPECT_EQ(termos[0]->filhos->proximo->verbete.classe, CL_SUBSTANTIVO);
    termos = Ler("zz-studying");
    ASSERT_EQ(termos.size(), 1u);
    EXPECT_EQ(termos[0]->filhos->proximo->verbete.classe, CL_VERBO);
    // Empty parts are skipped.
    termos = Ler("red--");
    ASSERT_EQ(termos.size(), 1u);
    EXPECT_EQ(termos[0]->filhos->proximo, nullptr);
}

TEST_F(LeitorTeste, LocucoesDeUmAOitoPalavrasSeguintes)
{
    const char* numeros[] = {"two", "three", "four", "five", "six", "seven", "eight", "nine"};
    const char* traducoes = "abcdefgh";
    for (int n = 1; n <= 8; ++n) {
        std::string s = "one";
        std::string chave = "one";
        for (int k = 0; k < n; ++k) {
            s += std::string(" ") + numeros[k];
            chave += std::string("_") + numeros[k];
        }
        auto termos = Ler(s + " .");
        ASSERT_EQ(termos.size(), 2u) << s;
        EXPECT_STREQ(termos[0]->verbete.vocabulo, chave.c_str());
        EXPECT_STREQ(termos[0]->palavra->texto, chave.c_str());
        EXPECT_EQ(termos[0]->verbete.blocoTraducoes[0], traducoes[n - 1]) << s;
        EXPECT_STREQ(Texto(termos[0]->absorvidos).c_str(), "two");
        EXPECT_EQ(termos[1]->antes, termos[0]);
        EXPECT_EQ(termos[0]->verbete.mascaraLocucao, 0);
    }
    // A punctuation mark breaks the candidate: "one, two" is not merged.
    auto termos = Ler("one , two");
    EXPECT_EQ(termos.size(), 3u);
}

TEST_F(LeitorTeste, LocucaoComFormasBaseEFormasDeSuperficie)
{
    // "is going to" is found as "be_going_to".
    auto termos = Ler("he is going to go .");
    ASSERT_EQ(termos.size(), 4u);
    EXPECT_STREQ(termos[1]->verbete.vocabulo, "be_going_to");
    EXPECT_STREQ(termos[2]->verbete.vocabulo, "go");
    EXPECT_EQ(termos[2]->antes, termos[1]);
    // The surface form found as it stands.
    termos = Ler("it is being made .");
    ASSERT_EQ(termos.size(), 4u);
    EXPECT_STREQ(termos[1]->verbete.vocabulo, "is_being");
    EXPECT_STREQ(frase.Obter(1)->texto, "is");  // the sentence itself is untouched
}

TEST_F(LeitorTeste, RegrasDeDesambiguacao)
{
    // Rule A: noun or adjective.
    EXPECT_EQ(Ler("the red car")[1]->verbete.classe, CL_ADJETIVO);
    EXPECT_EQ(Ler("the red .")[1]->verbete.classe, CL_SUBSTANTIVO);
    // Rule B: noun or verb.
    EXPECT_EQ(Ler("the book")[1]->verbete.classe, CL_SUBSTANTIVO);     // after an article
    EXPECT_EQ(Ler("I book it")[1]->verbete.classe, CL_VERBO);          // after a personal pronoun
    EXPECT_EQ(Ler("to book it")[1]->verbete.classe, CL_VERBO);         // after "to"
    EXPECT_EQ(Ler("in book")[1]->verbete.classe, CL_SUBSTANTIVO);      // after another preposition
    EXPECT_EQ(Ler("my book")[1]->verbete.classe, CL_SUBSTANTIVO);      // after a possessive pronoun
    EXPECT_EQ(Ler("book it")[0]->verbete.classe, CL_VERBO);            // nothing before, a word after
    EXPECT_EQ(Ler("book .")[0]->verbete.classe, CL_SUBSTANTIVO);       // punctuation after
    EXPECT_EQ(Ler("book")[0]->verbete.classe, CL_SUBSTANTIVO);         // nothing after
    // Rule C: adjective or adverb.
    EXPECT_EQ(Ler("a fast car")[1]->verbete.classe, CL_ADJETIVO);
    EXPECT_EQ(Ler("he is fast .")[2]->verbete.classe, CL_ADJETIVO);     // "be" before, the clause ends
    EXPECT_EQ(Ler("go fast .")[1]->verbete.classe, CL_ADVERBIO);        // a mark after it
    EXPECT_EQ(Ler("go fast to")[1]->verbete.classe, CL_ADVERBIO);
    EXPECT_EQ(Ler("it fast")[1]->verbete.classe, CL_ADVERBIO);         // after a pronoun
    // A verb that is also a preposition: a verb only where a verb can stand.
    EXPECT_EQ(Ler("they near the house")[1]->verbete.classe, CL_VERBO);     // after a subject pronoun
    EXPECT_EQ(Ler("cars near the house")[1]->verbete.classe, CL_VERBO);     // after a plural noun
    EXPECT_EQ(Ler("can near the house")[1]->verbete.classe, CL_VERBO);      // after an auxiliary
    EXPECT_EQ(Ler("the car near the house")[2]->verbete.classe, CL_PREPOSICAO);
    EXPECT_EQ(Ler("near the house")[0]->verbete.classe, CL_PREPOSICAO);
}

TEST_F(LeitorTeste, OlharParaTrasEParaFrente)
{
    Montar("the red car is red .");
    leitor.IniciarLeitura(&frase, &arena, &estatistica, Dicionario());
    EXPECT_EQ(leitor.Olhar(-1), nullptr);
    EXPECT_EQ(leitor.Olhar(0)->antes, nullptr);
    EXPECT_STREQ(leitor.Olhar(2)->verbete.vocabulo, "car");
    EXPECT_EQ(leitor.Olhar(9), nullptr);
    leitor.Avancar();
    EXPECT_STREQ(leitor.Olhar(-1)->verbete.vocabulo, "the");
    EXPECT_STREQ(leitor.Olhar(4)->verbete.vocabulo, ".");
    EXPECT_EQ(leitor.Olhar(5), nullptr);
    // Each word is looked up once, however often it is looked at.
    EXPECT_EQ(estatistica.nConhecidas, 5);
}

TEST_F(LeitorTeste, UmaLongaSequenciaAmbiguaNaoEsgotaAPilha)
{
    std::string s;
    for (int i = 0; i < 99; ++i) s += "book ";
    auto termos = Ler(s);
    ASSERT_EQ(termos.size(), 99u);
    for (const clTermo* t : termos) EXPECT_TRUE(t->verbete.classe == CL_SUBSTANTIVO || t->verbete.classe == CL_VERBO);
}

TEST_F(LeitorTeste, ArenaEsgotadaTerminaALeituraSemFalha)
{
    // A block too small for even one term: the reader stops cleanly.
    clArena pequena(64);
    Montar("the red car .");
    clLeitor l;
    l.IniciarLeitura(&frase, &pequena, &estatistica, Dicionario());
    EXPECT_TRUE(l.semMemoria);
    EXPECT_EQ(l.Olhar(0), nullptr);
}

} // namespace

namespace {

std::string Traducao(const clTermo* t) { return t ? std::string(t->verbete.blocoTraducoes) : ""; }

} // namespace

TEST_F(LeitorTeste, PrefixoComHifenTomaClasseFormasETraducaoDaBase)
{
    // A verb, counted as one known word, with no parts.
    auto termos = Ler("Re-enable it");
    ASSERT_EQ(termos.size(), 2u);
    const clTermo* t = termos[0];
    EXPECT_EQ(t->verbete.classe, CL_VERBO);
    EXPECT_EQ(Traducao(t), "reabilitar");
    EXPECT_EQ(t->filhos, nullptr);
    EXPECT_EQ(t->verbete.flagsAdj & ADJ_HIFEN, 0);
    EXPECT_EQ(t->verbete.flagsSubst & SUBST_DESCONHECIDA, 0);
    EXPECT_STREQ(t->palavra->texto, "Re-enable");  // written from the translation, read as it came
    EXPECT_EQ(estatistica.nConhecidas, 2);
    EXPECT_EQ(estatistica.nDesconhecidas, 0);

    // The base's endings: a past participle stays one.
    termos = Ler("re-signed");
    ASSERT_EQ(termos.size(), 1u);
    EXPECT_EQ(termos[0]->verbete.classe & CL_VERBO, CL_VERBO);
    EXPECT_NE(termos[0]->verbete.formas & FORMA_PARTICIPIO, 0);
    // "re" is read without its hyphen only before a vowel: "re-sign" is no
    // "resign", "re-entrant" is "reentrant".
    EXPECT_EQ(Traducao(termos[0]), "reassinar");
    EXPECT_EQ(Traducao(Ler("re-entrant")[0]), "reentrante");
    EXPECT_EQ(Traducao(Ler("re-entrants")[0]), "reentrante");

    // "non": a word of its own, the base inflecting; placed after the noun.
    termos = Ler("non-empty");
    ASSERT_EQ(termos.size(), 1u);
    EXPECT_EQ(termos[0]->verbete.classe, CL_ADJETIVO);
    EXPECT_EQ(Traducao(termos[0]), "n\xE3o_/vazio/");
    EXPECT_EQ(termos[0]->verbete.flagsAdj & ADJ_ANTEPOSTO, 0);

    // "un": "n\xE3o" before a participle, "des" before a verb.
    EXPECT_EQ(Traducao(Ler("un-signed")[0]), "n\xE3o_/assinar/");
    EXPECT_EQ(Traducao(Ler("un-sign")[0]), "desassinar");

    // The dictionary's word without the hyphen wins ("pre-defined").
    termos = Ler("pre-defined");
    ASSERT_EQ(termos.size(), 1u);
    EXPECT_EQ(Traducao(termos[0]), "predefinido");
    // A prefix of nouns and adjectives takes a participle, not a verb.
    termos = Ler("semi-signed");
    ASSERT_EQ(termos.size(), 1u);
    EXPECT_EQ(Traducao(termos[0]), "semiassinar");
    EXPECT_NE(termos[0]->verbete.formas & FORMA_PARTICIPIO, 0);
    EXPECT_EQ(Ler("semi-sign")[0]->verbete.flagsAdj, ADJ_HIFEN);
    // A multiword translation takes the prefix on its first word.
    EXPECT_EQ(Traducao(Ler("sub-filename")[0]), "subnome_de_arquivo");
}

TEST_F(LeitorTeste, PrefixoAntesDeNomeFazAdjetivoInvariavel)
{
    // "multi-user car": "carro multiusu\xE1rio", the same for every noun.
    auto termos = Ler("a multi-user car");
    ASSERT_EQ(termos.size(), 3u);
    const clTermo* t = termos[1];
    EXPECT_EQ(t->verbete.classe, CL_ADJETIVO);
    EXPECT_EQ(t->verbete.flagsAdj & (ADJ_INVARIAVEL_GENERO | ADJ_INVARIAVEL_NUMERO),
              ADJ_INVARIAVEL_GENERO | ADJ_INVARIAVEL_NUMERO);
    EXPECT_EQ(Traducao(t), "multiusu\xE1rio");
    // Alone it names the thing.
    termos = Ler("the multi-user");
    ASSERT_EQ(termos.size(), 2u);
    EXPECT_EQ(termos[1]->verbete.classe, CL_SUBSTANTIVO);
    // "sub" keeps the noun a noun.
    EXPECT_EQ(Ler("a sub-user car")[1]->verbete.classe & CL_ADJETIVO, 0);
}

TEST_F(LeitorTeste, PrefixoSemBaseConhecidaFicaComoAntes)
{
    struct Caso {
        const char* palavra;
        const char* motivo;
    };
    const Caso casos[] = {
        {"re-zzz", "unknown base"},
        {"zzz-enable", "unknown prefix"},
        {"re-the", "a base of no class the prefix takes"},
        {"multi-enable", "a verb after a prefix of nouns and adjectives"},
        {"re-re-enable", "two hyphens"},
        {"re-", "nothing after the hyphen"},
        {"Ultra-X", "one letter after the hyphen: a name"},
        {"re-zz'zz", "an apostrophe"},
        {"pre-bigmenu", "the translations would not fit the entry"},
    };
    for (const Caso& c : casos) {
        auto termos = Ler(c.palavra);
        ASSERT_EQ(termos.size(), 1u) << c.palavra;
        EXPECT_EQ(termos[0]->verbete.flagsAdj, ADJ_HIFEN) << c.palavra << ": " << c.motivo;
        EXPECT_EQ(leitor.topoPendentes, -1) << c.palavra;
    }
    // The entry that fits with a shorter prefix.
    auto termos = Ler("bigmenu");
    ASSERT_EQ(termos.size(), 1u);
    ASSERT_GT(termos[0]->verbete.tamTraducoes, 240u);
    termos = Ler("re-bigmenu");
    ASSERT_EQ(termos.size(), 1u);
    EXPECT_EQ(termos[0]->verbete.classe, CL_SUBSTANTIVO);
    EXPECT_LT(termos[0]->verbete.tamTraducoes, sizeof termos[0]->verbete.blocoTraducoes);
    EXPECT_EQ(Traducao(termos[0]).substr(0, 4), "reaa");

    // A command-line option glued to its dashes is no word.
    Montar("use");
    Acrescentar("--", true);
    Acrescentar("re-enable", false);
    arena.Zerar();
    leitor = clLeitor();
    leitor.IniciarLeitura(&frase, &arena, &estatistica, Dicionario());
    leitor.Avancar();
    leitor.Avancar();
    ASSERT_NE(leitor.Olhar(0), nullptr);
    EXPECT_EQ(leitor.Olhar(0)->verbete.flagsAdj, ADJ_HIFEN);
}

TEST_F(LeitorTeste, PrefixoNoLimiteDaPalavra)
{
    // A word of 50 bytes, the most a word holds: a known base after the
    // prefix, then one too long to be any.
    std::string longa = "re-" + std::string(47, 'z');
    auto termos = Ler(longa);
    ASSERT_EQ(termos.size(), 1u);
    EXPECT_EQ(termos[0]->verbete.flagsAdj, ADJ_HIFEN);
    termos = Ler("counter-" + std::string(42, 'e'));
    ASSERT_EQ(termos.size(), 1u);
    EXPECT_EQ(termos[0]->verbete.flagsAdj, ADJ_HIFEN);
    // A base with capitals is a name: written as the dictionary spells it.
    termos = Ler("non-Empty");
    ASSERT_EQ(termos.size(), 1u);
    EXPECT_EQ(Traducao(termos[0]), "n\xE3o vazio");
    EXPECT_EQ(termos[0]->palavra->aplicarCaixa, 0);
    EXPECT_STREQ(frase.Obter(0)->texto, "non-Empty");
}
