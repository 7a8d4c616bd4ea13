// A real browser through the proxy: headless Chromium loads a translated
// page, and a script in it tries to read a local file and another page
// through the proxy.
#include <gtest/gtest.h>

#include <cstdlib>

#include "apoio_web.h"
#include "servidor.h"

namespace {

TEST(Navegador, ChromiumLePaginaTraduzidaEScriptNaoLeArquivoLocal)
{
#ifdef QUILLANE_SANITIZADO
    GTEST_SKIP() << "the browser test runs in the normal build only";
#endif
    if (Executar("command -v chromium >/dev/null 2>&1") != 0) GTEST_SKIP() << "chromium is not installed";
    const std::string pasta = CriarPastaTemporaria("sorvane-navegador");
    setenv("QUILLANE_REGISTRO", (pasta + "/registro").c_str(), 1);
    for (const char* v : {"http_proxy", "https_proxy", "HTTP_PROXY", "HTTPS_PROXY", "all_proxy", "ALL_PROXY"})
        unsetenv(v);
    {
        clNginx nginx(pasta + "/nginx");
        ASSERT_TRUE(nginx.Ativo());
        ConfigServidor config;
        config.porta = 0;
        config.caminhoMotor = QUILLANE_DADOS_DIR "/libmoriel32.so";
        clServidor servidor;
        std::string erro;
        ASSERT_TRUE(servidor.Iniciar(config, &erro)) << erro;
        const std::string prefixo = servidor.Prefixo();
        GravarArquivo(pasta + "/segredo.txt", "SEGREDO-LOCAL");
        GravarArquivo(nginx.Www() + "/outra.html", "<p>The other page.</p>");
        auto tentativa = [](const std::string& id, const std::string& endereco) {
            return "fetch('" + endereco + "').then(function(r){return r.text();})"
                   ".then(function(t){document.getElementById('" + id + "').textContent='LIDO:'+t;})"
                   ".catch(function(){document.getElementById('" + id + "').textContent='FALHOU';});\n";
        };
        GravarArquivo(nginx.Www() + "/script.html",
                      "<html><head><meta charset=\"utf-8\"><title>Test</title></head><body><p>The house is big.</p>\n"
                      "<a href=\"outra.html\">News</a>\n"
                      "<div id=\"arquivo\">esperando</div><div id=\"pagina\">esperando</div><div id=\"neve\"></div>\n"
                      "<script>\ndocument.getElementById('neve').textContent = 'neve \xE2\x98\x83';\n" +
                          tentativa("arquivo", prefixo + "file://" + pasta + "/segredo.txt") +
                          tentativa("pagina", prefixo + nginx.Http("outra.html")) + "</script></body></html>\n");
        const std::string saida = pasta + "/dom.html";
        const std::string comando = "timeout 60 chromium --headless=new --no-sandbox --disable-gpu --no-first-run"
                                    " --user-data-dir='" + pasta + "/perfil' --virtual-time-budget=5000"
                                    " --dump-dom '" + prefixo + nginx.Http("script.html") + "' > '" + saida +
                                    "' 2>/dev/null";
        EXPECT_EQ(Executar(comando), 0);
        const std::string dom = LerArquivo(saida);
        EXPECT_NE(dom.find("A casa \xC3\xA9 grande"), std::string::npos) << dom;
        EXPECT_NE(dom.find("href=\"" + prefixo + nginx.Http("outra.html") + "\""), std::string::npos) << dom;
        EXPECT_NE(dom.find("<div id=\"arquivo\">FALHOU</div>"), std::string::npos) << dom;
        EXPECT_NE(dom.find("<div id=\"pagina\">FALHOU</div>"), std::string::npos) << dom;
        EXPECT_EQ(dom.find("SEGREDO-LOCAL"), std::string::npos);
        // A character Windows-1252 lacks, inside a script, reaches the page as it was.
        EXPECT_NE(dom.find("<div id=\"neve\">neve \xE2\x98\x83</div>"), std::string::npos) << dom;
        servidor.Parar();
    }
    unsetenv("QUILLANE_REGISTRO");
    RemoverPasta(pasta);
}

} // namespace
