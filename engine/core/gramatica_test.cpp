// The grammar rules for the sentences users meet first, each checked on
// sentences of its class through the shipped dictionary.
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

// A modal that opens a question is the question's auxiliary: the subject
// comes first and the verb stays in the infinitive.
TEST(Gramatica, PerguntaComModal)
{
    Conferir({
        {"Can you help me?", "Voc\xEA pode me ajudar?"},
        {"Can you show it to me?", "Voc\xEA pode mostr\xE1-lo para mim?"},
        {"Could you open the file?", "Voc\xEA poderia abrir o arquivo?"},
        // "be" alone: the statement's order, "estar" or "ser" by the predicate.
        {"Is the file empty?", "O arquivo est\xE1 vazio?"},
        {"Are the files ready?", "Os arquivos est\xE3o prontos?"},
        {"Is it ready?", "Est\xE1 pronto?"},
    });
}

// "has been" + "-ing" is "ter" + participle; "been" has no word.
TEST(Gramatica, PerfeitoContinuo)
{
    Conferir({
        {"They have been copying the files.", "Eles t\xEAm copiado os arquivos."},
        {"She had been reading the book.", "Ela tinha lido o livro."},
        {"He has been reading all day.", "Ele tem lido o dia todo."},
        // "work" is "trabalhar" for a person, "funcionar" for a thing.
        {"He has been working all day.", "Ele tem trabalhado o dia todo."},
        {"It does not work.", "N\xE3o funciona."},
        {"The program works.", "O programa funciona."},
    });
}

// The present perfect says a finished action: the preterite, "have" left
// out, in a question too. "been" + a participle is the passive, also for a
// verb whose participle is its base ("set"); "will be" + participle is the
// future of "ser".
TEST(Gramatica, PerfeitoEPassiva)
{
    Conferir({
        {"Your password has expired.", "Sua senha expirou."},
        {"They have saved the files.", "Eles salvaram os arquivos."},
        {"Have you finished?", "Voc\xEA terminou?"},
        {"The value has been set.", "O valor foi definido."},
        {"The file will be deleted.", "O arquivo ser\xE1 exclu\xED" "do."},
        // With "ser" the short participle ("salvas", "impresso").
        {"The changes were saved.", "As altera\xE7\xF5" "es foram salvas."},
        {"The document was printed.", "O documento foi impresso."},
    });
}

// Orders: "Please" + verb is an order, written "Por favor," and the
// imperative; a modal that opens a question asks politely ("poderia").
TEST(Gramatica, PedidosEOrdens)
{
    Conferir({
        {"Please wait.", "Por favor, aguarde."},
        {"Please select a file.", "Por favor, selecione um arquivo."},
        {"Could you send me the file?", "Voc\xEA poderia me enviar o arquivo?"},
    });
}

// A clause of condition or time that opens the sentence speaks of what is
// still to come: the future subjunctive ("Se o arquivo existir"); after a
// verb "if" asks, and the indicative stays. A bare verb after such a
// clause's comma is an order.
TEST(Gramatica, OracaoCondicional)
{
    Conferir({
        {"If you do not save the file, the changes are lost.",
         "Se voc\xEA n\xE3o salvar o arquivo, as altera\xE7\xF5" "es s\xE3o perdidas."},
        {"If the file is empty, delete it.", "Se o arquivo estiver vazio, exclua-o."},
        {"If you can open the file, save it.", "Se voc\xEA puder abrir o arquivo, salve-o."},
        {"If they want to help, call me.", "Se eles quiserem ajudar, ligue para mim."},
        {"If the file exists, the program deletes it.", "Se o arquivo existir, o programa o exclui."},
        {"Check if the file exists.", "Verifique se o arquivo existe."},
    });
}

// "this" standing alone is "isto"; a comparative follows the noun even
// when the adjective goes before it; "Are you sure" is a set phrase.
TEST(Gramatica, PronomesEComparativos)
{
    Conferir({
        {"This may take a few minutes.", "Isso pode levar uns poucos minutos."},
        // "this" standing alone is "isso", contracted like a demonstrative.
        {"The result of this is shown.", "O resultado disso \xE9 mostrado."},
        {"You can do this later.", "Voc\xEA pode fazer isso mais tarde."},
        {"This file is empty.", "Este arquivo est\xE1 vazio."},
        {"Create a new folder.", "Crie uma nova pasta."},
        {"This program requires a newer version.", "Este programa exige uma vers\xE3o mais nova."},
        {"Are you sure?", "Voc\xEA tem certeza?"},
        {"Are you sure you want to delete this file?",
         "Voc\xEA tem certeza de que voc\xEA quer excluir este arquivo?"},
    });
}

