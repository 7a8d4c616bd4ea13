// Helpers shared by the engine's tests: the engine loaded from the build's
// data folder, and requests run in each mode.
#pragma once

#include <string>

#include "moriel32.h"

// Loads the dictionaries and the verb table of the build once per process.
bool GarantirMotor();

// Runs a stream request over `texto` cut into chunks of `tamPedaco` bytes
// (0: the whole text as one chunk) and returns the concatenated output.
// `pedidoFinal`, when given, receives the block at the end.
std::string TraduzirFluxo(const std::string& texto, std::size_t tamPedaco, int tipo = TIPO_TEXTO,
                          PedidoTraducao* pedidoFinal = nullptr);

// Runs a file request; returns the output file's content.
std::string TraduzirArquivo(const std::string& texto, int tipo = TIPO_TEXTO);

// A fresh temporary folder for one test.
std::string PastaTemporaria(const std::string& nome);
