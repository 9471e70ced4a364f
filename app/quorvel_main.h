#pragma once

#include "drive/drive_model_reader.h"

#include <QString>

// Runs the program with the given drive and the settings of the given application
// name under the organisation "Valdrin"; returns the process's exit code.
int RunQuorvel(int argc, char** argv, IDriveModelReader& driveReader, const QString& strSettingsApplication);
