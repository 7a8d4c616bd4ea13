#include "aplicacao.h"

#include <QApplication>
#include <QDir>

#include <string>

#include "apoio_qt.h"
#include "editor_estado.h"
#include "form_editor.h"
#include "motor_editor.h"

int ExecutarEditor(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Dalvenne"));
    QApplication::setApplicationDisplayName(QStringLiteral("Dalvenne"));

    const std::string pastaExe = QCoreApplication::applicationDirPath().toStdString();
    ConfigEditor config;
    config.pastaInstalacao = PastaInstalacao(pastaExe + "/../" QUILLANE_LIBDIR_REL, QUILLANE_DADOS_PADRAO);
    config.pastaAjuda = PastaAjuda(pastaExe + "/../" QUILLANE_AJUDA_REL, QUILLANE_AJUDA_PADRAO);

    MotorEditor motor;
    std::string erro;
    if (!CarregarMotor(config.pastaInstalacao, motor, erro)) {
        Caixa(nullptr, Icone::Pare, Q(erro));
        return 1;
    }
    config.conjugar = motor.conjugar;

    TFormEditor editor(config);
    const QStringList argumentos = QCoreApplication::arguments();
    if (argumentos.size() > 1) editor.AbrirArquivo(QDir::current().absoluteFilePath(argumentos.at(1)));
    editor.show();
    return app.exec();
}
