// The system-curve model on worked numbers: the drive's power on the system curve, whole cases beside
// the fixed table (warnings, negative savings, minimum speed and measured power included), and the
// parameters' ranges in a regional format.
#include "calc/systemcurve.h"
#include "support/samplecases.h"
#include "support/testmain.h"

#include <QTest>

using SampleCases::variant;
using SampleCases::workedExample;

namespace {

const QLocale English(QLocale::English, QLocale::UnitedStates);

CaseRecord withHours(CaseRecord record, const QStringList &hours)
{
    const std::array<QString CaseRecord::*, 6> fields{&CaseRecord::mskVazao100, &CaseRecord::mskVazao90,
                                                      &CaseRecord::mskVazao80,  &CaseRecord::mskVazao70,
                                                      &CaseRecord::mskVazao60,  &CaseRecord::mskVazao50};
    for (std::size_t i = 0; i < fields.size(); ++i)
        record.*fields[i] = hours[qsizetype(i)];
    return record;
}

SystemCurveParameters parameters(double staticHead, double driveEfficiency, double minSpeed,
                                 std::optional<double> measuredKw = std::nullopt)
{
    return {staticHead, driveEfficiency, minSpeed, measuredKw};
}

} // namespace

Q_DECLARE_METATYPE(SystemCurveParameters)

class TestSystemCurve : public QObject
{
    Q_OBJECT
private slots:
    void drivePower_data();
    void drivePower();
    void caseSavings_data();
    void caseSavings();
    void parameterTexts_data();
    void parameterTexts();
};

void TestSystemCurve::drivePower_data()
{
    QTest::addColumn<SystemCurveParameters>("parameters");
    QTest::addColumn<double>("flow");
    QTest::addColumn<double>("power");
    const SystemCurveParameters lossless = parameters(30, 100, 0);
    QTest::newRow("h0 30 %, 90 % flow") << lossless << 0.9 << 0.7803;
    QTest::newRow("h0 30 %, 80 % flow") << lossless << 0.8 << 0.5984;
    // A pump of 1,000 gpm at 100 ft with 30 ft static, at 700 gpm: 45.0 %, where the cube law says 34.3 %.
    QTest::newRow("h0 30 %, 70 % flow") << lossless << 0.7 << 0.4501;
    QTest::newRow("h0 30 %, 60 % flow") << lossless << 0.6 << 0.3312;
    QTest::newRow("h0 30 %, 50 % flow") << lossless << 0.5 << 0.2375;
    QTest::newRow("no static head: the cube law") << parameters(0, 100, 0) << 0.7 << 0.343;
    QTest::newRow("the drive's losses at full flow") << parameters(0, 97, 0) << 1.0 << 1.0309;
    QTest::newRow("held at 60 % speed") << parameters(0, 100, 60) << 0.5 << 0.18;
    QTest::newRow("above the minimum speed") << parameters(0, 100, 60) << 0.6 << 0.216;
}

void TestSystemCurve::drivePower()
{
    QFETCH(SystemCurveParameters, parameters);
    QFETCH(double, flow);
    QFETCH(double, power);
    QVERIFY2(qAbs(::drivePower(flow, parameters) - power) < 0.00005,
             qPrintable(QString::number(::drivePower(flow, parameters), 'f', 6)));
}

