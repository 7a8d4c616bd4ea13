#include "vertal.h"

#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <vector>

#include <dlfcn.h>

#include "caracteres.h"
#include "core/motor.h"
#include "core/traducao.h"
#include "cp1252.h"
#include "formats/pedido.h"
#include "html_utf8.h"
#include "instalacao.h"
#include "mensagens.h"
#include "moriel32.h"

namespace {

constexpr std::size_t kTamBloco = 1024;

// UTF-8 input to the engine's Windows-1252. Characters outside it become
// "?" in text (counted in `trocados`); HTML keeps every one as a reference
// that ParaSaida turns back into the character. RTF is a byte format with
// its own escapes ("\uN" for any character): its bytes pass as they are.
std::string ParaMotor(const OpcoesVertal& o, std::string_view texto, std::size_t* trocados)
{
    *trocados = 0;
    if (o.tipo == TIPO_HTML) return Utf8ParaHtmlCp1252(texto);
    if (o.tipo == TIPO_RTF) return std::string(texto);
    return Utf8ParaCp1252(texto, '?', trocados);
}

// The engine's output to UTF-8; `html` carries a reference cut between pieces.
std::string ParaSaida(const OpcoesVertal& o, std::string_view texto, clHtmlParaUtf8& html)
{
    if (o.tipo == TIPO_HTML) return html.Converter(texto);
    if (o.tipo == TIPO_RTF) return std::string(texto);
    return Cp1252ParaUtf8(texto);
}

bool LerArquivo(const std::string& caminho, std::string* conteudo)
{
    std::FILE* f = std::fopen(caminho.c_str(), "rb");
    if (!f) return false;
    char bloco[8192];
    std::size_t n;
    while ((n = std::fread(bloco, 1, sizeof bloco, f)) > 0) conteudo->append(bloco, n);
    const bool ok = !std::ferror(f);
    std::fclose(f);
    return ok;
}

bool GravarArquivo(const std::string& caminho, const std::string& conteudo)
{
    std::FILE* f = std::fopen(caminho.c_str(), "wb");
    if (!f) return false;
    const bool ok = std::fwrite(conteudo.data(), 1, conteudo.size(), f) == conteudo.size();
    return std::fclose(f) == 0 && ok;
}

std::string ArquivoTemporario()
{
    const char* tmp = std::getenv("TMPDIR");
    std::string modelo = std::string(tmp && *tmp ? tmp : "/tmp") + "/vertal.XXXXXX";
    std::vector<char> nome(modelo.begin(), modelo.end());
    nome.push_back('\0');
    const int fd = mkstemp(nome.data());
    if (fd < 0) return {};
    close(fd);
    return nome.data();
}

void Relatar(const OpcoesVertal& o, const PedidoTraducao& p, std::size_t trocados)
{
    if (trocados)
        std::fprintf(stderr, "vertal: %zu caractere(s) fora do Windows-1252 substitu\xC3\xAD" "do(s) por \"?\".\n",
                     trocados);
    if (o.estatisticas)
        std::fprintf(stderr, "vertal: %d palavra(s) conhecida(s), %d desconhecida(s) distinta(s).\n",
                     p.nConhecidas, p.nDesconhecidas);
}

void PrepararPedido(const OpcoesVertal& o, PedidoTraducao* p, int modo)
{
    std::memset(p, 0, sizeof *p);
    p->tipo = static_cast<std::uint8_t>(o.tipo);
    p->modo = static_cast<std::uint8_t>(modo);
    if (!o.desconhecidas.empty()) p->arqDesconhecidas = const_cast<char*>(o.desconhecidas.c_str());
}

int MotorIndisponivel()
{
    std::fputs("vertal: o motor de tradu\xC3\xA7\xC3\xA3o n\xC3\xA3o est\xC3\xA1 pronto "
               "(dicion\xC3\xA1rios ou tabela de verbos n\xC3\xA3o carregados).\n",
               stderr);
    return 1;
}

// Standard input in stream mode, in chunks of at most 1,024 bytes.
int TraduzirFluxo(const OpcoesVertal& o, std::FILE* entrada, std::FILE* saida)
{
    std::FILE* destino = saida;
    if (!o.saida.empty()) {
        destino = std::fopen(o.saida.c_str(), "wb");
        if (!destino) {
            MostrarErro(1, o.saida.c_str(), errno);
            return 1;
        }
    }
    PedidoTraducao p;
    PrepararPedido(o, &p, MODO_FLUXO);
    std::vector<char> bufferSaida(MORIEL_TAM_SAIDA);
    p.saida = bufferSaida.data();
    std::string pendente;  // Windows-1252 text not yet handed to the engine
    std::string retido;    // an unfinished UTF-8 character
    std::size_t trocados = 0;
    bool fimEntrada = false;
    bool primeira = true;
    char chunk[kTamBloco];
    clHtmlParaUtf8 html;
    auto escrever = [&](const PedidoTraducao& pedido) {
        const std::int32_t tam = pedido.tamSaida;  // a packed field: copy, never bind
        const std::string bytes(pedido.saida, tam > 0 ? static_cast<std::size_t>(tam) : 0);
        const std::string texto = o.cp1252 ? bytes : ParaSaida(o, bytes, html);
        std::fwrite(texto.data(), 1, texto.size(), destino);
    };
    while (true) {
        // Fill the next chunk.
        while (pendente.size() < kTamBloco && !fimEntrada) {
            char bloco[4096];
            const std::size_t n = std::fread(bloco, 1, sizeof bloco, entrada);
            if (n == 0) {
                fimEntrada = true;
                if (!o.cp1252 && !retido.empty()) {
                    pendente += retido;  // a cut-off character is kept as its bytes
                    retido.clear();
                }
                break;
            }
            const std::string lido(bloco, n);
            if (o.cp1252) {
                pendente += lido;
            } else {
                std::size_t t = 0;
                pendente += ParaMotor(o, CompletarUtf8(&retido, lido), &t);
                trocados += t;
            }
        }
        const std::size_t n = std::min(pendente.size(), kTamBloco);
        std::memcpy(chunk, pendente.data(), n);
        pendente.erase(0, n);
        p.entrada = chunk;
        p.tamEntrada = static_cast<std::int32_t>(n);
        if (!primeira && !p.threadTrabalho) break;  // the engine finished early
        if (!VertalInglPort(&p)) {
            if (destino != saida) std::fclose(destino);
            return MotorIndisponivel();
        }
        primeira = false;
        escrever(p);
        if (!p.threadTrabalho) break;
    }
    if (!o.cp1252) {
        const std::string resto = html.Terminar();
        std::fwrite(resto.data(), 1, resto.size(), destino);
    }
    std::fflush(destino);
    if (destino != saida) std::fclose(destino);
    Relatar(o, p, trocados);
    return 0;
}

// Named files in file mode; without --cp1252 through converted copies.
int TraduzirArquivos(const OpcoesVertal& o, std::FILE* saidaPadrao)
{
    std::string conteudo;
    if (!LerArquivo(o.entrada, &conteudo)) {
        MostrarErro(1, o.entrada.c_str(), errno);
        return 1;
    }
    std::size_t trocados = 0;
    std::string entradaMotor = o.entrada;
    std::string saidaMotor = o.saida;
    std::string temporarioEntrada, temporarioSaida;
    if (!o.cp1252) {
        temporarioEntrada = ArquivoTemporario();
        if (temporarioEntrada.empty() ||
            !GravarArquivo(temporarioEntrada, ParaMotor(o, conteudo, &trocados))) {
            MostrarErro(1, temporarioEntrada.c_str(), errno);
            if (!temporarioEntrada.empty()) std::remove(temporarioEntrada.c_str());
            return 1;
        }
        entradaMotor = temporarioEntrada;
    }
    if (saidaMotor.empty() || !o.cp1252) {
        temporarioSaida = ArquivoTemporario();
        saidaMotor = temporarioSaida;
    }
    PedidoTraducao p;
    PrepararPedido(o, &p, MODO_ARQUIVO);
    p.entrada = const_cast<char*>(entradaMotor.c_str());
    p.saida = const_cast<char*>(saidaMotor.c_str());
    const bool aceito = VertalInglPort(&p);
    int status = aceito ? 0 : MotorIndisponivel();
    if (aceito && !temporarioSaida.empty()) {
        std::string traducao;
        if (!LerArquivo(temporarioSaida, &traducao)) {
            MostrarErro(1, temporarioSaida.c_str(), errno);
            status = 1;
        } else {
            clHtmlParaUtf8 html;
            std::string texto = traducao;
            if (!o.cp1252) {
                texto = ParaSaida(o, traducao, html);
                texto += html.Terminar();
            }
            if (o.saida.empty()) {
                std::fwrite(texto.data(), 1, texto.size(), saidaPadrao);
                std::fflush(saidaPadrao);
            } else if (!GravarArquivo(o.saida, texto)) {
                MostrarErro(1, o.saida.c_str(), errno);
                status = 1;
            }
        }
    } else if (aceito && access(o.saida.c_str(), F_OK) != 0) {
        status = 1;  // the engine could not create the output (it said so)
    }
    if (!temporarioEntrada.empty()) std::remove(temporarioEntrada.c_str());
    if (!temporarioSaida.empty()) std::remove(temporarioSaida.c_str());
    if (status == 0) Relatar(o, p, trocados);
    return status;
}

int TraduzirAreaTransferencia(const OpcoesVertal& o)
{
    PedidoTraducao p;
    PrepararPedido(o, &p, MODO_AREA_TRANSFERENCIA);
    if (!VertalInglPort(&p)) return MotorIndisponivel();
    Relatar(o, p, 0);
    return 0;
}

} // namespace

