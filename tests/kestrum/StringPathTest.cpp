// Tests of the path helpers for strings holding file names.
#include "Kestrum/Utility/String.h"

#include <gtest/gtest.h>

using namespace Kestrum;
namespace File = Kestrum::String::File;

namespace
{
	struct EditCase { const char* in; const char* out; };

	void CheckEdits(void (*edit)(BString&), const char* name, std::initializer_list<EditCase> cases)
	{
		for (const EditCase& c : cases)
		{
			BString s = c.in;
			edit(s);
			EXPECT_EQ(s, c.out) << name << "(\"" << c.in << "\")";
		}
	}
}

TEST(StringPath, Edits)
{
	CheckEdits(File::CleanPath, "CleanPath", {
		{"\\a\\\\b\\", "a/b"}, {"/tmp/x", "tmp/x"}, {"a///b", "a//b"}, {"", ""}, {"///", ""}});
	CheckEdits(File::ToWindowsSlashes, "ToWindowsSlashes", {{"a/b/c", "a\\b\\c"}, {"", ""}});
	CheckEdits(File::ExtractFilename, "ExtractFilename", {
		{"a/b/c.txt", "c.txt"}, {"a\\b\\c.txt", "c.txt"}, {"a\\b/c\\d", "c\\d"}, {"name", "name"}, {"dir/", ""}});
	CheckEdits(File::StripFilename, "StripFilename", {
		{"dir/", "dir/"}, {"a/b/c.txt", "a/b/"}, {"a\\b", "a\\"}, {"name", ""}, {"", ""}});
	CheckEdits(File::StripExtension, "StripExtension", {
		{"a/b.tar.gz", "a/b.tar"}, {"noext", "noext"}, {"dir.old/file", "dir"}});
	CheckEdits(File::UpOneDirectory, "UpOneDirectory", {
		{"a/b/c/", "a/b"}, {"a\\b", ""}, {"file", ""}, {"/", ""}, {"/a", ""}, {"", ""}});
	CheckEdits(File::LastDirectory, "LastDirectory", {
		{"a/b/c.txt", "b"}, {"b/c.txt", ""}, {"x\\y\\z.txt", "y"}, {"a/b//c", "b"}, {"", ""}});

	BString s = "a\\b\\c";
	File::FixSlashes(s, "\\", "/");
	EXPECT_EQ(s, "a/b/c");
	File::FixSlashes(s, "", "/");
	EXPECT_EQ(s, "a/b/c");
}

TEST(StringPath, Queries)
{
	EXPECT_TRUE(File::IsAbsolutePath("c:\\x"));
	EXPECT_TRUE(File::IsAbsolutePath("C:"));
	EXPECT_FALSE(File::IsAbsolutePath("/usr/bin"));
	EXPECT_FALSE(File::IsAbsolutePath(".:"));
	EXPECT_FALSE(File::IsAbsolutePath("c"));
	EXPECT_FALSE(File::IsAbsolutePath(""));

	EXPECT_EQ(File::GetFileExtension("archive.tar.gz"), "gz");
	EXPECT_EQ(File::GetFileExtension("dir.old/file"), "old/file");
	EXPECT_EQ(File::GetFileExtension("file"), "");
	EXPECT_EQ(File::GetFileExtension("file."), "");

	for (const char* ext : {"txt", ".txt", ".TXT", "xt", ""})
		EXPECT_TRUE(File::IsFileExtension("a.TxT", ext)) << ext;
	EXPECT_FALSE(File::IsFileExtension("a.txt", "dat"));
	EXPECT_FALSE(File::IsFileExtension("t", ".txt"));
}
