#include "formats/rtf.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <vector>

#include "formats/pedido.h"
#include "formats/texto.h"
#include "testes/apoio.h"

namespace {

class Rtf : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(GarantirMotor()); }
};

std::string Traduzir(const std::string& rtf) { return TraduzirArquivo(rtf, TIPO_RTF); }

std::string LerArquivo(const std::string& caminho)
{
    std::ifstream f(caminho, std::ios::binary);
    std::stringstream s;
    s << f.rdbuf();
    return s.str();
}

// Group balance as an RTF reader sees it: escaped braces and the byte of a
// "\'" escape do not count. -1 when a group closes that was never opened.
int Profundidade(const std::string& rtf)
{
    int nivel = 0;
    for (std::size_t i = 0; i < rtf.size(); ++i) {
        const char c = rtf[i];
        if (c == '\\' && rtf.compare(i, 4, "\\bin") == 0) {
            // "\binN" and its N bytes of data.
            std::size_t j = i + 4;
            std::size_t n = 0;
            while (j < rtf.size() && rtf[j] >= '0' && rtf[j] <= '9') n = n * 10 + static_cast<std::size_t>(rtf[j++] - '0');
            if (j < rtf.size() && rtf[j] == ' ') ++j;
            i = j + n - 1;
        } else if (c == '\\') {
            if (i + 1 < rtf.size() && rtf[i + 1] == '\'') i += 3;
            else ++i;
        } else if (c == '{') {
            ++nivel;
        } else if (c == '}' && --nivel < 0) {
            return -1;
        }
    }
    return nivel;
}

// The sentences of an RTF document as the reader cuts them. Each word is
// given as its text, "_" before it for a blank, and "[b]", "[i]"... after it
// for the formatting it carries (with the number for numeric words), then
// "@destination"; "|" between words, "#" after a sentence.
std::string Frases(const std::string& rtf)
{
    const std::string pasta = PastaTemporaria("rtf-frases");
    std::string entrada = pasta + "/e.rtf", saida = pasta + "/s.rtf";
    std::ofstream(entrada, std::ios::binary) << rtf;
    PedidoTraducao p{};
    p.modo = MODO_ARQUIVO;
    p.tipo = TIPO_RTF;
    p.entrada = entrada.data();
    p.saida = saida.data();
    std::string resultado;
    {
        clSaidaPendente pendente;
        clDocRtf doc(&p, &pendente);
        clArena arena(0x7FFF);
        clFrase frase(100, &arena);
        while (doc.LerFrase(frase)) {
            for (int i = 0; i <= frase.Ultimo(); ++i) {
                const clPalavra* w = frase.Obter(i);
                if (i) resultado += "|";
                if (w->espacoAntes) resultado += "_";
                resultado += w->texto;
                const EstadoFormato f = FormatoDaPalavra(*w);
                for (int k = 0; k < kQuantosControles; ++k) {
                    if (!f.Ligado(k)) continue;
                    resultado += std::string("[") + (TabControle[k].nome + 1);
                    if (TabControle[k].numerico) resultado += std::to_string(f.Parametro(k));
                    resultado += "]";
                }
                if (f.destino[0]) resultado += std::string("@") + (f.destino + 1);
            }
            resultado += "#";
            arena.Zerar();
        }
    }
    std::filesystem::remove_all(pasta);
    return resultado;
}

// What the writer puts out for a text written as read: RTF escapes.
std::string CodificarRtf(const std::string& texto)
{
    std::string r;
    char hex[8];
    for (const unsigned char b : texto) {
        if (b == '\\' || b == '{' || b == '}') r += '\\';
        if (b >= 0x80) {
            std::snprintf(hex, sizeof hex, "\\'%02x", b);
            r += hex;
        } else {
            r += static_cast<char>(b);
        }
    }
    return r;
}

} // namespace

