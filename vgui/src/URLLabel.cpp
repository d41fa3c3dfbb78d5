// vgui::URLLabel: the address it keeps, its layout key "URLText" and the left click that hands the
// address to the Steam overlay.
#include "vgui_controls/URLLabel.h"

#include <cstring>

#include "menu/MenuScreen.h"
#include "menu/FoyerixGlobals.h"
#include "steam/isteamfriends.h"
#include "steam/steam_api.h"
#include "tier1/KeyValues.h"
#include "tier1/strtools.h"
#include "vgui/ILocalize.h"
#include "vgui/IScheme.h"
#include "vgui_controls/BuildFactoryHelper.h"
#include "vgui_controls/Controls.h"

// Programs without the menu host open the page through the overlay themselves; the menu host's
// definition replaces this one.
__attribute__((weak)) void ZORV_OpenURLInSteam(const char *url)
{
	if (steamapicontext)
		if (ISteamFriends *friends = steamapicontext->SteamFriends())
			friends->ActivateGameOverlayToWebPage(url);
}

namespace vgui
{
static Panel *Create_URLLabel() { return new URLLabel(nullptr, nullptr, "URLLabel", nullptr); }
static CBuildFactoryHelper g_URLLabel_Helper("URLLabel", Create_URLLabel);

URLLabel::URLLabel(Panel *parent, const char *panelName, const char *text, const char *pszURL)
	: Label(parent, panelName, text), m_pszURL(nullptr), m_iURLSize(0)
{
	if (pszURL && *pszURL)
		SetURL(pszURL);
}

URLLabel::~URLLabel() { delete[] m_pszURL; }

void URLLabel::SetURL(const char *pszURL)
{
	if (!pszURL)
		pszURL = "";
	const int length = static_cast<int>(strlen(pszURL));
	if (length > m_iURLSize || !m_pszURL)
	{
		delete[] m_pszURL;
		m_pszURL = new char[static_cast<size_t>(length) + 1];
	}
	memcpy(m_pszURL, pszURL, static_cast<size_t>(length) + 1);
	m_iURLSize = length;
}

void URLLabel::OnMousePressed(ButtonCode_t code)
{
	if (code == MOUSE_LEFT && m_pszURL)
		ZORV_OpenURLInSteam(m_pszURL);
}

void URLLabel::ApplySettings(KeyValues *inResourceData)
{
	BaseClass::ApplySettings(inResourceData);
	const char *text = inResourceData->GetString("URLText", nullptr);
	if (!text)
		return;
	if (text[0] != '#')
	{
		SetURL(text);
		return;
	}
	const wchar_t *localized = g_pVGuiLocalize ? g_pVGuiLocalize->Find(text + 1) : nullptr;
	if (!localized)
		return;
	char ansi[512];
	g_pVGuiLocalize->ConvertUnicodeToANSI(localized, ansi, sizeof(ansi));
	SetURL(ansi);
}

void URLLabel::GetSettings(KeyValues *outResourceData)
{
	BaseClass::GetSettings(outResourceData);
	if (m_pszURL)
		outResourceData->SetString("URLText", m_pszURL);
}

const char *URLLabel::GetDescription()
{
	static char s_description[1024];
	V_snprintf(s_description, sizeof(s_description), "%s, string URLText", BaseClass::GetDescription());
	return s_description;
}

void URLLabel::ApplySchemeSettings(IScheme *pScheme)
{
	SetFont(pScheme->GetFont("DefaultUnderline", IsProportional()));
	BaseClass::ApplySchemeSettings(pScheme);
	SetCursor(dc_hand);
}
}
