#include "report/chartpainting.h"

#include <QPainter>

QFont chartFont(int pixelSize, bool bold)
{
    QFont font(QStringLiteral("Arial"));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    return font;
}

void drawChartText(QPainter &painter, const QFont &font, const QRectF &rect, int flags, const QString &text,
                   bool vertical)
{
    painter.setFont(font);
    if (!vertical) {
        painter.drawText(rect, flags, text);
        return;
    }
    painter.save();
    painter.translate(rect.center());
    painter.rotate(-90);
    const QSizeF size = rect.size().transposed();
    painter.drawText(QRectF(QPointF(-size.width() / 2, -size.height() / 2), size), flags, text);
    painter.restore();
}

void drawChartMarker(QPainter &painter, ChartMarker marker, const QPointF &centre, double size)
{
    const double half = size / 2;
    switch (marker) {
    case ChartMarker::Square:
        painter.drawRect(QRectF(centre.x() - half + 0.5, centre.y() - half + 0.5, size - 1, size - 1));
        return;
    case ChartMarker::Circle:
        painter.drawEllipse(centre, half, half);
        return;
    case ChartMarker::Diamond:
        break;
    }
    const double r = half + 1;
    const QPointF corners[] = {centre + QPointF(0, -r), centre + QPointF(r, 0), centre + QPointF(0, r),
                               centre + QPointF(-r, 0)};
    painter.drawPolygon(corners, 4);
}

QImage chartImage(QSize size, qreal devicePixelRatio, const std::function<void(QPainter &)> &paint)
{
    QImage picture(size * devicePixelRatio, QImage::Format_ARGB32_Premultiplied);
    picture.setDevicePixelRatio(devicePixelRatio);
    QPainter painter(&picture);
    paint(painter);
    painter.end();
    return picture;
}
