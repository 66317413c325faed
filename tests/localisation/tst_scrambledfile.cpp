#include "files/codepage.h"
#include "localisation/frmsplash.h"
#include "localisation/listfill.h"
#include "localisation/scrambledfile.h"
#include "platform/addbackslash.h"
#include "support/fakedialogs.h"
#include "support/testmain.h"

#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QProgressBar>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QVBoxLayout>

namespace {

void writeStored(const QString &path, const QString &plain)
{
    const QByteArray bytes = CodePage::encode(plain);
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(Scramble(QString::fromLatin1(ScrambleKey), bytes));
}

const QList<QStringList> LanguageRows{
    {QStringLiteral("Português"), QStringLiteral("Español"), QStringLiteral("English")},
    {QStringLiteral("Título"), QStringLiteral("Título"), QStringLiteral("Title")},
};

TextTable table(const QString &defaultName)
{
    return parsePlainTable(composePlainTable(3, defaultName, LanguageRows));
}

// Records whether the progress window was on screen while the loader reported progress.
struct WatchedSplash : ProgressDisplay
{
    frmSplash splash;
    bool shownWhileLoading = false;
    int updates = 0;
    void start(double maximum) override { splash.start(maximum); }
    void setValue(int value) override
    {
        splash.setValue(value);
        shownWhileLoading = updates == 0 ? splash.isVisible() : shownWhileLoading && splash.isVisible();
        ++updates;
    }
    void finish() override { splash.finish(); }
};

} // namespace

class TestScrambledFile : public QObject
{
    Q_OBJECT
private slots:
    void loadsLanguageTexts();
    void unreadableFileIsReportedOnce_data();
    void unreadableFileIsReportedOnce();
    void fillerSelectsDefaultOnce();
    void fillerWithoutMatchSelectsNothing();
    void fillerIgnoresEmptyTable();
    void splashMirrorsProgressWithoutFocus();
    void presetsLoadWhileModalWindowIsOpen();
};

void TestScrambledFile::loadsLanguageTexts()
{
    QTemporaryDir dir;
    // A final CR LF in the plain text: one more empty row, no message.
    writeStored(dir.filePath(QStringLiteral("Config.ini")), composePlainTable(3, QStringLiteral("English"), LanguageRows) + QStringLiteral("\r\n"));
    FakeDialogs dialogs;
    TextTable texts;
    LoadLanguageTexts(texts, dir.path(), dialogs, nullptr);

    QCOMPARE(dialogs.texts(), QStringList());
    QCOMPARE(texts.filePath, AddBackslash(dir.path()) + QStringLiteral("Config.ini"));
    QCOMPARE(texts.defaultColumnName, QStringLiteral("English"));
    QCOMPARE(texts.columnCount(), 3);
    QCOMPARE(texts.rowCount(), 5); // 5 lines: count, default, two rows, the empty line after the final CR LF
    QCOMPARE(texts.entry(1, 0), QStringLiteral("Título"));
    QCOMPARE(texts.entry(1, 2), QStringLiteral("Title"));
    QCOMPARE(texts.entry(2, 1), QString());
}

void TestScrambledFile::unreadableFileIsReportedOnce_data()
{
    QTest::addColumn<QString>("kind");
    QTest::newRow("missing") << QStringLiteral("missing");
    QTest::newRow("empty") << QStringLiteral("empty");
    QTest::newRow("folder in its place") << QStringLiteral("folder");
    QTest::newRow("garbage") << QStringLiteral("garbage");
}

void TestScrambledFile::unreadableFileIsReportedOnce()
{
    QFETCH(QString, kind);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("fSetup.ini"));
    if (kind == QLatin1String("empty")) {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
    } else if (kind == QLatin1String("folder")) {
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("fSetup.ini")));
    } else if (kind == QLatin1String("garbage")) {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("this is not a data file");
    }

    FakeDialogs dialogs;
    TextTable presets = table(QStringLiteral("English")); // a previous load is replaced, not kept
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);   // the hourglass of a long step
    LoadCompanyPresets(presets, dir.path(), dialogs, nullptr);
    QVERIFY(!QGuiApplication::overrideCursor());

    // One message with the normal pointer: the platform's description, then the file's full path.
    QCOMPARE(dialogs.messages.size(), 1);
    QCOMPARE(dialogs.messages[0].title, applicationTitle());
    QCOMPARE(dialogs.messages[0].buttons, Dialogs::Buttons::Ok);
    QVERIFY(!dialogs.messages[0].busyPointer);
    const QStringList lines = dialogs.messages[0].text.split(QStringLiteral("\r\n"));
    QCOMPARE(lines.size(), 2);
    QVERIFY(!lines[0].isEmpty());
    QCOMPARE(lines[1], QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath()));
    QVERIFY(presets.isEmpty());
    QCOMPARE(presets.entry(0, 0), QString());
    QCOMPARE(QFileInfo::exists(path), kind != QLatin1String("missing")); // never created

    // The fillers leave the selector alone afterwards.
    QComboBox selector;
    FillPresetList(&selector, presets);
    QCOMPARE(selector.count(), 0);
    QCOMPARE(dialogs.messages.size(), 1);
}

