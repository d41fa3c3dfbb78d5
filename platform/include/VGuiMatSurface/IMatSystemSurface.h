// The material-system side of the drawing surface ("MatSystemSurface008"): what the plug-in
// asks of it beyond the vgui surface.
#pragma once

#define MAT_SYSTEM_SURFACE_INTERFACE_VERSION "MatSystemSurface008"

class IMatSystemSurface
{
public:
	// While disabled, drawing is limited by the screen only, not by the current panel.
	virtual void DisableClipping(bool disable) = 0;

protected:
	virtual ~IMatSystemSurface() = default;
};
