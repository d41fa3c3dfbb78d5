// Tests of the JPEG loader: sizes and pixels of built JPEGs, and hostile input of every kind.
#include "Kestrum/Image/JPEG.h"

#include <gtest/gtest.h>

#include <algorithm>
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

	// The bytes with the first occurrence of from replaced by to.
	std::vector<uint8_t> Replace( std::vector<uint8_t> bytes, const std::vector<uint8_t>& from, const std::vector<uint8_t>& to )
	{
		auto at = std::search( bytes.begin(), bytes.end(), from.begin(), from.end() );
		EXPECT_NE( bytes.end(), at ) << "pattern not in the fixture";
		if ( at != bytes.end() )
		{
			at = bytes.erase( at, at + (std::ptrdiff_t)from.size() );
			bytes.insert( at, to.begin(), to.end() );
		}
		return bytes;
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

class JPEGKinds : public testing::TestWithParam<bool>
{
};

INSTANTIATE_TEST_SUITE_P( BaselineAndProgressive, JPEGKinds, testing::Bool() );

TEST_P( JPEGKinds, IconSizedPictureDecodes )
{
	Image::Format format;
	format.alpha = true;
	ASSERT_TRUE( LoadBytes( JpegFixture::Uniform( 512, 512, { 200, 40, 90 }, GetParam() ), format ) );
	EXPECT_EQ( 512u, format.width );
	EXPECT_EQ( 512u, format.height );
	EXPECT_FALSE( format.alpha );
	EXPECT_EQ( 512u * 512u * 3u, format.data.GetWritten() );
	ExpectPixel( format, 0, 0, { 200, 40, 90 } );
	ExpectPixel( format, 511, 511, { 200, 40, 90 } );
}

TEST_P( JPEGKinds, PixelsComeRowByRowTopDown )
{
	// 20×12 pixels: blocks left of x 8 red, the rest of the top row green, the bottom row blue.
	const auto bytes = JpegFixture::Blocks( 20, 12, []( int bx, int by ) -> JpegFixture::Rgb {
		if ( by == 1 )
			return { 0, 0, 255 };
		return bx == 0 ? JpegFixture::Rgb { 255, 0, 0 } : JpegFixture::Rgb { 0, 255, 0 };
	}, GetParam() );
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

TEST( JPEG, RefusesFilesThatWouldDecodeUninitialisedMemory )
{
	// Each of these decodes "successfully" in stb_image 2.27 from memory it never wrote,
	// or overflows its Huffman arrays.
	const auto good = JpegFixture::Uniform( 16, 16, { 9, 99, 199 } );
	const std::vector<uint8_t> sos = { 0xFF, 0xDA, 0, 12, 3, 1, 0x00, 2, 0x00, 3, 0x00, 0, 63, 0 };
	const std::vector<uint8_t> sof = { 0xFF, 0xC0, 0, 17, 8, 0, 16, 0, 16, 3, 1, 0x11, 0, 2, 0x11, 0, 3, 0x11, 0 };

	std::vector<uint8_t> hugeTable = { 0xFF, 0xC4, 0x0F, 0xF3, 0x01 };
	hugeTable.insert( hugeTable.end(), 16, 255 );
	hugeTable.insert( hugeTable.end(), 16 * 255, 0 );

	struct Case
	{
		const char* pWhat;
		std::vector<uint8_t> bytes;
	};
	const Case cases[] = {
		{ "a Huffman table of 4080 codes", Replace( good, sos, [&] { auto v = hugeTable; v.insert( v.end(), sos.begin(), sos.end() ); return v; }() ) },
		{ "a scan with undefined Huffman tables", Replace( good, sos, { 0xFF, 0xDA, 0, 12, 3, 1, 0x11, 2, 0x00, 3, 0x00, 0, 63, 0 } ) },
		{ "a scan with an undefined AC table", Replace( good, sos, { 0xFF, 0xDA, 0, 12, 3, 1, 0x00, 2, 0x00, 3, 0x03, 0, 63, 0 } ) },
		{ "an undefined quantisation table", Replace( good, sof, { 0xFF, 0xC0, 0, 17, 8, 0, 16, 0, 16, 3, 1, 0x11, 0, 2, 0x11, 2, 3, 0x11, 0 } ) },
		{ "a component no scan decodes", Replace( good, sos, { 0xFF, 0xDA, 0, 8, 1, 1, 0x00, 0, 63, 0 } ) },
		{ "two components of one id", Replace( good, sof, { 0xFF, 0xC0, 0, 17, 8, 0, 16, 0, 16, 3, 1, 0x11, 0, 1, 0x11, 0, 3, 0x11, 0 } ) },
		{ "no scan at all", [&] { auto v = good; auto at = std::search( v.begin(), v.end(), sos.begin(), sos.end() ); v.erase( at, v.end() - 2 ); return v; }() },
	};
	for ( const Case& c : cases )
	{
		Image::Format format;
		EXPECT_FALSE( LoadBytes( c.bytes, format ) ) << c.pWhat;
		EXPECT_EQ( 0u, format.data.GetWritten() ) << c.pWhat;
	}

	// Stray bytes between header segments and fill bytes before markers are fine, as in stb.
	auto padded = Replace( good, sof, [&] { std::vector<uint8_t> v = { 0x00, 0x12, 0xFF, 0xFF }; v.insert( v.end(), sof.begin() + 1, sof.end() ); return v; }() );
	Image::Format format;
	EXPECT_TRUE( LoadBytes( padded, format ) );
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

TEST_P( JPEGKinds, SurvivesTruncationAndCorruption )
{
	const auto good = JpegFixture::Blocks( 24, 16, []( int bx, int by ) {
		return JpegFixture::Rgb { (uint8_t)( bx * 90 ), (uint8_t)( by * 200 ), 77 };
	}, GetParam() );

	// A success always carries whole pixels; a failure adds nothing.
	auto check = []( const std::vector<uint8_t>& bytes ) {
		Image::Format format;
		const bool bLoaded = LoadBytes( bytes, format );
		EXPECT_EQ( bLoaded ? (uint64_t)format.width * format.height * 3 : 0u, format.data.GetWritten() );
	};

	for ( size_t n = 0; n < good.size(); n++ )
		check( std::vector<uint8_t>( good.begin(), good.begin() + (std::ptrdiff_t)n ) );

	// Every byte set to a few hostile values in turn.
	for ( size_t i = 0; i < good.size(); i++ )
	{
		for ( uint8_t value : { 0x00, 0x01, 0x7F, 0xC4, 0xDA, 0xFF } )
		{
			std::vector<uint8_t> bad = good;
			bad[i] = value;
			check( bad );
		}
	}

	srand( 7 );
	for ( int iRound = 0; iRound < 500; iRound++ )
	{
		std::vector<uint8_t> bad = good;
		for ( int k = 0; k < 4; k++ )
			bad[(size_t)rand() % bad.size()] = (uint8_t)rand();
		check( bad );
	}
}
