// The translation of one sentence: word reading, phrase analysis and,
// when enough of the words are known, generation.
#pragma once

#include <string>

#include "core/analisador.h"
#include "dictionary/arena.h"
#include "dictionary/estatistica.h"
#include "dictionary/frase.h"

// Below this share of known words a sentence is written as it was read.
constexpr double kPercentagemMinima = 10.0;

// Reads and analyses `origem`; true when `destino` holds the translation to
// write, false when the sentence is to be written as read.
bool TraduzirFrase(clFrase& origem, clFrase& destino, clArena& arena, clEstatistica& estatistica);

// Reads and analyses `origem` into `analisador` (whose reader is `leitor`)
// without generating; false when the arena ran out. `dic` nullptr: the
// engine's chain.
bool AnalisarSentenca(clFrase& origem, clArena& arena, clEstatistica& estatistica, clLeitor& leitor,
                      clAnalisador& analisador, clDicionario* dic = nullptr);

// The analysis as an indented tree, one term a line, followed by the
// sentence's known-word share (text in Windows-1252).
std::string DescreverAnalise(const clAnalisador& analisador, const clEstatistica& estatistica);

// An observer of every analysed sentence, for tools that show the analysis
// (vertal --analise). Called on the thread that runs the document, before
// generation; nullptr removes it.
using GanchoAnalise = void (*)(const clFrase& origem, const clAnalisador& analisador,
                               const clEstatistica& estatistica, void* contexto);
void DefinirGanchoAnalise(GanchoAnalise gancho, void* contexto);
