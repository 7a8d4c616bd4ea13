// The engine's process-wide state: the dictionary chain, the verb table and
// whether both loaded. Set up once when the library is loaded, read-only
// afterwards, released when it is unloaded.
#pragma once

#include <atomic>

#include "dictionary/dicionario.h"
#include "dictionary/verbos.h"

struct EstadoMotor {
    std::atomic<int> motorPronto{0};  // 1 once dictionaries and verb table loaded
    clDicionario dicionarios;          // head of the chain
    clVerboI verbos;
};

EstadoMotor& Motor();

// Loads the dictionary chain (the user's dictionaries listed in `userDic`,
// each name followed by CR LF, then "ip") and "vip.dic" from `pasta`, and
// marks the engine ready. Returns the readiness.
bool IniciarMotor(const char* pasta, const char* userDic);

// Releases the verb table and the dictionary chain; the engine is no longer ready.
void EncerrarMotor();
