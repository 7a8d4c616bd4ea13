#!/usr/bin/env python3
"""Reads a compiled Quillane dictionary (.dic / .udc) on its own, without the
engine's code, prints every record as text and optionally checks the file's
structure. Used to cross-check the compiler byte for byte.

Usage: ler_dicionario.py [--verificar] [--so-verificar] ARQUIVO

Output, one line per record:
  <number> <key> classe=0xHHHH mascara=0xHH raiz=<text> [subst=0xHH] [adj=0xHH]
  [verbo=<nn>/0xHHHH] [artigo=0xHHHH] [pron=0xHHHH] [trad=<f1>|<f2>|...]
Bytes outside printable ASCII are written as \\xHH. A key's second byte is
known only through its bucket; when the bucket is "any other byte" it is
printed as "?".

Exit status: 0 readable (and, with --verificar, sound), 1 a structural fault
(each fault is listed on standard error), 2 usage or I/O error.
"""

import sys

LINHAS = 29
COLUNAS = 29
CASAS = LINHAS * COLUNAS
TAM_INDICE = CASAS * 2
TAM_CABECALHO = 4 + TAM_INDICE
MAX_DADOS = 0x100000
SEM = 0xFFFF
CLASSES_VALIDAS = 0x03FF


def texto(b):
    saida = []
    for c in b:
        if 0x20 <= c < 0x7F and c != 0x5C:
            saida.append(chr(c))
        else:
            saida.append("\\x%02X" % c)
    return "".join(saida)


def prefixo_da_casa(casa):
    linha, coluna = divmod(casa, COLUNAS)
    primeiro = chr(94 + linha)
    if coluna == 0:
        return primeiro, 1
    if coluna == 1:
        return primeiro + "-", 2
    if coluna == 2:
        return primeiro + "?", 2
    return primeiro + chr(94 + coluna), 2


class Falha(Exception):
    pass


def ler_cstr(reg, pos, nome):
    fim = reg.find(b"\x00", pos)
    if fim < 0:
        raise Falha("%s sem NUL" % nome)
    return reg[pos:fim], fim + 1


def u16(b, p):
    return b[p] | (b[p + 1] << 8)


def decodificar(reg, tem_cauda):
    """Fields of one record; raises Falha when they overrun it."""
    campos = {}
    pos = 0
    if tem_cauda:
        campos["cauda"], pos = ler_cstr(reg, pos, "cauda da chave")
    if pos + 3 > len(reg):
        raise Falha("registro curto demais para classe e mascara")
    classe = u16(reg, pos)
    campos["classe"] = classe
    campos["mascara"] = reg[pos + 2]
    pos += 3
    campos["raiz"], pos = ler_cstr(reg, pos, "raiz")

    def pegar(n, nome):
        nonlocal pos
        if pos + n > len(reg):
            raise Falha("campo %s passa do fim do registro" % nome)
        v = reg[pos] if n == 1 else u16(reg, pos)
        pos += n
        return v

    if classe & 0x0002:
        campos["subst"] = pegar(1, "subst")
    if classe & 0x0004:
        campos["adj"] = pegar(1, "adj")
    if classe & 0x0011:
        campos["numero"] = pegar(2, "numero do verbo")
        campos["verbo"] = pegar(2, "verbo")
    if classe & 0x0020:
        campos["artigo"] = pegar(2, "artigo")
    if classe & 0x0040:
        campos["pron"] = pegar(2, "pron")
    if pos < len(reg):
        resto = reg[pos:]
        if resto[-1] != 0:
            raise Falha("traducoes sem NUL final")
        campos["trad"] = resto[:-1].split(b"\x00")
    return campos


