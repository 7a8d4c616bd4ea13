// sorvane: the web-translation proxy. The server comes with its own work;
// until then the program only answers --help.
#include <cstdio>
#include <cstring>

int main(int argc, char** argv)
{
    if (argc > 1 && (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0)) {
        std::puts("Uso: sorvane\n"
                  "Proxy de tradu\xC3\xA7\xC3\xA3o de p\xC3\xA1ginas da web (ainda n\xC3\xA3o dispon\xC3\xADvel nesta vers\xC3\xA3o).");
        return 0;
    }
    std::fputs("sorvane: o proxy ainda n\xC3\xA3o est\xC3\xA1 dispon\xC3\xADvel nesta vers\xC3\xA3o.\n", stderr);
    return 1;
}
