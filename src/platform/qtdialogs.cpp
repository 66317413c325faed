#include "platform/qtdialogs.h"

#include <QFileDialog>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>

Dialogs::Answer QtDialogs::message(QWidget *parent, Icon icon, const QString &title, const QString &text,
                                   Buttons buttons)
{
    QMessageBox box(parent);
    box.setIcon(icon == Icon::Information ? QMessageBox::Information
                : icon == Icon::Question  ? QMessageBox::Question
                                          : QMessageBox::Critical);
    box.setWindowTitle(title.isEmpty() ? applicationTitle() : title);
    // Messages break their lines with CR LF or a lone CR; a label breaks only at LF.
    QString shown = text;
    shown.replace(QLatin1String("\r\n"), QLatin1String("\n")).replace(u'\r', u'\n');
    box.setText(shown);
    if (buttons == Buttons::YesNo) {
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box.setDefaultButton(QMessageBox::Yes);
    } else {
        box.setStandardButtons(QMessageBox::Ok);
    }
    const int result = box.exec();
    if (buttons == Buttons::YesNo)
        return result == QMessageBox::Yes ? Answer::Yes : Answer::No;
    return Answer::Ok;
}

QString QtDialogs::openFileName(QWidget *parent, const QString &folder, const QString &filter)
{
    // Like the save dialog, the open dialog takes a typed name of a file that does not exist; the
    // command reports it when reading fails.
    QFileDialog dialog(parent, QString(), folder, filter);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::AnyFile);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    return dialog.selectedFiles().constFirst();
}

QString QtDialogs::saveFileName(QWidget *parent, const QString &folder, const QString &filter)
{
    return QFileDialog::getSaveFileName(parent, QString(), folder, filter);
}

bool QtDialogs::choosePrinter(QWidget *parent, QPrinter &printer)
{
    QPrintDialog dialog(&printer, parent);
    return dialog.exec() == QDialog::Accepted;
}

bool QtDialogs::printDialogPrintsToFile()
{
#ifdef Q_OS_WIN
    return false;
#else
    return true;
#endif
}

bool QtDialogs::printDestinationAvailable() const
{
    return printDialogPrintsToFile() || !QPrinterInfo::availablePrinterNames().isEmpty();
}
