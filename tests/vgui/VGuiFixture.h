// Panels over the stand-in engine (the menu harness connects the tier interfaces to it): the vgui services started
// under the module name "FOYERIX", a fresh vgui state, and a clock that only tests move.
#pragma once

#include <gtest/gtest.h>

#include <memory>

#include "fixtures/MenuLuaHarness.h"
#include "platform/engine/EngineLibrary.h"
#include "tier1/tier3.h"
#include "vgui/IPanel.h"
#include "vgui/ISurface.h"
#include "vgui/IVGui.h"
#include "vgui/standin.h"
#include "vgui_controls/Controls.h"
#include "vgui_controls/Panel.h"

class VGuiTest : public ::testing::Test
{
protected:
	void SetUp() override
	{
		m_harness.reset(new MenuLuaHarness());
		m_vgui = static_cast<IVGuiStandIn *>(EngineInterface(VGUI_STANDIN_INTERFACE_VERSION));
		ASSERT_NE(nullptr, m_vgui);
		m_vgui->Reset();
		ASSERT_TRUE(vgui::VGui_InitInterfacesList("FOYERIX", nullptr, 0));
		m_root = g_pVGuiSurface->GetEmbeddedPanel();
		m_baseline = m_vgui->LivePanelCount();
	}
	void TearDown() override
	{
		m_vgui->Reset();
		m_harness.reset();
	}

	// A panel under the root, so the engine thinks and paints it.
	vgui::Panel *NewRootChild(const char *name = nullptr)
	{
		auto *panel = new vgui::Panel(nullptr, name);
		panel->SetParent(m_root);
		return panel;
	}

	void Frame() { m_vgui->RunFrame(); }
	void Advance(double seconds) { m_harness->Advance(seconds); }

	std::unique_ptr<MenuLuaHarness> m_harness;
	IVGuiStandIn *m_vgui = nullptr;
	vgui::VPANEL m_root = 0;
	int m_baseline = 0;
};
