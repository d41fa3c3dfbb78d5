// Readers of the header of a saved game ("ZVS3") and of a demo recording ("ZORV").
#pragma once

#include <cstddef>
#include <cstdint>

class CUtlBuffer;

// A saved game starts with the magic and the NUL-terminated map name.
struct zv_save_header
{
	char magic[4];
	char mapname[512];
};

// Reads the header at the buffer's get position: four magic bytes (missing bytes read as 0)
// and the map name (at most 511 characters kept, the rest skipped). The header is zero-filled
// first. False when the magic is not "ZVS3".
bool ReadSaveHeader(CUtlBuffer &buf, zv_save_header &header);

// The first 1072 bytes of a demo file, little-endian.
struct ZvDemoHeader
{
	static constexpr size_t kSize = 1072;
	static constexpr size_t kNameSize = 260;

	int32_t demoprotocol;
	int32_t networkprotocol;
	// Each name holds at most 260 characters and always ends with a NUL.
	char servername[kNameSize + 1];
	char clientname[kNameSize + 1];
	char mapname[kNameSize + 1];
	char gamedirectory[kNameSize + 1];
	float playback_time;
	int32_t playback_ticks;
	int32_t playback_frames;
	int32_t signonlength;
};

// Reads the demo header from the start of the data. False when the data is shorter than the
// header or does not start with "ZORV"; a name without a NUL inside its field is cut at the
// field's end.
bool ReadDemoHeader(const unsigned char *data, size_t size, ZvDemoHeader &header);
