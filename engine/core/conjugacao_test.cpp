#include "core/conjugacao.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>
#include <vector>

#include "cp1252.h"
#include "dictionary/verbos.h"

namespace {

namespace fs = std::filesystem;

// Conjugates `texto` in a buffer of `tam` bytes (default: plenty) without a
// verb table unless one is given.
std::string C(const std::string& texto, int tempo, int pessoa, const clVerboI* v = nullptr,
              const clSujeito* s = nullptr, std::size_t tam = 256)
{
    std::vector<char> buf(tam, '\0');
    std::memcpy(buf.data(), texto.c_str(), std::min(texto.size() + 1, tam));
    Conjugar(v, buf.data(), tam, s, tempo, pessoa);
    return std::string(buf.data());
}

TEST(Conjugacao, RegularParadigmsFromTheSuffixTable)
{
    EXPECT_EQ(C("falar", 0, 3), "falamos");
    EXPECT_EQ(C("falar", 2, 3), "fal\xE1vamos");
    EXPECT_EQ(C("falar", 4, 4), "falar\xED" "eis");
    EXPECT_EQ(C("falar", 5, 0), "fal");  // no first person in the imperative: bare stem
    EXPECT_EQ(C("falar", 3, 5), "falar\xE3o");
    EXPECT_EQ(C("vender", 1, 2), "vendeu");
    EXPECT_EQ(C("vender", 5, 1), "vende");
    EXPECT_EQ(C("partir", 0, 4), "partis");
    EXPECT_EQ(C("partir", 2, 4), "part\xED" "eis");
    EXPECT_EQ(C("partir", 5, 4), "parti");
}

TEST(Conjugacao, SpellingAdjustmentsAtTheJoint)
{
    EXPECT_EQ(C("ficar", 1, 0), "fiquei");
    EXPECT_EQ(C("ficar", 1, 1), "ficaste");  // only before "e"
    EXPECT_EQ(C("pagar", 1, 0), "paguei");
    EXPECT_EQ(C("come\xE7" "ar", 1, 0), "comecei");
    EXPECT_EQ(C("voar", 0, 0), "v\xF4o");
    EXPECT_EQ(C("voar", 1, 2), "voou");  // the accent only before "o" alone
    EXPECT_EQ(C("conhecer", 0, 0), "conhe\xE7o");
    EXPECT_EQ(C("conhecer", 5, 2), "conhe\xE7" "a");
    EXPECT_EQ(C("conhecer", 0, 1), "conheces");
    EXPECT_EQ(C("erguer", 0, 0), "ergo");
    EXPECT_EQ(C("dirigir", 0, 0), "dirijo");
    EXPECT_EQ(C("distinguir", 0, 0), "distingo");
    EXPECT_EQ(C("distinguir", 0, 1), "distingues");
    // No g -> j in -er, no c -> ç in -ir.
    EXPECT_EQ(C("proteger", 0, 0), "protego");
    EXPECT_EQ(C("ressarcir", 0, 0), "ressarco");
    // Three-letter words: the stem has one letter, so never the "gu" rule.
    EXPECT_EQ(C("uer", 0, 0), "uo");
    EXPECT_EQ(C("uir", 5, 2), "ua");
    EXPECT_EQ(C("gir", 0, 0), "jo");
}

TEST(Conjugacao, ParticipleGerundAndAgreement)
{
    EXPECT_EQ(C("partir", 6, 0), "partido");
    EXPECT_EQ(C("comer", 6, 0), "comido");
    EXPECT_EQ(C("falar", 6, 0), "falado");
    EXPECT_EQ(C("casa", 6, 0), "casa");  // no final "r": unchanged
    EXPECT_EQ(C("falar", 7, 0), "falando");
    EXPECT_EQ(C("p\xF4r", 7, 0), "pondo");
    EXPECT_EQ(C("casa", 7, 0), "casa");

    const clSujeito femPlural{64 | 2}, fem{64}, plural{2}, nada{0};
    EXPECT_EQ(C("partir", 6, 0, nullptr, &femPlural), "partidas");
    EXPECT_EQ(C("partir", 6, 0, nullptr, &fem), "partida");
    EXPECT_EQ(C("partir", 6, 0, nullptr, &plural), "partidos");
    EXPECT_EQ(C("partir", 6, 0, nullptr, &nada), "partido");
    // Agreement touches only participles.
    EXPECT_EQ(C("partir", 0, 2, nullptr, &femPlural), "parte");
}

TEST(Conjugacao, MarkedTextAndScanning)
{
    EXPECT_EQ(C("/falar/_s\xE9rio", 0, 2), "/fala/_s\xE9rio");
    EXPECT_EQ(C("/fazer/_de_novo", 3, 3), "/fazeremos/_de_novo");  // regular without a table
    EXPECT_EQ(C("/ficar/_e_/voar/_muito", 1, 0), "/fiquei/_e_/voei/_muito");
    EXPECT_EQ(C("/partir/_e_/comer/ depois", 2, 3), "/part\xED" "amos/_e_/com\xED" "amos/ depois");
    // Between the two pairs "b" is not marked.
    EXPECT_EQ(C("/ar/b/er/", 0, 0), "/o/b/o/");
    // A "/" without its pair marks nothing.
    EXPECT_EQ(C("/falar", 0, 0), "/falar");
    EXPECT_EQ(C("dar_certo", 0, 0), "dar_certo");
    for (int t = 0; t <= 8; ++t) EXPECT_EQ(C("dar_certo", t, 2), "dar_certo") << t;
    EXPECT_EQ(C("", 0, 0), "");
    EXPECT_EQ(C("//", 0, 0), "//");
}

TEST(Conjugacao, InfinitiveAndOutOfRangeCodesLeaveTheText)
{
    for (const char* t : {"falar", "/falar/_s\xE9rio"}) {
        EXPECT_EQ(C(t, 8, 0), t);
        EXPECT_EQ(C(t, 9, 0), t);
        EXPECT_EQ(C(t, -1, 0), t);
        EXPECT_EQ(C(t, 0, 6), t);
        EXPECT_EQ(C(t, 5, -1), t);
    }
    // The participle and gerund ignore the person.
    EXPECT_EQ(C("falar", 6, 9), "falado");
    EXPECT_EQ(C("falar", 7, 9), "falando");
}

TEST(Conjugacao, WritesStayInsideTheBuffers)
{
    // "falaríamos" needs 11 bytes; the text's buffer has 8: unchanged.
    EXPECT_EQ(C("/falar/", 4, 3, nullptr, nullptr, 8), "/falar/");
    EXPECT_EQ(C("/falar/", 4, 3, nullptr, nullptr, 13), "/falar\xED" "amos/");
    EXPECT_EQ(C("/falar/", 4, 3, nullptr, nullptr, 12), "/falar/");
    // Shrinking always fits.
    EXPECT_EQ(C("/falar/_x", 5, 0, nullptr, nullptr, 10), "/fal/_x");
    // Marked and whole-text words longer than the 51-byte work area are left alone.
    const std::string longa(60, 'a');
    EXPECT_EQ(C("/" + longa + "r/_x", 0, 0), "/" + longa + "r/_x");
    EXPECT_EQ(C(longa + "ar", 0, 0), longa + "ar");
    const std::string limite(49, 'a');  // 51 bytes with "ar"
    EXPECT_EQ(C(limite + "ar", 0, 0), limite + "o");
    EXPECT_EQ(C(limite + "ar", 0, 3), limite + "ar");  // the form would pass 51 bytes
    // A buffer without NUL is not touched.
    char cheio[5] = {'f', 'a', 'l', 'a', 'r'};
    Conjugar(nullptr, cheio, sizeof cheio, nullptr, 0, 0);
    EXPECT_EQ(std::string(cheio, 5), "falar");
}

TEST(Conjugacao, ExportedArgumentsAndTheThirtyEightForms)
{
    char buf[256] = "falar";
    ConjugarExportado(nullptr, buf, 0x10001, 0xFFFF0002);  // only the low 16 bits count
    EXPECT_STREQ(buf, "falou");
    std::strcpy(buf, "falar");
    ConjugarExportado(nullptr, buf, 6, 0);
    EXPECT_STREQ(buf, "falado");

    const auto f = FormasVerbo(nullptr, "falar");
    EXPECT_EQ(f[0], "falo");
    EXPECT_EQ(f[9], "falamos");  // tense 1, person 3
    EXPECT_EQ(f[30], "");        // imperative, first person
    EXPECT_EQ(f[31], "fala");
    EXPECT_EQ(f[35], "falem");
    EXPECT_EQ(f[36], "falado");
    EXPECT_EQ(f[37], "falando");
}

class ConjugacaoComTabela : public ::testing::Test {
protected:
    void SetUp() override
    {
        pasta_ = fs::temp_directory_path() / ("quillane_conjugacao_" + std::to_string(getpid()));
        fs::create_directories(pasta_);
    }
    void TearDown() override
    {
        std::error_code ec;
        fs::remove_all(pasta_, ec);
    }
    fs::path pasta_;
};

TEST_F(ConjugacaoComTabela, TheTableWinsOverTheSpellingRules)
{
    // A table that keeps "ficar" regular-looking where the rules would write "qu",
    // and gives "fazer" its participle.
    VerboFonte ficar;
    ficar.infinitivo = "ficar";
    ficar.terminacao = "ar";
    for (auto& t : ficar.trocas) t = "X";
    ficar.trocas[1 + 6 * 1 + 0] = "ei";
    ficar.trocas[0] = "ado";
    VerboFonte fazer;
    fazer.infinitivo = "fazer";
    fazer.terminacao = "azer";
    for (auto& t : fazer.trocas) t = "Y";
    fazer.trocas[0] = "eito";
    fazer.trocas[1 + 6 * 3 + 3] = "aremos";
    const auto img = MontarTabelaVerbos({ficar, fazer});
    std::ofstream(pasta_ / "vip.dic", std::ios::binary)
        .write(reinterpret_cast<const char*>(img.data()), static_cast<std::streamsize>(img.size()));
    clVerboI v;
    ASSERT_TRUE(CarregarVerbos(v, pasta_.c_str(), "vip.dic"));

    EXPECT_EQ(C("ficar", 1, 0, &v), "ficei");
    EXPECT_EQ(C("/ficar/_e_/pagar/", 1, 0, &v), "/ficei/_e_/paguei/");
    EXPECT_EQ(C("fazer", 6, 0, &v), "feito");
    const clSujeito femPlural{64 | 2};
    EXPECT_EQ(C("fazer", 6, 0, &v, &femPlural), "feitas");  // agreement on irregular participles too
    EXPECT_EQ(C("/fazer/_de_novo", 3, 3, &v), "/faremos/_de_novo");
    EXPECT_EQ(C("fazer", 7, 0, &v), "fazendo");  // the gerund never asks the table
}

TEST_F(ConjugacaoComTabela, PrefixoUnidoAVerboDaTabelaTomaSuasFormas)
{
    VerboFonte fazer;
    fazer.infinitivo = "fazer";
    fazer.terminacao = "azer";
    for (auto& t : fazer.trocas) t = "Y";
    fazer.trocas[0] = "eito";
    fazer.trocas[1 + 6 * 1 + 2] = "ez";
    VerboFonte haver;
    haver.infinitivo = "haver";
    haver.terminacao = "aver";
    for (auto& t : haver.trocas) t = "Z";
    haver.trocas[1 + 6 * 1 + 2] = "ouve";
    VerboFonte ser;
    ser.infinitivo = "ser";
    ser.terminacao = "ser";
    for (auto& t : ser.trocas) t = "W";
    ser.trocas[0] = "sido";
    const auto img = MontarTabelaVerbos({fazer, haver, ser});
    std::ofstream(pasta_ / "vip.dic", std::ios::binary)
        .write(reinterpret_cast<const char*>(img.data()), static_cast<std::streamsize>(img.size()));
    clVerboI v;
    ASSERT_TRUE(CarregarVerbos(v, pasta_.c_str(), "vip.dic"));

    EXPECT_EQ(C("refazer", 6, 0, &v), "refeito");
    EXPECT_EQ(C("refazer", 1, 2, &v), "refez");
    EXPECT_EQ(C("pr\xE9-fazer", 6, 0, &v), "pr\xE9-feito");
    const clSujeito femPlural{64 | 2};
    EXPECT_EQ(C("refazer", 6, 0, &v, &femPlural), "refeitas");
    EXPECT_EQ(C("/refazer/_o_login", 1, 2, &v), "/refez/_o_login");
    // The "h" the joint dropped stays out of the forms: "reaver", "reouve".
    EXPECT_EQ(C("reaver", 1, 2, &v), "reouve");
    // "coser" is no "co" + "ser": it stays regular.
    EXPECT_EQ(C("coser", 6, 0, &v), "cosido");
    // Without a table every verb is regular.
    EXPECT_EQ(C("refazer", 6, 0), "refazido");
}

// The shipped table against the reference conjugations of a fixed sample of
// verbs: every finite form, participle and gerund must agree.
TEST(ConjugacaoDadosReais, SampleAgreesWithTheReference)
{
    const std::string pasta = std::string(QUILLANE_BIN_DIR) + "/quillane";
    clVerboI v;
    ASSERT_TRUE(CarregarVerbos(v, pasta.c_str(), "vip.dic")) << "vip.dic not built in " << pasta;
    std::ifstream in(std::string(QUILLANE_TESTE_DADOS) + "/verbos_amostra.txt");
    ASSERT_TRUE(in);
    std::string linha;
    int verbosLidos = 0, formas = 0;
    while (std::getline(in, linha)) {
        if (linha.empty() || linha[0] == '#') continue;
        const std::string cp = Utf8ParaCp1252(linha);
        std::vector<std::string> c;
        std::size_t ini = 0;
        for (std::size_t fim; (fim = cp.find(':', ini)) != std::string::npos; ini = fim + 1)
            c.push_back(cp.substr(ini, fim - ini));
        c.push_back(cp.substr(ini));
        ASSERT_EQ(c.size(), 39u) << linha;
        ++verbosLidos;
        const auto nossas = FormasVerbo(&v, c[0]);
        for (int i = 0; i < 38; ++i) {
            const std::string& ref = i < 36 ? c[3 + i] : i == 36 ? c[2] : c[1];
            if (ref.empty() || i == 30) continue;
            ++formas;
            EXPECT_EQ(Cp1252ParaUtf8(nossas[i]), Cp1252ParaUtf8(ref)) << Cp1252ParaUtf8(c[0]) << " slot " << i;
        }
    }
    EXPECT_GE(verbosLidos, 300);
    EXPECT_GT(formas, 300 * 30);
}

} // namespace
