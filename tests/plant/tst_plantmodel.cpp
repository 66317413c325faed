#include "plant/planteconomics.h"
#include "plant/plantcurve.h"
#include "plant/plantmodel.h"
#include "support/samplecases.h"
#include "support/testmain.h"

#include <QTest>

// The plant model on small plants. Expected figures were worked out by hand from the model's formulas
// (a kWh per day = P / eta x fraction x hours, summed; NPV and IRR from their definitions), not by the code.

namespace {

const QLocale English(QLocale::English, QLocale::UnitedStates);
const QLocale Brazil(QLocale::Portuguese, QLocale::Brazil);

// 10 kW, 90 %, 8 h at 90/80/70 % flow, 365 days, 0.10 a kWh: 29,200 kWh and 2,920.00 a year.
CaseRecord pump(const QString &drive = QStringLiteral("1000"), const QString &price = QStringLiteral("0.10"))
{
    CaseRecord r = SampleCases::workedExample();
    r.mskReferencia = QStringLiteral("P-1");
    r.mskValorkWh = price;
    r.mskInversor = drive;
    return r;
}

// The same motor rated 10 HP: 7.36 kW, so 0.736 of the pump's figures.
CaseRecord hpPump()
{
    CaseRecord r = pump();
    r.optUnPotencia = UnitHp;
    return r;
}

CaseRecord tooManyHours()
{
    CaseRecord r = pump();
    r.mskVazao100 = QStringLiteral("25");
    return r;
}

QString text(int n)
{
    return QStringLiteral("T%1").arg(n);
}

PlantSummary run(const QList<CaseRecord> &cases, std::optional<double> factor, std::optional<PlantLifetime> lifetime,
                 const QLocale &locale = English)
{
    return computeSummary({cases, factor, lifetime, locale, text});
}

using Lifetime = std::optional<PlantLifetime>;
using Factor = std::optional<double>;
using Curves = QList<std::optional<SystemCurveParameters>>;

} // namespace

Q_DECLARE_METATYPE(QList<CaseRecord>)
Q_DECLARE_METATYPE(Curves)
Q_DECLARE_METATYPE(Lifetime)
Q_DECLARE_METATYPE(Factor)

class TestPlantModel : public QObject
{
    Q_OBJECT
private slots:
    void totals_data();
    void totals();
    void perCaseFigures();
    void failedCaseKeepsItsMessage();
    void irrWithoutSignChange();
    void regionalSeparators();
    void factorShowsEveryDecimal_data();
    void factorShowsEveryDecimal();
    void unreadRowIsLeftOut();
    void eachRowByItsOwnModel_data();
    void eachRowByItsOwnModel();
};

