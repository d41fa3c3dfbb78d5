// The HTML renderer plug-in: the web core's start-up and shut-down, its per-call update, the
// pool of 512x512 views, and the registration of "IZVHTML001".
#include "CZVHTML.h"

#include <cstring>

#include "SteamFiledDataSource.h"
#include "filesystem/IFileSystem.h"
#include "tier0/dbg.h"
#include "tier1/tier1.h"
#include "tier1/tier2.h"
#include "tier1/tier3.h"
#include "webcore/WebCore.h"
#include "webcore/WebView.h"

namespace
{
const int kViewSize = 512;

// Handed to the web core unformatted: the three "%s" reach it as they are.
const char kUserAgent[] =
	"Mozilla/5.0 (%s; U; %s; en-US; Zorvan Games Client; %s) AppleWebKit/532.1 (KHTML, like Gecko) "
	"Chrome/3.0.195.24 Safari/532.1";

Awesomium::WebString WebText(const char *pText)
{
	return Awesomium::WebString::CreateFromUTF8(pText, static_cast<unsigned int>(strlen(pText)));
}
}

// Static initialisation: the data source first, then the factory's registration.
SteamFiledDataSource gSteamFiledDataSource;

static void *__CreateCZVHTML_interface()
{
	return static_cast<IZVHTML *>(new CZVHTML);
}
static InterfaceReg __g_CreateCZVHTML_reg(__CreateCZVHTML_interface, ZVHTML_INTERFACE_VERSION);

CZVHTML::CZVHTML() : m_Core(nullptr)
{
}

bool CZVHTML::Init(CreateInterfaceFn factory)
{
	CreateInterfaceFn factories[] = { factory };
	ConnectTier1Libraries(factories, 1);
	ConnectTier2Libraries(factories, 1);
	ConnectTier3Libraries(factories, 1);

	Awesomium::WebConfig config;
	config.additional_options.Push(WebText("--allow-file-access-from-files"));
	config.user_agent = WebText(kUserAgent);
	config.log_level = 0;
	char szPackagePath[260];
	szPackagePath[0] = '\0';
	if (g_pFullFileSystem)
		g_pFullFileSystem->RelativePathToFullPath("../bin/", "MOD", szPackagePath, sizeof(szPackagePath), 0, 0);
	config.package_path = WebText(szPackagePath);

	Msg("Initializing Awesomium..\n");
	m_Core = Awesomium::WebCore::Initialize(config);
	if (!m_Core)
		Error("Error initializing Awesomium!");

	Awesomium::WebPreferences prefs;
	prefs.allow_file_access_from_file_url = true;
	prefs.shrink_standalone_images_to_fit = false;

	m_Session = m_Core->CreateWebSession(Awesomium::WebString(), prefs);
	m_Session->AddDataSource(WebText("zorvan"), &gSteamFiledDataSource);
	m_SpareView = m_Core->CreateWebView(kViewSize, kViewSize, m_Session, Awesomium::kWebViewType_Offscreen);
	return true;
}

void CZVHTML::Shutdown()
{
	// Only a running core is stopped; a second call, or one before Init, does nothing.
	if (!m_Core)
		return;
	if (m_SpareView)
		m_SpareView->Destroy();
	m_SpareView = nullptr;
	if (m_Session)
		m_Session->Release();
	m_Session = nullptr;
	Msg("Stopping Awesomium.. ");
	Awesomium::WebCore::Shutdown();
	m_Core = nullptr;
	Msg("Done!\n");
}

void CZVHTML::Update()
{
	if (!m_Core)
		Error("!Awesomium::m_Core");
	m_Core->Update();
}

Awesomium::WebView *CZVHTML::GetWebView()
{
	if (!m_Core)
		Error("!Awesomium::m_Core");
	Awesomium::WebView *pView = m_SpareView;
	m_SpareView = m_Core->CreateWebView(kViewSize, kViewSize, m_Session, Awesomium::kWebViewType_Offscreen);
	return pView;
}

void CZVHTML::KillWebView(Awesomium::WebView *pView)
{
	if (!m_Core)
		Error("!Awesomium::m_Core");
	// A null view has nothing to destroy.
	if (pView)
		pView->Destroy();
}
