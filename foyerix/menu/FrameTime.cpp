// The menu's frame time, measured by the overlay's paint step.
#include "menu/FrameTime.h"

#include "tier0/platform.h"

float g_fFrameTime = 0.0f;

void MeasureFrameTime()
{
	static float s_flLastPaint = 0.0f;
	float now = static_cast<float>(Plat_FloatTime());
	float delta = now - s_flLastPaint;
	// A clock that went backwards (or a NaN) gives 0; a long pause counts as one slow frame.
	if (!(delta > 0.0f))
		delta = 0.0f;
	else if (delta > 0.1f)
		delta = 0.1f;
	g_fFrameTime = delta;
	s_flLastPaint = now;
}
