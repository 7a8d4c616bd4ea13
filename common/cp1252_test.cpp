#include "cp1252.h"

#include <gtest/gtest.h>

TEST(Cp1252, IdaEVoltaDeTodosOsBytes)
{
    std::string todos;
    for (int c = 1; c < 256; ++c) todos += static_cast<char>(c);
    const std::string utf8 = Cp1252ParaUtf8(todos);
    std::size_t trocados = 99;
    EXPECT_EQ(Utf8ParaCp1252(utf8, '?', &trocados), todos);
    EXPECT_EQ(trocados, 0u);
}

TEST(Cp1252, CaracteresDeFora)
{
    EXPECT_EQ(Cp1252ParaUtf8("n\xE3o \x80"), "n\xC3\xA3o \xE2\x82\xAC");
    std::size_t trocados = 0;
    // "日本" and an emoji: none fits Windows-1252.
    EXPECT_EQ(Utf8ParaCp1252("a\xE6\x97\xA5\xE6\x9C\xAC b \xF0\x9F\x98\x80", '?', &trocados), "a?? b ?");
    EXPECT_EQ(trocados, 3u);
    EXPECT_EQ(Utf8ParaCp1252("\xE6\x97\xA5", 0), "&#26085;");
    // Bytes that are not UTF-8 are taken as Windows-1252, never dropped.
    EXPECT_EQ(Utf8ParaCp1252("caf\xE9!"), "caf\xE9!");
    EXPECT_EQ(Utf8ParaCp1252("\xE2\x82"), "\xE2\x82");  // cut short
    EXPECT_EQ(Utf8ParaCp1252("\xC0\xAF"), "\xC0\xAF");  // overlong
}
