#pragma once

#include <QKeySequence>
#include <QList>
#include <QObject>

#include <functional>

class CommandLabel;
class QWidget;

// Keyboard and screen-reader access to the main window. The commands are labels, which a keyboard
// cannot reach: each command with a standard key gets a window-wide shortcut that clicks its label,
// and its label and icon show the key in their tooltip. Every field and selector gets an accessible
// name from the caption beside it; relabel() takes the captions again after the language or the
// currency changed them. A line edit's accessible value is the text it shows, so a result is read
// as "Annual Savings (kWh)", "29,200".
class KeyboardAccess : public QObject
{
    Q_OBJECT
public:
    struct Shortcut
    {
        CommandLabel *label;
        CommandLabel *icon; // may be null
        QList<QKeySequence> keys;
    };
    struct Name
    {
        QWidget *widget;
        std::function<QString()> caption; // read at each relabel()
    };

    KeyboardAccess(QWidget *window, const QList<Shortcut> &shortcuts, const QList<Name> &names);

    // The platform's keys for `key`; `fallback` where the platform has none (Save As on Windows).
    static QList<QKeySequence> standardKeys(QKeySequence::StandardKey key, const QKeySequence &fallback = {});

    void relabel();

private:
    QList<Shortcut> m_shortcuts;
    QList<Name> m_names;
};
