#pragma once

#include <QString>

// A folder path with the platform's separator appended when it does not end in one; an empty path
// gives the separator alone. Every file beside the program is found as AddBackslash(folder) + name.
QString AddBackslash(const QString &folder);

// The folder of the running program, through AddBackslash.
QString programFolder();
