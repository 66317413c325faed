#pragma once

#include <QColor>
#include <QKeySequence>
#include <QLabel>

// A label used as a command: clicking it (press and release over it) emits clicked(). With feedback
// on, a press turns the caption white and the release blue again, and with hover underline on,
// moving the pointer over it underlines the caption until the window removes it (removeUnderline()).
// Without feedback it is a plain clickable picture or caption.
//
// A label that takes the focus (KeyboardAccess gives the commands Tab focus) is a button for the
// keyboard and for assistive technology: it draws the focus frame, Enter and Space run it, the arrow
// keys move to the previous or next command, and a screen reader sees a button named by its caption,
// with a Press action and its shortcut. A label without focus, a command's picture, is a graphic named
// by its accessible name.
class CommandLabel : public QLabel
{
    Q_OBJECT
    Q_PROPERTY(bool pressFeedback READ pressFeedback WRITE setPressFeedback)
    Q_PROPERTY(bool hoverUnderline READ hoverUnderline WRITE setHoverUnderline)
public:
    static inline const QColor LinkColour{0, 84, 227};
    static inline const QColor PressedColour{255, 255, 255};

    explicit CommandLabel(QWidget *parent = nullptr);

    void setPressFeedback(bool on);
    bool pressFeedback() const { return m_pressFeedback; }
    void setHoverUnderline(bool on);
    bool hoverUnderline() const { return m_hoverUnderline; }

    QColor foreColour() const;
    void setForeColour(const QColor &colour);
    bool isUnderlined() const { return font().underline(); }
    void setUnderlined(bool on);
    void removeUnderline() { setUnderlined(false); }

    // The key that runs the command from anywhere in the window, as assistive technology announces it.
    QKeySequence shortcutKey() const { return m_shortcutKey; }
    void setShortcutKey(const QKeySequence &key) { m_shortcutKey = key; }
    bool isKeyboardCommand() const { return focusPolicy() != Qt::NoFocus; }

public slots:
    void click() { emit clicked(); }

signals:
    void clicked();

protected:
    bool event(QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;

private:
    void focusNeighbour(bool next);

    bool m_pressFeedback = false;
    bool m_hoverUnderline = false;
    bool m_pressed = false;
    QKeySequence m_shortcutKey;
};
