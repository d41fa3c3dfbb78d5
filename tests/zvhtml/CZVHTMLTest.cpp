// The plug-in as the game drives it: factory lookups, start-up of the web core, the view pool,
// pumping loads, shut-down and the fatal stops.
#include <string>

#include "ZvhtmlPlugin.h"
#include "tier0/standin.h"
#include "webcore/standin.h"

namespace
{
std::string Utf8(const Awesomium::WebString &s)
{
	std::string text(s.length(), '\0');
	s.ToUTF8(text.data(), s.length());
	return text;
}

Awesomium::WebURL Url(const std::string &text)
{
	return Awesomium::WebURL(Awesomium::WebString::CreateFromUTF8(text.data(), static_cast<unsigned int>(text.size())));
}
}

using ZVHTMLTest = ZvhtmlPlugin;

TEST_F(ZVHTMLTest, FactoryHandsOutANewObjectPerLookupAndRefusesOtherNames)
{
	IZVHTML *a = NewPlugin();
	IZVHTML *b = NewPlugin();
	ASSERT_NE(a, nullptr);
	EXPECT_NE(a, b);
	delete a;  // the destructor frees nothing and needs no core
	delete b;

	int nCode = -1;
	EXPECT_EQ(PluginFactory()("IZVHTML002", &nCode), nullptr);
	EXPECT_EQ(nCode, IFACE_FAILED);
	EXPECT_EQ(PluginFactory()("izvhtml001", nullptr), nullptr);
}

TEST_F(ZVHTMLTest, InitStartsTheCoreWithTheGameConfiguration)
{
	Tier0OutputCapture capture;
	ASSERT_NE(Started(), nullptr);
	EXPECT_EQ(capture.Of(Tier0OutputKind::Msg), "Initializing Awesomium..\n");

	const Awesomium::WebConfig *pConfig = WebCoreStandIn::Config();
	ASSERT_NE(pConfig, nullptr);
	std::string strAgent = Utf8(pConfig->user_agent);
	EXPECT_EQ(strAgent.size(), 124u);
	EXPECT_EQ(strAgent,
	          "Mozilla/5.0 (%s; U; %s; en-US; Zorvan Games Client; %s) AppleWebKit/532.1 (KHTML, like Gecko) "
	          "Chrome/3.0.195.24 Safari/532.1");
	ASSERT_EQ(pConfig->additional_options.size(), 1u);
	EXPECT_EQ(Utf8(pConfig->additional_options.At(0)), "--allow-file-access-from-files");
	EXPECT_EQ(pConfig->log_level, 0);
	// "../bin/" leaves the mounted folders, which the engine's file system refuses to resolve.
	EXPECT_EQ(Utf8(pConfig->package_path), "");

	EXPECT_EQ(WebCoreStandIn::LiveSessions(), 1);
	EXPECT_EQ(WebCoreStandIn::LiveViews(), 1);  // the spare view
}

TEST_F(ZVHTMLTest, ViewsComeFromOneSessionOneAheadAnd512Square)
{
	ASSERT_NE(Started(), nullptr);
	int nCreated = WebCoreStandIn::ViewsCreated();
	Awesomium::WebView *pMadeByInit = WebCoreStandIn::LastViewCreated();

	Awesomium::WebView *pFirst = m_pHTML->GetWebView();
	ASSERT_NE(pFirst, nullptr);
	EXPECT_EQ(pFirst, pMadeByInit);  // the spare view costs the first caller nothing
	EXPECT_EQ(WebCoreStandIn::ViewsCreated(), nCreated + 1);
	Awesomium::WebView *pSpare = WebCoreStandIn::LastViewCreated();
	Awesomium::WebView *pSecond = m_pHTML->GetWebView();
	EXPECT_EQ(pSecond, pSpare);
	EXPECT_EQ(WebCoreStandIn::ViewsCreated(), nCreated + 2);
	EXPECT_NE(pFirst, pSecond);
	EXPECT_EQ(WebCoreStandIn::LiveViews(), 3);

	for (Awesomium::WebView *pView : { pFirst, pSecond })
	{
		EXPECT_EQ(pView->width(), 512);
		EXPECT_EQ(pView->height(), 512);
		ASSERT_NE(pView->surface(), nullptr);
		EXPECT_EQ(WebCoreStandIn::SessionOf(pView), WebCoreStandIn::SessionOf(pFirst));
	}
	const Awesomium::WebPreferences *pPrefs = WebCoreStandIn::SessionPreferences(WebCoreStandIn::SessionOf(pFirst));
	ASSERT_NE(pPrefs, nullptr);
	EXPECT_TRUE(pPrefs->allow_file_access_from_file_url);
	EXPECT_FALSE(pPrefs->shrink_standalone_images_to_fit);
	EXPECT_TRUE(pPrefs->enable_javascript);  // every other preference keeps the core's default

	m_pHTML->KillWebView(pFirst);
	EXPECT_FALSE(WebCoreStandIn::IsLiveView(pFirst));
	m_pHTML->KillWebView(nullptr);  // nothing to destroy, no crash
	m_pHTML->KillWebView(pSecond);
	EXPECT_EQ(WebCoreStandIn::LiveViews(), 1);
}

