#pragma once

#include "platform/shell.h"

#include <QStringList>

// Records what the program asked the desktop to open.
class FakeShell : public Shell
{
public:
    void open(const QString &target) override { opened.append(target); }
    QStringList opened;
};
