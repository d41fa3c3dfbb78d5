// Tests of console variables and commands against a recording console: registration, setting
// rules, callbacks, the material-thread queue, dispatch, completion and references.
#include "tier1/convar.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "icvar.h"
#include "tier0/standin.h"
#include "tier1/tier1.h"

namespace {

// A console that records what the objects ask of it.
class RecordingCvar final : public ICvar
{
public:
    std::vector<ConCommandBase *> registered;
    std::vector<std::string> calls;
    std::vector<std::string> globalCallbacks;
    bool materialSetAllowed = true;
    int nextId = 7;

    CVarDLLIdentifier_t AllocateDLLIdentifier() override { return nextId++; }
    void RegisterConCommand(ConCommandBase *p) override
    {
        registered.push_back(p);
        p->SetRegistered(true);
    }
    void UnregisterConCommand(ConCommandBase *p) override {}
    void UnregisterConCommands(CVarDLLIdentifier_t id) override { calls.push_back("unregister " + std::to_string(id)); }
    const char *GetCommandLineValue(const char *) override { return nullptr; }
    ConCommandBase *FindCommandBase(const char *name) override
    {
        for (ConCommandBase *p : registered)
            if (strcasecmp(p->GetName(), name) == 0)
                return p;
        return nullptr;
    }
    ConVar *FindVar(const char *name) override
    {
        ConCommandBase *p = FindCommandBase(name);
        return p && !p->IsCommand() ? static_cast<ConVar *>(p) : nullptr;
    }
    ConCommand *FindCommand(const char *name) override
    {
        ConCommandBase *p = FindCommandBase(name);
        return p && p->IsCommand() ? static_cast<ConCommand *>(p) : nullptr;
    }
    void InstallGlobalChangeCallback(FnChangeCallback_t) override {}
    void RemoveGlobalChangeCallback(FnChangeCallback_t) override {}
    void CallGlobalChangeCallbacks(ConVar *var, const char *pOld, float flOld) override
    {
        globalCallbacks.push_back(std::string(var->GetName()) + ":" + pOld);
    }
    bool IsMaterialThreadSetAllowed() const override { return materialSetAllowed; }
    void QueueMaterialThreadSetValue(ConVar *, const char *v) override { calls.push_back(std::string("queue s ") + v); }
    void QueueMaterialThreadSetValue(ConVar *, int v) override { calls.push_back("queue i " + std::to_string(v)); }
    void QueueMaterialThreadSetValue(ConVar *, float) override { calls.push_back("queue f"); }
    void ProcessQueuedMaterialThreadConVarSets() override { calls.push_back("process"); }
    int GetCommandCount() const override { return static_cast<int>(registered.size()); }
    ConCommandBase *GetCommandAt(int index) override
    {
        return index >= 0 && index < GetCommandCount() ? registered[index] : nullptr;
    }
};

// Statics made at load, as the plug-in's are.
ConVar s_LoadVar("test_loadvar", "5", 0, "help text");
ConVar s_HiddenVar("test_unlisted", "1", FCVAR_UNREGISTERED);
int s_nLoadCommandCalls = 0;
ConCommand s_LoadCommand("test_loadcmd", []() { ++s_nLoadCommandCalls; });

struct ChangeLog
{
    static std::vector<std::string> entries;
    static void Callback(IConVar *var, const char *pOld, float flOld)
    {
        entries.push_back(std::string(var->GetName()) + ":" + pOld + ":" + std::to_string(flOld));
    }
};
std::vector<std::string> ChangeLog::entries;

// Registers the load-time objects once with a recording console for the whole suite.
class ConVarTest : public ::testing::Test
{
protected:
    static RecordingCvar *console;

