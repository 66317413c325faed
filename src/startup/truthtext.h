#pragma once

#include <QString>
#include <optional>

// A stored text read as a truth value the way users of the settings store expect: "True" and "False"
// in any letter case, and numbers (0 is false, any other number true). Anything else gives nothing.
std::optional<bool> truthFromText(const QString &text);
