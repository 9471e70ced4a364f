#include "resources/string_table.h"

#include "resources/string_ids.h"

#include <algorithm>
#include <utility>

namespace {

constexpr std::pair<unsigned, const char*> s_aStrings[] = {
    {IDS_DRIVE_UNKNOWN, "Unbekannter Festplattentyp. Keine Navigation möglich."},
    {IDS_IDENTIFY_FAILED,
     "Fehler in DeviceIoControl:\nGetLastError %u, BytesReturned: %u,\nDriverStatus %u, IDE Status: %u"},
    {IDS_DEVICE_OPEN_FAILED, "Kann Geraet/Treiber '%s' nicht öffnen, Fehler %u"},
    {IDR_MAINFRAME, "Quorvel"},
    {ID_DIRECTION_RIGHT, "Wählt Messalgorithmen für rechtsdrehende Festplatten aus.\nRechtsdrehend"},
    {ID_DIRECTION_LEFT, "Wählt Messalgorithmen für linksdrehende Festplatten aus.\nLinksdrehend"},

    {IDS_TITLE, "Quorvel"},
    {IDS_INTRODUCTION,
     "Diese Software ist ein Zusatzangebot zum Artikel \"Kestrow\" in Brantel 7/03, S. 210ff. "
     "Bitte lesen Sie vor Benutzung des Programms den Artikel und die beiliegende Datei liesmich.txt.\n"},
    {IDS_DRIVE_LINE,
     "Erkannter Festplattentyp: %s. Dies ist %s Notebook-Platte. "
     "Daher stehen Ihnen folgende Möglichkeiten zur Verfügung:\n"},
    {IDS_LINK_CALIBRATION, "Festplatte für die Navigation %skalibrieren"},
    {IDS_LINK_NAVIGATION, "Navigation mithilfe Ihrer Festplatte%s"},
    {IDS_LINK_LATITUDE, "Langzeitmessung: Breitengradsuche per Festplatte"},
    {IDS_LATITUDE_ESTIMATE, "Letzte Schätzung: %02d° %02d'\nGenauigkeit: %d %%"},
    {IDS_CALIBRATION_INTRO,
     "Zum Kalibrieren müssen Sie Ihr Notebook möglichst gleichmäßig entlang den Kanten eines "
     "Quadrates mit 5 m Seitenlänge tragen.\n"},
    {IDS_PRESS_WHEN_READY, "Drücken Sie eine Taste, wenn Sie bereit sind."},
    {IDS_WALK, "Gehen Sie jetzt zügig und möglichst erschütterungsfrei 5 m nach %s.\n"},
    {IDS_TURN_RIGHT, "Drehen Sie sich jetzt um 90° nach rechts.\n"},
    {IDS_PRESS_WHEN_ARRIVED, "Drücken Sie eine Taste, wenn Sie angekommen sind."},
    {IDS_CALIBRATION_SUCCEEDED, "Die Kalibrierung wurde erfolgreich abgeschlossen.\n"},
    {IDS_CALIBRATION_FAILED, "Kalibrierung gescheitert.\n"},
    {IDS_PRESS_TO_RETURN, "Drücken Sie eine Taste, um zur Eingangsseite zurückzukehren."},
    {IDS_FAILED_TIMING,
     "Die Kalibrierung ist gescheitert.\n\nBitte versuchen Sie es erneut und achten Sie darauf, dass "
     "Sie sich möglichst gleichförmig bewegen und innerhalb der vorgegebenen Zeit ankommen."},
    {IDS_FAILED_DIRECTION,
     "Die Kalibrierung ist gescheitert.\n\nBitte überprüfen Sie vor dem nächsten Versuch, ob Sie die "
     "Drehrichtung der Festplatte richtig eingestellt haben."},
    {IDS_FAILED_ACCELERATION,
     "Die Kalibrierung ist gescheitert.\n\nDie gemessenen Beschleunigungswerte sind zu klein. Bitte "
     "versuchen Sie, etwas zügiger zu gehen."},
    {IDS_IMPLAUSIBLE_VALUES,
     "Unplausible Messwerte.\nBitte überprüfen Sie, ob die Drehrichtung der Festplatte richtig "
     "eingestellt ist."},
    {IDS_COURSE_AND_SPEED, "Kurs: %03d°\nGeschwindigkeit: %#06.2lf"},
    {IDS_RETURN_TO_START, "Bitte kehren Sie zur Eingangsseite zurück, um diese Einstellung zu ändern."},
    {IDS_CONFIRM_RECALIBRATION,
     "Wenn Sie diese Einstellung ändern, müssen Sie die Festplatte für die Navigation neu "
     "kalibrieren. Fortsetzen?"},
    {IDS_LATITUDE_REPORT,
     "=== BEGIN QUORVEL LATITUDE ===\r\nPlattentyp:\t%s\r\nDrehrichtung:\t%s\r\nRL-API:\t%s\r\n"
     "Gemessen:\t%s\r\nOrt:\t<Bitte ergänzen>\r\nBreitengrad:\t<Bitte ergänzen>\r\n"
     "=== END QUORVEL LATITUDE ===\r\n"},

    {AFX_IDS_IDLEMESSAGE, "Bereit"},
    {ID_APP_ABOUT, "Zeigt Programm-, Versions- und Copyrightinformationen an.\nInfo"},
    {ID_APP_EXIT, "Bricht alle Messungen ab und beendet die Anwendung.\nBeenden"},
    {ID_INDICATOR_CAPS, "UF"},
    {ID_INDICATOR_NUM, "NUM"},
    {ID_INDICATOR_SCRL, "RF"},
    {ID_VIEW_STATUS_BAR, "Blendet die Statusleiste ein oder aus.\nStatusleiste"},
};

constexpr bool IsSortedById()
{
    for (std::size_t i = 1; i < std::size(s_aStrings); ++i)
        if (s_aStrings[i - 1].first >= s_aStrings[i].first)
            return false;
    return true;
}
static_assert(IsSortedById(), "the table is searched by binary search");

} // namespace

const char* LoadString(unsigned nId)
{
    const auto* pEnd = std::end(s_aStrings);
    const auto* pFound = std::lower_bound(std::begin(s_aStrings), pEnd, nId,
                                          [](const auto& entry, unsigned n) { return entry.first < n; });
    return pFound != pEnd && pFound->first == nId ? pFound->second : "";
}

std::string StatusBarPrompt(unsigned nCommandId)
{
    const std::string strPrompt = LoadString(nCommandId);
    return strPrompt.substr(0, strPrompt.find('\n'));
}
