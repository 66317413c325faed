// Renders the system-curve window over a case file to PNG files, systemcurve-<language>.png, for the
// documentation. The parameters are a static head of 30 %, a drive of 97 % and a minimum speed of 30 %.
// Usage: systemcurve_screenshot <folder with Config.ini> <output folder> <case file> <language index>...
#include "files/casefile.h"
#include "mainwindow/frmcalcretorno.h"
#include "platform/qtdialogs.h"
#include "calc/companyblock.h"
#include "systemcurve/frmsystemcurve.h"
#include "systemcurve/systemcurvestore.h"

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
    if (args.size() < 5) {
        err << "usage: systemcurve_screenshot <folder with Config.ini> <output folder> <case file> <language index>...\n";
        return 2;
    }
    const QDir output(args[2]);
    if (!QDir().mkpath(output.path())) {
        err << "cannot create " << output.path() << "\n";
        return 1;
    }
    QTemporaryDir settings;
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settings.path());
    CurveStore::save({30, 97, 30, std::nullopt});

    QtDialogs dialogs;
    CompanyBlock company;
    frmCalcRetorno window(dialogs, company, QLocale(QLocale::English, QLocale::UnitedStates));
    if (!window.load(args[1], nullptr))
        return 1;
    const CaseFileResult read = ReadCaseFile(args[3], window.caseRecord());
    if (!read.ok()) {
        err << "cannot read " << args[3] << "\n";
        return 1;
    }
    window.putCase(read.record);
    window.show();
    frmSystemCurve curve(SystemCurveWindowLinks{dialogs, window.locale(), window}, &window);
    curve.show();
    for (const QString &language : args.mid(4)) {
        window.cboIdioma()->setCurrentIndex(language.toInt());
        curve.retranslate();
        QCoreApplication::processEvents();
        const QString path = output.filePath(QStringLiteral("systemcurve-%1.png").arg(language));
        if (!curve.grab().save(path)) {
            err << "cannot write " << path << "\n";
            return 1;
        }
        QTextStream(stdout) << path << "  " << window.languageName() << "\n";
    }
    return 0;
}
