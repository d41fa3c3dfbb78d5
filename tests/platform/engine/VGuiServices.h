// The engine's vgui services for the stand-in tests, a fresh vgui state per test, and a
// recording client for engine panels.
#pragma once

#include <string>
#include <vector>

#include "EngineLibrary.h"
#include "engine/standin.h"
#include "tier1/KeyValues.h"
#include "vgui/IClientPanel.h"
#include "vgui/IInput.h"
#include "vgui/IPanel.h"
#include "vgui/IScheme.h"
#include "vgui/ISurface.h"
#include "vgui/IVGui.h"
#include "vgui/standin.h"

// Records what the engine calls; answers with its own settings.
class RecordingClient : public vgui::IClientPanel
{
public:
	explicit RecordingClient(vgui::VPANEL panel, const char *module = "TESTS") : m_panel(panel), m_module(module) {}

	vgui::VPANEL GetVPanel() override { return m_panel; }
	void Think() override { calls.push_back("Think"); }
	void PerformApplySchemeSettings() override { calls.push_back("Scheme"); }
	void PaintTraverse(bool, bool) override { calls.push_back("Paint"); }
	void Repaint() override {}
	vgui::VPANEL IsWithinTraverse(int, int, bool) override { return m_panel; }
	void GetInset(int &l, int &t, int &r, int &b) override { l = t = r = b = 0; }
	void GetClipRect(int &x0, int &y0, int &x1, int &y1) override { x0 = y0 = x1 = y1 = 0; }
	void OnChildAdded(vgui::VPANEL) override { calls.push_back("ChildAdded"); }
	void OnSizeChanged(int w, int t) override { calls.push_back("Size " + std::to_string(w) + "x" + std::to_string(t)); }
	void InternalFocusChanged(bool) override {}
	bool RequestInfo(KeyValues *) override { return true; }
	void RequestFocus(int) override {}
	bool RequestFocusPrev(vgui::VPANEL) override { return false; }
	bool RequestFocusNext(vgui::VPANEL) override { return false; }
	void OnMessage(const KeyValues *params, vgui::VPANEL from) override
	{
		calls.push_back(std::string("Message ") + params->GetName());
		messageFrom = from;
	}
	vgui::VPANEL GetCurrentKeyFocus() override { return 0; }
	int GetTabPosition() override { return 0; }
	const char *GetName() override { return "recording"; }
	const char *GetClassName() override { return "RecordingClient"; }
	vgui::HScheme GetScheme() override { return 0; }
	bool IsProportional() override { return false; }
	bool IsAutoDeleteSet() override { return autoDelete; }
	void DeletePanel() override { calls.push_back("Delete"); }
	void *QueryInterface(vgui::EInterfaceID) override { return nullptr; }
	vgui::Panel *GetPanel() override { return reinterpret_cast<vgui::Panel *>(this); }
	const char *GetModuleName() override { return m_module; }
	void OnTick() override { calls.push_back("Tick"); }

	std::vector<std::string> calls;
	vgui::VPANEL messageFrom = 0;
	bool autoDelete = true;

private:
	vgui::VPANEL m_panel;
	const char *m_module;
};

class VGuiServicesTest : public ::testing::Test
{
protected:
	void SetUp() override
	{
		vgui = static_cast<vgui::IVGui *>(EngineInterface(VGUI_IVGUI_INTERFACE_VERSION));
		panels = static_cast<vgui::IPanel *>(EngineInterface(VGUI_PANEL_INTERFACE_VERSION));
		surface = static_cast<vgui::ISurface *>(EngineInterface(VGUI_SURFACE_INTERFACE_VERSION));
		schemes = static_cast<vgui::ISchemeManager *>(EngineInterface(VGUI_SCHEME_INTERFACE_VERSION));
		input = static_cast<vgui::IInput *>(EngineInterface(VGUI_INPUT_INTERFACE_VERSION));
		control = static_cast<IVGuiStandIn *>(EngineInterface(VGUI_STANDIN_INTERFACE_VERSION));
		engine = static_cast<IEngineStandIn *>(EngineInterface(ENGINE_STANDIN_INTERFACE_VERSION));
		ASSERT_TRUE(vgui && panels && surface && schemes && input && control && engine);
		control->Reset();
		engine->SetCurrentTime(0.0);
		root = surface->GetEmbeddedPanel();
	}
	void TearDown() override
	{
		for (vgui::VPANEL p : m_made)
			vgui->FreePanel(p);
		control->Reset();
	}

	// An engine panel with a recording client, freed after the test.
	vgui::VPANEL Make(RecordingClient **client = nullptr, vgui::VPANEL parent = 0)
	{
		vgui::VPANEL p = vgui->AllocPanel();
		m_clients.emplace_back(new RecordingClient(p));
		panels->Init(p, m_clients.back().get());
		if (parent)
			panels->SetParent(p, parent);
		if (client)
			*client = m_clients.back().get();
		m_made.push_back(p);
		return p;
	}

	vgui::IVGui *vgui = nullptr;
	vgui::IPanel *panels = nullptr;
	vgui::ISurface *surface = nullptr;
	vgui::ISchemeManager *schemes = nullptr;
	vgui::IInput *input = nullptr;
	IVGuiStandIn *control = nullptr;
	IEngineStandIn *engine = nullptr;
	vgui::VPANEL root = 0;

private:
	std::vector<vgui::VPANEL> m_made;
	std::vector<std::unique_ptr<RecordingClient>> m_clients;
};
