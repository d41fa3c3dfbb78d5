// Command line of the tier0 stand-in: parsing, switch lookups and values.
#include "tier0/icommandline.h"

#include <gtest/gtest.h>

#include <string>

TEST(Tier0CommandLine, ParsesTextWithQuotes) {
    CommandLine_Tier0()->CreateCmdLine("zvhost  -game \"my game\" -ALLOWDEBUG +map x");
    ICommandLine *cl = CommandLine_Tier0();
    ASSERT_EQ(cl->ParmCount(), 6);
    EXPECT_STREQ(cl->GetParm(0), "zvhost");
    EXPECT_STREQ(cl->GetParm(2), "my game");
    EXPECT_STREQ(cl->GetParm(6), "");
    EXPECT_STREQ(cl->GetParm(-1), "");
    EXPECT_STREQ(cl->GetCmdLine(), "zvhost -game my game -ALLOWDEBUG +map x");
}

TEST(Tier0CommandLine, SwitchLookupsIgnoreCaseAndSkipTheProgram) {
    const char *argv[] = {"-allowdebug", "-withjit", "-port", "27015", "-neg", "-5", "-flag", "-other"};
    CommandLine_Tier0()->CreateCmdLine(8, const_cast<char **>(argv));
    ICommandLine *cl = CommandLine_Tier0();

    EXPECT_EQ(cl->FindParm("-allowdebug"), 0) << "the program name is not a switch";
    EXPECT_EQ(cl->FindParm("-WithJit"), 1);
    EXPECT_STREQ(cl->CheckParm("-WITHJIT"), "-withjit");
    EXPECT_EQ(cl->CheckParm("-missing"), nullptr);
    EXPECT_EQ(cl->CheckParm(nullptr), nullptr);

    const char *value = "untouched";
    EXPECT_NE(cl->CheckParm("-port", &value), nullptr);
    EXPECT_STREQ(value, "27015");
    EXPECT_NE(cl->CheckParm("-flag", &value), nullptr);
    EXPECT_EQ(value, nullptr) << "a following switch is not a value";
    EXPECT_NE(cl->CheckParm("-other", &value), nullptr);
    EXPECT_EQ(value, nullptr) << "nothing follows the last switch";

    EXPECT_EQ(cl->ParmValue("-port", 0), 27015);
    EXPECT_EQ(cl->ParmValue("-neg", 0), -5);
    EXPECT_EQ(cl->ParmValue("-flag", 9), 9);
    EXPECT_FLOAT_EQ(cl->ParmValue("-port", 1.5f), 27015.0f);
    EXPECT_STREQ(cl->ParmValue("-missing", "dflt"), "dflt");
    EXPECT_EQ(CommandLine(), cl);
}

TEST(Tier0CommandLine, RecreatingReplacesEverything) {
    CommandLine_Tier0()->CreateCmdLine("prog -a");
    CommandLine_Tier0()->CreateCmdLine(nullptr);
    EXPECT_EQ(CommandLine_Tier0()->ParmCount(), 0);
    EXPECT_EQ(CommandLine_Tier0()->CheckParm("-a"), nullptr);
    EXPECT_STREQ(CommandLine_Tier0()->GetCmdLine(), "");
}
