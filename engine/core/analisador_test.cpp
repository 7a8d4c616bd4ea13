#include "core/analisador.h"

#include "core/analise_testes.h"

namespace {

using AnalisadorTeste = AnaliseTeste;

TEST_F(AnalisadorTeste, CadaTempoTemOSeuCodigo)
{
    struct Caso {
        const char* frase;
        int tempo;
    };
    const Caso casos[] = {
        {"He may go .", 0},
        {"I like it .", 1},
        {"Do you like it ?", 1},
        {"I am going .", 2},
        {"He went home .", 3},
        {"Did he go ?", 3},
        {"He made it .", 3},
        {"They were making it .", 4},
        {"He has made it .", 5},
        {"He has been making it .", 6},
        {"He had made it .", 7},
        {"He had been making it .", 8},
        {"He will go .", 9},
        {"He is going to go .", 10},
        {"He will be making it .", 11},
        {"He will have made it .", 12},
        {"He was going to go .", 13},
        {"Making it is simple .", 15},
        {"I want to go .", 16},
        {"He can go .", 17},
        {"It can be done .", 18},
        {"He could go .", 19},
        {"It could be done .", 20},
        {"Go home .", 21},
        {"It is made .", 22},
        {"It was made .", 23},
        {"It is being made .", 24},
        {"The car made in the house .", 25},
        {"Let it be done .", 26},
        {"He must go .", 27},
        {"He would go .", 28},
        {"He should go .", 28},
        {"It will be made .", 29},
    };
    for (const Caso& c : casos) {
        auto cadeia = Analisar(c.frase);
        // The verb group of the main verb: the last one for "Let it be done",
        // "I want to go", the first otherwise.
        clTermo* g = nullptr;
        for (clTermo* t : cadeia)
            if (t->verbete.classe == CL_GRUPO_VERBAL) g = t;
        if (c.tempo != 26 && c.tempo != 16) g = GrupoVerbal(cadeia);
        ASSERT_NE(g, nullptr) << c.frase;
        EXPECT_EQ(g->tempo, c.tempo) << c.frase << "\n" << DescreverAnalise(*analisador, estatistica);
    }
}

TEST_F(AnalisadorTeste, AuxiliaresOmitidosEPassiva)
{
    // "will" is not translated as a word: it leaves the children for absorvidos.
    auto cadeia = Analisar("He will go .");
    clTermo* g = GrupoVerbal(cadeia);
    ASSERT_NE(g, nullptr);
    EXPECT_STREQ(g->absorvidos->verbete.vocabulo, "will");
    EXPECT_EQ(g->filhos, nullptr);
    EXPECT_STREQ(g->verbo->verbete.vocabulo, "go");
    EXPECT_STREQ(Texto(g->regente).c_str(), "He");
    // "have" stays; the passive main verb is marked.
    cadeia = Analisar("It was made .");
    g = GrupoVerbal(cadeia);
    EXPECT_STREQ(g->filhos->verbete.vocabulo, "was");
    EXPECT_EQ(g->absorvidos, nullptr);
    EXPECT_TRUE(g->verbo->verbete.formas & FORMA_PASSIVA);
    // "not" is the negation, out of the children; the auxiliary is a plain verb.
    cadeia = Analisar("I don't know .");
    g = GrupoVerbal(cadeia);
    ASSERT_NE(g->negacao, nullptr);
    EXPECT_STREQ(g->negacao->verbete.vocabulo, "not");
    EXPECT_STREQ(g->absorvidos->verbete.vocabulo, "do");
    EXPECT_EQ(g->tempo, 1);
    EXPECT_EQ(g->verbo->verbete.classe, CL_VERBO);
    // "not" before a word that is no verb is still the group's negation.
    cadeia = Analisar("The car is not big .");
    g = GrupoVerbal(cadeia);
    ASSERT_NE(g->negacao, nullptr);
    for (const clTermo* t : cadeia) EXPECT_STRNE(t->verbete.vocabulo, "not");
    // An adverb between the auxiliaries stays in the group.
    cadeia = Analisar("He has always made it .");
    g = GrupoVerbal(cadeia);
    EXPECT_EQ(g->tempo, 5);
    ASSERT_NE(g->filhos, nullptr);
    ASSERT_NE(g->filhos->proximo, nullptr);
    EXPECT_STREQ(g->filhos->proximo->verbete.vocabulo, "always");
}

TEST_F(AnalisadorTeste, GrupoNominalComDeterminanteModificadorENucleo)
{
    auto cadeia = Analisar("the red car is red .");
    ASSERT_GE(cadeia.size(), 3u);
    const clTermo* gn = cadeia[0];
    ASSERT_EQ(gn->verbete.classe, CL_GRUPO_NOMINAL);
    EXPECT_EQ(gn->tempo, 25);
    EXPECT_EQ(gn->papel, PAPEL_FORA);
    const clTermo* car = gn->filhos;
    ASSERT_NE(car, nullptr);
    EXPECT_STREQ(car->verbete.vocabulo, "car");
    EXPECT_EQ(car->papel, PAPEL_NUCLEO);
    ASSERT_NE(gn->determinantes, nullptr);
    EXPECT_STREQ(gn->determinantes->verbete.vocabulo, "the");
    EXPECT_EQ(gn->determinantes->papel, PAPEL_DETERMINANTE);
    EXPECT_EQ(gn->determinantes->proximo, nullptr);  // each chain ends at its last member
    ASSERT_NE(gn->modificadores, nullptr);
    EXPECT_STREQ(gn->modificadores->verbete.vocabulo, "red");
    EXPECT_EQ(gn->modificadores->proximo, nullptr);
    EXPECT_EQ(gn->determinantes->regente, car);
    EXPECT_EQ(gn->modificadores->regente, car);
    EXPECT_EQ(gn->modificadores->pai, gn);
    EXPECT_EQ(car->proximo, nullptr);

    // Nouns before the head are modifiers of one group.
    cadeia = Analisar("the computer science department is red .");
    gn = cadeia[0];
    ASSERT_EQ(gn->verbete.classe, CL_GRUPO_NOMINAL);
    EXPECT_STREQ(gn->filhos->verbete.vocabulo, "department");
    ASSERT_NE(gn->modificadores, nullptr);
    EXPECT_STREQ(gn->modificadores->verbete.vocabulo, "computer");
    EXPECT_STREQ(gn->modificadores->proximo->verbete.vocabulo, "science");
    EXPECT_EQ(gn->modificadores->proximo->proximo, nullptr);

    // A possessive noun group is a modifier of the next group.
    cadeia = Analisar("John's car is red .");
    gn = cadeia[0];
    ASSERT_EQ(gn->verbete.classe, CL_GRUPO_NOMINAL);
    EXPECT_STREQ(gn->filhos->verbete.vocabulo, "car");
    ASSERT_NE(gn->modificadores, nullptr);
    EXPECT_EQ(gn->modificadores->verbete.classe, CL_GRUPO_NOMINAL);
    EXPECT_STREQ(Texto(gn->modificadores->filhos).c_str(), "John");
}

TEST_F(AnalisadorTeste, SujeitoCorrigidoPeloNumeroDoVerbo)
{
    auto cadeia = Analisar("The books on the table are big .");
    clTermo* g = GrupoVerbal(cadeia);
    ASSERT_NE(g, nullptr);
    ASSERT_NE(g->regente, nullptr);
    EXPECT_STREQ(g->regente->verbete.vocabulo, "book");
    // The predicate adjective agrees with the subject.
    const clTermo* gnRed = g->proximo;
    ASSERT_NE(gnRed, nullptr);
    ASSERT_EQ(gnRed->verbete.classe, CL_GRUPO_NOMINAL);
    EXPECT_EQ(gnRed->filhos->regente, g->regente);
    // Singular verb after a plural noun: the nearest earlier singular group.
    cadeia = Analisar("The car in the books is red .");
    g = GrupoVerbal(cadeia);
    EXPECT_STREQ(g->regente->verbete.vocabulo, "car");
    // Nothing to correct: the subject stays.
    cadeia = Analisar("The table is red .");
    g = GrupoVerbal(cadeia);
    EXPECT_STREQ(g->regente->verbete.vocabulo, "table");
}

TEST_F(AnalisadorTeste, PerguntasComAuxiliarAntecipado)
{
    auto cadeia = Analisar("Do you like it ?");
    clTermo* g = GrupoVerbal(cadeia);
    ASSERT_NE(g, nullptr);
    ASSERT_NE(g->auxiliar, nullptr);
    EXPECT_STREQ(g->auxiliar->verbete.vocabulo, "do");
    EXPECT_EQ(g->absorvidos, nullptr);
    // "Do" has left the top-level chain: only its group generates it.
    for (const clTermo* t : cadeia) EXPECT_STRNE(t->verbete.vocabulo, "do");
    EXPECT_STREQ(Texto(g->regente).c_str(), "you");
    EXPECT_EQ(cadeia.front()->verbete.classe, CL_GRUPO_NOMINAL);
    EXPECT_EQ(cadeia.back()->verbete.classe, CL_PONTUACAO);

    // An auxiliary no group takes becomes a group of its own, where it stood.
    cadeia = Analisar("Is it ?");
    ASSERT_GE(cadeia.size(), 2u);
    EXPECT_EQ(cadeia[0]->verbete.classe, CL_GRUPO_VERBAL);
    EXPECT_STREQ(cadeia[0]->verbo->verbete.vocabulo, "is");
    EXPECT_EQ(cadeia[0]->regente, nullptr);
    EXPECT_EQ(cadeia[1]->anterior, cadeia[0]);

    // "be" with a subject and a predicate after it: the statement's order,
    // the subject agreeing, and the verb's next word is the predicate's.
    cadeia = Analisar("Is it big ?");
    ASSERT_GE(cadeia.size(), 4u);
    EXPECT_EQ(cadeia[0]->verbete.classe, CL_GRUPO_NOMINAL);
    ASSERT_EQ(cadeia[1]->verbete.classe, CL_GRUPO_VERBAL);
    EXPECT_STREQ(cadeia[1]->verbo->verbete.vocabulo, "is");
    EXPECT_EQ(cadeia[1]->tempo, TEMPO_PRESENTE);
    EXPECT_STREQ(Texto(cadeia[1]->regente).c_str(), "it");
    EXPECT_EQ(cadeia[2]->anterior, cadeia[1]);
    ASSERT_NE(cadeia[1]->verbo->depois, nullptr);
    EXPECT_STREQ(cadeia[1]->verbo->depois->verbete.vocabulo, "big");

    // An interrogative pronoun opens the sentence and makes the auxiliary a question one.
    cadeia = Analisar("What did you make ?");
    ASSERT_GE(cadeia.size(), 3u);
    EXPECT_STREQ(cadeia[0]->verbete.vocabulo, "what");
    EXPECT_EQ(cadeia[0]->papel, PAPEL_INICIO);
    g = GrupoVerbal(cadeia);
    ASSERT_NE(g, nullptr);
    EXPECT_STREQ(g->auxiliar->verbete.vocabulo, "did");
    EXPECT_EQ(g->tempo, 3);
}

TEST_F(AnalisadorTeste, FimDeFraseSemPontoFechaOGrupoAberto)
{
    auto cadeia = Analisar("the houses are big");
    ASSERT_EQ(cadeia.size(), 3u);
    EXPECT_EQ(cadeia[2]->verbete.classe, CL_GRUPO_NOMINAL);
    // The closing reduction takes the first subject of the sentence.
    EXPECT_STREQ(cadeia[2]->filhos->regente->verbete.vocabulo, "house");
    cadeia = Analisar("I want");
    ASSERT_EQ(cadeia.size(), 2u);
    EXPECT_EQ(cadeia[1]->verbete.classe, CL_GRUPO_VERBAL);
    cadeia = Analisar("the");
    ASSERT_EQ(cadeia.size(), 1u);
    EXPECT_EQ(cadeia[0]->verbete.classe, CL_GRUPO_NOMINAL);
    EXPECT_EQ(cadeia[0]->filhos, nullptr);
}

TEST_F(AnalisadorTeste, VerboComoAdjetivo)
{
    // A participle after an adverb before a noun is an adjective.
    auto cadeia = Analisar("Always made cars are big .");
    ASSERT_GE(cadeia.size(), 2u);
    const clTermo* gn = cadeia[1];
    ASSERT_EQ(gn->verbete.classe, CL_GRUPO_NOMINAL) << DescreverAnalise(*analisador, estatistica);
    EXPECT_STREQ(gn->filhos->verbete.vocabulo, "car");
    ASSERT_NE(gn->modificadores, nullptr);
    EXPECT_TRUE(gn->modificadores->verbete.formas & FORMA_COMO_ADJETIVO);
    // "the made car": a verb after a determiner is an adjective.
    cadeia = Analisar("the made car is red .");
    gn = cadeia[0];
    ASSERT_EQ(gn->verbete.classe, CL_GRUPO_NOMINAL);
    ASSERT_NE(gn->modificadores, nullptr);
    EXPECT_TRUE(gn->modificadores->verbete.formas & FORMA_COMO_ADJETIVO);
}

TEST_F(AnalisadorTeste, FormaEmEdDepoisDoSujeito)
{
    // "-ed" is past and participle alike: past when an object or "to" + verb
    // follows, or at the end after a subject with an article; a participle
    // that describes the noun otherwise, as in terse messages.
    struct Caso {
        const char* frase;
        int tempo;
    };
    const Caso casos[] = {
        {"The car stopped .", TEMPO_PASSADO},
        {"Car stopped .", TEMPO_PARTICIPIO},
        {"The car stopped the lady .", TEMPO_PASSADO},
        {"The car stopped to work .", TEMPO_PASSADO},
        {"The car stopped in the house .", TEMPO_PARTICIPIO},
        {"The cars stopped by the lady are red .", TEMPO_PARTICIPIO},
        {"The car stopped is red .", TEMPO_PARTICIPIO},
    };
    for (const auto& c : casos) {
        auto cadeia = Analisar(c.frase);
        const clTermo* gv = GrupoVerbal(cadeia);
        ASSERT_NE(gv, nullptr) << c.frase;
        EXPECT_EQ(gv->tempo, c.tempo) << c.frase << "\n" << DescreverAnalise(*analisador, estatistica);
    }
}

TEST_F(AnalisadorTeste, ConhecidasDecidemSeAFraseSeguePorTraducao)
{
    Analisar("Zork blorp quux is .");
    EXPECT_EQ(estatistica.nConhecidas, 1);
    EXPECT_EQ(estatistica.nDesconhecidas, 3);
    const std::string d = DescreverAnalise(*analisador, estatistica);
    EXPECT_NE(d.find("conhecidas: 1 de 4 (25%)"), std::string::npos) << d;
    Analisar("Zork blorp quux pling plong plang plung plyng plang ploong is");
    EXPECT_LT(estatistica.Percentagem(), kPercentagemMinima);
    EXPECT_NE(DescreverAnalise(*analisador, estatistica).find("escrita como lida"), std::string::npos);
}

TEST_F(AnalisadorTeste, ArvoreDaAnaliseELegivel)
{
    Analisar("I'm working .");
    const std::string d = DescreverAnalise(*analisador, estatistica);
    EXPECT_NE(d.find("grupo verbal tempo 2 (presente continuo)"), std::string::npos) << d;
    EXPECT_NE(d.find("sujeito \"I'm\""), std::string::npos) << d;
    EXPECT_NE(d.find("\"am\""), std::string::npos) << d;
    EXPECT_NE(d.find("criada"), std::string::npos) << d;
}

TEST_F(AnalisadorTeste, FrasesArbitrariasNaoQuebram)
{
    const char* frases[] = {
        "", ".", "? ? ?", "the the the the", "is is is is", "not not not", "to to to go",
        "John's Mary's Tom's car", "and , and , red", "always always go", "Do", "What", "What is",
        "one two three four five six seven eight nine ten", "I'm I'm I'm I'm I'm I'm", "red-hot-red-hot-",
    };
    for (const char* f : frases) {
        auto cadeia = Analisar(f);
        for (const clTermo* t : cadeia) EXPECT_NE(t, nullptr);
        DescreverAnalise(*analisador, estatistica);
    }
}

} // namespace

namespace {

TEST_F(AnalisadorTeste, TraduzirFraseEscreveComoLidaSemMemoriaOuSemPalavrasConhecidas)
{
    ASSERT_TRUE(GarantirMotor());
    clFrase destino(150, &arena);
    // An arena too small for the reader: nothing is analysed, nothing breaks.
    clArena pequena(64);
    Montar("I am working .");
    EXPECT_FALSE(TraduzirFrase(frase, destino, pequena, estatistica));
    EXPECT_STREQ(frase.Obter(0)->texto, "I");
    // Fewer than 10 per cent known: written as read, the source untouched.
    Montar("Xyzzy plugh frobz's quux-zz .");
    arena.Zerar();
    EXPECT_FALSE(TraduzirFrase(frase, destino, arena, estatistica));
    EXPECT_EQ(estatistica.nConhecidas, 0);
    EXPECT_STREQ(frase.Obter(2)->texto, "frobz's");
    EXPECT_STREQ(frase.Obter(3)->texto, "quux-zz");
}

} // namespace
