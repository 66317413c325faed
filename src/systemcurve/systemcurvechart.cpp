#include "systemcurve/systemcurvechart.h"

#include <QFontMetricsF>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace {

// Layout in chart units. The plot takes the left part, the legend a column at the right; under the flow
// axis and its title lies the band of the hours.
constexpr double Margin = 6;
constexpr double PlotLeft = 66;
constexpr double PlotTop = 12;
constexpr double PlotRight = 392;
constexpr double PlotBottom = 240;
constexpr double TickLength = 4;
constexpr double LabelGap = 1;
constexpr double LegendGap = 10;
constexpr double LegendSample = 30; // the sample line and marker before each name
constexpr double LegendPadding = 4;
constexpr double HoursBandHeight = 40; // a bar of 24 h
constexpr double MaxHours = 24;
constexpr double BarShare = 0.5; // of a category's width
constexpr double LineWidth = 2;
constexpr double MarkerSize = 7;
constexpr int PowerStep = 20;
constexpr int LowestPowerMax = 120;

const QColor GridColour(200, 200, 200);

struct SeriesStyle
{
    QColor colour;
    ChartMarker marker;
    Qt::PenStyle line;
};

const std::array<SeriesStyle, SystemCurveChart::SeriesCount> Styles{{
    {SystemCurveChart::ThrottledColour, ChartMarker::Square, Qt::SolidLine},
    {SystemCurveChart::TableColour, ChartMarker::Diamond, Qt::DashLine},
    {SystemCurveChart::CurveColour, ChartMarker::Circle, Qt::SolidLine},
}};

} // namespace

SystemCurveChart::SystemCurveChart(int application, const CurveResult &result, const TextLookup &text,
                                   const QLocale &locale)
    : m_plot(QPointF(PlotLeft, PlotTop), QPointF(PlotRight, PlotBottom))
{
    if (application < 0 || application >= ApplicationCount)
        return;
    m_known = true;
    const SavingsCurves &curves = SavingsCurveTable[static_cast<std::size_t>(application)];
    m_values[static_cast<std::size_t>(Series::Throttled)] = curves.throttling;
    m_values[static_cast<std::size_t>(Series::TableDrive)] = curves.drive;
    double highest = 0;
    for (int i = 0; i < ChartPointCount; ++i) {
        // The chart runs from 50 % flow up, the model's levels from 100 % down.
        const CurveLevel &level = result.levels[static_cast<std::size_t>(ChartPointCount - 1 - i)];
        m_values[static_cast<std::size_t>(Series::CurveDrive)][static_cast<std::size_t>(i)] = level.drive * 100.0;
        m_hoursPerDay[static_cast<std::size_t>(i)] = level.hours;
        for (const auto &series : m_values)
            highest = std::max(highest, series[static_cast<std::size_t>(i)]);
    }
    m_powerMax = std::max(LowestPowerMax, int(std::ceil(highest / PowerStep)) * PowerStep);
    layOut(text, locale);
}

void SystemCurveChart::addText(TextRole role, const QString &text, const QFont &font, const QRectF &rect,
                               int flags, bool vertical)
{
    m_texts.append({role, text, font, rect, flags, vertical});
}

