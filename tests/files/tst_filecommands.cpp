#include "files/casefile.h"
#include "files/codepage.h"
#include "files/export.h"
#include "localisation/scrambledfile.h"
#include "platform/commandlabel.h"
#include "settings/regkeys.h"
#include "support/fakecaseview.h"
#include "support/mainwindowfixture.h"
#include "support/samplecases.h"
#include "support/testdatafiles.h"
#include "support/testmain.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <memory>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

using Command = FileCommands::Command;

namespace {

using TestData::readBytes;

bool isWhite(const QLabel *label)
{
    return label->autoFillBackground() && label->palette().color(QPalette::Window) == QColor(Qt::white);
}

const QStringList InputFields{"mskPotencia", "mskRendimento", "mskValorkWh", "mskInversor", "mskDiaAno",
                              "mskVazao100", "mskVazao90",    "mskVazao80",  "mskVazao70",  "mskVazao60",
                              "mskVazao50",  "mskReferencia"};

// A complete case that calculates, with a reference that exercises the code page.
CaseRecord validCase(const QLocale &locale)
{
    CaseRecord r;
    r.cboAplicacao = 2;
    r.optUnPotencia = UnitHp;
    r.mskPotencia = locale.toString(1234.5, 'f', 1);
    r.mskRendimento = QStringLiteral("95");
    r.mskValorkWh = locale.toString(0.12, 'f', 2);
    r.mskInversor = locale.toString(25000.75, 'f', 2);
    r.mskDiaAno = QStringLiteral("300");
    r.mskVazao100 = QStringLiteral("2");
    r.mskVazao90 = QStringLiteral("4");
    r.mskVazao80 = QStringLiteral("6");
    r.mskVazao70 = QStringLiteral("6");
    r.mskVazao60 = QStringLiteral("4");
    r.mskVazao50 = QStringLiteral("2");
    r.mskReferencia = QStringLiteral("Bomba nº 3 – São Paulo, 'B'");
    return r;
}

// The company of the exported cases; its kWh price is not the calculator's own default.
CompanyBlock company()
{
    CompanyBlock company = SampleCases::company();
    company.DefaultKwhPrice = 0.08;
    return company;
}

} // namespace

// The command logic runs on a FakeCaseView; a few round trips go through the real window.
class TestFileCommands : public QObject, public MainWindowFixture
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();

    // Through the real window.
    void saveAndReopenGiveTheSameCase_data();
    void saveAndReopenGiveTheSameCase();
    void saveGoesToSaveAsThenAsksBeforeReplacing();
    void openOfEmptyFile();
    void openStopsAtUnreadableField();

    // Through the fake view.
    void cancelledDialogsChangeNothing();
    void openPutsWhatWasRead_data();
    void openPutsWhatWasRead();
    void openOfMissingFile();
    void openOfACaseWrittenWithDecimalCommas();
    void failedWritesKeepTheCurrentFile();
    void newForgetsTheFileAndStartsFromTheStoredCurrency();
    void putNewCaseHasNoFile();
    void replacingAChangedCaseAsksFirst_data();
    void replacingAChangedCaseAsksFirst();
    void exportWritesTheReport();
    void otherCommandsAreIgnored();
    void dialogsStartWhereTheUserCanWrite_data();
    void dialogsStartWhereTheUserCanWrite();
    void canWriteInTriesTheFolder();
    void filtersMatchEitherLetterCase();
    void dialogsAreTitledWithTheirCommand(); // through the real window

private:
    void makeWindow(const QLocale &locale) { initWindow(locale, company()); }
    CaseRecord validCase() const { return ::validCase(m_window->locale()); }
    // Puts record into the window as a load does (it then counts as unchanged), with the focus in the
    // reference field as a user who has just typed it, and calculates.
    void useCase(const CaseRecord &record);
    QString path(const QString &name) const { return m_files.filePath(name); }

    std::unique_ptr<QTemporaryDir> m_filesDir;
    QDir m_files;
    FakeCaseView m_view; // m_commands work on it until makeWindow puts them on the window
};

void TestFileCommands::initTestCase()
{
    initFixture();
}

void TestFileCommands::init()
{
    m_settings = std::make_unique<SettingsFolder>();
    QVERIFY(m_settings->isValid());
    m_filesDir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_filesDir->isValid());
    m_files = QDir(m_filesDir->path());
    m_watchdog = std::make_unique<ModalWatchdog>();
    m_dialogs = FakeDialogs();
    m_company = company();
    m_view = FakeCaseView();
    m_view.company = m_company;
    m_view.record = ::validCase(QLocale(QLocale::English, QLocale::UnitedStates));
    m_commands = std::make_unique<FileCommands>(m_view, m_dialogs, m_company, m_folder.path());
    m_commands->keepCase(); // as start-up leaves it: nothing typed yet
}

