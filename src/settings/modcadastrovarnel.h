#pragma once

#include "calc/companyblock.h"

#include <QLatin1String>
#include <QString>

// The company block's own defaults, used for a company value that is not stored. They are independent
// of the setup window's defaults. There is no default phone, fax or country.
namespace CompanyBlockDefaults {
inline constexpr QLatin1String CompanyName("Varnel Drives");
inline constexpr QLatin1String Street("100 Example Avenue");
inline constexpr QLatin1String City("Springfield");
inline constexpr QLatin1String State("ST");
inline constexpr QLatin1String PostalCode("00000");
inline constexpr QLatin1String VisitText("Visit us at www.varnel.example");
inline constexpr QLatin1String WebAddress("http://www.varnel.example");
inline constexpr double KwhPrice = 0.08;
} // namespace CompanyBlockDefaults

// Fills `block` from the settings store (module modCadastroVarnel):
//   CompanyName, Street   the stored value or the default;
//   CityLine              city ", " state " " postal code " - " country, each stored or default
//                         (no country stored: the line ends in " - ");
//   PhoneLine, FaxLine    "Phone: " / "Fax: " and the stored value; left as they were when none is stored;
//   VisitText, WebAddress the defaults; DefaultKwhPrice 0.08.
// Returns the stored currency through the common currency rule, for the main window's cboMoedas.
QString LoadCompanyBlock(CompanyBlock &block);
