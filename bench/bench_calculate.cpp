// CalculateSavings on a typical case: the checks, the model and the result formats.
#include "calc/calculator.h"

#include <benchmark/benchmark.h>

static void BM_CalculateSavings(benchmark::State &state)
{
    const QLocale locale(QLocale::English, QLocale::UnitedStates);
    CaseRecord base;
    base.mskPotencia = QStringLiteral("75");
    base.mskValorkWh = QStringLiteral("0.10");
    base.mskInversor = QStringLiteral("12,500.00");
    base.mskVazao100 = QStringLiteral("4");
    base.mskVazao90 = base.mskVazao80 = base.mskVazao70 = QStringLiteral("6");
    for (auto _ : state) {
        CaseRecord record = base;
        benchmark::DoNotOptimize(CalculateSavings(record, locale));
        benchmark::DoNotOptimize(record);
    }
}
BENCHMARK(BM_CalculateSavings)->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();
