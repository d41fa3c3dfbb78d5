// The host's utility service, lent through IGet::Util: materials made from image names and
// parameter text, texel colours, and video writers.
#pragma once

#include <cstdint>

class IMaterial;
class ITexture;

// A video being recorded. The writer's size and record-sound flag sit right behind its
// interface pointer, where the plug-in reads and writes them.
class IVideoWriter
{
public:
	// Opens the video; answers an error text, empty on success.
	virtual const char *Start(const char *container, const char *videoCodec, const char *audioCodec, int width,
	                          int height, int fps, const char *name, int bitrate, float quality, bool raw) = 0;
	// Adds the current frame at the given time in seconds; x and y are the frame's origin.
	virtual void AddFrame(int x, int y, float frameTime) = 0;
	// Closes the video; later frames are ignored.
	virtual void Finish() = 0;
	// Frees the writer (finishing it first when still open).
	virtual void Destroy() = 0;

	int m_nWidth = 0;
	int m_nHeight = 0;
	int m_nReserved = 0;
	bool m_bRecordSound = false;

protected:
	virtual ~IVideoWriter() = default;
};

class IHostUtil
{
public:
	// The material of an image by name, made on first request; parameters are words such as
	// "nocull smooth". A flag pair selects how the image is found and kept. Null when none.
	virtual IMaterial *FindOrCreateMaterial(const char *name, const char *parameters, int flags1, int flags2) = 0;
	// One texel as red | green << 8 | blue << 16 | alpha << 24; 0 outside the texture.
	virtual uint32_t ReadTexel(ITexture *texture, int x, int y) = 0;
	// A new, unstarted writer owned by the caller (free it with Destroy), or null.
	virtual IVideoWriter *CreateVideoWriter() = 0;

protected:
	virtual ~IHostUtil() = default;
};
