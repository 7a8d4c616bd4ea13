// The round trip of plain text through the engine's Windows-1252 core.
//
// The engine sees Windows-1252 bytes only. A character of the input that
// Windows-1252 cannot hold, and any byte that is not valid UTF-8, is kept
// here and stands in the engine's text as a placeholder: the unassigned byte
// 0x81 followed by its number written in base 4 with the other unassigned
// bytes (0x8D, 0x8F, 0x90, 0x9D), most significant digit first. The engine
// carries such a token like any other non-word, and on the way out each
// placeholder becomes the character it stands for again, wherever the
// translation put it. The five unassigned bytes are therefore never taken as
// characters of their own: U+0081, U+008D, U+008F, U+0090 and U+009D are
// kept like characters outside Windows-1252.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

class clCaracteresReservados {
public:
    // UTF-8 to Windows-1252 with placeholders. Text may come in pieces: with
    // `fim` false an unfinished UTF-8 sequence at the end is held back for
    // the next call; with `fim` true it is taken as invalid bytes.
    std::string Guardar(std::string_view utf8, bool fim = true);

    // Windows-1252 (with placeholders) to UTF-8. With `fim` false a
    // placeholder that may go on in the next piece is held back.
    std::string Restaurar(std::string_view texto, bool fim = true);

    // Characters kept (outside Windows-1252), and bytes that were not UTF-8.
    std::size_t Guardados() const { return guardados_; }
    std::size_t Invalidos() const { return invalidos_; }

private:
    // A code point, or kByteCru + the byte for a byte that was not UTF-8 and
    // goes back out as it came.
    static constexpr std::uint32_t kByteCru = 0x80000000u;
    void Reservar(std::string& saida, std::uint32_t codigo);

    std::vector<std::uint32_t> codigos_;
    std::string retidoEntrada_;
    std::string retidoSaida_;
    std::size_t guardados_ = 0;
    std::size_t invalidos_ = 0;
};

// True for the bytes placeholders are made of.
bool ByteReservado(unsigned char b);
