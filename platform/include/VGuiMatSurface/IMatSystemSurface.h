// The material-system side of the drawing surface ("MatSystemSurface008"): what the plug-in
// asks of it beyond the vgui surface.
#pragma once

class IMaterial;

#define MAT_SYSTEM_SURFACE_INTERFACE_VERSION "MatSystemSurface008"

class IMatSystemSurface
{
public:
	// While disabled, drawing is limited by the screen only, not by the current panel.
	virtual void DisableClipping(bool disable) = 0;
	// An outlined circle around the centre in the colour given.
	virtual void DrawColoredCircle(int centerX, int centerY, float radius, int r, int g, int b, int a) = 0;
	// Binds a texture id of the vgui surface to the material.
	virtual void DrawSetTextureMaterial(int id, IMaterial *material) = 0;

protected:
	virtual ~IMatSystemSurface() = default;
};
