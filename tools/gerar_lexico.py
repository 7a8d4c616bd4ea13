#!/usr/bin/env python3
"""Generates the general dictionary's bulk lexicon, data/ip/lexico.lex.

Run by hand; needs Debian's wordnet-base, apertium-eng-spa, apertium-es-pt,
apertium-en-gl, apertium-pt-gl, apertium-eng-cat, apertium-por-cat,
dict-freedict-eng-por, dict-freedict-eng-spa, lttoolbox and hunspell-pt-br:

    tools/gerar_lexico.py gerar [--raiz REPO]
    tools/gerar_lexico.py faltantes [N]     # the N most frequent words no source holds
    tools/gerar_lexico.py locucoes [N]      # the N most frequent verbs of two words

The build compiles the three sources of data/ip/ in priority order
(nucleo.lex, informatica.lex, lexico.lex: the first source holding a key wins),
so lexico.lex leaves out every key of the two hand-made sources, and its
irregular forms take their base's translation from whichever source wins the
base. The lexicon is cut, least frequent entries first, so that the three
sources together stay a reserve below the compiled format's limits (room for
hand-made entries). Every Portuguese word it writes is accepted by the pt_BR
spelling dictionary; European Portuguese words are replaced by the Brazilian
ones (EUROPEU).

Sources and licences are listed in data/README.md. The output is deterministic:
the same packages give the same file.
"""

import argparse
import collections
import difflib
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
BIL_ENG_CAT = APERTIUM + "/apertium-eng-cat/eng-cat.autobil.bin"
BIL_CAT_PTBR = APERTIUM + "/apertium-por-cat/cat-por_BR.autobil.bin"
MORF_ENG = APERTIUM + "/apertium-eng-spa/eng-spa.automorf.bin"
MORF_ENG_CAT = APERTIUM + "/apertium-eng-cat/eng-cat.automorf.bin"
# Portuguese analyser: the classes and gender of a Portuguese word, when it knows it
MORF_PT = APERTIUM + "/apertium-es-pt/pt-es.automorf.bin"
FREEDICT = "/usr/share/dictd/freedict-%s"

# Limits of the compiled format (data area and 16-bit record numbers).
LIMITE_DADOS = 1048576
LIMITE_REGISTROS = 65535
LIMITE_REGISTRO = 255
LIMITE_CHAVE = 50
# Left free for entries added by hand to the hand-made sources.
RESERVA_DADOS = 32768
RESERVA_REGISTROS = 1000
HUNSPELL_PT_BR = "/usr/share/hunspell/pt_BR"

# European Portuguese words (all accepted by the pt_BR spelling dictionary,
# which lists them as variants) and the word a Brazilian text uses. A
# translation holding one of them takes the replacement; "" drops the
# candidate (no single Brazilian word fits every sense).
EUROPEU = {
    "ficheiro": "arquivo", "ecrã": "tela", "utilizador": "usuário", "utente": "usuário",
    "guião": "", "telemóvel": "celular", "equipa": "equipe", "registo": "registro",
    "registar": "registrar", "partilhar": "compartilhar", "partilha": "compartilhamento",
    "palavra-passe": "senha", "premir": "pressionar", "gerir": "gerenciar",
    "contactar": "contatar", "contacto": "contato", "controlo": "controle", "autocarro": "ônibus",
    "comboio": "trem", "camião": "caminhão", "frigorífico": "geladeira", "sumo": "suco",
    "relva": "grama", "rapariga": "moça", "miúdo": "garoto", "montra": "vitrine", "talho": "açougue",
    "facto": "fato", "ementa": "menu", "sítio": "local", "pequeno-almoço": "café da manhã",
    "bicha": "fila", "propina": "", "mamã": "mãe", "rasto": "rastro", "guarda-redes": "goleiro",
    "bolacha": "biscoito", "camisola": "suéter", "casa de banho": "banheiro",
}

POS_WORDNET = {"noun": "N", "verb": "V", "adj": "A", "adv": "D"}
POS_APERTIUM = {"N": ["<n>", "<np><loc>"], "V": ["<vblex>"], "A": ["<adj><sint>", "<adj>"], "D": ["<adv>"]}

CHAVE_OK = re.compile(r"^[a-z][a-z\-_]*$")
PALAVRA_PT = re.compile(r"^[a-zàáâãçéêíóôõúüA-ZÁÂÉÍÓÚ][a-zàáâãçéêíóôõúü\- ]*$")


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


B64_DICTD = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/"


def numero_dictd(texto):
    """A dictd index number (base64 digits, most significant first)."""
    n = 0
    for ch in texto:
        n = n * 64 + B64_DICTD.index(ch)
    return n


POS_FREEDICT = {"s": "N", "n": "N", "vt": "V", "vi": "V", "v": "V", "adj": "A", "adv": "D"}
SENTIDO = re.compile(r"^\s*\d+\.\s*")


def ler_freedict(indice, dados):
    """A dictd dictionary (index text, uncompressed data bytes) -> {headword (lower case):
    (classes, [translations])}. Headwords of several words, the database's own entries and
    translations that are phrases (more than three words) or hold anything but letters are
    left out; the classes come from the header's part-of-speech tags ("<s> <vt>"), empty
    when it has none."""
    saida = {}
    for linha in indice.splitlines():
        campos = linha.split("\t")
        if len(campos) < 3 or campos[0].startswith("00database") or not CHAVE_OK.match(campos[0].lower()):
            continue
        try:
            ini, tam = numero_dictd(campos[1]), numero_dictd(campos[2])
        except ValueError:
            continue
        corpo = dados[ini:ini + tam].decode("utf-8", "replace").splitlines()
        if not corpo:
            continue
        classes = {POS_FREEDICT[t] for t in re.findall(r"<([a-z]+)>", corpo[0]) if t in POS_FREEDICT}
        trads = []
        for l in corpo[1:]:
            for t in re.split(r"[,;]", SENTIDO.sub("", re.sub(r"\([^)]*\)", "", l))):
                t = " ".join(t.split())
                if t and len(t.split()) <= 3 and PALAVRA_PT.match(t) and t not in trads:
                    trads.append(t)
        chave = campos[0].lower()
        velho = saida.get(chave)
        if velho:  # the same headword twice ("Basque", "basque"): both lists, in order
            saida[chave] = (velho[0] | classes, velho[1] + [t for t in trads if t not in velho[1]])
        else:
            saida[chave] = (classes, trads)
    return saida


def classes_portuguesas(texto):
    """Portuguese analyser output -> {word: {class: gender}}: the classes (N, V, A, D) of
    the words it knows, with the noun's gender ("M", "F" or ""), and "L" for a place
    name; unknown words left out."""
    saida = {}
    for forma, leituras in ler_analise(texto):
        cls = {}
        for _, tags in leituras:
            # a place name is a noun ("L" marks it); a person's name is no translation
            for tag, c in TAGS_CLASSE + (("<np><loc>", "N"), ("<np><top>", "N"), ("<np><loc>", "L"), ("<np><top>", "L")):
                if tags.startswith(tag):
                    gen = "F" if "<f>" in tags else ("M" if "<m>" in tags else "")
                    cls[c] = cls.get(c) or gen
        if leituras:
            saida[forma] = cls
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


TROFF = re.compile(r"\\f[BIRP]|\\\*\(..|\\\*\[[^\]]*\]|\\\*.|\\\(..|\\[-&e]|\\s[-+]?\d")


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


def inicio_de_frase(texto, pos):
    """Whether the word at `pos` opens a sentence: nothing but blanks, quotes or an opening
    bracket before it since the text's start or the last ".", "!", "?" or ":"."""
    i = pos - 1
    while i >= 0 and texto[i] in " \t\r\n\"'([*\u2018\u201c":
        i -= 1
    return i < 0 or texto[i] in ".!?:"


def contar_palavras(textos, contagem, siglas=None):
    """Counts the words of `textos` in lower case; words in capitals (acronyms, constants,
    headings) are counted in `siglas` instead, as written, once per text (a page or a
    catalogue that repeats a constant a thousand times counts once), and there too the
    texts that hold each word in lower case, as "." + word.
    Returns the words written capitalised inside a sentence ("Debian", "GitHub"), as
    written, and the words written in lower case, over all of `textos`."""
    capitalizadas, todas_minusculas = set(), set()
    for t in textos:
        maiusculas, minusculas = set(), set()
        for m in PALAVRA_EN.finditer(t):
            w = m.group()
            if w.isupper() and len(w) > 1:
                maiusculas.add(w)
                continue
            contagem[w.lower()] += 1
            if not w[0].isupper():
                minusculas.add(w)
            elif len(w) > 1 and not inicio_de_frase(t, m.start()) and \
                    (m.start() == 0 or t[m.start() - 1] not in "./_-@$%&\\*"):
                capitalizadas.add(w)
        if siglas is not None:
            siglas.update(maiusculas)
            siglas.update("." + w for w in minusculas)
        todas_minusculas |= minusculas
    return capitalizadas, todas_minusculas


def contar_nomes(nomes, capitalizadas, minusculas):
    """Counts one source (a catalogue, a manual page, a package's documents) in `nomes`:
    "^" + word as written for the words it writes capitalised inside a sentence, "." +
    word for those it writes in lower case."""
    nomes.update("^" + w for w in capitalizadas)
    nomes.update("." + w for w in minusculas)


# Abbreviations whose Portuguese noun is feminine ("a VPN": a rede; "a GPL": a licen\u00e7a;
# "a CPU", "a TPU", "a MMU": a unidade; "a GUI", "a MPI", "a EABI": a interface; "a IRQ": a
# interrup\u00e7\u00e3o; "a VM": a m\u00e1quina; "a DML": a linguagem; "a AST": a \u00e1rvore).
SIGLAS_FEMININAS = {"ACL", "DLL", "FPU", "GPL", "GPT", "JVM", "MTU", "NIC", "RFC", "VLAN", "VPN", "CPU", "GPU", "API",
                    "ASLR", "AST", "CDN", "CRL", "CSR", "DDL", "DML", "DTD", "EABI", "GUI", "IANA", "IPC", "IRQ",
                    "ISO", "ITU", "JWK", "MMU", "MPI", "NPTL", "PSK", "TPU", "UEFI", "UX", "VM", "VPC", "VXLAN",
                    "DMI", "FSF", "GMP", "KEK", "MFC", "OOP", "PKI", "STL", "SVM", "TUI"}


