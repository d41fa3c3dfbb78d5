// vgui::GraphPanel: made by class name from layout keys, it draws its background in the scheme's
// colour inside the depressed border and nothing else.
#include <string>
#include <vector>

#include "ControlFixture.h"
#include "vgui_controls/BuildFactoryHelper.h"
#include "vgui_controls/GraphPanel.h"

namespace
{
class GraphPanelTest : public ControlTest
{
};
}

TEST_F(GraphPanelTest, DrawsBackgroundAndBorderOnly)
{
	vgui::Panel *made = vgui::CBuildFactoryHelper::InstancePanel("GraphPanel");
	ASSERT_NE(nullptr, made);
	auto *graph = dynamic_cast<vgui::GraphPanel *>(made);
	ASSERT_NE(nullptr, graph);
	EXPECT_STREQ("GraphPanel", graph->GetClassName());
	Place(graph, 0, 0, 10, 10);
	Apply(*graph, R"("s" { "fieldName" "graph" "xpos" "5" "ypos" "6" "wide" "30" "tall" "20" })");
	FramePaint();

	EXPECT_EQ(0, graph->GetSampleCount());
	EXPECT_EQ((std::vector<std::string>{ "F 0,0,30,20 5,6,7,255", "F 0,0,30,1 0,0,255,255" }), PanelLog(graph));
	EXPECT_EQ(0xFF070605u, m_vgui->Pixel(5 + 10, 6 + 10));
	EXPECT_EQ(0xFFFF0000u, m_vgui->Pixel(5 + 10, 6));
	EXPECT_EQ(Color(255, 0, 0, 255), graph->GetFgColor());
}
