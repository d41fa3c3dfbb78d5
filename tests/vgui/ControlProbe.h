// Helpers for the control tests: a panel that logs the control messages delivered to it, in the
// form "Name(key=value,...)" with key names in lower case and pointer values shown as the
// panel's name. Input and focus traffic is left out.
#pragma once

#include <cctype>
#include <cstring>
#include <string>

#include "tier1/KeyValues.h"
#include "vgui_controls/Panel.h"

class MessageProbe : public vgui::Panel
{
public:
	MessageProbe(vgui::Panel *parent, const char *name) : vgui::Panel(parent, name) {}

	void OnMessage(const KeyValues *params, vgui::VPANEL fromPanel) override
	{
		static const char *const kLogged[] = { "Command",           "DefaultButtonSet",   "CurrentDefaultButtonSet",
			                                   "ButtonToggled",     "CheckButtonChecked", "RadioButtonChecked",
			                                   "Expanded" };
		bool logged = false;
		for (const char *name : kLogged)
			logged = logged || !strcasecmp(name, params->GetName());
		if (!logged)
		{
			vgui::Panel::OnMessage(params, fromPanel);
			return;
		}
		std::string entry = params->GetName();
		entry += "(";
		bool first = true;
		for (KeyValues *key = params->GetFirstSubKey(); key; key = key->GetNextKey())
		{
			if (!first)
				entry += ",";
			first = false;
			for (const char *c = key->GetName(); *c; ++c)
				entry += static_cast<char>(tolower(static_cast<unsigned char>(*c)));
			entry += "=";
			if (key->GetDataType() == KeyValues::TYPE_PTR)
			{
				auto *panel = static_cast<vgui::Panel *>(key->GetPtr());
				entry += panel ? panel->GetName() : "null";
			}
			else
				entry += key->GetString();
		}
		entry += ") ";
		log += entry;
		vgui::Panel::OnMessage(params, fromPanel);
	}

	std::string Take()
	{
		std::string out;
		out.swap(log);
		return out;
	}

	std::string log;
};
