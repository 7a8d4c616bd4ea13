#!/usr/bin/env python3
"""Parsing of each source format of tools/gerar_lexico.py on small fixtures, and the merge."""
import os
import sys
import collections
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


class Montar(unittest.TestCase):
    def test_fontes_a_mao_vencem_e_formas_herdam_a_traducao_de_quem_vence(self):
        maos = [["go!V.T(ir)", "be!XV.T(ser)", "is!XP3.R(be).T(ser)"], ["go!V.T(andar)", "file!NM.T(arquivo)"]]
        lexico = ["go!V.T(caminhar)", "file!NM.T(ficha)", "rare!A.T(raro)"]
        formas = [("went", "go", "V", "S", 5), ("files", "file", "N", "P", 1), ("gone", "go", "N", "P", 1)]
        linhas, dados, registros, erros = g.montar_lexico(maos, lexico, formas)
        d = dict(l.split("!", 1) for l in linhas)
        self.assertEqual(sorted(d), ["files", "rare", "went"])  # hand-made keys left out
        self.assertEqual(g.entrada_forma("stopping", "stop", "V", "G", "V.T(parar)"), "VG.R(stop).T(parar)")
        self.assertIsNone(g.entrada_forma("canned", "can", "V", "SR", "X.T(poder)"))
        self.assertIsNone(g.entrada_forma("elves", "elf", "N", "P", "NM.T(ELF)"))
        self.assertEqual(d["went"], "VS.R(go).T(ir)")
        self.assertEqual(d["files"], "NMP.R(file).T(arquivo)")  # "gone": "go" has no noun reading
        self.assertEqual(registros, 7)
        todas = ["go!V.T(ir)", "be!XV.T(ser)", "is!XP3.R(be).T(ser)", "file!NM.T(arquivo)"] + linhas
        self.assertEqual(dados, sum(5 + g.tamanho_registro(l) for l in todas))
        self.assertEqual(erros, [])

    def test_limite_conta_as_tres_fontes_e_deixa_de_fora_as_menos_frequentes(self):
        lexico = ["w%s!NM.T(palavra)" % chr(97 + i) for i in range(10)]
        linhas, _, registros, erros = g.montar_lexico([["a!EI.T(um)"]], lexico, [], limite_registros=4)
        self.assertEqual([l.split("!")[0] for l in linhas], ["wa", "wb", "wc"])
        self.assertEqual(registros, 4)
        self.assertTrue(erros)

    def test_forma_em_ed_e_ing_quando_o_radical_sem_e_e_outra_palavra(self):
        maos = [["us!PP4.T(n\u00f3s)", "use!NM.V.T(usar,*V,uso)", "at!O.T(em)", "ate!VS.R(eat).T(comer)",
                 "cod!NM.T(bacalhau)", "code!NM.T(c\u00f3digo)", "hop!V.T(pular)", "hope!V.T(esperar)"]]
        linhas, _, _, erros = g.montar_lexico(maos, [], [])
        d = dict(l.split("!", 1) for l in linhas)
        self.assertEqual(d, {"used": "VSRA.R(use).T(usar)", "using": "VG.R(use).T(usar)"})
        self.assertEqual(erros, [])


