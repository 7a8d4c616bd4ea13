#include "vertador.h"

#include <unistd.h>

void AtenderConexao(int conexao, const ContextoVertador& /*contexto*/)
{
    close(conexao);
}
