// The stand-in localisation tables: tokens (letter case ignored) mapped to wide text,
// filled from key-value files of the form "lang" { "Tokens" { "token" "text" ... } }.
#include <algorithm>
#include <cctype>
#include <cwchar>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "tier1/KeyValues.h"
#include "tier1/interface.h"
#include "vgui/ILocalize.h"

namespace
{
std::wstring DecodeUtf8(const std::string &in)
{
	std::wstring out;
	for (size_t i = 0; i < in.size();)
	{
		unsigned char c = static_cast<unsigned char>(in[i]);
		int extra = c < 0x80 ? 0 : (c >> 5) == 6 ? 1 : (c >> 4) == 14 ? 2 : (c >> 3) == 30 ? 3 : -1;
		if (extra < 0 || i + extra >= in.size() + (extra == 0 ? 1 : 0))
		{
			out += L'?';
			++i;
			continue;
		}
		unsigned long cp = extra == 0 ? c : c & (0x3F >> extra);
		bool ok = true;
		for (int k = 1; k <= extra; ++k)
		{
			unsigned char cc = static_cast<unsigned char>(in[i + k]);
			ok = ok && (cc & 0xC0) == 0x80;
			cp = (cp << 6) | (cc & 0x3F);
		}
		out += ok ? static_cast<wchar_t>(cp) : L'?';
		i += ok ? extra + 1 : 1;
	}
	return out;
}

std::string EncodeUtf8(const wchar_t *in)
{
	std::string out;
	for (; in && *in; ++in)
	{
		unsigned long cp = static_cast<unsigned long>(*in);
		if (cp < 0x80)
			out += static_cast<char>(cp);
		else if (cp < 0x800)
		{
			out += static_cast<char>(0xC0 | (cp >> 6));
			out += static_cast<char>(0x80 | (cp & 0x3F));
		}
		else if (cp < 0x10000)
		{
			out += static_cast<char>(0xE0 | (cp >> 12));
			out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
			out += static_cast<char>(0x80 | (cp & 0x3F));
		}
		else
		{
			out += static_cast<char>(0xF0 | ((cp >> 18) & 0x07));
			out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
			out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
			out += static_cast<char>(0x80 | (cp & 0x3F));
		}
	}
	return out;
}

std::string Key(const char *token)
{
	std::string key = token ? token : "";
	if (!key.empty() && key[0] == '#')
		key.erase(0, 1);
	for (char &c : key)
		c = static_cast<char>(tolower(static_cast<unsigned char>(c)));
	return key;
}

// Quoted or bare words and braces of key-value text.
std::vector<std::string> Words(const std::string &text)
{
	std::vector<std::string> words;
	for (size_t i = 0; i < text.size();)
	{
		char c = text[i];
		if (isspace(static_cast<unsigned char>(c)))
			++i;
		else if (c == '/' && i + 1 < text.size() && text[i + 1] == '/')
			i = text.find('\n', i) == std::string::npos ? text.size() : text.find('\n', i);
		else if (c == '{' || c == '}')
			words.emplace_back(1, c), ++i;
		else if (c == '"')
		{
			std::string w;
			for (++i; i < text.size() && text[i] != '"'; ++i)
			{
				if (text[i] == '\\' && i + 1 < text.size())
				{
					char e = text[++i];
					w += e == 'n' ? '\n' : e == 't' ? '\t' : e;
				}
				else
					w += text[i];
			}
			++i;
			words.push_back(w);
		}
		else
		{
			size_t end = i;
			while (end < text.size() && !isspace(static_cast<unsigned char>(text[end])) && text[end] != '{' &&
			       text[end] != '}' && text[end] != '"')
				++end;
			words.push_back(text.substr(i, end - i));
			i = end;
		}
	}
	return words;
}

class Localize final : public vgui::ILocalize
{
public:
	bool AddFile(const char *fileName, const char *) override
	{
		std::ifstream in(fileName ? fileName : "", std::ios::binary);
		if (!in)
			return false;
		std::ostringstream text;
		text << in.rdbuf();
		std::vector<std::string> words = Words(text.str());
		// Pairs inside the "Tokens" block.
		int depth = 0, tokensDepth = -1;
		for (size_t i = 0; i < words.size(); ++i)
		{
			if (words[i] == "{")
				++depth;
			else if (words[i] == "}")
			{
				if (depth == tokensDepth)
					tokensDepth = -1;
				--depth;
			}
			else if (tokensDepth < 0 && Key(words[i].c_str()) == "tokens" && i + 1 < words.size() && words[i + 1] == "{")
				tokensDepth = depth + 1;
			else if (tokensDepth == depth && i + 1 < words.size() && words[i + 1] != "{" && words[i + 1] != "}")
			{
				std::wstring value = DecodeUtf8(words[i + 1]);
				AddString(words[i].c_str(), &value[0], fileName);
				++i;
			}
		}
		return true;
	}

