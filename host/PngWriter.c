/* PNG output of the stand-in host through stb_image_write (package libstb-dev). */
#define STB_IMAGE_WRITE_IMPLEMENTATION
#include <stb_image_write.h>

#include "PngWriter.h"

int WritePng(const char *path, int wide, int tall, const unsigned char *rgba)
{
	return stbi_write_png(path, wide, tall, 4, rgba, wide * 4) != 0;
}
