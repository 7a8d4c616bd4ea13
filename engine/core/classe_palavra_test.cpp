// Word class by the neighbours and the complements of verbs, each rule
// checked on sentences of its class through the shipped dictionary.
#include <gtest/gtest.h>

#include <string>

#include "testes/apoio.h"

namespace {

struct Caso {
    const char* ingles;
    const char* portugues;
};

std::string Traduzir(const char* ingles)
{
    std::string s = TraduzirArquivo(std::string(ingles) + "\n");
    while (!s.empty() && (s.back() == '\n' || s.back() == '\r')) s.pop_back();
    return s;
}

void Conferir(std::initializer_list<Caso> casos)
{
    ASSERT_TRUE(GarantirMotor());
    for (const Caso& c : casos) EXPECT_EQ(Traduzir(c.ingles), c.portugues) << "para: " << c.ingles;
}

// "allows you to", "lets you": "permitir que voc\xEA" and the subjunctive,
// with or without "to", with an adverb between, and for two verbs joined
// by "and"; "help you" takes "a" and the infinitive.
TEST(ClassePalavra, VerbosDePermissaoComYou)
{
    Conferir({
        {"This option allows you to select a color.", "Esta op\xE7\xE3o permite que voc\xEA selecione uma cor."},
        {"The slider lets you set the distance.", "O controle deslizante permite que voc\xEA defina a dist\xE2ncia."},
        {"This tab allows you to view and edit a comment.",
         "Esta aba permite que voc\xEA visualize e edite um coment\xE1rio."},
        {"The dialog enables you to change the size.", "O di\xE1logo permite que voc\xEA altere o tamanho."},
        {"We help you understand it.", "N\xF3s ajudamos voc\xEA a entend\xEA-lo."},
        {"This tool helps you to find the files.", "Esta ferramenta ajuda voc\xEA a encontrar os arquivos."},
    });
}

// The bare verb after the object of "let", "make" or "help" is an
// infinitive, as is a clause after "before", "after" or "until" with a
// singular pronoun subject; such a clause opening the sentence leaves the
// verb after its comma an order.
TEST(ClassePalavra, InfinitivoDepoisDeObjetoEDeAntesDe)
{
    Conferir({
        {"Let the user choose a file.", "Deixe o usu\xE1rio escolher um arquivo."},
        {"Close the file after you save it.", "Feche o arquivo depois de voc\xEA salv\xE1-lo."},
        {"Wait until you press OK.", "Aguarde at\xE9 voc\xEA pressionar OK."},
        {"Before you start, read this.", "Antes de voc\xEA iniciar, leia isso."},
    });
}

// A personal pronoun right before its verb is its subject, even when a
// plural noun stands earlier ("voc\xEA est\xE1", not "voc\xEA est\xE3o").
TEST(ClassePalavra, PronomeSujeitoJuntoAoVerbo)
{
    Conferir({
        {"These are the lines you can show while you are working on the image.",
         "Estes s\xE3o as linhas que voc\xEA pode mostrar enquanto voc\xEA est\xE1 trabalhando na imagem."},
        {"The files you selected are open.", "Os arquivos que voc\xEA selecionou est\xE3o abertos."},
    });
}

// A word that is a noun and a verb: a noun before "of", as the "-s" head of
// a compound that is an object, as a bare form after a singular noun, and
// after an adverb the word before the adverb decides.
TEST(ClassePalavra, SubstantivoOuVerboPeloContexto)
{
    Conferir({
        {"Which type of file do you need?", "Qual tipo de arquivo voc\xEA precisa?"},
        {"Figure 2. \x93" "Cubism\x94" " filter options", "Figura 2. Op\xE7\xF5" "es de filtro \x93" "Cubismo\x94"},
        {"It reduces edge effects.", "Reduz efeitos de borda."},
        {"Set the distance between consecutive brush marks.",
         "Defina a dist\xE2ncia entre marcas de pincel consecutivas."},
        {"You can change the size of brush previews.", "Voc\xEA pode alterar o tamanho de pr\xE9-visualiza\xE7\xF5" "es de pincel."},
        {"Argument list too long.", "Lista de argumento muito longa."},
        {"Converts a translation catalog to a different encoding.",
         "Converte um cat\xE1logo de tradu\xE7\xE3o para uma codifica\xE7\xE3o diferente."},
        {"Set the size of the brush marks.", "Defina o tamanho das marcas de pincel."},
        {"The tool marks the area.", "A ferramenta marca a \xE1rea."},
        {"It gives more control.", "D\xE1 mais controle."},
        {"The user can then select a file.", "O usu\xE1rio pode ent\xE3o selecionar um arquivo."},
        // A name before the bare form, even one in "-s", with "have" before it.
        {"You don't have GVfs support on your platform.", "Voc\xEA n\xE3o tem suporte do GVfs na sua plataforma."},
        {"Can the user change the file?", "O usu\xE1rio pode alterar o arquivo?"},
    });
}

// "gives" is the verb "give", never the noun "gif"; "how many" agrees with
// its noun and opens a question like a question word.
TEST(ClassePalavra, FormasEPalavrasInterrogativas)
{
    Conferir({
        {"The program gives an error.", "O programa d\xE1 um erro."},
        {"How many layers does the image have?", "Quantas camadas a imagem tem?"},
        {"How much memory do you need?", "Quanta mem\xF3ria voc\xEA precisa?"},
        {"How many files did you delete?", "Quantos arquivos voc\xEA excluiu?"},
    });
}

// "while" or "when" before an "-ing" form is the time of that action: "ao"
// and the infinitive, also opening the sentence before an order; before a
// clause it stays the conjunction.
TEST(ClassePalavra, AoComInfinitivo)
{
    Conferir({
        {"Error while reading the file.", "Erro ao ler o arquivo."},
        {"Directory arguments required when using the option.",
         "Argumentos de diret\xF3rio necess\xE1rios ao usar a op\xE7\xE3o."},
        {"When saving, choose a folder.", "Ao salvar, escolha uma pasta."},
        {"While you are working, save often.", "Enquanto voc\xEA est\xE1 trabalhando, salve com frequ\xEAncia."},
        // "error" before the "-ing" form of its cause.
        {"Error loading the keyring.", "Erro ao carregar o chaveiro."},
        {"Errors reading the files.", "Erros ao ler os arquivos."},
        {"The error message is shown.", "A mensagem de erro \xE9 mostrada."},
    });
}

// Words with both readings in the core dictionary.
TEST(ClassePalavra, AdjetivoOuVerbo)
{
    Conferir({
        {"You can move each component separately.", "Voc\xEA pode mover cada componente separadamente."},
        {"Use separate files.", "Use arquivos separados."},
        {"Separate the layers.", "Separe as camadas."},
        {"It textures the image.", "Texturiza a imagem."},
    });
}

// "same", "other", "first", "last", "next" come before their noun, and one
// of them after an article heads its group before a finite verb.
TEST(ClassePalavra, AdjetivosAntepostos)
{
    Conferir({
        {"Use the same color.", "Use a mesma cor."},
        {"Open the other file.", "Abra o outro arquivo."},
        {"Use the next file.", "Use o pr\xF3ximo arquivo."},
        {"The other is red.", "O outro \xE9 vermelho."},
        {"The first was deleted.", "O primeiro foi exclu\xED" "do."},
        {"The new file is ready.", "O novo arquivo est\xE1 pronto."},
    });
}

// A bare verb after a comma that closes an opening without a finite verb (a
// place, a purpose, an adverb) is an order; after a subject it is not.
TEST(ClassePalavra, OrdemDepoisDeAbertura)
{
    Conferir({
        {"Then, select the layer.", "Ent\xE3o, selecione a camada."},
        {"Finally, close the window.", "Finalmente, feche a janela."},
        {"To save the file, use the menu.", "Para salvar o arquivo, use o menu."},
        {"Open, save and close the files.", "Abra, salve e feche os arquivos."},
        {"In this case, the file is saved.", "Neste caso, o arquivo \xE9 salvo."},
        {"When the file is saved, you see it.", "Quando o arquivo for salvo, voc\xEA o v\xEA."},
    });
}

// A participle between a determiner and its noun describes the noun; a verb
// that is also an adjective is the verb after "to".
TEST(ClassePalavra, ParticipioEntreDeterminanteENome)
{
    Conferir({
        {"Every selected file is deleted.", "Cada arquivo selecionado \xE9 exclu\xED" "do."},
        {"Failed to open image", "Falha ao abrir a imagem"},
        {"Failed to open the file", "Falha ao abrir o arquivo"},
        {"It is open to everyone.", "Est\xE1 aberto para todos."},
    });
}

// The complements of "have to" ("ter que"), "be used to" ("usado para") and
// "make sure" ("certificar-se de que").
TEST(ClassePalavra, ComplementosDeVerbos)
{
    Conferir({
        {"You have to restart the computer.", "Voc\xEA tem que reiniciar o computador."},
        {"It is used to store data.", "\xC9 usado para armazenar dados."},
        {"Please make sure it is running.", "Por favor, certifique-se de que est\xE1 em execu\xE7\xE3o."},
        {"Make sure that the file exists.", "Certifique-se de que o arquivo existe."},
        {"Make sure to save it.", "Certifique-se de salv\xE1-lo."},
        {"Be sure to save the file.", "Certifique-se de salvar o arquivo."},
        // "Be" opening a sentence is an order, never a question.
        {"Be careful when deleting files.", "Seja cuidadoso ao excluir arquivos."},
        {"You are able to open it.", "Voc\xEA \xE9 capaz de abri-lo."},
        {"Failed to write to temporary file.", "Falha ao gravar no arquivo tempor\xE1rio."},
        {"It refers to the file.", "Refere-se ao arquivo."},
        // "allow", "require" + "-ing": the infinitive.
        {"It also allows mixing segments.", "Ele tamb\xE9m permite misturar segmentos."},
        {"This requires restarting the computer.", "Isso exige reiniciar o computador."},
    });
}

// "that" before a noun points at it ("esse", "essa"); alone it is "isso";
// before a plural noun or a clause it is the conjunction or the relative.
TEST(ClassePalavra, ThatDemonstrativoOuConjuncao)
{
    Conferir({
        {"You can do that type of thing.", "Voc\xEA pode fazer esse tipo de coisa."},
        {"Select that option.", "Selecione essa op\xE7\xE3o."},
        {"Use that.", "Use isso."},
        {"The files that contain errors are open.", "Os arquivos que cont\xEAm erros est\xE3o abertos."},
        {"It says that files are missing.", "Diz que arquivos est\xE3o ausentes."},
    });
}

// After a singular noun, "set" or "put" is the past when an object follows
// and the participle otherwise; after a plural noun it may be the present.
TEST(ClassePalavra, MesmaFormaNoPassado)
{
    Conferir({
        {"The user set the value.", "O usu\xE1rio definiu o valor."},
        {"The value set in the dialog is used.", "O valor definido no di\xE1logo \xE9 usado."},
        {"Users set the value.", "Os usu\xE1rios definem o valor."},
    });
}

// A key of the keyboard (after a key name, "arrow", "keyboard", or "press
// the", "press any") is "tecla"; any other key is "chave".
TEST(ClassePalavra, TeclaOuChave)
{
    Conferir({
        {"Press the Shift key.", "Pressione a tecla Shift."},
        {"Press the key again.", "Pressione a tecla novamente."},
        {"Use the arrow keys.", "Use as teclas de seta."},
        {"Press any key to continue.", "Pressione qualquer tecla para continuar."},
        {"Use any key from the keyring.", "Use qualquer chave do chaveiro."},
        {"The public key is invalid.", "A chave p\xFA" "blica \xE9 inv\xE1lida."},
    });
}

// An "-ing" form that opens the sentence as the subject of its verb is the
// infinitive; before a comma it stays the gerund.
TEST(ClassePalavra, IngComoSujeito)
{
    Conferir({
        {"Moving the slider changes the value.", "Mover o controle deslizante altera o valor."},
        {"Using the mouse is easy.", "Usar o mouse \xE9 f\xE1" "cil."},
        {"Pressing this button closes the console.", "Pressionar este bot\xE3o fecha o console."},
        {"Using this option, you can save it.", "Usando esta op\xE7\xE3o, voc\xEA pode salv\xE1-lo."},
    });
}

// After a preposition or a verb, a participle before a noun describes it.
TEST(ClassePalavra, ParticipioAntesDeNome)
{
    Conferir({
        {"No message of desired type", "Nenhuma mensagem de tipo desejado"},
        {"Save selected files.", "Salve arquivos selecionados."},
        {"It was replaced by updated files.", "Foi substitu\xED" "do por arquivos atualizados."},
        {"You have selected files.", "Voc\xEA selecionou arquivos."},
    });
}

// After a pronoun that is a singular subject ("this", "something",
// "which") an "-s" form is the verb; after "these" it is the plural noun.
TEST(ClassePalavra, FormaEmSDepoisDeSujeitoSingular)
{
    Conferir({
        {"This changes the file.", "Isso altera o arquivo."},
        {"This sets the value.", "Isso define o valor."},
        {"The option which sets the value.", "A op\xE7\xE3o que define o valor."},
        {"These changes are saved.", "Estas altera\xE7\xF5" "es s\xE3o salvas."},
    });
}

// After "and" or "or" a bare form that ends the sentence or takes an
// article is a second order when the sentence opened with one; a noun
// stays a noun in a list and after a sentence that opened otherwise.
TEST(ClassePalavra, SegundaOrdemDepoisDeE)
{
    Conferir({
        {"Show version and exit", "Mostre a vers\xE3o e saia"},
        {"Select a file or cancel.", "Selecione um arquivo ou cancele."},
        {"Open the file and save the changes.", "Abra o arquivo e salve as altera\xE7\xF5" "es."},
        {"Copy files and folders.", "Copie arquivos e pastas."},
        {"The program shows the version and exit.", "O programa mostra a vers\xE3o e sa\xED" "da."},
    });
}

// An irregular plural the dictionary holds as a noun only ("lives", of
// "life") is the verb's "-s" form right after a singular subject with its
// determiner, or "he"/"she"/"it"; after a possessive, a verb or an article it
// stays the noun.
TEST(ClassePalavra, PluralIrregularComoVerboDepoisDoSujeito)
{
    Conferir({
        {"My brother lives in a small town.", "Meu irm\xE3o mora em uma cidade pequena."},
        {"He lives in Paris.", "Ele mora em Paris."},
        {"The old man lives alone.", "O homem antigo mora s\xF3."},
        {"Their lives are hard.", "Suas vidas s\xE3o duras."},
        {"It saves lives.", "Salva vidas."},
        {"The lives of the children.", "As vidas das crian\xE7" "as."},
    });
}

// "left" is the past of "leave" after a form of "have" (an adverb between)
// or a subject pronoun, "sair" without an object and "deixar" with one;
// elsewhere it is still the side.
TEST(ClassePalavra, PassadoHomografoDepoisDeTerOuDoSujeito)
{
    Conferir({
        {"They have already left.", "Eles j\xE1 sa\xEDram."},
        {"He has left the company.", "Ele deixou a empresa."},
        {"She left the room.", "Ela deixou a sala."},
        {"We had left early.", "N\xF3s t\xEDnhamos sa\xED" "do cedo."},
        {"Turn left at the corner.", "Gire a esquerda no canto."},
        {"Left to right.", "Esquerda para direita."},
        {"The left panel is empty.", "O painel esquerdo est\xE1 vazio."},
    });
}

// Readings chosen by a neighbour: "who" after a noun is the relative;
// "what" + "be" + "the"/possessive asks "qual" (not before "a" or a bare
// pronoun); "anything"/"anyone" after "not" are "nada"/"ningu\xE9m" and take
// no plural from the subject; "at" before an hour is "\xE0s", not before
// other numbers.
TEST(ClassePalavra, LeituraPeloVizinho)
{
    Conferir({
        {"The user who created the file can delete it.", "O usu\xE1rio que criou o arquivo pode exclui-lo."},
        {"Who is that man?", "Quem \xE9 esse homem?"},
        {"What is the problem?", "Qual \xE9 o problema?"},
        {"What are the options?", "Quais s\xE3o as op\xE7\xF5" "es?"},
        {"What is a layer?", "O que \xE9 uma camada?"},
        {"What is this?", "O que \xE9 isso?"},
        {"We didn't see anything.", "N\xF3s n\xE3o vimos nada."},
        {"I don't know anyone here.", "Eu n\xE3o sei ningu\xE9m aqui."},
        {"We saw nothing.", "N\xF3s vimos nada."},
        {"We eat at seven.", "N\xF3s comemos \xE0s sete."},
        {"The meeting starts at 10:30.", "A reuni\xE3o inicia \xE0s 10:30."},
        {"Call me at 5 pm.", "Ligue para mim \xE0s 5 da tarde."},
        {"Set the value at 50 percent.", "Defina o valor em 50 porcentagem."},
        {"We arrived at the airport at 6 am.", "N\xF3s chegamos no aeroporto \xE0s 6 da manh\xE3."},
        {"Call me at 9 pm.", "Ligue para mim \xE0s 9 da noite."},
        {"The shop closes at 2 pm.", "A loja fecha \xE0s 2 da tarde."},
    });
}

// "only" after an article or a possessive is "\xFAnico" before the noun;
// anywhere else the adverb "apenas", also where a verb follows it.
TEST(ClassePalavra, UnicoSoDepoisDeArtigoOuPossessivo)
{
    Conferir({
        {"He is the only person who knows.", "Ele \xE9 a \xFAnica pessoa que sabe."},
        {"Drag the only layer into the image.", "Arraste a \xFAnica camada na imagem."},
        {"You can only use local files.", "Voc\xEA pode apenas usar arquivos locais."},
        {"This only affects the palette.", "Isso apenas afeta a paleta."},
    });
}

// A preposition with no object after it ends its clause as an adverb
// ("antes", "depois"); before its object, or before a colon that
// introduces one, it keeps its "de".
TEST(ClassePalavra, PreposicaoSemObjetoEAdverbio)
{
    Conferir({
        {"I have never seen this error before.", "Eu nunca vi este erro antes."},
        {"Call me after.", "Ligue para mim depois."},
        {"I saw it the day before, and after.", "Eu o vi o dia antes, e depois."},
        {"Save the file before closing it.", "Salve o arquivo antes de fech\xE1-lo."},
        {"You can access this dialog through:", "Voc\xEA pode acessar este di\xE1logo atrav\xE9s de:"},
    });
}

// Everyday senses: "meet" without an object is pronominal and takes the
// subject's pronoun ("nos encontraremos"), "leave" without one is "sair",
// "live" before a place is "morar"; multiword times and reasons.
TEST(ClassePalavra, SentidosDoDiaADia)
{
    Conferir({
        {"We will meet tomorrow at noon.", "N\xF3s nos encontraremos amanh\xE3 ao meio-dia."},
        {"They meet every day.", "Eles se encontram todos os dias."},
        {"Where do you want to meet?", "Onde voc\xEA quer encontrar-se?"},
        {"We met at the station.", "N\xF3s nos encontramos na esta\xE7\xE3o."},
        {"I want to meet your sister.", "Eu quero conhecer sua irm\xE3."},
        {"The meeting was cancelled because of the storm.", "A reuni\xE3o foi cancelada por causa da tempestade."},
        {"What time is it?", "Que horas s\xE3o?"},
        {"Nobody answered the phone.", "Ningu\xE9m atendeu o telefone."},
        {"Answer the question.", "Responda a pergunta."},
        {"She answers every call.", "Ela atende cada chamada."},
        {"The train leaves at nine.", "O trem sai \xE0s nove."},
        {"Leave the field empty.", "Deixe o campo vazio."},
        {"Why did you leave?", "Por que voc\xEA saiu?"},
        {"It is the first time I see this.", "\xC9 a primeira vez que eu vejo isso."},
        {"This time it worked.", "Desta vez funcionou."},
        {"Please lock the door.", "Por favor, tranque a porta."},
        {"He locked the door.", "Ele trancou a porta."},
        {"Lock the screen.", "Bloqueie a tela."},
        {"There are no updates available at this time.", "N\xE3o h\xE1 atualiza\xE7\xF5" "es dispon\xEDveis neste tempo."},
        {"We are going to travel next week.", "N\xF3s vamos viajar na pr\xF3xima semana."},
        {"Last year we went to Portugal.", "No ano passado n\xF3s fomos para Portugal."},
        {"My grandmother is here.", "Minha av\xF3 est\xE1 aqui."},
        {"Don't worry.", "N\xE3o se preocupe."},
        {"Remember to save the file.", "Lembre-se de salvar o arquivo."},
        {"I don't remember.", "Eu n\xE3o me lembro."},
        {"See you later.", "At\xE9 mais tarde."},
        {"How old are you?", "Quantos anos voc\xEA tem?"},
        {"It doesn't matter.", "N\xE3o importa."},
    });
}

// Verbs by the words around them: a bare form after the subject of a
// question's auxiliary is the verb, at the end too; after "nobody" or
// "someone" an "-ed" form is the past ("Nothing selected" stays a
// participle); a finite verb closes its group before an adverb and the
// next verb ("who lives here is").
TEST(ClassePalavra, VerboPeloSujeitoDaPerguntaEPeloPronome)
{
    Conferir({
        {"How much memory does the program use?", "Quanta mem\xF3ria o programa usa?"},
        {"What does the user want?", "O que o usu\xE1rio quer?"},
        {"Nobody answered.", "Ningu\xE9m respondeu."},
        {"Nothing selected.", "Nada selecionado."},
        {"The man who lives here is a teacher.", "O homem que mora aqui \xE9 um professor."},
        {"It has always been here.", "Sempre esteve aqui."},
        {"Have you finished your work?", "Voc\xEA terminou seu trabalho?"},
        {"It works well.", "Funciona bem."},
        {"It does not work.", "N\xE3o funciona."},
        {"My computer is very slow.", "Meu computador \xE9 muito lento."},
        {"The file opened correctly.", "O arquivo abriu corretamente."},
        {"File saved successfully.", "Arquivo salvo com sucesso."},
    });
}

// A length of time after "for" is "por" (with an article, a number, a
// quantity or the unit alone), as after "thank you"; elsewhere "for" stays
// "para". "was born" is said actively ("nasci"), and states such as
// hunger and tiredness are "estar" ("estou com fome").
TEST(ClassePalavra, DuracaoNascerEEstados)
{
    Conferir({
        {"He has worked here for ten years.", "Ele trabalhou aqui por dez anos."},
        {"I have been using this program for years.", "Eu tenho usado este programa por anos."},
        {"It is used for days of the week.", "\xC9 usado para dias da semana."},
        {"Thank you for using our software.", "Obrigado por usar nosso software."},
        {"Thanks for the file.", "Obrigado pelo arquivo."},
        {"This tool is for images.", "Esta ferramenta \xE9 para imagens."},
        {"I was born in 1990.", "Eu nasci em 1990."},
        {"We were born in Brazil.", "N\xF3s nascemos no Brasil."},
        {"I am hungry.", "Eu estou com fome."},
        {"They are hungry.", "Eles est\xE3o com fome."},
        {"It is cold today.", "Est\xE1 frio hoje."},
        {"Thank you very much.", "Muito obrigado."},
    });
}

}  // namespace
