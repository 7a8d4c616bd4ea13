#include "conjugacao.h"

#include <cstring>

#include "caracteres.h"
#include "core/prefixos.h"
#include "dictionary/verbos.h"

namespace {

using conjugacao::kTamTrabalho;

constexpr char kCedilha = '\xE7';     // ç
constexpr char kOCircunflexo = '\xF4'; // ô

// Tense t, paradigm c (0 -ar, 1 -er, 2 the rest), person p at t * 18 + c * 6 + p.
// Each suffix replaces the last two letters of the infinitive.
constexpr const char* kSufixos[6 * 3 * 6] = {
    // Presente do Indicativo
    "o", "as", "a", "amos", "ais", "am",
    "o", "es", "e", "emos", "eis", "em",
    "o", "es", "e", "imos", "is", "em",
    // Pretérito Perfeito
    "ei", "aste", "ou", "amos", "astes", "aram",
    "i", "este", "eu", "emos", "estes", "eram",
    "i", "iste", "iu", "imos", "istes", "iram",
    // Pretérito Imperfeito
    "ava", "avas", "ava", "\xE1vamos", "\xE1veis", "avam",
    "ia", "ias", "ia", "\xED" "amos", "\xED" "eis", "iam",
    "ia", "ias", "ia", "\xED" "amos", "\xED" "eis", "iam",
    // Futuro do Presente
    "arei", "ar\xE1s", "ar\xE1", "aremos", "areis", "ar\xE3o",
    "erei", "er\xE1s", "er\xE1", "eremos", "ereis", "er\xE3o",
    "irei", "ir\xE1s", "ir\xE1", "iremos", "ireis", "ir\xE3o",
    // Futuro do Pretérito
    "aria", "arias", "aria", "ar\xED" "amos", "ar\xED" "eis", "ariam",
    "eria", "erias", "eria", "er\xED" "amos", "er\xED" "eis", "eriam",
    "iria", "irias", "iria", "ir\xED" "amos", "ir\xED" "eis", "iriam",
    // Imperativo: no first person singular
    "", "a", "e", "emos", "ai", "em",
    "", "e", "a", "amos", "ei", "am",
    "", "e", "a", "amos", "i", "am",
};

bool Termina(const char* palavra, std::size_t tam, const char* fim)
{
    return TerminaCom(palavra, tam, fim) != nullptr;
}

// Replaces the end of `palavra` from `corte` on by `novo`, only when the
// result fits the work area; otherwise the word stays as it was.
void TrocarFim(char* palavra, std::size_t corte, const char* novo)
{
    const std::size_t n = std::strlen(novo);
    if (corte + n + 1 > kTamTrabalho) return;
    std::memcpy(palavra + corte, novo, n + 1);
}

// A verb the table lacks that is a prefix joined to one it holds
// ("reatribuir", "pr\xE9-compor") takes that verb's forms after the prefix
// ("reatribu\xEDdo", "pr\xE9-comp\xF4s"). `palavra` holds kTamTrabalho bytes.
bool FormaIrregularComPrefixo(const clVerboI& verbos, char* palavra, int pessoa, int tempo)
{
    if (FormaIrregular(verbos, palavra, pessoa, tempo, kTamTrabalho)) return true;
    char base[kTamTrabalho];
    std::size_t antes = 0;
    bool semH = false;
    int i = 0;
    for (;; ++i) {
        if (!SepararPrefixo(palavra, i, base, sizeof base, &antes, &semH)) return false;
        if (FormaIrregular(verbos, base, pessoa, tempo, sizeof base)) break;
    }
    const char* forma = semH && base[0] == 'h' ? base + 1 : base;
    const std::size_t n = std::strlen(forma);
    // A form that does not fit leaves the word as it was, as the table does.
    if (antes + n + 1 <= kTamTrabalho) std::memcpy(palavra + antes, forma, n + 1);
    return true;
}

void Gerundio(char* palavra)
{
    const std::size_t tam = std::strlen(palavra);
    if (tam == 0 || palavra[tam - 1] != 'r') return;
    // The accent of "pôr" marks the stressed infinitive only; the gerund
    // is "pondo".
    if (tam >= 2 && palavra[tam - 2] == kOCircunflexo) {
        TrocarFim(palavra, tam - 2, "ondo");
        return;
    }
    TrocarFim(palavra, tam - 1, "ndo");
}

void Participio(const clVerboI* verbos, char* palavra, const clSujeito* sujeito)
{
    if (!(verbos && FormaIrregularComPrefixo(*verbos, palavra, 0, conjugacao::kTempoParticipio))) {
        const std::size_t tam = std::strlen(palavra);
        if (Termina(palavra, tam, "er"))
            TrocarFim(palavra, tam - 2, "ido");
        else if (Termina(palavra, tam, "r"))
            TrocarFim(palavra, tam - 1, "do");
    }
    if (!sujeito) return;
    std::size_t tam = std::strlen(palavra);
    if ((sujeito->flagsSubst & 64) && tam > 0) palavra[tam - 1] = 'a';
    if ((sujeito->flagsSubst & 2) && tam + 2 <= kTamTrabalho) {
        palavra[tam] = 's';
        palavra[tam + 1] = '\0';
    }
}

void FormaFinita(const clVerboI* verbos, char* palavra, int tempo, int pessoa)
{
    if (verbos && FormaIrregularComPrefixo(*verbos, palavra, pessoa, tempo)) return;
    const std::size_t tam = std::strlen(palavra);
    // Shorter than the two letters the suffix replaces: nothing to cut.
    if (tam < 2) return;
    const int paradigma = Termina(palavra, tam, "ar") ? 0 : Termina(palavra, tam, "er") ? 1 : 2;
    const char* sufixo = kSufixos[tempo * 18 + paradigma * 6 + pessoa];

    char forma[kTamTrabalho];
    std::size_t radical = tam - 2;
    std::memcpy(forma, palavra, radical);
    forma[radical] = '\0';
    const char s = sufixo[0];
    const char l = radical > 0 ? forma[radical - 1] : '\0';
    const bool doisOuMais = radical >= 2 && forma[radical - 2] == 'g' && l == 'u';
    const char* troca = nullptr;  // replaces the stem's last letter
    std::size_t cortar = 1;
    switch (paradigma) {
    case 0:
        if (l == 'c' && s == 'e') troca = "qu";
        else if (l == kCedilha && s == 'e') troca = "c";
        else if (l == 'g' && s == 'e') troca = "gu";
        // Only before the suffix "o" itself: "vôo", but "voou", never "vôou".
        else if (l == 'o' && s == 'o' && sufixo[1] == '\0') troca = "\xF4";
        break;
    case 1:
        if (l == 'c' && (s == 'a' || s == 'o')) troca = "\xE7";
        else if (doisOuMais && (s == 'a' || s == 'o')) troca = "g", cortar = 2;
        break;
    default:
        if (l == 'g' && (s == 'a' || s == 'o')) troca = "j";
        else if (doisOuMais && (s == 'a' || s == 'o')) troca = "g", cortar = 2;
        break;
    }
    if (troca) {
        radical -= cortar;
        forma[radical] = '\0';
        if (radical + std::strlen(troca) + 1 > kTamTrabalho) return;
        std::strcpy(forma + radical, troca);
        radical += std::strlen(troca);
    }
    if (radical + std::strlen(sufixo) + 1 > kTamTrabalho) return;
    std::strcpy(forma + radical, sufixo);
    std::memcpy(palavra, forma, std::strlen(forma) + 1);
}

} // namespace