void TestFileCommands::cleanup()
{
    cleanupWindow();
}

void TestFileCommands::useCase(const CaseRecord &record)
{
    focus(field("mskReferencia"));
    m_window->applyCaseRecord(record, true);
    QVERIFY(m_window->calculate());
    m_commands->keepCase();
}

void TestFileCommands::saveAndReopenGiveTheSameCase_data()
{
    QTest::addColumn<QLocale>("locale");
    QTest::newRow("en_US") << QLocale(QLocale::English, QLocale::UnitedStates);
    QTest::newRow("pt_BR") << QLocale(QLocale::Portuguese, QLocale::Brazil);
}

void TestFileCommands::saveAndReopenGiveTheSameCase()
{
    QFETCH(QLocale, locale);
    makeWindow(locale);
    const CaseRecord saved = validCase();
    useCase(saved);
    const CaseRecord calculated = m_window->caseRecord();

    m_dialogs.fileNames.enqueue(path("case.WAU"));
    click(Command::SaveAs);
    QCOMPARE(m_commands->NomeArq(), path("case.WAU"));
    QCOMPARE(m_dialogs.fileRequests.size(), 1);
    QVERIFY(m_dialogs.fileRequests[0].save);
    QCOMPARE(m_dialogs.fileRequests[0].folder, m_folder.path());
    QCOMPARE(m_dialogs.fileRequests[0].filter, FileCommands::CaseFileFilter);

    // Something else in the window, not kept, then the saved case back.
    m_window->applyCaseRecord(CaseRecord(), true);
    m_window->emptyResults();
    m_dialogs.answers.enqueue(Dialogs::Answer::Discard);
    m_dialogs.fileNames.enqueue(path("case.WAU"));
    click(Command::Open);
    QCOMPARE(m_dialogs.messages.size(), 1);
    QCOMPARE(m_dialogs.messages.first().buttons, Dialogs::Buttons::SaveDiscardCancel);
    QCOMPARE(m_dialogs.fileRequests.size(), 2);
    QVERIFY(!m_dialogs.fileRequests[1].save);
    QCOMPARE(m_dialogs.fileRequests[1].folder, m_folder.path());
    QCOMPARE(m_dialogs.fileRequests[1].filter, FileCommands::CaseFileFilter);

    const CaseRecord loaded = m_window->caseRecord();
    for (const QString &name : InputFields)
        QCOMPARE(field(name)->rawText(), field(name)->tag());
    // The inputs as saved, calculated again on Open.
    CaseRecord inputs = loaded;
    inputs.clearResults();
    QCOMPARE(inputs, SampleCases::variant(saved, &CaseRecord::cboMoedas, loaded.cboMoedas));
    QVERIFY(!loaded.mskEconomiakW.isEmpty());
    QCOMPARE(loaded, calculated);
    QCOMPARE(m_commands->NomeArq(), path("case.WAU"));
    QVERIFY(isWhite(m_window->commandLabel(Command::Open)));
    QVERIFY(isWhite(m_window->commandLabel(Command::Save)));
}

