#include "localisation/scrambledfile.h"
#include "localisation/texttable.h"
#include "plant/cashflowchart.h"
#include "plant/planteconomics.h"
#include "plant/savingsparetochart.h"
#include "support/samplecases.h"
#include "support/testmain.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPicture>
#include <QRegularExpression>
#include <QTest>

// The plant's two charts, checked on what they lay out: the texts they draw (in the languages of the
// shipped Config.ini), the order and marking of the bars, and where the cash flow crosses zero.

namespace {

const QLocale English(QLocale::English, QLocale::UnitedStates);

// count cases "M-01" ... with savings count x 10 ... 10 and drives of three years' saving.
PlantSummary motors(int count)
{
    QList<SampleCases::FigureCase> cases;
    for (int i = 0; i < count; ++i) {
        const double money = (count - i) * 10.0;
        cases.append({3 * money, money, QStringLiteral("M-%1").arg(i + 1, 2, 10, QLatin1Char('0'))});
    }
    return SampleCases::plantOf(cases);
}

// Every text lies inside the chart, reads whole on one line (a note may wrap), and no two overlap; and
// painting stays inside the chart.
void checkLayout(const PlantChart &chart)
{
    const QRectF frame(QPointF(0, 0), chart.size());
    QList<QRectF> drawn;
    QList<QRectF> labelRects;
    for (const PlantChart::TextItem &item : chart.textItems()) {
        const QByteArray what = item.text.toUtf8();
        QVERIFY2(frame.contains(item.rect), what.constData());
        const QFontMetricsF metrics(item.font);
        if (item.role != PlantChart::TextRole::Note)
            QVERIFY2(metrics.horizontalAdvance(item.text) <= item.rect.width() + 0.5, what.constData());
        const QRectF bounds = metrics.boundingRect(item.rect, item.flags, item.text);
        QVERIFY2(item.rect.contains(bounds.adjusted(0.5, 0.5, -0.5, -0.5)), what.constData());
        for (const QRectF &other : drawn)
            QVERIFY2(!other.intersects(bounds), what.constData());
        drawn.append(bounds);
        // A bar's label owns its whole rect: a printer, which draws text wider than the screen measures
        // it, still keeps the labels apart.
        if (item.role == PlantChart::TextRole::BarLabel) {
            for (const QRectF &other : labelRects)
                QVERIFY2(!other.intersects(item.rect), what.constData());
            labelRects.append(item.rect);
        }
    }
    QPicture picture;
    QPainter painter(&picture);
    chart.paint(painter);
    painter.end();
    QVERIFY(QRectF(picture.boundingRect()).adjusted(0.5, 0.5, -0.5, -0.5).intersected(frame)
            == QRectF(picture.boundingRect()).adjusted(0.5, 0.5, -0.5, -0.5));
}

QList<QPair<double, double>> barSpans(const SavingsParetoChart &chart)
{
    QList<QPair<double, double>> spans;
    for (const SavingsParetoChart::Bar &bar : chart.bars())
        spans.append({bar.rect.height(), bar.chosenRect.height()});
    return spans;
}

} // namespace

Q_DECLARE_METATYPE(ChartFrame)

class TestPlantCharts : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void valueAxis_data();
    void valueAxis();
    void textsInEachLanguage_data();
    void textsInEachLanguage();
    void barsLargestFirstWithTheChoiceMarked();
    void manyCasesGroupIntoOthers_data();
    void manyCasesGroupIntoOthers();
    void cashFlowCrossesZeroAtThePayback_data();
    void cashFlowCrossesZeroAtThePayback();
    void aPlantThatSavesNothing();
    void describedForAScreenReader();

private:
    ChartContext context(int language, const ChartFrame &frame = ChartFrame::window()) const;
    TextTable m_texts;
};

void TestPlantCharts::initTestCase()
{
    const QString problem = readScrambledTable(
        m_texts, programFilePath(QCoreApplication::applicationDirPath(), "Config.ini"), nullptr);
    QVERIFY2(problem.isEmpty(), qPrintable(problem));
    QCOMPARE(m_texts.entry(0, 2), QStringLiteral("English"));
}

ChartContext TestPlantCharts::context(int language, const ChartFrame &frame) const
{
    const TextTable texts = m_texts;
    return {[texts, language](int n) { return texts.entry(n, language); },
            language == 2 ? English : QLocale(QLocale::Portuguese, QLocale::Brazil), QStringLiteral("R$"), frame};
}

