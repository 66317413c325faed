#include "support/fakedialogs.h"
#include "plant/economicstext.h"
#include "plant/plantchart.h"
#include "plant/plantreport.h"
#include "plant/planttext.h"
#include "report/qtreportprinter.h"
#include "report/recordingprinter.h"
#include "support/samplecases.h"
#include "support/testmain.h"

#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

// The printed plant summary on the recording printer: pages, the header on each, the charts on the first,
// the closing block on the last, the budget's choice, and a failing printer. The PDF itself is read back
// at the end and in tst_tessiocalc.

namespace {

const QLocale English(QLocale::English, QLocale::UnitedStates);

QString text(int n)
{
    if (n == PlantText::PageOf)
        return QStringLiteral("p%1/%2");
    return n == EconomicsText::ChoiceMany ? QStringLiteral("%1 drives") : QStringLiteral("T%1").arg(n);
}

// Cases M1 ... of the worked example, the drive of every third one dearer, so that a budget passes
// them over.
QList<CaseRecord> motors(int cases)
{
    QList<CaseRecord> records;
    for (int i = 1; i <= cases; ++i) {
        CaseRecord record = SampleCases::variant(SampleCases::workedExample(), &CaseRecord::mskReferencia,
                                                 QStringLiteral("M%1").arg(i));
        if (i % 3 == 0)
            record.mskInversor = QStringLiteral("5000");
        records << record;
    }
    return records;
}

PlantReportInput plantOf(int cases, std::optional<PlantLifetime> lifetime = PlantLifetime{},
                         std::optional<double> budget = std::nullopt)
{
    PlantReportInput input{computeSummary({motors(cases), 0.5, lifetime, English, text, {}, budget}), {}, text, English,
                           QStringLiteral("US$"), QStringLiteral("source line"), QDate(2026, 3, 1)};
    input.company.CompanyName = QStringLiteral("Acme");
    return input;
}

// The page case `i` (from 1) is printed on, 0 for the first.
int pageOfCase(int i)
{
    return i <= PlantReport::FirstPageRows ? 0 : 1 + (i - 1 - PlantReport::FirstPageRows) / PlantReport::RowsPerPage;
}

QList<int> pagesOf(const QList<RecordingPrinter::Text> &texts)
{
    QList<int> pages;
    for (const auto &t : texts)
        pages << t.page;
    return pages;
}

} // namespace

class TestPlantReport : public QObject
{
    Q_OBJECT
private slots:
    void pages_data();
    void pages();
    void failingPageIsReportedAndEndsTheJob();
    void figuresEndUnderTheirHeadings();
    void dateIsRegionalWithFourDigits_data();
    void dateIsRegionalWithFourDigits();
    void rowsLeftOutAreListedAndLongTextsCut();
    void chartsOnTheFirstPage_data();
    void chartsOnTheFirstPage();
    void budgetChoiceOnBandsAndInItsRow();
    void pdfCarriesTheChartsAndTheBudget();
    void eachRowSaysWhichModelItUses();
};

void TestPlantReport::pages_data()
{
    QTest::addColumn<int>("cases");
    QTest::addColumn<int>("pages");
    QTest::newRow("empty plant") << 0 << 1;
    QTest::newRow("18 rows and the totals on one page") << 18 << 1;
    QTest::newRow("19 rows: the totals on a page of their own") << 19 << 2;
    QTest::newRow("43 rows on two") << 43 << 2;
    QTest::newRow("two full pages, the totals on a third") << PlantReport::FirstPageRows + PlantReport::RowsPerPage << 3;
}

void TestPlantReport::pages()
{
    QFETCH(int, cases);
    QFETCH(int, pages);
    FakeDialogs dialogs;
    PlantReport report(dialogs);
    RecordingPrinter printer;
    const PlantReportInput input = plantOf(cases);
    QVERIFY(report.print(printer, input));
    QCOMPARE(printer.sent, 1);
    QCOMPARE(printer.page + 1, pages);
    QCOMPARE(PlantReport::pageCount(input), pages);
    QVERIFY(dialogs.messages.isEmpty());

    QList<int> every;
    for (int p = 0; p < pages; ++p)
        every << p;
    // Company, title and the table's heading on every page; "page n of m" only when there are several.
    QCOMPARE(pagesOf(printer.find(QStringLiteral("Acme"))), every);
    QCOMPARE(pagesOf(printer.find(QStringLiteral("T205"))), every);
    QCOMPARE(pagesOf(printer.find(QStringLiteral("T206"))), every);
    for (int p = 1; p <= pages; ++p)
        QCOMPARE(printer.find(QStringLiteral("p%1/%2").arg(p).arg(pages)).size(), pages > 1 ? 1 : 0);
    // Each case once, in order; the totals and the factor's source on the last page only.
    for (int i = 1; i <= cases; ++i)
        QCOMPARE(pagesOf(printer.find(QStringLiteral("M%1").arg(i))), QList<int>{pageOfCase(i)});
    QCOMPARE(pagesOf(printer.find(QStringLiteral("T213"))), QList<int>{pages - 1});
    QCOMPARE(pagesOf(printer.find(QStringLiteral("source line"))), QList<int>{pages - 1});
    QCOMPARE(printer.find(QStringLiteral("0.500")).size(), 1);
}

