// vertal: the command-line translator, over the engine's VertalInglPort.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

struct OpcoesVertal {
    int tipo = 0;                  // TIPO_TEXTO, TIPO_HTML or TIPO_RTF
    bool cp1252 = false;           // pass bytes as they are, no UTF-8 conversion
    std::string desconhecidas;     // file for the unknown-word list
    bool estatisticas = false;     // print the word counts on standard error
    bool areaTransferencia = false;
    bool ajuda = false;
    std::string conjugar;          // --conjugar: the infinitive to conjugate
    bool analise = false;          // --analise: show each sentence's analysis instead of translating
    std::string entrada;           // empty: standard input
    std::string saida;             // empty: standard output
};

// Parses the arguments (without the program name). False with a message in
// `erro` on a usage error.
bool LerOpcoes(const std::vector<std::string>& argumentos, OpcoesVertal* opcoes, std::string* erro);

// The help text, UTF-8.
const char* TextoAjuda();

// Translates as the options say. Returns the exit status: 0 success, 1 the
// engine is not ready or a file cannot be opened.
int ExecutarVertal(const OpcoesVertal& opcoes, std::FILE* entradaPadrao, std::FILE* saidaPadrao);

// Splits UTF-8 read in blocks: returns the bytes of `bloco` (appended to what
// was held back) that end on a whole character, keeping an unfinished
// sequence at the end for the next call.
std::string CompletarUtf8(std::string* retido, const std::string& bloco);
