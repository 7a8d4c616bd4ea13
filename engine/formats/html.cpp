#include "formats/html.h"

#include <cstring>

#include "caracteres.h"

namespace {

// Tag classes, searched as substrings with the tag token followed by ".":
// the trailing "." makes the search an exact match on the tag name.
const char kEtiquetasInternas[] =
    "<a.</a.<b.</b.<i.</i.<u.</u.<font.</font.<em.</em.<strong.</strong.<cite.</cite.<code.</code.<dfn.</dfn."
    "<samp.</samp.<kbd.</kbd.<var.</var.<tt.</tt.<bdo.</bdo.<q.</q.<span.</span.<sub.</sub.<sup.</sup."
    "<fn.</fn.<abbrev.</abbrev.<acronym.</acronym.<au.</au.<banner.</banner.<big.</big.<small.</small."
    "<blink.</blink.<del.</del.<ins.</ins.<lang.</lang.<note.</note.<person.</person.<s.</s."
    "<strike.</strike.";
// Style sheets are copied untouched like scripts: read as text, their rules
// would be re-spaced and, once translated, broken.
// So are the contents of <textarea>, <listing> and <xmp>, whose every blank
// and line break shows.
const char kEtiquetasScript[] = "<script.<style.<textarea.<listing.<xmp.";
const char kEtiquetasAtributos[] = "<img.<input.<area.<frame.<form.<applet.<body.<base.<link.";

const char kEntidades[] =
    "&lt;&gt;&amp;&quot;&dreg;&copy;&nbsp;&AElig;&Aacute;&Acirc;&Agrave;&Aring;&Atilde;&Auml;&Ccedil;&ETH;"
    "&Eacute;&Ecirc;&Egrave;&Euml;&Iacute;&Icirc;&Igrave;&Iuml;&Ntilde;&Oacute;&Ocirc;&Ograve;&Oslash;"
    "&Otilde;&Ouml;&THORN;&Uacute;&Ucirc;&Ugrave;&Uuml;&Yacute;&aacute;&acirc;&aelig;&agrave;&aring;"
    "&atilde;&auml;&ccedil;&eacute;&ecirc;&egrave;&eth;&euml;&iacute;&icirc;&igrave;&iuml;&ntilde;"
    "&oacute;&ocirc;&ograve;&oslash;&otilde;&ouml;&szlig;&thorn;&uacute;&ucirc;&ugrave;&uuml;&yacute;&yuml;";
// No recognised entity is longer than this before its ";".
constexpr std::size_t kMaxEntidade = 8;

const char* EntidadeSaida(unsigned char c)
{
    switch (c) {
    case 0xC0: return "&Agrave;";
    case 0xC1: return "&Aacute;";
    case 0xC2: return "&Acirc;";
    case 0xC3: return "&Atilde;";
    case 0xC7: return "&Ccedil;";
    case 0xC9: return "&Eacute;";
    case 0xCA: return "&Ecirc;";
    case 0xCD: return "&Iacute;";
    case 0xCE: return "&Icirc;";
    case 0xD3: return "&Oacute;";
    case 0xD4: return "&Ocirc;";
    case 0xD5: return "&Otilde;";
    case 0xDA: return "&Uacute;";
    case 0xDB: return "&Ucirc;";
    case 0xDC: return "&Uuml;";
    case 0xE0: return "&agrave;";
    case 0xE1: return "&aacute;";
    case 0xE2: return "&acirc;";
    case 0xE3: return "&atilde;";
    case 0xE7: return "&ccedil;";
    case 0xE9: return "&eacute;";
    case 0xEA: return "&ecirc;";
    case 0xED: return "&iacute;";
    case 0xEE: return "&icirc;";
    case 0xF3: return "&oacute;";
    case 0xF4: return "&ocirc;";
    case 0xF5: return "&otilde;";
    case 0xFA: return "&uacute;";
    case 0xFB: return "&ucirc;";
    case 0xFC: return "&uuml;";
    default: return nullptr;
    }
}

bool NaLista(const char* lista, const char* token)
{
    char chave[kTamPalavra + 2];
    CopiarTexto(chave, sizeof chave, token);
    AcrescentarTexto(chave, sizeof chave, ".");
    return std::strstr(lista, chave) != nullptr;
}

bool EntidadeCompleta(const char* texto)
{
    char candidato[kMaxEntidade + 3];
    const std::size_t n = CopiarTexto(candidato, sizeof candidato - 1, texto);
    candidato[n] = ';';
    candidato[n + 1] = '\0';
    return std::strstr(kEntidades, candidato) != nullptr;
}

// The most digits a numeric character reference may have here ("&#x10FFFF;",
// "&#00008594;" of the edges); every byte read to try one can be given back.
constexpr std::size_t kMaxDigitosReferencia = 10;

constexpr std::size_t kLimiteResto = 1530;
constexpr std::size_t kMaxFim = 15;

} // namespace