TEST_F(Rtf, TabelaDeFontesSaiByteAByte)
{
    // Words no dictionary knows are written as read, so the layout is
    // checked exactly whatever the translation core does.
    EXPECT_EQ(Traduzir("{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\f0\\fs24 Zorb quenk. \\par}"),
              "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\plain{\\f0\\fs24 Zorb quenk. \\par}}");
    // With a sentence the core may translate: the same frame around whatever
    // the plain-text translator makes of it.
    const std::string frase = TraduzirArquivo("Hello world.");
    EXPECT_EQ(Traduzir("{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\f0\\fs24 Hello world. \\par}"),
              "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\plain{\\f0\\fs24 " + CodificarRtf(frase) + " \\par}}");
}

TEST_F(Rtf, FormatacaoViajaComAPalavra)
{
    // The group's bold reaches the word; the next word starts a new writer
    // group that turns it off, with its blank in plain formatting.
    EXPECT_EQ(Traduzir("{\\rtf1 {\\b Zorb} quenk.}"), "{\\rtf1\\plain{\\b Zorb}{\\b0{\\plain  }quenk.}}");
    EXPECT_EQ(Frases("{\\rtf1 {\\b Zorb} quenk.}"), "Zorb[b]@rtf|_quenk@rtf|.@rtf#");
    // \cgrid is formatting like any other; \plain, \ulnone and \nosupersub clear.
    EXPECT_EQ(Traduzir("{\\rtf1 {\\cgrid Zorb} quenk.}"), "{\\rtf1\\plain{\\cgrid Zorb}{\\cgrid0{\\plain  }quenk.}}");
    EXPECT_EQ(Frases("{\\rtf1\\b\\i\\f2\\fs20 a \\plain b \\ul\\uldb c \\ulnone\\super d \\nosupersub\\b0 e \\b1 f \\cf3 g}"),
              "a[b][f2][fs20][i]@rtf|_b@rtf|_c[ul][uldb]@rtf|_d[super]@rtf|_e@rtf|_f[b]@rtf|_g[b][cf3]@rtf#");
    // Numbers are kept, "-" too, and a runaway number stays in range.
    EXPECT_EQ(Frases("{\\rtf1\\up-3\\fs99999999999999999999 a}"), "a[fs2147483647][up-3]@rtf#");
    // Formatting inside a word: the pieces keep theirs.
    EXPECT_EQ(Traduzir("{\\rtf1 Zo{\\b rb} quenk.}"), "{\\rtf1\\plain Zo{\\b rb}{\\b0{\\plain  }quenk.}}");
}

TEST_F(Rtf, TabelaEEstadoDeFormato)
{
    EXPECT_EQ(ProcurarControle("\\b"), 0);
    EXPECT_EQ(ProcurarControle("\\v"), 46);
    EXPECT_EQ(ProcurarControle("\\B"), -1);
    EXPECT_EQ(ProcurarControle("\\bold"), -1);
    EstadoFormato e;
    e.Limpar();
    EXPECT_EQ(AplicarControle(e, "\\pard", ""), CTL_DESCONHECIDO);
    EXPECT_EQ(AplicarControle(e, "\\par", ""), CTL_PARAGRAFO);
    EXPECT_EQ(AplicarControle(e, "\\footnote", ""), CTL_DESTINO);
    EXPECT_STREQ(e.destino, "\\footnote");
    EXPECT_EQ(AplicarControle(e, "\\cb", "5"), CTL_FORMATO);
    EXPECT_EQ(AplicarControle(e, "\\strike", "1"), CTL_FORMATO);
    EstadoFormato anterior;
    anterior.Limpar();
    AplicarControle(anterior, "\\i", "");
    AplicarControle(anterior, "\\f", "1");
    char texto[64];
    TextoFormato(e, anterior, texto, sizeof texto);
    // A background colour keeps its number; a word turned off gets its "0".
    EXPECT_STREQ(texto, "\\cb5\\f0\\i0\\strike");
    // A state full of numbers does not overrun a short buffer.
    for (int i = 0; i < kQuantosControles; ++i) AplicarControle(e, TabControle[i].nome, "-2147483648");
    char curto[16];
    TextoFormato(e, anterior, curto, sizeof curto);
    EXPECT_EQ(std::string(curto).size(), 15u);
}

