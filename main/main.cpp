#include "main/quorvel_main.h"
#include "calibration/linux_power_supply.h"
#include "drive/linux_drive_reader.h"

int main(int argc, char** argv)
{
    LinuxDriveReader driveReader;
    LinuxPowerSupply powerSupply;
    return RunQuorvel(argc, argv, {"quorvel", driveReader, powerSupply, QStringLiteral("Quorvel"), "/sys"});
}
