// The Graph command: the graph window opened with one chart and painted (target: under 100 ms).
#include "report/frmgraph.h"

#include <QApplication>
#include <QPixmap>
#include <benchmark/benchmark.h>

static void BM_OpenAndPaintGraphWindow(benchmark::State &state)
{
    const TextLookup text = [](int n) { return QStringLiteral("Text %1").arg(n); };
    int application = 0;
    for (auto _ : state) {
        QPointer<frmGraph> window;
        showGraph(window, QStringLiteral("English"), application, text, nullptr);
        QCoreApplication::processEvents();
        benchmark::DoNotOptimize(window->grab());
        state.PauseTiming();
        delete window;
        application = (application + 1) % ApplicationCount;
        state.ResumeTiming();
    }
}
BENCHMARK(BM_OpenAndPaintGraphWindow)->Unit(benchmark::kMillisecond);

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
