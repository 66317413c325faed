#include "files/casefile.h"
#include "files/filecommands.h"
#include "localisation/frmsplash.h"
#include "mainwindow/frmcalcretorno.h"
#include "mainwindow/maskededit.h"
#include "plant/frmplantsummary.h"
#include "plant/plantdocument.h"
#include "plant/planttext.h"
#include "platform/addbackslash.h"
#include "report/frmgraph.h"
#include "settings/frmsetup.h"
#include "settings/modcadastrovarnel.h"
#include "settings/regkeys.h"
#include "startup/mainprogram.h"
#include "startup/module1.h"
#include "startup/singleinstance.h"
#include "support/fakedialogs.h"
#include "support/fakeshell.h"
#include "support/modalwatchdog.h"
#include "support/testdatafiles.h"
#include "support/samplecases.h"
#include "support/testmain.h"
#include "support/settingsfolder.h"

#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <memory>

namespace {

QString storedNotFirstTime()
{
    return GetKeyValue(RegHive::LocalMachine, SettingsKeyPath, RegValue::NotFirstTime);
}

void store(QLatin1String name, const QString &value)
{
    QVERIFY(SetKeyValue(RegHive::LocalMachine, SettingsKeyPath, name, value));
}

// What the test saw of the setup window while it was open.
struct SetupSeen
{
    int openings = 0;
    bool mainWindowShownBehind = false;
    bool modalOverMainWindow = false;
    QString notFirstTimeMeanwhile;
};

// Closes every setup window that opens (without saving), noting what it saw, for as long as the
// returned expectation lives.
ModalWatchdog::Expectation closeSetupWhenOpen(ModalWatchdog &watchdog, SetupSeen &seen)
{
    return watchdog.expect<frmSetup>([&seen](frmSetup *setup) {
        ++seen.openings;
        auto *window = qobject_cast<frmCalcRetorno *>(setup->parentWidget());
        seen.mainWindowShownBehind = window && window->isVisible();
        seen.modalOverMainWindow = window && setup->isModal();
        seen.notFirstTimeMeanwhile = storedNotFirstTime();
        setup->close();
    });
}

} // namespace

class TestModule1 : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void startShowsTheReadyWindow();
    void firstRunOpensSetupOnce_data();
    void firstRunOpensSetupOnce();
    void notFirstTimeSkipsSetup_data();
    void notFirstTimeSkipsSetup();
    void unreadableFlagReportsAndKeepsTheWindow();
    void loadFailureEndsTheProgram_data();
    void loadFailureEndsTheProgram();
    void secondCopyEndsAtOnce();
    void pickedLanguageIsRemembered_data();
    void pickedLanguageIsRemembered();
    void programFolderHoldsTheDataFiles();
    void caseFileNamedAtStartIsOpened();
    void secondCopyHandsItsCaseFileOver_data();
    void secondCopyHandsItsCaseFileOver();
    void handedOverFileWaitsForTheOpenDialog();
    void caseFileNobodyTakesGetsTheMessage();
    void newAndOpenAskBeforeAChangedCaseGoes_data();
    void newAndOpenAskBeforeAChangedCaseGoes();
    void closingAChangedCaseAsks_data();
    void closingAChangedCaseAsks();
    void closingWithAnUnsavedPlantAsks_data();
    void closingWithAnUnsavedPlantAsks();
    void thePlantWindowFollowsTheMainWindow_data();
    void thePlantWindowFollowsTheMainWindow();

private:
    StartupServices services(const QString &programFolder = ::programFolder());
    // A started program with the worked example typed into its window (not yet saved).
    StartupResult startWithTypedCase();

    std::unique_ptr<SettingsFolder> m_settings;
    std::unique_ptr<QTemporaryDir> m_lockDir;
    std::unique_ptr<ModalWatchdog> m_watchdog;
    FakeDialogs m_dialogs;
    FakeShell m_shell;
};

void TestModule1::init()
{
    m_settings = std::make_unique<SettingsFolder>();
    m_lockDir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_settings->isValid() && m_lockDir->isValid());
    m_watchdog = std::make_unique<ModalWatchdog>();
    m_dialogs = FakeDialogs();
    m_shell = FakeShell();
}

void TestModule1::cleanup()
{
    QVERIFY2(m_watchdog->unexpected.isEmpty(), qPrintable(m_watchdog->unexpected.join(u", ")));
    m_watchdog.reset();
    QVERIFY(!QGuiApplication::overrideCursor());
}

