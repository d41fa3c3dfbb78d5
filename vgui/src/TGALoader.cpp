// TGA reader: header, colour map, plain and run-length rows, and conversion of each row to RGBA.
// Every size taken from the file is checked in 64 bits before memory is sized by it, and reads
// past the end of the data yield zero bytes, so any input decodes or fails cleanly.
#include "vgui_controls/TGALoader.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace ImageLoader
{
namespace
{
const ImageFormatInfo_t g_ImageFormatInfo[] = {
	{ "RGBA8888", 4, 8, 8, 8, 8, false },
};
const ImageFormatInfo_t g_UnknownFormat = { "UNKNOWN", 0, 0, 0, 0, 0, false };
}

const ImageFormatInfo_t &ImageFormatInfo(ImageFormat fmt)
{
	if (fmt < 0 || fmt >= NUM_IMAGE_FORMATS)
		return g_UnknownFormat;
	return g_ImageFormatInfo[fmt];
}

int GetMemRequired(int width, int height, int depth, ImageFormat imageFormat, bool mipmap)
{
	if (width < 0 || height < 0 || depth < 0)
		return 0;
	const int64_t bytesPerPixel = ImageFormatInfo(imageFormat).m_NumBytes;
	int64_t total = 0;
	int64_t w = width, h = height, d = depth;
	for (;;)
	{
		total += w * h * d * bytesPerPixel;
		if (total > 0x7FFFFFFF)
			return 0;
		if (!mipmap || (w <= 1 && h <= 1 && d <= 1))
			break;
		w = std::max<int64_t>(1, w / 2);
		h = std::max<int64_t>(1, h / 2);
		d = std::max<int64_t>(1, d / 2);
	}
	return static_cast<int>(total);
}
}

namespace TGALoader
{
unsigned char g_ColorMap[1024];
int32_t g_PixelsLeftInPacket;
bool g_IsRunLengthPacket;

namespace
{
// The run packet's pixel, carried across rows with the two counters above.
unsigned char g_RunPixel[4];

// A read cursor over the bytes still to read; past the end every byte reads as 0.
class ByteSource
{
public:
	ByteSource(const unsigned char *data, int64_t size) : m_data(data), m_size(size > 0 ? size : 0) {}

