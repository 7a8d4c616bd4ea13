#!/usr/bin/env python3
"""Builds a parallel test set from the pt_BR message catalogues installed on this machine.

Reads each catalogue with msgunfmt and keeps the messages that are plain sentences:
an English text of 4 to 25 words that begins with a capital letter and holds only
letters, blanks and , . ' - ? !, with a Portuguese translation free of format
directives, tabs and line breaks. At most --limite messages come from one catalogue;
when a catalogue has more, the ones kept are chosen by a hash of the English text, so
that the choice spreads over the whole alphabet and does not change from run to run.
Messages whose English already appears in an excluded set (--excluir, e.g. the
development set) are left out, and each English text is kept once.

    tools/fazer_corpus.py --excluir data/corpus/dev.tsv --saida data/corpus/teste.tsv \
        [--dir /usr/share/locale/pt_BR/LC_MESSAGES] [--limite 150] [--pular CAT ...]

By default it skips the catalogues the development set was built from, so the result
is held out from it.
"""

import argparse
import hashlib
import os
import re
import subprocess
import sys

# Catalogues dev.tsv was built from: a held-out set must not share them.
CATALOGOS_DEV = """PackageKit appstream at-spi2-core bash diffutils dpkg findutils gdk-pixbuf
gettext-tools gnutls30 grep gstreamer-1.0 gtk20-properties gtk20 initdb-15 iso_15924 iso_4217
iso_639-5 libc libidn2 make pg_checksums-15 pg_ctl-15 pg_test_timing-15 pgscripts-15 polkit-1
procps-ng psmisc sed software-properties wget xkeyboard-config xz""".split()

INGLES_OK = re.compile(r"^[A-Z][A-Za-z ,.'?!-]*$")
ESCAPES = {"n": "\n", "t": "\t", "r": "\r", '"': '"', "\\": "\\", "a": "\a", "b": "\b",
           "f": "\f", "v": "\v"}


def desescapar(s):
    saida = []
    i = 0
    while i < len(s):
        c = s[i]
        if c == "\\" and i + 1 < len(s):
            d = s[i + 1]
            if d in ESCAPES:
                saida.append(ESCAPES[d])
                i += 2
                continue
            m = re.match(r"[0-7]{1,3}", s[i + 1:])
            if m:
                saida.append(chr(int(m.group(0), 8)))
                i += 1 + len(m.group(0))
                continue
        saida.append(c)
        i += 1
    return "".join(saida)


def ler_po(texto):
    """Yields (msgid, msgstr, plural) for each entry of a PO text as msgunfmt writes it."""
    entrada = {}
    campo = None

    def fechar():
        if "msgid" in entrada:
            plural = "msgid_plural" in entrada
            msgstr = entrada.get("msgstr", entrada.get("msgstr[0]", ""))
            return (entrada["msgid"], msgstr, plural)
        return None

    for linha in texto.splitlines():
        linha = linha.strip()
        if not linha or linha.startswith("#"):
            continue
        m = re.match(r'^(msgctxt|msgid_plural|msgid|msgstr(?:\[\d+\])?)\s+"(.*)"$', linha)
        if m:
            if m.group(1) in ("msgctxt", "msgid") and ("msgstr" in entrada or "msgstr[0]" in entrada):
                r = fechar()
                if r:
                    yield r
                entrada = {}
            campo = m.group(1)
            entrada[campo] = desescapar(m.group(2))
        elif linha.startswith('"') and linha.endswith('"') and campo:
            entrada[campo] += desescapar(linha[1:-1])
    r = fechar()
    if r:
        yield r


def frase_boa(ingles, portugues):
    if not INGLES_OK.match(ingles):
        return False
    if not 4 <= len(ingles.split()) <= 25:
        return False
    if not portugues.strip() or any(c in portugues for c in "%\t\n\r\\$"):
        return False
    return True


def main():
    ap = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    ap.add_argument("--dir", default="/usr/share/locale/pt_BR/LC_MESSAGES")
    ap.add_argument("--saida", required=True)
    ap.add_argument("--excluir", action="append", default=[])
    ap.add_argument("--limite", type=int, default=150)
    ap.add_argument("--pular", nargs="*", default=None,
                    help="catalogues to skip (default: those of the development set)")
    args = ap.parse_args()

    pular = set(CATALOGOS_DEV if args.pular is None else args.pular)
    vistos = set()
    for caminho in args.excluir:
        with open(caminho, encoding="utf-8") as f:
            for linha in f:
                vistos.add(linha.split("\t", 1)[0].strip())

    pares = []
    usados = []
    for nome in sorted(os.listdir(args.dir)):
        if not nome.endswith(".mo") or nome[:-3] in pular:
            continue
        po = subprocess.run(["msgunfmt", os.path.join(args.dir, nome)], check=True,
                            capture_output=True, text=True, encoding="utf-8", errors="replace").stdout
        bons = {}
        for ingles, portugues, plural in ler_po(po):
            ingles, portugues = ingles.strip(), portugues.strip()
            if plural or not ingles or ingles in vistos or ingles in bons:
                continue
            if frase_boa(ingles, portugues):
                bons[ingles] = portugues
        escolhidos = sorted(bons, key=lambda s: hashlib.sha1(s.encode("utf-8")).hexdigest())[:args.limite]
        escolhidos.sort()
        for ingles in escolhidos:
            vistos.add(ingles)
            pares.append((ingles, bons[ingles]))
        if escolhidos:
            usados.append((nome[:-3], len(escolhidos)))

    with open(args.saida, "w", encoding="utf-8", newline="\n") as f:
        for ingles, portugues in pares:
            f.write(f"{ingles}\t{portugues}\n")
    for nome, n in usados:
        print(f"{nome}\t{n}", file=sys.stderr)
    print(f"{len(pares)} pairs from {len(usados)} catalogues", file=sys.stderr)


if __name__ == "__main__":
    main()