StartupServices TestModule1::services(const QString &programFolder)
{
    return {m_dialogs,
            m_shell,
            programFolder,
            m_lockDir->filePath(QStringLiteral("tessio.lock")),
            QStringLiteral("tessio"),
            QLocale(QLocale::English, QLocale::UnitedStates),
            QString(),
            m_lockDir->filePath(QStringLiteral("inbox"))};
}

void TestModule1::startShowsTheReadyWindow()
{
    store(RegValue::NotFirstTime, QStringLiteral("True"));
    store(RegValue::cboMoeda, QStringLiteral("EUR"));
    const StartupResult started = Main(services());
    QVERIFY(started.goesOn());
    QCOMPARE(started.exitCode, 0);
    QVERIFY2(m_dialogs.messages.isEmpty(), qPrintable(m_dialogs.texts().join(u'|')));

    frmCalcRetorno &window = started.program->window();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QVERIFY(!QGuiApplication::overrideCursor());
    QVERIFY(!started.program->splash().isVisible());
    // The default language's title, and the company block's link instead of the language's text 39.
    QCOMPARE(window.languageName(), QStringLiteral("English"));
    QVERIFY(!window.windowTitleFromLanguage().isEmpty());
    QCOMPARE(window.windowTitle(), window.windowTitleFromLanguage());
    QCOMPARE(window.label2(3)->text(), QString(CompanyBlockDefaults::VisitText));
    QCOMPARE(started.program->company().WebAddress, QString(CompanyBlockDefaults::WebAddress));
    // The stored currency, with the captions and kWh price of that currency.
    QCOMPARE(window.cboMoedas()->currentText(), QStringLiteral("EUR"));
    QVERIFY(window.label2(11)->text().contains(QStringLiteral("EUR")));
    // The Clear command ran after the currency was selected: the company block's kWh price, not the
    // currency's own (0.10), and the start values.
    QCOMPARE(window.field(u"mskValorkWh")->rawText(), QStringLiteral("0.08"));
    QCOMPARE(window.field(u"mskDiaAno")->rawText(), QStringLiteral("365"));
    QCOMPARE(window.field(u"mskVazao100")->rawText(), QStringLiteral("0"));
    QVERIFY(window.field(u"mskPotencia")->rawText().isEmpty());
    // The guard holds the lock for as long as the program runs.
    SingleInstanceGuard other(m_lockDir->filePath(QStringLiteral("tessio.lock")));
    QVERIFY(!other.tryAcquire());
}

void TestModule1::firstRunOpensSetupOnce_data()
{
    QTest::addColumn<bool>("absent");
    QTest::addColumn<QString>("flag");
    QTest::newRow("no settings at all") << true << QString();
    QTest::newRow("stored empty (a blank)") << false << QString();
    QTest::newRow("False by hand") << false << QStringLiteral("False");
    QTest::newRow("zero") << false << QStringLiteral("0");
}

void TestModule1::firstRunOpensSetupOnce()
{
    QFETCH(bool, absent);
    QFETCH(QString, flag);
    if (!absent)
        store(RegValue::NotFirstTime, flag);

    SetupSeen seen;
    const auto closer = closeSetupWhenOpen(*m_watchdog, seen);
    {
        const StartupResult started = Main(services());
        QVERIFY(started.goesOn());
        QCOMPARE(seen.openings, 1);
        QVERIFY(seen.mainWindowShownBehind);
        QVERIFY(seen.modalOverMainWindow);
        QCOMPARE(seen.notFirstTimeMeanwhile, absent ? QString() : (flag.isEmpty() ? QStringLiteral(" ") : flag));
        QVERIFY2(m_dialogs.messages.isEmpty(), qPrintable(m_dialogs.texts().join(u'|')));
        QVERIFY(started.program->window().isVisible());
    }
    // Closed without saving, and still recorded as done.
    QCOMPARE(storedNotFirstTime(), QStringLiteral("True"));

    const StartupResult again = Main(services());
    QVERIFY(again.goesOn());
    QCOMPARE(seen.openings, 1);
}

void TestModule1::notFirstTimeSkipsSetup_data()
{
    QTest::addColumn<QString>("flag");
    QTest::newRow("True") << QStringLiteral("True");
    QTest::newRow("true") << QStringLiteral("true");
    QTest::newRow("-1") << QStringLiteral("-1");
}

