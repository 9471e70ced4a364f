#include "main/quorvel_main.h"
#include "drive/simulated_drive_reader.h"

// Quorvel with a simulated notebook drive on battery and settings of its own,
// so that it runs anywhere and never touches the real program's calibration.
int main(int argc, char** argv)
{
    SimulatedDriveReader driveReader;
    BatteryPowerStatus battery;
    return RunQuorvel(argc, argv, {"quorvel-demo", driveReader, battery, QStringLiteral("Quorvel-Demo"), "/sys"});
}
