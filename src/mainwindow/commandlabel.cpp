#include "mainwindow/commandlabel.h"

#include <QMouseEvent>

CommandLabel::CommandLabel(QWidget *parent)
    : QLabel(parent)
{
    setCursor(Qt::PointingHandCursor);
    setMouseTracking(true);
    // Being its own buddy makes "&" in a caption mark the access key instead of showing literally;
    // the access key then runs the command (see event()).
    setBuddy(this);
}

bool CommandLabel::event(QEvent *event)
{
    if (event->type() == QEvent::Shortcut) {
        emit clicked();
        return true;
    }
    return QLabel::event(event);
}

void CommandLabel::setPressFeedback(bool on)
{
    m_pressFeedback = on;
    if (on)
        setForeColour(LinkColour);
}

void CommandLabel::setHoverUnderline(bool on)
{
    m_hoverUnderline = on;
}

QColor CommandLabel::foreColour() const
{
    return palette().color(QPalette::WindowText);
}

void CommandLabel::setForeColour(const QColor &colour)
{
    QPalette p = palette();
    p.setColor(QPalette::WindowText, colour);
    setPalette(p);
}

void CommandLabel::setUnderlined(bool on)
{
    if (font().underline() == on)
        return;
    QFont f = font();
    f.setUnderline(on);
    setFont(f);
}

void CommandLabel::mousePressEvent(QMouseEvent *event)
{
    if (m_pressFeedback)
        setForeColour(PressedColour);
    m_pressed = event->button() == Qt::LeftButton;
    event->accept();
}

void CommandLabel::mouseReleaseEvent(QMouseEvent *event)
{
    if (m_pressFeedback)
        setForeColour(LinkColour);
    const bool click = m_pressed && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint());
    m_pressed = false;
    event->accept();
    if (click)
        emit clicked();
}

void CommandLabel::mouseMoveEvent(QMouseEvent *event)
{
    if (m_hoverUnderline)
        setUnderlined(true);
    // Accepted, so that the move does not reach the window, which would take the underline away again.
    event->accept();
}
