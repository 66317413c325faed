#pragma once

#include <QPixmap>
#include <QString>

// The picture of a command icon at `size` device-independent pixels for a screen of `ratio`.
// `base` names the icon without extension (":/tessio/icons/print"); the program reads the PNGs that
// tools/render-icons made from the SVG original, "print.png" and, on a 2x screen, "print@2x.png", so
// that it needs no SVG library. A null pixmap when the icon does not exist.
QPixmap commandIcon(const QString &base, int size, qreal ratio);
