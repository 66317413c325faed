// Time from process start to the first painted main window, against a bare Qt Widgets window and the same
// window showing one label, started the same way. Runs bench_startup_window repeatedly, the three in turn,
// and prints the figures: the times and, on Linux, the peak memory of one start.
// Usage: bench_startup [runs]   (QT_QPA_PLATFORM defaults to offscreen)
#include "files/codepage.h"
#include "localisation/scrambledfile.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTextStream>

#include <algorithm>

namespace {

// A language file of the full size (206 rows, three languages) when none lies beside the program.
bool writeLanguageFile(const QString &folder)
{
    QList<QStringList> rows{{QStringLiteral("Português"), QStringLiteral("Español"), QStringLiteral("English")}};
    for (int n = 1; n < 206; ++n)
        rows.append({QStringLiteral("Texto %1 em português").arg(n), QStringLiteral("Texto %1 en español").arg(n),
                     QStringLiteral("Text %1 in English").arg(n)});
    const QByteArray plain = CodePage::encode(composePlainTable(3, QStringLiteral("English"), rows));
    QFile file(QDir(folder).filePath(QLatin1String(LanguageFileName)));
    return file.open(QIODevice::WriteOnly) && file.write(Scramble(QString::fromLatin1(ScrambleKey), plain)) > 0;
}

struct Run
{
    double milliseconds = 0;
    double peakMiB = 0; // 0 where the window program cannot tell
};

Run runOnce(const QString &program, const QString &mode, const QString &folder, bool *ok)
{
    QProcess process;
    QElapsedTimer timer;
    timer.start();
    process.start(program, {mode, folder});
    *ok = process.waitForFinished(30000) && process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
    Run run{double(timer.nsecsElapsed()) / 1e6};
    const QByteArray output = process.readAllStandardOutput();
    const qsizetype at = output.indexOf("peak-memory-kib: ");
    if (at >= 0)
        run.peakMiB = output.mid(at + 17).split('\n').first().trimmed().toDouble() / 1024.0;
    return run;
}

struct Figures
{
    double median = 0;
    double min = 0;
};

Figures figures(QList<double> values)
{
    std::sort(values.begin(), values.end());
    return {values[values.size() / 2], values.first()};
}

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    const int runs = argc > 1 ? qMax(3, QString::fromLocal8Bit(argv[1]).toInt()) : 15;
    const QString program = QCoreApplication::applicationDirPath() + QStringLiteral("/bench_startup_window");

    QString folder = QCoreApplication::applicationDirPath();
    QTemporaryDir temporary;
    if (!QFile::exists(QDir(folder).filePath(QLatin1String(LanguageFileName)))) {
        if (!temporary.isValid() || !writeLanguageFile(temporary.path())) {
            out << "cannot write a language file\n";
            return 1;
        }
        folder = temporary.path();
        out << "Config.ini: generated (206 rows, 3 languages)\n";
    } else {
        out << "Config.ini: beside the program\n";
    }

    // The bare window draws nothing, so it loads no font; the window with one label pays what any window
    // with a caption pays (the font database, a font file, text shaping). Both ratios are printed; the
    // labelled window is the fair baseline for a program that shows text.
    const QStringList modes{QStringLiteral("main"), QStringLiteral("minimal"), QStringLiteral("label")};
    bool ok = true;
    for (const QString &mode : modes)
        runOnce(program, mode, folder, &ok); // warm the file cache
    QList<QList<double>> times(modes.size());
    QList<QList<double>> peaks(modes.size());
    for (int i = 0; i < runs && ok; ++i) {
        for (qsizetype m = 0; m < modes.size() && ok; ++m) {
            const Run run = runOnce(program, modes[m], folder, &ok);
            times[m].append(run.milliseconds);
            peaks[m].append(run.peakMiB);
        }
    }
    if (!ok) {
        out << "a run failed\n";
        return 1;
    }
    out << "platform: " << qgetenv("QT_QPA_PLATFORM") << ", runs: " << runs << "\n";
    const QStringList names{QStringLiteral("main window  "), QStringLiteral("bare Qt      "),
                            QStringLiteral("Qt with label")};
    QList<double> medianTime;
    QList<double> medianPeak;
    for (qsizetype m = 0; m < modes.size(); ++m) {
        const Figures t = figures(times[m]);
        medianTime.append(t.median);
        medianPeak.append(figures(peaks[m]).median);
        out << QStringLiteral("%1  median %2 ms  min %3 ms")
                   .arg(names[m])
                   .arg(t.median, 0, 'f', 1)
                   .arg(t.min, 0, 'f', 1);
        if (medianPeak[m] > 0)
            out << QStringLiteral("  peak memory %1 MiB").arg(medianPeak[m], 0, 'f', 1);
        out << "\n";
    }
    for (qsizetype m = 1; m < modes.size(); ++m) {
        out << QStringLiteral("main window / %1: start-up %2")
                   .arg(names[m].trimmed())
                   .arg(medianTime[0] / medianTime[m], 0, 'f', 2);
        if (medianPeak[0] > 0 && medianPeak[m] > 0)
            out << QStringLiteral(", peak memory %1").arg(medianPeak[0] / medianPeak[m], 0, 'f', 2);
        out << " (medians)\n";
    }
    return 0;
}
