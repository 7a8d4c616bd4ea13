// Replays kept fuzzing inputs through a fuzz target's entry point without
// libFuzzer, so that the normal test run catches a regression on any input
// that once found a fault or reached new code. Arguments are files or
// folders (every regular file inside, in name order).
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* dados, std::size_t tam);

int main(int argc, char** argv)
{
    namespace fs = std::filesystem;
    std::vector<fs::path> arquivos;
    for (int i = 1; i < argc; ++i) {
        std::error_code erro;
        if (fs::is_directory(argv[i], erro)) {
            for (const auto& e : fs::directory_iterator(argv[i], erro))
                if (e.is_regular_file()) arquivos.push_back(e.path());
        } else if (fs::is_regular_file(argv[i], erro)) {
            arquivos.push_back(argv[i]);
        } else {
            std::fprintf(stderr, "no such input: %s\n", argv[i]);
            return 1;
        }
    }
    std::sort(arquivos.begin(), arquivos.end());
    if (arquivos.empty()) {
        std::fprintf(stderr, "no inputs to replay\n");
        return 1;
    }
    for (const auto& a : arquivos) {
        std::ifstream f(a, std::ios::binary);
        const std::vector<char> dados((std::istreambuf_iterator<char>(f)), std::istreambuf_iterator<char>());
        // An empty buffer still gets a valid pointer, as libFuzzer gives.
        static const std::uint8_t vazio = 0;
        LLVMFuzzerTestOneInput(dados.empty() ? &vazio : reinterpret_cast<const std::uint8_t*>(dados.data()),
                               dados.size());
    }
    std::printf("%zu inputs replayed\n", arquivos.size());
    return 0;
}
