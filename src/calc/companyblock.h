#pragma once

#include <QString>

// The ready-made company lines printed in the report and export headers, the web link of the main
// window and the default kWh price. Filled from the settings store by LoadCompanyBlock.
struct CompanyBlock
{
    QString CompanyName;
    QString Street;
    QString CityLine;
    QString PhoneLine; // "Phone: ..." or empty
    QString FaxLine;   // "Fax: ..." or empty
    QString VisitText;
    QString WebAddress;
    double DefaultKwhPrice = 0.0;
};