void TestFileCommands::saveGoesToSaveAsThenAsksBeforeReplacing()
{
    makeWindow(QLocale(QLocale::English, QLocale::UnitedStates));
    QLabel *save = m_window->commandLabel(Command::Save);
    QVERIFY(!isWhite(save));
    CaseRecord r = validCase();
    r.mskReferencia = QStringLiteral("first");
    m_window->applyCaseRecord(r, true);

    // No current file: Save is Save As, which asks nothing itself.
    const QString file = path("a.wau");
    m_dialogs.fileNames.enqueue(file);
    click(Command::Save);
    QCOMPARE(m_dialogs.fileRequests.size(), 1);
    QVERIFY(m_dialogs.fileRequests[0].save);
    QVERIFY(m_dialogs.messages.isEmpty());
    QCOMPARE(m_commands->NomeArq(), file);
    QVERIFY(readBytes(file).contains("\"first\""));
    QVERIFY(isWhite(save));

    // The file exists now: Save asks, Yes replaces it, no dialog is shown.
    field("mskReferencia")->setRawText(QStringLiteral("second"));
    m_dialogs.answers.enqueue(Dialogs::Answer::Yes);
    click(Command::Save);
    QCOMPARE(m_dialogs.fileRequests.size(), 1);
    QCOMPARE(m_dialogs.messages.size(), 1);
    QCOMPARE(m_dialogs.messages[0].icon, Dialogs::Icon::Question);
    QCOMPARE(m_dialogs.messages[0].buttons, Dialogs::Buttons::YesNo);
    QCOMPARE(m_dialogs.messages[0].text, QStringLiteral("EN 76\rEN 77"));
    const QByteArray second = readBytes(file);
    QVERIFY(second.contains("\"second\""));
    QVERIFY(!second.contains("first"));

    // No leaves the file as it was.
    field("mskReferencia")->setRawText(QStringLiteral("third"));
    m_dialogs.answers.enqueue(Dialogs::Answer::No);
    click(Command::Save);
    QCOMPARE(m_dialogs.messages.size(), 2);
    QCOMPARE(readBytes(file), second);
    QCOMPARE(m_commands->NomeArq(), file);
    QCOMPARE(m_files.entryList(QDir::Files), QStringList{"a.wau"});
}

void TestFileCommands::openOfEmptyFile()
{
    makeWindow(QLocale(QLocale::English, QLocale::UnitedStates));
    CaseRecord r = validCase();
    r.cboAplicacao = 3;
    r.optUnPotencia = UnitKw;
    useCase(r);
    QVERIFY(TestData::writeBytes(path("empty.wau"), QByteArray()));
    m_dialogs.fileNames.enqueue(path("empty.wau"));
    click(Command::Open);
    for (const QString &name : InputFields) {
        QVERIFY2(field(name)->rawText().isEmpty(), qPrintable(name));
        QVERIFY2(field(name)->tag().isEmpty(), qPrintable(name));
    }
    for (const char *result : {"mskEconomiakW", "mskEconomiaReais", "mskRetorno"})
        QVERIFY2(field(result)->rawText().isEmpty(), result);
    QCOMPARE(m_window->cboAplicacao()->currentIndex(), 0);
    QVERIFY(m_window->findChild<QRadioButton *>(QStringLiteral("optUnPotencia_1"))->isChecked());
    QVERIFY(!m_window->findChild<QRadioButton *>(QStringLiteral("optUnPotencia_0"))->isChecked());
    // No error of its own: only Calculate's first failed check.
    QCOMPARE(m_dialogs.texts(), QStringList{"EN 53"});
    QCOMPARE(m_dialogs.messages[0].icon, Dialogs::Icon::Information);
    QCOMPARE(m_commands->NomeArq(), path("empty.wau"));
}

void TestFileCommands::openStopsAtUnreadableField()
{
    makeWindow(QLocale(QLocale::English, QLocale::UnitedStates));
    const CaseRecord before = validCase();
    useCase(before);

    // Field 1 unreadable: nothing is read.
    QVERIFY(TestData::writeBytes(path("bad1.wau"), "x,\"ref\",\"365\"\r\n"));
    m_dialogs.fileNames.enqueue(path("bad1.wau"));
    click(Command::Open);
    QCOMPARE(m_dialogs.texts(), QStringList{"EN 52"});
    QCOMPARE(m_dialogs.messages[0].icon, Dialogs::Icon::Critical);
    QCOMPARE(field("mskReferencia")->rawText(), before.mskReferencia);
    QCOMPARE(m_window->cboAplicacao()->currentIndex(), before.cboAplicacao);
    QVERIFY(!field("mskEconomiakW")->rawText().isEmpty());

    // Field 11 unreadable: fields 1 to 10 are in place, 12 to 14 keep their texts, the results go
    // (they no longer belong to the inputs) and nothing is calculated.
    m_dialogs.clear();
    QVERIFY(TestData::writeBytes(path("bad11.wau"),
               "1,\"new ref\",\"200\",\"1\",\"2\",\"3\",\"4\",\"5\",\"6\",\"7.5\",#MAYBE#,\"0.30\",\"999\",\"80\"\r\n"));
    m_dialogs.fileNames.enqueue(path("bad11.wau"));
    click(Command::Open);
    QCOMPARE(m_dialogs.texts(), QStringList{"EN 52"});
    QCOMPARE(m_window->cboAplicacao()->currentIndex(), 1);
    QCOMPARE(field("mskReferencia")->rawText(), QStringLiteral("new ref"));
    QCOMPARE(field("mskDiaAno")->rawText(), QStringLiteral("200"));
    QCOMPARE(field("mskVazao50")->rawText(), QStringLiteral("6"));
    QCOMPARE(field("mskPotencia")->rawText(), QStringLiteral("7.5"));
    QCOMPARE(field("mskValorkWh")->rawText(), before.mskValorkWh);
    QCOMPARE(field("mskInversor")->rawText(), before.mskInversor);
    QCOMPARE(field("mskRendimento")->rawText(), before.mskRendimento);
    QVERIFY(m_window->findChild<QRadioButton *>(QStringLiteral("optUnPotencia_1"))->isChecked());
    QVERIFY(field("mskEconomiakW")->rawText().isEmpty());
    QVERIFY(field("mskRetorno")->rawText().isEmpty());
    QCOMPARE(m_commands->NomeArq(), path("bad11.wau"));
}

