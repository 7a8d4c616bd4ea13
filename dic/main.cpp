// dic: the dictionary editor. Without a window it offers the command-line
// compile of a dictionary source.
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "cp1252.h"
#include "fonte.h"
#include "mensagens.h"

namespace {

const char* const kUso =
    "Uso: dic --compilar FONTE.lex [DESTINO.udc]\n"
    "     dic --compilar FONTE1.lex FONTE2.lex... DESTINO.udc\n"
    "\n"
    "Compila o dicion\xE1rio FONTE (linhas \"chave!c\xF3" "digos\") para o arquivo\n"
    "compilado DESTINO. Sem DESTINO, grava ao lado da fonte, trocando a\n"
    "extens\xE3o por \".udc\". Com v\xE1rias fontes, junta-as em ordem de\n"
    "prioridade: a primeira que tem uma chave fica com ela.\n"
    "\n"
    "  --compilar   compila a fonte\n"
    "  --help       mostra esta ajuda\n"
    "\n"
    "Sa\xED" "da: 0 sucesso, 1 erro na fonte ou na compila\xE7\xE3o, 2 uso incorreto.\n";

void Escrever(std::FILE* f, const std::string& texto)
{
    const std::string utf8 = Cp1252ParaUtf8(texto);
    std::fwrite(utf8.data(), 1, utf8.size(), f);
}

} // namespace

int main(int argc, char** argv)
{
    if (argc == 2 && std::strcmp(argv[1], "--help") == 0) {
        Escrever(stdout, kUso);
        return 0;
    }
    if (argc < 3 || std::strcmp(argv[1], "--compilar") != 0) {
        Escrever(stderr, kUso);
        return 2;
    }
    DefinirSaidaMensagens([](const std::string&, const std::string& texto) {
        Escrever(stderr, "dic: " + texto + "\n");
        return 1;
    });
    std::string fonte = argv[2];
    int r;
    if (argc <= 4) {
        r = CompilarArquivoFonte(fonte, argc == 4 ? argv[3] : "");
    } else {
        const std::vector<std::string> fontes(argv + 2, argv + argc - 1);
        r = CompilarArquivosFonte(fontes, argv[argc - 1], fonte);
    }
    if (r == 2) {
        Escrever(stderr, "dic: n\xE3o foi poss\xEDvel ler o arquivo \"" + fonte + "\"\n");
        return 1;
    }
    return r == 0 ? 0 : 1;
}
