// The system curve's printed page on the recording printer: one page with the company header, the
// case, the parameters, both results, the figures per flow level beside the formulas, the chart and the
// model in words, all within the printable height of a Letter page.
#include "report/recordingprinter.h"
#include "support/fakedialogs.h"
#include "support/samplecases.h"
#include "support/testmain.h"
#include "systemcurve/systemcurvechart.h"
#include "systemcurve/systemcurvereport.h"

#include <QPrinter>
#include <QTest>

namespace {

constexpr double Left = 28; // the page's margins, as the case report's
constexpr double Top = 31;

SystemCurveReportInput sampleInput()
{
    SystemCurveReportInput input;
    CaseDocument &document = input.document;
    document.record = SampleCases::workedExample();
    document.record.mskReferencia = QStringLiteral("P-101");
    document.applicationText = QStringLiteral("Centrifugal pump with valve");
    document.company = SampleCases::company();
    document.text = [](int n) {
        return n == 364 ? QStringLiteral("%1: drive efficiency") : QStringLiteral("EN %1").arg(n);
    };
    document.locale = QLocale(QLocale::English, QLocale::UnitedStates);
    document.date = QDate(2025, 5, 2);
    input.parameters = {30, 97, 0, std::nullopt};
    return input;
}

} // namespace

class TestSystemCurveReport : public QObject
{
    Q_OBJECT
private slots:
    void onePageWithBothModels();
    void refusedCaseShowsWhy();
};

void TestSystemCurveReport::onePageWithBothModels()
{
    FakeDialogs dialogs;
    RecordingPrinter printer;
    QVERIFY(SystemCurveReport(dialogs).print(printer, sampleInput()));
    QCOMPARE(printer.sent, 1);
    QCOMPARE(printer.calls(RecordingPrinter::Operation::NewPage), 0);
    QVERIFY(dialogs.messages.isEmpty());

    const auto at = [&](const QString &text) {
        const QList<RecordingPrinter::Text> found = printer.find(text);
        return found.size() == 1 ? QPointF(found.first().x - Left, found.first().y - Top) : QPointF(-1, -1);
    };
    QCOMPARE(at(SampleCases::company().CompanyName), QPointF(65, 0));
    QCOMPARE(at(QStringLiteral("EN 354")), QPointF(72, 48));
    QCOMPARE(at(QStringLiteral("EN 12905/02/2025")), QPointF(307, 9));

    // Inputs at the left, parameters at the right with their figures ending at the right edge.
    QCOMPARE(at(QStringLiteral("Centrifugal pump with valve")).x(), 90.0);
    QCOMPARE(at(QStringLiteral("P-101")).x(), 90.0);
    QCOMPARE(at(QStringLiteral("EN 332")).x(), 285.0);
    const QList<RecordingPrinter::Text> head = printer.find(QStringLiteral("30"));
    QVERIFY(!head.isEmpty() && head.first().endsAtX && head.first().x == Left + 547);
    QVERIFY(!printer.find(QStringLiteral("11.11 (EN 358)")).isEmpty());

    const auto onRow = [&](const QString &figure, double y) {
        const QList<RecordingPrinter::Text> found = printer.find(figure);
        return std::any_of(found.begin(), found.end(), [&](const auto &t) { return t.y - Top == y; });
    };
    // Both models' results and the difference in one row: 29,200 kWh by the table, 23,835 by the system
    // curve, 18.4 % less.
    const double kwhRow = at(QStringLiteral("EN 158")).y();
    QVERIFY(kwhRow > 0);
    for (const QString &figure : {QStringLiteral("29,200"), QStringLiteral("23,835"), QStringLiteral("-18.4")})
        QVERIFY2(onRow(figure, kwhRow), qPrintable(figure));

    // The figures per flow level: at 70 % flow the throttled 82 %, the table's 45 %, V(q) 46.4 % and
    // the saving 35.6 %, in one row.
    const double row70 = at(QStringLiteral("70")).y();
    for (const QString &figure : {QStringLiteral("82.0"), QStringLiteral("45.0"), QStringLiteral("46.4"), QStringLiteral("35.6")})
        QVERIFY2(onRow(figure, row70), qPrintable(figure));
    for (const QString &formula : systemCurveFormulas())
        QVERIFY2(at(formula).x() == 270, qPrintable(formula));
    QCOMPARE(at(QStringLiteral("ηd: drive efficiency")).x(), 0.0);

    // The chart centred under the symbols, at its own proportions, and the model in words under it; no
    // text runs into it.
    QCOMPARE(printer.pictures.size(), 1);
    const QRectF chart = printer.pictures.first().target.translated(-Left, -Top);
    QCOMPARE(chart.size(), SystemCurveReport::ChartSize);
    QCOMPARE(chart.center().x(), 547.0 / 2);
    QCOMPARE(printer.pictures.first().size, QSizeF(SystemCurveChart::Size));
    QVERIFY(qAbs(chart.width() / chart.height() - 560.0 / 350.0) < 0.01);
    QVERIFY(at(QStringLiteral("ηd: drive efficiency")).y() < chart.top());
    QVERIFY(at(QStringLiteral("EN 359")).y() > chart.bottom());

    // Everything within the printable height of a Letter page, the smaller of Letter and A4.
    QPrinter letter;
    letter.setPageSize(QPageSize(QPageSize::Letter));
    const double bottom = letter.pageLayout().paintRectPoints().height();
    for (const RecordingPrinter::Text &t : std::as_const(printer.texts)) {
        QVERIFY2(t.y + t.size * RecordingPrinter::LineFactor <= bottom, qPrintable(t.text));
        QVERIFY2(t.y - Top + t.size < chart.top() || t.y - Top > chart.bottom(), qPrintable(t.text));
    }
}

void TestSystemCurveReport::refusedCaseShowsWhy()
{
    SystemCurveReportInput input = sampleInput();
    input.document.record.mskDiaAno = QStringLiteral("400");
    FakeDialogs dialogs;
    RecordingPrinter printer;
    QVERIFY(SystemCurveReport(dialogs).print(printer, input));
    QCOMPARE(printer.sent, 1);
    QVERIFY(printer.pictures.isEmpty());
    QCOMPARE(printer.find(QStringLiteral("EN 74")).size(), 1);
    QVERIFY(printer.find(QStringLiteral("29,200")).isEmpty());
}

TESSIO_TEST_MAIN(TestSystemCurveReport)
#include "tst_systemcurvereport.moc"
