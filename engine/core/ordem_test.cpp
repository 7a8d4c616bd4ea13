// Word order, agreement and senses in generation, each rule checked on a
// group of sentences through the shipped dictionary.
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

// An article cut from its noun by a quotation mark or an adverb still
// agrees with it; a noun after the quotation is the head.
TEST(Ordem, ArtigoConcordaAtravesDeAspasEAdverbio)
{
    Conferir({
        {"See the \"Debian Reference\" for details.", "Veja a \"Refer\xEAncia do Debian\" para detalhes."},
        {"See the \"User Guide\" for details.", "Veja o \"Guia do Usu\xE1rio\" para detalhes."},
        {"This is a more flexible tool.", "Isso \xE9 uma ferramenta mais flex\xEDvel."},
    });
}

// An adverb of degree goes with its adjective after the noun; in a
// predicate it stays before the adjective.
TEST(Ordem, AdverbioDeGrauSegueOAdjetivo)
{
    Conferir({
        {"It is a very large file.", "\xC9 um arquivo muito grande."},
        {"Choose the most important setting.", "Escolha a configura\xE7\xE3o mais importante."},
        {"It is an extremely fast computer.", "\xC9 um computador extremamente r\xE1pido."},
        {"The file is very large.", "O arquivo \xE9 muito grande."},
    });
}

// "same", "other", "next", "first", "last", "own", "various" come before
// the noun; "the same ... as" compares with "que".
TEST(Ordem, AdjetivosAntepostosEMesmoQue)
{
    Conferir({
        {"It has the same effect as the image.", "Tem o mesmo efeito que a imagem."},
        {"Select the next layer.", "Selecione a pr\xF3xima camada."},
        {"Open the first file.", "Abra o primeiro arquivo."},
        {"Close the other windows.", "Feche as outras janelas."},
        {"It has various options.", "Tem v\xE1rias op\xE7\xF5" "es."},
    });
}

// A noun whose senses differ in gender takes the gender of the sense
// chosen: "children" of a process or a parent are "filhos", else "crian\xE7as".
TEST(Ordem, SentidoEGeneroDeChildren)
{
    Conferir({
        {"The children were playing in the garden.", "As crian\xE7" "as estavam brincando no jardim."},
        {"I have 3 children.", "Eu tenho 3 filhos."},
        {"The process waits for its children.", "O processo aguarda seus filhos."},
        {"Kill the child processes.", "Mate os processos filhos."},
        {"You can play the video.", "Voc\xEA pode reproduzir o v\xED" "deo."},
        // "key" after a noun (a key name, "arrow") is the keyboard's.
        {"Press the Shift key.", "Pressione a tecla Shift."},
        {"Use the arrow keys.", "Use as teclas de seta."},
        {"Import the public key.", "Importe a chave p\xFA" "blica."},
        // "right": the side, unless plural ("rights").
        {"The image on the right shows it.", "A imagem na direita o mostra."},
        {"All rights reserved.", "Todos os direitos reservados."},
        // An option is "marcada" when checked; a file is checked ("verificar").
        {"If the option is checked, the layer is hidden.", "Se a op\xE7\xE3o estiver marcada, a camada est\xE1 escondida."},
        {"Check the file.", "Verifique o arquivo."},
        {"The previews are small.", "As pr\xE9-visualiza\xE7\xF5" "es s\xE3o pequenas."},
    });
}

} // namespace

