// CZVHTML: the object behind "IZVHTML001". It starts the web core, keeps one web session and
// always one spare 512x512 view ready for the next GetWebView.
#pragma once

#include "IZVHTML.h"

namespace Awesomium
{
class WebCore;
class WebSession;
}

class CZVHTML : public IZVHTML
{
public:
	CZVHTML();
	// Frees nothing: stopping the core is Shutdown's work.
	~CZVHTML() override {}

	bool Init(CreateInterfaceFn factory) override;
	void Shutdown() override;
	void Update() override;
	Awesomium::WebView *GetWebView() override;
	void KillWebView(Awesomium::WebView *pView) override;

private:
	Awesomium::WebCore *m_Core;
	Awesomium::WebSession *m_Session;
	Awesomium::WebView *m_SpareView;
};
