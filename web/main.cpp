// sorvane: the web-translation proxy. A browser asks for
// http://127.0.0.1:PORT/ followed by a real page address and gets the page
// in Portuguese.
#include <pthread.h>
#include <signal.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "programa_janela.h"
#include "servidor.h"

namespace {

const char* const kAjuda =
    "Uso: sorvane [--sem-janela] [--porta N] [--verboso] [--prefixo URL]\n"
    "\n"
    "Proxy de tradu\xC3\xA7\xC3\xA3o de p\xC3\xA1ginas da web, do ingl\xC3\xAAs para o portugu\xC3\xAAs. Abra no\n"
    "navegador http://127.0.0.1:PORTA/ seguido do endere\xC3\xA7o da p\xC3\xA1gina, por exemplo\n"
    "http://127.0.0.1:880/https://example.org/ ; os links da p\xC3\xA1gina traduzida\n"
    "continuam passando pelo proxy.\n"
    "\n"
    "  --sem-janela  serve sem janela at\xC3\xA9 receber SIGINT ou SIGTERM\n"
    "  --porta N     escuta na porta N de 127.0.0.1 (sem ela: o valor \"Porta\" da\n"
    "                configura\xC3\xA7\xC3\xA3o do usu\xC3\xA1rio, ou 880)\n"
    "  --verboso     uma linha por pedido na sa\xC3\xAD" "da de erros: hora, m\xC3\xA9todo,\n"
    "                endere\xC3\xA7o, situa\xC3\xA7\xC3\xA3o, bytes e milissegundos\n"
    "  --prefixo URL o prefixo dos links das p\xC3\xA1ginas traduzidas, quando os\n"
    "                navegadores chegam ao proxy por outro endere\xC3\xA7o (um balanceador\n"
    "                de carga nesta m\xC3\xA1quina); sem ela: http://127.0.0.1:PORTA/\n"
    "  --help        mostra esta ajuda\n"
    "\n"
    "O proxy busca p\xC3\xA1ginas por http e https (o proxy de sa\xC3\xAD" "da vem de http_proxy,\n"
    "https_proxy e no_proxy) e arquivos locais (file:///caminho).\n"
    "\n"
    "Sa\xC3\xAD" "da: 0 ao terminar por sinal; 1 porta que n\xC3\xA3o p\xC3\xB4" "de ser usada; 2 erro de uso.\n";

const char* const kAjudaNavegador =
    "\n"
    "Sem --sem-janela o proxy serve sob a sua janela. Os bot\xC3\xB5" "es \"Traduzir\" e\n"
    "\"Mostrar Original\" tamb\xC3\xA9m existem sem janela:\n"
    "\n"
    "Uso: sorvane --traduzir|--mostrar-original [--navegador firefox|chromium]\n"
    "             [--porta-navegador N] [--porta N]\n"
    "\n";

struct Opcoes {
    bool semJanela = false;
    bool verboso = false;
    bool ajuda = false;
    int porta = -1;  // -1: as configured
    std::string prefixo;
};

bool LerOpcoes(const std::vector<std::string>& argumentos, Opcoes* o, std::string* erro)
{
    const std::size_t argc = argumentos.size();
    for (std::size_t i = 0; i < argc; ++i) {
        const std::string a = argumentos[i];
        if (a == "--help" || a == "-h" || a == "--ajuda") {
            o->ajuda = true;
        } else if (a == "--sem-janela") {
            o->semJanela = true;
        } else if (a == "--verboso") {
            o->verboso = true;
        } else if (a == "--porta" || a.rfind("--porta=", 0) == 0) {
            std::string valor;
            if (a == "--porta") {
                if (i + 1 >= argc) {
                    *erro = "--porta precisa de um n\xC3\xBAmero";
                    return false;
                }
                valor = argumentos[++i];
            } else {
                valor = a.substr(8);
            }
            char* fim = nullptr;
            const long p = std::strtol(valor.c_str(), &fim, 10);
            if (valor.empty() || !fim || *fim || p < 1 || p > 65535) {
                *erro = "porta inv\xC3\xA1lida: " + valor;
                return false;
            }
            o->porta = static_cast<int>(p);
        } else if (a == "--prefixo" && i + 1 < argc) {
            o->prefixo = argumentos[++i];
            if (o->prefixo.rfind("http://", 0) != 0 && o->prefixo.rfind("https://", 0) != 0) {
                *erro = "o prefixo deve come\xC3\xA7" "ar com http:// ou https://";
                return false;
            }
        } else {
            *erro = "op\xC3\xA7\xC3\xA3o desconhecida: " + a;
            return false;
        }
    }
    return true;
}

// Serves until SIGINT or SIGTERM.
int ServirSemJanela(const ConfigServidor& config)
{
    // The signals are taken here, by sigwait; every thread started from now
    // on inherits the mask.
    sigset_t sinais;
    sigemptyset(&sinais);
    sigaddset(&sinais, SIGINT);
    sigaddset(&sinais, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &sinais, nullptr);

    clServidor servidor;
    std::string erro;
    if (!servidor.Iniciar(config, &erro)) {
        std::fprintf(stderr, "sorvane: porta %d: %s\n", config.porta, erro.c_str());
        if (config.porta < 1024)
            std::fprintf(stderr, "sorvane: no Linux, portas abaixo de 1024 exigem privil\xC3\xA9gios; "
                                 "escolha outra com --porta (por exemplo --porta 8880).\n");
        else
            std::fprintf(stderr, "sorvane: escolha outra porta com --porta.\n");
        return 1;
    }
    if (config.verboso)
        std::fprintf(stderr, "sorvane: servindo em %s\n", servidor.Prefixo().c_str());
    int sinal = 0;
    sigwait(&sinais, &sinal);
    servidor.Parar(std::chrono::seconds(5));
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    signal(SIGPIPE, SIG_IGN);
    Opcoes opcoes;
    OpcoesNavegador navegador;
    std::string erro;
    std::vector<std::string> argumentos(argv + 1, argv + argc);
    if (!LerOpcoesNavegador(&argumentos, &navegador, &erro) || !LerOpcoes(argumentos, &opcoes, &erro)) {
        std::fprintf(stderr, "sorvane: %s\n%s", erro.c_str(), "Use sorvane --help para ver as op\xC3\xA7\xC3\xB5" "es.\n");
        return 2;
    }
    if (opcoes.ajuda) {
        std::fputs(kAjuda, stdout);
        std::fputs(kAjudaNavegador, stdout);
        std::fputs(AjudaOpcoesNavegador(), stdout);
        return 0;
    }
    ConfigServidor config;
    config.porta = opcoes.porta > 0 ? opcoes.porta : PortaConfigurada();
    config.verboso = opcoes.verboso;
    config.prefixo = opcoes.prefixo;

    if (navegador.traduzir || navegador.mostrarOriginal)
        return ExecutarAcaoNavegador(navegador, config.porta, argc, argv);
    if (!opcoes.semJanela) return ExecutarComJanela(config, argc, argv);
    return ServirSemJanela(config);
}
