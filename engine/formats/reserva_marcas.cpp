// The markup pool of the frame: stored inline start tags, chained in pieces
// of 51 bytes, with a used list (newest first) and a free list.
#include <algorithm>
#include <cstring>

#include "caracteres.h"
#include "formats/documento.h"

namespace {

bool NumeroValido(int n) { return n >= 0 && n < kPedacosMarca; }

} // namespace

std::int16_t clDocumento::GuardarMarca(const char* etiqueta)
{
    clReservaMarcas& r = reservaMarcas;
    if (r.cabecaLivre < 0) return -1;
    const std::size_t tam = std::strlen(etiqueta);
    const std::size_t precisa = tam / kTamPedacoMarca + 1;
    if (precisa > static_cast<std::size_t>(kPedacosMarca)) return -1;

    // Check the free list holds enough pieces before touching anything, so
    // that a refused markup leaves both lists as they were.
    std::int16_t indices[kPedacosMarca];
    std::int16_t p = r.cabecaLivre;
    for (std::size_t i = 0; i < precisa; ++i) {
        if (!NumeroValido(p)) return -1;
        indices[i] = p;
        p = r.pedacos[p].proximo;
    }
    const std::int16_t seguinteLivre = p;

    for (std::size_t i = 0; i < precisa; ++i) {
        PedacoMarca& pedaco = r.pedacos[indices[i]];
        const std::size_t inicio = i * kTamPedacoMarca;
        // The last piece takes the terminator; no byte beyond it is read.
        const std::size_t n = std::min<std::size_t>(kTamPedacoMarca, tam + 1 - inicio);
        std::memset(pedaco.texto, 0, sizeof pedaco.texto);
        std::memcpy(pedaco.texto, etiqueta + inicio, n);
        pedaco.tipo = i == 0 ? MARCA_ABERTA : MARCA_CONTINUA;
        pedaco.escrito = 0;
        if (i + 1 < precisa) pedaco.proximo = indices[i + 1];
    }
    r.pedacos[indices[precisa - 1]].proximo = r.cabecaUsada;
    r.cabecaUsada = indices[0];
    r.cabecaLivre = seguinteLivre;
    r.levada[indices[0]] = 0;
    return indices[0];
}

void clDocumento::TextoMarca(std::int16_t numero, char* texto, std::size_t tam) const
{
    if (tam == 0) return;
    texto[0] = '\0';
    if (!NumeroValido(numero)) return;
    const clReservaMarcas& r = reservaMarcas;
    std::size_t n = 0;
    std::int16_t p = numero;
    for (int passo = 0; passo < kPedacosMarca && NumeroValido(p); ++passo) {
        const PedacoMarca& pedaco = r.pedacos[p];
        if (passo > 0 && pedaco.tipo != MARCA_CONTINUA) break;
        for (int i = 0; i < kTamPedacoMarca; ++i) {
            if (pedaco.texto[i] == '\0' || n + 1 >= tam) {
                texto[n] = '\0';
                return;
            }
            texto[n++] = pedaco.texto[i];
        }
        p = pedaco.proximo;
    }
    texto[n] = '\0';
}

std::int16_t clDocumento::ProcurarMarcaFonte(const char* texto) const
{
    const clReservaMarcas& r = reservaMarcas;
    const std::size_t n = std::strlen(texto);
    char guardado[kPedacosMarca * kTamPedacoMarca];
    std::int16_t p = r.cabecaUsada;
    for (int passo = 0; passo < kPedacosMarca && NumeroValido(p); ++passo) {
        const PedacoMarca& pedaco = r.pedacos[p];
        if (pedaco.tipo == MARCA_ABERTA) {
            TextoMarca(p, guardado, sizeof guardado);
            if (std::strncmp(guardado, texto, n) == 0) return p;
        }
        p = pedaco.proximo;
    }
    return -1;
}

