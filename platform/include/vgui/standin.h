// Controls of the engine's vgui stand-in for hosts and tests ("ZvVGuiStandIn001" from the
// engine's factory): running frames, painting, the draw log and frame pixels, textures,
// input events. The system's own code never includes this header.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "inputsystem/ButtonCode.h"
#include "vgui/ISurface.h"
#include "vgui/VGUI.h"

#define VGUI_STANDIN_INTERFACE_VERSION "ZvVGuiStandIn001"

// One drawing call of the surface, in screen coordinates before clipping; the colour's alpha
// includes the alpha multiplier.
struct VGuiDrawRecord
{
	enum Kind
	{
		FilledRect,
		FadedRect,
		OutlinedRect,
		Line,
		TexturedRect,
		Glyph,  // one printed character: its cell from the pen position, advance by font height
		TexturedPolygon,  // x0, y0 .. x1, y1: bounding box; texture and the vertices below
		Circle,  // centre at (x0, y0), radius below
	};
	Kind kind;
	vgui::VPANEL panel;  // the panel current while drawing, 0 for none
	int x0, y0, x1, y1;
	unsigned char r, g, b, a;
	int texture;               // TexturedRect: the texture id
	unsigned alpha0, alpha1;   // FadedRect
	bool horizontal;           // FadedRect
	wchar_t character;         // Glyph
	vgui::HFont font;          // Glyph
	int vertexCount;           // TexturedPolygon: vertices kept (at most 8), screen x, y and u, v
	float vertices[8][4];
	float s0, t0, s1, t1;      // TexturedRect: the part of the texture shown (0, 0, 1, 1: all of it)
	float radius;              // Circle
};

// The surface's built-in test font: every glyph (space included) advances by half the font
// height (at least 1 pixel), is the font height tall, and is drawn as a solid box of that size
// (space and control characters draw nothing); no kerning.
#define VGUI_STANDIN_FIXED_FONT "ZvFixed"

class IVGuiStandIn
{
public:
	// One frame of the engine's vgui loop: input events (sent at once to the panel under the
	// cursor or holding capture, and to the panel with key focus, then the focus ticks), due
	// messages, tick signals, Think over the tree, scheme settings, then the deletions asked for.
	virtual void RunFrame() = 0;
	// Clears the frame to transparent black and paints the tree, popups last.
	virtual void Paint() = 0;
	virtual void SetRunning(bool running) = 0;
	virtual void SetScreenSize(int wide, int tall) = 0;

	virtual const std::vector<VGuiDrawRecord> &DrawLog() const = 0;
	virtual void ClearDrawLog() = 0;
	// Frame pixel as 0xAABBGGRR (bytes r, g, b, a in memory order); 0 outside the frame.
	virtual uint32_t Pixel(int x, int y) const = 0;

	// The pixels a texture file name stands for: wide x tall RGBA bytes (null: opaque white).
	virtual void DefineTexture(const char *fileName, int wide, int tall, const unsigned char *rgba) = 0;

	// Input events, applied to the input state at the next RunFrame.
	virtual void QueueCursorMove(int x, int y) = 0;
	virtual void QueueButton(ButtonCode_t code, bool down) = 0;

	// Messages still queued; the number of engine panels alive (the root panel included).
	virtual int PendingMessageCount() const = 0;
	virtual int LivePanelCount() const = 0;

	// Forgets queued messages and events, tick signals, the draw log, textures and schemes,
	// and sets the default screen size of 640 x 480.
	virtual void Reset() = 0;

	// Where the full-screen viewport sits on the real screen (0, 0 after Reset).
	virtual void SetViewportOffset(int x, int y) = 0;
	// More input events for the next RunFrame: a typed character, wheel movement (notches,
	// positive away from the user).
	virtual void QueueKeyTyped(wchar_t unichar) = 0;
	virtual void QueueMouseWheel(int delta) = 0;
	// Pins key focus to a panel; 0 lets the engine choose it again (the top popup's own
	// choice of focus, else the popup).
	virtual void SetKeyFocus(vgui::VPANEL panel) = 0;
	// What panels told the engine: key codes reported unhandled, sounds played and the
	// cursor last set on the surface (dc_arrow at start).
	virtual const std::vector<int> &UnhandledKeys() const = 0;
	virtual const std::vector<std::string> &SoundsPlayed() const = 0;
	virtual vgui::HCursor SurfaceCursor() const = 0;
	// How often the surface was asked to recompute the cursor's visibility.
	virtual int MouseVisibilityChecks() const = 0;
	// Whether the surface reports the mouse cursor as shown (true at start and after Reset).
	virtual void SetCursorVisible(bool visible) = 0;
	// Whether the engine vgui reports the console as shown (false at start and after Reset).
	virtual void SetConsoleVisible(bool visible) = 0;

protected:
	~IVGuiStandIn() = default;
};
