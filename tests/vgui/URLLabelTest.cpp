// vgui::URLLabel: the stored address and its buffer, the "URLText" layout key with localisation
// tokens, clicks through the stand-in input queue, and the underlined font with the hand cursor.
#include <fstream>
#include <string>
#include <vector>

#include "VGuiFixture.h"
#include "tier1/KeyValues.h"
#include "vgui/ILocalize.h"
#include "vgui/IScheme.h"
#include "vgui_controls/BuildFactoryHelper.h"
#include "vgui_controls/URLLabel.h"

// Replaces the overlay call: the addresses handed over, in order.
static std::vector<std::string> g_OpenedURLs;
void ZORV_OpenURLInSteam(const char *url) { g_OpenedURLs.push_back(url ? url : "<null>"); }

namespace
{
class URLLabelTest : public VGuiTest
{
protected:
	void SetUp() override
	{
		VGuiTest::SetUp();
		g_OpenedURLs.clear();
	}

	vgui::URLLabel *RootLabel(const char *url)
	{
		auto *label = new vgui::URLLabel(nullptr, "link", "Visit", url);
		label->SetParent(m_root);
		label->SetBounds(10, 10, 100, 20);
		Frame();
		return label;
	}
	void Click(ButtonCode_t code, int x = 20, int y = 15)
	{
		m_vgui->QueueCursorMove(x, y);
		m_vgui->QueueButton(code, true);
		m_vgui->QueueButton(code, false);
		Frame();
	}
	static void Apply(vgui::Panel &panel, const char *key, const char *value)
	{
		KeyValues *kv = new KeyValues("settings");
		kv->SetString(key, value);
		panel.ApplySettings(kv);
		kv->deleteThis();
	}
};
}

TEST_F(URLLabelTest, OnlyALeftClickWithAnAddressOpensIt)
{
	vgui::URLLabel *none = RootLabel(nullptr);
	Click(MOUSE_LEFT);
	EXPECT_TRUE(g_OpenedURLs.empty());
	delete none;

	vgui::URLLabel *empty = RootLabel("");
	EXPECT_EQ(nullptr, empty->GetURL());
	Click(MOUSE_LEFT);
	EXPECT_TRUE(g_OpenedURLs.empty());
	delete empty;

	vgui::URLLabel *label = RootLabel("https://example.org/a");
	Click(MOUSE_RIGHT);
	Click(MOUSE_MIDDLE);
	EXPECT_TRUE(g_OpenedURLs.empty());
	Click(MOUSE_LEFT, 200, 200);  // outside the label
	EXPECT_TRUE(g_OpenedURLs.empty());
	Click(MOUSE_LEFT);
	EXPECT_EQ(std::vector<std::string>{ "https://example.org/a" }, g_OpenedURLs);
	delete label;
}

TEST_F(URLLabelTest, AShorterAddressKeepsTheBuffer)
{
	vgui::URLLabel label(nullptr, nullptr, "x", "https://example.org/long/path");
	const char *buffer = label.GetURL();
	EXPECT_EQ(29, label.GetURLSize());
	label.SetURL("http://a");
	EXPECT_EQ(buffer, label.GetURL());
	EXPECT_STREQ("http://a", label.GetURL());
	EXPECT_EQ(8, label.GetURLSize());
	// Growing past the stored length (not past the old buffer) takes a new buffer.
	label.SetURL("http://abcdefghijklmnopqrstuvwxyz/0123456789");
	EXPECT_STREQ("http://abcdefghijklmnopqrstuvwxyz/0123456789", label.GetURL());
	EXPECT_EQ(44, label.GetURLSize());
	label.SetURL("");
	EXPECT_STREQ("", label.GetURL());
	EXPECT_EQ(0, label.GetURLSize());
}

TEST_F(URLLabelTest, URLTextIsReadLocalisedAndWrittenBack)
{
	std::wstring value = L"https://example.org/localised";
	g_pVGuiLocalize->AddString("URLLabelTest_Site", &value[0], "");

	vgui::URLLabel label(nullptr, nullptr, "x", nullptr);
	KeyValues *out = new KeyValues("out");
	label.GetSettings(out);
	EXPECT_EQ(nullptr, out->FindKey("URLText"));
	out->deleteThis();

	const struct
	{
		const char *value;
		const char *stored;
	} cases[] = {
		{ "http://plain", "http://plain" },
		{ "#URLLabelTest_Site", "https://example.org/localised" },
		{ "#URLLabelTest_Unknown", "https://example.org/localised" },  // unknown token: unchanged
		{ "", "" },
	};
	for (const auto &c : cases)
	{
		Apply(label, "URLText", c.value);
		ASSERT_NE(nullptr, label.GetURL()) << c.value;
		EXPECT_STREQ(c.stored, label.GetURL()) << c.value;
		out = new KeyValues("out");
		label.GetSettings(out);
		EXPECT_STREQ(c.stored, out->GetString("URLText", "<absent>")) << c.value;
		out->deleteThis();
	}
	// Without the key the address stays.
	Apply(label, "labelText", "y");
	EXPECT_STREQ("", label.GetURL());

	std::string description = label.GetDescription();
	EXPECT_EQ(", string URLText", description.substr(description.size() - 16));
	EXPECT_NE(std::string::npos, description.find("string labelText"));
}

TEST_F(URLLabelTest, SchemeGivesTheUnderlinedFontAndTheHandCursor)
{
	std::ofstream(m_harness->gameFolder + "/urllabel.res") << R"(Scheme
{
	Fonts
	{
		DefaultUnderline { "1" { "name" "ZvFixed" "tall" "12" } }
	}
})";
	vgui::HScheme scheme = g_pVGuiSchemeManager->LoadSchemeFromFile("urllabel.res", "URLLabelTest");
	ASSERT_NE(0u, scheme);
	vgui::URLLabel label(nullptr, nullptr, "x", nullptr);
	label.ApplySchemeSettings(g_pVGuiSchemeManager->GetIScheme(scheme));
	EXPECT_EQ(12, g_pVGuiSurface->GetFontTall(label.GetFont()));
	EXPECT_EQ(vgui::dc_hand, label.GetCursor());
	EXPECT_EQ(14, static_cast<int>(vgui::dc_hand));
}

TEST_F(URLLabelTest, TheFactoryMakesAnEmptyLabel)
{
	vgui::Panel *panel = vgui::CBuildFactoryHelper::InstancePanel("URLLabel");
	ASSERT_NE(nullptr, panel);
	auto *label = dynamic_cast<vgui::URLLabel *>(panel);
	ASSERT_NE(nullptr, label);
	char text[32];
	label->GetText(text, sizeof(text));
	EXPECT_STREQ("URLLabel", text);
	EXPECT_EQ(nullptr, label->GetURL());
	EXPECT_STREQ("URLLabel", label->GetClassName());
	delete panel;
}
