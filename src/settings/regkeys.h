#pragma once

#include <QLatin1String>
#include <QString>

#include <QVariant>

// The program's few persistent settings are string values of one key, the settings key
// HKEY_LOCAL_MACHINE\Software\Varnel\Tessio.
//
// On Windows the key is the native registry key (REG_SZ values). A standard user may not write under
// HKEY_LOCAL_MACHINE: a write there that fails goes to the same key under HKEY_CURRENT_USER instead, and
// reading looks under HKEY_CURRENT_USER first, so that such a user keeps what he saved.
//
// Elsewhere it is the QSettings native file of the user scope, organisation and application taken from
// the key path (Software\<organisation>\<application>[\<group>...]); on Linux
// ~/.config/Varnel/Tessio.conf. Both hives map to the user scope there: a desktop user cannot write a
// machine-wide file. Tests move that file with
// QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, folder) before the first call; it is
// then <folder>/Varnel/Tessio.conf.

enum class RegHive { LocalMachine, CurrentUser };

inline constexpr QLatin1String SettingsKeyPath("Software\\Varnel\\Tessio");

// Value names: each is the name of the control whose text it stores, plus the first-run flag.
namespace RegValue {
inline constexpr QLatin1String txtNome("txtNome");
inline constexpr QLatin1String txtFone("txtFone");
inline constexpr QLatin1String txtFax("txtFax");
inline constexpr QLatin1String txtEndereco("txtEndereco");
inline constexpr QLatin1String txtCidade("txtCidade");
inline constexpr QLatin1String txtEstado("txtEstado");
inline constexpr QLatin1String txtCep("txtCep");
inline constexpr QLatin1String cboPais("cboPais");
inline constexpr QLatin1String cboMoeda("cboMoeda");
inline constexpr QLatin1String NotFirstTime("NotFirstTime");
// The name of the language the user picked last in the main window's language selector.
inline constexpr QLatin1String cboIdioma("cboIdioma");
} // namespace RegValue

// A value is unreadable from this many bytes (in Windows-1252) on.
inline constexpr int MaxValueBytes = 1024;

// The value as text; the empty text when the key or value is missing, the value takes 1024 bytes or
// more in Windows-1252, or it is not text (a stored integer reads as its decimal text). Never fails
// loudly: callers substitute their own default for the empty text.
QString GetKeyValue(RegHive hive, const QString &keyPath, const QString &valueName);

// Stores `value` as text, an empty text as one blank " ". True when the value was written.
bool SetKeyValue(RegHive hive, const QString &keyPath, const QString &valueName, const QString &value);

// The raw values behind GetKeyValue and SetKeyValue, one hive at a time: the registry on Windows, the
// QSettings file elsewhere. Tests derive from it to make a hive refuse writes.
class SettingsStore
{
public:
    virtual ~SettingsStore() = default;
    // The stored value: a QString, an integer, or an invalid QVariant when the key or value is missing
    // or the value is of another type.
    virtual QVariant value(RegHive hive, const QString &keyPath, const QString &valueName) const;
    // True when the text was stored.
    virtual bool setValue(RegHive hive, const QString &keyPath, const QString &valueName,
                          const QString &text);
};

// Makes GetKeyValue and SetKeyValue use `store` (not owned); nullptr restores the platform's own.
void setSettingsStore(SettingsStore *store);

// The currency rule shared by every reader of cboMoeda: empty and exactly "$" mean "US$"; anything
// else, "us$" included, is kept as it is.
QString currencyFromStore(const QString &stored);

// cboMoeda of the settings key through the currency rule.
QString readStoredCurrency();
