#!/usr/bin/env python3
"""Builds the general dictionary's sources (data/ip/) and merges them into data/ip.lex.

Two steps:

  gerar   (run by hand; needs Debian's wordnet-base, apertium-eng-spa,
          apertium-es-pt, apertium-en-gl, apertium-pt-gl and lttoolbox)
          writes data/ip/lexico.lex (bulk lexicon, most frequent words first)
          and data/ip/formas.txt (irregular English forms with their base and
          form bits).

  juntar  (pure Python, no packages) merges data/ip/nucleo.lex (hand-made core,
          always wins), data/ip/formas.txt and data/ip/lexico.lex into
          data/ip.lex, keeping the most frequent entries that fit the compiled
          format's limits, and reports the entry count and the data size.

Sources and licences are listed in data/README.md. The output is deterministic:
the same packages give the same files.

    tools/gerar_lexico.py gerar  [--raiz REPO]
    tools/gerar_lexico.py juntar [--raiz REPO]
"""

import argparse
import collections
import glob
import gzip
import os
import re
import struct
import subprocess
import sys

WORDNET = "/usr/share/wordnet"
APERTIUM = "/usr/share/apertium"
BIL_ENG_SPA = APERTIUM + "/apertium-eng-spa/eng-spa.autobil.bin"
BIL_ES_PTBR = APERTIUM + "/apertium-es-pt/es-pt_BR.autobil.bin"
BIL_EN_GL = APERTIUM + "/apertium-en-gl/en-gl.autobil.bin"
BIL_GL_PT = APERTIUM + "/apertium-pt-gl/gl-pt.autobil.bin"
MORF_ENG = APERTIUM + "/apertium-eng-spa/eng-spa.automorf.bin"

# Limits of the compiled format (data area and 16-bit record numbers).
LIMITE_DADOS = 1048576
LIMITE_REGISTROS = 65535
LIMITE_REGISTRO = 255
LIMITE_CHAVE = 50

POS_WORDNET = {"noun": "N", "verb": "V", "adj": "A", "adv": "D"}
POS_APERTIUM = {"N": ["<n>"], "V": ["<vblex>"], "A": ["<adj><sint>", "<adj>"], "D": ["<adv>"]}

CHAVE_OK = re.compile(r"^[a-z][a-z\-_]*$")
PALAVRA_PT = re.compile(r"^[a-zàáâãçéêíóôõúü][a-zàáâãçéêíóôõúü\- ]*$")


# ---------------------------------------------------------------- parsing

def ler_indice_wordnet(linhas, classe):
    """WordNet index.* lines -> {lemma: (classe, tagsense_cnt)}; licence lines skipped."""
    saida = {}
    for linha in linhas:
        if not linha or linha[0] == " ":
            continue
        campos = linha.split()
        if len(campos) < 6:
            continue
        lema = campos[0]
        try:
            p_cnt = int(campos[3])
            tag_cnt = int(campos[5 + p_cnt])
        except (ValueError, IndexError):
            continue
        saida[lema] = (classe, tag_cnt)
    return saida


def ler_excecoes_wordnet(linhas):
    """WordNet *.exc lines -> [(form, base)] (first base of each line)."""
    saida = []
    for linha in linhas:
        campos = linha.split()
        if len(campos) >= 2:
            saida.append((campos[0], campos[1]))
    return saida


LU = re.compile(r"\^(.*?)\$")


def ler_saida_bilingue(texto):
    """lt-proc -b output -> list, one per input unit, of [(lemma, tags)]; unknown ('@') dropped."""
    saida = []
    for unidade in LU.findall(texto):
        partes = unidade.split("/")
        cands = []
        for p in partes[1:]:
            if p.startswith("@") or p.startswith("#"):
                continue
            m = re.match(r"^([^<]*)((?:<[^>]*>)*)$", p)
            if m and m.group(1):
                cands.append((m.group(1), m.group(2)))
        saida.append(cands)
    return saida


