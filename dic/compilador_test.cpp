#include "compilador.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <thread>
#include <vector>

#include "fonte.h"
#include "formato_dicionario.h"
#include "mensagens.h"

namespace fs = std::filesystem;

namespace {

// A private folder per test, used as TMPDIR too so that leftover work files show.
class Compilador : public ::testing::Test {
protected:
    void SetUp() override
    {
        pasta_ = fs::temp_directory_path() /
                 ("quillane_comp_" + std::to_string(::getpid()) + "_" +
                  ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(pasta_);
        fs::create_directories(pasta_ / "tmp");
        const char* antigo = std::getenv("TMPDIR");
        if (antigo) tmpdirAntigo_ = antigo, tinhaTmpdir_ = true;
        ::setenv("TMPDIR", (pasta_ / "tmp").c_str(), 1);
        DefinirSaidaMensagens([this](const std::string& titulo, const std::string& texto) {
            titulos_.push_back(titulo);
            mensagens_.push_back(texto);
            return 1;
        });
    }
    void TearDown() override
    {
        DefinirSaidaMensagens({});
        if (tinhaTmpdir_) ::setenv("TMPDIR", tmpdirAntigo_.c_str(), 1);
        else ::unsetenv("TMPDIR");
        fs::remove_all(pasta_);
    }

    std::string Destino() const { return (pasta_ / "d.udc").string(); }

    bool Compilar(const std::string& texto) { return CompilarDicionario(texto.c_str(), Destino().c_str()); }

    // The file's bytes with the complement undone.
    std::vector<unsigned char> Ler() const
    {
        std::ifstream f(Destino(), std::ios::binary);
        std::vector<unsigned char> b((std::istreambuf_iterator<char>(f)), std::istreambuf_iterator<char>());
        formato::Complementar(b.data(), b.size());
        return b;
    }

    // The bytes of record r.
    static std::vector<unsigned char> Registro(const std::vector<unsigned char>& b, int r)
    {
        const unsigned char* dados = b.data() + formato::kTamCabecalho;
        const unsigned char* d = dados + 5 * r;
        const std::uint32_t desl = formato::Ler32(d + 1);
        return {dados + desl, dados + desl + d[0]};
    }

    static std::uint16_t Indice(const std::vector<unsigned char>& b, int casa)
    {
        return formato::Ler16(b.data() + 4 + 2 * casa);
    }

    bool TmpVazio() const { return fs::is_empty(pasta_ / "tmp"); }
    // Only the destination (if any) and the tmp folder may be in the folder.
    int ArquivosNaPasta() const
    {
        int n = 0;
        for (const auto& e : fs::directory_iterator(pasta_))
            if (e.path().filename() != "tmp") ++n;
        return n;
    }

    fs::path pasta_;
    std::string tmpdirAntigo_;
    bool tinhaTmpdir_ = false;
    std::vector<std::string> titulos_;
    std::vector<std::string> mensagens_;
};

const std::string kCritico = "Erro cr\xEDtico no dicion\xE1rio (";

} // namespace

TEST_F(Compilador, DicionarioVazioTemSoOCabecalho)
{
    ASSERT_TRUE(Compilar(""));
    const auto b = Ler();
    ASSERT_EQ(b.size(), 1686u);
    EXPECT_EQ(formato::Ler32(b.data()), 0u);
    for (int casa = 0; casa < formato::kCasas; ++casa) ASSERT_EQ(Indice(b, casa), 0xFFFF) << casa;
    EXPECT_TRUE(mensagens_.empty());
}

TEST_F(Compilador, ErrosNumeradosNomeiamALinha)
{
    struct Caso {
        const char* texto;
        int erro;
        const char* sufixo;
    } casos[] = {
        {"ab!N\r\nab!A\r\n", 2, " na linha 2: ab"},
        {"b!N\r\na!N\r\n", 2, " na linha 2: a"},
        {"-ab!N\r\n", 3, " na linha 1: -ab"},
        {"1ab!N\r\n", 3, " na linha 1: 1ab"},
        {"Ab!N\r\n", 3, " na linha 1: Ab"},
        {"ab!N\r\nsem exclamacao\r\n", 1, " na linha 2: sem exclamacao"},
        {"ab!N\r\n\r\ncd!N\r\n", 1, " na linha 2: "},
        {"!N\r\n", 2, " na linha 1: "},
        // A second byte below "-" sorts before "a-" yet lands in a later column.
        {"a b!N\r\na-b!N\r\n", 3, " na linha 2: a-b"},
    };
    for (const auto& c : casos) {
        mensagens_.clear();
        EXPECT_FALSE(Compilar(c.texto)) << c.texto;
        ASSERT_EQ(mensagens_.size(), 1u) << c.texto;
        // The number and the line, then in words what is wrong.
        const std::string inicio = kCritico + std::to_string(c.erro) + ")" + c.sufixo + " - ";
        EXPECT_EQ(mensagens_[0].substr(0, inicio.size()), inicio);
        EXPECT_GT(mensagens_[0].size(), inicio.size() + 10);
        EXPECT_EQ(titulos_.back(), "Dalvenne");
    }
}

TEST_F(Compilador, CodigosInvalidosSaoErro4)
{
    const char* codigos[] = {
        "Z", "NZ", "AS", "VZ", "EX", "PZ", "#9", "#1a", "R", "R)", "Tx", "N T(a)", "NT(a)",
        // The verb number takes exactly two digits.
        "VI", "VI5", "VI5.", "VIab", "VI 12",
        // An unterminated list never borrows the next line's ")".
        "T(abc", "R(abc", "T(a,b.N",
    };
    for (const char* c : codigos) {
        mensagens_.clear();
        const std::string texto = std::string("ab!") + c + "\r\nac!T(x)\r\n";
        EXPECT_FALSE(Compilar(texto)) << c;
        ASSERT_EQ(mensagens_.size(), 1u) << c;
        EXPECT_EQ(mensagens_[0], kCritico + "4) na linha 1: ab - os c\xF3" "digos depois do \"!\" n\xE3o s\xE3o "
                                 "v\xE1lidos ou n\xE3o cabem numa entrada") << c;
    }
}

TEST_F(Compilador, CadaCampoDoRegistro)
{
    ASSERT_TRUE(Compilar("abc!#137.NMSAIF.AETDGN.V6VSRPG1A.I07.EDI.PDINPS12RLQ.R(base).T(um,>N,dois)\r\n"
                         "b!D.O.J.X\r\n"
                         "bi!VSR\r\n"));
    const auto b = Ler();
    // Classes N 0x02 | A 0x04 | V 0x01 | I 0x0200 (its "07" ignored) | E 0x20 | P 0x40; mask "#137".
    std::vector<unsigned char> todos = {'c', 0, 0x67, 0x02, 0x45, 'b', 'a', 's', 'e', 0};
    todos.push_back(0x20 | 0x01 | 0x04 | 0x08 | 0x40);  // noun M S A I F
    todos.push_back(0x04 | 0x10 | 0x08 | 0x20 | 0x40);  // adjective E T D G N
    todos.push_back(0);                                 // verb number
    todos.push_back(0);
    const std::uint16_t verbo = 0x0400 | 0x0001 | 0x0008 | 0x0010 | 0x0004 | 0x0002 | 0x0020 | 0x2000;
    todos.push_back(verbo & 0xFF);
    todos.push_back(verbo >> 8);
    todos.push_back(0x06);  // article D I
    todos.push_back(0x00);
    const std::uint16_t pron = 0x0001 | 0x0002 | 0x0004 | 0x0008 | 0x0010 | 0x0020 | 0x0040 | 0x0800 | 0x1000 | 0x2000;
    todos.push_back(pron & 0xFF);
    todos.push_back(pron >> 8);
    for (char c : std::string("um\0>N\0dois", 10)) todos.push_back(static_cast<unsigned char>(c));
    todos.push_back(0);
    EXPECT_EQ(Registro(b, 0), todos);

    // One-byte key: no tail. D, O, J ignore the rest of their item; X opens the verb group.
    const std::vector<unsigned char> r1 = {0x98, 0x01, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00};
    EXPECT_EQ(Registro(b, 1), r1);
    // Past Tense and Past Participle: features 0x0018; a two-byte key stores just the NUL.
    const std::vector<unsigned char> r2 = {0x00, 0x01, 0x00, 0x00, 0x00, 0x00, 0x00, 0x18, 0x00};
    EXPECT_EQ(Registro(b, 2), r2);
}

TEST_F(Compilador, NumeroDoVerbo)
{
    ASSERT_TRUE(Compilar("go!VI423\r\n"));
    const auto r = Registro(Ler(), 0);
    // tail NUL, class, mask, root NUL, number 42, features I 0x0800 | person 3 0x0080.
    const std::vector<unsigned char> esperado = {0x00, 0x01, 0x00, 0x00, 0x00, 42, 0x00, 0x80, 0x08};
    EXPECT_EQ(r, esperado);
}

TEST_F(Compilador, IndiceEDescritores)
{
    ASSERT_TRUE(Compilar("_x!N\r\na!N\r\nab!N\r\nabc!N\r\nb-c!N\r\nzz!N.T(a,b)\r\n"));
    const auto b = Ler();
    const std::uint32_t n = formato::Ler32(b.data());
    ASSERT_EQ(b.size(), 1686u + n);
    const int registros = 6;
    std::uint32_t soma = 0;
    for (int r = 0; r < registros; ++r) {
        const unsigned char* d = b.data() + formato::kTamCabecalho + 5 * r;
        EXPECT_EQ(formato::Ler32(d + 1), 5u * registros + soma) << r;
        soma += d[0];
    }
    EXPECT_EQ(n, 5u * registros + soma);
    const int casaSub = 1 * 29 + ('x' - 94);  // "_x": row 1
    const int casaA = 3 * 29;             // "a"
    const int casaAb = 3 * 29 + ('b' - 94);
    const int casaBtraco = 4 * 29 + 1;
    const int casaZz = 28 * 29 + 28;
    for (int casa = 0; casa < casaSub; ++casa) EXPECT_EQ(Indice(b, casa), 0xFFFF);
    EXPECT_EQ(Indice(b, casaSub), 0);
    EXPECT_EQ(Indice(b, casaA - 1), 0);  // gap filled from the slot before
    EXPECT_EQ(Indice(b, casaA), 1);
    EXPECT_EQ(Indice(b, casaAb), 3);
    EXPECT_EQ(Indice(b, casaBtraco), 4);
    EXPECT_EQ(Indice(b, casaZz - 1), 4);
    EXPECT_EQ(Indice(b, casaZz), 5);
    EXPECT_EQ(Indice(b, 840), 5);
    // "abc" holds only its tail "c".
    EXPECT_EQ(Registro(b, 3)[0], 'c');
    EXPECT_EQ(Registro(b, 3)[1], 0);
}

TEST_F(Compilador, LimitesDeTamanho)
{
    const std::string chave50 = "a" + std::string(49, 'b');
    EXPECT_TRUE(Compilar(chave50 + "!N\r\n"));
    EXPECT_FALSE(Compilar(chave50 + "b!N\r\n"));
    ASSERT_FALSE(mensagens_.empty());
    EXPECT_EQ(mensagens_.back(), kCritico + "4) na linha 1: " + chave50 + "b - a chave tem mais de 50 caracteres");

    // A record of exactly 255 bytes: tail "\0" (1) + class 2 + mask 1 + root NUL 1 + translations.
    const std::string cheio = "ab!T(" + std::string(249, 't') + ")";
    mensagens_.clear();
    ASSERT_TRUE(Compilar(cheio + "\r\n"));
    EXPECT_EQ(Registro(Ler(), 0).size(), 255u);
    const std::string grande = "ab!T(" + std::string(250, 't') + ")";
    EXPECT_FALSE(Compilar("aa!N\r\n" + grande + "\r\n"));
    ASSERT_EQ(mensagens_.size(), 1u);
    EXPECT_EQ(mensagens_[0].rfind(kCritico + "4) na linha 2: ab - ", 0), 0u);

    // The engine's base-form field holds 50 bytes.
    EXPECT_TRUE(Compilar("ab!R(" + std::string(50, 'r') + ")\r\n"));
    EXPECT_FALSE(Compilar("ab!R(" + std::string(51, 'r') + ")\r\n"));
}

namespace {

std::string Linhas(unsigned quantas)
{
    std::string texto;
    for (unsigned i = 0; i < quantas; ++i) {
        std::string c = "a";
        unsigned v = i;
        char sufixo[4];
        for (int k = 3; k >= 0; --k) {
            sufixo[k] = static_cast<char>('a' + v % 26);
            v /= 26;
        }
        c.append(sufixo, 4);
        texto += c + "!N\r\n";
    }
    return texto;
}

} // namespace

TEST_F(Compilador, NoMaximo65535Registros)
{
    ASSERT_TRUE(Compilar(Linhas(65535)));
    const auto b = Ler();
    EXPECT_EQ(Indice(b, 840), 65534);
    EXPECT_EQ(formato::Ler32(b.data()), 65535u * (5 + 9));

    mensagens_.clear();
    EXPECT_FALSE(Compilar(Linhas(65536)));
    ASSERT_EQ(mensagens_.size(), 1u);
    EXPECT_NE(mensagens_[0].find("65535"), std::string::npos) << mensagens_[0];
    // The earlier good file is still there, whole.
    EXPECT_EQ(Ler().size(), b.size());
    EXPECT_EQ(ArquivosNaPasta(), 1);
}

TEST_F(Compilador, AreaDeDadosAteUmMegabyte)
{
    // Each line: 5-byte descriptor + 255-byte record.
    std::string texto;
    const unsigned quantas = 0x100000 / 260 + 1;
    const std::string lista = "T(" + std::string(247, 't') + ")";
    for (unsigned i = 0; i < quantas; ++i) {
        char c[4] = {static_cast<char>('a' + i / 26 / 26 % 26), static_cast<char>('a' + i / 26 % 26),
                     static_cast<char>('a' + i % 26), 0};
        texto += std::string("a") + c + "!" + lista + "\r\n";
    }
    EXPECT_FALSE(Compilar(texto));
    ASSERT_EQ(mensagens_.size(), 1u);
    EXPECT_NE(mensagens_[0].find("1048576"), std::string::npos) << mensagens_[0];
    EXPECT_FALSE(fs::exists(Destino()));
    EXPECT_EQ(ArquivosNaPasta(), 0);
}

TEST_F(Compilador, ArquivosTemporariosSomem)
{
    ASSERT_TRUE(Compilar("ab!N\r\ncd!T(x)\r\n"));
    EXPECT_TRUE(TmpVazio());
    EXPECT_EQ(ArquivosNaPasta(), 1);
    const auto antes = Ler();

    // A failed compile leaves neither work files nor a damaged destination.
    EXPECT_FALSE(Compilar("ab!N\r\ncd!Q\r\n"));
    EXPECT_TRUE(TmpVazio());
    EXPECT_EQ(ArquivosNaPasta(), 1);
    EXPECT_EQ(Ler(), antes);
}

TEST_F(Compilador, FalhasDoSistemaUsamOTextoDaMensagem)
{
    EXPECT_FALSE(CompilarDicionario("ab!N\r\n", (pasta_ / "nao" / "existe.udc").c_str()));
    ASSERT_EQ(mensagens_.size(), 1u);
    EXPECT_EQ(mensagens_[0], "Ocorreu um erro (2) executando o comando\"CreateFile Destino\"");

    ::setenv("TMPDIR", (pasta_ / "sem_pasta").c_str(), 1);
    EXPECT_FALSE(Compilar("ab!N\r\n"));
    ASSERT_EQ(mensagens_.size(), 2u);
    EXPECT_EQ(mensagens_[1], "Ocorreu um erro (2) executando o comando\"CreateFile hIndex\"");
    EXPECT_EQ(ArquivosNaPasta(), 0);
}

TEST_F(Compilador, FimDeLinhaSoLFEUltimaLinhaSemFim)
{
    ASSERT_TRUE(Compilar("ab!N\ncd!A"));
    EXPECT_EQ(Indice(Ler(), 840), 1);
}

TEST_F(Compilador, LeitorIndependenteConfereOsBytes)
{
    DicionarioFonte dic;
    const std::string dados = QUILLANE_TESTE_DADOS;
    ASSERT_TRUE(dic.CarregarFonte(dados + "/dic_exemplo.lex"));
    ASSERT_TRUE(Compilar(dic.TextoCompilavel()));
    const std::string saida = (pasta_ / "saida.txt").string();
    const std::string comando = "python3 '" + std::string(QUILLANE_FONTE_DIR) + "/tools/ler_dicionario.py' --verificar '" +
                                Destino() + "' > '" + saida + "'";
    ASSERT_EQ(std::system(comando.c_str()), 0);
    std::ifstream a(saida), b(dados + "/dic_exemplo.esperado");
    const std::string obtido((std::istreambuf_iterator<char>(a)), std::istreambuf_iterator<char>());
    const std::string esperado((std::istreambuf_iterator<char>(b)), std::istreambuf_iterator<char>());
    EXPECT_EQ(obtido, esperado);
}

TEST_F(Compilador, DuasCompilacoesAoMesmoTempo)
{
    const std::string texto = Linhas(5000);
    const std::string outro = (pasta_ / "e.udc").string();
    bool ok1 = false, ok2 = false;
    std::thread t([&] { ok1 = CompilarDicionario(texto.c_str(), Destino().c_str()); });
    ok2 = CompilarDicionario(texto.c_str(), outro.c_str());
    t.join();
    EXPECT_TRUE(ok1);
    EXPECT_TRUE(ok2);
    std::ifstream a(outro, std::ios::binary);
    std::vector<unsigned char> b((std::istreambuf_iterator<char>(a)), std::istreambuf_iterator<char>());
    formato::Complementar(b.data(), b.size());
    EXPECT_EQ(b, Ler());
    EXPECT_TRUE(TmpVazio());
}

TEST_F(Compilador, LinhaRuimMostradaComoTexto)
{
    // A source that is no text at all: its bytes are shown, never written.
    EXPECT_FALSE(Compilar(std::string("ab!N\r\n\x01\x02\x1B[2J\x7F\x81z\r\n", 17)));
    ASSERT_EQ(mensagens_.size(), 1u);
    EXPECT_EQ(mensagens_[0], kCritico + "1) na linha 2: \\x01\\x02\\x1B[2J\\x7F\\x81z - a linha n\xE3o tem o \"!\" que "
                                        "separa a chave dos c\xF3" "digos");
}

TEST(JuntarFontes, PrimeiraFonteVenceEMarcaLocucoesDeTodas)
{
    const std::vector<std::vector<std::string>> fontes = {
        // core: "be" carries its own "#" group already; "is" is a form of it
        {"go!V.T(ir)", "be!#3.XV.T(ser)", "is!XP3.R(be).T(ser)", "be_going_to!X.R(be).T(ir)"},
        {"go!V.T(andar)", "log_in!V.T(/fazer/_login)", "dup!N", "dup!A"},
        // bulk: its "log" and "logs" meet the multiword of the source above; a
        // "R(log)" typed inside a translation is not a base form
        {"log!NM.V.T(registrar,*V,registro)", "logs!NMP.R(log).T(registro)", "logo!NM.T(R(log))", "dup!V",
         "zz!N", "a_b_c_d_e_f_g_h_i_j!N"},
    };
    const std::string texto = JuntarFontes(fontes);
    EXPECT_EQ(texto,
              "a_b_c_d_e_f_g_h_i_j!N\r\n"  // nine following words: no bit for it
              "be!#23.XV.T(ser)\r\n"
              "be_going_to!X.R(be).T(ir)\r\n"
              "dup!A\r\n"
              "dup!N\r\n"  // a key twice in one source still reaches the compile (error 2)
              "go!V.T(ir)\r\n"
              "is!#2.XP3.R(be).T(ser)\r\n"
              "log!#1.NM.V.T(registrar,*V,registro)\r\n"
              "log_in!V.T(/fazer/_login)\r\n"
              "logo!NM.T(R(log))\r\n"
              "logs!#1.NMP.R(log).T(registro)\r\n"
              "zz!N\r\n");
    EXPECT_EQ(JuntarFontes({}), "");
}
