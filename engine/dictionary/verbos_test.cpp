#include "dictionary/verbos.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <unistd.h>
#include <vector>

#include "caracteres.h"
#include "formato_dicionario.h"
#include "mensagens.h"

namespace {

namespace fs = std::filesystem;

// A verb whose every replacement names its slot, so a test can tell which
// slot the lookup took: slot s holds "<s>".
VerboFonte VerboMarcado(const std::string& infinitivo, const std::string& terminacao)
{
    VerboFonte v;
    v.infinitivo = infinitivo;
    v.terminacao = terminacao;
    for (int s = 1; s < verbos::kSlots; ++s) v.trocas[s - 1] = "<" + std::to_string(s) + ">";
    return v;
}

class VerbosTeste : public ::testing::Test {
protected:
    void SetUp() override
    {
        pasta_ = fs::temp_directory_path() / ("quillane_verbos_" + std::to_string(getpid()) + "_" +
                                              ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(pasta_);
        DefinirSaidaMensagens([this](const std::string& titulo, const std::string& texto) {
            mensagens_.push_back(titulo + "|" + texto);
            return 1;
        });
    }
    void TearDown() override
    {
        DefinirSaidaMensagens({});
        std::error_code ec;
        fs::remove_all(pasta_, ec);
    }

    // Writes `nome` from a complemented image, after `mexer` has changed the
    // decoded bytes.
    void Gravar(const std::string& nome, std::vector<unsigned char> imagem,
                const std::function<void(std::vector<unsigned char>&)>& mexer = {})
    {
        if (mexer) {
            formato::Complementar(imagem.data(), imagem.size());
            mexer(imagem);
            formato::Complementar(imagem.data(), imagem.size());
        }
        std::ofstream out(pasta_ / nome, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(imagem.data()), static_cast<std::streamsize>(imagem.size()));
    }

    std::vector<unsigned char> ImagemBasica()
    {
        return MontarTabelaVerbos({VerboMarcado("fazer", "azer"), VerboMarcado("dizer", "izer"),
                                   VerboMarcado("p\xF4r", "\xF4r")});
    }

    bool Carregar(clVerboI& v, const std::string& nome) { return CarregarVerbos(v, pasta_.c_str(), nome.c_str()); }

    fs::path pasta_;
    std::vector<std::string> mensagens_;
};

TEST_F(VerbosTeste, SlotArithmeticOfTheLookup)
{
    Gravar("vip.dic", ImagemBasica());
    clVerboI v;
    ASSERT_TRUE(Carregar(v, "vip.dic"));
    EXPECT_EQ(v.ultimo, 2);
    EXPECT_EQ(v.largChave, 6);  // "fazer" and "dizer" plus their NUL
    EXPECT_EQ(v.tamFicha, 10);

    char w[51] = "fazer";
    EXPECT_TRUE(FormaIrregular(v, w, 3, 6));  // participle: slot 1, person ignored
    EXPECT_STREQ(w, "f<1>");
    std::strcpy(w, "fazer");
    EXPECT_TRUE(FormaIrregular(v, w, 5, 5));
    EXPECT_STREQ(w, "f<37>");
    std::strcpy(w, "dizer");
    EXPECT_TRUE(FormaIrregular(v, w, 0, 0));
    EXPECT_STREQ(w, "d<2>");
    std::strcpy(w, "p\xF4r");
    EXPECT_TRUE(FormaIrregular(v, w, 2, 1));  // 2 + 6 * 1 + 2
    EXPECT_STREQ(w, "p<10>");
}

TEST_F(VerbosTeste, AbsentVerbsBadCodesAndNonMatchingEndings)
{
    // The key is the whole word: a table entry does not match a longer
    // word that merely ends like it, and its ending need not match.
    auto img = MontarTabelaVerbos({VerboMarcado("fazer", "azer"), VerboMarcado("xyz", "abc"), VerboMarcado("ab", "b")});
    Gravar("vip.dic", img);
    clVerboI v;
    ASSERT_TRUE(Carregar(v, "vip.dic"));
    char w[51] = "refazer";
    EXPECT_FALSE(FormaIrregular(v, w, 0, 0));
    EXPECT_STREQ(w, "refazer");
    std::strcpy(w, "xyz");
    EXPECT_TRUE(FormaIrregular(v, w, 0, 0));
    EXPECT_STREQ(w, "xyz");
    std::strcpy(w, "fazer");
    EXPECT_FALSE(FormaIrregular(v, w, 6, 0));
    EXPECT_FALSE(FormaIrregular(v, w, 0, 7));
    EXPECT_FALSE(FormaIrregular(v, w, -1, 2));
    EXPECT_STREQ(w, "fazer");
    // A form that would not fit the caller's buffer leaves the word alone.
    char curto[3] = "ab";
    EXPECT_TRUE(FormaIrregular(v, curto, 5, 5, sizeof curto));
    EXPECT_STREQ(curto, "ab");
    char justo[6] = "ab";
    EXPECT_TRUE(FormaIrregular(v, justo, 5, 5, sizeof justo));
    EXPECT_STREQ(justo, "a<37>");
    // An empty table finds nothing.
    clVerboI vazio;
    EXPECT_FALSE(FormaIrregular(vazio, w, 0, 0));
}

TEST_F(VerbosTeste, BinarySearchFindsEveryRecordOfALargeTable)
{
    std::vector<VerboFonte> lista;
    for (int i = 0; i < 700; ++i) {
        std::string inf = "v" + std::to_string(i * 7919 % 100000) + "ar";
        if (i % 50 == 0) inf = "\xE9" "x" + std::to_string(i) + "ar";  // high bytes sort last
        lista.push_back(VerboMarcado(inf, "ar"));
    }
    Gravar("vip.dic", MontarTabelaVerbos(lista));
    clVerboI v;
    ASSERT_TRUE(Carregar(v, "vip.dic"));
    for (const VerboFonte& e : lista) {
        char w[51];
        CopiarTexto(w, sizeof w, e.infinitivo.c_str());
        ASSERT_TRUE(FormaIrregular(v, w, 1, 3)) << e.infinitivo;
        EXPECT_EQ(std::string(w), e.infinitivo.substr(0, e.infinitivo.size() - 2) + "<21>");
    }
    char w[51] = "naoexistear";
    EXPECT_FALSE(FormaIrregular(v, w, 0, 0));
    std::strcpy(w, "a");
    EXPECT_FALSE(FormaIrregular(v, w, 0, 0));
    std::strcpy(w, "\xFF");
    EXPECT_FALSE(FormaIrregular(v, w, 0, 0));
}

TEST_F(VerbosTeste, SecondTableSharesTheDecodedMappingAndReleases)
{
    Gravar("vip.dic", ImagemBasica());
    clVerboI a, b;
    ASSERT_TRUE(Carregar(a, "vip.dic"));
    ASSERT_TRUE(Carregar(b, "vip.dic"));
    char w[51] = "dizer";
    EXPECT_TRUE(FormaIrregular(b, w, 2, 0));
    EXPECT_STREQ(w, "d<4>");
    LiberarVerbos(a);
    EXPECT_EQ(a.dados, nullptr);
    std::strcpy(w, "dizer");
    EXPECT_FALSE(FormaIrregular(a, w, 2, 0));
    std::strcpy(w, "dizer");
    EXPECT_TRUE(FormaIrregular(b, w, 2, 0));
    EXPECT_TRUE(mensagens_.empty());
}

TEST_F(VerbosTeste, MissingFileFailsWithoutMessage)
{
    clVerboI v;
    EXPECT_FALSE(Carregar(v, "nao_existe.dic"));
    EXPECT_TRUE(mensagens_.empty());
    char w[51] = "fazer";
    EXPECT_FALSE(FormaIrregular(v, w, 0, 0));
}

TEST_F(VerbosTeste, DamagedFilesAreRefusedWithMessage10)
{
    using Img = std::vector<unsigned char>;
    const Img boa = ImagemBasica();
    const std::size_t n = boa.size() - verbos::kTamCabecalho;
    const unsigned k = 6;
    const std::vector<std::pair<std::string, std::function<void(Img&)>>> danos = {
        {"truncado", [](Img& i) { i.pop_back(); }},
        {"sobra", [](Img& i) { i.push_back(0); }},
        {"so_cabecalho", [](Img& i) { i.resize(5); }},
        {"n_zero", [](Img& i) { i.resize(8); formato::Gravar32(i.data(), 0); }},
        {"k_zero", [](Img& i) { i[6] = 0; }},
        {"w_zero", [](Img& i) { i[7] = 0; }},
        {"registros_demais", [](Img& i) { formato::Gravar16(i.data() + 4, 5000); }},
        {"l_negativo", [](Img& i) { formato::Gravar16(i.data() + 4, 0xFFFF); }},
        {"deslocamento_fora", [n, k](Img& i) { formato::Gravar32(i.data() + 8 + k, static_cast<std::uint32_t>(n)); }},
        {"bloco_cortado", [n, k](Img& i) { formato::Gravar32(i.data() + 8 + k, static_cast<std::uint32_t>(n - 10)); }},
        {"chave_sem_fim", [k](Img& i) { std::memset(i.data() + 8, 'a', k); }},
        {"slot_sem_fim", [](Img& i) { std::memset(i.data() + i.size() - 7, 'a', 7); }},
    };
    for (const auto& [nome, mexer] : danos) {
        mensagens_.clear();
        Gravar(nome + ".dic", boa, mexer);
        clVerboI v;
        EXPECT_FALSE(Carregar(v, nome + ".dic")) << nome;
        ASSERT_EQ(mensagens_.size(), 1u) << nome;
        EXPECT_NE(mensagens_[0].find("Erro 10"), std::string::npos) << mensagens_[0];
        EXPECT_NE(mensagens_[0].find(nome + ".dic"), std::string::npos) << mensagens_[0];
        char w[51] = "fazer";
        EXPECT_FALSE(FormaIrregular(v, w, 0, 0)) << nome;
    }
}

TEST(MontarTabelaVerbos, RefusesWhatTheFormatCannotHold)
{
    std::string erro;
    EXPECT_TRUE(MontarTabelaVerbos({}, &erro).empty());
    EXPECT_TRUE(MontarTabelaVerbos({VerboMarcado("ir", "ir"), VerboMarcado("ir", "r")}, &erro).empty());
    EXPECT_NE(erro.find("ir"), std::string::npos);
    VerboFonte longo = VerboMarcado("ir", "ir");
    longo.trocas[4] = std::string(300, 'x');
    EXPECT_TRUE(MontarTabelaVerbos({longo}, &erro).empty());
}

} // namespace