def siglas_mantidas(siglas, conhecidas, aceitas, minimo=6):
    """Abbreviations software text keeps as they are ("TCP", "EOF", "FPU"): words of 2 to 8
    letters written in capitals in at least `minimo` texts (siglas: texts per word, "." +
    word for the texts that write it in lower case) and in more than a third as many texts
    as write it in lower case, that are no English word (`conhecidas`) and that the reviewed
    list of exceptions holds (`aceitas(word)`).
    Returns [(count, word)], most frequent first, and the candidates left out for want of
    review."""
    saida, a_rever = [], []
    for w, n in siglas.items():
        chave = w.lower()
        if not w.isupper() or not 2 <= len(w) <= 8 or n < minimo or n * 3 < siglas.get("." + chave, 0) or \
                chave in conhecidas:
            continue
        if w.endswith("S") and w[:-1].lower() in conhecidas:
            continue  # "ERRORS", "FILES": headings
        (saida if aceitas(w) else a_rever).append((n, w))
    return sorted(saida, key=lambda t: (-t[0], t[1])), sorted(a_rever, key=lambda t: (-t[0], t[1]))


def nomes_mantidos(nomes, conhecidas, aceitos, minimo=4):
    """Names software text keeps as they are ("FreeBSD", "Texinfo", "PowerShell"): words
    written capitalised inside a sentence in at least `minimo` sources (nomes: "^" + word
    as written and "." + word in lower case, per source, from frequencias_ingles), in lower
    case in at most a third as many, that are no English word (`conhecidas`) and that the
    reviewed list holds (`aceitos(spelling)`). The spelling is the one the sources use most.
    Returns [(sources, spelling)], most frequent first, and the candidates left out for
    want of review."""
    grafias = collections.defaultdict(collections.Counter)
    for k, n in nomes.items():
        if k[0] == "^":
            grafias[k[1:].lower()][k[1:]] += n
    saida, a_rever = [], []
    for chave, g in grafias.items():
        n = sum(g.values())
        if n < minimo or nomes.get("." + chave, 0) * 3 > n or len(chave) < 3 or not CHAVE_OK.match(chave) or \
                len(chave) > LIMITE_CHAVE or chave in conhecidas or \
                any(r in conhecidas for r in radicais_regulares(chave)):
            continue
        grafia = sorted(g.items(), key=lambda t: (-t[1], t[0]))[0][0]
        (saida if aceitos(grafia) else a_rever).append((n, grafia))
    return sorted(saida, key=lambda t: (-t[0], t[1])), sorted(a_rever, key=lambda t: (-t[0], t[1]))


def ler_nomes_mantidos(caminho):
    """The reviewed list of names kept as they are: {spelling: gender}, one a line, the
    spelling then "F" when the Portuguese noun behind is feminine ("Intel F": a empresa)."""
    saida = {}
    if os.path.exists(caminho):
        with open(caminho, encoding="utf-8") as f:
            for l in f:
                partes = l.split("#", 1)[0].split()
                if partes:
                    saida[partes[0]] = "F" if partes[1:] == ["F"] else "M"
    return saida


CLDR = "/usr/share/unicode/cldr/common/main"
# A name of several words is left out when its first word is this frequent in the
# corpus ("New Zealand", "No linguistic content"): the reader would look it up after
# every "new" and "no" of any text, a cost no name of a country is worth.
FREQUENCIA_SEM_LOCUCAO = 5000
NOME_INGLES = re.compile(r"^[A-Za-z]+( [A-Za-z]+)*$")
NOME_PORTUGUES = re.compile(r"^[A-Za-z\u00c0-\u00ff]+([ -][A-Za-z\u00c0-\u00ff]+)*$")


def ler_nomes_cldr(texto):
    """The display names of a CLDR locale file: [(kind, code, alt, name)] for the
    territories, languages and scripts, in file order."""
    import xml.etree.ElementTree as ET
    raiz = ET.fromstring(texto)
    saida = []
    for grupo, elemento in (("territories", "territory"), ("languages", "language"), ("scripts", "script")):
        for e in raiz.iter(elemento):
            if e.text and e.get("type"):
                saida.append((grupo, e.get("type"), e.get("alt", ""), e.text.strip()))
    return saida


def nomes_de_lugares_e_linguas(ingles, portugues):
    """English -> Portuguese names of countries, territories, languages and scripts from
    CLDR (ler_nomes_cldr of en.xml and pt.xml, paired by kind, code and variant):
    [(key, kind, Portuguese)], the key in lower case with "_" between its words ("South
    Korea" -> "south_korea"; "&" read "and"). Only names of letters and blanks on both
    sides; a key first seen under one kind keeps it (territories, languages, scripts)."""
    pt = {(g, c, a): n for g, c, a, n in portugues}
    saida, vistas = [], set()
    for g, c, a, n in ingles:
        n = n.replace(" & ", " and ")
        p = pt.get((g, c, a))
        if not p or not NOME_INGLES.match(n) or n.isupper() or not NOME_PORTUGUES.match(p):
            continue
        chave = n.lower().replace(" ", "_")
        if len(chave) > LIMITE_CHAVE or chave in vistas:
            continue
        try:
            p.encode("cp1252")
        except UnicodeEncodeError:
            continue
        vistas.add(chave)
        saida.append((chave, g, p))
    return saida


# Names whose gender their ending does not tell ("a Guin\u00e9", "o Qu\u00eania").
GENERO_DE_PAIS = {"Guin\u00e9": "F", "Qu\u00eania": "M", "Camboja": "M", "Sri": "M"}


def entrada_de_lugar_ou_lingua(chave, tipo, pt):
    """The entry of a CLDR name: a territory keeps the Portuguese spelling, as a name,
    feminine when its first word ends in "a" or "ião" ("Coreia do Sul", "União
    Europeia") and plural when it ends in
    "s" where the English ends in "s" too and reads otherwise ("Filipinas", "Estados
    Unidos"; not "Laos"); a language or a
    script is a masculine noun, in lower case as CLDR writes it ("suaíli", "cirílico",
    "tártaro da Crimeia")."""
    if tipo != "territories":
        return chave + "!NM.T(" + pt.replace(" ", "_") + ")"
    primeira = pt.split()[0]
    plural = primeira.endswith("s") and chave.endswith("s") and primeira.lower() != chave.split("_")[0]
    genero = GENERO_DE_PAIS.get(primeira.split("-")[0], "F" if primeira.endswith(("a", "as", "i\u00e3o")) else "M")
    return chave + "!N" + genero + ("P" if plural else "") + ".T(" + pt.replace(" ", "_") + ")"


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


TAG_HTML = re.compile(r"<script.*?</script>|<style.*?</style>|<[^>]*>|&[#a-zA-Z0-9]+;", re.S | re.I)


def texto_html(texto):
    """The text of an HTML page: markup, scripts and entities removed."""
    return TAG_HTML.sub(" ", texto)


def textos_ingleses():
    """The English text of the installed message catalogues (msgid), manual pages
    (man1-8) and documentation HTML (/usr/share/doc), in a fixed order: yields
    (kind, source, texts), one catalogue, page or document at a time; kind is
    "catalogo" (texts are its messages), "pagina" or "documento" (source is the
    package whose documentation holds it)."""
    vistos = set()
    for mo in sorted(glob.glob("/usr/share/locale/*/LC_MESSAGES/*.mo")):
        dominio = os.path.basename(mo)
        if dominio in vistos:
            continue
        vistos.add(dominio)
        with open(mo, "rb") as f:
            yield "catalogo", dominio, ler_mo(f.read())
    for pag in sorted(glob.glob("/usr/share/man/man[1-8]/*.gz")):
        try:
            with gzip.open(pag, "rt", encoding="utf-8", errors="replace") as f:
                texto = texto_man(f.read())
        except OSError:
            continue
        yield "pagina", pag, [texto]
    for raiz, _, arquivos in sorted(os.walk("/usr/share/doc")):
        pacote = os.path.relpath(raiz, "/usr/share/doc").split(os.sep)[0]
        for nome in sorted(arquivos):
            caminho = os.path.join(raiz, nome)
            try:
                if nome.endswith((".html", ".htm")):
                    with open(caminho, encoding="utf-8", errors="replace") as f:
                        texto = texto_html(f.read())
                elif nome.endswith((".html.gz", ".htm.gz")):
                    with gzip.open(caminho, "rt", encoding="utf-8", errors="replace") as f:
                        texto = texto_html(f.read())
                else:
                    continue
            except OSError:
                continue
            yield "documento", pacote, [texto]


def frequencias_ingles():
    """Word counts over the English text of the installed message catalogues (msgid),
    manual pages (man1-8) and documentation HTML (/usr/share/doc): (lower-case words,
    words in capitals as written, with the texts that write each word in lower case as
    "." + word and the catalogues that use it as ":" + word, and the sources that write
    each word capitalised inside a sentence, as "^" + word, or in lower case, as "." +
    word: a catalogue, a manual page or one package's documents each count once)."""
    contagem = collections.Counter()
    siglas = collections.Counter()
    nomes = collections.Counter()
    paginas = set()
    pacotes = collections.defaultdict(lambda: (set(), set()))
    for tipo, fonte, textos in textos_ingleses():
        c, m = contar_palavras(textos, contagem, siglas)
        if tipo == "catalogo":
            contar_nomes(nomes, c, m)
            # the catalogues that use each word, as ":" + word
            siglas.update({":" + w.lower() for t in textos for w in PALAVRA_EN.findall(t)})
        elif tipo == "pagina":
            # the pages of a library's functions are often copies of one page: one source
            if hash(textos[0]) not in paginas:
                paginas.add(hash(textos[0]))
                contar_nomes(nomes, c, m)
        else:
            pacotes[fonte][0].update(c)
            pacotes[fonte][1].update(m)
    for pacote in sorted(pacotes):
        contar_nomes(nomes, *pacotes[pacote])
    return contagem, siglas, nomes


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


def brasileiro(pt):
    """A Portuguese lemma with its European words replaced (EUROPEU); None when one has no replacement."""
    if pt in EUROPEU:
        return EUROPEU[pt] or None
    saida = []
    for p in pt.split():
        r = EUROPEU.get(p, p)
        if not r:
            return None
        saida.append(r)
    return " ".join(saida)


def recusadas_hunspell(palavras, dicionario=HUNSPELL_PT_BR):
    """The words (and hyphen parts) the pt_BR spelling dictionary rejects, and the bases
    of those that are a prefix joined to a word (bases_de_prefixada)."""
    palavras = set(palavras)
    palavras |= {b for p in list(palavras) for w in p.split() for b in bases_de_prefixada(w)}
    r = subprocess.run(["hunspell", "-d", dicionario, "-l", "-i", "utf-8"],
                       input="\n".join(sorted(palavras)).encode("utf-8"), capture_output=True, check=True)
    return set(r.stdout.decode("utf-8", "replace").split())


