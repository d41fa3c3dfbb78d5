// A menu Lua state of the stand-in Lua service, made current as g_Lua for one test.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "lua/ILuaInterface.h"
#include "lua/ILuaShared.h"
#include "lua/standin.h"
#include "menu/FoyerixGlobals.h"
#include "menu/LuaMenuCallback.h"

class MenuStateTest : public ::testing::Test
{
protected:
	void SetUp() override { OpenState(); }
	void TearDown() override { CloseState(); }

	void OpenState()
	{
		m_lua = LuaStandIn::Service()->CreateLuaInterface(LUASTATE_MENU, false);
		ASSERT_NE(nullptr, m_lua);
		m_lua->Init(&g_LuaCallback, false);
		g_Lua = m_lua;
	}

	void CloseState()
	{
		if (!m_lua)
			return;
		LuaStandIn::Service()->CloseLuaInterface(m_lua);
		g_Lua = nullptr;
		m_lua = nullptr;
	}

	// Runs code in the state; answers whether it ran without error.
	bool Run(const std::string &code) { return m_lua->RunString("test", "", code.c_str(), true, true); }

	// The value of a Lua expression as text (tostring).
	std::string Eval(const std::string &expr)
	{
		std::string code = "return tostring(" + expr + ")";
		if (!m_lua->CompileString("eval", code.c_str()))
		{
			m_lua->Pop(1);
			return "<compile error>";
		}
		const char *s = m_lua->CallInternalGetString(0);
		return s ? s : "<nil>";
	}

	ILuaInterface *m_lua = nullptr;
};