void TestSystemCurve::caseSavings_data()
{
    QTest::addColumn<CaseRecord>("record");
    QTest::addColumn<SystemCurveParameters>("parameters");
    QTest::addColumn<int>("failure");       // the check's text, 0 when the case computes
    QTest::addColumn<double>("kwh");        // a year, by the system curve
    QTest::addColumn<QStringList>("curve"); // kWh, money, months as shown
    QTest::addColumn<QStringList>("table");
    QTest::addColumn<QString>("difference"); // of the kWh
    QTest::addColumn<int>("warnings");
    QTest::addColumn<QList<int>>("held");

    // 10 kW, 90 %, 8 h at 90, 80 and 70 % flow, 365 days, 0.10 a kWh, a drive of 1,000: the table's 29,200 kWh.
    const CaseRecord worked = workedExample();
    const QStringList table{"29,200", "2,920.00", "4"};
    const QStringList noTable{"----", "----", "----"};
    QTest::newRow("defaults: no static head, 97 % drive")
        << worked << SystemCurveParameters() << 0 << 32023.0 << QStringList{"32,023", "3,202.30", "4"} << table
        << "+9.7" << 0 << QList<int>();
    QTest::newRow("static head 30 %")
        << worked << parameters(30, 97, 0) << 0 << 23835.0 << QStringList{"23,835", "2,383.50", "5"} << table
        << "-18.4" << 0 << QList<int>();
    QTest::newRow("measured input power 8 kW")
        << worked << parameters(0, 97, 0, 8) << 0 << 23056.6 << QStringList{"23,057", "2,305.66", "5"} << table
        << "-21.0" << 0 << QList<int>();
    CaseRecord fan = worked;
    fan.cboAplicacao = int(Application::FanOutletDamper);
    QTest::newRow("static head of 70 % warns, still a saving")
        << fan << parameters(70, 100, 0) << 0 << 12484.6 << QStringList{"12,485", "1,248.46", "10"}
        << QStringList{"26,604", "2,660.44", "5"} << "-53.1" << int(CurveWarning::HighStaticHead) << QList<int>();
    QTest::newRow("held at the minimum speed at 50 % flow")
        << withHours(worked, {"0", "0", "0", "0", "12", "12"}) << parameters(0, 100, 60) << 0 << 56161.3
        << QStringList{"56,161", "5,616.13", "2"} << QStringList{"38,933", "3,893.33", "3"} << "+44.3"
        << int(CurveWarning::HeldAtMinimumSpeed) << QList<int>{50};
    // Full flow saves nothing by the table; by the system curve the drive costs its own losses.
    QTest::newRow("hours at full flow cost the drive's losses")
        << withHours(worked, {"24", "0", "0", "0", "0", "0"}) << SystemCurveParameters() << 0 << -3010.3
        << QStringList{"-3,010", "-301.03", "----"} << noTable << "----" << int(CurveWarning::NothingSaved)
        << QList<int>();
    QTest::newRow("high static head: a negative saving")
        << worked << parameters(90, 80, 0) << 0 << -9019.6 << QStringList{"-9,020", "-901.96", "----"} << table
        << "-130.9" << int(CurveWarning::HighStaticHead | CurveWarning::NothingSaved) << QList<int>();
    // 10 HP is 7.36 kW; the empty efficiency takes the default for that power, 70 %.
    CaseRecord bypass = variant(variant(worked, &CaseRecord::mskRendimento, QString()), &CaseRecord::mskPotencia, "10");
    bypass.optUnPotencia = UnitHp;
    bypass.cboAplicacao = int(Application::PumpBypass);
    QTest::newRow("HP, default efficiency, by-pass")
        << bypass << parameters(20, 97, 0) << 0 << 36804.1 << QStringList{"36,804", "3,680.41", "3"}
        << QStringList{"39,298", "3,929.82", "3"} << "-6.3" << 0 << QList<int>();
    QTest::newRow("a check refuses the case")
        << variant(worked, &CaseRecord::mskPotencia, QString()) << SystemCurveParameters() << 59 << 0.0
        << QStringList{"", "", ""} << QStringList{"", "", ""} << "" << 0 << QList<int>();
}

