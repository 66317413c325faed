// Every command of the main window run from its key, as a keyboard user runs it, in the started program:
// each reaches its owner and does what it does (a dialog, a window, a message, a link opened); and the
// system-curve window it opens, wired to the main window and the plant.
#include "files/filecommands.h"
#include "mainwindow/frmcalcretorno.h"
#include "mainwindow/maskededit.h"
#include "mainwindow/mainwindowtext.h"
#include "plant/frmplantsummary.h"
#include "plant/plantdocument.h"
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
#include "systemcurve/frmsystemcurve.h"

#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

namespace {

void store(QLatin1String name, const QString &value)
{
    QVERIFY(SetKeyValue(RegHive::LocalMachine, SettingsKeyPath, name, value));
}

} // namespace

using C = frmCalcRetorno::Command;

class TestCommandKeys : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void everyKeyReachesItsCommand();
    void systemCurveFollowsTheMainWindowAndFeedsThePlant();

private:
    // A command from its key (the first its tooltip shows), as a keyboard user runs it.
    void press(C command)
    {
        const QList<QKeySequence> keys = m_started.program->window().commandKeys(command);
        QVERIFY(!keys.isEmpty());
        QTest::keySequence(m_started.program->window().windowHandle(), keys.first());
    }

    std::unique_ptr<SettingsFolder> m_settings;
    QTemporaryDir m_lockFolder;
    ModalWatchdog m_watchdog;
    FakeDialogs m_dialogs;
    FakeShell m_shell;
    StartupResult m_started;
};

void TestCommandKeys::init()
{
    m_settings = std::make_unique<SettingsFolder>();
    QVERIFY(m_settings->isValid() && m_lockFolder.isValid());
    store(RegValue::NotFirstTime, QStringLiteral("True"));
    m_started = Main({m_dialogs, m_shell, ::programFolder(), m_lockFolder.filePath(QStringLiteral("tessio.lock")),
                      QStringLiteral("tessio"), QLocale(QLocale::English, QLocale::UnitedStates), QString()});
    QVERIFY(m_started.goesOn());
    QVERIFY(QTest::qWaitForWindowActive(&m_started.program->window()));
}

void TestCommandKeys::cleanup()
{
    QVERIFY2(m_watchdog.unexpected.isEmpty(), qPrintable(m_watchdog.unexpected.join(u", ")));
    m_started = StartupResult();
    m_dialogs.clear();
    m_shell.opened.clear();
    m_settings.reset();
}

void TestCommandKeys::everyKeyReachesItsCommand()
{
    const StartupResult &started = m_started;
    ModalWatchdog &watchdog = m_watchdog;
    FakeDialogs &dialogs = m_dialogs;
    FakeShell &shell = m_shell;
    frmCalcRetorno &window = started.program->window();

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

    // System curve: its window over the main window, on the main window's case.
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    QVERIFY(!started.program->systemCurveWindow());
    press(C::SystemCurve);
    frmSystemCurve *curve = started.program->systemCurveWindow();
    QVERIFY(curve && curve->isVisible());
    QCOMPARE(curve->parentWidget(), &window);
    QVERIFY(!curve->comparison().failure);
    // The worked example on the fan picked for Graph: 10 / 0.9 kW x (0.07 + 0.13 + 0.14) x 8 h x 365.
    QCOMPARE(qRound(curve->comparison().tableKwh), 11031);
}

void TestCommandKeys::systemCurveFollowsTheMainWindowAndFeedsThePlant()
{
    frmCalcRetorno &window = m_started.program->window();
    window.applyCaseRecord(SampleCases::workedExample(), true);
    press(C::SystemCurve);
    frmSystemCurve *curve = m_started.program->systemCurveWindow();
    QVERIFY(QTest::qWaitForWindowActive(curve));
    QCOMPARE(curve->comparison().numbers.powerKw, 10.0);

    // A field changed in the main window is the case's change: the window, left in the background,
    // computes the new case at once.
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    MaskedEdit *power = window.field(u"mskPotencia");
    power->setFocus();
    QTRY_VERIFY(power->hasFocus());
    power->selectAll();
    QTest::keyClicks(power, QStringLiteral("20"));
    QTest::keyClick(power, Qt::Key_Tab);
    QVERIFY(!curve->isActiveWindow());
    QCOMPARE(curve->comparison().numbers.powerKw, 20.0);

    // The language and the currency of the main window are the window's.
    window.cboIdioma()->setCurrentIndex(0);
    QCOMPARE(curve->windowTitle(), window.text(MainWindowText::SystemCurve));
    const auto *moneyCaption = curve->findChild<QLabel *>(QStringLiteral("lblMoney"));
    QVERIFY(window.selectCurrency(QStringLiteral("R$")));
    QVERIFY2(moneyCaption->text().contains(QStringLiteral("(R$)")), qPrintable(moneyCaption->text()));
    QCOMPARE(curve->comparison().numbers.kwhPrice, window.caseRecord().mskValorkWh.toDouble());

    // Add to plant: the plant window opens with the case on its system curve, the plant changed.
    auto *staticHead = curve->findChild<QLineEdit *>(QStringLiteral("txtStaticHead"));
    curve->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(curve));
    staticHead->setFocus();
    staticHead->selectAll();
    QTest::keyClicks(staticHead, QStringLiteral("30"));
    QTest::keyClick(staticHead, Qt::Key_Return);
    QVERIFY(!m_started.program->plantWindow());
    QTest::mouseClick(curve->findChild<QPushButton *>(QStringLiteral("cmdAddToPlant")), Qt::LeftButton);
    frmPlantSummary *plant = m_started.program->plantWindow();
    QVERIFY(plant && plant->isVisible());
    const PlantDocument &document = plant->document();
    QVERIFY(document.isModified());
    QCOMPARE(document.rowCount(), 1);
    const PlantCaseResult &row = document.summary().cases.first();
    QCOMPARE(row.curve, curve->parameters());
    QCOMPARE(row.curve->staticHeadPercent, 30.0);
    QCOMPARE(row.figures.kwh, curve->comparison().curve.kwh);
    QVERIFY2(m_dialogs.messages.isEmpty(), qPrintable(m_dialogs.texts().join(u'|')));
}

TESSIO_TEST_MAIN(TestCommandKeys)
#include "tst_commandkeys.moc"