void TestScrambledFile::fillerSelectsDefaultOnce()
{
    QComboBox cboIdioma;
    QSignalSpy changes(&cboIdioma, &QComboBox::currentIndexChanged);
    FillLanguageList(&cboIdioma, table(QStringLiteral("English")));
    QCOMPARE(cboIdioma.count(), 3);
    QCOMPARE(cboIdioma.itemText(0), QStringLiteral("Português"));
    QCOMPARE(cboIdioma.currentIndex(), 2);
    QCOMPARE(changes.size(), 1);
    QCOMPARE(changes[0][0].toInt(), 2);
}

void TestScrambledFile::fillerWithoutMatchSelectsNothing()
{
    // The comparison is exact: case and accents count.
    for (const QString &name : {QStringLiteral("english"), QStringLiteral("Portugues"), QString()}) {
        QComboBox cboIdioma;
        QSignalSpy changes(&cboIdioma, &QComboBox::currentIndexChanged);
        FillLanguageList(&cboIdioma, table(name));
        QCOMPARE(cboIdioma.count(), 3);
        QCOMPARE(cboIdioma.currentIndex(), -1);
        QCOMPARE(changes.size(), 0);
    }
}

void TestScrambledFile::fillerIgnoresEmptyTable()
{
    QComboBox cboRegistro;
    QSignalSpy changes(&cboRegistro, &QComboBox::currentIndexChanged);
    FillPresetList(&cboRegistro, TextTable());
    FillPresetList(&cboRegistro, TextTable(5, 0));
    QCOMPARE(cboRegistro.count(), 0);
    QCOMPARE(changes.size(), 0);
}

void TestScrambledFile::splashMirrorsProgressWithoutFocus()
{
    QWidget main;
    auto *edit = new QLineEdit(&main);
    main.show();
    QVERIFY(QTest::qWaitForWindowActive(&main));
    edit->setFocus();

    frmSplash splash;
    QCOMPARE(splash.findChild<QProgressBar *>(QStringLiteral("ProgressBar1")), splash.progressBar());
    splash.start(3.5);
    QVERIFY(splash.isVisible());
    QCOMPARE(splash.progressBar()->maximum(), 4);
    QCOMPARE(splash.progressBar()->value(), 0);
    splash.setValue(4);
    QCOMPARE(splash.progressBar()->value(), 4);
    splash.setValue(99); // out of range: clamped, never refused
    QCOMPARE(splash.progressBar()->value(), 4);
    QCoreApplication::processEvents();
    QCOMPARE(QApplication::activeWindow(), &main);
    QCOMPARE(QApplication::focusWidget(), edit);
    splash.finish();
    QVERIFY(!splash.isVisible());

    splash.start(0); // an empty file
    QCOMPARE(splash.progressBar()->maximum(), 0);
    splash.finish();

    // A long file: every value is taken, the bar follows in visible steps and ends full.
    splash.start(100000);
    splash.setValue(1);
    QCOMPARE(splash.value(), 1);
    QVERIFY(splash.progressBar()->value() <= 1);
    splash.setValue(50000);
    QCOMPARE(splash.progressBar()->value(), 50000);
    splash.setValue(50001);
    QCOMPARE(splash.value(), 50001);
    splash.setValue(100000);
    QCOMPARE(splash.progressBar()->value(), 100000);
    splash.finish();
}

void TestScrambledFile::presetsLoadWhileModalWindowIsOpen()
{
    QTemporaryDir dir;
    writeStored(dir.filePath(QStringLiteral("fSetup.ini")),
                composePlainTable(2, QStringLiteral("B"), {{QStringLiteral("A"), QStringLiteral("B")},
                                                           {QStringLiteral("Acme"), QStringLiteral("Bolt")}}));
    QDialog setup;
    auto *field = new QLineEdit(&setup);
    (new QVBoxLayout(&setup))->addWidget(field);
    FakeDialogs dialogs;
    TextTable presets;
    WatchedSplash progress;
    bool setupStillActive = false;
    QTimer::singleShot(0, &setup, [&] {
        field->setFocus();
        LoadCompanyPresets(presets, dir.path(), dialogs, &progress);
        setupStillActive = QApplication::activeModalWidget() == &setup && QApplication::focusWidget() == field;
        setup.accept();
    });
    QCOMPARE(setup.exec(), int(QDialog::Accepted));

    QCOMPARE(dialogs.texts(), QStringList());
    QCOMPARE(presets.entry(1, 1), QStringLiteral("Bolt"));
    QVERIFY(progress.updates > 0);
    QVERIFY(progress.shownWhileLoading);
    QVERIFY(!progress.splash.isVisible());
    QVERIFY(setupStillActive);
}

TESSIO_TEST_MAIN(TestScrambledFile)
#include "tst_scrambledfile.moc"
