// The exported entry points of libmoriel32.so and its load and unload.
#include "moriel32.h"

#include <dlfcn.h>

#include <cstdlib>
#include <cstring>
#include <string>

#include "caracteres.h"
#include "core/conjugacao.h"
#include "core/motor.h"
#include "formats/pedido.h"
#include "instalacao.h"

namespace {

// The folder that holds this library: the installation when the settings
// name none.
std::string PastaDaBiblioteca()
{
    Dl_info info{};
    if (!dladdr(reinterpret_cast<void*>(&PastaDaBiblioteca), &info) || !info.dli_fname) return ".";
    std::string caminho = info.dli_fname;
    const auto barra = caminho.rfind('/');
    return barra == std::string::npos ? "." : caminho.substr(0, barra);
}

} // namespace

extern "C" {

// Process attach (1) loads the dictionaries and the verb table; detach (0)
// releases them. Always returns 1: the library loads even when the engine
// is not ready.
int DllEntryPoint(void* /*instancia*/, std::uint32_t motivo, void* /*reservado*/)
{
    try {
        if (motivo == 1) {
            char pasta[256];
            // A folder name too long for the store is refused (and named):
            // the engine stays not ready.
            if (!LerDirRoot(pasta, sizeof pasta)) return 1;
            if (!pasta[0]) CopiarTexto(pasta, sizeof pasta, PastaDaBiblioteca().c_str());
            char* userDic = LerUserDic();
            IniciarMotor(pasta, userDic);
            std::free(userDic);
        } else if (motivo == 0) {
            EncerrarMotor();
        }
    } catch (...) {
    }
    return 1;
}

MORIEL_API std::uint8_t VertalInglPort(PedidoTraducao* pedido)
{
    try {
        return TraduzirPedido(pedido);
    } catch (...) {
        return 0;
    }
}

MORIEL_API void ConjugarVerboPortugues(char* texto, std::uint32_t tempo, std::uint32_t pessoa)
{
    try {
        ConjugarExportado(&Motor().verbos, texto, tempo, pessoa);
    } catch (...) {
    }
}

} // extern "C"

__attribute__((constructor)) static void CarregarBiblioteca() { DllEntryPoint(nullptr, 1, nullptr); }
__attribute__((destructor)) static void DescarregarBiblioteca() { DllEntryPoint(nullptr, 0, nullptr); }
