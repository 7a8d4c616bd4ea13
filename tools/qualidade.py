#!/usr/bin/env python3
"""Translation-quality harness: translates a parallel corpus with vertal and scores it.

The corpus is tab-separated UTF-8, one pair a line: English, reference Portuguese.
Prints chrF (character n-grams 1..6, beta 2, corpus level) and BLEU-4, the share of
unknown word tokens, the most frequent unknown words and the worst sentences. When
Apertium is installed it scores the peer chain English -> Spanish -> Brazilian
Portuguese on the same corpus.

    tools/qualidade.py --vertal BUILD/tools/vertal/vertal [--corpus data/corpus/dev.tsv]
                       [--piores 20] [--desconhecidas 30] [--sem-apertium] [--saida HIP.txt]
"""

import argparse
import collections
import math
import os
import re
import shutil
import subprocess
import sys
import tempfile

# Sentences go through one vertal run separated by this marker line, which the
# engine copies through untranslated (no letters, so no lookup).
SEPARADOR = "@@@@"


def ngramas_car(s, n):
    s = s.replace(" ", "")
    return collections.Counter(s[i:i + n] for i in range(len(s) - n + 1))


def chrf(hipoteses, referencias, n_max=6, beta=2.0):
    """Corpus chrF: per-order match/hypothesis/reference totals, precision and recall averaged over orders."""
    tot = [[0, 0, 0] for _ in range(n_max)]
    for h, r in zip(hipoteses, referencias):
        for n in range(1, n_max + 1):
            hn, rn = ngramas_car(h, n), ngramas_car(r, n)
            tot[n - 1][0] += sum((hn & rn).values())
            tot[n - 1][1] += sum(hn.values())
            tot[n - 1][2] += sum(rn.values())
    p = sum(m / hh if hh else 0 for m, hh, _ in tot) / n_max
    r = sum(m / rf if rf else 0 for m, _, rf in tot) / n_max
    if p + r == 0:
        return 0.0
    return 100 * (1 + beta ** 2) * p * r / (beta ** 2 * p + r)


def bleu(hipoteses, referencias):
    """Corpus BLEU-4 on blank-separated tokens, uniform weights, brevity penalty."""
    casados = [0] * 4
    totais = [0] * 4
    tam_h = tam_r = 0
    for h, r in zip(hipoteses, referencias):
        hw, rw = h.split(), r.split()
        tam_h += len(hw)
        tam_r += len(rw)
        for n in range(1, 5):
            hc = collections.Counter(tuple(hw[i:i + n]) for i in range(len(hw) - n + 1))
            rc = collections.Counter(tuple(rw[i:i + n]) for i in range(len(rw) - n + 1))
            casados[n - 1] += sum((hc & rc).values())
            totais[n - 1] += sum(hc.values())
    if min(casados) == 0:
        return 0.0
    lp = sum(math.log(casados[i] / totais[i]) for i in range(4)) / 4
    bp = 1 if tam_h > tam_r else math.exp(1 - tam_r / max(tam_h, 1))
    return 100 * bp * math.exp(lp)


def ler_corpus(caminho):
    pares = []
    with open(caminho, encoding="utf-8") as f:
        for linha in f:
            linha = linha.rstrip("\n").rstrip("\r")
            if "\t" not in linha:
                continue
            en, pt = linha.split("\t", 1)
            pares.append((en.strip(), pt.strip()))
    return pares


def separar_saida(texto, quantos):
    partes = [p.strip() for p in re.split(r"\n?" + re.escape(SEPARADOR) + r"\n?", texto)]
    if partes and partes[-1] == "":
        partes.pop()
    return partes if len(partes) == quantos else None


def traduzir_vertal(vertal, frases, arquivo_desconhecidas):
    # Each message is its own paragraph, as it is in use: a blank line on
    # either side of the marker keeps one message from running into the next.
    entrada = "".join(f + "\n\n" + SEPARADOR + "\n\n" for f in frases)
    r = subprocess.run([vertal, "--desconhecidas", arquivo_desconhecidas],
                       input=entrada.encode("utf-8"), capture_output=True)
    saida = separar_saida(r.stdout.decode("utf-8", "replace"), len(frases))
    if saida is not None:
        return saida
    # the batch lost a separator: one run per sentence
    saida = []
    for f in frases:
        r = subprocess.run([vertal], input=(f + "\n").encode("utf-8"), capture_output=True)
        saida.append(r.stdout.decode("utf-8", "replace").strip())
    return saida


def traduzir_apertium(frases):
    """English -> Spanish -> Brazilian Portuguese; None when Apertium is missing."""
    if not shutil.which("apertium"):
        return None
    entrada = "".join(f + "\n" + SEPARADOR + "\n" for f in frases)
    try:
        es = subprocess.run(["apertium", "-u", "eng-spa"], input=entrada.encode("utf-8"),
                            capture_output=True, check=True).stdout
        pt = subprocess.run(["apertium", "-u", "es-pt_BR"], input=es, capture_output=True, check=True).stdout
    except (subprocess.CalledProcessError, OSError):
        return None
    return separar_saida(pt.decode("utf-8", "replace"), len(frases))