TEST_F(Rtf, PontoAntesDeControleEFimDeParagrafo)
{
    // The writer opens a group of its own at the first word whose format
    // it has already written ("Zorb{ quenk"); it is closed with the input's group.
    // "world.\par": a control word ends a word as a blank would, so the
    // period ends the sentence and the word before it is translated.
    EXPECT_EQ(Frases("{\\rtf1 Zorb quenk.\\par Vlim.}"), "Zorb@rtf|_quenk@rtf|.@rtf#Vlim@rtf|.@rtf#");
    EXPECT_EQ(Frases("{\\rtf1 Zorb.\\'e9 zo-\\b quenk.}"), "Zorb.\xE9@rtf|_zo@rtf|-@rtf|quenk[b]@rtf|.[b]@rtf#");
    EXPECT_EQ(Traduzir("{\\rtf1 Zorb quenk.\\par Vlim.}"), "{\\rtf1\\plain Zorb{ quenk.\\par Vlim.}}");
    // A blank before a paragraph mark or an unknown word stays before it,
    // and the next paragraph does not start with one.
    EXPECT_EQ(Traduzir("{\\rtf1 Zorb quenk \\par Vlim \\tab plok.}"),
              "{\\rtf1\\plain Zorb{ quenk \\par Vlim \\tab plok.}}");
    // Line breaks after a paragraph mark delimit it: the next paragraph gains
    // no blank; a blank after the mark's own delimiter is kept.
    EXPECT_EQ(Traduzir("{\\rtf1 Zorb.\\par\r\nQuenk.\\par  Vlim.}"),
              "{\\rtf1\\plain Zorb{.\\par\r\nQuenk.\\par  Vlim.}}");
    // A line break inside a word does not split it; between words it is not a blank.
    EXPECT_EQ(Frases("{\\rtf1 Zo\r\nrb que\nnk.}"), "Zorb@rtf|_quenk@rtf|.@rtf#");
    EXPECT_EQ(Frases("{\\rtf1 Zorb\r\nquenk.}"), "Zorbquenk@rtf|.@rtf#");
}

TEST_F(Rtf, EscapesEAspas)
{
    // é as a hex escape comes back as \'e9; escaped braces and backslashes come back escaped.
    EXPECT_EQ(Frases("{\\rtf1 Caf\\'e9 \\{x\\} a\\\\b.}"), "Caf\xE9@rtf|_{@rtf|x@rtf|}@rtf|_a\\b@rtf|.@rtf#");
    EXPECT_EQ(Traduzir("{\\rtf1 Caf\\'E9 \\{x\\} a\\\\b.}"), "{\\rtf1\\plain Caf\\'e9{ \\{x\\} a\\\\b.}}");
    // An escaped brace inside a word ends it and is read again escaped.
    EXPECT_EQ(Frases("{\\rtf1 ab\\{cd}"), "ab@rtf|{@rtf|cd@rtf#");
    // Curly quotes as control words are apostrophe-like marks and come back as such.
    EXPECT_EQ(Frases("{\\rtf1 \\lquote Zorb\\rquote  quenk.}"), "\x91@rtf|Zorb@rtf|\x92@rtf|_quenk@rtf|.@rtf#");
    EXPECT_EQ(Traduzir("{\\rtf1 \\lquote Zorb\\rquote  quenk \\ldblquote x\\rdblquote .}"),
              "{\\rtf1\\plain \\lquote {Zorb\\rquote  quenk \\ldblquote x\\rdblquote .}}");
    // Inside a word the mark is an apostrophe; only the exact names are quotes.
    EXPECT_EQ(Frases("{\\rtf1 don\\rquote t}"), "don't@rtf#");
    EXPECT_EQ(Frases("{\\rtf1 x\\lq y}"), "x@rtf#y@rtf#");
    // A bad hex escape takes no brace with it; a zero byte is dropped.
    EXPECT_EQ(Traduzir("{\\rtf1 a\\'4}"), "{\\rtf1\\plain a\x04}");
    EXPECT_EQ(Frases("{\\rtf1 a\\'00b \\'00.}"), "ab@rtf|_.@rtf#");
}

