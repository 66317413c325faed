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
    double toPaint = 0; // milliseconds to the first paint (to the end where the paint is not reported)
    double toEnd = 0;   // milliseconds until the program has ended
    double peakMiB = 0; // 0 where the window program cannot tell
};

Run runOnce(const QString &program, const QString &mode, const QString &folder, bool *ok)
{
    QProcess process;
    QElapsedTimer timer;
    timer.start();
    process.start(program, {mode, folder});
    // Windows ends the line with CR LF.
    QByteArray output;
    while (!output.contains("painted") && process.waitForReadyRead(30000))
        output += process.readAllStandardOutput();
    Run run;
    run.toPaint = double(timer.nsecsElapsed()) / 1e6;
    // waitForFinished() is false for a program that has already ended.
    *ok = (process.state() == QProcess::NotRunning || process.waitForFinished(30000)) &&
          process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
    run.toEnd = double(timer.nsecsElapsed()) / 1e6;
    if (!output.contains("painted"))
        run.toPaint = run.toEnd;
    output += process.readAllStandardOutput();
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
    QList<QList<Run>> runsOf(modes.size());
    for (int i = 0; i < runs && ok; ++i) {
        for (qsizetype m = 0; m < modes.size() && ok; ++m)
            runsOf[m].append(runOnce(program, modes[m], folder, &ok));
    }
    if (!ok) {
        out << "a run failed\n";
        return 1;
    }
    out << "platform: " << qgetenv("QT_QPA_PLATFORM") << ", runs: " << runs << "\n";
    const QStringList names{QStringLiteral("main window  "), QStringLiteral("bare Qt      "),
                            QStringLiteral("Qt with label")};
    auto of = [&](qsizetype m, double Run::*figure) {
        QList<double> values;
        for (const Run &run : std::as_const(runsOf[m]))
            values.append(run.*figure);
        return figures(values);
    };
    // Start-up is the time to the first paint; the time to the end adds the program's ending, which the
    // bare window does faster.
    for (qsizetype m = 0; m < modes.size(); ++m) {
        const Figures paint = of(m, &Run::toPaint);
        const Figures end = of(m, &Run::toEnd);
        out << QStringLiteral("%1  to the paint: median %2 ms, min %3 ms;  to the end: median %4 ms, min %5 ms")
                   .arg(names[m])
                   .arg(paint.median, 0, 'f', 1)
                   .arg(paint.min, 0, 'f', 1)
                   .arg(end.median, 0, 'f', 1)
                   .arg(end.min, 0, 'f', 1);
        if (const double peak = of(m, &Run::peakMiB).median; peak > 0)
            out << QStringLiteral(";  peak memory %1 MiB").arg(peak, 0, 'f', 1);
        out << "\n";
    }
    for (qsizetype m = 1; m < modes.size(); ++m) {
        auto ratio = [&](double Run::*figure) { return of(0, figure).median / of(m, figure).median; };
        out << QStringLiteral("main window / %1: start-up %2 (to the end %3)")
                   .arg(names[m].trimmed())
                   .arg(ratio(&Run::toPaint), 0, 'f', 2)
                   .arg(ratio(&Run::toEnd), 0, 'f', 2);
        if (of(m, &Run::peakMiB).median > 0)
            out << QStringLiteral(", peak memory %1").arg(ratio(&Run::peakMiB), 0, 'f', 2);
        out << " (medians)\n";
    }
    return 0;
}
