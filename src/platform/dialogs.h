#pragma once

#include <QString>
#include <QStringList>

class QWidget;
class QPrinter;

// Every message box, file dialog and print dialog goes through this interface, so that tests can
// answer them and record what was asked. The Qt implementation is QtDialogs.
class Dialogs
{
public:
    enum class Icon { Information, Question, Critical };
    enum class Buttons { Ok, YesNo, SaveDiscardCancel };
    enum class Answer { Ok, Yes, No, Save, Discard, Cancel };

    virtual ~Dialogs() = default;

    // A modal message box. An empty title shows the application title.
    virtual Answer message(QWidget *parent, Icon icon, const QString &title, const QString &text,
                           Buttons buttons = Buttons::Ok) = 0;

    // The question before changes are lost: the question icon and three buttons captioned, in the
    // user's language, with `save`, `discard` and `cancel`; answers Save, Discard or Cancel. Save is
    // the default button; Escape or closing the box is Cancel.
    virtual Answer askToSave(QWidget *parent, const QString &title, const QString &text, const QString &save,
                             const QString &discard, const QString &cancel) = 0;

    // File dialogs; `title` is the command's caption in the current language, `filter` a Qt name filter
    // such as "Export Files (*.TXT)". An empty result is a cancel. The save dialog asks itself before
    // replacing an existing file.
    virtual QString openFileName(QWidget *parent, const QString &title, const QString &folder,
                                 const QString &filter) = 0;
    virtual QString saveFileName(QWidget *parent, const QString &title, const QString &folder,
                                 const QString &filter) = 0;
    // An open dialog that takes several existing files at once; empty on cancel. By default the
    // single-file dialog.
    virtual QStringList openFileNames(QWidget *parent, const QString &title, const QString &folder,
                                      const QString &filter)
    {
        const QString name = openFileName(parent, title, folder, filter);
        return name.isEmpty() ? QStringList() : QStringList{name};
    }

    // The print dialog: sets up `printer` with the user's choice; false on cancel.
    virtual bool choosePrinter(QWidget *parent, QPrinter &printer) = 0;
    // Whether the print dialog would offer any destination at all: an installed printer, or a PDF file
    // where the dialog can write one. Without one, Print says so instead of showing the dialog.
    virtual bool printDestinationAvailable() const { return true; }
};

// The title of message boxes that have none of their own.
inline QString applicationTitle()
{
    return QStringLiteral("Tessio");
}
