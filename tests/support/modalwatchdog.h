#pragma once

#include <QObject>
#include <QPointer>
#include <QStringList>
#include <QWidget>

#include <functional>
#include <memory>
#include <vector>

// Judges every modal window shown while it lives, from the window's show event, never by polling:
// a window of a class the running test expects is answered by the test's own function, any other one
// is closed and its title remembered, so that a test fails instead of hanging. Both run once the window
// has entered its own event loop (a queued call made at its show event), so they cannot race each
// other or the code that shows the window. Create one per test function; check `unexpected` at the end
// (QVERIFY).
class ModalWatchdog : public QObject
{
    Q_OBJECT
public:
    struct Expected
    {
        const QMetaObject *type;
        std::function<void(QWidget *)> answer;
    };
    // Keeps an expectation alive; the watchdog forgets it when the last copy is destroyed.
    using Expectation = std::shared_ptr<const Expected>;

    explicit ModalWatchdog(QObject *parent = nullptr);
    ~ModalWatchdog() override;

    // Every modal window of class T (or derived from it) shown while the returned expectation lives is
    // answered by `answer` and never counts as unexpected.
    template <class T>
    [[nodiscard]] Expectation expect(std::function<void(T *)> answer)
    {
        auto expected = std::make_shared<const Expected>(
            Expected{&T::staticMetaObject, [answer](QWidget *window) { answer(static_cast<T *>(window)); }});
        m_expected.push_back(expected);
        return expected;
    }

    QStringList unexpected;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void judge(const QPointer<QWidget> &window);
    std::vector<std::weak_ptr<const Expected>> m_expected;
};