class Brasileiro(unittest.TestCase):
    def test_formas_europeias_trocadas_ou_descartadas(self):
        self.assertEqual(g.brasileiro("ficheiro"), "arquivo")
        self.assertEqual(g.brasileiro("nome de utilizador"), "nome de usu\u00e1rio")
        self.assertEqual(g.brasileiro("casa de banho"), "banheiro")
        self.assertIsNone(g.brasileiro("propina"))
        self.assertEqual(g.brasileiro("arquivo"), "arquivo")

    def test_grafia_recusada_em_qualquer_parte(self):
        self.assertFalse(g.grafia_aceita("placa actual", {"actual"}))
        self.assertFalse(g.grafia_aceita("bem-vindo", {"vindo"}))
        self.assertTrue(g.grafia_aceita("placa de rede", {"actual"}))

    def test_cognatos_por_sufixo(self):
        self.assertIn(("virtualiza\u00e7\u00e3o", "F"), g.cognatos("virtualization", "N"))
        self.assertIn(("sele\u00e7\u00e3o", "F"), g.cognatos("selection", "N"))
        self.assertIn(("configur\u00e1vel", ""), g.cognatos("configurable", "A"))
        self.assertIn(("especificar", ""), g.cognatos("specify", "V"))  # "e" before s + consonant
        self.assertIn(("fonologia", "F"), g.cognatos("phonology", "N"))
        self.assertEqual(g.cognatos("eventual", "A"), [])  # a false friend
        self.assertEqual(g.cognatos("selection", "V"), [])

    def test_derivados_por_prefixo(self):
        trads = {("connect", "V"): "conectar", ("support", "V"): "suportar", ("directory", "N"): "diret\u00f3rio",
                 ("available", "A"): "dispon\u00edvel"}
        t = lambda lema, c: trads.get((lema, c))
        self.assertIn(("V", "reconectar", False), g.derivados("reconnect", t))
        self.assertIn(("A", "n\u00e3o suportado", True), g.derivados("unsupported", t))
        self.assertIn(("A", "indispon\u00edvel", False), g.derivados("unavailable", t))
        self.assertIn(("N", "subdiret\u00f3rio", False), g.derivados("subdirectory", t))
        self.assertNotIn(("N", "sub-diret\u00f3rio", False), g.derivados("subdirectory", t))
        self.assertIn(("V", "reabilitar", False), g.derivados("reenable", lambda lema, c: "habilitar"
                                                             if (lema, c) == ("enable", "V") else None))
        self.assertEqual(g.derivados("reply", t), [])  # stem too short
        self.assertEqual(g.derivados("unquoted", lambda lema, c: "citado" if (lema, c) == ("quoted", "A") else None),
                         [("A", "n\u00e3o citado", True)])
        self.assertEqual(g.participio("fazer"), "feito")
        self.assertEqual(g.participio("definir"), "definido")
        self.assertEqual(g.participio("excluir"), "exclu\u00eddo")

    def test_prefixos_juntam_como_o_motor(self):
        # the engine joins a hyphenated English prefix by the same rules (prefixos_test.cpp)
        casos = [l.split("\t") for l in ler("prefixos.tsv").splitlines() if l and not l.startswith("#")]
        self.assertGreaterEqual(len(casos), 60)
        for ingles, base, esperado in casos:
            self.assertEqual(g.juntar_prefixo(g.PREFIXOS_HIFEN[ingles][0], base), esperado, ingles)
        self.assertEqual(g.juntar_prefixo("in", "v\u00e1lido"), "inv\u00e1lido")  # no rule: simply joined

    def test_prefixo_mal_ligado_e_reparado(self):
        self.assertEqual(g.bases_de_prefixada("subjanela"), ["janela"])
        self.assertEqual(g.bases_de_prefixada("antirrespingo"), ["respingo"])
        self.assertEqual(g.bases_de_prefixada("rehabilitar"), [])
        self.assertTrue(g.prefixo_mal_ligado("sub-janela"))
        self.assertTrue(g.prefixo_mal_ligado("auto-estrada"))
        self.assertFalse(g.prefixo_mal_ligado("sub-rede"))
        self.assertFalse(g.prefixo_mal_ligado("pr\u00e9-instalar"))
        self.assertFalse(g.prefixo_mal_ligado("mesa"))
        self.assertIn("autoestrada", g.reparar_grafia("auto-estrada"))
        self.assertIn("contrarrevolu\u00e7\u00e3o", g.reparar_grafia("contra-revolu\u00e7\u00e3o"))
        recusadas = {"subjanela", "rehabilitar", "hhabilitar"}
        self.assertFalse(g.grafia_aceita("subjanela", recusadas))
        self.assertTrue(g.grafia_aceita("subjanela", recusadas, por_regra=True))
        self.assertFalse(g.grafia_aceita("rehabilitar", recusadas, por_regra=True))
        self.assertFalse(g.grafia_aceita("sub-janela", set(), por_regra=True))
        self.assertTrue(g.grafia_aceita("sub-rede", set()))

    def test_formas_verbais_que_o_corpus_usa(self):
        contagem = {"based": 9, "basing": 1, "indexed": 4, "indexing": 2, "stopped": 3, "stoped": 1,
                    "applied": 2, "citing": 1}
        self.assertEqual(g.formas_verbais("base", contagem), [("based", "VSRA", 9), ("basing", "VG", 1)])
        self.assertEqual(g.formas_verbais("index", contagem), [("indexed", "VSRA", 4), ("indexing", "VG", 2)])
        self.assertEqual(g.formas_verbais("stop", contagem), [("stopped", "VSRA", 3)])
        self.assertEqual(g.formas_verbais("apply", contagem), [("applied", "VSRA", 2)])
        self.assertEqual(g.formas_verbais("cite", contagem), [("citing", "VG", 1)])

    def test_vizinho_portugues_de_palavra_intermediaria(self):
        self.assertIn("passado", g.vizinhas("pasado"))
        self.assertIn("gal\u00e1xia", g.vizinhas("galaxia"))
        self.assertIn("ca\u00e7\u00e3o", g.vizinhas("caci\u00f3n"))
        recusadas = {"pasado", "galaxia", "largo", "norte\u00f1o", "nortenho"}
        self.assertEqual(g.vizinho_portugues("pasado", recusadas, "es"), "passado")
        self.assertEqual(g.vizinho_portugues("distinto", recusadas, "gl"), "distinto")
        self.assertIsNone(g.vizinho_portugues("largo", set(), "es"))  # "long", not "wide"

    def test_grafias_britanicas(self):
        self.assertIn("initialise", g.variantes_britanicas("initialize"))
        self.assertIn("organisation", g.variantes_britanicas("organization"))
        self.assertEqual(g.variantes_britanicas("color"), ["colour"])
        self.assertEqual(g.variantes_britanicas("license"), ["licence"])
        self.assertEqual(g.variantes_britanicas("log_in"), [])


