#include "caracteres_reservados.h"

#include <gtest/gtest.h>

#include <algorithm>

TEST(CaracteresReservados, IdaEVoltaEmPedacosQuaisquer)
{
    // Characters outside Windows-1252 of every length, the C1 controls whose
    // bytes the placeholders use, a byte order mark, bytes that are not UTF-8
    // and enough characters for placeholders of several digits.
    std::string texto = "\xEF\xBB\xBF" "caf\xC3\xA9 \xE2\x86\x92 \xF0\x9F\x90\x88 \xC2\x81\xC2\x8D\xC2\x9D \xFF\xC3(\xE2\x82 fim";
    for (int i = 0; i < 70; ++i) texto += "\xCE\xB1";
    for (std::size_t corte = 0; corte <= texto.size(); ++corte) {
        clCaracteresReservados r;
        std::string motor = r.Guardar(texto.substr(0, corte), false);
        motor += r.Guardar(texto.substr(corte), true);
        // Only Windows-1252 reaches the engine: known characters as themselves.
        EXPECT_NE(motor.find("caf\xE9 "), std::string::npos);
        EXPECT_EQ(r.Invalidos(), 4u);
        std::string volta = r.Restaurar(motor.substr(0, corte), false);
        volta += r.Restaurar(motor.substr(corte), true);
        EXPECT_EQ(volta, texto) << corte;
    }
}

TEST(CaracteresReservados, CadaMarcaVoltaAoSeuCaractereOndeQuerQueVa)
{
    clCaracteresReservados r;
    const std::string motor = r.Guardar("\xE2\x86\x92 x \xE2\x86\x90");
    const auto espaco = motor.find(" x ");
    ASSERT_NE(espaco, std::string::npos);
    // The translation swapped the two tokens.
    const std::string trocado = motor.substr(espaco + 3) + " y " + motor.substr(0, espaco);
    EXPECT_EQ(r.Restaurar(trocado), "\xE2\x86\x90 y \xE2\x86\x92");
    EXPECT_EQ(r.Guardados(), 2u);
    // A placeholder the engine cut or made up is no character of the input.
    EXPECT_EQ(r.Restaurar("\x81"), "\xEF\xBF\xBD");
    EXPECT_EQ(r.Restaurar("\x81\x9D\x9D\x9D"), "\xEF\xBF\xBD");
}