void TestPlantCharts::valueAxis_data()
{
    QTest::addColumn<double>("low");
    QTest::addColumn<double>("high");
    QTest::addColumn<int>("steps");
    QTest::addColumn<QList<double>>("expected"); // low, high, step

    QTest::newRow("savings") << 0.0 << 5069.12 << 5 << QList<double>{0, 6000, 2000};
    QTest::newRow("a cash flow across zero") << -30000.0 << 6453.11 << 6 << QList<double>{-30000, 10000, 10000};
    QTest::newRow("a round top") << 0.0 << 100.0 << 5 << QList<double>{0, 100, 20};
    QTest::newRow("all below zero") << -1000.0 << 0.0 << 4 << QList<double>{-1000, 0, 500};
    QTest::newRow("nothing: 0 to 1") << 0.0 << 0.0 << 5 << QList<double>{0, 1, 0.2};
}

void TestPlantCharts::valueAxis()
{
    QFETCH(double, low);
    QFETCH(double, high);
    QFETCH(int, steps);
    QFETCH(QList<double>, expected);

    const ValueAxis axis = ValueAxis::around(low, high, steps);
    QCOMPARE((QList<double>{axis.low, axis.high, axis.step}), expected);
    const QList<double> ticks = axis.ticks();
    QCOMPARE(ticks.first(), axis.low);
    QCOMPARE(ticks.last(), axis.high);
    QVERIFY(ticks.size() - 1 <= steps);
}

void TestPlantCharts::textsInEachLanguage_data()
{
    QTest::addColumn<int>("language");
    QTest::addColumn<ChartFrame>("frame");
    QTest::addColumn<QStringList>("expected"); // the two titles, the legend, the start of the payback mark

    const QList<QStringList> texts{
        {"Onde estão as economias", "Quando se paga", "Dentro do orçamento", "Fora do orçamento", "Retorno descontado: "},
        {"Dónde están los ahorros", "Cuándo se paga", "Dentro del presupuesto", "Fuera del presupuesto",
         "Amortización descontada: "},
        {"Where the savings are", "When it pays", "Within the budget", "Outside the budget", "Discounted payback: "}};
    const QStringList names{"PT", "ES", "EN"};
    for (int language = 0; language < 3; ++language) {
        QTest::addRow("%s window", qPrintable(names[language])) << language << ChartFrame::window() << texts[language];
        QTest::addRow("%s page", qPrintable(names[language])) << language << ChartFrame::page() << texts[language];
    }
}

void TestPlantCharts::textsInEachLanguage()
{
    QFETCH(int, language);
    QFETCH(ChartFrame, frame);
    QFETCH(QStringList, expected);

    // Long references, a large plant and a budget: the tightest layout the charts meet.
    PlantSummary summary = motors(30);
    summary.cases[0].reference = QStringLiteral("Bomba de recalque da estação de tratamento 1");
    summary.cases[1].reference = QString(); // shown by its row
    const PlantLifetime terms{25, 8, 3};
    const PlantFigures &totals = summary.totals;

    const SavingsParetoChart savings(summary, PlantEconomics::chooseWithinBudget(summary, 2000.0), context(language, frame));
    QCOMPARE(savings.texts(PlantChart::TextRole::Title), QStringList{expected[0]});
    QCOMPARE(savings.texts(PlantChart::TextRole::Legend), expected.mid(2, 2));
    QVERIFY(savings.texts(PlantChart::TextRole::AxisTitle).first().endsWith(QStringLiteral(" (R$)")));
    QCOMPARE(savings.texts(PlantChart::TextRole::BarLabel).at(1), QStringLiteral("#2"));
    checkLayout(savings);

    const CashFlowChart cashFlow(PlantEconomics::cumulativeCashFlow(totals.drive, totals.money, terms),
                                 PlantEconomics::discountedPayback(totals.drive, totals.money, terms), context(language, frame));
    QCOMPARE(cashFlow.texts(PlantChart::TextRole::Title), QStringList{expected[1]});
    QVERIFY(cashFlow.texts(PlantChart::TextRole::Mark).first().startsWith(expected[4]));
    checkLayout(cashFlow);
}

