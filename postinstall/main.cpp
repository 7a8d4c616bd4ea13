// ardeno: the post-installation program, run once by the installation with
// the installation folder as its working folder.
#include <cstdio>
#include <cstring>

#include "ardeno.h"

int main(int argc, char** argv)
{
    if (argc > 1 && (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0)) {
        std::fputs("Uso: ardeno\n"
                   "\n"
                   "Passos de p\xC3\xB3s-instala\xC3\xA7\xC3\xA3o do Quillane, executados uma vez pela instala\xC3\xA7\xC3\xA3o,\n"
                   "na pasta da instala\xC3\xA7\xC3\xA3o (/usr/lib/quillane):\n"
                   "\n"
                   "  1. confere se a biblioteca de acesso \xC3\xA0 web (libcurl.so.4) carrega; se\n"
                   "     n\xC3\xA3o, inicia \"./wintdist /Q\" sem esperar que termine;\n"
                   "  2. procura a pasta de inicializa\xC3\xA7\xC3\xA3o do processador de texto nas\n"
                   "     configura\xC3\xA7\xC3\xB5" "es (HKEY_CLASSES_ROOT e HKEY_CURRENT_USER);\n"
                   "  3. copia o suplemento \"tessaly.wll\" para essa pasta, criando-a se\n"
                   "     preciso e substituindo uma c\xC3\xB3pia anterior.\n"
                   "\n"
                   "N\xC3\xA3o mostra nada e n\xC3\xA3o informa falhas: um passo que falha termina ali.\n"
                   "\n"
                   "  --help   mostra esta ajuda (sem executar os passos)\n"
                   "\n"
                   "Sa\xC3\xAD" "da: sempre 0.\n",
                   stdout);
        return 0;
    }
    return ExecutarArdeno();
}
