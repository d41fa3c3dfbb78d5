// Controls of the engine stand-in for hosts and tests ("ZvEngineStandIn001" from the
// engine's factory): what the engine client was asked to run and print, and the clocks.
// The system's own code never includes this header.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#define ENGINE_STANDIN_INTERFACE_VERSION "ZvEngineStandIn001"

class IEngineStandIn
{
public:
	// Console command text handed to the engine client, oldest first.
	virtual const std::vector<std::string> &ExecutedCommands() const = 0;
	virtual void ClearExecutedCommands() = 0;
	// Text printed on a numbered debug line ("" when none).
	virtual std::string DebugLine(int line) const = 0;
	virtual void SetMaxClients(int maxClients) = 0;
	// The vgui system's clock, in seconds.
	virtual void SetCurrentTime(double seconds) = 0;

protected:
	~IEngineStandIn() = default;
};

// The host utility service of the engine stand-in ("ZvHostUtil001" from the engine's factory
// hands out the IHostUtil of public/IHostUtil.h), which a host lends through IGet::Util, and
// its controls ("ZvHostUtilStandIn001").
#define HOST_UTIL_INTERFACE_VERSION "ZvHostUtil001"
#define HOST_UTIL_STANDIN_INTERFACE_VERSION "ZvHostUtilStandIn001"

class IMaterial;
class ITexture;

class IHostUtilStandIn
{
public:
	// An RGBA image (width x height x 4 bytes) that textures and image materials of that name
	// use in place of a file under "materials/".
	virtual void AddImage(const char *name, int width, int height, const uint8_t *rgba) = 0;
	// How often a material was recomputed and precached, and a texture downloaded.
	virtual int MaterialRecomputes(IMaterial *material) = 0;
	virtual int MaterialPrecaches(IMaterial *material) = 0;
	virtual int TextureDownloads(ITexture *texture) = 0;
	// Calls made on video writers, oldest first: "start <container> <video> <audio> <w>x<h>
	// <fps> <name> <bitrate> <quality> <raw>", "frame <x> <y> <time>", "sound <0|1>" (the flag
	// as seen at the next frame), "finish", "destroy".
	virtual const std::vector<std::string> &VideoLog() const = 0;
	virtual void ClearVideoLog() = 0;
	// Makes the next writer's start fail with this text (empty: starts succeed).
	virtual void FailNextVideoStart(const char *error) = 0;

protected:
	~IHostUtilStandIn() = default;
};
