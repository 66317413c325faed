#include "report/savingspicture.h"

#include "platform/accessiblerole.h"

#include <QPainter>

namespace {
QString pictureName(GraphLanguage language, int application)
{
    static const char *const prefixes[] = {"imgPT_", "imgES_", "imgEN_"};
    return QLatin1String(prefixes[static_cast<int>(language)]) + QString::number(application);
}
} // namespace

SavingsPicture::SavingsPicture(GraphLanguage language, int application, QWidget *parent)
    : QWidget(parent), m_chart(language, application)
{
    setAccessibleRole(staticMetaObject, QAccessible::Chart);
    setObjectName(pictureName(language, application));
    setFixedSize(PictureSize);
    setAttribute(Qt::WA_OpaquePaintEvent);
    // A screen reader cannot see the picture: it reads the title and the values drawn.
    setAccessibleName(chartTitle(language, application));
    setAccessibleDescription(chartDescription(language, application, locale()));
}

void SavingsPicture::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    m_chart.paint(painter);
}
