// The shipped general dictionary: its core entries carry what the analysis reads
// (class, form and person bits, base forms, multiword bits) and translate the
// sentences that exercise them.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "core/motor.h"
#include "dictionary/dicionario.h"
#include "testes/apoio.h"

namespace {

clVerbete Procurar(const char* palavra)
{
    clVerbete v;
    LimparVerbete(&v);
    std::strncpy(v.vocabulo, palavra, sizeof v.vocabulo - 1);
    v.vocabulo[sizeof v.vocabulo - 1] = '\0';
    ProcurarPalavra(&Motor().dicionarios, &v);
    return v;
}

// First translation of the block (the unconditioned default when there is one alternative).
std::string Primeira(const clVerbete& v)
{
    const int tam = v.tamTraducoes;
    if (tam <= 0) return {};
    return std::string(v.blocoTraducoes, strnlen(v.blocoTraducoes, static_cast<std::size_t>(tam)));
}

std::string SemFimDeLinha(std::string s)
{
    while (!s.empty() && (s.back() == '\n' || s.back() == '\r' || s.back() == ' ')) s.pop_back();
    return s;
}

TEST(DicionarioGeral, EntradasDoNucleoTrazemOsBitsQueAAnaliseLe)
{
    ASSERT_TRUE(GarantirMotor());

    clVerbete v = Procurar("a");
    EXPECT_EQ(+v.classe, 0x0020);
    EXPECT_EQ(+v.flagsArtigo, 0x0004);

    // "is": auxiliary, third person singular, base "be"; "is_being" and, through
    // the base form, "be_going_to" begin with it.
    v = Procurar("is");
    EXPECT_EQ(+v.classe, 0x0010);
    EXPECT_STREQ(v.formaBase, "be");
    EXPECT_TRUE(v.formas & 0x0080);
    EXPECT_EQ(v.mascaraLocucao & 0x03, 0x03);

    // "are" agrees only with plural subjects: a singular-form bit would make the
    // subject correction pick a singular noun ("the books on the table are").
    v = Procurar("are");
    EXPECT_EQ(v.formas & 0x00E0, 0);
    EXPECT_EQ(v.formas & 0x0700, 0x0700);

    v = Procurar("were");
    EXPECT_TRUE(v.formas & 0x0008);

    v = Procurar("be_going_to");
    EXPECT_EQ(+v.classe, 0x0010);
    v = Procurar("be");
    EXPECT_EQ(v.mascaraLocucao & 0x06, 0x06);  // be_going_to, be_not_going_to

    v = Procurar("they");
    EXPECT_EQ(+v.classe, 0x0040);
    EXPECT_EQ(v.flagsPron & 0x0408, 0x0408);  // personal, third plural

    // Irregular forms come with their base, form bits and the base's translation.
    v = Procurar("went");
    EXPECT_STREQ(v.formaBase, "go");
    EXPECT_TRUE(v.formas & 0x0008);
    EXPECT_EQ(Primeira(v), "ir");

    v = Procurar("children");
    EXPECT_STREQ(v.formaBase, "child");
    EXPECT_TRUE(v.flagsSubst & 0x02);

    v = Procurar("table");
    EXPECT_TRUE(v.flagsSubst & 0x40);  // "tabela" is feminine
    EXPECT_EQ(Primeira(v), "tabela");

    // A word of the generated lexicon.
    v = Procurar("directory");
    EXPECT_EQ(Primeira(v), "diret\xF3rio");
}

struct Caso {
    const char* ingles;
    const char* portugues;
};

TEST(DicionarioGeral, NucleoTraduzAsFrasesQueOExercitam)
{
    ASSERT_TRUE(GarantirMotor());
    // Until generation is wired into the sentence loop, sentences come back as read.
    if (SemFimDeLinha(TraduzirArquivo("The red car.\n")) == "The red car.")
        GTEST_SKIP() << "the engine does not generate Portuguese yet";

    const Caso casos[] = {
        {"The file is empty.", "O arquivo est\xE1 vazio."},
        {"The red cars.", "Os carros vermelhos."},
        {"This file is not available.", "Este arquivo n\xE3o est\xE1 dispon\xEDvel."},
        {"You can delete this file.", "Voc\xEA pode excluir este arquivo."},
        {"They have saved the files.", "Eles salvaram os arquivos."},
        {"I am going to save the file.", "Eu vou salvar o arquivo."},
        {"The name of the table.", "O nome da tabela."},
        {"The user is working in the house.", "O usu\xE1rio est\xE1 funcionando na casa."},
        // "used" and "using": the stem "us" is the pronoun, the entries of the forms reach "use".
        {"The files were used.", "Os arquivos foram usados."},
        {"Using the cache.", "Usando o cache."},
        {"Enter your user name and password.", "Digite seu nome de usu\xE1rio e senha."},
        // "bom" and "ruim" do not take the "a" of Feminino: "boa" by condition, "ruim" unchanged.
        {"A good page.", "Uma boa p\xE1gina."},
        {"The page is bad.", "A p\xE1gina \xE9 ruim."},
        // Terse messages: a noun that "not" follows is no verb, and nothing of
        // the sentence is dropped.
        {"File format not recognized.", "Formato de arquivo n\xE3o reconhecido."},
        {"TGA image type not supported.", "Tipo de imagem TGA n\xE3o suportado."},
        // The sentence's capital goes to the first letter only.
        {"Unknown host name.", "Nome de host desconhecido."},
        // An unknown word after "cannot", "do not" is the verb, kept in English.
        {"Cannot frobnicate the file.", "N\xE3o foi poss\xEDvel frobnicate o arquivo."},
        {"Do not frobnicate the file.", "N\xE3o frobnicate o arquivo."},
        {"Open the file and read the text.", "Abra o arquivo e leia o texto."},
        {"Failed to get the file.", "Falha ao obter o arquivo."},
        {"The program failed to start.", "O programa falhou ao iniciar."},
        // A verb without object before "while", "when" or "because" is the
        // past; a verb with one there still describes its noun.
        {"A problem occurred while loading the file.", "Ocorreu um problema ao carregar o arquivo."},
        {"The program crashed when I clicked the button.", "O programa travou quando eu cliquei no bot\xE3o."},
        {"The files created when you save the image are small.",
         "Os arquivos criados quando voc\xEA salva a imagem s\xE3o pequenos."},
        // "de" + an object pronoun contracts; "para" of "parar" is no preposition.
        {"Do you like it?", "Voc\xEA gosta dele?"},
        {"He stops the car.", "Ele para o carro."},
        // A message without subject says what was not possible, what failed
        // ("Falha ao", "N\xE3o foi poss\xEDvel" for "cannot" too); with a
        // subject, or in a question, "could" is still "poder".
        {"Could not find the file.", "N\xE3o foi poss\xEDvel encontrar o arquivo."},
        {"Cannot delete the file.", "N\xE3o foi poss\xEDvel excluir o arquivo."},
        {"Unable to save the file.", "N\xE3o foi poss\xEDvel salvar o arquivo."},
        {"The folder could not be created.", "N\xE3o foi poss\xEDvel criar a pasta."},
        {"Folder could not be created", "N\xE3o foi poss\xEDvel criar a pasta"},
        {"No protocol could be negotiated.", "Nenhum protocolo p\xF4" "de ser negociado."},
        {"He could not open it.", "Ele n\xE3o p\xF4" "de abri-lo."},
        {"Could you open the file?", "Voc\xEA poderia abrir o arquivo?"},
        // "has been" + participle is the past passive: "been" takes the
        // tense, the participle agrees, nothing of "have" is left.
        {"The file has been deleted.", "O arquivo foi exclu\xED" "do."},
        {"The files have not been copied.", "Os arquivos n\xE3o foram copiados."},
        {"Has the file been deleted?", "O arquivo foi exclu\xED" "do?"},
        // An opening participle before its noun describes it.
        {"Deleted files.", "Arquivos exclu\xED" "dos."},
        // A split infinitive is still an infinitive.
        {"Failed to fully remove the file.", "Falha ao plenamente remover o arquivo."},
        // "leaves": a verb after its subject, the plural of "leaf" after an article.
        {"She leaves.", "Ela sai."},
        {"The leaves are green.", "As folhas s\xE3o verdes."},
    };
    for (const Caso& c : casos) {
        EXPECT_EQ(SemFimDeLinha(TraduzirArquivo(std::string(c.ingles) + "\n")), c.portugues)
            << "para: " << c.ingles;
    }
}

// Short program messages: the forms a Brazilian catalogue uses for what
// failed or was not possible, names the dictionary keeps as written, and
// "this" standing alone.
TEST(DicionarioGeral, MensagensDeProgramas)
{
    ASSERT_TRUE(GarantirMotor());
    struct Caso {
        const char* ingles;
        const char* portugues;
    };
    const Caso casos[] = {
        // A name kept as written before a noun says its kind, without "de";
        // one that takes the article keeps it; capitals inside a name stay.
        {"Failed to save TIFF image", "Falha ao salvar a imagem TIFF"},
        {"Could not get OpenPGP key.", "N\xE3o foi poss\xEDvel obter a chave OpenPGP."},
        {"Copy the PDF file.", "Copie o arquivo PDF."},
        {"Open the GIMP window.", "Abra a janela do GIMP."},
        // In a sentence in capitals the capitals say nothing of a name.
        {"THE TIFF IMAGE IS READY.", "A IMAGEM DE TIFF EST\xC1 PRONTA."},
        // "this" alone is "isso", and contracts with "de" and "em".
        {"You can change this later.", "Voc\xEA pode alterar isso mais tarde."},
        {"I am sure of this.", "Eu sou seguro disso."},
        {"Authentication is required.", "A autentica\xE7\xE3o \xE9 necess\xE1ria."},
        // "no" before the object of a verb or of "there is" is the verb's
        // "n\xE3o"; the subject it opens is singular, and so is the verb.
        {"There are no updates available.", "N\xE3o h\xE1 atualiza\xE7\xF5" "es dispon\xED" "veis."},
        {"I have no name!", "Eu n\xE3o tenho nome!"},
        {"The image has no colormap.", "A imagem n\xE3o tem mapa de cores."},
        {"No packages were found.", "Nenhum pacote foi encontrado."},
        {"No files are open.", "Nenhum arquivo est\xE1 aberto."},
        {"The file is not empty.", "O arquivo n\xE3o est\xE1 vazio."},
        // The bare singular object of an infinitive or an order takes the
        // article; plurals, names and pieces of an address stay bare.
        {"Unable to read file.", "N\xE3o foi poss\xEDvel ler o arquivo."},
        {"Please insert disk.", "Por favor, insira o disco."},
        {"Failed to install packages", "Falha ao instalar pacotes"},
        {"Install the TIFF tools.", "Instale as ferramentas TIFF."},
        {"See http://example.org/a now.", "Veja http://example.org/a agora."},
        // So does a bare singular noun after "in", but for a noun that is
        // also a verb ("in use") or before a preposition ("in combination
        // with").
        {"Invalid header in icon", "Cabe\xE7" "alho inv\xE1lido no \xED" "cone"},
        {"Error in public key generation.", "Erro na gera\xE7\xE3o de chave p\xFA" "blica."},
        {"Operation in progress.", "Opera\xE7\xE3o em progresso."},
        {"Use it in combination with Shift.", "Use-o em combina\xE7\xE3o com Shift."},
        // "Cannot" says it as "Unable to" does.
        {"Cannot open file.", "N\xE3o foi poss\xEDvel abrir o arquivo."},
        {"Could not save PNG image.", "N\xE3o foi poss\xEDvel salvar a imagem PNG."},
        // "whether to" is "se deve".
        {"Whether to show the icon", "Se deve mostrar o \xED" "cone"},
        // "no such" is "inexistente", after the last noun of a pair.
        {"No such file or directory", "Arquivo ou diret\xF3rio inexistente"},
        {"Not found, no such name", "N\xE3o encontrado, nome inexistente"},
        {"No such user and group", "Usu\xE1rio e grupo inexistentes"},
        {"No such files.", "Arquivos inexistentes."},
        // "be" before a preposition of place is "estar", negated or not;
        // before another preposition it stays "ser".
        {"The device is in use.", "O dispositivo est\xE1 em uso."},
        {"The file is not in the folder.", "O arquivo n\xE3o est\xE1 na pasta."},
        {"The file is for reading.", "O arquivo \xE9 para leitura."},
        // A noun plural in Portuguese only takes the plural verb.
        {"The data is saved.", "Os dados s\xE3o salvos."},
        {"The data was lost.", "Os dados foram perdidos."},
        {"The list of files is empty.", "A lista de arquivos est\xE1 vazia."},
        // The bare subject that opens a sentence before its verb takes the
        // article; a message without a verb does not.
        {"GIF image has no colormap.", "A imagem GIF n\xE3o tem mapa de cores."},
        {"Files were deleted.", "Os arquivos foram exclu\xED" "dos."},
        {"File not found.", "Arquivo n\xE3o encontrado."},
        {"Deleted files.", "Arquivos exclu\xED" "dos."},
        // "too many" is "muitos"; "too" that ends the clause is "tamb\xE9m".
        {"There were too many errors.", "Havia muitos erros."},
        {"It uses too much memory.", "Usa muita mem\xF3ria."},
        {"The file is too large.", "O arquivo \xE9 muito grande."},
        {"Short options take them too.", "As op\xE7\xF5" "es curtas os levam tamb\xE9m."},
        // "unable to" after its subject and "be" is "incapaz de", agreeing.
        {"The program is unable to start.", "O programa \xE9 incapaz de iniciar."},
        {"The users were unable to log in.", "Os usu\xE1rios foram incapazes de fazer login."},
        // The passive of a verb whose participle says a state is "estar";
        // with an agent it is the action, with "ser".
        {"TPM is not initialized.", "O TPM n\xE3o est\xE1 inicializado."},
        {"The certificate is expired.", "O certificado est\xE1 expirado."},
        {"The file is locked by another program.", "O arquivo \xE9 bloqueado por outro programa."},
        {"The file is saved.", "O arquivo \xE9 salvo."},
        // A possessor in "'s" without its own determiner is a definite one;
        // a name keeps "de".
        {"The response's signer's certificate.", "Certificado do assinante da resposta."},
        {"John's car is red.", "O carro de John \xE9 vermelho."},
        // Two subjects joined by "and" take the plural verb, masculine
        // unless both are feminine; "and" between clauses joins no subject.
        {"The certificate and the key do not match.", "O certificado e a chave n\xE3o correspondem."},
        {"The file and the folder were deleted.", "O arquivo e a pasta foram exclu\xED" "dos."},
        {"The image and the page are saved.", "A imagem e a p\xE1gina s\xE3o salvas."},
        {"It has a channel and the background is transparent.", "Tem um canal e o fundo \xE9 transparente."},
        // "Not all" opening a clause is "nem todos".
        {"Not all frames were loaded.", "Nem todos os quadros foram carregados."},
    };
    for (const Caso& c : casos) {
        EXPECT_EQ(SemFimDeLinha(TraduzirArquivo(std::string(c.ingles) + "\n")), c.portugues)
            << "para: " << c.ingles;
    }
}

// Verbs of several words ("turn off", "give up", "depend on") translate as one
// verb, whatever form the first word takes, with the object where it stood.
TEST(DicionarioGeral, VerbosDeVariasPalavras)
{
    ASSERT_TRUE(GarantirMotor());
    const Caso casos[] = {
        {"Turn off the computer.", "Desligue o computador."},
        {"Don't turn off the computer.", "N\xE3o desligue o computador."},
        {"He turned off the computer.", "Ele desligou o computador."},
        {"She turns on the light.", "Ela liga a luz."},
        {"The system is shutting down.", "O sistema est\xE1 desligando."},
        {"The computer was turned off.", "O computador foi desligado."},
        // Without an object the verb stands alone; with one it takes the
        // preposition Portuguese asks for.
        {"I gave up.", "Eu desisti."},
        {"He has given up.", "Ele desistiu."},
        {"Don't give up on your dreams.", "N\xE3o desista de seus sonhos."},
        {"Back up your files.", "Fa\xE7" "a backup de seus arquivos."},
        {"It depends on the system.", "Depende do sistema."},
        {"The program ran out of memory.", "O programa ficou sem mem\xF3ria."},
        {"Checking for updates.", "Verificando se h\xE1 atualiza\xE7\xF5" "es."},
        // The preposition at the end of the verb's translation contracts
        // with the article, feminine too.
        {"This option refers to the active layer.", "Esta op\xE7\xE3o refere-se \xE0 camada ativa."},
        // An order to look something up is "consultar".
        {"Refer to the documentation.", "Consulte a documenta\xE7\xE3o."},
        {"This program conforms to the standard.", "Este programa obedece ao padr\xE3o."},
        {"Select all the files.", "Selecione todos os arquivos."},
        // A reflexive verb takes its pronoun before it after "n\xE3o" and in
        // the future; after a subject or in an order, after it.
        {"Don't sign up.", "N\xE3o se cadastre."},
        {"He did not make sure that it works.", "Ele n\xE3o se certificou de que funciona."},
        {"The image will turn into a drawing.", "A imagem se transformar\xE1 em um desenho."},
        {"The image turns into a drawing.", "A imagem transforma-se em um desenho."},
        // A participle carries no pronoun: before it after "ter", none in a passive.
        {"He had made sure that it works.", "Ele tinha se certificado de que funciona."},
        {"The palettes can be turned into indexed palettes.", "As paletas podem ser transformadas em paletas indexadas."},
        // The "-s" of the first word still makes a description, not an order.
        {"Turns off the display.", "Desliga a exibi\xE7\xE3o."},
        {"You must log in to continue.", "Voc\xEA deve fazer login para continuar."},
        {"Get rid of the old files.", "Livre-se dos arquivos antigos."},
        {"The file is gone.", "O arquivo sumiu."},
        {"The files are gone.", "Os arquivos sumiram."},
        // A word whose next word looks back at it is joined while its own
        // reading is still being chosen: the joined verb keeps its class.
        {"Look forward to it.", "Aguarde-o."},
        {"Look forward to the meeting.", "Aguarde a reuni\xE3o."},
    };
    for (const Caso& c : casos) {
        EXPECT_EQ(SemFimDeLinha(TraduzirArquivo(std::string(c.ingles) + "\n")), c.portugues)
            << "para: " << c.ingles;
    }
    // After an article the first word is a noun: no verb is made of it.
    EXPECT_EQ(SemFimDeLinha(TraduzirArquivo("The check for updates failed.\n")).find("se h\xE1"), std::string::npos);
    EXPECT_EQ(SemFimDeLinha(TraduzirArquivo("The turn on the left.\n")).find("Lig"), std::string::npos);
}

// A blank line ends a sentence with a token of no text: it is no unknown
// word, so no stray "de" joins it to the sentence before.
TEST(DicionarioGeral, LinhaEmBrancoEncerraAFraseSemPalavraFantasma)
{
    ASSERT_TRUE(GarantirMotor());
    EXPECT_EQ(SemFimDeLinha(TraduzirArquivo("Failed to read from stdin\n\nUnknown host name.\n")),
              "Falha ao ler de stdin\n\nNome de host desconhecido.");
    EXPECT_EQ(SemFimDeLinha(TraduzirArquivo("Read from stdin\n\n")), "Leia de stdin");
}

// Names of countries of several words are written as the dictionary spells
// them, lower-case joints and all, when the text capitalises them; in lower
// case, or in a sentence in capitals, the text's case holds. Names of
// products and acronyms the dictionary keeps take their gender.
TEST(DicionarioGeral, NomesDePaisesEProdutos)
{
    ASSERT_TRUE(GarantirMotor());
    struct Caso {
        const char* ingles;
        const char* portugues;
    };
    const Caso casos[] = {
        {"South Korea is a country.", "A Coreia do Sul \xE9 um pa\xEDs."},
        {"The United Kingdom is big.", "O Reino Unido \xE9 grande."},
        {"The Philippines are beautiful.", "As Filipinas s\xE3o bonitas."},
        {"SOUTH KOREA", "COREIA DO SUL"},
        {"Press Caps Lock.", "Pressione Caps Lock."},
        {"The TPU is fast.", "A TPU \xE9 r\xE1pida."},
        {"The script uses PowerShell.", "O script usa PowerShell."},
    };
    for (const Caso& c : casos) {
        EXPECT_EQ(SemFimDeLinha(TraduzirArquivo(std::string(c.ingles) + "\n")), c.portugues)
            << "para: " << c.ingles;
    }
    const clVerbete v = Procurar("south_korea");
    EXPECT_EQ(Primeira(v), "Coreia_do_Sul");
}

}  // namespace
