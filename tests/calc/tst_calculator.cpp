#include "calc/calculator.h"
#include "support/samplecases.h"
#include "support/testmain.h"

#include <QTest>

namespace {

const QLocale English(QLocale::English, QLocale::UnitedStates);
const QLocale Brazil(QLocale::Portuguese, QLocale::Brazil);

using SampleCases::workedExample;

} // namespace

class TestCalculator : public QObject
{
    Q_OBJECT
private slots:
    void checks_data();
    void checks();
    void kwhPriceMessageCarriesTheCurrency();
    void results_data();
    void results();
    void failedCheckLeavesTheRecord();
    void defaultEfficiency_data();
    void defaultEfficiency();
    void filledEfficiencyIsNeverReplaced();
    void roundingOfKwhAndMonthsIsHalfToEven();
    void brazilianSeparators();
};

void TestCalculator::checks_data()
{
    QTest::addColumn<CaseRecord>("record");
    QTest::addColumn<int>("text"); // 0: every check passes

    const CaseRecord ok = workedExample();
    QTest::newRow("valid case") << ok << 0;

    CaseRecord r = ok;
    r.mskVazao100.clear();
    r.mskPotencia.clear();
    QTest::newRow("first empty field wins") << r << 53;
    r = ok;
    r.mskVazao50.clear();
    r.mskPotencia.clear();
    QTest::newRow("hours 50 before power") << r << 58;
    r = ok;
    r.mskInversor.clear();
    QTest::newRow("empty drive price") << r << 61;
    r = ok;
    r.mskValorkWh = QStringLiteral(",");
    QTest::newRow("lone comma as price") << r << 60;
    r = ok;
    r.mskVazao70 = QStringLiteral("1.2.3");
    QTest::newRow("unreadable hours") << r << 56;

    r = ok;
    r.mskVazao60 = QStringLiteral("25");
    r.mskVazao90 = QStringLiteral("0");
    r.mskVazao80 = QStringLiteral("0");
    r.mskVazao70 = QStringLiteral("0");
    QTest::newRow("hours above 24") << r << 66;
    r = ok;
    r.mskVazao90 = QStringLiteral("24");
    r.mskVazao80 = QStringLiteral("1");
    r.mskVazao70 = QStringLiteral("0");
    QTest::newRow("24 and 1 pass alone, sum fails") << r << 69;
    r = ok;
    r.mskVazao90 = r.mskVazao80 = r.mskVazao70 = QStringLiteral("0");
    QTest::newRow("all hours zero") << r << 68;

    r = ok;
    r.mskValorkWh = QStringLiteral("9.99");
    QTest::newRow("price 9.99 passes") << r << 0;
    r.mskValorkWh = QStringLiteral("10");
    QTest::newRow("price 10 fails") << r << 70;

    r = ok;
    r.mskPotencia = QStringLiteral("7359.26");
    QTest::newRow("7359.26 kW passes") << r << 0;
    r.mskPotencia = QStringLiteral("7359.27");
    QTest::newRow("above kW limit") << r << 72;
    r.optUnPotencia = UnitHp;
    r.mskPotencia = QStringLiteral("9999");
    QTest::newRow("9999 HP passes") << r << 0;
    r.mskPotencia = QStringLiteral("9999.5");
    QTest::newRow("above HP limit") << r << 73;

    r = ok;
    r.mskDiaAno = QStringLiteral("365");
    QTest::newRow("365 days pass") << r << 0;
    r.mskDiaAno = QStringLiteral("366");
    QTest::newRow("366 days fail") << r << 74;
    r.mskDiaAno = QStringLiteral("abc");
    QTest::newRow("unreadable days") << r << 74;
}

void TestCalculator::checks()
{
    QFETCH(CaseRecord, record);
    QFETCH(int, text);
    const auto failure = checkCase(record, English);
    QCOMPARE(failure.has_value(), text != 0);
    if (failure)
        QCOMPARE(failure->text, text);
}

void TestCalculator::kwhPriceMessageCarriesTheCurrency()
{
    CaseRecord r = workedExample();
    r.mskValorkWh = QStringLiteral("12");
    r.cboMoedas = QStringLiteral("CAN$");
    const auto failure = checkCase(r, English);
    QVERIFY(failure);
    const TextLookup text = [](int n) { return QStringLiteral("<%1>").arg(n); };
    QCOMPARE(checkMessage(*failure, text, r.cboMoedas), QStringLiteral("<70>CAN$<71>"));
    QCOMPARE(checkMessage(CheckFailure{59}, text, r.cboMoedas), QStringLiteral("<59>"));
}

