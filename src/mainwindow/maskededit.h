#pragma once

#include "mainwindow/fieldrules.h"

#include <QLineEdit>

// A line edit that keeps a raw text and shows it through a display pattern ("#,##0.00", ...) while it
// does not have the focus; with the focus it edits the raw text. The pattern is applied with the
// widget's locale (QWidget::locale(), inherited from the window).
//
// rawText() and setRawText() are the raw text; QLineEdit's own text() and displayText() are what the
// field shows, through any pointer. The maximum typed length limits only what the user types or
// pastes: a text set by the program is never cut. tag() is the text the field had when it was entered.
// Any other change of the shown text is the user's: typing, a paste, undo, and a text that a screen
// reader or voice control puts in through the accessibility interface (which sets QLineEdit's text,
// with the focus or without). It becomes the raw text, unless the field is read-only.
//
// Focus changes caused by another window becoming active (a message box, another application) are
// not a move to another field: the field keeps showing its raw text and tells nobody.
class MaskedEdit : public QLineEdit
{
    Q_OBJECT
    Q_PROPERTY(QString rawText READ rawText WRITE setRawText)
    Q_PROPERTY(QString tag READ tag WRITE setTag)
public:
    explicit MaskedEdit(QWidget *parent = nullptr);

    QString rawText() const { return m_raw; }
    void setRawText(const QString &text);

    QString displayPattern() const { return m_pattern; }
    void setDisplayPattern(const QString &pattern);
    // A display that a pattern cannot give (the kWh price keeps the decimals it was typed with); it
    // takes the pattern's place while set.
    using DisplayFormat = QString (*)(const QString &text, const QLocale &locale);
    void setDisplayFormat(DisplayFormat format);

    int maxTypedLength() const { return m_maxTyped; }
    void setMaxTypedLength(int length) { m_maxTyped = length; }

    QString tag() const { return m_tag; }
    void setTag(const QString &tag) { m_tag = tag; }
    bool changedSinceEntry() const { return m_raw != m_tag; }

    FieldRules::KeyFilter keyFilter() const { return m_filter; }
    void setKeyFilter(FieldRules::KeyFilter filter) { m_filter = filter; }

    // With Enter handling on, Enter emits enterPressed() and is discarded; off, Enter does nothing here.
    void setEnterHandling(bool on) { m_enterHandling = on; }

    // Shows the raw text or the pattern, whichever the focus calls for (after a locale change, say).
    void refreshDisplay();

    static bool isWindowActivation(Qt::FocusReason reason)
    {
        return reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason;
    }

signals:
    void enterPressed();
    // The text was changed from outside while the field had no focus; its tag is the text it had.
    void changedWithoutFocus();
    // Typed or pasted text was refused because the field cannot store some of its characters (outside
    // the code page, or a double quote in a text field); `refused` is what the user tried to put in.
    void unstorableRefused(const QString &refused);

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void onTextChanged(const QString &text);
    void showText(const QString &text);
    bool showsRaw() const;

    QString m_raw;
    QString m_tag;
    QString m_pattern;
    DisplayFormat m_format = nullptr;
    int m_maxTyped = 32767;
    FieldRules::KeyFilter m_filter = FieldRules::KeyFilter::None;
    bool m_enterHandling = false;
    bool m_showing = false; // the field itself is setting the text it shows
};
