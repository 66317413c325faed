#include "support/modalwatchdog.h"

#include <QApplication>
#include <QDialog>
#include <QEvent>

ModalWatchdog::ModalWatchdog(QObject *parent)
    : QObject(parent)
{
    qApp->installEventFilter(this);
}

ModalWatchdog::~ModalWatchdog()
{
    qApp->removeEventFilter(this);
}

bool ModalWatchdog::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::Show && watched->isWidgetType()) {
        auto *widget = static_cast<QWidget *>(watched);
        // QDialog::exec sends the show event before it starts its event loop and lets no event run in
        // between: a queued call therefore runs inside that loop, where closing the window ends it.
        if (widget->isWindow() && widget->isModal())
            QMetaObject::invokeMethod(this, [this, window = QPointer<QWidget>(widget)] { judge(window); },
                                      Qt::QueuedConnection);
    }
    return false;
}

void ModalWatchdog::judge(const QPointer<QWidget> &window)
{
    if (!window || !window->isVisible())
        return;
    std::erase_if(m_expected, [](const auto &expected) { return expected.expired(); });
    for (const auto &weak : m_expected) {
        if (const auto expected = weak.lock(); expected && window->metaObject()->inherits(expected->type)) {
            expected->answer(window);
            return;
        }
    }
    QString name = window->windowTitle();
    if (name.isEmpty())
        name = window->objectName();
    if (name.isEmpty())
        name = QString::fromLatin1(window->metaObject()->className());
    unexpected.append(name);
    if (auto *dialog = qobject_cast<QDialog *>(window))
        dialog->reject();
    else
        window->close();
}