void TestPlantReport::failingPageIsReportedAndEndsTheJob()
{
    FakeDialogs dialogs;
    PlantReport report(dialogs);
    RecordingPrinter printer;
    printer.failNext(RecordingPrinter::Operation::NewPage, 2);
    QVERIFY(!report.print(printer, plantOf(30)));
    QCOMPARE(printer.sent, 0);
    QCOMPARE(printer.aborted, 1);
    QCOMPARE(dialogs.messages.size(), 2); // told, tried again once, then given up
    QVERIFY(printer.find(QStringLiteral("M29")).isEmpty());
    QVERIFY(!printer.find(QStringLiteral("M25")).isEmpty());

    // The next job starts afresh.
    QVERIFY(report.print(printer, plantOf(30)));
    QCOMPARE(printer.sent, 1);
}

void TestPlantReport::figuresEndUnderTheirHeadings()
{
    FakeDialogs dialogs;
    PlantReport report(dialogs);
    RecordingPrinter printer;
    QVERIFY(report.print(printer, plantOf(2)));
    const double firstRow = printer.find(QStringLiteral("M1")).first().y;
    // The headings of the year's figures, and in italics those of the lifetime figures.
    QSet<double> headingEnds;
    QSet<double> lifetimeHeadingEnds;
    for (const auto &t : printer.texts) {
        if (t.bold && t.endsAtX && t.y < firstRow)
            (t.italic ? lifetimeHeadingEnds : headingEnds) << t.x;
    }
    QCOMPARE(headingEnds.size(), 7);
    QCOMPARE(lifetimeHeadingEnds.size(), 3);
    QVERIFY(headingEnds.contains(lifetimeHeadingEnds));
    // A case's seven figures and the totals' figures each end where the heading of their column does,
    // their NPV, IRR and discounted payback on the line below where theirs do.
    for (const QString &row : {QStringLiteral("M1"), QStringLiteral("T213")}) {
        const RecordingPrinter::Text start = printer.find(row).first();
        QSet<double> ends;
        QStringList lifetime;
        for (const auto &t : printer.texts) {
            if (t.y == start.y && t.text != row) {
                QVERIFY2(t.endsAtX, qPrintable(t.text));
                ends << t.x;
            } else if (t.y == start.y + 8.5 && t.endsAtX) {
                QVERIFY2(lifetimeHeadingEnds.contains(t.x), qPrintable(t.text));
                lifetime << t.text;
            }
        }
        QVERIFY2(ends.size() >= 5 && headingEnds.contains(ends), qPrintable(row));
        QCOMPARE(lifetime.size(), 3);
    }
    // M1 saves 2,920.00 a year against a drive of 1,000.00: NPV and IRR over 10 years at 8 %.
    const auto below = [&](const QString &row) {
        QStringList found;
        for (const auto &t : printer.texts) {
            if (t.y == printer.find(row).first().y + 8.5 && t.endsAtX)
                found << t.text;
        }
        return found;
    };
    QCOMPARE(below(QStringLiteral("M1")), (QStringList{"18,593.44", "292.0", "0.4"}));
}

void TestPlantReport::dateIsRegionalWithFourDigits_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("date");
    QTest::newRow("United States: month first") << "en_US" << "3/1/2026";
    QTest::newRow("Brazil: day first") << "pt_BR" << "01/03/2026";
    QTest::newRow("Germany: dots") << "de_DE" << "01.03.2026";
}

void TestPlantReport::dateIsRegionalWithFourDigits()
{
    QFETCH(QString, locale);
    QFETCH(QString, date);
    FakeDialogs dialogs;
    RecordingPrinter printer;
    PlantReportInput input = plantOf(1);
    input.locale = QLocale(locale);
    QVERIFY(PlantReport(dialogs).print(printer, input));
    QCOMPARE(printer.find(QStringLiteral("T129") + date).size(), 1);
}