TEST_F(Rtf, GruposDesconhecidosEDestinos)
{
    // Unknown groups are copied whole, even in the middle of a sentence,
    // with the blank before them kept there.
    const std::string campo = "{\\field{\\*\\fldinst HYPERLINK x}{\\fldrslt krell}}";
    EXPECT_EQ(Traduzir("{\\rtf1 Zorb " + campo + " plok.}"), "{\\rtf1\\plain Zorb " + campo + " plok{.}}");
    // The blank that ended the group's control word is not lost when text follows.
    EXPECT_EQ(Traduzir("{\\rtf1{\\title Zorb}}"), "{\\rtf1{\\title Zorb}}");
    EXPECT_EQ(Traduzir("{\\rtf1{\\fonttbl{\\f0 A;}}}"), "{\\rtf1{\\fonttbl{\\f0 A;}}}");
    // A footnote inside a sentence ends the sentence first: its text is a
    // sentence of its own and the body goes on after it.
    EXPECT_EQ(Frases("{\\rtf1 Zorb quenk{\\footnote Vlim glo.} plok.\\par}"),
              "Zorb@rtf|_quenk@rtf#Vlim@footnote|_glo@footnote|.@footnote#plok@rtf|.@rtf#");
    EXPECT_EQ(Traduzir("{\\rtf1 Zorb quenk{\\footnote Vlim glo.} plok.\\par}"),
              "{\\rtf1\\plain Zorb{ quenk}{\\footnote\\plain Vlim{ glo.}} plok{.\\par}}");
    // Headers: the writer's group is closed before the destination opens.
    EXPECT_EQ(Traduzir("{\\rtf1{\\b Zorb.}{\\header Vlim.}}"),
              "{\\rtf1\\plain{\\b Zorb.}{\\header\\plain Vlim{.}}}");
    // A destination word outside a group start is kept like an unknown word.
    EXPECT_EQ(Profundidade(Traduzir("{\\rtf1{\\b Zorb \\footnote x}}")), 0);
}

TEST_F(Rtf, MaisDeDezGruposAninhados)
{
    std::string abre, fecha;
    for (int i = 0; i < 14; ++i) {
        abre += "{\\i ";
        fecha += "}";
    }
    // Deep groups keep their formatting; closing them all gives the outer
    // state back and the output stays balanced.
    const std::string rtf = "{\\rtf1 Zorb " + abre + "quenk" + fecha + " plok.}";
    EXPECT_EQ(Frases(rtf), "Zorb@rtf|_quenk[i]@rtf|_plok@rtf|.@rtf#");
    EXPECT_EQ(Profundidade(Traduzir(rtf)), 0);
    // A destination too deep to be saved is copied through; still balanced.
    const std::string nota = "{\\rtf1 Zorb." + abre + "{\\footnote Vlim.}" + fecha + " plok.}";
    const std::string saida = Traduzir(nota);
    EXPECT_NE(saida.find("{\\footnote Vlim.}"), std::string::npos) << saida;
    EXPECT_EQ(Profundidade(saida), 0) << saida;
    // Unbalanced input: extra closing braces pass, nothing breaks.
    EXPECT_EQ(Traduzir("}}{\\rtf1 zq.}}"), "}}{\\rtf1\\plain zq{.}}}");
}

