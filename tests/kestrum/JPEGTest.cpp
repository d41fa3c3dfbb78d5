// Tests of the JPEG loader: sizes and pixels of built JPEGs, and hostile input of every kind.
#include "Kestrum/Image/JPEG.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

#include "fixtures/JpegFixture.h"

using namespace Kestrum;

namespace
{
	bool LoadBytes( const std::vector<uint8_t>& bytes, Image::Format& format )
	{
		Buffer view( const_cast<uint8_t*>( bytes.data() ), (uint32_t)bytes.size() );
		return Image::JPEG::Load( view, format );
	}

	void ExpectPixel( const Image::Format& format, uint32_t x, uint32_t y, JpegFixture::Rgb colour )
	{
		const unsigned char* p = format.data.GetBase( ( y * format.width + x ) * 3 );
		EXPECT_NEAR( colour.r, p[0], 3 ) << x << "," << y;
		EXPECT_NEAR( colour.g, p[1], 3 ) << x << "," << y;
		EXPECT_NEAR( colour.b, p[2], 3 ) << x << "," << y;
	}

	// A baseline JPEG header (up to and including the frame) claiming the given size.
	std::vector<uint8_t> WithSize( std::vector<uint8_t> bytes, uint16_t width, uint16_t height )
	{
		for ( size_t i = 0; i + 8 < bytes.size(); i++ )
		{
			if ( bytes[i] == 0xFF && bytes[i + 1] == 0xC0 )
			{
				bytes[i + 5] = (uint8_t)( height >> 8 );
				bytes[i + 6] = (uint8_t)height;
				bytes[i + 7] = (uint8_t)( width >> 8 );
				bytes[i + 8] = (uint8_t)width;
				break;
			}
		}
		return bytes;
	}
}

TEST( JPEG, IconSizedPictureDecodes )
{
	Image::Format format;
	format.alpha = true;
	ASSERT_TRUE( LoadBytes( JpegFixture::Uniform( 512, 512, { 200, 40, 90 } ), format ) );
	EXPECT_EQ( 512u, format.width );
	EXPECT_EQ( 512u, format.height );
	EXPECT_FALSE( format.alpha );
	EXPECT_EQ( 512u * 512u * 3u, format.data.GetWritten() );
	ExpectPixel( format, 0, 0, { 200, 40, 90 } );
	ExpectPixel( format, 511, 511, { 200, 40, 90 } );
}

TEST( JPEG, PixelsComeRowByRowTopDown )
{
	// 20×12 pixels: blocks left of x 8 red, the rest of the top row green, the bottom row blue.
	const auto bytes = JpegFixture::Blocks( 20, 12, []( int bx, int by ) -> JpegFixture::Rgb {
		if ( by == 1 )
			return { 0, 0, 255 };
		return bx == 0 ? JpegFixture::Rgb { 255, 0, 0 } : JpegFixture::Rgb { 0, 255, 0 };
	} );
	Image::Format format;
	ASSERT_TRUE( LoadBytes( bytes, format ) );
	ASSERT_EQ( 20u, format.width );
	ASSERT_EQ( 12u, format.height );
	ASSERT_EQ( 20u * 12u * 3u, format.data.GetWritten() );
	ExpectPixel( format, 7, 0, { 255, 0, 0 } );
	ExpectPixel( format, 8, 7, { 0, 255, 0 } );
	ExpectPixel( format, 19, 0, { 0, 255, 0 } );
	ExpectPixel( format, 0, 8, { 0, 0, 255 } );
	ExpectPixel( format, 19, 11, { 0, 0, 255 } );
}

TEST( JPEG, PixelsAreAppendedAfterEarlierData )
{
	Image::Format format;
	format.data.Write( "abc", 3 );
	ASSERT_TRUE( LoadBytes( JpegFixture::Uniform( 1, 1, { 10, 20, 30 } ), format ) );
	EXPECT_EQ( 6u, format.data.GetWritten() );
	EXPECT_EQ( 'a', format.data.GetBase()[0] );
}