class NovasFontes(unittest.TestCase):
    DICT = ("00-database-info\nA test dictionary\n"
            "discard /d\u026ask\u02c8\u0251\u02d0d/ <s> <vt>\n1. descarte\n2. descartar\n"
            "Slovak /sl\u02c8\u0259\u028avak/ <s>\nEslovaco\n"
            "abort /\u0259b\u0254\u02d0t/ <vt>\nabortar, fazer abortar (um plano); malograr-se, ter mau \u00eaxito de novo\n")

    def indice(self, dados):
        linhas = []
        for cab in ("00-database-info", "discard", "Slovak", "abort"):
            ini = dados.index(cab.encode())
            prox = [dados.index(c.encode()) for c in ("discard /", "Slovak /", "abort /") if dados.index(c.encode()) > ini]
            fim = min(prox) if prox else len(dados)
            cod = lambda n: "".join(g.B64_DICTD[(n >> s) & 63] for s in (18, 12, 6, 0)).lstrip("A") or "A"
            nome = "00databaseinfo" if cab.startswith("00") else cab
            linhas.append("%s\t%s\t%s" % (nome, cod(ini), cod(fim - ini)))
        return "\n".join(linhas)

    def test_dicionario_dictd(self):
        dados = self.DICT.encode("utf-8")
        d = g.ler_freedict(self.indice(dados), dados)
        self.assertEqual(sorted(d), ["abort", "discard", "slovak"])  # database entries left out
        self.assertEqual(d["discard"], ({"N", "V"}, ["descarte", "descartar"]))
        self.assertEqual(d["slovak"], ({"N"}, ["Eslovaco"]))
        # parentheses dropped, "," and ";" both separate, phrases of more than three words left out
        self.assertEqual(d["abort"], ({"V"}, ["abortar", "fazer abortar", "malograr-se"]))
        self.assertEqual(g.numero_dictd("B9"), 64 + 61)

    def test_classe_de_traducao_sem_classe(self):
        pt = g.classes_portuguesas("^arquivo/arquivo<n><m><sg>$\n^inibe/*inibe$\n^verde/verde<adj><mf><sg>$\n"
                                   "^Alemanha/Alemanha<np><loc><f><sg>$\n")
        self.assertEqual(pt, {"arquivo": {"N": "M"}, "verde": {"A": ""}, "Alemanha": {"N": "F", "L": "F"}})
        self.assertTrue(g.da_classe("Alemanha", "N", pt))
        pessoa = g.classes_portuguesas("^Abra\u00e3o/Abra\u00e3o<np><ant><m><sg>$\n")
        self.assertFalse(g.da_classe("Abra\u00e3o", "N", pessoa))  # names of people are not translated
        self.assertFalse(g.da_classe("Daniel", "N", {}))
        self.assertTrue(g.da_classe("descartar", "V", pt))
        self.assertFalse(g.da_classe("inibe", "V", pt))  # a conjugated form is no infinitive
        self.assertFalse(g.da_classe("descartar", "N", pt))
        self.assertTrue(g.da_classe("verde", "N", pt))  # a language or colour: adjective and noun
        self.assertFalse(g.da_classe("arquivo", "A", pt))
        self.assertTrue(g.da_classe("rapidamente", "D", pt))

    def test_ponte_por_correspondencias_regulares(self):
        self.assertIn("inibir", g.vizinhas("inhibir", "es"))
        self.assertIn("encaminamento", g.vizinhas("encaminamiento", "es"))
        self.assertIn("configura\u00e7\u00e3o", g.vizinhas("configuraci\u00f3", "ca"))
        self.assertIn("comunidade", g.vizinhas("comunitat", "ca"))
        self.assertIn("comunidade", g.vizinhas("comunidad", "es"))
        self.assertIn("canal", g.vizinhas("canal", "ca"))
        self.assertIn("configur\u00e1vel", g.vizinhas("configurable", "es"))
        recusadas = {"inhibir", "inhibe"}
        self.assertEqual(g.vizinho_portugues("inhibir", recusadas, "es", "V", {}), "inibir")
        # of another class: the Portuguese word the analyser knows only as a verb form
        self.assertIsNone(g.vizinho_portugues("descarte", set(), "es", "N", {"descarte": {"V": ""}}))
        self.assertEqual(g.vizinho_portugues("esquerda", set(), "gl", "N", {"esquerda": {"A": "F"}}), "esquerda")
        self.assertIsNone(g.vizinho_portugues("inhibe", recusadas, "es", "V", {}))  # no infinitive
        cands = g.pontes([("es", "inhibir", "<vblex>", 0), ("ca", "inhibir", "<vblex>", 0)], recusadas, "V", {})
        self.assertEqual(list(cands), ["inibir"])  # both routes agree: one candidate, scores added
        self.assertEqual(cands["inibir"][0], (30 - 8) + (20 - 8) + 20)

    def test_formas_regulares_e_parecidas(self):
        self.assertTrue(g.forma_regular_de("elements", {"element"}))
        self.assertTrue(g.forma_regular_de("stopped", {"stop"}))
        self.assertTrue(g.forma_regular_de("bathing", {"bathe"}))
        self.assertFalse(g.forma_regular_de("workspace", {"work", "space"}))
        self.assertTrue(g.parecidas("discard", "descartar"))
        self.assertFalse(g.parecidas("discard", "atirar"))

    def test_palavras_faltantes_so_as_que_nenhuma_fonte_cobre(self):
        contagem = {"routing": 50, "routers": 40, "mounted": 30, "workspace": 20, "queued": 10, "xy": 90,
                    "the": 500, "beep": 2}
        classes = {"route": {"N"}, "router": {"N"}, "mount": {"V"}, "queue": {"N"}, "the": {"T"}}
        # "routing" and "queued" stay: their bases are held as nouns only, so no rule finds them
        self.assertEqual(g.palavras_faltantes(contagem, classes, 10),
                         [(50, "routing"), (20, "workspace"), (10, "queued")])
        self.assertEqual(g.palavras_faltantes(contagem, classes, 1), [(50, "routing")])

    def test_verbos_de_duas_palavras_em_qualquer_forma(self):
        candidatas = {"turn_off", "give_up", "set_up"}
        contagem = collections.Counter()
        g.contar_locucoes(["Turn off the computer. He turned off the light; turning off.",
                           "I gave up. Give it up. Turn it off.", "The offset turns. Setting up."],
                          g.indice_locucoes(candidatas, {"give": {"gave", "given"}}), contagem)
        # a pronoun between the two words parts them; "Setting" doubles its "t"
        self.assertEqual(contagem, {"turn_off": 3, "give_up": 1, "set_up": 1})
        self.assertIn("stopped", g.formas_do_verbo("stop"))
        self.assertIn("making", g.formas_do_verbo("make"))
        self.assertIn("copies", g.formas_do_verbo("copy"))

    def test_siglas_frequentes_e_revisadas(self):
        siglas = {"TCP": 40, ".tcp": 30, "EOF": 30, "NAME": 90, "ERRORS": 50, "EINVAL": 40, "FOO": 5,
                  "MAIN": 20, ".main": 200}
        conhecidas = {"name", "error", "main"}
        revisadas = {"TCP", "EOF", "FOO", "MAIN"}
        aceitas, a_rever = g.siglas_mantidas(siglas, conhecidas, lambda w: w in revisadas, minimo=12)
        self.assertEqual(aceitas, [(40, "TCP"), (30, "EOF")])
        self.assertEqual(a_rever, [(40, "EINVAL")])  # English words, headings and rare ones never

    def test_derivados_por_sufixo(self):
        t = {("load", "V"): "carregar", ("update", "V"): "atualizar", ("debug", "V"): "depurar",
             ("launch", "V"): "iniciar", ("rely", "V"): "confiar", ("convert", "V"): "converter"}
        f = lambda lema, c: t.get((lema, c))
        self.assertEqual(g.derivados_por_sufixo("loadable", f), [("A", "carreg\u00e1vel")])
        self.assertEqual(g.derivados_por_sufixo("updatable", f), [("A", "atualiz\u00e1vel")])  # the "e" back
        self.assertEqual(g.derivados_por_sufixo("reliable", f), [("A", "confi\u00e1vel")])  # "i" for "y"
        self.assertEqual(g.derivados_por_sufixo("convertible", f), [("A", "convert\u00edvel")])
        self.assertEqual(g.derivados_por_sufixo("debugger", f), [("N", "depurador")])  # doubled consonant
        self.assertEqual(g.derivados_por_sufixo("launcher", f), [("N", "iniciador")])
        self.assertEqual(g.derivados_por_sufixo("number", f), [])
        a = {("automatic", "A"): "autom\u00e1tico", ("easy", "A"): "f\u00e1cil", ("probable", "A"): "prov\u00e1vel"}
        f = lambda lema, c: a.get((lema, c))
        self.assertEqual(g.derivados_por_sufixo("automatically", f), [("D", "automaticamente")])
        self.assertEqual(g.derivados_por_sufixo("easily", f), [("D", "facilmente")])
        self.assertEqual(g.derivados_por_sufixo("probably", f), [("D", "provavelmente")])

    def test_composto_de_dois_substantivos(self):
        t = {"key": "chave", "file": "arquivo", "line": "linha", "number": "n\u00famero", "bin": "lixeira",
             "dir": "diret\u00f3rio", "keyf": "x"}.get
        self.assertEqual(g.composto("keyfile", t), ("arquivo de chave", "file"))
        self.assertEqual(g.composto("linenumber", t), ("n\u00famero de linha", "number"))
        self.assertIsNone(g.composto("bindir", t))  # a head of three letters
        self.assertIsNone(g.composto("keyboard", t))


