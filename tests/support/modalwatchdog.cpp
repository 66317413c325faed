#include "support/modalwatchdog.h"

#include <QApplication>
#include <QWidget>

ModalWatchdog::ModalWatchdog(QObject *parent)
    : QObject(parent)
{
    connect(&m_timer, &QTimer::timeout, this, &ModalWatchdog::check);
    m_timer.start(200);
}

void ModalWatchdog::check()
{
    if (QWidget *modal = QApplication::activeModalWidget()) {
        unexpected.append(modal->windowTitle().isEmpty() ? modal->objectName() : modal->windowTitle());
        modal->close();
    }
}
