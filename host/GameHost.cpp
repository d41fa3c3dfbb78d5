// The stand-in game host: module loading, the accessor and game interface lent to the menu
// plug-in, the fixed clock and the frame loop, screenshots.
#include "GameHost.h"

#include <dlfcn.h>
#include <limits.h>
#include <stdlib.h>
#include <unistd.h>

#include <cstdint>
#include <cstring>

#include "IGet.h"
#include "IHostUtil.h"
#include "IZVHTML.h"
#include "IZorvan.h"
#include "PngWriter.h"
#include "engine/standin.h"
#include "filesystem/IFileSystem.h"
#include "lua/ILuaShared.h"
#include "lua/standin.h"
#include "networkstringtabledefs.h"
#include "steam/steam_api.h"
#include "tier0/icommandline.h"
#include "tier0/standin.h"
#include "vgui/ISurface.h"
#include "vgui/standin.h"

namespace
{
typedef void *(*Factory)(const char *, int *);

GameHost *s_host = nullptr;
Factory s_engineFactory = nullptr;
const std::set<std::string> *s_withheld = nullptr;
CSteamAPIContext s_steam;
int s_menuFrames = 0;

// The engine's factory as the game hands it to its plug-ins, less any withheld interface.
void *HostFactory(const char *name, int *returnCode)
{
	void *iface = nullptr;
	if (name && s_engineFactory && !(s_withheld && s_withheld->count(name)))
		iface = s_engineFactory(name, nullptr);
	if (returnCode)
		*returnCode = iface ? IFACE_OK : IFACE_FAILED;
	return iface;
}

class HostGet final : public IGet
{
public:
	LuaSharedService *LuaShared() override { return LuaStandIn::Service(); }
	IZVHTML *HTML() override { return html; }
	void BeforeAddonLuaError() override {}
	ISteamHTTP *SteamHTTP() override { return s_steam.SteamHTTP(); }
	IMotionSensor *MotionSensor() override { return nullptr; }
	IHostUtil *Util() override { return static_cast<IHostUtil *>(HostFactory(HOST_UTIL_INTERFACE_VERSION, nullptr)); }
	IZVHTML *html = nullptr;
};
HostGet s_get;

class HostGame final : public IZorvan
{
public:
	void MenuFrame() override { ++s_menuFrames; }
	void PrepareFrameCapture(int, int) override {}
	void FinishFrameCapture(int, int) override {}
};
HostGame s_game;

std::string Absolute(const std::string &path)
{
	char resolved[PATH_MAX];
	return realpath(path.c_str(), resolved) ? std::string(resolved) : std::string();
}

std::string Parent(const std::string &path)
{
	size_t slash = path.find_last_of('/');
	return slash == std::string::npos ? std::string(".") : slash == 0 ? std::string("/") : path.substr(0, slash);
}

void *OpenModule(const char *path, std::string *error)
{
	void *handle = dlopen(path, RTLD_NOW | RTLD_LOCAL);
	if (!handle && error)
		*error = std::string("cannot load ") + path + ": " + dlerror();
	return handle;
}

Factory ModuleFactory(void *handle)
{
	return handle ? reinterpret_cast<Factory>(dlsym(handle, "CreateInterface")) : nullptr;
}
}

GameHost::~GameHost()
{
	Shutdown();
}

void *GameHost::EngineInterface(const char *name) const
{
	return s_engineFactory ? s_engineFactory(name, nullptr) : nullptr;
}

int GameHost::MenuFrames() const { return s_menuFrames; }

bool GameHost::Load(const Options &options, std::string *error)
{
	m_options = options;
	s_menuFrames = 0;
	std::string game = Absolute(options.gameFolder);
	if (game.empty())
	{
		*error = "no game folder " + options.gameFolder;
		return false;
	}
	m_options.gameFolder = game;

	// The game runs from the folder whose bin/ holds its modules, where the plug-in finds its
	// game UI module.
	std::string root = options.gameRoot.empty() ? Parent(Parent(ZV_FOYERIX_LIBRARY)) : options.gameRoot;
	if (chdir(root.c_str()) != 0)
	{
		*error = "cannot enter " + root;
		return false;
	}

	m_hEngine = OpenModule(ZV_ENGINE_LIBRARY, error);
	s_engineFactory = ModuleFactory(m_hEngine);
	if (!s_engineFactory)
		return false;
	s_host = this;
	s_withheld = &m_options.withheld;

	m_fileSystem = static_cast<IFileSystem *>(EngineInterface(FILESYSTEM_INTERFACE_VERSION));
	m_vgui = static_cast<IVGuiStandIn *>(EngineInterface(VGUI_STANDIN_INTERFACE_VERSION));
	if (!m_fileSystem || !m_vgui)
	{
		*error = "the engine lacks its file system or vgui";
		return false;
	}
	const std::string lua = game + "/lua";
	const std::string data = game + "/data";
	m_fileSystem->AddSearchPath(game.c_str(), "GAME");
	m_fileSystem->AddSearchPath(game.c_str(), "MOD");
	m_fileSystem->AddSearchPath(data.c_str(), "DATA");
	m_fileSystem->AddSearchPath(lua.c_str(), "LuaMenu");
	m_searchPaths = { game, data, lua };
	LuaStandIn::AddScriptFolder("LuaMenu", lua.c_str());
	m_vgui->Reset();

	Tier0_SetClock(0.0);
	if (auto *control = static_cast<IEngineStandIn *>(EngineInterface(ENGINE_STANDIN_INTERFACE_VERSION)))
		control->SetCurrentTime(0.0);

	if (options.startSteam && SteamAPI_InitSafe())
	{
		m_steamStarted = true;
		s_steam.Init();
	}

	m_hHTML = OpenModule(ZV_ZVHTML_LIBRARY, error);
	if (Factory htmlFactory = ModuleFactory(m_hHTML))
	{
		m_html = static_cast<IZVHTML *>(htmlFactory(ZVHTML_INTERFACE_VERSION, nullptr));
		if (m_html && !m_html->Init(&HostFactory))
			m_html = nullptr;
	}
	s_get.html = m_html;

	m_hFoyerix = OpenModule(ZV_FOYERIX_LIBRARY, error);
	if (Factory foyerixFactory = ModuleFactory(m_hFoyerix))
		m_foyerix = static_cast<IFoyerix *>(foyerixFactory(FOYERIX_INTERFACE_VERSION, nullptr));
	if (!m_foyerix)
	{
		if (error->empty())
			*error = "the menu plug-in answers no " FOYERIX_INTERFACE_VERSION;
		return false;
	}
	return true;
}

