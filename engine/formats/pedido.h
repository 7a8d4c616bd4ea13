// A translation request from its arrival to its end: the stream-mode worker
// thread and its hand-over, and the synchronous file and clipboard modes.
#pragma once

#include <cstddef>
#include <cstdint>

#include "moriel32.h"

// The worker thread's stack. Sanitizers make every frame several times
// larger, so their builds get more.
#if defined(QUILLANE_SANITIZADO)
constexpr std::size_t kPilhaTrabalho = 0x100000;
#else
constexpr std::size_t kPilhaTrabalho = 0x8000;
#endif

// What VertalInglPort does; see the public header.
std::uint8_t TraduzirPedido(PedidoTraducao* pedido);

// Runs the document translator for the request's kind on the calling thread.
// Returns the sentence loop's result (1 ran, 0 nothing done).
int ExecutarDocumento(PedidoTraducao* pedido);