void TestFileCommands::cancelledDialogsChangeNothing()
{
    QVERIFY(m_files.mkdir(QStringLiteral("cases")));
    const QString file = path("cases/current.wau");
    m_dialogs.fileNames.enqueue(file);
    m_commands->lblSalvarComo_Click();
    QCOMPARE(m_commands->NomeArq(), file);
    const QByteArray bytes = readBytes(file);
    QVERIFY(!bytes.isEmpty());
    const CaseRecord before = m_view.record;
    m_dialogs.clear();
    m_view.calls.clear();

    // No file names queued: every dialog is cancelled.
    for (const Command command : {Command::Open, Command::SaveAs, Command::Export})
        m_commands->handle(command);
    QCOMPARE(m_view.calls, (QStringList{"leaveField", "ended Open", "ended SaveAs", "ended Export"}));
    QVERIFY(m_view.record == before);
    QCOMPARE(m_commands->NomeArq(), file);
    QVERIFY(m_dialogs.messages.isEmpty());
    QCOMPARE(m_dialogs.fileRequests.size(), 3);
    // Open starts in the program folder, Save As and Export in the folder of the current file.
    QCOMPARE(m_dialogs.fileRequests[0].folder, m_folder.path());
    QCOMPARE(m_dialogs.fileRequests[1].folder, path("cases"));
    QCOMPARE(m_dialogs.fileRequests[2].folder, path("cases"));
    QCOMPARE(m_dialogs.fileRequests[2].filter, FileCommands::ExportFileFilter);
    QCOMPARE(m_files.entryList(QDir::Files), QStringList());
    QCOMPARE(QDir(path("cases")).entryList(QDir::Files), QStringList{"current.wau"});
    QCOMPARE(readBytes(file), bytes);

    // Save still targets the current file.
    m_view.record.mskReferencia = QStringLiteral("after the cancels");
    m_commands->lblSalvar_Click();
    QCOMPARE(m_dialogs.fileRequests.size(), 3);
    QCOMPARE(m_dialogs.texts(), QStringList{"EN 76\rEN 77"});
    QVERIFY(readBytes(file).contains("\"after the cancels\""));
}

void TestFileCommands::openPutsWhatWasRead_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QStringList>("calls");    // after leaveField
    QTest::addColumn<QStringList>("messages");
    QTest::addColumn<QString>("reference");    // mskReferencia afterwards ("" keeps the case's own)
    const QByteArray fields10 = "1,\"new ref\",\"200\",\"1\",\"2\",\"3\",\"4\",\"5\",\"6\",\"7.5\",";
    QTest::newRow("whole file") << fields10 + "#TRUE#,\"0.30\",\"999\",\"80\"\r\n"
                                << QStringList{"putCase", "calculate", "ended Open"} << QStringList() << "new ref";
    // Field 11 unreadable: what was read is put in place, nothing is calculated.
    QTest::newRow("field 11 unreadable") << fields10 + "#MAYBE#,\"0.30\",\"999\",\"80\"\r\n"
                                         << QStringList{"putCase", "ended Open"} << QStringList{"EN 52"} << "new ref";
    // Field 1 unreadable: nothing is read.
    QTest::newRow("field 1 unreadable") << QByteArray("x,\"ref\",\"365\"\r\n") << QStringList{"ended Open"}
                                        << QStringList{"EN 52"} << "";
}

