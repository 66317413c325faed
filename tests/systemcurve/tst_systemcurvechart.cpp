// The system-curve chart on its recorded texts and positions: what it labels, where the three series and
// the hours lie, and that nothing runs outside the chart or into the plot.
#include "systemcurve/systemcurvechart.h"
#include "support/samplecases.h"
#include "support/testmain.h"

#include <QTest>

using Role = SystemCurveChart::TextRole;
using Series = SystemCurveChart::Series;

namespace {

const QLocale English(QLocale::English, QLocale::UnitedStates);

QString numbered(int n)
{
    return QStringLiteral("EN %1").arg(n);
}

// The worked example (8 h a day at 90, 80 and 70 % flow) with the given parameters.
SystemCurveChart chartOf(const SystemCurveParameters &parameters)
{
    const CurveOutcome outcome = calculateSystemCurve(SampleCases::workedExample(), parameters, English);
    return SystemCurveChart(int(Application::PumpValve), outcome.result, numbered, English);
}

} // namespace

class TestSystemCurveChart : public QObject
{
    Q_OBJECT
private slots:
    void labelsAndSeries();
    void layoutStaysInside();
    void powerAxisGrowsWithTheDrivesLosses();
    void unknownApplicationIsEmpty();
};

void TestSystemCurveChart::labelsAndSeries()
{
    const SystemCurveChart chart = chartOf({30, 97, 0, std::nullopt});
    QCOMPARE(chart.texts(Role::Legend), (QStringList{numbered(348), numbered(349), numbered(350)}));
    QCOMPARE(chart.texts(Role::VerticalTitle), QStringList{numbered(347)});
    QCOMPARE(chart.texts(Role::HorizontalTitle), QStringList{numbered(135)});
    QCOMPARE(chart.texts(Role::HoursTitle), QStringList{numbered(351)});
    QCOMPARE(chart.texts(Role::HorizontalLabel), (QStringList{"50", "60", "70", "80", "90", "100"}));
    QCOMPARE(chart.texts(Role::VerticalLabel), (QStringList{"0", "20", "40", "60", "80", "100", "120"}));
    QCOMPARE(chart.texts(Role::HoursLabel), (QStringList{"0", "0", "8", "8", "8", "0"}));

    // Without a drive and with the table: the valve's chart; with the system curve: V(q), 70 % flow at
    // index 2: 0.7 × (0.3 + 0.7 × 0.49) / 0.97.
    QCOMPARE(chart.values(Series::Throttled), (std::array<double, 6>{76, 79, 82, 87, 93, 100}));
    QCOMPARE(chart.values(Series::TableDrive), (std::array<double, 6>{35, 40, 45, 54, 73, 100}));
    QVERIFY(qAbs(chart.values(Series::CurveDrive)[2] - 46.402) < 0.001);

    // Each flow's figure of hours stands over its bar, under the flow's category; 8 h is a third of 24.
    const QList<SystemCurveChart::TextItem> &items = chart.textItems();
    int hoursIndex = 0;
    for (const auto &item : items) {
        if (item.role != Role::HoursLabel)
            continue;
        const QRectF bar = chart.hoursBar(hoursIndex);
        QCOMPARE(item.rect.center().x(), chart.pointAt(hoursIndex, 0).x());
        QCOMPARE(item.rect.bottom(), bar.top());
        QVERIFY(qAbs(bar.height() - chart.hoursArea().height() * item.text.toDouble() / 24) < 1e-9);
        ++hoursIndex;
    }
    QCOMPARE(hoursIndex, 6);
}

void TestSystemCurveChart::layoutStaysInside()
{
    const SystemCurveChart chart = chartOf(SystemCurveParameters());
    const QRectF whole(QPointF(0, 0), QSizeF(SystemCurveChart::Size));
    QVERIFY(whole.contains(chart.legendArea()));
    QVERIFY(chart.legendArea().left() > chart.plotArea().right());
    QVERIFY(chart.hoursArea().top() > chart.plotArea().bottom());
    for (const auto &item : chart.textItems()) {
        QVERIFY2(whole.contains(item.rect), qPrintable(item.text));
        QVERIFY2(!item.rect.intersects(chart.plotArea()), qPrintable(item.text));
        // The band of the hours starts below the flow axis and its title.
        if (item.role == Role::HorizontalLabel || item.role == Role::HorizontalTitle)
            QVERIFY2(item.rect.bottom() <= chart.hoursArea().top(), qPrintable(item.text));
    }
}

void TestSystemCurveChart::powerAxisGrowsWithTheDrivesLosses()
{
    // At 80 % efficiency the drive takes 125 % at full flow: the axis reaches the next step, 140.
    const SystemCurveChart chart = chartOf({0, 80, 0, std::nullopt});
    QCOMPARE(chart.values(Series::CurveDrive)[5], 125.0);
    QCOMPARE(chart.powerMax(), 140);
    QCOMPARE(chart.texts(Role::VerticalLabel).last(), QStringLiteral("140"));
    QCOMPARE(chart.pointAt(5, 140).y(), chart.plotArea().top());
}

void TestSystemCurveChart::unknownApplicationIsEmpty()
{
    const SystemCurveChart chart(-1, CurveResult(), numbered, English);
    QVERIFY(chart.isEmpty());
    QVERIFY(chart.textItems().isEmpty());
    const QImage image = chart.image();
    QCOMPARE(image.size(), SystemCurveChart::Size);
    QCOMPARE(image.pixelColor(image.width() / 2, image.height() / 2), QColor(Qt::white));
}

TESSIO_TEST_MAIN(TestSystemCurveChart)
#include "tst_systemcurvechart.moc"
