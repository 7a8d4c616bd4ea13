// The dictionary compiler: sorted source lines in, a compiled ".udc" file out.
#pragma once

// Compiles `texto` (source lines "key!codes", each ended by CR LF, sorted
// ascending by unsigned bytes, NUL-terminated) into the file `destino`.
// Failures are shown through MostrarMensagem under the caption "Dalvenne";
// returns true only when every step succeeded.
bool CompilarDicionario(const char* texto, const char* destino);
