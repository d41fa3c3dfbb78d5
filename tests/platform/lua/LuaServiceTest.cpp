// The stand-in shared Lua service: kinds kept apart, and no state ever given the address of a
// closed one.
#include <gtest/gtest.h>

#include <set>

#include "lua/ILuaInterface.h"
#include "lua/ILuaShared.h"
#include "lua/standin.h"

class LuaServiceTest : public ::testing::Test
{
protected:
	void TearDown() override { LuaStandIn::DestroyService(); }
	LuaSharedService *service = LuaStandIn::Service();
};

TEST_F(LuaServiceTest, KindsAreKeptApartAndUnknownKindsAreNull)
{
	EXPECT_EQ(nullptr, service->GetLuaInterface(LUASTATE_MENU));
	EXPECT_EQ(nullptr, service->CreateLuaInterface(LUASTATE_KIND_COUNT, false));
	EXPECT_EQ(nullptr, service->CreateLuaInterface(-1, false));
	ILuaInterface *menu = service->CreateLuaInterface(LUASTATE_MENU, false);
	ILuaInterface *client = service->CreateLuaInterface(LUASTATE_CLIENT, false);
	ASSERT_NE(nullptr, menu);
	ASSERT_NE(nullptr, client);
	EXPECT_NE(menu, client);
	EXPECT_EQ(menu, service->GetLuaInterface(LUASTATE_MENU));
	EXPECT_EQ(nullptr, service->GetLuaInterface(LUASTATE_HOST));
	service->CloseLuaInterface(menu);
	EXPECT_EQ(nullptr, service->GetLuaInterface(LUASTATE_MENU));
	EXPECT_EQ(client, service->GetLuaInterface(LUASTATE_CLIENT));
}

// References and timers compare their owner state by address: a reopened menu state at the
// address of the closed one would make the old state's reference numbers look current.
TEST_F(LuaServiceTest, ReopenedStatesNeverTakeTheAddressOfAClosedOne)
{
	std::set<ILuaInterface *> seen;
	for (int i = 0; i < 40; ++i)
	{
		ILuaInterface *lua = service->CreateLuaInterface(LUASTATE_MENU, false);
		ASSERT_NE(nullptr, lua);
		EXPECT_TRUE(seen.insert(lua).second) << "address reused after " << i << " reloads";
		if (i % 2)
			service->CloseLuaInterface(lua);  // else replaced by the next CreateLuaInterface
	}
	LuaStandIn::DestroyService();
	service = LuaStandIn::Service();
	ILuaInterface *lua = service->CreateLuaInterface(LUASTATE_MENU, false);
	EXPECT_EQ(0u, seen.count(lua)) << "a new service reused a closed state's address";
}