def reparar_grafia(pt):
    """Brazilian spellings of a European or pre-2009 spelling ("arquitectura",
    "económico", "assembléia", "vôo"), to be tried when the spelling dictionary
    rejects the word as it came."""
    v = re.sub(r"([aeiouáéíóúâêô])c([tç])", r"\1\2", pt)
    v = re.sub(r"([aeiouáéíóúâêô])p([tç])", r"\1\2", v)
    consoantes = v
    v = re.sub(r"ó([nm])", r"ô\1", v)
    v = re.sub(r"é([nm])", r"ê\1", v)
    v = v.replace("éia", "eia").replace("óia", "oia").replace("ôo", "oo").replace("ü", "u")
    v = re.sub(r"ingue\b", "íngue", v)
    v = " ".join(re.sub("[áéíóú]", lambda m: "aeiou"["áéíóú".index(m.group())], p) if p.endswith("mente") else p
                 for p in v.split())
    # "auto-estrada", "co-educar": a prefix the rules join takes no hyphen
    v = " ".join(juntar_prefixo(*w.split("-", 1)) if prefixo_mal_ligado(w) else w for w in v.split())
    return [x for x in dict.fromkeys([consoantes, v]) if x != pt]


def prefixo_mal_ligado(palavra):
    """Whether a word is a known prefix, a hyphen and a word that the prefix joins
    without one ("sub-janela", "auto-estrada": "subjanela", "autoestrada")."""
    prefixo, hifen, resto = palavra.partition("-")
    if not hifen or not resto or "-" in resto or prefixo not in PREFIXOS_PT or PREFIXOS_PT[prefixo][0] != "J":
        return False
    return juntar_prefixo(prefixo, resto) != palavra


def grafia_aceita(pt, recusadas, por_regra=False):
    """Every word accepted by the spelling dictionary (a hyphenated one in all its parts),
    none a prefix hyphenated where the rules join it ("auto-estrada"); with `por_regra`,
    also a known prefix joined by the rules to a word the dictionary accepts
    ("subjanela"): spelled right, though the dictionary is no evidence that the word is
    used, so guesses keep it only for "sub", whose words are made at will."""
    def aceita(w):
        if prefixo_mal_ligado(w):
            return False
        if all(p not in recusadas for p in [w] + w.split("-")):
            return True
        return por_regra and any(b not in recusadas for b in bases_de_prefixada(w))
    return all(aceita(w) for w in pt.split())


# English suffix -> (Portuguese suffix, class, gender): learned words of Latin
# origin whose Portuguese form follows from the English one. A guess is kept
# only when the pt_BR spelling dictionary knows the word it makes.
COGNATOS = [
    ("ization", "ização", "N", "F"), ("isation", "ização", "N", "F"),
    ("ction", "ção", "N", "F"), ("ption", "ção", "N", "F"), ("ption", "pção", "N", "F"),
    ("tion", "ção", "N", "F"), ("ssion", "ssão", "N", "F"), ("sion", "são", "N", "F"),
    ("ity", "idade", "N", "F"), ("ism", "ismo", "N", "M"), ("ist", "ista", "N", "M"),
    ("ment", "mento", "N", "M"), ("ence", "ência", "N", "F"), ("ency", "ência", "N", "F"),
    ("ance", "ância", "N", "F"), ("ancy", "ância", "N", "F"), ("graphy", "grafia", "N", "F"),
    ("logy", "logia", "N", "F"), ("ure", "ura", "N", "F"), ("ator", "ador", "N", "M"),
    ("or", "or", "N", "M"), ("ics", "ica", "N", "F"), ("ia", "ia", "N", "F"),
    ("able", "ável", "A", ""), ("ible", "ível", "A", ""), ("ical", "ico", "A", ""), ("ic", "ico", "A", ""),
    ("ive", "ivo", "A", ""), ("ous", "oso", "A", ""), ("al", "al", "A", ""), ("ary", "ário", "A", ""),
    ("ant", "ante", "A", ""), ("ent", "ente", "A", ""), ("ar", "ar", "A", ""),
    ("ize", "izar", "V", ""), ("ise", "izar", "V", ""), ("ify", "ificar", "V", ""), ("ate", "ar", "V", ""),
]
# English words whose look-alike means something else.
FALSOS_COGNATOS = {
    "actual", "eventual", "sensible", "realize", "realise", "pretend", "intend", "casualty",
    "comprehensive", "ordinary", "parent", "tenant", "assist", "attend", "resume", "exquisite",
    "terrific", "fabric", "constipation", "injury", "physician", "prejudice", "novel", "gracious",
    "sympathetic", "educated", "ingenious", "commodity", "collar", "legend", "college", "costume",
    "data", "lecture", "library", "mayor", "notice", "policy", "push", "record", "support", "cigar",
    "sort", "estate", "exit", "pasta", "genial", "procure", "balcony", "anthem", "vacancy",
    "particular", "compromise", "convict", "deception",
    "expert", "fantasy", "hazard", "inhabitable", "legend", "lunch", "mascara", "petrol",
    "preservative", "puller", "recipient", "requirement", "retired", "senior", "tax", "turn",
    "agenda", "appointment", "ingenuity", "intoxicated", "journal", "large", "lamp",
    "magazine", "medicine", "morose", "offend", "parents", "pull", "range",
    "rare", "scholar", "sensitive", "silicon", "stranger", "sublime", "tablet",
}


def variantes_radical(radical):
    """Spellings of an English stem in Portuguese: ph -> f, th -> t, y -> i, doubled
    consonants made single, "e" before an initial s + consonant."""
    v = radical.replace("ph", "f").replace("th", "t").replace("y", "i").replace("k", "c")
    v = re.sub(r"([bcdfglmnpt])\1", r"\1", v)
    saida = [radical, v]
    for r in (radical, v):
        if re.match(r"^s[bcdfgklmnpqtvw]", r):
            saida.append("e" + r)
    return list(dict.fromkeys(saida))


def cognatos(lema, classe):
    """Portuguese guesses for an English lemma of class `classe`, best first, with their gender."""
    if lema in FALSOS_COGNATOS or len(lema) < 5:
        return []
    saida = []
    for suf_en, suf_pt, c, gen in COGNATOS:
        if c != classe or not lema.endswith(suf_en) or len(lema) - len(suf_en) < 3:
            continue
        for r in variantes_radical(lema[:-len(suf_en)]):
            saida.append((r + suf_pt, gen))
    return saida


ROTAS = (("es", BIL_ENG_SPA, BIL_ES_PTBR, 3), ("gl", BIL_EN_GL, BIL_GL_PT, 2), ("ca", BIL_ENG_CAT, BIL_CAT_PTBR, 2),
         ("fe", "eng-spa", BIL_ES_PTBR, 1))
TERMINACOES_ADJETIVO = ("vel", "oso", "osa", "ico", "ica", "ivo", "iva", "al", "ente", "ante", "ado", "ido", "ário")


def da_classe(pt, classe, classes_pt):
    """Whether a Portuguese translation of a dictionary that gives no class (FreeDict) is
    of class `classe`: the Portuguese analyser's classes when it knows the head word,
    else its ending."""
    h = pt.split()[0]
    conhecidas = classes_pt.get(h)
    if h[:1].isupper():  # only a place name the analyser knows ("Austr\u00e1lia"), no person's name
        return classe == "N" and "L" in (conhecidas or {})
    infinitivo = h.endswith(("ar", "er", "ir", "or", "\u00f4r"))
    if classe == "V":
        return infinitivo and (conhecidas is None or "V" in conhecidas)
    if conhecidas is not None:
        # a language or nationality ("eslovaco") may be known only as an adjective
        return classe in conhecidas or classe == "N" and "A" in conhecidas
    if classe == "N":
        return not infinitivo
    if classe == "A":
        return " " not in pt and h.endswith(TERMINACOES_ADJETIVO)
    return h.endswith("mente")


def parecidas(ingles, pt):
    """Whether a one-word Portuguese translation looks like the English word (a cognate)."""
    return " " not in pt and difflib.SequenceMatcher(None, ingles, pt).ratio() >= 0.6


def traduzir_lote(lemas_pos, freedict=None, classes_pt=None, rotas=ROTAS):
    """[(lemma, class)] -> ({pt lemma: (score, gender)} per item, orphans per item).

    Routes through an intermediate language: Apertium's English->Spanish->Brazilian
    Portuguese, English->Galician->Portuguese, English->Catalan->Brazilian Portuguese,
    and FreeDict's English->Spanish then Apertium's Spanish->Brazilian Portuguese; and
    the direct FreeDict English->Portuguese (`freedict`: {"eng-por": ..., "eng-spa": ...}
    as ler_freedict reads them). A candidate found by several routes adds up their
    scores. Orphans are the intermediate words the second dictionary lacks:
    (route, word, tags, rank)."""
    freedict = freedict or {}
    classes_pt = classes_pt or {}

    def consulta(bil, itens):
        return ler_saida_bilingue(lt_proc(["-b", bil], "".join("^%s%s$\n" % i for i in itens)))

    def somar(i, pt, pont, gen):
        if freedict and parecidas(lemas_pos[i][0], pt):
            pont += 2  # between equal scores, the look-alike ("discard": "descartar", not "atirar")
        velho = resultados[i].get(pt)
        if velho:
            resultados[i][pt] = (velho[0] + pont + 20, velho[1] or gen)
        else:
            resultados[i][pt] = (pont, gen)

    resultados = [dict() for _ in lemas_pos]
    orfaos = [[] for _ in lemas_pos]
    for rota, bil1, bil2, peso in rotas:
        if not os.path.exists(bil2) or (rota != "fe" and not os.path.exists(bil1)) or \
                (rota == "fe" and bil1 not in freedict):
            continue
        melhor = [[] for _ in lemas_pos]
        if rota == "fe":
            # a dictionary without classes: the second one keeps the words of the class asked
            for i, (l, c) in enumerate(lemas_pos):
                classes, trads = freedict[bil1].get(l, (set(), []))
                if not classes or c in classes:
                    melhor[i] = [(t, {"N": "<n>", "V": "<vblex>", "A": "<adj>", "D": "<adv>"}[c]) for t in trads[:4]]
        for tag in ("<n>", "<np><loc>", "<vblex>", "<adj><sint>", "<adj>", "<adv>"):
            if rota == "fe" or tag == "<np><loc>" and rota == "ca":
                continue
            idx = [i for i, (l, c) in enumerate(lemas_pos) if tag in POS_APERTIUM[c] and not melhor[i]]
            if not idx:
                continue
            # place names are proper nouns, capitalised ("Germany" -> "Alemanha"); names of
            # people are not translated
            r = consulta(bil1, [(lemas_pos[i][0].capitalize() if tag == "<np><loc>" else lemas_pos[i][0], tag)
                                for i in idx])
            for i, cands in zip(idx, r):
                melhor[i] = cands  # an unknown word comes back marked "@" (dropped): "Chile" is "Chile"
            if freedict and tag in ("<n>", "<adj>"):
                # languages and nationalities are capitalised in English ("Slovak"), not in
                # Portuguese ("eslovaco")
                idx = [i for i in idx if not melhor[i]]
                r = consulta(bil1, [(lemas_pos[i][0].capitalize(), tag) for i in idx]) if idx else []
                for i, cands in zip(idx, r):
                    melhor[i] = [(lem.lower(), t) for lem, t in cands]
        # second hop, every intermediate candidate with its tags
        pares = [(i, k, lem, tags) for i, cands in enumerate(melhor) for k, (lem, tags) in enumerate(cands[:4])]
        # the second dictionary may want the gender the first one left out ("distinto<adj><m>")
        variantes = []
        for (_, _, _, tags) in pares:
            sem = tags.replace("<sint>", "")
            vs = [tags, sem] + [sem + g for g in ("<m>", "<mf>", "<f>") if "<m" not in sem and "<f>" not in sem]
            variantes.append(list(dict.fromkeys(vs)))
        planas = consulta(bil2, [(lem, t) for (_, _, lem, _), vs in zip(pares, variantes) for t in vs])
        r2 = []
        pos = 0
        for vs in variantes:
            r2.append(next((c for c in planas[pos:pos + len(vs)] if c), []))
            pos += len(vs)
        for (i, k, lem1, tags1), cands in zip(pares, r2):
            if not cands:
                orfaos[i].append((rota, lem1, tags1, k))
            for j, (pt, tags) in enumerate(cands[:2]):
                pt = brasileiro(pt.strip())
                if not pt or not PALAVRA_PT.match(pt) or pt.endswith("-"):
                    continue
                todas = tags if ("<m>" in tags or "<f>" in tags) else tags1
                gen = "F" if "<f>" in todas else ("M" if "<m>" in todas else "")
                somar(i, pt, peso * 10 - 3 * k - j, gen)
    # the direct English->Portuguese dictionary: its translations of the class asked
    for i, (l, c) in enumerate(lemas_pos):
        classes, trads = freedict.get("eng-por", {}).get(l, (set(), []))
        if classes and c not in classes:
            continue
        k = 0
        for t in trads:
            if t[0].isupper() and not t.isupper() and "A" in classes_pt.get(t.lower(), {}):
                t = t.lower()  # "Eslovaco": a language or nationality, lower case in Portuguese
            pt = brasileiro(t)
            if not pt or pt.endswith("-") or not da_classe(pt, c, classes_pt):
                continue
            gen = classes_pt.get(pt.split()[0], {}).get("N", "") if c == "N" else ""
            somar(i, pt, 20 - 3 * k, gen)
            k += 1
            if k == 4:
                break
    return resultados, orfaos


