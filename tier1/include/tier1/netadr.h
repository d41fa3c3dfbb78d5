// netadr_s: an IPv4 address and port kept in network byte order, with its text parser.
#pragma once

#include <cstdint>

enum netadrtype_t
{
	NA_NULL = 0,
	NA_LOOPBACK,
	NA_BROADCAST,
	NA_IP,
};

typedef struct netadr_s
{
public:
	void SetType(netadrtype_t type) { this->type = type; }
	netadrtype_t GetType() const { return type; }

	// ip and port in host byte order; stored in network order.
	void SetIP(uint32_t unIP);
	uint32_t GetIPHostByteOrder() const;
	void SetPort(unsigned short port);
	unsigned short GetPort() const;

	// "a.b.c.d[:port]" read as numbers; anything else resolved as a host name (with an
	// optional ":port") only when bUseDNS is set. An unparsable text leaves a cleared address.
	void SetFromString(const char *pch, bool bUseDNS = false);

	netadrtype_t type;
	unsigned char ip[4];
	unsigned short port;
} netadr_t;
