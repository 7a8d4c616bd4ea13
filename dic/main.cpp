// dic: the dictionary editor. Without arguments, or with a source file, it
// opens its window; with options it compiles a dictionary source from the
// command line, without a window.
#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "aplicacao.h"
#include "cp1252.h"
#include "fonte.h"
#include "mensagens.h"

namespace {

const char* const kUso =
    "Uso: dic [ARQUIVO.lex]\n"
    "     dic --compilar FONTE.lex [DESTINO.udc]\n"
    "     dic --compilar FONTE1.lex FONTE2.lex... DESTINO.udc\n"
    "\n"
    "Sem op\xE7\xF5" "es, abre a janela do editor de dicion\xE1rios (com ARQUIVO.lex, abre\n"
    "esse dicion\xE1rio).\n"
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

// Where the compiled file may go: never over one of its sources (the same
// path, a link to it, the same file under another name), never in place of
// a device, a FIFO or a folder. A symbolic link is written through: the file
// it points to is replaced and the link stays. `destino` becomes the path to
// write. False, with a message, when the destination is refused.
bool VerificarDestino(const std::vector<std::string>& fontes, std::string& destino)
{
    struct stat st {};
    if (lstat(destino.c_str(), &st) == 0 && S_ISLNK(st.st_mode)) {
        char* real = realpath(destino.c_str(), nullptr);
        if (!real) {
            Escrever(stderr, "dic: o destino \"" + destino + "\" \xE9 um link para um arquivo que n\xE3o existe\n");
            return false;
        }
        destino = real;
        std::free(real);
    }
    if (stat(destino.c_str(), &st) != 0) return true;  // a new file
    if (!S_ISREG(st.st_mode)) {
        Escrever(stderr, "dic: o destino \"" + destino + "\" n\xE3o \xE9 um arquivo comum (\xE9 " +
                             (S_ISDIR(st.st_mode) ? "uma pasta" : "um dispositivo, FIFO ou soquete") +
                             "); nada foi gravado\n");
        return false;
    }
    for (const std::string& fonte : fontes) {
        struct stat sf {};
        if (stat(fonte.c_str(), &sf) == 0 && sf.st_dev == st.st_dev && sf.st_ino == st.st_ino) {
            Escrever(stderr, "dic: o destino \"" + destino + "\" \xE9 a pr\xF3pria fonte \"" + fonte +
                                 "\"; nada foi gravado\n");
            return false;
        }
    }
    return true;
}

} // namespace

int ComandoCompilar(int argc, char** argv)
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
        std::string destino = argc == 4 ? argv[3] : CaminhoCompilado(fonte);
        if (!VerificarDestino({fonte}, destino)) return 1;
        r = CompilarArquivoFonte(fonte, destino);
    } else {
        const std::vector<std::string> fontes(argv + 2, argv + argc - 1);
        std::string destino = argv[argc - 1];
        if (!VerificarDestino(fontes, destino)) return 1;
        r = CompilarArquivosFonte(fontes, destino, fonte);
    }
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
