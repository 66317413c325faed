#include "report/frmgraph.h"

#include "platform/accessiblerole.h"
#include "report/savingspicture.h"

#include <QScreen>

namespace {
constexpr int TitleApplication = 1;
constexpr int TitleGraph = 12;
} // namespace

frmGraph::frmGraph(const TextLookup &text, QWidget *parent)
    : QWidget(parent, Qt::Window)
{
    setAccessibleRole(staticMetaObject, QAccessible::Window);
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

QPoint windowPlacement(const QRect &parentFrame, const QSize &frameSize, const QRect &available)
{
    const QPoint centred(parentFrame.left() + (parentFrame.width() - frameSize.width()) / 2,
                         parentFrame.top() + (parentFrame.height() - frameSize.height()) / 2);
    // The far edge first, so that a window larger than the area ends at its near edge.
    const int right = available.left() + available.width() - frameSize.width();
    const int bottom = available.top() + available.height() - frameSize.height();
    return {qMax(available.left(), qMin(centred.x(), right)), qMax(available.top(), qMin(centred.y(), bottom))};
}

namespace {

// Places a new window over `parent` before it is first shown. Its frame is not known yet: it is taken
// to be as wide as the parent's, which has the same decorations.
void placeOver(QWidget *window, const QWidget *parent)
{
    if (!parent || !parent->screen())
        return;
    const QRect frame = parent->frameGeometry();
    const QRect client = parent->geometry();
    const QSize frameSize = window->size() + (frame.size() - client.size());
    window->move(windowPlacement(frame, frameSize, parent->screen()->availableGeometry()));
}

} // namespace

void showGraph(QPointer<frmGraph> &window, const QString &languageName, int application, const TextLookup &text,
               QWidget *parent)
{
    if (!window) {
        window = new frmGraph(text, parent);
        if (parent)
            window->setLocale(parent->locale()); // a window does not take its parent's by itself
        placeOver(window, parent);
    }
    if (const auto language = graphLanguage(languageName))
        window->showChart(*language, application);
    else
        window->hideCharts();
    window->show();
    window->raise();
    window->activateWindow();
}
