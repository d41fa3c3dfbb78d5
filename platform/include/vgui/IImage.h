// The engine's image interface: something with a position, a size and a colour that paints
// itself through the surface.
#pragma once

#include "tier1/Color.h"
#include "vgui/VGUI.h"

namespace vgui
{
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
	virtual bool Evict() = 0;
	virtual int GetNumFrames() = 0;
	virtual void SetFrame(int frame) = 0;
	virtual HTexture GetID() = 0;
	virtual void SetRotation(int rotation) = 0;
};
}
