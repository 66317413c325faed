#include "support/fakedialogs.h"

#include <QGuiApplication>
#include <QPrinter>

Dialogs::Answer FakeDialogs::message(QWidget *, Icon icon, const QString &title, const QString &text,
                                     Buttons buttons)
{
    const bool busy =
        qobject_cast<QGuiApplication *>(QCoreApplication::instance()) && QGuiApplication::overrideCursor();
    messages.append({icon, title, text, buttons, busy, {}});
    if (buttons == Buttons::Ok)
        return Answer::Ok;
    return answers.isEmpty() ? Answer::Yes : answers.dequeue();
}

Dialogs::Answer FakeDialogs::askToSave(QWidget *, const QString &title, const QString &text, const QString &save,
                                       const QString &discard, const QString &cancel)
{
    messages.append({Icon::Question, title, text, Buttons::SaveDiscardCancel, false, {save, discard, cancel}});
    return answers.isEmpty() ? Answer::Discard : answers.dequeue();
}

QString FakeDialogs::openFileName(QWidget *, const QString &title, const QString &folder, const QString &filter)
{
    fileRequests.append({false, title, folder, filter});
    return fileNames.isEmpty() ? QString() : fileNames.dequeue();
}

QString FakeDialogs::saveFileName(QWidget *, const QString &title, const QString &folder, const QString &filter)
{
    fileRequests.append({true, title, folder, filter});
    return fileNames.isEmpty() ? QString() : fileNames.dequeue();
}

QStringList FakeDialogs::openFileNames(QWidget *, const QString &title, const QString &folder,
                                       const QString &filter)
{
    fileRequests.append({false, title, folder, filter});
    return fileNameLists.isEmpty() ? QStringList() : fileNameLists.dequeue();
}

bool FakeDialogs::choosePrinter(QWidget *, QPrinter &printer)
{
    ++printRequests;
    const bool print = !printAnswers.isEmpty() && printAnswers.dequeue();
    if (print && !printFile.isEmpty()) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(printFile);
    }
    return print;
}

QStringList FakeDialogs::texts() const
{
    QStringList result;
    for (const auto &m : messages)
        result.append(m.text);
    return result;
}

void FakeDialogs::clear()
{
    messages.clear();
    fileRequests.clear();
    printRequests = 0;
}
