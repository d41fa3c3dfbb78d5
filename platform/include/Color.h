// Color: four bytes, red, green, blue and alpha, shared by the engine and its plug-ins.
#pragma once

class Color
{
public:
	Color() : m_color{ 0, 0, 0, 0 } {}
	Color(int r, int g, int b, int a = 255)
		: m_color{ static_cast<unsigned char>(r), static_cast<unsigned char>(g), static_cast<unsigned char>(b),
		           static_cast<unsigned char>(a) }
	{
	}

	void SetColor(int r, int g, int b, int a = 255)
	{
		m_color[0] = static_cast<unsigned char>(r);
		m_color[1] = static_cast<unsigned char>(g);
		m_color[2] = static_cast<unsigned char>(b);
		m_color[3] = static_cast<unsigned char>(a);
	}
	int r() const { return m_color[0]; }
	int g() const { return m_color[1]; }
	int b() const { return m_color[2]; }
	int a() const { return m_color[3]; }
	unsigned char &operator[](int index) { return m_color[index]; }
	const unsigned char &operator[](int index) const { return m_color[index]; }
	bool operator==(const Color &o) const
	{
		return m_color[0] == o.m_color[0] && m_color[1] == o.m_color[1] && m_color[2] == o.m_color[2] &&
		       m_color[3] == o.m_color[3];
	}
	bool operator!=(const Color &o) const { return !(*this == o); }

private:
	unsigned char m_color[4];
};
