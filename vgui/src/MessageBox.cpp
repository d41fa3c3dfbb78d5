// vgui::MessageBox: sizes itself around its message, centres over the screen or a frame, and
// closes (deleting itself) when one of its buttons is used.
#include "vgui_controls/MessageBox.h"

#include <strings.h>

#include "tier1/KeyValues.h"
#include "vgui/IInput.h"
#include "vgui/ISurface.h"
#include "vgui_controls/BuildFactoryHelper.h"
#include "vgui_controls/Button.h"
#include "vgui_controls/Controls.h"
#include "vgui_controls/Label.h"

namespace vgui
{
namespace
{
Panel *Create_MessageBox() { return new MessageBox("MessageBox", "MessageBoxText"); }
CBuildFactoryHelper g_MessageBox_Helper("MessageBox", Create_MessageBox);
}

MessageBox::MessageBox(const char *title, const char *text, Panel *parent) : Frame(parent, nullptr, false, true)
{
	SetTitle(title, true);
	m_pMessageLabel = new Label(this, nullptr, text);
	Init();
}

MessageBox::MessageBox(const wchar_t *title, const wchar_t *text, Panel *parent)
    : Frame(parent, nullptr, false, true)
{
	SetTitle(title, true);
	m_pMessageLabel = new Label(this, nullptr, text);
	Init();
}

void MessageBox::Init()
{
	SetDeleteSelfOnClose(true);
	m_pFrameOver = nullptr;
	SetMenuButtonResponsive(false);
	SetMinimizeButtonVisible(false);
	SetCloseButtonVisible(false);
	SetSizeable(false);
	m_pOkButton = new Button(this, nullptr, "#MessageBox_OK");
	m_pOkButton->SetCommand("OnOk");
	m_pOkButton->AddActionSignalTarget(this);
	m_pCancelButton = new Button(this, nullptr, "#MessageBox_Cancel");
	m_pCancelButton->SetCommand("OnCancel");
	m_pCancelButton->AddActionSignalTarget(this);
	m_pCancelButton->SetVisible(false);
	m_OkCommand = nullptr;
	m_bNoAutoClose = false;
}

MessageBox::~MessageBox()
{
	if (m_OkCommand)
		m_OkCommand->deleteThis();
}

void MessageBox::ApplySchemeSettings(IScheme *pScheme)
{
	Frame::ApplySchemeSettings(pScheme);
	int w, h;
	m_pMessageLabel->SizeToContents();
	m_pMessageLabel->GetSize(w, h);
	SetSize(w + 100, h + 100);
	int areaX = 0, areaY = 0, areaW, areaH;
	if (m_pFrameOver)
		m_pFrameOver->GetBounds(areaX, areaY, areaW, areaH);
	else
		surface()->GetScreenSize(areaW, areaH);
	SetPos((areaW - GetWide()) / 2 + areaX, (areaH - GetTall()) / 2 + areaY);
}

void MessageBox::ShowWindow(Frame *frameOver)
{
	m_pFrameOver = frameOver;
	SetVisible(true);
	SetEnabled(true);
	MoveToFront();
	if (m_pOkButton->IsVisible())
		m_pOkButton->RequestFocus();
	else
		RequestFocus();
	InvalidateLayout();
}

void MessageBox::DoModal(Frame *frameOver)
{
	ShowWindow(frameOver);
	input()->SetAppModalSurface(GetVPanel());
}

void MessageBox::OnCommand(const char *command)
{
	if (input()->GetAppModalSurface() == GetVPanel())
		input()->ReleaseAppModalSurface();
	if (!strcasecmp(command, "OnOk") && m_OkCommand)
		PostActionSignal(m_OkCommand->MakeCopy());
	if (!m_bNoAutoClose)
		OnShutdownRequest();
}

void MessageBox::SetCommand(const char *command)
{
	SetCommand(new KeyValues("Command", "command", command));
}

void MessageBox::SetCommand(KeyValues *command)
{
	if (m_OkCommand)
		m_OkCommand->deleteThis();
	m_OkCommand = command;
}

void MessageBox::SetOKButtonVisible(bool state) { m_pOkButton->SetVisible(state); }

void MessageBox::SetOKButtonText(const char *buttonText)
{
	m_pOkButton->SetText(buttonText);
	InvalidateLayout();
}

void MessageBox::SetOKButtonText(const wchar_t *buttonText)
{
	m_pOkButton->SetText(buttonText);
	InvalidateLayout();
}

void MessageBox::DisableCloseButton(bool state)
{
	SetCloseButtonVisible(state);
	m_bNoAutoClose = true;
}

void MessageBox::OnShutdownRequest() { PostMessage(this, new KeyValues("Close")); }

void MessageBox::PerformLayout()
{
	int x, y = 0, cw, ch;
	GetClientArea(x, y, cw, ch);
	int right = x + cw, bottom = y + ch;
	int wide, tall;
	GetSize(wide, tall);

	// Each button grows to its content plus a margin but never shrinks.
	auto buttonSize = [](Button *button, int &bw, int &bh) {
		int cw2, ch2;
		button->GetContentSize(cw2, ch2);
		button->GetSize(bw, bh);
		if (cw2 + 10 > bw)
			bw = cw2 + 10;
		if (ch2 + 10 > bh)
			bh = ch2 + 10;
		button->SetSize(bw, bh);
	};
	int okW, okH, cancelW = 0, cancelH = 0;
	buttonSize(m_pOkButton, okW, okH);
	if (m_pCancelButton->IsVisible())
		buttonSize(m_pCancelButton, cancelW, cancelH);

	int labelW, labelH;
	m_pMessageLabel->GetSize(labelW, labelH);
	if (wide < labelW + 100)
		wide = labelW + 100;
	if (wide < 2 * (okW + cancelW) + 30)
		wide = 2 * (okW + cancelW) + 30;
	SetSize(wide, tall);

	m_pMessageLabel->SetPos(right / 2 - labelW / 2 + x, y + 5);
	int buttonY = bottom - 15 - okH;
	if (!m_pCancelButton->IsVisible())
		m_pOkButton->SetPos(right / 2 - okW / 2 + x, buttonY);
	else
	{
		m_pOkButton->SetPos(right / 4 - okW / 2 + x, buttonY);
		m_pCancelButton->SetBounds((3 * right) / 4 - okW / 2 + x, buttonY, okW, okH);
	}
	Frame::PerformLayout();
}
}
