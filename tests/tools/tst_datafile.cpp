#include "localisation/scrambledfile.h"
#include "support/testmain.h"
#include "tools/datafile.h"

#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using namespace DataFile;

namespace {

const QString Languages = QStringLiteral("n\tPortuguês\tEspañol\tEnglish\n");

QStringList problems(const QString &source, const QString &required = QString(),
                     const QString &defaultName = QStringLiteral("English"))
{
    QStringList errors;
    const SourceTable table = parseSource(source, errors);
    const auto rows = parseRequirements(required, errors);
    if (errors.isEmpty())
        checkTable(table, rows, defaultName, errors);
    return errors;
}

bool anyContains(const QStringList &list, const QString &part)
{
    return std::any_of(list.cbegin(), list.cend(), [&](const QString &s) { return s.contains(part); });
}

} // namespace

class TestDataFile : public QObject
{
    Q_OBJECT
private slots:
    void readsSource();
    void refusesMalformedSource_data();
    void refusesMalformedSource();
    void refusesUnreadableValues_data();
    void refusesUnreadableValues();
    void requiredRows();
    void encodedTableReadsBack();
    void unscrambledSourceBuildsTheSameFile();
    void toolFailsTheBuild();
};

void TestDataFile::readsSource()
{
    QStringList errors;
    const SourceTable table = parseSource(QStringLiteral("\xFEFF# comment\r\n") + Languages
                                              + QStringLiteral("\n2\tDois\tDos\tTwo\r\n# note\n5\t , \t\t'x'\n"),
                                          errors);
    QCOMPARE(errors, QStringList());
    QCOMPARE(table.columnCount(), 3);
    QCOMPARE(table.rows.size(), 6);
    QCOMPARE(table.rows[0], (QStringList{QStringLiteral("Português"), QStringLiteral("Español"), QStringLiteral("English")}));
    QCOMPARE(table.rows[1], QStringList(3, QString())); // left out: empty
    QCOMPARE(table.rows[2][2], QStringLiteral("Two"));
    QCOMPARE(table.rows[5], (QStringList{QStringLiteral(" , "), QString(), QStringLiteral("'x'")})); // blanks kept
    QCOMPARE(table.lines[5], 6);
}

void TestDataFile::refusesMalformedSource_data()
{
    QTest::addColumn<QString>("source");
    QTest::addColumn<QString>("expected");
    QTest::newRow("no header") << QStringLiteral("# only a comment\n") << QStringLiteral("no header");
    QTest::newRow("header cell") << QStringLiteral("x\tA\n") << QStringLiteral("line 1");
    QTest::newRow("row number") << Languages + QStringLiteral("one\ta\tb\tc\n") << QStringLiteral("line 2");
    QTest::newRow("descending") << Languages + QStringLiteral("5\ta\tb\tc\n3\ta\tb\tc\n") << QStringLiteral("row 3 follows row 5");
    QTest::newRow("repeated") << Languages + QStringLiteral("5\ta\tb\tc\n5\ta\tb\tc\n") << QStringLiteral("line 3");
    QTest::newRow("too many values") << Languages + QStringLiteral("1\ta\tb\tc\td\n") << QStringLiteral("4 values for 3 columns");
}

void TestDataFile::refusesMalformedSource()
{
    QFETCH(QString, source);
    QFETCH(QString, expected);
    const QStringList errors = problems(source);
    QVERIFY2(anyContains(errors, expected), qPrintable(errors.join(u'\n')));
}

void TestDataFile::refusesUnreadableValues_data()
{
    QTest::addColumn<QString>("row");
    QTest::addColumn<QString>("expected");
    QTest::newRow("separator inside") << QStringLiteral("7\ta\",\"b\tx\ty") << QStringLiteral("line 2 (row 7, column \"Português\"): the value contains \",\"");
    QTest::newRow("outside Windows-1252") << QStringLiteral("7\tok\tok\tarrow →") << QStringLiteral("row 7, column \"English\"): the character \"→\" (U+2192)");
    QTest::newRow("control character") << QStringLiteral("7\tok\tbell\a\tok") << QStringLiteral("control character U+0007");
    // Edges that form a separator with the quotes around them: the loader would cut elsewhere.
    QTest::newRow("ends with quote comma") << QStringLiteral("7\ta\",\tb\tc") << QStringLiteral("row 7, column \"Português\"): the program would read");
    QTest::newRow("middle value ends with quote comma") << QStringLiteral("7\ta\tb\",\tc") << QStringLiteral("row 7, column \"Español\"): the program would read");
}

void TestDataFile::refusesUnreadableValues()
{
    QFETCH(QString, row);
    QFETCH(QString, expected);
    const QStringList errors = problems(Languages + row + u'\n');
    QVERIFY2(anyContains(errors, expected), qPrintable(errors.join(u'\n')));
    // The same source without the bad row passes: the check is about that value.
    QCOMPARE(problems(Languages + QStringLiteral("7\ta\tb\t€ £ ¿ ñ ã\n")), QStringList());
}

