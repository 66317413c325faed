#include "plant/savingsparetochart.h"

#include "calc/numberformat.h"
#include "plant/economicstext.h"
#include "plant/planttext.h"

#include <QFontMetricsF>
#include <QPainter>

#include <algorithm>
#include <array>
#include <cmath>

namespace {

// A bar's slot is at least this many times the font's size wide, so that a short reference ("P-101",
// "Bomba 3") reads whole under its bar.
constexpr double MinSlotFonts = 3.5;
constexpr double BarShare = 0.64; // of the slot
constexpr int ShareStep = 20;
constexpr double MarkerSize = 5;

} // namespace

QList<SavingsBar> savingsBars(const PlantSummary &summary, const std::optional<PlantEconomics::BudgetChoice> &choice,
                              int maxBars)
{
    // Flags rather than a search of the choice for every case: a plant may have thousands.
    QList<bool> chosen(summary.cases.size(), false);
    for (int i : choice ? choice->cases : QList<int>()) {
        if (i >= 0 && i < chosen.size())
            chosen[i] = true;
    }
    QList<SavingsBar> bars;
    double total = 0;
    for (int i = 0; i < summary.cases.size(); ++i) {
        const PlantCaseResult &c = summary.cases[i];
        if (!c.computed || !(c.figures.money > 0))
            continue;
        bars.append({i, 1, c.figures.money, chosen[i] ? c.figures.money : 0.0, 0});
        total += c.figures.money;
    }
    std::stable_sort(bars.begin(), bars.end(), [](const SavingsBar &a, const SavingsBar &b) { return a.money > b.money; });
    maxBars = std::max(maxBars, 2);
    if (bars.size() > maxBars) {
        SavingsBar others;
        for (qsizetype i = maxBars - 1; i < bars.size(); ++i) {
            others.money += bars[i].money;
            others.chosenMoney += bars[i].chosenMoney;
        }
        others.caseCount = int(bars.size()) - (maxBars - 1);
        bars.resize(maxBars - 1);
        bars.append(others);
    }
    double sum = 0;
    for (SavingsBar &bar : bars) {
        sum += bar.money;
        bar.cumulativeShare = sum / total;
    }
    if (!bars.isEmpty())
        bars.last().cumulativeShare = 1.0; // not 0.99999... after the additions
    return bars;
}

SavingsParetoChart::SavingsParetoChart(const PlantSummary &summary,
                                       const std::optional<PlantEconomics::BudgetChoice> &choice, ChartContext context)
    : PlantChart(std::move(context))
    , m_hasChoice(choice.has_value())
{
    const double titleBottom = layOutTitle(text(EconomicsText::SavingsChartTitle)) + margin() / 2;
    // The axes' titles above the plot, and half a line more for the top tick label.
    const double top = titleBottom + 1.5 * lineHeight();
    const double legendTop = size().height() - margin() - lineHeight();
    double bottom = size().height() - margin() - lineHeight() - TickLength - 2;
    if (m_hasChoice)
        bottom -= lineHeight() + margin() / 2;
    layOutPlot(summary, choice, top, bottom);
    if (m_bars.isEmpty())
        return;
    layOutAxisTitles(titleBottom);
    if (m_hasChoice)
        layOutLegend(legendTop);
}

void SavingsParetoChart::layOutAxisTitles(double y)
{
    const double half = size().width() / 2;
    addText(TextRole::AxisTitle, withCurrency(PlantText::MoneyYear), QRectF(margin(), y, half - margin(), lineHeight()),
            Qt::AlignLeft | Qt::AlignVCenter);
    addText(TextRole::AxisTitle, text(EconomicsText::CumulativeShare), QRectF(half, y, half - margin(), lineHeight()),
            Qt::AlignRight | Qt::AlignVCenter);
}

