#pragma once

#include "calc/calculator.h"

#include <QFont>
#include <QImage>
#include <QList>
#include <QLocale>
#include <QRectF>
#include <QSizeF>
#include <QStringList>

class QPainter;

// What a plant chart is drawn into: its size in device-independent pixels (points on paper, where a
// pixel-sized font is measured in points too) and its two font sizes.
struct ChartFrame
{
    QSizeF size;
    int fontPixels = 12;  // labels, ticks, legend, marks
    int titlePixels = 15; // the chart's title

    // The chart pane of the plant window.
    static ChartFrame window() { return {QSizeF(600, 340), 12, 15}; }
    // Half the width of the printed summary's first page (two charts side by side), in points.
    static ChartFrame page() { return {QSizeF(268, 175), 7, 9}; }
};

// The texts and formats a chart is drawn in.
struct ChartContext
{
    TextLookup text;      // the current language
    QLocale locale;       // the regional format of the numbers
    QString currency;     // shown in the money axis' title
    ChartFrame frame = ChartFrame::window();
};

// A value axis: ticks every `step` from `low` to `high`, both multiples of the step, which is 1, 2 or 5
// times a power of ten and gives at most the number of steps asked for.
struct ValueAxis
{
    double low = 0;
    double high = 1;
    double step = 1;

    static ValueAxis around(double low, double high, int maxSteps);
    QList<double> ticks() const;
};

// The common part of the plant's charts, in the manner of the savings chart: a subclass lays everything
// out once in its constructor (the texts drawn are kept, with their fonts and places, for tests and for
// the printed summary), and paint() only draws.
class PlantChart
{
public:
    enum class TextRole { Title, AxisTitle, TickLabel, BarLabel, Legend, Mark, Note };

    // One text as it is drawn: within rect, aligned by flags (Qt::AlignmentFlag).
    struct TextItem
    {
        TextRole role;
        QString text;
        QFont font;
        QRectF rect;
        int flags = 0;
        bool boxed = false; // on a white box, over the plot
    };

    static inline const QColor GridColour{214, 214, 214};
    static inline const QColor TitleColour{64, 64, 68};

    virtual ~PlantChart() = default;

    QSizeF size() const { return m_context.frame.size; }
    QRectF plotArea() const { return m_plot; }
    const QList<TextItem> &textItems() const { return m_texts; }
    QStringList texts(TextRole role) const;

    virtual void paint(QPainter &painter) const = 0;
    // The chart's name and what it shows, in words, for a screen reader.
    QString title() const;
    virtual QString description() const = 0;
    // The chart at its size times devicePixelRatio, on white.
    QImage image(qreal devicePixelRatio = 1) const;

protected:
    static constexpr double TickLength = 4;

    explicit PlantChart(ChartContext context);

    QFont font(bool bold = false) const;
    double lineHeight() const;
    double margin() const;
    double textWidth(const QString &text) const;
    // A line width or marker size of the window's chart, scaled with the font: thinner on paper.
    double stroke(double pixels) const { return pixels * m_context.frame.fontPixels / 12.0; }
    QString text(int number) const { return m_context.text ? m_context.text(number) : QString(); }
    const QLocale &locale() const { return m_context.locale; }

    void addText(TextRole role, const QString &text, const QRectF &rect, int flags, bool bold = false);
    // The title centred at the top; returns the y below it.
    double layOutTitle(const QString &title);
    // Text `number` and " (<currency>)": the title of a money axis.
    QString withCurrency(int number) const;
    // The room the labels of a money axis and their ticks take at the left of the plot.
    double moneyLabelWidth(const ValueAxis &axis) const;
    // Those labels, ending `gap` before the plot.
    void layOutMoneyLabels(const ValueAxis &axis, double gap);
    // The plot's note in the middle, when there is nothing to draw.
    void layOutNote(const QString &note);
    double yAt(double value) const;
    QString money(double value) const;

    // White background, then the horizontal grid lines of the axis.
    void paintBackground(QPainter &painter) const;
    void paintGrid(QPainter &painter, const ValueAxis &axis) const;
    void paintTexts(QPainter &painter) const;

    ChartContext m_context;
    QRectF m_plot;
    ValueAxis m_axis;
    QList<TextItem> m_texts;
};
