#pragma once

#include <string>

// The per-user store of the one persistent value, "Daten"/"Kalibrierung".
class ISettingsStore {
public:
    virtual ~ISettingsStore() = default;

    // The stored value; "" when it is missing or cannot be read.
    virtual std::string ReadCalibration() = 0;

    // Writes the value and flushes it at once; failures are not reported.
    virtual void WriteCalibration(const std::string& strValue) = 0;
};
