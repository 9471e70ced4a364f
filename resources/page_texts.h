#pragma once

// The texts that the pages, the frame and the report show besides the string table.
inline constexpr char TEXT_BACK[] = "Zurück";
inline constexpr char TEXT_CANCEL[] = "Abbrechen";
inline constexpr char TEXT_SPEED_ZERO[] = "Geschw. auf 0";
inline constexpr char TEXT_ARE_YOU_SURE[] = "Sind Sie sicher?";
inline constexpr char TEXT_NORTH[] = "Norden";
inline constexpr char TEXT_EAST[] = "Osten";
inline constexpr char TEXT_SOUTH[] = "Süden";
inline constexpr char TEXT_WEST[] = "Westen";
inline constexpr char TEXT_EMPTY_FIRST_LINE[] = "\n";
inline constexpr char TEXT_BLANK_SECOND_LINE[] = " ";
inline constexpr char TEXT_NOTEBOOK_DRIVE[] = "eine";
inline constexpr char TEXT_NO_NOTEBOOK_DRIVE[] = "keine";
inline constexpr char TEXT_CALIBRATE_AGAIN[] = "erneut ";
inline constexpr char TEXT_CALIBRATION_REQUIRED[] = " (Kalibrierung erforderlich)";
inline constexpr char TEXT_PAGE_MISSING[] = "Not yet implemented";
inline constexpr char TEXT_PAGE_NOT_CREATED[] = "Ansichtsfenster konnte nicht erstellt werden";
// What a screen reader calls each page; words the pages already show.
inline constexpr char TEXT_START_PAGE_NAME[] = "Eingangsseite";
inline constexpr char TEXT_CALIBRATION_PAGE_NAME[] = "Kalibrierung";
inline constexpr char TEXT_NAVIGATION_PAGE_NAME[] = "Navigation";
inline constexpr char TEXT_LATITUDE_PAGE_NAME[] = "Langzeitmessung";
inline constexpr char TEXT_RIGHT_TURNING[] = "rechts";
inline constexpr char TEXT_LEFT_TURNING[] = "links";
