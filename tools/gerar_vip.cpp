// gerar_vip FONTE DESTINO: turns the verb-table source (see verbos_texto.h)
// into the engine's "vip.dic".
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "cp1252.h"
#include "dictionary/verbos.h"
#include "verbos_texto.h"

namespace {

int Falhar(const std::string& texto)
{
    std::fprintf(stderr, "gerar_vip: %s\n", Cp1252ParaUtf8(texto).c_str());
    return 1;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "uso: gerar_vip FONTE DESTINO\n");
        return 2;
    }
    std::vector<std::vector<std::string>> linhas;
    std::string erro;
    if (!LerArquivoVerbos(argv[1], linhas, erro)) return Falhar(erro);

    std::vector<VerboFonte> lista;
    for (const auto& c : linhas) {
        VerboFonte v;
        v.infinitivo = c[0];
        v.terminacao = c[1];
        if (v.infinitivo.size() < v.terminacao.size() ||
            v.infinitivo.compare(v.infinitivo.size() - v.terminacao.size(), std::string::npos, v.terminacao) != 0)
            return Falhar(v.infinitivo + ": o infinitivo n\xE3o termina em \"" + v.terminacao + "\"");
        const std::string radical = v.infinitivo.substr(0, v.infinitivo.size() - v.terminacao.size());
        for (int s = 0; s < verbos::kSlots - 1; ++s) {
            const std::string& forma = c[2 + s];
            // The imperative has no first person: its slot stays empty.
            if (s == 1 + 5 * verbos::kPessoas && forma.empty()) continue;
            if (forma.compare(0, radical.size(), radical) != 0)
                return Falhar(v.infinitivo + ": a forma \"" + forma + "\" n\xE3o come\xE7" "a com \"" + radical + "\"");
            v.trocas[s] = forma.substr(radical.size());
        }
        lista.push_back(std::move(v));
    }
    const std::vector<unsigned char> imagem = MontarTabelaVerbos(std::move(lista), &erro);
    if (imagem.empty()) return Falhar(erro);

    const std::string temporario = std::string(argv[2]) + ".tmp";
    {
        std::ofstream out(temporario, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(imagem.data()), static_cast<std::streamsize>(imagem.size()));
        if (!out) return Falhar("n\xE3o foi poss\xEDvel gravar " + temporario);
    }
    // Replaced in one step, so an engine never maps a half-written table.
    if (std::rename(temporario.c_str(), argv[2]) != 0) return Falhar(std::string("n\xE3o foi poss\xEDvel gravar ") + argv[2]);
    return 0;
}