std::string CompletarUtf8(std::string* retido, const std::string& bloco)
{
    std::string dados = *retido + bloco;
    retido->clear();
    // Look back at most three bytes for the start of an unfinished sequence.
    const std::size_t tam = dados.size();
    for (std::size_t k = 1; k <= 3 && k <= tam; ++k) {
        const auto b = static_cast<unsigned char>(dados[tam - k]);
        if ((b & 0xC0) == 0x80) continue;  // a continuation byte: look further back
        const std::size_t precisa = b >= 0xF0 ? 4 : b >= 0xE0 ? 3 : b >= 0xC0 ? 2 : 1;
        if (b >= 0xC0 && precisa > k) {
            *retido = dados.substr(tam - k);
            dados.resize(tam - k);
        }
        break;
    }
    return dados;
}

bool LerOpcoes(const std::vector<std::string>& argumentos, OpcoesVertal* o, std::string* erro)
{
    std::vector<std::string> posicionais;
    int tipos = 0;
    for (std::size_t i = 0; i < argumentos.size(); ++i) {
        const std::string& a = argumentos[i];
        if (a == "--help" || a == "-h" || a == "--ajuda") {
            o->ajuda = true;
        } else if (a == "--texto") {
            o->tipo = TIPO_TEXTO;
            ++tipos;
        } else if (a == "--html") {
            o->tipo = TIPO_HTML;
            ++tipos;
        } else if (a == "--rtf") {
            o->tipo = TIPO_RTF;
            ++tipos;
        } else if (a == "--cp1252") {
            o->cp1252 = true;
        } else if (a == "--estatisticas") {
            o->estatisticas = true;
        } else if (a == "--analise") {
            o->analise = true;
        } else if (a == "--area-de-transferencia") {
            o->areaTransferencia = true;
        } else if (a == "--conjugar") {
            if (i + 1 >= argumentos.size()) {
                *erro = "--conjugar precisa de um verbo no infinitivo";
                return false;
            }
            o->conjugar = argumentos[++i];
        } else if (a == "--desconhecidas") {
            if (i + 1 >= argumentos.size()) {
                *erro = "--desconhecidas precisa de um nome de arquivo";
                return false;
            }
            o->desconhecidas = argumentos[++i];
        } else if (a.rfind("--desconhecidas=", 0) == 0) {
            o->desconhecidas = a.substr(16);
        } else if (a == "--") {
            posicionais.insert(posicionais.end(), argumentos.begin() + static_cast<long>(i) + 1, argumentos.end());
            break;
        } else if (a.size() > 1 && a[0] == '-') {
            *erro = "op\xC3\xA7\xC3\xA3o desconhecida: " + a;
            return false;
        } else {
            posicionais.push_back(a);
        }
    }
    if (tipos > 1) {
        *erro = "escolha s\xC3\xB3 um entre --texto, --html e --rtf";
        return false;
    }
    if (posicionais.size() > 2) {
        *erro = "argumentos demais: " + posicionais[2];
        return false;
    }
    if (o->areaTransferencia && !posicionais.empty()) {
        *erro = "--area-de-transferencia n\xC3\xA3o aceita ENTRADA nem SAIDA";
        return false;
    }
    if (!o->conjugar.empty() && (!posicionais.empty() || o->areaTransferencia)) {
        *erro = "--conjugar n\xC3\xA3o aceita outros argumentos";
        return false;
    }
    if (o->analise && (o->areaTransferencia || !o->conjugar.empty() || o->tipo != TIPO_TEXTO)) {
        *erro = "--analise trabalha s\xC3\xB3 com texto simples de ENTRADA ou da entrada padr\xC3\xA3o";
        return false;
    }
    if (!posicionais.empty()) o->entrada = posicionais[0];
    if (posicionais.size() > 1) o->saida = posicionais[1];
    if (o->entrada == "-") o->entrada.clear();
    return true;
}

