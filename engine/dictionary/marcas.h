// clMarcas: the small ordered set of markup slots a word carries, with the
// format area a document translator keeps beside it.
#pragma once

#include <cstdint>

class clMarcas {
public:
    static constexpr int kMaxItens = 15;
    static constexpr int kTamFormato = 300;
    // Numbers from here up mark a word's place in plain text (the blanks and
    // line break before it), not markup around it: the text writer puts a
    // place whose word was left out before the next word written.
    static constexpr std::int16_t kPrimeiroLugar = 0x4000;

    clMarcas();

    // Empties the set; the format area is zeroed only when it was written,
    // since most words of a plain or HTML text never touch it.
    void Limpar();
    // Appends v unless 15 items are held already.
    void Acrescentar(std::int16_t v);
    // i >= 0 from the front, i < 0 from the back (-1 the last); -1 when absent.
    std::int16_t Obter(int i) const;
    bool Contem(std::int16_t v) const;
    int Quantos() const { return ultimo + 1; }
    // The items that are markup, places left aside.
    int QuantasMarcas() const
    {
        int n = 0;
        for (int i = 0; i <= ultimo; ++i) n += itens[i] < kPrimeiroLugar;
        return n;
    }
    // Appends each item of b that this set does not hold, in b's order.
    void Unir(const clMarcas& b);
    // The items of a that are not in b, in a's order (format area of a).
    static clMarcas Diferenca(const clMarcas& a, const clMarcas& b);

    // The format area: read it freely, write it only through Formato().
    const unsigned char* Formato() const { return formato; }
    unsigned char* Formato()
    {
        formatoEscrito = true;
        return formato;
    }

    std::int16_t ultimo;
    std::int16_t itens[kMaxItens];

private:
    unsigned char formato[kTamFormato];
    bool formatoEscrito;
};
