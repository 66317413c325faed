#pragma once

#include <QKeySequence>
#include <QList>

// A window's commands as one table, one row a command, as an action collection holds each action with
// its keys: the control that shows and runs it, the picture beside it, its caption and its keys. The
// window's captions and pictures, the shortcuts, the tooltips, the focus and what a screen reader says
// all come from the row (KeyboardAccess), so adding a command is adding a row. Each window declares its
// own table of these rows with its own command numbers.

// The keys of a command: the platform's standard key where it has one, else (or only) its own key.
struct CommandKey
{
    QKeySequence::StandardKey standard = QKeySequence::UnknownKey;
    QKeyCombination own{};

    QList<QKeySequence> keys() const
    {
        QList<QKeySequence> keys = QKeySequence::keyBindings(standard);
        if (keys.isEmpty() && own.key() != Qt::Key_unknown)
            keys.append(QKeySequence(own));
        return keys;
    }
};

struct CommandRow
{
    int command;          // the window's number for it (a value of its command enum)
    const char *control;  // object name of the label or button that shows and runs it, or nullptr (only
                          // its keys run it)
    const char *icon;     // object name of the picture that runs it too, or nullptr
    const char *iconFile; // that picture among the program's icons, or nullptr (the window paints it)
    int caption;          // language text of its caption, or 0 (the window sets the caption)
    int name;             // language text that names it for a screen reader and in its tooltip, or 0
                          // (its caption)
    CommandKey key;
    const char *keyScope = nullptr; // object name of the one widget its keys work in, or nullptr (the
                                    // whole window)
};
