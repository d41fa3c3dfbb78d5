// Inside the engine stand-in: the material system's textures with their pixels, shared by the
// material system and the host utility service.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "materialsystem/imaterialsystem.h"

namespace enginestandin
{
class Texture final : public ITexture
{
public:
	Texture(std::string name, int width, int height, std::vector<uint8_t> rgba, bool error)
		: m_name(std::move(name)), m_width(width), m_height(height), m_rgba(std::move(rgba)), m_error(error)
	{
	}
	~Texture() override = default;

	const char *GetName() const override { return m_name.c_str(); }
	int GetMappingWidth() const override { return m_width; }
	int GetMappingHeight() const override { return m_height; }
	int GetActualWidth() override { return m_width; }
	int GetActualHeight() override { return m_height; }
	bool IsError() const override { return m_error; }
	void Download(Rect_t *) override { ++m_downloads; }

	// Red, green, blue, alpha of a texel; 0 outside the image.
	uint32_t Texel(int x, int y) const;
	int Downloads() const { return m_downloads; }

private:
	std::string m_name;
	int m_width;
	int m_height;
	std::vector<uint8_t> m_rgba;
	bool m_error;
	int m_downloads = 0;
};

// The one material system of the engine.
class MaterialSystem;
MaterialSystem &Materials();

// A material whose $basetexture is the image of that name, made once per name and parameter
// text; null when no such image exists.
IMaterial *MaterialFromImage(const char *imageName, const char *parameters);
// An image that textures of that name take in place of a file.
void AddImage(const char *name, int width, int height, const uint8_t *rgba);
// How often the material was recomputed or precached; -1 for a material not of this system.
int MaterialRecomputes(IMaterial *material);
int MaterialPrecaches(IMaterial *material);
}
