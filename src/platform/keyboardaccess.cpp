#include "platform/keyboardaccess.h"

#include "localisation/captions.h"
#include "platform/commandlabel.h"

#include <QAbstractButton>
#include <QShortcut>

namespace {

QString caption(const QWidget *control)
{
    if (const auto *label = qobject_cast<const QLabel *>(control))
        return label->text();
    const auto *button = qobject_cast<const QAbstractButton *>(control);
    return button ? button->text() : QString();
}

void setCaption(QWidget *control, const QString &text)
{
    if (auto *label = qobject_cast<QLabel *>(control))
        label->setText(text);
    else if (auto *button = qobject_cast<QAbstractButton *>(control))
        button->setText(text);
}

} // namespace

KeyboardAccess::KeyboardAccess(QWidget *window, const QList<CommandRow> &commands, TextLookup text,
                               std::function<void(int command)> run)
    : QObject(window), m_text(std::move(text))
{
    for (const CommandRow &row : commands) {
        QWidget *control = row.control ? window->findChild<QWidget *>(QLatin1String(row.control)) : nullptr;
        if (row.control && !control)
            continue;
        auto *icon = row.icon ? window->findChild<CommandLabel *>(QLatin1String(row.icon)) : nullptr;
        const Command &command = m_commands.emplaceBack(Command{row, control, icon, row.key.keys()});
        const auto runIt = [run, control, number = row.command] {
            if (!control || control->isEnabled())
                run(number);
        };
        if (auto *label = qobject_cast<CommandLabel *>(control)) {
            // The form gives it Tab focus as well, so that its place in the form's tab order holds.
            label->setFocusPolicy(Qt::TabFocus);
            label->setShortcutKey(command.keys.value(0));
            connect(label, &CommandLabel::clicked, this, runIt);
        } else if (auto *button = qobject_cast<QAbstractButton *>(control)) {
            connect(button, &QAbstractButton::clicked, this, runIt);
        }
        if (icon)
            connect(icon, &CommandLabel::clicked, this, runIt);
        addShortcut(window, command, runIt);
    }
}

void KeyboardAccess::addShortcut(QWidget *window, const Command &command, const std::function<void()> &run)
{
    if (command.keys.isEmpty())
        return;
    const char *scope = command.row.keyScope;
    QWidget *parent = scope ? window->findChild<QWidget *>(QLatin1String(scope)) : window;
    if (!parent)
        return;
    auto *shortcut = new QShortcut(parent);
    shortcut->setKeys(command.keys);
    shortcut->setContext(scope ? Qt::WidgetShortcut : Qt::WindowShortcut);
    connect(shortcut, &QShortcut::activated, this, run);
}

void KeyboardAccess::setCaptions()
{
    for (const Command &command : std::as_const(m_commands)) {
        if (command.control && command.row.caption && m_text)
            setCaption(command.control, m_text(command.row.caption));
    }
}

void KeyboardAccess::relabel()
{
    for (const Command &command : std::as_const(m_commands)) {
        if (!command.control)
            continue;
        QString name = command.row.name && m_text ? m_text(command.row.name) : QString();
        if (name.isEmpty())
            name = caption(command.control);
        else
            command.control->setAccessibleName(accessibleCaption(name));
        // A button's access key works without more ado; a label's would not, so it is not shown.
        QKeySequence key = command.keys.value(0);
        if (key.isEmpty() && qobject_cast<QAbstractButton *>(command.control))
            key = QKeySequence::mnemonic(caption(command.control));
        const QString tip = captionWithShortcut(name, key);
        command.control->setToolTip(tip);
        if (command.icon) {
            command.icon->setToolTip(tip);
            command.icon->setAccessibleName(accessibleCaption(name));
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

QWidget *KeyboardAccess::control(int command) const
{
    const Command *c = find(command);
    return c ? c->control : nullptr;
}

CommandLabel *KeyboardAccess::label(int command) const
{
    return qobject_cast<CommandLabel *>(control(command));
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
