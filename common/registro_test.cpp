#include "registro.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <vector>

#include "cp1252.h"
#include "instalacao.h"
#include "mensagens.h"

namespace {

class Registro : public testing::Test {
protected:
    void SetUp() override
    {
        pasta_ = std::filesystem::temp_directory_path() /
                 ("quillane-reg-" + std::to_string(getpid()) + "-" +
                  testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::remove_all(pasta_);
        setenv("QUILLANE_REGISTRO", pasta_.c_str(), 1);
    }
    void TearDown() override
    {
        unsetenv("QUILLANE_REGISTRO");
        std::filesystem::remove_all(pasta_);
    }
    void Escrever(const std::string& colmeia, const std::string& conteudo)
    {
        std::filesystem::create_directories(pasta_);
        std::ofstream(pasta_ / (colmeia + ".reg"), std::ios::binary) << conteudo;
    }
    std::filesystem::path pasta_;
};

} // namespace

TEST_F(Registro, ConfiguracaoAusente)
{
    char dir[256] = "lixo";
    LerDirRoot(dir, sizeof dir);
    EXPECT_STREQ(dir, "");
    EXPECT_EQ(LerUserDic(), nullptr);
    EXPECT_FALSE(clChaveRegistro::Abrir(Colmeia::UsuarioAtual, kChaveQuillane, false));
}

TEST_F(Registro, LeValoresDoFormatoDeExportacao)
{
    Escrever("HKEY_LOCAL_MACHINE",
             "REGEDIT4\r\n\r\n[software\\brinmor\\QUILLANE BETA]\r\n\"dirroot\"=\"/opt/q\\\\x \\\"y\\\"\"\r\n");
    Escrever("HKEY_CURRENT_USER",
             "REGEDIT4\n\n[SOFTWARE\\Brinmor\\Quillane Beta]\nlixo sem sentido\n\"UserDic\"=\"tecnico\\r\\n\"\n"
             "\"Quebrado\"=\"sem fim\n\"N\"=dword:0000000a\n@=\"padr\xE3o\"\n");
    char dir[256];
    LerDirRoot(dir, sizeof dir);
    EXPECT_STREQ(dir, "/opt/q\\x \"y\"");
    char* lista = LerUserDic();
    ASSERT_NE(lista, nullptr);
    EXPECT_STREQ(lista, "tecnico\r\n");
    std::free(lista);

    auto chave = clChaveRegistro::Abrir(Colmeia::UsuarioAtual, kChaveQuillane, false);
    ASSERT_TRUE(chave);
    EXPECT_FALSE(chave->Ler("Quebrado"));  // malformed lines are skipped
    ASSERT_TRUE(chave->Ler("n"));
    EXPECT_EQ(chave->Ler("n")->dword, 10u);
    ASSERT_TRUE(chave->Ler(""));
    EXPECT_EQ(chave->Ler("")->texto, "padr\xE3o");

    char curto[4];
    std::size_t tam = 0;
    EXPECT_TRUE(chave->LerTexto("UserDic", curto, sizeof curto, &tam));
    EXPECT_EQ(tam, 10u);
    EXPECT_STREQ(curto, "tec");
}

TEST_F(Registro, GravaExcluiEPreservaOResto)
{
    auto chave = clChaveRegistro::Abrir(Colmeia::UsuarioAtual, kChaveQuillane, true);
    ASSERT_TRUE(chave);
    const std::string estranho = "a\\b \"c\"\r\nd\xE9";
    EXPECT_TRUE(chave->GravarTexto("UserDic", estranho));
    EXPECT_TRUE(chave->GravarDword("Porta", 880));
    EXPECT_TRUE(chave->GravarTexto("userdic", "outro"));  // same value, other case
    auto outra = clChaveRegistro::Abrir(Colmeia::UsuarioAtual, "Software\\Outro", true);
    ASSERT_TRUE(outra);
    EXPECT_TRUE(outra->GravarTexto("X", estranho));

    auto relida = clChaveRegistro::Abrir(Colmeia::UsuarioAtual, kChaveQuillane, false);
    ASSERT_TRUE(relida);
    EXPECT_EQ(relida->Ler("USERDIC")->texto, "outro");
    EXPECT_EQ(relida->Nomes(), (std::vector<std::string>{"UserDic", "Porta"}));
    EXPECT_EQ(outra->Ler("x")->texto, estranho);
    EXPECT_TRUE(relida->Excluir("Porta"));
    EXPECT_FALSE(chave->Ler("Porta"));
    EXPECT_FALSE(relida->Excluir("Porta"));

    // No temporary files are left beside the hive.
    int arquivos = 0;
    for (const auto& e : std::filesystem::directory_iterator(pasta_))
        arquivos += e.path().extension() == ".reg";
    EXPECT_EQ(arquivos, 1);
    for (const auto& e : std::filesystem::directory_iterator(pasta_))
        EXPECT_EQ(e.path().string().find(".tmp."), std::string::npos) << e.path();
}

TEST_F(Registro, EscritoresConcorrentesNaoSePerdem)
{
    ASSERT_TRUE(clChaveRegistro::Abrir(Colmeia::UsuarioAtual, kChaveQuillane, true));
    constexpr int kProcessos = 4, kValores = 25;
    std::vector<pid_t> filhos;
    for (int p = 0; p < kProcessos; ++p) {
        const pid_t pid = fork();
        if (pid == 0) {
            auto chave = clChaveRegistro::Abrir(Colmeia::UsuarioAtual, kChaveQuillane, false);
            bool ok = chave.has_value();
            for (int v = 0; ok && v < kValores; ++v)
                ok = chave->GravarDword("p" + std::to_string(p) + "v" + std::to_string(v), static_cast<std::uint32_t>(v));
            _exit(ok ? 0 : 1);
        }
        filhos.push_back(pid);
    }
    for (pid_t pid : filhos) {
        int estado = 0;
        waitpid(pid, &estado, 0);
        EXPECT_TRUE(WIFEXITED(estado) && WEXITSTATUS(estado) == 0);
    }
    auto chave = clChaveRegistro::Abrir(Colmeia::UsuarioAtual, kChaveQuillane, false);
    EXPECT_EQ(chave->Nomes().size(), static_cast<std::size_t>(kProcessos * kValores));
}

TEST(FormatoRegistro, IdaEVolta)
{
    std::vector<SecaoRegistro> secoes(1);
    secoes[0].caminho = "A\\B";
    ValorRegistro t;
    t.texto = std::string("x\0y\\\"\r\n", 7);
    ValorRegistro d;
    d.tipo = ValorRegistro::Tipo::Dword;
    d.dword = 0xDEADBEEF;
    secoes[0].valores = {{"", t}, {"d", d}};
    const std::string texto = EscreverFormatoRegistro(secoes);
    EXPECT_NE(texto.find("\"d\"=dword:deadbeef"), std::string::npos);
    const auto relidas = LerFormatoRegistro(texto);
    ASSERT_EQ(relidas.size(), 1u);
    EXPECT_EQ(relidas[0].valores[0].second.texto, t.texto);
    EXPECT_EQ(relidas[0].valores[1].second.dword, 0xDEADBEEFu);
}

TEST_F(Registro, ArquivosComoOWindowsOsEscreve)
{
    // Version 5: UTF-16LE with a byte order mark, keys named with their hive.
    const std::string texto =
        "Windows Registry Editor Version 5.00\r\n\r\n"
        "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Brinmor\\Quillane Beta]\r\n\"DirRoot\"=\"C:\\\\Programas\\\\Tradu\xC3\xA7\xC3\xA3o\"\r\n";
    std::string utf16 = "\xFF\xFE";
    for (char c : Utf8ParaCp1252(texto)) {  // Latin-1 here: each byte is its code unit
        utf16 += c;
        utf16 += '\0';
    }
    Escrever("HKEY_LOCAL_MACHINE", utf16);
    char dir[256];
    EXPECT_TRUE(LerDirRoot(dir, sizeof dir));
    EXPECT_STREQ(dir, "C:\\Programas\\Tradu\xE7\xE3o");
    // Version 4, Windows-1252, the hive named too; a last name without its
    // line end still names a dictionary.
    Escrever("HKEY_CURRENT_USER", "REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\SOFTWARE\\Brinmor\\Quillane Beta]\r\n"
                                  "\"UserDic\"=\"tecnico\\r\\nmedico\"\r\n");
    char* lista = LerUserDic();
    ASSERT_NE(lista, nullptr);
    EXPECT_STREQ(lista, "tecnico\r\nmedico\r\n");
    std::free(lista);
}

TEST_F(Registro, PastaLongaDemaisEArquivoIlegivel)
{
    std::vector<std::string> mensagens;
    DefinirSaidaMensagens([&](const std::string&, const std::string& texto) {
        mensagens.push_back(texto);
        return 1;
    });
    const std::string longa = "/opt/" + std::string(300, 'q') + "/fim";
    Escrever("HKEY_LOCAL_MACHINE", "REGEDIT4\n\n[SOFTWARE\\Brinmor\\Quillane Beta]\n\"DirRoot\"=\"" + longa + "\"\n");
    char dir[256] = "lixo";
    EXPECT_FALSE(LerDirRoot(dir, sizeof dir));
    EXPECT_STREQ(dir, "");
    ASSERT_EQ(mensagens.size(), 1u);
    EXPECT_NE(mensagens[0].find(longa), std::string::npos);  // the whole value, not cut

    // A hive that exists but cannot be read is said once.
    mensagens.clear();
    std::filesystem::remove(pasta_ / "HKEY_CURRENT_USER.reg");
    std::filesystem::create_directories(pasta_ / "HKEY_CURRENT_USER.reg");
    EXPECT_EQ(LerUserDic(), nullptr);
    EXPECT_EQ(LerUserDic(), nullptr);
    DefinirSaidaMensagens(nullptr);
    ASSERT_EQ(mensagens.size(), 1u);
    EXPECT_NE(mensagens[0].find("HKEY_CURRENT_USER.reg"), std::string::npos) << mensagens[0];
}
