#include "frame_fixture.h"
#include "latitude/send_dlg.h"
#include "resources/page_texts.h"
#include "resources/string_table.h"

#include <QAccessible>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

struct Row {
    QString strWhere;
    QString strActual;
    const char* pszExpected;
};

QString Id(unsigned nId)
{
    return QStringLiteral("string %1").arg(nId);
}

QString Loaded(unsigned nId)
{
    return QString::fromUtf8(LoadString(nId));
}

// The menu bar's titles, each followed by its items, with their status-bar prompts.
QStringList MenuTexts(const CMainFrame& frame)
{
    QStringList texts;
    for (QAction* pMenuAction : frame.menuBar()->actions()) {
        texts << pMenuAction->text();
        for (QAction* pItem : pMenuAction->menu()->actions())
            texts << pItem->text() << pItem->statusTip();
    }
    return texts;
}

// The texts of the about box, read while it is up.
QStringList AboutTexts(CMainFrame& frame)
{
    QStringList texts;
    QTimer::singleShot(0, &frame, [&texts] {
        QWidget* pAbout = QApplication::activeModalWidget();
        if (!pAbout)
            return;
        texts << pAbout->windowTitle();
        for (const char* pszName : {"version", "credit", "copyright"})
            texts << pAbout->findChild<QLabel*>(QString::fromLatin1(pszName))->text();
        texts << pAbout->findChild<QPushButton*>(QStringLiteral("ok"))->text();
        pAbout->close();
    });
    frame.OnAppAbout();
    return texts;
}

} // namespace