void TestFileCommands::openPutsWhatWasRead()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, calls);
    QFETCH(QStringList, messages);
    QFETCH(QString, reference);
    const CaseRecord before = m_view.record;
    QVERIFY(TestData::writeBytes(path("case.wau"), bytes));
    m_dialogs.fileNames.enqueue(path("case.wau"));
    m_commands->handle(Command::Open);

    // The field being left runs its leaving rule before the dialog.
    QCOMPARE(m_view.calls, QStringList{"leaveField"} + calls);
    QCOMPARE(m_dialogs.texts(), messages);
    for (const FakeDialogs::Message &message : std::as_const(m_dialogs.messages))
        QCOMPARE(message.icon, Dialogs::Icon::Critical);
    QCOMPARE(m_view.record.mskReferencia, reference.isEmpty() ? before.mskReferencia : reference);
    QCOMPARE(m_view.record.cboMoedas, before.cboMoedas);
    QCOMPARE(m_commands->NomeArq(), path("case.wau"));
}

void TestFileCommands::openOfMissingFile()
{
    const CaseRecord before = m_view.record;
    const QString missing = path("missing.wau");
    m_dialogs.fileNames.enqueue(missing);
    m_commands->handle(Command::Open);
    QCOMPARE(m_dialogs.messages.size(), 1);
    QCOMPARE(m_dialogs.messages[0].icon, Dialogs::Icon::Critical);
    QCOMPARE(m_dialogs.messages[0].text, QStringLiteral("EN 52"));
    QCOMPARE(m_commands->NomeArq(), missing);
    QCOMPARE(m_view.calls, (QStringList{"leaveField", "ended Open"}));
    QVERIFY(m_view.record == before);

    // The typed path is the current file: Save creates it without asking.
    m_dialogs.clear();
    m_commands->handle(Command::Save);
    QVERIFY(m_dialogs.messages.isEmpty());
    QVERIFY(m_dialogs.fileRequests.isEmpty());
    QVERIFY(readBytes(missing).startsWith("2,\""));
}

void TestFileCommands::openOfACaseWrittenWithDecimalCommas()
{
    QVERIFY(TestData::writeBytes(path("case.wau"), "1,\"ref\",\"200\",\"1\",\"2\",\"3\",\"4\",\"5\",\"6\",\"7,5\",#TRUE#,"
                                                   "\"0,30\",\"999\",\"80\"\r\n"));
    m_dialogs.fileNames.enqueue(path("case.wau"));
    m_commands->handle(Command::Open);
    // The view reads decimal points: the message says why the case cannot be calculated here.
    QCOMPARE(m_view.calls, (QStringList{"leaveField", "putCase", "ended Open"}));
    QCOMPARE(m_dialogs.texts(), QStringList{"EN 291"});
    QCOMPARE(m_dialogs.messages[0].icon, Dialogs::Icon::Information);
    QCOMPARE(m_view.record.mskValorkWh, QStringLiteral("0,30")); // as read: nothing is converted
    QVERIFY(!m_commands->caseChanged());
}

void TestFileCommands::failedWritesKeepTheCurrentFile()
{
    // Tests may run as root, who may write anywhere: a path below a regular file cannot be created.
    QVERIFY(TestData::writeBytes(path("plain"), "not a folder"));
    const QString impossible = path("plain/case.wau");

    const QString current = path("current.wau");
    m_dialogs.fileNames.enqueue(current);
    m_commands->handle(Command::SaveAs);
    const QByteArray bytes = readBytes(current);
    QVERIFY(!bytes.isEmpty());

    // Save As: text 79, the current file and its name stay.
    m_view.record.mskReferencia = QStringLiteral("changed");
    m_view.calls.clear();
    m_dialogs.fileNames.enqueue(impossible);
    m_commands->handle(Command::SaveAs);
    QCOMPARE(m_dialogs.texts(), QStringList{"EN 79"});
    QCOMPARE(m_dialogs.messages[0].icon, Dialogs::Icon::Critical);
    QCOMPARE(m_commands->NomeArq(), current);
    QCOMPARE(readBytes(current), bytes);
    QCOMPARE(m_view.calls, QStringList{"ended SaveAs"});

    // Save to an impossible current file (opened by name, so missing): text 78, nothing asked. The
    // changed reference is given up first.
    m_dialogs.clear();
    m_dialogs.answers.enqueue(Dialogs::Answer::Discard);
    m_dialogs.fileNames.enqueue(impossible);
    m_commands->handle(Command::Open);
    QCOMPARE(m_dialogs.texts().size(), 2);
    QVERIFY(m_dialogs.texts().first().startsWith(QStringLiteral("EN 301\r")));
    QCOMPARE(m_dialogs.texts().last(), QStringLiteral("EN 52"));
    m_dialogs.clear();
    m_view.calls.clear();
    m_commands->handle(Command::Save);
    QCOMPARE(m_dialogs.texts(), QStringList{"EN 78"});
    QCOMPARE(m_dialogs.messages[0].icon, Dialogs::Icon::Critical);
    QCOMPARE(m_commands->NomeArq(), impossible);
    QCOMPARE(readBytes(path("plain")), QByteArray("not a folder"));
    QCOMPARE(readBytes(current), bytes);
    QCOMPARE(m_view.calls, QStringList{"ended Save"});
}

