#include "settings/regkeys.h"

#include "files/codepage.h"

#ifdef Q_OS_WIN
#include <qt_windows.h>

#include <vector>
#else
#include <QSettings>

#include <memory>
#endif

namespace {

#ifdef Q_OS_WIN

HKEY rootKey(RegHive hive)
{
    return hive == RegHive::LocalMachine ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER;
}

const wchar_t *wide(const QString &text)
{
    return reinterpret_cast<const wchar_t *>(text.utf16());
}

#else

// The QSettings object behind a key; nothing for a path that names no store.
std::unique_ptr<QSettings> openKey(const QString &keyPath)
{
    QStringList parts = keyPath.split(QLatin1Char('\\'), Qt::SkipEmptyParts);
    if (!parts.isEmpty() && parts.first().compare(QLatin1String("Software"), Qt::CaseInsensitive) == 0)
        parts.removeFirst();
    if (parts.isEmpty())
        return nullptr;
    const QString organisation = parts.takeFirst();
    const QString application = parts.isEmpty() ? QString() : parts.takeFirst();
    auto settings =
        std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope, organisation, application);
    if (!parts.isEmpty())
        settings->beginGroup(parts.join(QLatin1Char('/')));
    return settings;
}

#endif

SettingsStore &platformStore()
{
    static SettingsStore store;
    return store;
}

SettingsStore *currentStore = nullptr;

SettingsStore &store()
{
    return currentStore ? *currentStore : platformStore();
}

// One hive's value as the text GetKeyValue returns.
QString readText(RegHive hive, const QString &keyPath, const QString &valueName)
{
    const QVariant value = store().value(hive, keyPath, valueName);
    QString text;
    switch (value.typeId()) {
    case QMetaType::QString:
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
        text = value.toString();
        break;
    default: // missing, binary data, lists and anything else that is not one text
        return {};
    }
    // The text ends at its first zero character, as a registry string does.
    const qsizetype zero = text.indexOf(QChar(0));
    if (zero >= 0)
        text.truncate(zero);
    return CodePage::encode(text).size() >= MaxValueBytes ? QString() : text;
}

} // namespace

#ifdef Q_OS_WIN

QVariant SettingsStore::value(RegHive hive, const QString &keyPath, const QString &valueName) const
{
    // Read rights are enough to read: a standard user sees what the machine-wide key holds.
    HKEY key = nullptr;
    if (RegOpenKeyExW(rootKey(hive), wide(keyPath), 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS)
        return {};
    DWORD type = 0;
    DWORD size = 0;
    LONG result = RegQueryValueExW(key, wide(valueName), nullptr, &type, nullptr, &size);
    std::vector<BYTE> data(size + sizeof(wchar_t));
    if (result == ERROR_SUCCESS)
        result = RegQueryValueExW(key, wide(valueName), nullptr, &type, data.data(), &size);
    RegCloseKey(key);
    if (result != ERROR_SUCCESS)
        return {};
    switch (type) {
    case REG_SZ:
    case REG_EXPAND_SZ: { // returned as stored, references not expanded
        QString text =
            QString::fromWCharArray(reinterpret_cast<const wchar_t *>(data.data()), size / sizeof(wchar_t));
        if (text.endsWith(QChar(0))) // the terminating zero that the stored size counts
            text.chop(1);
        return text;
    }
    case REG_DWORD:
        return size == sizeof(DWORD) ? QVariant(*reinterpret_cast<const quint32 *>(data.data())) : QVariant();
    default:
        return {};
    }
}

bool SettingsStore::setValue(RegHive hive, const QString &keyPath, const QString &valueName,
                             const QString &text)
{
    HKEY key = nullptr;
    if (RegCreateKeyExW(rootKey(hive), wide(keyPath), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_SET_VALUE,
                        nullptr, &key, nullptr) != ERROR_SUCCESS)
        return false;
    const auto bytes = DWORD((text.size() + 1) * sizeof(wchar_t));
    const LONG result =
        RegSetValueExW(key, wide(valueName), 0, REG_SZ, reinterpret_cast<const BYTE *>(text.utf16()), bytes);
    RegCloseKey(key);
    return result == ERROR_SUCCESS;
}

#else

QVariant SettingsStore::value(RegHive, const QString &keyPath, const QString &valueName) const
{
    const auto settings = openKey(keyPath);
    if (!settings || settings->status() != QSettings::NoError)
        return {};
    return settings->value(valueName);
}

bool SettingsStore::setValue(RegHive, const QString &keyPath, const QString &valueName, const QString &text)
{
    const auto settings = openKey(keyPath);
    if (!settings || !settings->isWritable())
        return false;
    settings->setValue(valueName, text);
    settings->sync();
    return settings->status() == QSettings::NoError;
}

#endif

void setSettingsStore(SettingsStore *settingsStore)
{
    currentStore = settingsStore;
}

QString GetKeyValue(RegHive hive, const QString &keyPath, const QString &valueName)
{
    if (keyPath.isEmpty() || valueName.isEmpty())
        return {};
    if (hive == RegHive::LocalMachine) {
        // What a user could not write machine-wide was kept for him alone, and is what he last saved.
        const QString own = readText(RegHive::CurrentUser, keyPath, valueName);
        if (!own.isEmpty())
            return own;
    }
    return readText(hive, keyPath, valueName);
}

bool SetKeyValue(RegHive hive, const QString &keyPath, const QString &valueName, const QString &value)
{
    if (keyPath.isEmpty() || valueName.isEmpty())
        return false;
    const QString text = value.isEmpty() ? QStringLiteral(" ") : value;
    if (hive != RegHive::LocalMachine)
        return store().setValue(hive, keyPath, valueName, text);
    if (!store().setValue(RegHive::LocalMachine, keyPath, valueName, text))
        return store().setValue(RegHive::CurrentUser, keyPath, valueName, text);
    // Written machine-wide; a copy kept for the user from an earlier failed write would hide it, so
    // the value counts as saved only once that copy is replaced too.
    if (store().value(RegHive::CurrentUser, keyPath, valueName).isValid())
        return store().setValue(RegHive::CurrentUser, keyPath, valueName, text);
    return true;
}

QString currencyFromStore(const QString &stored)
{
    return stored.isEmpty() || stored == QLatin1String("$") ? QStringLiteral("US$") : stored;
}

QString readStoredCurrency()
{
    return currencyFromStore(GetKeyValue(RegHive::LocalMachine, SettingsKeyPath, RegValue::cboMoeda));
}
