#include "mainwindow/keyboardaccess.h"

#include "localisation/captions.h"
#include "mainwindow/commandlabel.h"

#include <QShortcut>

KeyboardAccess::KeyboardAccess(QWidget *window, const QList<CommandRow> &commands, TextLookup text,
                               std::function<void(int command)> run)
    : QObject(window), m_text(std::move(text))
{
    for (const CommandRow &row : commands) {
        auto *control = window->findChild<CommandLabel *>(QLatin1String(row.control));
        auto *icon = row.icon ? window->findChild<CommandLabel *>(QLatin1String(row.icon)) : nullptr;
        if (!control)
            continue;
        const Command &command = m_commands.emplaceBack(Command{row, control, icon, row.key.keys()});
        const auto runIt = [run, number = row.command] { run(number); };
        for (CommandLabel *clickable : {control, icon}) {
            if (clickable)
                connect(clickable, &CommandLabel::clicked, this, runIt);
        }
        // The form gives it Tab focus as well, so that its place in the form's tab order holds.
        control->setFocusPolicy(Qt::TabFocus);
        control->setShortcutKey(command.keys.value(0));
        if (!command.keys.isEmpty()) {
            auto *shortcut = new QShortcut(window);
            shortcut->setKeys(command.keys);
            shortcut->setContext(Qt::WindowShortcut);
            connect(shortcut, &QShortcut::activated, this, runIt);
        }
    }
}

void KeyboardAccess::relabel()
{
    for (const Command &command : std::as_const(m_commands)) {
        QString caption = command.row.name && m_text ? m_text(command.row.name) : QString();
        if (caption.isEmpty())
            caption = command.control->text();
        else
            command.control->setAccessibleName(accessibleCaption(caption));
        const QString tip = captionWithShortcut(caption, command.keys.value(0));
        command.control->setToolTip(tip);
        if (command.icon) {
            command.icon->setToolTip(tip);
            command.icon->setAccessibleName(accessibleCaption(caption));
        }
    }
    for (const Name &name : std::as_const(m_names))
        name.widget->setAccessibleName(accessibleCaption(name.caption()));
}

const KeyboardAccess::Command *KeyboardAccess::find(int command) const
{
    for (const Command &c : m_commands) {
        if (c.row.command == command)
            return &c;
    }
    return nullptr;
}

CommandLabel *KeyboardAccess::control(int command) const
{
    const Command *c = find(command);
    return c ? c->control : nullptr;
}

CommandLabel *KeyboardAccess::icon(int command) const
{
    const Command *c = find(command);
    return c ? c->icon : nullptr;
}

QList<QKeySequence> KeyboardAccess::keys(int command) const
{
    const Command *c = find(command);
    return c ? c->keys : QList<QKeySequence>();
}