void TestModule1::notFirstTimeSkipsSetup()
{
    QFETCH(QString, flag);
    store(RegValue::NotFirstTime, flag);
    SetupSeen seen;
    const auto closer = closeSetupWhenOpen(*m_watchdog, seen);
    const StartupResult started = Main(services());
    QVERIFY(started.goesOn());
    QCOMPARE(seen.openings, 0);
    QCOMPARE(storedNotFirstTime(), flag);
}

void TestModule1::unreadableFlagReportsAndKeepsTheWindow()
{
    store(RegValue::NotFirstTime, QStringLiteral("maybe"));
    SetupSeen seen;
    const auto closer = closeSetupWhenOpen(*m_watchdog, seen);
    const StartupResult started = Main(services());
    QVERIFY(started.goesOn());
    QCOMPARE(started.exitCode, 0);
    QCOMPARE(seen.openings, 0);
    QCOMPARE(storedNotFirstTime(), QStringLiteral("maybe"));

    frmCalcRetorno &window = started.program->window();
    QCOMPARE(m_dialogs.messages.size(), 1);
    const FakeDialogs::Message report = m_dialogs.messages.first();
    QCOMPARE(report.icon, Dialogs::Icon::Critical);
    QCOMPARE(report.title, QStringLiteral("Erro 13 ( D )"));
    QCOMPARE(report.text, window.text(100) + "\r\n" + window.text(101) + "\r\n" + window.text(102)
                              + "\r\nErro: Type mismatch");
    QVERIFY(!window.text(100).isEmpty());

    // The shown window still works: a command runs.
    QVERIFY(window.isVisible());
    QVERIFY(QTest::qWaitForWindowActive(&window));
    QTest::mouseClick(window.findChild<QLabel *>(QStringLiteral("lblHelp")), Qt::LeftButton);
    QCOMPARE(m_dialogs.messages.size(), 2);
    QCOMPARE(m_dialogs.messages.last().icon, Dialogs::Icon::Information);
}

void TestModule1::loadFailureEndsTheProgram_data()
{
    QTest::addColumn<QString>("defaultName"); // empty: no Config.ini at all
    QTest::addColumn<QString>("description");
    // The platform's own description of a missing file.
    QFile missing(QDir::temp().filePath(QStringLiteral("tessio-no-such-file.ini")));
    QVERIFY(!missing.open(QIODevice::ReadOnly));
    QTest::newRow("no Config.ini") << QString() << missing.errorString();
    QTest::newRow("no language") << QStringLiteral("Klingon") << QStringLiteral("Subscript out of range");
}

void TestModule1::loadFailureEndsTheProgram()
{
    QFETCH(QString, defaultName);
    QFETCH(QString, description);
    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    if (!defaultName.isEmpty())
        QVERIFY(TestData::writeNumberedConfig(folder.path(), defaultName));
    store(RegValue::NotFirstTime, QStringLiteral("True"));
    const StartupResult started = Main(services(AddBackslash(folder.path())));
    QVERIFY(!started.goesOn());
    QCOMPARE(started.exitCode, StartupExit::Failed);
    // One message in the three languages, naming the file and the remedy, under the normal pointer.
    QCOMPARE(m_dialogs.messages.size(), 1);
    const FakeDialogs::Message message = m_dialogs.messages.first();
    QCOMPARE(message.icon, Dialogs::Icon::Critical);
    QCOMPARE(message.title, applicationTitle());
    QVERIFY(!message.busyPointer);
    const QStringList lines = message.text.split(QStringLiteral("\r\n"));
    QCOMPARE(lines.value(0), QDir::toNativeSeparators(QDir(folder.path()).absoluteFilePath("Config.ini")));
    QCOMPARE(lines.value(1), description);
    QCOMPARE(lines.size(), 6);
    QVERIFY(lines[3].contains(QStringLiteral("Reinstale o Tessio")));
    QVERIFY(lines[4].contains(QStringLiteral("reinstall Tessio")));
    QVERIFY(lines[5].contains(QStringLiteral("Reinstale Tessio")) && lines[5].contains(QStringLiteral("archivo")));
    // Nothing stays behind: no window, and the lock is free for the next start.
    for (QWidget *widget : QApplication::topLevelWidgets())
        QVERIFY2(!qobject_cast<frmCalcRetorno *>(widget), "a main window was left alive");
    SingleInstanceGuard next(m_lockDir->filePath(QStringLiteral("tessio.lock")));
    QVERIFY(next.tryAcquire());
}