def ler_analise(texto):
    """lt-proc (analyser) output -> list of (surface, [(lemma, tags)])."""
    saida = []
    for unidade in LU.findall(texto):
        partes = unidade.split("/")
        leituras = []
        for p in partes[1:]:
            m = re.match(r"^([^<]*)((?:<[^>]*>)*)$", p)
            if m and not p.startswith("*"):
                leituras.append((m.group(1), m.group(2)))
        saida.append((partes[0], leituras))
    return saida


def ler_mo(dados):
    """GNU .mo catalogue bytes -> list of msgid strings (English)."""
    if len(dados) < 28:
        return []
    magia = struct.unpack("<I", dados[:4])[0]
    fmt = "<" if magia == 0x950412DE else ">"
    if struct.unpack(fmt + "I", dados[:4])[0] != 0x950412DE:
        return []
    n, o_orig = struct.unpack(fmt + "II", dados[8:16])
    saida = []
    for i in range(n):
        pos = o_orig + 8 * i
        if pos + 8 > len(dados):
            break
        tam, off = struct.unpack(fmt + "II", dados[pos:pos + 8])
        if off + tam > len(dados):
            continue
        texto = dados[off:off + tam].decode("utf-8", "replace")
        for parte in texto.split("\0"):
            if parte:
                saida.append(parte)
    return saida


TROFF = re.compile(r"\\f[BIRP]|\\\(..|\\[-&e]|\\s[-+]?\d")


def texto_man(texto):
    """Rough removal of troff requests and escapes from a manual page."""
    linhas = []
    for linha in texto.splitlines():
        if linha.startswith(".") or linha.startswith("'"):
            partes = linha.split(None, 1)
            if len(partes) == 2 and partes[0] in (".B", ".I", ".BR", ".IR", ".RB", ".SH", ".SS", ".TP", ".IP"):
                linhas.append(TROFF.sub("", partes[1]))
            continue
        linhas.append(TROFF.sub("", linha))
    return "\n".join(linhas)


PALAVRA_EN = re.compile(r"[A-Za-z]+")


def contar_palavras(textos, contagem):
    for t in textos:
        for w in PALAVRA_EN.findall(t):
            if w.isupper() and len(w) > 1:
                continue  # acronyms and constants
            contagem[w.lower()] += 1


# ---------------------------------------------------------------- the entry model

class Verbete:
    """One dictionary line: key, class codes and the translation alternatives."""

    def __init__(self, chave, codigos, freq=0):
        self.chave = chave
        self.codigos = codigos
        self.freq = freq

    def linha(self):
        return self.chave + "!" + self.codigos


def marcar_traducao(pt, classe):
    """Portuguese lemma -> marked translation text ('/' inflecting words, '_' blanks)."""
    palavras = pt.split()
    if len(palavras) == 1:
        return pt
    if classe == "V":
        # only the verb itself is conjugated: "/fazer/_login"
        return "/" + palavras[0] + "/_" + "_".join(palavras[1:])
    # nouns and adjectives: the words up to the first preposition inflect
    marcadas = []
    preso = False
    for p in palavras:
        if p in ("de", "do", "da", "dos", "das", "em", "a", "para", "por", "com", "sem"):
            preso = True
        marcadas.append(p if preso else "/" + p + "/")
    return "_".join(marcadas)


def genero_por_terminacao(pt):
    p = pt.split()[0]
    if p.endswith(("a", "ção", "dade", "gem", "tude", "ise")):
        return "F"
    return "M"


def codigos_entrada(classes, trads, generos, raiz=""):
    """classes: ordered list of 'N','V','A','D'; trads: {class: marked pt}; generos: {'N': 'M'|'F'}."""
    partes = []
    for c in classes:
        if c == "N":
            partes.append("N" + generos.get("N", "M"))
        elif c == "A":
            flags = ""
            t = trads.get("A", "")
            if t and re.search(r"[rm]$", t.replace("/", "")) and not t.endswith("dor"):
                flags += "G"  # "melhor", "comum": Feminino would append "a"
            partes.append("A" + flags)
        elif c == "V":
            partes.append("V")
        elif c == "D":
            partes.append("D")
    lista = []
    # the alternative of the most general class goes last, unconditioned
    ultima = classes[0]
    for c in classes[1:]:
        cond = {"V": "*V", "A": "*A", "D": "*D", "N": "*N"}[c]
        if trads.get(c) and trads.get(c) != trads.get(ultima):
            lista += [trads[c], cond]
    lista.append(trads[ultima])
    if raiz:
        partes.append("R(" + raiz + ")")
    partes.append("T(" + ",".join(lista) + ")")
    return ".".join(partes)


