#include "editor_estado.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

using Itens = std::vector<int>;

Itens Habilitados(const FichaEntrada& f)
{
    Itens h;
    const auto v = ClassesHabilitadas(f);
    for (int i = 0; i < kNumClasses; ++i)
        if (v[static_cast<std::size_t>(i)]) h.push_back(i);
    return h;
}

FichaEntrada Com(std::initializer_list<int> classes)
{
    FichaEntrada f;
    for (int c : classes) FlagClasse(f, c) = true;
    return f;
}

} // namespace

TEST(RegrasDeClasse, CadaLinhaDaTabela)
{
    const Itens abertas = {kClasseSubstantivo, kClasseAdjetivo, kClasseVerbo, kClasseAdverbio};
    EXPECT_EQ(Habilitados(Com({})).size(), 10u);
    EXPECT_EQ(Habilitados(Com({kClasseSubstantivo})), abertas);
    EXPECT_EQ(Habilitados(Com({kClasseAdjetivo})), abertas);
    EXPECT_EQ(Habilitados(Com({kClasseAdverbio})), abertas);
    EXPECT_EQ(Habilitados(Com({kClasseVerbo})), abertas);
    EXPECT_EQ(Habilitados(Com({kClasseInterjeicao})), Itens{kClasseInterjeicao});
    EXPECT_EQ(Habilitados(Com({kClasseArtigo})), Itens{kClasseArtigo});
    EXPECT_EQ(Habilitados(Com({kClasseConjuncao})), Itens{kClasseConjuncao});
    EXPECT_EQ(Habilitados(Com({kClassePreposicao})), Itens{kClassePreposicao});
    EXPECT_EQ(Habilitados(Com({kClassePronome})), Itens{kClassePronome});
    const Itens auxiliar = {kClasseVerbo, kClasseVerboAuxiliar};
    EXPECT_EQ(Habilitados(Com({kClasseVerboAuxiliar})), auxiliar);
    EXPECT_EQ(Habilitados(Com({kClasseVerbo, kClasseVerboAuxiliar})), auxiliar);
    // The first rule that applies wins.
    EXPECT_EQ(Habilitados(Com({kClasseVerboAuxiliar, kClasseAdverbio})), abertas);
    EXPECT_EQ(Habilitados(Com({kClasseArtigo, kClasseInterjeicao})), Itens{kClasseInterjeicao});
    EXPECT_EQ(Habilitados(Com({kClasseConjuncao, kClassePronome})), Itens{kClasseConjuncao});
}

TEST(RegrasDeClasse, QuandoUmaTraducaoEConjugada)
{
    FichaTraducao livre, verbal, nominal;
    LerCondicao("*V", verbal);
    LerCondicao(">N", nominal);
    using L = std::vector<const FichaTraducao*>;

    EXPECT_FALSE(ConjugaTraducao(Com({kClasseSubstantivo}), {&livre}, 0));
    EXPECT_FALSE(ConjugaTraducao(Com({kClasseVerbo}), {&livre}, -1));
    EXPECT_TRUE(ConjugaTraducao(Com({kClasseVerbo}), {&nominal}, 0));  // only a verb: always
    EXPECT_TRUE(ConjugaTraducao(Com({kClasseVerboAuxiliar}), {&livre}, 0));

    const FichaEntrada misto = Com({kClasseVerbo, kClasseSubstantivo});
    EXPECT_TRUE(ConjugaTraducao(misto, L{&nominal, &verbal}, 1));  // "For um Verbo"
    EXPECT_FALSE(ConjugaTraducao(misto, L{&nominal, &verbal}, 0));
    EXPECT_TRUE(ConjugaTraducao(misto, L{&nominal, &livre}, 1));   // first unconditioned
    EXPECT_FALSE(ConjugaTraducao(misto, L{&livre, &livre}, 1));    // another one above it
    EXPECT_FALSE(ConjugaTraducao(misto, L{&verbal, &livre}, 1));   // a verb one above it

    // "For um Verbo" in the third row counts too.
    FichaTraducao terceira;
    LerCondicao(">N&<A|*V", terceira);
    EXPECT_TRUE(ConjugaTraducao(misto, L{&livre, &terceira}, 1));
}

