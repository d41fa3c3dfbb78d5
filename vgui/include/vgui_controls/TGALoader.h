// TGA reader: decodes a Truevision TGA file held in memory (true-colour, colour-mapped and grey,
// plain or run-length encoded) into 32-bit RGBA pixels for the TGA image panel.
#pragma once

#include <cstdint>

#include "tier1/utlbuffer.h"
#include "tier1/utlmemory.h"

namespace ImageLoader
{
enum ImageFormat
{
	IMAGE_FORMAT_UNKNOWN = -1,
	IMAGE_FORMAT_RGBA8888 = 0,
	NUM_IMAGE_FORMATS
};

struct ImageFormatInfo_t
{
	const char *m_pName;
	int m_NumBytes;
	int m_NumRedBits;
	int m_NumGreenBits;
	int m_NumBlueBits;
	int m_NumAlphaBits;
	bool m_IsCompressed;
};

// The format's record; an unknown format gives the "UNKNOWN" record (0 bytes per pixel).
const ImageFormatInfo_t &ImageFormatInfo(ImageFormat fmt);
// Bytes an image of that size needs (each mip level down to 1x1 included when mipmap is set);
// 0 when the size is negative or does not fit in an int.
int GetMemRequired(int width, int height, int depth, ImageFormat imageFormat, bool mipmap);
}

namespace TGALoader
{
// The 18-byte file header, fields in file order.
struct TGAHeader_t
{
	uint8_t id_length;
	uint8_t colormap_type;
	uint8_t image_type;
	uint16_t colormap_index;
	uint16_t colormap_length;
	uint8_t colormap_size;
	uint16_t x_origin;
	uint16_t y_origin;
	uint16_t width;
	uint16_t height;
	uint8_t pixel_size;
	uint8_t attributes;
};

// Largest decoded image accepted, in bytes of RGBA pixels (8192 x 8192).
const int64_t kMaxPixelBytes = 8192LL * 8192LL * 4LL;

// Reader state shared by all loads (one image at a time, UI thread only).
extern unsigned char g_ColorMap[1024];
extern int32_t g_PixelsLeftInPacket;
extern bool g_IsRunLengthPacket;

// Decodes the file from the buffer's read position into width x height RGBA8888 pixels, top row
// first. False, leaving width and height untouched, for an unsupported image type or pixel
// size, a colour map over 1024 bytes or of an undecodable entry size, an image over
// kMaxPixelBytes, or pixel memory that cannot be grown to fit. Truncated pixel data reads as 0.
bool LoadRGBA8888(CUtlBuffer &file, CUtlMemory<unsigned char, int> &pixels, int &width, int &height);
}