# ---------------------------------------------------------------- record size

def tamanho_registro(linha):
    """Encoded record length of a source line, as the compiler writes it (None if malformed)."""
    if "!" not in linha:
        return None
    chave, cod = linha.split("!", 1)
    tam = (len(chave) - 2 + 1) if len(chave) >= 2 else 0
    tam += 3
    raiz = re.search(r"R\(([^)]*)\)", cod)
    tam += (len(raiz.group(1)) if raiz else 0) + 1
    sem = re.sub(r"[RT]\([^)]*\)", "", cod)
    grupos = [g for g in sem.split(".") if g]
    classes = set()
    for g in grupos:
        if g[0] == "#":
            continue
        classes.add(g[0])
    if "N" in classes:
        tam += 1
    if "A" in classes:
        tam += 1
    if "V" in classes or "X" in classes:
        tam += 4
    if "E" in classes:
        tam += 2
    if "P" in classes:
        tam += 2
    t = re.search(r"T\(([^)]*)\)", cod)
    if t:
        tam += len(t.group(1).encode("cp1252", "replace")) + 1
    return tam


def encurtar(linha):
    """Drops trailing translation alternatives until the record fits 255 bytes."""
    while (tamanho_registro(linha) or 0) > LIMITE_REGISTRO:
        m = re.search(r"T\(([^)]*)\)", linha)
        if not m:
            return None
        campos = m.group(1).split(",")
        if len(campos) <= 1:
            return None
        campos = campos[:-2] if len(campos) % 2 == 1 else campos[:-1]
        if len(campos) % 2 == 0:
            campos = campos[:-1]
        linha = linha[:m.start(1)] + ",".join(campos) + linha[m.end(1):]
    return linha


# ---------------------------------------------------------------- step "gerar"

def lt_proc(args, entrada):
    r = subprocess.run(["lt-proc"] + args, input=entrada.encode("utf-8"), capture_output=True, check=True)
    return r.stdout.decode("utf-8", "replace")


def frequencias_ingles():
    contagem = collections.Counter()
    vistos = set()
    for mo in sorted(glob.glob("/usr/share/locale/*/LC_MESSAGES/*.mo")):
        dominio = os.path.basename(mo)
        if dominio in vistos:
            continue
        vistos.add(dominio)
        with open(mo, "rb") as f:
            contar_palavras(ler_mo(f.read()), contagem)
    for pag in sorted(glob.glob("/usr/share/man/man[1-8]/*.gz")):
        try:
            with gzip.open(pag, "rt", encoding="utf-8", errors="replace") as f:
                contar_palavras([texto_man(f.read())], contagem)
        except OSError:
            continue
    return contagem


def frequencia_lema(lema, contagem):
    """Frequency of a lemma counted over its regular inflections."""
    f = contagem.get(lema, 0)
    for suf in ("s", "es", "ed", "d", "ing", "er", "est", "ly"):
        f += contagem.get(lema + suf, 0)
    if lema.endswith("e"):
        f += contagem.get(lema[:-1] + "ing", 0)
    if lema.endswith("y"):
        f += contagem.get(lema[:-1] + "ies", 0) + contagem.get(lema[:-1] + "ied", 0)
    return f


