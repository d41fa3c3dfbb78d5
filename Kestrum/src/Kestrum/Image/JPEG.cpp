// JPEG decoding over stb_image (built for JPEG only).
#include "Kestrum/Image/JPEG.h"

#include <climits>

#include <stb_image.h>

namespace Kestrum
{
	namespace Image
	{
		namespace JPEG
		{
			namespace
			{
				// stb_image 2.27 builds a Huffman table from 16 code counts without checking
				// that they sum to at most 256, and then writes past its arrays. Any "FF C4"
				// in the data may be taken for a table definition (stb resynchronises on
				// markers after a scan), so each one is read the way stb would read it, with
				// zeros past the end; a table with too many codes refuses the whole file.
				// Valid files hold a few short tables, so the work allowed stays small.
				bool HuffmanTablesAreSafe( const unsigned char* pData, uint32_t iLength )
				{
					auto byteAt = [&]( uint64_t i ) -> unsigned int { return i < iLength ? pData[i] : 0u; };
					uint64_t iBudget = 16ull * iLength + 65536u;

					for ( uint32_t i = 0; i + 1 < iLength; i++ )
					{
						if ( pData[i] != 0xFF || pData[i + 1] != 0xC4 )
							continue;

						uint64_t iPos = (uint64_t)i + 2;
						int iLeft = (int)( ( byteAt( iPos ) << 8 ) | byteAt( iPos + 1 ) ) - 2;
						iPos += 2;
						while ( iLeft > 0 && iPos < iLength )
						{
							const unsigned int q = byteAt( iPos++ );
							if ( ( q >> 4 ) > 1 || ( q & 15 ) > 3 )
								break;  // stb refuses this table itself

							int iCodes = 0;
							for ( int k = 0; k < 16; k++ )
								iCodes += (int)byteAt( iPos++ );
							if ( iCodes > 256 )
								return false;

							iPos += (uint64_t)iCodes;
							iLeft -= 17 + iCodes;

							const uint64_t iCost = 17u + (uint64_t)iCodes;
							if ( iCost > iBudget )
								return false;
							iBudget -= iCost;
						}
					}
					return true;
				}
			}

			bool Load( const Buffer& buffer, Format& format )
			{
				const uint32_t iLength = buffer.GetWritten();
				const unsigned char* pData = buffer.GetBase();
				if ( iLength == 0 || iLength > (uint32_t)INT_MAX || !pData )
					return false;

				if ( !HuffmanTablesAreSafe( pData, iLength ) )
					return false;

				int iWidth, iHeight, iComponents;
				if ( !stbi_info_from_memory( pData, (int)iLength, &iWidth, &iHeight, &iComponents ) )
					return false;
				if ( iWidth <= 0 || iHeight <= 0 )
					return false;

				// Refuse before decoding what the pixel data could never hold.
				const uint64_t iBytes = (uint64_t)iWidth * (uint64_t)iHeight * 3u;
				const uint64_t iEnd = (uint64_t)format.data.GetPos() + iBytes;
				if ( iEnd > AutoBuffer::MaxSize )
					return false;

				int iDecodedWidth, iDecodedHeight;
				unsigned char* pPixels = stbi_load_from_memory( pData, (int)iLength, &iDecodedWidth, &iDecodedHeight, &iComponents, 3 );
				if ( !pPixels )
					return false;

				if ( iDecodedWidth != iWidth || iDecodedHeight != iHeight || !format.data.EnsureCapacity( (uint32_t)iEnd ) )
				{
					stbi_image_free( pPixels );
					return false;
				}

				format.width = (uint32_t)iWidth;
				format.height = (uint32_t)iHeight;
				format.alpha = false;
				format.data.Write( pPixels, (uint32_t)iBytes );
				stbi_image_free( pPixels );
				return true;
			}
		}
	}
}
