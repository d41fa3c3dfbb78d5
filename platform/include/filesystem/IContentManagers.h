// Content managers of the game's file system (IFileSystem::Addons, Games, Gamemodes): installed
// add-ons, mountable games and game modes, each a list walked from first to last.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace Addon
{
struct Information
{
	std::string title;
	std::string file;       // the add-on's archive, relative to the game folder
	uint32_t models = 0;    // models it holds
	uint64_t wsid = 0;      // workshop id
	bool downloaded = false;
};
}

namespace Depot
{
struct Information
{
	uint32_t depot = 0;     // the game's content depot
	std::string title;
	std::string folder;
	bool mount = false;     // the player asked for it to be mounted
	bool owned = false;
	bool installed = false;
};
}

namespace Gamemode
{
struct Information
{
	bool isMenuMode = false;  // the game mode is the menu's own
	std::string title;
	std::string name;
	std::string maps;         // pattern of its map names
	std::string workshopid;
};
}

class AddonDownloadNotifications;

class IAddonSystem
{
public:
	virtual const std::vector<Addon::Information> &GetList() = 0;
	virtual bool IsMounted(uint64_t workshopId) = 0;
	// The receiver of workshop download reports (null: none); it must outlive its registration.
	virtual void SetDownloadNotifications(AddonDownloadNotifications *receiver) = 0;
	// Whether the player subscribes to the workshop item (one of the add-ons carries its id).
	virtual bool IsSubscribed(uint64_t workshopId) = 0;
	// Whether the subscribed item is enabled: the mount choice of its id as decimal text.
	virtual bool IsEnabled(uint64_t workshopId) = 0;
	// The player's mount choice for an add-on by name; names never chosen are mounted.
	virtual bool ShouldMount(const char *name) = 0;
	virtual void SetShouldMount(const char *name, bool mount) = 0;
	// Applies the mount choices; they take effect on the file system's content refresh.
	virtual void Apply() = 0;

protected:
	virtual ~IAddonSystem() = default;
};

class IGameDepotSystem
{
public:
	virtual const std::vector<Depot::Information> &GetList() = 0;
	// Records whether the depot's content is to be mounted; takes effect on the file system's
	// content refresh.
	virtual void SetMount(int depot, bool mount) = 0;
	// Writes the mount choices to the game's configuration.
	virtual void Save() = 0;

protected:
	virtual ~IGameDepotSystem() = default;
};

class IGamemodeSystem
{
public:
	virtual const std::vector<Gamemode::Information> &GetList() = 0;
	// The game mode in use, or null when none is.
	virtual const Gamemode::Information *Active() = 0;
	// The game mode of the server being joined, as the engine reports its details.
	virtual void SetServerGamemode(const char *name) = 0;

protected:
	virtual ~IGamemodeSystem() = default;
};
