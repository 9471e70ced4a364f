#pragma once

#include "drive/drive_model_reader.h"

// A notebook drive that is always there, for the demo program.
class SimulatedDriveReader : public IDriveModelReader {
public:
    int ReadDriveModel(std::string& strModel, std::string&) override
    {
        strModel = "TOSHIBA MK4019GAX";
        return READ_MODEL_OK;
    }
};
