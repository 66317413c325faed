#pragma once

#include "calc/calculator.h"
#include "report/savingscurves.h"
#include "report/savingspicture.h"

#include <QList>
#include <QPointer>
#include <QWidget>

// The graph window: twelve chart pictures, imgPT, imgES and imgEN with one element per application,
// all at the top-left corner at their own size and hidden until showChart makes one visible. The
// title (text 1 " - " text 12) is set once when the window is made. Closing the window destroys it.
// A picture is built the first time it is shown, so opening the window costs one chart, not twelve.
class frmGraph : public QWidget
{
    Q_OBJECT
public:
    explicit frmGraph(const TextLookup &text, QWidget *parent = nullptr);

    // Shows the chart of `application` in `language` and hides every other; an application outside
    // 0..3 leaves the window empty.
    void showChart(GraphLanguage language, int application);
    void hideCharts();

    // The pictures of one language, indexed by application; an element is nullptr until first shown.
    const QList<SavingsPicture *> &imgPT() const { return m_pictures[0]; }
    const QList<SavingsPicture *> &imgES() const { return m_pictures[1]; }
    const QList<SavingsPicture *> &imgEN() const { return m_pictures[2]; }
    SavingsPicture *picture(GraphLanguage language, int application) const;

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    QList<SavingsPicture *> m_pictures[GraphLanguageCount];
};

// Client area of the graph window, just larger than a picture.
inline constexpr QSize GraphWindowSize(715, 410);

// Where a window whose frame is `frameSize` goes: centred on `parentFrame`, then moved no more than
// needed to lie inside `available` (a screen's area without its task bars). A window larger than
// `available` keeps its top-left corner inside it, so that its title bar can be reached.
QPoint windowPlacement(const QRect &parentFrame, const QSize &frameSize, const QRect &available);

// The Graph command: opens the graph window if it is not open (window is null), centred on `parent`
// and inside the available area of the parent's screen, in the parent's number format; shows the chart of the selected application
// for the language named "Português", "Español" or "English" (none for any other name), and shows the
// window without blocking the main window, bringing it to the front. A window that is open already
// stays where the user left it.
void showGraph(QPointer<frmGraph> &window, const QString &languageName, int application, const TextLookup &text,
               QWidget *parent);
