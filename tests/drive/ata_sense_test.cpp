#include "drive/ata_sense.h"

#include <gtest/gtest.h>

#include <vector>

TEST(LinuxAtaSense, FindsTheErrorRegisterInFixedOrDescriptorSenseOrGivesZero)
{
    const auto ErrorOf = [](const std::vector<unsigned char>& sense) {
        return AtaErrorFromSense(sense.data(), sense.size());
    };
    // Fixed format with the VALID bit that libata sets: error 04h (ABRT).
    EXPECT_EQ(ErrorOf({0xF0, 0, 0x0B, 0x04, 0x51, 0x40, 0x01, 10, 0, 0, 0, 0, 0, 0}), 0x04u);
    EXPECT_EQ(ErrorOf({0x70, 0, 0x05}), 0u) << "fixed, too short";
    // Descriptor format: an information descriptor, then ATA Status Return with error 10h.
    EXPECT_EQ(ErrorOf({0x72, 0x0B, 0, 0, 0, 0, 0, 26, 0x00, 0x0A, 0x80, 0x33, 0, 0, 0, 0, 0, 0, 0, 0,
                       0x09, 0x0C, 0x00, 0x10, 0, 0x01, 0, 0, 0, 0, 0, 0, 0x40, 0x51}),
              0x10u);
    EXPECT_EQ(ErrorOf({0x72, 0x05, 0x20, 0, 0, 0, 0, 12, 0x00, 0x0A, 0x80, 0x33, 0, 0, 0, 0, 0, 0, 0, 0}), 0u)
        << "no ATA Status Return";
    EXPECT_EQ(ErrorOf({0x72, 0x0B, 0, 0, 0, 0, 0, 14, 0x09, 0x0C, 0x00}), 0u) << "descriptor cut short";
    EXPECT_EQ(ErrorOf({0x7F, 0, 0, 0x04}), 0u) << "vendor-specific format";
    EXPECT_EQ(AtaErrorFromSense(nullptr, 0), 0u);
}
