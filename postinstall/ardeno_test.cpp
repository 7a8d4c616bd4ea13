#include "ardeno.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "registro.h"

namespace fs = std::filesystem;

namespace {

std::string Conteudo(const fs::path& arquivo)
{
    std::ifstream f(arquivo, std::ios::binary);
    std::stringstream s;
    s << f.rdbuf();
    return s.str();
}

void Escrever(const fs::path& arquivo, const std::string& conteudo)
{
    std::ofstream(arquivo, std::ios::binary) << conteudo;
}

// A settings store, an installation folder (the working folder) and a home
// for the word processor, all made by the test under one temporary folder.
class Ardeno : public testing::Test {
protected:
    void SetUp() override
    {
        raiz_ = fs::temp_directory_path() /
                ("quillane-ardeno-" + std::to_string(getpid()) + "-" +
                 testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(raiz_);
        fs::create_directories(raiz_ / "instalacao");
        setenv("QUILLANE_REGISTRO", (raiz_ / "registro").c_str(), 1);
        anterior_ = fs::current_path();
        fs::current_path(raiz_ / "instalacao");
    }
    void TearDown() override
    {
        fs::current_path(anterior_);
        unsetenv("QUILLANE_REGISTRO");
        fs::remove_all(raiz_);
    }
    static void Gravar(Colmeia colmeia, const std::string& chave, const std::string& nome, const std::string& valor)
    {
        auto k = clChaveRegistro::Abrir(colmeia, chave, true);
        ASSERT_TRUE(k);
        ASSERT_TRUE(k->GravarTexto(nome, valor));
    }
    // The whole association: ".doc" → class → settings key → start-up folder.
    void Associar(const std::string& aplicativo, const std::string& inicio)
    {
        Gravar(Colmeia::ClassesRaiz, ".doc", "", "Documento.8");
        Gravar(Colmeia::ClassesRaiz, "Documento.8\\AppRegistry", "", aplicativo);
        Gravar(Colmeia::UsuarioAtual, "Software\\Editora\\Processador\\8.0\\Options", "STARTUP-PATH", inicio);
    }
    std::string Localizar()
    {
        char pasta[kTamValorArdeno] = "lixo";
        const bool achou = LocalizarPastaInicializacao(pasta);
        EXPECT_EQ(achou, pasta[0] != '\0');
        return pasta;
    }

    fs::path raiz_;
    fs::path anterior_;
};

pid_t Esperar(pid_t pid)
{
    int status = 0;
    if (pid > 0) waitpid(pid, &status, 0);
    return pid;
}

} // namespace

TEST_F(Ardeno, InstaladorSoQuandoABibliotecaFalta)
{
    Escrever("wintdist", "#!/bin/sh\necho \"$@\" >> iniciado\n");
    fs::permissions("wintdist", fs::perms::owner_all);

    // A library that loads: the installer is not started although present.
    EXPECT_EQ(VerificarClienteWeb("libc.so.6"), 0);
    EXPECT_FALSE(fs::exists("iniciado"));

    // A missing one: "./wintdist /Q" from the working folder.
    const pid_t pid = VerificarClienteWeb("libquillane-inexistente.so.9");
    ASSERT_GT(pid, 0);
    Esperar(pid);
    EXPECT_EQ(Conteudo("iniciado"), "/Q\n");

    // Without the installer nothing happens and nothing is reported.
    fs::remove("wintdist");
    Esperar(VerificarClienteWeb("libquillane-inexistente.so.9"));
}

TEST_F(Ardeno, CadeiaDeConfiguracoes)
{
    const std::string inicio = (raiz_ / "inicio").string();
    Associar("Software\\Editora\\Processador\\8.0", inicio);
    EXPECT_EQ(Localizar(), inicio);

    // One leading backslash is dropped: the same key.
    Gravar(Colmeia::ClassesRaiz, "Documento.8\\AppRegistry", "", "\\Software\\Editora\\Processador\\8.0");
    EXPECT_EQ(Localizar(), inicio);

    // An empty folder would mean the root of the file system.
    Gravar(Colmeia::UsuarioAtual, "Software\\Editora\\Processador\\8.0\\Options", "STARTUP-PATH", "");
    EXPECT_EQ(Localizar(), "");
}

TEST_F(Ardeno, QualquerElementoAusenteEncerraABusca)
{
    const std::string inicio = (raiz_ / "inicio").string();
    EXPECT_EQ(Localizar(), "");
    // Reading never creates the store.
    EXPECT_FALSE(fs::exists(raiz_ / "registro"));

    Gravar(Colmeia::ClassesRaiz, ".doc", "", "Documento.8");
    EXPECT_EQ(Localizar(), "");  // no AppRegistry
    Gravar(Colmeia::ClassesRaiz, "Documento.8\\AppRegistry", "", "Software\\Editora\\Processador\\8.0");
    EXPECT_EQ(Localizar(), "");  // no Options key
    Gravar(Colmeia::UsuarioAtual, "Software\\Editora\\Processador\\8.0\\Options", "Outro", "x");
    EXPECT_EQ(Localizar(), "");  // no STARTUP-PATH
    Gravar(Colmeia::UsuarioAtual, "Software\\Editora\\Processador\\8.0\\Options", "STARTUP-PATH", inicio);
    EXPECT_EQ(Localizar(), inicio);

    // The class is read from HKEY_CLASSES_ROOT only.
    fs::remove(ArquivoColmeia(Colmeia::ClassesRaiz));
    Gravar(Colmeia::UsuarioAtual, ".doc", "", "Documento.8");
    Gravar(Colmeia::MaquinaLocal, ".doc", "", "Documento.8");
    EXPECT_EQ(Localizar(), "");
}

TEST_F(Ardeno, ValoresLongosDemaisFalham)
{
    // 255 bytes and the NUL fill the buffer; one more byte fails the read.
    const std::string cabe = "/" + std::string(254, 'p');
    Associar("Software\\Editora\\Processador\\8.0", cabe);
    EXPECT_EQ(Localizar(), cabe);
    EXPECT_FALSE(InstalarSuplemento(cabe.c_str()));  // no room for the add-in's name

    Gravar(Colmeia::UsuarioAtual, "Software\\Editora\\Processador\\8.0\\Options", "STARTUP-PATH", cabe + "p");
    EXPECT_EQ(Localizar(), "");

    // A class name that fits but leaves no room for "\AppRegistry".
    const std::string classe(250, 'C');
    Gravar(Colmeia::ClassesRaiz, ".doc", "", classe);
    Gravar(Colmeia::ClassesRaiz, classe + "\\AppRegistry", "", "Software\\Editora\\Processador\\8.0");
    EXPECT_EQ(Localizar(), "");
}

TEST_F(Ardeno, SuplementoCopiadoParaAPasta)
{
    Escrever(kSuplemento, "suplemento novo");
    // A missing folder is created (one level), then the add-in copied.
    const fs::path inicio = raiz_ / "inicio";
    ASSERT_TRUE(InstalarSuplemento(inicio.c_str()));
    EXPECT_EQ(Conteudo(inicio / kSuplemento), "suplemento novo");

    // A copy already there is replaced, and no temporary file is left.
    Escrever(inicio / kSuplemento, "suplemento antigo, mais comprido");
    ASSERT_TRUE(InstalarSuplemento(inicio.c_str()));
    EXPECT_EQ(Conteudo(inicio / kSuplemento), "suplemento novo");
    EXPECT_EQ(std::distance(fs::directory_iterator(inicio), fs::directory_iterator()), 1);

    // A missing parent is not created.
    const fs::path funda = raiz_ / "nao" / "existe";
    EXPECT_FALSE(InstalarSuplemento(funda.c_str()));
    EXPECT_FALSE(fs::exists(raiz_ / "nao"));

    // Without the add-in in the working folder the earlier copy stays whole.
    fs::remove(kSuplemento);
    EXPECT_FALSE(InstalarSuplemento(inicio.c_str()));
    EXPECT_EQ(Conteudo(inicio / kSuplemento), "suplemento novo");
    EXPECT_EQ(std::distance(fs::directory_iterator(inicio), fs::directory_iterator()), 1);
}

TEST_F(Ardeno, ProgramaInteiro)
{
    const fs::path inicio = raiz_ / "inicio";
    auto rodar = [] {
        const pid_t pid = fork();
        if (pid == 0) {
            execl(QUILLANE_ARDENO_EXE, "ardeno", static_cast<char*>(nullptr));
            _exit(127);
        }
        int status = -1;
        waitpid(pid, &status, 0);
        return status;
    };
    // Nothing to do: still a success, and nothing written.
    EXPECT_EQ(rodar(), 0);
    EXPECT_FALSE(fs::exists(raiz_ / "registro"));
    EXPECT_FALSE(fs::exists(inicio));

    Escrever(kSuplemento, "suplemento");
    Associar("\\Software\\Editora\\Processador\\8.0", inicio.string());
    EXPECT_EQ(rodar(), 0);
    EXPECT_EQ(Conteudo(inicio / kSuplemento), "suplemento");
}