def traduzir_lote(lemas_pos):
    """[(lemma, class)] -> list of {pt lemma: (score, gender)} via both Apertium routes."""
    def consulta(bil, itens):
        return ler_saida_bilingue(lt_proc(["-b", bil], "".join("^%s%s$\n" % i for i in itens)))

    resultados = [dict() for _ in lemas_pos]
    for rota, (bil1, bil2), peso in (("es", (BIL_ENG_SPA, BIL_ES_PTBR), 3), ("gl", (BIL_EN_GL, BIL_GL_PT), 2)):
        melhor = [[] for _ in lemas_pos]
        for tag in ("<n>", "<vblex>", "<adj><sint>", "<adj>", "<adv>"):
            idx = [i for i, (l, c) in enumerate(lemas_pos) if tag in POS_APERTIUM[c] and not melhor[i]]
            if not idx:
                continue
            r = consulta(bil1, [(lemas_pos[i][0], tag) for i in idx])
            for i, cands in zip(idx, r):
                melhor[i] = cands
        # second hop, every intermediate candidate with its tags
        pares = [(i, k, lem, tags) for i, cands in enumerate(melhor) for k, (lem, tags) in enumerate(cands[:4])]
        r2 = consulta(bil2, [(lem, tags) for (_, _, lem, tags) in pares])
        for (i, k, _, tags1), cands in zip(pares, r2):
            for j, (pt, tags) in enumerate(cands[:2]):
                pt = pt.strip()
                if not PALAVRA_PT.match(pt):
                    continue
                todas = tags if ("<m>" in tags or "<f>" in tags) else tags1
                gen = "F" if "<f>" in todas else ("M" if "<m>" in todas else "")
                pont = peso * 10 - 3 * k - j
                velho = resultados[i].get(pt)
                if velho:
                    resultados[i][pt] = (velho[0] + pont + 20, velho[1] or gen)
                else:
                    resultados[i][pt] = (pont, gen)
    return resultados


def gerar(raiz):
    lemas = collections.defaultdict(dict)
    for arq, c in (("index.noun", "N"), ("index.verb", "V"), ("index.adj", "A"), ("index.adv", "D")):
        with open(os.path.join(WORDNET, arq), encoding="latin-1") as f:
            for lema, (cl, n) in ler_indice_wordnet(f.read().splitlines(), c).items():
                if CHAVE_OK.match(lema) and "_" not in lema and len(lema) <= LIMITE_CHAVE:
                    lemas[lema][cl] = n
    contagem = frequencias_ingles()
    # classes kept per lemma: those with a fair share of the tagged senses
    pedidos = []
    for lema, cls in lemas.items():
        total = max(cls.values())
        for c, n in cls.items():
            if n * 4 >= total or total == 0 and len(cls) == 1:
                pedidos.append((lema, c))
    freq = {l: frequencia_lema(l, contagem) for l in lemas}
    pedidos.sort()
    trads = traduzir_lote(pedidos)
    por_lema = collections.defaultdict(dict)
    for (lema, c), cands in zip(pedidos, trads):
        if not cands:
            continue
        pt, (pont, gen) = sorted(cands.items(), key=lambda kv: (-kv[1][0], kv[0]))[0]
        if c == "V" and not pt.split()[0].endswith(("ar", "er", "ir", "or", "ôr")):
            continue
        if c == "N" and not gen:
            gen = genero_por_terminacao(pt)
        por_lema[lema][c] = (marcar_traducao(pt, c), gen)
    linhas = []
    for lema, d in por_lema.items():
        ordem = sorted(d, key=lambda c: (-lemas[lema].get(c, 0), "NVAD".index(c)))
        codigos = codigos_entrada(ordem, {c: d[c][0] for c in d}, {"N": d["N"][1]} if "N" in d else {})
        linha = encurtar(lema + "!" + codigos)
        if linha:
            linhas.append((freq[lema], lema, linha))
    linhas.sort(key=lambda t: (-t[0], t[1]))
    os.makedirs(os.path.join(raiz, "data", "ip"), exist_ok=True)
    escrever_lex(os.path.join(raiz, "data", "ip", "lexico.lex"), [l for _, _, l in linhas])

    # irregular forms, with their form bits from the English analyser
    formas = []
    for arq, c in (("noun.exc", "N"), ("verb.exc", "V"), ("adj.exc", "A")):
        with open(os.path.join(WORDNET, arq), encoding="latin-1") as f:
            for forma, base in ler_excecoes_wordnet(f.read().splitlines()):
                if CHAVE_OK.match(forma) and CHAVE_OK.match(base) and "_" not in forma + base:
                    formas.append((forma, base, c))
    # keyed by surface form: a hyphenated form comes back as several units
    analises = dict(reversed(ler_analise(lt_proc([MORF_ENG], "".join(f + "\n" for f, _, _ in formas)))))
    saida = []
    for forma, base, c in formas:
        leituras = analises.get(forma, [])
        bits = set()
        for lem, tags in leituras:
            if lem != base:
                continue
            if c == "V" and "<vblex>" in tags:
                if "<past>" in tags:
                    bits.add("S")
                if "<pp>" in tags:
                    bits.add("R")
            elif c == "N" and "<pl>" in tags:
                bits.add("P")
            elif c == "A" and "<comp>" in tags:
                bits.add("C")
            elif c == "A" and "<sup>" in tags:
                bits.add("U")
        if c == "V" and not bits:
            bits = {"S", "R"}
        if c == "N" and not bits:
            bits = {"P"}
        if c == "A" and not bits:
            bits = {"U"} if forma.endswith("st") else {"C"}
        saida.append("%s %s %s %s %d" % (forma, base, c, "".join(sorted(bits)), contagem.get(forma, 0)))
    with open(os.path.join(raiz, "data", "ip", "formas.txt"), "w", encoding="utf-8", newline="\n") as f:
        f.write("# form base class bits frequency (from WordNet's exception lists; bits: "
                "S past, R participle, P plural, C comparative, U superlative)\n")
        for l in sorted(set(saida)):
            f.write(l + "\n")
    print("lexico.lex: %d entradas; formas.txt: %d formas" % (len(linhas), len(saida)))


