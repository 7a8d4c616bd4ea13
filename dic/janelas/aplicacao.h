// The editor as a program: finds the installation, loads the engine and
// runs the main window.
#pragma once

// `dic` and `dic ARQUIVO.lex`. Returns the exit status.
int ExecutarEditor(int argc, char** argv);