def lemas_wordnet():
    """{lemma: {class: tagged-sense count}} of WordNet's one-word lemmas."""
    lemas = collections.defaultdict(dict)
    for arq, c in (("index.noun", "N"), ("index.verb", "V"), ("index.adj", "A"), ("index.adv", "D")):
        with open(os.path.join(WORDNET, arq), encoding="latin-1") as f:
            for lema, (cl, n) in ler_indice_wordnet(f.read().splitlines(), c).items():
                if CHAVE_OK.match(lema) and "_" not in lema and len(lema) <= LIMITE_CHAVE:
                    lemas[lema][cl] = n
    return lemas


# Irregular plurals that are more often another English word ("cola" of "colon").
FORMAS_AMBIGUAS = {"cola", "colones", "ora", "roma", "ossa", "media"}

TAGS_CLASSE = (("<vblex>", "V"), ("<n>", "N"), ("<adj>", "A"), ("<adv>", "D"))


def lemas_do_corpus(contagem, lemas, minimo=3):
    """Lemmas of frequent corpus words that WordNet lacks, with the classes Apertium's
    English analyser gives them (sense count 0: every class is kept)."""
    palavras = sorted(w for w, n in contagem.items() if n >= minimo and len(w) > 2 and w not in lemas)
    novos = collections.defaultdict(dict)
    analises = ler_analise(lt_proc([MORF_ENG], "".join(w + "\n" for w in palavras)))
    if os.path.exists(MORF_ENG_CAT):
        # the English analyser of the Catalan pair knows words the Spanish pair's lacks
        analises += ler_analise(lt_proc([MORF_ENG_CAT], "".join(w + "\n" for w in palavras)))
    for _, leituras in analises:
        for lem, tags in leituras:
            if not CHAVE_OK.match(lem) or lem in lemas or len(lem) > LIMITE_CHAVE:
                continue
            for tag, c in TAGS_CLASSE:
                if tags.startswith(tag):
                    novos[lem][c] = 0
    # words nobody knows, classed by a learned suffix (their translation must be a cognate)
    for w in palavras:
        if w in novos or not CHAVE_OK.match(w) or len(w) > LIMITE_CHAVE or contagem[w] < 2 * minimo:
            continue
        for suf_en, _, c, _ in COGNATOS:
            if w.endswith(suf_en) and len(w) - len(suf_en) >= 3:
                novos[w][c] = 0
                break
    return novos


PARTICIPIOS_IRREGULARES = {
    "fazer": "feito", "abrir": "aberto", "escrever": "escrito", "ver": "visto", "pôr": "posto",
    "dizer": "dito", "cobrir": "coberto", "descobrir": "descoberto", "vir": "vindo",
}


def participio(verbo):
    """The Portuguese past participle of an infinitive (masculine singular), or None."""
    if verbo in PARTICIPIOS_IRREGULARES:
        return PARTICIPIOS_IRREGULARES[verbo]
    if verbo.endswith(("uir", "air")):
        return verbo[:-2] + "\u00eddo"  # "excluir" -> "exclu\u00eddo"
    if verbo.endswith("ar"):
        return verbo[:-2] + "ado"
    if verbo.endswith(("er", "ir")):
        return verbo[:-2] + "ido"
    return None


# English prefix written before a word -> (Portuguese prefix, how it joins, first letters
# of the base that take a hyphen, whether the base's first "h" goes). The engine joins a
# hyphenated English prefix by the same table (engine/core/prefixos.cpp), and
# tests/dados/prefixos.tsv holds the cases both sides are tested on. "J": joined by the
# spelling rules of prefixes (a vowel prefix doubles the base's first "r" or "s"); "H":
# always a hyphen ("pré-instalar"); "S": a word of its own ("não vazio").
PREFIXOS_HIFEN = {
    "anti": ("anti", "J", "hi", False), "auto": ("auto", "J", "ho", False), "bi": ("bi", "J", "hi", False),
    "co": ("co", "J", "", True), "counter": ("contra", "J", "ha", False), "de": ("des", "J", "", True),
    "extra": ("extra", "J", "ha", False), "hyper": ("hiper", "J", "hr", False),
    "infra": ("infra", "J", "ha", False), "inter": ("inter", "J", "hr", False),
    "intra": ("intra", "J", "ha", False), "macro": ("macro", "J", "ho", False),
    "meta": ("meta", "J", "ha", False), "micro": ("micro", "J", "ho", False), "mini": ("mini", "J", "hi", False),
    "mono": ("mono", "J", "ho", False), "multi": ("multi", "J", "hi", False), "neo": ("neo", "J", "ho", False),
    "non": ("não", "S", "", False), "omni": ("oni", "J", "hi", False), "poly": ("poli", "J", "hi", False),
    "post": ("pós", "H", "", False), "pre": ("pré", "H", "", False), "pro": ("pró", "H", "", False),
    "proto": ("proto", "J", "ho", False), "pseudo": ("pseudo", "J", "ho", False),
    "quasi": ("quase", "S", "", False), "re": ("re", "J", "", True), "self": ("auto", "J", "ho", False),
    "semi": ("semi", "J", "hi", False), "sub": ("sub", "J", "bhr", False), "super": ("super", "J", "hr", False),
    "tri": ("tri", "J", "hi", False), "ultra": ("ultra", "J", "ha", False), "un": ("des", "J", "", True),
}
# the same rules by the Portuguese prefix
PREFIXOS_PT = {pt: (modo, hifen, tira_h) for pt, modo, hifen, tira_h in PREFIXOS_HIFEN.values()}
SEM_ACENTO_INICIAL = str.maketrans("àáâéêíîóôúû", "aaaeeiioouu")


def juntar_prefixo(prefixo, base):
    """The Portuguese prefix joined to a word by the Brazilian spelling rules of prefixes
    (PREFIXOS_PT): "re" + "habilitar" -> "reabilitar", "anti" + "respingo" ->
    "antirrespingo", "sub" + "rede" -> "sub-rede", "pré" + "instalar" -> "pré-instalar";
    a prefix it does not know is simply put before the word."""
    if prefixo not in PREFIXOS_PT or not base:
        return prefixo + base
    modo, hifen, tira_h = PREFIXOS_PT[prefixo]
    if modo == "S":
        return prefixo + " " + base
    c = base[0]
    inicial = c.lower().translate(SEM_ACENTO_INICIAL)
    if modo == "H" or (c.isupper()):
        return prefixo + "-" + base
    if inicial == "h" and tira_h:
        return prefixo + base[1:]
    if inicial in hifen:
        return prefixo + "-" + base
    if inicial in "rs" and prefixo[-1] in "aeio":
        return prefixo + c + base
    return prefixo + base


def bases_de_prefixada(palavra):
    """The words `palavra` is a Portuguese prefix joined to by juntar_prefixo
    ("subjanela" -> ["janela"], "antirrespingo" -> ["respingo"])."""
    saida = []
    for pt, (modo, _, tira_h) in PREFIXOS_PT.items():
        if modo == "S" or not palavra.startswith(pt):
            continue
        resto = palavra[len(pt):]
        cands = [resto, resto[1:]] + (["h" + resto] if tira_h and resto[:1] in "aeiouáéíóú" else [])
        saida += [b for b in dict.fromkeys(cands)
                  if len(b) >= 3 and b[0].isalpha() and juntar_prefixo(pt, b) == palavra]
    return saida


# English prefix -> how the Portuguese word is made from the stem's translation:
# ("V", [prefixes]) for verbs, ("A", [prefixes]) for adjectives and participles
# (the participle of the stem's verb); a guess is kept only when the spelling
# dictionary knows it, except the "não" forms, which are two known words.
PREFIXOS = [
    ("re", "V", ["re"]), ("un", "V", ["des"]), ("dis", "V", ["des"]), ("de", "V", ["des"]),
    ("un", "A", ["in", "des", "não "]), ("non", "A", ["não "]), ("pre", "A", ["pre", "pré"]),
    ("pre", "V", ["pre", "pré"]), ("sub", "N", ["sub"]), ("multi", "A", ["multi"]),
    ("multi", "N", ["multi"]), ("auto", "V", ["auto"]), ("inter", "N", ["inter"]),
    ("super", "N", ["super"]), ("micro", "N", ["micro"]),
]


