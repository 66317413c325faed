#include "plant/cashflowchart.h"

#include "plant/economicstext.h"
#include "plant/planteconomics.h"

#include <QPainter>

#include <algorithm>
#include <array>
#include <cmath>

namespace {
// Years between labels, the first that leaves every label room.
constexpr std::array<int, 6> YearSteps{1, 2, 5, 10, 20, 25};
// Above this many years the points carry no markers.
constexpr int MarkedYears = 30;
} // namespace

CashFlowChart::CashFlowChart(const QList<double> &cumulative, std::optional<double> payback, ChartContext context)
    : PlantChart(std::move(context))
    , m_cumulative(cumulative)
    , m_payback(payback)
{
    const double titleBottom = layOutTitle(text(EconomicsText::CashFlowChartTitle)) + margin() / 2;
    // The money axis' title above the plot, and half a line more for the top tick label.
    const double top = titleBottom + 1.5 * lineHeight();
    const double bottom = size().height() - margin() - 2 * lineHeight() - TickLength - 2;
    const bool nothing = std::all_of(m_cumulative.cbegin(), m_cumulative.cend(), [](double c) { return c == 0.0; });
    if (years() < 1 || nothing) {
        m_plot = QRectF(QPointF(margin(), top), QPointF(size().width() - margin(), bottom));
        layOutNote(text(EconomicsText::NothingToShow));
        return;
    }
    const auto [lowest, highest] = std::minmax_element(m_cumulative.cbegin(), m_cumulative.cend());
    const int steps = std::clamp(int((bottom - top) / (2 * lineHeight())), 2, 8);
    m_axis = ValueAxis::around(std::min(*lowest, 0.0), std::max(*highest, 0.0), steps);
    // The last year's label is centred on the plot's right edge.
    const double right = size().width() - margin() - std::ceil(textWidth(QString::number(years())) / 2) - 1;
    m_plot = QRectF(QPointF(margin() + moneyLabelWidth(m_axis), top), QPointF(right, bottom));

    addText(TextRole::AxisTitle, withCurrency(EconomicsText::CumulativeCashFlow), QRectF(margin(), titleBottom, size().width() - 2 * margin(), lineHeight()),
            Qt::AlignLeft | Qt::AlignVCenter);
    layOutMoneyLabels(m_axis, TickLength + 2);
    for (int year = 0; year <= years(); ++year)
        m_line.append(pointAt(year, m_cumulative[year]));
    layOutYears();
    layOutPayback();
}

CashFlowChart CashFlowChart::ofPlant(const PlantSummary &summary, ChartContext context)
{
    if (!summary.lifetime)
        return CashFlowChart({}, std::nullopt, std::move(context));
    const PlantFigures &totals = summary.totals;
    return CashFlowChart(PlantEconomics::cumulativeCashFlow(totals.drive, totals.money, *summary.lifetime),
                         totals.discountedPayback, std::move(context));
}

QString CashFlowChart::description() const
{
    if (isEmpty())
        return texts(TextRole::Note).join(u' ');
    QStringList years;
    for (int year = 0; year < m_cumulative.size(); ++year)
        years.append(text(EconomicsText::YearValue).arg(year).arg(PlantFormat::money(m_cumulative[year], locale())));
    return withCurrency(EconomicsText::CumulativeCashFlow) + QStringLiteral(": ") + years.join(QStringLiteral("; "))
           + QStringLiteral(". ") + texts(TextRole::Mark).join(u' ');
}

QPointF CashFlowChart::pointAt(double year, double money) const
{
    return {m_plot.left() + year / std::max(years(), 1) * m_plot.width(), yAt(money)};
}

std::optional<QPointF> CashFlowChart::paybackPoint() const
{
    if (isEmpty() || !m_payback)
        return std::nullopt;
    return pointAt(*m_payback, 0);
}