void SavingsParetoChart::layOutPlot(const PlantSummary &summary, const std::optional<PlantEconomics::BudgetChoice> &choice,
                                    double top, double bottom)
{
    const double shareWidth = std::ceil(textWidth(QStringLiteral("100"))) + TickLength + 2;
    const double right = size().width() - margin() - shareWidth;
    const auto steps = [&] { return std::clamp(int((bottom - top) / (2 * lineHeight())), 2, 8); };
    // No bar exceeds the plant's saving: its axis gives the widest labels, and so how many bars fit.
    m_axis = ValueAxis::around(0, summary.totals.money, steps());
    const double slot = MinSlotFonts * m_context.frame.fontPixels;
    const double room = right - margin() - moneyLabelWidth(m_axis);
    const auto saves = [](const PlantCaseResult &c) { return c.computed && c.figures.money > 0; };
    const int count = int(std::count_if(summary.cases.cbegin(), summary.cases.cend(), saves));
    m_maxBars = std::max(2, int(room / slot));
    if (count > m_maxBars) // the others' bar is as wide as its label
        m_maxBars = std::max(2, 1 + int((room - othersSlot(count)) / slot));
    const QList<SavingsBar> bars = savingsBars(summary, choice, m_maxBars);
    if (bars.isEmpty()) {
        m_plot = QRectF(QPointF(margin(), top), QPointF(right, bottom));
        layOutNote(text(EconomicsText::NothingToShow));
        return;
    }
    for (const SavingsBar &bar : bars)
        m_bars.append({bar, {}, {}, {}});
    // Labels wider than their bar's slot take two rows, every other one lower, so that each has two slots.
    const double narrowest = slotWidths(room).first;
    const bool staggered = std::any_of(m_bars.cbegin(), m_bars.cend(), [&](const Bar &item) {
        return !item.bar.isOthers() && textWidth(barLabel(summary, item.bar)) > narrowest - 2;
    });
    if (staggered)
        bottom -= lineHeight();

    double highest = 0;
    for (const SavingsBar &bar : bars)
        highest = std::max(highest, bar.money);
    m_axis = ValueAxis::around(0, highest, steps());
    m_plot = QRectF(QPointF(margin() + moneyLabelWidth(m_axis), top), QPointF(right, bottom));
    layOutMoneyLabels(m_axis, TickLength + 2);
    layOutBars(summary, staggered);
    layOutShareAxis();
}

// The width of a bar's slot and of the last one (the others' bar is as wide as its label) in `width`.
std::pair<double, double> SavingsParetoChart::slotWidths(double width) const
{
    const double count = double(m_bars.size());
    const double even = width / count;
    const SavingsBar &last = m_bars.last().bar;
    const double lastSlot = last.isOthers() ? std::max(even, othersSlot(last.caseCount)) : even;
    return {count > 1 ? (width - lastSlot) / (count - 1) : lastSlot, lastSlot};
}

QString SavingsParetoChart::barLabel(const PlantSummary &summary, const SavingsBar &bar) const
{
    if (bar.isOthers())
        return text(EconomicsText::Others).arg(bar.caseCount);
    const QString reference = summary.cases[bar.caseIndex].reference.simplified();
    return reference.isEmpty() ? QStringLiteral("#%1").arg(bar.caseIndex + 1) : reference;
}

void SavingsParetoChart::layOutBars(const PlantSummary &summary, bool staggered)
{
    const auto [slot, lastSlot] = slotWidths(m_plot.width());
    // A plant of a few cases gets bars of twice the narrowest, not slabs.
    const double width = std::min({slot, lastSlot, 2 * MinSlotFonts * m_context.frame.fontPixels}) * BarShare;
    const QFontMetricsF metrics(font());
    for (int i = 0; i < m_bars.size(); ++i) {
        Bar &item = m_bars[i];
        const double own = i == m_bars.size() - 1 ? lastSlot : slot;
        const double middle = m_plot.left() + i * slot + own / 2;
        item.rect = QRectF(QPointF(middle - width / 2, yAt(item.bar.money)), QPointF(middle + width / 2, m_plot.bottom()));
        if (item.bar.chosenMoney > 0)
            item.chosenRect = QRectF(QPointF(item.rect.left(), yAt(item.bar.chosenMoney)), item.rect.bottomRight());
        item.sharePoint = QPointF(middle, shareY(item.bar.cumulativeShare));

        // A staggered label may reach into the neighbouring slots (their labels are a row away), not under
        // the axes' labels; at either end it is cut, not shifted, so it never reaches the next label of its row.
        const double reach = (staggered && !item.bar.isOthers() ? 2 * slot - 4 : own - 2) / 2;
        const double left = std::max(middle - reach, m_plot.left() - TickLength);
        const double labelWidth = std::min(middle + reach, m_plot.right() + TickLength) - left;
        const double y = m_plot.bottom() + TickLength + 2 + (staggered && i % 2 == 1 ? lineHeight() : 0);
        const QRectF labelRect(left, y, labelWidth, lineHeight());
        m_barNames.append(barLabel(summary, item.bar));
        addText(TextRole::BarLabel, metrics.elidedText(m_barNames.last(), Qt::ElideRight, labelWidth), labelRect,
                Qt::AlignHCenter | Qt::AlignTop);
    }
}