# ---------------------------------------------------------------- step "juntar"

def ler_lex(caminho):
    with open(caminho, "rb") as f:
        texto = f.read().decode("cp1252")
    saida = []
    for linha in texto.replace("\r\n", "\n").split("\n"):
        linha = linha.strip()
        if linha and "!" in linha:
            saida.append(linha)
    return saida


def escrever_lex(caminho, linhas):
    with open(caminho, "wb") as f:
        for l in linhas:
            f.write(l.encode("cp1252") + b"\r\n")


def ler_formas(linhas):
    saida = []
    for l in linhas:
        if not l.strip() or l.startswith("#"):
            continue
        campos = l.split()
        if len(campos) == 5:
            saida.append((campos[0], campos[1], campos[2], campos[3], int(campos[4])))
    return saida


def grupos_de(codigos):
    """Split codes into {'classes': [group strings], 'R': root, 'T': [fields]}."""
    r = re.search(r"R\(([^)]*)\)", codigos)
    t = re.search(r"T\(([^)]*)\)", codigos)
    sem = re.sub(r"[RT]\([^)]*\)", "", codigos)
    return {"grupos": [g for g in sem.split(".") if g], "R": r.group(1) if r else "",
            "T": t.group(1).split(",") if t else []}


def traducao_da_classe(campos, classe):
    """The alternative of a base entry that applies to class `classe` (V, N or A)."""
    cond = "*" + classe
    for i in range(0, len(campos), 2):
        c = campos[i + 1] if i + 1 < len(campos) else ""
        if c == cond:
            return campos[i]
    # no alternative for that class: the unconditioned last one
    for i in range(0, len(campos), 2):
        c = campos[i + 1] if i + 1 < len(campos) else ""
        if c == "":
            return campos[i]
    return campos[0] if campos else ""


