#include "mainwindow/commandicon.h"

#include <QFile>
#include <QIcon>

QPixmap commandIcon(const QString &resource, int size, qreal ratio)
{
    QString base = resource;
    if (base.endsWith(QLatin1String(".svg")))
        base.chop(4);
    const QString png = base + QStringLiteral(".png");
    if (!QFile::exists(png))
        return {};
    // Both files named explicitly: QIcon looks for the @2x file by itself only when the screen it starts
    // on is a 2x one. It then picks the file that suits the ratio and scales for ratios in between.
    QIcon icon(png);
    const QString png2x = base + QStringLiteral("@2x.png");
    if (QFile::exists(png2x))
        icon.addFile(png2x);
    return icon.pixmap(QSize(size, size), ratio);
}