void TestModule1::secondCopyEndsAtOnce()
{
    store(RegValue::NotFirstTime, QStringLiteral("True"));
    const StartupResult first = Main(services());
    QVERIFY(first.goesOn());
    const QString firstTitle = first.program->window().windowTitle();

    const StartupResult second = Main(services());
    QVERIFY(!second.goesOn());
    QCOMPARE(second.exitCode, StartupExit::AlreadyRunning);
    QCOMPARE(m_dialogs.messages.size(), 1);
    QCOMPARE(m_dialogs.messages.first().icon, Dialogs::Icon::Critical);
    QCOMPARE(m_dialogs.messages.first().title, QStringLiteral("tessio"));
    QCOMPARE(m_dialogs.messages.first().text,
             QStringLiteral("A aplicação já se encontra aberta!\r\nThe application is already open!\r\n"
                            "¡La aplicación está abierta!"));
    QCOMPARE(m_dialogs.messages.first().buttons, Dialogs::Buttons::Ok);

    // Only the first copy's window exists, and it is as it was; its lock still holds.
    int mainWindows = 0;
    for (QWidget *widget : QApplication::topLevelWidgets())
        mainWindows += qobject_cast<frmCalcRetorno *>(widget) ? 1 : 0;
    QCOMPARE(mainWindows, 1);
    QVERIFY(first.program->window().isVisible());
    QCOMPARE(first.program->window().windowTitle(), firstTitle);
    SingleInstanceGuard third(m_lockDir->filePath(QStringLiteral("tessio.lock")));
    QVERIFY(!third.tryAcquire());
}

void TestModule1::pickedLanguageIsRemembered_data()
{
    QTest::addColumn<bool>("absent");
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("started"); // the language the start applies
    QTest::newRow("nothing stored: the default") << true << QString() << "English";
    QTest::newRow("stored Spanish") << false << QStringLiteral("Espa\u00F1ol") << QStringLiteral("Espa\u00F1ol");
    QTest::newRow("no such language: the default") << false << "Klingon" << "English";
    QTest::newRow("another case is another name") << false << QStringLiteral("espa\u00F1ol") << "English";
    QTest::newRow("stored empty (a blank)") << false << QString() << "English";
}

void TestModule1::pickedLanguageIsRemembered()
{
    QFETCH(bool, absent);
    QFETCH(QString, stored);
    QFETCH(QString, started);
    store(RegValue::NotFirstTime, QStringLiteral("True"));
    if (!absent)
        store(RegValue::cboIdioma, stored);
    const QString portuguese = QStringLiteral("Portugu\u00EAs");
    {
        const StartupResult first = Main(services());
        QVERIFY(first.goesOn());
        frmCalcRetorno &window = first.program->window();
        QCOMPARE(window.languageName(), started);
        QCOMPARE(window.windowTitleFromLanguage(), window.text(1));
        // A remembered language is applied as a pick applies it, the web link and its address included;
        // otherwise the link is the company's.
        const bool remembered = !absent && started == stored;
        QCOMPARE(window.label2(3)->text(), remembered ? window.text(39) : QString(CompanyBlockDefaults::VisitText));
        QCOMPARE(first.program->company().VisitText, window.label2(3)->text());
        QCOMPARE(first.program->company().WebAddress,
                 remembered ? QStringLiteral("http://") + window.text(201) : QString(CompanyBlockDefaults::WebAddress));
        // Starting stores nothing; a pick by the user does.
        QCOMPARE(GetKeyValue(RegHive::LocalMachine, SettingsKeyPath, RegValue::cboIdioma),
                 absent ? QString() : (stored.isEmpty() ? QStringLiteral(" ") : stored));
        QVERIFY(QTest::qWaitForWindowActive(&window));
        QComboBox *selector = window.cboIdioma();
        selector->setFocus(Qt::TabFocusReason);
        QTRY_VERIFY(selector->hasFocus());
        const int target = selector->findText(portuguese);
        QVERIFY(target >= 0);
        while (selector->currentIndex() != target)
            QTest::keyClick(selector, selector->currentIndex() < target ? Qt::Key_Down : Qt::Key_Up);
        QCOMPARE(window.languageName(), portuguese);
        QCOMPARE(GetKeyValue(RegHive::LocalMachine, SettingsKeyPath, RegValue::cboIdioma), portuguese);
    }
    // The next start opens in the picked language, its link in that language too.
    const StartupResult next = Main(services());
    QVERIFY(next.goesOn());
    QCOMPARE(next.program->window().languageName(), portuguese);
    QCOMPARE(next.program->window().windowTitle(), next.program->window().text(1));
    QCOMPARE(next.program->window().label2(3)->text(), next.program->window().text(39));
    QVERIFY(next.program->window().text(39).startsWith(QStringLiteral("Visite-nos")));
    QVERIFY2(m_dialogs.messages.isEmpty(), qPrintable(m_dialogs.texts().join(u'|')));
}

