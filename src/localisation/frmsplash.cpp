#include "localisation/frmsplash.h"

#include <QGuiApplication>
#include <QProgressBar>
#include <QScreen>
#include <QVBoxLayout>

#include <cmath>
#include <limits>

namespace {
// More steps than a progress bar has pixels.
constexpr int VisibleSteps = 500;
} // namespace

frmSplash::frmSplash(QWidget *parent)
    : QWidget(parent, Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus),
      m_progressBar(new QProgressBar(this))
{
    setObjectName(QStringLiteral("frmSplash"));
    setAttribute(Qt::WA_ShowWithoutActivating);
    setFocusPolicy(Qt::NoFocus);
    m_progressBar->setObjectName(QStringLiteral("ProgressBar1"));
    m_progressBar->setFocusPolicy(Qt::NoFocus);
    m_progressBar->setRange(0, 0);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 8, 8, 8);
    layout->addWidget(m_progressBar);
    resize(320, 40);
}

void frmSplash::start(double maximum)
{
    // The bar counts whole pairs: an odd data length gives a fractional half, whose last pair is
    // counted too, so the maximum is rounded up.
    int top = 0;
    if (std::isfinite(maximum) && maximum > 0)
        top = maximum >= double(std::numeric_limits<int>::max()) ? std::numeric_limits<int>::max()
                                                                   : int(std::ceil(maximum));
    m_progressBar->setRange(0, top);
    m_progressBar->setValue(0);
    m_value = m_shown = 0;
    m_step = qMax(1, top / VisibleSteps);
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    show();
}

void frmSplash::setValue(int value)
{
    // QProgressBar asks the style for its geometry on every new value to decide whether to repaint,
    // which costs far more than decoding one character; so only values that move the bar by a visible
    // step (and the last one) reach it.
    m_value = qBound(m_progressBar->minimum(), value, m_progressBar->maximum());
    if (m_value == m_progressBar->maximum() || m_value < m_shown || m_value - m_shown >= m_step) {
        m_progressBar->setValue(m_value);
        m_shown = m_value;
    }
}

void frmSplash::finish()
{
    hide();
}
