// Qt's own texts in the language the user picked: the real QMessageBox and QFileDialog of the file
// commands, offscreen, with the translation files the build puts beside the program.
#include "files/filecommands.h"
#include "localisation/qttranslations.h"
#include "mainwindow/frmcalcretorno.h"
#include "mainwindow/maskededit.h"
#include "platform/qtdialogs.h"
#include "settings/companyblock.h"
#include "support/testdatafiles.h"
#include "support/testenvironment.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

namespace {

QString plain(QString text)
{
    return text.remove(u'&');
}

// Answers every modal dialog from its show event (queued, so that the dialog's own event loop runs):
// records the buttons of a message box and answers No; records the accept button of a file dialog and
// accepts it with typedName, or cancels when that is empty. Anything else is closed and recorded.
class DialogAnswerer : public QObject
{
public:
    DialogAnswerer() { qApp->installEventFilter(this); }
    ~DialogAnswerer() override { qApp->removeEventFilter(this); }

    QString typedName;
    QStringList messageButtons; // "Yes|No" per message box
    QStringList acceptButtons;  // per file dialog
    QStringList unexpected;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        auto *dialog = qobject_cast<QDialog *>(watched);
        if (event->type() != QEvent::Show || !dialog || !dialog->isModal())
            return false;
        QMetaObject::invokeMethod(
            this,
            [this, guarded = QPointer<QDialog>(dialog)] {
                if (guarded)
                    answer(guarded);
            },
            Qt::QueuedConnection);
        return false;
    }

private:
    void answer(QDialog *dialog)
    {
        if (auto *box = qobject_cast<QMessageBox *>(dialog)) {
            messageButtons << plain(box->button(QMessageBox::Yes)->text()) + u'|' +
                                  plain(box->button(QMessageBox::No)->text());
            box->button(QMessageBox::No)->click();
        } else if (auto *files = qobject_cast<QFileDialog *>(dialog)) {
            const auto *buttons = files->findChild<QDialogButtonBox *>();
            for (QAbstractButton *button : buttons->buttons()) {
                if (buttons->buttonRole(button) == QDialogButtonBox::AcceptRole)
                    acceptButtons << plain(button->text());
            }
            if (typedName.isEmpty()) {
                files->reject();
            } else {
                files->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"))->setText(typedName);
                static_cast<QDialog *>(files)->accept(); // QFileDialog hides its override
            }
        } else {
            unexpected << dialog->metaObject()->className();
            dialog->reject();
        }
    }
};

} // namespace

class TestQtTranslations : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void mapping();
    void qtDialogsSpeakThePickedLanguage_data();
    void qtDialogsSpeakThePickedLanguage();
};

void TestQtTranslations::initTestCase()
{
    pinTestEnvironment();
}

void TestQtTranslations::mapping()
{
    QCOMPARE(qtTranslationName(QStringLiteral("Português")), QStringLiteral("qtbase_pt_BR"));
    QCOMPARE(qtTranslationName(QStringLiteral("Español")), QStringLiteral("qtbase_es"));
    QCOMPARE(qtTranslationName(QStringLiteral("English")), QString());
    QCOMPARE(qtTranslationName(QStringLiteral("Portugues")), QString());
}

void TestQtTranslations::qtDialogsSpeakThePickedLanguage_data()
{
    QTest::addColumn<QString>("defaultLanguage");
    QTest::addColumn<QStringList>("picks");
    QTest::addColumn<bool>("withFiles");
    QTest::addColumn<QString>("yesNo");
    QTest::addColumn<QString>("copy");
    QTest::addColumn<bool>("englishDialogs");
    const QString en = QStringLiteral("English");
    const QString pt = QStringLiteral("Português");
    const QString es = QStringLiteral("Español");
    QTest::newRow("Portuguese picked") << en << QStringList{pt} << true << "Sim|Não"
                                       << "Copiar" << false;
    QTest::newRow("Spanish picked") << en << QStringList{es} << true << "Sí|No"
                                    << "Copiar" << false;
    QTest::newRow("Portuguese at start") << pt << QStringList() << true << "Sim|Não"
                                         << "Copiar" << false;
    QTest::newRow("back to English") << pt << QStringList{es, en} << true << "Yes|No"
                                     << "Copy" << true;
    QTest::newRow("no translation files") << en << QStringList{pt} << false << "Yes|No"
                                          << "Copy" << true;
}

void TestQtTranslations::qtDialogsSpeakThePickedLanguage()
{
    QFETCH(QString, defaultLanguage);
    QFETCH(QStringList, picks);
    QFETCH(bool, withFiles);
    QFETCH(QString, yesNo);
    QFETCH(QString, copy);
    QFETCH(bool, englishDialogs);

    QTemporaryDir programFolder;
    QVERIFY(programFolder.isValid());
    QVERIFY(TestData::writeNumberedConfig(programFolder.path(), defaultLanguage));
    if (withFiles) {
        // The build puts the files beside every program, this test included.
        for (const char *name : {"qtbase_pt_BR.qm", "qtbase_es.qm"}) {
            const QString shipped = QCoreApplication::applicationDirPath() + u'/' + QLatin1String(name);
            QVERIFY2(QFile::copy(shipped, programFolder.filePath(QLatin1String(name))), name);
        }
    }

    QtDialogs dialogs;
    CompanyBlock company;
    DialogAnswerer answerer;
    auto window =
        std::make_unique<frmCalcRetorno>(dialogs, company, QLocale(QLocale::English, QLocale::UnitedStates));
    QVERIFY(window->load(programFolder.path(), nullptr));
    FileCommands commands(*window, dialogs, company, programFolder.path());
    window->show();
    QVERIFY(QTest::qWaitForWindowActive(window.get()));
    for (const QString &language : picks)
        window->cboIdioma()->setCurrentIndex(window->cboIdioma()->findText(language));

    // Save without a current file: Save As, where a name is typed without extension; Save again asks
    // the replace question (texts 76 and 77), answered No; Open is cancelled.
    answerer.typedName = QStringLiteral("mycase");
    commands.lblSalvar_Click();
    QVERIFY(QFile::exists(programFolder.filePath(QStringLiteral("mycase"))));
    QCOMPARE(commands.NomeArq(), programFolder.filePath(QStringLiteral("mycase")));
    commands.lblSalvar_Click();
    answerer.typedName.clear();
    commands.lblAbrir_Click();

    QVERIFY2(answerer.unexpected.isEmpty(), qPrintable(answerer.unexpected.join(u',')));
    QCOMPARE(answerer.messageButtons, QStringList{yesNo});
    QCOMPARE(answerer.acceptButtons.size(), 2);
    QCOMPARE(answerer.acceptButtons[0] == u"Save", englishDialogs);
    QCOMPARE(answerer.acceptButtons[1] == u"Open", englishDialogs);

    const std::unique_ptr<QMenu> menu(window->field(u"mskPotencia")->createStandardContextMenu());
    QStringList actions;
    for (const QAction *action : menu->actions())
        actions << plain(action->text()).section(u'\t', 0, 0);
    QVERIFY2(actions.contains(copy), qPrintable(actions.join(u',')));
}

QTEST_MAIN(TestQtTranslations)
#include "tst_qttranslations.moc"
