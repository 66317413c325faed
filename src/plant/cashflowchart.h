#pragma once

#include "plant/plantchart.h"
#include "plant/plantmodel.h"

#include <QColor>
#include <QPolygonF>
#include <optional>

// "When it pays": the plant's cumulative discounted cash flow from year 0 (-D) to year N as a line, the
// area above the zero line green and below it red, and the discounted payback marked where the line
// crosses zero (the payback is that crossing: both interpolate within the year), or a note that the
// drives are not paid back within the N years.
class CashFlowChart : public PlantChart
{
public:
    static inline const QColor LineColour{0, 0, 128};
    static inline const QColor GainColour{46, 160, 67, 70};
    static inline const QColor LossColour{210, 50, 50, 60};
    static inline const QColor MarkColour{120, 120, 120};

    // cumulative: C(0) .. C(N), as PlantEconomics::cumulativeCashFlow gives it; payback: its discounted
    // payback in years.
    CashFlowChart(const QList<double> &cumulative, std::optional<double> payback, ChartContext context);
    // The chart of a plant's totals over its lifetime; without a lifetime it has nothing to draw.
    static CashFlowChart ofPlant(const PlantSummary &summary, ChartContext context);

    int years() const { return int(m_cumulative.size()) - 1; }
    // Nothing to draw: no years, or a plant that neither costs nor saves anything.
    bool isEmpty() const { return m_line.isEmpty(); }
    // The line through (year, C(year)).
    const QPolygonF &line() const { return m_line; }
    QPointF pointAt(double year, double money) const;
    // The payback's mark on the zero line; nothing when it is not reached.
    std::optional<QPointF> paybackPoint() const;

    void paint(QPainter &painter) const override;
    // For a screen reader: the money axis' title, each year's cumulative cash flow and the payback's mark.
    QString description() const override;

private:
    void layOutYears();
    void layOutPayback();
    void paintArea(QPainter &painter) const;

    QList<double> m_cumulative;
    std::optional<double> m_payback;
    QPolygonF m_line;
    QList<double> m_yearTicks; // x of the labelled years
};
