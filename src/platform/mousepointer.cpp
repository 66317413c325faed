#include "platform/mousepointer.h"

#include <QGuiApplication>

void restoreDefaultPointer()
{
    if (!qobject_cast<QGuiApplication *>(QCoreApplication::instance()))
        return;
    while (QGuiApplication::overrideCursor())
        QGuiApplication::restoreOverrideCursor();
}