void TestModule1::programFolderHoldsTheDataFiles()
{
    const QString folder = ::programFolder();
    QVERIFY(folder.endsWith(QDir::separator()));
    QVERIFY(QFile::exists(folder + QStringLiteral("Config.ini")));
    QVERIFY(QFile::exists(folder + QStringLiteral("fSetup.ini")));
}

void TestModule1::caseFileNamedAtStartIsOpened()
{
    store(RegValue::NotFirstTime, QStringLiteral("True"));
    QTemporaryDir files;
    QVERIFY(files.isValid());
    const QString casePath = files.filePath(QStringLiteral("P-101.WAU"));
    QVERIFY(WriteCaseFile(casePath, SampleCases::workedExample()));

    StartupServices withFile = services();
    withFile.caseFile = casePath;
    StartupResult started = Main(withFile);
    QVERIFY(started.goesOn());
    QVERIFY2(m_dialogs.messages.isEmpty(), qPrintable(m_dialogs.texts().join(u'|')));
    QCOMPARE(started.program->fileCommands().NomeArq(), casePath);
    frmCalcRetorno &window = started.program->window();
    QCOMPARE(window.field(u"mskPotencia")->rawText(), QStringLiteral("10"));
    QCOMPARE(window.field(u"mskEconomiakW")->rawText(), QStringLiteral("29,200")); // calculated
    QVERIFY(!started.program->fileCommands().caseChanged());
    window.close();
    QVERIFY(!window.isVisible());
    started = StartupResult();

    // A name that cannot be read gets Open's message, over the shown window.
    withFile.caseFile = files.filePath(QStringLiteral("missing.WAU"));
    started = Main(withFile);
    QVERIFY(started.goesOn());
    QVERIFY(started.program->window().isVisible());
    QCOMPARE(m_dialogs.messages.size(), 1);
    QCOMPARE(m_dialogs.messages.first().icon, Dialogs::Icon::Critical);
    QCOMPARE(m_dialogs.messages.first().text, started.program->window().text(FileCommands::OpenFailedText));
}

void TestModule1::secondCopyHandsItsCaseFileOver_data()
{
    QTest::addColumn<bool>("typed");  // the running copy's case has unsaved changes
    QTest::addColumn<int>("answer");  // to the question about them
    QTest::addColumn<bool>("opened");
    QTest::newRow("nothing typed") << false << int(Dialogs::Answer::Cancel) << true;
    QTest::newRow("typed, don't save") << true << int(Dialogs::Answer::Discard) << true;
    QTest::newRow("typed, cancel") << true << int(Dialogs::Answer::Cancel) << false;
}

void TestModule1::secondCopyHandsItsCaseFileOver()
{
    QFETCH(bool, typed);
    QFETCH(int, answer);
    QFETCH(bool, opened);
    QTemporaryDir files;
    QVERIFY(files.isValid());
    const QString casePath = files.filePath(QStringLiteral("P-101.WAU"));
    QVERIFY(WriteCaseFile(casePath, SampleCases::workedExample()));
    store(RegValue::NotFirstTime, QStringLiteral("True"));
    StartupResult first = typed ? startWithTypedCase() : Main(services());
    QVERIFY(first.goesOn());
    frmCalcRetorno &window = first.program->window();
    const QString typedPower = window.field(u"mskPotencia")->rawText();
    // The user is in another window when the case is double-clicked.
    QWidget elsewhere;
    elsewhere.show();
    elsewhere.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&elsewhere));
    m_dialogs.answers.enqueue(Dialogs::Answer(answer));

    StartupServices withFile = services();
    withFile.caseFile = casePath;
    const StartupResult second = Main(withFile);
    // The second copy ends without a word; the running copy comes to the front and asks about a changed
    // case before it opens the file as Open does.
    QVERIFY(!second.goesOn());
    QCOMPARE(second.exitCode, StartupExit::HandedOver);
    QVERIFY(!m_dialogs.texts().contains(alreadyRunningMessage()));
    QTRY_VERIFY(window.isActiveWindow());
    QCOMPARE(m_dialogs.messages.size(), typed ? 1 : 0);
    if (typed)
        QVERIFY(m_dialogs.messages.first().text.startsWith(window.text(FileCommands::ReplaceCaseQuestionText)));
    QCOMPARE(first.program->fileCommands().NomeArq(), opened ? casePath : QString());
    QCOMPARE(window.field(u"mskPotencia")->rawText(), opened ? QStringLiteral("10") : typedPower);
    if (opened)
        QCOMPARE(window.field(u"mskEconomiakW")->rawText(), QStringLiteral("29,200")); // calculated
    QVERIFY(QDir(m_lockDir->filePath(QStringLiteral("inbox"))).isEmpty());
    if (!opened)
        window.hide(); // the next test starts its own copy
}

