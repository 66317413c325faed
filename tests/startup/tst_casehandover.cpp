#include "startup/casehandover.h"
#include "support/testmain.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace std::chrono_literals;

// Both sides of a hand-over in one process: the sender waits with the event loop running, so the inbox
// claims its request meanwhile, as the running copy does in its own process.
class TestCaseHandover : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void handedOverFileIsAnnouncedOnce();
    void nobodyListeningWithdrawsTheRequest();
    void requestsWaitingBeforeListeningAreTakenInOrder();
    void staleRequestsAreCleared();
    void requestsThatNameNoAbsolutePathAreDropped_data();
    void requestsThatNameNoAbsolutePathAreDropped();
    void inboxIsTheUsersOwn();

private:
    QString inbox() const { return m_root->filePath(QStringLiteral("inbox")); }
    // A request as a sender writes it, without waiting for it to be taken.
    void dropRequest(const QString &name, const QByteArray &content);
    QStringList leftInInbox() const { return QDir(inbox()).entryList(QDir::Files | QDir::Hidden); }

    std::unique_ptr<QTemporaryDir> m_root;
};

void TestCaseHandover::init()
{
    m_root = std::make_unique<QTemporaryDir>();
    QVERIFY(m_root->isValid());
}

void TestCaseHandover::dropRequest(const QString &name, const QByteArray &content)
{
    QVERIFY(QDir().mkpath(inbox()));
    QFile file(QDir(inbox()).filePath(name));
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(content), content.size());
}

void TestCaseHandover::handedOverFileIsAnnouncedOnce()
{
    HandoverInbox receiver(inbox());
    QSignalSpy announced(&receiver, &HandoverInbox::caseFileHandedOver);
    QVERIFY(receiver.listen());
    const QString caseFile = m_root->filePath(QStringLiteral("Bomba São Paulo.WAU"));

    QVERIFY(CaseHandover::handOver(inbox(), caseFile, 30s));
    QCOMPARE(announced.size(), 1);
    QCOMPARE(announced.first().first().toString(), caseFile);
    QVERIFY2(leftInInbox().isEmpty(), qPrintable(leftInInbox().join(u", ")));

    // The next one is a request of its own.
    QVERIFY(CaseHandover::handOver(inbox(), caseFile, 30s));
    QCOMPARE(announced.size(), 2);
}

void TestCaseHandover::nobodyListeningWithdrawsTheRequest()
{
    // A running copy that does not take requests (it hangs): the sender gives up after its wait and
    // leaves nothing behind for a later copy to open.
    QVERIFY(!CaseHandover::handOver(inbox(), m_root->filePath(QStringLiteral("a.WAU")), 100ms));
    QVERIFY2(leftInInbox().isEmpty(), qPrintable(leftInInbox().join(u", ")));
}

void TestCaseHandover::requestsWaitingBeforeListeningAreTakenInOrder()
{
    // Copies that started while the running copy was still starting: their files in the order they came.
    const QStringList files{m_root->filePath(QStringLiteral("first.WAU")),
                            m_root->filePath(QStringLiteral("second.WAU"))};
    dropRequest(QStringLiteral("b.request"), files[0].toUtf8());
    QFile older(QDir(inbox()).filePath(QStringLiteral("b.request")));
    QVERIFY(older.open(QIODevice::ReadWrite));
    QVERIFY(older.setFileTime(QDateTime::currentDateTime().addSecs(-60), QFileDevice::FileModificationTime));
    older.close();
    dropRequest(QStringLiteral("a.request"), files[1].toUtf8());

    HandoverInbox receiver(inbox());
    QSignalSpy announced(&receiver, &HandoverInbox::caseFileHandedOver);
    QVERIFY(receiver.listen());
    QCOMPARE(announced.size(), 2);
    QCOMPARE(announced.at(0).first().toString(), files[0]);
    QCOMPARE(announced.at(1).first().toString(), files[1]);
    QVERIFY(leftInInbox().isEmpty());
}

void TestCaseHandover::staleRequestsAreCleared()
{
    // What a crash leaves: a request nobody took and one claimed but never read.
    dropRequest(QStringLiteral("old.request"), m_root->filePath(QStringLiteral("old.WAU")).toUtf8());
    dropRequest(QStringLiteral("half.request.taken"), m_root->filePath(QStringLiteral("half.WAU")).toUtf8());
    dropRequest(QStringLiteral("notes.txt"), "not ours");
    CaseHandover::clearStaleRequests(inbox());
    QCOMPARE(leftInInbox(), QStringList{QStringLiteral("notes.txt")});

    HandoverInbox receiver(inbox());
    QSignalSpy announced(&receiver, &HandoverInbox::caseFileHandedOver);
    QVERIFY(receiver.listen());
    QCOMPARE(announced.size(), 0);
    // A folder that does not exist has nothing to clear.
    CaseHandover::clearStaleRequests(m_root->filePath(QStringLiteral("nothing here")));
}

void TestCaseHandover::requestsThatNameNoAbsolutePathAreDropped_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::newRow("empty") << QByteArray();
    QTest::newRow("relative path") << QByteArray("cases/a.WAU");
    QTest::newRow("two lines") << QDir::rootPath().toUtf8() + "a.WAU\n" + QDir::rootPath().toUtf8() + "b.WAU";
}

void TestCaseHandover::requestsThatNameNoAbsolutePathAreDropped()
{
    QFETCH(QByteArray, content);
    dropRequest(QStringLiteral("odd.request"), content);
    HandoverInbox receiver(inbox());
    QSignalSpy announced(&receiver, &HandoverInbox::caseFileHandedOver);
    QVERIFY(receiver.listen());
    QCOMPARE(announced.size(), 0);
    QVERIFY(leftInInbox().isEmpty()); // taken all the same, so that its sender does not wait in vain
}

void TestCaseHandover::inboxIsTheUsersOwn()
{
    QVERIFY(QDir().mkpath(inbox()));
#ifdef Q_OS_UNIX
    // Made in a shared temporary folder, it is closed to everyone else before it is used.
    QVERIFY(QFile::setPermissions(inbox(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner
                                               | QFileDevice::WriteOther | QFileDevice::ReadOther | QFileDevice::ExeOther));
#endif
    HandoverInbox receiver(inbox());
    QVERIFY(receiver.listen());
#ifdef Q_OS_UNIX
    const auto others = QFileDevice::ReadOther | QFileDevice::WriteOther;
    QCOMPARE(QFileInfo(inbox()).permissions() & others, QFileDevice::Permissions());
#endif
    // A file where the inbox should be cannot serve as one: nothing is handed over.
    const QString blocked = m_root->filePath(QStringLiteral("blocked"));
    QFile file(blocked);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.close();
    HandoverInbox blockedReceiver(blocked);
    QVERIFY(!blockedReceiver.listen());
    QVERIFY(!CaseHandover::handOver(blocked, m_root->filePath(QStringLiteral("a.WAU")), 100ms));
}

TESSIO_TEST_GUILESS_MAIN(TestCaseHandover)
#include "tst_casehandover.moc"
