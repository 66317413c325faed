// The system-curve model beside the fixed table over 10,000 cases of every application, unit and size:
// each case read through the checks, computed and its three results formatted, as Calculate does for
// the table. The figure to compare is cases_per_second; the system curve should stay within 10 % of
// the table's.
#include "calc/systemcurve.h"

#include <benchmark/benchmark.h>

namespace {

constexpr int CaseCount = 10000;

const QList<CaseRecord> &cases()
{
    static const QList<CaseRecord> all = [] {
        QList<CaseRecord> list;
        for (int i = 0; i < CaseCount; ++i) {
            CaseRecord r;
            r.cboAplicacao = i % 4;
            r.optUnPotencia = i % 2;
            r.mskPotencia = QString::number(1.5 + i % 900, 'f', 1);
            r.mskRendimento = i % 7 == 0 ? QString() : QString::number(80 + i % 15);
            r.mskValorkWh = QString::number(0.05 + (i % 20) / 100.0, 'f', 2);
            r.mskInversor = QString::number(1000 + 37 * i, 'f', 2);
            r.mskDiaAno = QString::number(200 + i % 166);
            r.mskVazao100 = QString::number(i % 3);
            r.mskVazao90 = QString::number(i % 9);
            r.mskVazao80 = QString::number((i / 9) % 7);
            r.mskVazao70 = QString::number((i / 63) % 5);
            r.mskVazao60 = QString::number(i % 2);
            list.append(r);
        }
        return list;
    }();
    return all;
}

const QLocale English(QLocale::English, QLocale::UnitedStates);

void setRate(benchmark::State &state)
{
    state.counters["cases_per_second"] =
        benchmark::Counter(double(state.iterations()) * CaseCount, benchmark::Counter::kIsRate);
}

} // namespace

static void BM_FixedTable(benchmark::State &state)
{
    for (auto _ : state) {
        for (CaseRecord record : cases()) {
            benchmark::DoNotOptimize(CalculateSavings(record, English));
            benchmark::DoNotOptimize(record);
        }
    }
    setRate(state);
}
BENCHMARK(BM_FixedTable)->Unit(benchmark::kMillisecond);

static void BM_SystemCurve(benchmark::State &state)
{
    const SystemCurveParameters parameters{30, 97, 40, std::nullopt};
    for (auto _ : state) {
        for (const CaseRecord &record : cases()) {
            const CurveOutcome outcome = calculateSystemCurve(record, parameters, English);
            if (!outcome.failure)
                benchmark::DoNotOptimize(resultTexts(outcome.result, English));
        }
    }
    setRate(state);
}
BENCHMARK(BM_SystemCurve)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
