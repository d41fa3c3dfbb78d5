// vgui::Image's fields and its drawing helpers over the engine surface, and vgui::ImageList.
#include "vgui_controls/Image.h"

#include "vgui/ISurface.h"
#include "vgui_controls/Controls.h"

namespace vgui
{
Image::Image() : _pos{ 0, 0 }, _size{ 0, 0 }, _color(255, 255, 255, 255)
{
	if (surface())
		DrawSetTextColor(Color(255, 255, 255, 255));
}

Image::~Image() = default;

void Image::SetPos(int x, int y)
{
	_pos[0] = x;
	_pos[1] = y;
}

void Image::GetPos(int &x, int &y)
{
	x = _pos[0];
	y = _pos[1];
}

void Image::GetContentSize(int &wide, int &tall) { GetSize(wide, tall); }

void Image::GetSize(int &wide, int &tall)
{
	wide = _size[0];
	tall = _size[1];
}

void Image::SetSize(int wide, int tall)
{
	_size[0] = wide;
	_size[1] = tall;
}

void Image::SetColor(Color color)
{
	_color = color;
	DrawSetTextColor(color);
}

Color Image::GetColor() { return _color; }
void Image::SetBkColor(Color color) { DrawSetColor(color); }
bool Image::Evict() { return false; }
int Image::GetNumFrames() { return 0; }
void Image::SetFrame(int) {}
HTexture Image::GetID() { return 0; }
void Image::SetRotation(int) {}

void Image::DrawSetColor(Color color) { surface()->DrawSetColor(color); }
void Image::DrawSetColor(int r, int g, int b, int a) { surface()->DrawSetColor(r, g, b, a); }

void Image::DrawFilledRect(int x0, int y0, int x1, int y1)
{
	surface()->DrawFilledRect(x0 + _pos[0], y0 + _pos[1], x1 + _pos[0], y1 + _pos[1]);
}

void Image::DrawOutlinedRect(int x0, int y0, int x1, int y1)
{
	surface()->DrawOutlinedRect(x0 + _pos[0], y0 + _pos[1], x1 + _pos[0], y1 + _pos[1]);
}

void Image::DrawLine(int x0, int y0, int x1, int y1)
{
	surface()->DrawLine(x0 + _pos[0], y0 + _pos[1], x1 + _pos[0], y1 + _pos[1]);
}

void Image::DrawPolyLine(int *px, int *py, int numPoints)
{
	for (int i = 0; px && py && i < numPoints; ++i)
	{
		px[i] += _pos[0];
		py[i] += _pos[1];
	}
	surface()->DrawPolyLine(px, py, numPoints);
}

void Image::DrawSetTextFont(HFont font) { surface()->DrawSetTextFont(font); }
void Image::DrawSetTextColor(Color color) { surface()->DrawSetTextColor(color); }
void Image::DrawSetTextColor(int r, int g, int b, int a) { surface()->DrawSetTextColor(r, g, b, a); }
void Image::DrawSetTextPos(int x, int y) { surface()->DrawSetTextPos(x + _pos[0], y + _pos[1]); }
void Image::DrawPrintText(const wchar_t *str, int strlen) { surface()->DrawPrintText(str, strlen); }

void Image::DrawPrintText(int x, int y, const wchar_t *str, int strlen)
{
	surface()->DrawSetTextPos(x + _pos[0], y + _pos[1]);
	surface()->DrawPrintText(str, strlen);
}

void Image::DrawPrintChar(wchar_t ch) { surface()->DrawUnicodeChar(ch); }

void Image::DrawPrintChar(int x, int y, wchar_t ch)
{
	surface()->DrawSetTextPos(x + _pos[0], y + _pos[1]);
	surface()->DrawUnicodeChar(ch);
}

void Image::DrawSetTexture(int id) { surface()->DrawSetTexture(id); }
void Image::DrawTexturedRect(int x0, int y0, int x1, int y1) { surface()->DrawTexturedRect(x0, y0, x1, y1); }

ImageList::ImageList(bool deleteImagesWhenDone) : m_bDeleteImagesWhenDone(deleteImagesWhenDone)
{
	// Entry 0 is reserved.
	m_Images.AddToTail(nullptr);
}

ImageList::~ImageList()
{
	if (m_bDeleteImagesWhenDone)
		for (int i = 1; i < m_Images.Count(); ++i)
			delete m_Images[i];
}

int ImageList::AddImage(IImage *image) { return m_Images.AddToTail(image); }

void ImageList::SetImageAtIndex(int index, IImage *image)
{
	if (index < 0)
		return;
	while (m_Images.Count() <= index)
		m_Images.AddToTail(nullptr);
	m_Images[index] = image;
}
}
