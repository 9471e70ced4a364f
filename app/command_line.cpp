#include "app/command_line.h"

namespace {

std::string HelpText(std::string_view strProgram)
{
    std::string strText = "Aufruf: ";
    strText.append(strProgram);
    strText +=
        " [OPTION]...\n"
        "Macht die eingebaute Festplatte des Notebooks zum Navigationsinstrument: Kalibrierung,\n"
        "Navigation und Langzeitmessung des Breitengrads, in einem Fenster mit deutscher Oberfläche.\n"
        "\n"
        "      --help     diese Hilfe anzeigen und beenden\n"
        "      --version  Versionsinformation anzeigen und beenden\n"
        "\n"
        "Die allgemeinen Optionen des Qt-Toolkits, etwa -platform oder -display, wertet Qt selbst aus;\n"
        "alle anderen Argumente bleiben ungelesen.\n"
        "\n"
        "Exit-Status:\n"
        " 0  das Hauptfenster wurde geschlossen\n"
        " 1  die Festplatte ließ sich nicht erkennen; das Hauptfenster wurde nicht geöffnet\n"
        "\n"
        "Ausführlich: man quorvel und die beiliegende Datei liesmich.txt.\n"
        "Fehler melden Sie bitte an <dev@quorvel.example>.\n";
    return strText;
}

std::string VersionText(std::string_view strProgram)
{
    std::string strText(strProgram);
    strText +=
        " (Quorvel) " QUORVEL_VERSION "\n"
        "Copyright © 2026 Valdrin.\n"
        "Lizenz GPLv3+: GNU GPL Version 3 oder neuer <https://gnu.org/licenses/gpl.html>.\n"
        "Die Vorwahldaten behalten die Lizenzen ihrer Quellen (Apache-2.0 und CC-BY-4.0).\n"
        "Dies ist freie Software: Sie können sie verändern und weitergeben.\n"
        "Es gibt KEINE GARANTIE, soweit gesetzlich zulässig.\n";
    return strText;
}

} // namespace

std::optional<std::string> AnswerCommandLine(std::span<const char* const> args, std::string_view strProgram)
{
    for (const std::string_view strArg : args) {
        if (strArg == "--")
            break;
        if (strArg == "--help")
            return HelpText(strProgram);
        if (strArg == "--version")
            return VersionText(strProgram);
    }
    return std::nullopt;
}
