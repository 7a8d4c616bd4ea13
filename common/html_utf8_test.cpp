#include "html_utf8.h"

#include <gtest/gtest.h>

#include "cp1252.h"

TEST(HtmlUtf8, CaracteresDeForaVoltamIguais)
{
    // "→", "日" and an emoji, in text, in a style rule and in a script.
    const std::string pagina = "<style>a::after{content:\"\xE2\x86\x92\"}</style><p title=\"\xE6\x97\xA5\">caf\xC3\xA9 "
                               "\xE2\x86\x92 x\xF0\x9F\x98\x80y</p><script>s='\xE2\x86\x92';</script>";
    const std::string motor = Utf8ParaHtmlCp1252(pagina);
    EXPECT_NE(motor.find("content:\"&#00008594;\""), std::string::npos) << motor;
    EXPECT_NE(motor.find("caf\xE9 &#00008594; x&#00128512;y"), std::string::npos) << motor;
    for (unsigned char c : motor) {
        if (c >= 0x80) {
            EXPECT_EQ(c, 0xE9u);
        }
    }
    EXPECT_EQ(HtmlCp1252ParaUtf8(motor), pagina);
}

TEST(HtmlUtf8, ReferenciasDaPaginaFicamComoEstao)
{
    // References the page wrote itself are not the edge's: they come back as
    // written, and one written in the edge's own spelling is kept too.
    const std::string pagina = "a&#8594;b &#x2192; &amp; &#00008594; &#0000859; &#00055296; &#0";
    const std::string motor = Utf8ParaHtmlCp1252(pagina);
    EXPECT_EQ(HtmlCp1252ParaUtf8(motor), pagina);
    EXPECT_EQ(LerReferenciaHtml("&#00055296;", 0), -1);  // a surrogate is no character
    EXPECT_EQ(LerReferenciaHtml("x&#01114111;", 1), 0x10FFFF);
    EXPECT_EQ(ReferenciaHtml(0x2192), "&#00008594;");
}

TEST(HtmlUtf8, EmPedacosCortadosEmQualquerByte)
{
    const std::string motor = "\xE9&#00008594;&#00000038;#00000001;& &#00";
    const std::string inteiro = HtmlCp1252ParaUtf8(motor);
    EXPECT_EQ(inteiro, "\xC3\xA9\xE2\x86\x92&#00000001;& &#00");
    for (std::size_t corte = 0; corte <= motor.size(); ++corte) {
        for (std::size_t corte2 = corte; corte2 <= motor.size(); ++corte2) {
            clHtmlParaUtf8 c;
            std::string s = c.Converter(motor.substr(0, corte));
            s += c.Converter(motor.substr(corte, corte2 - corte));
            s += c.Converter(motor.substr(corte2));
            s += c.Terminar();
            EXPECT_EQ(s, inteiro) << corte << " " << corte2;
        }
    }
}

TEST(HtmlUtf8, BytesQueNaoSaoUtf8)
{
    std::size_t invalidos = 0;
    EXPECT_EQ(Utf8ParaHtmlCp1252("caf\xE9 \xE2\x82", &invalidos), "caf\xE9 \xE2\x82");
    EXPECT_EQ(invalidos, 3u);
    // Every Windows-1252 character goes through as its byte.
    std::string todos;
    for (int c = 1; c < 256; ++c) todos += static_cast<char>(c);
    EXPECT_EQ(Utf8ParaHtmlCp1252(Cp1252ParaUtf8(todos), &invalidos), todos);
    EXPECT_EQ(invalidos, 0u);
}