TEST_F(ZVHTMLTest, UpdatePumpsAnAssetPageLoad)
{
	WriteGameFile("html/loading.html", "<html>loading</html>");
	ASSERT_NE(Started(), nullptr);
	Awesomium::WebView *pView = m_pHTML->GetWebView();

	pView->LoadURL(Url("asset://zorvan/html/loading.html"));
	EXPECT_TRUE(pView->IsLoading());
	m_pHTML->Update();
	EXPECT_FALSE(pView->IsLoading());
	WebCoreStandIn::Response page = WebCoreStandIn::Document(pView);
	EXPECT_TRUE(page.ok);
	EXPECT_EQ(page.mime, "text/html");
	EXPECT_EQ(page.bytes, "<html>loading</html>");

	pView->LoadURL(Url("asset://zorvan/html/missing.html"));
	m_pHTML->Update();
	EXPECT_FALSE(WebCoreStandIn::Document(pView).ok);
	m_pHTML->KillWebView(pView);
}

TEST_F(ZVHTMLTest, ShutdownStopsOnOneLineAndTwiceIsHarmless)
{
	ASSERT_NE(Started(), nullptr);
	Tier0OutputCapture capture;
	m_pHTML->Shutdown();
	EXPECT_EQ(capture.Of(Tier0OutputKind::Msg), "Stopping Awesomium.. Done!\n");
	EXPECT_EQ(WebCoreStandIn::Config(), nullptr);
	EXPECT_EQ(WebCoreStandIn::LiveViews(), 0);
	EXPECT_EQ(WebCoreStandIn::LiveSessions(), 0);

	capture.Clear();
	m_pHTML->Shutdown();
	EXPECT_EQ(capture.All(), "");

	// The core can be started again by a new object.
	ASSERT_NE(Started(), nullptr);
	EXPECT_NE(WebCoreStandIn::Config(), nullptr);
}

using ZVHTMLDeathTest = ZvhtmlPlugin;

TEST_F(ZVHTMLDeathTest, CallsWithoutACoreAreFatal)
{
	GTEST_FLAG_SET(death_test_style, "threadsafe");
	IZVHTML *pHTML = NewPlugin();
	ASSERT_NE(pHTML, nullptr);
	EXPECT_DEATH(pHTML->Update(), "!Awesomium::m_Core");
	EXPECT_DEATH(pHTML->GetWebView(), "!Awesomium::m_Core");
	EXPECT_DEATH(pHTML->KillWebView(nullptr), "!Awesomium::m_Core");
	ASSERT_TRUE(pHTML->Init(EngineFactory()));
	pHTML->Shutdown();
	EXPECT_DEATH(pHTML->Update(), "!Awesomium::m_Core");
	delete pHTML;
}

TEST_F(ZVHTMLDeathTest, AFailedCoreStartIsFatal)
{
	GTEST_FLAG_SET(death_test_style, "threadsafe");
	IZVHTML *pHTML = NewPlugin();
	ASSERT_NE(pHTML, nullptr);
	EXPECT_DEATH(
		{
			WebCoreStandIn::FailNextInitialize(true);
			pHTML->Init(EngineFactory());
		},
		"Error initializing Awesomium!");
	delete pHTML;
}
