// Loading the shipped Config.ini: the whole load with the progress window and the event pass after every
// character, the same without the progress window, and the bare decode of the same bytes (hexadecimal,
// key, Windows-1252 and table layout, with neither progress nor events). Runs on the offscreen platform.
#include "files/codepage.h"
#include "localisation/frmsplash.h"
#include "localisation/scrambledfile.h"
#include "platform/dialogs.h"

#include <QApplication>
#include <QFile>

#include <benchmark/benchmark.h>

#include <cstdio>

namespace {

// A load of the shipped file shows no message; if one comes, the figures are meaningless.
class FailingDialogs : public Dialogs
{
public:
    Answer message(QWidget *, Icon, const QString &, const QString &text, Buttons) override
    {
        std::fprintf(stderr, "unexpected message: %s\n", qPrintable(text));
        std::abort();
    }
    Answer askToSave(QWidget *, const QString &, const QString &, const QString &, const QString &,
                     const QString &) override
    {
        return Answer::Cancel;
    }
    QString openFileName(QWidget *, const QString &, const QString &, const QString &) override { return {}; }
    QString saveFileName(QWidget *, const QString &, const QString &, const QString &) override { return {}; }
    bool choosePrinter(QWidget *, QPrinter &) override { return false; }
};

QByteArray storedConfig()
{
    QFile file(QCoreApplication::applicationDirPath() + QStringLiteral("/Config.ini"));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void BM_LoadWithProgressWindow(benchmark::State &state)
{
    FailingDialogs dialogs;
    frmSplash splash;
    for (auto _ : state) {
        TextTable table;
        LoadLanguageTexts(table, QCoreApplication::applicationDirPath(), dialogs, &splash);
        benchmark::DoNotOptimize(table);
    }
    state.counters["characters"] = double(storedConfig().size() / 2);
}
BENCHMARK(BM_LoadWithProgressWindow)->Unit(benchmark::kMillisecond);

void BM_DescrambleWithEventPassOnly(benchmark::State &state)
{
    const QString data = QString::fromLatin1(storedConfig());
    for (auto _ : state)
        benchmark::DoNotOptimize(parsePlainTable(Descramble(QString::fromLatin1(ScrambleKey), data)));
}
BENCHMARK(BM_DescrambleWithEventPassOnly)->Unit(benchmark::kMillisecond);

void BM_BareDecode(benchmark::State &state)
{
    const QByteArray stored = storedConfig();
    const QByteArray key(ScrambleKey);
    for (auto _ : state) {
        QByteArray plain = QByteArray::fromHex(stored);
        for (qsizetype i = 0; i < plain.size(); ++i)
            plain[i] = char(plain[i] ^ key[(i + 1) % key.size()]);
        benchmark::DoNotOptimize(parsePlainTable(CodePage::decode(plain)));
    }
}
BENCHMARK(BM_BareDecode)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (storedConfig().isEmpty()) {
        std::fprintf(stderr, "Config.ini not found beside the benchmark\n");
        return 1;
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
