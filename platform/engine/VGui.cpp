// The stand-in vgui loop ("VGUI_ivgui008"): engine panel ids and handles, deferred deletion,
// the message queue with delays on the vgui system's clock, tick signals, and the frame that
// drives them (through the stand-in controls "ZvVGuiStandIn001").
#include <cstdarg>
#include <cstdio>
#include <vector>

#include "VGuiInternal.h"
#include "tier0/dbg.h"
#include "tier1/KeyValues.h"
#include "tier1/interface.h"
#include "vgui/IClientPanel.h"
#include "vgui/IPanel.h"
#include "vgui/IVGui.h"
#include "vgui/standin.h"

using vgui::VPANEL;

namespace
{
struct Message
{
	VPANEL target;
	VPANEL from;
	KeyValues *params;
	double due;
	unsigned long long order;
};

struct TickSignal
{
	VPANEL panel;
	int interval;
	double next;
};

// Messages dispatched in one frame at most: a panel that answers every message with a new
// immediate one cannot hold the frame forever.
const int kMaxMessagesPerFrame = 100000;

std::vector<Message> s_Messages;
std::vector<TickSignal> s_Ticks;
std::vector<VPANEL> s_ToDelete;
unsigned long long s_MessageOrder = 0;
bool s_Running = true;

vgui::IPanel *Panels()
{
	static vgui::IPanel *s_panels = static_cast<vgui::IPanel *>(CreateInterface(VGUI_PANEL_INTERFACE_VERSION, nullptr));
	return s_panels;
}

// The earliest due message (ties in posting order), or -1.
int NextDue(double now)
{
	int best = -1;
	for (size_t i = 0; i < s_Messages.size(); ++i)
	{
		const Message &m = s_Messages[i];
		if (m.due > now)
			continue;
		if (best < 0 || m.due < s_Messages[best].due ||
		    (m.due == s_Messages[best].due && m.order < s_Messages[best].order))
			best = static_cast<int>(i);
	}
	return best;
}

void DispatchMessages()
{
	double now = vguistandin::CurrentTime();
	for (int n = 0; n < kMaxMessagesPerFrame; ++n)
	{
		int at = NextDue(now);
		if (at < 0)
			return;
		Message m = s_Messages[at];
		s_Messages.erase(s_Messages.begin() + at);
		if (vgui::IClientPanel *client = vguistandin::Client(m.target))
			client->OnMessage(m.params, m.from);
		m.params->deleteThis();
	}
}

void RunTicks()
{
	double now = vguistandin::CurrentTime();
	std::vector<TickSignal> due;
	for (TickSignal &t : s_Ticks)
		if (t.next <= now)
		{
			due.push_back(t);
			t.next = now + t.interval / 1000.0;
		}
	for (const TickSignal &t : due)
		if (vgui::IClientPanel *client = vguistandin::Client(t.panel))
			client->OnTick();
}

void ThinkOne(VPANEL p)
{
	if (vgui::IClientPanel *client = vguistandin::Client(p))
		client->Think();
}

void SchemeOne(VPANEL p)
{
	if (vgui::IClientPanel *client = vguistandin::Client(p))
		client->PerformApplySchemeSettings();
}

void DeleteMarked()
{
	std::vector<VPANEL> marked;
	marked.swap(s_ToDelete);
	for (VPANEL p : marked)
		if (vguistandin::IsValidPanel(p))
			Panels()->DeletePanel(p);
}

class VGui final : public vgui::IVGui, public IVGuiStandIn
{
public:
	VPANEL AllocPanel() override { return vguistandin::NewPanel(); }
	void FreePanel(VPANEL panel) override { vguistandin::FreePanel(panel); }
	vgui::HPanel PanelToHandle(VPANEL panel) override
	{
		return vguistandin::IsValidPanel(panel) ? panel : vgui::INVALID_PANEL;
	}
	VPANEL HandleToPanel(vgui::HPanel index) override
	{
		return index != vgui::INVALID_PANEL && vguistandin::IsValidPanel(index) ? index : 0;
	}
	bool IsRunning() override { return s_Running; }
	void MarkPanelForDeletion(VPANEL panel) override
	{
		if (vguistandin::IsValidPanel(panel))
			s_ToDelete.push_back(panel);
	}
	void PostMessage(VPANEL target, KeyValues *params, VPANEL from, float delaySeconds) override
	{
		if (!params)
			return;
		double delay = delaySeconds > 0.0f ? delaySeconds : 0.0;
		s_Messages.push_back({ target, from, params, vguistandin::CurrentTime() + delay, s_MessageOrder++ });
	}
	void AddTickSignal(VPANEL panel, int intervalMilliseconds) override
	{
		if (!vguistandin::IsValidPanel(panel))
			return;
		int interval = intervalMilliseconds > 0 ? intervalMilliseconds : 0;
		for (TickSignal &t : s_Ticks)
			if (t.panel == panel)
			{
				t.interval = interval;
				return;
			}
		s_Ticks.push_back({ panel, interval, vguistandin::CurrentTime() + interval / 1000.0 });
	}
	void RemoveTickSignal(VPANEL panel) override
	{
		for (size_t i = 0; i < s_Ticks.size(); ++i)
			if (s_Ticks[i].panel == panel)
			{
				s_Ticks.erase(s_Ticks.begin() + i);
				return;
			}
	}
	void DPrintf(const char *format, ...) override
	{
		char text[2048];
		va_list args;
		va_start(args, format);
		vsnprintf(text, sizeof(text), format, args);
		va_end(args);
		Msg("%s", text);
	}