void TestModule1::handedOverFileWaitsForTheOpenDialog()
{
    store(RegValue::NotFirstTime, QStringLiteral("True"));
    StartupResult first = Main(services());
    QVERIFY(first.goesOn());
    frmCalcRetorno &window = first.program->window();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    // A dialog of the running copy is open (the setup window, a question): the case stays as it is
    // under it, and the file opens once the dialog has gone.
    QDialog dialog(&window);
    const auto keepOpen = m_watchdog->expect<QDialog>([](QDialog *) {});
    dialog.setModal(true);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowActive(&dialog));

    QTemporaryDir files;
    QVERIFY(files.isValid());
    StartupServices withFile = services();
    withFile.caseFile = files.filePath(QStringLiteral("P-101.WAU"));
    QVERIFY(WriteCaseFile(withFile.caseFile, SampleCases::workedExample()));
    const StartupResult second = Main(withFile);
    QCOMPARE(second.exitCode, StartupExit::HandedOver);
    QTest::qWait(300); // longer than the running copy waits before it looks again
    QVERIFY(first.program->fileCommands().NomeArq().isEmpty());
    QVERIFY(dialog.isVisible());

    dialog.reject();
    QTRY_COMPARE(first.program->fileCommands().NomeArq(), withFile.caseFile);
    QVERIFY2(m_dialogs.messages.isEmpty(), qPrintable(m_dialogs.texts().join(u'|')));
}

void TestModule1::caseFileNobodyTakesGetsTheMessage()
{
    // A copy runs but takes nothing (it hangs): after its wait the second copy says that the
    // application is open, and leaves no request behind.
    SingleInstanceGuard running(m_lockDir->filePath(QStringLiteral("tessio.lock")));
    QVERIFY(running.tryAcquire());
    StartupServices withFile = services();
    withFile.caseFile = QStringLiteral(TESSIO_TEST_DATA "/case_kw.wau");
    withFile.handoverWait = std::chrono::milliseconds(200);
    const StartupResult second = Main(withFile);
    QCOMPARE(second.exitCode, StartupExit::AlreadyRunning);
    QCOMPARE(m_dialogs.texts(), QStringList{alreadyRunningMessage()});
    QVERIFY(QDir(m_lockDir->filePath(QStringLiteral("inbox"))).isEmpty());
}

StartupResult TestModule1::startWithTypedCase()
{
    store(RegValue::NotFirstTime, QStringLiteral("True"));
    StartupResult started = Main(services());
    frmCalcRetorno &window = started.program->window();
    CaseRecord typed = window.caseRecord();
    typed.mskPotencia = QStringLiteral("10");
    typed.mskRendimento = QStringLiteral("90");
    typed.mskInversor = QStringLiteral("1000");
    window.applyCaseRecord(typed, true);
    return started;
}

void TestModule1::closingAChangedCaseAsks_data()
{
    QTest::addColumn<QString>("before");          // what the user did after typing
    QTest::addColumn<QList<int>>("answers");      // Dialogs::Answer, in order
    QTest::addColumn<bool>("asked");
    QTest::addColumn<bool>("closed");
    using A = Dialogs::Answer;
    QTest::newRow("typed, don't save") << "" << QList<int>{int(A::Discard)} << true << true;
    QTest::newRow("typed, cancel") << "" << QList<int>{int(A::Cancel)} << true << false;
    QTest::newRow("typed, save as cancelled") << "" << QList<int>{int(A::Save)} << true << false;
    QTest::newRow("typed, saved on closing") << "save-name" << QList<int>{int(A::Save)} << true << true;
    QTest::newRow("saved") << "save" << QList<int>{} << false << true;
    QTest::newRow("cleared") << "clear" << QList<int>{} << false << true;
    QTest::newRow("opened") << "open" << QList<int>{} << false << true;
    QTest::newRow("saved, then typed") << "save-type" << QList<int>{int(A::Cancel)} << true << false;
    QTest::newRow("language switched") << "language" << QList<int>{int(A::Cancel)} << true << false;
}

