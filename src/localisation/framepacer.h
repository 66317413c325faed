#pragma once

#include <QElapsedTimer>

#include <functional>

// Decides when a long loop on the GUI thread lets the window catch up: once a display frame's time has
// passed since the last pass. Updating a progress bar and running pending events after every step of a
// decoding loop costs far more than the step itself; at display rate the window looks and answers the
// same.
class FramePacer
{
public:
    // Milliseconds on a steady clock from any fixed origin; tests give their own.
    using Clock = std::function<qint64()>;
    static constexpr qint64 FrameMilliseconds = 16;

    // Without a clock the pacer times itself with QElapsedTimer. The first frame starts now.
    explicit FramePacer(Clock clock = {});

    // True once a frame's time has passed since the last pass (or since construction); the pass starts
    // a new frame.
    bool due();

private:
    qint64 now() const;

    Clock m_clock;
    QElapsedTimer m_timer;
    qint64 m_lastPass = 0;
};