void SystemCurveChart::layOut(const TextLookup &text, const QLocale &locale)
{
    const auto t = [&text](int n) { return text ? text(n) : QString(); };
    const QFont labelFont = chartFont(12, false);
    const QFont titleFont = chartFont(13, true);
    const double labelHeight = QFontMetricsF(labelFont).height();
    const double titleHeight = QFontMetricsF(titleFont).height();

    // Power at the left of each grid line, flow under the middle of each category.
    for (int power = 0; power <= m_powerMax; power += PowerStep) {
        const double y = pointAt(0, power).y();
        addText(TextRole::VerticalLabel, locale.toString(power), labelFont,
                QRectF(Margin + 2 * titleHeight, y - labelHeight / 2,
                       PlotLeft - TickLength - LabelGap - Margin - 2 * titleHeight, labelHeight),
                Qt::AlignRight | Qt::AlignVCenter);
    }
    const double category = m_plot.width() / ChartPointCount;
    const double flowTop = PlotBottom + TickLength + LabelGap;
    for (int i = 0; i < ChartPointCount; ++i) {
        const double x = pointAt(i, 0).x();
        addText(TextRole::HorizontalLabel, locale.toString(ChartFlows[static_cast<std::size_t>(i)]), labelFont,
                QRectF(x - category / 2, flowTop, category, labelHeight), Qt::AlignCenter);
    }
    // The power axis's title reads upwards in up to two lines: some languages need them.
    addText(TextRole::VerticalTitle, t(CurveChartText::PowerAxis), titleFont,
            QRectF(Margin, m_plot.top(), 2 * titleHeight, m_plot.height()), Qt::AlignCenter | Qt::TextWordWrap, true);
    const double flowTitleTop = flowTop + labelHeight;
    addText(TextRole::HorizontalTitle, t(CurveChartText::FlowAxis), titleFont,
            QRectF(m_plot.left(), flowTitleTop, m_plot.width(), titleHeight), Qt::AlignCenter);

    // The hours: each bar's figure above it, the band's title at its left.
    const double hoursTop = flowTitleTop + titleHeight + 4;
    m_hours = QRectF(m_plot.left(), hoursTop + labelHeight, m_plot.width(), HoursBandHeight);
    addText(TextRole::HoursTitle, t(CurveChartText::HoursPerDay), labelFont,
            QRectF(Margin, m_hours.top(), PlotLeft - TickLength - Margin, m_hours.height()),
            Qt::AlignRight | Qt::AlignBottom | Qt::TextWordWrap);
    for (int i = 0; i < ChartPointCount; ++i) {
        const QRectF bar = hoursBar(i);
        addText(TextRole::HoursLabel, locale.toString(m_hoursPerDay[static_cast<std::size_t>(i)]), labelFont,
                QRectF(bar.center().x() - category / 2, bar.top() - labelHeight, category, labelHeight),
                Qt::AlignHCenter | Qt::AlignBottom);
    }

    layOutLegend({t(CurveChartText::Throttled), t(CurveChartText::TableDrive), t(CurveChartText::CurveDrive)});
}

void SystemCurveChart::layOutLegend(const QStringList &names)
{
    // One row per series, each name wrapped to the column; the frame grows with the rows.
    const QFont font = chartFont(12, false);
    const QFontMetricsF metrics(font);
    const double left = PlotRight + LegendGap;
    const double width = Size.width() - Margin - left;
    const double textWidth = width - LegendSample - 2 * LegendPadding;
    const int flags = Qt::AlignLeft | Qt::AlignVCenter | Qt::TextWordWrap;
    double y = PlotTop + LegendPadding;
    for (const QString &name : names) {
        const double height = std::max(metrics.boundingRect(QRectF(0, 0, textWidth, Size.height()), flags, name).height(),
                                       metrics.height());
        addText(TextRole::Legend, name, font, QRectF(left + LegendPadding + LegendSample, y, textWidth, height), flags);
        m_legendRows.append(y + height / 2);
        y += height + LegendPadding;
    }
    m_legend = QRectF(left, PlotTop, width, y - PlotTop);
}

QStringList SystemCurveChart::texts(TextRole role) const
{
    return textsWithRole(m_texts, role);
}

QPointF SystemCurveChart::pointAt(int index, double power) const
{
    const double category = m_plot.width() / ChartPointCount;
    return {m_plot.left() + (index + 0.5) * category, m_plot.bottom() - power / m_powerMax * m_plot.height()};
}

QRectF SystemCurveChart::hoursBar(int index) const
{
    const double width = m_plot.width() / ChartPointCount * BarShare;
    const double hours = std::clamp(m_hoursPerDay[static_cast<std::size_t>(index)], 0.0, MaxHours);
    const double height = hours / MaxHours * m_hours.height();
    return {pointAt(index, 0).x() - width / 2, m_hours.bottom() - height, width, height};
}

