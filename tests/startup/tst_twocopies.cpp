#include "xdisplayprobe.h"
#include "support/testmain.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <memory>
#include <sys/prctl.h>

namespace {

// A child that outlived a crashed test would keep the test runner's output open and stall the run.
void dieWithTheTest(QProcess &process)
{
    process.setChildProcessModifier([] { ::prctl(PR_SET_PDEATHSIG, SIGKILL); });
}

} // namespace

// The built program, run twice at once as a user would, in a private X server with a private
// temporary folder, home and settings. A message box of the second copy waits for a click like any
// other; the test sees it among the display's windows and closes it as the user does, so nothing in
// the program behaves differently under test.
class TestTwoCopies : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void secondCopyShowsItsMessageAndEnds();
    void secondCopyHandsItsCaseFileOver();

private:
    std::unique_ptr<QProcess> startCopy(const QStringList &arguments = {});
    // The copies' lock file in their private temporary folder.
    QString lockFile() const
    {
        const QDir tmp(m_root.filePath(QStringLiteral("tmp")));
        const QStringList locks = tmp.entryList({QStringLiteral("tessio-*.lock")}, QDir::Files);
        return locks.size() == 1 ? tmp.filePath(locks.first()) : QString();
    }
    static QString lockOwner(const QString &path);
    // The shown main window of a copy (titled with the language's title, not the executable's name).
    static QList<XDisplayProbe::Window> mainWindows(const QList<XDisplayProbe::Window> &windows);
    // A copy's message boxes (titled with the application's name alone).
    static QList<XDisplayProbe::Window> messageBoxes(const QList<XDisplayProbe::Window> &windows);
    // A case file holding only an application: opening it reads it and runs Calculate, whose first
    // check (the hours at 100 % flow) then speaks up in a message box.
    QString caseWithoutHours(const QString &name) const;
    // The copies' inbox of handed-over case files in their private temporary folder.
    QString inbox() const;

    QTemporaryDir m_root;
    QProcess m_server;
    QByteArray m_displayName;
    std::unique_ptr<XDisplayProbe> m_probe;
};

void TestTwoCopies::initTestCase()
{
    const QString server = QStandardPaths::findExecutable(QStringLiteral("Xvfb"));
    if (server.isEmpty())
        QSKIP("Xvfb is not installed");
    QVERIFY(m_root.isValid());
    for (const char *folder : {"tmp", "home", "config/Varnel", "runtime"})
        QVERIFY(QDir(m_root.path()).mkpath(QLatin1String(folder)));
    QFile::setPermissions(m_root.filePath(QStringLiteral("runtime")), QFileDevice::ReadOwner | QFileDevice::WriteOwner
                                                                          | QFileDevice::ExeOwner);
    {
        // Not the first run: no setup window comes between.
        QSettings settings(m_root.filePath(QStringLiteral("config/Varnel/Tessio.conf")), QSettings::IniFormat);
        settings.setValue(QStringLiteral("NotFirstTime"), QStringLiteral("True"));
    }

    // The server picks a free display and writes its number on its standard output.
    dieWithTheTest(m_server);
    m_server.start(server, {QStringLiteral("-displayfd"), QStringLiteral("1"), QStringLiteral("-nolisten"),
                            QStringLiteral("tcp"), QStringLiteral("-screen"), QStringLiteral("0"),
                            QStringLiteral("1024x768x24")});
    QVERIFY(m_server.waitForStarted(5000));
    QByteArray number;
    QTRY_VERIFY_WITH_TIMEOUT((number += m_server.readAllStandardOutput()).contains('\n'), 10000);
    m_displayName = ':' + number.trimmed();
    m_probe = std::make_unique<XDisplayProbe>(m_displayName);
    QVERIFY(m_probe->isOpen());
}

void TestTwoCopies::cleanupTestCase()
{
    m_probe.reset();
    if (m_server.state() != QProcess::NotRunning) {
        m_server.terminate();
        m_server.waitForFinished(5000);
    }
}

