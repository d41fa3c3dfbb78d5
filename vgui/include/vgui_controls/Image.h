// vgui::Image: the base of drawable images. Keeps a position, a size and a colour, and draws
// through the engine surface relative to its position.
#pragma once

#include "tier1/Color.h"
#include "vgui/IImage.h"
#include "vgui/VGUI.h"

namespace vgui
{
class Image : public IImage
{
public:
	Image();
	~Image() override;

	void Paint() override = 0;
	void SetPos(int x, int y) override;
	void GetContentSize(int &wide, int &tall) override;
	void GetSize(int &wide, int &tall) override;
	void SetSize(int wide, int tall) override;
	void SetColor(Color color) override;
	bool Evict() override;
	int GetNumFrames() override;
	void SetFrame(int frame) override;
	HTexture GetID() override;
	void SetRotation(int rotation) override;

	virtual void GetPos(int &x, int &y);
	virtual void SetBkColor(Color color);
	virtual Color GetColor();

protected:
	virtual void DrawSetColor(Color color);
	virtual void DrawSetColor(int r, int g, int b, int a);
	virtual void DrawFilledRect(int x0, int y0, int x1, int y1);
	virtual void DrawOutlinedRect(int x0, int y0, int x1, int y1);
	virtual void DrawLine(int x0, int y0, int x1, int y1);
	// Shifts the caller's points by the image position before drawing.
	virtual void DrawPolyLine(int *px, int *py, int numPoints);
	virtual void DrawSetTextFont(HFont font);
	virtual void DrawSetTextColor(Color color);
	virtual void DrawSetTextColor(int r, int g, int b, int a);
	virtual void DrawSetTextPos(int x, int y);
	virtual void DrawPrintText(const wchar_t *str, int strlen);
	virtual void DrawPrintText(int x, int y, const wchar_t *str, int strlen);
	virtual void DrawPrintChar(wchar_t ch);
	virtual void DrawPrintChar(int x, int y, wchar_t ch);
	virtual void DrawSetTexture(int id);
	// Draws at the coordinates as given: the image position is not added.
	virtual void DrawTexturedRect(int x0, int y0, int x1, int y1);

private:
	int _pos[2];
	int _size[2];
	Color _color;
};
}
