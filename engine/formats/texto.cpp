#include "formats/texto.h"

#include <cstring>

void clDocTexto::DevolverPalavra(const clPalavra& palavra, std::int16_t tipo)
{
    if (topoPalavras >= 0) return;  // one slot: the reader never gives back two
    ++topoPalavras;
    pilhaPalavras[topoPalavras] = palavra;
    tiposPilha[topoPalavras] = tipo;
}

bool clDocTexto::LerToken(clPalavra& w, std::int16_t& tipo)
{
    if (topoPalavras >= 0) {
        w = pilhaPalavras[topoPalavras];
        tipo = tiposPilha[topoPalavras];
        --topoPalavras;
        return true;
    }
    w.Limpar();

    // A blank line right after a word ends the sentence; the line breaks stay
    // in the input for the white space copied before the next sentence.
    int c = LerCaractere();
    if (c == '\n' || c == '\r') {
        int bytes[4] = {c, LerCaractere(), LerCaractere(), LerCaractere()};
        int quebras = 0;
        for (int i = 3; i >= 0; --i) {
            quebras += bytes[i] == '\n';
            DevolverCaractere(bytes[i]);
        }
        if (quebras >= 2) {
            tipo = TK_FIM_FRASE;
            return true;
        }
    } else {
        DevolverCaractere(c);
    }

    tipo = TK_PALAVRA;
    // Blanks between words only set espacoAntes; those that end the
    // document are kept and written after the last sentence, so a final
    // line break is not lost.
    brancosFinais.clear();
    while ((c = LerCaractere()) != FIM_ENTRADA && NoConjunto(BRANCOS, c)) brancosFinais += static_cast<char>(c);
    w.espacoAntes = !brancosFinais.empty();
    if (c == FIM_ENTRADA) return false;
    brancosFinais.clear();

    std::size_t n = 0;
    w.texto[n++] = static_cast<char>(c);
    if (NoConjunto(DELIMITADORES, c)) {
        w.texto[n] = '\0';
        if (NoConjunto(FINAIS, c)) tipo = TK_FIM_FRASE;
        else if (NoConjunto(APOSTROFOS, c)) aspaAberta ^= 1;
        return true;
    }
    while (n < 49) {
        c = LerCaractere();
        if (c == FIM_ENTRADA) {
            DevolverCaractere(c);
            break;
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
            DevolverCaractere(c);
            break;
        }
        DevolverCaractere(c);
        break;
    }
    w.texto[n] = '\0';
    w.Classificar();
    return true;
}

bool clDocTexto::LerFrase(clFrase& origem)
{
    aspaAberta = 0;
    origem.Limpar();
    // A word given back by the previous sentence already took the blanks
    // before it; those after it belong to the next word and must not be
    // copied out, or the two words would run together.
    if (topoPalavras < 0) CopiarBrancos();
    clPalavra w;
    while (true) {
        std::int16_t tipo = TK_PALAVRA;
        if (!LerToken(w, tipo)) return origem.Ultimo() >= 0;
        if (tipo != TK_PALAVRA && tipo != TK_FIM_FRASE) continue;
        if (espacoPendente) {
            w.espacoAntes = 1;
            espacoPendente = 0;
        }
        if (!origem.Acrescentar(w)) {
            DevolverPalavra(w, tipo);
            return true;
        }
        if (tipo == TK_FIM_FRASE) return true;
    }
}

void clDocTexto::EscreverFrase(clFrase& frase)
{
    for (int i = 0; i <= frase.Ultimo(); ++i) {
        clPalavra* w = frase.Obter(i);
        w->AplicarCaixa();
        if (w->espacoAntes) EscreverCaractere(' ');
        EscreverTexto(w->texto);
    }
    EscreverTexto(brancosFinais.c_str());
    brancosFinais.clear();
}
