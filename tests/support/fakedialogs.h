#pragma once

#include "platform/dialogs.h"

#include <QList>
#include <QQueue>
#include <QString>

// Answers every dialog from queued answers and records what was asked, so tests can check the
// messages (icon, title, text) and script the file and print dialogs.
class FakeDialogs : public Dialogs
{
public:
    struct Message
    {
        Icon icon;
        QString title;
        QString text;
        Buttons buttons;
        bool busyPointer; // shown while an override cursor (the hourglass) was set
        QStringList buttonTexts; // the captions of askToSave's buttons
    };
    struct FileRequest
    {
        bool save;
        QString title;
        QString folder;
        QString filter;
    };

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
    bool printDestinationAvailable() const override { return printDestinations; }

    // Answers to give, in order. With none queued, Yes/No questions are answered Yes, the question
    // before changes are lost Discard (closing goes on, as it did before anything asked), file dialogs
    // are cancelled and the print dialog is cancelled.
    QQueue<Answer> answers;
    QQueue<QString> fileNames;
    QQueue<QStringList> fileNameLists; // answers of the several-files open dialog
    // For the print dialog: true prints (to a PDF file at printFile when set), false cancels.
    QQueue<bool> printAnswers;
    QString printFile;
    bool printDestinations = true; // false: no printer installed and no file to print to

    QList<Message> messages;
    QList<FileRequest> fileRequests;
    int printRequests = 0;

    QStringList texts() const;
    void clear();
};
