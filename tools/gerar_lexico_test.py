#!/usr/bin/env python3
"""Parsing of each source format of tools/gerar_lexico.py on small fixtures, and the merge."""
import os
import sys
import unittest

AQUI = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, AQUI)
import gerar_lexico as g  # noqa: E402

DADOS = os.environ.get("QUILLANE_TESTE_DADOS", os.path.join(os.path.dirname(AQUI), "tests", "dados"))


def ler(nome, modo="r"):
    with open(os.path.join(DADOS, nome), modo) as f:
        return f.read()


class Formatos(unittest.TestCase):
    def test_indice_wordnet_ignora_licenca_e_le_contagem_de_sentidos(self):
        r = g.ler_indice_wordnet(ler("ip_index.noun").splitlines(), "N")
        self.assertEqual(r["file"], ("N", 4))
        self.assertEqual(r["open_source"], ("N", 0))
        self.assertEqual(len(r), 2)

    def test_excecoes_wordnet_ignoram_linha_sem_base(self):
        self.assertEqual(g.ler_excecoes_wordnet(ler("ip_noun.exc").splitlines()),
                         [("children", "child"), ("geese", "goose")])

    def test_saida_bilingue_descarta_desconhecidas_e_mantem_ordem(self):
        r = g.ler_saida_bilingue(ler("ip_bilingue.txt"))
        self.assertEqual(r[0], [("lima", "<n><f>"), ("archivo", "<n><m>")])
        self.assertEqual(r[1], [])
        self.assertEqual([c[0] for c in r[2]], ["asomar", "mostrar"])

    def test_analise_inglesa(self):
        r = g.ler_analise(ler("ip_analise.txt"))
        self.assertEqual(r[0], ("went", [("go", "<vblex><past>")]))
        self.assertEqual(r[1][1], [("go", "<vblex><pp>")])
        self.assertEqual(r[2], ("xyzzy", []))

    def test_catalogo_mo(self):
        self.assertEqual(g.ler_mo(ler("ip_mensagens.mo", "rb")), ["Could not open file", "Save", "Saves"])
        self.assertEqual(g.ler_mo(b"lixo"), [])


class Entradas(unittest.TestCase):
    def test_marcacao_de_traducao_com_varias_palavras(self):
        self.assertEqual(g.marcar_traducao("placa de rede", "N"), "/placa/_de_rede")
        self.assertEqual(g.marcar_traducao("sistema operacional", "N"), "/sistema/_/operacional/")
        self.assertEqual(g.marcar_traducao("fazer login", "V"), "/fazer/_login")

    def test_codigos_com_alternativa_condicionada(self):
        self.assertEqual(g.codigos_entrada(["N", "V"], {"N": "arquivo", "V": "arquivar"}, {"N": "M"}),
                         "NM.V.T(arquivar,*V,arquivo)")
        self.assertEqual(g.codigos_entrada(["A"], {"A": "melhor"}, {}), "AG.T(melhor)")

    def test_tamanho_do_registro_como_o_compilador(self):
        # tail "le" + NUL, class 2, mask 1, root NUL, noun 1, "arquivo" + NUL
        self.assertEqual(g.tamanho_registro("file!NM.T(arquivo)"), 3 + 3 + 1 + 1 + 8)
        self.assertEqual(g.tamanho_registro("a!EI.T(um)"), 0 + 3 + 1 + 2 + 3)
        longa = "x" * 10 + "!NM.T(" + ",".join(["abcdefghij"] * 40) + ")"
        curta = g.encurtar(longa)
        self.assertLessEqual(g.tamanho_registro(curta), 255)
        self.assertEqual(len(g.grupos_de(curta.split("!", 1)[1])["T"]) % 2, 1)


