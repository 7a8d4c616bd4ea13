#include "formats/rtf.h"

#include <cstdio>
#include <cstring>

#include "caracteres.h"
#include "html_utf8.h"

const EntradaControle TabControle[kQuantosControles] = {
    {"\\b", CTL_FORMATO, 0},          {"\\caps", CTL_FORMATO, 0},     {"\\cb", CTL_FORMATO, 1},
    {"\\cchs", CTL_FORMATO, 1},       {"\\cf", CTL_FORMATO, 1},       {"\\cs", CTL_FORMATO, 1},
    {"\\deleted", CTL_FORMATO, 0},    {"\\dn", CTL_FORMATO, 1},       {"\\expnd", CTL_FORMATO, 1},
    {"\\expndtw", CTL_FORMATO, 1},    {"\\f", CTL_FORMATO, 1},        {"\\footer", CTL_DESTINO, 0},
    {"\\footerf", CTL_DESTINO, 0},    {"\\footerl", CTL_DESTINO, 0},  {"\\footerr", CTL_DESTINO, 0},
    {"\\footnote", CTL_DESTINO, 0},   {"\\fs", CTL_FORMATO, 1},       {"\\cgrid", CTL_FORMATO, 0},
    {"\\header", CTL_DESTINO, 0},     {"\\headerf", CTL_DESTINO, 0},  {"\\headerl", CTL_DESTINO, 0},
    {"\\headerr", CTL_DESTINO, 0},    {"\\i", CTL_FORMATO, 0},        {"\\kerning", CTL_FORMATO, 1},
    {"\\lang", CTL_FORMATO, 1},       {"\\ltrch", CTL_FORMATO, 0},    {"\\nosupersub", CTL_FORMATO, 0},
    {"\\outl", CTL_FORMATO, 0},       {"\\par", CTL_PARAGRAFO, 0},    {"\\plain", CTL_FORMATO, 0},
    {"\\revauth", CTL_FORMATO, 1},    {"\\revdttm", CTL_FORMATO, 1},  {"\\revised", CTL_FORMATO, 0},
    {"\\rtf", CTL_DESTINO, 0},        {"\\rtlch", CTL_FORMATO, 0},    {"\\scaps", CTL_FORMATO, 0},
    {"\\shad", CTL_FORMATO, 0},       {"\\strike", CTL_FORMATO, 0},   {"\\sub", CTL_FORMATO, 0},
    {"\\super", CTL_FORMATO, 0},      {"\\ul", CTL_FORMATO, 0},       {"\\uld", CTL_FORMATO, 0},
    {"\\uldb", CTL_FORMATO, 0},       {"\\ulnone", CTL_FORMATO, 0},   {"\\ulw", CTL_FORMATO, 0},
    {"\\up", CTL_FORMATO, 1},         {"\\v", CTL_FORMATO, 0},
};
// "\cb" keeps its number like "\cf": written back without it, a background
// colour would turn into colour 0.

