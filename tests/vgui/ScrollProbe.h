// A panel that logs the scroll and slider messages delivered to it as "Name(position) ".
#pragma once

#include <cstring>
#include <string>

#include "tier1/KeyValues.h"
#include "vgui_controls/Panel.h"

class ScrollProbe : public vgui::Panel
{
public:
	ScrollProbe(vgui::Panel *parent, const char *name) : vgui::Panel(parent, name) {}

	void OnMessage(const KeyValues *params, vgui::VPANEL fromPanel) override
	{
		static const char *const kLogged[] = { "ScrollBarSliderMoved", "SliderMoved", "SliderDragStart",
			                                   "SliderDragEnd" };
		for (const char *name : kLogged)
		{
			if (!strcasecmp(name, params->GetName()))
			{
				KeyValues *kv = const_cast<KeyValues *>(params);
				log += std::string(name) + "(" + std::to_string(kv->GetInt("position", -999)) + ") ";
				if (kv->GetPtr("panel"))
					++withPanel;
				break;
			}
		}
		vgui::Panel::OnMessage(params, fromPanel);
	}

	std::string Take()
	{
		std::string out;
		out.swap(log);
		return out;
	}

	std::string log;
	int withPanel = 0;
};