void CashFlowChart::layOutYears()
{
    const double room = textWidth(QString::number(years())) + lineHeight();
    int step = YearSteps.back();
    for (int candidate : YearSteps) {
        if ((years() / candidate + 1) * room <= m_plot.width()) {
            step = candidate;
            break;
        }
    }
    QList<int> labelled;
    for (int year = 0; year <= years(); year += step)
        labelled.append(year);
    // The last year too, when its label has room after the last step's.
    if (labelled.last() != years() && pointAt(years() - labelled.last(), 0).x() - m_plot.left() >= room)
        labelled.append(years());
    const double y = m_plot.bottom() + TickLength + 2;
    for (int year : labelled) {
        const QString label = QString::number(year);
        m_yearTicks.append(pointAt(year, 0).x());
        const double width = std::ceil(textWidth(label)) + 2;
        addText(TextRole::TickLabel, label, QRectF(pointAt(year, 0).x() - width / 2, y, width, lineHeight()),
                Qt::AlignHCenter | Qt::AlignTop);
    }
    addText(TextRole::AxisTitle, text(EconomicsText::Year),
            QRectF(m_plot.left(), y + lineHeight(), m_plot.width(), lineHeight()), Qt::AlignHCenter | Qt::AlignTop);
}

// The payback's label at the top of the plot, beside its mark (right of it when it fits); or, when the
// drives are not paid back, the note at the top left, where the line starts lowest.
void CashFlowChart::layOutPayback()
{
    const QString label = m_payback
        ? text(EconomicsText::PaybackMark).arg(PlantFormat::discountedPayback(m_payback, locale()))
        : text(EconomicsText::NotPaidBack).arg(years());
    const double width = std::min(std::ceil(textWidth(label)) + 2, m_plot.width() - 8);
    double x = m_plot.left() + 4;
    if (m_payback) {
        const double mark = pointAt(*m_payback, 0).x();
        x = mark + 4 + width <= m_plot.right() ? mark + 4 : std::max(m_plot.left() + 4, mark - 4 - width);
    }
    addText(TextRole::Mark, label, QRectF(x, m_plot.top() + 2, width, lineHeight()), Qt::AlignLeft | Qt::AlignVCenter);
    m_texts.last().boxed = true;
}

void CashFlowChart::paint(QPainter &painter) const
{
    painter.save();
    paintBackground(painter);
    if (!isEmpty()) {
        paintGrid(painter, m_axis);
        paintArea(painter);
        painter.setRenderHint(QPainter::Antialiasing, false);
        painter.setPen(QPen(Qt::black, stroke(1)));
        painter.drawLine(m_plot.bottomLeft(), m_plot.bottomRight());
        for (double x : m_yearTicks)
            painter.drawLine(QPointF(std::round(x), m_plot.bottom()), QPointF(std::round(x), m_plot.bottom() + TickLength));
        painter.setRenderHint(QPainter::Antialiasing, true);
        painter.setPen(QPen(Qt::black, stroke(1.5)));
        painter.drawLine(QPointF(m_plot.left(), yAt(0)), QPointF(m_plot.right(), yAt(0)));
        painter.setPen(QPen(LineColour, stroke(2), Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        painter.drawPolyline(m_line);
        if (years() <= MarkedYears) {
            painter.setPen(Qt::NoPen);
            painter.setBrush(LineColour);
            for (const QPointF &point : m_line)
                painter.drawEllipse(point, stroke(2), stroke(2));
        }
        if (const std::optional<QPointF> mark = paybackPoint()) {
            painter.setPen(QPen(MarkColour, stroke(1), Qt::DashLine));
            painter.drawLine(QPointF(mark->x(), m_plot.top()), QPointF(mark->x(), m_plot.bottom()));
            painter.setPen(QPen(Qt::black, stroke(1)));
            painter.setBrush(Qt::white);
            painter.drawEllipse(*mark, stroke(3.5), stroke(3.5));
        }
    }
    paintTexts(painter);
    painter.restore();
}

// The area between the line and zero: green where the drives have paid, red where they have not yet.
void CashFlowChart::paintArea(QPainter &painter) const
{
    QPolygonF area = m_line;
    area.append(QPointF(m_line.last().x(), yAt(0)));
    area.append(QPointF(m_line.first().x(), yAt(0)));
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setPen(Qt::NoPen);
    const QRectF above(m_plot.topLeft(), QPointF(m_plot.right(), yAt(0)));
    const QRectF below(QPointF(m_plot.left(), yAt(0)), m_plot.bottomRight());
    for (const auto &[clip, colour] : {std::pair{above, GainColour}, std::pair{below, LossColour}}) {
        painter.save();
        painter.setClipRect(clip);
        painter.setBrush(colour);
        painter.drawPolygon(area);
        painter.restore();
    }
}