    static void SetUpTestSuite()
    {
        console = new RecordingCvar;
        g_pCVar = cvar = console;
        ConVar_Register(FCVAR_CLIENTDLL);
    }
    static void TearDownTestSuite()
    {
        ConVar_Unregister();
        g_pCVar = cvar = nullptr;
        delete console;
    }
    // Objects made after start-up register themselves and are not withdrawn when destroyed;
    // the console forgets the ones each test made.
    size_t m_nRegisteredBefore = 0;
    void TearDown() override { console->registered.resize(m_nRegisteredBefore); }
    void SetUp() override
    {
        m_nRegisteredBefore = console->registered.size();
        console->calls.clear();
        console->globalCallbacks.clear();
        console->materialSetAllowed = true;
        ChangeLog::entries.clear();
    }
};
RecordingCvar *ConVarTest::console = nullptr;

TEST_F(ConVarTest, RegistrationAtStartUpAndAfter)
{
    auto has = [](ConCommandBase *p) {
        for (ConCommandBase *r : console->registered)
            if (r == p)
                return true;
        return false;
    };
    EXPECT_TRUE(has(&s_LoadVar));
    EXPECT_TRUE(has(&s_LoadCommand));
    EXPECT_FALSE(has(&s_HiddenVar));
    EXPECT_TRUE(s_LoadVar.IsRegistered());
    EXPECT_TRUE(s_LoadVar.IsFlagSet(FCVAR_CLIENTDLL));
    EXPECT_EQ(s_LoadVar.GetDLLIdentifier(), 7);
    EXPECT_EQ(ConCommandBase::s_pConCommandBases, nullptr);

    // made after start-up: registered at construction, pushed on the emptied list
    ConVar late("test_late", "2");
    EXPECT_TRUE(has(&late));
    EXPECT_EQ(ConCommandBase::s_pConCommandBases, &late);
    ConCommandBase::s_pConCommandBases = nullptr;  // late is going away

    // a second registration is ignored
    size_t before = console->registered.size();
    ConVar_Register(0);
    EXPECT_EQ(console->registered.size(), before);
}

TEST_F(ConVarTest, ConstructionValues)
{
    ConVar nullDefault("test_nulldef", nullptr, FCVAR_UNREGISTERED);
    EXPECT_STREQ(nullDefault.GetString(), "");
    EXPECT_EQ(nullDefault.GetInt(), 0);
    EXPECT_STREQ(nullDefault.GetHelpText(), "");
    EXPECT_FALSE(nullDefault.IsCommand());
    EXPECT_TRUE(s_LoadCommand.IsCommand());

    ConVar frac("test_frac", "-2.7", FCVAR_UNREGISTERED);
    EXPECT_FLOAT_EQ(frac.GetFloat(), -2.7f);
    EXPECT_EQ(frac.GetInt(), -2);
    EXPECT_STREQ(frac.GetDefault(), "-2.7");
    EXPECT_STREQ(s_LoadVar.GetHelpText(), "help text");
}

TEST_F(ConVarTest, SettingRules)
{
    ConVar v("test_set", "0", FCVAR_UNREGISTERED, "", true, 1.0f, true, 10.0f, &ChangeLog::Callback);
    v.SetValue("abc");  // reads as 0, clamped to the minimum
    EXPECT_FLOAT_EQ(v.GetFloat(), 1.0f);
    EXPECT_STREQ(v.GetString(), "1.000000");
    v.SetValue(50);
    EXPECT_EQ(v.GetInt(), 10);
    EXPECT_STREQ(v.GetString(), "10");
    v.SetValue(2.5f);
    EXPECT_STREQ(v.GetString(), "2.500000");
    EXPECT_EQ(v.GetInt(), 2);
    ASSERT_EQ(ChangeLog::entries.size(), 3u);
    EXPECT_EQ(ChangeLog::entries[0], "test_set:0:0.000000");
    EXPECT_EQ(ChangeLog::entries[2], "test_set:10:10.000000");
    EXPECT_EQ(console->globalCallbacks.size(), 3u);

    // same float: nothing happens; same integer with another float: nothing either
    ChangeLog::entries.clear();
    v.SetValue(2.5f);
    EXPECT_TRUE(ChangeLog::entries.empty());
    ConVar half("test_half", "3.5", FCVAR_UNREGISTERED, "", &ChangeLog::Callback);
    half.SetValue(3);
    EXPECT_FLOAT_EQ(half.GetFloat(), 3.5f);
    EXPECT_TRUE(ChangeLog::entries.empty());

    // a text set runs the callbacks even when the text is unchanged
    half.SetValue("3.5");
    EXPECT_EQ(ChangeLog::entries.size(), 1u);

    // NaN becomes the minimum
    v.SetValue("nan");
    EXPECT_FLOAT_EQ(v.GetFloat(), 1.0f);
}

TEST_F(ConVarTest, NeverAsString)
{
    ConVar v("test_never", "keep", FCVAR_UNREGISTERED | FCVAR_NEVER_AS_STRING, "", &ChangeLog::Callback);
    v.SetValue("12");
    v.SetValue(4.5f);
    v.SetValue(9);
    EXPECT_STREQ(v.GetString(), "keep");
    EXPECT_EQ(v.GetInt(), 9);
    EXPECT_TRUE(ChangeLog::entries.empty());
    EXPECT_TRUE(console->globalCallbacks.empty());
}

TEST_F(ConVarTest, BufferGrowsButNeverShrinks)
{
    ConVar v("test_buf", "abc", FCVAR_UNREGISTERED);
    v.SetValue("a much longer value");
    EXPECT_STREQ(v.GetString(), "a much longer value");
    const char *before = v.GetString();
    v.SetValue("x");
    EXPECT_STREQ(v.GetString(), "x");
    EXPECT_EQ(v.GetString(), before);
    v.SetValue(v.GetString());  // setting its own text
    EXPECT_STREQ(v.GetString(), "x");
    v.SetValue(static_cast<const char *>(nullptr));
    EXPECT_STREQ(v.GetString(), "");
}

TEST_F(ConVarTest, MaterialThreadSetsAreQueued)
{
    ConVar v("test_mat", "1", FCVAR_UNREGISTERED | FCVAR_RELOAD_TEXTURES);
    console->materialSetAllowed = false;
    v.SetValue("2");
    v.SetValue(3);
    v.SetValue(4.0f);
    EXPECT_EQ(v.GetInt(), 1);
    EXPECT_EQ(console->calls, (std::vector<std::string>{"queue s 2", "queue i 3", "queue f"}));
    console->materialSetAllowed = true;
    v.SetValue("2");
    EXPECT_EQ(v.GetInt(), 2);
}

struct DispatchLog
{
    static std::string last;
    static void Command(const CCommand &args) { last = std::string(args[0]) + "|" + args.ArgS() + "|" + args[2]; }
};
std::string DispatchLog::last;

TEST_F(ConVarTest, DispatchStyles)
{
    CCommand args;
    ASSERT_TRUE(args.Tokenize("say  \"hello world\" 3"));
    EXPECT_EQ(args.ArgC(), 3);

    ConCommand newStyle("test_new", &DispatchLog::Command, nullptr, FCVAR_UNREGISTERED);
    newStyle.Dispatch(args);
    EXPECT_EQ(DispatchLog::last, "say|\"hello world\" 3|3");

    int before = s_nLoadCommandCalls;
    s_LoadCommand.Dispatch(args);
    EXPECT_EQ(s_nLoadCommandCalls, before + 1);

    struct Callback : ICommandCallback
    {
        int n = 0;
        void CommandCallback(const CCommand &) override { ++n; }
    } iface;
    ConCommand viaInterface("test_iface", &iface, nullptr, FCVAR_UNREGISTERED);
    viaInterface.Dispatch(args);
    EXPECT_EQ(iface.n, 1);

    ConCommand nullCallback("test_null", static_cast<FnCommandCallback_t>(nullptr), nullptr, FCVAR_UNREGISTERED);
    nullCallback.Dispatch(args);  // nothing
}

TEST_F(ConVarTest, CommandParsing)
{
    CCommand one;
    one.Tokenize("quit");
    EXPECT_EQ(one.ArgC(), 1);
    EXPECT_STREQ(one.ArgS(), "");
    EXPECT_STREQ(one[5], "");

    std::string tooLong(600, 'x');
    CCommand longCmd;
    EXPECT_FALSE(longCmd.Tokenize(tooLong.c_str()));
    EXPECT_EQ(longCmd.ArgC(), 0);

    std::string many;
    for (int i = 0; i < 100; ++i)
        many += "a ";
    CCommand manyCmd;
    manyCmd.Tokenize(many.c_str());
    EXPECT_EQ(manyCmd.ArgC(), CCommand::COMMAND_MAX_ARGC);

    const char *argv[] = {"echo", "two words", ""};
    CCommand built(3, argv);
    EXPECT_EQ(built.ArgC(), 3);
    EXPECT_STREQ(built[1], "two words");
    EXPECT_STREQ(built[2], "");
}

int CompleteThree(const char *partial, char commands[COMMAND_COMPLETION_MAXITEMS][COMMAND_COMPLETION_ITEM_LENGTH])
{
    strcpy(commands[0], "one");
    strcpy(commands[1], "two");
    strcpy(commands[2], partial);
    return 3;
}

int CompleteLying(const char *, char commands[COMMAND_COMPLETION_MAXITEMS][COMMAND_COMPLETION_ITEM_LENGTH])
{
    memset(commands[0], 'z', COMMAND_COMPLETION_ITEM_LENGTH);  // no terminator
    return 1000;  // more than there are
}

int CompleteNegative(const char *, char [COMMAND_COMPLETION_MAXITEMS][COMMAND_COMPLETION_ITEM_LENGTH])
{
    return -5;
}

TEST_F(ConVarTest, Completion)
{
    CUtlVector<CUtlString> list;
    list.AddToTail(CUtlString("existing"));
    ConCommand three("test_three", &DispatchLog::Command, nullptr, FCVAR_UNREGISTERED, &CompleteThree);
    EXPECT_TRUE(three.CanAutoComplete());
    EXPECT_EQ(three.AutoCompleteSuggest("test_three x", list), 3);
    ASSERT_EQ(list.Count(), 4);
    EXPECT_STREQ(list[0].Get(), "existing");
    EXPECT_STREQ(list[3].Get(), "test_three x");

    ConCommand lying("test_lying", &DispatchLog::Command, nullptr, FCVAR_UNREGISTERED, &CompleteLying);
    CUtlVector<CUtlString> lies;
    EXPECT_EQ(lying.AutoCompleteSuggest("", lies), COMMAND_COMPLETION_MAXITEMS);
    ASSERT_EQ(lies.Count(), COMMAND_COMPLETION_MAXITEMS);
    EXPECT_EQ(strlen(lies[0].Get()), static_cast<size_t>(COMMAND_COMPLETION_ITEM_LENGTH));
    EXPECT_STREQ(lies[1].Get(), "");

    ConCommand negative("test_neg", &DispatchLog::Command, nullptr, FCVAR_UNREGISTERED, &CompleteNegative);
    CUtlVector<CUtlString> none;
    EXPECT_EQ(negative.AutoCompleteSuggest("", none), 0);
    EXPECT_EQ(none.Count(), 0);

    ConCommand plain("test_plain", &DispatchLog::Command, nullptr, FCVAR_UNREGISTERED);
    EXPECT_FALSE(plain.CanAutoComplete());
    EXPECT_EQ(plain.AutoCompleteSuggest("x", none), 0);
}

TEST_F(ConVarTest, References)
{
    ConVarRef ref("TEST_LOADVAR");
    ASSERT_TRUE(ref.IsValid());
    EXPECT_EQ(ref.GetInt(), 5);
    ref.SetValue("6");
    EXPECT_EQ(s_LoadVar.GetInt(), 6);
    EXPECT_STREQ(ref.GetDefault(), "5");
    s_LoadVar.SetValue("5");

    Tier0OutputCapture capture;
    ConVarRef missing("test_missing");
    EXPECT_FALSE(missing.IsValid());
    EXPECT_STREQ(missing.GetString(), "0");
    EXPECT_EQ(missing.GetInt(), 0);
    missing.SetValue("9");  // ignored
    EXPECT_STREQ(missing.GetString(), "0");
    EXPECT_STREQ(missing.GetName(), "");
    EXPECT_EQ(capture.Of(Tier0OutputKind::Warning), "ConVarRef test_missing doesn't point to an existing ConVar\n");

    capture.Clear();
    ConVarRef quiet("test_missing2", true);
    EXPECT_FALSE(quiet.IsValid());
    EXPECT_EQ(capture.All(), "");

    ConVarRef cmd("test_loadcmd");  // a command is not a variable
    EXPECT_FALSE(cmd.IsValid());
}

TEST(ConVarNoConsole, WithoutConsoleNothingRegisters)
{
    ICvar *saved = g_pCVar;
    g_pCVar = cvar = nullptr;
    ConVar_Register(0);
    ConVar_Unregister();
    ConVarRef ref("test_loadvar", true);
    EXPECT_FALSE(ref.IsValid());
    g_pCVar = cvar = saved;
}

}  // namespace
