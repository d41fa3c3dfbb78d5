// CAchievementIcon: fetching the icon's pixels from Steam into a texture, the placeholder while
// they are missing, and the achievement manager's download notices.
#include "vgui_controls/CAchievementIcon.h"

#include <cstring>
#include <new>

#include "engine/iachievementmgr.h"
#include "steam/isteamuserstats.h"
#include "steam/isteamutils.h"
#include "tier1/strtools.h"
#include "vgui/ISurface.h"
#include "vgui_controls/BuildFactoryHelper.h"
#include "vgui_controls/Controls.h"

namespace
{
const char kPlaceholderTexture[] = "vgui/spawnmenu/generating";
// Larger icons than this are not taken from Steam (4096 x 4096 RGBA).
const uint64_t kMaxIconBytes = 4096ull * 4096ull * 4ull;
}

DECLARE_BUILD_FACTORY(CAchievementIcon);

CAchievementIcon::CAchievementIcon(vgui::Panel *parent, const char *name)
	: vgui::Panel(parent, name), m_pSteamUserStats(nullptr), m_pSteamUtils(nullptr), m_pAchievementMgr(nullptr),
	  m_pszAchievementName(nullptr), m_iIconHandle(-1), m_iTextureID(0), m_bLoaded(false)
{
}

CAchievementIcon::~CAchievementIcon()
{
	delete[] m_pszAchievementName;
	if (m_pAchievementMgr)
		m_pAchievementMgr->UnregisterIconNotifications(GetVPanel());
}

bool CAchievementIcon::SetAchievementID(int, IAchievementMgr *pAchievementMgr, ISteamUserStats *pSteamUserStats,
                                        ISteamUtils *pSteamUtils, const char *pszAchievementName)
{
	if (m_bLoaded)
		return true;

	// A manager that is replaced stops notifying this panel.
	if (m_pAchievementMgr && m_pAchievementMgr != pAchievementMgr)
		m_pAchievementMgr->UnregisterIconNotifications(GetVPanel());
	m_pSteamUserStats = pSteamUserStats;
	m_pSteamUtils = pSteamUtils;
	m_pAchievementMgr = pAchievementMgr;
	if (!m_pSteamUserStats || !m_pSteamUtils || !m_pAchievementMgr)
		return false;

	const char *name = pszAchievementName ? pszAchievementName : "";
	const size_t length = strlen(name);
	char *copy = new char[length + 1];
	memcpy(copy, name, length + 1);
	delete[] m_pszAchievementName;
	m_pszAchievementName = copy;

	UpdateAvatar();
	if (!m_bLoaded)
		m_pAchievementMgr->RegisterIconNotifications(GetVPanel());
	return m_bLoaded;
}

void CAchievementIcon::OnIconDownload(int icon, const char *achievement)
{
	if (icon == m_iIconHandle ||
	    (achievement && m_pszAchievementName && !strcmp(achievement, m_pszAchievementName)))
		UpdateAvatar();
}

void CAchievementIcon::UpdateAvatar()
{
	if (!m_pSteamUtils || !m_pSteamUserStats || !m_pszAchievementName)
		return;

	m_iIconHandle = m_pSteamUserStats->GetAchievementIcon(m_pszAchievementName);
	uint32_t wide = 0, tall = 0;
	if (m_iIconHandle > 0 && m_pSteamUtils->GetImageSize(m_iIconHandle, &wide, &tall))
	{
		const uint64_t bytes = static_cast<uint64_t>(wide) * tall * 4;
		unsigned char *pixels = nullptr;
		if (wide > 0 && tall > 0 && bytes <= kMaxIconBytes)
			pixels = new (std::nothrow) unsigned char[static_cast<size_t>(bytes)];
		if (pixels && m_pSteamUtils->GetImageRGBA(m_iIconHandle, pixels, static_cast<int>(bytes)))
		{
			const int texture = vgui::surface()->CreateNewTextureID(true);
			vgui::surface()->DrawSetTextureRGBA(texture, pixels, static_cast<int>(wide), static_cast<int>(tall),
			                                    false, false);
			delete[] pixels;
			m_iTextureID = texture;
			m_bLoaded = true;
			return;
		}
		delete[] pixels;
	}

	m_iTextureID = vgui::surface()->DrawGetTextureId(kPlaceholderTexture);
	if (m_iTextureID < 0)
	{
		m_iTextureID = vgui::surface()->CreateNewTextureID(false);
		vgui::surface()->DrawSetTextureFile(m_iTextureID, kPlaceholderTexture, true, false);
	}
	m_bLoaded = false;
}

void CAchievementIcon::Paint()
{
	if (m_iTextureID < 1)
		return;
	int wide, tall;
	GetSize(wide, tall);
	vgui::surface()->DrawSetColor(255, 255, 255, 255);
	vgui::surface()->DrawSetTexture(m_iTextureID);
	vgui::surface()->DrawTexturedRect(0, 0, wide, tall);
}