namespace {

// A run of capitalised words inside a sentence in lower case is a label:
// translated as a noun phrase with its first Portuguese word capitalised,
// a verb opening it in the infinitive; a name keeps its capitals, and so
// does a label in brackets or a sentence with no word in lower case.
TEST(Ordem, RotulosDaInterface)
{
    Conferir({
        {"You can open it by selecting Add Tab \xBB Document History.",
         "Voc\xEA pode abri-lo selecionando Adicionar aba \xBB Hist\xF3rico de documento."},
        {"Use the Layer Mask to hide it.", "Use a M\xE1scara de camada para escond\xEA-lo."},
        {"See the \"Debian Reference\" for details.", "Veja a \"Refer\xEAncia do Debian\" para detalhes."},
        {"Open the file (Big Table) now.", "Abra o arquivo (Tabela Grande) agora."},
        {"No Temp directory specified.", "Nenhum diret\xF3rio tempor\xE1rio especificado."},
    });
}

// The items of a menu path are labels: a verb is the infinitive, the
// words after the first written in lower case.
TEST(Ordem, CaminhoDeMenu)
{
    Conferir({
        {"You can access this command through Edit \xBB Fill with BG Color.",
         "Voc\xEA pode acessar este comando atrav\xE9s de Editar \xBB Preencher com cor do BG."},
        {"Choose File \xBB Open.", "Escolha Arquivo \xBB Abrir."},
        {"Select \xBB Toggle Quick Mask.", "Selecionar \xBB Alternar m\xE1scara r\xE1pida."},
        // "From" that opens the sentence says where from: "a partir de".
        {"From the image menu: Select \xBB Toggle Quick Mask.",
         "A partir do menu de imagem: Selecionar \xBB Alternar m\xE1scara r\xE1pida."},
        {"Remove it from the list.", "Remova-o da lista."},
    });
}

// A quoted name before a noun comes after it; a verb that opens a quoted
// label is the infinitive. Sentences with no word in lower case (messages
// that are names) keep their order, unless an article opens the noun group
// (a heading: "The \x93Edit\x94 Menu"), whose noun then loses the heading's
// capital.
TEST(Ordem, NomeCitadoDepoisDoSubstantivo)
{
    Conferir({
        {"The \x93" "Edit\x94 Menu", "O menu \x93" "Editar\x94"},
        {"The \x93" "Filters\x94 Menu", "O menu \x93" "Filtros\x94"},
        {"Open the \"Tools\" menu.", "Abra o menu \"Ferramentas\"."},
        {"It is in the \x93" "Dissolve\x94 mode.", "Est\xE1 no modo \x93" "Dissolver\x94."},
        // Moved from the head of the sentence: a blank before it, the
        // sentence's capital on the word now first.
        {"\x93" "Dissolve\x94 mode is useful.", "Modo \x93" "Dissolver\x94 \xE9 \xFAtil."},
    });
}

// A capitalised label naming an action before a noun follows the noun in
// its own order, without "de", its verb in the infinitive; a participle
// that opens a message stays an adjective.
TEST(Ordem, RotuloDeAcaoDepoisDoSubstantivo)
{
    Conferir({
        {"The Delete Layer command deletes the current layer.",
         "O comando Excluir camada exclui a camada atual."},
        {"Select the Move tool in the toolbox.", "Selecione a ferramenta Mover na caixa de ferramentas."},
        {"Issued certificate has expired.", "O certificado emitido expirou."},
    });
}

// The words the generator adds ("de", an article) are in capitals only in a
// sentence written in capitals, not after an acronym.
TEST(Ordem, PalavrasAcrescentadasDepoisDeSigla)
{
    Conferir({
        {"The component ID is wrong.", "O ID de componente \xE9 errado."},
        {"IBM Rapid Access II", "IBM II de Acesso R\xE1pido"},
        {"FILE NAME OF THE USER", "NOME DE ARQUIVO DO USU\xC1RIO"},
    });
}

// A product name that takes the article has it as a subject, after a
// preposition and as a modifier, and keeps its capital behind the article.
TEST(Ordem, NomesDeProdutoComArtigo)
{
    Conferir({
        {"GIMP is a program.", "O GIMP \xE9 um programa."},
        {"Debian is free.", "O Debian \xE9 livre."},
        {"Open it in GIMP.", "Abra-o no GIMP."},
        {"Move the mouse pointer.", "Mova o ponteiro do mouse."},
        {"It runs on Linux.", "Executa no Linux."},
    });
}

// An adverb of frequency or addition between an auxiliary and the main
// verb comes before the auxiliary.
TEST(Ordem, AdverbioAntesDoAuxiliar)
{
    Conferir({
        {"You can also use the keyboard.", "Voc\xEA tamb\xE9m pode usar o teclado."},
        {"Menus can also be activated by Alt.", "Os menus tamb\xE9m podem ser ativados por Alt."},
        {"It will always be saved.", "Sempre ser\xE1 salvo."},
        // "not always" is "nem sempre", before the auxiliary too.
        {"It does not always work.", "Nem sempre funciona."},
        {"The file is not always saved.", "O arquivo nem sempre \xE9 salvo."},
    });
}

// Fixed phrases of a preposition and a bare noun; the same noun with a
// determiner or a modifier is translated word by word.
TEST(Ordem, LocucoesPreposicionais)
{
    Conferir({
        {"In addition to the image, you can save the layer.", "Al\xE9m da imagem, voc\xEA pode salvar a camada."},
        {"In addition, you can save it.", "Al\xE9m disso, voc\xEA pode salv\xE1-lo."},
        {"It takes 5 minutes on the average.", "Leva 5 minutos em m\xE9" "dia."},
        {"For example, you can open a file.", "Por exemplo, voc\xEA pode abrir um arquivo."},
        {"Open the file for the example.", "Abra o arquivo para o exemplo."},
        // Where a command is reached from; what is taken away from it.
        {"You can access this command from the image menu.", "Voc\xEA pode acessar este comando a partir do menu de imagem."},
        {"You can start it from the Tools menu.", "Voc\xEA pode inici\xE1-lo a partir do menu de Ferramentas."},
        {"Remove it from the menu.", "Remova-o do menu."},
        {"Choose a color from the list.", "Escolha uma cor da lista."},
        // "above": "acima", and "acima de" before a noun group.
        {"A new layer is created above the active layer.", "Uma nova camada \xE9 criada acima da camada ativa."},
        {"As shown above, it is created.", "Como mostrado acima, \xE9 criado."},
        // The manner: "de", contracted with the determiner.
        {"You can do it in two ways.", "Voc\xEA pode faz\xEA-lo de duas formas."},
        {"It works in the same way.", "Funciona da mesma forma."},
        {"In this way, the file is saved.", "Desta forma, o arquivo \xE9 salvo."},
    });
}

// Comparatives of their own, and a superlative in a noun group with its
// article says the article once.
TEST(Ordem, ComparativosESuperlativos)
{
    Conferir({
        {"The image is bigger than the window.", "A imagem \xE9 maior do que a janela."},
        {"Use smaller brushes.", "Use pinc\xE9is menores."},
        {"These files are the largest.", "Estes arquivos s\xE3o os maiores."},
        {"This is the biggest file.", "Este \xE9 o arquivo maior."},
        {"It is better.", "\xC9 melhor."},
    });
}

// Adjectives joined by commas and a conjunction follow the noun in their
// own order; two adjectives without one still stack outwards.
TEST(Ordem, AdjetivosCoordenados)
{
    Conferir({
        {"Red, green and blue channels.", "Canais vermelhos, verdes e azuis."},
        {"The red, green and blue channels are shown.", "Os canais vermelhos, verdes e azuis s\xE3o mostrados."},
        {"It uses red and green colors.", "Usa cores vermelhas e verdes."},
        {"The big red car.", "O carro vermelho grande."},
    });
}

// In a definite group whose head names an attribute, the noun before it
// takes its article; other compounds and indefinite groups keep "de".
TEST(Ordem, AtributoComArtigo)
{
    Conferir({
        {"Click the layer name.", "Clique no nome da camada."},
        {"The brush size is small.", "O tamanho do pincel \xE9 pequeno."},
        {"Change the text color.", "Altere a cor do texto."},
        {"Click the layer thumbnail.", "Clique na miniatura da camada."},
        {"Use the selection tool.", "Use a ferramenta de sele\xE7\xE3o."},
        {"A layer name is shown.", "Um nome de camada \xE9 mostrado."},
    });
}

// After "how much", "how many" or "how long" that open a question, the
// auxiliary is the question's and has no word of its own ("Quanto custa?").
TEST(Ordem, AuxiliarDaPerguntaDepoisDeQuanto)
{
    Conferir({
        {"How much does it cost?", "Quanto custa?"},
        {"How much did you pay?", "Quanto voc\xEA pagou?"},
        {"How many files do you need?", "Quantos arquivos voc\xEA precisa?"},
        {"How much memory does it use?", "Quanta mem\xF3ria usa?"},
        {"How long does it take?", "Quanto tempo leva?"},
        {"How often do you run it?", "Com que frequ\xEAncia voc\xEA o executa?"},
        {"What do you want?", "O que voc\xEA quer?"},
    });
}

// "would" right before the main verb is that verb's conditional, in a
// statement, a question, with "not" or an adverb between; "would have" is
// "teria" with the participle; "should" keeps "deveria".
TEST(Ordem, WouldEOCondicionalDoVerbo)
{
    Conferir({
        {"I would like to buy a new laptop.", "Eu gostaria de comprar um novo notebook."},
        {"Would you like to save the changes?", "Voc\xEA gostaria de salvar as altera\xE7\xF5" "es?"},
        {"I would not do that.", "Eu n\xE3o faria isso."},
        {"It would really help.", "Realmente ajudaria."},
        {"It would be nice.", "Seria bom."},
        {"The file would be deleted.", "O arquivo seria exclu\xED" "do."},
        {"I would have saved the file.", "Eu teria salvo o arquivo."},
        {"You should save the file.", "Voc\xEA deveria salvar o arquivo."},
    });
}

// "best" and "worst" go before the noun and say the article once; a
// superlative in "-est" still follows it.
TEST(Ordem, MelhorEPiorAntesDoNome)
{
    Conferir({
        {"This is the best book I have ever read.", "Este \xE9 o melhor livro que eu j\xE1 li."},
        {"It is the worst day.", "\xC9 o pior dia."},
        {"The best option is this.", "A melhor op\xE7\xE3o \xE9 esta."},
        {"It is the best.", "\xC9 o melhor."},
        {"These are the newest files.", "Estes s\xE3o os arquivos mais novos."},
    });
}

// Where something is and how it is are "estar" ("Where is", "How are",
// "Here is", "is here"), and the noun group after "be" is its subject; a
// "when" that asks is no condition, and "is not" + adjective keeps the
// adjective.
TEST(Ordem, EstarNaPerguntaDeLugarEModo)
{
    Conferir({
        {"Where is the file?", "Onde est\xE1 o arquivo?"},
        {"Where are my keys?", "Onde est\xE3o minhas chaves?"},
        {"How are you?", "Como est\xE1 voc\xEA?"},
        {"Here is the list.", "Aqui est\xE1 a lista."},
        {"When is the meeting?", "Quando \xE9 a reuni\xE3o?"},
        {"When does the store open?", "Quando a loja abre?"},
        {"When the file is saved, close it.", "Quando o arquivo for salvo, feche-o."},
        {"The store is not open.", "A loja n\xE3o est\xE1 aberta."},
        {"It can also be useful.", "Tamb\xE9m pode ser \xFAtil."},
    });
}

// A question's negation goes before its auxiliary and after the subject
// ("Voc\xEA n\xE3o pode abri-lo?"), also with "be" alone; a "not" far from
// the auxiliary is left where it stands.
TEST(Ordem, NegacaoDaPerguntaAntesDoAuxiliar)
{
    Conferir({
        {"Why didn't you tell me?", "Por que voc\xEA n\xE3o me disse?"},
        {"Didn't you see it?", "Voc\xEA n\xE3o o viu?"},
        {"Can't you open it?", "Voc\xEA n\xE3o pode abri-lo?"},
        {"Why isn't it working?", "Por que n\xE3o est\xE1 funcionando?"},
        {"Isn't the file empty?", "O arquivo n\xE3o est\xE1 vazio?"},
        {"Cannot exec a shared library directly", "N\xE3o pode exec uma biblioteca compartilhada diretamente"},
    });
}

// A question word that opens the sentence is the subject of an "-ed" form:
// the past ("O que aconteceu?").
TEST(Ordem, PassadoDepoisDaPalavraInterrogativa)
{
    Conferir({
        {"What happened?", "O que aconteceu?"},
        {"Who created this file?", "Quem criou este arquivo?"},
        {"Which file did you open?", "Qual arquivo voc\xEA abriu?"},
    });
}

// The names of countries that take the article in Portuguese take it after
// a preposition and as the subject ("no Brasil", "O Brasil \xE9"); Portugal
// takes none.
TEST(Ordem, PaisComArtigo)
{
    Conferir({
        {"My brother lives in Brazil.", "Meu irm\xE3o mora no Brasil."},
        {"Have you ever been to Brazil?", "Voc\xEA j\xE1 foi ao Brasil?"},
        {"Brazil is a big country.", "O Brasil \xE9 um pa\xEDs grande."},
        {"They live in Japan.", "Eles moram no Jap\xE3o."},
        {"We went to Portugal.", "N\xF3s fomos para Portugal."},
    });
}

// After an order or a future, a clause of "when" is still to come: the
// future subjunctive ("quando voc\xEA sair"); "if" after an order asks
// and keeps the indicative, after a future it is a condition.
TEST(Ordem, QuandoDepoisDeOrdemOuFuturo)
{
    Conferir({
        {"Please close the window when you leave.", "Por favor, feche a janela quando voc\xEA sair."},
        {"I will call you when I arrive.", "Eu ligarei para voc\xEA quando eu chegar."},
        {"Tell me when you are ready.", "Diga-me quando voc\xEA estiver pronto."},
        {"Check if the file exists.", "Verifique se o arquivo existe."},
        {"I will come if I can.", "Eu virei se eu puder."},
        {"It stops when the file is empty.", "Para quando o arquivo est\xE1 vazio."},
    });
}

// "this" alone before "be" and a noun with its article or possessive agrees
// with that noun; before anything else it stays "isso".
TEST(Ordem, EsteConcordaComOPredicado)
{
    Conferir({
        {"This is my house.", "Esta \xE9 minha casa."},
        {"This is the last line of the function.", "Esta \xE9 a \xFAltima linha da fun\xE7\xE3o."},
        {"This is not the file.", "Este n\xE3o \xE9 o arquivo."},
        {"This is important.", "Isso \xE9 importante."},
        {"This is for the user.", "Isso \xE9 para o usu\xE1rio."},
    });
}

// A verb of two words with its object between them: the particle joins the
// verb and the object follows it; a particle that opens a noun group is a
// preposition and stays.
TEST(Ordem, VerboDeDuasPalavrasSeparadoPeloObjeto)
{
    Conferir({
        {"Turn it off.", "Desligue-o."},
        {"Turn the computer off.", "Desligue o computador."},
        {"Turn it off when you leave.", "Desligue-o quando voc\xEA sair."},
        {"She turned it on.", "Ela o ligou."},
        {"Set it up.", "Configure-o."},
        {"Put it in the box.", "Coloque-o na caixa."},
        {"Pick the box up.", "Pegue a caixa."},
    });
}

// "never", "always" opening a sentence before a bare verb give an order.
TEST(Ordem, OrdemDepoisDeNuncaESempre)
{
    Conferir({
        {"Never give up.", "Nunca desista."},
        {"Always save your work.", "Sempre salve seu trabalho."},
        {"Never turn off the computer.", "Nunca desligue o computador."},
    });
}

// A verb whose past is its bare form ("shut", "cut", "read"), alone or
// opening a verb of several words, after a singular subject without the
// "-s" of the present, is the past.
TEST(Ordem, PassadoIgualAoInfinitivo)
{
    Conferir({
        {"The system shut down unexpectedly.", "O sistema desligou inesperadamente."},
        {"He cut the bread.", "Ele cortou o p\xE3o."},
        {"She read the book yesterday.", "Ela leu o livro ontem."},
        {"The program read the file.", "O programa leu o arquivo."},
    });
}

// What agrees with "she" is feminine; an adjective that is the object of a
// main verb does not agree with the subject.
TEST(Ordem, ConcordanciaComEla)
{
    Conferir({
        {"She is tired.", "Ela est\xE1 cansada."},
        {"She was invited.", "Ela foi convidada."},
        {"She can speak English.", "Ela pode falar ingl\xEAs."},
        {"The houses are red.", "As casas s\xE3o vermelhas."},
    });
}

// A state in the past is the imperfect of "estar"; a participle of feeling
// after "be" is a state unless its agent follows; participles agree with
// "they" and "we".
TEST(Ordem, EstadoNoPassadoESentimentos)
{
    Conferir({
        {"I was tired.", "Eu estava cansado."},
        {"The files were in the folder.", "Os arquivos estavam na pasta."},
        {"It was a good day.", "Foi um bom dia."},
        {"She was worried.", "Ela estava preocupada."},
        {"He was scared by the noise.", "Ele foi assustado pelo ru\xED" "do."},
        {"They were invited.", "Eles foram convidados."},
        {"We are worried.", "N\xF3s estamos preocupados."},
    });
}

// "everyone", "everybody" are "todos": the verb, its future subjunctive
// and what agrees with them are plural.
TEST(Ordem, TodosNoPlural)
{
    Conferir({
        {"Everyone knows.", "Todos sabem."},
        {"Everyone arrived.", "Todos chegaram."},
        {"We will start when everyone arrives.", "N\xF3s iniciaremos quando todos chegarem."},
        {"Everyone is tired.", "Todos est\xE3o cansados."},
        {"Everybody was invited.", "Todos foram convidados."},
    });
}

// "Is there", "Are there" opening a question are "H\xE1"; "there" after its
// noun ("Is the file there?") and a bare "Is there?" stay as they are.
TEST(Ordem, PerguntaComThere)
{
    Conferir({
        {"Is there a problem?", "H\xE1 um problema?"},
        {"Was there an error?", "Havia um erro?"},
        {"There is a problem.", "H\xE1 um problema."},
        {"Is there?", "Est\xE1 l\xE1?"},
    });
}

// "to" after a verb of travelling or moving is "para" with its article
// ("para a"); elsewhere it still contracts ("ao usu\xE1rio", "\xE0 loja").
// "for your" is "pela sua", the possessive with its article.
TEST(Ordem, ParaODestinoEPorComPossessivo)
{
    Conferir({
        {"We traveled to Germany.", "N\xF3s viajamos para a Alemanha."},
        {"Copy the file to the new folder.", "Copie o arquivo para a nova pasta."},
        {"Send the file to the user.", "Envie o arquivo ao usu\xE1rio."},
        {"I went to the store.", "Eu fui \xE0 loja."},
        {"Thanks for your help.", "Obrigado pela sua ajuda."},
        {"Thank you for your patience.", "Obrigado pela sua paci\xEAncia."},
    });
}

// An occasion that opens the sentence, not as its subject, takes "de":
// "Desta vez", "Da pr\xF3xima vez"; as the subject it stays as it is.
TEST(Ordem, OcasiaoNoInicio)
{
    Conferir({
        {"This time it worked.", "Desta vez funcionou."},
        {"Next time, call me.", "Da pr\xF3xima vez, ligue para mim."},
        {"Last time it failed.", "Da \xFAltima vez falhou."},
        {"This time is different.", "Esta vez \xE9 diferente."},
    });
}

// "call" with a person as its object is "ligar para"; a function or a
// method is still "chamada".
TEST(Ordem, LigarParaUmaPessoa)
{
    Conferir({
        {"Call me when you arrive.", "Ligue para mim quando voc\xEA chegar."},
        {"Call your mother.", "Ligue para sua m\xE3" "e."},
        {"Who called you?", "Quem ligou para voc\xEA?"},
        {"Call the function.", "Chame a fun\xE7\xE3o."},
        {"The function is called twice.", "A fun\xE7\xE3o \xE9 chamada duas vezes."},
    });
}

// "be sorry" after a personal pronoun is "sentir muito" in the tense and
// person of "be"; "for" after it is "por". "Sorry" alone stays "Desculpe".
TEST(Ordem, SentirMuito)
{
    Conferir({
        {"I'm sorry.", "Eu sinto muito."},
        {"She was sorry.", "Ela sentiu muito."},
        {"We are sorry for the delay.", "N\xF3s sentimos muito pelo atraso."},
        {"Sorry, I forgot.", "Desculpe, eu esqueci."},
    });
}

// An age is told with "ter", without "old", in the imperfect in the past.
TEST(Ordem, IdadeComTer)
{
    Conferir({
        {"He is ten years old.", "Ele tem dez anos."},
        {"My son is five years old.", "Meu filho tem cinco anos."},
        {"She was one year old.", "Ela tinha um ano."},
        {"The house is 100 years old.", "A casa tem 100 anos."},
    });
}

// After a question word "to" is not written: "o que fazer", "como instalar".
TEST(Ordem, InfinitivoDepoisDePalavraInterrogativa)
{
    Conferir({
        {"I do not know what to do.", "Eu n\xE3o sei o que fazer."},
        {"Learn how to install the program.", "Aprenda como instalar o programa."},
        {"Tell me where to go.", "Diga-me onde ir."},
        {"You can go to the settings to change it.", "Voc\xEA pode ir \xE0s configura\xE7\xF5" "es para alter\xE1-lo."},
    });
}

// "going to" before a place is a movement; before a verb, the future.
TEST(Ordem, IndoParaUmLugar)
{
    Conferir({
        {"We are going to the beach tomorrow.", "N\xF3s estamos indo \xE0 praia amanh\xE3."},
        {"She is going to Paris.", "Ela est\xE1 indo para Paris."},
        {"We are going to fix it.", "N\xF3s vamos corrigi-lo."},
        {"It is going to rain.", "Vai chover."},
    });
}

// Languages, months and days are in lower case in Portuguese, and a
// language is a noun that coordinates as nouns do; a title keeps its capitals.
TEST(Ordem, LinguasMesesEDias)
{
    Conferir({
        {"I speak English and French.", "Eu falo ingl\xEAs e franc\xEAs."},
        {"It was in January.", "Estava em janeiro."},
        {"Open the Spanish Dictionary", "Abra o Dicion\xE1rio Espanhol"},
        {"The English version is better.", "A vers\xE3o inglesa \xE9 melhor."},
    });
}

// "one" counts a feminine noun too; "-\xE3o" takes its own plural.
TEST(Ordem, UmaEPluraisEmAo)
{
    Conferir({
        {"I have two brothers and one sister.", "Eu tenho dois irm\xE3os e uma irm\xE3."},
        {"The German cities.", "As cidades alem\xE3s."},
        {"Choose one.", "Escolha um."},
    });
}

// A verb of happening with a new subject ("a", "an") says what happened
// first; a verb that never takes an object is the past after its subject.
TEST(Ordem, OcorreuUmErro)
{
    Conferir({
        {"An error occurred.", "Ocorreu um erro."},
        {"An error occurred while saving the document.", "Ocorreu um erro ao salvar o documento."},
        {"The error occurred twice.", "O erro ocorreu duas vezes."},
        {"If an error occurs, the program stops.", "Se um erro ocorrer, o programa para."},
        {"Something happened.", "Algo aconteceu."},
        {"The session expired.", "A sess\xE3o expirou."},
    });
}

// A hyphenated word the dictionary lacks heads its group before a verb;
// "there is" qualifies no adjective; "no" alone answers; a message made of a
// "no" group is singular.
TEST(Ordem, HifenizadaNegacaoENenhum)
{
    Conferir({
        {"The foo-bar is ready.", "O foo-barra est\xE1 pronto."},
        {"There is not enough memory.", "H\xE1 mem\xF3ria insuficiente."},
        {"No, keep it.", "N\xE3o, mantenha-o."},
        {"No files found.", "Nenhum arquivo encontrado."},
        {"No changes.", "Nenhuma altera\xE7\xE3o."},
        {"No such files.", "Arquivos inexistentes."},
    });
}

// An action done for a purpose takes "para" before its infinitive; a verb
// whose complement the infinitive is does not.
TEST(Ordem, ParaDeFinalidade)
{
    Conferir({
        {"Click to open.", "Clique para abrir."},
        {"Scroll down to see more.", "Role para baixo para ver mais."},
        {"I want to open it.", "Eu quero abri-lo."},
        {"Your device is up to date.", "Seu dispositivo est\xE1 atualizado."},
    });
}

// An order after the clause an order opened is an order too; a modal
// agrees with the group the preposition's group hangs from.
TEST(Ordem, OrdemDepoisDaOracaoEModalConcordante)
{
    Conferir({
        {"Please make sure the file exists and try again.",
         "Por favor, certifique-se de que o arquivo existe e tente novamente."},
        {"The file exists and works.", "O arquivo existe e funciona."},
        {"Files of this type cannot be opened.", "Arquivos deste tipo n\xE3o podem ser abertos."},
        {"The size of the files can be changed.", "O tamanho dos arquivos pode ser alterado."},
    });
}

// After "be" standing alone "already", "still", "also" come before it; a
// passive kept apart by an adverb is still continuous; a question that "be"
// opens has the adjective as its predicate.
TEST(Ordem, AdverbioAntesDeSerEPerguntaComSer)
{
    Conferir({
        {"The name is already in use.", "O nome j\xE1 est\xE1 em uso."},
        {"The file is still open.", "O arquivo ainda est\xE1 aberto."},
        {"The file is still being copied.", "O arquivo ainda est\xE1 sendo copiado."},
        {"The file is not always open.", "O arquivo n\xE3o est\xE1 sempre aberto."},
        {"Is the door open?", "A porta est\xE1 aberta?"},
        {"Does the file open?", "O arquivo abre?"},
    });
}

// "about" before a number is "cerca de"; before anything else, "sobre".
TEST(Ordem, CercaDeUmNumero)
{
    Conferir({
        {"It takes about ten minutes to get there.", "Leva cerca de dez minutos para chegar l\xE1."},
        {"There are about 20 files.", "H\xE1 cerca de 20 arquivos."},
        {"This is about the project.", "Isso \xE9 sobre o projeto."},
    });
}

} // namespace
