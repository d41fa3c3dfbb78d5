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

protected:
	virtual ~IAchievementMgr() = default;
};
