// Drives the conjugator with arbitrary marked text, codes, subject and
// buffer sizes, with and without a small verb table.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <unistd.h>
#include <vector>

#include "core/conjugacao.h"
#include "dictionary/verbos.h"

namespace {

const clVerboI* Tabela()
{
    static clVerboI v;
    static bool pronta = [] {
        char modelo[] = "/tmp/quillane_fuzz_conj_XXXXXX";
        const char* p = mkdtemp(modelo);
        if (!p) return false;
        std::vector<VerboFonte> lista;
        for (const char* inf : {"fazer", "p\xF4r", "ir", "ser", "ab"}) {
            VerboFonte e;
            e.infinitivo = inf;
            e.terminacao = e.infinitivo.substr(e.infinitivo.size() / 2);
            for (int s = 0; s < 37; ++s) e.trocas[s] = std::string(static_cast<std::size_t>(s % 9), 'x');
            lista.push_back(e);
        }
        const auto img = MontarTabelaVerbos(lista);
        const std::string caminho = std::string(p) + "/vip.dic";
        std::FILE* f = std::fopen(caminho.c_str(), "wb");
        if (!f) return false;
        std::fwrite(img.data(), 1, img.size(), f);
        std::fclose(f);
        return CarregarVerbos(v, p, "vip.dic");
    }();
    return pronta ? &v : nullptr;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* dados, std::size_t tam)
{
    if (tam < 4) return 0;
    const int tempo = static_cast<std::int8_t>(dados[0]) % 10;
    const int pessoa = static_cast<std::int8_t>(dados[1]) % 8;
    const clSujeito sujeito{static_cast<std::uint16_t>(dados[2])};
    const std::size_t folga = dados[3] % 64;
    const bool usarTabela = (dados[3] & 0x80) != 0;
    dados += 4;
    tam -= 4;
    // The text exactly fills its buffer plus a little room, so growth past
    // the end is caught.
    std::vector<char> buf(tam + 1 + folga);
    std::memcpy(buf.data(), dados, tam);
    buf[tam] = '\0';
    Conjugar(usarTabela ? Tabela() : nullptr, buf.data(), buf.size(),
             (folga & 1) ? &sujeito : nullptr, tempo, pessoa);
    if (tam < 300) {
        std::string t(reinterpret_cast<const char*>(dados), strnlen(reinterpret_cast<const char*>(dados), tam));
        FormasVerbo(Tabela(), t);
    }
    return 0;
}
