#!/usr/bin/env python3
"""Merge hand-written entries (UTF-8, one "key!codes" a line) into a hand-made
dictionary source (Windows-1252, CR LF, sorted by key).

An entry whose key the source already holds replaces that line; the others are
inserted in key order.  Usage: juntar_entradas.py NOVAS.txt data/ip/informatica.lex
"""
import sys


def chave(linha):
    return linha.split("!", 1)[0].lower()


def main(novas_caminho, fonte_caminho):
    with open(fonte_caminho, "rb") as f:
        linhas = f.read().decode("cp1252").replace("\r\n", "\n").split("\n")
    linhas = [l for l in linhas if l]
    novas = {}
    with open(novas_caminho, encoding="utf-8") as f:
        for l in f:
            l = l.strip()
            if not l or l.startswith("#"):
                continue
            if "!" not in l:
                sys.exit("linha sem '!': " + l)
            l.encode("cp1252")  # refuse what Windows-1252 cannot hold
            novas[chave(l)] = l
    resultado = {chave(l): l for l in linhas}
    if len(resultado) != len(linhas):
        sys.exit("chaves repetidas na fonte")
    trocadas = [k for k in novas if k in resultado]
    resultado.update(novas)
    saida = "".join(resultado[k] + "\r\n" for k in sorted(resultado))
    with open(fonte_caminho, "wb") as f:
        f.write(saida.encode("cp1252"))
    print(f"{len(novas) - len(trocadas)} novas, {len(trocadas)} trocadas: {' '.join(trocadas)}")


if __name__ == "__main__":
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    main(sys.argv[1], sys.argv[2])
