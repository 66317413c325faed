#pragma once

#include "platform/dialogs.h"

class QTextStream;

// Dialogs for a program without windows: messages go to standard error as "title: text", every
// question is answered with its default, and file and print dialogs are cancelled.
class ConsoleDialogs : public Dialogs
{
public:
    explicit ConsoleDialogs(QTextStream &err);

    Answer message(QWidget *parent, Icon icon, const QString &title, const QString &text,
                   Buttons buttons = Buttons::Ok) override;
    Answer askToSave(QWidget *parent, const QString &title, const QString &text, const QString &save,
                     const QString &discard, const QString &cancel) override;
    QString openFileName(QWidget *parent, const QString &title, const QString &folder,
                         const QString &filter) override;
    QString saveFileName(QWidget *parent, const QString &title, const QString &folder,
                         const QString &filter) override;
    bool choosePrinter(QWidget *parent, QPrinter &printer) override;

private:
    QTextStream &m_err;
};
