#include "core/traducao.h"

#include <cstdio>
#include <new>

#include "core/gerador.h"
#include "core/motor.h"

namespace {
GanchoAnalise gancho = nullptr;
void* contextoGancho = nullptr;
} // namespace

void DefinirGanchoAnalise(GanchoAnalise g, void* contexto)
{
    gancho = g;
    contextoGancho = contexto;
}

bool AnalisarSentenca(clFrase& origem, clArena& arena, clEstatistica& estatistica, clLeitor& leitor,
                      clAnalisador& analisador, clDicionario* dic)
{
    leitor.IniciarLeitura(&origem, &arena, &estatistica, dic);
    if (leitor.semMemoria) return false;
    return analisador.AnalisarFrase(&leitor, &arena);
}

bool TraduzirFrase(clFrase& origem, clFrase& destino, clArena& arena, clEstatistica& estatistica)
{
    // Reader and parser live in the sentence arena: the worker thread's stack is small.
    void* memLeitor = arena.Reservar(sizeof(clLeitor));
    void* memAnalisador = arena.Reservar(sizeof(clAnalisador));
    if (!memLeitor || !memAnalisador) return false;
    auto* leitor = new (memLeitor) clLeitor();
    auto* analisador = new (memAnalisador) clAnalisador();
    // When the arena runs out the analysis is incomplete: the sentence is written as read.
    if (!AnalisarSentenca(origem, arena, estatistica, *leitor, *analisador)) return false;
    if (gancho) gancho(origem, *analisador, estatistica, contextoGancho);
    if (estatistica.Percentagem() < kPercentagemMinima) return false;
    return GerarTraducao(analisador->Primeiro(), origem, destino, &Motor().verbos);
}

namespace {

const char* NomePapel(std::uint16_t papel)
{
    switch (papel) {
    case PAPEL_INICIO: return "inicio";
    case PAPEL_FORA: return "fora";
    case PAPEL_DETERMINANTE: return "determinante";
    case PAPEL_MODIFICADOR: return "modificador";
    case PAPEL_NUCLEO: return "nucleo";
    case PAPEL_MODIFICADOR_ACEITO: return "modificador";
    case PAPEL_VERBAL: return "verbal";
    default: return "?";
    }
}

const char* NomeTempo(std::uint16_t tempo)
{
    static const char* const kNomes[] = {
        "sem tempo (nao gerado)", "presente", "presente continuo", "passado", "passado continuo",
        "present perfect", "present perfect continuo", "past perfect", "past perfect continuo", "futuro",
        "be going to", "futuro continuo", "futuro perfeito", "was going to", "(nao produzido)", "gerundio",
        "infinitivo", "can", "can be", "could", "could be", "imperativo", "passiva presente", "passiva passado",
        "passiva continua", "participio", "be", "must", "would/should", "passiva futuro"};
    return tempo < sizeof kNomes / sizeof kNomes[0] ? kNomes[tempo] : "?";
}

std::string Texto(const clTermo* t)
{
    if (!t) return "-";
    if (t->palavra && t->palavra->texto[0]) return t->palavra->texto;
    return t->verbete.vocabulo;
}

void Linha(std::string& saida, int nivel, const std::string& texto)
{
    saida.append(static_cast<std::size_t>(nivel) * 2, ' ');
    saida += texto;
    saida += '\n';
}

std::string Bandeiras(const clVerbete& v)
{
    char buf[160];
    std::string r;
    auto campo = [&](const char* nome, unsigned valor) {
        if (!valor) return;
        std::snprintf(buf, sizeof buf, " %s=0x%X", nome, valor);
        r += buf;
    };
    campo("formas", v.formas);
    campo("subst", v.flagsSubst);
    campo("adj", v.flagsAdj);
    campo("artigo", v.flagsArtigo);
    campo("pron", v.flagsPron);
    return r;
}

void Descrever(std::string& saida, const clTermo* t, int nivel, const char* rotulo, int profundidade);

void DescreverCadeia(std::string& saida, const clTermo* t, int nivel, const char* rotulo, int profundidade)
{
    for (int n = 0; t && n < 200; t = t->proximo, ++n) Descrever(saida, t, nivel, rotulo, profundidade);
}

void Descrever(std::string& saida, const clTermo* t, int nivel, const char* rotulo, int profundidade)
{
    if (!t || profundidade > 40) return;
    std::string l = rotulo ? std::string(rotulo) + ": " : std::string();
    const std::uint16_t c = t->verbete.classe;
    if (c == CL_GRUPO_NOMINAL) {
        l += "grupo nominal";
        l += " [" + std::string(NomePapel(t->papel)) + "]";
        if (t->regente) l += " concorda com \"" + Texto(t->regente) + "\"";
        Linha(saida, nivel, l);
        DescreverCadeia(saida, t->determinantes, nivel + 1, "determinante", profundidade + 1);
        DescreverCadeia(saida, t->modificadores, nivel + 1, "modificador", profundidade + 1);
        DescreverCadeia(saida, t->filhos, nivel + 1, "nucleo", profundidade + 1);
        return;
    }
    if (c == CL_GRUPO_VERBAL) {
        char buf[64];
        std::snprintf(buf, sizeof buf, "grupo verbal tempo %u (%s)", t->tempo, NomeTempo(t->tempo));
        l += buf;
        l += " [" + std::string(NomePapel(t->papel)) + "]";
        l += " sujeito \"" + Texto(t->regente) + "\"";
        Linha(saida, nivel, l);
        Descrever(saida, t->auxiliar, nivel + 1, "auxiliar da pergunta", profundidade + 1);
        Descrever(saida, t->absorvidos, nivel + 1, "auxiliar omitido", profundidade + 1);
        DescreverCadeia(saida, t->filhos, nivel + 1, "auxiliar/adverbio", profundidade + 1);
        Descrever(saida, t->negacao, nivel + 1, "negacao", profundidade + 1);
        Descrever(saida, t->verbo, nivel + 1, "verbo", profundidade + 1);
        return;
    }
    l += "\"" + Texto(t) + "\"";
    if (t->verbete.vocabulo[0] && Texto(t) != t->verbete.vocabulo) l += " (" + std::string(t->verbete.vocabulo) + ")";
    l += " " + std::string(NomeClasse(c));
    l += " [" + std::string(NomePapel(t->papel)) + "]";
    if (t->criada) l += " criada";
    l += Bandeiras(t->verbete);
    if (t->regente && t->regente != t) l += " concorda com \"" + Texto(t->regente) + "\"";
    if (t->absorvidos) {
        l += " junta:";
        for (const clTermo* a = t->absorvidos; a; a = a->depois) l += " \"" + Texto(a) + "\"";
    }
    Linha(saida, nivel, l);
    if (t->filhos) DescreverCadeia(saida, t->filhos, nivel + 1, "parte", profundidade + 1);
}

} // namespace

std::string DescreverAnalise(const clAnalisador& analisador, const clEstatistica& estatistica)
{
    std::string saida;
    DescreverCadeia(saida, analisador.Primeiro(), 1, nullptr, 0);
    char buf[96];
    std::snprintf(buf, sizeof buf, "  conhecidas: %d de %d (%.0f%%)%s\n", estatistica.nConhecidas,
                  estatistica.nConhecidas + estatistica.nDesconhecidas, estatistica.Percentagem(),
                  estatistica.Percentagem() < kPercentagemMinima ? " - escrita como lida" : "");
    saida += buf;
    return saida;
}
