// The price of one kWh as a user types it and reads it back: in its field once the field is left, in
// the text export and on the printed page (a real PDF read back with pdftotext).
#include "report/printcommand.h"
#include "report/printerreport.h"
#include "support/mainwindowfixture.h"
#include "support/samplecases.h"
#include "support/testdatafiles.h"
#include "support/testmain.h"

#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

class TestKwhPrice : public QObject, private MainWindowFixture
{
    Q_OBJECT
private slots:
    void initTestCase() { initFixture(); }
    void cleanup() { cleanupWindow(); }
    void priceReadsAsTyped_data();
    void priceReadsAsTyped();
};

void TestKwhPrice::priceReadsAsTyped_data()
{
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("shown");
    const QLocale en(QLocale::English, QLocale::UnitedStates);
    QTest::newRow("three decimals") << en << "0.085" << "0.085";
    QTest::newRow("a Brazilian tariff") << QLocale(QLocale::Portuguese, QLocale::Brazil) << "0,65432" << "0,65432";
    QTest::newRow("one decimal, as always") << en << "0.1" << "0.10";
}

void TestKwhPrice::priceReadsAsTyped()
{
    QFETCH(QLocale, locale);
    QFETCH(QString, typed);
    QFETCH(QString, shown);
    initWindow(locale);
    const CaseRecord withoutPrice =
        SampleCases::variant(SampleCases::workedExample(), &CaseRecord::mskValorkWh, QString());
    m_window->applyCaseRecord(withoutPrice, true);
    typeInto("mskValorkWh", typed);
    QCOMPARE(field("mskValorkWh")->displayText(), typed); // being edited: as typed
    tab();
    QCOMPARE(field("mskValorkWh")->displayText(), shown);
    QVERIFY(m_window->calculate());
    QTemporaryDir folder;
    QVERIFY(folder.isValid());

    // The export's price line ends in the price as shown.
    const QString exported = folder.filePath(QStringLiteral("case.txt"));
    m_dialogs.fileNames.enqueue(exported);
    click(TaskPane::Command::Export);
    const QList<QByteArray> lines = TestData::readBytes(exported).split('\n');
    QCOMPARE(lines.size(), 35);
    QVERIFY2(lines[18].startsWith("EN 155(US$):") && lines[18].endsWith(' ' + shown.toLatin1() + '\r'),
             lines[18].constData());

    // So does the report's price row.
    if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
        QSKIP("pdftotext (poppler-utils) is not installed");
    m_dialogs.printAnswers.enqueue(true);
    m_dialogs.printFile = folder.filePath(QStringLiteral("case.pdf"));
    std::unique_ptr<PrinterReport> report;
    QVERIFY(printCommand(m_window.get(), m_dialogs, report, m_window->caseDocument()));
    QProcess pdftotext;
    pdftotext.start(QStringLiteral("pdftotext"),
                    {QStringLiteral("-layout"), m_dialogs.printFile, QStringLiteral("-")});
    QVERIFY(pdftotext.waitForFinished(30000));
    const QString page = QString::fromUtf8(pdftotext.readAllStandardOutput());
    const QRegularExpression priceRow(QStringLiteral("EN 155 \\(US\\$\\):\\s+(\\S+)"));
    const QRegularExpressionMatch match = priceRow.match(page);
    QVERIFY2(match.hasMatch(), qPrintable(page));
    QCOMPARE(match.captured(1), shown);
}

TESSIO_TEST_MAIN(TestKwhPrice)
#include "tst_kwhprice.moc"
