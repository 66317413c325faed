// tessio-calc --csv over 10,000 case files, without and with --summary, and on the system curve
// (--static-head): the whole program run as a user runs it, start-up and language texts included. The
// figure to watch is cases_per_second; the system curve should stay within 10 % of the table's.
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstdio>

namespace {

constexpr int CaseCount = 10000;

// The program measured: the one of this build, or another build's named in TESSIO_CALC.
QString program()
{
    return qEnvironmentVariable("TESSIO_CALC", QStringLiteral(TESSIO_CALC));
}

struct CaseFolder
{
    QTemporaryDir dir;
    QStringList names;
};

// Cases of every application, unit and size; a few fail a check, as real batches do.
const CaseFolder &caseFolder()
{
    static CaseFolder folder = [] {
        CaseFolder f;
        for (int i = 0; i < CaseCount; ++i) {
            const QString name = QStringLiteral("case%1.WAU").arg(i, 5, 10, QLatin1Char('0'));
            const int h90 = i % 9, h80 = (i / 9) % 7, h70 = (i / 63) % 5;
            const QByteArray line =
                QStringLiteral(R"(%1,"Motor %2","%3","%4","%5","%6","%7","%8","%9","%10",%11,"%12","%13","%14")")
                    .arg(i % 4)
                    .arg(i)
                    .arg(200 + i % 166)
                    .arg(i % 13 == 0 ? 25 : 2)
                    .arg(h90)
                    .arg(h80)
                    .arg(h70)
                    .arg(i % 3)
                    .arg(i % 2)
                    .arg(QString::number(1.5 + i % 900, 'f', 1))
                    .arg(i % 5 == 0 ? QStringLiteral("#FALSE#") : QStringLiteral("#TRUE#"))
                    .arg(QString::number(0.05 + (i % 20) / 100.0, 'f', 2))
                    .arg(QString::number(1000 + 37 * i, 'f', 2))
                    .arg(i % 7 == 0 ? QString() : QString::number(80 + i % 15))
                    .toLatin1()
                + "\r\n";
            QFile file(f.dir.filePath(name));
            if (!file.open(QIODevice::WriteOnly) || file.write(line) != line.size())
                qFatal("cannot write %s", qPrintable(file.fileName()));
            f.names << name;
        }
        return f;
    }();
    return folder;
}

// tessio-calc over the ten thousand cases with options; rows is how many lines its output must have.
void runOverTheCases(benchmark::State &state, const QStringList &options, qsizetype rows)
{
    const CaseFolder &folder = caseFolder();
    QStringList arguments{QStringLiteral("--locale"), QStringLiteral("en_US"), QStringLiteral("--csv")};
    arguments += options;
    arguments += folder.names;
    for (auto _ : state) {
        QProcess process;
        process.setWorkingDirectory(folder.dir.path());
        process.start(program(), arguments);
        if (!process.waitForFinished(120000)) {
            state.SkipWithError("tessio-calc did not finish");
            return;
        }
        const QByteArray out = process.readAllStandardOutput();
        // Some cases fail a check on purpose, so the exit code is 1; every case must have its row.
        if (process.exitStatus() != QProcess::NormalExit || process.exitCode() > 1 || out.count('\n') != rows) {
            state.SkipWithError("tessio-calc did not write one row per case");
            return;
        }
    }
    state.counters["cases_per_second"] =
        benchmark::Counter(double(CaseCount) * double(state.iterations()), benchmark::Counter::kIsRate);
}

void BM_CsvOverTenThousandCases(benchmark::State &state)
{
    runOverTheCases(state, {}, CaseCount + 1);
}
BENCHMARK(BM_CsvOverTenThousandCases)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(5);

// The same with the plant's figures: CO2, NPV and IRR per case and the totals row.
void BM_SummaryOverTenThousandCases(benchmark::State &state)
{
    runOverTheCases(state,
                    {QStringLiteral("--summary"), QStringLiteral("--co2"), QStringLiteral("0.4"), QStringLiteral("--years"),
                     QStringLiteral("10"), QStringLiteral("--rate"), QStringLiteral("8")},
                    CaseCount + 2);
}
BENCHMARK(BM_SummaryOverTenThousandCases)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(5);

// The same cases on the system curve, with the four columns it adds.
void BM_StaticHeadOverTenThousandCases(benchmark::State &state)
{
    runOverTheCases(state, {QStringLiteral("--static-head"), QStringLiteral("30"), QStringLiteral("--min-speed"),
                            QStringLiteral("40")},
                    CaseCount + 1);
}
BENCHMARK(BM_StaticHeadOverTenThousandCases)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(5);

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    if (!QFile::exists(program())) {
        std::fprintf(stderr, "tessio-calc not found at %s\n", qPrintable(program()));
        return 1;
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
