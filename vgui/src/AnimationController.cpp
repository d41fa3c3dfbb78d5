// The shared animation controller: a list of requested animations of panel variables, one per
// panel and variable.
#include "vgui_controls/AnimationController.h"

namespace vgui
{
// Variable names, compared without regard to case ("Alpha" and "alpha" are one variable).
static CUtlSymbolTable g_ScriptSymbols(0, 128, true);

AnimationController::AnimationController(Panel *parent) : Panel(parent, nullptr)
{
	static bool s_messageMapChained = false;
	if (!s_messageMapChained)
	{
		s_messageMapChained = true;
		PanelMessageMap *map = FindOrAddPanelMessageMap(GetPanelClassName());
		map->pfnClassName = &AnimationController::GetPanelClassName;
		map->baseMap = FindOrAddPanelMessageMap(Panel::GetPanelClassName());
	}
	static bool s_animMapChained = false;
	if (!s_animMapChained)
	{
		s_animMapChained = true;
		PanelAnimationMap *map = FindOrAddPanelAnimationMap(GetPanelClassName());
		map->pfnClassName = &AnimationController::GetPanelClassName;
		map->baseMap = FindOrAddPanelAnimationMap(Panel::GetPanelClassName());
	}

	static bool s_kbMapChained = false;
	if (!s_kbMapChained)
	{
		s_kbMapChained = true;
		PanelKeyBindingMap *map = FindOrAddPanelKeyBindingMap(GetPanelClassName());
		map->pfnClassName = &AnimationController::GetPanelClassName;
		map->baseMap = FindOrAddPanelKeyBindingMap(Panel::GetPanelClassName());
	}

	m_flCurrentTime = 0.0f;
	SetVisible(false);
	SetProportional(true);

	m_sPosition = g_ScriptSymbols.AddString("position");
	m_sSize = g_ScriptSymbols.AddString("size");
	m_sFgColor = g_ScriptSymbols.AddString("fgcolor");
	m_sBgColor = g_ScriptSymbols.AddString("bgcolor");
	m_sXPos = g_ScriptSymbols.AddString("xpos");
	m_sYPos = g_ScriptSymbols.AddString("ypos");
	m_sWide = g_ScriptSymbols.AddString("wide");
	m_sTall = g_ScriptSymbols.AddString("tall");
}

AnimationController::~AnimationController()
{
	for (int i = 0; i < m_Sequences.Count(); ++i)
		m_Sequences[i].cmdList.Purge();
	m_Sequences.Purge();
	m_ActiveAnimations.Purge();
	m_PostedMessages.Purge();
	m_ScriptFileNames.Purge();
}

PanelMessageMap *AnimationController::GetMessageMap()
{
	static PanelMessageMap *s_map = FindOrAddPanelMessageMap(GetPanelClassName());
	return s_map;
}

PanelAnimationMap *AnimationController::GetAnimMap()
{
	static PanelAnimationMap *s_map = FindOrAddPanelAnimationMap(GetPanelClassName());
	return s_map;
}

PanelKeyBindingMap *AnimationController::GetKBMap()
{
	static PanelKeyBindingMap *s_map = FindOrAddPanelKeyBindingMap(GetPanelClassName());
	return s_map;
}

void AnimationController::RemoveRequest(Panel *panel, CUtlSymbol variable)
{
	for (int i = 0; i < m_ActiveAnimations.Count(); ++i)
	{
		const ActiveAnimation_t &anim = m_ActiveAnimations[i];
		// A deleted panel's entry resolves to null and matches no request.
		if (panel && anim.panel.Get() == panel && anim.variable == variable && anim.seqName.IsValid())
		{
			m_ActiveAnimations.Remove(i);
			return;
		}
	}
}

void AnimationController::RunAnimationCommand(Panel *panel, const char *variable, float targetValue,
                                              float startDelaySeconds, float durationSeconds,
                                              Interpolators_e interpolator, float animParameter)
{
	CUtlSymbol var = g_ScriptSymbols.AddString(variable);
	RemoveRequest(panel, var);

	AnimCmdAnimate_t cmd{};
	cmd.variable = var;
	cmd.target.a = targetValue;
	cmd.interpolationFunction = interpolator;
	cmd.interpolationParameter = animParameter;
	cmd.startTime = startDelaySeconds;
	cmd.duration = durationSeconds;
	StartCmd_Animate(panel, 0, cmd);
}

void AnimationController::RunAnimationCommand(Panel *panel, const char *variable, Color targetValue,
                                              float startDelaySeconds, float durationSeconds,
                                              Interpolators_e interpolator, float animParameter)
{
	CUtlSymbol var = g_ScriptSymbols.AddString(variable);
	RemoveRequest(panel, var);

	AnimCmdAnimate_t cmd{};
	cmd.variable = var;
	cmd.target.a = static_cast<float>(targetValue[0]);
	cmd.target.b = static_cast<float>(targetValue[1]);
	cmd.target.c = static_cast<float>(targetValue[2]);
	cmd.target.d = static_cast<float>(targetValue[3]);
	cmd.interpolationFunction = interpolator;
	cmd.interpolationParameter = animParameter;
	cmd.startTime = startDelaySeconds;
	cmd.duration = durationSeconds;
	StartCmd_Animate(panel, 0, cmd);
}

void AnimationController::StartCmd_Animate(Panel *panel, UtlSymId_t seqName, AnimCmdAnimate_t &cmd)
{
	ActiveAnimation_t anim{};
	anim.panel = panel;
	anim.seqName = seqName;
	anim.variable = cmd.variable;
	anim.started = false;
	anim.endValue = cmd.target;
	anim.interpolator = static_cast<Interpolators_e>(cmd.interpolationFunction);
	anim.interpolatorParam = cmd.interpolationParameter;
	anim.startTime = m_flCurrentTime + cmd.startTime;
	anim.endTime = anim.startTime + cmd.duration;
	anim.reserved[0] = cmd.reserved[0];
	anim.reserved[1] = cmd.reserved[1];
	m_ActiveAnimations.AddToTail(anim);
}

AnimationController *GetAnimationController()
{
	static AnimationController *s_controller = new AnimationController(nullptr);
	return s_controller;
}
}