clDocHtml::clDocHtml(PedidoTraducao* p, clSaidaPendente* pendente) : clDocumento(p, pendente)
{
    etiqueta[0] = '\0';
}

clDocHtml::~clDocHtml()
{
    try {
        for (int i = 0; i < palavraSaida.marcas.Quantos(); ++i) FecharMarca(palavraSaida.marcas.Obter(i));
    } catch (...) {
        // Out of memory for the last end tags: the document ends without them.
    }
}

void clDocHtml::DevolverPalavra(const clPalavra& palavra, std::int16_t tipo)
{
    if (topoPalavras >= 0) return;  // one slot: the reader never gives back two
    ++topoPalavras;
    pilhaPalavras[topoPalavras] = palavra;
    tiposPilha[topoPalavras] = tipo;
}

bool clDocHtml::LerToken(clPalavra& w, std::int16_t& tipo)
{
    if (topoPalavras >= 0) {
        w = pilhaPalavras[topoPalavras];
        tipo = tiposPilha[topoPalavras];
        --topoPalavras;
        return true;
    }
    w.Limpar();
    tipo = TK_PALAVRA;
    w.espacoAntes = PularConjunto(BRANCOS, BRANCOS);
    int c = LerCaractere();
    if (c == FIM_ENTRADA) return false;

    std::size_t n = 0;
    if (c == '<') {
        tipo = TK_ETIQUETA;
        w.texto[n++] = '<';
        while (true) {
            const int d = LerCaractere();
            if (d == FIM_ENTRADA) return false;
            // A name longer than a word is cut; the rest stays in the input,
            // where the tag's remainder is read or copied.
            if (NoConjunto(BRANCOS, d) || d == '>' || n >= kTamPalavra - 2) {
                DevolverCaractere(d);
                break;
            }
            w.texto[n++] = static_cast<char>(d);
            if (n == 4 && std::memcmp(w.texto, "<!--", 4) == 0) {
                tipo = TK_COMENTARIO;
                break;
            }
        }
        w.texto[n] = '\0';
        for (char* p = w.texto; *p; ++p)
            if (*p >= 'A' && *p <= 'Z') *p = static_cast<char>(*p - 'A' + 'a');
        return true;
    }

    if (c == '&' && LerReferenciaNumerica(w.texto, n, kTamPalavra - 2) == 1) {
        // A numeric character reference is a token of its own, like a
        // named entity, and is never split.
        return true;
    }
    if (c == '&') {
        w.texto[n++] = '&';
        bool completa = false;
        int d;
        while (true) {
            d = LerCaractere();
            // Past the longest entity nothing can complete: the bytes go back.
            if (completa || d == FIM_ENTRADA || NoConjunto(DELIMITADORES, d) || n > kMaxEntidade) break;
            w.texto[n++] = static_cast<char>(d);
            w.texto[n] = '\0';
            completa = EntidadeCompleta(w.texto);
        }
        if (d == ';') w.texto[n++] = ';';
        else DevolverCaractere(d);
        w.texto[n] = '\0';
        if (completa) return true;
        while (n > 1) DevolverCaractere(static_cast<unsigned char>(w.texto[--n]));
        w.texto[1] = '\0';
    } else {
        w.texto[n++] = static_cast<char>(c);
        if (NoConjunto(DELIMITADORES, c)) {
            w.texto[n] = '\0';
            if (NoConjunto(FINAIS, c)) tipo = TK_FIM_FRASE;
            else if (NoConjunto(APOSTROFOS, c)) aspaAberta ^= 1;
            return true;
        }
    }

    while (n < kTamPalavra - 2) {
        c = LerCaractere();
        if (c == FIM_ENTRADA) {
            DevolverCaractere(c);
            break;
        }
        if (c == '&') {
            // A numeric character reference inside a word stays in it whole
            // (its ";" would otherwise end the sentence); one that does not
            // fit ends the word and starts the next token.
            const int r = LerReferenciaNumerica(w.texto, n, kTamPalavra - 2);
            if (r == 1) continue;
            if (r == 2) break;
        }
        if (!NoConjunto(DELIMITADORES, c)) {
            w.texto[n++] = static_cast<char>(c);
            continue;
        }
        if (NoConjunto(INTERNOS, c)) {
            const int seguinte = LerCaractere();
            DevolverCaractere(seguinte);
            if (seguinte != FIM_ENTRADA && !NoConjunto(DELIMITADORES, seguinte)) {
                w.texto[n++] = NoConjunto(APOSTROFOS, c) ? '\'' : static_cast<char>(c);
                continue;
            }
            if (NoConjunto(APOSTROFOS, c) && !aspaAberta) {
                w.texto[n++] = '\'';  // a trailing apostrophe, as in "boys'"
                continue;
            }
            if (NoConjunto(APOSTROFOS, c)) aspaAberta = 0;
        }
        DevolverCaractere(c);
        break;
    }
    w.texto[n] = '\0';
    w.Classificar();
    return true;
}

