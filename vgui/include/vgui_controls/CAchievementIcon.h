// CAchievementIcon: a panel showing one Steam achievement's icon stretched over it, with a
// placeholder texture until Steam has downloaded the icon.
#pragma once

#include "vgui_controls/MessageMap.h"
#include "vgui_controls/Panel.h"

class IAchievementMgr;
class ISteamUserStats;
class ISteamUtils;

class CAchievementIcon : public vgui::Panel
{
	DECLARE_CLASS_SIMPLE(CAchievementIcon, vgui::Panel);

public:
	CAchievementIcon(vgui::Panel *parent, const char *name);
	~CAchievementIcon() override;

	// Gives the panel its achievement (the id is not kept); false while the icon is not loaded or
	// when an interface is missing. Once loaded it answers true and changes nothing.
	bool SetAchievementID(int id, IAchievementMgr *pAchievementMgr, ISteamUserStats *pSteamUserStats,
	                      ISteamUtils *pSteamUtils, const char *pszAchievementName);

	void Paint() override;

	const char *GetAchievementName() const { return m_pszAchievementName; }
	int GetIconHandle() const { return m_iIconHandle; }
	int GetTextureID() const { return m_iTextureID; }
	bool IsLoaded() const { return m_bLoaded; }

protected:
	// "NotifyAchIconDownloaded" {int "icon", string "achievement"}.
	VGUI_MESSAGE_REGISTER(OnIconDownload, "NotifyAchIconDownloaded", 2, vgui::DATATYPE_INT, "icon",
	                      vgui::DATATYPE_CONSTCHARPTR, "achievement")
	virtual void OnIconDownload(int icon, const char *achievement);

private:
	void UpdateAvatar();

	ISteamUserStats *m_pSteamUserStats;
	ISteamUtils *m_pSteamUtils;
	IAchievementMgr *m_pAchievementMgr;
	char *m_pszAchievementName;
	int m_iIconHandle;
	int m_iTextureID;
	bool m_bLoaded;
};
