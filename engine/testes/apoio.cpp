#include "testes/apoio.h"

#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <vector>

#include "core/motor.h"
#include "formats/pedido.h"

bool GarantirMotor()
{
    static const bool pronto = IniciarMotor(QUILLANE_DADOS_DIR, nullptr);
    return pronto;
}

std::string TraduzirFluxo(const std::string& texto, std::size_t tamPedaco, int tipo, PedidoTraducao* pedidoFinal)
{
    PedidoTraducao p{};
    std::vector<char> saida(MORIEL_TAM_SAIDA);
    std::vector<char> pedaco;
    p.tipo = static_cast<std::uint8_t>(tipo);
    p.modo = MODO_FLUXO;
    p.saida = saida.data();
    std::string resultado;
    std::size_t pos = 0;
    if (tamPedaco == 0) tamPedaco = std::max<std::size_t>(texto.size(), 1);
    do {
        const std::size_t n = std::min(tamPedaco, texto.size() - pos);
        pedaco.assign(texto.begin() + static_cast<long>(pos), texto.begin() + static_cast<long>(pos + n));
        pos += n;
        p.entrada = pedaco.data();
        p.tamEntrada = static_cast<std::int32_t>(n);
        if (!TraduzirPedido(&p)) break;
        resultado.append(p.saida, static_cast<std::size_t>(p.tamSaida));
    } while (p.threadTrabalho);
    if (pedidoFinal) *pedidoFinal = p;
    return resultado;
}

std::string PastaTemporaria(const std::string& nome)
{
    const auto pasta = std::filesystem::temp_directory_path() /
                       ("quillane-teste-" + std::to_string(getpid()) + "-" + nome);
    std::filesystem::remove_all(pasta);
    std::filesystem::create_directories(pasta);
    return pasta.string();
}

std::string TraduzirArquivo(const std::string& texto, int tipo)
{
    const std::string pasta = PastaTemporaria("arquivo");
    std::string entrada = pasta + "/entrada.txt";
    std::string saida = pasta + "/saida.txt";
    std::ofstream(entrada, std::ios::binary) << texto;
    PedidoTraducao p{};
    p.tipo = static_cast<std::uint8_t>(tipo);
    p.modo = MODO_ARQUIVO;
    p.entrada = entrada.data();
    p.saida = saida.data();
    TraduzirPedido(&p);
    std::ifstream f(saida, std::ios::binary);
    std::stringstream conteudo;
    conteudo << f.rdbuf();
    std::filesystem::remove_all(pasta);
    return conteudo.str();
}
