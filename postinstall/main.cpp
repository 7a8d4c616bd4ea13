// ardeno: the post-installation program. Its steps come with their own work;
// until then the program only answers --help.
#include <cstdio>
#include <cstring>

int main(int argc, char** argv)
{
    if (argc > 1 && (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0)) {
        std::puts("Uso: ardeno\n"
                  "Passos de p\xC3\xB3s-instala\xC3\xA7\xC3\xA3o do Quillane (ainda n\xC3\xA3o dispon\xC3\xADveis nesta vers\xC3\xA3o).");
        return 0;
    }
    std::fputs("ardeno: nada a fazer nesta vers\xC3\xA3o.\n", stderr);
    return 0;
}
