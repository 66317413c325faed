// Every command of the main window run from its key, as a keyboard user runs it, in the started program:
// each reaches its owner and does what it does (a dialog, a window, a message, a link opened).
#include "files/filecommands.h"
#include "mainwindow/frmcalcretorno.h"
#include "mainwindow/maskededit.h"
#include "plant/frmplantsummary.h"
#include "platform/addbackslash.h"
#include "report/frmgraph.h"
#include "settings/frmsetup.h"
#include "settings/regkeys.h"
#include "startup/mainprogram.h"
#include "startup/module1.h"
#include "support/fakedialogs.h"
#include "support/fakeshell.h"
#include "support/modalwatchdog.h"
#include "support/samplecases.h"
#include "support/settingsfolder.h"
#include "support/testmain.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

void store(QLatin1String name, const QString &value)
{
    QVERIFY(SetKeyValue(RegHive::LocalMachine, SettingsKeyPath, name, value));
}

} // namespace

class TestCommandKeys : public QObject
{
    Q_OBJECT
private slots:
    void everyKeyReachesItsCommand();
};

void TestCommandKeys::everyKeyReachesItsCommand()
{
    SettingsFolder settings;
    QTemporaryDir lockFolder;
    QVERIFY(settings.isValid() && lockFolder.isValid());
    ModalWatchdog watchdog;
    FakeDialogs dialogs;
    FakeShell shell;
    store(RegValue::NotFirstTime, QStringLiteral("True"));
    const StartupResult started =
        Main({dialogs, shell, ::programFolder(), lockFolder.filePath(QStringLiteral("tessio.lock")),
              QStringLiteral("tessio"), QLocale(QLocale::English, QLocale::UnitedStates), QString()});
    QVERIFY(started.goesOn());
    frmCalcRetorno &window = started.program->window();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    // Every command from its key (the first its tooltip shows), as a keyboard user runs it.
    using C = frmCalcRetorno::Command;
    auto press = [&window](C command) {
        const QList<QKeySequence> keys = window.commandKeys(command);
        QVERIFY(!keys.isEmpty());
        QTest::keySequence(window.windowHandle(), keys.first());
    };

    // The file commands: each asks its own dialog (cancelled here), Clear empties a typed case.
    press(C::Open);
    press(C::SaveAs);
    press(C::Export);
    QCOMPARE(dialogs.fileRequests.size(), 3);
    QCOMPARE(dialogs.fileRequests.at(0).save, false);
    QCOMPARE(dialogs.fileRequests.at(0).filter, FileCommands::CaseFileFilter);
    QCOMPARE(dialogs.fileRequests.at(1).save, true);
    QCOMPARE(dialogs.fileRequests.at(1).filter, FileCommands::CaseFileFilter);
    QCOMPARE(dialogs.fileRequests.at(2).filter, FileCommands::ExportFileFilter);
    press(C::Save); // an unnamed case: Save As
    QCOMPARE(dialogs.fileRequests.size(), 4);
    QCOMPARE(dialogs.fileRequests.at(3).save, true);
    window.field(u"mskPotencia")->setRawText(QStringLiteral("15"));
    dialogs.answers.enqueue(Dialogs::Answer::Discard);
    press(C::New);
    QCOMPARE(dialogs.texts().size(), 1); // the question about the typed power
    QVERIFY(dialogs.texts().first().startsWith(window.text(FileCommands::ClearQuestionText)));
    QVERIFY(window.field(u"mskPotencia")->rawText().isEmpty());
    dialogs.clear();
    window.applyCaseRecord(SampleCases::workedExample(), true);
    press(C::Calculate);
    QCOMPARE(window.field(u"mskRetorno")->rawText(), QStringLiteral("4"));

    // Print: the print dialog (cancelled, then a PDF file); Graph: the chart window over the main window.
    press(C::Print);
    QCOMPARE(dialogs.printRequests, 1);
    QTemporaryDir pdfFolder;
    dialogs.printFile = pdfFolder.filePath(QStringLiteral("case.pdf"));
    dialogs.printAnswers.enqueue(true);
    press(C::Print);
    QCOMPARE(dialogs.printRequests, 2);
    QFile pdf(dialogs.printFile);
    QVERIFY(pdf.open(QIODevice::ReadOnly));
    QVERIFY(pdf.read(5) == "%PDF-");
    QVERIFY(!started.program->graphWindow());
    window.selectApplication(2);
    press(C::Graph);
    frmGraph *graph = started.program->graphWindow();
    QVERIFY(graph);
    QVERIFY(graph->isVisible());
    QCOMPARE(graph->parentWidget(), &window);
    QVERIFY(graph->picture(GraphLanguage::English, 2) && graph->picture(GraphLanguage::English, 2)->isVisible());
    graph->close();
    QTRY_VERIFY(!started.program->graphWindow());
    window.activateWindow(); // offscreen, no window manager gives it back
    QVERIFY(QTest::qWaitForWindowActive(&window));

    // Setup: modal over the main window, and the company block read again afterwards.
    store(RegValue::txtNome, QStringLiteral("Stored Later Co"));
    int setupOpenings = 0;
    const auto closer = watchdog.expect<frmSetup>([&setupOpenings, &window](frmSetup *setup) {
        setupOpenings += setup->isModal() && setup->parentWidget() == &window;
        setup->close();
    });
    press(C::Setup);
    QCOMPARE(setupOpenings, 1);
    QCOMPARE(started.program->company().CompanyName, QStringLiteral("Stored Later Co"));
    QVERIFY2(dialogs.messages.isEmpty(), qPrintable(dialogs.texts().join(u'|')));

    // The links open what they name; Help shows its note; Plant summary opens the plant window.
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    press(C::Models);
    press(C::WebLink);
    press(C::HelpDocument);
    QCOMPARE(shell.opened, (QStringList{window.text(203), started.program->company().WebAddress,
                                        ::programFolder() + window.text(191)}));
    press(C::Help);
    QCOMPARE(dialogs.texts(), QStringList{window.text(191) + QStringLiteral("\r\n") + window.text(192)});
    QVERIFY(!started.program->plantWindow());
    press(C::PlantSummary);
    QVERIFY(started.program->plantWindow() && started.program->plantWindow()->isVisible());
    QVERIFY2(watchdog.unexpected.isEmpty(), qPrintable(watchdog.unexpected.join(u", ")));
}

TESSIO_TEST_MAIN(TestCommandKeys)
#include "tst_commandkeys.moc"
