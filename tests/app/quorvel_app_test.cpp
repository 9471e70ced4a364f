#include "app/page_index.h"
#include "drive/rotation_direction.h"
#include "fakes.h"
#include "resources/string_ids.h"
#include "resources/string_table.h"

#include <gtest/gtest.h>

namespace {

struct StartedApp : FakeAppHarness {
    // Starts up with the given model and stored value.
    bool Start(const std::string& strModel, const std::string& strStored)
    {
        drive.strModel = strModel;
        settings.strValue = strStored;
        return app.InitInstance();
    }
};

} // namespace

TEST(InitInstance, UnreadableDriveShowsTheReadersTextThenUnknownDriveAndEnds)
{
    StartedApp t;
    t.drive.nResult = READ_MODEL_NO_DEVICE;
    t.drive.strError = FormatString(IDS_DEVICE_OPEN_FAILED, "/dev/sda", 19u);
    EXPECT_FALSE(t.app.InitInstance());

    ASSERT_EQ(t.messageBox.shown.size(), 2u);
    EXPECT_EQ(t.messageBox.shown[0].strText, "Kann Geraet/Treiber '/dev/sda' nicht öffnen, Fehler 19");
    EXPECT_EQ(t.messageBox.shown[0].icon, MessageIcon::Error);
    EXPECT_EQ(t.messageBox.shown[1].strText, "Unbekannter Festplattentyp. Keine Navigation möglich.");
    EXPECT_EQ(t.messageBox.shown[1].icon, MessageIcon::None);
    EXPECT_EQ(t.messageBox.shown[1].buttons, MessageButtons::Ok);
    EXPECT_EQ(t.nFramesCreated, 0);
    EXPECT_EQ(t.settings.nReads, 0);
    EXPECT_EQ(t.app.m_strModel, "");
    EXPECT_FALSE(t.app.m_bSupported);
}

TEST(InitInstance, FailureWithoutTextShowsOnlyUnknownDrive)
{
    StartedApp t;
    t.drive.nResult = READ_MODEL_IOCTL_FAILED;
    EXPECT_FALSE(t.app.InitInstance());
    ASSERT_EQ(t.messageBox.shown.size(), 1u);
    EXPECT_EQ(t.messageBox.shown[0].strText, LoadString(IDS_DRIVE_UNKNOWN));
}

TEST(InitInstance, SupportedDriveReadsTheStoredCalibration)
{
    struct Case {
        const char* pszStored;
        bool bCalibrated;
        int nDirection;
    };
    for (const Case& c : {Case{"", false, +1}, Case{"lhqzkvmdbxeqwtyrop", true, -1}, Case{"r", true, +1},
                          Case{"Rabc", true, -1}}) {
        StartedApp t;
        EXPECT_TRUE(t.Start("toshiba mk4019gax", c.pszStored)) << c.pszStored;
        EXPECT_EQ(t.app.m_strModel, "TOSHIBA MK4019GAX");
        EXPECT_TRUE(t.app.m_bSupported);
        EXPECT_EQ(t.app.m_bCalibrated, c.bCalibrated) << c.pszStored;
        EXPECT_EQ(t.app.m_nDirection, c.nDirection) << c.pszStored;
        EXPECT_TRUE(t.settings.writes.empty());
        EXPECT_EQ(t.nFramesCreated, 1);
        EXPECT_TRUE(t.messageBox.shown.empty());
    }
}

TEST(InitInstance, UnsupportedDriveIgnoresAndKeepsTheStoredValue)
{
    StartedApp t;
    EXPECT_TRUE(t.Start("QEMU HARDDISK", "lhqzkvmdbxeqwtyrop"));
    EXPECT_FALSE(t.app.m_bSupported);
    EXPECT_FALSE(t.app.m_bCalibrated);
    EXPECT_EQ(t.app.m_nDirection, DIRECTION_RIGHT);
    EXPECT_EQ(t.settings.nReads, 0);
    EXPECT_EQ(t.settings.strValue, "lhqzkvmdbxeqwtyrop");
    EXPECT_TRUE(t.settings.writes.empty());
}

TEST(InitInstance, ModelDirectionComesFromTheUpperCasedModel)
{
    StartedApp t;
    EXPECT_TRUE(t.Start("ic25", ""));
    EXPECT_EQ(t.app.m_strModel, "IC25");
    EXPECT_EQ(t.app.m_nModelDirection, DIRECTION_LEFT);
}

TEST(InitInstance, FrameThatCannotBeCreatedEndsStartUp)
{
    StartedApp t;
    t.bFrameCreationFails = true;
    EXPECT_FALSE(t.Start("TOSHIBA MK4019GAX", ""));
}

