// Drives the verb-table loader with arbitrary "vip.dic" bytes and looks up
// every record key plus a few words in whatever it accepted.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <unistd.h>

#include "dictionary/verbos.h"
#include "mensagens.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* dados, std::size_t tam)
{
    static const std::string pasta = [] {
        char modelo[] = "/tmp/quillane_fuzz_verbos_XXXXXX";
        const char* p = mkdtemp(modelo);
        DefinirSaidaMensagens([](const std::string&, const std::string&) { return 1; });
        return std::string(p ? p : "/tmp");
    }();
    const std::string caminho = pasta + "/vip.dic";
    std::FILE* f = std::fopen(caminho.c_str(), "wb");
    if (!f) return 0;
    std::fwrite(dados, 1, tam, f);
    std::fclose(f);

    clVerboI v;
    if (CarregarVerbos(v, pasta.c_str(), "vip.dic")) {
        for (int i = 0; i <= v.ultimo; ++i) {
            char w[51];
            const auto* chave = reinterpret_cast<const char*>(v.dados + static_cast<std::size_t>(i) * v.tamFicha);
            std::size_t n = strnlen(chave, v.largChave);
            if (n > 50) n = 50;
            std::memcpy(w, chave, n);
            w[n] = '\0';
            FormaIrregular(v, w, i % 6, i % 7);
            char curto[4] = "abc";
            FormaIrregular(v, curto, 0, 6, sizeof curto);
        }
    }
    return 0;
}
