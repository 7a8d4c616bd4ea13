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
