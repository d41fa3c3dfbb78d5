// The stand-in panel table ("VGUI_Panel009"): every engine panel's tree links, geometry,
// visibility and input switches, and the calls into its client. Ids carry a serial so that
// an id of a freed panel reads as none.
#include <algorithm>
#include <climits>
#include <cstring>
#include <memory>
#include <new>
#include <vector>

#include "VGuiInternal.h"
#include "tier1/KeyValues.h"
#include "tier1/interface.h"
#include "vgui/IClientPanel.h"
#include "vgui/IPanel.h"

using vgui::VPANEL;

namespace
{
const unsigned kIndexBits = 20;
const unsigned kIndexMask = (1u << kIndexBits) - 1;
const unsigned kMaxSerial = 4094;  // keeps every id below 0xFFFFFFFF

struct Record
{
	unsigned serial = 1;
	bool used = false;
	vgui::IClientPanel *client = nullptr;
	int x = 0, y = 0, wide = 0, tall = 0, minWide = 0, minTall = 0, z = 0;
	int inset[4] = { 0, 0, 0, 0 };
	bool visible = true, enabled = true, popup = false, mouseInput = true, keyboardInput = true;
	bool topmost = false;
	VPANEL parent = 0;
	CUtlVector<VPANEL> children;
};

std::vector<std::unique_ptr<Record>> s_Records(1);  // index 0 is never used
std::vector<unsigned> s_FreeIndices;
VPANEL s_Root = 0;
CUtlVector<VPANEL> s_NoChildren;

Record *Find(VPANEL id)
{
	unsigned index = id & kIndexMask;
	if (id == 0 || index >= s_Records.size() || !s_Records[index])
		return nullptr;
	Record *r = s_Records[index].get();
	return r->used && r->serial == (id >> kIndexBits) ? r : nullptr;
}

VPANEL IdOf(unsigned index) { return (s_Records[index]->serial << kIndexBits) | index; }

void RemoveChild(Record *parent, VPANEL child)
{
	int at = parent->children.Find(child);
	if (at >= 0)
		parent->children.Remove(at);
}

// Children stay in ascending z-order; a panel goes after every sibling of its z or lower.
void InsertChild(Record *parent, VPANEL child, int z)
{
	int at = parent->children.Count();
	while (at > 0)
	{
		Record *r = Find(parent->children[at - 1]);
		if (!r || r->z <= z)
			break;
		--at;
	}
	parent->children.InsertBefore(at, child);
}

int Clamped(long long value) { return static_cast<int>(std::clamp<long long>(value, INT_MIN, INT_MAX)); }

void AbsPos(VPANEL id, int &x, int &y)
{
	long long ax = 0, ay = 0;
	for (Record *r = Find(id); r; r = Find(r->parent))
	{
		ax = std::clamp<long long>(ax + r->x, INT_MIN, INT_MAX);
		ay = std::clamp<long long>(ay + r->y, INT_MIN, INT_MAX);
	}
	x = Clamped(ax);
	y = Clamped(ay);
}

void ClipRect(VPANEL id, int &x0, int &y0, int &x1, int &y1)
{
	Record *r = Find(id);
	int sw = 0, st = 0;
	vguistandin::GetScreenSize(sw, st);
	if (!r)
	{
		x0 = y0 = x1 = y1 = 0;
		return;
	}
	AbsPos(id, x0, y0);
	x1 = Clamped(static_cast<long long>(x0) + r->wide);
	y1 = Clamped(static_cast<long long>(y0) + r->tall);
	int px0 = 0, py0 = 0, px1 = sw, py1 = st;
	if (Find(r->parent) && !r->popup)
		ClipRect(r->parent, px0, py0, px1, py1);
	x0 = std::max(x0, px0);
	y0 = std::max(y0, py0);
	x1 = std::min(x1, px1);
	y1 = std::min(y1, py1);
	if (x1 < x0)
		x1 = x0;
	if (y1 < y0)
		y1 = y0;
}

vgui::IClientPanel *ClientOf(VPANEL id)
{
	Record *r = Find(id);
	return r ? r->client : nullptr;
}

class PanelTable final : public vgui::IPanel
{
public:
	void Init(VPANEL p, vgui::IClientPanel *panel) override
	{
		if (Record *r = Find(p))
			r->client = panel;
	}
	void SetPos(VPANEL p, int x, int y) override
	{
		if (Record *r = Find(p))
			r->x = x, r->y = y;
	}
	void GetPos(VPANEL p, int &x, int &y) override
	{
		Record *r = Find(p);
		x = r ? r->x : 0;
		y = r ? r->y : 0;
	}
	void SetSize(VPANEL p, int wide, int tall) override
	{
		Record *r = Find(p);
		if (!r)
			return;
		wide = std::max(wide, r->minWide);
		tall = std::max(tall, r->minTall);
		if (wide == r->wide && tall == r->tall)
			return;
		r->wide = wide;
		r->tall = tall;
		if (r->client)
			r->client->OnSizeChanged(wide, tall);
	}
	void GetSize(VPANEL p, int &wide, int &tall) override
	{
		Record *r = Find(p);
		wide = r ? r->wide : 0;
		tall = r ? r->tall : 0;
	}
	void SetMinimumSize(VPANEL p, int wide, int tall) override
	{
		if (Record *r = Find(p))
		{
			r->minWide = wide;
			r->minTall = tall;
			if (r->wide < wide || r->tall < tall)
				SetSize(p, r->wide, r->tall);
		}
	}
	void GetMinimumSize(VPANEL p, int &wide, int &tall) override
	{
		Record *r = Find(p);
		wide = r ? r->minWide : 0;
		tall = r ? r->minTall : 0;
	}
	void SetZPos(VPANEL p, int z) override
	{
		Record *r = Find(p);
		if (!r)
			return;
		r->z = z;
		if (Record *parent = Find(r->parent))
		{
			RemoveChild(parent, p);
			InsertChild(parent, p, z);
		}
	}
	int GetZPos(VPANEL p) override
	{
		Record *r = Find(p);
		return r ? r->z : 0;
	}
	void GetAbsPos(VPANEL p, int &x, int &y) override { AbsPos(p, x, y); }
	void GetClipRect(VPANEL p, int &x0, int &y0, int &x1, int &y1) override { ClipRect(p, x0, y0, x1, y1); }
	void SetInset(VPANEL p, int left, int top, int right, int bottom) override
	{
		if (Record *r = Find(p))
		{
			r->inset[0] = left;
			r->inset[1] = top;
			r->inset[2] = right;
			r->inset[3] = bottom;
		}
	}
	void GetInset(VPANEL p, int &left, int &top, int &right, int &bottom) override
	{
		Record *r = Find(p);
		left = r ? r->inset[0] : 0;
		top = r ? r->inset[1] : 0;
		right = r ? r->inset[2] : 0;
		bottom = r ? r->inset[3] : 0;
	}
	void SetVisible(VPANEL p, bool state) override
	{
		if (Record *r = Find(p))
			r->visible = state;
	}
	bool IsVisible(VPANEL p) override
	{
		Record *r = Find(p);
		return r && r->visible;
	}
	void SetEnabled(VPANEL p, bool state) override
	{
		if (Record *r = Find(p))
			r->enabled = state;
	}
	bool IsEnabled(VPANEL p) override
	{
		Record *r = Find(p);
		return r && r->enabled;
	}
	void SetParent(VPANEL p, VPANEL newParent) override
	{
		Record *r = Find(p);
		if (!r || p == newParent)
			return;
		Record *target = Find(newParent);
		// A panel cannot become a child of its own subtree.
		if (target && HasParent(newParent, p))
			return;
		if (Record *old = Find(r->parent))
			RemoveChild(old, p);
		r->parent = target ? newParent : 0;
		if (target)
		{
			InsertChild(target, p, r->z);
			if (target->client)
				target->client->OnChildAdded(p);
		}
	}
	VPANEL GetParent(VPANEL p) override
	{
		Record *r = Find(p);
		return r ? r->parent : 0;
	}
	int GetChildCount(VPANEL p) override
	{
		Record *r = Find(p);
		return r ? r->children.Count() : 0;
	}
	VPANEL GetChild(VPANEL p, int index) override
	{
		Record *r = Find(p);
		return r && index >= 0 && index < r->children.Count() ? r->children[index] : 0;
	}
	CUtlVector<VPANEL> &GetChildren(VPANEL p) override
	{
		Record *r = Find(p);
		s_NoChildren.RemoveAll();
		return r ? r->children : s_NoChildren;
	}
	bool HasParent(VPANEL p, VPANEL potentialParent) override
	{
		if (!potentialParent)
			return false;
		for (VPANEL at = p; Find(at); at = Find(at)->parent)
			if (at == potentialParent)
				return true;
		return false;
	}
	bool IsPopup(VPANEL p) override
	{
		Record *r = Find(p);
		return r && r->popup;
	}
	void MoveToFront(VPANEL p) override
	{
		Record *r = Find(p);
		Record *parent = r ? Find(r->parent) : nullptr;
		if (!parent)
			return;
		RemoveChild(parent, p);
		parent->children.AddToTail(p);
	}
	void MoveToBack(VPANEL p) override
	{
		Record *r = Find(p);
		Record *parent = r ? Find(r->parent) : nullptr;
		if (!parent)
			return;
		RemoveChild(parent, p);
		parent->children.InsertBefore(0, p);
	}
	vgui::HScheme GetScheme(VPANEL p) override
	{
		vgui::IClientPanel *c = ClientOf(p);
		return c ? c->GetScheme() : 0;
	}
	bool IsProportional(VPANEL p) override
	{
		vgui::IClientPanel *c = ClientOf(p);
		return c && c->IsProportional();
	}
	bool IsAutoDeleteSet(VPANEL p) override
	{
		vgui::IClientPanel *c = ClientOf(p);
		return c && c->IsAutoDeleteSet();
	}
	void DeletePanel(VPANEL p) override
	{
		if (vgui::IClientPanel *c = ClientOf(p))
			c->DeletePanel();
		else if (Find(p) && p != s_Root)
			vguistandin::FreePanel(p);
	}
	void SetKeyBoardInputEnabled(VPANEL p, bool state) override
	{
		if (Record *r = Find(p))
			r->keyboardInput = state;
	}
	void SetMouseInputEnabled(VPANEL p, bool state) override
	{
		if (Record *r = Find(p))
			r->mouseInput = state;
	}
	bool IsKeyBoardInputEnabled(VPANEL p) override
	{
		Record *r = Find(p);
		return r && r->keyboardInput;
	}
	bool IsMouseInputEnabled(VPANEL p) override
	{
		Record *r = Find(p);
		return r && r->mouseInput;
	}
	const char *GetName(VPANEL p) override
	{
		vgui::IClientPanel *c = ClientOf(p);
		return c ? c->GetName() : "";
	}
	const char *GetClassName(VPANEL p) override
	{
		vgui::IClientPanel *c = ClientOf(p);
		return c ? c->GetClassName() : "";
	}
	void SendMessage(VPANEL p, KeyValues *params, VPANEL from) override
	{
		if (vgui::IClientPanel *c = ClientOf(p))
			c->OnMessage(params, from);
	}
	void Think(VPANEL p) override
	{
		if (vgui::IClientPanel *c = ClientOf(p))
			c->Think();
	}
	void PerformApplySchemeSettings(VPANEL p) override
	{
		if (vgui::IClientPanel *c = ClientOf(p))
			c->PerformApplySchemeSettings();
	}
	void PaintTraverse(VPANEL p, bool forceRepaint, bool allowForce) override
	{
		if (vgui::IClientPanel *c = ClientOf(p))
			c->PaintTraverse(forceRepaint, allowForce);
	}
	void Repaint(VPANEL p) override
	{
		if (vgui::IClientPanel *c = ClientOf(p))
			c->Repaint();
	}
	VPANEL IsWithinTraverse(VPANEL p, int x, int y, bool traversePopups) override
	{
		if (vgui::IClientPanel *c = ClientOf(p))
			return c->IsWithinTraverse(x, y, traversePopups);
		// A panel without a client (the root) answers through its children.
		Record *r = Find(p);
		if (!r || !r->visible)
			return 0;
		for (int i = r->children.Count() - 1; i >= 0; --i)
			if (VPANEL hit = IsWithinTraverse(r->children[i], x, y, traversePopups))
				return hit;
		int x0, y0, x1, y1;
		ClipRect(p, x0, y0, x1, y1);
		return x >= x0 && x < x1 && y >= y0 && y < y1 ? p : 0;
	}
	void OnChildAdded(VPANEL p, VPANEL child) override
	{
		if (vgui::IClientPanel *c = ClientOf(p))
			c->OnChildAdded(child);
	}
	void OnSizeChanged(VPANEL p, int newWide, int newTall) override
	{
		if (vgui::IClientPanel *c = ClientOf(p))
			c->OnSizeChanged(newWide, newTall);
	}
	void InternalFocusChanged(VPANEL p, bool lost) override
	{
		if (vgui::IClientPanel *c = ClientOf(p))
			c->InternalFocusChanged(lost);
	}
	bool RequestInfo(VPANEL p, KeyValues *outputData) override
	{
		vgui::IClientPanel *c = ClientOf(p);
		return c && c->RequestInfo(outputData);
	}
	void RequestFocus(VPANEL p, int direction) override
	{
		if (vgui::IClientPanel *c = ClientOf(p))
			c->RequestFocus(direction);
	}
	bool RequestFocusPrev(VPANEL p, VPANEL existing) override
	{
		vgui::IClientPanel *c = ClientOf(p);
		return c && c->RequestFocusPrev(existing);
	}
	bool RequestFocusNext(VPANEL p, VPANEL existing) override
	{
		vgui::IClientPanel *c = ClientOf(p);
		return c && c->RequestFocusNext(existing);
	}
	VPANEL GetCurrentKeyFocus(VPANEL p) override
	{
		vgui::IClientPanel *c = ClientOf(p);
		return c ? c->GetCurrentKeyFocus() : 0;
	}
	int GetTabPosition(VPANEL p) override
	{
		vgui::IClientPanel *c = ClientOf(p);
		return c ? c->GetTabPosition() : 0;
	}
	vgui::Panel *GetPanel(VPANEL p, const char *destinationModule) override
	{
		vgui::IClientPanel *c = ClientOf(p);
		if (!c || !destinationModule || strcmp(c->GetModuleName(), destinationModule) != 0)
			return nullptr;
		return c->GetPanel();
	}
	const char *GetModuleName(VPANEL p) override
	{
		vgui::IClientPanel *c = ClientOf(p);
		return c ? c->GetModuleName() : "";
	}
	void SetTopmostPopup(VPANEL p, bool state) override
	{
		Record *r = Find(p);
		if (!r || r->topmost == state)
			return;
		r->topmost = state;
		vguistandin::PlacePopup(p, true);
	}
	bool IsFullyVisible(VPANEL p) override
	{
		for (Record *r = Find(p); r; r = Find(r->parent))
			if (!r->visible)
				return false;
		return Find(p) != nullptr;
	}
	bool IsWithin(VPANEL p, int x, int y) override
	{
		if (!Find(p))
			return false;
		int x0, y0, x1, y1;
		ClipRect(p, x0, y0, x1, y1);
		return x >= x0 && x < x1 && y >= y0 && y < y1;
	}
};

PanelTable s_PanelTable;

void *CreatePanelTable() { return static_cast<vgui::IPanel *>(&s_PanelTable); }

InterfaceReg s_PanelTableReg(&CreatePanelTable, VGUI_PANEL_INTERFACE_VERSION);
}