void TestCalculator::results_data()
{
    QTest::addColumn<CaseRecord>("record");
    QTest::addColumn<QString>("kwh");
    QTest::addColumn<QString>("money");
    QTest::addColumn<QString>("months");

    const CaseRecord example = workedExample();
    QTest::newRow("worked example") << example << "29,200" << " 2,920.00" << "4";

    CaseRecord r;
    r.cboAplicacao = int(Application::FanInletDamper);
    r.mskPotencia = QStringLiteral("10");
    r.mskRendimento = QStringLiteral("90");
    r.mskValorkWh = QStringLiteral("0.10");
    r.mskInversor = QStringLiteral("1000");
    r.mskVazao50 = QStringLiteral("24");
    QTest::newRow("fan inlet damper") << r << "14,600" << " 1,460.00" << "8";

    r = example;
    r.mskVazao100 = QStringLiteral("24");
    r.mskVazao90 = r.mskVazao80 = r.mskVazao70 = QStringLiteral("0");
    QTest::newRow("full flow only saves nothing") << r << "----" << "----" << "----";

    r = example;
    r.mskPotencia = QStringLiteral("0");
    r.mskRendimento.clear();
    QTest::newRow("power 0 with empty efficiency") << r << "----" << "----" << "----";

    r = example;
    r.cboAplicacao = -1;
    QTest::newRow("no application selected") << r << "----" << "----" << "----";

    r = example;
    r.mskInversor = QStringLiteral("0");
    QTest::newRow("free drive pays back at once") << r << "29,200" << " 2,920.00" << "0";

    r = example;
    r.mskValorkWh = QStringLiteral("0");
    QTest::newRow("free energy never pays back") << r << "29,200" << " 0.00" << "----";

    r = example;
    r.optUnPotencia = UnitHp;
    r.mskRendimento.clear();
    // 10 HP = 7.36 kW, default efficiency 70 %: 7.2 * 7.36 / 0.7 * 365 = 27,631.5...
    QTest::newRow("HP with default efficiency") << r << "27,632" << " 2,763.15" << "4";
}

void TestCalculator::results()
{
    QFETCH(CaseRecord, record);
    QFETCH(QString, kwh);
    QFETCH(QString, money);
    QFETCH(QString, months);
    const auto outcome = CalculateSavings(record, English);
    QVERIFY(outcome.computed);
    QVERIFY(!outcome.failure);
    QCOMPARE(record.mskEconomiakW, kwh);
    QCOMPARE(record.mskEconomiaReais, money);
    QCOMPARE(record.mskRetorno, months);
}

void TestCalculator::failedCheckLeavesTheRecord()
{
    CaseRecord r = workedExample();
    r.mskRendimento.clear();
    r.mskEconomiakW = QStringLiteral("old");
    r.mskVazao90 = QStringLiteral("25");
    const CaseRecord before = r;
    const auto outcome = CalculateSavings(r, English);
    QVERIFY(!outcome.computed);
    QCOMPARE(outcome.failure->text, 63);
    QCOMPARE(r, before);

    // An efficiency of 0 cannot divide: text 200, nothing written.
    r = workedExample();
    r.mskRendimento = QStringLiteral("0");
    const CaseRecord zeroEfficiency = r;
    const auto zero = CalculateSavings(r, English);
    QVERIFY(!zero.computed);
    QCOMPARE(zero.failure->text, 200);
    QCOMPARE(r, zeroEfficiency);

    r.mskRendimento = QStringLiteral("abc");
    QCOMPARE(CalculateSavings(r, English).failure->text, 200);
}

