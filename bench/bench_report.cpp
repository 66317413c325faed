// One report printed through the Print command to a PDF file (target: under 200 ms).
#include "platform/dialogs.h"
#include "report/printcommand.h"
#include "report/printerreport.h"

#include <QApplication>
#include <QPrinter>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

// Answers the print dialog with a PDF file.
class PdfDialogs : public Dialogs
{
public:
    explicit PdfDialogs(QString file) : m_file(std::move(file)) {}
    Answer message(QWidget *, Icon, const QString &, const QString &, Buttons) override { return Answer::Ok; }
    Answer askToSave(QWidget *, const QString &, const QString &, const QString &, const QString &,
                     const QString &) override
    {
        return Answer::Cancel;
    }
    QString openFileName(QWidget *, const QString &, const QString &, const QString &) override { return {}; }
    QString saveFileName(QWidget *, const QString &, const QString &, const QString &) override { return {}; }
    bool choosePrinter(QWidget *, QPrinter &printer) override
    {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(m_file);
        return true;
    }

private:
    QString m_file;
};

ReportInput typicalCase()
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
    input.applicationText = QStringLiteral("Centrifugal pump - valve");
    input.company = {QStringLiteral("Northwind Drives"), QStringLiteral("12 Mill Road"), QStringLiteral("Springfield"),
                     QStringLiteral("Phone: 555 0100"), QStringLiteral("Fax: 555 0101"), {}, {}, 0.1};
    input.text = [](int n) { return n == 192 ? QStringLiteral("word ").repeated(60) : QStringLiteral("Text %1").arg(n); };
    input.locale = QLocale(QLocale::English, QLocale::UnitedStates);
    return input;
}

} // namespace

static void BM_PrintReportToPdf(benchmark::State &state)
{
    QTemporaryDir dir;
    PdfDialogs dialogs(dir.filePath(QStringLiteral("report.pdf")));
    std::unique_ptr<PrinterReport> report;
    const ReportInput input = typicalCase();
    for (auto _ : state) {
        if (!printCommand(nullptr, dialogs, report, input))
            state.SkipWithError("the report was not printed");
    }
}
BENCHMARK(BM_PrintReportToPdf)->Unit(benchmark::kMillisecond);

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
