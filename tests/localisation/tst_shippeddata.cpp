#include "localisation/scrambledfile.h"
#include "support/fakedialogs.h"
#include "support/testmain.h"
#include "tools/datafile.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <QTest>

// The Config.ini and fSetup.ini that the build wrote beside the program and its tests, read the way
// the program reads them.
namespace {

QList<DataFile::Requirement> requirements(const QString &name)
{
    QFile file(QStringLiteral(TESSIO_DATA_SOURCES "/") + name);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QStringList errors;
    const auto result = DataFile::parseRequirements(QString::fromUtf8(file.readAll()), errors);
    return errors.isEmpty() ? result : QList<DataFile::Requirement>();
}

TextTable load(void (*loader)(TextTable &, const QString &, Dialogs &, ProgressDisplay *), QStringList &messages)
{
    FakeDialogs dialogs;
    TextTable table;
    loader(table, QCoreApplication::applicationDirPath(), dialogs, nullptr);
    messages = dialogs.texts();
    return table;
}

} // namespace

class TestShippedData : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void languagesAndDefault();
    void everyUsedTextIsPresent();
    void textsFitTheirLayouts();
    void plantButtonsHaveTheirOwnAccessKeys();
    void guidesLieBesideTheProgram();
    void presetsAreComplete();

private:
    TextTable m_texts;
    TextTable m_presets;
};

void TestShippedData::initTestCase()
{
    QStringList messages;
    m_texts = load(LoadLanguageTexts, messages);
    QCOMPARE(messages, QStringList());
    m_presets = load(LoadCompanyPresets, messages);
    QCOMPARE(messages, QStringList());
}

void TestShippedData::languagesAndDefault()
{
    QCOMPARE(m_texts.columnCount(), 3);
    QCOMPARE(m_texts.entry(0, 0), QStringLiteral("Português"));
    QCOMPARE(m_texts.entry(0, 1), QStringLiteral("Español"));
    QCOMPARE(m_texts.entry(0, 2), QStringLiteral("English"));
    QCOMPARE(m_texts.defaultColumnName, QStringLiteral("English"));
    QVERIFY2(m_texts.rowCount() >= 206, qPrintable(QString::number(m_texts.rowCount())));
}

void TestShippedData::everyUsedTextIsPresent()
{
    const auto required = requirements(QStringLiteral("required-texts.txt"));
    QVERIFY(required.size() > 100);
    QCOMPARE(required.first().row, 0);
    QVERIFY(required.last().row >= 229); // the plant summary's texts are required too
    for (const auto &r : required) {
        for (int language = 0; language < m_texts.columnCount(); ++language) {
            const QString text = m_texts.entry(r.row, language);
            const QByteArray where = QStringLiteral("text %1, %2: \"%3\"").arg(r.row).arg(m_texts.entry(0, language), text).toUtf8();
            QVERIFY2(!text.trimmed().isEmpty(), where.constData());
            QVERIFY2(!r.blankBefore || text.startsWith(u' '), where.constData());
            QVERIFY2(!r.blankAfter || text.endsWith(u' '), where.constData());
        }
    }
    // Captions quoted for the English design: the English texts keep them.
    QCOMPARE(m_texts.entry(6, 2), QStringLiteral("Open"));
    QCOMPARE(m_texts.entry(8, 2), QStringLiteral("Save &as..."));
    QCOMPARE(m_texts.entry(36, 2), QStringLiteral("*The maximum sum of flow hours should be 24 hours."));
    QCOMPARE(m_texts.entry(183, 2), QStringLiteral("&Country:* "));
    QCOMPARE(m_texts.entry(202, 2), QStringLiteral("Available models"));
}

void TestShippedData::plantButtonsHaveTheirOwnAccessKeys()
{
    // The plant window's eleven buttons: one access key each, none used twice, in every language.
    const QList<int> buttons{230, 231, 232, 233, 234, 235, 236, 237, 238, 239, 271};
    for (int language = 0; language < m_texts.columnCount(); ++language) {
        QSet<QChar> keys;
        for (int n : buttons) {
            const QString caption = m_texts.entry(n, language);
            const qsizetype mark = caption.indexOf(u'&');
            QVERIFY2(mark >= 0 && mark + 1 < caption.size() && caption.count(u'&') == 1, qPrintable(caption));
            keys.insert(caption[mark + 1].toLower());
        }
        QCOMPARE(keys.size(), buttons.size());
    }
}

void TestShippedData::textsFitTheirLayouts()
{
    for (int language = 0; language < m_texts.columnCount(); ++language) {
        auto text = [&](int n) { return m_texts.entry(n, language); };
        const QByteArray name = text(0).toUtf8();
        // The export lines the hours up when the 100 % label is one character longer than the others.
        for (int n = 141; n <= 149; n += 2)
            QVERIFY2(text(139).size() == text(n).size() + 1, name.constData());
        // The drive price label (with the shortest currency, one character, and "():") stays the widest
        // label of its export block, or the padding before the other values would be negative.
        const qsizetype k = text(157).size() + 1 + 3;
        QVERIFY2(text(151).size() <= k, name.constData());
        QVERIFY2(text(155).size() + 1 + 3 <= k, name.constData());
        // The web link address is taken without its scheme, the models target with one.
        QVERIFY2(!text(201).contains(QStringLiteral("://")), name.constData());
        QVERIFY2(text(203).startsWith(QStringLiteral("http")), name.constData());
        QVERIFY2(text(39).contains(text(201)), name.constData());
    }
}

void TestShippedData::guidesLieBesideTheProgram()
{
    for (int language = 0; language < m_texts.columnCount(); ++language) {
        const QFileInfo guide(QCoreApplication::applicationDirPath() + u'/' + m_texts.entry(191, language));
        QVERIFY2(guide.isFile() && guide.size() > 1000, qPrintable(guide.filePath()));
    }
}

void TestShippedData::presetsAreComplete()
{
    QVERIFY(m_presets.columnCount() >= 3);
    bool defaultFound = false;
    bool mixedCaseCountry = false;
    bool dollar = false;
    const auto required = requirements(QStringLiteral("required-presets.txt"));
    QCOMPARE(required.size(), 10);
    for (const auto &r : required) {
        for (int p = 0; p < m_presets.columnCount(); ++p)
            QVERIFY2(!m_presets.entry(r.row, p).trimmed().isEmpty(), qPrintable(QStringLiteral("row %1, preset %2").arg(r.row).arg(p)));
    }
    for (int p = 0; p < m_presets.columnCount(); ++p) {
        defaultFound = defaultFound || m_presets.entry(0, p) == m_presets.defaultColumnName;
        mixedCaseCountry = mixedCaseCountry || m_presets.entry(8, p) == QStringLiteral("Brazil");
        dollar = dollar || m_presets.entry(9, p) == QStringLiteral("$");
    }
    QVERIFY(defaultFound);
    QVERIFY(mixedCaseCountry);
    QVERIFY(dollar);
}

TESSIO_TEST_MAIN(TestShippedData)
#include "tst_shippeddata.moc"
