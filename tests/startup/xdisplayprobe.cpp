#include "xdisplayprobe.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

namespace {

Display *display(void *d)
{
    return static_cast<Display *>(d);
}

QByteArray property(Display *dpy, ::Window window, const char *name, Atom type, int *format = nullptr)
{
    const Atom atom = XInternAtom(dpy, name, False);
    Atom actualType = 0;
    int actualFormat = 0;
    unsigned long items = 0;
    unsigned long after = 0;
    unsigned char *data = nullptr;
    QByteArray value;
    if (XGetWindowProperty(dpy, window, atom, 0, 1024, False, type, &actualType, &actualFormat, &items, &after,
                           &data) == Success
        && data && actualType == type) {
        const int bytes = actualFormat == 32 ? int(sizeof(long)) : actualFormat / 8;
        value = QByteArray(reinterpret_cast<const char *>(data), int(items) * bytes);
        if (format)
            *format = actualFormat;
    }
    if (data)
        XFree(data);
    return value;
}

// A window can disappear between listing it and asking for its attributes; Xlib's default handler
// would end the test for that.
int ignoreXError(Display *, XErrorEvent *)
{
    return 0;
}

} // namespace

XDisplayProbe::XDisplayProbe(const QByteArray &displayName)
    : m_display(XOpenDisplay(displayName.constData()))
{
    XSetErrorHandler(ignoreXError);
}

XDisplayProbe::~XDisplayProbe()
{
    if (m_display)
        XCloseDisplay(display(m_display));
}

QList<XDisplayProbe::Window> XDisplayProbe::shownWindows() const
{
    QList<Window> windows;
    if (!m_display)
        return windows;
    Display *dpy = display(m_display);
    ::Window root = 0;
    ::Window parent = 0;
    ::Window *children = nullptr;
    unsigned int count = 0;
    if (!XQueryTree(dpy, DefaultRootWindow(dpy), &root, &parent, &children, &count))
        return windows;
    for (unsigned int i = 0; i < count; ++i) {
        XWindowAttributes attributes;
        if (!XGetWindowAttributes(dpy, children[i], &attributes) || attributes.map_state != IsViewable)
            continue;
        Window window;
        window.id = children[i];
        const QByteArray pid = property(dpy, children[i], "_NET_WM_PID", XA_CARDINAL);
        if (pid.size() >= int(sizeof(long)))
            window.pid = *reinterpret_cast<const long *>(pid.constData());
        const QByteArray name = property(dpy, children[i], "_NET_WM_NAME", XInternAtom(dpy, "UTF8_STRING", False));
        window.title = QString::fromUtf8(name);
        if (window.title.isEmpty()) {
            char *plain = nullptr;
            if (XFetchName(dpy, children[i], &plain) && plain) {
                window.title = QString::fromLatin1(plain);
                XFree(plain);
            }
        }
        windows.append(window);
    }
    if (children)
        XFree(children);
    return windows;
}

QList<XDisplayProbe::Window> XDisplayProbe::shownWindowsOf(qint64 pid) const
{
    QList<Window> windows;
    for (const Window &window : shownWindows()) {
        if (window.pid == pid)
            windows.append(window);
    }
    return windows;
}

void XDisplayProbe::close(unsigned long id) const
{
    if (!m_display)
        return;
    Display *dpy = display(m_display);
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = id;
    event.xclient.message_type = XInternAtom(dpy, "WM_PROTOCOLS", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = long(XInternAtom(dpy, "WM_DELETE_WINDOW", False));
    event.xclient.data.l[1] = CurrentTime;
    XSendEvent(dpy, id, False, NoEventMask, &event);
    XFlush(dpy);
}
