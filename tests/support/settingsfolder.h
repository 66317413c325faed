#pragma once

#include <QSettings>
#include <QTemporaryDir>

#ifdef Q_OS_WIN
#include <qt_windows.h>
#endif

// Points the settings store at a fresh temporary folder for as long as it lives. Create one per test
// function: every folder has its own file, so nothing cached from another test can leak in.
// On Windows the store is the registry itself: the settings key is removed from both hives when the
// folder is made and again when it goes, so every test starts from a machine that never ran Tessio.
class SettingsFolder
{
public:
    SettingsFolder()
    {
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, m_dir.path());
        clearRegistry();
    }
    ~SettingsFolder() { clearRegistry(); }
    bool isValid() const { return m_dir.isValid(); }
    // The file that holds the settings key (not on Windows).
    QString file() const { return m_dir.filePath(QStringLiteral("Varnel/Tessio.conf")); }
    // How many values the store holds, in both hives on Windows.
    qsizetype valueCount() const
    {
#ifdef Q_OS_WIN
        qsizetype count = 0;
        for (const char *hive : {"HKEY_LOCAL_MACHINE", "HKEY_CURRENT_USER"})
            count += QSettings(QLatin1String(hive) + QLatin1String("\\Software\\Varnel\\Tessio"),
                               QSettings::NativeFormat)
                         .allKeys()
                         .size();
        return count;
#else
        return QSettings(file(), QSettings::IniFormat).allKeys().size();
#endif
    }

private:
    static void clearRegistry()
    {
#ifdef Q_OS_WIN
        for (HKEY hive : {HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER})
            RegDeleteTreeW(hive, L"Software\\Varnel\\Tessio");
#endif
    }

    QTemporaryDir m_dir;
};
