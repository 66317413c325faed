#include "files/codepage.h"
#include "localisation/progressdisplay.h"
#include "localisation/scrambledfile.h"
#include "support/testmain.h"

#include <QTest>

#include <functional>

namespace {

const QString Key = QStringLiteral("tulip");

// The stored form of `codes` when pair i (from 1) is XORed with key character i mod 5: writing the
// expected data by hand keeps the test independent of Scramble.
QString hexPairs(const QList<int> &codes)
{
    QString data;
    for (int i = 0; i < codes.size(); ++i)
        data += QStringLiteral("%1").arg(codes[i] ^ Key[(i + 1) % Key.size()].unicode(), 2, 16, QLatin1Char('0'));
    return data;
}

struct RecordingProgress : ProgressDisplay
{
    double maximum = -1;
    QList<int> values;
    // How many times the watched event had run when each value came.
    QList<int> eventsBefore;
    const int *events = nullptr;
    int finished = 0;
    void start(double m) override { maximum = m; }
    void setValue(int v) override
    {
        values.append(v);
        if (events)
            eventsBefore.append(*events);
    }
    void finish() override { ++finished; }
};

// A clock on which every reading is `step` milliseconds after the previous one: the decoder reads it
// once per pair, so each pair takes `step`.
FramePacer::Clock steppingClock(qint64 step)
{
    return [step, time = qint64(0)]() mutable { return time += step; };
}

QByteArray windows1252(const QString &text)
{
    return CodePage::encode(text);
}

} // namespace

class TestDescramble : public QObject
{
    Q_OBJECT
private slots:
    void firstPairUsesSecondKeyCharacter();
    void pairCount_data();
    void pairCount();
    void nonHexPairsReadAsZero();
    void upperAndLowerCaseDigits();
    void progressAtDisplayRate_data();
    void progressAtDisplayRate();
    void roundTrip_data();
    void roundTrip();
    void layout_data();
    void layout();
    void layoutProblems_data();
    void layoutProblems();
};

void TestDescramble::firstPairUsesSecondKeyCharacter()
{
    // "A" XOR 'u' = 0x41 ^ 0x75 = 0x34; XOR 't' would give 0x35.
    QCOMPARE(Descramble(Key, QStringLiteral("34")), QStringLiteral("A"));
    // Pairs 5 and 6 wrap round to the first and second key characters.
    const QList<int> codes{'a', 'b', 'c', 'd', 'e', 'f'};
    QCOMPARE(Descramble(Key, hexPairs(codes)), QStringLiteral("abcdef"));
    // Zero pairs show the key characters themselves: pairs 1 to 4 are "ulip", pair 5 wraps to 't'
    // (0x11 XOR 't' is 'e'), pair 6 is 'u' again.
    QCOMPARE(Descramble(Key, QStringLiteral("000000001100")), QStringLiteral("ulipeu"));
}

void TestDescramble::pairCount_data()
{
    QTest::addColumn<QString>("data");
    QTest::addColumn<QString>("plain");
    const QString abc = hexPairs({'a', 'b', 'c'}); // 6 characters
    // Length 7: 3.5 pairs round to 4; the last "pair" is one character, read as a single digit.
    QTest::newRow("odd length 7") << abc + QStringLiteral("7") << QStringLiteral("abc") + QChar(0x7 ^ 'p');
    // Length 5: 2.5 pairs round to 2 (halves go to the even neighbour); the fifth character is ignored.
    QTest::newRow("odd length 5") << abc.left(5) << QStringLiteral("ab");
    QTest::newRow("length 1 rounds to none") << QStringLiteral("4") << QString();
    QTest::newRow("empty") << QString() << QString();
}

void TestDescramble::pairCount()
{
    QFETCH(QString, data);
    QFETCH(QString, plain);
    QCOMPARE(Descramble(Key, data), plain);
}

void TestDescramble::nonHexPairsReadAsZero()
{
    // A CR LF left at the end of the stored text is one more pair, read as 0 XOR the key character
    // of pair 3 ('i').
    const QString data = hexPairs({'a', 'b'}) + QStringLiteral("\r\n");
    QCOMPARE(Descramble(Key, data), QStringLiteral("abi"));
    // Reading stops at the first non-digit: "4x" is 4, "x4" is 0.
    QCOMPARE(Descramble(Key, QStringLiteral("4x")), QString(QChar(0x4 ^ 'u')));
    QCOMPARE(Descramble(Key, QStringLiteral("x4")), QString(QChar(u'u')));
}

