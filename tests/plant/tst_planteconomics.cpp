#include "plant/planteconomics.h"
#include "support/samplecases.h"
#include "support/testmain.h"

#include <QTest>

// The plant's economics on small plants. The expected figures were worked out from the definitions
// (C(k) = -D + sum S (1 + e)^(t-1) / (1 + r)^t, its root in r, its zero crossing) by a separate
// computation, not by the code under test.

namespace {

const QLocale English(QLocale::English, QLocale::UnitedStates);
const QLocale Brazil(QLocale::Portuguese, QLocale::Brazil);

QString text(int n)
{
    return n == 397 ? QStringLiteral("%1 drives") : QStringLiteral("T%1").arg(n);
}

} // namespace

using SampleCases::FigureCase;
Q_DECLARE_METATYPE(QList<FigureCase>)
Q_DECLARE_METATYPE(QList<int>)

class TestPlantEconomics : public QObject
{
    Q_OBJECT
private slots:
    void lifetimeFigures_data();
    void lifetimeFigures();
    void budgetChoice_data();
    void budgetChoice();
    void theSummaryCarriesTheEconomics();
};

void TestPlantEconomics::lifetimeFigures_data()
{
    QTest::addColumn<double>("drive");
    QTest::addColumn<double>("money");
    QTest::addColumn<int>("years");
    QTest::addColumn<double>("rate");
    QTest::addColumn<double>("rise");
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QStringList>("expected"); // NPV, IRR, discounted payback

    const auto row = [](const char *name, double drive, double money, int years, double rate, double rise,
                        QStringList expected, const QLocale &locale = English) {
        QTest::newRow(name) << drive << money << years << rate << rise << locale << expected;
    };
    // The plant model's own figures for this plant (tst_plantmodel): no rise gives today's NPV and IRR.
    row("no rise: today's NPV and IRR", 2000, 5069.12, 10, 8, 0, {"32,014.21", "253.5", "0.4"});
    row("rise 5 %", 10000, 2000, 10, 8, 5, {"6,367.11", "19.5", "5.8"});
    row("rise 5 %, Brazilian format", 10000, 2000, 10, 8, 5, {"6.367,11", "19,5", "5,8"}, Brazil);
    // At 100 % the savings are worth 400 and 200 in years 1 and 2: C(2) is exactly 0.
    row("paid back exactly at the end of a year", 600, 800, 5, 100, 0, {"175.00", "131.3", "2.0"});
    row("not paid back within the years", 30000, 2920, 10, 8, 0, {"-10,406.56", "-0.5", "----"});
    row("a rise of 15 % pays it back", 30000, 2920, 10, 8, 15, {"6,453.11", "11.6", "8.6"});
    row("no drive price", 0, 2920, 3, 8, 0, {"7,525.12", "----", "0.0"});
    row("no saving", 1000, 0, 10, 8, 0, {"-1,000.00", "----", "----"});
    // r = 0: the savings 100, 150, 225 are not discounted.
    row("no discount, rise 50 %", 1000, 100, 3, 0, 50, {"-525.00", "-27.1", "----"});
}

void TestPlantEconomics::lifetimeFigures()
{
    QFETCH(double, drive);
    QFETCH(double, money);
    QFETCH(int, years);
    QFETCH(double, rate);
    QFETCH(double, rise);
    QFETCH(QLocale, locale);
    QFETCH(QStringList, expected);

    const PlantLifetime terms{years, rate, rise};
    const PlantEconomics::Figures f = PlantEconomics::figures(drive, money, terms);
    QCOMPARE((QStringList{PlantFormat::npv(f.npv, locale), PlantFormat::irr(f.irr, locale),
                          PlantFormat::discountedPayback(f.discountedPayback, locale)}),
             expected);

    // The chart's data: from -D at year 0 to the NPV at year N.
    const QList<double> flow = PlantEconomics::cumulativeCashFlow(drive, money, terms);
    QCOMPARE(flow.size(), years + 1);
    QCOMPARE(flow.first(), -drive);
    QCOMPARE(flow.last(), *f.npv);
}

