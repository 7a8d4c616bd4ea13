// clAnalisador: the phrase parser. One left-to-right shift-reduce pass over
// the terms the reader delivers groups them into noun groups and verb groups
// and gives every verb group its tense code.
#pragma once

#include "core/leitor.h"
#include "core/termo.h"

class clAnalisador {
public:
    clTermo* topo = nullptr;       // last shifted term; the stack runs back through anterior
    clLeitor* leitor = nullptr;
    clArena* arena = nullptr;
    clTermo raiz{};                // role 0; raiz.proximo lists the top-level terms

    // Runs the sentence through the reader; the result is raiz.proximo's chain.
    // False when the arena ran out (the analysis is then incomplete).
    bool AnalisarFrase(clLeitor* leitor, clArena* arena);
    clTermo* Primeiro() const { return raiz.proximo; }

    // Close the group on top of the stack; both return the new subject candidate.
    clTermo* FecharGrupoNominal(clTermo* sujeito);
    clTermo* FecharGrupoVerbal(clTermo* auxiliarQ, clTermo* sujeito);

private:
    void Empilhar(clTermo* termo, std::uint16_t papel);
    // Closes the run of role-300 terms that ends at `ultimo`, in its place.
    clTermo* FecharVerbal(clTermo* ultimo, clTermo* auxiliarQ, clTermo* sujeito);
    bool PassadoDepoisDoSujeito(const clTermo* grupo, std::uint16_t formas);
    bool PassadoSemSujeito(const clTermo* grupo, std::uint16_t formas);
    bool falhou = false;
};

// The Portuguese preposition that introduces the infinitive a verb takes as
// its complement ("start to", "start doing": "come\xE7ar a"; "stop doing":
// "parar de"): "" when the infinitive follows bare, nullptr when the verb
// takes no verb complement of that kind, so that an "-ing" form after it
// stays a gerund ("keep working": "continuar trabalhando"). `comTo`: the
// complement is a "to" infinitive, not an "-ing" form.
const char* PreposicaoDoComplemento(const clTermo* verbo, bool comTo);

// Readable names for the analysis listing.
const char* NomeClasse(std::uint16_t classe);
