#pragma once

#include "platform/dialogs.h"

// Dialogs shown with QMessageBox, QFileDialog and QPrintDialog.
class QtDialogs : public Dialogs
{
public:
    Answer message(QWidget *parent, Icon icon, const QString &title, const QString &text,
                   Buttons buttons) override;
    Answer askToSave(QWidget *parent, const QString &title, const QString &text, const QString &save,
                     const QString &discard, const QString &cancel) override;
    QString openFileName(QWidget *parent, const QString &title, const QString &folder,
                         const QString &filter) override;
    QString saveFileName(QWidget *parent, const QString &title, const QString &folder,
                         const QString &filter) override;
    QStringList openFileNames(QWidget *parent, const QString &title, const QString &folder,
                              const QString &filter) override;
    bool choosePrinter(QWidget *parent, QPrinter &printer) override;
    // Qt's own print dialog (Linux and other Unix desktops) and macOS's always offer a PDF file; the
    // Windows dialog lists the installed printers only.
    bool printDestinationAvailable() const override;
    static bool printDialogPrintsToFile();
};
