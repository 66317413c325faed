#include "settings/modcadastrovarnel.h"
#include "settings/regkeys.h"
#include "support/settingsfolder.h"
#include "support/testmain.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QTest>

#ifdef Q_OS_WIN
#include <qt_windows.h>
#endif

namespace {

QString read(QLatin1String name)
{
    return GetKeyValue(RegHive::LocalMachine, SettingsKeyPath, name);
}

bool write(QLatin1String name, const QString &value)
{
    return SetKeyValue(RegHive::LocalMachine, SettingsKeyPath, name, value);
}

// The value as the store holds it under HKEY_LOCAL_MACHINE (in the file elsewhere).
QVariant stored(QLatin1String name, RegHive hive = RegHive::LocalMachine)
{
    return SettingsStore().value(hive, SettingsKeyPath, name);
}

// Windows for a standard user: every write under HKEY_LOCAL_MACHINE is refused while `machineReadOnly`
// holds. The user's values are kept apart from the machine's, which on Linux share one file, so that the
// order of the reads is tested on every platform; `userReadOnly` makes the user's writes fail too.
class ReadOnlyMachineStore : public SettingsStore
{
public:
    QVariant value(RegHive hive, const QString &keyPath, const QString &valueName) const override
    {
        if (hive == RegHive::CurrentUser)
            return user.value(keyPath + u'\\' + valueName);
        return SettingsStore::value(hive, keyPath, valueName);
    }
    bool setValue(RegHive hive, const QString &keyPath, const QString &valueName,
                  const QString &text) override
    {
        if (hive == RegHive::CurrentUser) {
            if (userReadOnly)
                return false;
            user.insert(keyPath + u'\\' + valueName, text);
            return true;
        }
        if (machineReadOnly) {
            ++refused;
            return false;
        }
        return SettingsStore::setValue(hive, keyPath, valueName, text);
    }
    QHash<QString, QVariant> user;
    bool machineReadOnly = true;
    bool userReadOnly = false;
    int refused = 0;
};

#ifndef Q_OS_WIN
// Writes the settings file by hand, as another program or an editor would.
void writeFile(const SettingsFolder &folder, const QByteArray &contents)
{
    QVERIFY(QDir().mkpath(QFileInfo(folder.file()).path()));
    QFile file(folder.file());
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(contents);
}
#endif

} // namespace

class TestRegKeys : public QObject
{
    Q_OBJECT
private slots:
    void valuesLiveInTheInjectedFile();
    void emptyIsStoredAsOneBlank();
    void valueLength_data();
    void valueLength();
    void nonTextValues();
    void currencyRule_data();
    void currencyRule();
    void missingKeyGivesBlockDefaults();
    void storedValuesFormTheBlock();
    void blankPhoneAndFaxLines();
    void unwritableMachineKeyFallsBackToTheUser();
};

void TestRegKeys::valuesLiveInTheInjectedFile()
{
    SettingsFolder folder;
    QVERIFY(folder.isValid());
    QVERIFY(write(RegValue::txtNome, QStringLiteral("Acme, Ltd.")));
#ifndef Q_OS_WIN
    QVERIFY(QFile::exists(folder.file()));
#endif
    // A fresh reader of the store sees the value under the same name.
    QCOMPARE(stored(RegValue::txtNome).toString(), QStringLiteral("Acme, Ltd."));
    QCOMPARE(read(RegValue::txtNome), QStringLiteral("Acme, Ltd."));
    QCOMPARE(read(RegValue::txtFone), QString());

    // A path that names no store is refused, not written somewhere else.
    QVERIFY(!SetKeyValue(RegHive::LocalMachine, QString(), RegValue::txtNome, QStringLiteral("x")));
    QCOMPARE(GetKeyValue(RegHive::LocalMachine, QString(), RegValue::txtNome), QString());
}

void TestRegKeys::emptyIsStoredAsOneBlank()
{
    SettingsFolder folder;
    QVERIFY(write(RegValue::txtFax, QString()));
    QCOMPARE(read(RegValue::txtFax), QStringLiteral(" "));
    QCOMPARE(stored(RegValue::txtFax).toString(), QStringLiteral(" "));
}

void TestRegKeys::valueLength_data()
{
    QTest::addColumn<QString>("value");
    QTest::addColumn<bool>("readable");
    QTest::newRow("1023 bytes") << QString(1023, u'a') << true;
    QTest::newRow("1024 bytes") << QString(1024, u'a') << false;
    QTest::newRow("far longer") << QString(5000, u'a') << false;
    // Counted in Windows-1252, one byte each, not in the file's UTF-8.
    QTest::newRow("1023 accented") << QString(1023, u'é') << true;
    QTest::newRow("1023 euro signs") << QString(1023, QChar(0x20AC)) << true;
    QTest::newRow("1024 accented") << QString(1024, u'é') << false;
}

