#include "core/concordancia.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "core/termo.h"
#include "dictionary/frase.h"

namespace {

std::string Fem(const char* texto)
{
    char b[kTamPalavra];
    std::strcpy(b, texto);
    FemininoTexto(b, sizeof b);
    return b;
}

std::string Plu(const char* texto)
{
    char b[kTamPalavra];
    std::strcpy(b, texto);
    PluralTexto(b, sizeof b);
    return b;
}

// The previous word's text after trying to contract; "" when nothing happened.
std::string Contraido(const char* anterior, const char* novo)
{
    clPalavra p;
    std::strcpy(p.texto, anterior);
    return Contrair(&p, novo) ? std::string(p.texto) : std::string();
}

TEST(Feminino, CadaTerminacao)
{
    EXPECT_EQ(Fem("um"), "uma");
    EXPECT_EQ(Fem("senhor"), "senhora");
    EXPECT_EQ(Fem("vermelhos"), "vermelhas");
    EXPECT_EQ(Fem("vermelho"), "vermelha");
    EXPECT_EQ(Fem("feliz"), "feliz");
    EXPECT_EQ(Fem("este"), "este");
}

TEST(Feminino, ConsoanteFinalQuaseNuncaMuda)
{
    // Most words ending in a consonant have one form for both genders.
    for (const char* w : {"ruim", "comum", "melhor", "maior", "pior", "anterior", "superior", "similar", "azul"})
        EXPECT_EQ(Fem(w), w) << w;
    // The article and its compounds, and the agent words in "-or", do inflect.
    EXPECT_EQ(Fem("algum"), "alguma");
    EXPECT_EQ(Fem("nenhum"), "nenhuma");
    EXPECT_EQ(Fem("trabalhador"), "trabalhadora");
    EXPECT_EQ(Fem("bom"), "boa");
    EXPECT_EQ(Fem("portugu\xEAs"), "portuguesa");
    EXPECT_EQ(Fem("/o/_mais_/ruim/"), "/a/_mais_/ruim/");
}

TEST(Feminino, SoPalavrasMarcadas)
{
    EXPECT_EQ(Fem("/alem\xE3o/"), "/alem\xE3/");
    EXPECT_EQ(Plu("/crist\xE3/"), "/crist\xE3s/");
    EXPECT_EQ(Fem("/o/_mais_/bonito/"), "/a/_mais_/bonita/");
    EXPECT_EQ(Fem("bem_conhecido"), "bem_conhecido");  // "_" without "/": invariable
    EXPECT_EQ(Fem("/novo/_em_folha"), "/nova/_em_folha");
}

TEST(Plural, CadaTerminacao)
{
    EXPECT_EQ(Plu("carro"), "carros");
    EXPECT_EQ(Plu("homem"), "homens");
    EXPECT_EQ(Plu("can\xE7\xE3o"), "can\xE7\xF5" "es");
    EXPECT_EQ(Plu("animal"), "animais");
    EXPECT_EQ(Plu("papel"), "pap\xE9is");
    EXPECT_EQ(Plu("anzol"), "anz\xF3is");
    EXPECT_EQ(Plu("azul"), "azuis");
    EXPECT_EQ(Plu("fuzil"), "fuzis");
    EXPECT_EQ(Plu("flor"), "flores");
    EXPECT_EQ(Plu("luz"), "luzes");
    EXPECT_EQ(Plu("h\xED" "fen"), "hifens");  // "-ens" takes no accent
    EXPECT_EQ(Plu("plugin"), "plugins");
    EXPECT_EQ(Plu("token"), "tokens");
    EXPECT_EQ(Plu("pr\xF3ton"), "pr\xF3tons");
    // "-\xE3o" has three plurals.
    EXPECT_EQ(Plu("irm\xE3o"), "irm\xE3os");
    EXPECT_EQ(Plu("m\xE3o"), "m\xE3os");
    EXPECT_EQ(Plu("p\xE3o"), "p\xE3" "es");
    EXPECT_EQ(Plu("alem\xE3o"), "alem\xE3" "es");
    EXPECT_EQ(Plu("\xF3rg\xE3o"), "\xF3rg\xE3os");
    EXPECT_EQ(Plu("bot\xE3o"), "bot\xF5" "es");
    EXPECT_EQ(Plu("b\xEAn\xE7\xE3o"), "b\xEAn\xE7\xE3os");
    EXPECT_EQ(Plu("pr\xE9-visualiza\xE7\xE3o"), "pr\xE9-visualiza\xE7\xF5" "es");
    EXPECT_EQ(Plu("carros"), "carros");  // already plural
    EXPECT_EQ(Plu("/o/_mais_/grande/"), "/os/_mais_/grandes/");
    EXPECT_EQ(Plu("dar_certo"), "dar_certo");
}

// In "-el", "-ol", "-il" the stress decides: the last syllable takes the
// written accent ("pinc\xE9is"), a word accented before keeps the vowel
// closed ("n\xEDveis", "f\xE1" "ceis", "\xFA" "teis"); software loanwords take "s".
TEST(Plural, TerminacaoEmLPelaTonica)
{
    EXPECT_EQ(Plu("pincel"), "pinc\xE9is");
    EXPECT_EQ(Plu("painel"), "pain\xE9is");
    EXPECT_EQ(Plu("farol"), "far\xF3is");
    EXPECT_EQ(Plu("perfil"), "perfis");
    EXPECT_EQ(Plu("n\xEDvel"), "n\xEDveis");
    EXPECT_EQ(Plu("f\xE1" "cil"), "f\xE1" "ceis");
    EXPECT_EQ(Plu("\xFAtil"), "\xFA" "teis");
    EXPECT_EQ(Plu("pixel"), "pixels");
    EXPECT_EQ(Plu("kernel"), "kernels");
    EXPECT_EQ(Plu("/vis\xEDvel/"), "/vis\xEDveis/");
}

TEST(Plural, PalavraQueNaoCabeFicaComoEra)
{
    char b[kTamPalavra];
    std::string longa(49, 'a');
    longa += "m";
    std::strcpy(b, longa.c_str());
    PluralTexto(b, sizeof b);
    EXPECT_EQ(std::string(b), longa);
    // The buffer is small: the marked word cannot grow in place.
    char pequeno[8] = "/flor/";
    PluralTexto(pequeno, sizeof pequeno);
    EXPECT_STREQ(pequeno, "/flor/");
}

TEST(Concordancia, QuemGoverna)
{
    clTermo t{};
    EXPECT_FALSE(GovernaFeminino(nullptr));
    EXPECT_FALSE(GovernaPlural(&t));
    t.verbete.flagsSubst = SUBST_FEMININO;
    EXPECT_TRUE(GovernaFeminino(&t));
    t.verbete.flagsSubst = SUBST_PLURAL;
    EXPECT_TRUE(GovernaPlural(&t));
    t.verbete.flagsSubst = 0;
    for (std::uint16_t p : {PRON_PESSOA4, PRON_PESSOA5, PRON_PESSOA6}) {
        t.verbete.flagsPron = p;
        EXPECT_TRUE(GovernaPlural(&t));
    }
    t.verbete.flagsPron = PRON_PESSOA3;
    EXPECT_FALSE(GovernaPlural(&t));
    char b[kTamPalavra] = "o";
    Feminino(b, sizeof b, &t);
    EXPECT_STREQ(b, "o");
}

TEST(Contrair, CadaLinha)
{
    const char* const tabela[][3] = {
        {"de", "o", "do"}, {"de", "a", "da"}, {"de", "os", "dos"}, {"de", "as", "das"},
        {"de", "isto", "disto"}, {"de", "isso", "disso"}, {"de", "este", "deste"}, {"de", "estes", "destes"}, {"de", "esta", "desta"},
        {"de", "estas", "destas"}, {"de", "esse", "desse"}, {"de", "esses", "desses"}, {"de", "essa", "dessa"},
        {"de", "essas", "dessas"}, {"de", "aquele", "daquele"}, {"de", "aquela", "daquela"},
        {"de", "aqueles", "daqueles"}, {"de", "aquelas", "daquelas"}, {"de", "ele", "dele"},
        {"de", "eles", "deles"}, {"de", "ela", "dela"}, {"de", "elas", "delas"},
        {"em", "o", "no"}, {"em", "a", "na"}, {"em", "os", "nos"}, {"em", "as", "nas"},
        {"em", "isto", "nisto"}, {"em", "isso", "nisso"}, {"em", "este", "neste"}, {"em", "estes", "nestes"}, {"em", "esta", "nesta"},
        {"em", "estas", "nestas"}, {"em", "esse", "nesse"}, {"em", "esses", "nesses"}, {"em", "essa", "nessa"},
        {"em", "essas", "nessas"}, {"em", "aquele", "naquele"}, {"em", "aquela", "naquela"},
        {"em", "aqueles", "naqueles"}, {"em", "aquelas", "naquelas"}, {"em", "ele", "nele"},
        {"em", "eles", "neles"}, {"em", "ela", "nela"}, {"em", "elas", "nelas"},
        {"a", "a", "\xE0"}, {"o", "o", "o"},
        {"para", "o", "ao"}, {"para", "os", "aos"}, {"para", "a", "\xE0"}, {"para", "as", "\xE0s"},
        {"por", "o", "pelo"}, {"por", "os", "pelos"}, {"por", "a", "pela"}, {"por", "as", "pelas"},
        {"antes_de", "o", "antes_do"}, {"antes_de", "a", "antes_da"}, {"antes_de", "os", "antes_dos"},
        {"antes_de", "as", "antes_das"}, {"antes_de", "este", "antes_deste"},
        {"antes_de", "estes", "antes_destes"}, {"antes_de", "esta", "antes_desta"},
        {"antes_de", "estas", "antes_destas"}, {"antes_de", "esse", "antes_desse"},
        {"antes_de", "esses", "antes_desses"}, {"antes_de", "essa", "antes_dessa"},
        {"antes_de", "essas", "antes_dessas"}, {"antes_de", "aquele", "antes_daquele"},
        {"antes_de", "aquela", "antes_daquela"}, {"antes_de", "aqueles", "antes_daqueles"},
        {"antes_de", "aquelas", "antes_daquelas"},
        {"/pensar/_em", "o", "/pensar/_no"}, {"/pensar/_em", "a", "/pensar/_na"},
        {"/pensar/_em", "os", "/pensar/_nos"}, {"/pensar/_em", "as", "/pensar/_nas"},
        {"junto_a", "a", "junto_\xE0"}, {"junto_a", "as", "junto_\xE0s"}, {"junto_a", "o", "junto_ao"},
        {"junto_a", "os", "junto_aos"},
    };
    for (const auto& linha : tabela)
        EXPECT_EQ(Contraido(linha[0], linha[1]), linha[2]) << linha[0] << " + " << linha[1];
}

TEST(Contrair, SemContracao)
{
    // Whole texts only; no row for these pairs.
    EXPECT_EQ(Contraido("de", "carro"), "");
    EXPECT_EQ(Contraido("dê", "o"), "");
    EXPECT_EQ(Contraido("para", "este"), "");
    EXPECT_EQ(Contraido("em", "um"), "");
    EXPECT_EQ(Contraido("o", "a"), "");
    EXPECT_EQ(Contraido("a", "o"), "");
    EXPECT_EQ(Contraido("antes_de", "ele"), "");
    EXPECT_EQ(Contraido("/pensar/_em", "este"), "");
    EXPECT_EQ(Contraido("_de", "o"), "");  // nothing before the preposition
    EXPECT_EQ(Contraido("de", "/o/"), "");
    EXPECT_FALSE(Contrair(nullptr, "o"));
}

TEST(Contrair, ResultadoQueNaoCabeNaoContrai)
{
    clPalavra p;
    std::string texto(47, 'x');
    texto += "_de";  // 50 bytes: "_daquelas" would not fit
    std::strcpy(p.texto, texto.c_str());
    EXPECT_FALSE(Contrair(&p, "aquelas"));
    EXPECT_EQ(std::string(p.texto), texto);
    EXPECT_TRUE(Contrair(&p, "o"));
    EXPECT_EQ(std::string(p.texto), std::string(47, 'x') + "_do");
}

} // namespace
