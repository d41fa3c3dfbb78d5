// The engine's achievement manager (IVEngineClient::GetAchievementMgr): the game's achievements
// with their progress.
#pragma once

class IAchievement
{
public:
	// The API name Steam knows the achievement by.
	virtual const char *GetName() = 0;
	virtual int GetGoal() = 0;
	virtual int GetCount() = 0;
	virtual bool IsAchieved() = 0;

protected:
	virtual ~IAchievement() = default;
};

class IAchievementMgr
{
public:
	virtual int GetAchievementCount() = 0;
	// Null outside 0 .. count - 1.
	virtual IAchievement *GetAchievementByIndex(int index) = 0;
	// A vgui panel (engine panel handle) that is sent "NotifyAchIconDownloaded" {int "icon",
	// string "achievement"} whenever an achievement icon has arrived, until it is unregistered.
	virtual void RegisterIconNotifications(unsigned int vpanel) = 0;
	virtual void UnregisterIconNotifications(unsigned int vpanel) = 0;

protected:
	virtual ~IAchievementMgr() = default;
};