TEST(SetCalibrated, WritesOnlyOnChange)
{
    StartedApp t;
    ASSERT_TRUE(t.Start("TOSHIBA MK4019GAX", ""));

    t.app.SetCalibrated(false);
    EXPECT_TRUE(t.settings.writes.empty());

    t.app.SetCalibrated(true);
    ASSERT_EQ(t.settings.writes.size(), 1u);
    // Seeded with the clock's 1000000 s (tools/model-sequences.py calibration).
    EXPECT_EQ(t.settings.writes[0], "rfwtlcuxemgbtjavqh");

    t.app.SetCalibrated(true); // the stored letters are not refreshed
    EXPECT_EQ(t.settings.writes.size(), 1u);

    t.app.SetCalibrated(false);
    ASSERT_EQ(t.settings.writes.size(), 2u);
    EXPECT_EQ(t.settings.writes[1], "");
}

TEST(SetCalibrated, StoresTheCurrentDirection)
{
    StartedApp t;
    ASSERT_TRUE(t.Start("TOSHIBA MK4019GAX", ""));
    t.app.SetDirection(DIRECTION_LEFT);
    t.app.SetCalibrated(true);
    EXPECT_EQ(t.settings.writes, std::vector<std::string>{"lfwtlcuxemgbtjavqh"});
}

TEST(SetDirection, SameDirectionDoesNothingOnAnyPage)
{
    for (int nPage : {PAGE_START, PAGE_NAVIGATION}) {
        StartedApp t;
        ASSERT_TRUE(t.Start("TOSHIBA MK4019GAX", "r"));
        t.frame.nCurPage = nPage;
        t.app.SetDirection(DIRECTION_RIGHT);
        EXPECT_TRUE(t.messageBox.shown.empty());
        EXPECT_TRUE(t.settings.writes.empty());
        EXPECT_EQ(t.frame.nInvalidations, 0);
    }
}

TEST(SetDirection, RefusedOnAnActivityPageWhateverTheDrive)
{
    for (const char* pszModel : {"TOSHIBA MK4019GAX", "QEMU HARDDISK"}) {
        StartedApp t;
        ASSERT_TRUE(t.Start(pszModel, ""));
        t.frame.nCurPage = PAGE_LATITUDE;
        t.app.SetDirection(DIRECTION_LEFT);
        ASSERT_EQ(t.messageBox.shown.size(), 1u);
        EXPECT_EQ(t.messageBox.shown[0].strText, LoadString(IDS_RETURN_TO_START));
        EXPECT_EQ(t.messageBox.shown[0].icon, MessageIcon::Information);
        EXPECT_EQ(t.app.m_nDirection, DIRECTION_RIGHT);
        EXPECT_TRUE(t.settings.writes.empty());
    }
}

TEST(SetDirection, UncalibratedDriveChangesAtOnceAndWritesNothing)
{
    for (const char* pszModel : {"TOSHIBA MK4019GAX", "QEMU HARDDISK"}) {
        StartedApp t;
        ASSERT_TRUE(t.Start(pszModel, ""));
        t.app.SetDirection(DIRECTION_LEFT);
        EXPECT_TRUE(t.messageBox.shown.empty());
        EXPECT_EQ(t.app.m_nDirection, DIRECTION_LEFT);
        EXPECT_TRUE(t.settings.writes.empty());
        EXPECT_EQ(t.frame.nInvalidations, 1);
    }
}

TEST(SetDirection, CalibratedDriveAsksFirst)
{
    StartedApp no;
    ASSERT_TRUE(no.Start("TOSHIBA MK4019GAX", "rabcdefghijklmnopq"));
    no.messageBox.answer = MessageAnswer::No;
    no.app.SetDirection(DIRECTION_LEFT);
    ASSERT_EQ(no.messageBox.shown.size(), 1u);
    EXPECT_EQ(no.messageBox.shown[0].strText, LoadString(IDS_CONFIRM_RECALIBRATION));
    EXPECT_EQ(no.messageBox.shown[0].icon, MessageIcon::Question);
    EXPECT_EQ(no.messageBox.shown[0].buttons, MessageButtons::YesNo);
    EXPECT_EQ(no.app.m_nDirection, DIRECTION_RIGHT);
    EXPECT_TRUE(no.app.m_bCalibrated);
    EXPECT_TRUE(no.settings.writes.empty());
    EXPECT_EQ(no.frame.nInvalidations, 0);

    StartedApp yes;
    ASSERT_TRUE(yes.Start("TOSHIBA MK4019GAX", "rabcdefghijklmnopq"));
    yes.app.SetDirection(DIRECTION_LEFT);
    EXPECT_EQ(yes.messageBox.shown.size(), 1u);
    EXPECT_EQ(yes.app.m_nDirection, DIRECTION_LEFT);
    EXPECT_FALSE(yes.app.m_bCalibrated);
    EXPECT_EQ(yes.settings.writes, std::vector<std::string>{""});
    EXPECT_EQ(yes.frame.nInvalidations, 1);
}
