#include "mainwindow/maskededit.h"
#include "support/testenvironment.h"

#include <QApplication>
#include <QTest>
#include <QVBoxLayout>

// A MaskedEdit in a small window with a second field to move the focus to.
class TestMaskedEdit : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();
    void patternShownOnlyWithoutFocus();
    void patternUsesTheWidgetLocale();
    void programTextsAreNeverCut();
    void typingStopsAtTheLimit();
    void filtersDiscardKeys();
    void enterHandling();
    void tagAndChange();

private:
    QWidget *m_window = nullptr;
    MaskedEdit *m_edit = nullptr;
    MaskedEdit *m_other = nullptr;
};

void TestMaskedEdit::initTestCase()
{
    pinTestEnvironment();
}

void TestMaskedEdit::init()
{
    m_window = new QWidget;
    m_window->setLocale(QLocale(QLocale::English, QLocale::UnitedStates));
    auto *layout = new QVBoxLayout(m_window);
    m_edit = new MaskedEdit(m_window);
    m_other = new MaskedEdit(m_window);
    layout->addWidget(m_edit);
    layout->addWidget(m_other);
    m_edit->setDisplayPattern(QStringLiteral("#,##0.00"));
    m_window->show();
    QVERIFY(QTest::qWaitForWindowActive(m_window));
    m_other->setFocus();
    QTRY_VERIFY(m_other->hasFocus());
}

void TestMaskedEdit::cleanup()
{
    delete m_window;
}

void TestMaskedEdit::patternShownOnlyWithoutFocus()
{
    m_edit->setRawText(QStringLiteral("1234.5"));
    QCOMPARE(m_edit->displayText(), QStringLiteral("1,234.50"));
    QCOMPARE(m_edit->rawText(), QStringLiteral("1234.5"));

    m_edit->setFocus();
    QTRY_VERIFY(m_edit->hasFocus());
    QCOMPARE(m_edit->displayText(), QStringLiteral("1234.5"));
    QTest::keyClick(m_edit, Qt::Key_End);
    QTest::keyClicks(m_edit, QStringLiteral("6"));
    QCOMPARE(m_edit->rawText(), QStringLiteral("1234.56"));

    m_other->setFocus();
    QTRY_VERIFY(m_other->hasFocus());
    QCOMPARE(m_edit->displayText(), QStringLiteral("1,234.56"));
    QCOMPARE(m_edit->rawText(), QStringLiteral("1234.56"));

    // Texts that are not numbers are shown as they are.
    m_edit->setRawText(QStringLiteral("----"));
    QCOMPARE(m_edit->displayText(), QStringLiteral("----"));
}

void TestMaskedEdit::patternUsesTheWidgetLocale()
{
    m_edit->setRawText(QStringLiteral("0.1"));
    QCOMPARE(m_edit->displayText(), QStringLiteral("0.10"));
    m_window->setLocale(QLocale(QLocale::Portuguese, QLocale::Brazil));
    m_edit->setRawText(QStringLiteral("1234,5"));
    QCOMPARE(m_edit->displayText(), QStringLiteral("1.234,50"));
}

void TestMaskedEdit::programTextsAreNeverCut()
{
    m_edit->setMaxTypedLength(3);
    m_edit->setDisplayPattern(QString());
    const QString loaded = QStringLiteral("a reference far longer than three characters");
    m_edit->setRawText(loaded);
    QCOMPARE(m_edit->rawText(), loaded);
    QCOMPARE(m_edit->displayText(), loaded);

    // The user may shorten it but not lengthen it.
    m_edit->setFocus();
    QTRY_VERIFY(m_edit->hasFocus());
    QTest::keyClick(m_edit, Qt::Key_End);
    QTest::keyClicks(m_edit, QStringLiteral("x"));
    QCOMPARE(m_edit->rawText(), loaded);
    QTest::keyClick(m_edit, Qt::Key_Backspace);
    QCOMPARE(m_edit->rawText(), loaded.chopped(1));
}

void TestMaskedEdit::typingStopsAtTheLimit()
{
    m_edit->setMaxTypedLength(2);
    m_edit->setFocus();
    QTRY_VERIFY(m_edit->hasFocus());
    QTest::keyClicks(m_edit, QStringLiteral("12345"));
    QCOMPARE(m_edit->rawText(), QStringLiteral("12"));
    // Replacing a selection is typing within the limit.
    m_edit->selectAll();
    QTest::keyClicks(m_edit, QStringLiteral("9"));
    QCOMPARE(m_edit->rawText(), QStringLiteral("9"));
}

void TestMaskedEdit::filtersDiscardKeys()
{
    m_edit->setFocus();
    QTRY_VERIFY(m_edit->hasFocus());
    m_edit->setKeyFilter(FieldRules::KeyFilter::Numeric);
    QTest::keyClicks(m_edit, QStringLiteral("1-2/a,3.5"));
    QCOMPARE(m_edit->rawText(), QStringLiteral("12,3.5"));
    QTest::keyClick(m_edit, Qt::Key_Backspace);
    QCOMPARE(m_edit->rawText(), QStringLiteral("12,3."));

    m_edit->setRawText(QString());
    m_edit->setKeyFilter(FieldRules::KeyFilter::Hours);
    QTest::keyClicks(m_edit, QStringLiteral("1.5,-/2"));
    QCOMPARE(m_edit->rawText(), QStringLiteral("152"));
    // A character outside ASCII is filtered like any other.
    QTest::sendKeyEvent(QTest::Click, m_edit, Qt::Key_unknown, QStringLiteral("\u00e7"), Qt::NoModifier);
    QCOMPARE(m_edit->rawText(), QStringLiteral("152"));
}

void TestMaskedEdit::enterHandling()
{
    int enters = 0;
    connect(m_edit, &MaskedEdit::enterPressed, this, [&enters] { ++enters; });
    m_edit->setFocus();
    QTRY_VERIFY(m_edit->hasFocus());
    QTest::keyClick(m_edit, Qt::Key_Return);
    QCOMPARE(enters, 0);
    m_edit->setEnterHandling(true);
    QTest::keyClick(m_edit, Qt::Key_Return);
    QTest::keyClick(m_edit, Qt::Key_Enter, Qt::KeypadModifier);
    QCOMPARE(enters, 2);
    QVERIFY(m_edit->hasFocus());
}

void TestMaskedEdit::tagAndChange()
{
    m_edit->setRawText(QStringLiteral("5"));
    m_edit->setTag(QStringLiteral("5"));
    QVERIFY(!m_edit->changedSinceEntry());
    // Showing the pattern is no change of the text.
    m_edit->setFocus();
    QTRY_VERIFY(m_edit->hasFocus());
    m_other->setFocus();
    QTRY_VERIFY(m_other->hasFocus());
    QCOMPARE(m_edit->displayText(), QStringLiteral("5.00"));
    QVERIFY(!m_edit->changedSinceEntry());
    m_edit->setRawText(QStringLiteral("6"));
    QVERIFY(m_edit->changedSinceEntry());
}

QTEST_MAIN(TestMaskedEdit)
#include "tst_maskededit.moc"
