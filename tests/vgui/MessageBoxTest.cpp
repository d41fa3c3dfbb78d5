// vgui::MessageBox: the factory's title and text, the OK command, closing and deleting itself,
// DisableCloseButton, and its size around the message.
#include <fstream>
#include <string>

#include "ControlFixture.h"
#include "ControlProbe.h"
#include "tier1/KeyValues.h"
#include "vgui/IInput.h"
#include "vgui_controls/BuildFactoryHelper.h"
#include "vgui_controls/Label.h"
#include "vgui_controls/MessageBox.h"
#include "vgui_controls/PHandle.h"
#include "vgui_controls/TextImage.h"

namespace
{
class MessageBoxTest : public ControlTest
{
protected:
	void SetUp() override
	{
		ControlTest::SetUp();
		// The fixed test font, glyphs 6 x 12, as the default font so labels have a size.
		std::ofstream(m_harness->gameFolder + "/box.res")
		    << "Scheme { Fonts { Default { \"1\" { \"name\" \"ZvFixed\" \"tall\" \"12\" } } } }";
		m_scheme = g_pVGuiSchemeManager->LoadSchemeFromFile("box.res", "BoxTest");
		ASSERT_NE(0u, m_scheme);
	}
	vgui::MessageBox *NewBox(const char *text)
	{
		auto *box = new vgui::MessageBox("Title", text);
		m_panels.emplace_back();
		m_panels.back().Set(box);
		box->SetScheme(m_scheme);
		return box;
	}
	MessageProbe *NewProbe()
	{
		return Place(new MessageProbe(nullptr, "probe"), 0, 0, 10, 10);
	}
};

TEST_F(MessageBoxTest, FactoryMakesTitleAndText)
{
	vgui::Panel *panel = vgui::CBuildFactoryHelper::InstancePanel("MessageBox");
	ASSERT_NE(nullptr, panel);
	auto *box = dynamic_cast<vgui::MessageBox *>(panel);
	ASSERT_NE(nullptr, box);
	char buf[64];
	box->GetTitleImage()->GetText(buf, sizeof(buf));
	EXPECT_STREQ("MessageBox", buf);
	box->GetMessageLabel()->GetText(buf, sizeof(buf));
	EXPECT_STREQ("MessageBoxText", buf);
	EXPECT_STREQ("MessageBox", box->GetClassName());
	EXPECT_FALSE(box->IsVisible());
	delete box;
}

TEST_F(MessageBoxTest, OkSendsLastCommandThenBoxClosesAndDeletesItself)
{
	MessageProbe *probe = NewProbe();
	vgui::MessageBox *box = NewBox("Saved.");
	box->AddActionSignalTarget(probe);
	box->SetCommand("first");
	box->SetCommand("second");
	box->DoModal();
	EXPECT_EQ(box->GetVPanel(), vgui::input()->GetAppModalSurface());
	vgui::PHandle handle;
	handle.Set(box);
	box->OnCommand("onok");
	EXPECT_EQ(0u, vgui::input()->GetAppModalSurface());
	Frame();
	Frame();
	std::string got = probe->Take();
	EXPECT_NE(std::string::npos, got.find("command=second")) << got;
	EXPECT_EQ(std::string::npos, got.find("first")) << got;
	EXPECT_EQ(got.find("Command("), got.rfind("Command(")) << got;
	EXPECT_EQ(nullptr, handle.Get());
}

TEST_F(MessageBoxTest, DisabledCloseKeepsBoxOpen)
{
	MessageProbe *probe = NewProbe();
	vgui::MessageBox *box = NewBox("Stay");
	box->AddActionSignalTarget(probe);
	box->SetCommand(new KeyValues("Command", "command", "keep"));
	box->DisableCloseButton(false);
	box->ShowWindow();
	box->OnCommand("OnOk");
	Frame();
	Frame();
	EXPECT_TRUE(box->IsVisible());
	EXPECT_NE(std::string::npos, probe->Take().find("command=keep"));
}

TEST_F(MessageBoxTest, BoxIsLargerThanItsMessageAndCentred)
{
	vgui::MessageBox *box = NewBox("A somewhat longer message for the box");
	box->ShowWindow();
	box->InvalidateLayout(true, true);
	int lw, lh;
	box->GetMessageLabel()->GetSize(lw, lh);
	EXPECT_GT(lw, 0);
	EXPECT_GE(box->GetWide(), lw + 100);
	EXPECT_GE(box->GetTall(), lh + 100);
	int x, y;
	box->GetPos(x, y);
	EXPECT_EQ((640 - (lw + 100)) / 2, x);
	EXPECT_EQ((480 - (lh + 100)) / 2, y);
	int ox, oy;
	box->GetOkButton()->GetPos(ox, oy);
	EXPECT_GT(oy, lh);
}
}
