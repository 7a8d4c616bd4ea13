#!/usr/bin/env python3
"""Every Portuguese word the general dictionary writes is Brazilian Portuguese: accepted by
the pt_BR spelling dictionary (Debian's hunspell-pt-br) or listed, reviewed, in
data/ip/excecoes_ortografia.txt (technical terms and names kept as they are), and none
is a European word that the Brazilian one replaces."""
import os
import re
import subprocess
import sys
import unittest

AQUI = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, AQUI)
import gerar_lexico as g  # noqa: E402

PASTA = os.path.join(os.path.dirname(AQUI), "data", "ip")
FONTES = ("nucleo.lex", "informatica.lex", "lexico.lex")


def palavras_das_traducoes(linhas):
    """{word: first entry key that writes it}: the translation fields of T(...), their
    "/" marks and "_" blanks removed; conditions are not text."""
    saida = {}
    for l in linhas:
        chave, cod = l.split("!", 1)
        m = re.search(r"T\(([^)]*)\)", cod)
        if not m:
            continue
        for traducao in m.group(1).split(",")[0::2]:
            for p in re.split(r"[_ /]+", traducao):
                if re.search(r"[^\W\d_]", p):
                    saida.setdefault(p, chave)
    return saida


def nomes_escritos_como_a_chave(linhas):
    """{word: True when every entry writing it has it among its key's own words}: a
    name written exactly as the English text writes it ("freebsd!NM.T(FreeBSD)",
    "trinidad_and_tobago!NM.T(Trinidad_e_Tobago)") is the source text kept, no
    Portuguese word; the same word written for another key ("chip!NM.T(Intel)") is not."""
    saida = {}
    for l in linhas:
        chave, cod = l.split("!", 1)
        m = re.search(r"T\(([^)]*)\)", cod)
        if not m:
            continue
        for traducao in m.group(1).split(",")[0::2]:
            for p in re.split(r"[_ /]+", traducao):
                if re.search(r"[^\W\d_]", p):
                    saida[p] = saida.get(p, True) and p.lower() in chave.split("_")
    return saida


def ler_nomes_mantidos():
    return set(g.ler_nomes_mantidos(os.path.join(PASTA, "nomes_mantidos.txt")))


def ler_excecoes():
    with open(os.path.join(PASTA, "excecoes_ortografia.txt"), encoding="utf-8") as f:
        return {l.split("#", 1)[0].strip() for l in f} - {""}


class Ortografia(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        linhas = []
        for nome in FONTES:
            linhas += g.ler_lex(os.path.join(PASTA, nome))
        cls.palavras = palavras_das_traducoes(linhas)
        cls.como_a_chave = nomes_escritos_como_a_chave(linhas)

    def test_toda_palavra_e_aceita_pelo_dicionario_pt_br_ou_excecao(self):
        recusadas = g.recusadas_hunspell(self.palavras)
        excecoes = ler_excecoes()
        # a reviewed name kept as it is, written only as a word of its own key, is the source text
        nomes = {p for p in ler_nomes_mantidos() if self.como_a_chave.get(p)}
        ruins = sorted(p for p in self.palavras if not g.grafia_aceita(p, recusadas, por_regra=True) and
                       p not in excecoes and p not in nomes)
        self.assertEqual(ruins, [], "\n".join("%s (%s)" % (p, self.palavras[p]) for p in ruins))

    def test_nenhuma_forma_europeia(self):
        europeias = sorted(p for p in self.palavras if p.lower() in g.EUROPEU)
        self.assertEqual(europeias, [], "\n".join("%s (%s)" % (p, self.palavras[p]) for p in europeias))

    def test_excecoes_sao_poucas_e_usadas(self):
        excecoes = ler_excecoes()
        self.assertLess(len(excecoes), 500)
        self.assertEqual(sorted(excecoes - set(self.palavras)), [])

    def test_nomes_mantidos_sao_usados_so_como_a_propria_chave(self):
        # a reviewed name must reach the dictionary, and the exemption must not cover a
        # word some entry writes as its translation of another key ("Intel" for "chip")
        nomes = ler_nomes_mantidos()
        self.assertEqual(sorted(p for p in nomes if not self.como_a_chave.get(p)), [])
        self.assertEqual(sorted(nomes & ler_excecoes()), [])

    def test_o_verificador_recusa(self):
        # guards the check itself: a broken hunspell call would accept everything
        r = g.recusadas_hunspell(["actualizar", "arquivo", "directório", "tela"])
        self.assertEqual(r, {"actualizar", "directório"})
        self.assertEqual(palavras_das_traducoes(["x!NM.T(/placa/_de_rede,>N,ecrã)"]),
                         {"placa": "x", "de": "x", "rede": "x", "ecrã": "x"})
        # only an entry that writes its own key capitalised, whole, is a kept name
        r = nomes_escritos_como_a_chave(["freebsd!NM.T(FreeBSD)", "chip!NM.T(Intel)", "intel!NM.T(Intel)",
                                         "trinidad_and_tobago!NM.T(Trinidad_e_Tobago)", "e!NM.T(x)"])
        self.assertEqual({p for p, v in r.items() if v}, {"FreeBSD", "Trinidad", "Tobago"})


if __name__ == "__main__":
    unittest.main()