def entrada_forma(forma, base, classe, bits, base_codigos):
    """Entry of an irregular form, built from its base's entry; None when the base lacks the class."""
    g = grupos_de(base_codigos)
    letras = {x[0] for x in g["grupos"] if x[0] != "#"}
    if classe == "V" and not (letras & {"V", "X"}):
        return None
    if classe in ("N", "A") and classe not in letras:
        return None
    t = traducao_da_classe(g["T"], classe)
    if not t:
        return None
    if classe == "V":
        fl = ("S" if "S" in bits else "") + ("R" if "R" in bits else "")
        if "S" in bits and "R" in bits:
            fl += "A"  # past and participle alike: the simple-past test may take it as past
        return "V" + fl + ".R(" + base + ").T(" + t + ")"
    if classe == "N":
        gen = ""
        for x in g["grupos"]:
            if x[0] == "N":
                gen = "".join(ch for ch in x[1:] if ch in "MF")
        return "N" + gen + "P.R(" + base + ").T(" + t + ")"
    plano = t.replace("/", "")
    if "_" in plano:
        return None
    if "U" in bits:
        return "AG.R(" + base + ").T(/o/_mais_/" + plano + "/)"
    return "AG.R(" + base + ").T(mais_/" + plano + "/)"


def juntar(raiz, saida=None, limite_dados=LIMITE_DADOS, limite_registros=LIMITE_REGISTROS):
    pasta = os.path.join(raiz, "data", "ip")
    nucleo = ler_lex(os.path.join(pasta, "nucleo.lex"))
    # the software vocabulary is hand-made too and ranks with the core; nucleo.lex wins a shared key
    chaves = {l.split("!", 1)[0] for l in nucleo}
    informatica = os.path.join(pasta, "informatica.lex")
    if os.path.exists(informatica):
        nucleo += [l for l in ler_lex(informatica) if l.split("!", 1)[0] not in chaves]
    lexico = ler_lex(os.path.join(pasta, "lexico.lex"))
    with open(os.path.join(pasta, "formas.txt"), encoding="utf-8") as f:
        formas = ler_formas(f.read().splitlines())
    resultado, erros = juntar_linhas(nucleo, lexico, formas, limite_dados, limite_registros)
    for e in erros:
        print("aviso: " + e, file=sys.stderr)
    linhas, dados = resultado
    escrever_lex(saida or os.path.join(raiz, "data", "ip.lex"), linhas)
    print("ip.lex: %d entradas, %d bytes de dados (limite %d), n\u00facleo %d, l\u00e9xico %d dispon\u00edveis"
          % (len(linhas), dados, limite_dados, len(nucleo), len(lexico)))
    return 0


def juntar_linhas(nucleo, lexico, formas, limite_dados=LIMITE_DADOS, limite_registros=LIMITE_REGISTROS):
    """Core lines always kept; forms and bulk lines by descending frequency while they fit."""
    erros = []
    escolhidas = {}
    dados = 0
    for l in nucleo:
        chave = l.split("!", 1)[0]
        t = tamanho_registro(l)
        if not CHAVE_OK.match(chave) or len(chave) > LIMITE_CHAVE or t is None or t > LIMITE_REGISTRO:
            erros.append("linha do n\u00facleo recusada: " + l)
            continue
        if chave in escolhidas:
            erros.append("chave repetida no n\u00facleo: " + chave)
            continue
        escolhidas[chave] = l
        dados += 5 + t
    # bulk entries in file order (most frequent first), interleaved with forms by frequency
    base_codigos = {l.split("!", 1)[0]: l.split("!", 1)[1] for l in lexico}
    for chave, l in escolhidas.items():
        base_codigos[chave] = l.split("!", 1)[1]  # the core wins for the forms too
    fila = []
    for pos, l in enumerate(lexico):
        fila.append((0, pos, l))
    # a form is ranked just after its base in the bulk order (or first when its base is in the core)
    posicao = {l.split("!", 1)[0]: i for i, l in enumerate(lexico)}
    for forma, base, classe, bits, freq in formas:
        if base not in base_codigos:
            continue
        cod = entrada_forma(forma, base, classe, bits, base_codigos[base])
        if cod:
            p = -1 if base in escolhidas else posicao.get(base, len(lexico))
            fila.append((1, p, forma + "!" + cod))
    fila.sort(key=lambda x: (x[1], x[0], x[2]))
    completo = False
    for _, _, l in fila:
        chave = l.split("!", 1)[0]
        if chave in escolhidas or not CHAVE_OK.match(chave) or len(chave) > LIMITE_CHAVE:
            continue
        l = encurtar(l)
        if not l:
            continue
        t = tamanho_registro(l)
        if dados + 5 + t > limite_dados or len(escolhidas) + 1 > limite_registros:
            completo = True
            continue
        escolhidas[chave] = l
        dados += 5 + t
    if completo:
        erros.append("limite do formato atingido: entradas menos frequentes ficaram de fora")
    for l in formas_de_colisao(escolhidas):
        t = tamanho_registro(l)
        if dados + 5 + t <= limite_dados and len(escolhidas) + 1 <= limite_registros:
            escolhidas[l.split("!", 1)[0]] = l
            dados += 5 + t
    erros += marcar_locucoes(escolhidas)
    linhas = sorted(escolhidas.values(), key=lambda l: l.split("!", 1)[0].encode("cp1252"))
    return (linhas, dados), erros


