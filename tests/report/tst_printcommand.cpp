// The Print command end to end: the print dialog, a real PDF written through QPrinter and read back
// with pdftotext, cancelling, an output that cannot be written and a machine without printers; the
// print job's name and what the real print dialog offers.
#include "plant/plantprint.h"
#include "plant/plantreport.h"
#include "platform/qtdialogs.h"
#include "report/printcommand.h"
#include "report/printerreport.h"
#include "support/fakedialogs.h"
#include "support/modalwatchdog.h"
#include "support/testmain.h"

#include <QDir>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

namespace {

ReportInput sampleInput()
{
    ReportInput input;
    CaseRecord &r = input.record;
    r.mskPotencia = QStringLiteral("75");
    r.mskRendimento = QStringLiteral("92");
    r.mskValorkWh = QStringLiteral("0.1");
    r.mskInversor = QStringLiteral("12500");
    r.mskVazao90 = QStringLiteral("8");
    r.mskEconomiakW = QStringLiteral("12345.6");
    r.mskEconomiaReais = QStringLiteral("1234.56");
    r.mskRetorno = QStringLiteral("7.4");
    r.mskReferencia = QStringLiteral("Line3");
    input.applicationText = QStringLiteral("Centrifugal pump with valve");
    input.company.CompanyName = QStringLiteral("Northwind Drives");
    input.company.Street = QStringLiteral("12 Mill Road");
    input.company.CityLine = QStringLiteral("Springfield");
    input.text = [](int n) {
        switch (n) {
        case 131: return QStringLiteral("Energy Saving Report");
        case 158: return QStringLiteral("Annual saving (kWh):");
        default: return QStringLiteral("t%1").arg(n);
        }
    };
    input.locale = QLocale(QLocale::English, QLocale::UnitedStates);
    input.date = QDate(2024, 3, 7);
    return input;
}

QString run(const QString &program, const QStringList &arguments)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(30000) || process.exitCode() != 0)
        return QString();
    return QString::fromUtf8(process.readAllStandardOutput());
}

// Remembers the name the print job carries when the dialog is shown.
class JobNameDialogs : public FakeDialogs
{
public:
    bool choosePrinter(QWidget *parent, QPrinter &printer) override
    {
        jobNames.append(printer.docName());
        return FakeDialogs::choosePrinter(parent, printer);
    }
    QStringList jobNames;
};

} // namespace

class TestPrintCommand : public QObject
{
    Q_OBJECT
private slots:
    void printsAPdfThatReadsBack();
    void cancelPrintsNothing();
    void unwritableOutputEndsAfterOneRetry();
    void noPrinterSaysSoAndPrintsNothing();
    void qtDialogOffersAFileOffWindows();
    void jobIsNamedAfterTheCase_data();
    void jobIsNamedAfterTheCase();
    void printDialogOffersNoPageRange();
};