void TestPlantModel::totals_data()
{
    QTest::addColumn<QList<CaseRecord>>("cases");
    QTest::addColumn<Factor>("factor");
    QTest::addColumn<Lifetime>("lifetime");
    QTest::addColumn<int>("leftOut");
    // kwh, money, drive, months, co2, npv, irr, lifetime saving, lifetime co2
    QTest::addColumn<QStringList>("expected");

    // 50,691.2 kWh, 5,069.12 a year for 2,000: 4.73 months; 25.3456 t at 0.5 kg/kWh;
    // NPV = -2000 + 5069.12 x 6.710081 (the annuity factor of 8 % over 10 years).
    QTest::newRow("kW and HP, 8 % over 10 years")
        << QList<CaseRecord>{pump(), hpPump()} << Factor(0.5) << Lifetime(PlantLifetime{10, 8}) << 0
        << QStringList{"50,691", "5,069.12", "2,000.00", "5", "25.3", "32,014.21", "253.5", "50,691.20", "253.5"};
    QTest::newRow("r = 0: NPV is -D + S x N")
        << QList<CaseRecord>{pump(), hpPump()} << Factor(0.5) << Lifetime(PlantLifetime{5, 0}) << 0
        << QStringList{"50,691", "5,069.12", "2,000.00", "5", "25.3", "23,345.60", "253.0", "25,345.60", "126.7"};
    // A price of 0 saves kWh but no money: no payback, no rate of return, the NPV is the investment lost.
    QTest::newRow("S = 0")
        << QList<CaseRecord>{pump(QStringLiteral("1000"), QStringLiteral("0"))} << Factor(0.1)
        << Lifetime(PlantLifetime{10, 8}) << 0
        << QStringList{"29,200", "0.00", "1,000.00", "----", "2.9", "-1,000.00", "----", "0.00", "29.2"};
    QTest::newRow("D = 0")
        << QList<CaseRecord>{pump(QStringLiteral("0"))} << Factor(0.1) << Lifetime(PlantLifetime{3, 8}) << 0
        << QStringList{"29,200", "2,920.00", "0.00", "0", "2.9", "7,525.12", "----", "8,760.00", "8.8"};
    // A long payback: the rate of return is below zero.
    QTest::newRow("negative IRR")
        << QList<CaseRecord>{pump(QStringLiteral("30000"))} << Factor() << Lifetime(PlantLifetime{10, 8}) << 0
        << QStringList{"29,200", "2,920.00", "30,000.00", "123", "----", "-10,406.56", "-0.5", "29,200.00", "----"};
    QTest::newRow("a failed case counts in no total")
        << QList<CaseRecord>{tooManyHours(), pump(QStringLiteral("30000"))} << Factor(0.1)
        << Lifetime(PlantLifetime{20, 3}) << 1
        << QStringList{"29,200", "2,920.00", "30,000.00", "123", "2.9", "13,442.23", "7.4", "58,400.00", "58.4"};
    QTest::newRow("no factor, no lifetime")
        << QList<CaseRecord>{pump()} << Factor() << Lifetime() << 0
        << QStringList{"29,200", "2,920.00", "1,000.00", "4", "----", "----", "----", "----", "----"};
    QTest::newRow("empty plant")
        << QList<CaseRecord>{} << Factor(0.4) << Lifetime(PlantLifetime{10, 8}) << 0
        << QStringList{"0", "0.00", "0.00", "----", "0.0", "0.00", "----", "0.00", "0.0"};
}

void TestPlantModel::totals()
{
    QFETCH(QList<CaseRecord>, cases);
    QFETCH(Factor, factor);
    QFETCH(Lifetime, lifetime);
    QFETCH(int, leftOut);
    QFETCH(QStringList, expected);

    const PlantSummary summary = run(cases, factor, lifetime);
    QCOMPARE(summary.cases.size(), cases.size());
    QCOMPARE(summary.leftOutCount, leftOut);
    QCOMPARE(summary.computedCount, cases.size() - leftOut);
    const PlantFigures &t = summary.totals;
    const QStringList shown{PlantFormat::kwh(t.kwh, English),
                            PlantFormat::money(t.money, English),
                            PlantFormat::money(t.drive, English),
                            PlantFormat::months(t.months, English),
                            PlantFormat::co2(t.co2, English),
                            PlantFormat::npv(t.npv, English),
                            PlantFormat::irr(t.irr, English),
                            PlantFormat::lifetimeSaving(t.lifetimeSaving, English),
                            PlantFormat::co2(t.lifetimeCo2, English)};
    QCOMPARE(shown, expected);
}