void TestRegKeys::valueLength()
{
    QFETCH(QString, value);
    QFETCH(bool, readable);
    SettingsFolder folder;
    QVERIFY(write(RegValue::txtEndereco, value));
    QCOMPARE(read(RegValue::txtEndereco), readable ? value : QString());
}

void TestRegKeys::nonTextValues()
{
    SettingsFolder folder;
#ifdef Q_OS_WIN
    // Registry types other than text and numbers, and a text with a zero in it.
    HKEY key = nullptr;
    QCOMPARE(RegCreateKeyExW(HKEY_LOCAL_MACHINE, L"Software\\Varnel\\Tessio", 0, nullptr, 0, KEY_SET_VALUE,
                             nullptr, &key, nullptr),
             LONG(ERROR_SUCCESS));
    const DWORD count = 305419896;
    RegSetValueExW(key, L"blob", 0, REG_BINARY, reinterpret_cast<const BYTE *>("abc"), 3);
    RegSetValueExW(key, L"list", 0, REG_MULTI_SZ, reinterpret_cast<const BYTE *>(L"one\0two\0"), 18);
    RegSetValueExW(key, L"cut", 0, REG_SZ, reinterpret_cast<const BYTE *>(L"before\0after"), 26);
    RegSetValueExW(key, L"count", 0, REG_DWORD, reinterpret_cast<const BYTE *>(&count), sizeof count);
    RegCloseKey(key);
    QCOMPARE(read(QLatin1String("blob")), QString());
    QCOMPARE(read(QLatin1String("list")), QString());
    QCOMPARE(read(QLatin1String("cut")), QStringLiteral("before"));
    QCOMPARE(read(QLatin1String("count")), QStringLiteral("305419896"));
#else
    writeFile(folder, "[General]\n"
                      "blob=@ByteArray(abc)\n"
                      "list=one, two\n"
                      "cut=before\\0after\n");
    QCOMPARE(read(QLatin1String("blob")), QString());
    QCOMPARE(read(QLatin1String("list")), QString());
    QCOMPARE(read(QLatin1String("cut")), QStringLiteral("before"));

    {
        QSettings settings(folder.file(), QSettings::IniFormat);
        settings.setValue(QStringLiteral("count"), 305419896);
        settings.setValue(QStringLiteral("negative"), -7);
    }
    QCOMPARE(read(QLatin1String("count")), QStringLiteral("305419896"));
    QCOMPARE(read(QLatin1String("negative")), QStringLiteral("-7"));
#endif
}

void TestRegKeys::currencyRule_data()
{
    QTest::addColumn<bool>("stored");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("shown");
    QTest::newRow("nothing stored") << false << QString() << QStringLiteral("US$");
    QTest::newRow("dollar sign") << true << QStringLiteral("$") << QStringLiteral("US$");
    QTest::newRow("lower case kept") << true << QStringLiteral("us$") << QStringLiteral("us$");
    QTest::newRow("blank kept") << true << QStringLiteral(" ") << QStringLiteral(" ");
    QTest::newRow("dollar with blank kept") << true << QStringLiteral("$ ") << QStringLiteral("$ ");
    QTest::newRow("other currency") << true << QStringLiteral("EUR") << QStringLiteral("EUR");
}

void TestRegKeys::currencyRule()
{
    QFETCH(bool, stored);
    QFETCH(QString, value);
    QFETCH(QString, shown);
    SettingsFolder folder;
    if (stored)
        QVERIFY(write(RegValue::cboMoeda, value));
    QCOMPARE(readStoredCurrency(), shown);
    CompanyBlock block;
    QCOMPARE(LoadCompanyBlock(block), shown);
}

