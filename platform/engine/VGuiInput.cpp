// The stand-in input state ("VGUI_Input005"): cursor position, buttons held, the panel under
// the cursor, focus, mouse capture and the app-modal panel, updated from queued events.
#include <cstring>
#include <vector>

#include "VGuiInternal.h"
#include "tier1/interface.h"
#include "vgui/IInput.h"
#include "vgui/IPanel.h"

using vgui::VPANEL;

namespace
{
struct Event
{
	bool move;
	int x, y;
	ButtonCode_t code;
	bool down;
};

std::vector<Event> s_Events;
int s_CursorX = 0, s_CursorY = 0;
bool s_Down[JOYSTICK_FIRST] = {};
VPANEL s_Focus = 0, s_MouseOver = 0, s_Capture = 0, s_Modal = 0;

vgui::IPanel *Panels()
{
	static vgui::IPanel *s_panels = static_cast<vgui::IPanel *>(CreateInterface(VGUI_PANEL_INTERFACE_VERSION, nullptr));
	return s_panels;
}

bool ValidCode(int code) { return code >= 0 && code < JOYSTICK_FIRST; }

class Input final : public vgui::IInput
{
public:
	void GetCursorPos(int &x, int &y) override
	{
		x = s_CursorX;
		y = s_CursorY;
	}
	bool IsKeyDown(ButtonCode_t code) override { return code <= KEY_LAST && ValidCode(code) && s_Down[code]; }
	bool IsMouseDown(ButtonCode_t code) override
	{
		return code >= MOUSE_FIRST && code <= MOUSE_LAST && s_Down[code];
	}
	VPANEL GetFocus() override { return s_Focus; }
	VPANEL GetMouseOver() override { return s_MouseOver; }
	void SetMouseCapture(VPANEL panel) override { s_Capture = vguistandin::IsValidPanel(panel) ? panel : 0; }
	VPANEL GetMouseCapture() override { return s_Capture; }
	void SetAppModalSurface(VPANEL panel) override { s_Modal = vguistandin::IsValidPanel(panel) ? panel : 0; }
	VPANEL GetAppModalSurface() override { return s_Modal; }
	void ReleaseAppModalSurface() override { s_Modal = 0; }
	void OnKeyCodeUnhandled(int) override {}
};

Input s_Input;

void *CreateInput() { return static_cast<vgui::IInput *>(&s_Input); }

InterfaceReg s_InputReg(&CreateInput, VGUI_INPUT_INTERFACE_VERSION);
}

namespace vguistandin
{
void QueueCursorMove(int x, int y) { s_Events.push_back({ true, x, y, BUTTON_CODE_NONE, false }); }

void QueueButton(ButtonCode_t code, bool down) { s_Events.push_back({ false, 0, 0, code, down }); }

void ApplyInputEvents()
{
	std::vector<Event> events;
	events.swap(s_Events);
	for (const Event &e : events)
	{
		if (e.move)
		{
			s_CursorX = e.x;
			s_CursorY = e.y;
			VPANEL top = s_Modal ? s_Modal : RootPanel();
			s_MouseOver = Panels()->IsWithinTraverse(top, s_CursorX, s_CursorY, true);
		}
		else if (ValidCode(e.code))
			s_Down[e.code] = e.down;
	}
}

void ForgetInputPanel(VPANEL panel)
{
	if (s_Focus == panel)
		s_Focus = 0;
	if (s_MouseOver == panel)
		s_MouseOver = 0;
	if (s_Capture == panel)
		s_Capture = 0;
	if (s_Modal == panel)
		s_Modal = 0;
}

void ResetInput()
{
	s_Events.clear();
	s_CursorX = s_CursorY = 0;
	memset(s_Down, 0, sizeof(s_Down));
	s_Focus = s_MouseOver = s_Capture = s_Modal = 0;
}
}
