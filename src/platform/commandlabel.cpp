#include "platform/commandlabel.h"

#include "localisation/captions.h"

#include <QAccessibleWidget>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

namespace {

// What assistive technology sees of a command label: a button with a Press action while it takes the
// focus, else a picture or a text. The role is read at each call, because the interface is made the
// first time anything asks for it, which may be before the window has made the label a command.
class CommandLabelAccessible : public QAccessibleWidget
{
public:
    explicit CommandLabelAccessible(CommandLabel *label)
        : QAccessibleWidget(label)
    {
    }

    QAccessible::Role role() const override
    {
        if (label()->isKeyboardCommand())
            return QAccessible::Button;
        return label()->pixmap().isNull() ? QAccessible::StaticText : QAccessible::Graphic;
    }

    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Name && label()->accessibleName().isEmpty())
            return withoutAccessKey(label()->text()).trimmed();
        if (t == QAccessible::Accelerator && !label()->shortcutKey().isEmpty())
            return label()->shortcutKey().toString(QKeySequence::NativeText);
        return QAccessibleWidget::text(t);
    }

    QStringList actionNames() const override
    {
        QStringList names = QAccessibleWidget::actionNames();
        if (label()->isKeyboardCommand())
            names.prepend(pressAction());
        return names;
    }

    void doAction(const QString &action) override
    {
        // Queued: the command may open a modal window, which must not hold up the caller's request.
        if (action == pressAction() && label()->isKeyboardCommand())
            QMetaObject::invokeMethod(label(), &CommandLabel::click, Qt::QueuedConnection);
        else
            QAccessibleWidget::doAction(action);
    }

    QStringList keyBindingsForAction(const QString &action) const override
    {
        if (action == pressAction() && !label()->shortcutKey().isEmpty())
            return {label()->shortcutKey().toString(QKeySequence::NativeText)};
        return QAccessibleWidget::keyBindingsForAction(action);
    }

private:
    CommandLabel *label() const { return static_cast<CommandLabel *>(widget()); }
};

QAccessibleInterface *commandLabelAccessible(const QString &className, QObject *object)
{
    if (!object || !object->isWidgetType() || className != QLatin1String(CommandLabel::staticMetaObject.className()))
        return nullptr;
    return new CommandLabelAccessible(static_cast<CommandLabel *>(object));
}

} // namespace

CommandLabel::CommandLabel(QWidget *parent)
    : QLabel(parent)
{
    static const bool accessibleInstalled = (QAccessible::installFactory(commandLabelAccessible), true);
    Q_UNUSED(accessibleInstalled)
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

void CommandLabel::paintEvent(QPaintEvent *event)
{
    QLabel::paintEvent(event);
    if (!hasFocus())
        return;
    // Drawn here rather than by the style: the styles' focus frames are faint or dotted in the panel's own
    // colours and hardly show on the white task pane. A frame in the link colour does, in every style.
    QPainter painter(this);
    painter.setPen(LinkColour);
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

void CommandLabel::keyPressEvent(QKeyEvent *event)
{
    const bool plain = !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier));
    if (!isKeyboardCommand() || !plain)
        return QLabel::keyPressEvent(event);
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
        if (!event->isAutoRepeat())
            emit clicked();
        break;
    case Qt::Key_Up:
    case Qt::Key_Left:
        focusNeighbour(false);
        break;
    case Qt::Key_Down:
    case Qt::Key_Right:
        focusNeighbour(true);
        break;
    default:
        return QLabel::keyPressEvent(event);
    }
    event->accept();
}

void CommandLabel::focusNeighbour(bool next)
{
    // The nearest command along the window's focus chain: the commands of a pane follow each other there,
    // so the arrows stay among them (the fields in between are passed over) and wrap around at the end.
    for (QWidget *w = next ? nextInFocusChain() : previousInFocusChain(); w && w != this;
         w = next ? w->nextInFocusChain() : w->previousInFocusChain()) {
        auto *command = qobject_cast<CommandLabel *>(w);
        if (command && command->isKeyboardCommand() && command->isVisibleTo(window()) && command->isEnabled()) {
            command->setFocus(next ? Qt::TabFocusReason : Qt::BacktabFocusReason);
            return;
        }
    }
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