TEST_F(Rtf, PalavrasDevolvidasEFrasesCheias)
{
    // 120 words without an end mark: the sentence is cut at 100 and the
    // word that did not fit starts the next one with its blank and format.
    std::string rtf = "{\\rtf1 {\\b ", esperado;
    for (int i = 0; i < 120; ++i) rtf += (i ? " w" : "w") + std::to_string(i);
    rtf += "}}";
    const std::string frases = Frases(rtf);
    EXPECT_NE(frases.find("_w99[b]@rtf#_w100[b]@rtf|"), std::string::npos) << frases;
    // A control word met in the middle of a word is given back and handled
    // after the word: here it ends the sentence, then a quote mark.
    EXPECT_EQ(Frases("{\\rtf1 ab\\tab\\lquote cd}"), "ab@rtf#\x91@rtf|cd@rtf#");
    EXPECT_EQ(Traduzir("{\\rtf1 ab\\tab\\lquote cd}"), "{\\rtf1\\plain ab\\tab \\lquote {cd}}");
    // A control symbol in a word likewise; no blank follows it, as one would be text.
    EXPECT_EQ(Traduzir("{\\rtf1 ab\\~cd.}"), "{\\rtf1\\plain ab\\~cd{.}}");
}

TEST_F(Rtf, NomesEParametrosLongosSaoCortados)
{
    const std::string nome(200, 'x'), numero(200, '7');
    const std::string saida = Traduzir("{\\rtf1\\" + nome + numero + " zq.}");
    EXPECT_EQ(saida, "{\\rtf1\\" + nome.substr(0, 48) + numero.substr(0, 50) + "\\plain zq{.}}");
    // A word of 60 letters is cut after 49; the rest is glued back on.
    EXPECT_EQ(Traduzir("{\\rtf1 " + std::string(60, 'z') + ".}"), "{\\rtf1\\plain " + std::string(49, 'z') + "{" + std::string(11, 'z') + ".}}");
}

TEST_F(Rtf, FimDaEntradaEmEscapes)
{
    // The document ends where an escape is cut; what came before is kept.
    EXPECT_EQ(Traduzir("{\\rtf1 Zorb quenk\\'e"), "{\\rtf1\\plain Zorb");
    EXPECT_EQ(Traduzir("{\\rtf1 Zorb\\"), "{\\rtf1");
    EXPECT_EQ(Traduzir("{\\rtf1 Zorb \\fs-"), "{\\rtf1\\plain Zorb");
    EXPECT_EQ(Traduzir(""), "");
    // Plain text is taken as body text; the writer closes the group it opened.
    EXPECT_EQ(Traduzir("Zorb quenk."), "\\plain{Zorb quenk.}");
    EXPECT_EQ(Traduzir("{\\b Zorb"), "\\plain{\\b Zorb}");
}

TEST_F(Rtf, FluxoIgualAoDocumentoInteiro)
{
    for (const char* nome : {"rtf_wordpad.rtf", "rtf_libreoffice.rtf"}) {
        const std::string rtf = LerArquivo(std::string(QUILLANE_TESTE_DADOS) + "/" + nome);
        ASSERT_FALSE(rtf.empty()) << nome;
        const std::string inteiro = Traduzir(rtf);
        EXPECT_EQ(Profundidade(inteiro), 0) << nome;
        EXPECT_EQ(Profundidade(rtf), 0) << nome;
        for (std::size_t tam : {0u, 1u, 2u, 3u, 7u, 64u, 1000u})
            EXPECT_EQ(TraduzirFluxo(rtf, tam, TIPO_RTF), inteiro) << nome << " " << tam;
    }
}

