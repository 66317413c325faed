// Time from process start to the first painted main window, against a minimal Qt Widgets window
// started the same way. Runs bench_startup_window repeatedly and prints the figures.
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

double runOnce(const QString &program, const QString &mode, const QString &folder, bool *ok)
{
    QProcess process;
    QElapsedTimer timer;
    timer.start();
    process.start(program, {mode, folder});
    *ok = process.waitForFinished(30000) && process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
    return double(timer.nsecsElapsed()) / 1e6;
}

struct Figures
{
    double median = 0;
    double min = 0;
};

Figures figures(QList<double> times)
{
    std::sort(times.begin(), times.end());
    return {times[times.size() / 2], times.first()};
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
    for (int i = 0; i < runs && ok; ++i) {
        bool okMain = false;
        bool okMinimal = false;
        main.append(runOnce(program, QStringLiteral("main"), folder, &okMain));
        minimal.append(runOnce(program, QStringLiteral("minimal"), folder, &okMinimal));
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
    return 0;
}
