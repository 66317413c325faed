// Renders the main window, the setup window and the plant window once per language of the Config.ini in
// a folder to PNG files, for the documentation.
// Usage: mainwindow_screenshot <folder with Config.ini> <output folder> [<folder of case files>]
// The setup window shows its own defaults: the settings are read from an empty temporary store. The
// plant window holds the case files of the third folder, added through its own Add case files command,
// and is rendered once more on its charts page with a budget of 20,000.
#include "calc/companyblock.h"
#include "files/filecommands.h"
#include "mainwindow/frmcalcretorno.h"
#include "plant/frmplantsummary.h"
#include "plant/plantdocument.h"
#include "platform/qtdialogs.h"
#include "settings/frmsetup.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QSettings>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTextStream>

namespace {

// The dialogs of the program, but the several-files open dialog answers with every case file of a folder.
class CaseFolderDialogs : public QtDialogs
{
public:
    QString folder;
    QStringList openFileNames(QWidget *, const QString &, const QString &, const QString &) override
    {
        QStringList paths;
        const QDir dir(folder);
        for (const QString &name : dir.entryList({QStringLiteral("*.WAU")}, QDir::Files, QDir::Name))
            paths.append(dir.filePath(name));
        return paths;
    }
};

bool save(QWidget &widget, const QDir &output, const QString &name, const QString &language)
{
    if (!widget.grab().save(output.filePath(name))) {
        QTextStream(stderr) << "cannot write " << output.filePath(name) << "\n";
        return false;
    }
    QTextStream(stdout) << output.filePath(name) << "  " << language << "\n";
    return true;
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    QTextStream err(stderr);
    if (args.size() != 3 && args.size() != 4) {
        err << "usage: mainwindow_screenshot <folder with Config.ini> <output folder> [<folder of case files>]\n";
        return 2;
    }
    const QDir output(args[2]);
    if (!QDir().mkpath(output.path())) {
        err << "cannot create " << output.path() << "\n";
        return 1;
    }
    QTemporaryDir settings;
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settings.path());
    CaseFolderDialogs dialogs;
    if (args.size() == 4)
        dialogs.folder = args[3];
    CompanyBlock company;
    frmCalcRetorno window(dialogs, company, QLocale(QLocale::English, QLocale::UnitedStates));
    if (!window.load(args[1], nullptr))
        return 1;
    window.show();
    QCoreApplication::processEvents();
    for (int language = 0; language < window.cboIdioma()->count(); ++language) {
        window.cboIdioma()->setCurrentIndex(language);
        QCoreApplication::processEvents();
        if (!save(window, output, QStringLiteral("mainwindow-%1.png").arg(language), window.languageName()))
            return 1;

        frmSetup setup(window.textLookup(), args[1], dialogs, nullptr, &window);
        setup.show();
        QCoreApplication::processEvents();
        if (!save(setup, output, QStringLiteral("setup-%1.png").arg(language), window.languageName()))
            return 1;

        if (dialogs.folder.isEmpty())
            continue;
        FileCommands commands(window, dialogs, company, args[1]);
        const PlantWindowLinks links{dialogs, window.languageTexts(), company, window.locale(), window, commands};
        frmPlantSummary plant(links, &window);
        plant.addCaseFiles();
        plant.findChild<QAbstractItemView *>()->clearSelection();
        plant.show();
        QCoreApplication::processEvents();
        if (!save(plant, output, QStringLiteral("plant-%1.png").arg(language), window.languageName()))
            return 1;
        // The charts page, with a budget that buys the two drives that pay first.
        PlantSettings withBudget = plant.document().settings();
        withBudget.budget = 20000;
        plant.document().setSettings(withBudget);
        plant.retranslate(); // the fields show the settings again
        plant.findChild<QTabWidget *>(QStringLiteral("tabPages"))->setCurrentIndex(1);
        QCoreApplication::processEvents();
        if (!save(plant, output, QStringLiteral("plant-charts-%1.png").arg(language), window.languageName()))
            return 1;
    }
    return 0;
}
