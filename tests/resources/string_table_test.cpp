#include "resources/string_ids.h"
#include "resources/string_table.h"

#include <gtest/gtest.h>


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
