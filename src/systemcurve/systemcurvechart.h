#pragma once

#include "calc/powercurves.h"
#include "calc/systemcurve.h"
#include "report/chartpainting.h"

#include <QColor>
#include <QFont>
#include <QImage>
#include <QList>
#include <QRectF>
#include <QSize>
#include <QStringList>

class QPainter;

// Language texts of the chart.
namespace CurveChartText {
inline constexpr int PowerAxis = 347;
inline constexpr int FlowAxis = 135;
inline constexpr int Throttled = 348;
inline constexpr int TableDrive = 349;
inline constexpr int CurveDrive = 350;
inline constexpr int HoursPerDay = 351;
} // namespace CurveChartText

// Where the two models part, drawn with QPainter: from 50 % to 100 % flow the power without a drive (the
// throttling series), with a drive by the fixed table (the savings chart's drive series) and with a
// drive by the system curve, in % of the full-flow power, and under the flow axis the hours a day at
// each flow level as bars with their figures. The legend stands at the right.
// The constructor lays everything out once, in chart units (Size; a pixel in the window, scaled onto the
// printed page); paint() only draws.
class SystemCurveChart
{
public:
    enum class TextRole { VerticalTitle, HorizontalTitle, VerticalLabel, HorizontalLabel, HoursTitle, HoursLabel, Legend };
    enum class Series { Throttled, TableDrive, CurveDrive };
    static constexpr int SeriesCount = 3;

    using TextItem = ChartText<TextRole>;

    static constexpr QSize Size{560, 350};
    static inline const QColor ThrottledColour{255, 0, 255};
    static inline const QColor TableColour{0, 0, 128};
    static inline const QColor CurveColour{217, 95, 2};
    static inline const QColor HoursColour{160, 174, 192};

    // An application outside 0..3 gives an empty white chart.
    SystemCurveChart(int application, const CurveResult &result, const TextLookup &text, const QLocale &locale);

    bool isEmpty() const { return !m_known; }
    const QList<TextItem> &textItems() const { return m_texts; }
    QStringList texts(TextRole role) const;
    QRectF plotArea() const { return m_plot; }
    QRectF legendArea() const { return m_legend; }
    QRectF hoursArea() const { return m_hours; }
    // The top of the power axis: 120 %, or the next step of 20 above the highest point.
    int powerMax() const { return m_powerMax; }
    // Power in % of full-flow power at ChartFlows (50 % first).
    const std::array<double, ChartPointCount> &values(Series series) const
    {
        return m_values[static_cast<std::size_t>(series)];
    }
    // Where `power` (%) at flow category `index` (0 for 50 % .. 5 for 100 %) lies.
    QPointF pointAt(int index, double power) const;
    // The bar of the hours at flow category `index`.
    QRectF hoursBar(int index) const;

    void paint(QPainter &painter) const;
    QImage image(qreal devicePixelRatio = 1) const;

private:
    void layOut(const TextLookup &text, const QLocale &locale);
    void layOutLegend(const QStringList &names);
    void addText(TextRole role, const QString &text, const QFont &font, const QRectF &rect, int flags,
                 bool vertical = false);
    void paintGrid(QPainter &painter) const;
    void paintSeries(QPainter &painter) const;
    void paintLegendSamples(QPainter &painter) const;

    bool m_known = false;
    std::array<std::array<double, ChartPointCount>, SeriesCount> m_values{};
    std::array<double, ChartPointCount> m_hoursPerDay{};
    int m_powerMax = 120;
    QList<TextItem> m_texts;
    QList<double> m_legendRows; // the centre line of each legend row
    QRectF m_plot;
    QRectF m_legend;
    QRectF m_hours;
};
