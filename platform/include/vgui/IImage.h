// The engine's image interface: something drawable at a position with a size and a colour
// (text images, marks, bitmaps).
#pragma once

#include "tier1/Color.h"
#include "vgui/VGUI.h"

namespace vgui
{
typedef unsigned long HTexture;

class IImage
{
public:
	virtual void Paint() = 0;
	virtual void SetPos(int x, int y) = 0;
	virtual void GetContentSize(int &wide, int &tall) = 0;
	virtual void GetSize(int &wide, int &tall) = 0;
	virtual void SetSize(int wide, int tall) = 0;
	virtual void SetColor(Color col) = 0;
	virtual ~IImage() = default;
	// Frees what the image keeps loaded; true when it did.
	virtual bool Evict() = 0;
	virtual int GetNumFrames() = 0;
	virtual void SetFrame(int frame) = 0;
	virtual HTexture GetID() = 0;
	virtual void SetRotation(int rotation) = 0;
};
}