const char* TextoAjuda()
{
    return "Uso: vertal [--texto | --html | --rtf] [--cp1252] [--desconhecidas ARQUIVO]\n"
           "              [--estatisticas] [--area-de-transferencia] [ENTRADA [SAIDA]]\n"
           "\n"
           "Traduz do ingl\xC3\xAAs para o portugu\xC3\xAAs. L\xC3\xAA ENTRADA (ou a entrada padr\xC3\xA3o, quando\n"
           "ENTRADA falta ou \xC3\xA9 \"-\") e escreve a tradu\xC3\xA7\xC3\xA3o em SAIDA (ou na sa\xC3\xAD" "da padr\xC3\xA3o).\n"
           "\n"
           "  --texto                  texto simples (o padr\xC3\xA3o)\n"
           "  --html                   HTML: etiquetas e links preservados\n"
           "  --rtf                    RTF: grupos e formata\xC3\xA7\xC3\xA3o preservados\n"
           "  --cp1252                 entrada e sa\xC3\xAD" "da em Windows-1252, sem convers\xC3\xA3o\n"
           "                           (sem esta op\xC3\xA7\xC3\xA3o o texto \xC3\xA9 UTF-8)\n"
           "  --desconhecidas ARQUIVO  grava em ARQUIVO a lista das palavras desconhecidas\n"
           "  --estatisticas           mostra na sa\xC3\xAD" "da de erros quantas palavras eram\n"
           "                           conhecidas e quantas desconhecidas\n"
           "  --area-de-transferencia  traduz o conte\xC3\xBA" "do da \xC3\xA1rea de transfer\xC3\xAAncia e o\n"
           "                           substitui pela tradu\xC3\xA7\xC3\xA3o (RTF com --rtf)\n"
           "  --conjugar INFINITIVO    mostra as 38 formas do verbo, uma por linha: presente,\n"
           "                           pret\xC3\xA9rito perfeito, imperfeito, futuro do presente,\n"
           "                           futuro do pret\xC3\xA9rito e imperativo (eu, tu, ele, n\xC3\xB3s,\n"
           "                           v\xC3\xB3s, eles; o imperativo de \"eu\" \xC3\xA9 uma linha vazia),\n"
           "                           depois partic\xC3\xADpio e ger\xC3\xBAndio\n"
           "  --analise                mostra, para cada frase, a an\xC3\xA1lise do ingl\xC3\xAAs em \xC3\xA1rvore:\n"
           "                           grupos nominais e verbais, cada palavra com classe,\n"
           "                           papel e marcas, o tempo verbal (c\xC3\xB3" "digo 0 a 29) e o\n"
           "                           sujeito, e a parte de palavras conhecidas (abaixo de\n"
           "                           10% a frase fica como est\xC3\xA1)\n"
           "  --help                   mostra esta ajuda\n"
           "\n"
           "A entrada padr\xC3\xA3o \xC3\xA9 traduzida aos peda\xC3\xA7os, \xC3\xA0 medida que chega; arquivos\n"
           "nomeados s\xC3\xA3o traduzidos de uma vez. Um caractere que o Windows-1252 n\xC3\xA3o tem\n"
           "vira \"?\" em texto (e o vertal diz quantos foram trocados); em HTML ele\n"
           "passa sem mudan\xC3\xA7" "a. RTF passa byte a byte, sem convers\xC3\xA3o (o \\uN do\n"
           "documento guarda esses caracteres).\n"
           "\n"
           "O motor acha os dicion\xC3\xA1rios pela configura\xC3\xA7\xC3\xA3o \"DirRoot\" ou, sem ela, na\n"
           "pasta da biblioteca libmoriel32.so.\n"
           "\n"
           "Sa\xC3\xAD" "da: 0 sucesso; 1 motor n\xC3\xA3o pronto ou arquivo que n\xC3\xA3o p\xC3\xB4" "de ser aberto;\n"
           "2 erro de uso.\n";
}

