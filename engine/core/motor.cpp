#include "core/motor.h"

#include <unistd.h>

#include <cstring>
#include <string>

#include "caracteres.h"
#include "mensagens.h"

EstadoMotor& Motor()
{
    // Never destroyed: worker threads may still be looking words up while
    // the process exits.
    static EstadoMotor* estado = new EstadoMotor;
    return *estado;
}

bool IniciarMotor(const char* pasta, const char* userDic)
{
    EstadoMotor& m = Motor();
    if (m.motorPronto.load()) return true;
    // The list is the user's names plus "ip" in 256 bytes. A longer list
    // keeps the whole names that fit, so the general dictionary is never cut.
    char lista[256] = "";
    if (userDic) {
        const std::size_t limite = sizeof lista - sizeof "ip";
        std::size_t fim = 0;
        for (std::size_t i = 0; userDic[i] && i < limite; ++i)
            if (userDic[i] == '\n' && i > 0 && userDic[i - 1] == '\r') fim = i + 1;
        std::memcpy(lista, userDic, fim);
        lista[fim] = '\0';
    }
    AcrescentarTexto(lista, sizeof lista, "ip");
    if (!AbrirDicionario(&m.dicionarios, pasta, lista)) return false;
    if (!CarregarVerbos(m.verbos, pasta, "vip.dic")) {
        // A damaged table has been reported by the loader; a missing one is
        // named here, so the user knows why the engine is not ready.
        const std::string caminho = std::string(pasta) + "/vip.dic";
        if (access(caminho.c_str(), F_OK) != 0) MostrarErro(1, caminho.c_str(), 0);
        LiberarDicionario(&m.dicionarios);
        return false;
    }
    m.motorPronto.store(1);
    return true;
}

void EncerrarMotor()
{
    EstadoMotor& m = Motor();
    m.motorPronto.store(0);
    LiberarVerbos(m.verbos);
    LiberarDicionario(&m.dicionarios);
}
