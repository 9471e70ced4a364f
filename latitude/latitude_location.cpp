#include "latitude/latitude_location.h"

#include "latitude/area_code_lookup.h"

namespace {

constexpr double DEFAULT_BASE = 51.1;
constexpr double DEFAULT_SCALE = 75.0;
constexpr double AREA_CODE_SCALE = 6.5;
// With these the run stops after about two minutes as implausible.
constexpr double WRONG_DIRECTION_BASE = 37.0;
constexpr double WRONG_DIRECTION_SCALE = 75.0;

} // namespace

void LatitudeLocation::Determine(ILocationSource& source, AreaCodeTableCache& tables, int nDirection,
                                 int nModelDirection)
{
    if (const std::optional<LocationCodes> codes = source.QueryLocation()) {
        m_strCountryCode = codes->strCountryCode;
        m_strCityCode = codes->strCityCode;
    }

    const std::string strCountry =
        m_strCountryCode.size() > 2 ? m_strCountryCode.substr(m_strCountryCode.size() - 2) : m_strCountryCode;
    if (strCountry == "41")
        Set(46.82, 27.0);
    else if (strCountry == "43")
        Set(47.7, 36.0);
    else if (strCountry == "49" && !m_strCityCode.empty())
        LookUpAreaCode(tables);
    else
        Set(DEFAULT_BASE, DEFAULT_SCALE);

    if (nDirection != nModelDirection)
        Set(WRONG_DIRECTION_BASE, WRONG_DIRECTION_SCALE);
}

void LatitudeLocation::LookUpAreaCode(AreaCodeTableCache& tables)
{
    const AreaCodeTables* pTables = tables.Get();
    const std::optional<std::size_t> nEntry =
        pTables ? FindAreaCodeEntry(pTables->List(), m_strCityCode) : std::nullopt;
    if (nEntry && *nEntry < pTables->Count())
        Set(pTables->Latitude(*nEntry), AREA_CODE_SCALE);
    else
        Set(DEFAULT_BASE, DEFAULT_SCALE);
}

void LatitudeLocation::Set(double dBase, double dScale)
{
    m_dLatitudeBase = dBase;
    m_dLatitudeScale = dScale;
}
