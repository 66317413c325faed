#pragma once

#include "plant/plantchart.h"
#include "plant/planteconomics.h"

#include <QColor>
#include <QPointF>

// One bar of "Where the savings are": a case, or the smallest cases grouped as "others".
struct SavingsBar
{
    int caseIndex = -1;         // into PlantSummary::cases; -1 for the others
    int caseCount = 1;          // the cases the bar holds
    double money = 0;           // their saving a year
    double chosenMoney = 0;     // the part of it the budget's choice saves
    double cumulativeShare = 0; // the share of the plant's saving up to and including this bar, 0..1
    bool isOthers() const { return caseIndex < 0; }
};

// The bars: the computed cases that save money, largest saving first (equal savings keep the plant's
// order); when there are more than maxBars, the largest maxBars - 1 and one bar of the others, last.
QList<SavingsBar> savingsBars(const PlantSummary &summary, const std::optional<PlantEconomics::BudgetChoice> &choice,
                              int maxBars);

// "Where the savings are": the money saved a year per case as bars with the case's reference under each
// (its plant row "#n" when it has none), a line of the cumulative share on a 0..100 % axis at the right
// (a Pareto chart), and with a budget the chosen drives in their own colour, with a legend. As many bars
// as leave each label a readable width; the rest are grouped.
class SavingsParetoChart : public PlantChart
{
public:
    struct Bar
    {
        SavingsBar bar;
        QRectF rect;        // the whole bar
        QRectF chosenRect;  // its chosen part, at the bottom; empty when none
        QPointF sharePoint; // the cumulative share's point above the bar's middle
    };

    static inline const QColor BarColour{70, 110, 170};
    static inline const QColor ChosenColour{34, 139, 34};
    static inline const QColor OutsideColour{190, 196, 206};
    static inline const QColor ShareColour{230, 120, 20};

    SavingsParetoChart(const PlantSummary &summary, const std::optional<PlantEconomics::BudgetChoice> &choice,
                       ChartContext context);

    const QList<Bar> &bars() const { return m_bars; }
    // How many bars the chart's width holds.
    int maxBars() const { return m_maxBars; }

    void paint(QPainter &painter) const override;
    // For a screen reader: each bar's case, saving a year and cumulative share, and whether it is chosen.
    QString description() const override;

private:
    struct Swatch
    {
        QRectF rect;
        QColor colour;
    };

    void layOutAxisTitles(double y);
    void layOutPlot(const PlantSummary &summary, const std::optional<PlantEconomics::BudgetChoice> &choice,
                    double top, double bottom);
    std::pair<double, double> slotWidths(double width) const;
    QString barLabel(const PlantSummary &summary, const SavingsBar &bar) const;
    void layOutBars(const PlantSummary &summary, bool staggered);
    void layOutShareAxis();
    void layOutLegend(double y);
    double othersSlot(int cases) const;
    double shareY(double share) const;
    void paintBars(QPainter &painter) const;

    QStringList m_barNames; // each bar's label, not cut
    bool m_hasChoice = false;
    int m_maxBars = 0;
    QList<Bar> m_bars;
    QList<Swatch> m_swatches;
};
