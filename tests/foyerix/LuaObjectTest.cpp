// CLuaObject and CLuaTable over a menu state of the stand-in Lua service.
#include <gtest/gtest.h>

#include "MenuStateFixture.h"
#include "lua/LuaObject.h"
#include "menu/FoyerixGlobals.h"

using LuaObjectTest = MenuStateTest;

TEST_F(LuaObjectTest, TableReplacesGlobalAndHoldsTypedMembers)
{
	ASSERT_TRUE(Run("T = { old = true }"));
	CLuaTable t("T");
	EXPECT_TRUE(t.isTable());
	EXPECT_EQ("nil", Eval("T.old"));

	t.SetMember(2.0f, true);   // number key: stores the number 1
	t.SetMember("b", true);    // text key: stores the boolean
	t.SetMember("id", 18446744073709551615ull);
	t.SetMember_FixKey("3", "three");
	t.SetMember_FixKey("0", "zero");
	t.SetMember_FixKey("word", 5.0f);
	EXPECT_EQ("1", Eval("T[2]"));
	EXPECT_EQ("true", Eval("T.b"));
	EXPECT_EQ("18446744073709551615", Eval("T.id"));
	EXPECT_EQ("three", Eval("T[3]"));
	EXPECT_EQ("zero", Eval("T['0']"));
	EXPECT_EQ("5", Eval("T.word"));
}

TEST_F(LuaObjectTest, MemberReadsAnswerDefaults)
{
	ASSERT_TRUE(Run("N = 42 T = { s = 'text', n = 7.9, b = false }"));
	CLuaObject n, t;
	n.SetFromGlobal("N");
	t.SetFromGlobal("T");
	EXPECT_EQ(42, n.GetInt());
	EXPECT_STREQ("", n.GetMemberStr("s", "dflt"));       // non-table, text key: empty text
	EXPECT_STREQ("dflt", n.GetMemberStr(1.0f, "dflt"));  // non-table, number key: the default
	EXPECT_STREQ("text", t.GetMemberStr("s", "dflt"));
	EXPECT_EQ(7, t.GetMemberInt("n", 0));
	EXPECT_EQ(-3, t.GetMemberInt("missing", -3));
	EXPECT_FALSE(t.GetMemberBool("b", true));
	EXPECT_TRUE(t.GetMemberBool("s", true));
	EXPECT_FALSE(t.GetBool());
	EXPECT_EQ(0, t.GetInt());

	CLuaObject member;
	t.GetMember("s", &member);
	EXPECT_TRUE(member.isString());
	t.GetMember("missing", &member);
	EXPECT_EQ(0, member.GetType());
	EXPECT_TRUE(member.isNil());
}

TEST_F(LuaObjectTest, TypedConstructorRaisesOnWrongType)
{
	static int s_calls = 0;
	auto fn = [](lua_State *L) -> int {
		LuaInterfaceOf(L)->MakeCurrent(L);
		CLuaObject obj(1, LUA_TYPE_TABLE);
		++s_calls;
		return 0;
	};
	m_lua->PushCFunction(fn);
	m_lua->PushNumber(3);
	EXPECT_FALSE(m_lua->PCall(1, 0, 0));
	EXPECT_NE(std::string::npos, std::string(m_lua->GetString(-1, nullptr)).find("table expected, got number"));
	m_lua->Pop(1);
	EXPECT_EQ(0, s_calls);

	// The reference taken before the error is given back: the next free number is the same.
	m_lua->PushNumber(0);
	int before = m_lua->ReferenceCreate();
	m_lua->ReferenceFree(before);
	for (int i = 0; i < 3; ++i)
	{
		m_lua->PushCFunction(fn);
		m_lua->PushNumber(3);
		EXPECT_FALSE(m_lua->PCall(1, 0, 0));
		m_lua->Pop(1);
	}
	m_lua->PushNumber(0);
	int after = m_lua->ReferenceCreate();
	m_lua->ReferenceFree(after);
	EXPECT_EQ(before, after);
}

TEST_F(LuaObjectTest, ReferenceOfAReplacedStateIsDroppedWithoutACall)
{
	ASSERT_TRUE(Run("A = { 'first state' }"));
	CLuaObject *old = new CLuaObject();
	old->SetFromGlobal("A");
	ASSERT_TRUE(old->isTable());

	// Replace the state, as a menu reload does; the new state reuses reference numbers.
	CloseState();
	OpenState();
	ASSERT_TRUE(Run("B = { 'second state' }"));
	CLuaObject fresh;
	fresh.SetFromGlobal("B");

	EXPECT_TRUE(old->isNil());
	EXPECT_EQ(-1, old->GetType());
	EXPECT_TRUE(old->Debug_IsUnreferenced());
	delete old;

	fresh.Push();
	EXPECT_STREQ("second state", (m_lua->PushNumber(1), m_lua->GetTable(-2), m_lua->GetString(-1, nullptr)));
	m_lua->Pop(2);
}

TEST_F(LuaObjectTest, PushMemberFastLeavesTableAndValue)
{
	ASSERT_TRUE(Run("T = { k = 'v' }"));
	CLuaObject t;
	t.SetFromGlobal("T");
	int top = m_lua->Top();
	m_lua->PushString("k", 0);
	EXPECT_TRUE(t.PushMemberFast(-1));
	EXPECT_EQ(top + 3, m_lua->Top());
	EXPECT_STREQ("v", m_lua->GetString(-1, nullptr));
	m_lua->Pop(3);
	m_lua->PushString("absent", 0);
	EXPECT_FALSE(t.PushMemberFast(-1));
	EXPECT_EQ(top + 2, m_lua->Top());
	m_lua->Pop(2);
}

TEST(LuaObjectDeathTest, PushWithoutStateStops)
{
	EXPECT_DEATH({
		g_Lua = nullptr;
		CLuaObject o;
		o.Push();
	}, "Pushing without Lua");
}
