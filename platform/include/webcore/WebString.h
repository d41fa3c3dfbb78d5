// Web-core text types: WebString (text held as UTF-8), WebStringArray and WebURL.
#pragma once

#include <string>
#include <vector>

namespace Awesomium
{

class WebString
{
public:
	WebString() = default;
	WebString(const WebString &other) = default;
	WebString &operator=(const WebString &other) = default;

	// A web string from len bytes of UTF-8 (a null pointer gives the empty string).
	static WebString CreateFromUTF8(const char *data, unsigned int len);

	// Writes at most len bytes of the UTF-8 text into dest (no terminator is added) and returns
	// the number written; with a null dest it returns the full length instead.
	unsigned int ToUTF8(char *dest, unsigned int len) const;

	bool IsEmpty() const { return m_Text.empty(); }
	unsigned int length() const { return static_cast<unsigned int>(m_Text.size()); }
	bool operator==(const WebString &other) const { return m_Text == other.m_Text; }
	bool operator!=(const WebString &other) const { return m_Text != other.m_Text; }

private:
	std::string m_Text;
};

class WebStringArray
{
public:
	void Push(const WebString &item) { m_Items.push_back(item); }
	unsigned int size() const { return static_cast<unsigned int>(m_Items.size()); }
	const WebString &At(unsigned int i) const { return m_Items.at(i); }

private:
	std::vector<WebString> m_Items;
};

// A URL split into its scheme, host and the rest (path with query); invalid when it has no
// "scheme:" part.
class WebURL
{
public:
	WebURL() = default;
	explicit WebURL(const WebString &url);

	bool IsValid() const { return m_bValid; }
	WebString address() const { return m_Address; }
	WebString scheme() const { return m_Scheme; }
	WebString host() const { return m_Host; }
	// What follows the host, with its leading "/" (for "data:" URLs: everything after "data:").
	WebString path() const { return m_Path; }

private:
	bool m_bValid = false;
	WebString m_Address, m_Scheme, m_Host, m_Path;
};

}  // namespace Awesomium