void TestDescramble::upperAndLowerCaseDigits()
{
    const QString lower = hexPairs({0xE3, 0x80 /* € in Windows-1252 */, 0xFF});
    QCOMPARE(Descramble(Key, lower.toUpper()), Descramble(Key, lower));
    QCOMPARE(Descramble(Key, lower), QStringLiteral("ã€ÿ"));
}

void TestDescramble::progressAtDisplayRate_data()
{
    QTest::addColumn<int>("pairs");
    QTest::addColumn<qint64>("millisecondsPerPair");
    QTest::addColumn<QList<int>>("values");
    QTest::newRow("a frame per pair") << 4 << qint64(16) << QList<int>{1, 2, 3, 4};
    QTest::newRow("fast: only the end") << 4 << qint64(0) << QList<int>{4};
    QTest::newRow("a frame every fourth pair") << 10 << qint64(5) << QList<int>{4, 8, 10};
    QTest::newRow("just under a frame") << 3 << qint64(15) << QList<int>{2, 3};
}

void TestDescramble::progressAtDisplayRate()
{
    QFETCH(int, pairs);
    QFETCH(qint64, millisecondsPerPair);
    QFETCH(QList<int>, values);
    QByteArray plain;
    for (int i = 0; i < pairs; ++i)
        plain.append(char('a' + i));
    const QString data = QString::fromLatin1(Scramble(Key, plain));

    // A posted event that posts itself again counts the passes of the event loop.
    int events = 0;
    QObject receiver;
    std::function<void()> post = [&] {
        QMetaObject::invokeMethod(
            &receiver,
            [&] {
                ++events;
                post();
            },
            Qt::QueuedConnection);
    };
    post();
    RecordingProgress progress;
    progress.events = &events;
    const QString decoded = Descramble(Key, data, &progress, steppingClock(millisecondsPerPair));

    QCOMPARE(decoded, QString::fromLatin1(plain)); // the text does not depend on the pacing
    QCOMPARE(progress.maximum, double(pairs));
    QCOMPARE(progress.values, values);
    QCOMPARE(progress.finished, 1);
    // Events run once after each reported value, and only then.
    QList<int> expectedEvents;
    for (int pass = 0; pass < values.size(); ++pass)
        expectedEvents.append(pass);
    QCOMPARE(progress.eventsBefore, expectedEvents);
    QCOMPARE(events, values.size());
}

void TestDescramble::roundTrip_data()
{
    QTest::addColumn<QString>("plain");
    QTest::newRow("ascii") << QStringLiteral("\"3\"\r\n\"English\"\r\n\"a\",\"b\",\"c\"");
    QTest::newRow("accents and signs") << QStringLiteral("Português, Español – 9,99 € £ ¿Desea?");
    QTest::newRow("every byte") << [] {
        QByteArray all;
        for (int b = 1; b < 256; ++b)
            all.append(char(b));
        return CodePage::decode(all);
    }();
}

void TestDescramble::roundTrip()
{
    QFETCH(QString, plain);
    const QByteArray stored = Scramble(Key, windows1252(plain));
    QCOMPARE(stored.size(), windows1252(plain).size() * 2);
    QCOMPARE(Descramble(Key, QString::fromLatin1(stored)), plain);
    // The stored text never holds anything but upper-case hexadecimal digits.
    for (const char c : stored)
        QVERIFY2((c >= '0' && c <= '9') || (c >= 'A' && c <= 'F'), stored.constData());
}

