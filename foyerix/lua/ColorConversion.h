// Colour conversions between RGB bytes and hue, saturation and value.
#pragma once

#include "tier1/Color.h"

// A number from a script truncated toward zero; 0 when it is not a number or does not fit
// an int (any value may come from Lua).
int TruncateToInt(double value);

// Hue in degrees, saturation and value in 0..1; alpha 255.
Color HSVToColor(float hue, float saturation, float value);
// Hue in whole degrees (0 to 359), saturation and value in 0..1.
void RGBtoHSV(int r, int g, int b, float &hue, float &saturation, float &value);
