// Export marker of libvstdlib.
#pragma once

#define VSTDLIB_INTERFACE __attribute__((visibility("default")))