void TestCalculator::defaultEfficiency_data()
{
    QTest::addColumn<QString>("power");
    QTest::addColumn<int>("unit");
    QTest::addColumn<QString>("efficiency");
    QTest::newRow("5 kW") << "5" << UnitKw << "70";
    QTest::newRow("7.6 kW: first range wins") << "7.6" << UnitKw << "70";
    QTest::newRow("7.7 kW") << "7.7" << UnitKw << "70";
    QTest::newRow("7.8 kW") << "7.8" << UnitKw << "87";
    QTest::newRow("30 kW") << "30" << UnitKw << "87";
    QTest::newRow("30.1 kW") << "30.1" << UnitKw << "92";
    QTest::newRow("75 kW") << "75" << UnitKw << "92";
    QTest::newRow("80 kW") << "80" << UnitKw << "95";
    QTest::newRow("10 HP is 7.36 kW") << "10" << UnitHp << "70";
    QTest::newRow("11 HP is 8.096 kW") << "11" << UnitHp << "87";
}

void TestCalculator::defaultEfficiency()
{
    QFETCH(QString, power);
    QFETCH(int, unit);
    QFETCH(QString, efficiency);
    CaseRecord r = workedExample();
    r.mskPotencia = power;
    r.optUnPotencia = unit;
    r.mskRendimento.clear();
    QVERIFY(CalculateSavings(r, English).computed);
    QCOMPARE(r.mskRendimento, efficiency);
    QCOMPARE(::defaultEfficiency(0.0), QString());
}

void TestCalculator::filledEfficiencyIsNeverReplaced()
{
    CaseRecord r = workedExample();
    r.mskPotencia = QStringLiteral("80");
    r.mskRendimento = QStringLiteral("41");
    QVERIFY(CalculateSavings(r, English).computed);
    QCOMPARE(r.mskRendimento, QStringLiteral("41"));
}

void TestCalculator::roundingOfKwhAndMonthsIsHalfToEven()
{
    // 0.15 * 10 / 0.9 * 1 h * 3 days = 5.0 kWh per ... scaled to land on halves:
    // FanInletDamper, P/eta = 1/1 (efficiency 100), 0.15 * 10 h = 1.5 kWh a day, 1 day: 1.5 -> 2.
    CaseRecord r;
    r.cboAplicacao = int(Application::FanInletDamper);
    r.mskPotencia = QStringLiteral("1");
    r.mskRendimento = QStringLiteral("100");
    r.mskVazao50 = QStringLiteral("10");
    r.mskDiaAno = QStringLiteral("1");
    r.mskValorkWh = QStringLiteral("1");
    r.mskInversor = QStringLiteral("0.25"); // 0.25 / 1.5 * 12 = 2 months exactly
    QVERIFY(CalculateSavings(r, English).computed);
    QCOMPARE(r.mskEconomiakW, QStringLiteral("2"));

    // 2.5 kWh rounds down to 2; payback 0.3125 / 2.5 * 12 = 1.5 months rounds to 2.
    r.mskEconomiakW.clear();
    r.cboAplicacao = int(Application::PumpValve); // 0.41 at 50 %
    r.mskPotencia = QStringLiteral("25");
    r.mskVazao50 = QStringLiteral("1");
    r.mskDiaAno = QStringLiteral("1");
    r.mskRendimento = QStringLiteral("410"); // 25 / 4.1 * 0.41 = 2.5 kWh
    r.mskInversor = QStringLiteral("0.3125");
    QVERIFY(CalculateSavings(r, English).computed);
    QCOMPARE(r.mskEconomiakW, QStringLiteral("2"));
    QCOMPARE(r.mskRetorno, QStringLiteral("2"));

    // Payback of exactly 2.5 months rounds to 2.
    r.mskInversor = QStringLiteral("0.520833333333333333"); // 0.5208333 / 2.5 * 12 = 2.5
    QVERIFY(CalculateSavings(r, English).computed);
    QCOMPARE(r.mskRetorno, QStringLiteral("2"));
}

void TestCalculator::brazilianSeparators()
{
    CaseRecord r = workedExample();
    r.mskValorkWh = QStringLiteral("0,10");
    r.mskInversor = QStringLiteral("1.000,00");
    QVERIFY(CalculateSavings(r, Brazil).computed);
    QCOMPARE(r.mskEconomiakW, QStringLiteral("29.200"));
    QCOMPARE(r.mskEconomiaReais, QStringLiteral(" 2.920,00"));
    QCOMPARE(r.mskRetorno, QStringLiteral("4"));
}

TESSIO_TEST_GUILESS_MAIN(TestCalculator)
#include "tst_calculator.moc"
