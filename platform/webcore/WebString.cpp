// Web strings and URLs of the web-core stand-in.
#include "webcore/WebString.h"

#include <cstring>

namespace Awesomium
{

WebString WebString::CreateFromUTF8(const char *data, unsigned int len)
{
	WebString s;
	if (data && len)
		s.m_Text.assign(data, len);
	return s;
}

unsigned int WebString::ToUTF8(char *dest, unsigned int len) const
{
	unsigned int n = length();
	if (!dest)
		return n;
	if (len < n)
		n = len;
	if (n)
		memcpy(dest, m_Text.data(), n);
	return n;
}

WebURL::WebURL(const WebString &url) : m_Address(url)
{
	std::string text(url.length(), '\0');
	url.ToUTF8(text.data(), url.length());
	size_t colon = text.find(':');
	if (colon == std::string::npos || colon == 0)
		return;
	for (size_t i = 0; i < colon; ++i)
	{
		char c = text[i];
		bool ok = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (i > 0 && ((c >= '0' && c <= '9') || c == '+' || c == '-' || c == '.'));
		if (!ok)
			return;
	}
	std::string scheme = text.substr(0, colon);
	for (char &c : scheme)
		if (c >= 'A' && c <= 'Z')
			c = static_cast<char>(c - 'A' + 'a');
	std::string host, path;
	if (text.compare(colon + 1, 2, "//") == 0)
	{
		size_t start = colon + 3;
		size_t end = text.find_first_of("/?#", start);
		if (end == std::string::npos)
			end = text.size();
		host = text.substr(start, end - start);
		path = text.substr(end);
	}
	else
	{
		path = text.substr(colon + 1);
	}
	m_Scheme = WebString::CreateFromUTF8(scheme.data(), static_cast<unsigned int>(scheme.size()));
	m_Host = WebString::CreateFromUTF8(host.data(), static_cast<unsigned int>(host.size()));
	m_Path = WebString::CreateFromUTF8(path.data(), static_cast<unsigned int>(path.size()));
	m_bValid = true;
}

}  // namespace Awesomium