void TestPlantCharts::barsLargestFirstWithTheChoiceMarked()
{
    const PlantSummary summary = SampleCases::plantOf(
        {{600, 300, "A"}, {5000, 1000, "B"}, {10, 50, "C"}, {1000, 1000, "D"}, {500, 0, "E saves nothing"}, {0, 0, "F failed", false}});
    // Paybacks: C 0.2 years, D 1, A 2, B 5: C, D and A fit 1,700, B no longer does.
    const PlantEconomics::BudgetChoice choice = PlantEconomics::chooseWithinBudget(summary, 1700);
    const SavingsParetoChart chart(summary, choice, context(2));

    // Equal savings (B, D) keep the plant's order.
    QCOMPARE(chart.texts(PlantChart::TextRole::BarLabel), (QStringList{"B", "D", "A", "C"}));
    QList<double> shares;
    QList<double> lineY;
    for (const SavingsParetoChart::Bar &bar : chart.bars()) {
        shares.append(bar.bar.cumulativeShare);
        lineY.append(bar.sharePoint.y());
    }
    QCOMPARE(shares, (QList<double>{1000 / 2350.0, 2000 / 2350.0, 2300 / 2350.0, 1}));
    QVERIFY(std::is_sorted(lineY.rbegin(), lineY.rend()));
    QCOMPARE(lineY.last(), chart.plotArea().top());
    // Heights in order, the chosen drives filled whole, B not at all.
    const auto spans = barSpans(chart);
    QCOMPARE(spans[0].first, spans[1].first);
    QVERIFY(spans[1].first > spans[2].first && spans[2].first > spans[3].first);
    QCOMPARE(spans[0].second, 0.0);
    for (int i = 1; i < 4; ++i)
        QCOMPARE(spans[i].second, spans[i].first);
    QCOMPARE(chart.texts(PlantChart::TextRole::Legend), (QStringList{"Within the budget", "Outside the budget"}));

    // Without a budget: the same bars, nothing marked, no legend.
    const SavingsParetoChart plain(summary, std::nullopt, context(2));
    QCOMPARE(plain.texts(PlantChart::TextRole::BarLabel), chart.texts(PlantChart::TextRole::BarLabel));
    QVERIFY(plain.texts(PlantChart::TextRole::Legend).isEmpty());
    QVERIFY(std::all_of(plain.bars().cbegin(), plain.bars().cend(),
                        [](const SavingsParetoChart::Bar &bar) { return bar.chosenRect.isEmpty(); }));
}

void TestPlantCharts::manyCasesGroupIntoOthers_data()
{
    QTest::addColumn<ChartFrame>("frame");
    QTest::newRow("window") << ChartFrame::window();
    QTest::newRow("page") << ChartFrame::page();
}

void TestPlantCharts::manyCasesGroupIntoOthers()
{
    QFETCH(ChartFrame, frame);

    const int count = 40;
    const PlantSummary summary = motors(count);
    PlantEconomics::BudgetChoice choice;
    choice.cases = {0, count - 1}; // the largest and the smallest
    const SavingsParetoChart chart(summary, choice, context(2, frame));

    const int kept = chart.maxBars() - 1;
    QVERIFY(kept >= 3 && kept < count / 2);
    QCOMPARE(chart.bars().size(), chart.maxBars());
    const QStringList labels = chart.texts(PlantChart::TextRole::BarLabel);
    QCOMPARE(labels.first(), QStringLiteral("M-01"));
    QCOMPARE(labels[kept - 1], QStringLiteral("M-%1").arg(kept, 2, 10, QLatin1Char('0')));
    QCOMPARE(labels.last(), QStringLiteral("others (%1)").arg(count - kept));
    const SavingsParetoChart::Bar &others = chart.bars().last();
    QVERIFY(others.bar.isOthers());
    // The savings 10 x (count - kept) ... 10 x 1, of which the smallest, 10, is chosen.
    const int left = count - kept;
    QCOMPARE(others.bar.money, 10.0 * left * (left + 1) / 2);
    QCOMPARE(others.bar.chosenMoney, 10.0);
    QVERIFY(qAbs(others.chosenRect.height() / others.rect.height() - 10.0 / others.bar.money) < 1e-9);
    QCOMPARE(others.bar.cumulativeShare, 1.0);
    checkLayout(chart);

    // As many cases as bars are all shown.
    const SavingsParetoChart exact(motors(chart.maxBars()), std::nullopt, context(2, frame));
    QVERIFY(std::none_of(exact.bars().cbegin(), exact.bars().cend(),
                         [](const SavingsParetoChart::Bar &bar) { return bar.bar.isOthers(); }));
    QCOMPARE(exact.bars().size(), chart.maxBars());
}

void TestPlantCharts::cashFlowCrossesZeroAtThePayback_data()
{
    QTest::addColumn<double>("drive");
    QTest::addColumn<double>("money");
    QTest::addColumn<int>("years");
    QTest::addColumn<double>("rate");
    QTest::addColumn<double>("rise");
    QTest::addColumn<QString>("mark");

    QTest::newRow("within a year") << 10000.0 << 2000.0 << 10 << 8.0 << 5.0 << "Discounted payback: 5.8 years";
    QTest::newRow("at a year's end") << 600.0 << 800.0 << 5 << 100.0 << 0.0 << "Discounted payback: 2.0 years";
    QTest::newRow("fifty years") << 30000.0 << 2920.0 << 50 << 8.0 << 0.0 << "Discounted payback: 22.4 years";
    QTest::newRow("not reached") << 30000.0 << 2920.0 << 10 << 8.0 << 0.0 << "Not paid back within 10 years";
    QTest::newRow("no drive price") << 0.0 << 2920.0 << 3 << 8.0 << 0.0 << "Discounted payback: 0.0 years";
}