def ler(caminho):
    with open(caminho, "rb") as f:
        bruto = f.read()
    dados = bytes(b ^ 0xFF for b in bruto)
    falhas = []
    linhas = []

    if len(dados) < TAM_CABECALHO:
        return ["arquivo menor que o cabecalho (%d bytes)" % len(dados)], linhas
    n = int.from_bytes(dados[0:4], "little")
    indice = [u16(dados, 4 + 2 * i) for i in range(CASAS)]
    area = dados[TAM_CABECALHO:]
    if n > MAX_DADOS:
        falhas.append("N=%d acima de %d" % (n, MAX_DADOS))
    if len(area) != n:
        falhas.append("tamanho: N=%d mas a area de dados tem %d bytes" % (n, len(area)))
        if len(area) < n:
            return falhas, linhas

    # The index: non-decreasing once set, and never unset again.
    anterior = SEM
    for casa, v in enumerate(indice):
        if v == SEM:
            if anterior != SEM:
                falhas.append("indice: casa %d volta a 0xFFFF" % casa)
        elif anterior != SEM and v < anterior:
            falhas.append("indice: casa %d (%d) menor que a anterior (%d)" % (casa, v, anterior))
        anterior = v
    ultimo = max((v for v in indice if v != SEM), default=None)
    contagem = 0 if ultimo is None else ultimo + 1
    tabela = 5 * contagem
    if tabela > n:
        falhas.append("tabela de %d descritores nao cabe em N=%d" % (contagem, n))
        return falhas, linhas

    # Which slot each record belongs to.
    casa_de = [None] * contagem
    ant = SEM
    for casa, v in enumerate(indice):
        primeiro = (ant + 1) & 0xFFFF
        if v != SEM and not (ant != SEM and v < primeiro):
            for r in range(primeiro, v + 1):
                if r < contagem:
                    casa_de[r] = casa
        ant = v

    esperado = tabela
    chave_anterior = None
    for r in range(contagem):
        d = area[5 * r:5 * r + 5]
        tam = d[0]
        desl = int.from_bytes(d[1:5], "little")
        if tam == 0:
            falhas.append("registro %d: comprimento 0" % r)
        if desl != esperado:
            falhas.append("registro %d: deslocamento %d, esperado %d" % (r, desl, esperado))
        if desl + tam > n:
            falhas.append("registro %d: passa do fim da area de dados" % r)
            break
        esperado = desl + tam
        casa = casa_de[r]
        if casa is None:
            falhas.append("registro %d: fora de todas as casas do indice" % r)
            continue
        prefixo, tam_prefixo = prefixo_da_casa(casa)
        reg = area[desl:desl + tam]
        try:
            campos = decodificar(reg, tam_prefixo == 2)
        except Falha as e:
            falhas.append("registro %d (%s): %s" % (r, prefixo, e))
            continue
        cauda = campos.get("cauda", b"")
        chave = (casa, cauda)
        if chave_anterior is not None and not chave_anterior < chave:
            falhas.append("registro %d (%s%s): chave fora de ordem" % (r, prefixo, texto(cauda)))
        if tam_prefixo == 1 and chave_anterior is not None and chave_anterior[0] == casa:
            falhas.append("registro %d: duas chaves de um byte na casa %d" % (r, casa))
        chave_anterior = chave
        if campos["classe"] & ~CLASSES_VALIDAS:
            falhas.append("registro %d: bits de classe invalidos 0x%04X" % (r, campos["classe"]))
        if len(campos["raiz"]) > 50 or len(prefixo) + len(cauda) > 50:
            falhas.append("registro %d: chave ou raiz com mais de 50 bytes" % r)

        partes = ["%d" % r, prefixo + texto(cauda),
                  "classe=0x%04X" % campos["classe"],
                  "mascara=0x%02X" % campos["mascara"],
                  "raiz=" + texto(campos["raiz"])]
        if "subst" in campos:
            partes.append("subst=0x%02X" % campos["subst"])
        if "adj" in campos:
            partes.append("adj=0x%02X" % campos["adj"])
        if "verbo" in campos:
            partes.append("verbo=%02d/0x%04X" % (campos["numero"], campos["verbo"]))
        if "artigo" in campos:
            partes.append("artigo=0x%04X" % campos["artigo"])
        if "pron" in campos:
            partes.append("pron=0x%04X" % campos["pron"])
        if "trad" in campos:
            partes.append("trad=" + "|".join(texto(t) for t in campos["trad"]))
        linhas.append(" ".join(partes))
    if esperado != n:
        falhas.append("N=%d mas descritores e registros somam %d" % (n, esperado))
    return falhas, linhas


def main(argv):
    args = argv[1:]
    verificar = "--verificar" in args
    so_verificar = "--so-verificar" in args
    args = [a for a in args if a not in ("--verificar", "--so-verificar")]
    if len(args) != 1:
        sys.stderr.write(__doc__)
        return 2
    try:
        falhas, linhas = ler(args[0])
    except OSError as e:
        sys.stderr.write("ler_dicionario: %s\n" % e)
        return 2
    if not so_verificar:
        for l in linhas:
            sys.stdout.write(l + "\n")
    if falhas and (verificar or so_verificar):
        for f in falhas:
            sys.stderr.write("FALHA: %s\n" % f)
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