namespace {

constexpr int kPlain = 29, kNoSuperSub = 26, kSub = 38, kSuper = 39, kUl = 40, kUld = 41,
              kUldb = 42, kUlNone = 43, kUlw = 44;

// The quotation-mark words stand for their Windows-1252 bytes.
struct Aspa {
    const char* nome;
    unsigned char byte;
};
constexpr Aspa kAspas[] = {
    {"\\ldblquote", 0x93}, {"\\rdblquote", 0x94}, {"\\lquote", 0x91}, {"\\rquote", 0x92}};

int ByteDeAspa(const char* nome)
{
    for (const Aspa& a : kAspas)
        if (std::strcmp(a.nome, nome) == 0) return a.byte;
    return -1;
}

bool LetraAscii(int c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool DigitoAscii(int c) { return c >= '0' && c <= '9'; }

int ValorHex(int c)
{
    if (DigitoAscii(c)) return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// A decimal parameter, held within the 32-bit slot however many digits came.
std::int32_t LerNumero(const char* p)
{
    bool negativo = false;
    if (*p == '-') {
        negativo = true;
        ++p;
    }
    std::int64_t v = 0;
    for (; DigitoAscii(*p); ++p) {
        v = v * 10 + (*p - '0');
        if (v > 0x80000000LL) v = 0x80000000LL;
    }
    if (negativo) v = -v;
    if (v > 0x7FFFFFFFLL) v = 0x7FFFFFFFLL;
    return static_cast<std::int32_t>(v);
}

void Desligar(EstadoFormato& e, int i) { e.Definir(i, false, 0); }

// Character formatting written by word processors that the table lacks.
const char* const kFormatosDesconhecidos[] = {
    "\\loch", "\\hich", "\\dbch", "\\insrsid", "\\charrsid", "\\delrsid", "\\af", "\\afs", "\\ab", "\\ai",
    "\\aul", "\\acf", "\\acaps", "\\ascaps", "\\ashad", "\\aoutl", "\\astrike", "\\adn", "\\aup", "\\alang",
    "\\langfe", "\\langnp", "\\langfenp", "\\noproof", "\\highlight", "\\chcbpat", "\\chcfpat", "\\chshdng",
    "\\fcs", "\\webhidden", "\\embo", "\\impr", "\\strikedl", "\\ulc", "\\ulth", "\\ulwave", "\\uldash",
    "\\uldashd", "\\uldashdd", "\\ulhwave", "\\ulthd", "\\ulldash", "\\ulthdash", "\\ulthdashd",
    "\\ulthdashdd", "\\ulthldash", "\\ululdbwave", "\\charscalex", "\\animtext", "\\accnone",
    "\\accdot", "\\acccomma", "\\acccircle", "\\accunderdot",
};

// A character outside Windows-1252 inside a word: kUnicode (kUnicodeNegativo
// when its number was written negative), the number's digits, kReserva, three
// digits per fallback byte, kFimUnicode. Digits and control bytes only, so
// neither the reader's delimiters nor capitalisation touch it.
constexpr char kUnicode = '\x01';
constexpr char kReserva = '\x02';
constexpr char kFimUnicode = '\x03';
constexpr char kUnicodeNegativo = '\x05';
// Fallback bytes kept per character; "\ucN" beyond it are skipped all the same.
constexpr int kMaxReserva = 8;

} // namespace

bool FormatoDesconhecido(const char* nome)
{
    for (const char* f : kFormatosDesconhecidos)
        if (std::strcmp(f, nome) == 0) return true;
    return false;
}

int ProcurarControle(const char* nome)
{
    for (int i = 0; i < kQuantosControles; ++i)
        if (std::strcmp(TabControle[i].nome, nome) == 0) return i;
    return -1;
}

void EstadoFormato::Limpar() { std::memset(this, 0, sizeof *this); }

std::int32_t EstadoFormato::Parametro(int i) const
{
    std::int32_t v;
    std::memcpy(&v, slots + i * kTamSlot + 1, sizeof v);
    return v;
}

void EstadoFormato::Definir(int i, bool ligado, std::int32_t parametro)
{
    slots[i * kTamSlot] = ligado ? 1 : 0;
    std::memcpy(slots + i * kTamSlot + 1, &parametro, sizeof parametro);
}

void EstadoFormato::DefinirDestino(const char* nome)
{
    // Zero-filled, so that two states compare equal byte for byte.
    std::memset(destino, 0, sizeof destino);
    CopiarTexto(destino, sizeof destino, nome);
}

std::uint16_t EstadoFormato::Desconhecidas() const
{
    std::uint16_t v;
    std::memcpy(&v, slots + kQuantosControles * kTamSlot, sizeof v);
    return v;
}

void EstadoFormato::DefinirDesconhecidas(std::uint16_t indice)
{
    std::memcpy(slots + kQuantosControles * kTamSlot, &indice, sizeof indice);
}

bool EstadoFormato::operator==(const EstadoFormato& b) const { return std::memcmp(this, &b, sizeof *this) == 0; }

EstadoFormato FormatoDaPalavra(const clPalavra& w)
{
    static_assert(sizeof(EstadoFormato) <= clMarcas::kTamFormato);
    EstadoFormato f;
    std::memcpy(&f, w.marcas.Formato(), sizeof f);
    return f;
}

void GuardarFormato(clPalavra& w, const EstadoFormato& f) { std::memcpy(w.marcas.Formato(), &f, sizeof f); }

int AplicarControle(EstadoFormato& e, const char* controle, const char* parametro)
{
    const int i = ProcurarControle(controle);
    if (i < 0) return CTL_DESCONHECIDO;
    const EntradaControle& ctl = TabControle[i];
    if (ctl.tipo == CTL_FORMATO) {
        if (i == kPlain) {
            std::memset(e.slots, 0, sizeof e.slots);
        } else if (i == kNoSuperSub) {
            Desligar(e, kSuper);
            Desligar(e, kSub);
        } else if (i == kUlNone) {
            for (int u : {kUl, kUld, kUldb, kUlw}) Desligar(e, u);
        } else if (!parametro[0]) {
            e.Definir(i, true, e.Parametro(i));
        } else if (ctl.numerico) {
            e.Definir(i, true, LerNumero(parametro));
        } else if (std::strcmp(parametro, "0") == 0) {
            Desligar(e, i);  // "\b0" turns bold off
        } else {
            e.Definir(i, true, 0);
        }
    } else if (ctl.tipo == CTL_DESTINO) {
        e.DefinirDestino(controle);
    }
    return ctl.tipo;
}

void TextoFormato(const EstadoFormato& novo, const EstadoFormato& anterior, char* saida, std::size_t tam)
{
    if (tam == 0) return;
    saida[0] = '\0';
    char item[40];
    for (int i = 0; i < kQuantosControles; ++i) {
        const EntradaControle& ctl = TabControle[i];
        if (ctl.tipo != CTL_FORMATO || i == kPlain || i == kNoSuperSub || i == kUlNone) continue;
        if (novo.Ligado(i)) {
            if (ctl.numerico) std::snprintf(item, sizeof item, "%.19s%d", ctl.nome, static_cast<int>(novo.Parametro(i)));
            else std::snprintf(item, sizeof item, "%.19s", ctl.nome);
        } else if (anterior.Ligado(i)) {
            std::snprintf(item, sizeof item, "%.19s0", ctl.nome);
        } else {
            continue;
        }
        AcrescentarTexto(saida, tam, item);
    }
}

clDocRtf::clDocRtf(PedidoTraducao* pedido, clSaidaPendente* pendente) : clDocumento(pedido, pendente)
{
    formatoAtual.Limpar();
    formatoSaida.Limpar();
    for (EstadoFormato& f : pilhaGrupos) f.Limpar();
}

clDocRtf::~clDocRtf()
{
    // The writer's own group is closed by the document's closing brace; an
    // input that lacks it (plain text, a cut document) must not be left with
    // a group the writer opened.
    if (grupoAberto) EscreverControle("}", "");
}

void clDocRtf::DevolverPalavra(const clPalavra& palavra, const char* parametro, std::int16_t tipo)
{
    if (topoPalavras >= kPilhaPalavras - 1) return;
    ++topoPalavras;
    pilhaPalavras[topoPalavras] = palavra;
    CopiarTexto(parametrosPilha[topoPalavras], kTamParametro, parametro);
    tiposPilha[topoPalavras] = tipo;
}

bool clDocRtf::LerPalavraControle(int primeira, char* nome, std::size_t tamNome, char* parametro)
{
    // Names and parameters longer than their buffers are cut; the rest of
    // the letters or digits is read and dropped.
    std::size_t n = 0;
    nome[n++] = '\\';
    int c = primeira;
    while (LetraAscii(c)) {
        if (n + 1 < tamNome) nome[n++] = static_cast<char>(c);
        c = LerCaractere();
    }
    nome[n] = '\0';
    std::size_t np = 0;
    if (c == '-') {
        parametro[np++] = '-';
        c = LerCaractere();
        if (c == FIM_ENTRADA) return false;
    }
    while (DigitoAscii(c)) {
        if (np + 1 < static_cast<std::size_t>(kTamParametro)) parametro[np++] = static_cast<char>(c);
        c = LerCaractere();
    }
    parametro[np] = '\0';
    if (c != ' ') DevolverCaractere(c);
    return true;
}

int clDocRtf::LerUnicode(const char* parametro, std::string& texto)
{
    const std::int32_t v = LerNumero(parametro);
    const auto codigo = static_cast<std::uint32_t>(v < 0 ? v + 65536 : v) & 0xFFFFF;
    // The fallback: ucAtual characters, each a byte, a "\'hh" escape, an
    // escaped byte or a control word; a brace ends it early.
    unsigned char reserva[kMaxReserva];
    int nReserva = 0;
    for (std::int32_t k = 0; k < ucAtual; ++k) {
        int c = LerCaractere();
        while (c == '\r' || c == '\n') c = LerCaractere();
        if (c == FIM_ENTRADA || c == '{' || c == '}') {
            DevolverCaractere(c);
            break;
        }
        int byte = c;
        if (c == '\\') {
            const int d = LerCaractere();
            if (d == FIM_ENTRADA) {
                DevolverCaractere(d);
                break;
            }
            byte = d;
            if (d == '\'') {
                byte = 0;
                for (int h = 0; h < 2; ++h) {
                    const int x = LerCaractere();
                    const int valor = ValorHex(x);
                    if (valor < 0) {
                        DevolverCaractere(x);
                        break;
                    }
                    byte = byte * 16 + valor;
                }
            } else if (LetraAscii(d)) {
                char nome[kTamPalavra];
                char par[kTamParametro];
                if (!LerPalavraControle(d, nome, sizeof nome, par)) break;
                byte = -1;  // a control word as fallback is skipped, not kept
                if (std::strcmp(nome, "\\bin") == 0) {
                    // So is its data, which is no RTF.
                    for (std::int64_t b = LerNumero(par); b > 0; --b)
                        if (LerCaractere() == FIM_ENTRADA) break;
                }
            }
        }
        if (byte > 0 && nReserva < kMaxReserva) reserva[nReserva++] = static_cast<unsigned char>(byte);
    }
    texto.clear();
    // Only in a Windows-1252 document does the byte stand for the character.
    const int b = paginaWindows1252 ? ByteWindows1252(codigo) : -1;
    if (b > 0) {
        texto += static_cast<char>(b);
        return b;
    }
    texto += v < 0 ? kUnicodeNegativo : kUnicode;
    texto += std::to_string(codigo & 0xFFFF);
    texto += kReserva;
    char tres[4];
    for (int i = 0; i < nReserva; ++i) {
        std::snprintf(tres, sizeof tres, "%03d", reserva[i]);
        texto += tres;
    }
    texto += kFimUnicode;
    return -1;
}

bool clDocRtf::GuardarDesconhecida(EstadoFormato& estado, const char* nome, const char* parametro)
{
    const std::uint16_t atual = estado.Desconhecidas();
    if (atual >= desconhecidas.size()) return false;
    // In the order read: the meaning of some ("\af" after "\hich" or
    // "\dbch") depends on the words before them.
    std::string lista = desconhecidas[atual];
    lista += nome;
    lista += parametro;
    if (lista.size() > 200) return false;
    std::uint16_t indice;
    if (const auto achado = indiceDesconhecidas.find(lista); achado != indiceDesconhecidas.end()) {
        indice = achado->second;
    } else {
        if (desconhecidas.size() >= 4096) return false;
        indice = static_cast<std::uint16_t>(desconhecidas.size());
        desconhecidas.push_back(lista);
        indiceDesconhecidas.emplace(lista, indice);
    }
    estado.DefinirDesconhecidas(indice);
    return true;
}

void clDocRtf::CopiarBinario(std::int64_t n)
{
    for (std::int64_t i = 0; i < n; ++i) {
        const int c = LerCaractere();
        if (c == FIM_ENTRADA) {
            DevolverCaractere(c);
            return;
        }
        EscreverCaractere(static_cast<char>(c));
    }
}

bool clDocRtf::LerToken(clPalavra& w, char* parametro, std::int16_t& tipo)
{
    if (topoPalavras >= 0) {
        w = pilhaPalavras[topoPalavras];
        CopiarTexto(parametro, kTamParametro, parametrosPilha[topoPalavras]);
        tipo = tiposPilha[topoPalavras];
        --topoPalavras;
        return true;
    }
    w.Limpar();
    parametro[0] = '\0';
    tipo = TK_PALAVRA;
    if (inicio) {
        // A UTF-8 byte order mark before "{\rtf" is no text of the document.
        inicio = false;
        int bom[3];
        int lidos = 0;
        static constexpr int kBom[3] = {0xEF, 0xBB, 0xBF};
        while (lidos < 3 && (bom[lidos] = LerCaractere()) == kBom[lidos]) ++lidos;
        if (lidos < 3) {
            DevolverCaractere(bom[lidos]);
            while (lidos > 0) DevolverCaractere(bom[--lidos]);
        }
    }
    // Inside a sentence only a real blank counts as one: line breaks in RTF
    // source are not text.
    if (emFrase) w.espacoAntes = PularConjunto(BRANCOS, " ");
    else CopiarBrancosRtf();

    auto devolverTexto = [this](int t) {
        DevolverCaractere(t);
        // A brace that was written escaped must be read again escaped.
        if (t == '{' || t == '}') DevolverCaractere('\\');
    };

    bool primeira = true;
    std::size_t n = 0;
    int c = LerCaractere();
    if (c == FIM_ENTRADA) return false;
    while (true) {
        if (c == FIM_ENTRADA) {
            if (primeira) return false;
            DevolverCaractere(c);
            break;
        }
        if (c == '\r' || c == '\n') {
            c = LerCaractere();
            continue;
        }
        int t;
        if (c == '{' || c == '}') {
            if (primeira) {
                w.texto[0] = static_cast<char>(c);
                w.texto[1] = '\0';
                tipo = TK_ETIQUETA;
                return true;
            }
            DevolverCaractere(c);
            break;
        }
        if (c != '\\') {
            t = c;
        } else {
            const int d = LerCaractere();
            if (d == FIM_ENTRADA) return false;
            if (LetraAscii(d)) {
                char nome[kTamPalavra];
                char par[kTamParametro];
                if (!LerPalavraControle(d, nome, kTamPalavra - 1, par)) return false;
                t = ByteDeAspa(nome);
                if (t < 0 && std::strcmp(nome, "\\u") == 0 && DigitoAscii(par[par[0] == '-' ? 1 : 0])) {
                    // A Unicode character: a text byte when Windows-1252 has
                    // it, otherwise carried whole inside the word.
                    std::string unicode;
                    t = LerUnicode(par, unicode);
                    if (t < 0) {
                        if (n + unicode.size() <= 49) {
                            std::memcpy(w.texto + n, unicode.data(), unicode.size());
                            n += unicode.size();
                            primeira = false;
                            c = LerCaractere();
                            continue;
                        }
                        // No room left in this word: the next token.
                        clPalavra seguinte;
                        CopiarTexto(seguinte.texto, sizeof seguinte.texto, unicode.c_str());
                        DevolverPalavra(seguinte, "", TK_PALAVRA);
                        break;
                    }
                }
                if (t < 0) {
                    if (primeira) {
                        CopiarTexto(w.texto, sizeof w.texto, nome);
                        CopiarTexto(parametro, kTamParametro, par);
                        tipo = TK_ETIQUETA;
                        return true;
                    }
                    clPalavra controle;
                    CopiarTexto(controle.texto, sizeof controle.texto, nome);
                    DevolverPalavra(controle, par, TK_ETIQUETA);
                    break;
                }
            } else if (d != 0 && std::strchr(":*-_|~", d)) {
                if (primeira) {
                    w.texto[0] = '\\';
                    w.texto[1] = static_cast<char>(d);
                    w.texto[2] = '\0';
                    tipo = TK_ETIQUETA;
                    return true;
                }
                DevolverCaractere(d);
                DevolverCaractere('\\');
                break;
            } else if (d == '\'') {
                // A byte that is not a hex digit ends the escape and is read
                // again, so that a brace is never swallowed by a bad escape.
                int valor = 0;
                for (int k = 0; k < 2; ++k) {
                    const int h = LerCaractere();
                    if (h == FIM_ENTRADA) return false;
                    const int v = ValorHex(h);
                    if (v < 0) {
                        DevolverCaractere(h);
                        break;
                    }
                    valor = valor * 16 + v;
                }
                t = valor;
            } else {
                t = d;
            }
        }

        if (t == 0) {
            // A zero byte cannot stand in a zero-terminated word; it is dropped.
            c = LerCaractere();
            continue;
        }
        if (t == kUnicode || t == kReserva || t == kFimUnicode || t == kUnicodeNegativo) {
            // A text byte that the word uses as a mark of its own is carried
            // as the character it is, written back as "\uN".
            std::string unicode(1, kUnicode);
            unicode += std::to_string(t);
            unicode += kReserva;
            unicode += kFimUnicode;
            if (n + unicode.size() <= 49) {
                std::memcpy(w.texto + n, unicode.data(), unicode.size());
                n += unicode.size();
                primeira = false;
                c = LerCaractere();
                continue;
            }
            clPalavra seguinte;
            CopiarTexto(seguinte.texto, sizeof seguinte.texto, unicode.c_str());
            DevolverPalavra(seguinte, "", TK_PALAVRA);
            break;
        }
        if (primeira) {
            w.texto[n++] = static_cast<char>(t);
            if (NoConjunto(DELIMITADORES, t)) {
                w.texto[n] = '\0';
                if (NoConjunto(FINAIS, t)) tipo = TK_FIM_FRASE;
                else if (NoConjunto(APOSTROFOS, t)) aspaAberta ^= 1;
                return true;
            }
            primeira = false;
        } else if (!NoConjunto(DELIMITADORES, t)) {
            w.texto[n++] = static_cast<char>(t);
        } else if (NoConjunto(INTERNOS, t)) {
            const int seguinte = LerCaractere();
            // A control word after the mark ends the word ("big.\par"), as
            // a blank would; an escaped byte ("\'e9") is text.
            bool controle = false;
            if (seguinte == '\\') {
                const int depois = LerCaractere();
                DevolverCaractere(depois);
                controle = depois != '\'' && depois != '\\' && depois != '{' && depois != '}';
            }
            DevolverCaractere(seguinte);
            if (seguinte != FIM_ENTRADA && !controle && !NoConjunto(DELIMITADORES, seguinte)) {
                w.texto[n++] = NoConjunto(APOSTROFOS, t) ? '\'' : static_cast<char>(t);
            } else if (NoConjunto(APOSTROFOS, t) && !aspaAberta) {
                w.texto[n++] = '\'';  // a trailing apostrophe, as in "boys'"
            } else {
                if (NoConjunto(APOSTROFOS, t)) aspaAberta = 0;
                devolverTexto(t);
                break;
            }
        } else {
            devolverTexto(t);
            break;
        }
        if (n >= 49) break;
        c = LerCaractere();
    }
    w.texto[n] = '\0';
    w.Classificar();
    return true;
}

void clDocRtf::EscreverControle(const char* controle, const char* parametro)
{
    EscreverTexto(controle);
    EscreverTexto(parametro);
    const char* ultimo = parametro[0] ? parametro : controle;
    const std::size_t n = std::strlen(ultimo);
    if (n == 0) return;
    // Only a control word (ending in a letter or digit) needs a delimiter
    // before text; after a brace or a control symbol ("\~", "\-") a blank
    // would be text.
    const char fim = ultimo[n - 1];
    controlePendente = (LetraAscii(static_cast<unsigned char>(fim)) || DigitoAscii(static_cast<unsigned char>(fim))) ? 1 : 0;
}

void clDocRtf::CopiarBrancosRtf()
{
    // Right after a control word a line break or tab delimits it and a blank
    // is taken as its delimiter; the blank that delimited it in the input was
    // consumed by the reader, so a copied blank needs one of its own and no
    // blank is owed to the next word (a paragraph mark then a line break must not gain one).
    int c;
    while ((c = LerCaractere()) != FIM_ENTRADA) {
        if (!NoConjunto(BRANCOS, c) || c == 0) {
            DevolverCaractere(c);
            return;
        }
        if (controlePendente && c == ' ') EscreverCaractere(' ');
        controlePendente = 0;
        EscreverCaractere(static_cast<char>(c));
    }
    DevolverCaractere(c);
}

void clDocRtf::EscreverEspacoPendente()
{
    // A blank read before a control token that is written as it stands
    // belongs before it, not to the next word: a field or a paragraph mark
    // must not run into the word before it, nor the next paragraph start
    // with a blank.
    if (!espacoPendente) return;
    if (controlePendente) EscreverCaractere(' ');
    EscreverCaractere(' ');
    controlePendente = 0;
    espacoPendente = 0;
}

void clDocRtf::CopiarGrupo(const char* chave, const char* controle, const char* parametro)
{
    controlePendente = 1;
    EscreverTexto(chave);
    EscreverTexto(controle);
    EscreverTexto(parametro);
    if (std::strcmp(controle, "\\bin") == 0) {
        // The group opens with data: one blank, then its bytes as they are.
        EscreverCaractere(' ');
        CopiarBinario(LerNumero(parametro));
        controle = "";
    }
    // The blank that ended the control word was consumed by the reader; a
    // letter, digit, "-" or blank right after it would now join the control
    // word, so a delimiter is put back.
    if (controle[0] == '\\' && LetraAscii(static_cast<unsigned char>(controle[1]))) {
        const int c = LerCaractere();
        DevolverCaractere(c);
        if (LetraAscii(c) || DigitoAscii(c) || c == '-' || c == ' ') EscreverCaractere(' ');
    }
    int profundidade = 0;
    while (true) {
        const int c = LerCaractere();
        if (c == FIM_ENTRADA) {
            DevolverCaractere(c);
            return;
        }
        EscreverCaractere(static_cast<char>(c));
        if (c == '{') {
            ++profundidade;
        } else if (c == '}') {
            if (--profundidade < 0) {
                // The group ends with its brace: what follows needs no delimiter.
                controlePendente = 0;
                return;
            }
        } else if (c == '\\') {
            const int d = LerCaractere();
            if (d == FIM_ENTRADA) {
                DevolverCaractere(d);
                return;
            }
            EscreverCaractere(static_cast<char>(d));
            if (d != 'b') continue;
            // "\binN": N bytes of data follow that are no RTF.
            char nome[8] = "b";
            std::size_t n = 1;
            int e;
            while ((e = LerCaractere()) != FIM_ENTRADA && LetraAscii(e) && n < 4) {
                nome[n++] = static_cast<char>(e);
                EscreverCaractere(static_cast<char>(e));
            }
            nome[n] = '\0';
            if (std::strcmp(nome, "bin") != 0 || !(DigitoAscii(e) || e == '-')) {
                DevolverCaractere(e);
                continue;
            }
            char numero[24];
            std::size_t nd = 0;
            while ((DigitoAscii(e) || (e == '-' && nd == 0)) && nd + 1 < sizeof numero) {
                numero[nd++] = static_cast<char>(e);
                EscreverCaractere(static_cast<char>(e));
                e = LerCaractere();
            }
            numero[nd] = '\0';
            if (e == ' ') EscreverCaractere(' ');
            else DevolverCaractere(e);
            CopiarBinario(LerNumero(numero));
        }
    }
}

void clDocRtf::EmpilharFormato(const EstadoFormato& f, bool chave)
{
    if (gruposExcedentes > 0 || topoGrupos >= kPilhaGrupos - 1) {
        ++gruposExcedentes;
        return;
    }
    pilhaGrupos[++topoGrupos] = f;
    ucGrupos[topoGrupos] = ucAtual;
    chaveEscrita[topoGrupos] = chave;
}

void clDocRtf::DesempilharFormato()
{
    if (gruposExcedentes > 0) {
        // A group too deep to be saved gets the deepest saved state back.
        --gruposExcedentes;
        if (topoGrupos >= 0) formatoAtual = pilhaGrupos[topoGrupos];
        return;
    }
    if (topoGrupos < 0) return;
    ucAtual = ucGrupos[topoGrupos];
    formatoAtual = pilhaGrupos[topoGrupos--];
}

bool clDocRtf::FechaDestino() const
{
    if (gruposExcedentes > 0) return false;
    if (topoGrupos < 0) return true;
    // Whether the group wrote its brace, not whether the destination's name
    // changes: "{\rtf1{\rtf1 x}}" opens the same destination twice.
    return chaveEscrita[topoGrupos];
}

bool clDocRtf::LerFrase(clFrase& origem)
{
    aspaAberta = 0;
    emFrase = 0;
    origem.Limpar();
    clPalavra w;
    char parametro[kTamParametro];
    while (true) {
        std::int16_t tipo = TK_PALAVRA;
        if (!LerToken(w, parametro, tipo)) return origem.Ultimo() >= 0;

        if (tipo == TK_PALAVRA || tipo == TK_FIM_FRASE) {
            emFrase = 1;
            if (espacoPendente) {
                w.espacoAntes = 1;
                espacoPendente = 0;
            }
            GuardarFormato(w, formatoAtual);
            if (!origem.Acrescentar(w)) {
                DevolverPalavra(w, parametro, tipo);
                return true;
            }
            if (tipo == TK_FIM_FRASE) return true;
            continue;
        }
        if (tipo != TK_ETIQUETA) continue;

        if (w.espacoAntes) espacoPendente = 1;
        if (std::strcmp(w.texto, "{") == 0) {
            clPalavra w2;
            char parametro2[kTamParametro];
            std::int16_t tipo2 = TK_PALAVRA;
            if (!LerToken(w2, parametro2, tipo2)) return origem.Ultimo() >= 0;
            const bool chave = std::strcmp(w2.texto, "{") == 0 || std::strcmp(w2.texto, "}") == 0;
            const int i2 = tipo2 == TK_ETIQUETA && !chave ? ProcurarControle(w2.texto) : -1;
            const int t2 = i2 >= 0 ? TabControle[i2].tipo : CTL_DESCONHECIDO;
            if (tipo2 != TK_ETIQUETA || chave || t2 == CTL_FORMATO || t2 == CTL_PARAGRAFO ||
                (t2 == CTL_DESCONHECIDO && FormatoDesconhecido(w2.texto))) {
                DevolverPalavra(w2, parametro2, tipo2);
                EmpilharFormato(formatoAtual);
            } else if (emFrase) {
                // An unknown group or a destination ends the sentence first,
                // so that a header's or footnote's text does not run into the
                // body text; the group is handled when the next one begins.
                DevolverPalavra(w2, parametro2, tipo2);
                DevolverPalavra(w, "", TK_ETIQUETA);
                return true;
            } else if (t2 == CTL_DESCONHECIDO || topoGrupos >= kPilhaGrupos - 1 || gruposExcedentes > 0) {
                // Unknown groups, and destinations nested too deep for their
                // state to be saved, are copied through whole.
                EscreverEspacoPendente();
                CopiarGrupo("{", w2.texto, parametro2);
            } else {
                EmpilharFormato(formatoAtual, true);
                if (grupoAberto) {
                    EscreverControle("}", "");
                    grupoAberto = 0;
                }
                EscreverEspacoPendente();
                EscreverControle("{", "");
                EscreverControle(w2.texto, parametro2);
                AplicarControle(formatoAtual, w2.texto, parametro2);
                plainPendente = 1;
            }
            continue;
        }
        if (std::strcmp(w.texto, "}") == 0) {
            if (FechaDestino()) {
                if (emFrase) {
                    DevolverPalavra(w, parametro, tipo);
                    return true;
                }
                DesempilharFormato();
                if (grupoAberto) {
                    EscreverControle("}", "");
                    grupoAberto = 0;
                }
                EscreverEspacoPendente();
                EscreverControle("}", "");
            } else {
                // The group's formatting reached the output through the
                // writer's own groups; its brace is not written.
                DesempilharFormato();
                if (grupoAberto) {
                    EscreverControle("}", "");
                    grupoAberto = 0;
                }
            }
            continue;
        }
        if (std::strcmp(w.texto, "\\ansicpg") == 0) {
            paginaWindows1252 = LerNumero(parametro) == 1252;
        } else if (std::strcmp(w.texto, "\\uc") == 0) {
            const std::int32_t n = LerNumero(parametro);
            ucAtual = n < 0 ? 0 : n > 255 ? 255 : n;
            if (ucAtual != 1) ucAlterado = true;
        } else if (std::strcmp(w.texto, "\\bin") == 0) {
            if (emFrase) {
                DevolverPalavra(w, parametro, tipo);
                return true;
            }
            // Its data is copied byte for byte, never read as text. The
            // writer's own group is closed first: data cut short by the end
            // of the input would otherwise swallow that group's brace.
            if (grupoAberto) {
                EscreverControle("}", "");
                grupoAberto = 0;
            }
            EscreverEspacoPendente();
            EscreverControle(w.texto, parametro);
            EscreverCaractere(' ');
            controlePendente = 0;
            CopiarBinario(LerNumero(parametro));
            continue;
        } else if (ProcurarControle(w.texto) < 0 && FormatoDesconhecido(w.texto) &&
                   GuardarDesconhecida(formatoAtual, w.texto, parametro)) {
            // Carried with the words, like the table's formatting.
            continue;
        }
        // A destination word outside "{...}" cannot open a group the output
        // would close; it is kept as it stands, like an unknown word.
        const int i = ProcurarControle(w.texto);
        int t = i >= 0 ? TabControle[i].tipo : CTL_DESCONHECIDO;
        if (t == CTL_DESTINO) t = CTL_DESCONHECIDO;
        else t = AplicarControle(formatoAtual, w.texto, parametro);
        if (t == CTL_DESCONHECIDO || t == CTL_PARAGRAFO) {
            if (emFrase) {
                DevolverPalavra(w, parametro, tipo);
                return true;
            }
            EscreverEspacoPendente();
            EscreverControle(w.texto, parametro);
        }
    }
}

void clDocRtf::EscreverFrase(clFrase& frase)
{
    if (plainPendente) {
        EscreverControle("\\plain", "");
        plainPendente = 0;
        grupoAberto = 0;
    }
    if (!grupoAberto) formatoSaida.Limpar();
    for (int i = 0; i <= frase.Ultimo(); ++i) {
        clPalavra* w = frase.Obter(i);
        w->AplicarCaixa();
        EscreverPalavraRtf(*w);
    }
}

void clDocRtf::EscreverPalavraRtf(const clPalavra& w)
{
    clPalavra pedaco;
    char formato[2048];
    char texto[kTamPalavra * 12];
    for (int n = 0; w.Pedaco(n, &pedaco); ++n) {
        if (!pedaco.texto[0]) continue;
        const bool espaco = n == 0 && w.espacoAntes;
        const EstadoFormato f = FormatoDaPalavra(pedaco);
        if (f == formatoSaida) {
            if (!grupoAberto) {
                EscreverControle("{", "");
                grupoAberto = 1;
            }
            if (espaco) EscreverCaractere(' ');
        } else {
            TextoFormato(f, formatoSaida, formato, sizeof formato);
            // Unknown formatting words have no "off" form: a change of them
            // takes a new group, which then sets them all.
            const std::uint16_t du = f.Desconhecidas();
            if (formato[0] || du != formatoSaida.Desconhecidas()) {
                if (du < desconhecidas.size()) AcrescentarTexto(formato, sizeof formato, desconhecidas[du].c_str());
                EscreverControle(grupoAberto ? "}{" : "{", "");
                grupoAberto = 1;
                if (formato[0]) EscreverControle(formato, "");
                if (espaco && formato[0]) {
                    EscreverTexto("{\\plain  }");
                    controlePendente = 0;
                } else if (espaco) {
                    EscreverCaractere(' ');
                }
            } else if (espaco) {
                EscreverCaractere(' ');
            }
        }
        formatoSaida = f;

        std::size_t k = 0;
        for (const char* p = pedaco.texto; *p; ++p) {
            const auto b = static_cast<unsigned char>(*p);
            if (b == kUnicode || b == kUnicodeNegativo) {
                EscreverUnicode(p, texto, sizeof texto, k);
                if (!*p) break;
                continue;
            }
            const char* troca = nullptr;
            char hex[5];
            switch (b) {
            case '\\': troca = "\\\\"; break;
            case '{': troca = "\\{"; break;
            case '}': troca = "\\}"; break;
            case 0x93: troca = "\\ldblquote "; break;
            case 0x94: troca = "\\rdblquote "; break;
            case 0x91: troca = "\\lquote "; break;
            case 0x92: troca = "\\rquote "; break;
            default:
                if (b >= 0x80) {
                    std::snprintf(hex, sizeof hex, "\\'%02x", b);
                    troca = hex;
                }
                break;
            }
            if (troca) {
                for (const char* q = troca; *q && k + 1 < sizeof texto; ++q) texto[k++] = *q;
            } else if (k + 1 < sizeof texto) {
                texto[k++] = static_cast<char>(b);
            }
        }
        texto[k] = '\0';
        if (controlePendente) {
            EscreverCaractere(' ');
            controlePendente = 0;
        }
        EscreverTexto(texto);
    }
}

void clDocRtf::EscreverUnicode(const char*& p, char* saida, std::size_t tam, std::size_t& k) const
{
    auto acrescentar = [&](const char* t) {
        for (; *t && k + 1 < tam; ++t) saida[k++] = *t;
    };
    const bool negativo = *p == kUnicodeNegativo;
    ++p;
    long codigo = 0;
    // A damaged word may hold any run of digits: the number stays within the
    // 32-bit parameter range the reader allows.
    for (; DigitoAscii(static_cast<unsigned char>(*p)); ++p)
        if (codigo <= 0x7FFFFFFFL) codigo = codigo * 10 + (*p - '0');
    if (codigo > 0x7FFFFFFFL) codigo = 0x7FFFFFFFL;
    if (negativo) codigo -= 65536;
    unsigned char reserva[kMaxReserva];
    int nReserva = 0;
    if (*p == kReserva) ++p;
    while (DigitoAscii(static_cast<unsigned char>(p[0])) && DigitoAscii(static_cast<unsigned char>(p[1])) &&
           DigitoAscii(static_cast<unsigned char>(p[2]))) {
        const int byte = (p[0] - '0') * 100 + (p[1] - '0') * 10 + (p[2] - '0');
        if (nReserva < kMaxReserva) reserva[nReserva++] = static_cast<unsigned char>(byte);
        p += 3;
    }
    // p is left on the end byte, which the caller's loop passes.
    if (*p != kFimUnicode) --p;
    char numero[40];
    // The fallback count is written whenever the document's is not the
    // default, so the character reads the same wherever it now stands.
    if (nReserva != 1 || ucAlterado) {
        std::snprintf(numero, sizeof numero, "\\uc%d", nReserva);
        acrescentar(numero);
    }
    std::snprintf(numero, sizeof numero, "\\u%ld", codigo);
    acrescentar(numero);
    // A blank ends the control word where the fallback could continue it.
    if (nReserva == 0 || DigitoAscii(reserva[0]) || reserva[0] == ' ' || reserva[0] == '-') acrescentar(" ");
    for (int i = 0; i < nReserva; ++i) {
        const unsigned char b = reserva[i];
        char um[8];
        if (b == '\\' || b == '{' || b == '}') std::snprintf(um, sizeof um, "\\%c", b);
        else if (b >= 0x80 || b < 0x20) std::snprintf(um, sizeof um, "\\'%02x", b);
        else std::snprintf(um, sizeof um, "%c", b);
        acrescentar(um);
    }
}
