#include "plant/plantchart.h"

#include "calc/numberformat.h"
#include "report/chartpainting.h"

#include <QFontMetricsF>
#include <QPainter>

#include <cmath>

ValueAxis ValueAxis::around(double low, double high, int maxSteps)
{
    maxSteps = std::max(maxSteps, 1);
    if (!(high > low))
        high = low + std::max(std::abs(low), 1.0);
    const double raw = (high - low) / maxSteps;
    const double power = std::pow(10.0, std::floor(std::log10(raw)));
    ValueAxis axis;
    for (double multiple : {1.0, 2.0, 5.0, 10.0, 20.0}) {
        axis.step = multiple * power;
        axis.low = std::floor(low / axis.step) * axis.step;
        axis.high = std::ceil(high / axis.step) * axis.step;
        if ((axis.high - axis.low) / axis.step <= maxSteps + 1e-9)
            break;
    }
    // No "-0" at the axis' end.
    axis.low += 0.0;
    axis.high += 0.0;
    return axis;
}

QList<double> ValueAxis::ticks() const
{
    QList<double> values;
    const int steps = int(std::lround((high - low) / step));
    for (int i = 0; i <= steps; ++i)
        values.append(low + i * step + 0.0);
    return values;
}

PlantChart::PlantChart(ChartContext context)
    : m_context(std::move(context))
{
}

QStringList PlantChart::texts(TextRole role) const
{
    return textsWithRole(m_texts, role);
}

QString PlantChart::title() const
{
    return texts(TextRole::Title).value(0);
}

QImage PlantChart::image(qreal devicePixelRatio) const
{
    return chartImage(size().toSize(), devicePixelRatio, [this](QPainter &painter) { paint(painter); });
}

QFont PlantChart::font(bool bold) const
{
    return chartFont(m_context.frame.fontPixels, bold);
}

double PlantChart::lineHeight() const
{
    return std::ceil(QFontMetricsF(font()).height());
}

double PlantChart::margin() const
{
    return std::ceil(m_context.frame.fontPixels * 0.6);
}

double PlantChart::textWidth(const QString &text) const
{
    return QFontMetricsF(font()).horizontalAdvance(text);
}

void PlantChart::addText(TextRole role, const QString &text, const QRectF &rect, int flags, bool bold)
{
    m_texts.append({role, text, font(bold), rect, flags, false});
}

double PlantChart::layOutTitle(const QString &title)
{
    QFont titleFont = font(true);
    titleFont.setPixelSize(m_context.frame.titlePixels);
    const double height = std::ceil(QFontMetricsF(titleFont).height());
    const QRectF rect(0, margin(), size().width(), height);
    m_texts.append({TextRole::Title, title, titleFont, rect, Qt::AlignCenter, false});
    return rect.bottom();
}

QString PlantChart::withCurrency(int number) const
{
    return text(number) + QStringLiteral(" (") + m_context.currency + u')';
}

double PlantChart::moneyLabelWidth(const ValueAxis &axis) const
{
    double widest = 0;
    for (double value : axis.ticks())
        widest = std::max(widest, textWidth(money(value)));
    return std::ceil(widest) + TickLength + 2;
}

void PlantChart::layOutMoneyLabels(const ValueAxis &axis, double gap)
{
    const double height = lineHeight();
    for (double value : axis.ticks()) {
        const double y = yAt(value);
        addText(TextRole::TickLabel, money(value), QRectF(margin(), y - height / 2, m_plot.left() - gap - margin(), height),
                Qt::AlignRight | Qt::AlignVCenter);
    }
}

void PlantChart::layOutNote(const QString &note)
{
    addText(TextRole::Note, note, m_plot, Qt::AlignCenter | Qt::TextWordWrap);
}

double PlantChart::yAt(double value) const
{
    return m_plot.bottom() - (value - m_axis.low) / (m_axis.high - m_axis.low) * m_plot.height();
}

QString PlantChart::money(double value) const
{
    const QStringView pattern = m_axis.step >= 1 ? u"#,##0" : m_axis.step >= 0.1 ? u"#,##0.0" : u"#,##0.00";
    return NumberFormat::format(value, pattern, locale());
}

void PlantChart::paintBackground(QPainter &painter) const
{
    painter.fillRect(QRectF(QPointF(0, 0), size()), Qt::white);
}

void PlantChart::paintGrid(QPainter &painter, const ValueAxis &axis) const
{
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(QPen(GridColour, stroke(1)));
    for (double value : axis.ticks()) {
        const double y = std::round(yAt(value));
        painter.drawLine(QPointF(m_plot.left() - TickLength, y), QPointF(m_plot.right(), y));
    }
    painter.setPen(QPen(Qt::black, stroke(1)));
    painter.drawLine(QPointF(m_plot.left(), m_plot.top()), QPointF(m_plot.left(), m_plot.bottom()));
}

void PlantChart::paintTexts(QPainter &painter) const
{
    painter.setRenderHint(QPainter::Antialiasing, true);
    for (const TextItem &item : m_texts) {
        painter.setFont(item.font);
        if (item.boxed) {
            const QRectF bounds = QFontMetricsF(item.font).boundingRect(item.rect, item.flags, item.text);
            painter.fillRect(bounds.adjusted(-2, 0, 2, 0), Qt::white);
        }
        painter.setPen(item.role == TextRole::Title ? TitleColour : QColor(Qt::black));
        painter.drawText(item.rect, item.flags, item.text);
    }
}
