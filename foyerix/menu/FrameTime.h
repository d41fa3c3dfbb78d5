// The menu's frame time: seconds between the last two overlay paints.
#pragma once

// Between 0 and 0.1; 0 until the first paint.
extern float g_fFrameTime;

// Measures the time since the previous paint on tier0's clock and stores it, limited to
// 0 .. 0.1 s, in g_fFrameTime; called once per overlay paint.
void MeasureFrameTime();