void TestModule1::closingAChangedCaseAsks()
{
    QFETCH(QString, before);
    QFETCH(QList<int>, answers);
    QFETCH(bool, asked);
    QFETCH(bool, closed);
    QTemporaryDir files;
    QVERIFY(files.isValid());
    const QString casePath = files.filePath(QStringLiteral("typed.WAU"));

    StartupResult started = startWithTypedCase();
    QVERIFY(started.goesOn());
    frmCalcRetorno &window = started.program->window();
    FileCommands &commands = started.program->fileCommands();
    QVERIFY(commands.caseChanged());
    if (before.startsWith(QLatin1String("save"))) {
        m_dialogs.fileNames.enqueue(casePath);
        if (before != QLatin1String("save-name"))
            QVERIFY(commands.lblSalvarComo_Click());
    }
    if (before == QLatin1String("save-type"))
        window.field(u"mskInversor")->setRawText(QStringLiteral("2000"));
    if (before == QLatin1String("clear"))
        commands.lblNovo_Click();
    if (before == QLatin1String("open")) {
        m_dialogs.fileNames.enqueue(QStringLiteral(TESSIO_TEST_DATA "/case_hp.wau"));
        commands.lblAbrir_Click();
    }
    if (before == QLatin1String("language")) // not a change of the case: still the typed one
        window.cboIdioma()->setCurrentIndex((window.cboIdioma()->currentIndex() + 1) % 3);
    m_dialogs.clear();
    for (int answer : answers)
        m_dialogs.answers.enqueue(Dialogs::Answer(answer));

    const bool hadFile = !commands.NomeArq().isEmpty();
    window.close();
    const auto questions = std::count_if(m_dialogs.messages.cbegin(), m_dialogs.messages.cend(), [](const auto &m) {
        return m.buttons == Dialogs::Buttons::SaveDiscardCancel;
    });
    QCOMPARE(questions, asked ? 1 : 0);
    QCOMPARE(window.isVisible(), !closed);
    if (asked) {
        // In the user's language, naming the file when there is one.
        const auto &question = m_dialogs.messages.first();
        QCOMPARE(question.icon, Dialogs::Icon::Question);
        QVERIFY(question.text.startsWith(window.text(FileCommands::CloseQuestionText)));
        QCOMPARE(question.text.contains(QDir::toNativeSeparators(casePath)), hadFile);
        QCOMPARE(question.buttonTexts, QStringList({window.text(267), window.text(268), window.text(269)}));
        for (const QString &caption : question.buttonTexts)
            QVERIFY(!caption.isEmpty());
    }
    if (before == QLatin1String("save-name"))
        QVERIFY(QFile::exists(casePath));
    if (!closed)
        window.hide(); // the next test starts its own copy
}

void TestModule1::newAndOpenAskBeforeAChangedCaseGoes_data()
{
    QTest::addColumn<QKeySequence::StandardKey>("key");
    QTest::addColumn<int>("answer");
    QTest::addColumn<int>("question");
    using A = Dialogs::Answer;
    QTest::newRow("Ctrl+N, cancel") << QKeySequence::New << int(A::Cancel) << FileCommands::ClearQuestionText;
    QTest::newRow("Ctrl+N, don't save") << QKeySequence::New << int(A::Discard) << FileCommands::ClearQuestionText;
    QTest::newRow("Ctrl+O, cancel") << QKeySequence::Open << int(A::Cancel) << FileCommands::ReplaceCaseQuestionText;
    QTest::newRow("Ctrl+O, don't save") << QKeySequence::Open << int(A::Discard) << FileCommands::ReplaceCaseQuestionText;
}

void TestModule1::newAndOpenAskBeforeAChangedCaseGoes()
{
    QFETCH(QKeySequence::StandardKey, key);
    QFETCH(int, answer);
    QFETCH(int, question);
    StartupResult started = startWithTypedCase();
    QVERIFY(started.goesOn());
    frmCalcRetorno &window = started.program->window();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    m_dialogs.answers.enqueue(Dialogs::Answer(answer));
    m_dialogs.fileNames.enqueue(QStringLiteral(TESSIO_TEST_DATA "/case_hp.wau"));

    QTest::keySequence(&window, key);
    QVERIFY(!m_dialogs.messages.isEmpty()); // the question, and whatever the opened case says after it
    QCOMPARE(m_dialogs.messages.first().buttons, Dialogs::Buttons::SaveDiscardCancel);
    QVERIFY(m_dialogs.messages.first().text.startsWith(window.text(question)));
    QVERIFY(!window.text(question).isEmpty());
    const bool cancelled = answer == int(Dialogs::Answer::Cancel);
    // Cancel leaves the typed case (and Open shows no dialog); otherwise the command goes on.
    QCOMPARE(window.field(u"mskPotencia")->rawText() == QStringLiteral("10"), cancelled);
    QCOMPARE(m_dialogs.fileRequests.size(), !cancelled && key == QKeySequence::Open ? 1 : 0);
    QCOMPARE(started.program->fileCommands().caseChanged(), cancelled);
    window.hide(); // the next test starts its own copy
}

