#include "cli/consoledialogs.h"

#include <QTextStream>

ConsoleDialogs::ConsoleDialogs(QTextStream &err)
    : m_err(err)
{
}

Dialogs::Answer ConsoleDialogs::message(QWidget *, Icon, const QString &title, const QString &text, Buttons buttons)
{
    // Message boxes break lines at CR as well as LF; a terminal wants LF alone.
    QString lines = text;
    lines.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(u'\r', u'\n');
    m_err << "tessio-calc: " << (title.isEmpty() ? applicationTitle() : title) << ": " << lines << Qt::endl;
    return buttons == Buttons::YesNo ? Answer::No : Answer::Ok;
}

Dialogs::Answer ConsoleDialogs::askToSave(QWidget *parent, const QString &title, const QString &text,
                                          const QString &, const QString &, const QString &)
{
    // Nothing here can be saved by asking: the question is reported and answered Cancel.
    message(parent, Icon::Question, title, text, Buttons::Ok);
    return Answer::Cancel;
}

QString ConsoleDialogs::openFileName(QWidget *, const QString &, const QString &, const QString &)
{
    return QString();
}

QString ConsoleDialogs::saveFileName(QWidget *, const QString &, const QString &, const QString &)
{
    return QString();
}

bool ConsoleDialogs::choosePrinter(QWidget *, QPrinter &)
{
    return false;
}
