// Tests of the engine console stand-in with this module's variables and commands registered
// through it: lookup, command text, completion, change callbacks, the material-thread queue.
#include "icvar.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "EngineLibrary.h"
#include "engine/consolestandin.h"
#include "tier0/standin.h"
#include "tier1/convar.h"
#include "tier1/tier1.h"

namespace {

ConVar s_Volume("test_volume", "0.5", FCVAR_ARCHIVE, "sound volume", true, 0.0f, true, 1.0f);
ConVar s_MatVar("test_matvar", "1", FCVAR_MATERIAL_SYSTEM_THREAD);
std::vector<std::string> s_Said;
ConCommand s_Say("test_say", [](const CCommand &args) { s_Said.push_back(std::string(args.ArgS()) + "|" + args[1]); },
                 "say something", 0,
                 [](const char *partial, char commands[COMMAND_COMPLETION_MAXITEMS][COMMAND_COMPLETION_ITEM_LENGTH]) {
                     strcpy(commands[0], "test_say hello");
                     strcpy(commands[1], "test_say world");
                     return 2;
                 });

std::vector<std::string> s_GlobalChanges;
void GlobalChange(IConVar *var, const char *pOld, float)
{
    s_GlobalChanges.push_back(std::string(var->GetName()) + ":" + pOld);
}

class EngineConsoleTest : public ::testing::Test
{
protected:
    static ICvar *console;
    static IConsoleStandIn *control;

    static void SetUpTestSuite()
    {
        console = static_cast<ICvar *>(EngineInterface(CVAR_INTERFACE_VERSION));
        control = static_cast<IConsoleStandIn *>(EngineInterface(CONSOLE_STANDIN_INTERFACE_VERSION));
        ASSERT_NE(console, nullptr);
        ASSERT_NE(control, nullptr);
        CreateInterfaceFn factories[] = {[](const char *name, int *rc) { return EngineInterface(name); }};
        ConnectTier1Libraries(factories, 1);
        ASSERT_EQ(g_pCVar, console);
        ConVar_Register(0);
    }
    static void TearDownTestSuite()
    {
        ConVar_Unregister();
        DisconnectTier1Libraries();
    }
    void SetUp() override
    {
        s_Said.clear();
        s_GlobalChanges.clear();
    }
};
ICvar *EngineConsoleTest::console = nullptr;
IConsoleStandIn *EngineConsoleTest::control = nullptr;

TEST_F(EngineConsoleTest, RegisteredObjectsAreFound)
{
    EXPECT_TRUE(s_Volume.IsRegistered());
    EXPECT_EQ(console->FindVar("TEST_VOLUME"), &s_Volume);
    EXPECT_EQ(console->FindCommand("test_say"), &s_Say);
    EXPECT_EQ(console->FindVar("test_say"), nullptr);
    EXPECT_EQ(console->FindCommand("test_volume"), nullptr);
    EXPECT_EQ(console->FindCommandBase("nothing"), nullptr);

    ConVarRef ref("test_volume");
    ASSERT_TRUE(ref.IsValid());
    EXPECT_FLOAT_EQ(ref.GetFloat(), 0.5f);
}

TEST_F(EngineConsoleTest, CommandText)
{
    Tier0OutputCapture capture;
    control->ExecuteCommandText("test_volume 2; test_say \"hi there\" x\ntest_nothing");
    EXPECT_FLOAT_EQ(s_Volume.GetFloat(), 1.0f);  // clamped
    EXPECT_STREQ(s_Volume.GetString(), "1.000000");
    ASSERT_EQ(s_Said.size(), 1u);
    EXPECT_EQ(s_Said[0], "\"hi there\" x|hi there");
    EXPECT_NE(capture.All().find("Unknown command \"test_nothing\"\n"), std::string::npos);

    capture.Clear();
    control->ExecuteCommandText("test_volume");
    EXPECT_NE(capture.All().find("\"test_volume\" = \"1.000000\" ( def. \"0.5\" )"), std::string::npos);
    control->ExecuteCommandText("test_volume 0.5");
}

TEST_F(EngineConsoleTest, Completion)
{
    std::vector<std::string> names = control->AutoComplete("TEST_");
    EXPECT_NE(std::find(names.begin(), names.end(), "test_volume"), names.end());
    EXPECT_NE(std::find(names.begin(), names.end(), "test_say"), names.end());
    EXPECT_EQ(control->AutoComplete("test_say h"), (std::vector<std::string>{"test_say hello", "test_say world"}));
    EXPECT_TRUE(control->AutoComplete("test_volume x").empty());
}

TEST_F(EngineConsoleTest, GlobalChangeCallbacks)
{
    console->InstallGlobalChangeCallback(&GlobalChange);
    s_Volume.SetValue(0.25f);
    console->RemoveGlobalChangeCallback(&GlobalChange);
    s_Volume.SetValue(0.5f);
    EXPECT_EQ(s_GlobalChanges, (std::vector<std::string>{"test_volume:0.5"}));
}

TEST_F(EngineConsoleTest, MaterialThreadQueue)
{
    control->SetMaterialThreadSetAllowed(false);
    s_MatVar.SetValue("5");
    s_MatVar.SetValue(6);
    EXPECT_EQ(s_MatVar.GetInt(), 1);
    console->ProcessQueuedMaterialThreadConVarSets();
    EXPECT_EQ(s_MatVar.GetInt(), 6);
    control->SetMaterialThreadSetAllowed(true);
}

TEST_F(EngineConsoleTest, UnregisterByModule)
{
    ConVar late("test_late_engine", "1");
    EXPECT_EQ(console->FindVar("test_late_engine"), &late);
    console->UnregisterConCommand(&late);
    EXPECT_EQ(console->FindVar("test_late_engine"), nullptr);
    ConCommandBase::s_pConCommandBases = nullptr;

    int before = control->RegisteredCount();
    ConVar_Unregister();
    EXPECT_LT(control->RegisteredCount(), before);
    EXPECT_EQ(console->FindVar("test_volume"), nullptr);
    EXPECT_FALSE(s_Volume.IsRegistered());
}

}  // namespace