	wchar_t *Find(const char *tokenName) override
	{
		vgui::StringIndex_t index = FindIndex(tokenName);
		return index == vgui::INVALID_LOCALIZE_STRING_INDEX ? nullptr : &m_values[index][0];
	}

	vgui::StringIndex_t FindIndex(const char *tokenName) override
	{
		auto it = m_index.find(Key(tokenName));
		return it == m_index.end() ? vgui::INVALID_LOCALIZE_STRING_INDEX : it->second;
	}

	void AddString(const char *tokenName, wchar_t *unicodeString, const char *) override
	{
		std::string key = Key(tokenName);
		if (key.empty() || !unicodeString || m_index.count(key))
			return;
		m_index[key] = m_names.size();
		m_names.push_back(tokenName[0] == '#' ? tokenName + 1 : tokenName);
		m_values.push_back(std::wstring(unicodeString) + L'\0');
	}

	const char *GetNameByIndex(vgui::StringIndex_t index) override
	{
		return index < m_names.size() ? m_names[index].c_str() : nullptr;
	}

	wchar_t *GetValueByIndex(vgui::StringIndex_t index) override
	{
		return index < m_values.size() ? &m_values[index][0] : nullptr;
	}

	int ConvertANSIToUnicode(const char *ansi, wchar_t *unicode, int unicodeBufferSizeInBytes) override
	{
		int capacity = unicodeBufferSizeInBytes / static_cast<int>(sizeof(wchar_t));
		if (!unicode || capacity <= 0)
			return 0;
		std::wstring w = DecodeUtf8(ansi ? ansi : "");
		int n = static_cast<int>(w.size()) < capacity - 1 ? static_cast<int>(w.size()) : capacity - 1;
		wmemcpy(unicode, w.data(), n);
		unicode[n] = L'\0';
		return n;
	}

	int ConvertUnicodeToANSI(const wchar_t *unicode, char *ansi, int ansiBufferSize) override
	{
		if (!ansi || ansiBufferSize <= 0)
			return 0;
		std::string s = EncodeUtf8(unicode);
		int n = static_cast<int>(s.size()) < ansiBufferSize - 1 ? static_cast<int>(s.size()) : ansiBufferSize - 1;
		// Never cut inside a multi-byte character.
		while (n > 0 && (static_cast<unsigned char>(s[n]) & 0xC0) == 0x80)
			--n;
		s.copy(ansi, n);
		ansi[n] = '\0';
		return n;
	}

	void ConstructString(wchar_t *out, int outBytes, vgui::StringIndex_t symbol, KeyValues *variables) override
	{
		int capacity = outBytes / static_cast<int>(sizeof(wchar_t));
		if (!out || capacity <= 0)
			return;
		const wchar_t *format = GetValueByIndex(symbol);
		std::wstring text;
		for (size_t i = 0; format && format[i];)
		{
			const wchar_t *close = format[i] == L'%' ? wcschr(format + i + 1, L'%') : nullptr;
			if (close && close > format + i + 1 && variables)
			{
				std::string name = EncodeUtf8(std::wstring(format + i + 1, close).c_str());
				KeyValues *value = variables->FindKey(name.c_str());
				if (value)
				{
					if (value->GetDataType() == KeyValues::TYPE_WSTRING)
						text += value->GetWString();
					else
						text += DecodeUtf8(value->GetString());
					i = static_cast<size_t>(close - format) + 1;
					continue;
				}
			}
			text += format[i++];
		}
		size_t n = std::min(text.size(), static_cast<size_t>(capacity - 1));
		wmemcpy(out, text.data(), n);
		out[n] = L'\0';
	}

private:
	std::map<std::string, vgui::StringIndex_t> m_index;
	std::vector<std::string> m_names;
	std::vector<std::wstring> m_values;  // each ends in an explicit terminator
};

Localize s_Localize;

void *CreateLocalize() { return static_cast<vgui::ILocalize *>(&s_Localize); }

InterfaceReg s_LocalizeReg(&CreateLocalize, VGUI_LOCALIZE_INTERFACE_VERSION);
}
