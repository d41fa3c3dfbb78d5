// JPEG decoding over stb_image (built for JPEG only), behind a check of the file's structure.
#include "Kestrum/Image/JPEG.h"

#include <algorithm>
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
				// stb_image 2.27 trusts a file in ways that hostile input exploits: a Huffman
				// table with more than 256 codes overflows its arrays, and a scan may decode
				// with Huffman or quantisation tables that were never defined, or leave a
				// component's pixels unwritten, all of which read uninitialised memory. The
				// check below walks the markers exactly as stb does (the same fill bytes,
				// padding and zeros past the end) and refuses such files before stb sees them.
				// Where stb would stop with an error anyway, the check may stop too.
				const unsigned int kNoMarker = 0xFF;

				class Walker
				{
				public:
					Walker( const unsigned char* pData, uint32_t iLength ) : m_pData( pData ), m_iLength( iLength ) {}

					unsigned int Get8() { return m_iPos < m_iLength ? m_pData[m_iPos++] : 0u; }
					unsigned int Get16()
					{
						const unsigned int iHigh = Get8();
						return ( iHigh << 8 ) | Get8();
					}
					void Skip( uint64_t iCount ) { m_iPos = (uint32_t)std::min<uint64_t>( m_iLength, (uint64_t)m_iPos + iCount ); }
					bool AtEnd() const { return m_iPos >= m_iLength; }

					unsigned int GetMarker()
					{
						if ( m_iCached != kNoMarker )
						{
							const unsigned int iMarker = m_iCached;
							m_iCached = kNoMarker;
							return iMarker;
						}
						unsigned int x = Get8();
						if ( x != 0xFF )
							return kNoMarker;
						while ( x == 0xFF )
							x = Get8();
						return x;
					}
					void KeepMarker( unsigned int iMarker ) { m_iCached = iMarker; }

				private:
					const unsigned char* m_pData;
					uint32_t m_iLength;
					uint32_t m_iPos = 0;
					unsigned int m_iCached = kNoMarker;
				};

				struct Tables
				{
					bool dc[4] = {};
					bool ac[4] = {};
					bool quant[4] = {};
					bool progressive = false;
					int components = 0;
					unsigned int id[4] = {};
					unsigned int quantOf[4] = {};
					bool covered[4] = {};
				};

				// Restart interval, quantisation and Huffman tables, application data, comments.
				bool Segment( Walker& in, Tables& tables, unsigned int iMarker )
				{
					if ( iMarker == 0xDD )
					{
						if ( in.Get16() != 4 )
							return false;
						in.Get16();
						return true;
					}

					if ( iMarker == 0xDB )
					{
						int iLeft = (int)in.Get16() - 2;
						while ( iLeft > 0 )
						{
							const unsigned int q = in.Get8();
							const unsigned int iPrecision = q >> 4, iTable = q & 15;
							if ( iPrecision > 1 || iTable > 3 )
								return false;
							in.Skip( iPrecision ? 128 : 64 );
							tables.quant[iTable] = true;
							iLeft -= iPrecision ? 129 : 65;
						}
						return iLeft == 0;
					}

					if ( iMarker == 0xC4 )
					{
						int iLeft = (int)in.Get16() - 2;
						while ( iLeft > 0 )
						{
							const unsigned int q = in.Get8();
							const unsigned int iClass = q >> 4, iTable = q & 15;
							if ( iClass > 1 || iTable > 3 )
								return false;
							int iCodes = 0;
							for ( int i = 0; i < 16; i++ )
								iCodes += (int)in.Get8();
							if ( iCodes > 256 )
								return false;
							in.Skip( (uint64_t)iCodes );
							( iClass ? tables.ac : tables.dc )[iTable] = true;
							iLeft -= 17 + iCodes;
						}
						return iLeft == 0;
					}

					if ( ( iMarker >= 0xE0 && iMarker <= 0xEF ) || iMarker == 0xFE )
					{
						const unsigned int iLength = in.Get16();
						if ( iLength < 2 )
							return false;
						in.Skip( iLength - 2 );
						return true;
					}

					return false;
				}

				bool Frame( Walker& in, Tables& tables )
				{
					const unsigned int iLength = in.Get16();
					in.Get8();   // precision
					in.Get16();  // height
					in.Get16();  // width
					const int iComponents = (int)in.Get8();
					if ( iComponents != 1 && iComponents != 3 && iComponents != 4 )
						return false;
					if ( iLength != 8u + 3u * (unsigned int)iComponents )
						return false;

					tables.components = iComponents;
					for ( int i = 0; i < iComponents; i++ )
					{
						tables.id[i] = in.Get8();
						in.Get8();  // sampling factors
						tables.quantOf[i] = in.Get8();
						if ( tables.quantOf[i] > 3 )
							return false;
					}
					return true;
				}

				// A scan header and its entropy-coded data, up to the marker that ends it.
				bool Scan( Walker& in, Tables& tables )
				{
					const unsigned int iLength = in.Get16();
					const int iCount = (int)in.Get8();
					if ( iCount < 1 || iCount > 4 || iCount > tables.components || iLength != 6u + 2u * (unsigned int)iCount )
						return false;

					int which[4];
					unsigned int dc[4], ac[4];
					for ( int i = 0; i < iCount; i++ )
					{
						const unsigned int iId = in.Get8();
						const unsigned int q = in.Get8();
						which[i] = -1;
						for ( int k = 0; k < tables.components && which[i] < 0; k++ )
						{
							if ( tables.id[k] == iId )
								which[i] = k;
						}
						dc[i] = q >> 4;
						ac[i] = q & 15;
						if ( which[i] < 0 || dc[i] > 3 || ac[i] > 3 )
							return false;
					}

					const unsigned int iStart = in.Get8(), iEnd = in.Get8(), a = in.Get8();
					const unsigned int iHigh = a >> 4, iLow = a & 15;
					if ( tables.progressive ? ( iStart > 63 || iEnd > 63 || iStart > iEnd || iHigh > 13 || iLow > 13 )
											: ( iStart != 0 || iHigh != 0 || iLow != 0 ) )
						return false;

					for ( int i = 0; i < iCount; i++ )
					{
						const int c = which[i];
						if ( !tables.progressive )
						{
							if ( !tables.dc[dc[i]] || !tables.ac[ac[i]] || !tables.quant[tables.quantOf[c]] )
								return false;
							tables.covered[c] = true;
						}
						else if ( iStart == 0 )
						{
							// The first DC scan of a component clears all its coefficients.
							if ( iHigh == 0 )
							{
								if ( !tables.dc[dc[i]] )
									return false;
								tables.covered[c] = true;
							}
						}
						else if ( !tables.ac[ac[i]] )
						{
							return false;
						}
					}

					// Entropy-coded data: "FF 00" is a data byte and restart markers stay inside.
					while ( !in.AtEnd() )
					{
						if ( in.Get8() != 0xFF )
							continue;
						unsigned int c = in.Get8();
						while ( c == 0xFF )
							c = in.Get8();
						if ( c == 0 || ( c >= 0xD0 && c <= 0xD7 ) )
							continue;
						in.KeepMarker( c );
						return true;
					}
					return false;
				}

				bool StructureIsSafe( const unsigned char* pData, uint32_t iLength )
				{
					Walker in( pData, iLength );
					Tables tables;

					if ( in.GetMarker() != 0xD8 )
						return false;

					// Up to the frame header stb skips stray bytes between segments.
					unsigned int iMarker = in.GetMarker();
					while ( iMarker != 0xC0 && iMarker != 0xC1 && iMarker != 0xC2 )
					{
						if ( !Segment( in, tables, iMarker ) )
							return false;
						iMarker = in.GetMarker();
						while ( iMarker == kNoMarker )
						{
							if ( in.AtEnd() )
								return false;
							iMarker = in.GetMarker();
						}
					}

					tables.progressive = iMarker == 0xC2;
					if ( !Frame( in, tables ) )
						return false;

					for ( iMarker = in.GetMarker(); iMarker != 0xD9; iMarker = in.GetMarker() )
					{
						bool bOk;
						if ( iMarker == 0xDA )
							bOk = Scan( in, tables );
						else if ( iMarker == 0xDC )
						{
							bOk = in.Get16() == 4;
							in.Get16();
						}
						else
							bOk = Segment( in, tables, iMarker );
						if ( !bOk )
							return false;
					}

					// Every component must have been decoded, with its quantisation table.
					for ( int i = 0; i < tables.components; i++ )
					{
						if ( !tables.covered[i] || !tables.quant[tables.quantOf[i]] )
							return false;
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

				if ( !StructureIsSafe( pData, iLength ) )
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
