#include "mensagens.h"

#include <gtest/gtest.h>

TEST(Mensagens, TextosExatos)
{
    EXPECT_EQ(TextoMensagem(1, "C:\\ip.dic", 0), "Arquivo \"C:\\ip.dic\" n\xE3o foi encontrado.");
    EXPECT_EQ(TextoMensagem(2, nullptr, 0), "Mem\xF3ria Insuficiente.\nFeche algumas janelas para liberar espa\xE7o.");
    EXPECT_EQ(TextoMensagem(3, nullptr, 12),
              "Erro na aloca\xE7\xE3o de mem\xF3ria. (12)\nFeche algumas janelas para liberar espa\xE7o.");
    EXPECT_EQ(TextoMensagem(8, "2", 5),
              "A \xC1rea de Transfer\xEAncia est\xE1 sendo utilizada por outro aplicativo.\n"
              "Feche a janela do outro aplicativo e tente novamente.\n(2.5)");
    EXPECT_EQ(TextoMensagem(9, nullptr, 1), "Tipo de arquivo RTF n\xE3o est\xE1 registrado para o Windows\nErro (1)");
    // A file name holding "%s" or "%d" is shown as it is, not formatted again.
    EXPECT_EQ(TextoMensagem(1, "%s%d", 7), "Arquivo \"%s%d\" n\xE3o foi encontrado.");
}

TEST(Mensagens, SaidaInstalavel)
{
    std::string titulo, texto;
    DefinirSaidaMensagens([&](const std::string& t, const std::string& m) {
        titulo = t;
        texto = m;
        return 7;
    });
    EXPECT_EQ(MostrarErro(1, "x.dic", 0), 7);
    EXPECT_EQ(titulo, "Quillane : Erro 1");
    EXPECT_EQ(texto, "Arquivo \"x.dic\" n\xE3o foi encontrado.");
    // A sink that throws never takes the caller down.
    DefinirSaidaMensagens([](const std::string&, const std::string&) -> int { throw 1; });
    EXPECT_EQ(MostrarErro(2, nullptr, 0), 0);
    DefinirSaidaMensagens(nullptr);
    testing::internal::CaptureStderr();
    EXPECT_EQ(MostrarErro(1, "caf\xE9", 0), 1);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "Quillane : Erro 1: Arquivo \"caf\xC3\xA9\" n\xC3\xA3o foi encontrado.\n");
}