void TestPlantReport::rowsLeftOutAreListedAndLongTextsCut()
{
    PlantReportInput input = plantOf(1);
    PlantAccumulator plant(0.5, PlantLifetime{}, input.locale, input.text);
    CaseRecord longName = SampleCases::workedExample();
    longName.mskReferencia = QString(60, u'W');
    input.summary.cases = {plant.add(longName), plant.addUnread(QStringLiteral("plant.csv:7"), QStringLiteral("Line 7: why"))};
    FakeDialogs dialogs;
    RecordingPrinter printer;
    QVERIFY(PlantReport(dialogs).print(printer, input));
    QCOMPARE(printer.find(QStringLiteral("plant.csv:7")).size(), 1);
    const QList<RecordingPrinter::Text> why = printer.find(QStringLiteral("Line 7: why"));
    QCOMPARE(why.size(), 1);
    QCOMPARE(why.first().y, printer.find(QStringLiteral("plant.csv:7")).first().y);
    // The reference ends in "…" before the power column's figures begin.
    QList<RecordingPrinter::Text> cut;
    for (const RecordingPrinter::Text &t : printer.texts) {
        if (t.text.startsWith(QStringLiteral("WWW")))
            cut << t;
    }
    QCOMPARE(cut.size(), 1);
    QVERIFY2(cut.first().text.endsWith(QChar(0x2026)) && cut.first().text.size() < 60, qPrintable(cut.first().text));
}

void TestPlantReport::chartsOnTheFirstPage_data()
{
    QTest::addColumn<bool>("lifetime");
    QTest::addColumn<int>("charts");
    QTest::newRow("with a lifetime, both charts") << true << 2;
    QTest::newRow("without, where the savings are only") << false << 1;
}

void TestPlantReport::chartsOnTheFirstPage()
{
    QFETCH(bool, lifetime);
    QFETCH(int, charts);
    FakeDialogs dialogs;
    RecordingPrinter printer;
    QVERIFY(PlantReport(dialogs).print(printer, plantOf(30, lifetime ? std::optional(PlantLifetime{}) : std::nullopt)));
    QCOMPARE(printer.page, 1);
    QCOMPARE(printer.pictures.size(), charts);
    const double left = printer.pictures.first().target.left();
    const double heading = printer.find(QStringLiteral("T206")).first().y;
    for (const RecordingPrinter::Picture &chart : std::as_const(printer.pictures)) {
        QCOMPARE(chart.page, 0);
        QCOMPARE(chart.size, ChartFrame::page().size);
        QCOMPARE(chart.target.size(), chart.size);
        QVERIFY(chart.target.left() >= left && chart.target.right() <= left + 547);
        // Under the title, above the table; no text of the page runs into it.
        QVERIFY(chart.target.bottom() < heading);
        for (const RecordingPrinter::Text &t : std::as_const(printer.texts)) {
            if (t.page == 0)
                QVERIFY2(t.y + t.size * RecordingPrinter::LineFactor <= chart.target.top()
                             || t.y >= chart.target.bottom(), qPrintable(t.text));
        }
    }
    if (charts == 2)
        QVERIFY(!printer.pictures[0].target.intersects(printer.pictures[1].target));
    // The lifetime figures' headings only with a lifetime.
    QCOMPARE(printer.find(QStringLiteral("T395")).size(), lifetime ? 3 : 0); // heading, heading on page 2, closing
}

// Six cases, M3 and M6 with dearer drives: a budget of 2,500 buys two of the four cheap drives.
void TestPlantReport::budgetChoiceOnBandsAndInItsRow()
{
    FakeDialogs dialogs;
    RecordingPrinter printer;
    QVERIFY(PlantReport(dialogs).print(printer, plantOf(6, PlantLifetime{10, 8, 2.5}, 2500.0)));
    QList<QRectF> bands;
    for (const RecordingPrinter::Rectangle &r : std::as_const(printer.rectangles)) {
        if (r.colour != QColor(Qt::black) && r.rect.width() > 500)
            bands << r.rect;
    }
    const auto onBand = [&](const QString &text) {
        const RecordingPrinter::Text t = printer.find(text).first();
        return std::any_of(bands.cbegin(), bands.cend(), [&](const QRectF &band) {
            return band.top() <= t.y && t.y + t.size * RecordingPrinter::LineFactor <= band.bottom();
        });
    };
    QCOMPARE(bands.size(), 3); // M1, M2 and the choice's row
    for (const char *reference : {"M1", "M2", "2 drives"})
        QVERIFY2(onBand(QString::fromLatin1(reference)), reference);
    for (const char *reference : {"M3", "M4", "M5", "M6", "T213"})
        QVERIFY2(!onBand(QString::fromLatin1(reference)), reference);

    // The choice's row under the totals: its kWh, money, drive price and months.
    const double choiceY = printer.find(QStringLiteral("2 drives")).first().y;
    QVERIFY(choiceY > printer.find(QStringLiteral("T213")).first().y);
    QStringList figures;
    for (const RecordingPrinter::Text &t : std::as_const(printer.texts)) {
        if (t.y == choiceY && t.endsAtX)
            figures << t.text;
    }
    QCOMPARE(figures, (QStringList{"58,400", "5,840.00", "2,000.00", "4"}));
    // The rise, the plant's discounted payback and the budget in the closing block.
    for (const QString &line : {QStringLiteral("T391"), QStringLiteral("T395"), QStringLiteral("T392 (US$)")}) {
        const QList<RecordingPrinter::Text> found = printer.find(line);
        QVERIFY2(!found.isEmpty() && found.last().y > choiceY, qPrintable(line));
    }
    QCOMPARE(printer.find(QStringLiteral("2.50")).size(), 1); // the rise, as the rate is written
    QCOMPARE(printer.find(QStringLiteral("2,500.00")).size(), 1);
}

