// The plant summary of a 1,000-case plant: every case's checks and model, the totals, CO2, NPV and IRR
// per case and for the plant, and the texts of every row. Target: well under 50 ms, with the economics
// (a price rise, the discounted payback, a budget) and both charts laid out.
#include "plant/cashflowchart.h"
#include "plant/planteconomics.h"
#include "plant/plantmodel.h"
#include "plant/savingsparetochart.h"

#include <QGuiApplication>
#include <benchmark/benchmark.h>

namespace {

QList<CaseRecord> plant(int count)
{
    QList<CaseRecord> cases;
    for (int i = 0; i < count; ++i) {
        CaseRecord r;
        r.cboAplicacao = i % 4;
        r.optUnPotencia = i % 5 == 0 ? UnitHp : UnitKw;
        r.mskReferencia = QStringLiteral("Motor %1").arg(i);
        r.mskPotencia = QString::number(1.5 + i % 900, 'f', 1);
        r.mskRendimento = i % 7 == 0 ? QString() : QString::number(80 + i % 15);
        r.mskValorkWh = QString::number(0.05 + (i % 20) / 100.0, 'f', 2);
        r.mskInversor = QString::number(1000 + 37 * i);
        r.mskDiaAno = QString::number(200 + i % 166);
        r.mskVazao100 = QString::number(i % 13 == 0 ? 25 : 2); // a few fail a check
        r.mskVazao90 = QString::number(i % 9);
        r.mskVazao80 = QString::number((i / 9) % 7);
        r.mskVazao70 = QString::number((i / 63) % 5);
        cases << r;
    }
    return cases;
}

void BM_SummaryOfAThousandCases(benchmark::State &state)
{
    const QLocale locale(QLocale::English, QLocale::UnitedStates);
    const PlantInput input{plant(1000), 0.4, PlantLifetime{10, 8}, locale, [](int n) { return QString::number(n); }};
    for (auto _ : state) {
        const PlantSummary summary = computeSummary(input);
        for (const PlantCaseResult &result : summary.cases)
            benchmark::DoNotOptimize(caseTexts(result, locale));
        benchmark::DoNotOptimize(totalTexts(summary, locale));
    }
}
BENCHMARK(BM_SummaryOfAThousandCases)->Unit(benchmark::kMillisecond);

void BM_SummaryEconomicsAndChartsOfAThousandCases(benchmark::State &state)
{
    const QLocale locale(QLocale::English, QLocale::UnitedStates);
    // Every text with a place for its argument, as the chart and payback texts have.
    const TextLookup text = [](int n) { return QStringLiteral("Text %1 ").arg(n) + QStringLiteral("%1"); };
    const PlantInput input{plant(1000), 0.4, PlantLifetime{10, 8, 3}, locale, text, {}, 250000.0};
    for (auto _ : state) {
        const PlantSummary summary = computeSummary(input);
        for (const PlantCaseResult &result : summary.cases)
            benchmark::DoNotOptimize(caseTexts(result, locale));
        benchmark::DoNotOptimize(totalTexts(summary, locale));
        const ChartContext context{text, locale, QStringLiteral("US$"), ChartFrame::window()};
        const SavingsParetoChart savings(summary, summary.choice, context);
        const CashFlowChart cashFlow = CashFlowChart::ofPlant(summary, context);
        benchmark::DoNotOptimize(savings.bars().size() + cashFlow.line().size());
    }
}
BENCHMARK(BM_SummaryEconomicsAndChartsOfAThousandCases)->Unit(benchmark::kMillisecond);

} // namespace

// The charts measure their texts, which needs a GUI application (offscreen).
int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
