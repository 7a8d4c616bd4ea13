// The two installation settings the engine reads at start-up.
#pragma once

#include <cstddef>

// Reads "DirRoot" (local machine) into `buffer`, at most `tam` bytes with
// its NUL; an empty text when the key or the value is missing. A value that
// does not fit is refused whole, never cut: message 13 names it, the buffer
// is left empty and the result is false.
bool LerDirRoot(char* buffer, std::size_t tam);

// Reads "UserDic" (current user): the user's dictionaries in search order,
// each name followed by CR LF (a last name without its line end is given
// one). Returns a malloc'd copy the caller frees with
// free(), or nullptr when the key or the value is missing.
char* LerUserDic();

// The current user's own dictionary folder: $XDG_DATA_HOME/quillane/dic, or
// $HOME/.local/share/quillane/dic when XDG_DATA_HOME is unset, empty or not
// an absolute path. Writes it into `buffer` (at most `tam` bytes with its
// NUL) and returns true; returns false with an empty text when no home
// folder is known or the path does not fit (it is never cut).
bool PastaDicUsuario(char* buffer, std::size_t tam);
