// "Ativa Pellaro": the clipboard's text translated in place by the engine's
// clipboard mode, the engine loaded for the call and let go after it.
#pragma once

#include <QString>

#include <string>

struct ResultadoPellaro {
    bool traduzido = false;
    QString mensagem;  // for the status line
};

// Translates the clipboard's text with the engine at `caminhoMotor`. Blocks
// for as long as the clipboard tools and the translation take (each clipboard
// tool run is bounded): call it away from the window's thread.
ResultadoPellaro TraduzirAreaComMotor(const std::string& caminhoMotor);
