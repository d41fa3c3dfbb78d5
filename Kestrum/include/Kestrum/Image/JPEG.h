// JPEG decoding into a Kestrum::Image::Format.
#pragma once

#include "Kestrum/Image/Format.h"
#include "Kestrum/Types/Buffer.h"

namespace Kestrum
{
	namespace Image
	{
		namespace JPEG
		{
			// Decodes the buffer's written bytes as a JPEG and appends its RGB pixels to
			// format's data, setting width and height. False, with format untouched, when
			// the bytes are not a JPEG, cannot be decoded or the pixels would not fit.
			bool Load( const Buffer& buffer, Format& format );
		}
	}
}
