#pragma once

#include <QObject>
#include <QStringList>
#include <QTimer>

// Closes any modal window that a test did not expect and remembers its title, so that a test fails
// instead of hanging. Create one per test function; check `unexpected` at the end (QVERIFY).
class ModalWatchdog : public QObject
{
    Q_OBJECT
public:
    explicit ModalWatchdog(QObject *parent = nullptr);
    QStringList unexpected;

private:
    void check();
    QTimer m_timer;
};
