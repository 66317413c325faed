#include "settings/modcadastrovarnel.h"

#include "settings/regkeys.h"

namespace {

QString stored(QLatin1String valueName)
{
    return GetKeyValue(RegHive::LocalMachine, SettingsKeyPath, valueName);
}

QString storedOr(QLatin1String valueName, QLatin1String fallback)
{
    const QString value = stored(valueName);
    return value.isEmpty() ? QString(fallback) : value;
}

} // namespace

QString LoadCompanyBlock(CompanyBlock &block)
{
    namespace D = CompanyBlockDefaults;
    block.CompanyName = storedOr(RegValue::txtNome, D::CompanyName);
    block.Street = storedOr(RegValue::txtEndereco, D::Street);
    block.CityLine = storedOr(RegValue::txtCidade, D::City) + QLatin1String(", ")
                     + storedOr(RegValue::txtEstado, D::State) + QLatin1Char(' ')
                     + storedOr(RegValue::txtCep, D::PostalCode) + QLatin1String(" - ") + stored(RegValue::cboPais);

    const QString phone = stored(RegValue::txtFone);
    if (!phone.isEmpty())
        block.PhoneLine = QLatin1String("Phone: ") + phone;
    const QString fax = stored(RegValue::txtFax);
    if (!fax.isEmpty())
        block.FaxLine = QLatin1String("Fax: ") + fax;

    block.VisitText = D::VisitText;
    block.WebAddress = D::WebAddress;
    block.DefaultKwhPrice = D::KwhPrice;
    return readStoredCurrency();
}
