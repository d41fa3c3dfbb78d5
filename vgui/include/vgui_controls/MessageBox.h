// vgui::MessageBox: a small popup frame with a message and an OK button that closes itself when
// a button is used and can send a command to its action-signal targets.
#pragma once

#include "vgui_controls/Frame.h"

namespace vgui
{
class Label;

class MessageBox : public Frame
{
	DECLARE_CLASS_SIMPLE(MessageBox, Frame);

public:
	MessageBox(const char *title, const char *text, Panel *parent = nullptr);
	MessageBox(const wchar_t *title, const wchar_t *text, Panel *parent = nullptr);
	~MessageBox() override;

	void ApplySchemeSettings(IScheme *pScheme) override;
	void OnCommand(const char *command) override;
	void PerformLayout() override;
	virtual void DoModal(Frame *frameOver);
	void DoModal() override { DoModal(nullptr); }
	void SetCommand(const char *command) override;

	virtual void ShowWindow(Frame *frameOver = nullptr);
	virtual void SetCommand(KeyValues *command);
	virtual void SetOKButtonVisible(bool state);
	virtual void SetOKButtonText(const char *buttonText);
	virtual void SetOKButtonText(const wchar_t *buttonText);
	virtual void DisableCloseButton(bool state);
	MESSAGE_FUNC(OnShutdownRequest, "ShutdownRequest");

	Button *GetOkButton() { return m_pOkButton; }
	Button *GetCancelButton() { return m_pCancelButton; }
	Label *GetMessageLabel() { return m_pMessageLabel; }

private:
	void Init();

	Button *m_pOkButton = nullptr;
	Button *m_pCancelButton = nullptr;
	Label *m_pMessageLabel = nullptr;
	KeyValues *m_OkCommand = nullptr;
	Frame *m_pFrameOver = nullptr;
	bool m_bNoAutoClose = false;
};
}