void SavingsParetoChart::layOutShareAxis()
{
    const double left = m_plot.right() + TickLength + 2;
    for (int share = 0; share <= 100; share += ShareStep) {
        const double y = shareY(share / 100.0);
        addText(TextRole::TickLabel, NumberFormat::format(share, u"#,##0", locale()),
                QRectF(left, y - lineHeight() / 2, size().width() - margin() - left, lineHeight()),
                Qt::AlignLeft | Qt::AlignVCenter);
    }
}

// Centred in one row: a swatch and the name of the chosen drives, then of the others.
void SavingsParetoChart::layOutLegend(double y)
{
    const double box = std::round(lineHeight() * 0.7);
    const double gap = margin();
    const std::array<std::pair<QString, QColor>, 2> entries{
        {{text(EconomicsText::WithinBudget), ChosenColour}, {text(EconomicsText::OutsideBudget), OutsideColour}}};
    double width = 0;
    for (const auto &[name, colour] : entries)
        width += box + gap / 2 + std::ceil(textWidth(name)) + 2 * gap;
    double x = std::max(margin(), (size().width() - width + 2 * gap) / 2);
    for (const auto &[name, colour] : entries) {
        m_swatches.append({QRectF(x, y + (lineHeight() - box) / 2, box, box), colour});
        x += box + gap / 2;
        const double textWide = std::ceil(textWidth(name)) + 1;
        addText(TextRole::Legend, name, QRectF(x, y, textWide, lineHeight()), Qt::AlignLeft | Qt::AlignVCenter);
        x += textWide + 2 * gap;
    }
}

QString SavingsParetoChart::description() const
{
    if (m_bars.isEmpty())
        return texts(TextRole::Note).join(u' ');
    QStringList bars;
    for (int i = 0; i < m_bars.size(); ++i) {
        const SavingsBar &bar = m_bars[i].bar;
        QString item = text(EconomicsText::BarValue)
                           .arg(m_barNames.value(i), PlantFormat::money(bar.money, locale()),
                                NumberFormat::format(bar.cumulativeShare * 100, u"#,##0.0", locale()));
        if (bar.chosenMoney > 0)
            item += QStringLiteral(", ") + text(EconomicsText::WithinBudget);
        bars.append(item);
    }
    return withCurrency(PlantText::MoneyYear) + QStringLiteral(": ") + bars.join(QStringLiteral("; ")) + u'.';
}

double SavingsParetoChart::othersSlot(int cases) const
{
    return std::ceil(textWidth(text(EconomicsText::Others).arg(cases))) + 4;
}

double SavingsParetoChart::shareY(double share) const
{
    return m_plot.bottom() - share * m_plot.height();
}

void SavingsParetoChart::paint(QPainter &painter) const
{
    painter.save();
    paintBackground(painter);
    if (!m_bars.isEmpty()) {
        paintGrid(painter, m_axis);
        paintBars(painter);
    }
    painter.setRenderHint(QPainter::Antialiasing, false);
    for (const Swatch &swatch : m_swatches)
        painter.fillRect(swatch.rect, swatch.colour);
    paintTexts(painter);
    painter.restore();
}

void SavingsParetoChart::paintBars(QPainter &painter) const
{
    for (const Bar &item : m_bars) {
        painter.fillRect(item.rect, m_hasChoice ? OutsideColour : BarColour);
        if (!item.chosenRect.isEmpty())
            painter.fillRect(item.chosenRect, ChosenColour);
    }
    painter.setPen(QPen(Qt::black, stroke(1)));
    painter.drawLine(m_plot.bottomLeft(), m_plot.bottomRight());
    painter.drawLine(m_plot.topRight(), m_plot.bottomRight());
    for (int share = 0; share <= 100; share += ShareStep) {
        const double y = std::round(shareY(share / 100.0));
        painter.drawLine(QPointF(m_plot.right(), y), QPointF(m_plot.right() + TickLength, y));
    }

    painter.setRenderHint(QPainter::Antialiasing, true);
    QPolygonF line;
    for (const Bar &item : m_bars)
        line.append(item.sharePoint);
    painter.setPen(QPen(ShareColour, stroke(2), Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.drawPolyline(line);
    painter.setPen(Qt::NoPen);
    painter.setBrush(ShareColour);
    for (const QPointF &point : line)
        painter.drawEllipse(point, stroke(MarkerSize / 2), stroke(MarkerSize / 2));
}
