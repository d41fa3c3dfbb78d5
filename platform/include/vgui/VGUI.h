// Basic vgui types: engine panel ids, handles of schemes, textures, cursors and fonts.
#pragma once

namespace vgui
{
// An engine panel id; 0 means none.
typedef unsigned int VPANEL;
// A handle to an engine panel that goes stale once the panel is freed; all bits set means none.
typedef unsigned int HPanel;
const HPanel INVALID_PANEL = 0xFFFFFFFFu;
typedef unsigned long HScheme;
typedef unsigned long HTexture;
typedef unsigned long HCursor;
typedef unsigned long HFont;

enum CursorCode
{
	dc_user,
	dc_none,
	dc_arrow,
	dc_ibeam,
	dc_hourglass,
	dc_waitarrow,
	dc_crosshair,
	dc_up,
	dc_sizenwse,
	dc_sizenesw,
	dc_sizewe,
	dc_sizens,
	dc_sizeall,
	dc_no,
	dc_hand,
	dc_blank,
	dc_last,
};

class Panel;
class IClientPanel;
}
