// Drives the RTF translator in stream mode with arbitrary bytes handed over
// in chunks of random sizes, and checks that the chunked run writes exactly
// what a run over the whole document in one chunk writes.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>
#include <vector>

#include "compilador.h"
#include "core/motor.h"
#include "dictionary/verbos.h"
#include "formats/pedido.h"
#include "mensagens.h"

namespace {

bool PrepararMotor()
{
    // A build's data folder when given (QUILLANE_FUZZ_DADOS), otherwise a
    // tiny dictionary and verb table made here.
    if (const char* pasta = std::getenv("QUILLANE_FUZZ_DADOS")) return IniciarMotor(pasta, nullptr);
    char modelo[] = "/tmp/quillane_fuzz_rtf_XXXXXX";
    const char* pasta = mkdtemp(modelo);
    if (!pasta) return false;
    const std::string fonte = "a!E.T(um)\r\nbig!A.T(grande)\r\nbook!NM.T(livro)\r\nhello!I.T(ol\xE1)\r\n"
                              "is!X.T(\xE9)\r\nthe!E.T(o)\r\nworld!NM.T(mundo)\r\n";
    if (!CompilarDicionario(fonte.c_str(), (std::string(pasta) + "/ip.dic").c_str())) return false;
    std::vector<VerboFonte> lista;
    for (const char* inf : {"ir", "ser"}) {
        VerboFonte e;
        e.infinitivo = inf;
        e.terminacao = e.infinitivo.substr(e.infinitivo.size() / 2);
        lista.push_back(e);
    }
    const auto img = MontarTabelaVerbos(lista);
    std::FILE* f = std::fopen((std::string(pasta) + "/vip.dic").c_str(), "wb");
    if (!f) return false;
    std::fwrite(img.data(), 1, img.size(), f);
    std::fclose(f);
    return IniciarMotor(pasta, nullptr);
}

std::string Fluxo(const std::uint8_t* dados, std::size_t tam, std::uint32_t semente, bool inteiro)
{
    PedidoTraducao p{};
    std::vector<char> saida(MORIEL_TAM_SAIDA);
    std::vector<char> pedaco;
    p.tipo = TIPO_RTF;
    p.modo = MODO_FLUXO;
    p.saida = saida.data();
    std::string resultado;
    std::size_t pos = 0;
    do {
        std::size_t n = tam - pos;
        if (!inteiro && n) {
            semente = semente * 1103515245u + 12345u;
            n = std::min<std::size_t>(n, 1 + (semente >> 16) % 97);
        }
        pedaco.assign(dados + pos, dados + pos + n);
        pos += n;
        p.entrada = pedaco.data();
        p.tamEntrada = static_cast<std::int32_t>(n);
        if (!TraduzirPedido(&p)) break;
        const std::int32_t feito = p.tamSaida;
        resultado.append(p.saida, static_cast<std::size_t>(feito > 0 ? feito : 0));
    } while (p.threadTrabalho);
    return resultado;
}

// Group depth at the end as an RTF reader counts it (escaped braces, the
// byte of a "\'" escape and "\binN" data do not count); -1 when a group
// closes that was never opened.
int Profundidade(const std::string& rtf)
{
    auto digito = [](char c) { return c >= '0' && c <= '9'; };
    auto hex = [&](char c) { return digito(c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F'); };
    int nivel = 0;
    for (std::size_t i = 0; i < rtf.size(); ++i) {
        const char c = rtf[i];
        if (c == '{') {
            ++nivel;
        } else if (c == '}') {
            if (--nivel < 0) return -1;
        } else if (c == '\\' && i + 1 < rtf.size()) {
            const char d = rtf[++i];
            if (d == '\'') {
                for (int k = 0; k < 2 && i + 1 < rtf.size() && hex(rtf[i + 1]); ++k) ++i;
            } else if (rtf.compare(i, 3, "bin") == 0 && i + 3 < rtf.size() && (digito(rtf[i + 3]) || rtf[i + 3] == '-')) {
                std::size_t j = i + 3;
                const bool negativo = rtf[j] == '-';
                if (negativo) ++j;
                std::size_t n = 0;
                while (j < rtf.size() && digito(rtf[j])) n = std::min<std::size_t>(n * 10 + (rtf[j++] - '0'), 1u << 30);
                if (j < rtf.size() && rtf[j] == ' ') ++j;
                i = j + (negativo ? 0 : n) - 1;
            }
        }
    }
    return nivel;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* dados, std::size_t tam)
{
    static const bool pronto = [] {
        DefinirSaidaMensagens([](const std::string&, const std::string&) { return 1; });
        return PrepararMotor();
    }();
    if (!pronto) __builtin_trap();
    if (tam < 2 || tam > 8192) return 0;
    const std::uint32_t semente = dados[0] | (dados[1] << 8);
    dados += 2;
    tam -= 2;
    const std::string inteiro = Fluxo(dados, tam, 0, true);
    const std::string picado = Fluxo(dados, tam, semente, false);
    if (inteiro != picado) __builtin_trap();
    // Balanced groups in, balanced groups out.
    if (Profundidade(std::string(reinterpret_cast<const char*>(dados), tam)) == 0 && Profundidade(inteiro) != 0)
        __builtin_trap();
    return 0;
}
