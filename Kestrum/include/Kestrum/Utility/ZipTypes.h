// Zip archive handles and result codes shared by the zip reader and the zip writer.
#pragma once

#include <cstdint>

namespace XZip
{
	// Opaque archive handle: a reader (from OpenZip) or a writer (from CreateZip).
	struct HZIP__;
	typedef HZIP__* HZIP;

	// Result of every zip operation; 0 is success. 256..4096: the system or the data failed,
	// 65536..524288: the caller erred, 16777216 and above: internal faults.
	typedef uint32_t ZRESULT;

	enum : ZRESULT
	{
		ResultOk = 0,
		ResultRecent = 1,				// for FormatZipMessage*: the most recent result
		ResultNoDuplicate = 256,
		ResultNoFile = 512,
		ResultNoMemory = 768,
		ResultWrite = 1024,
		ResultNotFound = 1280,
		ResultMore = 1536,
		ResultCorrupt = 1792,
		ResultRead = 2048,
		ResultPassword = 4096,
		ResultArgs = 65536,
		ResultNotMemoryZip = 131072,
		ResultMemSize = 196608,
		ResultFailed = 262144,
		ResultEnded = 327680,
		ResultMisSize = 393216,
		ResultPartialUnzip = 458752,
		ResultMixedModes = 524288,
		ResultNotInited = 16777216,
		ResultSeek = 33554432,
		ResultNoChange = 67108864,
		ResultFlate = 83886080,
	};
}
