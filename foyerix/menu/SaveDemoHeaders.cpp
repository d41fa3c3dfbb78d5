// Readers of the headers of saved games and demo recordings, field by field.
#include "menu/SaveDemoHeaders.h"

#include <cstring>

#include "tier1/utlbuffer.h"

bool ReadSaveHeader(CUtlBuffer &buf, zv_save_header &header)
{
	memset(&header, 0, sizeof(header));
	for (char &c : header.magic)
		c = buf.GetChar();
	if (memcmp(header.magic, "ZVS3", 4) != 0)
		return false;
	buf.GetString(header.mapname, sizeof(header.mapname));
	return true;
}

namespace
{
uint32_t ReadU32(const unsigned char *p)
{
	return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 | static_cast<uint32_t>(p[2]) << 16 |
	       static_cast<uint32_t>(p[3]) << 24;
}

int32_t ReadI32(const unsigned char *p)
{
	uint32_t u = ReadU32(p);
	int32_t i;
	memcpy(&i, &u, sizeof(i));
	return i;
}

float ReadF32(const unsigned char *p)
{
	uint32_t u = ReadU32(p);
	float f;
	memcpy(&f, &u, sizeof(f));
	return f;
}

void ReadName(const unsigned char *p, char (&out)[ZvDemoHeader::kNameSize + 1])
{
	size_t n = 0;
	while (n < ZvDemoHeader::kNameSize && p[n] != 0)
		++n;
	memcpy(out, p, n);
	out[n] = '\0';
}
}

bool ReadDemoHeader(const unsigned char *data, size_t size, ZvDemoHeader &header)
{
	memset(&header, 0, sizeof(header));
	if (!data || size < ZvDemoHeader::kSize || memcmp(data, "ZORV", 4) != 0)
		return false;
	header.demoprotocol = ReadI32(data + 8);
	header.networkprotocol = ReadI32(data + 12);
	ReadName(data + 16, header.servername);
	ReadName(data + 276, header.clientname);
	ReadName(data + 536, header.mapname);
	ReadName(data + 796, header.gamedirectory);
	header.playback_time = ReadF32(data + 1056);
	header.playback_ticks = ReadI32(data + 1060);
	header.playback_frames = ReadI32(data + 1064);
	header.signonlength = ReadI32(data + 1068);
	return true;
}
