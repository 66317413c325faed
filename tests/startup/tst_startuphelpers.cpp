#include "platform/addbackslash.h"
#include "startup/commandline.h"
#include "startup/singleinstance.h"
#include "startup/truthtext.h"
#include "support/testmain.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QSysInfo>
#include <QTemporaryDir>
#include <QTest>

class TestStartupHelpers : public QObject
{
    Q_OBJECT
private slots:
    void addBackslash_data();
    void addBackslash();
    void programFolderIsNative();
    void truthFromText_data();
    void truthFromText();
    void secondGuardIsRefused();
    void staleLockIsTakenOver();
    void caseFileArgument_data();
    void caseFileArgument();
};

void TestStartupHelpers::addBackslash_data()
{
    const QString sep = QDir::separator();
    QTest::addColumn<QString>("folder");
    QTest::addColumn<QString>("expected");
    QTest::newRow("folder name") << "/opt/tessio" << "/opt/tessio" + sep;
    QTest::newRow("already ends in separator") << "/opt/tessio" + sep << "/opt/tessio" + sep;
    QTest::newRow("root") << sep << sep;
    QTest::newRow("empty") << "" << sep;
#ifdef Q_OS_WIN
    QTest::newRow("drive and folder") << "C:\\Program Files\\Varnel\\Tessio"
                                      << "C:\\Program Files\\Varnel\\Tessio\\";
    QTest::newRow("drive root") << "C:\\" << "C:\\";
#endif
}

void TestStartupHelpers::addBackslash()
{
    QFETCH(QString, folder);
    QFETCH(QString, expected);
    QCOMPARE(AddBackslash(folder), expected);
}

void TestStartupHelpers::programFolderIsNative()
{
    const QString folder = programFolder();
    QVERIFY(folder.endsWith(QDir::separator()));
    QCOMPARE(QDir::toNativeSeparators(folder), folder); // "\" throughout on Windows
    QCOMPARE(QDir(folder).canonicalPath(), QDir(QCoreApplication::applicationDirPath()).canonicalPath());
}

void TestStartupHelpers::truthFromText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("expected"); // -1: not a truth value
    QTest::newRow("True") << "True" << 1;
    QTest::newRow("true") << "true" << 1;
    QTest::newRow("FALSE") << "FALSE" << 0;
    QTest::newRow("zero") << "0" << 0;
    QTest::newRow("minus one") << "-1" << 1;
    QTest::newRow("garbage") << "maybe" << -1;
    QTest::newRow("empty") << "" << -1;
}

void TestStartupHelpers::truthFromText()
{
    QFETCH(QString, text);
    QFETCH(int, expected);
    const auto value = ::truthFromText(text);
    QCOMPARE(value.has_value(), expected >= 0);
    if (value)
        QCOMPARE(int(*value), expected);
}

void TestStartupHelpers::secondGuardIsRefused()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("tessio.lock"));
    SingleInstanceGuard first(path);
    QVERIFY(first.tryAcquire());
    SingleInstanceGuard second(path);
    QVERIFY(!second.tryAcquire());
}

void TestStartupHelpers::staleLockIsTakenOver()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("tessio.lock"));
    // A lock left by a process that no longer runs (process ids this high are not handed out).
    QFile stale(path);
    QVERIFY(stale.open(QIODevice::WriteOnly));
#ifdef Q_OS_WIN
    // QLockFile names the host as Windows does in COMPUTERNAME.
    const QByteArray host = qgetenv("COMPUTERNAME");
#else
    const QByteArray host = QSysInfo::machineHostName().toUtf8();
#endif
    stale.write("2147483644\ntessio\n" + host + "\n");
    stale.close();
    SingleInstanceGuard guard(path);
    QVERIFY(guard.tryAcquire());
}

void TestStartupHelpers::caseFileArgument_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("expected");
    const QString here = QDir::cleanPath(QDir::currentPath());
    QTest::newRow("no argument") << QStringList{"tessio"} << "";
    QTest::newRow("relative name") << QStringList{"tessio", "case 1.WAU"} << here + "/case 1.WAU";
    QTest::newRow("relative folder") << QStringList{"tessio", "cases/../x/p.wau"} << here + "/x/p.wau";
    QTest::newRow("two arguments") << QStringList{"tessio", "a.WAU", "b.WAU"} << "";
    QTest::newRow("empty argument") << QStringList{"tessio", ""} << "";
#ifdef Q_OS_WIN
    QTest::newRow("absolute, native") << QStringList{"tessio.exe", "C:\\Cases\\P-101.WAU"} << "C:/Cases/P-101.WAU";
#else
    QTest::newRow("absolute") << QStringList{"tessio", "/srv/cases/P-101.WAU"} << "/srv/cases/P-101.WAU";
#endif
}

void TestStartupHelpers::caseFileArgument()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, expected);
    QCOMPARE(::caseFileArgument(arguments, QDir::currentPath()), expected);
}

TESSIO_TEST_GUILESS_MAIN(TestStartupHelpers)
#include "tst_startuphelpers.moc"
