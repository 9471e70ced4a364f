#pragma once

#include <string>

enum : int {
    READ_MODEL_OK = 0,
    READ_MODEL_NO_DEVICE = 10,
    READ_MODEL_IOCTL_FAILED = 11,
};

// Reads the model string of the first fixed disk from its identify data.
class IDriveModelReader {
public:
    virtual ~IDriveModelReader() = default;

    // Returns a READ_MODEL_ code. On READ_MODEL_OK strModel holds the decoded,
    // trimmed model bytes (40 at most) and strError is untouched; otherwise
    // strModel is untouched and strError holds the message the user must see
    // (strings 101 or 102 filled in), or stays empty when there is nothing to show.
    virtual int ReadDriveModel(std::string& strModel, std::string& strError) = 0;
};
