// One variable of a material ("$basetexture", "$alpha", ...), readable as integer, float,
// text, vector or texture.
#pragma once

class ITexture;

class IMaterialVar
{
public:
	virtual const char *GetName() const = 0;
	virtual int GetIntValue() const = 0;
	virtual void SetIntValue(int val) = 0;
	virtual float GetFloatValue() const = 0;
	virtual void SetFloatValue(float val) = 0;
	// Null when the variable holds no text.
	virtual const char *GetStringValue() const = 0;
	virtual void SetStringValue(const char *val) = 0;
	virtual void SetVecValue(float x, float y, float z) = 0;
	// Copies up to numComps components (missing ones read 0).
	virtual void GetVecValue(float *val, int numComps) const = 0;
	// Null when the variable holds no texture.
	virtual ITexture *GetTextureValue() = 0;
	virtual void SetTextureValue(ITexture *texture) = 0;
	virtual bool IsDefined() const = 0;
	virtual void SetUndefined() = 0;

protected:
	virtual ~IMaterialVar() = default;
};