// Every text the user reads, character for character, against the text as written here.
TEST(UserTexts, EveryTextIsExactlyAsWritten)
{
    FrameFixture t;
    const QStringList menu = MenuTexts(*t.pFrame);
    const QStringList about = AboutTexts(*t.pFrame);
    ASSERT_EQ(menu.size(), 14);
    ASSERT_EQ(about.size(), 5);
    CSendDlg send(nullptr);
    auto sendText = [&send](const char* pszName) {
        if (auto* pLabel = send.findChild<QLabel*>(QString::fromLatin1(pszName)))
            return pLabel->text();
        return send.findChild<QPushButton*>(QString::fromLatin1(pszName))->text();
    };
    auto sendDescription = [&send](const char* pszName) {
        return QAccessible::queryAccessibleInterface(send.findChild<QPushButton*>(QString::fromLatin1(pszName)))
            ->text(QAccessible::Description);
    };

    const Row rows[] = {
        {Id(100), Loaded(100), "Unbekannter Festplattentyp. Keine Navigation möglich."},
        {Id(101), Loaded(101),
         "Fehler in DeviceIoControl:\nGetLastError %u, BytesReturned: %u,\nDriverStatus %u, IDE Status: %u"},
        {Id(102), Loaded(102), "Kann Geraet/Treiber '%s' nicht öffnen, Fehler %u"},
        {Id(128), Loaded(128), "Quorvel"},
        {Id(139), Loaded(139), "Wählt Messalgorithmen für rechtsdrehende Festplatten aus.\nRechtsdrehend"},
        {Id(140), Loaded(140), "Wählt Messalgorithmen für linksdrehende Festplatten aus.\nLinksdrehend"},
        {Id(1000), Loaded(1000), "Quorvel"},
        {Id(1001), Loaded(1001),
         "Diese Software ist ein Zusatzangebot zum Artikel \"Kestrow\" in Brantel 7/03, S. 210ff. Bitte lesen Sie "
         "vor Benutzung des Programms den Artikel und die beiliegende Datei liesmich.txt.\n"},
        {Id(1002), Loaded(1002),
         "Erkannter Festplattentyp: %s. Dies ist %s Notebook-Platte. Daher stehen Ihnen folgende Möglichkeiten "
         "zur Verfügung:\n"},
        {Id(1003), Loaded(1003), "Festplatte für die Navigation %skalibrieren"},
        {Id(1004), Loaded(1004), "Navigation mithilfe Ihrer Festplatte%s"},
        {Id(1005), Loaded(1005), "Langzeitmessung: Breitengradsuche per Festplatte"},
        {Id(1006), Loaded(1006), "Letzte Schätzung: %02d° %02d'\nGenauigkeit: %d %%"},
        {Id(1007), Loaded(1007),
         "Zum Kalibrieren müssen Sie Ihr Notebook möglichst gleichmäßig entlang den Kanten eines Quadrates mit "
         "5 m Seitenlänge tragen.\n"},
        {Id(1008), Loaded(1008), "Drücken Sie eine Taste, wenn Sie bereit sind."},
        {Id(1009), Loaded(1009), "Gehen Sie jetzt zügig und möglichst erschütterungsfrei 5 m nach %s.\n"},
        {Id(1010), Loaded(1010), "Drehen Sie sich jetzt um 90° nach rechts.\n"},
        {Id(1011), Loaded(1011), "Drücken Sie eine Taste, wenn Sie angekommen sind."},
        {Id(1012), Loaded(1012), "Die Kalibrierung wurde erfolgreich abgeschlossen.\n"},
        {Id(1013), Loaded(1013), "Kalibrierung gescheitert.\n"},
        {Id(1014), Loaded(1014), "Drücken Sie eine Taste, um zur Eingangsseite zurückzukehren."},
        {Id(1015), Loaded(1015),
         "Die Kalibrierung ist gescheitert.\n\nBitte versuchen Sie es erneut und achten Sie darauf, dass Sie sich "
         "möglichst gleichförmig bewegen und innerhalb der vorgegebenen Zeit ankommen."},
        {Id(1016), Loaded(1016),
         "Die Kalibrierung ist gescheitert.\n\nBitte überprüfen Sie vor dem nächsten Versuch, ob Sie die "
         "Drehrichtung der Festplatte richtig eingestellt haben."},
        {Id(1017), Loaded(1017),
         "Die Kalibrierung ist gescheitert.\n\nDie gemessenen Beschleunigungswerte sind zu klein. Bitte versuchen "
         "Sie, etwas zügiger zu gehen."},
        {Id(1018), Loaded(1018), ""},
        {Id(1019), Loaded(1019),
         "Unplausible Messwerte.\nBitte überprüfen Sie, ob die Drehrichtung der Festplatte richtig eingestellt ist."},
        {Id(1020), Loaded(1020), "Kurs: %03d°\nGeschwindigkeit: %#06.2lf"},
        {Id(1100), Loaded(1100), "Bitte kehren Sie zur Eingangsseite zurück, um diese Einstellung zu ändern."},
        {Id(1101), Loaded(1101),
         "Wenn Sie diese Einstellung ändern, müssen Sie die Festplatte für die Navigation neu kalibrieren. "
         "Fortsetzen?"},
        {Id(2000), Loaded(2000),
         "=== BEGIN QUORVEL LATITUDE ===\r\nPlattentyp:\t%s\r\nDrehrichtung:\t%s\r\nRL-API:\t%s\r\nGemessen:\t%s\r\n"
         "Ort:\t<Bitte ergänzen>\r\nBreitengrad:\t<Bitte ergänzen>\r\n=== END QUORVEL LATITUDE ===\r\n"},
        {Id(57345), Loaded(57345), "Bereit"},
        {Id(57664), Loaded(57664), "Zeigt Programm-, Versions- und Copyrightinformationen an.\nInfo"},
        {Id(57665), Loaded(57665), "Bricht alle Messungen ab und beendet die Anwendung.\nBeenden"},
        {Id(59137), Loaded(59137), "UF"},
        {Id(59138), Loaded(59138), "NUM"},
        {Id(59139), Loaded(59139), "RF"},
        {Id(59393), Loaded(59393), "Blendet die Statusleiste ein oder aus.\nStatusleiste"},

        {"main window title", t.pFrame->windowTitle(), "Quorvel"},
        {"menu 1", menu[0], "&Datei"},
        {"menu 1 item 1", menu[1], "&Beenden"},
        {"menu 1 item 1 prompt", menu[2], "Bricht alle Messungen ab und beendet die Anwendung."},
        {"menu 2", menu[3], "&Festplatte"},
        {"menu 2 item 1", menu[4], "&Rechtsdrehend"},
        {"menu 2 item 1 prompt", menu[5], "Wählt Messalgorithmen für rechtsdrehende Festplatten aus."},
        {"menu 2 item 2", menu[6], "&Linksdrehend"},
        {"menu 2 item 2 prompt", menu[7], "Wählt Messalgorithmen für linksdrehende Festplatten aus."},
        {"menu 3", menu[8], "&Ansicht"},
        {"menu 3 item 1", menu[9], "Status&leiste"},
        {"menu 3 item 1 prompt", menu[10], "Blendet die Statusleiste ein oder aus."},
        {"menu 4", menu[11], "&Hilfe"},
        {"menu 4 item 1", menu[12], "&Info über Quorvel..."},
        {"menu 4 item 1 prompt", menu[13], "Zeigt Programm-, Versions- und Copyrightinformationen an."},

        {"about box caption", about[0], "Info über Quorvel"},
        {"about box version", about[1], "Quorvel Version 1.0"},
        {"about box credit", about[2], "Programmierung: Valdrin"},
        {"about box copyright", about[3], "Copyright © 2026 Valdrin"},
        {"about box button", about[4], "OK"},

        {"send dialog caption", send.windowTitle(), "Quorvel"},
        {"send dialog message", sendText("message"),
         "Die Breitengradmessung wurde erfolgreich beendet.\n\nUm uns bei der Verbesserung dieses Programms zu "
         "helfen, kopieren Sie bitte die unten stehenden Angaben in Ihr E-Mail-Programm und senden sie an:"},
        {"send dialog address button", sendText("copyAddress"), "&Kopieren"},
        {"send dialog report button", sendText("copyReport"), "K&opieren"},
        {"send dialog address button, described", sendDescription("copyAddress"), "Kopiert die E-Mail-Adresse"},
        {"send dialog report button, described", sendDescription("copyReport"), "Kopiert den Bericht"},
        {"send dialog close button", sendText("close"), "Schließen"},

        {"back box", TEXT_BACK, "Zurück"},
        {"cancel box", TEXT_CANCEL, "Abbrechen"},
        {"speed box", TEXT_SPEED_ZERO, "Geschw. auf 0"},
        {"cancel question", TEXT_ARE_YOU_SURE, "Sind Sie sicher?"},
        {"walk north", TEXT_NORTH, "Norden"},
        {"walk east", TEXT_EAST, "Osten"},
        {"walk south", TEXT_SOUTH, "Süden"},
        {"walk west", TEXT_WEST, "Westen"},
        {"calibration's first line before the walk", TEXT_EMPTY_FIRST_LINE, "\n"},
        {"calibration's second line after a failure", TEXT_BLANK_SECOND_LINE, " "},
        {"supported drive", TEXT_NOTEBOOK_DRIVE, "eine"},
        {"unsupported drive", TEXT_NO_NOTEBOOK_DRIVE, "keine"},
        {"calibrated drive", TEXT_CALIBRATE_AGAIN, "erneut "},
        {"uncalibrated drive", TEXT_CALIBRATION_REQUIRED, " (Kalibrierung erforderlich)"},
        {"empty page slot", TEXT_PAGE_MISSING, "Not yet implemented"},
        {"page not created", TEXT_PAGE_NOT_CREATED, "Ansichtsfenster konnte nicht erstellt werden"},
        {"start page for a screen reader", TEXT_START_PAGE_NAME, "Eingangsseite"},
        {"calibration page for a screen reader", TEXT_CALIBRATION_PAGE_NAME, "Kalibrierung"},
        {"navigation page for a screen reader", TEXT_NAVIGATION_PAGE_NAME, "Navigation"},
        {"latitude page for a screen reader", TEXT_LATITUDE_PAGE_NAME, "Langzeitmessung"},
        {"report, direction +1", TEXT_RIGHT_TURNING, "rechts"},
        {"report, direction -1", TEXT_LEFT_TURNING, "links"},
    };
    for (const Row& row : rows)
        EXPECT_EQ(row.strActual.toStdString(), row.pszExpected) << row.strWhere.toStdString();
}
