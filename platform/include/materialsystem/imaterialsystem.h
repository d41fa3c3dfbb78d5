// The material system ("VMaterialSystem080"): materials and textures by name.
#pragma once

#include "materialsystem/imaterial.h"
#include "materialsystem/imaterialvar.h"
#include "materialsystem/itexture.h"

#define MATERIAL_SYSTEM_INTERFACE_VERSION "VMaterialSystem080"

class KeyValues;

class IMaterialSystem
{
public:
	// The material of that name, loaded on first request; the error material when none exists.
	virtual IMaterial *FindMaterial(const char *materialName, const char *textureGroupName, bool complain = true,
	                                const char *complainPrefix = nullptr) = 0;
	// The texture of that name, loaded on first request; the error texture when none exists.
	virtual ITexture *FindTexture(const char *textureName, const char *textureGroupName, bool complain = true) = 0;
	// A new material named materialName: the tree's name is the shader, its keys the variables.
	// The material system takes the tree. Null when the name is taken or the tree is missing.
	virtual IMaterial *CreateMaterial(const char *materialName, KeyValues *pVMTKeyValues) = 0;

protected:
	virtual ~IMaterialSystem() = default;
};
