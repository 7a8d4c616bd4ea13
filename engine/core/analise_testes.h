// Shared by the word-reader and parser tests: a small dictionary compiled
// from tests/dados/analise_ingles.lex by the project's compiler, and a
// sentence run through the reader and the parser.
#pragma once

#include <algorithm>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "caracteres.h"
#include "core/analisador.h"
#include "core/leitor.h"
#include "core/traducao.h"
#include "compilador.h"
#include "testes/apoio.h"

class AnaliseTeste : public ::testing::Test {
protected:
    static clDicionario* Dicionario()
    {
        static clDicionario* dic = [] {
            std::ifstream f(std::string(QUILLANE_TESTE_DADOS) + "/analise_ingles.lex", std::ios::binary);
            std::vector<std::string> linhas;
            for (std::string l; std::getline(f, l);) {
                if (!l.empty() && l.back() == '\r') l.pop_back();
                if (!l.empty()) linhas.push_back(l);
            }
            std::sort(linhas.begin(), linhas.end(), [](const std::string& a, const std::string& b) {
                return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
                    return static_cast<unsigned char>(x) < static_cast<unsigned char>(y);
                });
            });
            std::string texto;
            for (const auto& l : linhas) texto += l + "\r\n";
            const std::string pasta = PastaTemporaria("analise");
            auto* d = new clDicionario;
            if (!CompilarDicionario(texto.c_str(), (pasta + "/analise.dic").c_str()) ||
                !AbrirDicionario(d, pasta.c_str(), "analise"))
                ADD_FAILURE() << "test dictionary did not compile or open";
            return d;
        }();
        return dic;
    }

    // Words separated by blanks; "." "," "?" "!" at the end of a word stand apart.
    void Montar(const std::string& texto)
    {
        frase.Limpar();
        std::istringstream in(texto);
        for (std::string w; in >> w;) {
            std::string fim;
            while (w.size() > 1 && std::string(".,?!").find(w.back()) != std::string::npos) {
                fim.insert(fim.begin(), w.back());
                w.pop_back();
            }
            Acrescentar(w, true);
            for (char c : fim) Acrescentar(std::string(1, c), false);
        }
    }
    void Acrescentar(const std::string& texto, bool espaco)
    {
        clPalavra p;
        CopiarTexto(p.texto, sizeof p.texto, texto.c_str());
        p.espacoAntes = espaco ? 1 : 0;
        p.Classificar();
        frase.Acrescentar(p);
    }

    // Reads the whole sentence term by term, without the parser.
    std::vector<clTermo*> Ler(const std::string& texto)
    {
        Montar(texto);
        arena.Zerar();
        leitor = clLeitor();
        leitor.IniciarLeitura(&frase, &arena, &estatistica, Dicionario());
        std::vector<clTermo*> termos;
        for (clTermo* t = leitor.Olhar(0); t && termos.size() < 200; t = leitor.Olhar(0)) {
            termos.push_back(t);
            leitor.Avancar();
        }
        return termos;
    }

    // The sentence through reader and parser; the top-level chain.
    std::vector<clTermo*> Analisar(const std::string& texto)
    {
        Montar(texto);
        arena.Zerar();
        leitor = clLeitor();
        analisador = std::make_unique<clAnalisador>();
        EXPECT_TRUE(AnalisarSentenca(frase, arena, estatistica, leitor, *analisador, Dicionario()));
        std::vector<clTermo*> cadeia;
        for (clTermo* t = analisador->Primeiro(); t && cadeia.size() < 200; t = t->proximo) cadeia.push_back(t);
        return cadeia;
    }

    // The first verb group of the chain.
    static clTermo* GrupoVerbal(const std::vector<clTermo*>& cadeia)
    {
        for (clTermo* t : cadeia)
            if (t->verbete.classe == CL_GRUPO_VERBAL) return t;
        return nullptr;
    }

    static std::string Texto(const clTermo* t) { return t && t->palavra ? t->palavra->texto : ""; }

    PedidoTraducao pedido{};
    clEstatistica estatistica{&pedido};
    clArena arena{0x7FFF};
    clFrase frase{100, &arena};
    clLeitor leitor;
    std::unique_ptr<clAnalisador> analisador;
};
