// Draws the editor's window with a sample dictionary, one picture per page
// and dialog, for the help page. Run by scripts/capturas_dic.sh under a
// virtual display; not installed.
#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPixmap>
#include <QStackedWidget>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

#include <cstdio>
#include <cstdlib>
#include <fstream>

#include "apoio_qt.h"
#include "editor_estado.h"
#include "form_editor.h"
#include "form_pesquisa.h"
#include "form_procurar.h"
#include "motor_editor.h"
#include "registro.h"

namespace {

bool Gravar(QWidget* w, const QString& pasta, const char* nome)
{
    QTest::qWait(150);
    const QString caminho = pasta + "/" + nome;
    if (!w->grab().save(caminho)) {
        std::fprintf(stderr, "capturas_dic: could not write %s\n", caminho.toLocal8Bit().constData());
        return false;
    }
    std::printf("%s\n", caminho.toLocal8Bit().constData());
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "Usage: capturas_dic OUTPUT_FOLDER\n");
        return 2;
    }
    QTemporaryDir temporaria;
    // The pictures never touch the user's own settings.
    ::setenv("QUILLANE_REGISTRO", (temporaria.path() + "/registro").toLocal8Bit().constData(), 1);
    QApplication app(argc, argv);
    QApplication::setApplicationDisplayName(QStringLiteral("Dalvenne"));
    const QString saida = QDir(QString::fromLocal8Bit(argv[1])).absolutePath();
    QDir().mkpath(saida);

    MotorEditor motor;
    std::string erro;
    if (!CarregarMotor(QUILLANE_DADOS_DIR, motor, erro)) {
        std::fprintf(stderr, "capturas_dic: %s\n", erro.c_str());
        return 1;
    }
    const std::string inst = temporaria.path().toStdString();
    QDir().mkpath(temporaria.path() + "/dic");
    if (auto chave = clChaveRegistro::Abrir(Colmeia::UsuarioAtual, kChaveQuillane, true))
        chave->GravarTexto("UserDic", "informatica\r\npessoal\r\n");
    const std::string fonte = inst + "/dic/pessoal.lex";
    std::ofstream(fonte, std::ios::binary)
        << "teapot!NMS.T(bule,,chaleira)\r\n"
           "red!A.T(vermelho)\r\n"
           "sing!VVP12456.T(cantar)\r\n"
           "the!ED.T(o)\r\n"
           "she!PP3.T(ela)\r\n"
           "run!NFS.V.T(corrida,*N,correr,*V)\r\n";

    ConfigEditor config;
    config.pastaInstalacao = inst;
    config.conjugar = motor.conjugar;
    TFormEditor editor(config);
    editor.AbrirArquivo(QString::fromStdString(fonte));
    editor.move(0, 0);
    editor.show();
    QTest::qWait(300);

    auto entrada = [&](const char* palavra, int pagina, int traducao = 0) {
        editor.UpDownEntradasClick(editor.Dicionario().ProcurarEntrada(palavra).posicao);
        editor.ListViewTraducoes->setCurrentItem(editor.ListViewTraducoes->topLevelItem(traducao));
        if (pagina != kPaginaVazia) editor.PageControlClasses->setCurrentIndex(pagina);
    };
    bool ok = true;
    entrada("teapot", kPaginaSubstantivo);
    ok &= Gravar(&editor, saida, "substantivo.png");
    entrada("red", kPaginaAdjetivo);
    ok &= Gravar(&editor, saida, "adjetivo.png");
    entrada("the", kPaginaArtigo);
    ok &= Gravar(&editor, saida, "artigo.png");
    entrada("she", kPaginaPronome);
    ok &= Gravar(&editor, saida, "pronome.png");
    entrada("sing", kPaginaVerboIngles);
    ok &= Gravar(&editor, saida, "verbo_ingles.png");
    entrada("sing", kPaginaVerboPortugues);
    ok &= Gravar(&editor, saida, "verbo_portugues.png");
    entrada("run", kPaginaAvancado, 1);
    ok &= Gravar(&editor, saida, "avancado.png");

    entrada("run", kPaginaSubstantivo);
    editor.ClasseClick();
    ok &= Gravar(editor.MenuClasse, saida, "menu_classe.png");
    editor.MenuClasse->close();

    editor.FormPesquisa->Preparar();
    editor.FormPesquisa->show();
    ok &= Gravar(editor.FormPesquisa, saida, "ordem_pesquisa.png");
    editor.FormPesquisa->hide();

    editor.FormProcurar->show();
    QTest::keyClicks(editor.FormProcurar->EditEntrada, QStringLiteral("teapot"));
    ok &= Gravar(editor.FormProcurar, saida, "procurar.png");
    editor.FormProcurar->hide();
    return ok ? 0 : 1;
}
