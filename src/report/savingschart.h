#pragma once

#include "report/chartpainting.h"
#include "report/savingscurves.h"

#include <QColor>
#include <QFont>
#include <QImage>
#include <QList>
#include <QRectF>
#include <QSize>
#include <QStringList>

class QPainter;

// Every chart picture is this size, in device-independent pixels.
inline constexpr QSize PictureSize(700, 401);

// The chart of one application in one language, drawn with QPainter from SavingsCurveTable: a two-line
// centred title, a grey dotted plot with a black grid, power 0..120 % in steps of 20 against the six flow
// categories, the drive series (dark blue, diamonds) and the throttling series (magenta, squares) joined
// by straight lines, and at the right a framed legend with the bold note below it.
// The constructor lays everything out once; paint() only draws, so a picture can repaint cheaply.
class SavingsChart
{
public:
    enum class TextRole {
        Title,
        VerticalTitle,
        HorizontalTitle,
        VerticalLabel,
        HorizontalLabel,
        Legend,
        Note
    };

    using TextItem = ChartText<TextRole>;

    static inline const QColor DriveColour{0, 0, 128};
    static inline const QColor ThrottlingColour{255, 0, 255};
    static inline const QColor DotColour{128, 128, 128};

    // An application outside 0..3 gives an empty white picture.
    SavingsChart(GraphLanguage language, int application);

    bool isEmpty() const { return m_curves == nullptr; }
    const QList<TextItem> &textItems() const { return m_texts; }
    QStringList texts(TextRole role) const;

    QRectF plotArea() const { return m_plot; }
    QRectF legendArea() const { return m_legend; }
    // Where `power` (% of rated power) at flow category `index` (0 for 50 % .. 5 for 100 %) lies.
    QPointF pointAt(int index, double power) const;

    void paint(QPainter &painter) const;
    // The picture at PictureSize times devicePixelRatio, on white.
    QImage image(qreal devicePixelRatio = 1) const;

private:
    void layOut(const ChartTexts &texts);
    void addText(TextRole role, const QString &text, const QFont &font, const QRectF &rect, int flags,
                 bool vertical = false);

    const SavingsCurves *m_curves = nullptr;
    QList<TextItem> m_texts;
    QRectF m_plot;
    QRectF m_legend;
};
