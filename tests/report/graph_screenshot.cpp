// Renders the twelve charts of the graph window to PNG files, as the window shows them, for the
// documentation and for comparing pictures side by side.
// Usage: graph_screenshot <output folder> [<PT|ES|EN>-<application>...]
// writes graph-EN-0.png and so on: the charts named, or all twelve.
#include "report/frmgraph.h"

#include <QApplication>
#include <QDir>
#include <QTextStream>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    QTextStream err(stderr);
    if (args.size() < 2) {
        err << "usage: graph_screenshot <output folder> [<PT|ES|EN>-<application>...]\n";
        return 2;
    }
    const QDir output(args[1]);
    if (!QDir().mkpath(output.path())) {
        err << "cannot create " << output.path() << "\n";
        return 1;
    }
    const std::array<std::pair<QString, const char *>, 3> languages{{{QStringLiteral("Português"), "PT"},
                                                                     {QStringLiteral("Español"), "ES"},
                                                                     {QStringLiteral("English"), "EN"}}};
    const TextLookup text = [](int n) { return QStringLiteral("text %1").arg(n); };
    for (const auto &[languageName, code] : languages) {
        for (int application = 0; application < ApplicationCount; ++application) {
            QPointer<frmGraph> window;
            showGraph(window, languageName, application, text, nullptr);
            QCoreApplication::processEvents();
            const QString chart = QStringLiteral("%1-%2").arg(QLatin1String(code)).arg(application);
            if (args.size() > 2 && !args.contains(chart))
                continue;
            const QString name = QStringLiteral("graph-%1.png").arg(chart);
            // The picture lies at the window's top-left corner at its own size.
            const QPixmap picture = window->grab(QRect(QPoint(0, 0), QSize(700, 401)));
            delete window;
            if (!picture.save(output.filePath(name))) {
                err << "cannot write " << output.filePath(name) << "\n";
                return 1;
            }
            QTextStream(stdout) << output.filePath(name) << "\n";
        }
    }
    return 0;
}