# English suffix on a verb -> class and the Portuguese endings that replace the
# infinitive's "-ar", "-er", "-ir": "loadable" -> "carreg\u00e1vel", "launcher" -> "iniciador".
SUFIXOS = [("able", "A", {"ar": "\u00e1vel", "er": "\u00edvel", "ir": "\u00edvel"}),
           ("ible", "A", {"ar": "\u00e1vel", "er": "\u00edvel", "ir": "\u00edvel"}),
           ("er", "N", {"ar": "ador", "er": "edor", "ir": "idor"}),
           ("or", "N", {"ar": "ador", "er": "edor", "ir": "idor"})]


SEM_ACENTO = str.maketrans("\u00e1\u00e9\u00ed\u00f3\u00fa\u00e2\u00ea\u00f4", "aeiouaeo")


def derivados_por_sufixo(palavra, traducao):
    """Guesses for an English word made of a translated verb and a suffix (SUFIXOS), or
    of a translated adjective and "-ly": a list of (class, Portuguese). `traducao(word,
    class)` gives the word's one-word translation or None."""
    saida = []
    for suf, classe, finais in SUFIXOS:
        if not palavra.endswith(suf) or len(palavra) - len(suf) < 3:
            continue
        radical = palavra[:-len(suf)]
        for verbo in dict.fromkeys([radical, radical + "e", radical[:-1] if radical[-1:] == radical[-2:-1] else radical,
                                    radical[:-1] + "y" if radical.endswith("i") else radical]):
            t = traducao(verbo, "V")
            if t and t[-2:] in finais:
                saida.append((classe, t[:-2] + finais[t[-2:]]))
    # adverbs in "-ly" of a translated adjective: its feminine + "mente" ("automatically" ->
    # "automaticamente", "easily" -> "facilmente")
    if palavra.endswith("ly") and len(palavra) > 5:
        adjs = [palavra[:-2]] + ([palavra[:-3] + "y"] if palavra.endswith("ily") else []) + \
            ([palavra[:-4]] if palavra.endswith("ally") else []) + \
            ([palavra[:-1] + "e"] if palavra.endswith(("bly", "ply")) else []) + \
            ([palavra[:-2] + "e"] if palavra.endswith("uly") else [])
        for adj in dict.fromkeys(adjs):
            t = traducao(adj, "A")
            if t and t.isalpha():
                fem = (t[:-1] + "a" if t.endswith("o") else t).translate(SEM_ACENTO)  # "f\u00e1cil": "facilmente"
                saida.append(("D", fem + "mente"))
    return list(dict.fromkeys(saida))


def derivados(palavra, traducao):
    """Guesses for an English word made of a prefix and a translated stem: a list of
    (class, Portuguese, base class). `traducao(stem, class)` gives the stem's
    one-word translation or None."""
    saida = []
    for pref, classe, pts in PREFIXOS:
        if not palavra.startswith(pref) or len(palavra) - len(pref) < 3:
            continue
        resto = palavra[len(pref):]
        bases = []
        if classe == "V":
            t = traducao(resto, "V")
            if t:
                bases.append(t)
        elif classe == "N":
            t = traducao(resto, "N")
            if t:
                bases.append(t)
        else:
            t = traducao(resto, "A")
            if t:
                bases.append(t)
            for corte in (2, 1):  # "supported" -> "support", "defined" -> "define"
                if resto.endswith("ed"):
                    v = traducao(resto[:-corte], "V")
                    if v and participio(v):
                        bases.append((participio(v), True))
        for b in bases:
            b, e_participio = b if isinstance(b, tuple) else (b, False)
            # "unmerged" is "não mesclado", never "desmesclado"; "unquoted" is "não citado",
            # never "incitado": a participle takes "não"
            participio_ = e_participio or b.endswith(("ado", "ido", "ada", "ida"))
            for p in (["não "] if participio_ and pref in ("un", "non") else pts):
                if p == "não ":
                    saida.append((classe, "não " + b, True))
                else:
                    saida.append((classe, juntar_prefixo(p, b), False))
    return saida


PALAVRA_INTERMEDIARIA = re.compile(r"^[a-z\u00e0-\u00ff][a-z\u00e0-\u00ff\-]*$")
# Spanish words that are Portuguese words of another meaning.
FALSOS_AMIGOS_ES = {"largo", "rato", "polvo", "exquisito", "oficina", "cena", "apellido", "borracha",
                    "brincar", "cola", "sobremesa", "taza", "vaso", "pelado", "propina", "salsa", "tirar",
                    "ninguno", "esquisito", "acordar", "aceite", "berro", "bolsa", "cachorro", "copa",
                    "escoba", "firma", "ganancia", "latir", "pastel", "presunto", "rojo", "todavía"}


# Regular spelling correspondences between an intermediate language and Portuguese,
# applied together (a regular expression and its replacement, in order).
CORRESPONDENCIAS = {
    "es": [(r"cci\u00f3n", "\u00e7\u00e3o"), (r"ci\u00f3n", "\u00e7\u00e3o"), (r"si\u00f3n", "s\u00e3o"),
           (r"amiento$", "amento"), (r"imiento$", "imento"), (r"dad$", "dade"), (r"^inh", "in"),
           (r"\u00f1", "nh"), (r"ll", "lh"), (r"ue", "o"), (r"ie", "e"), (r"ble$", "vel")],
    "gl": [(r"ci\u00f3n", "\u00e7\u00e3o"), (r"si\u00f3n", "s\u00e3o"), (r"^inh", "in"), (r"\u00f1", "nh"),
           (r"ble$", "vel")],
    "ca": [(r"cci\u00f3", "\u00e7\u00e3o"), (r"ci\u00f3", "\u00e7\u00e3o"), (r"si\u00f3", "s\u00e3o"),
           (r"itat$", "idade"), (r"ment$", "mento"), (r"l\u00b7l", "l"), (r"ny", "nh"), (r"^inh", "in"),
           (r"ble$", "vel"), (r"\u00f3s$", "oso"), (r"ic$", "ico"), (r"iu$", "ivo")],
}
CORRESPONDENCIAS["fe"] = CORRESPONDENCIAS["es"]
ACENTOS = {"a": "\u00e1\u00e2", "e": "\u00e9\u00ea", "i": "\u00ed", "o": "\u00f3\u00f4", "u": "\u00fa"}


def vizinhas(palavra, rota="es"):
    """Portuguese spellings near a Spanish, Galician or Catalan word: the spellings in
    which the languages differ regularly (CORRESPONDENCIAS: "-ci\u00f3n" -> "-\u00e7\u00e3o",
    "-miento" -> "-mento", "inh-" -> "in-", "\u00f1"/"ny" -> "nh", "ll" -> "lh", "-itat" ->
    "-idade"), with a single "s" between vowels doubled, each also with one accented vowel
    (that is how "-ble" becomes "-\u00e1vel")."""
    v = palavra
    for a, b in CORRESPONDENCIAS.get(rota, CORRESPONDENCIAS["es"]):
        v = re.sub(a, b, v)
    v2 = re.sub(r"([aeiou])s([aeiou])", r"\1ss\2", v)
    bases = list(dict.fromkeys([palavra, v, v2]))
    saida = list(bases)
    for b in bases:
        for i, ch in enumerate(b):
            for ac in ACENTOS.get(ch, ""):
                saida.append(b[:i] + ac + b[i + 1:])
    return list(dict.fromkeys(saida))


def vizinho_portugues(palavra, recusadas, rota, classe=None, classes_pt=None):
    """The Portuguese word an intermediate Spanish, Galician or Catalan lemma stands for:
    itself when the pt_BR dictionary accepts it, else its first accepted neighbour
    (vizinhas); None when that word is of another class than `classe` (a verb must be an
    infinitive; a word the Portuguese analyser knows must have the class)."""
    if " " in palavra or rota in ("es", "fe") and palavra in FALSOS_AMIGOS_ES:
        return None
    pt = next((v for v in vizinhas(palavra, rota) if v not in recusadas), None)
    if pt is None or classe is None:
        return pt
    conhecidas = (classes_pt or {}).get(pt)
    if classe == "V" and not pt.endswith(("ar", "er", "ir")):
        return None
    # the analyser's noun and adjective readings are incomplete ("esquerda"): only a word it
    # knows as neither (a verb form, an adverb) is of another class
    if conhecidas is not None and not (set(conhecidas) & ({"N", "A"} if classe in ("N", "A") else {classe})):
        return None
    return pt


def escolher_traducao(cands, recusadas):
    """The best candidate {pt: (score, gender)} whose spelling (or its Brazilian
    repair) the spelling dictionary accepts, or None."""
    for pt, (pont, gen) in sorted(cands.items(), key=lambda kv: (-kv[1][0], kv[0])):
        for v in [pt] + reparar_grafia(pt):
            # a translation that hyphenated a prefix the rules join ("co-educar") is
            # evidence of the word joined ("coeducar")
            if grafia_aceita(v, recusadas, por_regra=v != pt and any(map(prefixo_mal_ligado, pt.split()))):
                return v, gen
    return None


BRITANICO = [("ization", "isation"), ("izations", "isations"), ("ize", "ise"), ("izer", "iser"),
             ("yze", "yse"), ("or", "our"), ("er", "re"), ("og", "ogue"), ("ense", "ence"), ("eling", "elling")]


def variantes_britanicas(lema):
    """British spellings of an American lemma ("initialize" -> "initialise", "color" ->
    "colour"); the caller keeps those the corpus uses."""
    if "_" in lema or len(lema) < 4:
        return []
    return [lema[:-len(a)] + b for a, b in BRITANICO if lema.endswith(a)]


def formas_verbais(lema, contagem):
    """The regular "-ed" and "-ing" spellings of a verb that the corpus uses:
    [(form, verb codes, count)]."""
    ed = [lema + "ed", lema + "d", lema[:-1] + "ied", lema + lema[-1:] + "ed"]
    ing = [lema + "ing", lema[:-1] + "ing", lema + lema[-1:] + "ing"]
    if not lema.endswith("e"):
        ed.remove(lema + "d")
        ing.remove(lema[:-1] + "ing")
    if not re.search(r"[^aeiou]y$", lema):
        ed.remove(lema[:-1] + "ied")
    saida = []
    for formas, codigos in ((ed, "VSRA"), (ing, "VG")):
        usadas = [(contagem.get(f, 0), f) for f in dict.fromkeys(formas) if contagem.get(f, 0) > 0]
        if usadas:
            n, f = max(usadas)
            if len(f) <= LIMITE_CHAVE:
                saida.append((f, codigos, n))
    return saida