	void RunFrame() override
	{
		vguistandin::ApplyInputEvents();
		DispatchMessages();
		RunTicks();
		VPANEL root = vguistandin::RootPanel();
		vguistandin::ForEachInTree(root, &ThinkOne);
		vguistandin::ForEachInTree(root, &SchemeOne);
		DeleteMarked();
	}
	void Paint() override { vguistandin::PaintFrame(); }
	void SetRunning(bool running) override { s_Running = running; }
	void SetScreenSize(int wide, int tall) override { vguistandin::SetScreenSize(wide, tall); }
	const std::vector<VGuiDrawRecord> &DrawLog() const override;
	void ClearDrawLog() override;
	uint32_t Pixel(int x, int y) const override;
	void DefineTexture(const char *fileName, int wide, int tall, const unsigned char *rgba) override;
	void QueueCursorMove(int x, int y) override;
	void QueueButton(ButtonCode_t code, bool down) override;
	int PendingMessageCount() const override { return static_cast<int>(s_Messages.size()); }
	int LivePanelCount() const override { return vguistandin::LivePanelCount(); }
	void Reset() override;
	void SetViewportOffset(int x, int y) override { vguistandin::SurfaceSetViewportOffset(x, y); }
	void QueueKeyTyped(wchar_t unichar) override { vguistandin::QueueKeyTyped(unichar); }
	void QueueMouseWheel(int delta) override { vguistandin::QueueMouseWheel(delta); }
	void SetKeyFocus(VPANEL panel) override { vguistandin::SetKeyFocus(panel); }
	const std::vector<int> &UnhandledKeys() const override { return vguistandin::UnhandledKeys(); }
	const std::vector<std::string> &SoundsPlayed() const override { return vguistandin::SoundsPlayed(); }
	vgui::HCursor SurfaceCursor() const override { return vguistandin::SurfaceCursor(); }
	int MouseVisibilityChecks() const override { return vguistandin::MouseVisibilityChecks(); }
	void SetCursorVisible(bool visible) override { vguistandin::SetCursorVisible(visible); }
	void SetConsoleVisible(bool visible) override { vguistandin::SetConsoleVisible(visible); }
};

VGui s_VGui;

void *CreateVGui() { return static_cast<vgui::IVGui *>(&s_VGui); }
void *CreateVGuiStandIn() { return static_cast<IVGuiStandIn *>(&s_VGui); }

InterfaceReg s_VGuiReg(&CreateVGui, VGUI_IVGUI_INTERFACE_VERSION);
InterfaceReg s_VGuiStandInReg(&CreateVGuiStandIn, VGUI_STANDIN_INTERFACE_VERSION);
}

namespace vguistandin
{
void ForgetPanel(VPANEL panel)
{
	s_VGui.RemoveTickSignal(panel);
}

}

namespace
{
const std::vector<VGuiDrawRecord> &VGui::DrawLog() const { return vguistandin::SurfaceDrawLog(); }
void VGui::ClearDrawLog() { vguistandin::SurfaceClearDrawLog(); }
uint32_t VGui::Pixel(int x, int y) const { return vguistandin::SurfacePixel(x, y); }
void VGui::DefineTexture(const char *fileName, int wide, int tall, const unsigned char *rgba)
{
	vguistandin::SurfaceDefineTexture(fileName, wide, tall, rgba);
}
void VGui::QueueCursorMove(int x, int y) { vguistandin::QueueCursorMove(x, y); }
void VGui::QueueButton(ButtonCode_t code, bool down) { vguistandin::QueueButton(code, down); }
void VGui::Reset()
{
	for (Message &m : s_Messages)
		m.params->deleteThis();
	s_Messages.clear();
	s_Ticks.clear();
	s_ToDelete.clear();
	s_Running = true;
	vguistandin::ResetInput();
	vguistandin::ResetEngineVGui();
	vguistandin::SurfaceReset();
	vguistandin::ResetSchemes();
}
}
