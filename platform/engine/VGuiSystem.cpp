// The stand-in vgui system: the host's clock, an in-memory clipboard and in-memory user
// configuration of dialogs.
#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "tier1/KeyValues.h"
#include "tier1/interface.h"
#include "vgui/ISystem.h"

namespace
{
double g_CurrentTime = 0.0;
// Shell requests are only recorded: a stand-in never starts programs on the desktop.
std::vector<std::string> g_ShellExecutions;

class VGuiSystem final : public vgui::ISystem
{
public:
	double GetCurrentTime() override { return g_CurrentTime; }
	long GetTimeMillis() override { return static_cast<long>(g_CurrentTime * 1000.0); }
	void SetClipboardText(const char *text, int textLen) override
	{
		m_clipboard.assign(text ? text : "", text && textLen > 0 ? strnlen(text, textLen) : 0);
	}
	int GetClipboardText(int offset, char *buf, int bufLen) override
	{
		if (!buf || bufLen <= 0 || offset < 0 || static_cast<size_t>(offset) >= m_clipboard.size())
		{
			if (buf && bufLen > 0)
				buf[0] = '\0';
			return 0;
		}
		size_t n = std::min(m_clipboard.size() - offset, static_cast<size_t>(bufLen - 1));
		memcpy(buf, m_clipboard.data() + offset, n);
		buf[n] = '\0';
		return static_cast<int>(n);
	}

	void ShellExecute(const char *command, const char *file) override
	{
		g_ShellExecutions.push_back(std::string(command ? command : "") + " " + (file ? file : ""));
	}

	KeyValues *GetUserConfigFileData(const char *dialogName, int dialogID) override
	{
		if (!dialogName || !*dialogName)
			return nullptr;
		if (!m_userConfig)
			m_userConfig = new KeyValues("UserConfig");
		std::string key = std::string(dialogName) + "_" + std::to_string(dialogID);
		return m_userConfig->FindKey(key.c_str(), true);
	}

private:
	std::string m_clipboard;
	// Kept for the life of the process, as the engine keeps its configuration file.
	KeyValues *m_userConfig = nullptr;
};

VGuiSystem s_VGuiSystem;

void *CreateVGuiSystem() { return static_cast<vgui::ISystem *>(&s_VGuiSystem); }

InterfaceReg s_VGuiSystemReg(&CreateVGuiSystem, VGUI_SYSTEM_INTERFACE_VERSION);
}

void VGuiSystemSetCurrentTime(double seconds) { g_CurrentTime = seconds; }
std::vector<std::string> &VGuiSystemShellExecutions() { return g_ShellExecutions; }

#include "VGuiInternal.h"

double vguistandin::CurrentTime() { return g_CurrentTime; }
