// vgui::AnimationController: the shared controller that records requests to animate a panel's
// animation variable towards a target (one request per panel and variable, the newest kept).
// It has no script files or sequences, and nothing advances the recorded animations.
#pragma once

#include "tier1/Color.h"
#include "tier1/utlsymbol.h"
#include "tier1/utlvector.h"
#include "vgui_controls/Panel.h"

namespace vgui
{
class AnimationController : public Panel
{
public:
	enum Interpolators_e
	{
		INTERPOLATOR_LINEAR,
		INTERPOLATOR_ACCEL,
		INTERPOLATOR_DEACCEL,
		INTERPOLATOR_PULSE,
		INTERPOLATOR_FLICKER,
		INTERPOLATOR_SIMPLESPLINE,
		INTERPOLATOR_BOUNCE,
	};

	struct Value_t
	{
		float a, b, c, d;
	};

	// The command that starts one animation; the record starts zeroed.
	struct AnimCmdAnimate_t
	{
		UtlSymId_t panel;
		UtlSymId_t variable;
		Value_t target;
		int interpolationFunction;
		float interpolationParameter;
		float startTime;
		float duration;
		int reserved[2];
	};

	struct AnimCommand_t
	{
		int commandType;
		AnimCmdAnimate_t animate;
	};

	struct AnimSequence_t
	{
		UtlSymId_t name;
		float duration;
		CUtlVector<AnimCommand_t> cmdList;
	};

	// One recorded animation.
	struct ActiveAnimation_t
	{
		PHandle panel;
		CUtlSymbol seqName;
		CUtlSymbol variable;
		bool started;
		Value_t startValue;
		Value_t endValue;
		Interpolators_e interpolator;
		float interpolatorParam;
		float startTime;
		float endTime;
		int reserved[2];
	};

	explicit AnimationController(Panel *parent);
	~AnimationController() override;

	static const char *GetPanelClassName() { return "AnimationController"; }
	PanelMessageMap *GetMessageMap() override;
	PanelAnimationMap *GetAnimMap() override;
	PanelKeyBindingMap *GetKBMap() override;

	// Animates the named variable of the panel to the value after the delay, over the duration;
	// replaces the panel's earlier request for the same variable.
	void RunAnimationCommand(Panel *panel, const char *variable, float targetValue, float startDelaySeconds,
	                         float durationSeconds, Interpolators_e interpolator, float animParameter = 0.0f);
	void RunAnimationCommand(Panel *panel, const char *variable, Color targetValue, float startDelaySeconds,
	                         float durationSeconds, Interpolators_e interpolator, float animParameter = 0.0f);

	// The recorded animations, oldest first; the controller's clock.
	int GetActiveAnimationCount() const { return m_ActiveAnimations.Count(); }
	const ActiveAnimation_t &GetActiveAnimation(int index) const { return m_ActiveAnimations[index]; }
	float GetCurrentTime() const { return m_flCurrentTime; }

private:
	void StartCmd_Animate(Panel *panel, UtlSymId_t seqName, AnimCmdAnimate_t &cmd);
	void RemoveRequest(Panel *panel, CUtlSymbol variable);

	float m_flCurrentTime;
	CUtlVector<AnimSequence_t> m_Sequences;
	CUtlVector<ActiveAnimation_t> m_ActiveAnimations;
	CUtlVector<int> m_PostedMessages;
	CUtlSymbol m_sPosition, m_sSize, m_sFgColor, m_sBgColor;
	CUtlSymbol m_sXPos, m_sYPos, m_sWide, m_sTall;
	CUtlVector<CUtlSymbol> m_ScriptFileNames;
};

// The one shared controller, made on first use and kept until the process ends.
AnimationController *GetAnimationController();
}
