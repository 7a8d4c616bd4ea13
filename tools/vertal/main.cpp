// vertal: translates English text, HTML or RTF into Portuguese.
#include <cstdio>
#include <string>
#include <vector>

#include "vertal.h"

int main(int argc, char** argv)
{
    OpcoesVertal opcoes;
    std::string erro;
    if (!LerOpcoes(std::vector<std::string>(argv + 1, argv + argc), &opcoes, &erro)) {
        std::fprintf(stderr, "vertal: %s\nUse \"vertal --help\" para ver as op\xC3\xA7\xC3\xB5" "es.\n", erro.c_str());
        return 2;
    }
    if (opcoes.ajuda) {
        std::fputs(TextoAjuda(), stdout);
        return 0;
    }
    return ExecutarVertal(opcoes, stdin, stdout);
}
