#include "mainwindow/frmcalcretorno.h"
#include "platform/addbackslash.h"
#include "settings/links.h"
#include "settings/modcadastrovarnel.h"
#include "settings/regkeys.h"
#include "startup/mainprogram.h"
#include "startup/module1.h"
#include "support/fakedialogs.h"
#include "support/fakeshell.h"
#include "support/modalwatchdog.h"
#include "support/testmain.h"
#include "../support/settingsfolder.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

// The help note and the links, clicked in the started program with the shipped language texts.
class TestLinks : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();

    void webLinkBeforeAndAfterALanguagePick();
    void helpInSpanish();
    void modelsAndGuideFollowTheLanguage();
    void otherCaptionsDoNothing();

private:
    frmCalcRetorno &window() { return m_started.program->window(); }
    void click(const QString &objectName);
    void pickLanguage(const QString &name);

    std::unique_ptr<SettingsFolder> m_settings;
    QTemporaryDir m_lockDir;
    std::unique_ptr<ModalWatchdog> m_watchdog;
    FakeDialogs m_dialogs;
    FakeShell m_shell;
    StartupResult m_started;
};

void TestLinks::initTestCase()
{
    QVERIFY(m_lockDir.isValid());
}

void TestLinks::init()
{
    m_settings = std::make_unique<SettingsFolder>();
    QVERIFY(SetKeyValue(RegHive::LocalMachine, SettingsKeyPath, RegValue::NotFirstTime, QStringLiteral("True")));
    m_watchdog = std::make_unique<ModalWatchdog>();
    m_dialogs = FakeDialogs();
    m_shell = FakeShell();
    m_started = Main({m_dialogs, m_shell, programFolder(), m_lockDir.filePath(QStringLiteral("tessio.lock")),
                      QStringLiteral("tessio"), QLocale(QLocale::English, QLocale::UnitedStates), QString()});
    QVERIFY(m_started.goesOn());
    QVERIFY(QTest::qWaitForWindowActive(&window()));
}

void TestLinks::cleanup()
{
    QVERIFY2(m_watchdog->unexpected.isEmpty(), qPrintable(m_watchdog->unexpected.join(u", ")));
    m_started = StartupResult();
    m_watchdog.reset();
}

void TestLinks::click(const QString &objectName)
{
    auto *label = window().findChild<QLabel *>(objectName);
    QVERIFY2(label && label->isVisible(), qPrintable(objectName));
    QTest::mouseClick(label, Qt::LeftButton);
}

void TestLinks::pickLanguage(const QString &name)
{
    QComboBox *languages = window().cboIdioma();
    const int index = languages->findText(name);
    QVERIFY2(index >= 0, qPrintable(name));
    languages->setCurrentIndex(index);
    QCOMPARE(window().languageName(), name);
}

void TestLinks::webLinkBeforeAndAfterALanguagePick()
{
    // At start the company block's link, whatever the language says.
    QCOMPARE(window().label2(3)->text(), QString(CompanyBlockDefaults::VisitText));
    click(QStringLiteral("Label2_3"));
    QCOMPARE(m_shell.opened, QStringList{QString(CompanyBlockDefaults::WebAddress)});

    // Any pick puts the language's link in place.
    pickLanguage(QStringLiteral("Português"));
    QCOMPARE(window().label2(3)->text(), window().text(39));
    QCOMPARE(window().label2(3)->text(), QStringLiteral("Visite-nos em www.varnel.example"));
    click(QStringLiteral("Label2_3"));
    QCOMPARE(m_shell.opened.last(), QStringLiteral("http://") + window().text(201));
    QCOMPARE(m_shell.opened.last(), QStringLiteral("http://www.varnel.example"));

    // Also a pick of the language already selected: with the company's caption back in place (as
    // start-up leaves it), open the list and take the current item, as a user does.
    window().setWebLinkCaption(QString(CompanyBlockDefaults::VisitText));
    QComboBox *languages = window().cboIdioma();
    languages->setFocus();
    QTRY_VERIFY(languages->hasFocus());
    languages->showPopup();
    QTRY_VERIFY(languages->view()->isVisible());
    QCOMPARE(languages->view()->currentIndex().row(), languages->currentIndex());
    QTest::keyClick(languages->view(), Qt::Key_Return);
    QTRY_VERIFY(!languages->view()->isVisible());
    QCOMPARE(window().languageName(), QStringLiteral("Português"));
    QCOMPARE(window().label2(3)->text(), QStringLiteral("Visite-nos em www.varnel.example"));
    QVERIFY(m_dialogs.messages.isEmpty());
}