def radicais_regulares(palavra):
    """The base forms a word may be a regular inflection of."""
    saida = []
    for suf, resto in (("s", ""), ("es", ""), ("ies", "y"), ("d", ""), ("ed", ""), ("ied", "y"),
                       ("ing", ""), ("ing", "e"), ("er", ""), ("est", ""), ("ly", "")):
        if palavra.endswith(suf) and len(palavra) - len(suf) >= 2:
            r = palavra[:-len(suf)] + resto
            saida.append(r)
            if len(r) >= 3 and r[-1] == r[-2]:
                saida.append(r[:-1])  # "stopped" -> "stop"
    return saida


def derivar(maos, por_lema, lemas, freq, contagem, catalogos=None, minimo=5):
    """Adds to por_lema the frequent corpus words that are a prefix and a translated
    stem ("reconnect", "unsupported", "subdirectory"), as derivados guesses them, and
    the compounds of two translated nouns (composto) that the message catalogues use
    (`catalogos`: ":" + word -> catalogues, as frequencias_ingles counts them)."""
    catalogos = catalogos or {}
    grupos = {}
    for fonte in maos:
        for l in fonte:
            chave, cod = l.split("!", 1)
            grupos.setdefault(chave, grupos_de(cod))

    def traducao(lema, c):
        if lema in grupos:
            letras = {x[0] for x in grupos[lema]["grupos"] if x[0] != "#"}
            t = traducao_da_classe(grupos[lema]["T"], c) if c in letras else ""
        elif c in por_lema.get(lema, {}):
            t = por_lema[lema][c][0]
        else:
            return None
        t = t.replace("/", "")
        return t if t and "_" not in t and " " not in t and t.islower() and t.isalpha() else None

    candidatas = {}
    for w, n in sorted(contagem.items()):
        if n < minimo or w in por_lema or w in grupos or not CHAVE_OK.match(w) or len(w) > LIMITE_CHAVE:
            continue
        # "preserved" is "preserve" + "d", not "pre" + "served"; "faster" is no agent of "fast"
        flexao = any(r in lemas or r in grupos for r in radicais_regulares(w))
        ds = [] if flexao else derivados(w, traducao)
        if not any(traducao(r, "A") for r in radicais_regulares(w)):
            ds += [(c, pt, False) for c, pt in derivados_por_sufixo(w, traducao)]
        if ds:
            candidatas[w] = ds
    recusadas = recusadas_hunspell([p for ds in candidatas.values() for _, pt, _ in ds for p in pt.split()])
    for w, ds in candidatas.items():
        for c, pt, nao in ds:
            if grafia_aceita(pt, recusadas, por_regra=w.startswith("sub")):
                marcado = "n\u00e3o_/" + pt[4:] + "/" if nao else marcar_traducao(pt, c)
                por_lema[w][c] = (marcado, genero_por_terminacao(pt) if c == "N" else "")
                lemas[w] = {c: 0}
                freq[w] = contagem[w]
                break

    # compounds of two nouns written as one word ("menubar", "workspace")
    def genero(lema):
        if lema in grupos:
            return next(("F" if "F" in x else "M" for x in grupos[lema]["grupos"] if x[0] == "N"), "M")
        return por_lema[lema]["N"][1] or "M"

    for w, n in sorted(contagem.items()):
        # a word of the messages, not a name of program code ("arraybuffer", "firebase")
        if catalogos.get(":" + w, 0) < 2 or n < minimo or w in por_lema or w in grupos or not CHAVE_OK.match(w) or "-" in w or \
                len(w) > LIMITE_CHAVE or any(r in lemas or r in grupos for r in radicais_regulares(w)):
            continue
        # both nouns from the hand-made software vocabulary: the bulk lexicon's everyday senses
        # make "placeholder", "postmaster" wrong
        c = composto(w, lambda lema: traducao(lema, "N") if len(lema) >= 3 and lema in grupos else None)
        if c:
            pt, nucleo = c
            por_lema[w]["N"] = (marcar_traducao(pt, "N"), genero(nucleo))
            lemas[w] = {"N": 0}
            freq[w] = n


def composto(palavra, traducao):
    """An English compound of two nouns written as one word ("menubar", "workspace") as
    the Portuguese writes it, the head noun first: ("barra de menu", "bar") or None.
    `traducao(noun)` gives a noun's one-word translation or None; of several splits the
    most even one wins."""
    melhor = None
    for i in range(3, len(palavra) - 3):  # a head of three letters is mostly a name ("bindir", "charset")
        mod, nucleo = palavra[:i], palavra[i:]
        t_mod, t_nucleo = traducao(mod), traducao(nucleo)
        if t_mod and t_nucleo:
            chave = (min(len(mod), len(nucleo)), len(nucleo))
            if melhor is None or chave > melhor[0]:
                melhor = (chave, t_nucleo + " de " + t_mod, nucleo)
    return (melhor[1], melhor[2]) if melhor else None


def escolher_todas(pedidos, trads, palpites):
    """The chosen (pt, gender) or None of every (lemma, class): the best candidate the
    spelling dictionary accepts, else the first accepted guess of `palpites`."""
    palavras = [w for cands in trads for pt in cands for v in [pt] + reparar_grafia(pt) for w in v.split()]
    palavras += [pt for ps in palpites for pt, _ in ps]
    recusadas = recusadas_hunspell(palavras)
    escolhas = []
    for (lema, c), cands, ps in zip(pedidos, trads, palpites):
        if c == "V":
            cands = {pt: v for pt, v in cands.items() if pt.split()[0].endswith(("ar", "er", "ir", "or", "\u00f4r"))}
        escolha = escolher_traducao(cands, recusadas)
        if not escolha:
            escolha = next(((pt, gen) for pt, gen in ps if grafia_aceita(pt, recusadas)), None)
        escolhas.append(escolha)
    return escolhas


def pontes(orfaos, recusadas, classe, classes_pt):
    """Candidates {pt: (score, gender)} made from a request's orphans (route, intermediate
    word, tags, rank): the Portuguese neighbour of the intermediate word that the spelling
    dictionary accepts and that is of the same class, scored below that route's own
    translations."""
    pesos = {rota: peso for rota, _, _, peso in ROTAS}
    saida = {}
    for rota, lem, tags, k in orfaos:
        pt = vizinho_portugues(lem, recusadas, rota, classe, classes_pt)
        if not pt:
            continue
        gen = "F" if "<f>" in tags else ("M" if "<m>" in tags else "")
        pont = pesos[rota] * 10 - 3 * k - 8
        velho = saida.get(pt)
        saida[pt] = (velho[0] + pont + 20, velho[1] or gen) if velho else (pont, gen)
    return saida


def forma_regular_de(palavra, traduzidas):
    """Whether a word is a regular plural, "-ed" or "-ing" form of a translated word
    ("elements", "bathing"): its own senses would hide the form's."""
    return any(palavra.endswith(suf) and len(palavra) - len(suf) >= 2 and
               (palavra[:-len(suf)] + resto in traduzidas or
                palavra[-len(suf) - 1] == palavra[-len(suf) - 2] and palavra[:-len(suf) - 1] in traduzidas)
               for suf, resto in (("s", ""), ("es", ""), ("ies", "y"), ("d", ""), ("ed", ""), ("ied", "y"),
                                  ("ing", ""), ("ing", "e")))


def traducoes_de_todas_as_rotas(pedidos, freq, freedict, classes_pt, rotas=ROTAS, completa=True):
    """Translations of words the Apertium routes leave without one: every route
    (traduzir_lote), the British spelling of an American lemma the dictionaries lack
    ("center" -> "centre"), and the bridge for the intermediate words the second
    dictionary lacks (pontes), for the words the corpus uses."""
    trads, orfaos = traduzir_lote(pedidos, freedict, classes_pt, rotas)
    sem = [(i, v) for i, ((l, c), t) in enumerate(zip(pedidos, trads))
           if not t and completa for v in variantes_britanicas(l)[:1]]
    trads_br, orfaos_br = traduzir_lote([(v, pedidos[i][1]) for i, v in sem], freedict, classes_pt, rotas)
    for (i, _), t, o in zip(sem, trads_br, orfaos_br):
        trads[i], orfaos[i] = t, o
    # FreeDict's Spanish words are often written without their accents: no bridge from them
    uteis = [[o for o in os_ if o[3] <= 1 and o[0] != "fe" and PALAVRA_INTERMEDIARIA.match(o[1])]
             if freq.get(l, 0) >= 2 else []
             for (l, _), os_ in zip(pedidos, orfaos)]
    guesses = {v for os_ in uteis for rota, lem, _, _ in os_ for v in vizinhas(lem, rota)}
    recusadas = recusadas_hunspell(guesses) if guesses else set()
    classes_pt = dict(classes_pt)
    classes_pt.update(analisar_portugues({v for v in guesses if v not in recusadas}))
    for (_, c), os_, cands in zip(pedidos, uteis, trads):
        for pt, (pont, gen) in pontes(os_, recusadas, c, classes_pt if completa else None).items():
            velho = cands.get(pt)
            cands[pt] = (velho[0] + pont + 20, velho[1] or gen) if velho else (pont, gen)
    escolhas = escolher_todas(pedidos, trads, [[] for _ in pedidos])
    return [(pt, gen or (classes_pt.get(pt.split()[0], {}).get("N", "") if c == "N" else "")) if e else None
            for (_, c), e in zip(pedidos, escolhas) for pt, gen in [e or ("", "")]]


def nomes_de_comandos():
    """The names of the installed commands (/usr/bin, /usr/sbin): words software text keeps."""
    saida = set()
    for pasta in ("/usr/bin", "/usr/sbin", "/bin", "/sbin"):
        if os.path.isdir(pasta):
            saida.update(n.lower() for n in os.listdir(pasta))
    return saida


def carregar_freedict():
    """The installed FreeDict dictionaries: {"eng-por": ..., "eng-spa": ...} (ler_freedict)."""
    saida = {}
    for par in ("eng-por", "eng-spa"):
        base = FREEDICT % par
        if os.path.exists(base + ".index") and os.path.exists(base + ".dict.dz"):
            with open(base + ".index", encoding="utf-8") as f, gzip.open(base + ".dict.dz") as d:
                saida[par] = ler_freedict(f.read(), d.read())
    return saida


def analisar_portugues(palavras):
    """{word: {class: gender}} of the words the Portuguese analyser knows."""
    palavras = sorted(p for p in palavras if p and "\n" not in p)
    if not palavras or not os.path.exists(MORF_PT):
        return {}
    return classes_portuguesas(lt_proc([MORF_PT], "".join(p + "\n" for p in palavras)))


