// IPv4 address text: dotted numbers with an optional port, or a host name resolved by the OS.
#include "tier1/netadr.h"

#include <netdb.h>
#include <sys/socket.h>

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "tier1/strtools.h"

void netadr_s::SetIP(uint32_t unIP)
{
	ip[0] = static_cast<unsigned char>(unIP >> 24);
	ip[1] = static_cast<unsigned char>(unIP >> 16);
	ip[2] = static_cast<unsigned char>(unIP >> 8);
	ip[3] = static_cast<unsigned char>(unIP);
}

uint32_t netadr_s::GetIPHostByteOrder() const
{
	return (static_cast<uint32_t>(ip[0]) << 24) | (static_cast<uint32_t>(ip[1]) << 16) |
		(static_cast<uint32_t>(ip[2]) << 8) | ip[3];
}

void netadr_s::SetPort(unsigned short hostPort)
{
	// Network order: the high byte first in memory.
	unsigned char bytes[2] = {static_cast<unsigned char>(hostPort >> 8), static_cast<unsigned char>(hostPort)};
	memcpy(&port, bytes, sizeof(port));
}

unsigned short netadr_s::GetPort() const
{
	unsigned char bytes[2];
	memcpy(bytes, &port, sizeof(bytes));
	return static_cast<unsigned short>((bytes[0] << 8) | bytes[1]);
}

void netadr_s::SetFromString(const char *pch, bool bUseDNS)
{
	type = NA_IP;
	SetIP(0);
	SetPort(0);
	if (!pch)
		return;

	if (isdigit(static_cast<unsigned char>(pch[0])) && strchr(pch, '.'))
	{
		int n1 = 0, n2 = 0, n3 = 0, n4 = 0, n5 = 0;
		int count = sscanf(pch, "%d.%d.%d.%d:%d", &n1, &n2, &n3, &n4, &n5);
		if (count >= 4)
		{
			ip[0] = static_cast<unsigned char>(n1);
			ip[1] = static_cast<unsigned char>(n2);
			ip[2] = static_cast<unsigned char>(n3);
			ip[3] = static_cast<unsigned char>(n4);
		}
		if (count == 5)
			SetPort(static_cast<unsigned short>(n5));
		return;
	}

	if (!bUseDNS)
		return;
	char name[256];
	V_strncpy(name, pch, sizeof(name));
	char *colon = strchr(name, ':');
	if (colon)
		*colon = '\0';
	hostent *host = gethostbyname(name);
	if (!host || host->h_addrtype != AF_INET || host->h_length != 4 || !host->h_addr_list[0])
		return;
	memcpy(ip, host->h_addr_list[0], 4);
	if (colon)
		SetPort(static_cast<unsigned short>(strtol(colon + 1, nullptr, 10)));
}
