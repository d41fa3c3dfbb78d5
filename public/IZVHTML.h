// The HTML renderer plug-in's interface ("IZVHTML001"): the one web core of the process and a
// pool of web views lent to the menu's HTML panels. Callers use the slots by position.
#pragma once

#include "tier1/interface.h"

namespace Awesomium
{
class WebView;
}

#define ZVHTML_INTERFACE_VERSION "IZVHTML001"

// The engine's base of every interface: nothing but a virtual destructor.
class IBaseInterface
{
public:
	virtual ~IBaseInterface() {}
};

class IZVHTML : public IBaseInterface
{
public:
	// Starts the web core with the host's factory; true when it returns.
	virtual bool Init(CreateInterfaceFn factory) = 0;
	// Stops the web core; views handed out must have been given back first.
	virtual void Shutdown() = 0;
	// Runs one step of the web core.
	virtual void Update() = 0;
	// A fresh 512x512 view, owned by the caller until it passes it to KillWebView.
	virtual Awesomium::WebView *GetWebView() = 0;
	// Destroys a view that GetWebView handed out.
	virtual void KillWebView(Awesomium::WebView *pView) = 0;
};