void SystemCurveChart::paintGrid(QPainter &painter) const
{
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(QPen(GridColour, 1));
    const double category = m_plot.width() / ChartPointCount;
    for (int power = PowerStep; power <= m_powerMax; power += PowerStep) {
        const double y = std::round(pointAt(0, power).y());
        painter.drawLine(QPointF(m_plot.left(), y), QPointF(m_plot.right(), y));
    }
    for (int i = 1; i <= ChartPointCount; ++i) {
        const double x = std::round(m_plot.left() + i * category);
        painter.drawLine(QPointF(x, m_plot.top()), QPointF(x, m_plot.bottom()));
    }
    painter.setPen(QPen(Qt::black, 1));
    for (int power = 0; power <= m_powerMax; power += PowerStep) {
        const double y = std::round(pointAt(0, power).y());
        painter.drawLine(QPointF(m_plot.left() - TickLength, y), QPointF(m_plot.left(), y));
    }
    for (int i = 0; i <= ChartPointCount; ++i) {
        const double x = std::round(m_plot.left() + i * category);
        painter.drawLine(QPointF(x, m_plot.bottom()), QPointF(x, m_plot.bottom() + TickLength));
    }
    painter.drawLine(m_plot.bottomLeft(), m_plot.topLeft());
    painter.drawLine(m_plot.bottomLeft(), m_plot.bottomRight());

    // The hours band: its baseline and a bar per flow level.
    painter.drawLine(m_hours.bottomLeft(), m_hours.bottomRight());
    for (int i = 0; i < ChartPointCount; ++i)
        painter.fillRect(hoursBar(i), HoursColour);
}

void SystemCurveChart::paintSeries(QPainter &painter) const
{
    painter.setRenderHint(QPainter::Antialiasing, true);
    for (int s = 0; s < SeriesCount; ++s) {
        const SeriesStyle &style = Styles[static_cast<std::size_t>(s)];
        QPolygonF line;
        for (int i = 0; i < ChartPointCount; ++i)
            line.append(pointAt(i, m_values[static_cast<std::size_t>(s)][static_cast<std::size_t>(i)]));
        painter.setPen(QPen(style.colour, LineWidth, style.line, Qt::RoundCap, Qt::RoundJoin));
        painter.setBrush(Qt::NoBrush);
        painter.drawPolyline(line);
        painter.setPen(Qt::NoPen);
        painter.setBrush(style.colour);
        for (const QPointF &point : std::as_const(line))
            drawChartMarker(painter, style.marker, point, MarkerSize);
    }
}

void SystemCurveChart::paintLegendSamples(QPainter &painter) const
{
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(QPen(Qt::black, 1));
    painter.setBrush(Qt::white);
    painter.drawRect(m_legend);
    painter.setRenderHint(QPainter::Antialiasing, true);
    for (int s = 0; s < SeriesCount && s < m_legendRows.size(); ++s) {
        const SeriesStyle &style = Styles[static_cast<std::size_t>(s)];
        const double left = m_legend.left() + LegendPadding;
        const double y = m_legendRows[s];
        painter.setPen(QPen(style.colour, LineWidth, style.line));
        painter.drawLine(QPointF(left, y), QPointF(left + LegendSample - 6, y));
        painter.setPen(Qt::NoPen);
        painter.setBrush(style.colour);
        drawChartMarker(painter, style.marker, QPointF(left + (LegendSample - 6) / 2, y), MarkerSize);
    }
}

void SystemCurveChart::paint(QPainter &painter) const
{
    painter.save();
    painter.fillRect(QRectF(QPointF(0, 0), QSizeF(Size)), Qt::white);
    if (m_known) {
        paintGrid(painter);
        paintSeries(painter);
        paintLegendSamples(painter);
        painter.setPen(Qt::black);
        for (const TextItem &item : m_texts)
            drawChartText(painter, item.font, item.rect, item.flags, item.text, item.vertical);
    }
    painter.restore();
}

QImage SystemCurveChart::image(qreal devicePixelRatio) const
{
    return chartImage(Size, devicePixelRatio, [this](QPainter &painter) { paint(painter); });
}
