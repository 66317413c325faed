#pragma once

#include <QString>

// Asks the desktop to open a document or a web address. Failures are not reported.
class Shell
{
public:
    virtual ~Shell() = default;
    virtual void open(const QString &target) = 0;
};
