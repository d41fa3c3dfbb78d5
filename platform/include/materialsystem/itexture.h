// An engine texture: its name, sizes and whether it stands in for a texture that failed to load.
#pragma once

struct Rect_t
{
	int x, y, width, height;
};

class ITexture
{
public:
	virtual const char *GetName() const = 0;
	// Size the texture is mapped with (its source size).
	virtual int GetMappingWidth() const = 0;
	virtual int GetMappingHeight() const = 0;
	// Size of the image held in memory.
	virtual int GetActualWidth() = 0;
	virtual int GetActualHeight() = 0;
	// True for the texture handed out in place of one that could not be found.
	virtual bool IsError() const = 0;
	// Uploads the texture (the region only, when one is given).
	virtual void Download(Rect_t *pRect = nullptr) = 0;

protected:
	virtual ~ITexture() = default;
};