void TestPlantEconomics::budgetChoice_data()
{
    QTest::addColumn<QList<FigureCase>>("cases");
    QTest::addColumn<double>("budget");
    QTest::addColumn<QList<int>>("chosen");
    QTest::addColumn<QStringList>("expected"); // label, drive, kWh, money, months

    // Simple paybacks 0.5, 1.5 and 2 years; the last case saves nothing.
    const QList<FigureCase> four{{500, 1000}, {3000, 2000}, {800, 400}, {100, 0}};
    QTest::newRow("passes over a case and takes a later one")
        << four << 1500.0 << QList<int>{0, 2} << QStringList{"2 drives", "1,300.00", "14,000", "1,400.00", "11"};
    QTest::newRow("a budget beyond any plant")
        << four << 1e20 << QList<int>{0, 1, 2} << QStringList{"3 drives", "4,300.00", "34,000", "3,400.00", "15"};
    QTest::newRow("nothing within the budget")
        << four << 50.0 << QList<int>{} << QStringList{"0 drives", "0.00", "0", "0.00", "----"};
    QTest::newRow("shortest payback first, not the plant's order")
        << QList<FigureCase>{{900, 100}, {100, 100}} << 900.0 << QList<int>{1}
        << QStringList{"T396", "100.00", "1,000", "100.00", "12"};
    QTest::newRow("equal paybacks keep the plant's order")
        << QList<FigureCase>{{200, 100}, {100, 50}} << 200.0 << QList<int>{0}
        << QStringList{"T396", "200.00", "1,000", "100.00", "24"};
    // 1000.10 + 2000.20 is 3000.3000000000002 in binary.
    QTest::newRow("drives that add up to the budget fit it")
        << QList<FigureCase>{{1000.10, 500}, {2000.20, 900}} << 3000.30 << QList<int>{0, 1}
        << QStringList{"2 drives", "3,000.30", "14,000", "1,400.00", "26"};
    QTest::newRow("a budget of 0 takes the free drives, never a failed case")
        << QList<FigureCase>{{100, 1000, {}, false}, {0, 10}, {50, 10}} << 0.0 << QList<int>{1}
        << QStringList{"T396", "0.00", "100", "10.00", "0"};
}

void TestPlantEconomics::budgetChoice()
{
    QFETCH(QList<FigureCase>, cases);
    QFETCH(double, budget);
    QFETCH(QList<int>, chosen);
    QFETCH(QStringList, expected);

    const PlantEconomics::BudgetChoice choice = PlantEconomics::chooseWithinBudget(SampleCases::plantOf(cases), budget);
    QCOMPARE(choice.cases, chosen);
    const PlantCaseTexts t = PlantEconomics::choiceTexts(choice, English);
    QCOMPARE((QStringList{PlantEconomics::choiceLabel(choice, text), t.drive, t.kwh, t.money, t.months}), expected);
    QVERIFY(t.npv.isEmpty() && t.irr.isEmpty() && t.co2.isEmpty());
}

// Over a summary of real cases: the per-case figures and the totals carry the rise, a failed case has
// none, and with a budget the summary holds the choice, also when it is built one case at a time.
void TestPlantEconomics::theSummaryCarriesTheEconomics()
{
    CaseRecord failed = SampleCases::workedExample();
    failed.mskVazao100 = QStringLiteral("25");
    CaseRecord dearer = SampleCases::workedExample();
    dearer.mskInversor = QStringLiteral("30000");
    const QList<CaseRecord> cases{SampleCases::workedExample(), failed, dearer};
    const PlantLifetime risen{10, 8, 10};
    const PlantSummary summary = computeSummary({cases, std::nullopt, risen, English, text, {}, 1000.0});

    const PlantFigures &first = summary.cases[0].figures;
    const PlantEconomics::Figures expected = PlantEconomics::figures(1000, 2920, risen);
    QCOMPARE(first.npv, expected.npv);
    QCOMPARE(first.irr, expected.irr);
    QCOMPARE(first.discountedPayback, expected.discountedPayback);
    QVERIFY(!summary.cases[1].figures.npv && !summary.cases[1].figures.discountedPayback);
    QCOMPARE(summary.totals.npv, PlantEconomics::netPresentValue(31000, 5840, risen));
    // Saved without discounting: 2,920 x (1.1^10 - 1) / 0.1.
    QCOMPARE(PlantFormat::lifetimeSaving(first.lifetimeSaving, English), QStringLiteral("46,537.28"));
    QCOMPARE(caseTexts(summary.cases[0], English).discountedPayback, QStringLiteral("0.4"));
    QCOMPARE(caseTexts(summary.cases[2], English).discountedPayback, QStringLiteral("----"));

    QVERIFY(summary.choice);
    QCOMPARE(summary.choice->cases, QList<int>{0});
    QCOMPARE(summary.choice->budget, 1000.0);
    PlantAccumulator oneByOne(std::nullopt, risen, English, text, 1000.0);
    for (const CaseRecord &record : cases)
        oneByOne.add(record);
    QCOMPARE(oneByOne.summary().choice->cases, summary.choice->cases);
    QVERIFY(!computeSummary({cases, std::nullopt, risen, English, text}).choice);
}

TESSIO_TEST_GUILESS_MAIN(TestPlantEconomics)
#include "tst_planteconomics.moc"