void TestFileCommands::newForgetsTheFileAndStartsFromTheStoredCurrency()
{
    m_dialogs.fileNames.enqueue(path("a.wau"));
    m_commands->handle(Command::SaveAs);
    QCOMPARE(m_commands->NomeArq(), path("a.wau"));
    m_dialogs.clear();
    m_view.calls.clear();

    // The company's kWh price and the stored currency, whether or not the view has it.
    QVERIFY(SetKeyValue(RegHive::LocalMachine, SettingsKeyPath, RegValue::cboMoeda, QStringLiteral("CAN$")));
    m_commands->handle(Command::New);
    QVERIFY(SetKeyValue(RegHive::LocalMachine, SettingsKeyPath, RegValue::cboMoeda, QStringLiteral("XYZ")));
    m_commands->handle(Command::New);
    QCOMPARE(m_view.calls, (QStringList{"startNewCase 0.08 CAN$", "startNewCase 0.08 XYZ"}));
    QVERIFY(m_commands->NomeArq().isEmpty());
    QVERIFY(m_dialogs.messages.isEmpty());

    // The next Save is a Save As again.
    m_commands->handle(Command::Save);
    QCOMPARE(m_dialogs.fileRequests.size(), 1);
    QVERIFY(m_dialogs.fileRequests[0].save);
    QCOMPARE(m_dialogs.fileRequests[0].folder, m_folder.path());
}

void TestFileCommands::putNewCaseHasNoFile()
{
    m_dialogs.fileNames.enqueue(path("a.wau"));
    m_commands->handle(Command::SaveAs);
    m_view.calls.clear();
    CaseRecord other = m_view.record;
    other.mskReferencia = QStringLiteral("from elsewhere");
    m_commands->putNewCase(other);
    QCOMPARE(m_view.calls, (QStringList{"putCase", "calculate"}));
    QCOMPARE(m_view.record.mskReferencia, QStringLiteral("from elsewhere"));
    QVERIFY(m_commands->NomeArq().isEmpty());
    QVERIFY(m_dialogs.messages.isEmpty());
}

void TestFileCommands::replacingAChangedCaseAsksFirst_data()
{
    QTest::addColumn<QString>("command"); // New, Open, put (putNewCase), handed (replaceWithCaseFile)
    QTest::addColumn<int>("answer");      // the answer to the question; -1: nothing changed, nothing asked
    QTest::addColumn<bool>("replaced");
    using A = Dialogs::Answer;
    for (const char *command : {"New", "Open", "put", "handed"}) {
        QTest::addRow("%s, unchanged", command) << command << -1 << true;
        QTest::addRow("%s, save", command) << command << int(A::Save) << true;
        QTest::addRow("%s, don't save", command) << command << int(A::Discard) << true;
        QTest::addRow("%s, cancel", command) << command << int(A::Cancel) << false;
    }
}