clVarredura::clVarredura(char* texto, std::size_t tamTexto) : texto_(texto), tam_(tamTexto) {}

bool clVarredura::ProximaPalavra()
{
    if (!texto_ || tam_ == 0) return false;
    const std::size_t tam = strnlen(texto_, tam_);
    if (tam == tam_) return false;  // no NUL inside the buffer: not a text
    if (primeira_) {
        primeira_ = false;
        if (!std::memchr(texto_, '/', tam)) {
            if (std::memchr(texto_, '_', tam) || tam + 1 > kTamTrabalho) return false;
            inteira_ = true;
            inicio_ = 0;
            fim_ = tam;
            pos_ = tam;
            std::memcpy(palavra_, texto_, tam + 1);
            return true;
        }
    }
    if (inteira_) return false;
    while (pos_ < tam) {
        const char* abre = static_cast<const char*>(std::memchr(texto_ + pos_, '/', tam - pos_));
        if (!abre) break;
        const std::size_t ini = static_cast<std::size_t>(abre - texto_) + 1;
        const char* fecha = static_cast<const char*>(std::memchr(texto_ + ini, '/', tam - ini));
        if (!fecha) break;
        const std::size_t fim = static_cast<std::size_t>(fecha - texto_);
        pos_ = fim + 1;
        if (fim - ini + 1 > kTamTrabalho) continue;  // too long for the work area: left alone
        inicio_ = ini;
        fim_ = fim;
        std::memcpy(palavra_, texto_ + ini, fim - ini);
        palavra_[fim - ini] = '\0';
        return true;
    }
    pos_ = tam;
    return false;
}