void TestSystemCurve::caseSavings()
{
    QFETCH(CaseRecord, record);
    QFETCH(SystemCurveParameters, parameters);
    QFETCH(int, failure);
    QFETCH(double, kwh);
    QFETCH(QStringList, curve);
    QFETCH(QStringList, table);
    QFETCH(QString, difference);
    QFETCH(int, warnings);
    QFETCH(QList<int>, held);

    const ModelComparison comparison = compareModels(record, parameters, English);
    QCOMPARE(comparison.failure ? comparison.failure->text : 0, failure);
    const ComparisonTexts texts = comparisonTexts(comparison, English);
    if (failure) {
        QCOMPARE(QStringList(texts.curve.begin(), texts.curve.end()), curve);
        CaseRecord refused = record;
        QCOMPARE(CalculateSystemCurve(refused, parameters, English).failure->text, failure);
        QCOMPARE(refused, record);
        return;
    }
    QVERIFY2(qAbs(comparison.curve.kwh - kwh) < 0.1, qPrintable(QString::number(comparison.curve.kwh, 'f', 2)));
    QCOMPARE(QStringList(texts.curve.begin(), texts.curve.end()), curve);
    QCOMPARE(QStringList(texts.table.begin(), texts.table.end()), table);
    QCOMPARE(texts.difference[0], difference);
    QCOMPARE(int(comparison.curve.warnings), warnings);
    QCOMPARE(comparison.curve.heldFlows(), held);

    // The table's side is what Calculate writes into the main window.
    CaseRecord calculated = record;
    QVERIFY(CalculateSavings(calculated, English).computed);
    QCOMPARE(texts.table[0], calculated.mskEconomiakW);
    QCOMPARE(texts.table[1], calculated.mskEconomiaReais.trimmed());
    QCOMPARE(texts.table[2], calculated.mskRetorno);

    // The system curve's side is what the plant and tessio-calc write, with the efficiency used.
    CaseRecord byCurve = record;
    SavingFigures figures;
    QVERIFY(CalculateSystemCurve(byCurve, parameters, English, &figures).computed);
    QCOMPARE((QStringList{byCurve.mskEconomiakW, byCurve.mskEconomiaReais, byCurve.mskRetorno}), curve);
    QCOMPARE(byCurve.mskRendimento, calculated.mskRendimento);
    QCOMPARE(figures.kwh, comparison.curve.kwh);
}

void TestSystemCurve::parameterTexts_data()
{
    QTest::addColumn<int>("parameter");
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("shown"); // empty: refused, the default stays

    const int head = int(CurveParameter::StaticHead);
    const int drive = int(CurveParameter::DriveEfficiency);
    const int speed = int(CurveParameter::MinSpeed);
    const int measured = int(CurveParameter::MeasuredPower);
    QTest::newRow("static head 95") << head << "en_US" << "95" << "95";
    QTest::newRow("static head above 95") << head << "en_US" << "95.5" << "";
    QTest::newRow("static head negative") << head << "en_US" << "-1" << "";
    QTest::newRow("static head empty") << head << "en_US" << "" << "";
    QTest::newRow("static head, Brazilian decimals") << head << "pt_BR" << "32,5" << "32,5";
    QTest::newRow("drive efficiency 80") << drive << "en_US" << "80" << "80";
    QTest::newRow("drive efficiency below 80") << drive << "en_US" << "79.9" << "";
    QTest::newRow("drive efficiency above 100") << drive << "en_US" << "100.1" << "";
    QTest::newRow("minimum speed 100") << speed << "en_US" << "100" << "100";
    QTest::newRow("minimum speed not a number") << speed << "en_US" << "fast" << "";
    QTest::newRow("measured power empty: power / efficiency") << measured << "en_US" << " " << "(none)";
    QTest::newRow("measured power 0") << measured << "en_US" << "0" << "";
    QTest::newRow("measured power at the limit") << measured << "en_US" << "7,359.26" << "7359.26";
    QTest::newRow("measured power above the limit") << measured << "de_DE" << "7359,27" << "";
}

void TestSystemCurve::parameterTexts()
{
    QFETCH(int, parameter);
    QFETCH(QString, locale);
    QFETCH(QString, typed);
    QFETCH(QString, shown);

    const auto which = CurveParameter(parameter);
    const QLocale regional(locale);
    SystemCurveParameters read = parameters(10, 90, 10, 5);
    const SystemCurveParameters before = read;
    QCOMPARE(setParameter(read, which, typed, regional), !shown.isEmpty());
    if (shown.isEmpty()) {
        QCOMPARE(read, before);
        return;
    }
    QCOMPARE(parameterText(read, which, regional), shown == u"(none)" ? QString() : shown);
}

TESSIO_TEST_GUILESS_MAIN(TestSystemCurve)
#include "tst_systemcurve.moc"
