#pragma once

#include "calc/calculator.h"
#include "platform/commandrow.h"

#include <QKeySequence>
#include <QList>
#include <QObject>

#include <functional>

class CommandLabel;
class QWidget;

// Keyboard and screen-reader access to a window, from its command table. A command's label takes the
// focus by Tab (not by a click, which leaves the focus in the field being typed in) and runs on Enter and
// Space (CommandLabel); a command's button is one already. Its keys are shortcuts of the whole window (or
// of the one widget the row names). A click on the label, the button or the picture, a key and a screen
// reader's Press action all run the command through the same `run`; a disabled control's command does
// not run.
//
// setCaptions() gives each command its caption in the current language. relabel() gives each command a
// tooltip that names its key ("Open (Ctrl+O)"; a button without one names its access key, "Alt+R"),
// its picture the command's name, and names every field and selector by the caption beside it; it runs
// again after the language or the currency changed the captions. A line edit's accessible value is the
// text it shows, so a result is read as "Annual Savings (kWh)", "29,200".
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
    void setCaptions();
    void relabel();

    // The control (label or button) and the picture of a command (nullptr for none), and its keys, the
    // first one shown.
    QWidget *control(int command) const;
    CommandLabel *label(int command) const; // the control when it is a label
    CommandLabel *icon(int command) const;
    QList<QKeySequence> keys(int command) const;

private:
    struct Command
    {
        CommandRow row;
        QWidget *control;
        CommandLabel *icon;
        QList<QKeySequence> keys;
    };
    const Command *find(int command) const;
    void addShortcut(QWidget *window, const Command &command, const std::function<void()> &run);

    QList<Command> m_commands;
    TextLookup m_text;
    QList<Name> m_names;
};