// On paper: the two charts' titles and the budget's choice on the first page of a real PDF.
void TestPlantReport::pdfCarriesTheChartsAndTheBudget()
{
    if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
        QSKIP("pdftotext (poppler-utils) is not installed");
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("summary.pdf"));
    FakeDialogs dialogs;
    const PlantReportInput input = plantOf(6, PlantLifetime{}, 2500.0);
    QString error;
    QVERIFY2(printToPdf(pdf, [&](ReportPrinter &printer) { return PlantReport(dialogs).print(printer, input); }, &error),
             qPrintable(error));
    QProcess reader;
    reader.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
    QVERIFY(reader.waitForFinished(30000));
    const QStringList pages = QString::fromUtf8(reader.readAllStandardOutput()).split(u'\f', Qt::SkipEmptyParts);
    QCOMPARE(pages.size(), 1);
    static const QRegularExpression choice(QStringLiteral("2 drives +58,400 +5,840.00 +2,000.00 +4\\n"));
    for (const QString &expected : {QStringLiteral("T380"), QStringLiteral("T381"), QStringLiteral("T386")})
        QVERIFY2(pages[0].contains(expected), qPrintable(expected + QStringLiteral(" not in:\n") + pages[0]));
    QVERIFY2(pages[0].contains(choice), qPrintable(pages[0]));
}

void TestPlantReport::eachRowSaysWhichModelItUses()
{
    FakeDialogs dialogs;
    RecordingPrinter tableOnly;
    PlantReportInput input = plantOf(3);
    QVERIFY(PlantReport(dialogs).print(tableOnly, input));
    QVERIFY(tableOnly.find(QStringLiteral("T342")).isEmpty()); // a plant of the table alone prints as it did

    // The first case on the table, the second on its system curve (11.11 kW is 10 kW / 90 %), the third
    // with a measured base: each says so under its figures.
    QList<CaseRecord> records;
    for (const PlantCaseResult &result : std::as_const(input.summary.cases))
        records << result.record;
    input.summary = computeSummary({records, 0.5, PlantLifetime{}, input.locale, input.text,
                                    {std::nullopt, SystemCurveParameters{30, 97, 0, std::nullopt},
                                     SystemCurveParameters{32.5, 100, 40, 9.5}}});
    RecordingPrinter printer;
    QVERIFY(PlantReport(dialogs).print(printer, input));
    const QStringList lines{QStringLiteral("T342"), QStringLiteral("T330: h0 30 %, ηd 97 %, smin 0 %, P0 11.11 kW"),
                            QStringLiteral("T330: h0 32.5 %, ηd 100 %, smin 40 %, P0 9.50 kW (T357)")};
    for (int row = 0; row < lines.size(); ++row) {
        const QList<RecordingPrinter::Text> found = printer.find(lines[row]);
        QCOMPARE(found.size(), 1);
        const RecordingPrinter::Text reference = printer.find(QStringLiteral("M%1").arg(row + 1)).first();
        QVERIFY(found.first().y > reference.y);
        QVERIFY(found.first().x > printer.find(QStringLiteral("T193")).at(row).x);
        // With a lifetime, below the case's NPV, IRR and discounted payback, not over them.
        QVERIFY(found.first().y >= reference.y + 2 * 8.5);
    }
}

TESSIO_TEST_MAIN(TestPlantReport)
#include "tst_plantreport.moc"
