// Colour conversions between RGB bytes and hue, saturation and value.
#include "lua/ColorConversion.h"

#include <algorithm>

namespace
{
int Channel(double value)
{
	if (!(value > -9.2e18 && value < 9.2e18))
		return 0;
	return static_cast<int>(static_cast<long long>(value) & 0xFF);
}
}

int TruncateToInt(double value)
{
	if (!(value > -2147483649.0 && value < 2147483648.0))
		return 0;
	return static_cast<int>(value);
}

Color HSVToColor(float h, float s, float v)
{
	if (h < 0)
		h += 360;
	if (h > 360)
		h -= 360;
	double V = v * 255.0;
	double C = s * 255.0 * V / 255.0;
	double m = V - C;
	int Vb = TruncateToInt(V);
	int mb = TruncateToInt(m);
	double k = h / 60.0;
	double r, g, b;
	if (h > 300)
		r = Vb, g = mb, b = m + C * (360 - h) / 60;
	else if (h <= 60)
		r = Vb, g = m + C * k, b = mb;
	else if (h < 120)
		r = m - C * (k - 2), g = Vb, b = mb;
	else if (h < 180)
		r = mb, g = Vb, b = m + C * (k - 2);
	else if (h < 240)
		r = mb, g = m - C * (k - 4), b = Vb;
	else
		r = m + C * (k - 4), g = mb, b = Vb;
	return Color(Channel(r), Channel(g), Channel(b), 255);
}

void RGBtoHSV(int r, int g, int b, float &hue, float &saturation, float &value)
{
	int max = std::max(r, std::max(g, b));
	int min = std::min(r, std::min(g, b));
	value = max / 255.0f;
	// Differences in 64 bits: channels from a script may be any int.
	float delta = static_cast<float>(static_cast<long long>(max) - min);
	if (delta == 0)
	{
		hue = 0;
		saturation = 0;
		return;
	}
	saturation = TruncateToInt(delta / max * 255) / 255.0f;
	float h;
	if (max == r)
		h = static_cast<float>(static_cast<long long>(g) - b) / delta;
	else if (max != g)
		h = static_cast<float>(static_cast<long long>(r) - g) / delta + 4;
	else
		h = static_cast<float>(static_cast<long long>(b) - r) / delta + 2;
	h *= 60;
	if (h < 0)
		h += 360;
	int whole = TruncateToInt(h);
	hue = whole == 360 ? 0 : static_cast<float>(whole);
}
