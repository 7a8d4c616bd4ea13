// A long stream request: many rounds of the same paragraphs through one
// request must come out as many copies of one round's output, whole, with
// the engine's memory independent of the document's length. (The long run,
// a million sentences, is bench/resistencia_fluxo.)
#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdio>
#include <string>
#include <vector>

#include "formats/pedido.h"
#include "testes/apoio.h"

namespace {

long RssKb()
{
    long paginas = 0, residentes = 0;
    if (std::FILE* f = std::fopen("/proc/self/statm", "r")) {
        if (std::fscanf(f, "%ld %ld", &paginas, &residentes) != 2) residentes = 0;
        std::fclose(f);
    }
    return residentes * (sysconf(_SC_PAGESIZE) / 1024);
}

const char kRodada[] =
    "The red cars are fast.\r\n\r\nShe is working in the house.\r\n\r\n"
    "They have worked on the new program, and he will open the file.\r\n\r\n"
    "Do you like the new page? The computer is not good!\r\n\r\n"
    "I read the translation of the book; the books on the table are red.\r\n\r\n"
    "Click OK to install the unsigned package.\r\n\r\n";

} // namespace

TEST(Resistencia, MilharesDeFrasesNumSoPedido)
{
    ASSERT_TRUE(GarantirMotor());
    const std::string rodada = kRodada;
    const std::string umaRodada = TraduzirFluxo(rodada, 0);
    ASSERT_FALSE(umaRodada.empty());

#if defined(QUILLANE_SANITIZADO)
    constexpr long kRodadas = 500;  // 4,000 sentences
#else
    constexpr long kRodadas = 2500;  // 20,000 sentences
#endif
    PedidoTraducao p{};
    std::vector<char> saida(MORIEL_TAM_SAIDA);
    p.tipo = TIPO_TEXTO;
    p.modo = MODO_FLUXO;
    p.saida = saida.data();
    std::size_t bytes = 0, pos = 0, diferentes = 0;
    long feitas = 0, rssDepoisDaPrimeira = 0, rssMaior = 0;
    std::string pedaco;
    do {
        // One round per hand-over, then the empty hand-over that ends input.
        if (feitas < kRodadas) {
            pedaco = rodada;
            if (++feitas == kRodadas / 10) rssDepoisDaPrimeira = RssKb();
            if (feitas > kRodadas / 10 && feitas % 50 == 0) rssMaior = std::max(rssMaior, RssKb());
        } else {
            pedaco.clear();
        }
        p.entrada = pedaco.data();
        p.tamEntrada = static_cast<std::int32_t>(pedaco.size());
        ASSERT_TRUE(TraduzirPedido(&p));
        const std::int32_t feito = p.tamSaida;
        ASSERT_GE(feito, 0);
        ASSERT_LE(feito, MORIEL_TAM_SAIDA);
        for (std::int32_t i = 0; i < feito; ++i) {
            if (p.saida[i] != umaRodada[pos]) ++diferentes;
            if (++pos == umaRodada.size()) pos = 0;
        }
        bytes += static_cast<std::size_t>(feito);
    } while (p.threadTrabalho);

    EXPECT_EQ(diferentes, 0u);
    EXPECT_EQ(bytes, umaRodada.size() * kRodadas);  // nothing lost, nothing repeated
    const long crescimento = rssMaior - rssDepoisDaPrimeira;
#if !defined(QUILLANE_SANITIZADO)
    // The sanitizers keep freed memory in quarantine; only a plain build
    // says whether the engine's own memory stays flat.
    EXPECT_LT(crescimento, 4 * 1024) << "resident memory grew with the document";
#else
    (void)crescimento;
#endif
}