def formas_de_colisao(escolhidas):
    """Entries for "-ed"/"-ing" forms of a verb in "e" whose stem without the "e" is itself a word
    of another class ("used": the reader finds the pronoun "us" first and gives up before it
    tries "use")."""
    novas = []
    for chave in sorted(escolhidas):
        if "_" in chave or len(chave) < 3 or not chave.endswith("e") or chave.endswith("ee"):
            continue
        raiz = chave[:-1]
        if raiz not in escolhidas:
            continue
        g = grupos_de(escolhidas[chave].split("!", 1)[1])
        letras = {x[0] for x in g["grupos"] if x[0] != "#"}
        if "V" not in letras or g["R"] not in ("", chave):
            continue  # only base verbs: "ate" is itself a form of "eat"
        letras_raiz = {x[0] for x in grupos_de(escolhidas[raiz].split("!", 1)[1])["grupos"] if x[0] != "#"}
        if "V" in letras_raiz:
            continue
        t = traducao_da_classe(g["T"], "V")
        if not t:
            continue
        for forma, codigos in ((raiz + "ed", "VSRA"), (raiz + "ing", "VG")):
            if forma not in escolhidas and len(forma) <= LIMITE_CHAVE:
                novas.append(forma + "!" + codigos + ".R(" + chave + ").T(" + t + ")")
    return novas


def com_digito(codigos, digito):
    """Adds a multiword digit to the "#" group of an entry's codes."""
    m = re.match(r"^#([1-8]*)", codigos)
    if m:
        dig = "".join(sorted(set(m.group(1) + digito)))
        return "#" + dig + codigos[m.end():]
    return "#" + digito + "." + codigos


def marcar_locucoes(escolhidas):
    """Sets the "#" bit of a multiword's first word, and of the forms whose base is that word
    (the reader also tries "is going to" as "be_going_to")."""
    erros = []
    por_raiz = collections.defaultdict(list)
    for chave, l in escolhidas.items():
        g = grupos_de(l.split("!", 1)[1])
        if g["R"]:
            por_raiz[g["R"]].append(chave)
    for chave in sorted(escolhidas):
        if "_" not in chave:
            continue
        palavras = chave.split("_")
        n = len(palavras) - 1
        if n > 8 or not all(palavras):
            erros.append("locu\u00e7\u00e3o longa demais: " + chave)
            continue
        primeira = palavras[0]
        if primeira not in escolhidas:
            erros.append("locu\u00e7\u00e3o sem entrada para a primeira palavra: " + chave)
            continue
        for alvo in [primeira] + por_raiz.get(primeira, []):
            if "_" in alvo:
                continue
            k, cod = escolhidas[alvo].split("!", 1)
            escolhidas[alvo] = k + "!" + com_digito(cod, str(n))
    return erros


def main(argv):
    ap = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    ap.add_argument("passo", choices=["gerar", "juntar"])
    ap.add_argument("--raiz", default=os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
    ap.add_argument("--saida")
    a = ap.parse_args(argv)
    if a.passo == "gerar":
        gerar(a.raiz)
        return 0
    return juntar(a.raiz, a.saida)


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
