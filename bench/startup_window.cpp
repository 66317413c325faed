// One start of a window, ended after its first paint: "main" is the calculator's main window loaded
// from the Config.ini in <folder> with the progress window showing, as the program starts; "minimal" a
// bare QWidget of the same size started the same way; "label" that QWidget showing one line of text, so
// that it loads the fonts and the text layout as any window with a caption does.
// Usage: bench_startup_window <main|minimal|label> <folder>. Timed from outside by bench_startup: it prints
// "painted" once the window has painted, and on Linux its peak memory (the resident set's high-water mark)
// as "peak-memory-kib: <n>" when it ends.
#include "calc/companyblock.h"
#include "localisation/frmsplash.h"
#include "mainwindow/frmcalcretorno.h"
#include "platform/qtdialogs.h"

#include <QApplication>
#include <QEvent>
#include <QFile>
#include <QLabel>
#include <QTimer>

#include <cstdio>

namespace {

// Quits once the watched window has painted.
class FirstPaint : public QObject
{
public:
    using QObject::QObject;
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint && !m_done) {
            m_done = true;
            // The moment bench_startup stops its clock: what follows is the program ending.
            std::printf("painted\n");
            std::fflush(stdout);
            QTimer::singleShot(0, qApp, &QCoreApplication::quit);
        }
        return QObject::eventFilter(watched, event);
    }

private:
    bool m_done = false;
};

// The process's peak resident memory, where the system tells it.
void printPeakMemory()
{
#ifdef Q_OS_LINUX
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("VmHWM:")) {
            std::printf("peak-memory-kib: %lld\n", line.mid(6).trimmed().split(' ').first().toLongLong());
            std::fflush(stdout);
        }
    }
#endif
}

int run(const QStringList &args)
{
    FirstPaint firstPaint;
    QtDialogs dialogs;
    CompanyBlock company;
    if (args[1] == QLatin1String("main")) {
        frmSplash splash;
        frmCalcRetorno window(dialogs, company, QLocale::system());
        if (!window.load(args[2], &splash))
            return 1;
        window.installEventFilter(&firstPaint);
        window.show();
        return QApplication::exec();
    }
    QWidget window;
    window.resize(frmCalcRetorno::WindowWidth, frmCalcRetorno::WindowHeight);
    if (args[1] == QLatin1String("label"))
        new QLabel(QStringLiteral("Tessio"), &window); // owned by the window
    window.installEventFilter(&firstPaint);
    window.show();
    return QApplication::exec();
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() != 3)
        return 2;
    const int code = run(args);
    printPeakMemory();
    return code;
}
