#!/usr/bin/env python3
"""Tests of juntar_entradas.py: merging hand entries into a dictionary source."""
import os
import subprocess
import sys
import tempfile
import unittest

FERRAMENTA = os.path.join(os.path.dirname(os.path.abspath(__file__)), "juntar_entradas.py")


class JuntarEntradas(unittest.TestCase):
    def setUp(self):
        self.pasta = tempfile.TemporaryDirectory()
        self.fonte = os.path.join(self.pasta.name, "fonte.lex")
        self.novas = os.path.join(self.pasta.name, "novas.txt")

    def tearDown(self):
        self.pasta.cleanup()

    def juntar(self, fonte, novas):
        with open(self.fonte, "wb") as f:
            f.write(fonte)
        with open(self.novas, "w", encoding="utf-8") as f:
            f.write(novas)
        return subprocess.run([sys.executable, FERRAMENTA, self.novas, self.fonte],
                              capture_output=True, text=True)

    def conteudo(self):
        with open(self.fonte, "rb") as f:
            return f.read()

    def test_insere_em_ordem_troca_a_chave_repetida_e_mantem_o_formato(self):
        r = self.juntar(b"alpha!NM.T(alfa)\r\nzulu!A.T(zulu)\r\n",
                        "# comment\nwhite!A.NM.T(branco)\n\nalpha!NM.T(letra_alfa)\nhard_disk!NM.T(/disco/_r\u00edgido)\n")
        self.assertEqual(r.returncode, 0, r.stderr)
        self.assertEqual(self.conteudo(),
                         b"alpha!NM.T(letra_alfa)\r\nhard_disk!NM.T(/disco/_r\xedgido)\r\n"
                         b"white!A.NM.T(branco)\r\nzulu!A.T(zulu)\r\n")

    def test_recusa_sem_tocar_a_fonte(self):
        original = b"alpha!NM.T(alfa)\r\n"
        casos = {
            "Windows-1252 cannot hold it": "omega!NM.T(\u03c9)\n",
            "no '!' between key and codes": "omega NM.T(omega)\n",
        }
        for motivo, novas in casos.items():
            with self.subTest(motivo):
                r = self.juntar(original, novas)
                self.assertNotEqual(r.returncode, 0)
                self.assertEqual(self.conteudo(), original)

    def test_recusa_fonte_com_chave_repetida(self):
        original = b"alpha!NM.T(alfa)\r\nalpha!A.T(alfa)\r\n"
        r = self.juntar(original, "beta!NM.T(beta)\n")
        self.assertNotEqual(r.returncode, 0)
        self.assertEqual(self.conteudo(), original)


if __name__ == "__main__":
    unittest.main()