void TestLinks::helpInSpanish()
{
    pickLanguage(QStringLiteral("Español"));
    click(QStringLiteral("lblHelp"));
    QCOMPARE(m_dialogs.messages.size(), 1);
    const FakeDialogs::Message help = m_dialogs.messages.first();
    QCOMPARE(help.icon, Dialogs::Icon::Information);
    QCOMPARE(help.buttons, Dialogs::Buttons::Ok);
    QCOMPARE(help.title, window().windowTitle());
    QVERIFY(help.title.contains(QStringLiteral("Ahorro")));
    QCOMPARE(help.text, window().text(191) + QStringLiteral("\r\n") + window().text(192));
    QVERIFY(help.text.startsWith(QStringLiteral("Tessio - Guía del usuario.html\r\nLa guía anterior")));
    QVERIFY(m_shell.opened.isEmpty());
}

void TestLinks::modelsAndGuideFollowTheLanguage()
{
    click(QStringLiteral("lblModels"));
    click(QStringLiteral("Label2_18"));
    pickLanguage(QStringLiteral("Español"));
    click(QStringLiteral("lblModels"));
    click(QStringLiteral("Label2_18"));
    const QString folder = programFolder();
    QCOMPARE(m_shell.opened,
             (QStringList{QStringLiteral("http://www.varnel.example/en/drives"), folder + "Tessio - User guide.html",
                          QStringLiteral("http://www.varnel.example/es/variadores"),
                          folder + QStringLiteral("Tessio - Guía del usuario.html")}));
    // The guides the "<" link opens lie beside the program.
    QVERIFY(QFile::exists(m_shell.opened.at(1)));
    QVERIFY(QFile::exists(m_shell.opened.at(3)));
    QVERIFY(m_dialogs.messages.isEmpty());

    // The guide's path is built from the folder given, with or without its trailing separator.
    FakeShell shell;
    const TextLookup text = [](int n) { return n == 191 ? QStringLiteral("guide.html") : QString(); };
    Label2_Click(LinkLabel::HelpDocument, shell, CompanyBlock(), QStringLiteral("/opt/tessio"), text);
    Label2_Click(LinkLabel::HelpDocument, shell, CompanyBlock(), AddBackslash(QStringLiteral("/opt/tessio")), text);
    QCOMPARE(shell.opened, QStringList(2, AddBackslash(QStringLiteral("/opt/tessio")) + QStringLiteral("guide.html")));
}

void TestLinks::otherCaptionsDoNothing()
{
    for (int i = 0; i < frmCalcRetorno::Label2Count; ++i) {
        if (i == LinkLabel::WebLink || i == LinkLabel::HelpDocument)
            continue;
        const QString name = QStringLiteral("Label2_%1").arg(i);
        auto *label = window().findChild<QLabel *>(name);
        QVERIFY2(label, qPrintable(name));
        if (label->isVisible())
            QTest::mouseClick(label, Qt::LeftButton);
        Label2_Click(i, m_shell, m_started.program->company(), programFolder(), window().textLookup());
    }
    QVERIFY2(m_shell.opened.isEmpty(), qPrintable(m_shell.opened.join(u'|')));
    QVERIFY(m_dialogs.messages.isEmpty());
}

TESSIO_TEST_MAIN(TestLinks)
#include "tst_links.moc"
