#include "programa_janela.h"

#include <QCoreApplication>

#include <cstdio>
#include <cstdlib>
#include <memory>

#include "configuracao_web.h"

namespace {

bool LerNumero(const std::string& texto, int minimo, int maximo, int* numero)
{
    char* fim = nullptr;
    const long n = std::strtol(texto.c_str(), &fim, 10);
    if (texto.empty() || *fim || n < minimo || n > maximo) return false;
    *numero = static_cast<int>(n);
    return true;
}

} // namespace

bool LerOpcoesNavegador(std::vector<std::string>* argumentos, OpcoesNavegador* opcoes, std::string* erro)
{
    std::vector<std::string> resto;
    for (std::size_t i = 0; i < argumentos->size(); ++i) {
        const std::string& a = (*argumentos)[i];
        // "--opcao valor" or "--opcao=valor".
        auto valor = [&](const std::string& nome, std::string* v) {
            if (a == nome) {
                if (i + 1 >= argumentos->size()) return false;
                *v = (*argumentos)[++i];
                return true;
            }
            *v = a.substr(nome.size() + 1);
            return true;
        };
        auto e = [&](const char* nome) { return a == nome || a.rfind(std::string(nome) + "=", 0) == 0; };
        if (a == "--traduzir") {
            opcoes->traduzir = true;
        } else if (a == "--mostrar-original") {
            opcoes->mostrarOriginal = true;
        } else if (e("--navegador")) {
            std::string v;
            TipoNavegador tipo;
            if (!valor("--navegador", &v) || !LerNomeNavegador(QString::fromStdString(v), &tipo)) {
                *erro = "--navegador precisa de firefox ou chromium";
                return false;
            }
            opcoes->navegador = tipo;
        } else if (e("--porta-navegador")) {
            std::string v;
            if (!valor("--porta-navegador", &v) || !LerNumero(v, 1, 65535, &opcoes->portaNavegador)) {
                *erro = "porta do navegador inv\xC3\xA1lida: " + v;
                return false;
            }
        } else {
            resto.push_back(a);
        }
    }
    if (opcoes->traduzir && opcoes->mostrarOriginal) {
        *erro = "use --traduzir ou --mostrar-original, n\xC3\xA3o os dois";
        return false;
    }
    *argumentos = std::move(resto);
    return true;
}

const char* AjudaOpcoesNavegador()
{
    return "  --traduzir          mostra traduzida a p\xC3\xA1gina que est\xC3\xA1 no navegador, sem abrir\n"
           "                      a janela (o bot\xC3\xA3o \"Traduzir\")\n"
           "  --mostrar-original  volta a p\xC3\xA1gina do navegador ao endere\xC3\xA7o original (o bot\xC3\xA3o\n"
           "                      \"Mostrar Original\")\n"
           "  --navegador firefox|chromium\n"
           "                      o navegador que as duas op\xC3\xA7\xC3\xB5" "es controlam (sem ela: o navegador\n"
           "                      padr\xC3\xA3o do ambiente de trabalho)\n"
           "  --porta-navegador N a porta de controle remoto do navegador (sem ela: o valor\n"
           "                      \"PortaNavegador\" da configura\xC3\xA7\xC3\xA3o, ou 9222)\n";
}

int ExecutarAcaoNavegador(const OpcoesNavegador& opcoes, int portaProxy, int argc, char** argv)
{
    std::unique_ptr<QCoreApplication> app;
    if (!QCoreApplication::instance()) app = std::make_unique<QCoreApplication>(argc, argv);
    ConfiguracaoJanela config;
    LerConfiguracaoJanela(&config);
    const TipoNavegador tipo = opcoes.navegador ? *opcoes.navegador : NavegadorDoHandler(HandlerPadraoHtml());
    const int porta = opcoes.portaNavegador > 0 ? opcoes.portaNavegador : config.portaNavegador;
    auto controle = CriarControleNavegador(tipo, porta);
    const ResultadoAcao r = opcoes.traduzir ? Traduzir(*controle, tipo, porta, portaProxy)
                                            : MostrarOriginal(*controle, tipo, porta);
    if (!r.mensagem.isEmpty()) std::fprintf(stderr, "sorvane: %s\n", r.mensagem.toUtf8().constData());
    return r.enviado ? 0 : 1;
}
