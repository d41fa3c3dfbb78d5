// Controls of the engine stand-in for hosts and tests ("ZvEngineStandIn001" from the
// engine's factory): what the engine client was asked to run and print, and the clocks.
// The system's own code never includes this header.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "filesystem/IContentManagers.h"

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

// The game's content, achievements and demo playback as the engine stand-in reports them
// ("ZvGameContentStandIn001"): the file system's content managers, the engine client's
// achievement manager and demo queries.
#define GAME_CONTENT_STANDIN_INTERFACE_VERSION "ZvGameContentStandIn001"

struct StandInAchievement
{
	std::string name;  // API name
	int goal = 1;
	int count = 0;
	bool achieved = false;
};

struct StandInDemo
{
	bool playing = false;
	bool recording = false;
	int tick = 0;
	int startTick = 0;
	float timeScale = 1.0f;
	int totalTicks = 0;
};

class IGameContentStandIn
{
public:
	virtual void SetAddons(const std::vector<Addon::Information> &addons) = 0;
	virtual void SetAddonMounted(uint64_t workshopId, bool mounted) = 0;
	virtual void SetGames(const std::vector<Depot::Information> &games) = 0;
	// The active game mode is the one named; none when the name matches no game mode.
	virtual void SetGamemodes(const std::vector<Gamemode::Information> &gamemodes, const char *active) = 0;
	// Calls made on the content: "mount <depot> <0|1>", "save", "refresh", oldest first.
	virtual const std::vector<std::string> &ContentLog() const = 0;
	virtual void ClearContentLog() = 0;
	// The engine client hands out an achievement manager with these achievements; none when
	// `present` is false.
	virtual void SetAchievements(const std::vector<StandInAchievement> &achievements, bool present) = 0;
	virtual void SetDemo(const StandInDemo &demo) = 0;

protected:
	~IGameContentStandIn() = default;
};
