// Time from process start to the first painted main window, against a minimal Qt Widgets window
// started the same way. Runs bench_startup_window repeatedly and prints the figures: the times and, on
// Linux, the peak memory of one start.
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

    bool ok = true;
    runOnce(program, QStringLiteral("minimal"), folder, &ok); // warm the file cache
    runOnce(program, QStringLiteral("main"), folder, &ok);
    QList<double> main;
    QList<double> minimal;
    QList<double> mainPeak;
    QList<double> minimalPeak;
    for (int i = 0; i < runs && ok; ++i) {
        bool okMain = false;
        bool okMinimal = false;
        const Run m = runOnce(program, QStringLiteral("main"), folder, &okMain);
        const Run b = runOnce(program, QStringLiteral("minimal"), folder, &okMinimal);
        main.append(m.milliseconds);
        minimal.append(b.milliseconds);
        mainPeak.append(m.peakMiB);
        minimalPeak.append(b.peakMiB);
        ok = okMain && okMinimal;
    }
    if (!ok) {
        out << "a run failed\n";
        return 1;
    }
    const Figures m = figures(main);
    const Figures b = figures(minimal);
    out << "platform: " << qgetenv("QT_QPA_PLATFORM") << ", runs: " << runs << "\n";
    out << QStringLiteral("main window   median %1 ms  min %2 ms\n").arg(m.median, 0, 'f', 1).arg(m.min, 0, 'f', 1);
    out << QStringLiteral("minimal Qt    median %1 ms  min %2 ms\n").arg(b.median, 0, 'f', 1).arg(b.min, 0, 'f', 1);
    out << QStringLiteral("ratio (median) %1\n").arg(m.median / b.median, 0, 'f', 2);
    const double peakMain = figures(mainPeak).median;
    const double peakMinimal = figures(minimalPeak).median;
    if (peakMain > 0 && peakMinimal > 0) {
        out << QStringLiteral("peak memory   main window %1 MiB  minimal Qt %2 MiB  ratio %3 (medians)\n")
                   .arg(peakMain, 0, 'f', 1)
                   .arg(peakMinimal, 0, 'f', 1)
                   .arg(peakMain / peakMinimal, 0, 'f', 2);
    }
    return 0;
}
