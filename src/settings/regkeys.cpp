#include "settings/regkeys.h"

#include "files/codepage.h"

#include <QSettings>
#include <QVariant>

#include <memory>

namespace {

// The QSettings object behind a key; nothing for a path that names no store.
std::unique_ptr<QSettings> openKey(RegHive hive, const QString &keyPath)
{
#ifdef Q_OS_WIN
    const QString root = hive == RegHive::LocalMachine ? QStringLiteral("HKEY_LOCAL_MACHINE\\")
                                                       : QStringLiteral("HKEY_CURRENT_USER\\");
    if (keyPath.isEmpty())
        return nullptr;
    return std::make_unique<QSettings>(root + keyPath, QSettings::NativeFormat);
#else
    Q_UNUSED(hive);
    QStringList parts = keyPath.split(QLatin1Char('\\'), Qt::SkipEmptyParts);
    if (!parts.isEmpty() && parts.first().compare(QLatin1String("Software"), Qt::CaseInsensitive) == 0)
        parts.removeFirst();
    if (parts.isEmpty())
        return nullptr;
    const QString organisation = parts.takeFirst();
    const QString application = parts.isEmpty() ? QString() : parts.takeFirst();
    auto settings = std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope, organisation,
                                                application);
    if (!parts.isEmpty())
        settings->beginGroup(parts.join(QLatin1Char('/')));
    return settings;
#endif
}

qsizetype windows1252Size(const QString &text)
{
    return CodePage::encode(text).size();
}

} // namespace

QString GetKeyValue(RegHive hive, const QString &keyPath, const QString &valueName)
{
    const auto settings = openKey(hive, keyPath);
    if (!settings || valueName.isEmpty() || settings->status() != QSettings::NoError)
        return {};
    const QVariant value = settings->value(valueName);
    QString text;
    switch (value.typeId()) {
    case QMetaType::QString:
        text = value.toString();
        break;
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
    return windows1252Size(text) >= MaxValueBytes ? QString() : text;
}

bool SetKeyValue(RegHive hive, const QString &keyPath, const QString &valueName, const QString &value)
{
    const auto settings = openKey(hive, keyPath);
    if (!settings || valueName.isEmpty() || !settings->isWritable())
        return false;
    settings->setValue(valueName, value.isEmpty() ? QStringLiteral(" ") : value);
    settings->sync();
    return settings->status() == QSettings::NoError;
}

QString currencyFromStore(const QString &stored)
{
    return stored.isEmpty() || stored == QLatin1String("$") ? QStringLiteral("US$") : stored;
}

QString ReadStoredCurrency()
{
    return currencyFromStore(GetKeyValue(RegHive::LocalMachine, SettingsKeyPath, RegValue::cboMoeda));
}