void TestDescramble::layout_data()
{
    QTest::addColumn<QString>("plain");
    QTest::addColumn<int>("rows");
    QTest::addColumn<int>("columns");
    QTest::addColumn<QString>("defaultName");
    QTest::addColumn<QStringList>("entries"); // "row,column=value" for every entry checked

    QTest::newRow("three columns")
        << QStringLiteral("\"3\"\r\n\"English\"\r\n\"Português\",\"Español\",\"English\"\r\n\"Abrir\",\"Abrir\",\"Open\"")
        << 4 << 3 << QStringLiteral("English")
        << QStringList{QStringLiteral("0,0=Português"), QStringLiteral("0,2=English"), QStringLiteral("1,2=Open"),
                       QStringLiteral("2,0="), QStringLiteral("3,2=")};
    // A final CR LF gives one more, empty line: one more empty row, no problem.
    QTest::newRow("final CR LF")
        << QStringLiteral("\"2\"\r\n\"b\"\r\n\"a\",\"b\"\r\n")
        << 4 << 2 << QStringLiteral("b")
        << QStringList{QStringLiteral("0,0=a"), QStringLiteral("0,1=b"), QStringLiteral("1,0="), QStringLiteral("1,1=")};
    // Two fields for three columns: column 0 loses its leading quote, column 1 keeps its trailing one.
    QTest::newRow("short row")
        << QStringLiteral("\"3\"\r\n\"x\"\r\n\"one\",\"two\"")
        << 3 << 3 << QStringLiteral("x")
        << QStringList{QStringLiteral("0,0=one"), QStringLiteral("0,1=two\""), QStringLiteral("0,2=")};
    // With one column every value loses its first and last character; a one-character line gives nothing.
    QTest::newRow("one column")
        << QStringLiteral("\"1\"\r\n\"Só\"\r\n\"Só\"\r\n'a,b'\r\nx")
        << 5 << 1 << QStringLiteral("Só")
        << QStringList{QStringLiteral("0,0=Só"), QStringLiteral("1,0=a,b"), QStringLiteral("2,0=")};
    // A bare LF does not end a line; commas and single quotes are plain characters.
    QTest::newRow("bare LF and commas")
        << QStringLiteral("\"2\"\r\n\"a\"\r\n\"x\ny\",\"it's, fine\"")
        << 3 << 2 << QStringLiteral("a")
        << QStringList{QStringLiteral("0,0=x\ny"), QStringLiteral("0,1=it's, fine")};
    // Fields beyond the column count are ignored, and the last column loses its last character even
    // when the line goes on.
    QTest::newRow("extra fields")
        << QStringLiteral("\"2\"\r\n\"a\"\r\n\"a\",\"bc\",\"d\"\r\n\"x\",\"y\"")
        << 4 << 2 << QStringLiteral("a")
        << QStringList{QStringLiteral("0,0=a"), QStringLiteral("0,1=b"), QStringLiteral("1,1=y")};
    QTest::newRow("one column, two fields")
        << QStringLiteral("\"1\"\r\n\"a\"\r\n\"ab\",\"c\"")
        << 3 << 1 << QStringLiteral("a")
        << QStringList{QStringLiteral("0,0=a")};
}

void TestDescramble::layout()
{
    QFETCH(QString, plain);
    QFETCH(int, rows);
    QFETCH(int, columns);
    QFETCH(QString, defaultName);
    QFETCH(QStringList, entries);

    QString problem;
    const TextTable table = parsePlainTable(plain, &problem);
    QCOMPARE(problem, QString());
    QCOMPARE(table.rowCount(), rows);
    QCOMPARE(table.columnCount(), columns);
    QCOMPARE(table.defaultColumnName, defaultName);
    for (const QString &e : entries) {
        const int comma = int(e.indexOf(u','));
        const int equals = int(e.indexOf(u'='));
        const int row = e.left(comma).toInt();
        const int column = e.mid(comma + 1, equals - comma - 1).toInt();
        QCOMPARE(table.entry(row, column), e.mid(equals + 1));
    }
    // Outside the table every read is empty.
    QCOMPARE(table.entry(rows, 0), QString());
    QCOMPARE(table.entry(0, columns), QString());
}

void TestDescramble::layoutProblems_data()
{
    QTest::addColumn<QString>("plain");
    QTest::newRow("empty") << QString();
    QTest::newRow("one line") << QStringLiteral("\"3\"");
    QTest::newRow("count not a number") << QStringLiteral("\"three\"\r\n\"x\"\r\n\"a\"");
    QTest::newRow("negative count") << QStringLiteral("\"-2\"\r\n\"x\"\r\n\"a\"");
    QTest::newRow("absurd count") << QStringLiteral("\"2000000000\"\r\n\"x\"\r\n\"a\"");
}

void TestDescramble::layoutProblems()
{
    QFETCH(QString, plain);
    QString problem;
    const TextTable table = parsePlainTable(plain, &problem);
    QVERIFY(!problem.isEmpty());
    QVERIFY(table.isEmpty());
}

TESSIO_TEST_GUILESS_MAIN(TestDescramble)
#include "tst_descramble.moc"
