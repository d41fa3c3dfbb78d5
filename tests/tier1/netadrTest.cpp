// netadr_s: byte order of ip and port, and the address text parser.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "tier1/netadr.h"

TEST(NetAdr, StoresNetworkByteOrder)
{
	netadr_t adr;
	adr.SetIP(0xC0A80114);
	adr.SetPort(27015);
	const unsigned char ip[4] = {192, 168, 1, 20};
	EXPECT_EQ(memcmp(adr.ip, ip, 4), 0);
	unsigned char port[2];
	memcpy(port, &adr.port, 2);
	EXPECT_EQ(port[0], 0x69);
	EXPECT_EQ(port[1], 0x87);
	EXPECT_EQ(adr.GetIPHostByteOrder(), 0xC0A80114u);
	EXPECT_EQ(adr.GetPort(), 27015);
	adr.SetType(NA_BROADCAST);
	EXPECT_EQ(adr.GetType(), NA_BROADCAST);
}

TEST(NetAdr, ParsesDottedNumbers)
{
	struct Case
	{
		const char *text;
		uint32_t ip;
		unsigned short port;
	};
	const std::string overlong = std::string("1.2.3.4:") + std::string(5000, '9');
	const Case cases[] = {
		{"192.168.1.20:27015", 0xC0A80114, 27015},
		{"10.0.0.1", 0x0A000001, 0},
		{"300.1.2.3:70000", 0x2C010203, static_cast<unsigned short>(70000)},  // low bytes only
		{"1.2.3", 0, 0},
		{"1.2.3.4:", 0x01020304, 0},
		{"localhost:80", 0, 0},  // a name, and name lookup is off
		{"", 0, 0},
		{overlong.c_str(), 0x01020304, 0},
	};
	for (const Case &c : cases)
	{
		netadr_t adr;
		adr.SetIP(0xFFFFFFFF);
		adr.SetPort(1);
		adr.SetFromString(c.text);
		EXPECT_EQ(adr.type, NA_IP) << c.text;
		EXPECT_EQ(adr.GetIPHostByteOrder(), c.ip) << c.text;
		if (c.text != overlong.c_str())
		{
			EXPECT_EQ(adr.GetPort(), c.port) << c.text;
		}
	}
	netadr_t adr;
	adr.SetIP(5);
	adr.SetFromString(nullptr);
	EXPECT_EQ(adr.GetIPHostByteOrder(), 0u);
}

TEST(NetAdr, ResolvesNamesOnlyWhenAsked)
{
	netadr_t adr;
	adr.SetFromString("localhost:80", true);
	EXPECT_EQ(adr.GetIPHostByteOrder(), 0x7F000001u);
	EXPECT_EQ(adr.GetPort(), 80);

	adr.SetFromString("localhost", true);
	EXPECT_EQ(adr.GetIPHostByteOrder(), 0x7F000001u);
	EXPECT_EQ(adr.GetPort(), 0);

	// A name too long for any host (cut to 255 characters) fails to resolve and stays cleared.
	std::string name(300, 'a');
	adr.SetFromString((name + ":80").c_str(), true);
	EXPECT_EQ(adr.GetIPHostByteOrder(), 0u);
	EXPECT_EQ(adr.GetPort(), 0);
}
