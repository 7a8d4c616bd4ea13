// The parts of sorvane's command line that belong to the window: the
// browser actions without a window, and the program with its windows.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "navegador.h"

struct OpcoesNavegador {
    bool traduzir = false;         // --traduzir
    bool mostrarOriginal = false;  // --mostrar-original
    std::optional<TipoNavegador> navegador;  // --navegador firefox|chromium
    int portaNavegador = -1;       // --porta-navegador N; -1: as configured
};

// Takes the browser options out of `argumentos` (without the program name),
// leaving the others in their order. False with a message on a usage error.
bool LerOpcoesNavegador(std::vector<std::string>* argumentos, OpcoesNavegador* opcoes, std::string* erro);

// The help lines of those options, UTF-8.
const char* AjudaOpcoesNavegador();

// "Traduzir" or "Mostrar Original" without a window, against the browser of
// the current choice (the desktop's, unless the options name one). Prints
// the message the button would show on standard error; 0 when the browser
// was sent to the new address, 1 otherwise.
int ExecutarAcaoNavegador(const OpcoesNavegador& opcoes, int portaProxy, int argc, char** argv);

struct ConfigServidor;
class clServidor;
class TWbServe;
class TForm1;

// Ties the windows to the proxy: the connection counter to "Configurar"
// (marshalled to the window's thread), the browser choice to where the
// proxy's upstream proxy comes from. Before the server starts.
void LigarJanelasAoServidor(TWbServe& principal, TForm1& configuracao, clServidor& servidor,
                            ConfigServidor* config);

// The program with its windows over the proxy: the proxy starts (a port
// that cannot be bound is shown in a message box and gives 1), the main
// window runs until it is closed (or SIGINT or SIGTERM arrive), then the
// proxy stops as on SIGTERM and the settings are written. Returns the exit
// status.
int ExecutarComJanela(ConfigServidor config, int argc, char** argv);
