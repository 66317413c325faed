#include "platform/qtdialogs.h"

#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
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

Dialogs::Answer QtDialogs::askToSave(QWidget *parent, const QString &title, const QString &text,
                                     const QString &save, const QString &discard, const QString &cancel)
{
    QMessageBox box(parent);
    box.setIcon(QMessageBox::Question);
    box.setWindowTitle(title.isEmpty() ? applicationTitle() : title);
    QString shown = text;
    shown.replace(QLatin1String("\r\n"), QLatin1String("\n")).replace(u'\r', u'\n');
    box.setText(shown);
    box.setStandardButtons(QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel);
    box.button(QMessageBox::Save)->setText(save);
    box.button(QMessageBox::Discard)->setText(discard);
    box.button(QMessageBox::Cancel)->setText(cancel);
    box.setDefaultButton(QMessageBox::Save);
    box.setEscapeButton(QMessageBox::Cancel);
    switch (box.exec()) {
    case QMessageBox::Save:
        return Answer::Save;
    case QMessageBox::Discard:
        return Answer::Discard;
    default:
        return Answer::Cancel;
    }
}

QString QtDialogs::openFileName(QWidget *parent, const QString &title, const QString &folder,
                                const QString &filter)
{
    // Like the save dialog, the open dialog takes a typed name of a file that does not exist; the
    // command reports it when reading fails.
    QFileDialog dialog(parent, title, folder, filter);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::AnyFile);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    return dialog.selectedFiles().constFirst();
}

QString QtDialogs::saveFileName(QWidget *parent, const QString &title, const QString &folder,
                                const QString &filter)
{
    return QFileDialog::getSaveFileName(parent, title, folder, filter);
}

QStringList QtDialogs::openFileNames(QWidget *parent, const QString &title, const QString &folder,
                                     const QString &filter)
{
    return QFileDialog::getOpenFileNames(parent, title, folder, filter);
}

bool QtDialogs::choosePrinter(QWidget *parent, QPrinter &printer)
{
    QPrintDialog dialog(&printer, parent);
    // A report prints all its pages (the case's has one): there is no range to choose. (setMinMax turns
    // the range on.)
    dialog.setMinMax(1, 1);
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
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
