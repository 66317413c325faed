#pragma once

#include <QString>
#include <QStringList>

// The case file named on the command line ("tessio FILE", as the desktop passes a double-clicked
// file): the only argument after the program's name, made absolute against `currentFolder`. Empty
// when there is no argument or more than one (nothing is opened then).
QString caseFileArgument(const QStringList &arguments, const QString &currentFolder);
