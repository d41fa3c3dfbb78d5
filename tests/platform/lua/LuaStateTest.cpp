// One state of the stand-in Lua service: calls from outside any script and the thread that
// bindings run on.
#include <gtest/gtest.h>

#include "lua/ILuaInterface.h"
#include "lua/ILuaShared.h"
#include "lua/standin.h"

namespace
{
// A binding as the plug-in writes them: it makes the state current for the thread it was
// called on.
int Binding(lua_State *L)
{
	ILuaInterface *lua = LuaInterfaceOf(L);
	lua->MakeCurrent(L);
	lua->PushNumber(7);
	return 1;
}

// A binding that calls its argument and answers the result plus one.
int CallArgument(lua_State *L)
{
	ILuaInterface *lua = LuaInterfaceOf(L);
	lua->MakeCurrent(L);
	lua->Push(1);
	if (!lua->PCall(0, 1, 0))
		return 0;
	lua->PushNumber(lua->GetNumber(-1) + 1);
	return 1;
}

// The pseudo-index of the globals table in the Lua 5.1 API the stand-in is built on.
const int kGlobalsIndex = -10002;
}

class LuaStateTest : public ::testing::Test
{
protected:
	void SetUp() override
	{
		lua = LuaStandIn::Service()->CreateLuaInterface(LUASTATE_MENU, false);
		ASSERT_NE(nullptr, lua);
		lua->Init(nullptr, false);
		lua->PushString("bind", 0);
		lua->PushCFunction(Binding);
		lua->SetTable(kGlobalsIndex);
		lua->PushString("callArgument", 0);
		lua->PushCFunction(CallArgument);
		lua->SetTable(kGlobalsIndex);
	}
	void TearDown() override { LuaStandIn::DestroyService(); }

	bool Run(const char *code) { return lua->RunString("test", "", code, true, true); }
	ILuaInterface *lua = nullptr;
};

// A binding called inside a coroutine makes that thread current; once the outermost call has
// returned, calls from outside must work on the main thread again, not on a coroutine that
// may have been collected since.
TEST_F(LuaStateTest, OutsideCallsReturnToTheMainThreadAfterACoroutineRanABinding)
{
	ASSERT_TRUE(Run("function viaCoroutine() local co = coroutine.wrap(function() return bind() end) "
	                "seen = co() end"));
	lua->PushString("viaCoroutine", 0);
	lua->GetTable(kGlobalsIndex);
	lua->Call(0, 0);  // from outside any script, as a hook or a console command calls in
	ASSERT_TRUE(Run("collectgarbage() collectgarbage()"));  // the finished coroutine goes away
	int top = lua->Top();
	lua->PushString("seen", 0);
	lua->GetTable(kGlobalsIndex);
	EXPECT_EQ(7, lua->GetNumber(-1));
	lua->Pop(1);
	EXPECT_EQ(top, lua->Top());

	// The same through a protected call.
	lua->PushString("viaCoroutine", 0);
	lua->GetTable(kGlobalsIndex);
	EXPECT_TRUE(lua->PCall(0, 0, 0));
	ASSERT_TRUE(Run("collectgarbage() collectgarbage() seen = nil"));
	lua->PushString("seen", 0);
	lua->GetTable(kGlobalsIndex);
	EXPECT_EQ(LUA_TYPE_NIL, lua->GetType(-1));
	lua->Pop(1);
}

// The same inside a binding: after its own call into Lua it goes on with its own thread.
TEST_F(LuaStateTest, ABindingGoesOnWithItsThreadAfterACoroutineRanInside)
{
	ASSERT_TRUE(Run("r = callArgument(function() return coroutine.wrap(function() return bind() end)() end)"));
	lua->PushString("r", 0);
	lua->GetTable(kGlobalsIndex);
	EXPECT_EQ(8, lua->GetNumber(-1));
	lua->Pop(1);
	ASSERT_TRUE(Run("r = coroutine.wrap(function() return callArgument(function() "
	                "return coroutine.wrap(function() return bind() end)() end) end)()"));
	lua->PushString("r", 0);
	lua->GetTable(kGlobalsIndex);
	EXPECT_EQ(8, lua->GetNumber(-1));
	lua->Pop(1);
}
