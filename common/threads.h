// Threads with a given stack size and per-thread message queues: what the
// engine's stream hand-over needs of the system.
//
// Each thread that takes part gets a queue of (message, wParam, lParam)
// triples, addressed by a 32-bit thread id. Posting never blocks; a thread
// waits for one message number while the others stay queued, or peeks
// without removing anything.
#pragma once

#include <cstddef>
#include <cstdint>

struct MensagemThread {
    std::uint32_t mensagem = 0;
    std::uintptr_t wParam = 0;
    std::intptr_t lParam = 0;
};

// The calling thread's id; creates its queue on first use.
std::uint32_t IdThreadAtual();

// Appends a message to the queue of thread `id`. False when no such thread
// (or queue) exists.
bool PostarMensagemThread(std::uint32_t id, std::uint32_t mensagem, std::uintptr_t wParam, std::intptr_t lParam);

// Blocks until the calling thread's queue holds a message numbered
// `mensagem`, removes the first such message and returns it.
MensagemThread EsperarMensagem(std::uint32_t mensagem);

// True when the calling thread's queue holds a message numbered between
// `minimo` and `maximo` (both 0: any message); nothing is removed.
bool EspiarMensagem(std::uint32_t minimo, std::uint32_t maximo, MensagemThread* saida = nullptr);

// A thread started with its own queue already in place, so that messages
// posted to it right after creation are never lost.
struct clThread;

// Starts `rotina(argumento)` on a new thread with a stack of `tamPilha`
// bytes. Returns nullptr when the thread cannot be created; `id` receives its
// thread id.
clThread* CriarThread(std::size_t tamPilha, void (*rotina)(void*), void* argumento, std::uint32_t* id);

// Waits for the thread to end and frees its handle.
void EsperarThread(clThread* thread);
