// The desktop clipboard, as the engine's clipboard mode sees it: one read of
// the whole content in a format, one replacement of it.
//
// X11 (DISPLAY set) goes through "xclip" on the CLIPBOARD selection; Wayland
// (WAYLAND_DISPLAY set, which wins over DISPLAY) through "wl-paste" and
// "wl-copy", or through xclip when those are not installed and DISPLAY is
// set too (Xwayland). The tools run as child processes without a shell, each under a
// time limit, so a clipboard owner that never answers cannot hang the caller.
// Safe to call from any thread, including the engine's small-stack worker;
// never throws.
#pragma once

#include <string>

class clCaracteresReservados;

enum class FormatoArea {
    Texto,  // plain text: UTF-8 on the clipboard, Windows-1252 here
    Rtf,    // "Rich Text Format": the clipboard target "text/rtf", bytes as they are
    Html    // HTML source as text: as Texto, characters outside Windows-1252
            // carried as the references of html_utf8.h and put back on writing
};

enum class EstadoArea {
    Ok,
    SemDados,             // nothing on the clipboard in that format (an empty clipboard, no RTF on it)
    Indisponivel,         // no display, tool missing, tool failed or timed out
    FormatoDesconhecido   // `formato` is not one of FormatoArea
};

// Reads the clipboard in `formato` into `conteudo` (replaced; empty unless
// Ok). Texto: the UTF-8 text converted to Windows-1252, characters outside
// it becoming `substituto`, or "&#N;" when `substituto` is 0; text offered
// only as the X11 "STRING" target is Latin-1 and is taken byte for byte.
// Rtf: the bytes as they are. Html: as Texto, characters outside
// Windows-1252 written as the references of html_utf8.h (`substituto` is not
// used). Empty content counts as SemDados.
// When not Ok, `*erro` (if given) receives: ENXIO when no display is set,
// ENOENT when the tool is not installed, ETIMEDOUT when it did not finish in
// time, otherwise the tool's exit status (128 + signal when killed); 0 for
// SemDados.
EstadoArea LerAreaTransferencia(FormatoArea formato, std::string* conteudo, int* erro, char substituto = '?');

// The same for plain text that must come back whole: characters outside
// Windows-1252 stand as placeholders kept in `reservados`, which the write
// below turns back into them. Rtf and Html do not use `reservados`.
EstadoArea LerAreaTransferencia(FormatoArea formato, std::string* conteudo, int* erro,
                                clCaracteresReservados* reservados);

// Replaces the clipboard content with `conteudo` (Windows-1252 text, stored as
// UTF-8, for Texto, with the references of html_utf8.h turned back into
// their characters for Html; bytes for Rtf). Like the Windows text formats the content
// ends at its first zero byte: a terminator passed along is not put on the
// clipboard. Returns once the new content is visible to readers (or the time
// limit has passed since the tool accepted it). On false `*erro` (if given)
// holds a code as for LerAreaTransferencia (EINVAL for an unknown format).
bool GravarAreaTransferencia(FormatoArea formato, const std::string& conteudo, int* erro,
                             clCaracteresReservados* reservados = nullptr);

// Time limit for each clipboard tool run, in milliseconds (default 5000).
// Values below 1 are taken as 1.
void DefinirLimiteAreaTransferencia(int milissegundos);