	unsigned char Byte() { return m_pos < m_size ? m_data[m_pos++] : 0; }
	void Skip(int64_t n) { m_pos = std::min(m_size, m_pos + n); }
	// Copies n bytes, the part past the end as zeros.
	void Bytes(unsigned char *out, int64_t n)
	{
		int64_t avail = std::min(n, m_size - m_pos);
		if (avail > 0)
		{
			memcpy(out, m_data + m_pos, static_cast<size_t>(avail));
			m_pos += avail;
		}
		else
		{
			avail = 0;
		}
		if (n > avail)
			memset(out + avail, 0, static_cast<size_t>(n - avail));
	}

private:
	const unsigned char *m_data;
	int64_t m_size;
	int64_t m_pos = 0;
};

uint16_t Word(ByteSource &src)
{
	unsigned lo = src.Byte();
	unsigned hi = src.Byte();
	return static_cast<uint16_t>(lo | (hi << 8));
}

void ReadHeader(ByteSource &src, TGAHeader_t &h)
{
	h.id_length = src.Byte();
	h.colormap_type = src.Byte();
	h.image_type = src.Byte();
	h.colormap_index = Word(src);
	h.colormap_length = Word(src);
	h.colormap_size = src.Byte();
	h.x_origin = Word(src);
	h.y_origin = Word(src);
	h.width = Word(src);
	h.height = Word(src);
	h.pixel_size = src.Byte();
	h.attributes = src.Byte();
}

// How one row of file pixels becomes RGBA.
enum class Conversion
{
	BGR24,
	BGRA32,
	Grey8,
	Indexed8,
};

struct Plan
{
	Conversion conversion;
	bool runLength;
	int bytesPerPixel;  // of a file pixel
};

// The row reader for the header, or false when the image cannot be decoded.
bool ChoosePlan(const TGAHeader_t &h, Plan &plan)
{
	const bool colorMapped = h.colormap_length != 0;
	auto trueColour = [&](bool runLength) {
		if (h.pixel_size == 24)
			plan = { Conversion::BGR24, runLength, 3 };
		else if (h.pixel_size == 32)
			plan = { Conversion::BGRA32, runLength, 4 };
		else
			return false;
		return true;
	};
	switch (h.image_type)
	{
	case 1:
	case 3:
	case 9:
		// 8-bit indices or grey levels whatever the header's pixel size says.
		plan = { colorMapped ? Conversion::Indexed8 : Conversion::Grey8, h.image_type == 9, 1 };
		if (colorMapped && h.colormap_size != 8 && h.colormap_size != 24 && h.colormap_size != 32)
			return false;  // 15- and 16-bit maps are not decoded
		return true;
	case 2:
		return trueColour(false);
	case 10:
		return !colorMapped && trueColour(true);
	default:
		return false;
	}
}

void ConvertRow(const Plan &plan, int mapEntryBits, const unsigned char *in, unsigned char *out, int width)
{
	switch (plan.conversion)
	{
	case Conversion::BGR24:
		for (int x = 0; x < width; ++x, in += 3, out += 4)
			out[0] = in[2], out[1] = in[1], out[2] = in[0], out[3] = 255;
		break;
	case Conversion::BGRA32:
		for (int x = 0; x < width; ++x, in += 4, out += 4)
			out[0] = in[2], out[1] = in[1], out[2] = in[0], out[3] = in[3];
		break;
	case Conversion::Grey8:
		for (int x = 0; x < width; ++x, ++in, out += 4)
			out[0] = out[1] = out[2] = *in, out[3] = 255;
		break;
	case Conversion::Indexed8:
		for (int x = 0; x < width; ++x, ++in, out += 4)
		{
			// An 8-bit index stays inside the 1024-byte map for every decoded entry size.
			const unsigned i = *in;
			if (mapEntryBits == 32)
			{
				const unsigned char *e = g_ColorMap + 4 * i;
				out[0] = e[2], out[1] = e[1], out[2] = e[0], out[3] = e[3];
			}
			else if (mapEntryBits == 24)
			{
				const unsigned char *e = g_ColorMap + 3 * i;
				out[0] = e[2], out[1] = e[1], out[2] = e[0], out[3] = 255;
			}
			else
			{
				out[0] = out[1] = out[2] = g_ColorMap[i], out[3] = 255;
			}
		}
		break;
	}
}

// One row of run-length packets into row (width pixels of bytesPerPixel bytes); a packet not
// used up carries over to the next row.
void DecompressRow(ByteSource &src, unsigned char *row, int width, int bytesPerPixel)
{
	int left = width;
	while (left > 0)
	{
		if (g_PixelsLeftInPacket == 0)
		{
			const unsigned char header = src.Byte();
			g_PixelsLeftInPacket = (header & 0x7F) + 1;
			g_IsRunLengthPacket = (header & 0x80) != 0;
			if (g_IsRunLengthPacket)
				src.Bytes(g_RunPixel, bytesPerPixel);
		}
		const int n = std::min(g_PixelsLeftInPacket, left);
		if (g_IsRunLengthPacket)
		{
			for (int i = 0; i < n; ++i, row += bytesPerPixel)
				memcpy(row, g_RunPixel, static_cast<size_t>(bytesPerPixel));
		}
		else
		{
			src.Bytes(row, static_cast<int64_t>(n) * bytesPerPixel);
			row += static_cast<size_t>(n) * bytesPerPixel;
		}
		g_PixelsLeftInPacket -= n;
		left -= n;
	}
}

bool ReadSourceImage(ByteSource &src, const TGAHeader_t &h, const Plan &plan, unsigned char *pixels)
{
	const int width = h.width, height = h.height;
	g_PixelsLeftInPacket = 0;
	g_IsRunLengthPacket = false;
	std::vector<unsigned char> row(static_cast<size_t>(width) * plan.bytesPerPixel + 1);
	const bool topFirst = (h.attributes & 0x20) != 0;
	for (int n = 0; n < height; ++n)
	{
		if (plan.runLength)
			DecompressRow(src, row.data(), width, plan.bytesPerPixel);
		else
			src.Bytes(row.data(), static_cast<int64_t>(width) * plan.bytesPerPixel);
		const int outRow = topFirst ? n : height - 1 - n;
		ConvertRow(plan, h.colormap_size, row.data(), pixels + static_cast<size_t>(outRow) * width * 4, width);
	}
	return true;
}
}

bool LoadRGBA8888(CUtlBuffer &file, CUtlMemory<unsigned char, int> &pixels, int &width, int &height)
{
	const int remaining = file.GetBytesRemaining();
	const unsigned char *data =
		remaining > 0 ? static_cast<const unsigned char *>(file.PeekGet(0, 0)) : nullptr;
	ByteSource src(data, data ? remaining : 0);

	TGAHeader_t header;
	ReadHeader(src, header);
	src.Skip(header.id_length);

	// The colour map, as stored; bytes beyond this image's map read as 0.
	memset(g_ColorMap, 0, sizeof(g_ColorMap));
	if (header.colormap_length != 0)
	{
		const int64_t mapBytes = static_cast<int64_t>(header.colormap_size / 8) * header.colormap_length;
		if (mapBytes > static_cast<int64_t>(sizeof(g_ColorMap)))
			return false;
		src.Bytes(g_ColorMap, mapBytes);
	}

	Plan plan;
	if (!ChoosePlan(header, plan))
		return false;

	const int64_t needed = static_cast<int64_t>(header.width) * header.height * 4;
	if (needed > kMaxPixelBytes)
		return false;
	pixels.EnsureCapacity(static_cast<int>(needed));
	if (pixels.NumAllocated() < needed)
		return false;  // memory over an outside buffer too small for the image

	if (!ReadSourceImage(src, header, plan, pixels.Base()))
		return false;
	width = header.width;
	height = header.height;
	return true;
}
}
