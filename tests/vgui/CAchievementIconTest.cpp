// CAchievementIcon over fake Steam interfaces and a fake achievement manager: the placeholder,
// the icon's upload, download notices through the message queue, painting and unregistration.
#include <map>
#include <string>
#include <vector>

#include "ControlFixture.h"
#include "engine/iachievementmgr.h"
#include "steam/isteamuserstats.h"
#include "steam/isteamutils.h"
#include "tier1/KeyValues.h"
#include "vgui/ISurface.h"
#include "vgui/IVGui.h"
#include "vgui_controls/BuildFactoryHelper.h"
#include "vgui_controls/CAchievementIcon.h"

namespace
{
class FakeStats : public ISteamUserStats
{
public:
	const char *GetAchievementDisplayAttribute(const char *, const char *) override { return ""; }
	int GetAchievementIcon(const char *name) override
	{
		++iconQueries;
		auto it = icons.find(name);
		return it == icons.end() ? 0 : it->second;
	}
	std::map<std::string, int> icons;
	int iconQueries = 0;
};

class FakeUtils : public ISteamUtils
{
public:
	AppId_t GetAppID() override { return 0; }
	bool IsAPICallCompleted(SteamAPICall_t, bool *) override { return false; }
	bool GetAPICallResult(SteamAPICall_t, void *, int, int, bool *) override { return false; }
	uint32_t GetSecondsSinceAppActive() override { return 0; }
	uint32_t GetSecondsSinceComputerActive() override { return 0; }
	const char *GetIPCountry() override { return ""; }
	uint8_t GetCurrentBatteryPower() override { return 255; }
	uint32_t GetServerRealTime() override { return 0; }
	bool GetImageSize(int image, uint32_t *w, uint32_t *h) override
	{
		if (image != 7)
			return false;
		*w = width;
		*h = height;
		return true;
	}
	bool GetImageRGBA(int image, uint8_t *dest, int size) override
	{
		if (image != 7 || static_cast<uint64_t>(size) < uint64_t(width) * height * 4)
			return false;
		for (int i = 0; i + 3 < size; i += 4)
		{
			dest[i] = 10;
			dest[i + 1] = 20;
			dest[i + 2] = 30;
			dest[i + 3] = 255;
		}
		return true;
	}
	uint32_t width = 4, height = 4;
};

class FakeManager : public IAchievementMgr
{
public:
	int GetAchievementCount() override { return 0; }
	IAchievement *GetAchievementByIndex(int) override { return nullptr; }
	void RegisterIconNotifications(unsigned int vpanel) override { log.push_back("+" + std::to_string(vpanel)); }
	void UnregisterIconNotifications(unsigned int vpanel) override { log.push_back("-" + std::to_string(vpanel)); }
	std::vector<std::string> log;
};

class CAchievementIconTest : public ControlTest
{
protected:
	void SetUp() override
	{
		ControlTest::SetUp();
		std::vector<unsigned char> px(8 * 8 * 4, 200);
		m_vgui->DefineTexture("vgui/spawnmenu/generating", 8, 8, px.data());
	}
	CAchievementIcon *NewIcon()
	{
		return Place(new CAchievementIcon(nullptr, "AvatarImage"), 10, 10, 16, 16);
	}
	void Notify(CAchievementIcon *icon, int handle, const char *name)
	{
		KeyValues *kv = new KeyValues("NotifyAchIconDownloaded");
		kv->SetInt("icon", handle);
		kv->SetString("achievement", name);
		g_pVGui->PostMessage(icon->GetVPanel(), kv, 0);
		Frame();
	}

	// The textured draws of the panel (its background is the base panel's).
	std::vector<std::string> Textured(vgui::Panel *panel)
	{
		std::vector<std::string> out;
		for (const std::string &line : PanelLog(panel))
			if (line[0] == 'T')
				out.push_back(line);
		return out;
	}

	FakeStats m_stats;
	FakeUtils m_utils;
	FakeManager m_manager;
};
}

