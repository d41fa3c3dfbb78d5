// vgui::Image: the base of drawable images (position, size, colour, drawing relative to the
// position), and vgui::ImageList, an indexed list of images whose entry 0 is reserved.
#pragma once

#include "tier1/Color.h"
#include "tier1/utlvector.h"
#include "vgui/IImage.h"
#include "vgui/VGUI.h"

namespace vgui
{
class Image : public IImage
{
public:
	Image();

	void Paint() override = 0;
	void SetPos(int x, int y) override;
	void GetContentSize(int &wide, int &tall) override;
	void GetSize(int &wide, int &tall) override;
	void SetSize(int wide, int tall) override;
	void SetColor(Color color) override;
	~Image() override;
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
	// Shifts the caller's points by the image position, then draws them.
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
	// Draws at the coordinates given: the image position is not added.
	virtual void DrawTexturedRect(int x0, int y0, int x1, int y1);

private:
	int _pos[2];
	int _size[2];
	Color _color;
};

class ImageList
{
public:
	explicit ImageList(bool deleteImagesWhenDone);
	~ImageList();

	// Appends an image and returns its index (the first is 1).
	int AddImage(IImage *image);
	// Puts an image at an index, growing the list with empty entries as needed.
	void SetImageAtIndex(int index, IImage *image);
	// The caller passes a valid index.
	IImage *GetImage(int imageIndex) { return m_Images[imageIndex]; }
	int GetImageCount() { return m_Images.Count(); }
	bool IsValidIndex(int imageIndex) { return imageIndex >= 0 && imageIndex < m_Images.Count(); }

private:
	ImageList(const ImageList &) = delete;
	ImageList &operator=(const ImageList &) = delete;

	CUtlVector<IImage *> m_Images;
	bool m_bDeleteImagesWhenDone;
};
}
