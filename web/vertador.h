// VertadorWeb: serves one browser connection: reads the request, fetches
// the page (network or local file), streams HTML through the engine and
// answers.
#pragma once

#include <atomic>
#include <chrono>
#include <cstdint>
#include <string>

#include "servidor.h"

struct PedidoTraducao;

using FuncaoVertal = std::uint8_t (*)(PedidoTraducao*);

// What every worker shares; fixed while any worker runs, except the flags.
struct ContextoVertador {
    int porta = 880;
    std::string prefixo;              // "http://127.0.0.1:PORT/"
    std::string hostPublico;          // host[:port] of a prefix set by the owner, or empty
    bool verboso = false;
    OrigemProxy origemProxy = OrigemProxy::Ambiente;
    std::string pastaFirefox;
    FuncaoVertal vertal = nullptr;    // null: the engine could not be loaded
    std::chrono::milliseconds esperaCliente{10000};
    std::chrono::milliseconds esperaServidor{30000};
    const std::atomic<bool>* cancelar = nullptr;  // set when the server stops for good
};

// Serves the connection `conexao` (non-blocking) and closes it.
void AtenderConexao(int conexao, const ContextoVertador& contexto);
