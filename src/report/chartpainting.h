#pragma once

#include <QFont>
#include <QImage>
#include <QList>
#include <QRectF>
#include <QString>
#include <QStringList>

#include <functional>

class QPainter;

// What the program's QPainter charts share: the texts they lay out once and list for tests, and the
// markers on their series.

// One text of a chart as it is drawn: within rect, aligned and wrapped by flags (Qt::AlignmentFlag and
// Qt::TextFlag). A vertical text reads bottom to top; rect is then the rotated text's bounds.
template<typename Role>
struct ChartText
{
    Role role;
    QString text;
    QFont font;
    QRectF rect;
    int flags = 0;
    bool vertical = false;
};

// The texts of items with `role` (any chart's text items: they have `role` and `text`), in the order
// they were laid out.
template<typename Item, typename Role>
QStringList textsWithRole(const QList<Item> &items, Role role)
{
    QStringList found;
    for (const Item &item : items) {
        if (item.role == role)
            found.append(item.text);
    }
    return found;
}

// The charts' sans-serif font (Arial, or the metric twin the system has) at a size in pixels.
QFont chartFont(int pixelSize, bool bold);

// Draws one text in the painter's pen: across rect, or upwards through it when vertical.
void drawChartText(QPainter &painter, const QFont &font, const QRectF &rect, int flags, const QString &text,
                   bool vertical);

enum class ChartMarker { Square, Diamond, Circle };
// A marker of about `size` across centred on a point, in the painter's brush. A diamond is drawn a little
// larger than the square, so that both look the same size.
void drawChartMarker(QPainter &painter, ChartMarker marker, const QPointF &centre, double size);

// A picture of `size` device-independent pixels at devicePixelRatio, painted by `paint`.
QImage chartImage(QSize size, qreal devicePixelRatio, const std::function<void(QPainter &)> &paint);
