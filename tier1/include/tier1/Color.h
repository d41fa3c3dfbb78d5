// Color: four bytes red, green, blue, alpha.
#pragma once

class Color
{
public:
    Color() { SetColor(0, 0, 0, 0); }
    Color(int r, int g, int b, int a = 0) { SetColor(r, g, b, a); }

    void SetColor(int r, int g, int b, int a = 0)
    {
        m_Color[0] = static_cast<unsigned char>(r);
        m_Color[1] = static_cast<unsigned char>(g);
        m_Color[2] = static_cast<unsigned char>(b);
        m_Color[3] = static_cast<unsigned char>(a);
    }
    void GetColor(int &r, int &g, int &b, int &a) const
    {
        r = m_Color[0];
        g = m_Color[1];
        b = m_Color[2];
        a = m_Color[3];
    }

    int r() const { return m_Color[0]; }
    int g() const { return m_Color[1]; }
    int b() const { return m_Color[2]; }
    int a() const { return m_Color[3]; }

    unsigned char &operator[](int index) { return m_Color[index]; }
    const unsigned char &operator[](int index) const { return m_Color[index]; }

    bool operator==(const Color &rhs) const
    {
        return m_Color[0] == rhs.m_Color[0] && m_Color[1] == rhs.m_Color[1] && m_Color[2] == rhs.m_Color[2] &&
               m_Color[3] == rhs.m_Color[3];
    }
    bool operator!=(const Color &rhs) const { return !(*this == rhs); }

private:
    unsigned char m_Color[4];
};