std::unique_ptr<QProcess> TestTwoCopies::startCopy(const QStringList &arguments)
{
    auto process = std::make_unique<QProcess>();
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("DISPLAY"), QString::fromLatin1(m_displayName));
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    environment.insert(QStringLiteral("TMPDIR"), m_root.filePath(QStringLiteral("tmp")));
    environment.insert(QStringLiteral("HOME"), m_root.filePath(QStringLiteral("home")));
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), m_root.filePath(QStringLiteral("config")));
    environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), m_root.filePath(QStringLiteral("runtime")));
    environment.insert(QStringLiteral("USER"), QStringLiteral("tester"));
    // Under the sanitizer build the strict string check stops the X keyboard library's own start-up
    // (it reads a string it did not terminate); the program's code is checked by every other suite.
    if (environment.contains(QStringLiteral("ASAN_OPTIONS")))
        environment.insert(QStringLiteral("ASAN_OPTIONS"),
                           environment.value(QStringLiteral("ASAN_OPTIONS")) + QStringLiteral(":strict_string_checks=0"));
    process->setProcessEnvironment(environment);
    process->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    dieWithTheTest(*process);
    process->start(QCoreApplication::applicationDirPath() + QStringLiteral("/tessio"), arguments);
    if (!process->waitForStarted(5000))
        qWarning("tessio did not start: %s", qPrintable(process->errorString()));
    return process;
}

QString TestTwoCopies::lockOwner(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readLine()).trimmed();
}

QList<XDisplayProbe::Window> TestTwoCopies::mainWindows(const QList<XDisplayProbe::Window> &windows)
{
    QList<XDisplayProbe::Window> found;
    for (const XDisplayProbe::Window &window : windows) {
        if (window.title.startsWith(QStringLiteral("Tessio ")))
            found.append(window);
    }
    return found;
}

QList<XDisplayProbe::Window> TestTwoCopies::messageBoxes(const QList<XDisplayProbe::Window> &windows)
{
    QList<XDisplayProbe::Window> found;
    for (const XDisplayProbe::Window &window : windows) {
        if (window.title == QStringLiteral("Tessio"))
            found.append(window);
    }
    return found;
}

void TestTwoCopies::secondCopyShowsItsMessageAndEnds()
{
    // The first copy runs and holds the lock.
    const auto first = startCopy();
    QVERIFY(first->state() == QProcess::Running);
    const qint64 firstPid = first->processId();
    QTRY_COMPARE_WITH_TIMEOUT(mainWindows(m_probe->shownWindowsOf(firstPid)).size(), 1, 15000);
    const XDisplayProbe::Window firstWindow = mainWindows(m_probe->shownWindowsOf(firstPid)).first();
    QCOMPARE(lockOwner(lockFile()), QString::number(firstPid));

    // The second copy shows only its message, titled with the executable's name.
    const auto second = startCopy();
    const qint64 secondPid = second->processId();
    QTRY_COMPARE_WITH_TIMEOUT(m_probe->shownWindowsOf(secondPid).size(), 1, 15000);
    QTest::qWait(500); // time enough for a wrongly started window to show up too
    const QList<XDisplayProbe::Window> secondWindows = m_probe->shownWindowsOf(secondPid);
    QCOMPARE(secondWindows.size(), 1);
    QCOMPARE(secondWindows.first().title, QStringLiteral("tessio"));

    // Dismissed, it ends by itself; the first copy is untouched.
    m_probe->close(secondWindows.first().id);
    QVERIFY(second->waitForFinished(5000));
    QCOMPARE(second->exitStatus(), QProcess::NormalExit);
    QCOMPARE(second->exitCode(), 2);
    QCOMPARE(first->state(), QProcess::Running);
    QCOMPARE(lockOwner(lockFile()), QString::number(firstPid));
    const QList<XDisplayProbe::Window> stillShown = m_probe->shownWindowsOf(firstPid);
    QCOMPARE(stillShown.size(), 1);
    QCOMPARE(stillShown.first().id, firstWindow.id);
    QCOMPARE(stillShown.first().title, firstWindow.title);

    // A copy that crashed leaves its lock behind; the next start takes it over.
    first->kill();
    QVERIFY(first->waitForFinished(5000));
    QVERIFY(QFile::exists(lockFile()));
    const auto third = startCopy();
    const qint64 thirdPid = third->processId();
    QTRY_COMPARE_WITH_TIMEOUT(mainWindows(m_probe->shownWindowsOf(thirdPid)).size(), 1, 15000);
    QCOMPARE(m_probe->shownWindowsOf(thirdPid).size(), 1);
    QCOMPARE(lockOwner(lockFile()), QString::number(thirdPid));

    // Closing the main window ends the program normally, and the lock goes with it.
    m_probe->close(mainWindows(m_probe->shownWindowsOf(thirdPid)).first().id);
    QVERIFY(third->waitForFinished(5000));
    QCOMPARE(third->exitStatus(), QProcess::NormalExit);
    QCOMPARE(third->exitCode(), 0);
    QVERIFY(!QFile::exists(lockFile()));
}

