// Web-core JavaScript values: JSValue, JSArray, JSObject (a page object known by remote id) and
// the JSMethodHandler that receives page calls of custom methods.
#pragma once

#include <memory>
#include <vector>

#include "webcore/WebString.h"

namespace Awesomium
{

class WebView;
class JSArray;

// A global object of a page, named by its remote id (0 = none).
class JSObject
{
public:
	JSObject() = default;
	explicit JSObject(unsigned int remoteId) : m_RemoteId(remoteId) {}

	unsigned int remote_id() const { return m_RemoteId; }
	// Lets page scripts call a method of that name on the object; calls arrive at the view's
	// method handler, through OnMethodCallWithReturnValue when hasReturnValue is true.
	void SetCustomMethod(const WebString &name, bool hasReturnValue);

private:
	unsigned int m_RemoteId = 0;
};

class JSValue
{
public:
	enum Type { kUndefined, kNull, kBoolean, kInteger, kDouble, kString, kObject, kArray };

	JSValue() = default;
	explicit JSValue(bool value);
	explicit JSValue(int value);
	explicit JSValue(double value);
	explicit JSValue(const WebString &value);
	explicit JSValue(const JSObject &value);
	explicit JSValue(const JSArray &value);

	static const JSValue &Undefined();
	static const JSValue &Null();

	Type type() const { return m_Type; }
	bool IsUndefined() const { return m_Type == kUndefined; }
	bool IsNull() const { return m_Type == kNull; }
	bool IsBoolean() const { return m_Type == kBoolean; }
	bool IsInteger() const { return m_Type == kInteger; }
	bool IsDouble() const { return m_Type == kDouble; }
	bool IsNumber() const { return m_Type == kInteger || m_Type == kDouble; }
	bool IsString() const { return m_Type == kString; }
	bool IsObject() const { return m_Type == kObject; }
	bool IsArray() const { return m_Type == kArray; }

	// Conversions as a page script would make them.
	bool ToBoolean() const;
	int ToInteger() const;
	double ToDouble() const;
	WebString ToString() const;
	// The object (remote id 0 unless this is an object).
	JSObject ToObject() const { return m_Object; }
	// The array (empty unless this is an array).
	const JSArray &ToArray() const;

private:
	Type m_Type = kUndefined;
	bool m_Bool = false;
	int m_Int = 0;
	double m_Double = 0.0;
	WebString m_String;
	JSObject m_Object;
	std::shared_ptr<const JSArray> m_Array;
};

class JSArray
{
public:
	JSArray() = default;
	explicit JSArray(unsigned int n) : m_Items(n) {}

	unsigned int size() const { return static_cast<unsigned int>(m_Items.size()); }
	const JSValue &At(unsigned int i) const { return m_Items.at(i); }
	const JSValue &operator[](unsigned int i) const { return m_Items.at(i); }
	void Push(const JSValue &item) { m_Items.push_back(item); }
	void Clear() { m_Items.clear(); }

private:
	std::vector<JSValue> m_Items;
};

// Receives calls of custom methods made by page scripts.
class JSMethodHandler
{
public:
	virtual void OnMethodCall(WebView *caller, unsigned int remote_object_id, const WebString &method_name,
	                          const JSArray &args) = 0;
	virtual JSValue OnMethodCallWithReturnValue(WebView *caller, unsigned int remote_object_id,
	                                            const WebString &method_name, const JSArray &args) = 0;

protected:
	virtual ~JSMethodHandler() = default;
};

}  // namespace Awesomium