def gerar(raiz):
    pasta = os.path.join(raiz, "data", "ip")
    lemas = lemas_wordnet()
    contagem, siglas, nomes = frequencias_ingles()
    for lema, cls in lemas_do_corpus(contagem, lemas).items():
        lemas[lema] = cls
    # headwords of the English->Portuguese dictionary with their classes that the corpus uses
    # and no analyser knows
    for lema, (cls, trads) in carregar_freedict().get("eng-por", {}).items():
        if lema not in lemas and trads and cls and contagem.get(lema, 0) >= 3 and "_" not in lema and \
                len(lema) <= LIMITE_CHAVE and not any(r in lemas for r in radicais_regulares(lema)):
            lemas[lema] = {c: 0 for c in sorted(cls)}
    maos = [ler_lex(os.path.join(pasta, n)) for n in ("nucleo.lex", "informatica.lex")]
    classes_maos = {}
    for fonte in maos:
        for l in fonte:
            chave, cod = l.split("!", 1)
            classes_maos.setdefault(chave, {x[0] for x in grupos_de(cod)["grupos"]})
    # classes kept per lemma: those with a fair share of the tagged senses
    pedidos = []
    so_formas = set()
    for lema, cls in lemas.items():
        total = max(cls.values())
        mantidas = [c for c, n in cls.items() if n * 4 >= total or total == 0 and len(cls) == 1]
        pedidos += [(lema, c) for c in mantidas]
        # a verb sense left out (or missing from a hand-made entry) whose forms software
        # text uses: "based", "indexed", "nested" get entries of their own
        sem_verbo = "V" not in mantidas if lema not in classes_maos else not classes_maos[lema] & {"V", "X"}
        if "V" in cls and sem_verbo and sum(n for _, _, n in formas_verbais(lema, contagem)) >= 3:
            if "V" not in mantidas:
                pedidos.append((lema, "V"))
            so_formas.add(lema)
    freq = {l: frequencia_lema(l, contagem) for l in lemas}
    pedidos.sort()
    # first the two Apertium routes, with the suffix cognates for what they lack
    trads, _ = traduzir_lote(pedidos, rotas=ROTAS[:2])
    escolhas = escolher_todas(pedidos, trads, [cognatos(l, c) for l, c in pedidos])
    # a class they leave without a translation: the bridge over their intermediate words;
    # a word they leave without any translation: every route too, unless it is a regular
    # form of a translated word ("bathing", "compelling")
    traduzidos = {l for (l, c), e in zip(pedidos, escolhas) if e and not (c == "V" and l in so_formas)}
    traduzidos |= set(classes_maos)
    for arq in ("noun.exc", "verb.exc", "adj.exc"):  # irregular forms ("lost") follow their base
        with open(os.path.join(WORDNET, arq), encoding="latin-1") as f:
            traduzidos |= {forma for forma, base in ler_excecoes_wordnet(f.read().splitlines()) if base in traduzidos}
    freedict = carregar_freedict()
    classes_pt = analisar_portugues({v for d in freedict.values() for _, ts in d.values() for t in ts
                                     for v in (t.split()[0], t.split()[0].lower())})
    comandos = nomes_de_comandos()
    for novos, rotas, fd in ((True, ROTAS, freedict), (False, ROTAS[:2], {})):
        # a new word: not a regular form of a translated one, not a word of one or two
        # letters ("o", "re"), not the name of an installed command ("tar", "curl", "pip")
        resto = [i for i, (l, _) in enumerate(pedidos) if not escolhas[i] and (l not in traduzidos) == novos and
                 not (novos and (forma_regular_de(l, traduzidos) or len(l) <= 2 or l in comandos))]
        for i, e in zip(resto, traducoes_de_todas_as_rotas([pedidos[i] for i in resto], freq, fd, classes_pt, rotas,
                                                            completa=novos)):
            escolhas[i] = e
    por_lema = collections.defaultdict(dict)
    formas_soltas = []
    for (lema, c), escolha in zip(pedidos, escolhas):
        if not escolha:
            continue
        pt, gen = escolha
        if c == "V" and lema in so_formas:
            for forma, codigos, n in formas_verbais(lema, contagem):
                formas_soltas.append((n, forma, forma + "!" + codigos + ".R(" + lema + ").T(" +
                                      marcar_traducao(pt, c) + ")"))
            continue
        if c == "N" and not gen:
            gen = genero_por_terminacao(pt)
        por_lema[lema][c] = (marcar_traducao(pt, c), gen)
    # British spellings the corpus uses ("initialise", "colour", "licence") take the entry
    # of the American lemma, hand-made or generated
    britanicas = []
    for fonte in maos:
        for l in fonte:
            chave, cod = l.split("!", 1)
            for v in variantes_britanicas(chave):
                if contagem.get(v, 0) > 0 and v not in classes_maos and v not in lemas:
                    britanicas.append(v + "!" + cod)
                    classes_maos[v] = classes_maos[chave]
    for lema in sorted(por_lema):
        for v in variantes_britanicas(lema):
            if contagem.get(v, 0) > 0 and v not in classes_maos and v not in por_lema:
                por_lema[v] = dict(por_lema[lema])
                lemas[v] = lemas[lema]
                freq[v] = frequencia_lema(v, contagem)
    derivar(maos + [britanicas], por_lema, lemas, freq, contagem, siglas)
    linhas = []
    for lema, d in por_lema.items():
        # an adjective whose noun sense reads the same in Portuguese ("green" -> "verde")
        # stays an adjective: the noun reading would only cost it its agreement
        if "N" in d and "A" in d and d["N"][0].replace("/", "") == d["A"][0].replace("/", ""):
            del d["N"]
        ordem = sorted(d, key=lambda c: (-lemas[lema].get(c, 0), "NVAD".index(c)))
        codigos = codigos_entrada(ordem, {c: d[c][0] for c in d}, {"N": d["N"][1]} if "N" in d else {})
        linha = encurtar(lema + "!" + codigos)
        if linha:
            linhas.append((freq[lema], lema, linha))
    linhas += [t for t in formas_soltas if t[1] not in por_lema]
    # abbreviations kept as they are, the frequent ones on the reviewed list of
    # excecoes_ortografia.txt
    conhecidas = set(lemas) | set(classes_maos) | set(por_lema)
    conhecidas |= {w for w in (x.lower() for x in siglas) if any(r in lemas for r in radicais_regulares(w))}
    excecoes = ler_excecoes(os.path.join(pasta, "excecoes_ortografia.txt"))
    mantidas, a_rever = siglas_mantidas(siglas, conhecidas, lambda w: w in excecoes)
    linhas += [(n, w.lower(), w.lower() + "!N" + ("F" if w in SIGLAS_FEMININAS else "M") + ".T(" + w + ")")
               for n, w in mantidas]
    if a_rever:
        print("siglas frequentes fora da lista revisada de exce\u00e7\u00f5es: " +
              " ".join("%s:%d" % (w, n) for n, w in a_rever[:400]), file=sys.stderr)
    # names of countries, territories, languages and scripts (CLDR): a hand-made entry
    # wins; a generated one gives way to a country's name when it was itself a place name
    # or when the sources write the word capitalised at least as often as in lower case
    # ("Turkey", "China"; "jersey" stays a garment)
    lugares = set()
    if os.path.exists(os.path.join(CLDR, "pt.xml")):
        cldr = [ler_nomes_cldr(open(os.path.join(CLDR, n + ".xml"), encoding="utf-8").read()) for n in ("en", "pt")]
        linhas_por_chave = {l: i for i, (_, l, _) in enumerate(linhas)}
        nomes_capitalizados = collections.Counter()
        for k, v in nomes.items():
            if k[0] == "^":
                nomes_capitalizados[k[1:].lower()] += v
        candidatos = nomes_de_lugares_e_linguas(*cldr)
        # every word the spelling dictionary knows, or the name kept as written and reviewed
        recusadas = recusadas_hunspell([w for _, _, pt in candidatos for w in pt.split()])
        revisados = ler_nomes_mantidos(os.path.join(pasta, "nomes_mantidos.txt"))
        fora = []
        for chave, tipo, pt in candidatos:
            if chave in classes_maos or brasileiro(pt) != pt:
                continue
            estranhas = [w for w in pt.split() if not grafia_aceita(w, recusadas)]
            if any(w not in revisados or w.lower() not in chave.split("_") for w in estranhas):
                if all(w.lower() in chave.split("_") for w in estranhas):
                    fora.append(pt)
                continue
            palavras = chave.split("_")
            if len(palavras) > 1 and contagem.get(palavras[0], 0) > FREQUENCIA_SEM_LOCUCAO:
                continue  # the reader would try the name at every "new", "no", "multiple"
            n = max(2, min(frequencia_lema(p, contagem) for p in palavras))
            linha = entrada_de_lugar_ou_lingua(chave, tipo, pt)
            if chave in linhas_por_chave:
                antiga = linhas[linhas_por_chave[chave]][2]
                capitalizada = nomes_capitalizados.get(chave, 0)
                # a nationality adjective is also its language, a noun ("speak English
                # and French": "ingl\u00eas e franc\u00eas", coordinated as nouns are)
                m = re.match(r"([^!]+)!A\.T\(([^,()]+)\)$", antiga)
                if tipo == "languages" and m:
                    linhas[linhas_por_chave[chave]] = (linhas[linhas_por_chave[chave]][0], chave,
                                                       "%s!A.NM.T(%s)" % (m.group(1), m.group(2)))
                    continue
                if tipo != "territories" or not (re.search(r"T\([A-Z\u00c0-\u00de]", antiga) or
                                                   capitalizada >= max(1, nomes.get("." + chave, 0))):
                    continue
                linhas[linhas_por_chave[chave]] = (n, chave, linha)
            elif tipo == "territories" or len(chave) > 3:  # "vai", "ido": no language in English text
                linhas.append((n, chave, linha))
                linhas_por_chave[chave] = len(linhas) - 1
            lugares.add(chave)
        if fora:
            print("nomes do CLDR escritos como em ingl\u00eas, fora da lista revisada nomes_mantidos.txt: " +
                  "; ".join(fora), file=sys.stderr)
    else:
        print("aviso: %s/pt.xml falta (unicode-cldr-core): nomes de pa\u00edses e l\u00ednguas ficam de fora" % CLDR,
              file=sys.stderr)
    # names kept as they are, the frequent ones on the reviewed list nomes_mantidos.txt
    revisados = ler_nomes_mantidos(os.path.join(pasta, "nomes_mantidos.txt"))
    com_sigla = {w.lower() for _, w in mantidas}
    nomes_ok, nomes_a_rever = nomes_mantidos(nomes, conhecidas | lugares | com_sigla, lambda w: w in revisados)
    linhas += [(frequencia_lema(w.lower(), contagem), w.lower(), w.lower() + "!N" + revisados[w] + ".T(" + w + ")")
               for _, w in nomes_ok]
    if nomes_a_rever:
        print("nomes frequentes fora da lista revisada nomes_mantidos.txt: " +
              " ".join("%s:%d" % (w, n) for n, w in nomes_a_rever[:400]), file=sys.stderr)
    linhas += [(frequencia_lema(l.split("!", 1)[0], contagem), l.split("!", 1)[0], l) for l in britanicas]
    linhas.sort(key=lambda t: (-t[0], t[1]))

    # irregular forms, with their form bits from the English analyser
    formas = []
    for arq, c in (("noun.exc", "N"), ("verb.exc", "V"), ("adj.exc", "A")):
        with open(os.path.join(WORDNET, arq), encoding="latin-1") as f:
            for forma, base in ler_excecoes_wordnet(f.read().splitlines()):
                if CHAVE_OK.match(forma) and CHAVE_OK.match(base) and "_" not in forma + base:
                    formas.append((forma, base, c))
    # keyed by surface form: a hyphenated form comes back as several units
    analises = dict(reversed(ler_analise(lt_proc([MORF_ENG], "".join(f + "\n" for f, _, _ in formas)))))
    lista_formas = []
    for forma, base, c in formas:
        if forma in FORMAS_AMBIGUAS:
            continue
        bits = set()
        for lem, tags in analises.get(forma, []):
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
            bits = {"G"} if forma.endswith("ing") else {"S", "R"}
        if c == "N" and not bits:
            bits = {"P"}
        if c == "A" and not bits:
            bits = {"U"} if forma.endswith("st") else {"C"}
        lista_formas.append((forma, base, c, "".join(sorted(bits)), contagem.get(forma, 0)))
    lista_formas = sorted(set(lista_formas))

    saida, dados, registros, erros = montar_lexico(maos, [l for _, _, l in linhas], lista_formas)
    for e in erros:
        print("aviso: " + e, file=sys.stderr)
    escrever_lex(os.path.join(pasta, "lexico.lex"), saida)
    print("lexico.lex: %d entradas (%d traduzidas, %d formas); as tr\u00eas fontes: %d registros, %d bytes de dados"
          % (len(saida), len(linhas), len(lista_formas), registros, dados))
    print("siglas: %d; nomes mantidos: %d; pa\u00edses, territ\u00f3rios, l\u00ednguas e escritas: %d"
          % (len(mantidas), len(nomes_ok), len(lugares)))