void TestPlantCharts::cashFlowCrossesZeroAtThePayback()
{
    QFETCH(double, drive);
    QFETCH(double, money);
    QFETCH(int, years);
    QFETCH(double, rate);
    QFETCH(double, rise);
    QFETCH(QString, mark);

    const PlantLifetime terms{years, rate, rise};
    const std::optional<double> payback = PlantEconomics::discountedPayback(drive, money, terms);
    const CashFlowChart chart(PlantEconomics::cumulativeCashFlow(drive, money, terms), payback, context(2));
    QCOMPARE(chart.texts(PlantChart::TextRole::Mark), QStringList{mark});
    const QPolygonF &line = chart.line();
    QCOMPARE(line.size(), years + 1);
    QCOMPARE(line.first(), chart.pointAt(0, -drive));
    const QStringList yearLabels = chart.texts(PlantChart::TextRole::TickLabel).filter(QRegularExpression("^\\d+$"));
    QVERIFY(yearLabels.contains(QString::number(years)));

    // Where the line first reaches the zero line (y grows downwards).
    const double zeroY = chart.pointAt(0, 0).y();
    std::optional<double> crossing;
    for (qsizetype k = 0; k < line.size() && !crossing; ++k) {
        if (line[k].y() <= zeroY + 1e-9)
            crossing = k == 0 ? line[0].x()
                              : line[k - 1].x() + (line[k - 1].y() - zeroY) / (line[k - 1].y() - line[k].y())
                                    * (line[k].x() - line[k - 1].x());
    }
    QCOMPARE(crossing.has_value(), chart.paybackPoint().has_value());
    if (crossing) {
        QVERIFY2(qAbs(*crossing - chart.paybackPoint()->x()) < 1e-6, qPrintable(QString::number(*crossing)));
        QCOMPARE(chart.paybackPoint()->y(), zeroY);
    }
    checkLayout(chart);
}

void TestPlantCharts::aPlantThatSavesNothing()
{
    const PlantSummary empty;
    const PlantLifetime terms{10, 8};
    const SavingsParetoChart savings(empty, PlantEconomics::chooseWithinBudget(empty, 1000.0), context(2));
    const CashFlowChart cashFlow(PlantEconomics::cumulativeCashFlow(0, 0, terms), PlantEconomics::discountedPayback(0, 0, terms),
                                 context(2));
    for (const PlantChart *chart : {static_cast<const PlantChart *>(&savings), static_cast<const PlantChart *>(&cashFlow)}) {
        QCOMPARE(chart->texts(PlantChart::TextRole::Note), QStringList{"No savings to show."});
        QCOMPARE(chart->textItems().size(), 2); // the title and the note
        checkLayout(*chart);
    }
    QVERIFY(savings.bars().isEmpty());
    QVERIFY(cashFlow.isEmpty() && !cashFlow.paybackPoint());
}

// What a screen reader says of each chart: its values in words, the chosen drives and the payback.
void TestPlantCharts::describedForAScreenReader()
{
    const PlantSummary summary = SampleCases::plantOf({{600, 300, "A"}, {5000, 1000, "B"}, {10, 50, "C"}, {1000, 1000, "D"}});
    const SavingsParetoChart savings(summary, PlantEconomics::chooseWithinBudget(summary, 1700), context(2));
    QCOMPARE(savings.title(), QStringLiteral("Where the savings are"));
    QCOMPARE(savings.description(),
             QStringLiteral("Saving a year (R$): B: 1,000.00 (cumulative 42.6 %); D: 1,000.00 (cumulative 85.1 %), "
                            "Within the budget; A: 300.00 (cumulative 97.9 %), Within the budget; "
                            "C: 50.00 (cumulative 100.0 %), Within the budget."));

    const PlantLifetime terms{2, 0};
    const CashFlowChart cashFlow(PlantEconomics::cumulativeCashFlow(100, 60, terms),
                                 PlantEconomics::discountedPayback(100, 60, terms), context(2));
    QCOMPARE(cashFlow.title(), QStringLiteral("When it pays"));
    QCOMPARE(cashFlow.description(), QStringLiteral("Cumulative discounted cash flow (R$): year 0: -100.00; year 1: "
                                                    "-40.00; year 2: 20.00. Discounted payback: 1.7 years"));
}

TESSIO_TEST_MAIN(TestPlantCharts)
#include "tst_plantcharts.moc"