int ConjugarVerbo(const OpcoesVertal& o, std::FILE* saida)
{
    const std::string infinitivo = o.cp1252 ? o.conjugar : Utf8ParaCp1252(o.conjugar);
    // The conjugator works in place in a buffer of 256 bytes, as the
    // dictionary editor gives it; a longer text is cut.
    const std::string base = infinitivo.substr(0, 200);
    auto escrever = [&](std::uint32_t tempo, std::uint32_t pessoa) {
        // The imperative has no first person: the conjugator would give the
        // bare stem, which is no form.
        if (tempo == 5 && pessoa == 0) {
            std::fputc('\n', saida);
            return;
        }
        char buffer[256];
        std::memset(buffer, 0, sizeof buffer);
        std::memcpy(buffer, base.data(), base.size());
        ConjugarVerboPortugues(buffer, tempo, pessoa);
        const std::string forma = buffer;
        const std::string texto = (o.cp1252 ? forma : Cp1252ParaUtf8(forma)) + "\n";
        std::fwrite(texto.data(), 1, texto.size(), saida);
    };
    for (std::uint32_t tempo = 0; tempo <= 5; ++tempo)
        for (std::uint32_t pessoa = 0; pessoa <= 5; ++pessoa) escrever(tempo, pessoa);
    escrever(6, 0);
    escrever(7, 0);
    std::fflush(saida);
    return 0;
}

