#pragma once

#include <QLocale>
#include <QStandardPaths>
#include <QTemporaryDir>

// Pins what a test must not take from the machine: the locale, the settings and the runtime folder.
inline void pinTestEnvironment(const QLocale &locale = QLocale(QLocale::English, QLocale::UnitedStates))
{
    QLocale::setDefault(locale);
    QStandardPaths::setTestModeEnabled(true);
    static QTemporaryDir runtime;
    qputenv("XDG_RUNTIME_DIR", runtime.path().toUtf8());
}
