#pragma once

#include "calibration/power_status.h"

#include <string>

// The power supplies in sysfs: on mains when a supply of type Mains (not one
// that powers only a device) reports online 1. No readable Mains supply is a
// failed query; desktops and virtual machines often have none.
class LinuxPowerSupply : public IPowerStatus {
public:
    explicit LinuxPowerSupply(std::string strSysRoot = "/sys") : m_strSysRoot(std::move(strSysRoot)) {}
    std::optional<bool> OnMains() override;

private:
    std::string m_strSysRoot;
};