void TestModule1::closingWithAnUnsavedPlantAsks_data()
{
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("closed");
    QTest::addColumn<bool>("saved");
    QTest::newRow("save the plant") << int(Dialogs::Answer::Save) << true << true;
    QTest::newRow("don't save the plant") << int(Dialogs::Answer::Discard) << true << false;
    QTest::newRow("cancel") << int(Dialogs::Answer::Cancel) << false << false;
}

void TestModule1::closingWithAnUnsavedPlantAsks()
{
    QFETCH(int, answer);
    QFETCH(bool, closed);
    QFETCH(bool, saved);
    QTemporaryDir files;
    QVERIFY(files.isValid());
    StartupResult started = startWithTypedCase();
    QVERIFY(started.goesOn());
    frmCalcRetorno &window = started.program->window();
    window.applyCaseRecord(SampleCases::workedExample(), true); // a case the plant takes
    m_dialogs.fileNames.enqueue(files.filePath(QStringLiteral("typed.WAU")));
    QVERIFY(started.program->fileCommands().lblSalvarComo_Click()); // the case asks nothing
    started.program->handle(frmCalcRetorno::Command::PlantSummary);
    frmPlantSummary *plant = started.program->plantWindow();
    QVERIFY(plant);
    plant->addCurrentCase();
    plant->hide(); // closing the plant window keeps its plant
    QVERIFY(plant->document().isModified());
    m_dialogs.clear();
    m_dialogs.answers.enqueue(Dialogs::Answer(answer));
    const QString plantFile = files.filePath(QStringLiteral("plant.csv"));
    m_dialogs.fileNames.enqueue(plantFile);

    window.close();
    QCOMPARE(m_dialogs.messages.size(), 1);
    const FakeDialogs::Message &question = m_dialogs.messages.first();
    QCOMPARE(question.buttons, Dialogs::Buttons::SaveDiscardCancel);
    QVERIFY(question.text.startsWith(window.text(PlantWindowText::SaveQuestion)));
    QCOMPARE(question.buttonTexts, (QStringList{window.text(FileCommands::SaveButtonText), window.text(FileCommands::DiscardButtonText),
                                                window.text(FileCommands::CancelButtonText)}));
    QCOMPARE(window.isVisible(), !closed);
    QCOMPARE(QFile::exists(plantFile), saved);
    QVERIFY(plant->isVisible() || closed); // shown with its question
    if (!closed)
        window.hide();
}

void TestModule1::thePlantWindowFollowsTheMainWindow_data()
{
    QTest::addColumn<QString>("selector"); // the main window's selector the user changes
    QTest::newRow("language") << QStringLiteral("cboIdioma");
    QTest::newRow("currency") << QStringLiteral("cboMoedas");
}

void TestModule1::thePlantWindowFollowsTheMainWindow()
{
    QFETCH(QString, selector);
    store(RegValue::NotFirstTime, QStringLiteral("True"));
    StartupResult started = Main(services());
    QVERIFY(started.goesOn());
    frmCalcRetorno &window = started.program->window();
    started.program->handle(frmCalcRetorno::Command::PlantSummary);
    frmPlantSummary *plant = started.program->plantWindow();
    QVERIFY(plant);
    auto *caption = plant->findChild<QLabel *>(QStringLiteral("lblLifetimeSaving"));
    QVERIFY(caption);
    const QString before = caption->text();

    QComboBox *choice = selector == u"cboIdioma" ? window.cboIdioma() : window.cboMoedas();
    choice->setCurrentIndex((choice->currentIndex() + 1) % choice->count());
    const QString expected = QStringLiteral("%1 (%2)").arg(window.text(PlantText::LifetimeSaving),
                                                           window.caseRecord().cboMoedas);
    QCOMPARE(caption->text(), expected);
    QVERIFY(caption->text() != before);
}

TESSIO_TEST_MAIN(TestModule1)
#include "tst_module1.moc"
