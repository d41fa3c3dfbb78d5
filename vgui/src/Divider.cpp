// vgui::Divider: 128 x 2 until resized, drawn with the scheme's "ButtonDepressedBorder".
#include "vgui_controls/Divider.h"

#include "vgui/IScheme.h"
#include "vgui_controls/BuildFactoryHelper.h"

namespace vgui
{
namespace
{
Panel *Create_Divider() { return new Divider(nullptr, nullptr); }
CBuildFactoryHelper g_Divider_Helper("Divider", Create_Divider);
}

Divider::Divider(Panel *parent, const char *name) : Panel(parent, name) { SetSize(128, 2); }

Divider::~Divider() = default;

void Divider::ApplySchemeSettings(IScheme *pScheme)
{
	if (pScheme)
		SetBorder(pScheme->GetBorder("ButtonDepressedBorder"));
	BaseClass::ApplySchemeSettings(pScheme);
}
}
