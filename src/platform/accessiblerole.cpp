#include "platform/accessiblerole.h"

#include <QAccessibleWidget>
#include <QHash>
#include <QWidget>

namespace {

QHash<QString, QAccessible::Role> &roles()
{
    static QHash<QString, QAccessible::Role> byClass;
    return byClass;
}

// Asked for every class of a widget, its own first, before Qt's own factory.
QAccessibleInterface *roleFactory(const QString &className, QObject *object)
{
    const auto role = roles().constFind(className);
    if (role == roles().cend() || !object || !object->isWidgetType())
        return nullptr;
    return new QAccessibleWidget(static_cast<QWidget *>(object), *role);
}

} // namespace

void setAccessibleRole(const QMetaObject &widgetClass, QAccessible::Role role)
{
    if (roles().isEmpty())
        QAccessible::installFactory(roleFactory);
    roles().insert(QString::fromLatin1(widgetClass.className()), role);
}
