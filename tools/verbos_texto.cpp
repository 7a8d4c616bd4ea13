#include "verbos_texto.h"

#include <fstream>

#include "cp1252.h"

bool LerLinhaVerbo(const std::string& linha, std::vector<std::string>& campos, std::string& erro)
{
    campos.clear();
    std::string texto = linha;
    if (!texto.empty() && texto.back() == '\r') texto.pop_back();
    if (texto.empty() || texto[0] == '#') return false;
    std::size_t trocados = 0;
    const std::string cp = Utf8ParaCp1252(texto, '?', &trocados);
    if (trocados) erro = "caractere fora do Windows-1252";
    std::size_t ini = 0;
    for (;;) {
        const std::size_t fim = cp.find(':', ini);
        campos.push_back(cp.substr(ini, fim == std::string::npos ? std::string::npos : fim - ini));
        if (fim == std::string::npos) break;
        ini = fim + 1;
    }
    return true;
}

bool LerArquivoVerbos(const char* caminho, std::vector<std::vector<std::string>>& linhas, std::string& erro)
{
    std::ifstream in(caminho, std::ios::binary);
    if (!in) {
        erro = std::string("n\xE3o foi poss\xEDvel ler ") + caminho;
        return false;
    }
    std::string linha;
    int numero = 0;
    while (std::getline(in, linha)) {
        ++numero;
        std::vector<std::string> campos;
        std::string erroLinha;
        if (!LerLinhaVerbo(linha, campos, erroLinha)) continue;
        if (!erroLinha.empty() || campos.size() != 39) {
            erro = std::string(caminho) + ":" + std::to_string(numero) + ": " +
                   (erroLinha.empty() ? "esperados 39 campos" : erroLinha);
            return false;
        }
        linhas.push_back(std::move(campos));
    }
    return true;
}
