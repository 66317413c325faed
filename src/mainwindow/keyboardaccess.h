#pragma once

#include "calc/calculator.h"
#include "mainwindow/commandtable.h"

#include <QKeySequence>
#include <QList>
#include <QObject>

#include <functional>

class CommandLabel;
class QWidget;

// Keyboard and screen-reader access to a window, from its command table. Each command's label takes the
// focus by Tab (not by a click, which leaves the focus in the field being typed in) and runs on Enter and
// Space (CommandLabel); its keys are window-wide shortcuts. A click on the label or on its picture, a key
// and a screen reader's Press action all run the command through the same `run`.
//
// relabel() gives each command a tooltip that names its key ("Open (Ctrl+O)") and its picture the
// command's name, and names every field and selector by the caption beside it; it runs again after the
// language or the currency changed the captions. A line edit's accessible value is the text it shows,
// so a result is read as "Annual Savings (kWh)", "29,200".
class KeyboardAccess : public QObject
{
    Q_OBJECT
public:
    struct Name
    {
        QWidget *widget;
        std::function<QString()> caption; // read at each relabel()
    };

    // `window` holds the controls that `commands` name; `text` gives the rows' language texts.
    KeyboardAccess(QWidget *window, const QList<CommandRow> &commands, TextLookup text,
                   std::function<void(int command)> run);

    void setNames(const QList<Name> &names) { m_names = names; }
    void relabel();

    // The label and the picture of a command (nullptr for none), and its keys, the first one shown.
    CommandLabel *control(int command) const;
    CommandLabel *icon(int command) const;
    QList<QKeySequence> keys(int command) const;

private:
    struct Command
    {
        CommandRow row;
        CommandLabel *control;
        CommandLabel *icon;
        QList<QKeySequence> keys;
    };
    const Command *find(int command) const;

    QList<Command> m_commands;
    TextLookup m_text;
    QList<Name> m_names;
};
