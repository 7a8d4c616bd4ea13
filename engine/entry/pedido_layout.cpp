// Compile-time checks of the request block's layout, shared with outside
// callers: built into the library, and compiled alone with -m32 by the tests.
#include <cstddef>

#include "moriel32.h"

#define CAMPO(campo, deslocamento) static_assert(offsetof(PedidoTraducao, campo) == (deslocamento), #campo)

#if UINTPTR_MAX == 0xFFFFFFFFu
static_assert(sizeof(PedidoTraducao) == 62, "PedidoTraducao");
CAMPO(tipo, 0);
CAMPO(modo, 1);
CAMPO(urlPagina, 2);
CAMPO(prefixoLink, 6);
CAMPO(listaFontes, 10);
CAMPO(arqDesconhecidas, 14);
CAMPO(nConhecidas, 18);
CAMPO(nDesconhecidas, 22);
CAMPO(entrada, 26);
CAMPO(saida, 30);
CAMPO(tamEntrada, 34);
CAMPO(tamSaida, 38);
CAMPO(proprio, 42);
CAMPO(threadChamador, 46);
CAMPO(idChamador, 50);
CAMPO(threadTrabalho, 54);
CAMPO(idTrabalho, 58);
#else
static_assert(sizeof(PedidoTraducao) == 98, "PedidoTraducao");
CAMPO(tipo, 0);
CAMPO(modo, 1);
CAMPO(urlPagina, 2);
CAMPO(prefixoLink, 10);
CAMPO(listaFontes, 18);
CAMPO(arqDesconhecidas, 26);
CAMPO(nConhecidas, 34);
CAMPO(nDesconhecidas, 38);
CAMPO(entrada, 42);
CAMPO(saida, 50);
CAMPO(tamEntrada, 58);
CAMPO(tamSaida, 62);
CAMPO(proprio, 66);
CAMPO(threadChamador, 74);
CAMPO(idChamador, 82);
CAMPO(threadTrabalho, 86);
CAMPO(idTrabalho, 94);
#endif
