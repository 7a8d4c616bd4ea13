#include "dictionary/dicionario.h"

#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <iterator>
#include <functional>
#include <memory>
#include <random>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "compilador.h"
#include "formato_dicionario.h"
#include "mensagens.h"

namespace {

using namespace std::string_literals;
using Bytes = std::string;

// The entry part of a record: class, mask, root, optional fields, translations.
Bytes Corpo(std::uint16_t classe, std::uint8_t mascara, const std::string& raiz, const Bytes& opcionais,
            const Bytes& traducoes)
{
    Bytes b;
    b += static_cast<char>(classe & 0xFF);
    b += static_cast<char>(classe >> 8);
    b += static_cast<char>(mascara);
    b += raiz;
    b += '\0';
    return b + opcionais + traducoes;
}

Bytes Traducoes(std::initializer_list<std::string> campos)
{
    Bytes b;
    for (const auto& c : campos) b += c + '\0';
    return b;
}

// The decoded image of a dictionary (N, index, data) written the way the
// compiler lays it out; tests damage it before complementing.
struct Imagem {
    std::uint16_t indice[formato::kCasas];
    Bytes dados;
    std::uint32_t tamDados;

    Bytes Arquivo() const
    {
        Bytes b(formato::kTamCabecalho, '\0');
        auto* p = reinterpret_cast<unsigned char*>(b.data());
        formato::Gravar32(p, tamDados);
        for (int i = 0; i < formato::kCasas; ++i) formato::Gravar16(p + 4 + 2 * i, indice[i]);
        b += dados;
        formato::Complementar(b.data(), b.size());
        return b;
    }
    unsigned char* Descritor(std::size_t r) { return reinterpret_cast<unsigned char*>(dados.data()) + 5 * r; }
    unsigned char* Registro(std::size_t r) { return reinterpret_cast<unsigned char*>(dados.data()) + formato::Ler32(Descritor(r) + 1); }
};

Imagem Montar(const std::vector<std::pair<std::string, Bytes>>& entradas)
{
    Imagem im{};
    for (auto& e : im.indice) e = formato::kSemRegistro;
    Bytes registros, descritores;
    const std::size_t total = entradas.size();
    for (std::size_t i = 0; i < total; ++i) {
        const std::string& chave = entradas[i].first;
        im.indice[formato::Casa(chave.c_str())] = static_cast<std::uint16_t>(i);
        Bytes reg = chave.size() >= 2 ? chave.substr(2) + '\0' : Bytes();
        reg += entradas[i].second;
        unsigned char d[5];
        d[0] = static_cast<unsigned char>(reg.size());
        formato::Gravar32(d + 1, static_cast<std::uint32_t>(5 * total + registros.size()));
        descritores.append(reinterpret_cast<char*>(d), 5);
        registros += reg;
    }
    for (int c = 1; c < formato::kCasas; ++c)
        if (im.indice[c] == formato::kSemRegistro) im.indice[c] = im.indice[c - 1];
    im.dados = descritores + registros;
    im.tamDados = static_cast<std::uint32_t>(im.dados.size());
    return im;
}

void GravarArquivo(const std::string& caminho, const Bytes& conteudo)
{
    std::ofstream f(caminho, std::ios::binary | std::ios::trunc);
    f.write(conteudo.data(), static_cast<std::streamsize>(conteudo.size()));
}

std::vector<std::string> ObjetosDoUsuario(const std::string& nome)
{
    std::vector<std::string> achados;
    const std::string prefixo = nome + "." + std::to_string(geteuid()) + ".";
    if (DIR* d = opendir("/dev/shm")) {
        while (dirent* e = readdir(d))
            if (std::strncmp(e->d_name, prefixo.c_str(), prefixo.size()) == 0) achados.push_back(e->d_name);
        closedir(d);
    }
    return achados;
}

// The general dictionary of most tests.
std::vector<std::pair<std::string, Bytes>> EntradasGerais()
{
    return {
        {"a", Corpo(CL_ARTIGO, 0, "", Bytes("\x04\x00", 2), Traducoes({"um"}))},
        {"an", Corpo(CL_ARTIGO, 0, "a", Bytes("\x04\x00", 2), Traducoes({"um"}))},
        {"bank", Corpo(CL_SUBSTANTIVO, 0x01, "", "\x21", Traducoes({"banco", ">N", "margem"}))},
        {std::string("caf\xE9"), Corpo(CL_SUBSTANTIVO, 0, "", "\x01", Traducoes({"caf\xE9"}))},
        {"go", Corpo(CL_VERBO, 0, "", Bytes("\x00\x00\x00\x00", 4), Traducoes({"ir"}))},
        {"hello", Corpo(CL_INTERJEICAO, 0, "", "", Traducoes({"ol\xE1"}))},
        {"the", Corpo(CL_ARTIGO, 0x02, "", Bytes("\x02\x00", 2), Traducoes({"o"}))},
        {"well-known", Corpo(CL_ADJETIVO, 0, "", "\x04", Traducoes({"conhecido"}))},
        {"went", Corpo(CL_VERBO, 0, "go", Bytes("\x07\x00\x08\x00", 4), Traducoes({"/ir/"}))},
    };
}

class Dicionario : public ::testing::Test {
protected:
    void SetUp() override
    {
        char modelo[] = "/tmp/quillane_dicXXXXXX";
        ASSERT_NE(mkdtemp(modelo), nullptr);
        pasta_ = modelo;
        ASSERT_EQ(mkdir((pasta_ + "/dic").c_str(), 0700), 0);
        // The user's own dictionary folder, empty unless a test fills it.
        setenv("XDG_DATA_HOME", (pasta_ + "/xdg").c_str(), 1);
        DefinirSaidaMensagens([this](const std::string& titulo, const std::string& texto) {
            mensagens_.emplace_back(titulo, texto);
            return 1;
        });
        GravarArquivo(pasta_ + "/ip.dic", Montar(EntradasGerais()).Arquivo());
    }
    void TearDown() override
    {
        LiberarDicionario(&cabeca_);
        DefinirSaidaMensagens({});
        unsetenv("XDG_DATA_HOME");
        std::system(("rm -rf '" + pasta_ + "'").c_str());
    }