TEST_F(Rtf, DocumentoDeProcessadorDeTexto)
{
    const std::string rtf = LerArquivo(std::string(QUILLANE_TESTE_DADOS) + "/rtf_wordpad.rtf");
    const std::string saida = Traduzir(rtf);
    EXPECT_EQ(Profundidade(saida), 0);
    EXPECT_EQ(saida.rfind("{\\rtf1\\ansi\\ansicpg1252\\deff0", 0), 0u);
    // Tables, generator and numbering groups pass untouched.
    for (const char* trecho : {"{\\fonttbl{\\f0\\fnil\\fcharset0 Calibri;}{\\f1\\fswiss\\fcharset0 Arial;}}",
                               "{\\colortbl;\\red255\\green0\\blue0;\\red0\\green77\\blue187;}",
                               "{\\*\\generator Riched20 10.0.19041}", "{\\pntext\\f0 1.\\tab}",
                               "{\\*\\pn\\pnlvlbody\\pnf0\\pnindent0\\pnstart1\\pndec{\\pntxta.}}", "{\\header",
                               "{\\footer", "{\\footnote"})
        EXPECT_NE(saida.find(trecho), std::string::npos) << trecho;
    // Formatting of the body reaches the words in writer groups.
    EXPECT_NE(saida.find("\\b\\f0\\fs32"), std::string::npos) << saida;
    EXPECT_NE(saida.find("\\cf1"), std::string::npos) << saida;
    EXPECT_NE(saida.find("\\super"), std::string::npos) << saida;
    EXPECT_NE(saida.find("caf\\'e9"), std::string::npos) << saida;

    // Where an RTF reader is at hand, it reads the text back.
    if (std::system("command -v unrtf >/dev/null 2>&1") == 0) {
        const std::string pasta = PastaTemporaria("rtf-unrtf");
        std::ofstream(pasta + "/s.rtf", std::ios::binary) << saida;
        ASSERT_EQ(std::system(("unrtf --text '" + pasta + "/s.rtf' > '" + pasta + "/s.txt' 2>/dev/null").c_str()), 0);
        const std::string texto = LerArquivo(pasta + "/s.txt");
        EXPECT_NE(texto.find("10%"), std::string::npos) << texto;
        std::filesystem::remove_all(pasta);
    }
}

TEST_F(Rtf, DocumentosDeProcessadoresDeTextoTraduzidos)
{
    // The word before "\par" is translated.
    const std::string simples = Traduzir("{\\rtf1 The cat is big.\\par}");
    EXPECT_EQ(simples.find("big"), std::string::npos) << simples;
    // Groups opened by formatting words the table lacks are translated, and
    // those words travel with the words, in the writer's groups.
    EXPECT_EQ(Frases("{\\rtf1{\\loch\\insrsid5 Zorb {\\hich\\af3 quenk}.}\\par}"),
              "Zorb@rtf|_quenk@rtf|.@rtf#");
    EXPECT_EQ(Traduzir("{\\rtf1{\\loch\\insrsid5 Zorb {\\hich\\af3 quenk}.}\\par}"),
              "{\\rtf1\\plain{\\loch\\insrsid5 Zorb}{\\loch\\insrsid5\\hich\\af3{\\plain  }quenk}{\\loch\\insrsid5 .}\\par}");
    const std::string casa = Traduzir("{\\rtf1\\pard\\plain \\s1\\f4\\fs36\\b{\\loch The house}\\par}");
    EXPECT_NE(casa.find("{\\b\\f4\\fs36\\loch "), std::string::npos) << casa;
    EXPECT_EQ(casa.find("house"), std::string::npos) << casa;
    // Kept in the order read; \plain clears them.
    EXPECT_EQ(Traduzir("{\\rtf1\\hich\\af3\\dbch\\af5 Zorb \\plain quenk.}"),
              "{\\rtf1\\plain{\\hich\\af3\\dbch\\af5 Zorb}{ quenk.}}");
    // Groups that hold no body text are still copied whole.
    EXPECT_EQ(Traduzir("{\\rtf1{\\listtext\\pard\\plain \\tab}Zorb.}"), "{\\rtf1{\\listtext\\pard\\plain \\tab}\\plain Zorb{.}}");

    const std::string lo = LerArquivo(std::string(QUILLANE_TESTE_DADOS) + "/rtf_libreoffice.rtf");
    const std::string saida = Traduzir(lo);
    EXPECT_EQ(Profundidade(saida), 0);
    for (const char* ingles : {"The river runs", "important for trade", "said the old man", "is still open"})
        EXPECT_EQ(saida.find(ingles), std::string::npos) << ingles << "\n" << saida;
    EXPECT_NE(saida.find("\\f4\\fs36"), std::string::npos) << saida;
}

