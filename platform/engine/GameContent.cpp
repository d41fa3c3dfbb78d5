// The game's content as the engine stand-in keeps it: add-ons, mountable games and game
// modes in memory as the host or a test sets them, the achievement manager, demo playback.
#include "GameContent.h"

#include <strings.h>

#include <cstddef>

#include <map>
#include <string>

#include "tier1/interface.h"

namespace enginestandin
{
namespace
{
std::vector<std::string> s_ContentLog;

class Addons final : public IAddonSystem
{
public:
	const std::vector<Addon::Information> &GetList() override { return list; }
	bool IsMounted(uint64_t workshopId) override
	{
		for (uint64_t id : mounted)
			if (id == workshopId)
				return true;
		return false;
	}
	void SetDownloadNotifications(AddonDownloadNotifications *receiver) override { notifications = receiver; }
	bool IsSubscribed(uint64_t workshopId) override
	{
		for (const Addon::Information &addon : list)
			if (addon.wsid == workshopId)
				return true;
		return false;
	}
	bool IsEnabled(uint64_t workshopId) override { return ShouldMount(std::to_string(workshopId).c_str()); }
	bool ShouldMount(const char *name) override
	{
		auto it = shouldMount.find(name ? name : "");
		return it == shouldMount.end() || it->second;
	}
	void SetShouldMount(const char *name, bool mount) override
	{
		std::string key = name ? name : "";
		shouldMount[key] = mount;
		s_ContentLog.push_back("should_mount " + key + (mount ? " 1" : " 0"));
	}
	void Apply() override { s_ContentLog.push_back("apply"); }

	std::vector<Addon::Information> list;
	std::vector<uint64_t> mounted;
	AddonDownloadNotifications *notifications = nullptr;
	std::map<std::string, bool> shouldMount;
};

class Games final : public IGameDepotSystem
{
public:
	const std::vector<Depot::Information> &GetList() override { return list; }
	void SetMount(int depot, bool mount) override
	{
		s_ContentLog.push_back("mount " + std::to_string(depot) + (mount ? " 1" : " 0"));
		for (Depot::Information &game : list)
			if (static_cast<int64_t>(game.depot) == depot)
				game.mount = mount;
	}
	void Save() override { s_ContentLog.push_back("save"); }

	std::vector<Depot::Information> list;
};

class Gamemodes final : public IGamemodeSystem
{
public:
	const std::vector<Gamemode::Information> &GetList() override { return list; }
	const Gamemode::Information *Active() override
	{
		for (const Gamemode::Information &g : list)
			if (strcasecmp(g.name.c_str(), active.c_str()) == 0)
				return &g;
		return nullptr;
	}
	void SetServerGamemode(const char *name) override
	{
		s_ContentLog.push_back(std::string("server_gamemode ") + (name ? name : ""));
	}

	std::vector<Gamemode::Information> list;
	std::string active;
};

class Achievement final : public IAchievement
{
public:
	explicit Achievement(const StandInAchievement &r) : record(r) {}
	~Achievement() override = default;
	const char *GetName() override { return record.name.c_str(); }
	int GetGoal() override { return record.goal; }
	int GetCount() override { return record.count; }
	bool IsAchieved() override { return record.achieved; }

	StandInAchievement record;
};

class Achievements final : public IAchievementMgr
{
public:
	int GetAchievementCount() override { return static_cast<int>(list.size()); }
	IAchievement *GetAchievementByIndex(int index) override
	{
		if (index < 0 || static_cast<size_t>(index) >= list.size())
			return nullptr;
		return &list[static_cast<size_t>(index)];
	}
	// Icons never arrive in the stand-in; the registrations are only kept.
	void RegisterIconNotifications(unsigned int vpanel) override { iconListeners.push_back(vpanel); }
	void UnregisterIconNotifications(unsigned int vpanel) override
	{
		for (size_t i = iconListeners.size(); i-- > 0;)
			if (iconListeners[i] == vpanel)
				iconListeners.erase(iconListeners.begin() + static_cast<ptrdiff_t>(i));
	}
	std::vector<unsigned int> iconListeners;

	std::vector<Achievement> list;
	bool present = true;
};

Addons s_Addons;
Games s_Games;
Gamemodes s_Gamemodes;
Achievements s_Achievements;
StandInDemo s_Demo;

class Controls final : public IGameContentStandIn
{
public:
	void SetAddons(const std::vector<Addon::Information> &addons) override
	{
		s_Addons.list = addons;
		s_Addons.mounted.clear();
		s_Addons.shouldMount.clear();
	}
	void SetAddonMounted(uint64_t workshopId, bool mounted) override
	{
		auto &ids = s_Addons.mounted;
		for (size_t i = 0; i < ids.size(); ++i)
			if (ids[i] == workshopId)
			{
				if (!mounted)
					ids.erase(ids.begin() + static_cast<ptrdiff_t>(i));
				return;
			}
		if (mounted)
			ids.push_back(workshopId);
	}
	void SetGames(const std::vector<Depot::Information> &games) override { s_Games.list = games; }
	void SetGamemodes(const std::vector<Gamemode::Information> &gamemodes, const char *active) override
	{
		s_Gamemodes.list = gamemodes;
		s_Gamemodes.active = active ? active : "";
	}
	const std::vector<std::string> &ContentLog() const override { return s_ContentLog; }
	void ClearContentLog() override { s_ContentLog.clear(); }
	void SetAchievements(const std::vector<StandInAchievement> &achievements, bool present) override
	{
		s_Achievements.list.clear();
		for (const StandInAchievement &a : achievements)
			s_Achievements.list.emplace_back(a);
		s_Achievements.present = present;
	}
	void SetDemo(const StandInDemo &demo) override { s_Demo = demo; }
	AddonDownloadNotifications *DownloadNotifications() override { return s_Addons.notifications; }
};

Controls s_Controls;

void *CreateControls() { return static_cast<IGameContentStandIn *>(&s_Controls); }
InterfaceReg s_ControlsReg(&CreateControls, GAME_CONTENT_STANDIN_INTERFACE_VERSION);
}

IAddonSystem *AddonSystem() { return &s_Addons; }
IGameDepotSystem *GameDepotSystem() { return &s_Games; }
IGamemodeSystem *GamemodeSystem() { return &s_Gamemodes; }
// Content is mounted once as the engine starts, so the counter starts at 1.
int s_ContentChanges = 1;
void MountedContentChanged()
{
	s_ContentLog.push_back("refresh");
	++s_ContentChanges;
}
int ContentChangeCount() { return s_ContentChanges; }
IAchievementMgr *AchievementManager() { return s_Achievements.present ? &s_Achievements : nullptr; }
const StandInDemo &Demo() { return s_Demo; }
}
