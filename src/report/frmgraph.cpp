#include "report/frmgraph.h"

#include "report/savingspicture.h"

namespace {
constexpr int TitleApplication = 1;
constexpr int TitleGraph = 12;
} // namespace

frmGraph::frmGraph(const TextLookup &text, QWidget *parent)
    : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("frmGraph"));
    setAttribute(Qt::WA_DeleteOnClose);
    for (auto &pictures : m_pictures)
        pictures = QList<SavingsPicture *>(ApplicationCount, nullptr);
    if (text)
        setWindowTitle(text(TitleApplication) + QStringLiteral(" - ") + text(TitleGraph));
    resize(GraphWindowSize);
}

SavingsPicture *frmGraph::picture(GraphLanguage language, int application) const
{
    if (application < 0 || application >= ApplicationCount)
        return nullptr;
    return m_pictures[static_cast<int>(language)][application];
}

void frmGraph::hideCharts()
{
    for (const auto &pictures : m_pictures) {
        for (SavingsPicture *view : pictures) {
            if (view)
                view->hide();
        }
    }
}

void frmGraph::showChart(GraphLanguage language, int application)
{
    hideCharts();
    if (application < 0 || application >= ApplicationCount)
        return;
    SavingsPicture *&view = m_pictures[static_cast<int>(language)][application];
    if (!view) {
        view = new SavingsPicture(language, application, this);
        view->move(0, 0);
    }
    view->show();
    view->raise();
}

void frmGraph::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    for (const auto &pictures : m_pictures) {
        for (SavingsPicture *view : pictures) {
            if (view)
                view->move(0, 0);
        }
    }
}

void showGraph(QPointer<frmGraph> &window, const QString &languageName, int application, const TextLookup &text,
               QWidget *parent)
{
    if (!window)
        window = new frmGraph(text, parent);
    if (const auto language = graphLanguage(languageName))
        window->showChart(*language, application);
    else
        window->hideCharts();
    window->show();
    window->raise();
    window->activateWindow();
}
