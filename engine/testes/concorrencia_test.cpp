// Concurrency: the thread message queues and many stream requests at once.
// This binary also runs under ThreadSanitizer.
#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

#include "testes/apoio.h"
#include "threads.h"

TEST(FilaMensagens, EsperaPorNumeroEDeixaOsOutros)
{
    const std::uint32_t eu = IdThreadAtual();
    ASSERT_TRUE(PostarMensagemThread(eu, 5, 0, 50));
    ASSERT_TRUE(PostarMensagemThread(eu, 7, 1, 70));
    ASSERT_TRUE(PostarMensagemThread(eu, 5, 0, 51));
    MensagemThread m;
    EXPECT_TRUE(EspiarMensagem(7, 7, &m));
    EXPECT_EQ(m.lParam, 70);
    EXPECT_FALSE(EspiarMensagem(256, 264));
    EXPECT_EQ(EsperarMensagem(7).lParam, 70);
    EXPECT_EQ(EsperarMensagem(5).lParam, 50);  // first come, first taken
    EXPECT_EQ(EsperarMensagem(5).lParam, 51);
    EXPECT_FALSE(EspiarMensagem(0, 0));
    EXPECT_FALSE(PostarMensagemThread(0xFFFFFFF0u, 1, 0, 0));  // no such thread
}

namespace {

struct Troca {
    std::uint32_t chamador;
    std::atomic<int> rodadas{0};
};

void Eco(void* p)
{
    auto* t = static_cast<Troca*>(p);
    // Posts before the other side waits, then waits for its answer: the
    // queue made at creation keeps the early answer.
    for (int i = 0; i < 100; ++i) {
        PostarMensagemThread(t->chamador, 1025, 0, 1);
        EsperarMensagem(1024);
        t->rodadas.fetch_add(1);
    }
    PostarMensagemThread(t->chamador, 1025, 0, 0);
}

} // namespace

TEST(FilaMensagens, TrocaEntreThreadsComPilhaPequena)
{
    Troca troca;
    troca.chamador = IdThreadAtual();
    std::uint32_t id = 0;
    clThread* t = CriarThread(0x8000, Eco, &troca, &id);
    ASSERT_NE(t, nullptr);
    ASSERT_NE(id, 0u);
    // Post to the worker before it could have run: never lost.
    int respostas = 0;
    while (EsperarMensagem(1025).lParam == 1) {
        ++respostas;
        ASSERT_TRUE(PostarMensagemThread(id, 1024, 0, 0));
    }
    EsperarThread(t);
    EXPECT_EQ(respostas, 100);
    EXPECT_EQ(troca.rodadas.load(), 100);
    EXPECT_FALSE(PostarMensagemThread(id, 1024, 0, 0));  // its queue ended with it
}

TEST(Concorrencia, PedidosSimultaneosDaoOMesmoResultado)
{
    ASSERT_TRUE(GarantirMotor());
    constexpr int kPedidos = 32;
    std::vector<std::string> textos, esperados(kPedidos), obtidos(kPedidos);
    for (int i = 0; i < kPedidos; ++i) {
        std::string t;
        for (int j = 0; j < 40 + i; ++j)
            t += "Hello world number " + std::to_string(i * 1000 + j) + ", this is the text.\n\n";
        textos.push_back(t);
        esperados[i] = TraduzirFluxo(t, 0);
    }
    std::vector<std::thread> threads;
    for (int i = 0; i < kPedidos; ++i)
        threads.emplace_back([&, i] { obtidos[i] = TraduzirFluxo(textos[i], 97 + i); });
    for (auto& t : threads) t.join();
    for (int i = 0; i < kPedidos; ++i) EXPECT_EQ(obtidos[i], esperados[i]) << i;
}

namespace {

// A document of the given kind whose content depends on `n`, so that every
// request translates different text.
std::string Documento(int tipo, int n)
{
    static const char* const kFrases[] = {
        "The red cars are fast.", "She is working in the house.", "They have worked on the new program.",
        "He will open the file and read the text.", "Do you like the new page?", "The computer is not good.",
    };
    std::string corpo;
    for (int j = 0; j < 12 + n % 9; ++j) {
        const std::string f = std::string(kFrases[(n + j) % 6]) + " Item " + std::to_string(n * 100 + j) + ".";
        if (tipo == TIPO_HTML)
            corpo += "<p>" + f + " <b>bold</b> <a href=\"x" + std::to_string(j) + ".html\">link</a></p>\n";
        else if (tipo == TIPO_RTF)
            corpo += (j % 3 ? "" : "{\\b ") + f + (j % 3 ? "" : "}") + "\\par\r\n";
        else
            corpo += f + "\r\n\r\n";
    }
    if (tipo == TIPO_HTML) return "<html><head><title>Page " + std::to_string(n) + "</title></head><body>" + corpo +
                                  "</body></html>";
    if (tipo == TIPO_RTF) return "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\f0 " + corpo + "}";
    return corpo;
}

} // namespace

// 64 stream requests of every kind at once, each in its own chunk size: each
// output equals that document's output when translated alone.
TEST(Concorrencia, SessentaEQuatroPedidosDeTodosOsTipos)
{
    ASSERT_TRUE(GarantirMotor());
    constexpr int kPedidos = 64;
    const int tipos[] = {TIPO_TEXTO, TIPO_HTML, TIPO_RTF};
    std::vector<std::string> textos, esperados(kPedidos), obtidos(kPedidos);
    for (int i = 0; i < kPedidos; ++i) {
        textos.push_back(Documento(tipos[i % 3], i));
        esperados[i] = TraduzirFluxo(textos[i], 0, tipos[i % 3]);
        ASSERT_FALSE(esperados[i].empty()) << i;
    }
    std::atomic<int> largada{0};
    std::vector<std::thread> threads;
    for (int i = 0; i < kPedidos; ++i)
        threads.emplace_back([&, i] {
            // All start together, so the requests really overlap.
            largada.fetch_add(1);
            while (largada.load() < kPedidos) std::this_thread::yield();
            obtidos[i] = TraduzirFluxo(textos[i], 1 + static_cast<std::size_t>(i * 37 % 211), tipos[i % 3]);
        });
    for (auto& t : threads) t.join();
    for (int i = 0; i < kPedidos; ++i) EXPECT_EQ(obtidos[i], esperados[i]) << "request " << i;
}
