// The build-factory registry: lookup by class name in any case, the listing order, unknown
// names, entries without a create function, and the fatal duplicate registration.
#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "VGuiFixture.h"
#include "vgui_controls/BuildFactoryHelper.h"

namespace
{
class FactoryProbe : public vgui::Panel
{
public:
	FactoryProbe(vgui::Panel *parent, const char *name) : vgui::Panel(parent, name) {}
	const char *GetClassName() override { return "FactoryProbe"; }
};

class FactoryProbeText : public vgui::Panel
{
public:
	FactoryProbeText(vgui::Panel *parent, const char *name, const char *text) : vgui::Panel(parent, name), m_text(text)
	{
	}
	std::string m_text;
};
}

DECLARE_BUILD_FACTORY(FactoryProbe)
DECLARE_BUILD_FACTORY_DEFAULT_TEXT(FactoryProbeText, ProbeText)
static vgui::CBuildFactoryHelper g_NoCreate_Helper("FactoryNoCreate", nullptr);

using BuildFactoryHelperTest = VGuiTest;

TEST_F(BuildFactoryHelperTest, CreatesByNameInAnyCase)
{
	for (const char *name : { "FactoryProbe", "factoryprobe", "FACTORYPROBE" })
	{
		vgui::Panel *panel = vgui::CBuildFactoryHelper::InstancePanel(name);
		ASSERT_NE(nullptr, dynamic_cast<FactoryProbe *>(panel)) << name;
		EXPECT_EQ(nullptr, panel->GetParent()) << name;
		EXPECT_STREQ("", panel->GetName()) << name;
		EXPECT_FALSE(panel->IsVisible() && panel->GetVParent()) << name;
		panel->DeletePanel();
	}

	vgui::Panel *text = vgui::CBuildFactoryHelper::InstancePanel("factoryprobetext");
	ASSERT_NE(nullptr, dynamic_cast<FactoryProbeText *>(text));
	EXPECT_EQ("ProbeText", static_cast<FactoryProbeText *>(text)->m_text);
	text->DeletePanel();

	vgui::Panel *plain = vgui::CBuildFactoryHelper::InstancePanel("panel");
	ASSERT_NE(nullptr, plain);
	EXPECT_STREQ("Panel", plain->GetClassName());
	plain->DeletePanel();
}

TEST_F(BuildFactoryHelperTest, UnknownNamesAndMissingCreateFunctionsGiveNull)
{
	EXPECT_EQ(nullptr, vgui::CBuildFactoryHelper::InstancePanel("Frame"));
	EXPECT_EQ(nullptr, vgui::CBuildFactoryHelper::InstancePanel(""));
	EXPECT_EQ(nullptr, vgui::CBuildFactoryHelper::InstancePanel(nullptr));
	EXPECT_EQ(nullptr, vgui::CBuildFactoryHelper::InstancePanel("FactoryNoCreate"));
	EXPECT_EQ(m_baseline, m_vgui->LivePanelCount());
}

TEST_F(BuildFactoryHelperTest, ListsEveryNameNewestFirstReplacingTheVectorContents)
{
	CUtlVector<const char *> names;
	names.AddToTail("stale");
	vgui::CBuildFactoryHelper::GetFactoryNames(names);

	std::vector<std::string> listed;
	for (int i = 0; i < names.Count(); ++i)
		listed.push_back(names[i]);
	EXPECT_EQ(listed.end(), std::find(listed.begin(), listed.end(), "stale"));
	for (const char *name : { "Panel", "FactoryProbe", "FactoryProbeText", "FactoryNoCreate" })
		EXPECT_EQ(1, std::count(listed.begin(), listed.end(), name)) << name;

	// This unit registered its three names in order, so they are listed in reverse.
	auto at = [&](const char *name) { return std::find(listed.begin(), listed.end(), name) - listed.begin(); };
	EXPECT_LT(at("FactoryNoCreate"), at("FactoryProbeText"));
	EXPECT_LT(at("FactoryProbeText"), at("FactoryProbe"));
}

TEST(BuildFactoryHelperDeathTest, SecondRegistrationOfANameIsFatal)
{
	EXPECT_DEATH({ vgui::CBuildFactoryHelper duplicate("factoryPROBE", nullptr); },
	             "CBuildFactoryHelper:  Factory for 'factoryPROBE' already exists!!!!");
}
