// Conversion between Windows-1252 (the suite's text) and UTF-8 (the edges:
// terminals, windows, the web).
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// Every Windows-1252 byte has a UTF-8 form; the five unassigned bytes
// (0x81, 0x8D, 0x8F, 0x90, 0x9D) pass through as the C1 controls of the same
// number, so the conversion never loses a byte.
std::string Cp1252ParaUtf8(std::string_view texto);

// Characters that Windows-1252 cannot hold become `substituto` (0 for a
// numeric character reference "&#N;"); malformed UTF-8 bytes are read as
// Windows-1252 bytes. `trocados`, when given, receives the number of
// characters replaced.
std::string Utf8ParaCp1252(std::string_view texto, char substituto = '?', std::size_t* trocados = nullptr);
