#include "mainwindow/commandicon.h"

#include <QImageReader>

namespace {
// Read as PNG and nothing else: guessing the format would load every image plugin Qt has.
QImage readPng(const QString &file)
{
    QImageReader reader(file, "png");
    reader.setAutoDetectImageFormat(false);
    return reader.read();
}
} // namespace

QPixmap commandIcon(const QString &base, int size, qreal ratio)
{
    // Any screen above 1x gets the 40 px file (the painter scales it for ratios in between); without it,
    // the 20 px one.
    QImage image;
    if (ratio > 1)
        image = readPng(base + QStringLiteral("@2x.png"));
    if (image.isNull())
        image = readPng(base + QStringLiteral(".png"));
    if (image.isNull() || size <= 0)
        return {};
    image.setDevicePixelRatio(qreal(image.width()) / size);
    return QPixmap::fromImage(std::move(image));
}
