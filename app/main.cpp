#include "app/quorvel_main.h"
#include "drive/linux_drive_reader.h"

int main(int argc, char** argv)
{
    LinuxDriveReader driveReader;
    return RunQuorvel(argc, argv, driveReader, QStringLiteral("Quorvel"));
}
