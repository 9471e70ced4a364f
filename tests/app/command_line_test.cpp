#include "app/command_line.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

const char* const s_pszHelp =
    "Aufruf: quorvel [OPTION]...\n"
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

const char* const s_pszVersion =
    "quorvel (Quorvel) 1.0\n"
    "Copyright © 2026 Valdrin.\n"
    "Lizenz GPLv3+: GNU GPL Version 3 oder neuer <https://gnu.org/licenses/gpl.html>.\n"
    "Die Vorwahldaten behalten die Lizenzen ihrer Quellen (Apache-2.0 und CC-BY-4.0).\n"
    "Dies ist freie Software: Sie können sie verändern und weitergeben.\n"
    "Es gibt KEINE GARANTIE, soweit gesetzlich zulässig.\n";

} // namespace

TEST(CommandLine, HelpAndVersionAreAnsweredAndEveryOtherArgumentIsLeftToQt)
{
    struct Case {
        std::vector<const char*> args;
        const char* pszAnswer; // nullptr: the program starts
    };
    const Case aCases[] = {
        {{}, nullptr},
        {{"--help"}, s_pszHelp},
        {{"--version"}, s_pszVersion},
        {{"-platform", "xcb", "--help"}, s_pszHelp},
        {{"--version", "--help"}, s_pszVersion},
        {{"--help", "--version"}, s_pszHelp},
        {{"--", "--help"}, nullptr},
        {{"-help"}, nullptr},
        {{"--hel"}, nullptr},
        {{"--help=x"}, nullptr},
        {{"-v"}, nullptr},
        {{"-platform", "wayland", "datei.txt"}, nullptr},
    };
    for (const Case& c : aCases) {
        std::string strArgs;
        for (const char* pszArg : c.args)
            strArgs += std::string(pszArg) + ' ';
        SCOPED_TRACE(strArgs);
        const std::optional<std::string> answer = AnswerCommandLine(c.args, "quorvel");
        if (c.pszAnswer == nullptr)
            EXPECT_FALSE(answer.has_value());
        else
            EXPECT_EQ(answer.value_or("(none)"), c.pszAnswer);
    }
}

TEST(CommandLine, TheAnswersNameTheProgramAsStarted)
{
    const std::vector<const char*> help{"--help"};
    const std::vector<const char*> version{"--version"};
    EXPECT_EQ(AnswerCommandLine(help, "quorvel-demo")->substr(0, 36), "Aufruf: quorvel-demo [OPTION]...\nMac");
    EXPECT_EQ(AnswerCommandLine(version, "quorvel-demo")->substr(0, 28), "quorvel-demo (Quorvel) 1.0\nC");
}