class Nomes(unittest.TestCase):
    def test_capitalizadas_so_dentro_da_frase_e_minusculas_por_fonte(self):
        contagem = g.collections.Counter()
        siglas = g.collections.Counter()
        cap, mins = g.contar_palavras(["Install Debian on FreeBSD. Texinfo is used by debian.",
                                       "See www.Example.org and /usr/Share: Builds use \"Meson\".",
                                       "The TCP stack"], contagem, siglas)
        # "Install", "Texinfo", "See", "Builds", "The" open sentences; "Example" and "Share"
        # follow "." and "/" in an address and a path; "Meson" after a quote opens nothing
        self.assertEqual(cap, {"Debian", "FreeBSD", "Meson"})
        self.assertIn("debian", mins)
        self.assertNotIn("freebsd", mins)
        self.assertEqual(contagem["debian"], 2)  # both spellings counted as one word
        self.assertEqual(siglas["TCP"], 1)
        nomes = g.collections.Counter()
        g.contar_nomes(nomes, cap, mins)
        g.contar_nomes(nomes, {"Debian"}, set())
        self.assertEqual((nomes["^Debian"], nomes[".debian"], nomes["^FreeBSD"]), (2, 1, 1))

    def test_cadeias_do_troff_saem_do_texto(self):
        self.assertEqual(g.texto_man(r"use \*(Aqfoo\*(Aq and \*[lq]bar\*[rq] \fBbaz\fR"), "use foo and bar baz")

    def test_nomes_frequentes_quase_nunca_em_minusculas(self):
        nomes = {"^FreeBSD": 9, "^Freebsd": 1, ".freebsd": 3, "^Debian": 20, ".debian": 8, "^Texinfo": 4,
                 "^Richard": 30, "^Install": 50, "^Ab": 9, "^Xcode": 6}
        conhecidas = {"install"}
        aceitas, a_rever = g.nomes_mantidos(nomes, conhecidas, lambda w: w in {"FreeBSD", "Texinfo", "Debian"},
                                              minimo=5)
        # the spelling most sources use; too often in lower case, too rare, English, too short: never
        self.assertEqual(aceitas, [(10, "FreeBSD")])
        self.assertEqual(a_rever, [(30, "Richard"), (6, "Xcode")])

    def test_lista_revisada_de_nomes(self):
        import tempfile
        with tempfile.NamedTemporaryFile("w", suffix=".txt", delete=False) as f:
            f.write("# comment\nFreeBSD\nIntel F  # a empresa\n\n")
        try:
            self.assertEqual(g.ler_nomes_mantidos(f.name), {"FreeBSD": "M", "Intel": "F"})
        finally:
            os.unlink(f.name)
        self.assertEqual(g.ler_nomes_mantidos("/nonexistent/nomes.txt"), {})

    def test_paises_e_linguas_do_cldr(self):
        en = g.ler_nomes_cldr(
            '<ldml><localeDisplayNames><languages><language type="sw">Swahili</language>'
            '<language type="en">English</language></languages><scripts><script type="Latn">Latin</script>'
            '<script type="Cyrl">Cyrillic</script></scripts><territories>'
            '<territory type="KR">South Korea</territory><territory type="BA">Bosnia &amp; Herzegovina</territory>'
            '<territory type="BA" alt="short">Bosnia</territory><territory type="GB" alt="short">UK</territory>'
            '<territory type="CI">C\u00f4te d\u2019Ivoire</territory><territory type="US">United States</territory>'
            '<territory type="LA">Laos</territory><territory type="HK">Hong Kong SAR China</territory>'
            '</territories></localeDisplayNames></ldml>')
        pt = g.ler_nomes_cldr(
            '<ldml><localeDisplayNames><languages><language type="sw">sua\u00edli</language>'
            '<language type="en">ingl\u00eas</language></languages><scripts><script type="Latn">latim</script>'
            '<script type="Cyrl">cir\u00edlico</script></scripts><territories>'
            '<territory type="KR">Coreia do Sul</territory><territory type="BA">B\u00f3snia e Herzegovina</territory>'
            '<territory type="GB" alt="short">RU</territory><territory type="CI">Costa do Marfim</territory>'
            '<territory type="US">Estados Unidos</territory><territory type="LA">Laos</territory>'
            '<territory type="HK">Hong Kong, RAE da China</territory></territories></localeDisplayNames></ldml>')
        self.assertIn(("territories", "BA", "short", "Bosnia"), en)
        r = g.nomes_de_lugares_e_linguas(en, pt)
        # no Portuguese for "Bosnia" alone, capitals only ("UK"), signs on either side ("C\u00f4te
        # d\u2019Ivoire", "Hong Kong, RAE da China"): left out; "&" read "and"
        self.assertEqual(r, [("south_korea", "territories", "Coreia do Sul"),
                             ("bosnia_and_herzegovina", "territories", "B\u00f3snia e Herzegovina"),
                             ("united_states", "territories", "Estados Unidos"),
                             ("laos", "territories", "Laos"),
                             ("swahili", "languages", "sua\u00edli"), ("english", "languages", "ingl\u00eas"),
                             ("latin", "scripts", "latim"), ("cyrillic", "scripts", "cir\u00edlico")])
        e = {c: g.entrada_de_lugar_ou_lingua(c, t, p) for c, t, p in r}
        self.assertEqual(e["south_korea"], "south_korea!NF.T(Coreia_do_Sul)")
        self.assertEqual(e["united_states"], "united_states!NMP.T(Estados_Unidos)")
        self.assertEqual(e["laos"], "laos!NM.T(Laos)")  # an "s" of the name itself
        self.assertEqual(e["swahili"], "swahili!NM.T(sua\u00edli)")
        self.assertEqual(g.entrada_de_lugar_ou_lingua("philippines", "territories", "Filipinas"),
                         "philippines!NFP.T(Filipinas)")
        self.assertEqual(g.entrada_de_lugar_ou_lingua("guinea_bissau", "territories", "Guin\u00e9-Bissau"),
                         "guinea_bissau!NF.T(Guin\u00e9-Bissau)")  # not told by its ending
        self.assertEqual(g.entrada_de_lugar_ou_lingua("kenya", "territories", "Qu\u00eania"), "kenya!NM.T(Qu\u00eania)")
        self.assertLessEqual(max(g.tamanho_registro(l) for l in e.values()), g.LIMITE_REGISTRO)


if __name__ == "__main__":
    unittest.main()