// A subject pronoun and its verb right after a noun describe the noun: "que".
TEST(Gramatica, RelativaSemPronome)
{
    Conferir({
        {"Open the file you saved.", "Abra o arquivo que voc\xEA salvou."},
        {"The color you've chosen.", "A cor que voc\xEA escolheu."},
        {"In the file you find the list.", "No arquivo voc\xEA encontra a lista."},
        // The verb after the clause agrees with the noun.
        {"The password you entered is wrong.", "A senha que voc\xEA digitou \xE9 errada."},
    });
}

// A question word before "do": "do" is the question's auxiliary, not
// "fazer"; "I" is "eu" inside the sentence.
TEST(Gramatica, PerguntaComPalavraInterrogativa)
{
    Conferir({
        {"Where do you live?", "Onde voc\xEA mora?"},
        {"How do I install the program?", "Como eu instalo o programa?"},
        {"Which file do you want?", "Qual arquivo voc\xEA quer?"},
        // A question's auxiliary left alone is no order.
        {"Are these your keys?", "S\xE3o estas suas chaves?"},
    });
}

// "Don't" + verb at the start of a clause is an order: the subjunctive,
// which for "voc\xEA" has the imperative's form. With a subject it is the
// indicative, and "Do you" still asks.
TEST(Gramatica, ImperativoNegativo)
{
    Conferir({
        {"Don't delete the files in this folder.", "N\xE3o exclua os arquivos nesta pasta."},
        {"Please do not close this window.", "Por favor, n\xE3o feche esta janela."},
        {"Do not delete them.", "N\xE3o os exclua."},
        {"Do NOT delete this file.", "N\xC3O exclua este arquivo."},
        {"Do you like it?", "Voc\xEA gosta dele?"},
    });
}

// "It" as a subject is not written; after a preposition it is an object.
TEST(Gramatica, SujeitoIt)
{
    Conferir({
        {"It is raining.", "Est\xE1 chovendo."},
        {"It works.", "Funciona."},
        {"It can be done.", "Pode ser feito."},
        {"We were working in the garden when it started to rain.",
         "N\xF3s est\xE1vamos trabalhando no jardim quando come\xE7ou a chover."},
    });
}

// The verb complement of "start", "stop", "forget"...: the infinitive, with
// the preposition the Portuguese verb asks for.
TEST(Gramatica, ComplementoVerbal)
{
    Conferir({
        {"It started to rain.", "Come\xE7ou a chover."},
        {"The program started to read the file.", "O programa come\xE7ou a ler o arquivo."},
        {"Stop using the old version.", "Pare de usar a vers\xE3o antiga."},
        {"He forgot to close the window.", "Ele esqueceu de fechar a janela."},
        {"I want to save it.", "Eu quero salv\xE1-lo."},
        // After "possible", "unable" the infinitive is bare; after others "para".
        {"Unable to read the file.", "N\xE3o foi poss\xEDvel ler o arquivo."},
        {"It is not possible to open the file.", "N\xE3o \xE9 poss\xEDvel abrir o arquivo."},
        {"The program is ready to use.", "O programa est\xE1 pronto para usar."},
        // Without a verb after it "start" is "iniciar", "stop" is "parar".
        {"Start the program.", "Inicie o programa."},
        {"The task was started by the user.", "A tarefa foi iniciada pelo usu\xE1rio."},
    });
}

// A preposition + "-ing" is the infinitive, even for a form the dictionary
// knows as a noun; "by" + "-ing" is the gerund; "for" + a form with no
// object is the noun of the purpose.
TEST(Gramatica, PreposicaoComIng)
{
    Conferir({
        {"Check the disk before saving the file.", "Verifique o disco antes de salvar o arquivo."},
        {"Save it before closing the program.", "Salve-o antes de fechar o programa."},
        {"Install the program by clicking the button.", "Instale o programa clicando no bot\xE3o."},
        {"No file name specified for reading.", "Nenhum nome de arquivo especificado para leitura."},
        {"The file is open for reading.", "O arquivo est\xE1 aberto para leitura."},
    });
}