TEST_F(Rtf, UnicodeBinarioEMarcaDeOrdem)
{
    // Characters Windows-1252 has become its bytes; others are kept inside
    // their word with their fallback, whatever \uc says.
    EXPECT_EQ(Frases("{\\rtf1 caf\\u233\\'e9 d\\u8217\\'92s zo\\u8594?rb.}"),
              std::string("caf\xE9@rtf|_d's@rtf|_zo\x01" "8594\x02" "063\x03rb@rtf|.@rtf#"));
    EXPECT_EQ(Traduzir("{\\rtf1 Zo\\u8594?rb \\u-3913\\'3f quenk.}"), "{\\rtf1\\plain Zo\\u8594?rb{ \\u-3913? quenk.}}");
    // In another code page a byte would stand for another letter: kept as \u.
    EXPECT_EQ(Traduzir("{\\rtf1\\ansi\\ansicpg1251 caf\\u233\\'e9.}"), "{\\rtf1\\ansi\\ansicpg1251\\plain caf\\u233\\'e9{.}}");
    EXPECT_EQ(Traduzir("{\\rtf1\\uc2 Zo\\u8594\\'81\\'82rb {\\uc0 a\\u8594 5} b\\u8594 12.}"),
              "{\\rtf1\\uc2\\plain Zo\\uc2\\u8594\\'81\\'82rb {\\uc0 a\\u8594 5} b\\uc2\\u8594 12{.}}");
    // A brace ends the fallback early; the group is not lost.
    EXPECT_EQ(Profundidade(Traduzir("{\\rtf1\\uc3 Zo\\u8594?{\\b rb}.}")), 0);
    // \bin data is copied byte for byte, braces and all.
    const std::string dados = std::string("}{\\") + '\0' + "\xFF";
    const std::string saida = Traduzir("{\\rtf1{\\*\\blipuid x}{\\pict\\bin5 " + dados + "}Zorb.\\par\\bin3 {{{}");
    EXPECT_NE(saida.find("{\\pict\\bin5 " + dados + "}"), std::string::npos);
    EXPECT_NE(saida.find("\\bin3 {{{"), std::string::npos);
    EXPECT_EQ(Profundidade(saida), 0);
    // Data cut short by the end of the input keeps the writer's brace out of it.
    EXPECT_EQ(Profundidade(Traduzir("Zorb \\bin99 {\\rtf1 B}}")), 0);
    EXPECT_EQ(Profundidade(Traduzir("Zorb {\\b quenk} \\bin9 }")), 0);
    // Text bytes that a word uses as marks of its own are characters like any other.
    EXPECT_EQ(Traduzir("{\\rtf1 Zo\x05rb \\'01quenk \x02\x03.}"),
              "{\\rtf1\\plain Zo\\uc0\\u5 rb{ \\uc0\\u1 quenk \\uc0\\u2 \\uc0\\u3 .}}");
    // The same destination opened inside itself closes with its brace.
    EXPECT_EQ(Profundidade(Traduzir("{\\rtf1 Zorb {\\rtf1 quenk}}")), 0);
    // A UTF-8 byte order mark before "{\rtf" is no text.
    EXPECT_EQ(Traduzir("\xEF\xBB\xBF{\\rtf1 Zorb.}"), "{\\rtf1\\plain Zorb{.}}");
    EXPECT_EQ(Traduzir("\xEF\xBB{\\rtf1 Zorb.}"), "\\plain{\\'ef\\'bb}{\\rtf1\\plain Zorb{.}}");
}
