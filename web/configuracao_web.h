// The settings of sorvane's windows, kept under the current user's key
// "Software\Brinmor\QuillaneBeta\Web", and the browser the desktop opens
// web pages with.
#pragma once

#include <optional>
#include <string>

#include "navegador.h"

inline constexpr const char* kChaveWeb = "Software\\Brinmor\\QuillaneBeta\\Web";

struct ConfiguracaoJanela {
    bool confBrowser = true;       // "ConfBrowser": register the proxy with the browser at exit
    int janela = 1;                // "Janela": the window state word
    std::optional<int> top, left;  // "Top", "Left": the main window's position
    int portaNavegador = kPortaNavegadorPadrao;  // "PortaNavegador": the browser's remote control port
    std::string registroProxy;     // "RegistroProxy": command line that registers the proxy (Windows-1252)
};

// Reads the settings without creating the key. Returns false, leaving
// `config` as it was, when the key does not exist; missing values keep
// theirs.
bool LerConfiguracaoJanela(ConfiguracaoJanela* config);

// Writes "ConfBrowser", "Janela", "Top", "Left" and "PortaNavegador",
// creating the key when needed ("RegistroProxy" is only read).
bool GravarConfiguracaoJanela(const ConfiguracaoJanela& config);

// The desktop's default handler of text/html (a desktop file name such as
// "firefox-esr.desktop"), from xdg-mime, else from the mimeapps.list files
// it reads; empty when none is named.
std::string HandlerPadraoHtml();

// The mimeapps.list part of HandlerPadraoHtml alone.
std::string HandlerHtmlDosArquivosMime();

// A handler whose name contains "firefox" is Firefox; anything else,
// nothing included, is Chromium.
TipoNavegador NavegadorDoHandler(const std::string& handler);
