#include "mainwindow/keyboardaccess.h"

#include "localisation/captions.h"
#include "mainwindow/commandlabel.h"

#include <QShortcut>

KeyboardAccess::KeyboardAccess(QWidget *window, const QList<Shortcut> &shortcuts, const QList<Name> &names)
    : QObject(window), m_shortcuts(shortcuts), m_names(names)
{
    for (const Shortcut &command : shortcuts) {
        if (command.keys.isEmpty())
            continue;
        auto *shortcut = new QShortcut(window);
        shortcut->setKeys(command.keys);
        shortcut->setContext(Qt::WindowShortcut);
        // The same path as a click, so that a key and the mouse cannot differ.
        connect(shortcut, &QShortcut::activated, command.label, &CommandLabel::clicked);
    }
}

QList<QKeySequence> KeyboardAccess::standardKeys(QKeySequence::StandardKey key, const QKeySequence &fallback)
{
    QList<QKeySequence> keys = QKeySequence::keyBindings(key);
    if (keys.isEmpty() && !fallback.isEmpty())
        keys.append(fallback);
    return keys;
}

void KeyboardAccess::relabel()
{
    for (const Shortcut &command : std::as_const(m_shortcuts)) {
        const QString tip =
            captionWithShortcut(command.label->text(), command.keys.value(0));
        command.label->setToolTip(tip);
        if (command.icon)
            command.icon->setToolTip(tip);
    }
    for (const Name &name : std::as_const(m_names))
        name.widget->setAccessibleName(accessibleCaption(name.caption()));
}