class Juntar(unittest.TestCase):
    def test_nucleo_vence_formas_herdam_e_locucoes_marcam_a_primeira_palavra(self):
        nucleo = ["go!V.T(ir)", "be!XV.T(ser)", "is!XP3.R(be).T(ser)", "be_going_to!X.R(be).T(ir)"]
        lexico = ["go!V.T(andar)", "file!NM.T(arquivo)", "rare!A.T(raro)"]
        formas = [("went", "go", "V", "S", 5), ("files", "file", "N", "P", 1), ("gone", "go", "N", "P", 1)]
        (linhas, dados), erros = g.juntar_linhas(nucleo, lexico, formas)
        d = dict(l.split("!", 1) for l in linhas)
        self.assertEqual(d["go"], "V.T(ir)")
        self.assertEqual(d["went"], "VS.R(go).T(ir)")
        self.assertEqual(d["files"], "NMP.R(file).T(arquivo)")
        self.assertNotIn("gone", d)  # "go" has no noun reading
        self.assertEqual(d["be"], "#2.XV.T(ser)")
        self.assertEqual(d["is"], "#2.XP3.R(be).T(ser)")
        self.assertEqual([l.split("!")[0] for l in linhas], sorted(d))
        self.assertEqual(dados, sum(5 + g.tamanho_registro(l) for l in linhas))
        self.assertEqual(erros, [])

    def test_limite_do_formato_deixa_de_fora_as_menos_frequentes(self):
        lexico = ["w%s!NM.T(palavra)" % chr(97 + i) for i in range(10)]
        (linhas, _), erros = g.juntar_linhas([], lexico, [], limite_registros=4)
        self.assertEqual([l.split("!")[0] for l in linhas], ["wa", "wb", "wc", "wd"])
        self.assertTrue(erros)

    def test_forma_em_ed_e_ing_quando_o_radical_sem_e_e_outra_palavra(self):
        nucleo = ["us!PP4.T(n\u00f3s)", "use!NM.V.T(usar,*V,uso)", "at!O.T(em)", "ate!VS.R(eat).T(comer)",
                  "cod!NM.T(bacalhau)", "code!NM.T(c\u00f3digo)", "hop!V.T(pular)", "hope!V.T(esperar)"]
        (linhas, dados), erros = g.juntar_linhas(nucleo, [], [])
        d = dict(l.split("!", 1) for l in linhas)
        self.assertEqual(d["used"], "VSRA.R(use).T(usar)")
        self.assertEqual(d["using"], "VG.R(use).T(usar)")
        self.assertNotIn("ated", d)   # "ate" is a form, not a base verb
        self.assertNotIn("coded", d)  # "code" has no verb reading
        self.assertNotIn("hoped", d)  # the stem "hop" is a verb itself: the reader gets there
        self.assertEqual(dados, sum(5 + g.tamanho_registro(l) for l in linhas))
        self.assertEqual(erros, [])

    def test_vocabulario_de_informatica_entra_com_o_nucleo_que_vence_na_mesma_chave(self):
        import tempfile
        with tempfile.TemporaryDirectory() as raiz:
            pasta = os.path.join(raiz, "data", "ip")
            os.makedirs(pasta)
            g.escrever_lex(os.path.join(pasta, "nucleo.lex"), ["file!NM.T(arquivo)"])
            g.escrever_lex(os.path.join(pasta, "informatica.lex"), ["file!NF.T(ficha)", "widget!NM.T(widget)"])
            g.escrever_lex(os.path.join(pasta, "lexico.lex"), ["widget!NM.T(dispositivo)"])
            with open(os.path.join(pasta, "formas.txt"), "w") as f:
                f.write("widgets widget N P 3\n")
            saida = os.path.join(raiz, "ip.lex")
            self.assertEqual(g.juntar(raiz, saida), 0)
            with open(saida, "rb") as f:
                self.assertEqual(f.read(), b"file!NM.T(arquivo)\r\nwidget!NM.T(widget)\r\n"
                                           b"widgets!NMP.R(widget).T(widget)\r\n")


if __name__ == "__main__":
    unittest.main()
