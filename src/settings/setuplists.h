#pragma once

#include <QStringList>

// The fixed items of the setup window's selectors, kept here so that the window and the tests share them.

// Currency symbols of cboMoeda, in their order.
const QStringList &setupCurrencies();

// Countries of cboPais: eight featured countries, the separator item, then the full list in its order
// (which repeats the featured ones). 238 items.
const QStringList &setupCountries();

inline constexpr int FeaturedCountryCount = 8;
