#pragma once

#include <QLatin1String>
#include <QStringList>

// The fixed items of the setup window's selectors and its defaults, kept here so that the window, the
// tests and the other readers of the stored company share them.

// Currency symbols of cboMoeda, in their order.
const QStringList &setupCurrencies();

// Countries of cboPais: eight featured countries, the separator item, then the full list in its order
// (which repeats the featured ones). 238 items.
const QStringList &setupCountries();

inline constexpr int FeaturedCountryCount = 8;

// The setup window's own defaults, shown in a field whose value is not stored. Independent of the
// company block's defaults.
namespace SetupDefaults {
inline constexpr QLatin1String txtNome("Varnel Drives");
inline constexpr QLatin1String txtFone("+1 555 0100");
inline constexpr QLatin1String txtFax("+1 555 0101");
inline constexpr QLatin1String txtEndereco("100 Example Avenue");
inline constexpr QLatin1String txtCidade("Springfield");
inline constexpr QLatin1String txtEstado("ST");
inline constexpr QLatin1String txtCep("00000");
inline constexpr QLatin1String cboPais("USA");
} // namespace SetupDefaults

// The company's country as stored by the setup window (cboPais), else the window's default country.
QString storedCountry();