# ---------------------------------------------------------------- the sources together

def ler_excecoes(caminho):
    """The reviewed list of words the spelling dictionary lacks (one a line, "#" comments)."""
    if not os.path.exists(caminho):
        return set()
    with open(caminho, encoding="utf-8") as f:
        return {l.split("#", 1)[0].strip() for l in f} - {""}


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
    if classe == "V" and "V" not in letras:
        return None  # the auxiliaries' forms are hand-made ("canned" is no form of "can")
    if classe in ("N", "A") and classe not in letras:
        return None
    t = traducao_da_classe(g["T"], classe)
    if not t or t != t.lower():
        return None  # a name ("ELF", "SO") has no inflected forms
    if classe == "V":
        if "G" in bits:
            return "VG.R(" + base + ").T(" + t + ")"
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


def montar_lexico(maos, lexico, formas, limite_dados=LIMITE_DADOS - RESERVA_DADOS,
                  limite_registros=LIMITE_REGISTROS - RESERVA_REGISTROS):
    """The bulk lexicon's lines, as the build merges them after the hand-made sources.

    maos: the hand-made sources' lines, highest priority first (the first holding a
    key wins it); lexico: bulk lines, most frequent first; formas: (form, base,
    class, bits, frequency). Bulk lines and irregular forms are taken by
    frequency (a form just after its base) while the three sources together
    stay within the limits; keys of the hand-made sources are left out.
    Returns (lines, data bytes of all three, records of all three, warnings)."""
    erros = []
    maos_chaves = {}
    dados = 0
    for fonte in maos:
        for l in fonte:
            chave = l.split("!", 1)[0]
            if chave in maos_chaves:
                continue
            maos_chaves[chave] = l
            dados += 5 + (tamanho_registro(l) or 0)
    escolhidas = dict(maos_chaves)
    base_codigos = {l.split("!", 1)[0]: l.split("!", 1)[1] for l in lexico}
    for chave, l in maos_chaves.items():
        base_codigos[chave] = l.split("!", 1)[1]  # the hand-made entry wins for the forms too
    fila = [(0, pos, l) for pos, l in enumerate(lexico)]
    # a form is ranked just after its base in the bulk order (or first when its base is hand-made)
    posicao = {l.split("!", 1)[0]: i for i, l in enumerate(lexico)}
    for forma, base, classe, bits, freq in formas:
        if base not in base_codigos:
            continue
        cod = entrada_forma(forma, base, classe, bits, base_codigos[base])
        if cod:
            p = -1 if base in maos_chaves else posicao.get(base, len(lexico))
            fila.append((1, p, forma + "!" + cod))
    fila.sort(key=lambda x: (x[1], x[0], x[2]))
    saida = []
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
        saida.append(l)
        dados += 5 + t
    if completo:
        erros.append("limite atingido: entradas menos frequentes ficaram de fora")
    for l in formas_de_colisao(escolhidas):
        t = tamanho_registro(l)
        if dados + 5 + t <= limite_dados and len(escolhidas) + 1 <= limite_registros:
            escolhidas[l.split("!", 1)[0]] = l
            saida.append(l)
            dados += 5 + t
    return saida, dados, len(escolhidas), erros


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


def palavras_faltantes(contagem, classes, n, minimo=3):
    """The `n` most frequent words of the counts that no source holds: [(count, word)].
    `classes`: every key of the sources with the set of its class letters. A regular form
    of a held word of the class that has it is left out ("routers" when the noun "router"
    is held, "mounted" when the verb "mount" is; "routing" stays when "route" is only a
    noun), and so are words of one or two letters and words seen fewer than `minimo` times."""
    nomes_verbos = {k for k, c in classes.items() if c & {"N", "V", "X"}}
    verbos = {k for k, c in classes.items() if c & {"V", "X"}}
    saida = []
    for w, c in contagem.items():
        if c < minimo or len(w) <= 2 or w in classes:
            continue
        if w.endswith("s") and forma_regular_de(w, nomes_verbos) and not w.endswith(("ed", "ing")):
            continue
        if w.endswith(("ed", "ing")) and forma_regular_de(w, verbos):
            continue
        saida.append((c, w))
    saida.sort(key=lambda t: (-t[0], t[1]))
    return saida[:n]


def faltantes(raiz, n):
    """Prints the most frequent words of the catalogues, manual pages and documents that
    none of the three sources holds, with the number of catalogues that use each: the
    words a hand-made entry would help most."""
    pasta = os.path.join(raiz, "data", "ip")
    classes = {}
    for nome in ("nucleo.lex", "informatica.lex", "lexico.lex"):
        for l in ler_lex(os.path.join(pasta, nome)):
            chave, cod = l.split("!", 1)
            classes.setdefault(chave, set()).update(g[0] for g in grupos_de(cod)["grupos"])
    contagem, siglas, nomes = frequencias_ingles()
    for c, w in palavras_faltantes(contagem, classes, n):
        print("%d\t%d\t%s" % (c, siglas.get(":" + w, 0), w))


# ---------------------------------------------------------------- verbs of several words

TOKEN_EN = re.compile(r"[A-Za-z]+|[^\sA-Za-z]")


def formas_do_verbo(verbo, irregulares=()):
    """The written forms of an English verb: its regular inflections (with the final
    consonant doubled after a short vowel, "stopped") and its irregular forms."""
    formas = {verbo, verbo + "s", verbo + "es", verbo + "ed", verbo + "d", verbo + "ing"}
    if verbo.endswith("e"):
        formas.add(verbo[:-1] + "ing")
    if verbo.endswith("y"):
        formas |= {verbo[:-1] + "ies", verbo[:-1] + "ied"}
    if re.search(r"[^aeiou][aeiou][bdgklmnprt]$", verbo):
        formas |= {verbo + verbo[-1] + "ed", verbo + verbo[-1] + "ing"}
    return formas | set(irregulares)


def indice_locucoes(candidatas, irregulares):
    """What `contar_locucoes` looks words up in: every form of the first word of the
    verbs of two words of `candidatas` ("turn_off") with its verbs, the second words,
    and the candidates. `irregulares`: verb -> its irregular forms."""
    por_forma = collections.defaultdict(set)
    segundas = set()
    for chave in candidatas:
        verbo, segunda = chave.split("_")
        segundas.add(segunda)
        for f in formas_do_verbo(verbo, irregulares.get(verbo, ())):
            por_forma[f].add(verbo)
    return por_forma, segundas, set(candidatas)


def contar_locucoes(textos, indice, contagem):
    """Counts in `textos` the verbs of two words of the index (`indice_locucoes`), the
    first word in any of its forms ("turned off", "turning off") and the second right
    after it."""
    por_forma, segundas, candidatas = indice
    for t in textos:
        ws = [w.lower() for w in TOKEN_EN.findall(t)]
        for a, b in zip(ws, ws[1:]):
            if b in segundas and a in por_forma:
                for verbo in por_forma[a]:
                    chave = verbo + "_" + b
                    if chave in candidatas:
                        contagem[chave] += 1


def locucoes(raiz, n):
    """Prints the N most frequent verbs of two words of WordNet ("turn_off",
    "depend_on") in the catalogues, manual pages and documents, with "*" after those
    a hand-made source holds: the candidates for a hand-made entry where the
    word-by-word translation is wrong."""
    candidatas = set()
    with open(os.path.join(WORDNET, "index.verb"), encoding="utf-8") as f:
        for lema in ler_indice_wordnet(f, "V"):
            if lema.count("_") == 1:
                candidatas.add(lema)
    irregulares = collections.defaultdict(set)
    with open(os.path.join(WORDNET, "verb.exc"), encoding="utf-8") as f:
        for forma, base in ler_excecoes_wordnet(f):
            irregulares[base].add(forma)
    pasta = os.path.join(raiz, "data", "ip")
    maos = {l.split("!", 1)[0] for nome in ("nucleo.lex", "informatica.lex")
            for l in ler_lex(os.path.join(pasta, nome))}
    indice = indice_locucoes(candidatas, irregulares)
    contagem = collections.Counter()
    for _, _, textos in textos_ingleses():
        contar_locucoes(textos, indice, contagem)
    for chave, c in sorted(contagem.items(), key=lambda t: (-t[1], t[0]))[:n]:
        print("%d\t%s%s" % (c, chave, "\t*" if chave in maos else ""))


def main(argv):
    ap = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    ap.add_argument("passo", choices=["gerar", "faltantes", "locucoes"])
    ap.add_argument("quantas", nargs="?", type=int, default=300,
                    help="faltantes, locucoes: how many to print (most frequent first)")
    ap.add_argument("--raiz", default=os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
    a = ap.parse_args(argv)
    if a.passo == "faltantes":
        faltantes(a.raiz, a.quantas)
    elif a.passo == "locucoes":
        locucoes(a.raiz, a.quantas)
    else:
        gerar(a.raiz)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