void TestDataFile::requiredRows()
{
    const QString source = Languages + QStringLiteral("1\tTítulo\tTítulo\t\n2\tData: \tFecha: \tDate:\n");
    const QStringList errors = problems(source, QStringLiteral("0-1\n2 blank-after # prefix\n3\n"));
    QCOMPARE(errors.size(), 5);
    QVERIFY(anyContains(errors, QStringLiteral("row 1, column \"English\": the program uses this row")));
    QVERIFY(anyContains(errors, QStringLiteral("row 2, column \"English\": the value must end with a blank")));
    QVERIFY(anyContains(errors, QStringLiteral("row 3, column \"Português\"")));

    QVERIFY(anyContains(problems(source, QString(), QStringLiteral("Ingles")), QStringLiteral("default column \"Ingles\"")));
    QVERIFY(anyContains(problems(QStringLiteral("n\tA\tA\n")), QStringLiteral("two columns are named \"A\"")));

    QStringList bad;
    parseRequirements(QStringLiteral("5-3\n7 blank-around\nx\n"), bad);
    QCOMPARE(bad.size(), 3);
}

void TestDataFile::encodedTableReadsBack()
{
    QStringList errors;
    const SourceTable source = parseSource(Languages + QStringLiteral("1\tSó, \"isso\"\tAsí\tIt's €5\n3\t\t\tonly English\n"), errors);
    checkTable(source, {}, QStringLiteral("English"), errors);
    const QByteArray stored = encodeTable(source, QStringLiteral("English"), errors);
    QCOMPARE(errors, QStringList());

    QString problem;
    const TextTable table = parsePlainTable(Descramble(QString::fromLatin1(ScrambleKey), QString::fromLatin1(stored)), &problem);
    QCOMPARE(problem, QString());
    QCOMPARE(table.defaultColumnName, QStringLiteral("English"));
    QCOMPARE(table.columnCount(), 3);
    QCOMPARE(table.rowCount(), 6); // 4 rows + 2 header lines
    for (int r = 0; r < source.rows.size(); ++r)
        for (int c = 0; c < 3; ++c)
            QCOMPARE(table.entry(r, c), source.rows[r][c]);
}

void TestDataFile::unscrambledSourceBuildsTheSameFile()
{
    const QString text = Languages + QStringLiteral("1\tUm\tUno\tOne\n4\t\t\tFour\n");
    QStringList errors;
    const SourceTable source = parseSource(text, errors);
    const QByteArray stored = encodeTable(source, QStringLiteral("Español"), errors);
    const TextTable table = parsePlainTable(Descramble(QString::fromLatin1(ScrambleKey), QString::fromLatin1(stored)));
    const QString back = sourceFromTable(table, errors);
    QCOMPARE(errors, QStringList());
    QCOMPARE(back, text);

    TextTable tabbed(2, 1);
    tabbed.setEntry(1, 0, QStringLiteral("a\tb"));
    sourceFromTable(tabbed, errors);
    QCOMPARE(errors.size(), 1);
}

void TestDataFile::toolFailsTheBuild()
{
    QTemporaryDir dir;
#ifdef Q_OS_WIN
    const QString tool = QCoreApplication::applicationDirPath() + QStringLiteral("/tessio-datafile.exe");
#else
    const QString tool = QCoreApplication::applicationDirPath() + QStringLiteral("/tessio-datafile");
#endif
    QVERIFY(QFile::exists(tool));
    auto run = [&](const QString &source, const QString &required, const QString &named) {
        QFile file(dir.filePath(QStringLiteral("texts.tsv")));
        if (!file.open(QIODevice::WriteOnly))
            return -1;
        file.write(source.toUtf8());
        file.close();
        QFile rows(dir.filePath(QStringLiteral("required.txt")));
        if (!rows.open(QIODevice::WriteOnly))
            return -1;
        rows.write(required.toUtf8());
        rows.close();
        QFile::remove(dir.filePath(QStringLiteral("Config.ini")));
        QProcess process;
        process.start(tool, {QStringLiteral("build"), QStringLiteral("--default"), QStringLiteral("English"),
                             QStringLiteral("--require"), dir.filePath(QStringLiteral("required.txt")),
                             file.fileName(), dir.filePath(QStringLiteral("Config.ini"))});
        if (!process.waitForFinished(30000))
            return -2;
        const QString err = QString::fromUtf8(process.readAllStandardError());
        if (process.exitCode() != 0 && !err.contains(named))
            return -3;
        return process.exitCode();
    };
    QCOMPARE(run(Languages + QStringLiteral("2\ta\tb\tc\n"), QStringLiteral("0-2"), QStringLiteral("row 1, column \"Português\"")), 1);
    QVERIFY(!QFile::exists(dir.filePath(QStringLiteral("Config.ini"))));
    QCOMPARE(run(Languages + QStringLiteral("1\ta\tb\tc\n2\ta\",\"\tb\tc\n"), QStringLiteral("0-1"), QStringLiteral("line 3 (row 2")), 1);
    QCOMPARE(run(Languages + QStringLiteral("1\ta\tb\tc\n2\ta\tb\tΩ\n"), QStringLiteral("0-1"), QStringLiteral("line 3 (row 2, column \"English\")")), 1);
    QVERIFY(!QFile::exists(dir.filePath(QStringLiteral("Config.ini"))));
    QCOMPARE(run(Languages + QStringLiteral("1\ta\tb\tc\n2\ta\tb\tc\n"), QStringLiteral("0-2"), QString()), 0);
    QVERIFY(QFile::exists(dir.filePath(QStringLiteral("Config.ini"))));
}

TESSIO_TEST_GUILESS_MAIN(TestDataFile)
#include "tst_datafile.moc"
