// A panel that records the messages a menu sends it, for the menu tests.
#pragma once

#include <cstring>
#include <string>
#include <vector>

#include "tier1/KeyValues.h"
#include "vgui_controls/Panel.h"

// Records the name (and command) of every message it receives.
class Recorder : public vgui::Panel
{
public:
	Recorder(vgui::Panel *parent, const char *name) : vgui::Panel(parent, name) {}
	void OnMessage(const KeyValues *params, vgui::VPANEL from) override
	{
		std::string entry = params->GetName();
		if (!strcmp(params->GetName(), "Command"))
			entry += std::string(":") + const_cast<KeyValues *>(params)->GetString("command", "");
		log.push_back(entry);
		vgui::Panel::OnMessage(params, from);
	}
	int Count(const std::string &name) const
	{
		int n = 0;
		for (const std::string &e : log)
			n += e == name;
		return n;
	}
	std::vector<std::string> log;
};