bool GameHost::Init()
{
	if (!m_foyerix || !m_foyerix->Init(&HostFactory, &s_get, &s_game, &m_globals))
		return false;
	m_initialised = true;
	m_foyerix->SetupNetworkString(
		static_cast<INetworkStringTableContainer *>(HostFactory(INTERFACENAME_NETWORKSTRINGTABLECLIENT, nullptr)));
	return true;
}

void GameHost::StartLua()
{
	if (m_initialised)
		m_foyerix->StartLua();
}

void GameHost::Frame()
{
	double step = m_options.frameSeconds;
	Tier0_AdvanceClock(step);
	m_globals.framecount += 1;
	m_globals.frametime = static_cast<float>(step);
	m_globals.absoluteframetime = static_cast<float>(step);
	m_globals.curtime = static_cast<float>(m_globals.framecount * step);
	m_globals.realtime = m_globals.curtime;
	if (auto *control = static_cast<IEngineStandIn *>(EngineInterface(ENGINE_STANDIN_INTERFACE_VERSION)))
		control->SetCurrentTime(m_globals.curtime);
	if (m_steamStarted)
		SteamAPI_RunCallbacks();
	m_vgui->RunFrame();
	m_vgui->Paint();
	if (m_html)
		m_html->Update();
}

bool GameHost::SaveScreenshot(const std::string &path, std::string *error)
{
	auto *surface = static_cast<vgui::ISurface *>(EngineInterface(VGUI_SURFACE_INTERFACE_VERSION));
	int wide = 0, tall = 0;
	if (surface)
		surface->GetScreenSize(wide, tall);
	if (wide <= 0 || tall <= 0)
	{
		*error = "the surface has no size";
		return false;
	}
	std::vector<uint8_t> rgba(static_cast<size_t>(wide) * static_cast<size_t>(tall) * 4u);
	for (int y = 0; y < tall; ++y)
		for (int x = 0; x < wide; ++x)
		{
			uint32_t pixel = m_vgui->Pixel(x, y);
			uint8_t *out = &rgba[(static_cast<size_t>(y) * static_cast<size_t>(wide) + static_cast<size_t>(x)) * 4u];
			out[0] = static_cast<uint8_t>(pixel);
			out[1] = static_cast<uint8_t>(pixel >> 8);
			out[2] = static_cast<uint8_t>(pixel >> 16);
			out[3] = static_cast<uint8_t>(pixel >> 24);
		}
	if (!WritePng(path.c_str(), wide, tall, rgba.data()))
	{
		*error = "cannot write " + path;
		return false;
	}
	return true;
}

void GameHost::Shutdown()
{
	if (m_initialised)
	{
		m_foyerix->Shutdown();
		m_initialised = false;
	}

	if (m_html)
	{
		m_html->Shutdown();
		delete m_html;
		m_html = nullptr;
		s_get.html = nullptr;
	}
	LuaStandIn::DestroyService();
	LuaStandIn::ClearScriptFolders();
	if (m_fileSystem)
	{
		for (const std::string &path : m_searchPaths)
			m_fileSystem->RemoveSearchPath(path.c_str());
		m_searchPaths.clear();
	}
	if (m_steamStarted)
	{
		s_steam.Clear();
		SteamAPI_Shutdown();
		m_steamStarted = false;
	}
	// The modules stay loaded: their static objects live until the process ends. The plug-in
	// registers its console objects once per process, so a second Init after a Shutdown has
	// no "menu_reload" (the game, too, starts the plug-in once).
	if (s_host == this)
	{
		s_host = nullptr;
		s_withheld = nullptr;
	}
}
