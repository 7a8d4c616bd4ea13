#include "instalacao.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>

namespace {

// Restores one environment variable when the test ends.
class clVariavel {
public:
    explicit clVariavel(const char* nome) : nome_(nome)
    {
        if (const char* v = std::getenv(nome)) {
            tinha_ = true;
            valor_ = v;
        }
    }
    ~clVariavel()
    {
        if (tinha_)
            setenv(nome_, valor_.c_str(), 1);
        else
            unsetenv(nome_);
    }

private:
    const char* nome_;
    bool tinha_ = false;
    std::string valor_;
};

TEST(PastaDicUsuario, XdgDataHomeEDepoisHome)
{
    clVariavel xdg("XDG_DATA_HOME"), home("HOME");
    char pasta[256];
    setenv("XDG_DATA_HOME", "/tmp/dados/", 1);
    setenv("HOME", "/home/ana", 1);
    ASSERT_TRUE(PastaDicUsuario(pasta, sizeof pasta));
    EXPECT_STREQ(pasta, "/tmp/dados/quillane/dic");

    // A relative or empty XDG_DATA_HOME is not used.
    for (const char* valor : {"dados", ""}) {
        setenv("XDG_DATA_HOME", valor, 1);
        ASSERT_TRUE(PastaDicUsuario(pasta, sizeof pasta));
        EXPECT_STREQ(pasta, "/home/ana/.local/share/quillane/dic");
    }
    unsetenv("XDG_DATA_HOME");
    ASSERT_TRUE(PastaDicUsuario(pasta, sizeof pasta));
    EXPECT_STREQ(pasta, "/home/ana/.local/share/quillane/dic");
}

TEST(PastaDicUsuario, CaminhoQueNaoCabeNaoECortado)
{
    clVariavel xdg("XDG_DATA_HOME");
    const std::string base = "/d";  // "/d/quillane/dic" is 15 bytes
    setenv("XDG_DATA_HOME", base.c_str(), 1);
    char pasta[16];
    ASSERT_TRUE(PastaDicUsuario(pasta, 16));
    EXPECT_STREQ(pasta, "/d/quillane/dic");
    std::memset(pasta, 'x', sizeof pasta);
    EXPECT_FALSE(PastaDicUsuario(pasta, 15));
    EXPECT_STREQ(pasta, "");
    EXPECT_FALSE(PastaDicUsuario(nullptr, 0));
}

} // namespace