TEST_F(CAchievementIconTest, MissingInterfacesAnswerFalseAndShowNothing)
{
	CAchievementIcon *icon = NewIcon();
	m_stats.icons["ACH_A"] = 7;
	EXPECT_FALSE(icon->SetAchievementID(1, nullptr, &m_stats, &m_utils, "ACH_A"));
	EXPECT_FALSE(icon->SetAchievementID(1, &m_manager, nullptr, &m_utils, "ACH_A"));
	EXPECT_FALSE(icon->SetAchievementID(1, &m_manager, &m_stats, nullptr, "ACH_A"));
	EXPECT_EQ(0, m_stats.iconQueries);
	EXPECT_TRUE(m_manager.log.empty());
	EXPECT_EQ(0, icon->GetTextureID());
	FramePaint();
	EXPECT_TRUE(Textured(icon).empty());  // texture 0 paints nothing
}

TEST_F(CAchievementIconTest, PlaceholderUntilTheIconArrives)
{
	CAchievementIcon *icon = NewIcon();
	const std::string handle = std::to_string(icon->GetVPanel());
	EXPECT_FALSE(icon->SetAchievementID(3, &m_manager, &m_stats, &m_utils, "ACH_A"));
	EXPECT_EQ(std::vector<std::string>{ "+" + handle }, m_manager.log);
	const int placeholder = g_pVGuiSurface->DrawGetTextureId("vgui/spawnmenu/generating");
	EXPECT_EQ(placeholder, icon->GetTextureID());
	EXPECT_EQ(0, icon->GetIconHandle());
	FramePaint();
	EXPECT_EQ(std::vector<std::string>{ "T" + std::to_string(placeholder) + " 0,0,16,16 255,255,255,255" },
	          Textured(icon));

	// A notice for another achievement changes nothing.
	m_stats.icons["ACH_A"] = 7;
	const int queries = m_stats.iconQueries;
	Notify(icon, 99, "ACH_B");
	Notify(icon, 99, "ach_a");  // names compare with case
	EXPECT_EQ(queries, m_stats.iconQueries);
	EXPECT_FALSE(icon->IsLoaded());

	// The notice naming this achievement loads the icon.
	Notify(icon, 99, "ACH_A");
	ASSERT_TRUE(icon->IsLoaded());
	EXPECT_EQ(7, icon->GetIconHandle());
	EXPECT_NE(placeholder, icon->GetTextureID());
	FramePaint();
	EXPECT_EQ(0xFF1E140Au, m_vgui->Pixel(10 + 8, 10 + 8));

	// Once loaded nothing is read again.
	const int texture = icon->GetTextureID();
	EXPECT_TRUE(icon->SetAchievementID(0, nullptr, nullptr, nullptr, nullptr));
	EXPECT_EQ(texture, icon->GetTextureID());
	EXPECT_STREQ("ACH_A", icon->GetAchievementName());

	delete icon;
	EXPECT_EQ((std::vector<std::string>{ "+" + handle, "-" + handle }), m_manager.log);
}

TEST_F(CAchievementIconTest, IconAlreadyThereOrMatchedByHandle)
{
	m_stats.icons["ACH_A"] = 7;
	CAchievementIcon *icon = NewIcon();
	EXPECT_TRUE(icon->SetAchievementID(0, &m_manager, &m_stats, &m_utils, "ACH_A"));
	EXPECT_TRUE(m_manager.log.empty());  // nothing to wait for

	// A handle Steam knows but whose pixels it cannot give keeps the placeholder; a notice with
	// that handle tries again.
	m_stats.icons["ACH_B"] = 7;
	m_utils.width = 0;
	CAchievementIcon *other = NewIcon();
	EXPECT_FALSE(other->SetAchievementID(0, &m_manager, &m_stats, &m_utils, "ACH_B"));
	EXPECT_EQ(7, other->GetIconHandle());
	m_utils.width = 2;
	Notify(other, 7, "unrelated");
	EXPECT_TRUE(other->IsLoaded());
}

TEST_F(CAchievementIconTest, ASecondCallReplacesTheNameAndTheFactoryMakesOne)
{
	CAchievementIcon *icon = NewIcon();
	EXPECT_FALSE(icon->SetAchievementID(0, &m_manager, &m_stats, &m_utils, "ACH_FIRST"));
	EXPECT_FALSE(icon->SetAchievementID(0, &m_manager, &m_stats, &m_utils, "ACH_SECOND"));
	EXPECT_STREQ("ACH_SECOND", icon->GetAchievementName());

	vgui::Panel *made = vgui::CBuildFactoryHelper::InstancePanel("CAchievementIcon");
	ASSERT_NE(nullptr, dynamic_cast<CAchievementIcon *>(made));
	EXPECT_STREQ("CAchievementIcon", made->GetClassName());
	delete made;
}
