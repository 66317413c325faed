// Text that is not a number in any numeric field, typed or read from a case file, then Calculate, Save,
// Export and Print: each ends in a message or a defined value, never a crash or a NaN on screen or paper.
#include "report/printcommand.h"
#include "report/printerreport.h"
#include "support/mainwindowfixture.h"
#include "support/samplecases.h"
#include "support/testdatafiles.h"
#include "support/testmain.h"

#include <QApplication>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

namespace {

const QStringList NumericFields{"mskPotencia", "mskRendimento", "mskValorkWh", "mskInversor", "mskDiaAno",
                                "mskVazao100", "mskVazao90",    "mskVazao80",  "mskVazao70",  "mskVazao60",
                                "mskVazao50"};

// What never belongs on screen or paper.
const QRegularExpression NotANumber(QStringLiteral("\\b(nan|inf|infinity)\\b"),
                                    QRegularExpression::CaseInsensitiveOption);

} // namespace

class TestBadInput : public QObject, public MainWindowFixture
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();
    void everyCommandCopes_data();
    void everyCommandCopes();
    void typedTextIsFilteredOrReported();

private:
    void validCase();
    QString results() const;

    std::unique_ptr<PrinterReport> m_report;
};

void TestBadInput::initTestCase()
{
    initFixture();
}

void TestBadInput::init()
{
    initWindow(QLocale(QLocale::English, QLocale::UnitedStates), SampleCases::company());
}

void TestBadInput::cleanup()
{
    cleanupWindow();
    m_report.reset();
}

void TestBadInput::validCase()
{
    CaseRecord r = m_window->caseRecord();
    r.mskPotencia = QStringLiteral("15");
    r.mskRendimento = QStringLiteral("90");
    r.mskValorkWh = QStringLiteral("0.10");
    r.mskInversor = QStringLiteral("2000");
    r.mskVazao90 = r.mskVazao80 = QStringLiteral("8");
    m_window->applyCaseRecord(r, true);
}

QString TestBadInput::results() const
{
    const CaseRecord r = m_window->caseRecord();
    return r.mskEconomiakW + u'|' + r.mskEconomiaReais + u'|' + r.mskRetorno;
}

void TestBadInput::everyCommandCopes_data()
{
    QTest::addColumn<QString>("fieldName");
    QTest::addColumn<QString>("text");
    const QStringList bad{QStringLiteral(","), QStringLiteral("1.2.3"), QStringLiteral("--"), QString(64, u'9')};
    for (const QString &name : NumericFields)
        for (const QString &text : bad)
            QTest::addRow("%s %s", qPrintable(name), qPrintable(text.left(8))) << name << text;
}

void TestBadInput::everyCommandCopes()
{
    QFETCH(QString, fieldName);
    QFETCH(QString, text);

    // As a case file would bring it.
    validCase();
    MaskedEdit *edit = m_window->field(fieldName);
    QVERIFY(edit);
    edit->setRawText(text);

    // Calculate: either a message, or results that are numbers or the placeholder.
    m_dialogs.clear();
    const bool computed = m_window->calculate();
    const QString shown = results();
    QVERIFY2(!shown.contains(NotANumber), qPrintable(shown));
    if (computed) {
        QVERIFY2(m_dialogs.messages.isEmpty(), qPrintable(m_dialogs.texts().join(u'|')));
        QVERIFY2(!m_window->caseRecord().mskEconomiakW.isEmpty(), qPrintable(shown));
    } else {
        QCOMPARE(m_dialogs.messages.size(), 1);
        QVERIFY(!m_dialogs.messages.first().text.isEmpty());
    }
    for (MaskedEdit *field : m_window->fields())
        QVERIFY2(!field->displayText().contains(NotANumber), qPrintable(field->objectName()));

    // Save and reopen: the text comes back as it was.
    const QString casePath = m_folder.filePath(QStringLiteral("bad.WAU"));
    QFile::remove(casePath);
    m_dialogs.fileNames.enqueue(casePath);
    m_commands->lblSalvarComo_Click();
    QVERIFY(QFile::exists(casePath));
    m_window->field(fieldName)->setRawText(QStringLiteral("1"));
    m_dialogs.clear();
    m_dialogs.fileNames.enqueue(casePath);
    m_commands->lblAbrir_Click();
    QCOMPARE(m_window->field(fieldName)->rawText(), text);

    // Export: the report is written and shows no NaN.
    const QString exportPath = m_folder.filePath(QStringLiteral("bad.TXT"));
    QFile::remove(exportPath);
    m_dialogs.fileNames.enqueue(exportPath);
    m_commands->lblExport_Click();
    const QString exported = QString::fromLatin1(TestData::readBytes(exportPath));
    QCOMPARE(exported.count(QStringLiteral("\r\n")), 34);
    QVERIFY2(!exported.contains(NotANumber), qPrintable(exported));
}

void TestBadInput::typedTextIsFilteredOrReported()
{
    validCase();
    MaskedEdit *power = m_window->field("mskPotencia");
    power->setFocus();
    QTRY_COMPARE(QApplication::focusWidget(), power);
    QTest::keyClicks(power, QStringLiteral("-1.2.3/x"));
    QCOMPARE(power->rawText(), QStringLiteral("1.2.3")); // "-", "/" and letters never arrive
    QTest::keyClick(power, Qt::Key_Tab);
    m_dialogs.clear();
    QVERIFY(!m_window->calculate());
    QCOMPARE(m_dialogs.texts(), QStringList{QStringLiteral("EN 59")});

    // The report prints what the fields hold, without a NaN.
    m_dialogs.printAnswers.enqueue(true);
    m_dialogs.printFile = m_folder.filePath(QStringLiteral("bad.pdf"));
    ReportInput input = m_window->caseDocument();
    input.date = QDate(2026, 1, 2);
    QVERIFY(printCommand(m_window.get(), m_dialogs, m_report, input));
    if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
        QSKIP("pdftotext (poppler-utils) is not installed");
    QProcess pdftotext;
    pdftotext.start(QStringLiteral("pdftotext"), {m_dialogs.printFile, QStringLiteral("-")});
    QVERIFY(pdftotext.waitForFinished(30000));
    const QString paper = QString::fromUtf8(pdftotext.readAllStandardOutput());
    QVERIFY2(paper.contains(QStringLiteral("1.2.3")), qPrintable(paper));
    QVERIFY2(!paper.contains(NotANumber), qPrintable(paper));
}

TESSIO_TEST_MAIN(TestBadInput)
#include "tst_badinput.moc"
