#pragma once

#include "calibration/power_status.h"
#include "drive/drive_model_reader.h"

#include <QString>

#include <string>

// The hardware and the settings scope a Quorvel executable runs with.
struct QuorvelPlatform {
    // The executable's name, as --help and --version give it.
    const char* pszProgram;
    IDriveModelReader& driveReader;
    IPowerStatus& powerStatus;
    // The settings' application name under the organisation "Valdrin".
    QString strSettingsApplication;
    // Where the kernel's sysfs is mounted: the keyboard LEDs are read below it.
    std::string strSysfsRoot;
};

// Runs the program; returns the process's exit code.
int RunQuorvel(int argc, char** argv, const QuorvelPlatform& platform);
