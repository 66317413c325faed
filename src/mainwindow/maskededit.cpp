#include "mainwindow/maskededit.h"

#include "calc/numberformat.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QScopedValueRollback>

#include <algorithm>

MaskedEdit::MaskedEdit(QWidget *parent)
    : QLineEdit(parent)
{
    connect(this, &QLineEdit::textChanged, this, &MaskedEdit::onTextChanged);
}

void MaskedEdit::setRawText(const QString &text)
{
    m_raw = text;
    refreshDisplay();
}

void MaskedEdit::setDisplayPattern(const QString &pattern)
{
    m_pattern = pattern;
    refreshDisplay();
}

void MaskedEdit::setDisplayFormat(DisplayFormat format)
{
    m_format = format;
    refreshDisplay();
}

bool MaskedEdit::showsRaw() const
{
    // The window's focus widget keeps its raw text while another window is active.
    return hasFocus() || (window() && window()->focusWidget() == this && !window()->isActiveWindow());
}

void MaskedEdit::refreshDisplay()
{
    QString shown = m_raw;
    if (!showsRaw() && m_format)
        shown = m_format(m_raw, locale());
    else if (!showsRaw() && !m_pattern.isEmpty())
        shown = NumberFormat::formatText(m_raw, m_pattern, locale());
    if (QLineEdit::text() != shown)
        showText(shown);
}

void MaskedEdit::showText(const QString &text)
{
    const QScopedValueRollback showing(m_showing, true);
    QLineEdit::setText(text);
}

void MaskedEdit::onTextChanged(const QString &text)
{
    if (m_showing)
        return;
    // Every other change passes here (see the class comment). One that grows the text beyond the typed
    // limit, or that brings in what the field cannot store (a double quote in a text field, a character
    // outside the code page), is taken back; a read-only field takes back every one.
    const bool refusedPaste =
        !FieldRules::textStorable(m_filter, text) && FieldRules::textStorable(m_filter, m_raw);
    if (isReadOnly() || (text.size() > m_maxTyped && text.size() > m_raw.size()) || refusedPaste) {
        const int cursor = cursorPosition() - int(text.size() - m_raw.size());
        refreshDisplay();
        setCursorPosition(qMax(cursor, 0));
        if (refusedPaste)
            emit unstorableRefused(text);
        return;
    }
    const QString before = m_raw;
    m_raw = text;
    if (showsRaw())
        return;
    m_tag = before;
    refreshDisplay();
    emit changedWithoutFocus();
}

void MaskedEdit::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        if (m_enterHandling) {
            event->accept();
            emit enterPressed();
        } else {
            QLineEdit::keyPressEvent(event);
        }
        return;
    }
    // A character beyond 16 bits (an emoji) comes as a surrogate pair: judge the whole character.
    const QString typed = event->text();
    const bool printable = !typed.isEmpty() && QChar::isPrint(typed.toUcs4().constFirst())
                           && !(event->modifiers() & (Qt::ControlModifier | Qt::MetaModifier));
    if (printable && !std::all_of(typed.cbegin(), typed.cend(),
                                  [this](QChar c) { return FieldRules::keyPasses(m_filter, c); })) {
        if (!FieldRules::textStorable(m_filter, typed))
            emit unstorableRefused(typed);
        event->accept();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

void MaskedEdit::focusInEvent(QFocusEvent *event)
{
    refreshDisplay();
    QLineEdit::focusInEvent(event);
}

void MaskedEdit::focusOutEvent(QFocusEvent *event)
{
    QLineEdit::focusOutEvent(event);
    if (!isWindowActivation(event->reason()))
        refreshDisplay();
}

void MaskedEdit::changeEvent(QEvent *event)
{
    QLineEdit::changeEvent(event);
    if (event->type() == QEvent::LocaleChange)
        refreshDisplay();
}
