// Writes RGBA pixels (4 bytes each, rows top to bottom) as a PNG file; false on failure.
#pragma once

#ifdef __cplusplus
extern "C" {
#endif
int WritePng(const char *path, int wide, int tall, const unsigned char *rgba);
#ifdef __cplusplus
}
#endif