PALAVRA = re.compile(r"[A-Za-z]+(?:'[A-Za-z]+)?")


def palavras_desconhecidas(caminho):
    if not os.path.exists(caminho):
        return set()
    with open(caminho, "rb") as f:
        texto = f.read().decode("cp1252", "replace")
    return {l.strip().lower() for l in texto.splitlines() if l.strip()}


def forma_da_palavra(frase, inicio, fim):
    """How an unknown token is written where it stands: "codigo" (joined to "_", a
    digit, a path, an option or a format sign, or with a capital inside it:
    "gtk_init", "eth0", "GdkPixbuf"), "sigla" (in capitals), "nome" (capitalised,
    not first in its sentence) or "palavra" (anything else)."""
    w = frase[inicio:fim]
    antes = frase[inicio - 1] if inicio > 0 else ""
    depois = frase[fim] if fim < len(frase) else ""
    if (antes and antes in "_./$%<{[@=\\" or antes.isdigit() or depois and depois in "_/$%=@(\\" or
            depois.isdigit() or re.search(r"[a-z][A-Z]", w) or frase[max(0, inicio - 2):inicio] == "--"):
        return "codigo"
    if len(w) > 1 and w.isupper():
        return "sigla"
    inicio_de_frase = not re.search(r"[^\s\"'(\[]", frase[:inicio]) or \
        re.search(r"[.!?:]\s*[\"'(\[]?\s*$", frase[:inicio])
    if w[0].isupper() and not inicio_de_frase:
        return "nome"
    return "palavra"


def contar_desconhecidas(frases, desconhecidas, formas=None):
    """(word tokens, unknown tokens, Counter of unknown words) of the English side;
    `formas`, when given, counts the unknown tokens by `forma_da_palavra`."""
    total = 0
    contagem = collections.Counter()
    for f in frases:
        for m in PALAVRA.finditer(f):
            total += 1
            wl = m.group().lower()
            if wl in desconhecidas or wl.split("'")[0] in desconhecidas:
                contagem[wl] += 1
                if formas is not None:
                    formas[forma_da_palavra(f, m.start(), m.end())] += 1
    return total, sum(contagem.values()), contagem


def relatorio(nome, hip, refs, pares, piores):
    print("== %s" % nome)
    print("chrF %.1f  BLEU %.1f  frases %d" % (chrf(hip, refs), bleu(hip, refs), len(hip)))
    if piores:
        notas = sorted(((chrf([h], [r]), i) for i, (h, r) in enumerate(zip(hip, refs))))[:piores]
        print("-- %d frases com pior chrF" % len(notas))
        for nota, i in notas:
            print("%5.1f  EN: %s\n       PT: %s\n      REF: %s" % (nota, pares[i][0], hip[i], refs[i]))


def main(argv):
    raiz = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    ap = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    ap.add_argument("--vertal", required=True)
    ap.add_argument("--corpus", default=os.path.join(raiz, "data", "corpus", "dev.tsv"))
    ap.add_argument("--piores", type=int, default=20)
    ap.add_argument("--desconhecidas", type=int, default=30)
    ap.add_argument("--sem-apertium", action="store_true")
    ap.add_argument("--saida", help="write the hypotheses here, one a line")
    a = ap.parse_args(argv)

    pares = ler_corpus(a.corpus)
    ingles = [en for en, _ in pares]
    refs = [pt for _, pt in pares]
    with tempfile.TemporaryDirectory() as tmp:
        arq = os.path.join(tmp, "desconhecidas.txt")
        hip = traduzir_vertal(a.vertal, ingles, arq)
        desc = palavras_desconhecidas(arq)
    if a.saida:
        with open(a.saida, "w", encoding="utf-8") as f:
            f.write("".join(h + "\n" for h in hip))
    relatorio("vertal", hip, refs, pares, a.piores)
    formas = collections.Counter()
    total, desconhecidos, contagem = contar_desconhecidas(ingles, desc, formas)
    print("palavras desconhecidas: %d de %d (%.1f%%)" % (desconhecidos, total, 100.0 * desconhecidos / max(total, 1)))
    # The same tokens by how they are written: a name or an acronym kept as written
    # is not a gap of the same kind as a common word left in English.
    print("  por forma: " + ", ".join("%s %.1f%%" % (k, 100.0 * formas[k] / max(total, 1))
                                      for k in ("palavra", "nome", "sigla", "codigo")))
    print("-- %d desconhecidas mais frequentes" % a.desconhecidas)
    for w, n in contagem.most_common(a.desconhecidas):
        print("%6d  %s" % (n, w))
    if not a.sem_apertium:
        pares_ap = traduzir_apertium(ingles)
        if pares_ap is None:
            print("== apertium eng-spa | es-pt_BR: indispon\u00edvel")
        else:
            relatorio("apertium eng-spa | es-pt_BR", pares_ap, refs, pares, 0)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