QString TestTwoCopies::caseWithoutHours(const QString &name) const
{
    const QString path = m_root.filePath(name);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write("2\r\n") != 3)
        qWarning("cannot write %s", qPrintable(path));
    return path;
}

QString TestTwoCopies::inbox() const
{
    const QDir tmp(m_root.filePath(QStringLiteral("tmp")));
    const QStringList inboxes = tmp.entryList({QStringLiteral("tessio-*.inbox")}, QDir::Dirs);
    return inboxes.size() == 1 ? tmp.filePath(inboxes.first()) : QString();
}

void TestTwoCopies::secondCopyHandsItsCaseFileOver()
{
    // A copy runs; a double click on a case starts a second copy with the file.
    const auto first = startCopy();
    const qint64 firstPid = first->processId();
    QTRY_COMPARE_WITH_TIMEOUT(mainWindows(m_probe->shownWindowsOf(firstPid)).size(), 1, 15000);
    const auto second = startCopy({caseWithoutHours(QStringLiteral("no hours.WAU"))});

    // The second copy ends by itself, so without a message waiting for a click; the first one opens
    // the file, as the message of its Calculate shows.
    QVERIFY(second->waitForFinished(15000));
    QCOMPARE(second->exitStatus(), QProcess::NormalExit);
    QCOMPARE(second->exitCode(), 0);
    QTRY_COMPARE_WITH_TIMEOUT(messageBoxes(m_probe->shownWindowsOf(firstPid)).size(), 1, 15000);
    m_probe->close(messageBoxes(m_probe->shownWindowsOf(firstPid)).first().id);
    QTRY_COMPARE_WITH_TIMEOUT(m_probe->shownWindowsOf(firstPid).size(), 1, 5000); // its main window
    QVERIFY(QDir(inbox()).isEmpty());

    // A crash leaves the lock and a request nobody took (a file that cannot be read, whose message
    // would show). The next copy started with a file runs as the only one and opens just its own file.
    first->kill();
    QVERIFY(first->waitForFinished(5000));
    {
        QFile stale(QDir(inbox()).filePath(QStringLiteral("stale.request")));
        QVERIFY(stale.open(QIODevice::WriteOnly));
        stale.write(m_root.filePath(QStringLiteral("missing.WAU")).toUtf8());
    }
    const auto third = startCopy({caseWithoutHours(QStringLiteral("mine.WAU"))});
    const qint64 thirdPid = third->processId();
    QTRY_COMPARE_WITH_TIMEOUT(mainWindows(m_probe->shownWindowsOf(thirdPid)).size(), 1, 15000);
    QTRY_COMPARE_WITH_TIMEOUT(messageBoxes(m_probe->shownWindowsOf(thirdPid)).size(), 1, 15000);
    QTest::qWait(500); // time enough for a message about the stale request to show up too
    QCOMPARE(messageBoxes(m_probe->shownWindowsOf(thirdPid)).size(), 1);
    QCOMPARE(lockOwner(lockFile()), QString::number(thirdPid));
    QVERIFY(QDir(inbox()).isEmpty());

    // The case came from a file and nothing was typed: closing asks nothing.
    m_probe->close(messageBoxes(m_probe->shownWindowsOf(thirdPid)).first().id);
    QTRY_COMPARE_WITH_TIMEOUT(m_probe->shownWindowsOf(thirdPid).size(), 1, 5000);
    m_probe->close(mainWindows(m_probe->shownWindowsOf(thirdPid)).first().id);
    QVERIFY(third->waitForFinished(5000));
    QCOMPARE(third->exitCode(), 0);
}

TESSIO_TEST_GUILESS_MAIN(TestTwoCopies)
#include "tst_twocopies.moc"