namespace vguistandin
{
VPANEL NewPanel()
{
	unsigned index;
	if (!s_FreeIndices.empty())
	{
		index = s_FreeIndices.front();
		s_FreeIndices.erase(s_FreeIndices.begin());
	}
	else
	{
		if (s_Records.size() > kIndexMask - 1)
			return 0;
		index = static_cast<unsigned>(s_Records.size());
		s_Records.push_back(std::make_unique<Record>());
	}
	Record *r = s_Records[index].get();
	unsigned serial = r->serial;
	r->~Record();
	new (r) Record;
	r->serial = serial;
	r->used = true;
	return IdOf(index);
}

void FreePanel(VPANEL panel)
{
	Record *r = Find(panel);
	if (!r || panel == s_Root)
		return;
	if (Record *parent = Find(r->parent))
		RemoveChild(parent, panel);
	// Children left behind are detached.
	for (int i = 0; i < r->children.Count(); ++i)
		if (Record *child = Find(r->children[i]))
			child->parent = 0;
	r->children.Purge();
	r->used = false;
	r->client = nullptr;
	r->serial = r->serial >= kMaxSerial ? 1 : r->serial + 1;
	s_FreeIndices.push_back(panel & kIndexMask);
	RemovePopup(panel);
	ForgetPanel(panel);
	ForgetInputPanel(panel);
}

bool IsValidPanel(VPANEL panel) { return Find(panel) != nullptr; }

vgui::IClientPanel *Client(VPANEL panel) { return ClientOf(panel); }

VPANEL RootPanel()
{
	if (!Find(s_Root))
	{
		s_Root = NewPanel();
		int w = 0, t = 0;
		GetScreenSize(w, t);
		Find(s_Root)->wide = w;
		Find(s_Root)->tall = t;
	}
	return s_Root;
}

bool IsTopmostPopup(VPANEL panel)
{
	Record *r = Find(panel);
	return r && r->topmost;
}

void SetPopup(VPANEL panel, bool popup)
{
	if (Record *r = Find(panel))
		r->popup = popup;
}

int LivePanelCount()
{
	int n = 0;
	for (const auto &r : s_Records)
		n += r && r->used ? 1 : 0;
	return n;
}

void ForEachInTree(VPANEL panel, void (*fn)(VPANEL))
{
	if (!Find(panel))
		return;
	fn(panel);
	// The callback may change the tree: walk a copy, skipping panels gone meanwhile.
	Record *r = Find(panel);
	if (!r)
		return;
	std::vector<VPANEL> children(r->children.Base(), r->children.Base() + r->children.Count());
	for (VPANEL child : children)
		ForEachInTree(child, fn);
}

void ResizeRoot(int wide, int tall)
{
	if (Record *r = Find(s_Root))
		r->wide = wide, r->tall = tall;
}
}