int clDocHtml::LerReferenciaNumerica(char* texto, std::size_t& n, std::size_t limite)
{
    // The "&" has been read. "#", an optional "x", digits and ";".
    char lidos[kMaxDigitosReferencia + 4];
    std::size_t k = 0;
    bool hex = false;
    bool completa = false;
    int c = LerCaractere();
    if (c == '#') {
        lidos[k++] = '#';
        c = LerCaractere();
        if (c == 'x' || c == 'X') {
            hex = true;
            lidos[k++] = static_cast<char>(c);
            c = LerCaractere();
        }
        std::size_t digitos = 0;
        while (digitos < kMaxDigitosReferencia && c != FIM_ENTRADA &&
               ((c >= '0' && c <= '9') || (hex && ((c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F'))))) {
            lidos[k++] = static_cast<char>(c);
            ++digitos;
            c = LerCaractere();
        }
        if (digitos > 0 && c == ';') {
            lidos[k++] = ';';
            completa = true;
        }
    }
    if (completa && n + 1 + k <= limite) {
        texto[n++] = '&';
        std::memcpy(texto + n, lidos, k);
        n += k;
        texto[n] = '\0';
        return 1;
    }
    if (!completa) DevolverCaractere(c);
    while (k > 0) DevolverCaractere(static_cast<unsigned char>(lidos[--k]));
    if (!completa) return 0;
    DevolverCaractere('&');
    return 2;
}

bool clDocHtml::LerResto(char* buffer, std::size_t tam, int fim, std::size_t limite)
{
    if (tam == 0) return false;
    std::size_t n = 0;
    while (n + 1 < tam && buffer[n]) ++n;
    buffer[n] = '\0';
    std::size_t acrescentados = 0;
    while (acrescentados + 1 < limite && n + 1 < tam) {
        const int c = LerCaractere();
        if (c == FIM_ENTRADA) return false;
        buffer[n++] = NoConjunto(BRANCOS, c) ? ' ' : static_cast<char>(c);
        buffer[n] = '\0';
        ++acrescentados;
        if (c == fim) return true;
    }
    return false;
}

int clDocHtml::CopiarOuDescartar(bool copiar, const char* fim1, const char* fim2, const char* fim3)
{
    const char* fins[3] = {fim1 ? fim1 : "", fim2 ? fim2 : "", fim3 ? fim3 : ""};
    std::size_t tams[3];
    std::size_t maior = 0;
    for (int i = 0; i < 3; ++i) {
        tams[i] = std::strlen(fins[i]);
        if (tams[i] > kMaxFim) tams[i] = 0;  // longer than remembered: could never match
        if (tams[i] > maior) maior = tams[i];
    }
    if (maior == 0) return 0;
    // The last bytes read, lower-cased, newest at the end.
    char ultimos[kMaxFim];
    std::size_t lidos = 0;
    while (true) {
        const int c = LerCaractere();
        if (c == FIM_ENTRADA) return 0;
        if (copiar) EscreverCaractere(static_cast<char>(c));
        if (lidos == maior) {
            std::memmove(ultimos, ultimos + 1, maior - 1);
            --lidos;
        }
        ultimos[lidos++] = Minuscula(static_cast<char>(c));
        for (int i = 0; i < 3; ++i)
            if (tams[i] && tams[i] <= lidos && std::memcmp(ultimos + lidos - tams[i], fins[i], tams[i]) == 0)
                return i + 1;
    }
}

int clDocHtml::CopiarAte(const char* fim1, const char* fim2, const char* fim3)
{
    return CopiarOuDescartar(true, fim1, fim2, fim3);
}

int clDocHtml::DescartarAte(const char* fim1, const char* fim2, const char* fim3)
{
    return CopiarOuDescartar(false, fim1, fim2, fim3);
}

void clDocHtml::AbrirMarca(std::int16_t numero)
{
    if (numero < 0 || numero >= kPedacosMarca) return;
    TextoMarca(numero, textoMarca, sizeof textoMarca);
    // Written again (its words were parted), the element must not repeat
    // the name or id that makes it unique in the page.
    if (reservaMarcas.pedacos[numero].escrito) {
        RemoverAtributo(textoMarca, "id");
        RemoverAtributo(textoMarca, "name");
    }
    EscreverTexto(textoMarca);
    std::int16_t p = numero;
    for (int passo = 0; passo < kPedacosMarca && p >= 0 && p < kPedacosMarca; ++passo) {
        PedacoMarca& pedaco = reservaMarcas.pedacos[p];
        if (passo > 0 && pedaco.tipo != MARCA_CONTINUA) break;
        pedaco.escrito = 1;
        p = pedaco.proximo;
    }
}

void clDocHtml::EscreverFimDeEtiqueta(char* texto)
{
    const char* nome = texto[0] ? texto + 1 : texto;
    std::size_t n = 0;
    while (nome[n] && !NoConjunto(BRANCOS, static_cast<unsigned char>(nome[n])) && nome[n] != '>' &&
           !(nome[n] == '/' && n > 0))
        ++n;
    EscreverTexto("</");
    const char guardado = nome[n];
    texto[nome - texto + n] = '\0';
    EscreverTexto(nome);
    texto[nome - texto + n] = guardado;
    EscreverTexto(">");
}

void clDocHtml::FecharMarca(std::int16_t numero)
{
    if (numero < 0 || numero >= kPedacosMarca) return;
    TextoMarca(numero, textoMarca, sizeof textoMarca);
    EscreverFimDeEtiqueta(textoMarca);
    PedacoMarca& pedaco = reservaMarcas.pedacos[numero];
    if (pedaco.tipo == MARCA_FECHADA) pedaco.tipo = MARCA_SOLTAR;
}

void clDocHtml::EscreverPedaco(const clPalavra& pedaco, bool espaco)
{
    // Only the outermost markup the output and the piece share, in the same
    // order, stays open: everything opened inside it is closed, newest
    // first, and what the piece carries is opened again, oldest first, so
    // elements always nest (even when a word carries only the newest of many
    // nested ones, or reordered words leave an outer one behind).
    const clMarcas& abertas = palavraSaida.marcas;
    const int nAbertas = abertas.Quantos();
    const int nPedaco = pedaco.marcas.Quantos();
    int comuns = 0;
    while (comuns < nAbertas && comuns < nPedaco && abertas.Obter(-1 - comuns) == pedaco.marcas.Obter(-1 - comuns))
        ++comuns;
    for (int i = 0; i < nAbertas - comuns; ++i) FecharMarca(abertas.Obter(i));
    if (espaco) EscreverCaractere(' ');
    for (int i = nPedaco - comuns - 1; i >= 0; --i) AbrirMarca(pedaco.marcas.Obter(i));
    palavraSaida = pedaco;
    palavraSaida.pedaco = nullptr;
    for (const char* p = pedaco.texto; *p; ++p) {
        if (const char* entidade = EntidadeSaida(static_cast<unsigned char>(*p))) EscreverTexto(entidade);
        else EscreverCaractere(*p);
    }
}

void clDocHtml::EscreverPalavraHtml(const clPalavra& w)
{
    clPalavra pedaco;
    for (int k = 0; w.Pedaco(k, &pedaco); ++k)
        if (pedaco.texto[0]) EscreverPedaco(pedaco, k == 0 && w.espacoAntes);
}

void clDocHtml::BrancosDepois(bool temPalavras)
{
    if (!temPalavras) {
        CopiarBrancos();
        return;
    }
    // Copied out at once, the blanks would leave the words on either side
    // with no blank between them, and the sentence would join them.
    if (PularConjunto(BRANCOS, BRANCOS)) espacoPendente = 1;
}

void clDocHtml::EscreverFrase(clFrase& frase)
{
    for (int i = 0; i <= frase.Ultimo(); ++i) {
        clPalavra* w = frase.Obter(i);
        w->AplicarCaixa();
        EscreverPalavraHtml(*w);
    }
    RecolherMarcas();
    ReverMarcas();
}

void clDocHtml::PassosEtiqueta(clPalavra& w, bool temPalavras, bool& feito)
{
    if (NaLista(kEtiquetasInternas, w.texto)) {
        CopiarTexto(etiqueta, sizeof etiqueta, w.texto);
        // The whole tag buffer: a long link is kept, not dropped.
        if (!LerResto(etiqueta, sizeof etiqueta, '>', sizeof etiqueta)) {
            // Too long even so, or cut by the end of input. A start tag is
            // written at once as it stands, as an empty element, so that
            // nothing of it is lost and no end tag is left without it; an
            // end tag that long is dropped. The blank before it still
            // separates the words around it.
            if (etiqueta[1] != '/') {
                EscreverTexto(etiqueta);
                if (CopiarAte(">")) EscreverFimDeEtiqueta(etiqueta);
            } else {
                DescartarAte(">");
            }
            if (w.espacoAntes && temPalavras) espacoPendente = 1;
            BrancosDepois(temPalavras);
            return;
        }
        bool ancora = false;
        if (std::strcmp(w.texto, "<a") == 0) {
            AplicarAtributos("<a", etiqueta, sizeof etiqueta);
            char nome[2];
            ancora = ValorAtributo(etiqueta, "name", nome, sizeof nome) != nullptr;
        }
        if (w.espacoAntes) espacoPendente = 1;
        const std::size_t tam = std::strlen(etiqueta);
        if (etiqueta[1] == '/') {
            // "</b>" closes the newest open markup whose text begins "<b".
            etiqueta[tam - 1] = '\0';
            etiqueta[1] = '<';
            // An element no word has carried (empty, as <span id=x></span>)
            // would never be written: it is written now, empty.
            const std::int16_t numero = ProcurarMarcaFonte(etiqueta + 1);
            if (numero >= 0 && !reservaMarcas.levada[numero]) {
                clPalavra vazia;
                MarcarPalavra(vazia);
                EscreverPedaco(vazia, false);
            }
            FecharMarcaFonte(etiqueta + 1);
            return;
        }
        if (tam >= 2 && etiqueta[tam - 2] == '/') {
            // Closed by itself ("<a name=x/>"): it encloses nothing and
            // has no end tag to wait for.
            EscreverTexto(etiqueta);
            return;
        }
        if (GuardarMarca(etiqueta) < 0) {
            // No room left in the pool: kept as an empty element.
            EscreverTexto(etiqueta);
            EscreverFimDeEtiqueta(etiqueta);
            return;
        }
        if (ancora) {
            // The anchor is written at once, around an empty comment, so
            // that it stays where it was even with no word inside it.
            clPalavra marca;
            CopiarTexto(marca.texto, sizeof marca.texto, "<!---->");
            MarcarPalavra(marca);
            EscreverPalavraHtml(marca);
        }
        return;
    }

    if (temPalavras) {
        // The tag ends the sentence and is read again to start the next one.
        DevolverPalavra(w, TK_ETIQUETA);
        feito = true;
        return;
    }
    MarcarPalavra(w);
    EscreverPalavraHtml(w);
    if (NaLista(kEtiquetasScript, w.texto)) {
        char fim[kTamPalavra + 2] = "</";
        AcrescentarTexto(fim, sizeof fim, w.texto + 1);
        CopiarAte(fim);
        CopiarAte(">");
    } else if (NaLista(kEtiquetasAtributos, w.texto)) {
        etiqueta[0] = '\0';
        if (!LerResto(etiqueta, sizeof etiqueta, '>', kLimiteResto)) {
            EscreverTexto(etiqueta);
            CopiarAte(">");
        } else {
            AplicarAtributos(w.texto, etiqueta, sizeof etiqueta);
            EscreverTexto(etiqueta);
        }
    } else if (std::strcmp(w.texto, "<pre") == 0) {
        if (CopiarAte(">")) CopiarPreformatado();
    } else {
        CopiarAte(">");
    }
    CopiarBrancos();
}

void clDocHtml::CopiarPreformatado()
{
    // The text is copied as it stands, every blank and line break kept, and
    // left untranslated (it is mostly code, whose layout is its meaning);
    // tags inside still have their addresses rewritten.
    while (true) {
        const int c = LerCaractere();
        if (c == FIM_ENTRADA) return;
        const int d = c == '<' ? LerCaractere() : FIM_ENTRADA;
        if (c == '<') DevolverCaractere(d);
        const bool ehEtiqueta = c == '<' && ((d >= 'a' && d <= 'z') || (d >= 'A' && d <= 'Z') || d == '/' || d == '!');
        if (!ehEtiqueta) {
            EscreverCaractere(static_cast<char>(c));
            continue;
        }
        char token[kTamPalavra];
        std::size_t n = 0;
        token[n++] = '<';
        int e;
        while ((e = LerCaractere()) != FIM_ENTRADA && !NoConjunto(BRANCOS, e) && e != '>' && n < kTamPalavra - 2) {
            token[n++] = static_cast<char>(e);
            if (n == 4 && std::memcmp(token, "<!--", 4) == 0) break;
        }
        token[n] = '\0';
        if (e != FIM_ENTRADA && !(n == 4 && std::memcmp(token, "<!--", 4) == 0)) DevolverCaractere(e);
        char minusculo[kTamPalavra];
        CopiarTexto(minusculo, sizeof minusculo, token);
        for (char* p = minusculo; *p; ++p) *p = Minuscula(*p);
        if (std::strcmp(minusculo, "<!--") == 0) {
            EscreverTexto(token);
            CopiarAte("-->", "--!>");
        } else if (std::strcmp(minusculo, "<a") == 0 || NaLista(kEtiquetasAtributos, minusculo)) {
            CopiarTexto(etiqueta, sizeof etiqueta, token);
            const bool inteira = LerResto(etiqueta, sizeof etiqueta, '>', sizeof etiqueta);
            if (inteira) AplicarAtributos(minusculo, etiqueta, sizeof etiqueta);
            EscreverTexto(etiqueta);
            if (!inteira) CopiarAte(">");
        } else {
            EscreverTexto(token);
            CopiarAte(">");
            if (std::strcmp(minusculo, "</pre") == 0) return;
        }
    }
}

bool clDocHtml::LerFrase(clFrase& origem)
{
    aspaAberta = 0;
    origem.Limpar();
    bool feito = false;
    bool temPalavras = false;
    clPalavra w;
    while (!feito) {
        std::int16_t tipo = TK_PALAVRA;
        if (!LerToken(w, tipo)) return origem.Ultimo() >= 0;
        switch (tipo) {
        case TK_FIM_FRASE:
            feito = true;
            [[fallthrough]];
        case TK_PALAVRA:
            temPalavras = true;
            if (espacoPendente) {
                w.espacoAntes = 1;
                espacoPendente = 0;
            }
            MarcarPalavra(w);
            if (!origem.Acrescentar(w)) {
                DevolverPalavra(w, tipo);
                feito = true;
            }
            break;
        case TK_COMENTARIO:
            MarcarPalavra(w);
            EscreverPalavraHtml(w);
            CopiarAte("-->", "--!>");
            // Between two words of a sentence the comment's blank still
            // separates them.
            if (w.espacoAntes && temPalavras) espacoPendente = 1;
            BrancosDepois(temPalavras);
            break;
        default:
            PassosEtiqueta(w, temPalavras, feito);
            break;
        }
    }
    return true;
}