TEST( JPEG, RejectsWhatIsNoJpeg )
{
	const std::vector<std::vector<uint8_t>> inputs = {
		{},
		{ 0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n', 0, 0, 0, 13, 'I', 'H', 'D', 'R', 0, 0, 2, 0, 0, 0, 2, 0, 8, 2, 0, 0, 0 },
		{ 0xFF },
		{ 0xFF, 0xD8 },
		{ 0xFF, 0xD8, 0xFF, 0xD9 },
		std::vector<uint8_t>( 4096, 0xFF ),
		WithSize( JpegFixture::Uniform( 16, 16, { 1, 2, 3 } ), 0, 16 ),
		WithSize( JpegFixture::Uniform( 16, 16, { 1, 2, 3 } ), 16, 0 ),
	};
	for ( size_t i = 0; i < inputs.size(); i++ )
	{
		Image::Format format;
		EXPECT_FALSE( LoadBytes( inputs[i], format ) ) << "input " << i;
		EXPECT_EQ( 0u, format.width );
		EXPECT_EQ( 0u, format.data.GetWritten() );
	}

	Buffer empty;
	Image::Format format;
	EXPECT_FALSE( Image::JPEG::Load( empty, format ) );
}

TEST( JPEG, RefusesPicturesTooLargeToHoldBeforeDecoding )
{
	// 65535 × 65535 × 3 bytes overflow 32 bits; the claim alone is refused.
	Image::Format format;
	EXPECT_FALSE( LoadBytes( WithSize( JpegFixture::Uniform( 16, 16, { 1, 2, 3 } ), 65535, 65535 ), format ) );
	EXPECT_FALSE( LoadBytes( WithSize( JpegFixture::Uniform( 16, 16, { 1, 2, 3 } ), 65535, 2731 ), format ) );
	EXPECT_EQ( 0u, format.width );

	// A buffer claiming more than the decoder can address is refused without reading it.
	uint8_t tiny[4] = { 0xFF, 0xD8, 0xFF, 0xD9 };
	Buffer huge( tiny, 0x80000000u );
	EXPECT_FALSE( Image::JPEG::Load( huge, format ) );
}

TEST( JPEG, SurvivesTruncationAndCorruption )
{
	const auto good = JpegFixture::Blocks( 24, 16, []( int bx, int by ) {
		return JpegFixture::Rgb { (uint8_t)( bx * 90 ), (uint8_t)( by * 200 ), 77 };
	} );

	// Every prefix: decoding may pad missing data, but a success always carries whole pixels.
	for ( size_t n = 0; n < good.size(); n++ )
	{
		std::vector<uint8_t> cut( good.begin(), good.begin() + n );
		Image::Format format;
		if ( LoadBytes( cut, format ) )
		{
			EXPECT_EQ( (uint64_t)format.width * format.height * 3, format.data.GetWritten() );
		}
		else
		{
			EXPECT_EQ( 0u, format.data.GetWritten() );
		}
	}

	// Every byte set to a few hostile values in turn.
	for ( size_t i = 0; i < good.size(); i++ )
	{
		for ( uint8_t value : { 0x00, 0x7F, 0xFF } )
		{
			std::vector<uint8_t> bad = good;
			bad[i] = value;
			Image::Format format;
			if ( LoadBytes( bad, format ) )
			{
				EXPECT_EQ( (uint64_t)format.width * format.height * 3, format.data.GetWritten() );
			}
		}
	}

	srand( 7 );
	for ( int iRound = 0; iRound < 300; iRound++ )
	{
		std::vector<uint8_t> bad = good;
		for ( int k = 0; k < 4; k++ )
			bad[rand() % bad.size()] = (uint8_t)rand();
		Image::Format format;
		if ( LoadBytes( bad, format ) )
		{
			EXPECT_EQ( (uint64_t)format.width * format.height * 3, format.data.GetWritten() );
		}
	}
}
