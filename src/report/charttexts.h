#pragma once

#include <QList>
#include <QStringList>

// The texts a chart draws in one role (its Item has `role` and `text`), in the order they are drawn.
template<typename Item, typename Role>
QStringList chartTextsOfRole(const QList<Item> &items, Role role)
{
    QStringList found;
    for (const Item &item : items) {
        if (item.role == role)
            found.append(item.text);
    }
    return found;
}
