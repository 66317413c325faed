#include "support/fakedialogs.h"
#include "plant/plantreport.h"
#include "plant/planttext.h"
#include "report/recordingprinter.h"
#include "support/samplecases.h"
#include "support/testmain.h"

#include <QSet>
#include <QTest>

// The printed plant summary on the recording printer: pages, the header on each, the closing block on the
// last, and a failing printer. The PDF itself is read back in tst_tessiocalc.

namespace {

PlantReportInput plantOf(int cases)
{
    QList<CaseRecord> records;
    for (int i = 1; i <= cases; ++i) {
        records << SampleCases::variant(SampleCases::workedExample(), &CaseRecord::mskReferencia,
                                        QStringLiteral("M%1").arg(i));
    }
    const TextLookup text = [](int n) {
        return n == PlantText::PageOf ? QStringLiteral("p%1/%2") : QStringLiteral("T%1").arg(n);
    };
    const QLocale english(QLocale::English, QLocale::UnitedStates);
    PlantReportInput input{computeSummary({records, 0.5, PlantLifetime{}, english, text}), {}, text, english,
                           QStringLiteral("US$"), QStringLiteral("source line"), QDate(2026, 3, 1)};
    input.company.CompanyName = QStringLiteral("Acme");
    return input;
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
    void eachRowSaysWhichModelItUses();
};

void TestPlantReport::pages_data()
{
    QTest::addColumn<int>("cases");
    QTest::addColumn<int>("pages");
    QTest::newRow("empty plant") << 0 << 1;
    QTest::newRow("25 rows on one page") << 25 << 1;
    QTest::newRow("30 rows on two") << 30 << 2;
    QTest::newRow("57 rows on three") << 57 << 3;
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
    QCOMPARE(PlantReport::pageCount(cases), pages);
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
        QCOMPARE(pagesOf(printer.find(QStringLiteral("M%1").arg(i))), QList<int>{(i - 1) / PlantReport::RowsPerPage});
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
    QSet<double> headingEnds;
    for (const auto &t : printer.texts) {
        if (t.bold && t.endsAtX && t.y < printer.find(QStringLiteral("M1")).first().y)
            headingEnds << t.x;
    }
    QCOMPARE(headingEnds.size(), 7);
    // A case's seven figures and the totals' figures each end where the heading of their column does.
    for (const QString &row : {QStringLiteral("M1"), QStringLiteral("T213")}) {
        const RecordingPrinter::Text start = printer.find(row).first();
        QSet<double> ends;
        for (const auto &t : printer.texts) {
            if (t.y == start.y && t.text != row) {
                QVERIFY2(t.endsAtX, qPrintable(t.text));
                ends << t.x;
            }
        }
        QVERIFY2(ends.size() >= 5 && headingEnds.contains(ends), qPrintable(row));
    }
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
    }
}

TESSIO_TEST_MAIN(TestPlantReport)
#include "tst_plantreport.moc"
