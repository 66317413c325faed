// Renders the main window and the setup window once per language of the Config.ini in a folder to PNG
// files, for the documentation. Usage: mainwindow_screenshot <folder with Config.ini> <output folder>
// The setup window shows its own defaults: the settings are read from an empty temporary store.
#include "mainwindow/frmcalcretorno.h"
#include "platform/qtdialogs.h"
#include "settings/companyblock.h"
#include "settings/frmsetup.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QSettings>
#include <QTemporaryDir>
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
    QTemporaryDir settings;
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settings.path());
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

        frmSetup setup(window.textLookup(), args[1], dialogs, nullptr, &window);
        setup.show();
        QCoreApplication::processEvents();
        const QString setupName = QStringLiteral("setup-%1.png").arg(language);
        if (!setup.grab().save(output.filePath(setupName))) {
            err << "cannot write " << output.filePath(setupName) << "\n";
            return 1;
        }
        QTextStream(stdout) << output.filePath(setupName) << "  " << window.languageName() << "\n";
    }
    return 0;
}