void clDocumento::FecharMarcaFonte(const char* texto)
{
    const std::int16_t p = ProcurarMarcaFonte(texto);
    if (p >= 0) reservaMarcas.pedacos[p].tipo = MARCA_FECHADA;
}

void clDocumento::MarcarPalavra(clPalavra& palavra)
{
    palavra.marcas.Limpar();
    clReservaMarcas& r = reservaMarcas;
    std::int16_t p = r.cabecaUsada;
    for (int passo = 0; passo < kPedacosMarca && NumeroValido(p); ++passo) {
        if (r.pedacos[p].tipo == MARCA_ABERTA) {
            palavra.marcas.Acrescentar(p);
            r.levada[p] = 1;
        }
        p = r.pedacos[p].proximo;
    }
}

void clDocumento::RecolherMarcas()
{
    clReservaMarcas& r = reservaMarcas;
    // Markup whose end tag has been read and that is still open in the
    // output is closed there, with everything opened inside it (newest
    // first), so that elements nest; the markup that stays open is what the
    // output holds from the outermost up to the first one closed. A word
    // written after its markup was closed (reordered by the translation)
    // may have opened it again, so the output, not the markup's state, says
    // what is open.
    clMarcas& abertas = palavraSaida.marcas;
    int ultimaFechada = -1;
    for (int i = 0; i < abertas.Quantos(); ++i) {
        const std::int16_t m = abertas.Obter(i);
        if (NumeroValido(m) && (r.pedacos[m].tipo == MARCA_FECHADA || r.pedacos[m].tipo == MARCA_SOLTAR))
            ultimaFechada = i;
    }
    if (ultimaFechada >= 0) {
        for (int i = 0; i <= ultimaFechada; ++i) FecharMarca(abertas.Obter(i));
        clMarcas restantes;
        for (int i = ultimaFechada + 1; i < abertas.Quantos(); ++i) restantes.Acrescentar(abertas.Obter(i));
        abertas.ultimo = -1;
        for (int i = 0; i < restantes.Quantos(); ++i) abertas.Acrescentar(restantes.Obter(i));
    }

    std::int16_t anterior = -1;  // the last piece kept in the used list
    std::int16_t p = r.cabecaUsada;
    for (int passo = 0; passo < kPedacosMarca && NumeroValido(p); ++passo) {
        PedacoMarca& primeiro = r.pedacos[p];
        // Closed markup is freed whether or not a word carried it: words
        // only take open markup, and kept, such markup would fill the pool
        // and every later inline tag of the page would be lost.
        const bool soltar = primeiro.tipo == MARCA_SOLTAR || primeiro.tipo == MARCA_FECHADA;
        // The chain: this piece and the continuation pieces after it.
        std::int16_t ultimo = p;
        int passos = 0;
        while (passos++ < kPedacosMarca && NumeroValido(r.pedacos[ultimo].proximo) &&
               r.pedacos[r.pedacos[ultimo].proximo].tipo == MARCA_CONTINUA)
            ultimo = r.pedacos[ultimo].proximo;
        const std::int16_t seguinte = r.pedacos[ultimo].proximo;
        if (soltar) {
            if (anterior < 0) r.cabecaUsada = seguinte;
            else r.pedacos[anterior].proximo = seguinte;
            r.pedacos[ultimo].proximo = r.cabecaLivre;
            r.cabecaLivre = p;
        } else {
            anterior = ultimo;
        }
        p = seguinte;
    }
}

void clDocumento::ReverMarcas()
{
    clMarcas& marcas = palavraSaida.marcas;
    std::int16_t itens[clMarcas::kMaxItens];
    int n = 0;
    for (int i = 0; i < marcas.Quantos(); ++i) {
        const std::int16_t m = marcas.Obter(i);
        if (NumeroValido(m) && reservaMarcas.pedacos[m].tipo == MARCA_ABERTA) itens[n++] = m;
    }
    marcas.ultimo = -1;
    for (int i = 0; i < n; ++i) marcas.Acrescentar(itens[i]);
}