bool clVarredura::Devolver()
{
    const std::size_t tam = strnlen(texto_, tam_);
    const std::size_t antigo = fim_ - inicio_;
    const std::size_t novo = strnlen(palavra_, kTamTrabalho - 1);
    if (tam - antigo + novo + 1 > tam_) return false;
    std::memmove(texto_ + inicio_ + novo, texto_ + fim_, tam - fim_ + 1);
    std::memcpy(texto_ + inicio_, palavra_, novo);
    // ProximaPalavra already moved past the word; follow its new length.
    pos_ = pos_ + novo - antigo;
    fim_ = inicio_ + novo;
    return true;
}

void ConjugarPalavra(const clVerboI* verbos, char* palavra, const clSujeito* sujeito, int tempo, int pessoa)
{
    if (!palavra || strnlen(palavra, kTamTrabalho) == kTamTrabalho) return;
    if (tempo == conjugacao::kTempoGerundio) {
        Gerundio(palavra);
    } else if (tempo == conjugacao::kTempoParticipio) {
        Participio(verbos, palavra, sujeito);
    } else if (tempo >= 0 && tempo <= 5 && pessoa >= 0 && pessoa <= 5) {
        FormaFinita(verbos, palavra, tempo, pessoa);
    }
}

void Conjugar(const clVerboI* verbos, char* texto, std::size_t tamTexto, const clSujeito* sujeito, int tempo,
              int pessoa)
{
    // Infinitive and out-of-range codes: nothing to do at all.
    if (tempo < 0 || tempo > conjugacao::kTempoGerundio) return;
    if (tempo < conjugacao::kTempoParticipio && (pessoa < 0 || pessoa > 5)) return;
    clVarredura varredura(texto, tamTexto);
    while (varredura.ProximaPalavra()) {
        ConjugarPalavra(verbos, varredura.Palavra(), sujeito, tempo, pessoa);
        varredura.Devolver();
    }
}

void ConjugarExportado(const clVerboI* verbos, char* texto, std::uint32_t tempo, std::uint32_t pessoa)
{
    if (!texto) return;
    const std::size_t tam = std::strlen(texto) + 1;
    const std::size_t capacidade = tam > conjugacao::kTamExportado ? tam : conjugacao::kTamExportado;
    Conjugar(verbos, texto, capacidade, nullptr, static_cast<int>(tempo & 0xFFFF), static_cast<int>(pessoa & 0xFFFF));
}

std::array<std::string, conjugacao::kFormas> FormasVerbo(const clVerboI* verbos, const std::string& infinitivo)
{
    std::array<std::string, conjugacao::kFormas> formas;
    for (int i = 0; i < conjugacao::kFormas; ++i) {
        const int tempo = i < 36 ? i / 6 : i - 30;
        const int pessoa = i < 36 ? i % 6 : 0;
        if (tempo == 5 && pessoa == 0) continue;
        char buf[conjugacao::kTamExportado];
        CopiarTexto(buf, sizeof buf, infinitivo.c_str());
        Conjugar(verbos, buf, sizeof buf, nullptr, tempo, pessoa);
        formas[i] = buf;
    }
    return formas;
}
