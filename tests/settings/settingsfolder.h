#pragma once

#include <QSettings>
#include <QTemporaryDir>

// Points the settings store at a fresh temporary folder for as long as it lives. Create one per test
// function: every folder has its own file, so nothing cached from another test can leak in.
class SettingsFolder
{
public:
    SettingsFolder() { QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, m_dir.path()); }
    bool isValid() const { return m_dir.isValid(); }
    // The file that holds the settings key.
    QString file() const { return m_dir.filePath(QStringLiteral("Varnel/Tessio.conf")); }

private:
    QTemporaryDir m_dir;
};