namespace {

struct ContextoAnalise {
    const OpcoesVertal* opcoes;
    std::FILE* saida;
    int numero = 0;
};

void MostrarAnalise(const clFrase& origem, const clAnalisador& analisador, const clEstatistica& estatistica,
                    void* contexto)
{
    auto* c = static_cast<ContextoAnalise*>(contexto);
    std::string frase;
    for (int i = 0; i <= origem.Ultimo(); ++i) {
        const clPalavra* w = origem.Obter(i);
        if (!w) continue;
        if (w->espacoAntes && !frase.empty()) frase += ' ';
        frase += w->texto;
    }
    std::string texto = "Frase " + std::to_string(++c->numero) + ": " + frase + "\n" +
                        DescreverAnalise(analisador, estatistica) + "\n";
    if (!c->opcoes->cp1252) texto = Cp1252ParaUtf8(texto);
    std::fwrite(texto.data(), 1, texto.size(), c->saida);
}

// The folder of the engine library vertal runs with: the installation when
// the settings name none.
std::string PastaDoMotor()
{
    Dl_info info{};
    if (!dladdr(reinterpret_cast<void*>(&VertalInglPort), &info) || !info.dli_fname) return ".";
    std::string caminho = info.dli_fname;
    const auto barra = caminho.rfind('/');
    return barra == std::string::npos ? "." : caminho.substr(0, barra);
}

// --analise: the engine's reader and parser run in this process, on the
// same dictionaries as the library, and every sentence's analysis is
// printed; the translation itself is discarded.
int MostrarAnalises(const OpcoesVertal& o, std::FILE* entradaPadrao, std::FILE* saidaPadrao)
{
    std::string texto;
    if (o.entrada.empty()) {
        char bloco[8192];
        std::size_t n;
        while ((n = std::fread(bloco, 1, sizeof bloco, entradaPadrao)) > 0) texto.append(bloco, n);
    } else if (!LerArquivo(o.entrada, &texto)) {
        MostrarErro(1, o.entrada.c_str(), errno);
        return 1;
    }
    if (!o.cp1252) texto = Utf8ParaCp1252(texto, '?', nullptr);

    if (!Motor().motorPronto.load()) {
        char pasta[256];
        LerDirRoot(pasta, sizeof pasta);
        if (!pasta[0]) CopiarTexto(pasta, sizeof pasta, PastaDoMotor().c_str());
        char* userDic = LerUserDic();
        const bool pronto = IniciarMotor(pasta, userDic);
        std::free(userDic);
        if (!pronto) return MotorIndisponivel();
    }

    std::FILE* destino = saidaPadrao;
    if (!o.saida.empty()) {
        destino = std::fopen(o.saida.c_str(), "wb");
        if (!destino) {
            MostrarErro(1, o.saida.c_str(), errno);
            return 1;
        }
    }
    const std::string entrada = ArquivoTemporario();
    const std::string descarte = ArquivoTemporario();
    int status = 0;
    if (entrada.empty() || descarte.empty() || !GravarArquivo(entrada, texto)) {
        status = 1;
    } else {
        ContextoAnalise contexto{&o, destino};
        DefinirGanchoAnalise(&MostrarAnalise, &contexto);
        PedidoTraducao p;
        PrepararPedido(o, &p, MODO_ARQUIVO);
        p.entrada = const_cast<char*>(entrada.c_str());
        p.saida = const_cast<char*>(descarte.c_str());
        if (!TraduzirPedido(&p)) status = MotorIndisponivel();
        DefinirGanchoAnalise(nullptr, nullptr);
        Relatar(o, p, 0);
    }
    if (!entrada.empty()) std::remove(entrada.c_str());
    if (!descarte.empty()) std::remove(descarte.c_str());
    EncerrarMotor();
    std::fflush(destino);
    if (destino != saidaPadrao) std::fclose(destino);
    return status;
}

} // namespace

int ExecutarVertal(const OpcoesVertal& o, std::FILE* entradaPadrao, std::FILE* saidaPadrao)
{
    if (o.analise) return MostrarAnalises(o, entradaPadrao, saidaPadrao);
    if (!o.conjugar.empty()) return ConjugarVerbo(o, saidaPadrao);
    if (o.areaTransferencia) return TraduzirAreaTransferencia(o);
    if (o.entrada.empty()) return TraduzirFluxo(o, entradaPadrao, saidaPadrao);
    return TraduzirArquivos(o, saidaPadrao);
}
