// ardeno: the steps the installation runs once, from the installation
// folder. Each step is silent: a failure ends that step and nothing else.
#pragma once

#include <sys/types.h>

#include <cstddef>

// Values and joined paths are held in buffers of this size, NUL included.
inline constexpr std::size_t kTamValorArdeno = 256;

// The web client library the proxy loads, by its soname.
inline constexpr const char* kBibliotecaClienteWeb = "libcurl.so.4";
// What is started, from the working folder, when that library is missing.
inline constexpr const char* kInstaladorClienteWeb = "./wintdist";
inline constexpr const char* kOpcaoInstalador = "/Q";
// The word processor's add-in, copied from the working folder.
inline constexpr const char* kSuplemento = "tessaly.wll";

// Loads `biblioteca` and releases it at once. When it cannot be loaded,
// starts the installer without waiting for it; returns the installer's
// process id when one was started (for callers that want to reap it), else 0.
// A missing installer goes unnoticed.
pid_t VerificarClienteWeb(const char* biblioteca);

// Follows the word processor's settings to its start-up folder:
// the document class of ".doc", that class's "AppRegistry" (a leading
// backslash dropped), then "STARTUP-PATH" under its "Options" key in the
// current user's hive. False, with `pasta` empty, when any key or value is
// missing, a value needs more than kTamValorArdeno bytes, a joined key path
// would not fit, or the folder found is empty.
bool LocalizarPastaInicializacao(char pasta[kTamValorArdeno]);

// Creates `pasta` when missing (one level) and copies the add-in from the
// working folder into it, replacing an earlier copy. The copy is written to
// a temporary file in the folder and renamed, so the folder never holds half
// an add-in. True when the add-in is in place.
bool InstalarSuplemento(const char* pasta);

// Every step in order. Returns the process's exit status, always 0.
int ExecutarArdeno();
