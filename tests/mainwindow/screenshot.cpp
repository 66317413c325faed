// Renders the main window once per language of the Config.ini in a folder to PNG files, for the
// documentation. Usage: mainwindow_screenshot <folder with Config.ini> <output folder>
#include "mainwindow/frmcalcretorno.h"
#include "platform/qtdialogs.h"
#include "settings/companyblock.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QTextStream>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    QTextStream err(stderr);
    if (args.size() != 3) {
        err << "usage: mainwindow_screenshot <folder with Config.ini> <output folder>\n";
        return 2;
    }
    const QDir output(args[2]);
    if (!QDir().mkpath(output.path())) {
        err << "cannot create " << output.path() << "\n";
        return 1;
    }
    QtDialogs dialogs;
    CompanyBlock company;
    frmCalcRetorno window(dialogs, company, QLocale(QLocale::English, QLocale::UnitedStates));
    if (!window.load(args[1], nullptr))
        return 1;
    window.show();
    QCoreApplication::processEvents();
    for (int language = 0; language < window.cboIdioma()->count(); ++language) {
        window.cboIdioma()->setCurrentIndex(language);
        QCoreApplication::processEvents();
        const QString name = QStringLiteral("mainwindow-%1.png").arg(language);
        if (!window.grab().save(output.filePath(name))) {
            err << "cannot write " << output.filePath(name) << "\n";
            return 1;
        }
        QTextStream(stdout) << output.filePath(name) << "  " << window.languageName() << "\n";
    }
    return 0;
}
