#pragma once

#include "platform/shell.h"

// Opens documents and web addresses with QDesktopServices.
class QtShell : public Shell
{
public:
    void open(const QString &target) override;
};
