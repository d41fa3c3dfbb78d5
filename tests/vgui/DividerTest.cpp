// vgui::Divider: its default size, its sunken border from the scheme, its factory.
#include <fstream>

#include "VGuiFixture.h"
#include "tier1/KeyValues.h"
#include "vgui/IBorder.h"
#include "vgui/IScheme.h"
#include "vgui_controls/BuildFactoryHelper.h"
#include "vgui_controls/Divider.h"

namespace
{
class DividerTest : public VGuiTest
{
};

TEST_F(DividerTest, KeepsItsSizeAndTakesTheSunkenBorder)
{
	std::ofstream(m_harness->gameFolder + "/divider.res")
	    << "Scheme { Borders { ButtonDepressedBorder { \"inset\" \"1 1 1 1\" } } }";
	vgui::HScheme scheme = g_pVGuiSchemeManager->LoadSchemeFromFile("divider.res", "DividerTest");
	ASSERT_NE(0u, scheme);
	vgui::IBorder *sunken = g_pVGuiSchemeManager->GetIScheme(scheme)->GetBorder("ButtonDepressedBorder");
	ASSERT_NE(nullptr, sunken);

	vgui::Divider divider(nullptr, "line");
	divider.SetParent(m_root);
	divider.SetScheme(scheme);
	Frame();
	EXPECT_EQ(128, divider.GetWide());
	EXPECT_EQ(2, divider.GetTall());
	EXPECT_EQ(sunken, divider.GetBorder());

	KeyValues *settings = new KeyValues("line");
	settings->SetInt("wide", 40);
	divider.ApplySettings(settings);
	settings->deleteThis();
	EXPECT_EQ(40, divider.GetWide());
	EXPECT_EQ(2, divider.GetTall());

	vgui::Panel *made = vgui::CBuildFactoryHelper::InstancePanel("Divider");
	ASSERT_NE(nullptr, made);
	EXPECT_STREQ("Divider", made->GetClassName());
	EXPECT_EQ(128, made->GetWide());
	delete made;
}
}
