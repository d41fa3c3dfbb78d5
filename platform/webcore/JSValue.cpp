// JavaScript values of the web-core stand-in, converted as a page script would convert them.
#include "webcore/JSValue.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace Awesomium
{

JSValue::JSValue(bool value) : m_Type(kBoolean), m_Bool(value) {}
JSValue::JSValue(int value) : m_Type(kInteger), m_Int(value) {}
JSValue::JSValue(double value) : m_Type(kDouble), m_Double(value) {}
JSValue::JSValue(const WebString &value) : m_Type(kString), m_String(value) {}
JSValue::JSValue(const JSObject &value) : m_Type(kObject), m_Object(value) {}
JSValue::JSValue(const JSArray &value) : m_Type(kArray), m_Array(std::make_shared<const JSArray>(value)) {}

const JSValue &JSValue::Undefined()
{
	static const JSValue s_Undefined;
	return s_Undefined;
}

const JSValue &JSValue::Null()
{
	static const JSValue s_Null = [] {
		JSValue v;
		v.m_Type = kNull;
		return v;
	}();
	return s_Null;
}

namespace
{
std::string Utf8(const WebString &s)
{
	std::string text(s.length(), '\0');
	s.ToUTF8(text.data(), s.length());
	return text;
}
}

double JSValue::ToDouble() const
{
	switch (m_Type)
	{
	case kBoolean: return m_Bool ? 1.0 : 0.0;
	case kInteger: return m_Int;
	case kDouble: return m_Double;
	case kString:
	{
		std::string text = Utf8(m_String);
		if (text.empty())
			return 0.0;
		char *end = nullptr;
		double d = strtod(text.c_str(), &end);
		return end && *end == '\0' ? d : NAN;
	}
	case kNull: return 0.0;
	default: return NAN;
	}
}

int JSValue::ToInteger() const
{
	if (m_Type == kInteger)
		return m_Int;
	double d = ToDouble();
	// Out-of-range and NaN values become 0, never undefined behaviour.
	if (!(d > -2147483649.0 && d < 2147483648.0))
		return 0;
	return static_cast<int>(d);
}

bool JSValue::ToBoolean() const
{
	switch (m_Type)
	{
	case kBoolean: return m_Bool;
	case kInteger: return m_Int != 0;
	case kDouble: return m_Double != 0.0 && !std::isnan(m_Double);
	case kString: return !m_String.IsEmpty();
	case kObject:
	case kArray: return true;
	default: return false;
	}
}

WebString JSValue::ToString() const
{
	std::string text;
	switch (m_Type)
	{
	case kUndefined: text = "undefined"; break;
	case kNull: text = "null"; break;
	case kBoolean: text = m_Bool ? "true" : "false"; break;
	case kInteger: text = std::to_string(m_Int); break;
	case kDouble:
	{
		char buf[64];
		snprintf(buf, sizeof(buf), "%.17g", m_Double);
		text = buf;
		break;
	}
	case kString: return m_String;
	case kObject: text = "[object Object]"; break;
	case kArray:
		for (unsigned int i = 0; i < m_Array->size(); ++i)
		{
			if (i)
				text += ",";
			text += Utf8(m_Array->At(i).ToString());
		}
		break;
	}
	return WebString::CreateFromUTF8(text.data(), static_cast<unsigned int>(text.size()));
}

const JSArray &JSValue::ToArray() const
{
	static const JSArray s_Empty;
	return m_Array ? *m_Array : s_Empty;
}

}  // namespace Awesomium
