// One start of a window, ended after its first paint: "main" is the calculator's main window loaded
// from the Config.ini in <folder>, "minimal" a bare QWidget of the same size started the same way.
// Usage: bench_startup_window <main|minimal> <folder>. Timed from outside by bench_startup.
#include "mainwindow/frmcalcretorno.h"
#include "platform/qtdialogs.h"
#include "settings/companyblock.h"

#include <QApplication>
#include <QEvent>
#include <QTimer>

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
            QTimer::singleShot(0, qApp, &QCoreApplication::quit);
        }
        return QObject::eventFilter(watched, event);
    }

private:
    bool m_done = false;
};

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() != 3)
        return 2;
    FirstPaint firstPaint;
    QtDialogs dialogs;
    CompanyBlock company;
    if (args[1] == QLatin1String("main")) {
        frmCalcRetorno window(dialogs, company, QLocale::system());
        if (!window.load(args[2], nullptr))
            return 1;
        window.installEventFilter(&firstPaint);
        window.show();
        return QApplication::exec();
    }
    QWidget window;
    window.resize(frmCalcRetorno::WindowWidth, frmCalcRetorno::WindowHeight);
    window.installEventFilter(&firstPaint);
    window.show();
    return QApplication::exec();
}
