// asset://zorvan/ requests answered from a temporary game folder through the loaded plug-in,
// and the path and MIME rules behind them.
#include "SteamFiledDataSource.h"

#include <string>

#include "ZvhtmlPlugin.h"
#include "webcore/standin.h"

TEST(SteamFiledDataSourceRules, MimeTypeByExtensionIsCaseSensitive)
{
	const struct
	{
		const char *extension;
		const char *mime;
	} kCases[] = {
		{ "png", "image/png" },   { "jpg", "image/jpg" },  { "jpeg", "image/jpg" }, { "js", "text/javascript" },
		{ "css", "text/css" },    { "PNG", "text/html" },  { "", "text/html" },     { "html", "text/html" },
		{ "old/readme", "text/html" }, { "pngx", "text/html" },
	};
	for (const auto &c : kCases)
		EXPECT_STREQ(SteamFiledMimeType(c.extension), c.mime) << c.extension;
}

TEST(SteamFiledDataSourceRules, PathsThatWouldLeaveTheGameAreRefused)
{
	const struct
	{
		std::string path;
		bool safe;
	} kCases[] = {
		{ "html/loading.html", true },
		{ "a..b/c..d", true },
		{ "...", true },
		{ "docs.old/readme", true },
		{ "", true },  // no such file: the file system answers it
		{ "..", false },
		{ "../secret.txt", false },
		{ "html/../../secret.txt", false },
		{ "html/..", false },
		{ "..\\secret.txt", false },
		{ "html\\..\\..\\x", false },
		{ "/etc/passwd", false },
		{ "\\etc\\passwd", false },
		{ "C:/Windows/win.ini", false },
		{ std::string("a.png\0../x", 10), false },
		{ std::string(1023, 'a'), true },
		{ std::string(1024, 'a'), false },
	};
	for (const auto &c : kCases)
		EXPECT_EQ(SteamFiledPathIsSafe(c.path), c.safe) << c.path;
}

TEST(SteamFiledDataSourceRules, ToStringCopiesTheWholeText)
{
	EXPECT_EQ(Awesomium::ToString(Awesomium::WebString()), "");
	std::string strText("caf\xc3\xa9 \0 end", 11);
	Awesomium::WebString web = Awesomium::WebString::CreateFromUTF8(strText.data(), 11);
	EXPECT_EQ(Awesomium::ToString(web), strText);
}

class SteamFiledDataSourceTest : public ZvhtmlPlugin
{
protected:
	void SetUp() override
	{
		ZvhtmlPlugin::SetUp();
		ASSERT_NE(Started(), nullptr);
		m_pView = m_pHTML->GetWebView();
		ASSERT_NE(m_pView, nullptr);
	}

	void TearDown() override
	{
		if (m_pView)
			m_pHTML->KillWebView(m_pView);
		ZvhtmlPlugin::TearDown();
	}

	WebCoreStandIn::Response Get(const std::string &strPath)
	{
		return WebCoreStandIn::Fetch(m_pView, "asset://zorvan/" + strPath);
	}

	Awesomium::WebView *m_pView = nullptr;
};

TEST_F(SteamFiledDataSourceTest, FilesAreSentWithTheTypeOfTheirExtension)
{
	std::string strBinary("\x89PNG\r\n\x1a\n\0\xff", 10);
	WriteGameFile("html/loading.html", "<p>hi</p>");
	WriteGameFile("img/a.jpeg", "jpeg bytes");
	WriteGameFile("img/a.PNG", "upper");
	WriteGameFile("img/b.png", strBinary);
	WriteGameFile("js/menu.js", "var x;");
	WriteGameFile("css/menu.css", "p{}");
	WriteGameFile("docs.old/readme", "read me");
	WriteGameFile("empty.png", "");

	const struct
	{
		const char *request;
		std::string bytes;
		const char *mime;
	} kCases[] = {
		{ "html/loading.html", "<p>hi</p>", "text/html" },
		{ "html/loading.html?x=1", "<p>hi</p>", "text/html" },
		{ "html/loading.html?x=1?y=2", "<p>hi</p>", "text/html" },
		{ "img/a.jpeg", "jpeg bytes", "image/jpg" },
		{ "img/a.PNG", "upper", "text/html" },
		{ "img/b.png", strBinary, "image/png" },
		{ "js/menu.js", "var x;", "text/javascript" },
		{ "css/menu.css", "p{}", "text/css" },
		{ "docs.old/readme", "read me", "text/html" },
		{ "empty.png", "", "image/png" },
	};
	for (const auto &c : kCases)
	{
		WebCoreStandIn::Response answer = Get(c.request);
		EXPECT_TRUE(answer.ok) << c.request;
		EXPECT_EQ(answer.bytes, c.bytes) << c.request;
		EXPECT_EQ(answer.mime, c.mime) << c.request;
	}
}

TEST_F(SteamFiledDataSourceTest, MissingAndHostilePathsGetNoBytesAndNoType)
{
	// A file beside the game folder, which no request may reach.
	std::ofstream(m_Folder / "secret.txt") << "secret";
	WriteGameFile("html/page.html", "page");

	const std::string kRequests[] = {
		"html/missing.html",
		"html",  // a folder
		"?only=query",
		"../secret.txt",
		"html/../../secret.txt",
		"..%2fsecret.txt",
		"..\\secret.txt",
		"/" + m_Folder.Path().substr(1) + "/secret.txt",  // asset://zorvan//<absolute path>
		std::string(5000, 'a') + ".html",
		std::string(100000, '/') + "x",
	};
	for (const std::string &strRequest : kRequests)
	{
		WebCoreStandIn::Response answer = Get(strRequest);
		EXPECT_FALSE(answer.ok) << strRequest.substr(0, 80);
		EXPECT_EQ(answer.bytes, "") << strRequest.substr(0, 80);
		EXPECT_EQ(answer.mime, "") << strRequest.substr(0, 80);
	}
	// Other hosts have no data source.
	EXPECT_FALSE(WebCoreStandIn::Fetch(m_pView, "asset://other/html/page.html").ok);
	EXPECT_TRUE(Get("html/page.html").ok);
}

TEST_F(SteamFiledDataSourceTest, EachRequestReadsTheFileAgain)
{
	WriteGameFile("data.js", "one");
	EXPECT_EQ(Get("data.js").bytes, "one");
	WriteGameFile("data.js", "two, longer");
	EXPECT_EQ(Get("data.js").bytes, "two, longer");
}