void TestFileCommands::replacingAChangedCaseAsksFirst()
{
    QFETCH(QString, command);
    QFETCH(int, answer);
    QFETCH(bool, replaced);
    CaseRecord other = m_view.record;
    other.mskReferencia = QStringLiteral("the other case");
    QVERIFY(WriteCaseFile(path("other.wau"), other));
    m_dialogs.fileNames.enqueue(path("current.wau"));
    QVERIFY(m_commands->lblSalvarComo_Click());
    if (answer >= 0)
        m_view.record.mskReferencia = QStringLiteral("typed since");
    const CaseRecord before = m_view.record;
    m_dialogs.clear();
    m_view.calls.clear();
    if (answer >= 0)
        m_dialogs.answers.enqueue(Dialogs::Answer(answer));
    m_dialogs.fileNames.enqueue(path("other.wau")); // Open's dialog, if it comes to that

    if (command == u"New")
        m_commands->lblNovo_Click();
    else if (command == u"Open")
        m_commands->lblAbrir_Click();
    else if (command == u"put")
        QCOMPARE(m_commands->putNewCase(other), replaced);
    else
        QCOMPARE(m_commands->replaceWithCaseFile(path("other.wau")), replaced);

    // Asked as closing asks, naming the file, with the question of what is about to happen.
    QList<FakeDialogs::Message> questions;
    std::copy_if(m_dialogs.messages.cbegin(), m_dialogs.messages.cend(), std::back_inserter(questions),
                 [](const FakeDialogs::Message &m) { return m.buttons == Dialogs::Buttons::SaveDiscardCancel; });
    QCOMPARE(questions.size(), answer >= 0 ? 1 : 0);
    if (answer >= 0) {
        const int question =
            command == u"New" ? FileCommands::ClearQuestionText : FileCommands::ReplaceCaseQuestionText;
        const QString file = QDir::toNativeSeparators(path("current.wau"));
        QCOMPARE(questions.first().text, QStringLiteral("EN %1\r%2\rEN 266").arg(question).arg(file));
        QCOMPARE(questions.first().buttonTexts, (QStringList{"EN 267", "EN 268", "EN 269"}));
    }
    // Save wrote the typed case before it went.
    QCOMPARE(readBytes(path("current.wau")).contains("typed since"), answer == int(Dialogs::Answer::Save));

    if (!replaced) {
        QVERIFY(m_view.record == before);
        QCOMPARE(m_commands->NomeArq(), path("current.wau"));
        QVERIFY(m_dialogs.fileRequests.isEmpty()); // Open's dialog never came
        QVERIFY(!m_view.calls.contains(QStringLiteral("putCase")));
        return;
    }
    if (command == u"New") {
        QVERIFY(m_view.calls.last().startsWith(QStringLiteral("startNewCase")));
        QVERIFY(m_commands->NomeArq().isEmpty());
    } else {
        QCOMPARE(m_view.record.mskReferencia, other.mskReferencia);
        QCOMPARE(m_commands->NomeArq(), command == u"put" ? QString() : path("other.wau"));
    }
    // What was put in place is no change of the user's: replacing it asks nothing.
    QVERIFY(!m_commands->caseChanged());
}

void TestFileCommands::exportWritesTheReport()
{
    const QString file = path("report.TXT");
    m_dialogs.fileNames.enqueue(file);
    m_commands->handle(Command::Export);
    QVERIFY2(m_dialogs.messages.isEmpty(), qPrintable(m_dialogs.texts().join(u'|')));
    QCOMPARE(m_dialogs.fileRequests.size(), 1);
    QVERIFY(m_dialogs.fileRequests[0].save);
    QCOMPARE(m_dialogs.fileRequests[0].folder, m_folder.path());
    QCOMPARE(m_dialogs.fileRequests[0].filter, FileCommands::ExportFileFilter);
    QCOMPARE(m_view.calls, QStringList{"ended Export"});

    // The view's document, as the export writes it.
    const QString text = CodePage::decode(readBytes(file));
    QVERIFY(text.endsWith(QStringLiteral("\r\n")));
    const QStringList lines = text.chopped(2).split(QStringLiteral("\r\n"));
    QCOMPARE(lines, exportLines(m_view.caseDocument()));
    QVERIFY(lines[0].startsWith(QStringLiteral("Acme Drives")));
    QCOMPARE(lines[6], QStringLiteral("Application 2"));
    QCOMPARE(lines[7], QStringLiteral("EN 134") + m_view.record.mskReferencia);
}

void TestFileCommands::otherCommandsAreIgnored()
{
    const CaseRecord before = m_view.record;
    for (const Command command : {Command::Graph, Command::Print, Command::Setup, Command::Help, Command::Models,
                                  Command::WebLink, Command::HelpDocument})
        m_commands->handle(command);
    QVERIFY(m_dialogs.fileRequests.isEmpty());
    QVERIFY(m_dialogs.messages.isEmpty());
    QVERIFY(m_view.calls.isEmpty());
    QVERIFY(m_view.record == before);
}

void TestFileCommands::dialogsStartWhereTheUserCanWrite_data()
{
    QTest::addColumn<bool>("programReadOnly");
    QTest::addColumn<QString>("currentFile");   // "", "writable" or "read-only": its folder
    QTest::addColumn<QString>("expected");    // folders of Open, Save As and Export
    QTest::newRow("writable") << false << "" << "program program program";
    QTest::newRow("read-only program") << true << "" << "documents documents documents";
    QTest::newRow("read-only program, file") << true << "writable" << "documents current current";
    QTest::newRow("file in read-only folder") << false << "read-only" << "program documents documents";
}

