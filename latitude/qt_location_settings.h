#pragma once

#include "latitude/location_codes.h"

#include <QSettings>

// The user's location codes beside the calibration value: group "Standort", keys
// "Landeskennzahl" (49) and "Ortskennzahl" (089). Linux has no telephony location.
class QtLocationSettings : public ILocationSource {
public:
    QtLocationSettings(const QString& strOrganization, const QString& strApplication);
    explicit QtLocationSettings(const QString& strIniFile);

    // Fails unless "Landeskennzahl" is there; a missing "Ortskennzahl" is an empty city code.
    std::optional<LocationCodes> QueryLocation() override;

private:
    QSettings m_settings;
};