TEST(RegrasDeClasse, PaginasDisponiveisEAtiva)
{
    auto p = CalcularPaginas(Com({}), 3, false, kPaginaSubstantivo);
    EXPECT_EQ(p.ativa, kPaginaVazia);
    EXPECT_FALSE(p.disponivel[kPaginaAvancado]);

    // The last class page in the order Pronome, Artigo, Verbo Inglês,
    // Adjetivo, Substantivo becomes active.
    p = CalcularPaginas(Com({kClasseVerbo, kClasseSubstantivo, kClasseAdjetivo}), 1, true, kPaginaVazia);
    EXPECT_EQ(p.ativa, kPaginaSubstantivo);
    EXPECT_TRUE(p.disponivel[kPaginaVerboPortugues]);
    EXPECT_FALSE(p.disponivel[kPaginaAvancado]);  // a single translation
    p = CalcularPaginas(Com({kClasseVerbo}), 2, false, kPaginaSubstantivo);
    EXPECT_EQ(p.ativa, kPaginaVerboIngles);
    EXPECT_TRUE(p.disponivel[kPaginaAvancado]);
    // An available active page stays.
    p = CalcularPaginas(Com({kClasseVerbo}), 2, true, kPaginaAvancado);
    EXPECT_EQ(p.ativa, kPaginaAvancado);
    p = CalcularPaginas(Com({kClassePronome}), 0, false, kPaginaVazia);
    EXPECT_EQ(p.ativa, kPaginaPronome);
    // Classes without a page give the empty page.
    p = CalcularPaginas(Com({kClasseAdverbio}), 2, false, kPaginaVazia);
    EXPECT_EQ(p.ativa, kPaginaVazia);
    EXPECT_FALSE(p.disponivel[kPaginaAvancado]);
}

TEST(OrdemDePesquisa, NomesEListas)
{
    EXPECT_EQ(NomeDicionario("/x/dic/Tecnico.udc"), "Tecnico");
    EXPECT_EQ(NomeDicionario("/x/dic/FOO.UDC"), "FOO.UDC");
    EXPECT_EQ(NomeDicionario("a.udc.udc"), "a");
    EXPECT_TRUE(ListaContem({"geral", "tecnico"}, "Tecnico"));
    EXPECT_FALSE(ListaContem({"geral"}, "tecnico"));
    EXPECT_EQ(LerListaUserDic("b\r\na\r\n"), (std::vector<std::string>{"b", "a"}));
    EXPECT_TRUE(LerListaUserDic("").empty());
    EXPECT_EQ(TextoUserDic({"b", "a"}), "b\r\na\r\n");
    EXPECT_EQ(TextoUserDic({}), "");
}

TEST(OrdemDePesquisa, FonteDanificadaNaoSubstituiODicionario)
{
    const fs::path pasta = fs::temp_directory_path() / ("quillane_verificada_" + std::to_string(::getpid()));
    fs::create_directories(pasta);
    auto gravar = [&](const std::string& nome, const std::string& texto) {
        std::ofstream(pasta / nome, std::ios::binary) << texto;
        return (pasta / nome).string();
    };
    DicionarioFonte dic;
    std::string erro;
    ASSERT_TRUE(CarregarFonteVerificada(gravar("ok.lex", "dog:N\r\ncat!N\r\n\r\n"), dic, erro));
    EXPECT_EQ(dic.Contagem(), 2);

    EXPECT_FALSE(CarregarFonteVerificada(gravar("sem.lex", "dog!N\r\njust words\r\n"), dic, erro));
    EXPECT_NE(erro.find("danificado (linha 2)"), std::string::npos) << erro;
    EXPECT_FALSE(CarregarFonteVerificada(gravar("bin.lex", std::string("dog!N\r\nc\0t!N\r\n", 13)), dic, erro));
    EXPECT_FALSE(CarregarFonteVerificada(gravar("vazia.lex", "!N\r\n"), dic, erro));
    EXPECT_FALSE(CarregarFonteVerificada((pasta / "nada.lex").string(), dic, erro));
    EXPECT_NE(erro.find("n\xE3o pode ser lido"), std::string::npos);
    EXPECT_FALSE(CarregarFonteVerificada(pasta.string(), dic, erro));  // a folder
    EXPECT_EQ(dic.Contagem(), 2);
    fs::remove_all(pasta);
}