    std::string Udc(const std::string& nome) const { return pasta_ + "/dic/" + nome + ".udc"; }

    clVerbete Procurar(const char* palavra, bool* achou = nullptr)
    {
        clVerbete w;
        std::memset(&w, 0x7F, sizeof w);
        LimparVerbete(&w);
        std::strcpy(w.vocabulo, palavra);
        const bool r = ProcurarPalavra(&cabeca_, &w);
        if (achou) *achou = r;
        return w;
    }

    std::string pasta_;
    clDicionario cabeca_;
    std::vector<std::pair<std::string, std::string>> mensagens_;
};

TEST_F(Dicionario, FormasDeChaveDoBalde)
{
    ASSERT_TRUE(AbrirDicionario(&cabeca_, pasta_.c_str(), "ip"));
    EXPECT_TRUE(mensagens_.empty());
    EXPECT_EQ(formato::Casa("a"), 87);

    bool achou = false;
    clVerbete w = Procurar("a", &achou);
    EXPECT_TRUE(achou);
    EXPECT_EQ(w.classe, CL_ARTIGO);
    EXPECT_EQ(w.flagsArtigo, 4);
    EXPECT_STREQ(w.blocoTraducoes, "um");

    w = Procurar("an", &achou);
    EXPECT_TRUE(achou);
    EXPECT_STREQ(w.formaBase, "a");

    w = Procurar("Hello", &achou);
    EXPECT_TRUE(achou);
    EXPECT_STREQ(w.vocabulo, "hello");
    EXPECT_EQ(w.classe, CL_INTERJEICAO);
    EXPECT_STREQ(w.blocoTraducoes, "ol\xE1");

    w = Procurar("caf\xE9", &achou);
    EXPECT_TRUE(achou);
    EXPECT_EQ(w.classe, CL_SUBSTANTIVO);

    w = Procurar("Well-Known", &achou);
    EXPECT_TRUE(achou);
    EXPECT_EQ(w.flagsAdj, 4);

    // An empty slot.
    w = Procurar("ap", &achou);
    EXPECT_FALSE(achou);
    EXPECT_EQ(w.classe, 0);
    EXPECT_EQ(w.tamTraducoes, 0);
}

TEST_F(Dicionario, TokensQueNaoSaoPalavras)
{
    ASSERT_TRUE(AbrirDicionario(&cabeca_, pasta_.c_str(), "ip"));
    struct Caso {
        const char* texto;
        std::uint16_t classe;
    } casos[] = {{"\xE9" "clair", CL_SIMBOLO}, {"\xFC" "ber", CL_SIMBOLO}, {"3rd", CL_SIMBOLO},
                 {"42", CL_SIMBOLO},           {",", CL_VIRGULA},          {"?", CL_PONTUACAO},
                 {"=", CL_PONTUACAO},          {"a\xE9", CL_SIMBOLO},      {"^x", CL_SIMBOLO}};
    for (const Caso& c : casos) {
        clVerbete w;
        LimparVerbete(&w);
        std::strcpy(w.vocabulo, c.texto);
        std::strcpy(w.formaBase, "intocado");
        EXPECT_TRUE(ProcurarPalavra(&cabeca_, &w)) << c.texto;
        EXPECT_EQ(w.classe, c.classe) << c.texto;
        EXPECT_STREQ(w.formaBase, "intocado") << c.texto;
        EXPECT_STREQ(w.vocabulo, c.texto);
    }
    bool achou = true;
    clVerbete w = Procurar("Don't", &achou);
    EXPECT_FALSE(achou);
    EXPECT_EQ(w.classe, 0);
    EXPECT_STREQ(w.vocabulo, "don't");
}

TEST_F(Dicionario, CamposDaEntrada)
{
    ASSERT_TRUE(AbrirDicionario(&cabeca_, pasta_.c_str(), "ip"));
    bool achou = false;
    clVerbete w = Procurar("went", &achou);
    ASSERT_TRUE(achou);
    EXPECT_STREQ(w.formaBase, "go");
    EXPECT_EQ(w.numeroVerbo, 7);
    EXPECT_EQ(w.formas, 8);
    w = Procurar("go");
    EXPECT_EQ(w.formas, 0x0001);  // stored 0: an infinitive
    w = Procurar("bank");
    EXPECT_EQ(w.mascaraLocucao, 1);
    EXPECT_EQ(w.flagsSubst, 0x21);
    ASSERT_EQ(w.tamTraducoes, 16);
    EXPECT_EQ(std::memcmp(w.blocoTraducoes, "banco\0>N\0margem\0", 16), 0);
    // A later lookup leaves nothing of the earlier entry behind.
    w = Procurar("the");
    EXPECT_EQ(w.flagsSubst, 0);
    EXPECT_EQ(w.numeroVerbo, 0);
}

TEST_F(Dicionario, PalavraAntesDoPrimeiroRegistroPassaAoSeguinte)
{
    GravarArquivo(Udc("tec"), Montar({{"abc", Corpo(CL_SUBSTANTIVO, 0, "", "\x01", Traducoes({"abc"}))},
                                      {"abd", Corpo(CL_ADVERBIO, 0, "", "", "")}})
                                  .Arquivo());
    GravarArquivo(pasta_ + "/ip.dic",
                  Montar({{"ab", Corpo(CL_PREPOSICAO, 0, "", "", Traducoes({"geral"}))}}).Arquivo());
    ASSERT_TRUE(AbrirDicionario(&cabeca_, pasta_.c_str(), "tec\r\nip"));
    bool achou = false;
    clVerbete w = Procurar("ab", &achou);
    EXPECT_TRUE(achou);
    EXPECT_STREQ(w.blocoTraducoes, "geral");
    w = Procurar("abd", &achou);
    EXPECT_TRUE(achou);
    EXPECT_EQ(w.classe, CL_ADVERBIO);
    EXPECT_EQ(w.tamTraducoes, 0);
}

TEST_F(Dicionario, DicionarioDoUsuarioEscondeOGeralPorInteiro)
{
    GravarArquivo(Udc("tec"), Montar({{"hello", Corpo(CL_SUBSTANTIVO, 0, "", "\x01", Traducoes({"al\xF4"}))}}).Arquivo());
    GravarArquivo(Udc("outro"), Montar({{"bank", Corpo(CL_VERBO, 0, "", Bytes(4, '\0'), "")}}).Arquivo());
    ASSERT_TRUE(AbrirDicionario(&cabeca_, pasta_.c_str(), "tec\r\noutro\r\nip"));
    clVerbete w = Procurar("hello");
    EXPECT_EQ(w.classe, CL_SUBSTANTIVO);
    EXPECT_STREQ(w.blocoTraducoes, "al\xF4");
    EXPECT_EQ(w.tamTraducoes, 4);
    w = Procurar("bank");
    EXPECT_EQ(w.classe, CL_VERBO);
    EXPECT_EQ(w.tamTraducoes, 0);
    EXPECT_EQ(w.mascaraLocucao, 0);
    w = Procurar("the");
    EXPECT_EQ(w.classe, CL_ARTIGO);
}

TEST_F(Dicionario, DicionarioDoUsuarioAusente)
{
    GravarArquivo(Udc("tec"), Montar({{"hello", Corpo(CL_SUBSTANTIVO, 0, "", "\x01", "")}}).Arquivo());
    ASSERT_TRUE(AbrirDicionario(&cabeca_, pasta_.c_str(), "tec\r\nfalta\r\nip"));
    ASSERT_EQ(mensagens_.size(), 1u);
    EXPECT_EQ(mensagens_[0].first, "Quillane : Erro 1");
    EXPECT_EQ(mensagens_[0].second, "Arquivo \"" + Udc("falta") + "\" n\xE3o foi encontrado.");
    EXPECT_EQ(Procurar("hello").classe, CL_SUBSTANTIVO);
    EXPECT_EQ(Procurar("went").classe, CL_VERBO);

    // The first user dictionary is not special: missing, damaged or blank,
    // it is skipped with its message and the rest of the chain works.
    mensagens_.clear();
    GravarArquivo(Udc("dano"), "\x01\x02\x03");
    EXPECT_TRUE(AbrirDicionario(&cabeca_, pasta_.c_str(), "falta\r\n\r\ndano\r\ntec\r\nip"));
    ASSERT_EQ(mensagens_.size(), 2u);
    EXPECT_NE(mensagens_[0].second.find("falta.udc"), std::string::npos);
    EXPECT_NE(mensagens_[1].second.find("dano.udc"), std::string::npos);
    EXPECT_EQ(Procurar("hello").classe, CL_SUBSTANTIVO);
    EXPECT_EQ(Procurar("went").classe, CL_VERBO);

    mensagens_.clear();
    EXPECT_FALSE(AbrirDicionario(&cabeca_, (pasta_ + "/nada").c_str(), "ip"));
    ASSERT_EQ(mensagens_.size(), 1u);
    EXPECT_NE(mensagens_[0].second.find(pasta_ + "/nada/ip.dic"), std::string::npos);
    bool achou = true;
    EXPECT_EQ(Procurar("hello", &achou).classe, 0);
    EXPECT_FALSE(achou);
}

TEST_F(Dicionario, DicionarioNaPastaDoUsuario)
{
    const std::string propria = pasta_ + "/xdg/quillane/dic";
    ASSERT_EQ(std::system(("mkdir -p '" + propria + "'").c_str()), 0);
    // "meu" exists only in the user's folder; "tec" in both, and the user's
    // copy hides the installation's.
    GravarArquivo(propria + "/meu.udc", Montar({{"hello", Corpo(CL_SUBSTANTIVO, 0, "", "\x01", "")}}).Arquivo());
    GravarArquivo(propria + "/tec.udc", Montar({{"bank", Corpo(CL_ADVERBIO, 0, "", "", "")}}).Arquivo());
    GravarArquivo(Udc("tec"), Montar({{"bank", Corpo(CL_VERBO, 0, "", Bytes(4, '\0'), "")},
                                      {"go", Corpo(CL_ADJETIVO, 0, "", "\x01", "")}}).Arquivo());
    ASSERT_TRUE(AbrirDicionario(&cabeca_, pasta_.c_str(), "meu\r\ntec\r\nip"));
    EXPECT_TRUE(mensagens_.empty());
    EXPECT_EQ(Procurar("hello").classe, CL_SUBSTANTIVO);
    EXPECT_EQ(Procurar("bank").classe, CL_ADVERBIO);
    EXPECT_EQ(Procurar("go").classe, CL_VERBO);  // the installation's "tec" is not read

    // A user's folder whose dictionary path would not fit a path field is
    // skipped whole: the installation's copy is read, and nothing is opened
    // under a cut path.
    std::string longa = pasta_ + "/" + std::string(100, 'x') + "/" + std::string(100, 'y');
    const std::string propriaLonga = longa + "/quillane/dic";
    ASSERT_EQ(std::system(("mkdir -p '" + propriaLonga + "'").c_str()), 0);
    ASSERT_LT(propriaLonga.size(), 256u);  // the folder fits, its file does not
    const std::string nome(256 - propriaLonga.size() - 5, 't');
    ASSERT_EQ((propriaLonga + "/" + nome + ".udc").size(), 256u);
    GravarArquivo(propriaLonga + "/" + nome + ".udc", Montar({{"bank", Corpo(CL_ADVERBIO, 0, "", "", "")}}).Arquivo());
    GravarArquivo(Udc(nome), Montar({{"bank", Corpo(CL_VERBO, 0, "", Bytes(4, '\0'), "")}}).Arquivo());
    setenv("XDG_DATA_HOME", longa.c_str(), 1);
    ASSERT_TRUE(AbrirDicionario(&cabeca_, pasta_.c_str(), (nome + "\r\nip").c_str()));
    EXPECT_EQ(Procurar("bank").classe, CL_VERBO);
    // A folder that does not fit at all is skipped the same way.
    setenv("XDG_DATA_HOME", (longa + "/" + std::string(200, 'z')).c_str(), 1);
    ASSERT_TRUE(AbrirDicionario(&cabeca_, pasta_.c_str(), "tec\r\nip"));
    EXPECT_EQ(Procurar("go").classe, CL_ADJETIVO);
    EXPECT_TRUE(mensagens_.empty());
}

TEST_F(Dicionario, VocabuloSemNulNaoEstoura)
{
    ASSERT_TRUE(AbrirDicionario(&cabeca_, pasta_.c_str(), "ip"));
    auto w = std::make_unique<clVerbete>();
    std::memset(w.get(), 'A', sizeof *w);
    ProcurarPalavra(&cabeca_, w.get());
    EXPECT_EQ(w->vocabulo[TAM_PALAVRA - 1], '\0');
    EXPECT_EQ(std::strlen(w->vocabulo), TAM_PALAVRA - 1);
    EXPECT_EQ(w->classe, 0);

    clDicionario vazio;
    EXPECT_FALSE(ProcurarPalavra(&vazio, w.get()));
    EXPECT_FALSE(ProcurarPalavra(nullptr, w.get()));
}

TEST_F(Dicionario, RegistroMaisLongoEChavesDe50Bytes)
{
    const std::string longa(50, 'z');
    std::string traducoes;
    while (traducoes.size() < 190) traducoes += "traducao\0"s;
    const Bytes corpo = Corpo(CL_SUBSTANTIVO | CL_PRONOME, 0xFF, "", Bytes("\x02\x10\x00", 3), traducoes);
    ASSERT_EQ(48 + 1 + corpo.size() <= 255, true);
    GravarArquivo(pasta_ + "/ip.dic", Montar({{longa, corpo}}).Arquivo());
    ASSERT_TRUE(AbrirDicionario(&cabeca_, pasta_.c_str(), "ip"));
    bool achou = false;
    clVerbete w = Procurar(longa.c_str(), &achou);
    ASSERT_TRUE(achou);
    EXPECT_EQ(w.flagsPron, 0x10);
    EXPECT_EQ(w.mascaraLocucao, 0xFF);
    EXPECT_EQ(w.tamTraducoes, traducoes.size());
    EXPECT_EQ(std::memcmp(w.blocoTraducoes, traducoes.data(), traducoes.size()), 0);
    EXPECT_EQ(w.blocoTraducoes[w.tamTraducoes], '\0');
    Procurar((longa.substr(0, 49) + "y").c_str(), &achou);
    EXPECT_FALSE(achou);
}

// At least 20,000 keys over every shape of bucket: one letter, "-" or "_"
// second, letters second, the rows before "a", keys of up to 50 bytes.
TEST_F(Dicionario, DicionarioGrandeAchaTodasAsChaves)
{
    std::mt19937 gerador(1234);
    const std::string primeiros = "^_`abcdefghijklmnopqrstuvwxyz";
    const std::string resto = "abcdefghijklmnopqrstuvwxyz-_";
    std::set<std::string> chaves;
    for (char c : primeiros) {
        chaves.insert(std::string(1, c));
        chaves.insert(std::string(1, c) + "-");
        chaves.insert(std::string(1, c) + "-x");
        chaves.insert(std::string(1, c) + "_y");
    }
    chaves.insert(std::string(50, 'q'));
    while (chaves.size() < 22000) {
        const std::size_t tam = 2 + gerador() % (gerador() % 4 == 0 ? 49 : 10);
        std::string k(1, primeiros[gerador() % primeiros.size()]);
        while (k.size() < tam) k += resto[gerador() % resto.size()];
        chaves.insert(k);
    }
    std::vector<std::pair<std::string, Bytes>> entradas;
    int numero = 0;
    for (const std::string& k : chaves)
        entradas.emplace_back(k, Corpo(CL_SUBSTANTIVO, 0, "", "\x01", std::to_string(numero++) + '\0'));
    GravarArquivo(pasta_ + "/ip.dic", Montar(entradas).Arquivo());
    ASSERT_TRUE(AbrirDicionario(&cabeca_, pasta_.c_str(), "ip"));
    EXPECT_EQ(cabeca_.totalRegistros, chaves.size());

    numero = 0;
    int procuradas = 0;
    for (const std::string& k : chaves) {
        bool achou = false;
        const clVerbete w = Procurar(k.c_str(), &achou);
        if (k[0] < 'a') {
            // Rows before "a" hold keys that no word token can reach.
            EXPECT_TRUE(achou);
            EXPECT_EQ(w.classe, CL_SIMBOLO);
        } else {
            ASSERT_TRUE(achou) << k;
            ASSERT_STREQ(w.blocoTraducoes, std::to_string(numero).c_str()) << k;
            ++procuradas;
        }
        ++numero;
    }
    EXPECT_GT(procuradas, 18000);

    int ausentes = 0;
    for (const std::string& k : chaves) {
        if (k[0] < 'a' || k.size() >= 50) continue;
        for (const std::string& variante : {k + "k", k.substr(0, k.size() - 1) + "a", k + "-"}) {
            if (chaves.count(variante)) continue;
            bool achou = true;
            const clVerbete w = Procurar(variante.c_str(), &achou);
            ASSERT_FALSE(achou) << variante;
            ASSERT_EQ(w.classe, 0);
            ++ausentes;
        }
    }
    EXPECT_GT(ausentes, 10000);
}

TEST_F(Dicionario, IdaEVoltaPeloCompilador)
{
    const std::string fonte =
        "a!EI.T(um)\r\n"
        "bank!#13.NFSA.AETD.VSRI07.EI.PS3.T(banco,>N,margem).R(banks)\r\n"
        "go!V.T(ir)\r\n"
        "must!X.T(dever)\r\n"
        "went!VS.T(/ir/).R(go)\r\n";
    const std::string udc = Udc("fonte");
    ASSERT_TRUE(CompilarDicionario(fonte.c_str(), udc.c_str()));
    ASSERT_TRUE(AbrirDicionario(&cabeca_, pasta_.c_str(), "fonte\r\nip"));

    bool achou = false;
    clVerbete w = Procurar("bank", &achou);
    ASSERT_TRUE(achou);
    EXPECT_EQ(w.classe, CL_SUBSTANTIVO | CL_ADJETIVO | CL_VERBO | CL_ARTIGO | CL_PRONOME);
    EXPECT_EQ(w.mascaraLocucao, 0x05);
    EXPECT_STREQ(w.formaBase, "banks");
    EXPECT_EQ(w.flagsSubst, 0x45);
    EXPECT_EQ(w.flagsAdj, 0x1C);
    EXPECT_EQ(w.numeroVerbo, 7);
    EXPECT_EQ(w.formas, 0x0818);
    EXPECT_EQ(w.flagsArtigo, 0x0004);
    EXPECT_EQ(w.flagsPron, 0x0090);
    ASSERT_EQ(w.tamTraducoes, 16);
    EXPECT_EQ(std::memcmp(w.blocoTraducoes, "banco\0>N\0margem\0", 16), 0);

    w = Procurar("a", &achou);
    ASSERT_TRUE(achou);
    EXPECT_EQ(w.classe, CL_ARTIGO);
    EXPECT_EQ(w.flagsArtigo, 0x0004);
    EXPECT_STREQ(w.blocoTraducoes, "um");  // from the user dictionary, not "ip"

    w = Procurar("go");
    EXPECT_EQ(w.formas, 0x0001);
    EXPECT_EQ(w.classe, CL_VERBO);
    w = Procurar("must");
    EXPECT_EQ(w.classe, CL_VERBO_AUXILIAR);
    EXPECT_EQ(w.formas, 0x0001);
    w = Procurar("went");
    EXPECT_EQ(w.formas, 0x0008);
    EXPECT_STREQ(w.formaBase, "go");
    EXPECT_STREQ(w.blocoTraducoes, "/ir/");
}

// Every kind of damage is refused with message 10, leaves no object behind
// and is never read out of bounds.
TEST_F(Dicionario, ArquivosDanificados)
{
    const auto boa = [] {
        return Montar({{"a", Corpo(CL_ARTIGO, 0, "", Bytes("\x04\x00", 2), "")},
                       {"an", Corpo(CL_ARTIGO, 0, "", Bytes("\x04\x00", 2), "")},
                       {"bank", Corpo(CL_SUBSTANTIVO, 0, "", "\x01", Traducoes({"banco"}))},
                       {"went", Corpo(CL_VERBO, 0, "go", Bytes(4, '\0'), "")}});
    };
    using Estrago = std::function<Bytes()>;
    auto com = [&](std::function<void(Imagem&)> mudar) {
        return [=] {
            Imagem im = boa();
            mudar(im);
            return im.Arquivo();
        };
    };
    const int casaA = formato::Casa("a"), casaB = formato::Casa("ba");
    const std::vector<std::pair<const char*, Estrago>> estragos = {
        {"vazio", [] { return Bytes(); }},
        {"curto", [] { return Bytes("\xFF\xFF\xFF", 3); }},
        {"so cabecalho", [&] { return boa().Arquivo().substr(0, formato::kTamCabecalho); }},
        {"byte a mais", [&] { return boa().Arquivo() + '\x55'; }},
        {"byte a menos", [&] { Bytes b = boa().Arquivo(); b.pop_back(); return b; }},
        {"N acima do limite", com([](Imagem& im) { im.tamDados = 0x100001; })},
        {"N gigante", com([](Imagem& im) { im.tamDados = 0xFFFFFFFF; })},
        {"indice decrescente", com([&](Imagem& im) { im.indice[casaB] = 0; })},
        {"indice alem dos registros", com([&](Imagem& im) { for (int c = casaB; c < formato::kCasas; ++c) im.indice[c] = 4; })},
        {"indice vazio depois de marcado", com([&](Imagem& im) { im.indice[casaB] = 0xFFFF; })},
        {"duas chaves de uma letra", com([&](Imagem& im) { im.indice[casaA] = 1; })},
        {"registro alem de N", com([](Imagem& im) { im.Descritor(3)[0] = 200; })},
        {"deslocamento enorme", com([](Imagem& im) { formato::Gravar32(im.Descritor(2) + 1, 0xFFFFFFF0u); })},
        {"registro sobre a tabela", com([](Imagem& im) { formato::Gravar32(im.Descritor(1) + 1, 3); })},
        {"tabela nao multipla de 5", com([](Imagem& im) { formato::Gravar32(im.Descritor(0) + 1, 21); })},
        {"comprimento zero", com([](Imagem& im) { im.Descritor(1)[0] = 0; })},
        {"cauda sem NUL", com([](Imagem& im) { im.Descritor(2)[0] = 2; })},
        {"raiz sem NUL", com([](Imagem& im) { unsigned char* r = im.Registro(0); r[2] = 0; r[3] = 'x'; r[4] = 'y'; r[5] = 'z'; })},
        {"campos alem do registro", com([](Imagem& im) { im.Registro(3)[3] = CL_VERBO | CL_PRONOME | CL_ARTIGO; })},
        {"N sem registros", com([](Imagem& im) { im.tamDados = 3; im.dados.resize(3); })},
    };
    for (const auto& [nome, estrago] : estragos) {
        SCOPED_TRACE(nome);
        mensagens_.clear();
        const std::string caminho = pasta_ + "/dano.dic";
        GravarArquivo(caminho, estrago());
        EXPECT_FALSE(AbrirDicionario(&cabeca_, pasta_.c_str(), "dano"));
        ASSERT_EQ(mensagens_.size(), 1u);
        EXPECT_EQ(mensagens_[0].first, "Quillane : Erro 10");
        EXPECT_EQ(mensagens_[0].second, "Arquivo \"" + caminho + "\" est\xE1 danificado e n\xE3o pode ser usado.");
        EXPECT_TRUE(ObjetosDoUsuario("Moriel_dano").empty());
        bool achou = true;
        EXPECT_EQ(Procurar("bank", &achou).classe, 0);
        EXPECT_FALSE(achou);
    }

    // A damaged user dictionary, first or in the middle, leaves the rest working.
    GravarArquivo(Udc("dano"), Bytes("\x01\x02", 2));
    mensagens_.clear();
    EXPECT_TRUE(AbrirDicionario(&cabeca_, pasta_.c_str(), "dano\r\nip"));
    EXPECT_EQ(mensagens_.size(), 1u);
    GravarArquivo(Udc("tec"), boa().Arquivo());
    mensagens_.clear();
    EXPECT_TRUE(AbrirDicionario(&cabeca_, pasta_.c_str(), "tec\r\ndano\r\nip"));
    EXPECT_EQ(mensagens_.size(), 1u);
    EXPECT_EQ(Procurar("hello").classe, CL_INTERJEICAO);

    // The undamaged image itself is accepted, so the cases above fail for
    // their own damage only.
    GravarArquivo(pasta_ + "/dano.dic", boa().Arquivo());
    EXPECT_TRUE(AbrirDicionario(&cabeca_, pasta_.c_str(), "dano"));
    EXPECT_EQ(Procurar("went").classe, CL_VERBO);
}

TEST_F(Dicionario, DicionarioVazioDoCompilador)
{
    Imagem im = Montar({});
    EXPECT_EQ(im.Arquivo().size(), formato::kTamCabecalho);
    GravarArquivo(pasta_ + "/ip.dic", im.Arquivo());
    ASSERT_TRUE(AbrirDicionario(&cabeca_, pasta_.c_str(), "ip"));
    bool achou = true;
    EXPECT_EQ(Procurar("a", &achou).classe, 0);
    EXPECT_FALSE(achou);
}

// The files the compiler wrote for the fuzzer's seeds load as they are.
TEST_F(Dicionario, ArquivosDoCompiladorNosDados)
{
    for (const char* nome : {"geral", "curto", "vazio", "linhas"}) {
        SCOPED_TRACE(nome);
        std::ifstream f(std::string(QUILLANE_TESTE_DADOS) + "/fuzz_dic/dicionario_" + nome + ".dic", std::ios::binary);
        ASSERT_TRUE(f);
        const Bytes conteudo((std::istreambuf_iterator<char>(f)), std::istreambuf_iterator<char>());
        GravarArquivo(pasta_ + "/ip.dic", conteudo);
        mensagens_.clear();
        EXPECT_TRUE(AbrirDicionario(&cabeca_, pasta_.c_str(), "ip"));
        EXPECT_TRUE(mensagens_.empty());
    }
    EXPECT_EQ(Procurar("a-").classe, CL_SUBSTANTIVO);
    EXPECT_EQ(Procurar("a_b").mascaraLocucao, 0x02);
    EXPECT_EQ(Procurar("zz").classe, CL_SUBSTANTIVO);
}

// Waits for a child and returns its exit code (-1 if it did not exit).
int Esperar(pid_t filho)
{
    int estado = 0;
    if (waitpid(filho, &estado, 0) != filho || !WIFEXITED(estado)) return -1;
    return WEXITSTATUS(estado);
}

TEST_F(Dicionario, SegundoProcessoUsaOMapeamentoSemLerOArquivo)
{
    const std::string caminho = pasta_ + "/ip.dic";
    ASSERT_TRUE(AbrirDicionario(&cabeca_, pasta_.c_str(), "ip"));
    EXPECT_TRUE(cabeca_.mapeamento.Novo());

    // Same size, inode and time, same size field, other bytes everywhere
    // else: only a process that decodes the file would notice.
    struct stat st {};
    ASSERT_EQ(stat(caminho.c_str(), &st), 0);
    {
        const int fd = open(caminho.c_str(), O_WRONLY);
        ASSERT_GE(fd, 0);
        const Bytes lixo(static_cast<std::size_t>(st.st_size) - 4, '\x5A');
        ASSERT_EQ(pwrite(fd, lixo.data(), lixo.size(), 4), static_cast<ssize_t>(lixo.size()));
        close(fd);
        const timespec tempos[2] = {st.st_atim, st.st_mtim};
        ASSERT_EQ(utimensat(AT_FDCWD, caminho.c_str(), tempos, 0), 0);
    }

    const pid_t filho = fork();
    ASSERT_GE(filho, 0);
    if (filho == 0) {
        auto* no = new clDicionario;  // the inherited head must not be closed here
        if (!AbrirDicionario(no, pasta_.c_str(), "ip")) _exit(1);
        if (no->mapeamento.Novo()) _exit(2);
        clVerbete w;
        LimparVerbete(&w);
        std::strcpy(w.vocabulo, "went");
        if (!ProcurarPalavra(no, &w) || std::strcmp(w.formaBase, "go") != 0) _exit(3);
        LiberarDicionario(no);
        _exit(0);
    }
    EXPECT_EQ(Esperar(filho), 0);
    EXPECT_EQ(Procurar("went").classe, CL_VERBO);
}

TEST_F(Dicionario, DicionarioRecompiladoValeParaOProximoProcesso)
{
    GravarArquivo(Udc("tec"), Montar({{"hello", Corpo(CL_SUBSTANTIVO, 0, "", "\x01", Traducoes({"velho"}))}}).Arquivo());
    ASSERT_TRUE(AbrirDicionario(&cabeca_, pasta_.c_str(), "tec\r\nip"));
    const std::string nomeVelho = cabeca_.mapeamento.NomeObjeto();

    // The editor writes a new file and renames it over the old one.
    GravarArquivo(Udc("tec") + ".novo",
                  Montar({{"hello", Corpo(CL_SUBSTANTIVO, 0, "", "\x01", Traducoes({"novo"}))}}).Arquivo());
    ASSERT_EQ(rename((Udc("tec") + ".novo").c_str(), Udc("tec").c_str()), 0);

    const pid_t filho = fork();
    ASSERT_GE(filho, 0);
    if (filho == 0) {
        auto* no = new clDicionario;
        if (!AbrirDicionario(no, pasta_.c_str(), "tec\r\nip")) _exit(1);
        clVerbete w;
        LimparVerbete(&w);
        std::strcpy(w.vocabulo, "hello");
        if (!ProcurarPalavra(no, &w)) _exit(2);
        if (std::strcmp(w.blocoTraducoes, "novo") != 0) _exit(3);
        if (access(("/dev/shm" + nomeVelho).c_str(), F_OK) == 0) _exit(4);
        LiberarDicionario(no);
        _exit(0);
    }
    EXPECT_EQ(Esperar(filho), 0);
    // This process keeps the version it decoded.
    EXPECT_STREQ(Procurar("hello").blocoTraducoes, "velho");
    LiberarDicionario(&cabeca_);
    // Neither version stays behind once its last user closed it.
    const std::string prefixo = nomeVelho.substr(1, nomeVelho.rfind('.'));
    for (const std::string& nome : ObjetosDoUsuario("Moriel_tec"))
        EXPECT_NE(nome.compare(0, prefixo.size(), prefixo), 0) << nome;
}

} // namespace
