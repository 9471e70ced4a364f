#include "app/command_line.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// Which answer came is told by its first line; the texts themselves are the program's own.
std::string FirstLine(const std::optional<std::string>& answer)
{
    return answer ? answer->substr(0, answer->find('\n')) : "(starts)";
}

} // namespace

TEST(CommandLine, HelpAndVersionAreAnsweredAndEveryOtherArgumentIsLeftToQt)
{
    struct Case {
        std::vector<const char*> args;
        const char* pszFirstLine;
    };
    const char* const pszHelp = "Aufruf: quorvel [OPTION]...";
    const char* const pszVersion = "quorvel (Quorvel) 1.0";
    const Case aCases[] = {
        {{}, "(starts)"},
        {{"--help"}, pszHelp},
        {{"--version"}, pszVersion},
        {{"-platform", "xcb", "--help"}, pszHelp},
        {{"--version", "--help"}, pszVersion},
        {{"--help", "--version"}, pszHelp},
        {{"--", "--help"}, "(starts)"},
        {{"-help"}, "(starts)"},
        {{"--hel"}, "(starts)"},
        {{"--help=x"}, "(starts)"},
        {{"-v"}, "(starts)"},
        {{"-platform", "wayland", "datei.txt"}, "(starts)"},
    };
    for (const Case& c : aCases) {
        std::string strArgs;
        for (const char* pszArg : c.args)
            strArgs += std::string(pszArg) + ' ';
        SCOPED_TRACE(strArgs);
        EXPECT_EQ(FirstLine(AnswerCommandLine(c.args, "quorvel")), c.pszFirstLine);
    }
    // Both name the program as it was started.
    const std::vector<const char*> help{"--help"};
    const std::vector<const char*> version{"--version"};
    EXPECT_EQ(FirstLine(AnswerCommandLine(help, "quorvel-demo")), "Aufruf: quorvel-demo [OPTION]...");
    EXPECT_EQ(FirstLine(AnswerCommandLine(version, "quorvel-demo")), "quorvel-demo (Quorvel) 1.0");
}
