// Controls over the stand-in engine with a scheme of known colours and borders loaded from the
// game folder, helpers to apply layout text and read settings back, and the draw log as text.
#pragma once

#include <sys/stat.h>

#include <cstdio>
#include <string>
#include <vector>

#include "VGuiFixture.h"
#include "tier1/KeyValues.h"
#include "vgui/IScheme.h"

class ControlTest : public VGuiTest
{
protected:
	void SetUp() override
	{
		VGuiTest::SetUp();
		std::string folder = m_harness->gameFolder + "/resource";
		mkdir(folder.c_str(), 0755);
		FILE *f = fopen((folder + "/control_scheme.res").c_str(), "wb");
		ASSERT_NE(nullptr, f);
		fputs(R"("Scheme"
{
	"Colors"
	{
		"Red"	"255 0 0 255"
		"Green"	"0 255 0 255"
		"Blue"	"0 0 255 255"
		"Grey"	"40 40 40 255"
	}
	"BaseSettings"
	{
		"ProgressBar.FgColor"	"Green"
		"ProgressBar.BgColor"	"Grey"
		"CircularProgressBar.FgColor"	"200 100 50 255"
		"CircularProgressBar.BgColor"	"10 20 30 255"
		"GraphPanel.FgColor"	"Red"
		"GraphPanel.BgColor"	"5 6 7 255"
	}
	"Borders"
	{
		"ButtonDepressedBorder"	{ "inset" "1 1 1 1" "Top" { "1" { "color" "Blue" } } }
		"Thin"	{ "inset" "1 1 1 1" }
	}
}
)",
		      f);
		fclose(f);
		m_scheme = g_pVGuiSchemeManager->LoadSchemeFromFile("resource/control_scheme.res", "ControlScheme");
		ASSERT_NE(0u, m_scheme);
	}
	void TearDown() override
	{
		for (vgui::PHandle &h : m_panels)
			delete h.Get();
		VGuiTest::TearDown();
	}

	// A control placed under the root at the given bounds, deleted at the end of the test.
	template <class T>
	T *Place(T *panel, int x, int y, int wide, int tall)
	{
		panel->SetParent(m_root);
		panel->SetBounds(x, y, wide, tall);
		m_panels.emplace_back();
		m_panels.back().Set(panel);
		return panel;
	}

	// Layout text applied to a panel.
	static void Apply(vgui::Panel &panel, const char *text)
	{
		KeyValues *kv = new KeyValues("settings");
		ASSERT_TRUE(kv->LoadFromBuffer("settings", text));
		panel.ApplySettings(kv);
		kv->deleteThis();
	}
	static std::string Saved(vgui::Panel &panel, const char *key)
	{
		KeyValues *kv = new KeyValues("out");
		panel.GetSettings(kv);
		std::string value = kv->GetString(key, "<absent>");
		kv->deleteThis();
		return value;
	}

	// One frame then a paint, the log cleared first.
	void FramePaint()
	{
		Frame();
		m_vgui->ClearDrawLog();
		m_vgui->Paint();
	}

	// The draw records of one panel as "F x0,y0,x1,y1 r,g,b,a" / "T<id> ..." / "P<id> n" lines,
	// positions relative to the panel's screen position.
	std::vector<std::string> PanelLog(vgui::Panel *panel)
	{
		int px = 0, py = 0;
		panel->LocalToScreen(px, py);
		std::vector<std::string> out;
		for (const VGuiDrawRecord &r : m_vgui->DrawLog())
		{
			if (r.panel != panel->GetVPanel())
				continue;
			char line[160];
			if (r.kind == VGuiDrawRecord::TexturedPolygon)
			{
				snprintf(line, sizeof(line), "P%d %d", r.texture, r.vertexCount);
			}
			else
			{
				std::string kind = r.kind == VGuiDrawRecord::FilledRect     ? "F"
				                   : r.kind == VGuiDrawRecord::TexturedRect ? "T" + std::to_string(r.texture)
				                                                            : "?" + std::to_string(int(r.kind));
				snprintf(line, sizeof(line), "%s %d,%d,%d,%d %d,%d,%d,%d", kind.c_str(), r.x0 - px, r.y0 - py,
				         r.x1 - px, r.y1 - py, r.r, r.g, r.b, r.a);
			}
			out.push_back(line);
		}
		return out;
	}

	vgui::HScheme m_scheme = 0;
	std::vector<vgui::PHandle> m_panels;
};