// Forms the dictionary knows as nouns or adjectives are the verb's where
// only a verb can stand: "-ing" opening a sentence before its object, "-ed"
// after a subject pronoun.
TEST(Gramatica, FormasVerbaisPelaPosicao)
{
    Conferir({
        {"Reading the data.", "Lendo os dados."},
        {"Saving the file.", "Salvando o arquivo."},
        {"I closed the window.", "Eu fechei a janela."},
        // After a modal a word that is an adjective or a verb is the verb;
        // after "is" the adjective.
        {"Could not open resource for reading.", "N\xE3o foi poss\xEDvel abrir o recurso para leitura."},
        {"The door is open.", "A porta est\xE1 aberta."},
        {"Warning: the file is empty.", "Aviso: o arquivo est\xE1 vazio."},
    });
}

// After a number or a determiner a word that is a noun or a verb is the noun.
TEST(Gramatica, SubstantivoAposNumeroEDeterminante)
{
    Conferir({
        {"There are 2 types of device files.", "H\xE1 2 tipos de arquivos de dispositivo."},
        {"Some types of files are hidden.", "Alguns tipos de arquivos est\xE3o escondidos."},
    });
}

// Acronyms, names in capitals and keys are written as they stand; a word
// in capitals that stands for a value is translated.
TEST(Gramatica, MaiusculasDeSiglasETeclas)
{
    Conferir({
        {"Enable SMART feature in BIOS.", "Habilite o recurso SMART no BIOS."},
        {"Press Ctrl-D to exit.", "Pressione Ctrl-D para sair."},
        {"Press Alt-F4 to close the window.", "Pressione Alt-F4 para fechar a janela."},
        {"Press Esc to cancel.", "Pressione Esc para cancelar."},
        {"Select the text and press Delete.", "Selecione o texto e pressione Delete."},
        {"Search for PATTERNS in each FILE.", "Pesquise PADR\xD5" "ES em cada ARQUIVO."},
        // An acronym the dictionary knows keeps its "de".
        {"TGA image type not supported.", "Tipo de imagem TGA n\xE3o suportado."},
    });
}

// Object pronouns: before the verb, after an affirmative order, and after
// an infinitive or a gerund in the third person.
TEST(Gramatica, PronomesObliquos)
{
    Conferir({
        {"Save it.", "Salve-o."},
        {"Tell me what you want.", "Diga-me o que voc\xEA quer."},
        {"Send them to me.", "Envie-os para mim."},
        {"He will help us.", "Ele nos ajudar\xE1."},
        {"He showed me the file.", "Ele me mostrou o arquivo."},
        {"They are helping us.", "Eles est\xE3o nos ajudando."},
        {"You can open it with a text editor.", "Voc\xEA pode abri-lo com um editor de texto."},
        {"You must do it now.", "Voc\xEA deve faz\xEA-lo agora."},
    });
}

// No blank after an opening quotation mark or bracket when the words
// inside are reordered.
TEST(Gramatica, SinaisDeAberturaSemEspaco)
{
    Conferir({
        {"See the \"User Guide\" for details.", "Veja o \"Guia do Usu\xE1rio\" para detalhes."},
        {"Open the file (Big Table) now.", "Abra o arquivo (Tabela Grande) agora."},
        {"Read the \x93User Guide\x94 now.", "Leia o \x93Guia do Usu\xE1rio\x94 agora."},
    });
}

