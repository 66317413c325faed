#include "report/savingschart.h"

#include <QFontMetricsF>
#include <QPainter>

#include <cmath>
#include <span>

namespace {

// Layout in pixels of the 700 x 401 picture. The plot takes the left part; legend and note share a
// column at the right.
constexpr double Margin = 8;
constexpr double RightColumn = 190;
constexpr double PlotLeft = 57;
constexpr double PlotTop = 57;
constexpr double PlotRight = 509;
constexpr double PlotBottom = 351;
constexpr double TitleTop = 8;
constexpr double TickLength = 4;
constexpr double LabelGap = 1;
constexpr double LegendTop = 124;
constexpr double LegendHeight = 44;
constexpr double NoteGap = 12;
constexpr double NoteInset = 4;
constexpr double LineWidth = 2;
constexpr double MarkerSize = 8;

// The title a shade softer than the black of the axes.
const QColor TitleColour(64, 64, 68);

constexpr int PowerMax = 120;
constexpr int PowerStep = 20;

struct Series
{
    const std::array<double, ChartPointCount> *values;
    QColor colour;
    ChartMarker marker;
};

// Plot: dotted background, then the grid on whole pixels so that its lines stay sharp and black.
void paintGrid(QPainter &painter, const SavingsChart &chart)
{
    const QRectF plot = chart.plotArea();
    painter.fillRect(plot, QBrush(SavingsChart::DotColour, Qt::Dense6Pattern));
    painter.setPen(QPen(Qt::black, 1));
    const double category = plot.width() / ChartPointCount;
    for (int power = 0; power <= PowerMax; power += PowerStep) {
        const double y = std::round(chart.pointAt(0, power).y());
        painter.drawLine(QPointF(plot.left() - TickLength, y), QPointF(plot.right(), y));
    }
    for (int i = 0; i <= ChartPointCount; ++i) {
        const double x = std::round(plot.left() + i * category);
        painter.drawLine(QPointF(x, plot.top()), QPointF(x, plot.bottom() + TickLength));
    }
    // The two axes a little heavier than the grid.
    painter.drawLine(QPointF(plot.left() - 1, plot.top()), QPointF(plot.left() - 1, plot.bottom() + 1));
    painter.drawLine(QPointF(plot.left() - 1, plot.bottom() + 1), QPointF(plot.right(), plot.bottom() + 1));
}

// Series: straight lines between the points, a marker on each.
void paintSeries(QPainter &painter, const SavingsChart &chart, std::span<const Series> series)
{
    painter.setRenderHint(QPainter::Antialiasing, true);
    for (const Series &s : series) {
        QPolygonF line;
        for (int i = 0; i < ChartPointCount; ++i)
            line.append(chart.pointAt(i, (*s.values)[static_cast<std::size_t>(i)]));
        painter.setPen(QPen(s.colour, LineWidth, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        painter.setBrush(Qt::NoBrush);
        painter.drawPolyline(line);
        painter.setPen(Qt::NoPen);
        painter.setBrush(s.colour);
        for (const QPointF &point : line)
            drawChartMarker(painter, s.marker, point, MarkerSize);
    }
}

// Legend frame and its samples; the names are drawn with the other texts.
void paintLegend(QPainter &painter, const QRectF &legend, std::span<const Series> series)
{
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(QPen(Qt::black, 1));
    painter.setBrush(Qt::white);
    painter.drawRect(legend);
    painter.setRenderHint(QPainter::Antialiasing, true);
    for (std::size_t i = 0; i < series.size(); ++i) {
        const double y = legend.top() + (static_cast<double>(i) + 0.5) * legend.height() / 2;
        const double left = legend.left() + 8;
        painter.setPen(QPen(series[i].colour, LineWidth));
        painter.drawLine(QPointF(left, y), QPointF(left + 26, y));
        painter.setPen(Qt::NoPen);
        painter.setBrush(series[i].colour);
        drawChartMarker(painter, series[i].marker, QPointF(left + 13, y), MarkerSize);
    }
}

} // namespace

SavingsChart::SavingsChart(GraphLanguage language, int application)
    : m_plot(QPointF(PlotLeft, PlotTop), QPointF(PlotRight, PlotBottom)),
      m_legend(PictureSize.width() - RightColumn + Margin, LegendTop, RightColumn - 2 * Margin, LegendHeight)
{
    if (application < 0 || application >= ApplicationCount)
        return;
    m_curves = &SavingsCurveTable[static_cast<std::size_t>(application)];
    layOut(chartTexts(language, application));
}

void SavingsChart::addText(TextRole role, const QString &text, const QFont &font, const QRectF &rect,
                           int flags, bool vertical)
{
    m_texts.append({role, text, font, rect, flags, vertical});
}

void SavingsChart::layOut(const ChartTexts &texts)
{
    // Title: two lines centred over the plot's column.
    const QFont titleFont = chartFont(16, true);
    const double titleLine = std::ceil(QFontMetricsF(titleFont).lineSpacing());
    const QRectF titleColumn(Margin, TitleTop, PictureSize.width() - RightColumn - Margin, titleLine);
    addText(TextRole::Title, texts.titleLine1, titleFont, titleColumn, Qt::AlignCenter);
    addText(TextRole::Title, texts.titleLine2, titleFont, titleColumn.translated(0, titleLine),
            Qt::AlignCenter);

    // Axis labels: power at the left of each horizontal grid line, flow below the middle of each category.
    const QFont labelFont = chartFont(12, false);
    const double labelHeight = QFontMetricsF(labelFont).height();
    for (int power = 0; power <= PowerMax; power += PowerStep) {
        const double y = pointAt(0, power).y();
        addText(TextRole::VerticalLabel, QString::number(power), labelFont,
                QRectF(Margin + 20, y - labelHeight / 2, PlotLeft - TickLength - LabelGap - Margin - 20,
                       labelHeight),
                Qt::AlignRight | Qt::AlignVCenter);
    }
    const double category = m_plot.width() / ChartPointCount;
    for (int i = 0; i < ChartPointCount; ++i) {
        const double x = pointAt(i, 0).x();
        addText(TextRole::HorizontalLabel, QString::number(ChartFlows[static_cast<std::size_t>(i)]),
                labelFont,
                QRectF(x - category / 2 + 1, PlotBottom + TickLength + LabelGap, category - 2, labelHeight),
                Qt::AlignCenter);
    }

    // Axis titles: the power title reads upwards at the far left, the flow title is centred below the labels.
    const QFont axisTitleFont = chartFont(13, true);
    const double axisTitleHeight = QFontMetricsF(axisTitleFont).height();
    addText(TextRole::VerticalTitle, texts.verticalAxis, axisTitleFont,
            QRectF(Margin + 3, m_plot.top(), axisTitleHeight, m_plot.height()), Qt::AlignCenter, true);
    addText(TextRole::HorizontalTitle, texts.horizontalAxis, axisTitleFont,
            QRectF(m_plot.left(), PlotBottom + TickLength + LabelGap + labelHeight + 6, m_plot.width(),
                   axisTitleHeight),
            Qt::AlignCenter);

    // Legend: one row per series, the sample line and marker, then the name.
    const QFont legendFont = chartFont(12, false);
    const double row = m_legend.height() / 2;
    const QStringList names{texts.driveSeries, texts.throttlingSeries};
    for (int i = 0; i < names.size(); ++i)
        addText(TextRole::Legend, names[i], legendFont,
                QRectF(m_legend.left() + 40, m_legend.top() + i * row, m_legend.width() - 44, row),
                Qt::AlignLeft | Qt::AlignVCenter);

    // Note: bold, centred and wrapped a little inside the legend's width, below it.
    const QFont noteFont = chartFont(12, true);
    const int noteFlags = Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap;
    const QRectF noteColumn = m_legend.adjusted(NoteInset, 0, -NoteInset, 0);
    const QRectF noteBounds = QFontMetricsF(noteFont).boundingRect(
        QRectF(0, 0, noteColumn.width(), PictureSize.height()), noteFlags, texts.note);
    addText(TextRole::Note, texts.note, noteFont,
            QRectF(noteColumn.left(), m_legend.bottom() + NoteGap, noteColumn.width(), noteBounds.height()),
            noteFlags);
}

QStringList SavingsChart::texts(TextRole role) const
{
    return textsWithRole(m_texts, role);
}

QPointF SavingsChart::pointAt(int index, double power) const
{
    const double category = m_plot.width() / ChartPointCount;
    return {m_plot.left() + (index + 0.5) * category, m_plot.bottom() - power / PowerMax * m_plot.height()};
}

void SavingsChart::paint(QPainter &painter) const
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.fillRect(QRectF(QPointF(0, 0), QSizeF(PictureSize)), Qt::white);
    if (!m_curves) {
        painter.restore();
        return;
    }
    paintGrid(painter, *this);
    const Series series[] = {{&m_curves->drive, DriveColour, ChartMarker::Diamond},
                             {&m_curves->throttling, ThrottlingColour, ChartMarker::Square}};
    paintSeries(painter, *this, series);
    paintLegend(painter, m_legend, series);
    for (const TextItem &item : m_texts) {
        painter.setPen(item.role == TextRole::Title ? TitleColour : QColor(Qt::black));
        drawChartText(painter, item.font, item.rect, item.flags, item.text, item.vertical);
    }
    painter.restore();
}

QImage SavingsChart::image(qreal devicePixelRatio) const
{
    return chartImage(PictureSize, devicePixelRatio, [this](QPainter &painter) { paint(painter); });
}