void TestFileCommands::dialogsStartWhereTheUserCanWrite()
{
    QFETCH(bool, programReadOnly);
    QFETCH(QString, currentFile);
    QFETCH(QString, expected);
    QTemporaryDir program;
    // The folders the user may not write in, as the judge of the commands sees them (root and Windows'
    // folder attributes would let the test write anywhere).
    QStringList readOnly;
    if (programReadOnly)
        readOnly << QDir(program.path()).absolutePath();
    const auto ownerMayWrite = [&readOnly](const QString &folder) {
        return !readOnly.contains(QDir(folder).absolutePath());
    };
    m_commands = std::make_unique<FileCommands>(m_view, m_dialogs, m_company, program.path(), nullptr,
                                                ownerMayWrite);
    if (!currentFile.isEmpty()) {
        m_dialogs.fileNames.enqueue(path("current.wau"));
        m_commands->lblSalvarComo_Click();
        QCOMPARE(m_commands->NomeArq(), path("current.wau"));
    }
    if (currentFile == u"read-only")
        readOnly << QDir(m_files.path()).absolutePath();
    m_dialogs.fileRequests.clear();

    m_commands->lblAbrir_Click();
    m_commands->lblSalvarComo_Click();
    m_commands->lblExport_Click();
    const QHash<QString, QString> folders{
        {"program", program.path()}, {"current", m_files.path()}, {"documents", documentsFolder()}};
    QStringList asked;
    for (const FakeDialogs::FileRequest &request : std::as_const(m_dialogs.fileRequests))
        asked << folders.key(request.folder, request.folder);
    QCOMPARE(asked.join(u' '), expected);
}

void TestFileCommands::canWriteInTriesTheFolder()
{
    QVERIFY(canWriteIn(m_files.path()));
    QVERIFY(m_files.isEmpty()); // the probe leaves nothing behind
    QVERIFY(TestData::writeBytes(path("plain file"), "x"));
    QVERIFY(!canWriteIn(path("plain file")));
    QVERIFY(!canWriteIn(path("missing")));
#ifdef Q_OS_UNIX
    if (geteuid() == 0)
        QSKIP("root writes into read-only folders");
    const QFileDevice::Permissions writable = QFileInfo(m_files.path()).permissions();
    QVERIFY(QFile::setPermissions(m_files.path(), QFileDevice::ReadOwner | QFileDevice::ExeOwner));
    const bool readOnlyWritable = canWriteIn(m_files.path());
    QFile::setPermissions(m_files.path(), writable);
    QVERIFY(!readOnlyWritable);
#endif
}

void TestFileCommands::filtersMatchEitherLetterCase()
{
    // As a dialog on a case-sensitive file system matches a name filter's patterns.
    const auto matches = [](const QString &filter, const QString &name) {
        const QStringList patterns = filter.section(u'(', 1).section(u')', 0, 0).split(u' ');
        return std::any_of(patterns.cbegin(), patterns.cend(), [&](const QString &pattern) {
            const QRegularExpression expression(QRegularExpression::wildcardToRegularExpression(pattern));
            return expression.match(name).hasMatch();
        });
    };
    for (const QString name : {"CASE.WAU", "case.wau"})
        QVERIFY2(matches(FileCommands::CaseFileFilter, name), qPrintable(name));
    for (const QString name : {"REPORT.TXT", "report.txt"})
        QVERIFY2(matches(FileCommands::ExportFileFilter, name), qPrintable(name));
}

void TestFileCommands::dialogsAreTitledWithTheirCommand()
{
    makeWindow(QLocale(QLocale::English, QLocale::UnitedStates));
    // Text N of the test's table reads "<language> N": the title follows the language picked.
    const QStringList languages{QStringLiteral("PT"), QStringLiteral("ES"), QStringLiteral("EN")};
    for (int language = 0; language < languages.size(); ++language) {
        m_window->cboIdioma()->setCurrentIndex(language);
        m_dialogs.clear();
        click(Command::Open);
        click(Command::SaveAs);
        click(Command::Export);
        QStringList titles;
        for (const auto &request : std::as_const(m_dialogs.fileRequests))
            titles.append(request.title);
        const QString tag = languages[language];
        QCOMPARE(titles, QStringList({tag + QLatin1String(" 6"), tag + QLatin1String(" 8"), tag + QLatin1String(" 9")}));
    }
}

TESSIO_TEST_MAIN(TestFileCommands)
#include "tst_filecommands.moc"
