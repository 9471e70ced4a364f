#include "resources/string_ids.h"
#include "resources/string_table.h"

#include <gtest/gtest.h>

#include <cstring>

TEST(StringTable, EveryIdHasItsText)
{
    for (unsigned nId : {100u, 101u, 102u, 128u, 139u, 140u, 1000u, 1001u, 1002u, 1003u, 1004u, 1005u, 1006u,
                         1007u, 1008u, 1009u, 1010u, 1011u, 1012u, 1013u, 1014u, 1015u, 1016u, 1017u, 1019u,
                         1020u, 1100u, 1101u, 2000u, 57345u, 57664u, 57665u, 59137u, 59138u, 59139u, 59393u})
        EXPECT_GT(std::strlen(LoadString(nId)), 0u) << nId;
    EXPECT_STREQ(LoadString(1018), "");
    EXPECT_STREQ(LoadString(0), "");
}

TEST(StringTable, FormattedTextsComeOutAsTheUserSeesThem)
{
    EXPECT_EQ(FormatString(IDS_DRIVE_LINE, "", "keine"),
              "Erkannter Festplattentyp: . Dies ist keine Notebook-Platte. Daher stehen Ihnen folgende "
              "Möglichkeiten zur Verfügung:\n");
    EXPECT_EQ(FormatString(IDS_LINK_CALIBRATION, "erneut "), "Festplatte für die Navigation erneut kalibrieren");
    EXPECT_EQ(FormatString(IDS_LINK_NAVIGATION, " (Kalibrierung erforderlich)"),
              "Navigation mithilfe Ihrer Festplatte (Kalibrierung erforderlich)");
    EXPECT_EQ(FormatString(IDS_IDENTIFY_FAILED, 25u, 0u, 8u, 4u),
              "Fehler in DeviceIoControl:\nGetLastError 25, BytesReturned: 0,\nDriverStatus 8, IDE Status: 4");
    EXPECT_EQ(FormatString(IDS_COURSE_AND_SPEED, 0, 0.0), "Kurs: 000°\nGeschwindigkeit: 000.00");
    EXPECT_EQ(FormatString(IDS_COURSE_AND_SPEED, 360, 0.05 * 2500.0), "Kurs: 360°\nGeschwindigkeit: 125.00");
    EXPECT_EQ(FormatString(IDS_LATITUDE_ESTIMATE, 48, 7, 100), "Letzte Schätzung: 48° 07'\nGenauigkeit: 100 %");
    EXPECT_EQ(FormatString(IDS_LATITUDE_REPORT, "IC25", "links", "V 3.0", "48° 07'"),
              "=== BEGIN QUORVEL LATITUDE ===\r\nPlattentyp:\tIC25\r\nDrehrichtung:\tlinks\r\nRL-API:\tV 3.0\r\n"
              "Gemessen:\t48° 07'\r\nOrt:\t<Bitte ergänzen>\r\nBreitengrad:\t<Bitte ergänzen>\r\n"
              "=== END QUORVEL LATITUDE ===\r\n");
}

TEST(StringTable, StatusBarShowsThePromptBeforeTheLineBreak)
{
    EXPECT_EQ(StatusBarPrompt(ID_APP_EXIT), "Bricht alle Messungen ab und beendet die Anwendung.");
    EXPECT_EQ(StatusBarPrompt(ID_VIEW_STATUS_BAR), "Blendet die Statusleiste ein oder aus.");
    EXPECT_EQ(StatusBarPrompt(AFX_IDS_IDLEMESSAGE), "Bereit");
}
