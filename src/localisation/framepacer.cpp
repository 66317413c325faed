#include "localisation/framepacer.h"

FramePacer::FramePacer(Clock clock) : m_clock(std::move(clock))
{
    if (!m_clock)
        m_timer.start();
    m_lastPass = now();
}

qint64 FramePacer::now() const
{
    return m_clock ? m_clock() : m_timer.elapsed();
}

bool FramePacer::due()
{
    const qint64 time = now();
    if (time - m_lastPass < FrameMilliseconds)
        return false;
    m_lastPass = time;
    return true;
}