void TestPlantModel::perCaseFigures()
{
    const PlantSummary summary = run({pump(), hpPump()}, 0.5, PlantLifetime{10, 8});
    // Each case as the main window shows it after Calculate.
    CaseRecord window = hpPump();
    QVERIFY(CalculateSavings(window, English).computed);
    const PlantCaseResult &hp = summary.cases[1];
    QCOMPARE(hp.record, window);
    const PlantCaseTexts texts = caseTexts(hp, English);
    QCOMPARE(texts.power, QStringLiteral("7.4"));
    QCOMPARE(texts.efficiency, QStringLiteral("90"));
    QCOMPARE(texts.kwh, QStringLiteral("21,491")); // 29,200 x 0.736
    QCOMPARE(texts.money, QStringLiteral("2,149.12"));
    QCOMPARE(texts.drive, QStringLiteral("1,000.00"));
    QCOMPARE(texts.months, QStringLiteral("6"));
    QCOMPARE(texts.co2, QStringLiteral("10.7"));
    QCOMPARE(texts.npv, QStringLiteral("13,420.77"));
    QCOMPARE(texts.irr, QStringLiteral("214.9"));
    // The totals are sums of the unrounded case figures.
    QCOMPARE(summary.totals.kwh, summary.cases[0].figures.kwh + hp.figures.kwh);
    QCOMPARE(totalTexts(summary, English).power, QString());

    // An empty efficiency takes the default of the power, as in the window.
    CaseRecord defaulted = pump();
    defaulted.mskRendimento.clear();
    const PlantCaseResult d = run({defaulted}, {}, {}).cases[0];
    QCOMPARE(d.efficiency, std::optional<double>(87));
    QCOMPARE(d.record.mskRendimento, QStringLiteral("87"));
}

void TestPlantModel::failedCaseKeepsItsMessage()
{
    CaseRecord expensive = pump();
    expensive.mskValorkWh = QStringLiteral("10");
    expensive.cboMoedas = QStringLiteral("R$");
    const PlantSummary summary = run({tooManyHours(), expensive}, 0.5, PlantLifetime{});
    QCOMPARE(summary.leftOutCount, 2);
    QCOMPARE(summary.cases[0].message, QStringLiteral("T62"));
    QCOMPARE(summary.cases[1].message, QStringLiteral("T70R$T71")); // the case's own currency
    QVERIFY(!summary.cases[0].computed);
    QCOMPARE(summary.cases[0].record, tooManyHours()); // left as given
    const PlantCaseTexts texts = caseTexts(summary.cases[0], English);
    QCOMPARE(texts.power, QStringLiteral("10.0"));
    QVERIFY(texts.kwh.isEmpty() && texts.money.isEmpty() && texts.npv.isEmpty());
}

void TestPlantModel::irrWithoutSignChange()
{
    // A saving of more than 101 times the investment a year still pays at 10,000 %: no root in range.
    QCOMPARE(PlantEconomics::internalRateOfReturn(1, 200, 10), std::nullopt);
    QCOMPARE(PlantEconomics::internalRateOfReturn(100, -5, 10), std::nullopt);
    // One year: the rate is S / D - 1.
    QVERIFY(qAbs(*PlantEconomics::internalRateOfReturn(100, 150, 1) - 50) <= 0.01);
    QCOMPARE(PlantEconomics::netPresentValue(100, 150, {1, 50}), 0.0);
}

void TestPlantModel::regionalSeparators()
{
    const PlantSummary summary = run({pump(QStringLiteral("30000"))}, 0.5, PlantLifetime{10, 8}, English);
    QCOMPARE(PlantFormat::npv(summary.totals.npv, Brazil), QStringLiteral("-10.406,56"));
    QCOMPARE(PlantFormat::irr(summary.totals.irr, Brazil), QStringLiteral("-0,5"));
    QCOMPARE(PlantFormat::co2(summary.totals.co2, Brazil), QStringLiteral("14,6"));
    QCOMPARE(PlantFormat::kwh(1234.5, Brazil), QStringLiteral("1.234")); // half to even
    QCOMPARE(PlantFormat::kwh(1235.5, Brazil), QStringLiteral("1.236"));
}

void TestPlantModel::factorShowsEveryDecimal_data()
{
    QTest::addColumn<double>("factor");
    QTest::addColumn<QString>("english");
    QTest::addColumn<QString>("brazil");
    QTest::newRow("at least three decimals") << 0.5 << "0.500" << "0,500";
    QTest::newRow("a country's factor, 383.5 g/kWh") << 383.5 / 1000 << "0.3835" << "0,3835";
    QTest::newRow("a typed one") << 0.123456 << "0.123456" << "0,123456";
    QTest::newRow("whole") << 2.0 << "2.000" << "2,000";
}

