// Kestrum::CommandLine of zvpublish. Its state lives for the whole process, so each case runs in
// a fresh child process.
#include "commandline.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

namespace {

using namespace Kestrum;

// Stores the arguments (after a program name) in a fresh process and runs the check there.
void InFreshProcess(std::vector<std::string> args, const std::function<bool()>& check)
{
    EXPECT_EXIT(
        {
            std::vector<char*> argv;
            std::string program = "zvpublish";
            argv.push_back(&program[0]);
            for (std::string& arg : args)
                argv.push_back(&arg[0]);
            CommandLine::Set(static_cast<int>(argv.size()), argv.data());
            std::exit(check() ? 0 : 1);
        },
        ::testing::ExitedWithCode(0), "");
}

TEST(commandlineTest, StoresArgumentsAndTheFullLine)
{
    InFreshProcess({"a", "b", "c"}, [] {
        return CommandLine::GetArgCount() == 3 && CommandLine::GetFull() == "a b c " && CommandLine::GetArg(0, "d") == "a" &&
               CommandLine::GetArg(2, "d") == "c" && CommandLine::GetArg(3, "d") == "d" && CommandLine::GetArg(-1, "d") == "d";
    });
    InFreshProcess({}, [] { return CommandLine::GetArgCount() == 0 && CommandLine::GetFull().empty() && CommandLine::GetArg(0, "") == ""; });
}

TEST(commandlineTest, SetAddsToEarlierContents)
{
    InFreshProcess({"x"}, [] {
        char a[] = "p", b[] = "y";
        char* more[] = {a, b};
        CommandLine::Set(2, more);
        CommandLine::Set(1, more); // fewer than 2 entries: nothing
        CommandLine::AddArgument("z");
        return CommandLine::GetArgCount() == 3 && CommandLine::GetFull() == "x y " && CommandLine::GetArg(2, "") == "z";
    });
}

struct SwitchCase {
    std::vector<std::string> args;
    const char* name;
    const char* expected;
};

TEST(commandlineTest, SwitchesTakeTheFollowingArgument)
{
    const SwitchCase cases[] = {
        {{"create", "-addon", "a.zva", "-icon", "i.jpg"}, "-addon", "a.zva"},
        {{"create", "-addon", "a.zva", "-icon", "i.jpg"}, "-icon", "i.jpg"},
        {{"create", "-addon"}, "-addon", "default"},                      // last argument
        {{"create", "-Addon", "a.zva"}, "-addon", "default"},             // case-sensitive
        {{"create", "-addon", "first", "-addon", "second"}, "-addon", "first"}, // first wins
        {{"-addon", "-icon", "x"}, "-addon", "-icon"},                    // the next entry, whatever it is
        {{"-addon", "-icon", "x"}, "-icon", "x"},
        {{"create"}, "create", "default"},                                // the command word is scanned too
        {{"create", "-addonx", "a"}, "-addon", "default"},                // same length and bytes only
    };
    for (const SwitchCase& c : cases) {
        SCOPED_TRACE(c.name);
        std::string name = c.name, expected = c.expected;
        InFreshProcess(c.args, [name, expected] { return CommandLine::GetSwitch(name, "default") == expected; });
    }
}

} // namespace
