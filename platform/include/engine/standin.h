// Controls of the engine stand-in for hosts and tests ("ZvEngineStandIn001" from the
// engine's factory): what the engine client was asked to run and print, and the clocks.
// The system's own code never includes this header.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "filesystem/AddonDownloadNotifications.h"
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
	// The engine client's level name ("" when no map is loaded; null also gives none) and
	// its in-game state.
	virtual void SetLevelName(const char *name) = 0;
	virtual void SetInGame(bool inGame) = 0;
	// What the vgui system was asked to shell-execute, "<verb> <file>", oldest first.
	virtual const std::vector<std::string> &ShellExecutions() const = 0;
	virtual void ClearShellExecutions() = 0;
	// Binds the key name (as the input system names keys) to command text; empty text unbinds.
	virtual void SetKeyBinding(const char *keyName, const char *binding) = 0;

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
	// The receiver registered with the add-on service (null: none), to report downloads to it
	// as the engine's workshop downloader does.
	virtual AddonDownloadNotifications *DownloadNotifications() = 0;

protected:
	~IGameContentStandIn() = default;
};

// The network string tables of the engine stand-in ("VEngineClientStringTable001") and their
// controls ("ZvStringTableStandIn001"): tables exist once a string is added to them.
#define STRINGTABLE_STANDIN_INTERFACE_VERSION "ZvStringTableStandIn001"

class INetworkStringTableStandIn
{
public:
	// Appends a string to the named table, making the table when it is new.
	virtual void AddString(const char *table, const char *text) = 0;
	// Forgets every table.
	virtual void Reset() = 0;

protected:
	~INetworkStringTableStandIn() = default;
};

// The game UI of the engine stand-in ("GameUI011") and its controls ("ZvGameUIStandIn001").
#define GAMEUI_STANDIN_INTERFACE_VERSION "ZvGameUIStandIn001"

class IGameUIStandIn
{
public:
	// Menu commands received, oldest first.
	virtual const std::vector<std::string> &Commands() const = 0;
	// The panels last handed over as main menu and as loading dialog (0: none).
	virtual unsigned int MainMenuPanel() const = 0;
	virtual unsigned int LoadingPanel() const = 0;
	virtual void Reset() = 0;

protected:
	~IGameUIStandIn() = default;
};

// Controls of the file system's asynchronous reads ("ZvAsyncReadStandIn001"): queued reads
// complete only when run here or finished by their caller.
#define ASYNCREAD_STANDIN_INTERFACE_VERSION "ZvAsyncReadStandIn001"

class IAsyncReadStandIn
{
public:
	// Completes the reads queued so far, oldest first, on the calling thread; answers how many.
	virtual int RunAsyncReads() = 0;
	virtual int PendingAsyncReads() const = 0;
	// Requests not yet released.
	virtual int AsyncHandles() const = 0;

protected:
	~IAsyncReadStandIn() = default;
};

// Controls of the engine's key-binding queries ("ZvGameUIFuncsStandIn001"): the keys the
// stand-in console has bound.
#define GAMEUIFUNCS_STANDIN_INTERFACE_VERSION "ZvGameUIFuncsStandIn001"

class IGameUIFuncsStandIn
{
public:
	// Binds a key to a command text; null or "" unbinds it.
	virtual void SetBinding(int buttonCode, const char *command) = 0;
	virtual void ClearBindings() = 0;

protected:
	~IGameUIFuncsStandIn() = default;
};