TEST(OrdemDePesquisa, PastasDaInstalacaoEDaAjuda)
{
    const fs::path pasta = fs::temp_directory_path() / ("quillane_pastas_" + std::to_string(::getpid()));
    fs::create_directories(pasta / "registro");
    fs::create_directories(pasta / "lib");
    ::setenv("QUILLANE_REGISTRO", (pasta / "registro").c_str(), 1);
    const std::string lib = (pasta / "lib").string();
    EXPECT_EQ(PastaInstalacao(lib, "/padrao"), "/padrao");  // no engine there
    std::ofstream(pasta / "lib" / "libmoriel32.so") << "";
    EXPECT_EQ(PastaInstalacao(lib, "/padrao"), lib);
    std::ofstream(pasta / "registro" / "HKEY_LOCAL_MACHINE.reg")
        << "REGEDIT4\n\n[SOFTWARE\\Brinmor\\Quillane Beta]\n\"DirRoot\"=\"/opt/q\"\n";
    EXPECT_EQ(PastaInstalacao(lib, "/padrao"), "/opt/q");

    ::unsetenv("QUILLANE_AJUDA_DIR");
    EXPECT_EQ(PastaAjuda(lib, "/fonte"), "/fonte");
    std::ofstream(pasta / "lib" / "dic.html") << "";
    EXPECT_EQ(PastaAjuda(lib, "/fonte"), lib);
    ::setenv("QUILLANE_AJUDA_DIR", "/ajuda", 1);
    EXPECT_EQ(PastaAjuda(lib, "/fonte"), "/ajuda");
    ::unsetenv("QUILLANE_AJUDA_DIR");
    fs::remove_all(pasta);
}

TEST(PastaDosDicionarios, InstalacaoGravavelOuPastaDoUsuario)
{
    const fs::path pasta = fs::temp_directory_path() / ("quillane_pastadic_" + std::to_string(::getpid()));
    fs::remove_all(pasta);
    fs::create_directories(pasta / "inst" / "dic");
    ::setenv("XDG_DATA_HOME", (pasta / "xdg").c_str(), 1);
    const std::string inst = (pasta / "inst").string();
    const fs::path propria = pasta / "xdg" / "quillane" / "dic";

    // Where the user may write, the installation's folder, and nothing else
    // is created; the search order then has that folder alone.
    EXPECT_EQ(PastaDosDicionarios(inst, [](const std::string&) { return true; }), inst + "/dic");
    EXPECT_FALSE(fs::exists(pasta / "xdg"));
    EXPECT_EQ(PastasDeBusca(inst + "/dic"), std::vector<std::string>{inst + "/dic"});

    // Otherwise the user's folder, created with its parents for the user alone.
    std::string perguntada;
    const auto naoGravavel = [&](const std::string& p) {
        perguntada = p;
        return false;
    };
    EXPECT_EQ(PastaDosDicionarios(inst, naoGravavel), propria.string());
    EXPECT_EQ(perguntada, inst + "/dic");
    for (const fs::path& p : {pasta / "xdg", pasta / "xdg" / "quillane", propria}) {
        struct stat st {};
        ASSERT_EQ(::stat(p.c_str(), &st), 0) << p;
        EXPECT_EQ(st.st_mode & 0777, 0700u) << p;
    }
    EXPECT_EQ(PastaDosDicionarios(inst, naoGravavel), propria.string());  // already there
    EXPECT_EQ(PastasDeBusca(inst + "/dic"), (std::vector<std::string>{propria.string(), inst + "/dic"}));
    EXPECT_EQ(PastasDeBusca(propria.string()), std::vector<std::string>{propria.string()});  // a folder once

    // A user's folder that does not fit a path field, or cannot be created
    // (a file stands in its way), leaves the installation's folder.
    ::setenv("XDG_DATA_HOME", (pasta / std::string(250, 'x')).c_str(), 1);
    EXPECT_EQ(PastaDosDicionarios(inst, naoGravavel), inst + "/dic");
    std::ofstream(pasta / "arquivo") << "";
    ::setenv("XDG_DATA_HOME", (pasta / "arquivo").c_str(), 1);
    EXPECT_EQ(PastaDosDicionarios(inst, naoGravavel), inst + "/dic");
    EXPECT_EQ(PastasDeBusca(inst + "/dic"), std::vector<std::string>{inst + "/dic"});

    // The real check follows the system: a folder of mode 0555 is closed to
    // a normal user, not to the superuser; a missing folder to both.
    ::setenv("XDG_DATA_HOME", (pasta / "xdg").c_str(), 1);
    fs::create_directories(pasta / "fechada" / "dic");
    ASSERT_EQ(::chmod((pasta / "fechada" / "dic").c_str(), 0555), 0);
    const bool superusuario = ::geteuid() == 0;
    EXPECT_EQ(PastaGravavel((pasta / "fechada" / "dic").string()), superusuario);
    EXPECT_EQ(PastaDosDicionarios((pasta / "fechada").string()),
              superusuario ? (pasta / "fechada" / "dic").string() : propria.string());
    EXPECT_TRUE(PastaGravavel(inst + "/dic"));
    EXPECT_FALSE(PastaGravavel((pasta / "nada").string()));
    EXPECT_FALSE(PastaGravavel((pasta / "arquivo").string()));

    ::unsetenv("XDG_DATA_HOME");
    fs::remove_all(pasta);
}
