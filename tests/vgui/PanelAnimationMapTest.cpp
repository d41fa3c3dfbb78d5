// The animation-map dictionary: one map per class name whatever the case or a leading
// "vgui::", the maps of declared classes chained to their base, and entry lookup by name.
#include "VGuiFixture.h"
#include "vgui_controls/PanelAnimationVar.h"

namespace
{
class MapProbe : public vgui::Panel
{
	DECLARE_CLASS_SIMPLE(MapProbe, vgui::Panel);

public:
	MapProbe() : vgui::Panel(nullptr, "probe") {}
	CPanelAnimationVar(int, m_nSpeed, "Speed", "3");
};
}

using PanelAnimationMapTest = VGuiTest;

TEST_F(PanelAnimationMapTest, OneMapPerClassNameWhateverTheSpelling)
{
	vgui::PanelAnimationMap *frame = vgui::FindOrAddPanelAnimationMap("vgui::Frame");
	ASSERT_NE(nullptr, frame);
	EXPECT_EQ(frame, vgui::FindOrAddPanelAnimationMap("FRAME"));
	EXPECT_EQ(frame, vgui::FindOrAddPanelAnimationMap("VGUI::frame"));
	EXPECT_EQ(frame, vgui::GetPanelAnimationDictionary().FindOrAddPanelAnimationMap("Frame"));
	EXPECT_NE(frame, vgui::FindOrAddPanelAnimationMap("FrameX"));
	EXPECT_EQ(nullptr, vgui::FindOrAddPanelAnimationMap(nullptr));

	vgui::PanelAnimationMap *fresh = vgui::FindOrAddPanelAnimationMap("NeverDeclared");
	EXPECT_EQ(0, fresh->entries.Count());
	EXPECT_EQ(nullptr, fresh->baseMap);
	EXPECT_EQ(nullptr, fresh->pfnClassName);
	// The converters come with the first map.
	EXPECT_NE(nullptr, vgui::FindPanelAnimationPropertyConverter("textureid"));
}

TEST_F(PanelAnimationMapTest, PanelVariablesAndDeclaredClassesChainToTheirBase)
{
	vgui::Panel panel;
	vgui::PanelAnimationMap *panelMap = panel.GetAnimMap();
	ASSERT_EQ(panelMap, vgui::FindOrAddPanelAnimationMap("Panel"));
	const char *names[] = { "PaintBackgroundType", "Texture1", "Texture2", "Texture3", "Texture4",
		                    "HorizGradient", "VerticalGradient", "HorizGradientR", "VerticalGradientR" };
	ASSERT_EQ(9, panelMap->entries.Count());
	for (int i = 0; i < 9; ++i)
		EXPECT_STREQ(names[i], panelMap->entries[i].name());
	EXPECT_STREQ("vgui/gradvr", panelMap->entries[8].defaultvalue());
	EXPECT_EQ(&panel.m_nVerticalGradientR, panelMap->entries[8].m_pfnLookup(&panel));

	MapProbe probe;
	MapProbe second;  // registers nothing twice
	vgui::PanelAnimationMap *probeMap = probe.GetAnimMap();
	EXPECT_EQ(probeMap, vgui::FindOrAddPanelAnimationMap("mapprobe"));
	EXPECT_EQ(panelMap, probeMap->baseMap);
	EXPECT_STREQ("MapProbe", probeMap->pfnClassName());
	ASSERT_EQ(1, probeMap->entries.Count());
	EXPECT_EQ(&second.m_nSpeed, probeMap->entries[0].m_pfnLookup(&second));

	EXPECT_EQ(&probeMap->entries[0], vgui::FindPanelAnimationEntry("speed", probeMap));
	EXPECT_EQ(&panelMap->entries[1], vgui::FindPanelAnimationEntry("TEXTURE1", probeMap));
	EXPECT_EQ(nullptr, vgui::FindPanelAnimationEntry("Speed", panelMap));
	EXPECT_EQ(nullptr, vgui::FindPanelAnimationEntry(nullptr, probeMap));
}