// A predicate of state takes "estar", in the present and the past, also
// with "not"; an agent ("by the administrator") makes the same participle a
// passive with "ser", while "by default" is no agent.
TEST(Gramatica, EstadoOuPassiva)
{
    Conferir({
        {"The layer is visible.", "A camada est\xE1 vis\xEDvel."},
        {"The tool is not active.", "A ferramenta n\xE3o est\xE1 ativa."},
        {"The package is installed.", "O pacote est\xE1 instalado."},
        {"The package was installed by the administrator.", "O pacote foi instalado pelo administrador."},
        {"The option is available by default.", "A op\xE7\xE3o est\xE1 dispon\xEDvel por padr\xE3o."},
        // A participle of state in the present passive: "estar", unless an
        // agent follows; the past keeps "ser".
        {"The option is enabled.", "A op\xE7\xE3o est\xE1 habilitada."},
        {"If this option is checked, the image is saved.", "Se esta op\xE7\xE3o estiver marcada, a imagem \xE9 salva."},
        {"The files are selected.", "Os arquivos est\xE3o selecionados."},
        {"The option is enabled by default.", "A op\xE7\xE3o est\xE1 habilitada por padr\xE3o."},
        {"The file was selected.", "O arquivo foi selecionado."},
        {"The file is located in the folder.", "O arquivo est\xE1 localizado na pasta."},
        // a participle that is the bare form
        {"The layer was cut.", "A camada foi cortada."},
        {"The option is set by the user.", "A op\xE7\xE3o \xE9 definida pelo usu\xE1rio."},
        // Where something is: "estar"; what it is for: "ser".
        {"The file is in the folder.", "O arquivo est\xE1 na pasta."},
        {"The button is at the bottom of the window.", "O bot\xE3o est\xE1 no fundo da janela."},
        {"The layer name is in bold.", "O nome da camada est\xE1 em negrito."},
        // past an adverb
        {"The interface is now available in two modes.", "A interface est\xE1 agora dispon\xEDvel em dois modos."},
        {"The file is still in the folder.", "O arquivo ainda est\xE1 na pasta."},
        {"This is really useful.", "Isso \xE9 realmente \xFAtil."},
    });
}

// What is clicked takes "em", also a button named by its label, whose verb
// is the infinitive; in a clause of condition or time "clicar em" takes the
// future subjunctive like any verb.
TEST(Gramatica, CliqueEm)
{
    Conferir({
        {"Click OK to continue.", "Clique em OK para continuar."},
        {"Click Save.", "Clique em Salvar."},
        {"You can click Cancel.", "Voc\xEA pode clicar em Cancelar."},
        {"If you click Save, the file is overwritten.", "Se voc\xEA clicar em Salvar, o arquivo \xE9 sobrescrito."},
        {"If they click OK, the window closes.", "Se eles clicarem em OK, a janela fecha."},
        {"When you click the button, the file is saved.", "Quando voc\xEA clicar no bot\xE3o, o arquivo \xE9 salvo."},
        {"Click here to continue.", "Clique aqui para continuar."},
    });
}

// One capitalised word translated by several capitalises the first only;
// a sentence in capitals keeps them all.
TEST(Gramatica, MaiusculaDeUmaPalavraTraduzidaPorVarias)
{
    Conferir({
        {"It is shown in the Toolbox.", "\xC9 mostrado na Caixa de ferramentas."},
        {"Open the Toolbox.", "Abra a Caixa de ferramentas."},
        {"It is saved as File name in the folder.", "\xC9 salvo como Nome de arquivo na pasta."},
        {"THE TOOLBOX IS OPEN", "A CAIXA DE FERRAMENTAS EST\xC1 ABERTA"},
    });
}

// "to the" contracts ("ao", "\xE0"); "for the" is "para o", "para a".
TEST(Gramatica, ParaNaoContraiComArtigo)
{
    Conferir({
        {"The properties for the layer are shown.", "As propriedades para a camada s\xE3o mostradas."},
        {"Options for the tool", "Op\xE7\xF5" "es para a ferramenta"},
        {"This is for the user.", "Isso \xE9 para o usu\xE1rio."},
        {"Go to the menu.", "V\xE1 ao menu."},
    });
}

// "all" alone is "tudo"; before a noun it agrees and says the article once.
TEST(Gramatica, TodosETudo)
{
    Conferir({
        {"Select all.", "Selecione tudo."},
        {"All files are saved.", "Todos os arquivos s\xE3o salvos."},
        {"All the files are saved.", "Todos os arquivos s\xE3o salvos."},
        // "each of" is "cada um de"; "each" before a noun is "cada".
        {"You can work on each of them separately.", "Voc\xEA pode trabalhar em cada um deles separadamente."},
        {"Each layer has a name.", "Cada camada tem um nome."},
        {"It copies the selection of all the visible layers.", "Copia a sele\xE7\xE3o de todas as camadas vis\xEDveis."},
    });
}

