// The dictionary compiler: sorted source lines in, a compiled ".udc" file out.
#pragma once

#include <string>
#include <vector>

// Compiles `texto` (source lines "key!codes", each ended by CR LF, sorted
// ascending by unsigned bytes, NUL-terminated) into the file `destino`.
// Failures are shown through MostrarMensagem under the caption "Dalvenne";
// returns true only when every step succeeded.
bool CompilarDicionario(const char* texto, const char* destino);

// Merges the lines ("key!codes") of several sources given in priority order
// into one compilable text (sorted by unsigned bytes, each line ended by
// CR LF). The first source that holds a key wins it: later sources' lines
// for that key are dropped (duplicates inside one source are kept, so the
// compile still reports them). Every multiword key ("log_in") sets its "#"
// bit on the line of its first word and on the lines whose base form "R(...)"
// is that word, wherever those lines came from, so that the reader tries the
// multiword at them.
std::string JuntarFontes(const std::vector<std::vector<std::string>>& fontes);
