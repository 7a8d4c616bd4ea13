// The engine's numbered error messages and where they are shown.
#pragma once

#include <functional>
#include <string>

// Receives a message: caption and text, both Windows-1252. Returns the
// result of the box (1 for "OK").
using SaidaMensagens = std::function<int(const std::string& titulo, const std::string& texto)>;

// Installs the sink for every later message (a program with windows shows a
// box; tests capture). An empty function restores the default, which writes
// caption and text to standard error in UTF-8 and returns at once.
void DefinirSaidaMensagens(SaidaMensagens saida);

// Text of message `codigo` with its arguments filled in, Windows-1252.
std::string TextoMensagem(int codigo, const char* texto, int numero);

// Formats message `codigo` and shows it under the caption "Quillane : Erro
// <codigo>". The codes: 1 file not found (file name), 2 out of memory, 3 a
// shared mapping failed (system error), 8 clipboard busy (place tag, system
// error), 9 RTF clipboard format missing (system error), 10 a data file is
// damaged (file name), 11 no clipboard at all: no display or no clipboard
// tool (place tag, system error), 12 a file could not be written (file name,
// system error), 13 the installation folder's name is too long (the name,
// the longest allowed). Never fails.
int MostrarErro(int codigo, const char* texto, int numero);

// Shows an arbitrary message under an arbitrary caption through the same sink
// (the dictionary compiler's messages go out this way).
int MostrarMensagem(const std::string& titulo, const std::string& texto);