// A modal before "be": the infinitive of "ser" and the participle that
// agrees (a passive), or "estar" and the gerund; "be" + a noun stays "ser".
TEST(Gramatica, ModalComPassiva)
{
    Conferir({
        {"The file should be saved.", "O arquivo deveria ser salvo."},
        {"The image must be saved first.", "A imagem deve ser salva primeira."},
        {"The files must not be deleted.", "Os arquivos n\xE3o devem ser exclu\xED" "dos."},
        {"The layers may be hidden.", "As camadas podem ser escondidas."},
        {"It must be a number.", "Deve ser um n\xFAmero."},
        {"You should save the file.", "Voc\xEA deveria salvar o arquivo."},
        // "would be": the conditional of "ser" or "estar" alone.
        {"The value would be lost.", "O valor seria perdido."},
        {"The files would not be saved.", "Os arquivos n\xE3o seriam salvos."},
        {"It would not be available.", "N\xE3o estaria dispon\xEDvel."},
        {"This would be useful.", "Isso seria \xFAtil."},
    });
}

// An object that opens with "no" puts "n\xE3o" before the verb; a plural one
// needs no "nenhuns"; a subject with "no" stays as it is.
TEST(Gramatica, ObjetoComNo)
{
    Conferir({
        {"This layer has no Alpha channel.", "Esta camada n\xE3o tem canal Alfa."},
        {"It can have no effect.", "N\xE3o pode ter efeito."},
        {"The dialog has no options.", "O di\xE1logo n\xE3o tem op\xE7\xF5" "es."},
        {"There is no file.", "N\xE3o h\xE1 arquivo."},
        {"There are no files in this folder.", "N\xE3o h\xE1 arquivos nesta pasta."},
        {"No image is open.", "Nenhuma imagem est\xE1 aberta."},
    });
}

// A passive after "before", "after" or "until" with "it" as its subject is
// the infinitive without a subject; an active verb keeps its subject.
TEST(Gramatica, PassivaAposAntesDe)
{
    Conferir({
        {"The file is deleted after it was saved.", "O arquivo \xE9 exclu\xED" "do depois de ser salvo."},
        {"Before it is saved, the file is verified.", "Antes de ser salvo, o arquivo \xE9 verificado."},
        {"Save the image before you close it.", "Salve a imagem antes de voc\xEA fech\xE1-lo."},
        {"It is changed.", "\xC9 alterado."},
    });
}

// A bare verb after an adverb that opens the sentence is an order; after a
// subject it is the present.
TEST(Gramatica, OrdemAposAdverbio)
{
    Conferir({
        {"Then click OK.", "Ent\xE3o clique em OK."},
        {"Now open the file.", "Agora abra o arquivo."},
        {"Simply select the layer.", "Simplesmente selecione a camada."},
        {"Then press Enter to execute the command.", "Ent\xE3o pressione Enter para executar o comando."},
        {"It then opens the file.", "Ele ent\xE3o abre o arquivo."},
    });
}

// After "em" a possessive takes its article: "na sua pasta".
TEST(Gramatica, PossessivoComArtigoAposEm)
{
    Conferir({
        {"It is saved in your personal folder.", "\xC9 salvo na sua pasta pessoal."},
        {"In your folders, the files are saved.", "Nas suas pastas, os arquivos s\xE3o salvos."},
    });
}

// "Tab" is a key after "press" or before "key"; elsewhere the tab of a
// dialog.
TEST(Gramatica, TabTeclaOuAba)
{
    Conferir({
        {"Press Tab to move.", "Pressione Tab para mover."},
        {"Use the Tab key.", "Use a tecla Tab."},
        {"You can open it by selecting Add Tab \xBB Layers.", "Voc\xEA pode abri-lo selecionando Adicionar aba \xBB Camadas."},
        {"The Tab menu", "O menu de aba"},
    });
}

// "mode" after a preposition takes the article ("no modo de grade").
TEST(Gramatica, ModoComArtigo)
{
    Conferir({
        {"The image is in RGB mode.", "A imagem est\xE1 no modo RGB."},
        {"Select the mode.", "Selecione o modo."},
    });
}

}  // namespace