void TestRegKeys::missingKeyGivesBlockDefaults()
{
    SettingsFolder folder;
    CompanyBlock block;
    block.PhoneLine = QStringLiteral("Phone: earlier");
    block.FaxLine = QStringLiteral("Fax: earlier");
    block.VisitText = QStringLiteral("from a language");
    block.WebAddress = QStringLiteral("http://language.example");

    QCOMPARE(LoadCompanyBlock(block), QStringLiteral("US$"));
    QCOMPARE(block.CompanyName, QStringLiteral("Varnel Drives"));
    QCOMPARE(block.Street, QStringLiteral("100 Example Avenue"));
    QCOMPARE(block.CityLine, QStringLiteral("Springfield, ST 00000 - "));
    // Nothing stored: the phone and fax lines are left as they were.
    QCOMPARE(block.PhoneLine, QStringLiteral("Phone: earlier"));
    QCOMPARE(block.FaxLine, QStringLiteral("Fax: earlier"));
    QCOMPARE(block.VisitText, QStringLiteral("Visit us at www.varnel.example"));
    QCOMPARE(block.WebAddress, QStringLiteral("http://www.varnel.example"));
    QCOMPARE(block.DefaultKwhPrice, 0.08);
    // Reading creates nothing.
#ifdef Q_OS_WIN
    QVERIFY(!QSettings(QStringLiteral("HKEY_LOCAL_MACHINE\\Software\\Varnel"), QSettings::NativeFormat)
                 .childGroups()
                 .contains(QStringLiteral("Tessio")));
#else
    QVERIFY(!QFile::exists(folder.file()));
#endif
}

void TestRegKeys::storedValuesFormTheBlock()
{
    SettingsFolder folder;
    write(RegValue::txtNome, QStringLiteral("Bomba & Cia"));
    write(RegValue::txtEndereco, QStringLiteral("Rua das Flores, 12"));
    write(RegValue::txtCidade, QStringLiteral("Joinville"));
    write(RegValue::txtCep, QStringLiteral("89200-000"));
    write(RegValue::cboPais, QStringLiteral("BRAZIL"));
    write(RegValue::txtFone, QStringLiteral("+55 47 5550 0100"));
    write(RegValue::cboMoeda, QStringLiteral("R$"));

    CompanyBlock block;
    QCOMPARE(LoadCompanyBlock(block), QStringLiteral("R$"));
    QCOMPARE(block.CompanyName, QStringLiteral("Bomba & Cia"));
    QCOMPARE(block.Street, QStringLiteral("Rua das Flores, 12"));
    // The state is not stored: its default fills its place.
    QCOMPARE(block.CityLine, QStringLiteral("Joinville, ST 89200-000 - BRAZIL"));
    QCOMPARE(block.PhoneLine, QStringLiteral("Phone: +55 47 5550 0100"));
    QCOMPARE(block.FaxLine, QString());
}

void TestRegKeys::blankPhoneAndFaxLines()
{
    SettingsFolder folder;
    write(RegValue::txtFone, QString());
    write(RegValue::txtFax, QString());
    write(RegValue::cboPais, QString());
    CompanyBlock block;
    LoadCompanyBlock(block);
    QCOMPARE(block.PhoneLine, QStringLiteral("Phone:  "));
    QCOMPARE(block.FaxLine, QStringLiteral("Fax:  "));
    QCOMPARE(block.CityLine, QStringLiteral("Springfield, ST 00000 -  "));
}

void TestRegKeys::unwritableMachineKeyFallsBackToTheUser()
{
    SettingsFolder folder;
    ReadOnlyMachineStore store;
    setSettingsStore(&store);
    const bool written = write(RegValue::txtNome, QStringLiteral("Só Bombas"));
    const bool blankWritten = write(RegValue::txtFax, QString());
    // An older machine-wide value stays behind the user's copy, which is what he last saved.
    SettingsStore().setValue(RegHive::LocalMachine, SettingsKeyPath, RegValue::txtNome,
                             QStringLiteral("Old"));
    const QString readBack = read(RegValue::txtNome);
    const QVariant userFax = store.value(RegHive::CurrentUser, SettingsKeyPath, RegValue::txtFax);

    // Once the machine key can be written, a write replaces the user's copy instead of hiding behind it;
    // when that copy cannot be replaced the write is reported as failed, since the copy would win.
    store.machineReadOnly = false;
    const bool rewritten = write(RegValue::txtNome, QStringLiteral("Acme"));
    const QString readAfter = read(RegValue::txtNome);
    store.userReadOnly = true;
    const bool hidden = write(RegValue::txtNome, QStringLiteral("Zeta"));
    const bool plain = write(RegValue::txtFone, QStringLiteral("123"));
    setSettingsStore(nullptr);

    QVERIFY(written);
    QVERIFY(blankWritten);
    QCOMPARE(store.refused, 2);
    QCOMPARE(readBack, QStringLiteral("Só Bombas"));
    QCOMPARE(userFax.toString(), QStringLiteral(" "));
    QVERIFY(rewritten);
    QCOMPARE(readAfter, QStringLiteral("Acme"));
    QCOMPARE(stored(RegValue::txtNome).toString(), QStringLiteral("Zeta"));
    QVERIFY(!hidden);
    QVERIFY(plain); // no user copy to replace
}

TESSIO_TEST_GUILESS_MAIN(TestRegKeys)
#include "tst_regkeys.moc"
