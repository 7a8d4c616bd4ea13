// dic: the dictionary editor. Without arguments, or with a source file, it
// opens its window; with options it compiles a dictionary source from the
// command line, without a window.
#include <cstdio>
#include <cstring>
#include <string>

#include "aplicacao.h"
#include "cp1252.h"
#include "fonte.h"
#include "mensagens.h"

namespace {

const char* const kUso =
    "Uso: dic --compilar FONTE.lex [DESTINO.udc]\n"
    "\n"
    "Compila o dicion\xE1rio FONTE (linhas \"chave!c\xF3" "digos\") para o arquivo\n"
    "compilado DESTINO. Sem DESTINO, grava ao lado da fonte, trocando a\n"
    "extens\xE3o por \".udc\".\n"
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

int ComandoCompilar(int argc, char** argv)
{
    if (argc == 2 && std::strcmp(argv[1], "--help") == 0) {
        Escrever(stdout, kUso);
        return 0;
    }
    if ((argc != 3 && argc != 4) || std::strcmp(argv[1], "--compilar") != 0) {
        Escrever(stderr, kUso);
        return 2;
    }
    DefinirSaidaMensagens([](const std::string&, const std::string& texto) {
        Escrever(stderr, "dic: " + texto + "\n");
        return 1;
    });
    const std::string fonte = argv[2];
    const int r = CompilarArquivoFonte(fonte, argc == 4 ? argv[3] : "");
    if (r == 2) {
        Escrever(stderr, "dic: n\xE3o foi poss\xEDvel ler o arquivo \"" + fonte + "\"\n");
        return 1;
    }
    return r == 0 ? 0 : 1;
}

int main(int argc, char** argv)
{
    if (argc > 1 && argv[1][0] == '-') return ComandoCompilar(argc, argv);
    return ExecutarEditor(argc, argv);
}
