#include "latitude/qt_location_settings.h"

namespace {

const QString s_strCountryKey = QStringLiteral("Standort/Landeskennzahl");
const QString s_strCityKey = QStringLiteral("Standort/Ortskennzahl");

// A value typed into the INI file by hand; a list or a number in another form is no code.
std::optional<std::string> TextValue(const QSettings& settings, const QString& strKey)
{
    const QVariant value = settings.value(strKey);
    if (value.typeId() != QMetaType::QString)
        return std::nullopt;
    return value.toString().toStdString();
}

} // namespace

QtLocationSettings::QtLocationSettings(const QString& strOrganization, const QString& strApplication)
    : m_settings(strOrganization, strApplication)
{
}

QtLocationSettings::QtLocationSettings(const QString& strIniFile) : m_settings(strIniFile, QSettings::IniFormat) {}

std::optional<LocationCodes> QtLocationSettings::QueryLocation()
{
    // Each visit reads what the user may have changed since.
    m_settings.sync();
    if (m_settings.status() != QSettings::NoError)
        return std::nullopt;
    const std::optional<std::string> strCountry = TextValue(m_settings, s_strCountryKey);
    if (!strCountry)
        return std::nullopt;
    std::optional<std::string> strCity = std::string();
    if (m_settings.contains(s_strCityKey))
        strCity = TextValue(m_settings, s_strCityKey);
    if (!strCity)
        return std::nullopt;
    LocationCodes codes{*strCountry, *strCity};
    if (!IsValidLocation(codes))
        return std::nullopt;
    return codes;
}
