#include "form_editor.h"

#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QAbstractButton>
#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDesktopServices>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <cstdlib>
#include <iostream>
#include <deque>
#include <filesystem>
#include <fstream>
#include <iterator>

#include <sys/stat.h>
#include <sys/wait.h>

#include "apoio_qt.h"
#include "editor_estado.h"
#include "form_pesquisa.h"
#include "form_procurar.h"
#include "motor_editor.h"
#include "registro.h"

namespace fs = std::filesystem;

QT_BEGIN_NAMESPACE
inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }
QT_END_NAMESPACE

namespace {

std::string Ler(const fs::path& p)
{
    std::ifstream f(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>()};
}

struct Mensagem {
    Icone icone;
    QString texto;
};

// A settings store and an installation folder of the test's own, the
// engine's data linked in from the build.
class Janela : public ::testing::Test {
protected:
    void SetUp() override
    {
        pasta_ = fs::temp_directory_path() / ("quillane_janela_" + std::to_string(::getpid()) + "_" +
                                              ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(pasta_);
        fs::create_directories(pasta_ / "registro");
        fs::create_directories(Inst() / "dic");
        for (const char* arq : {"libmoriel32.so", "ip.dic", "vip.dic"})
            fs::create_symlink(fs::path(QUILLANE_DADOS_DIR) / arq, Inst() / arq);
        ::setenv("QUILLANE_REGISTRO", (pasta_ / "registro").c_str(), 1);
        // The user's own dictionary folder, inside the test's folder.
        ::setenv("XDG_DATA_HOME", (pasta_ / "xdg").c_str(), 1);
        auto maquina = clChaveRegistro::Abrir(Colmeia::MaquinaLocal, kChaveQuillane, true);
        ASSERT_TRUE(maquina);
        maquina->GravarTexto("DirRoot", Inst().string());

        DefinirCaixa([this](Icone icone, const QString& texto) {
            mensagens_.push_back({icone, texto});
            if (respostas_.empty()) return icone == Icone::Pergunta ? Resposta::Cancelar : Resposta::Ok;
            const Resposta r = respostas_.front();
            respostas_.pop_front();
            return r;
        });
        ConfigEditor config;
        config.pastaInstalacao = Inst().string();
        config.pastaAjuda = (pasta_ / "ajuda").string();
        config.conjugar = Motor().conjugar;
        config.gravavel = [this](const std::string&) { return instalacaoGravavel_; };
        ASSERT_TRUE(config.conjugar);
        editor_ = new TFormEditor(config);
        editor_->EscolherAbrir = [this](const QString& pasta) {
            ++dialogos_;
            pastaDialogo_ = pasta.toStdString();
            return QString::fromStdString(arquivo_);
        };
        editor_->EscolherSalvar = [this](const QString& pasta, const QString&) {
            ++dialogos_;
            pastaDialogo_ = pasta.toStdString();
            return QString::fromStdString(arquivo_);
        };
        editor_->FormPesquisa->EscolherArquivo = [this](const QString& pasta) {
            pastaDialogo_ = pasta.toStdString();
            return QString::fromStdString(arquivo_);
        };
        editor_->show();
        QTest::qWait(20);
        QApplication::setActiveWindow(editor_);
            ASSERT_TRUE(QTest::qWaitForWindowActive(editor_));
        Ativar();
    }

    void TearDown() override
    {
        delete editor_;
        DefinirCaixa({});
        ::unsetenv("XDG_DATA_HOME");
        fs::remove_all(pasta_);
    }

    // The offscreen platform leaves no window active after a popup closes,
    // where a desktop gives the activation back.
    void Ativar()
    {
        QTest::qWait(10);
        QApplication::setActiveWindow(editor_);
        QApplication::processEvents();
    }

    fs::path Inst() const { return pasta_ / "inst"; }

    static const MotorEditor& Motor()
    {
        static MotorEditor motor;
        static bool carregado = false;
        if (!carregado) {
            std::string erro;
            carregado = CarregarMotor(QUILLANE_DADOS_DIR, motor, erro);
        }
        return motor;
    }

    // Types a new word into the armed entry field and leaves it for the
    // translations list with Enter.
    void NovaPalavra(const QString& palavra)
    {
        ASSERT_TRUE(editor_->Armado());
        ASSERT_TRUE(editor_->isActiveWindow());
        ASSERT_EQ(QApplication::focusWidget(), editor_->EditEntrada);
        QTest::keyClicks(editor_->EditEntrada, palavra);
        QTest::keyClick(editor_->EditEntrada, Qt::Key_Return);
    }

    // Types over the translation whose text is being edited.
    void EditarTraducao(const QString& texto)
    {
        QAbstractItemView* lista = editor_->ListViewTraducoes;
        auto* edit = qobject_cast<QLineEdit*>(lista->indexWidget(lista->currentIndex()));
        ASSERT_TRUE(edit) << "no translation is being edited";
        edit->setFocus();
        edit->selectAll();
        QTest::keyClicks(edit, texto);
        QTest::keyClick(edit, Qt::Key_Return);
        QApplication::processEvents();  // the view commits the edit through its queue
        Ativar();
    }

    void EscolherClasse(int item)
    {
        editor_->ItensClasse[static_cast<std::size_t>(item)]->trigger();
        editor_->MenuClasse->close();
        // The offscreen platform does not hand the activation back when a
        // popup closes, as a desktop does.
        QApplication::setActiveWindow(editor_);
    }

    void Escolher(QComboBox* lista, int indice)
    {
        lista->setCurrentIndex(indice);
        emit lista->activated(indice);
    }

    QStringList Traducoes() const
    {
        QStringList t;
        for (int i = 0; i < editor_->ListViewTraducoes->topLevelItemCount(); ++i)
            t << editor_->ListViewTraducoes->topLevelItem(i)->text(0);
        return t;
    }

    // Answers the find dialog once it is shown.
    void ProcurarDepois(const QString& palavra)
    {
        QTimer::singleShot(0, editor_, [this, palavra] {
            QTest::keyClicks(editor_->FormProcurar->EditEntrada, palavra);
            QTest::mouseClick(editor_->FormProcurar->ButtonOK, Qt::LeftButton);
            if (editor_->FormProcurar->isVisible()) editor_->FormProcurar->reject();
        });
    }

    void Procurar(const QString& palavra)
    {
        ProcurarDepois(palavra);
        editor_->ProcurarEntradaClick();
        Ativar();
    }

    QString UltimaMensagem() const { return mensagens_.empty() ? QString() : mensagens_.back().texto; }

    fs::path pasta_;
    TFormEditor* editor_ = nullptr;
    std::vector<Mensagem> mensagens_;
    std::deque<Resposta> respostas_;
    std::string arquivo_;
    int dialogos_ = 0;
    std::string pastaDialogo_;           // where the last file dialog started
    bool instalacaoGravavel_ = true;     // whether the user may write in Inst()/dic
};

} // namespace

TEST_F(Janela, SessaoCompletaAteOMotorTraduzir)
{
    TFormEditor& e = *editor_;
    EXPECT_EQ(e.windowTitle(), QStringLiteral("Dalvenne - Novo Dicion\u00E1rio.lex"));
    EXPECT_EQ(e.Status(), QStringLiteral("Nova entrada"));

    // A new word: leaving the field for the list stores it, adds "nova
    // tradução" in edit mode and opens the class menu.
    NovaPalavra(QStringLiteral("Teapot"));
    EXPECT_EQ(e.EditEntrada->text(), QStringLiteral("teapot"));
    EXPECT_EQ(e.Dicionario().Contagem(), 1);
    EXPECT_EQ(Traducoes(), QStringList{QStringLiteral("nova tradu\u00E7\u00E3o")});
    EXPECT_TRUE(e.MenuClasse->isVisible());
    EXPECT_TRUE(e.IncluirTraducao->isEnabled());
    EscolherClasse(kClasseSubstantivo);
    EditarTraducao(QStringLiteral("  Bule "));
    EXPECT_EQ(Traducoes(), QStringList{QStringLiteral("bule")});
    EXPECT_EQ(e.PaginaAtiva(), kPaginaSubstantivo);

    // A second translation, then reordered by dragging it onto the first.
    QTest::keyClick(&e, Qt::Key_T, Qt::ControlModifier);
    EditarTraducao(QStringLiteral("chaleira"));
    EXPECT_EQ(Traducoes(), (QStringList{QStringLiteral("bule"), QStringLiteral("chaleira")}));
    auto* lista = e.ListViewTraducoes;
    e.ListViewTraducoesDragDrop(lista->topLevelItem(1), lista->topLevelItem(0));
    EXPECT_EQ(Traducoes(), (QStringList{QStringLiteral("chaleira"), QStringLiteral("bule")}));
    EXPECT_TRUE(e.Desfazer->isEnabled());
    e.ListViewTraducoesDragDrop(lista->topLevelItem(1), lista->topLevelItem(0));
    EXPECT_EQ(Traducoes(), (QStringList{QStringLiteral("bule"), QStringLiteral("chaleira")}));

    // A verb entry: its translation is conjugated by the engine.
    QTest::keyClick(&e, Qt::Key_N, Qt::ControlModifier);
    EXPECT_EQ(e.Dicionario().Linhas()[0], "teapot!N.T(bule,,chaleira)");
    NovaPalavra(QStringLiteral("sing"));
    EscolherClasse(kClasseVerbo);
    EditarTraducao(QStringLiteral("cantar"));
    ASSERT_TRUE(e.PaginaDisponivel(kPaginaVerboPortugues));
    const FichaTraducao& ficha = static_cast<ItemTraducao*>(lista->topLevelItem(0))->ficha;
    int formas = 0;
    for (const auto& f : ficha.conjugacao[0].formas) formas += !f.empty();
    formas += !ficha.conjugacao[0].participio.empty() + !ficha.conjugacao[0].gerundio.empty();
    EXPECT_GE(formas, 37);  // the imperative has no first person
    e.ComboBoxTempos->setCurrentIndex(0);
    EXPECT_EQ(e.EditPessoa[0]->text(), QStringLiteral("canto"));
    EXPECT_EQ(e.EditPessoa[3]->text(), QStringLiteral("cantamos"));
    e.ComboBoxTempos->setCurrentIndex(5);  // Imperativo
    EXPECT_EQ(e.EditPessoa[0]->text(), QString());
    for (int p = 1; p < 6; ++p) EXPECT_FALSE(e.EditPessoa[static_cast<std::size_t>(p)]->text().isEmpty()) << p;
    e.ComboBoxTempos->setCurrentIndex(6);
    EXPECT_EQ(e.EditPessoa[0]->text(), QStringLiteral("cantado"));
    EXPECT_FALSE(e.EditPessoa[1]->isVisible());
    e.ComboBoxTempos->setCurrentIndex(7);
    EXPECT_EQ(e.EditPessoa[0]->text(), QStringLiteral("cantando"));

    // Saving a never-saved dictionary asks for a name.
    const std::string nome = "sessao" + std::to_string(::getpid());
    arquivo_ = (Inst() / "dic" / (nome + ".lex")).string();
    QTest::keyClick(&e, Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(dialogos_, 1);
    EXPECT_EQ(e.Status(), QStringLiteral("Dicion\u00E1rio salvo"));
    EXPECT_FALSE(e.DicionarioAlterado());
    EXPECT_EQ(Ler(arquivo_), "sing!V.T(cantar)\r\nteapot!N.T(bule,,chaleira)\r\n");
    EXPECT_TRUE(fs::exists(Inst() / "dic" / (nome + ".udc")));
    EXPECT_EQ(e.windowTitle(), QString::fromStdString("Dalvenne - " + nome + ".lex"));

    // Reopen, find, delete a translation and undo, delete an entry.
    e.NovoClick();
    EXPECT_EQ(e.Dicionario().Contagem(), 0);
    e.AbrirClick();
    EXPECT_EQ(e.Dicionario().Contagem(), 2);
    EXPECT_EQ(e.EditEntrada->text(), QStringLiteral("sing"));
    EXPECT_EQ(e.Status(), QStringLiteral("Dicion\u00E1rio carregado"));
    Procurar(QStringLiteral("teapot"));
    EXPECT_EQ(e.EditEntrada->text(), QStringLiteral("teapot"));
    EXPECT_EQ(e.Posicao(), QStringLiteral("2 : 2"));
    Procurar(QStringLiteral("sa"));  // not there: the entry that would follow it
    EXPECT_EQ(e.EditEntrada->text(), QStringLiteral("sing"));
    EXPECT_EQ(e.Status(), QStringLiteral("Entrada encontrada"));
    Procurar(QStringLiteral("zebra"));  // after all: the last entry
    EXPECT_EQ(e.EditEntrada->text(), QStringLiteral("teapot"));

    e.ExcluirTraducaoClick();
    EXPECT_EQ(Traducoes(), QStringList{QStringLiteral("chaleira")});
    EXPECT_TRUE(e.Desfazer->isEnabled());
    QTest::keyClick(&e, Qt::Key_D, Qt::ControlModifier);
    EXPECT_EQ(Traducoes(), (QStringList{QStringLiteral("bule"), QStringLiteral("chaleira")}));
    EXPECT_FALSE(e.Desfazer->isEnabled());

    Procurar(QStringLiteral("sing"));
    e.ExcluirEntradaClick();
    EXPECT_EQ(e.Status(), QStringLiteral("Entrada exclu\u00EDda"));
    EXPECT_EQ(e.Dicionario().Contagem(), 1);
    EXPECT_EQ(e.EditEntrada->text(), QStringLiteral("teapot"));
    EXPECT_TRUE(e.SalvarClick());
    EXPECT_EQ(Ler(arquivo_), "teapot!N.T(bule,,chaleira)\r\n");
    EXPECT_TRUE(mensagens_.empty()) << UltimaMensagem().toStdString();

    // The search order puts the new dictionary first.
    arquivo_ = (Inst() / "dic" / (nome + ".udc")).string();
    QTimer::singleShot(0, &e, [&e] {
        QTest::mouseClick(e.FormPesquisa->ButtonAdicionar, Qt::LeftButton);
        QTest::mouseClick(e.FormPesquisa->ButtonOK, Qt::LeftButton);
    });
    e.OrdemPesquisaClick();
    auto usuario = clChaveRegistro::Abrir(Colmeia::UsuarioAtual, kChaveQuillane, false);
    ASSERT_TRUE(usuario);
    EXPECT_EQ(usuario->Ler("UserDic")->texto, nome + "\r\n");

    // A fresh engine process uses it.
    std::ofstream(pasta_ / "frase.txt") << "The teapot is red.\n";
    const std::string comando = "QUILLANE_REGISTRO='" + (pasta_ / "registro").string() + "' '" + QUILLANE_VERTAL_EXE +
                                "' < '" + (pasta_ / "frase.txt").string() + "' > '" + (pasta_ / "saida.txt").string() +
                                "' 2>&1";
    const int estado = std::system(comando.c_str());
    EXPECT_TRUE(WIFEXITED(estado) && WEXITSTATUS(estado) == 0);
    const std::string saida = Ler(pasta_ / "saida.txt");
    EXPECT_NE(saida.find("bule"), std::string::npos) << saida;
}

namespace {

// Receives the addresses the window asks the desktop to open.
class Navegador : public QObject {
    Q_OBJECT
public:
    QList<QUrl> abertos;
public slots:
    void Abrir(const QUrl& url) { abertos << url; }
};

} // namespace

TEST_F(Janela, EntradaExistenteETraducaoRepetida)
{
    TFormEditor& e = *editor_;
    std::ofstream(Inst() / "dic" / "base.lex", std::ios::binary) << "cat!N.T(gato,,bichano)\r\ndog!N.T(cachorro)\r\n";
    ASSERT_TRUE(e.AbrirArquivo(QString::fromStdString((Inst() / "dic" / "base.lex").string())));
    EXPECT_EQ(e.windowTitle(), QStringLiteral("Dalvenne - base.lex"));
    EXPECT_EQ(e.Posicao(), QStringLiteral("1 : 2"));

    // Renaming a translation to another line's text, or to nothing, is refused.
    auto* lista = e.ListViewTraducoes;
    lista->setCurrentItem(lista->topLevelItem(1));
    QTest::keyClick(&e, Qt::Key_E, Qt::ControlModifier);
    EditarTraducao(QStringLiteral("Gato"));
    EXPECT_EQ(UltimaMensagem(), QStringLiteral("Tradu\u00E7\u00E3o j\u00E1 informada"));
    EXPECT_EQ(mensagens_.back().icone, Icone::Pare);
    EXPECT_EQ(Traducoes(), (QStringList{QStringLiteral("gato"), QStringLiteral("bichano")}));
    e.AlterarTraducaoClick();
    EditarTraducao(QStringLiteral("   "));
    EXPECT_EQ(UltimaMensagem(), QStringLiteral("Informe a tradu\u00E7\u00E3o"));
    EXPECT_EQ(Traducoes(), (QStringList{QStringLiteral("gato"), QStringLiteral("bichano")}));

    // The word of an existing entry typed as a new one.
    QTest::keyClick(&e, Qt::Key_N, Qt::ControlModifier);
    EXPECT_EQ(e.IndiceAtual(), -1);
    mensagens_.clear();
    NovaPalavra(QStringLiteral("dog"));
    ASSERT_EQ(mensagens_.size(), 1u);
    EXPECT_EQ(UltimaMensagem(), QStringLiteral("Entrada j\u00E1 existe no dicion\u00E1rio"));
    EXPECT_EQ(mensagens_.back().icone, Icone::Exclamacao);
    EXPECT_TRUE(e.Armado());
    EXPECT_EQ(e.Dicionario().Contagem(), 2);
    EXPECT_EQ(lista->topLevelItemCount(), 0);
    // Corrected, it goes in.
    QTest::keyClicks(e.EditEntrada, QStringLiteral("s"));
    QTest::keyClick(e.EditEntrada, Qt::Key_Return);
    EXPECT_EQ(e.Dicionario().Contagem(), 3);
    EXPECT_EQ(e.EditEntrada->text(), QStringLiteral("dogs"));

    // Navigating drops a new entry whose word was erased, and stores a
    // changed one.
    e.MenuClasse->close();
    Ativar();
    e.UpDownEntradas->BotaoCima()->click();  // towards the first entry
    EXPECT_EQ(e.EditEntrada->text(), QStringLiteral("dog"));
    EXPECT_EQ(e.Dicionario().Linhas()[2], "dogs!T(nova tradu\xE7\xE3o)");
    EXPECT_EQ(e.Posicao(), QStringLiteral("2 : 3"));
}

TEST_F(Janela, MenuDeClassesESuasRegras)
{
    TFormEditor& e = *editor_;
    NovaPalavra(QStringLiteral("fast"));
    ASSERT_TRUE(e.MenuClasse->isVisible());
    for (QAction* a : e.ItensClasse) EXPECT_TRUE(a->isEnabled());
    EscolherClasse(kClasseAdverbio);
    EXPECT_TRUE(e.Ficha().adverbio);
    EXPECT_EQ(e.PaginaAtiva(), kPaginaVazia);

    // An adverb keeps its flag when another item is clicked.
    e.ClasseClick();
    EXPECT_TRUE(e.ItensClasse[kClasseAdverbio]->isChecked());
    EXPECT_FALSE(e.ItensClasse[kClasseInterjeicao]->isEnabled());
    EscolherClasse(kClasseAdjetivo);
    EXPECT_TRUE(e.Ficha().adverbio);
    EXPECT_TRUE(e.Ficha().adjetivo);
    EXPECT_EQ(e.PaginaAtiva(), kPaginaAdjetivo);

    // Only Interjeição: the nine others disabled.
    e.ClasseClick();
    EscolherClasse(kClasseAdverbio);
    e.ClasseClick();
    EscolherClasse(kClasseAdjetivo);
    e.ClasseClick();
    EscolherClasse(kClasseInterjeicao);
    e.ClasseClick();
    for (int i = 0; i < kNumClasses; ++i)
        EXPECT_EQ(e.ItensClasse[static_cast<std::size_t>(i)]->isEnabled(), i == kClasseInterjeicao) << i;
    EscolherClasse(kClasseInterjeicao);

    // Verbo alone: Substantivo, Adjetivo, Verbo and Advérbio.
    e.ClasseClick();
    EscolherClasse(kClasseVerbo);
    e.ClasseClick();
    for (int i = 0; i < kNumClasses; ++i)
        EXPECT_EQ(e.ItensClasse[static_cast<std::size_t>(i)]->isEnabled(),
                  i == kClasseSubstantivo || i == kClasseAdjetivo || i == kClasseVerbo || i == kClasseAdverbio)
            << i;
    e.MenuClasse->close();
    Ativar();

    // The infinitive-form field shows with a form other than Infinitive.
    EXPECT_EQ(e.PaginaAtiva(), kPaginaVerboIngles);
    EXPECT_FALSE(e.EditInfinitivo->isVisible());
    e.CheckBoxVerbo[1]->click();  // Past Tense
    EXPECT_TRUE(e.EditInfinitivo->isVisible());
    EXPECT_EQ(e.EditInfinitivo->text(), QStringLiteral("fast"));
    e.CheckBoxVerbo[0]->click();  // Infinitive
    EXPECT_FALSE(e.EditInfinitivo->isVisible());
}

TEST_F(Janela, CondicoesEOTextoQuando)
{
    TFormEditor& e = *editor_;
    NovaPalavra(QStringLiteral("run"));
    EscolherClasse(kClasseVerbo);
    EditarTraducao(QStringLiteral("correr"));
    EXPECT_FALSE(e.PaginaDisponivel(kPaginaAvancado));  // one translation only
    e.IncluirTraducaoClick();
    EditarTraducao(QStringLiteral("administrar"));
    ASSERT_TRUE(e.PaginaDisponivel(kPaginaAvancado));

    auto* item = e.ListViewTraducoes->topLevelItem(0);
    e.ListViewTraducoes->setCurrentItem(item);
    const auto quando = [&] { return item->text(1); };
    Escolher(e.QuandoFor[0], 1);
    EXPECT_EQ(quando(), QStringLiteral("For um"));
    Escolher(e.ComboBoxOpcao[0], 8);
    EXPECT_EQ(quando(), QStringLiteral("For um Verbo"));
    Escolher(e.ComboBoxConector2, 1);
    EXPECT_EQ(quando(), QStringLiteral("For um Verbo; E"));
    Escolher(e.ComboBoxOpcao[1], 1);  // an option without its operator shows nothing
    EXPECT_EQ(quando(), QStringLiteral("For um Verbo; E"));
    Escolher(e.QuandoFor[1], 5);
    EXPECT_EQ(quando(), QStringLiteral("For um Verbo; E For seguida de Substantivo"));
    Escolher(e.ComboBoxConector3, 2);
    Escolher(e.QuandoFor[2], 7);
    Escolher(e.ComboBoxOpcao[2], 34);
    EXPECT_EQ(quando(), QStringLiteral("For um Verbo; E For seguida de Substantivo; Ou A pr\u00F3xima for Estilo"));
    Escolher(e.QuandoFor[0], 0);  // row 1 emptied: its part goes
    EXPECT_EQ(quando(), QStringLiteral("; E For seguida de Substantivo; Ou A pr\u00F3xima for Estilo"));
    Escolher(e.QuandoFor[0], 6);
    Escolher(e.ComboBoxOpcao[0], 20);
    Escolher(e.ComboBoxConector2, 0);
    EXPECT_EQ(quando(), QStringLiteral("A anterior for Fim de frase; Ou A pr\u00F3xima for Estilo"));
    EXPECT_TRUE(e.Desfazer->isEnabled());

    // Another line shows its own lists; the first one's choices come back.
    e.ListViewTraducoes->setCurrentItem(e.ListViewTraducoes->topLevelItem(1));
    EXPECT_EQ(e.QuandoFor[0]->currentIndex(), 0);
    e.ListViewTraducoes->setCurrentItem(item);
    EXPECT_EQ(e.QuandoFor[0]->currentIndex(), 6);
    EXPECT_EQ(e.ComboBoxConector3->currentIndex(), 2);

    // Stored: the complete conditions only (row 2 has no connector).
    e.NovaEntradaClick();
    EXPECT_EQ(e.Dicionario().Linhas()[0], "run!V.T(correr,-.|+e,administrar)");
}

TEST_F(Janela, AtributosAlteradosSaoGravados)
{
    TFormEditor& e = *editor_;
    NovaPalavra(QStringLiteral("mouse"));
    EscolherClasse(kClasseSubstantivo);
    EditarTraducao(QStringLiteral("rata"));
    e.RadioGroupGenero->button(1)->click();
    e.CheckBoxAnimado->click();
    EXPECT_TRUE(e.EntradaAlterada());
    e.NovaEntradaClick();
    EXPECT_EQ(e.Dicionario().Linhas()[0], "mouse!NFA.T(rata)");

    // Undo drops the unsaved edits of the shown entry only.
    e.UpDownEntradasClick(0);
    EXPECT_TRUE(e.RadioGroupGenero->button(1)->isChecked());
    e.RadioGroupNumero->button(1)->click();
    e.DesfazerClick();
    EXPECT_EQ(e.RadioGroupNumero->checkedId(), -1);
    EXPECT_EQ(e.Dicionario().Linhas()[0], "mouse!NFA.T(rata)");

    // Adding a translation while another is being edited keeps that edit.
    e.AlterarTraducaoClick();
    QAbstractItemView* lista = e.ListViewTraducoes;
    auto* edit = qobject_cast<QLineEdit*>(lista->indexWidget(lista->currentIndex()));
    ASSERT_TRUE(edit);
    edit->selectAll();
    QTest::keyClicks(edit, QStringLiteral("Camundongo"));
    e.IncluirTraducaoClick();
    QApplication::processEvents();
    EXPECT_EQ(Traducoes(), (QStringList{QStringLiteral("camundongo"), QStringLiteral("nova tradu\u00E7\u00E3o")}));
}

TEST_F(Janela, ArquivosDanificadosEGravacoesQueFalham)
{
    TFormEditor& e = *editor_;
    NovaPalavra(QStringLiteral("cat"));
    EscolherClasse(kClasseSubstantivo);
    EditarTraducao(QStringLiteral("gato"));
    ASSERT_TRUE(e.DicionarioAlterado());

    // A damaged source leaves the open dictionary as it was.
    std::ofstream(pasta_ / "ruim.lex", std::ios::binary) << "dog!N\r\n\x01\x02\x03 lixo\r\n";
    arquivo_ = (pasta_ / "ruim.lex").string();
    respostas_ = {Resposta::Nao};  // do not save first
    e.AbrirClick();
    EXPECT_NE(UltimaMensagem().indexOf(QStringLiteral("danificado (linha 2)")), -1) << UltimaMensagem().toStdString();
    EXPECT_EQ(e.Dicionario().Contagem(), 1);
    EXPECT_EQ(e.EditEntrada->text(), QStringLiteral("cat"));
    EXPECT_EQ(e.windowTitle(), QStringLiteral("Dalvenne - Novo Dicion\u00E1rio.lex"));

    // A save where the folder cannot be written: reported, nothing lost.
    mensagens_.clear();
    arquivo_ = (pasta_ / "nao-existe" / "meu.lex").string();
    EXPECT_FALSE(e.SalvarClick());
    ASSERT_FALSE(mensagens_.empty());
    EXPECT_NE(UltimaMensagem().indexOf(QStringLiteral("n\u00E3o foi salvo")), -1) << UltimaMensagem().toStdString();
    EXPECT_TRUE(e.DicionarioAlterado());
    EXPECT_NE(e.Status(), QStringLiteral("Dicion\u00E1rio salvo"));
    EXPECT_EQ(e.Dicionario().Contagem(), 1);

    // An attribute edit is stored by a save as.
    mensagens_.clear();
    std::ofstream(pasta_ / "dup.lex", std::ios::binary) << "dog!N\r\n";
    respostas_ = {Resposta::Nao};
    arquivo_ = (pasta_ / "dup.lex").string();
    e.AbrirClick();
    ASSERT_EQ(e.Dicionario().Contagem(), 1);
    e.RadioGroupGenero->button(0)->click();
    arquivo_ = (pasta_ / "dup2.lex").string();
    EXPECT_TRUE(e.SalvarComoClick());
    EXPECT_EQ(Ler(pasta_ / "dup2.lex"), "dog!NM\r\n");
}

TEST_F(Janela, FecharComAlteracoesSemprePergunta)
{
    TFormEditor& e = *editor_;
    NovaPalavra(QStringLiteral("cat"));
    EscolherClasse(kClasseSubstantivo);
    EditarTraducao(QStringLiteral("gato"));

    respostas_ = {Resposta::Cancelar};
    EXPECT_FALSE(e.close());
    EXPECT_TRUE(e.isVisible());
    EXPECT_EQ(mensagens_.back().icone, Icone::Pergunta);
    EXPECT_EQ(UltimaMensagem(), QStringLiteral("O dicion\u00E1rio Novo Dicion\u00E1rio.lex foi alterado.\n\nDeseja salv\u00E1-lo ?"));

    // Ctrl+Q asks too; Yes saves and keeps the window open.
    arquivo_ = (Inst() / "dic" / "gatos.lex").string();
    respostas_ = {Resposta::Sim};
    Ativar();
    QTest::keyClick(&e, Qt::Key_Q, Qt::ControlModifier);
    EXPECT_TRUE(e.isVisible());
    EXPECT_FALSE(e.DicionarioAlterado());
    EXPECT_EQ(Ler(arquivo_), "cat!N.T(gato)\r\n");

    e.RadioGroupGenero->button(0)->click();
    e.NovaEntradaClick();
    respostas_ = {Resposta::Nao};
    const auto antes = mensagens_.size();
    EXPECT_TRUE(e.close());
    EXPECT_EQ(mensagens_.size(), antes + 1);
}

TEST_F(Janela, MensagensDeEntradaEAjuda)
{
    TFormEditor& e = *editor_;
    // Nothing to delete, nothing to find in an empty dictionary.
    e.ExcluirEntradaClick();
    EXPECT_EQ(UltimaMensagem(), QStringLiteral("Nenhuma entrada foi previamente selecionada"));
    Procurar(QStringLiteral("cat"));
    EXPECT_EQ(UltimaMensagem(), QStringLiteral("A entrada especificada n\u00E3o foi encontrada"));

    // A find text of blanks only is refused and the dialog stays open.
    bool aberto = false;
    QTimer::singleShot(0, &e, [&] {
        QTest::keyClicks(e.FormProcurar->EditEntrada, QStringLiteral("   "));
        QTest::mouseClick(e.FormProcurar->ButtonOK, Qt::LeftButton);
        aberto = e.FormProcurar->isVisible();
        e.FormProcurar->ButtonCancelar->click();
    });
    mensagens_.clear();
    EXPECT_FALSE(e.FormProcurar->Mostrar());
    EXPECT_TRUE(aberto);
    EXPECT_EQ(UltimaMensagem(), QStringLiteral("Informe a entrada a procurar"));
    // The field takes lower case only.
    QTimer::singleShot(0, &e, [&] {
        QTest::keyClicks(e.FormProcurar->EditEntrada, QStringLiteral("Tea Pot"));
        QTest::keyClick(e.FormProcurar->EditEntrada, Qt::Key_Return);
    });
    EXPECT_TRUE(e.FormProcurar->Mostrar());
    EXPECT_EQ(e.FormProcurar->Palavra(), QStringLiteral("tea pot"));

    // Help opens the page through the desktop.
    Navegador navegador;
    QDesktopServices::setUrlHandler(QStringLiteral("file"), &navegador, "Abrir");
    mensagens_.clear();
    e.ConteudoClick();
    EXPECT_NE(UltimaMensagem().indexOf(QStringLiteral("ajuda")), -1);  // not there
    fs::create_directories(pasta_ / "ajuda");
    std::ofstream(pasta_ / "ajuda" / "dic.html") << "<html></html>";
    e.SpeedButtonAjuda->click();
    QDesktopServices::unsetUrlHandler(QStringLiteral("file"));
    ASSERT_EQ(navegador.abertos.size(), 1);
    EXPECT_EQ(navegador.abertos[0].toLocalFile().toStdString(), (pasta_ / "ajuda" / "dic.html").string());
}

TEST_F(Janela, OrdemDePesquisa)
{
    TFormPesquisa& d = *editor_->FormPesquisa;
    ASSERT_TRUE(d.Preparar());
    // No "UserDic" yet: an empty list, written as an empty text.
    auto usuario = clChaveRegistro::Abrir(Colmeia::UsuarioAtual, kChaveQuillane, false);
    ASSERT_TRUE(usuario);
    EXPECT_EQ(usuario->Ler("UserDic")->texto, "");
    EXPECT_FALSE(d.ButtonRemover->isEnabled());
    EXPECT_EQ(d.UpDownOrdem->Maximo(), -1);

    arquivo_ = (Inst() / "dic" / "tecnico.udc").string();
    d.ButtonAdicionarClick();
    EXPECT_TRUE(d.ButtonRemover->isEnabled());
    EXPECT_FALSE(d.UpDownOrdem->isEnabled());  // one name
    arquivo_ = (Inst() / "dic" / "Tecnico.udc").string();
    d.ButtonAdicionarClick();
    EXPECT_EQ(UltimaMensagem(), QStringLiteral("Dicion\u00E1rio j\u00E1 incluido na lista"));
    EXPECT_EQ(d.Nomes(), std::vector<std::string>{"tecnico"});

    arquivo_ = (Inst() / "dic" / "geral.udc").string();
    d.ButtonAdicionarClick();
    EXPECT_EQ(d.ListBoxDicionarios->currentRow(), 1);  // the new one, last
    EXPECT_TRUE(d.UpDownOrdem->isEnabled());
    d.UpDownOrdem->BotaoCima()->click();  // up: higher priority
    EXPECT_EQ(d.Nomes(), (std::vector<std::string>{"geral", "tecnico"}));
    EXPECT_EQ(d.ListBoxDicionarios->currentRow(), 0);
    EXPECT_FALSE(d.UpDownOrdem->BotaoCima()->isEnabled());  // no wrap
    d.ButtonOKClick();
    EXPECT_EQ(usuario->Ler("UserDic")->texto, "geral\r\ntecnico\r\n");

    // Cancel writes nothing; removing every name disables the commands and
    // OK then writes an empty order.
    ASSERT_TRUE(d.Preparar());
    EXPECT_EQ(d.Nomes(), (std::vector<std::string>{"geral", "tecnico"}));
    d.ButtonRemoverClick();
    d.reject();
    EXPECT_EQ(usuario->Ler("UserDic")->texto, "geral\r\ntecnico\r\n");
    ASSERT_TRUE(d.Preparar());
    d.ButtonRemoverClick();
    d.ButtonRemoverClick();
    EXPECT_FALSE(d.ButtonRemover->isEnabled());
    EXPECT_FALSE(d.UpDownOrdem->isEnabled());
    d.ButtonOKClick();
    EXPECT_EQ(usuario->Ler("UserDic")->texto, "");
}

namespace {

// An installed suite, whose dictionary folder belongs to the system.
class JanelaInstalada : public Janela {
protected:
    JanelaInstalada() { instalacaoGravavel_ = false; }
};

} // namespace

TEST_F(JanelaInstalada, DicionarioNaPastaDoUsuario)
{
    TFormEditor& e = *editor_;
    const fs::path propria = pasta_ / "xdg" / "quillane" / "dic";
    // The user's folder and its new parents exist, for the user alone.
    for (const fs::path& p : {pasta_ / "xdg", pasta_ / "xdg" / "quillane", propria}) {
        struct stat st {};
        ASSERT_EQ(::stat(p.c_str(), &st), 0) << p;
        EXPECT_TRUE(S_ISDIR(st.st_mode)) << p;
        EXPECT_EQ(st.st_mode & 0777, 0700u) << p;
    }

    NovaPalavra(QStringLiteral("teapot"));
    EscolherClasse(kClasseSubstantivo);
    EditarTraducao(QStringLiteral("bule"));
    const std::string nome = "proprio" + std::to_string(::getpid());
    arquivo_ = (propria / (nome + ".lex")).string();
    ASSERT_TRUE(e.SalvarComoClick());
    EXPECT_EQ(pastaDialogo_, propria.string());
    EXPECT_TRUE(fs::exists(propria / (nome + ".udc")));
    EXPECT_FALSE(fs::exists(Inst() / "dic" / (nome + ".udc")));
    pastaDialogo_.clear();
    e.AbrirClick();
    EXPECT_EQ(pastaDialogo_, propria.string());

    // The search order starts where the user's dictionaries are.
    arquivo_ = (propria / (nome + ".udc")).string();
    QTimer::singleShot(0, &e, [&e] {
        QTest::mouseClick(e.FormPesquisa->ButtonAdicionar, Qt::LeftButton);
        QTest::mouseClick(e.FormPesquisa->ButtonOK, Qt::LeftButton);
    });
    e.OrdemPesquisaClick();
    EXPECT_EQ(pastaDialogo_, propria.string());
    auto usuario = clChaveRegistro::Abrir(Colmeia::UsuarioAtual, kChaveQuillane, false);
    ASSERT_TRUE(usuario);
    EXPECT_EQ(usuario->Ler("UserDic")->texto, nome + "\r\n");

    // A fresh engine process finds it there.
    std::ofstream(pasta_ / "frase.txt") << "The teapot is red.\n";
    const std::string comando = "'" + std::string(QUILLANE_VERTAL_EXE) + "' < '" + (pasta_ / "frase.txt").string() +
                                "' > '" + (pasta_ / "saida.txt").string() + "' 2>&1";
    const int estado = std::system(comando.c_str());
    EXPECT_TRUE(WIFEXITED(estado) && WEXITSTATUS(estado) == 0);
    const std::string saida = Ler(pasta_ / "saida.txt");
    EXPECT_NE(saida.find("bule"), std::string::npos) << saida;
    EXPECT_TRUE(mensagens_.empty()) << UltimaMensagem().toStdString();
}

TEST(MotorDoEditor, FalhasDeCargaDizemOArquivo)
{
    const fs::path pasta = fs::temp_directory_path() / ("quillane_motor_" + std::to_string(::getpid()));
    fs::create_directories(pasta);
    MotorEditor motor;
    std::string erro;
    EXPECT_FALSE(CarregarMotor(pasta.string(), motor, erro));
    EXPECT_NE(erro.find("O arquivo libmoriel32.so n\xE3o pode ser carregado."), std::string::npos) << erro;
    EXPECT_NE(erro.find("libmoriel32.so: cannot open"), std::string::npos) << erro;

    // A library without the engine's exports.
    fs::create_symlink(QUILLANE_OUTRA_BIBLIOTECA, pasta / "libmoriel32.so");
    EXPECT_FALSE(CarregarMotor(pasta.string(), motor, erro));
    EXPECT_NE(erro.find("est\xE1 corrompido.\n\nReinstale o produto."), std::string::npos) << erro;
    EXPECT_NE(erro.find("VertalInglPort"), std::string::npos) << erro;
    EXPECT_EQ(motor.biblioteca, nullptr);
    fs::remove_all(pasta);
}

#include "form_editor_test.moc"
