#!/usr/bin/env python3
"""Quality floors, run by ctest: the share of the grammar suite translated
exactly, and the chrF of a parallel corpus, each against a floor.

    tools/pisos_qualidade.py --vertal VERTAL --exatas SUITE.tsv PISO
    tools/pisos_qualidade.py --vertal VERTAL --chrf CORPUS.tsv PISO

The suite and the corpora are tab-separated UTF-8 (English, reference);
lines without a tab (comments) are skipped. Exits 1 below the floor.
"""

import argparse
import os
import sys
import tempfile

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from qualidade import chrf, ler_corpus, traduzir_vertal  # noqa: E402


def normalizar(s):
    return " ".join(s.split())


def traduzir(vertal, pares):
    with tempfile.TemporaryDirectory() as tmp:
        return traduzir_vertal(vertal, [en for en, _ in pares], os.path.join(tmp, "desconhecidas.txt"))


def main(argv):
    ap = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    ap.add_argument("--vertal", required=True)
    ap.add_argument("--exatas", nargs=2, metavar=("SUITE", "PISO"))
    ap.add_argument("--chrf", nargs=2, metavar=("CORPUS", "PISO"))
    ap.add_argument("--mostrar", type=int, default=40, help="how many misses of the suite to list")
    a = ap.parse_args(argv)
    ok = True
    if a.exatas:
        caminho, piso = a.exatas[0], float(a.exatas[1])
        pares = ler_corpus(caminho)
        hip = traduzir(a.vertal, pares)
        erros = [(en, h, pt) for (en, pt), h in zip(pares, hip) if normalizar(h) != normalizar(pt)]
        parte = 100.0 * (len(pares) - len(erros)) / max(len(pares), 1)
        print("%s: %d de %d frases exatas (%.1f%%), piso %.1f%%"
              % (os.path.basename(caminho), len(pares) - len(erros), len(pares), parte, piso))
        for en, h, pt in erros[:a.mostrar]:
            print("  EN:  %s\n  PT:  %s\n  REF: %s" % (en, h, pt))
        ok = ok and parte >= piso
    if a.chrf:
        caminho, piso = a.chrf[0], float(a.chrf[1])
        pares = ler_corpus(caminho)
        hip = traduzir(a.vertal, pares)
        nota = chrf(hip, [pt for _, pt in pares])
        print("%s: chrF %.2f, piso %.1f" % (os.path.basename(caminho), nota, piso))
        ok = ok and nota >= piso
    return 0 if ok else 1


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
