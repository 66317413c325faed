#pragma once

#include <QAccessible>

// Assistive technology takes a widget's role from its Qt class: a window made of a plain QWidget reads
// as a filler, a panel without meaning, and so does a picture painted by a widget. Every widget whose own
// class is `widgetClass` gets `role` instead (QAccessible::Window is a frame to a screen reader). Call it
// in the class's constructor before anything is set on the widget: the role is fixed the first time
// something asks for it.
void setAccessibleRole(const QMetaObject &widgetClass, QAccessible::Role role);
