#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

// Looks at the top-level windows of an X display from the outside, as a user sees them, and closes
// one as the window manager's close button does. For tests that run the real program in a private
// X server; nothing of X leaks into this header.
class XDisplayProbe
{
public:
    struct Window
    {
        unsigned long id = 0;
        qint64 pid = 0; // the owner's process id (_NET_WM_PID), 0 when unknown
        QString title;
    };

    explicit XDisplayProbe(const QByteArray &displayName);
    ~XDisplayProbe();
    XDisplayProbe(const XDisplayProbe &) = delete;
    XDisplayProbe &operator=(const XDisplayProbe &) = delete;

    bool isOpen() const { return m_display != nullptr; }
    // The mapped (visible) top-level windows.
    QList<Window> shownWindows() const;
    QList<Window> shownWindowsOf(qint64 pid) const;
    // Asks the window to close (WM_DELETE_WINDOW).
    void close(unsigned long id) const;

private:
    void *m_display = nullptr;
};
