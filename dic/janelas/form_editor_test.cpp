#include "form_editor.h"

#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QApplication>
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
        ASSERT_TRUE(config.conjugar);
        editor_ = new TFormEditor(config);
        editor_->EscolherAbrir = [this](const QString&) { ++dialogos_; return QString::fromStdString(arquivo_); };
        editor_->EscolherSalvar = [this](const QString&, const QString&) {
            ++dialogos_;
            return QString::fromStdString(arquivo_);
        };
        editor_->FormPesquisa->EscolherArquivo = [this](const QString&) { return QString::fromStdString(arquivo_); };
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