void TestPrintCommand::printsAPdfThatReadsBack()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    FakeDialogs dialogs;
    dialogs.printAnswers.enqueue(true);
    dialogs.printAnswers.enqueue(true);
    dialogs.printFile = dir.filePath(QStringLiteral("report.pdf"));
    std::unique_ptr<PrinterReport> report;
    const ReportInput input = sampleInput();

    QVERIFY(printCommand(nullptr, dialogs, report, input));
    QVERIFY(report);
    QVERIFY(dialogs.messages.isEmpty());
    QFile pdf(dialogs.printFile);
    QVERIFY(pdf.open(QIODevice::ReadOnly));
    QCOMPARE(pdf.read(5), QByteArray("%PDF-"));

    // Reading the page back needs pdftotext, which Windows has not.
    if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
        QSKIP("pdftotext (poppler-utils) is not installed");
    const QString text = run(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), dialogs.printFile, QStringLiteral("-")});
    QVERIFY2(text.contains(u"Energy Saving Report"), qPrintable(text));
    QVERIFY(text.contains(u"Northwind Drives"));
    QVERIFY(text.contains(u"Centrifugal pump with valve"));
    QVERIFY(text.contains(u"03/07/2024"));
    QVERIFY(text.contains(QRegularExpression(QStringLiteral("Annual saving \\(kWh\\):\\s+12,346\\.00"))));
    QVERIFY(text.contains(u"1,234.56"));
    QVERIFY(text.contains(u"12,500.00"));
    QCOMPARE(text.count(u'\f'), 1); // one page

    // The company name sits at 65, 0 points from the margins of the printable area.
    QPrinter reference;
    reference.setOutputFormat(QPrinter::PdfFormat);
    const QRectF paintRect = reference.pageLayout().paintRectPoints();
    const QString boxes = run(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), dialogs.printFile, QStringLiteral("-")});
    const auto match = QRegularExpression(QStringLiteral("<word xMin=\"([\\d.]+)\" yMin=\"([\\d.]+)\"[^>]*>Northwind</word>"))
                           .match(boxes);
    QVERIFY2(match.hasMatch(), qPrintable(boxes.left(2000)));
    QVERIFY(qAbs(match.captured(1).toDouble() - (paintRect.left() + 28 + 65)) < 1.5);
    QVERIFY(qAbs(match.captured(2).toDouble() - (paintRect.top() + 31 + 0)) < 1.5);

    // A second print reuses the report writer and writes the same page again.
    PrinterReport *first = report.get();
    QVERIFY(QFile::remove(dialogs.printFile));
    QVERIFY(printCommand(nullptr, dialogs, report, input));
    QCOMPARE(report.get(), first);
    QCOMPARE(run(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), dialogs.printFile, QStringLiteral("-")}), text);
}

void TestPrintCommand::cancelPrintsNothing()
{
    QTemporaryDir dir;
    FakeDialogs dialogs;
    dialogs.printAnswers.enqueue(false);
    dialogs.printFile = dir.filePath(QStringLiteral("report.pdf"));
    std::unique_ptr<PrinterReport> report;
    QVERIFY(!printCommand(nullptr, dialogs, report, sampleInput()));
    QCOMPARE(dialogs.printRequests, 1);
    QVERIFY(!report);
    QVERIFY(dialogs.messages.isEmpty());
    QVERIFY(QDir(dir.path()).isEmpty());
}

void TestPrintCommand::unwritableOutputEndsAfterOneRetry()
{
    QTemporaryDir dir;
    FakeDialogs dialogs;
    dialogs.printAnswers.enqueue(true);
    dialogs.printFile = dir.filePath(QStringLiteral("missing/folder/report.pdf"));
    std::unique_ptr<PrinterReport> report;
    QVERIFY(!printCommand(nullptr, dialogs, report, sampleInput()));
    QCOMPARE(dialogs.messages.size(), 2);
    for (const auto &message : dialogs.messages) {
        QCOMPARE(message.icon, Dialogs::Icon::Critical);
        QCOMPARE(message.title, QStringLiteral("Erro 482 ( 1E2 )"));
        QVERIFY(message.text.startsWith(u"t94\r\nt95\r\nt96\r\n\r\nt97\r\nErro: "));
        QVERIFY(message.text.contains(QDir::toNativeSeparators(dialogs.printFile)));
    }
    QVERIFY(!QFile::exists(dialogs.printFile));
}

void TestPrintCommand::noPrinterSaysSoAndPrintsNothing()
{
    QTemporaryDir dir;
    FakeDialogs dialogs;
    dialogs.printDestinations = false;
    dialogs.printAnswers.enqueue(true);
    dialogs.printFile = dir.filePath(QStringLiteral("report.pdf"));
    std::unique_ptr<PrinterReport> report;
    QVERIFY(!printCommand(nullptr, dialogs, report, sampleInput()));
    QCOMPARE(dialogs.printRequests, 0);
    QVERIFY(!report);
    QCOMPARE(dialogs.messages.size(), 1);
    QCOMPARE(dialogs.messages.first().icon, Dialogs::Icon::Information);
    QCOMPARE(dialogs.messages.first().title, applicationTitle());
    QCOMPARE(dialogs.messages.first().text, QStringLiteral("t260"));
    QVERIFY(QDir(dir.path()).isEmpty());

    // The plant summary prints through the same dialog and says the same.
    PlantReportInput plant;
    plant.text = sampleInput().text;
    QVERIFY(!printPlantCommand(nullptr, dialogs, plant));
    QCOMPARE(dialogs.printRequests, 0);
    QCOMPARE(dialogs.texts(), (QStringList{"t260", "t260"}));
}

