// vgui::URLLabel: an underlined label that opens its web address in the Steam overlay when it is
// clicked with the left mouse button.
#pragma once

#include "vgui_controls/Label.h"

namespace vgui
{
class URLLabel : public Label
{
	DECLARE_CLASS_SIMPLE(URLLabel, Label);

public:
	URLLabel(Panel *parent, const char *panelName, const char *text, const char *pszURL);
	~URLLabel() override;

	// Stores a copy of the address; the buffer only grows.
	void SetURL(const char *pszURL);
	// The stored address, or null when none is set.
	const char *GetURL() const { return m_pszURL; }
	int GetURLSize() const { return m_iURLSize; }

	void ApplySchemeSettings(IScheme *pScheme) override;
	void ApplySettings(KeyValues *inResourceData) override;
	void GetSettings(KeyValues *outResourceData) override;
	const char *GetDescription() override;
	void OnMousePressed(ButtonCode_t code) override;

private:
	char *m_pszURL;
	int m_iURLSize;
};
}
