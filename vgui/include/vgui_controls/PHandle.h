// Handles that outlive the panel they name: they resolve to null (or 0) once it is gone.
#pragma once

#include "vgui/VGUI.h"

namespace vgui
{
class Panel;

class PHandle
{
public:
	PHandle() = default;
	Panel *Get() const;
	Panel *Set(Panel *panel);
	Panel *Set(HPanel handle);
	HPanel GetHandle() const { return m_iPanelID; }
	operator Panel *() const { return Get(); }
	Panel *operator->() const { return Get(); }
	Panel *operator=(Panel *panel) { return Set(panel); }
	bool operator==(Panel *panel) const { return Get() == panel; }
	bool operator!=(Panel *panel) const { return Get() != panel; }

private:
	HPanel m_iPanelID = INVALID_PANEL;
};

class VPanelHandle
{
public:
	VPanelHandle() = default;
	VPANEL Get() const;
	VPANEL Set(VPANEL panel);
	operator VPANEL() const { return Get(); }
	VPANEL operator=(VPANEL panel) { return Set(panel); }

private:
	HPanel m_iPanelID = INVALID_PANEL;
};
}
