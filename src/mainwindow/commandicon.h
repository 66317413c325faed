#pragma once

#include <QPixmap>
#include <QString>

// The picture of a command icon at `size` device-independent pixels for a screen of `ratio`.
// `resource` names the icon's SVG original (":/tessio/icons/print.svg"); the program reads the PNGs that
// tools/render-icons made from it, "print.png" and, on a 2x screen, "print@2x.png", so that it needs no
// SVG library. A null pixmap when the icon does not exist.
QPixmap commandIcon(const QString &resource, int size, qreal ratio);