void TestPlantModel::factorShowsEveryDecimal()
{
    QFETCH(double, factor);
    QFETCH(QString, english);
    QFETCH(QString, brazil);
    QCOMPARE(PlantFormat::factor(factor, English), english);
    QCOMPARE(PlantFormat::factor(factor, Brazil), brazil);
    // What is shown reads back as the factor used.
    QCOMPARE(English.toDouble(english), factor);
}

void TestPlantModel::unreadRowIsLeftOut()
{
    PlantAccumulator plant(0.5, PlantLifetime{}, English, text);
    plant.add(pump());
    const PlantCaseResult unread = plant.addUnread(QStringLiteral("P-9"), QStringLiteral("Line 9: why"));
    QVERIFY(unread.unread && !unread.computed);
    QCOMPARE(unread.reference, QStringLiteral("P-9"));
    QCOMPARE(caseTexts(unread, English).kwh, QString());
    const PlantSummary summary = plant.summary();
    QCOMPARE(summary.leftOutCount, 1);
    QCOMPARE(summary.computedCount, 1);
    QCOMPARE(summary.totals.kwh, 29200.0);
}

void TestPlantModel::eachRowByItsOwnModel_data()
{
    QTest::addColumn<Curves>("curves"); // of pump() each
    QTest::addColumn<QStringList>("models");
    QTest::addColumn<QStringList>("kwh");    // per row
    QTest::addColumn<QStringList>("totals"); // kwh, money, drive, months

    // The table's 29,200 kWh, and on the system curve with 30 % static head and a 97 % drive
    // 11.111 kW x 365 x 8 h x (0.12557 + 0.25309 + 0.35598) = 23,835 kWh; 2,000 / 5,303.50 x 12 = 4.5 months.
    const SystemCurveParameters head30{30, 97, 0, std::nullopt};
    QTest::newRow("a row of each model") << Curves{std::nullopt, head30} << QStringList{"T342", "T330, h0 30 %"}
                                         << QStringList{"29,200", "23,835"}
                                         << QStringList{"53,035", "5,303.50", "2,000.00", "5"};
    // 90 % static head behind an 80 % drive costs 9,019.6 kWh a year: the plant saves less by it.
    const SystemCurveParameters loss{90, 80, 0, std::nullopt};
    QTest::newRow("a row that costs energy") << Curves{std::nullopt, loss} << QStringList{"T342", "T330, h0 90 %"}
                                             << QStringList{"29,200", "-9,020"}
                                             << QStringList{"20,180", "2,018.04", "2,000.00", "12"};
    QTest::newRow("a plant that loses pays nothing back")
        << Curves{loss} << QStringList{"T330, h0 90 %"} << QStringList{"-9,020"}
        << QStringList{"-9,020", "-901.96", "1,000.00", "----"};
}

void TestPlantModel::eachRowByItsOwnModel()
{
    QFETCH(Curves, curves);
    QFETCH(QStringList, models);
    QFETCH(QStringList, kwh);
    QFETCH(QStringList, totals);

    const PlantSummary summary = computeSummary({QList<CaseRecord>(curves.size(), pump()), 0.5, PlantLifetime{},
                                                 English, text, curves});
    QStringList shownModels;
    QStringList shownKwh;
    for (const PlantCaseResult &result : summary.cases) {
        shownModels << plantModelText(result, text, English);
        shownKwh << caseTexts(result, English).kwh;
    }
    QCOMPARE(shownModels, models);
    QCOMPARE(shownKwh, kwh);
    const PlantCaseTexts t = totalTexts(summary, English);
    QCOMPARE((QStringList{t.kwh, t.money, t.drive, t.months}), totals);
    // A row that loses has no payback of its own either.
    for (const PlantCaseResult &result : summary.cases) {
        if (result.figures.money < 0)
            QCOMPARE(caseTexts(result, English).months, QStringLiteral("----"));
    }
}

TESSIO_TEST_GUILESS_MAIN(TestPlantModel)
#include "tst_plantmodel.moc"
