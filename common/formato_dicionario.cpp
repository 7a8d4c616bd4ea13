#include "formato_dicionario.h"

namespace formato {

Faixa FaixaDaCasa(const std::uint16_t* indice, int casa)
{
    const std::uint16_t anterior = casa > 0 ? indice[casa - 1] : kSemRegistro;
    const auto primeiro = static_cast<std::uint16_t>(anterior + 1);
    const std::uint16_t ultimo = indice[casa];
    const bool vazia = (anterior == kSemRegistro && ultimo == kSemRegistro) ||
                       (anterior != kSemRegistro && ultimo < primeiro);
    return {primeiro, ultimo, vazia};
}

void Complementar(void* dados, std::size_t tam)
{
    auto* p = static_cast<unsigned char*>(dados);
    for (std::size_t i = 0; i < tam; ++i) p[i] = static_cast<unsigned char>(~p[i]);
}

} // namespace formato
