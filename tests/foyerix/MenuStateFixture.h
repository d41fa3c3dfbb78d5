// A menu Lua state of the stand-in Lua service, made current as g_Lua for one test.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "fixtures/MenuLuaHarness.h"
#include "lua/ILuaInterface.h"

class MenuStateTest : public ::testing::Test
{
protected:
	void SetUp() override
	{
		m_harness.reset(new MenuLuaHarness());
		OpenState();
	}
	void TearDown() override { m_harness.reset(); }

	// A bare state: libraries and classes are installed by the test when it needs them.
	void OpenState()
	{
		m_lua = m_harness->Open(false);
		ASSERT_NE(nullptr, m_lua);
	}

	void CloseState()
	{
		m_harness->Close();
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

	std::unique_ptr<MenuLuaHarness> m_harness;
	ILuaInterface *m_lua = nullptr;
};
