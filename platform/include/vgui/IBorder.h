// A border from a scheme: lines along the panel's sides, an inset and a background type.
#pragma once

#include "vgui/VGUI.h"

class KeyValues;

namespace vgui
{
class IScheme;

class IBorder
{
public:
	enum backgroundtype_e
	{
		BACKGROUND_FILLED,
		BACKGROUND_TEXTURED,
		BACKGROUND_ROUNDEDCORNERS,
	};

	// Paints along the edges of the panel (made current first) or of a rectangle.
	virtual void Paint(VPANEL panel) = 0;
	virtual void Paint(int x0, int y0, int x1, int y1) = 0;
	virtual void SetInset(int left, int top, int right, int bottom) = 0;
	virtual void GetInset(int &left, int &top, int &right, int &bottom) = 0;
	virtual const char *GetName() = 0;
	virtual backgroundtype_e GetBackgroundType() = 0;
	// Whether the border paints before the panel's background and content.
	virtual bool PaintFirst() = 0;

protected:
	virtual ~IBorder() = default;
};
}