void TestPrintCommand::qtDialogOffersAFileOffWindows()
{
    const bool printers = !QPrinterInfo::availablePrinterNames().isEmpty();
#ifdef Q_OS_WIN
    QCOMPARE(QtDialogs().printDestinationAvailable(), printers);
#else
    // Qt's own dialog prints to a PDF file, so Print opens it on a machine without printers too.
    Q_UNUSED(printers);
    QVERIFY(QtDialogs().printDestinationAvailable());
#endif
}

void TestPrintCommand::jobIsNamedAfterTheCase_data()
{
    QTest::addColumn<QString>("reference");
    QTest::addColumn<QString>("caseFile");
    QTest::addColumn<QString>("jobName");
    const QString file = QDir::temp().filePath(QStringLiteral("cases/PUMP 2.WAU"));
    QTest::newRow("reference") << QStringLiteral("Line3") << file << QStringLiteral("Tessio - Line3");
    QTest::newRow("no reference") << QString() << file << QStringLiteral("Tessio - PUMP 2.WAU");
    QTest::newRow("blank reference") << QStringLiteral("  ") << file << QStringLiteral("Tessio - PUMP 2.WAU");
    QTest::newRow("new case") << QString() << QString() << QStringLiteral("Tessio");
}

void TestPrintCommand::jobIsNamedAfterTheCase()
{
    QFETCH(QString, reference);
    QFETCH(QString, caseFile);
    QFETCH(QString, jobName);
    ReportInput input = sampleInput();
    input.record.mskReferencia = reference;
    JobNameDialogs dialogs;
    std::unique_ptr<PrinterReport> report;
    QVERIFY(!printCommand(nullptr, dialogs, report, input, caseFile)); // the fake dialog cancels
    QCOMPARE(dialogs.jobNames, QStringList{jobName});

    // The plant summary's job is named after its plant file.
    PlantReportInput plant;
    plant.text = input.text;
    QVERIFY(!printPlantCommand(nullptr, dialogs, plant, QDir::temp().filePath(QStringLiteral("PLANT.csv"))));
    QCOMPARE(dialogs.jobNames.last(), QStringLiteral("Tessio - PLANT.csv"));
}

void TestPrintCommand::printDialogOffersNoPageRange()
{
#ifdef Q_OS_WIN
    QSKIP("Windows' print dialog is the system's own, not a Qt window that the test can look into");
#endif
    ModalWatchdog watchdog;
    int shown = 0;
    bool pageRange = true;
    int minPage = 0, maxPage = 0;
    QString jobName;
    const auto answer = watchdog.expect<QPrintDialog>([&](QPrintDialog *dialog) {
        ++shown;
        pageRange = dialog->testOption(QAbstractPrintDialog::PrintPageRange);
        minPage = dialog->minPage();
        maxPage = dialog->maxPage();
        jobName = dialog->printer()->docName();
        dialog->reject();
    });
    QtDialogs dialogs;
    std::unique_ptr<PrinterReport> report;
    QVERIFY(!printCommand(nullptr, dialogs, report, sampleInput()));
    QVERIFY2(watchdog.unexpected.isEmpty(), qPrintable(watchdog.unexpected.join(u", ")));
    QCOMPARE(shown, 1);
    QVERIFY(!pageRange);
    QCOMPARE(minPage, 1);
    QCOMPARE(maxPage, 1);
    QCOMPARE(jobName, QStringLiteral("Tessio - Line3"));
    QVERIFY(!report);
}

TESSIO_TEST_MAIN(TestPrintCommand)
#include "tst_printcommand.moc"
