// Tests of the KeyValues text format: typing, conditionals, escapes, includes, the writer, the
// error reports, and hostile input.
#include "tier1/KeyValues.h"
#include "KeyValuesPtr.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <map>
#include <memory>
#include <string>

#include "filesystem/IFileSystem.h"
#include "tier0/standin.h"
#include "tier1/utlbuffer.h"

namespace {

// Files held in memory, opened by exact name; the path id is recorded, not used.
class MemoryFileSystem : public IBaseFileSystem
{
public:
    std::map<std::string, std::string> files;
    std::string lastPathID;
    int opens = 0;
    unsigned int alignment = 0;

    struct Handle
    {
        std::string name;
        size_t pos = 0;
        bool write = false;
    };

    int Read(void *pOutput, int size, FileHandle_t file) override { return ReadEx(pOutput, size, size, file); }
    int Write(const void *pInput, int size, FileHandle_t file) override
    {
        auto *h = static_cast<Handle *>(file);
        files[h->name].append(static_cast<const char *>(pInput), static_cast<size_t>(size));
        return size;
    }
    FileHandle_t Open(const char *pFileName, const char *pOptions, const char *pathID) override
    {
        ++opens;
        lastPathID = pathID ? pathID : "(null)";
        bool write = strchr(pOptions, 'w') != nullptr;
        if (write)
            files[pFileName].clear();
        else if (!files.count(pFileName))
            return nullptr;
        auto *h = new Handle;
        h->name = pFileName;
        h->write = write;
        return h;
    }
    void Close(FileHandle_t file) override { delete static_cast<Handle *>(file); }
    void Seek(FileHandle_t file, int pos, FileSystemSeek_t) override { static_cast<Handle *>(file)->pos = pos; }
    unsigned int Tell(FileHandle_t file) override { return static_cast<unsigned>(static_cast<Handle *>(file)->pos); }
    unsigned int Size(FileHandle_t file) override
    {
        return static_cast<unsigned>(files[static_cast<Handle *>(file)->name].size());
    }
    void Flush(FileHandle_t) override {}
    bool GetOptimalIOConstraints(FileHandle_t, unsigned int *pOffsetAlign, unsigned int *, unsigned int *) override
    {
        if (pOffsetAlign)
            *pOffsetAlign = alignment;
        return alignment != 0;
    }
    void *AllocOptimalReadBuffer(FileHandle_t, unsigned int nSize, unsigned int) override
    {
        lastBufferSize = nSize;
        return malloc(nSize);
    }
    void FreeOptimalReadBuffer(void *pBuffer) override { free(pBuffer); }
    int ReadEx(void *pOutput, int nDestSize, int nSize, FileHandle_t file) override
    {
        auto *h = static_cast<Handle *>(file);
        const std::string &data = files[h->name];
        size_t n = std::min<size_t>({static_cast<size_t>(nSize), static_cast<size_t>(nDestSize), data.size() - h->pos});
        memcpy(pOutput, data.data() + h->pos, n);
        h->pos += n;
        return static_cast<int>(n);
    }
    unsigned int lastBufferSize = 0;
};

KeyValues *Parse(const char *text, bool escapes = false)
{
    KeyValues *kv = new KeyValues("root");
    kv->UsesEscapeSequences(escapes);
    kv->LoadFromBuffer("test.res", text);
    return kv;
}

std::string Save(KeyValues *kv, bool sort = false)
{
    CUtlBuffer buf(0, 0, CUtlBuffer::TEXT_BUFFER);
    kv->RecursiveSaveToFile(buf, 0, sort);
    return std::string(buf.String(), static_cast<size_t>(buf.TellPut()));
}

TEST(KeyValuesText, ValueTyping)
{
    struct Case {
        const char *value;
        KeyValues::types_t type;
    } cases[] = {
        {"12", KeyValues::TYPE_INT},        {"-7", KeyValues::TYPE_INT},
        {"1.5", KeyValues::TYPE_FLOAT},     {"1e3", KeyValues::TYPE_FLOAT},
        {"0x10", KeyValues::TYPE_STRING},   {"12abc", KeyValues::TYPE_STRING},
        {"3000000000", KeyValues::TYPE_STRING}, {"2147483647", KeyValues::TYPE_INT},
        {"-2147483648", KeyValues::TYPE_INT}, {"", KeyValues::TYPE_STRING},
        {"x", KeyValues::TYPE_STRING},      {"0x00000000000000FF", KeyValues::TYPE_UINT64},
        {"0X00000000000000FF", KeyValues::TYPE_STRING}, {"00000000000000000", KeyValues::TYPE_INT},
        {" 5", KeyValues::TYPE_INT},        {"5 ", KeyValues::TYPE_STRING},
        {"1.", KeyValues::TYPE_FLOAT},      {".5", KeyValues::TYPE_FLOAT},
        {".", KeyValues::TYPE_STRING},      {"-", KeyValues::TYPE_STRING},
        {"+5", KeyValues::TYPE_INT},        {"-0.0", KeyValues::TYPE_FLOAT},
        {"inf", KeyValues::TYPE_FLOAT},     {"1.5e", KeyValues::TYPE_STRING},
        {"1234567890123456.5", KeyValues::TYPE_FLOAT}, {"255 255 255 255", KeyValues::TYPE_STRING},
        {"1.2.3", KeyValues::TYPE_STRING},  {"9999999999", KeyValues::TYPE_STRING},
    };
    for (const auto &c : cases) {
        std::string text = std::string("a { v \"") + c.value + "\" }";
        KVPtr kv(Parse(text.c_str()));
        EXPECT_EQ(kv->GetDataType("v"), c.type) << c.value;
    }
    KVPtr kv(Parse("a { b 1 c 2.5 d x u 0x00000000000000FF big 3000000000 }"));
    EXPECT_STREQ(kv->GetName(), "a");
    EXPECT_EQ(kv->GetInt("b"), 1);
    EXPECT_FLOAT_EQ(kv->GetFloat("c"), 2.5f);
    EXPECT_STREQ(kv->GetString("d"), "x");
    EXPECT_EQ(kv->GetUint64("u"), 255u);
    EXPECT_STREQ(kv->GetString("big"), "3000000000");

    // decimals read exactly as the C parser rounds them
    const char *decimals[] = {"0.1", "0.750000", "-12.345678", "123456789.012345", "0.000001", "3.14159265358979"};
    for (const char *d : decimals) {
        std::string text = std::string("a { v ") + d + " }";
        KVPtr dk(Parse(text.c_str()));
        EXPECT_EQ(dk->GetFloat("v"), static_cast<float>(strtod(d, nullptr))) << d;
    }
}

TEST(KeyValuesText, Conditionals)
{
    struct Case {
        const char *cond;
        bool kept;
    } cases[] = {
        {"[$X360]", false}, {"[!$X360]", true}, {"[$WIN32]", true}, {"[$LINUX]", true},
        {"[$OSX]", false},  {"[$POSIX]", true}, {"[$windows]", false}, {"[$NOTATAG]", false},
        {"[!$NOTATAG]", false}, {"[$X360||$LINUX]", false},
    };
    for (const auto &c : cases) {
        std::string text = std::string("a { k v ") + c.cond + " other 1 }";
        KVPtr kv(Parse(text.c_str()));
        EXPECT_EQ(kv->FindKey("k") != nullptr, c.kept) << c.cond;
        EXPECT_EQ(kv->GetInt("other"), 1) << c.cond;
    }

    // conditional before the value, and on a block
    KVPtr kv(Parse("a { k [$X360] v blk [$X360] { x 1 } keep [$POSIX] { y 2 } }"));
    EXPECT_EQ(kv->FindKey("k"), nullptr);
    EXPECT_EQ(kv->FindKey("blk"), nullptr);
    EXPECT_EQ(kv->GetInt("keep/y"), 2);

    // top-level key rejected: the next top-level name reuses it
    KVPtr top(Parse("first [$X360] { x 1 } second { y 2 }"));
    EXPECT_STREQ(top->GetName(), "second");
    EXPECT_EQ(top->FindKey("x"), nullptr);
    EXPECT_EQ(top->GetInt("y"), 2);

    // a rejected later top-level key does not lose the keys after it
    KVPtr later(Parse("first { a 1 } second [$X360] { b 2 } third { c 3 } fourth [$X360] { d 4 }"));
    ASSERT_NE(later->GetNextKey(), nullptr);
    EXPECT_STREQ(later->GetNextKey()->GetName(), "third");
    EXPECT_EQ(later->GetNextKey()->GetInt("c"), 3);
    EXPECT_EQ(later->GetNextKey()->GetNextKey(), nullptr);

    // evaluation switched off: every conditional holds
    KVPtr all(new KeyValues("root"));
    all->UsesConditionals(false);
    all->LoadFromBuffer("t", "a { k v [$X360] }");
    EXPECT_NE(all->FindKey("k"), nullptr);
}

TEST(KeyValuesText, QuotesEscapesAndComments)
{
    KVPtr kv(Parse("// header\n\"a b\" { \"k\" \"{\" path \"C:\\path\" tab \"x\\ty\" // trailing\n }"));
    EXPECT_STREQ(kv->GetName(), "a b");
    EXPECT_STREQ(kv->GetString("k"), "{");
    EXPECT_STREQ(kv->GetString("path"), "C:\\path");
    EXPECT_STREQ(kv->GetString("tab"), "x\\ty");

    KVPtr esc(Parse("a { path \"C:\\path\" tab \"x\\ty\" q \"say \\\"hi\\\"\" }", true));
    EXPECT_STREQ(esc->GetString("path"), "C:");
    EXPECT_STREQ(esc->GetString("tab"), "x\ty");
    EXPECT_STREQ(esc->GetString("q"), "say \"hi\"");
    KVPtr cut(Parse("a { n \"12\\zz\" }", true));  // the unpaired escape ends the text: 12 is an int
    EXPECT_EQ(cut->GetDataType("n"), KeyValues::TYPE_INT);
    EXPECT_EQ(cut->GetInt("n"), 12);

    // without escapes the no-escape table's 0x7F byte reads as a zero; with them it is kept
    KVPtr del(Parse("a { k \"x\x7Fy\" }"));
    EXPECT_STREQ(del->GetString("k"), "x");
    KVPtr delEsc(Parse("a { k \"x\x7Fy\" }", true));
    EXPECT_STREQ(delEsc->GetString("k"), "x\x7Fy");

    // a conditional after a quoted value, after a comment
    KVPtr cond(Parse("a { \"k\" \"v\" // note\n [$X360] \"j\" \"w\" \"n\" \"1\" }"));
    EXPECT_EQ(cond->FindKey("k"), nullptr);
    EXPECT_STREQ(cond->GetString("j"), "w");
    EXPECT_EQ(cond->GetInt("n"), 1);

    KVPtr dup(Parse("a { n 1 n 2 n 3 }"));
    std::string values;
    for (KeyValues *c = dup->GetFirstSubKey(); c; c = c->GetNextKey())
        values += c->GetString();
    EXPECT_EQ(values, "123");

    // the key-name case: first spelling wins
    KVPtr cs(Parse("a { SomeKey 1 somekey 2 }"));
    EXPECT_STREQ(cs->GetFirstSubKey()->GetNextKey()->GetName(), "SomeKey");
}

TEST(KeyValuesText, LongTokensAreCut)
{
    std::string quoted(5000, 'q');
    std::string text = "a { k \"" + quoted + "\" after 1 }";
    KVPtr kv(Parse(text.c_str()));
    EXPECT_EQ(strlen(kv->GetString("k")), 4095u);
    EXPECT_EQ(kv->GetInt("after"), 1);

    Tier0OutputCapture capture;
    std::string bare(5000, 'u');
    std::string text2 = "a { k " + bare + " after 1 }";
    KVPtr kv2(Parse(text2.c_str()));
    EXPECT_EQ(strlen(kv2->GetString("k")), 4095u);
    EXPECT_EQ(kv2->GetInt("after"), 1);
    EXPECT_NE(capture.All().find(" ReadToken overflow"), std::string::npos);
}

TEST(KeyValuesText, ErrorReports)
{
    struct Case {
        const char *text;
        const char *message;
    } cases[] = {
        {"a { b { c 1 ", "KeyValues Error: RecursiveLoadFromBuffer:  got EOF instead of keyname in file test.res\n"},
        {"a { k }", "RecursiveLoadFromBuffer:  got } in key"},
        {"a { k", "RecursiveLoadFromBuffer:  got NULL key"},
        {"a { k [$WIN32] [$WIN32] }", "got conditional between key and value"},
        {"a b", "LoadFromBuffer: missing {"},
        {"#include", "#include is NULL "},
        {"#base \"\"", "#base is NULL "},
    };
    for (const auto &c : cases) {
        Tier0OutputCapture capture;
        KVPtr kv(Parse(c.text));
        EXPECT_NE(capture.Of(Tier0OutputKind::Warning).find(c.message), std::string::npos)
            << c.text << "\n" << capture.All();
    }

    // the stack names the keys being read; popped levels are starred
    Tier0OutputCapture capture;
    KVPtr kv(Parse("outer { inner { deep { x 1 } } broken }"));
    EXPECT_NE(capture.All().find("outer, broken, (*inner*), (*deep*), (*x*), \n"), std::string::npos) << capture.All();
}

TEST(KeyValuesText, IncludeAndBase)
{
    MemoryFileSystem fs;
    fs.files["ui/base.res"] = "base { shared 1 onlybase 2 sub { a 1 b 2 } }";
    fs.files["ui/extra.res"] = "extra { e 5 } extra2 { f 6 }";
    fs.files["ui/main.res"] =
        "#base \"base.res\"\n#include \"extra.res\"\nmain { shared 9 sub { a 7 } }\n#include missing.res";

    Tier0OutputCapture capture;
    KVPtr kv(new KeyValues("root"));
    ASSERT_TRUE(kv->LoadFromFile(&fs, "ui/main.res", "GAME"));
    EXPECT_STREQ(kv->GetName(), "main");
    EXPECT_EQ(kv->GetInt("shared"), 9);
    EXPECT_EQ(kv->GetInt("onlybase"), 2);
    EXPECT_EQ(kv->GetInt("sub/a"), 7);
    EXPECT_EQ(kv->GetInt("sub/b"), 2);
    ASSERT_NE(kv->GetNextKey(), nullptr);
    EXPECT_STREQ(kv->GetNextKey()->GetName(), "extra");
    EXPECT_EQ(kv->GetNextKey()->GetInt("e"), 5);
    EXPECT_STREQ(kv->GetNextKey()->GetNextKey()->GetName(), "extra2");
    EXPECT_NE(capture.Of(Tier0OutputKind::DevMsg).find(
                  "KeyValues::ParseIncludedKeys: Couldn't load included keyvalue file ui/missing.res\n"),
              std::string::npos);
    EXPECT_EQ(fs.lastPathID, "(null)");  // includes are looked up without a path id

    // a missing file leaves the node alone
    KVPtr none(new KeyValues("keep"));
    EXPECT_FALSE(none->LoadFromFile(&fs, "ui/nothing.res", "GAME"));
    EXPECT_STREQ(none->GetName(), "keep");

    // without a file system includes are skipped
    KVPtr nofs(Parse("#include \"x.res\" a { b 1 }"));
    EXPECT_EQ(nofs->GetInt("b"), 1);
}

TEST(KeyValuesText, IncludeNestingIsBounded)
{
    MemoryFileSystem fs;
    fs.files["self.res"] = "#include self.res\n#include self.res\nself { v 1 }";
    Tier0OutputCapture capture;
    KVPtr kv(new KeyValues("root"));
    ASSERT_TRUE(kv->LoadFromFile(&fs, "self.res"));
    EXPECT_EQ(kv->GetInt("v"), 1);
    EXPECT_EQ(kv->GetNextKey(), nullptr);
    EXPECT_NE(capture.All().find("file includes itself"), std::string::npos);

    // a chain of 40 distinct files stops at 32
    for (int i = 0; i < 40; ++i)
        fs.files["f" + std::to_string(i) + ".res"] =
            "#include f" + std::to_string(i + 1) + ".res\nk" + std::to_string(i) + " { v 1 }";
    capture.Clear();
    KVPtr chain(new KeyValues("root"));
    ASSERT_TRUE(chain->LoadFromFile(&fs, "f0.res"));
    int n = 0;
    for (KeyValues *k = chain.get(); k; k = k->GetNextKey())
        ++n;
    EXPECT_EQ(n, 32);
    EXPECT_NE(capture.All().find("included files nested too deeply"), std::string::npos);
}

TEST(KeyValuesText, Utf16Files)
{
    MemoryFileSystem fs;
    auto utf16 = [](const std::u16string &s) {
        std::string out = "\xFF\xFE";
        for (char16_t c : s) {
            out += static_cast<char>(c & 0xFF);
            out += static_cast<char>(c >> 8);
        }
        return out;
    };
    fs.files["u.res"] = utf16(u"a { name \"h\u00e9\U0001F600\" n 3 }");
    KVPtr kv(new KeyValues("root"));
    ASSERT_TRUE(kv->LoadFromFile(&fs, "u.res"));
    EXPECT_STREQ(kv->GetString("name"), "h\xc3\xa9\xf0\x9f\x98\x80");
    EXPECT_EQ(kv->GetInt("n"), 3);

    // no terminating unit, odd length: read within the file's size only
    fs.files["odd.res"] = utf16(u"a { n 4 }") + "x";
    KVPtr odd(new KeyValues("root"));
    ASSERT_TRUE(odd->LoadFromFile(&fs, "odd.res"));
    EXPECT_EQ(odd->GetInt("n"), 4);

    // a C string is read only up to its terminator, UTF-16 or not
    std::string mem = utf16(u"b { m 5 }");
    KVPtr inMem(new KeyValues("root"));
    Tier0OutputCapture capture;
    inMem->LoadFromBuffer("mem", mem.c_str());
    EXPECT_EQ(inMem->GetInt("m"), 0);
    EXPECT_STREQ(inMem->GetName(), "b");
    KVPtr shortText(new KeyValues("root"));
    shortText->LoadFromBuffer("mem", "\xFF\xFE" "a");  // no whole zero unit after the text
    EXPECT_STREQ(shortText->GetName(), "a");
}

TEST(KeyValuesText, WriterFormat)
{
    KVPtr kv(new KeyValues("root"));
    kv->SetString("quote", "say \"hi\"");
    kv->SetString("path", "C:\\dir");
    kv->SetString("empty", "");
    kv->SetInt("int", -4);
    kv->SetFloat("float", 0.5f);
    kv->SetPtr("ptr", kv.get());
    kv->SetWString("wide", L"42");
    kv->SetInt("sub/x", 1);
    std::string text = Save(kv.get());
    EXPECT_EQ(text,
              "\"root\"\n{\n"
              "\t\"quote\"\t\t\"say \\\"hi\\\"\"\n"
              "\t\"path\"\t\t\"C:\\dir\"\n"
              "\t\"int\"\t\t\"-4\"\n"
              "\t\"float\"\t\t\"0.500000\"\n"
              "\t\"wide\"\t\t\"42\"\n"
              "\t\"sub\"\n\t{\n\t\t\"x\"\t\t\"1\"\n\t}\n"
              "}\n");

    kv->UsesEscapeSequences(true);
    EXPECT_NE(Save(kv.get()).find("\"C:\\\\dir\""), std::string::npos);

    Tier0OutputCapture capture;
    KVPtr col(new KeyValues("c"));
    col->SetColor("c", Color(1, 2, 3, 4));
    EXPECT_EQ(Save(col.get()), "\"c\"\n{\n}\n");
    EXPECT_NE(capture.All().find("KeyValues::RecursiveSaveToFile: TODO, missing code for TYPE_COLOR.\n"),
              std::string::npos);
}

TEST(KeyValuesText, RoundTripAndSort)
{
    const char *text = "root { b 1 Capital { z \"two words\" y 2.25 } d 0x00000000DEADBEEF }";
    KVPtr kv(Parse(text));
    std::string saved = Save(kv.get());
    KVPtr again(new KeyValues("x"));
    again->LoadFromBuffer("saved", saved.c_str());
    EXPECT_EQ(Save(again.get()), saved);
    EXPECT_EQ(again->GetUint64("d"), 0xDEADBEEFu);
    EXPECT_NE(saved.find("\"0x00000000DEADBEEF\""), std::string::npos);

    std::string sorted = Save(kv.get(), true);
    EXPECT_LT(sorted.find("\"b\""), sorted.find("\"Capital\""));
    EXPECT_LT(sorted.find("\"Capital\""), sorted.find("\"d\""));
    EXPECT_LT(sorted.find("\"y\""), sorted.find("\"z\""));

    // wide values are typed again when read back
    KVPtr w(new KeyValues("w"));
    w->SetWString("s", L"abc");
    w->SetWString("n", L"42");
    KVPtr back(new KeyValues("x"));
    back->LoadFromBuffer("w", Save(w.get()).c_str());
    EXPECT_EQ(back->GetDataType("s"), KeyValues::TYPE_STRING);
    EXPECT_EQ(back->GetDataType("n"), KeyValues::TYPE_INT);
}

TEST(KeyValuesText, SaveToFile)
{
    MemoryFileSystem fs;
    KVPtr kv(new KeyValues("root", "k", "v"));
    kv->SetNextKey(new KeyValues("peer"));  // only this node is written
    ASSERT_TRUE(kv->SaveToFile(&fs, "out.res", "MOD"));
    EXPECT_EQ(fs.files["out.res"], "\"root\"\n{\n\t\"k\"\t\t\"v\"\n}\n");
    EXPECT_EQ(fs.lastPathID, "MOD");

    fs.alignment = 512;
    KVPtr back(new KeyValues("x"));
    ASSERT_TRUE(back->LoadFromFile(&fs, "out.res", "MOD"));
    EXPECT_EQ(fs.lastBufferSize, 512u);
    EXPECT_STREQ(back->GetString("k"), "v");

    Tier0OutputCapture capture;
    EXPECT_FALSE(kv->SaveToFile(nullptr, nullptr, nullptr));
    EXPECT_NE(capture.All().find("KeyValues::SaveToFile: couldn't open file \"NULL\" in path \"NULL\".\n"),
              std::string::npos);
}

TEST(KeyValuesText, HostileInput)
{
    std::string deep;
    for (int i = 0; i < 100000; ++i)
        deep += "k {";
    std::string deepOk;
    for (int i = 0; i < 300; ++i)
        deepOk += "k { ";
    deepOk += "leaf 1 ";
    for (int i = 0; i < 300; ++i)
        deepOk += "} ";
    deepOk += "after { x 2 }";
    std::string garbage;
    for (int i = 0; i < 4096; ++i)
        garbage += static_cast<char>(((i * 131) ^ (i >> 3)) % 255 + 1);
    std::string deepZero = deep.substr(0, 3000) + std::string(1, '\0') + " x }";
    std::string braces(5000, '}');
    std::string opens(5000, '{');

    const std::string cases[] = {
        "", "{", "}", "\"", "a", "a {", "a { \"", "a { b \"unterminated", "a { b { c { d", "a } } }", "a { } } }",
        "#include", "#base", "[$X360]", "a [$X360]", "a { b [", "a { b [$WIN32", "//", "a // { b 1 }",
        deep, deepOk, deepZero, garbage, braces, opens, "\x7F\x7F", "a { \"\\", std::string("a { b \0 c }", 11),
    };
    Tier0OutputCapture capture;  // keep the reports off the terminal
    for (const std::string &text : cases) {
        KVPtr kv(new KeyValues("root"));
        CUtlBuffer buf(text.data(), static_cast<int>(text.size()), CUtlBuffer::READ_ONLY | CUtlBuffer::TEXT_BUFFER);
        EXPECT_TRUE(kv->LoadFromBuffer("hostile", buf));
        KVPtr esc(new KeyValues("root"));
        esc->UsesEscapeSequences(true);
        esc->LoadFromBuffer("hostile", text.c_str());
        Save(kv.get());
    }

    // blocks nested too deeply are reported and stepped over; the rest still loads
    capture.Clear();
    KVPtr kv(Parse(deepOk.c_str()));
    EXPECT_NE(capture.All().find("blocks nested too deeply"), std::string::npos);
    EXPECT_EQ(kv->GetNextKey() ? kv->GetNextKey()->GetInt("x") : -1, 2);
}

}  // namespace

namespace {

// Token soup from a fixed seed: every mix of braces, quotes, escapes, conditionals, includes and
// raw bytes loads, saves and reloads without a fault.
TEST(KeyValuesText, RandomTokenSoup)
{
    static const char *kPieces[] = {"{", "}", "\"", "\\", "[$X360]", "[!$WIN32]", "[", "]", "#include", "#base",
                                    "//", "\n", " ", "key", "\"quoted value\"", "12", "1.5", "0x00000000000000FF",
                                    "\x7F", "\xFF\xFE", "\t", "\"\\\"\"", "a/b", "{}"};
    MemoryFileSystem fs;
    fs.files["inc.res"] = "inc { v 1 }";
    uint32_t seed = 12345;
    auto next = [&seed]() {
        seed = seed * 1103515245u + 12345u;
        return seed >> 8;
    };
    Tier0OutputCapture capture;
    for (int round = 0; round < 1500; ++round) {
        std::string text;
        int count = static_cast<int>(next() % 120);
        for (int i = 0; i < count; ++i) {
            if (next() % 10 == 0)
                text += static_cast<char>(next() % 255 + 1);
            else
                text += kPieces[next() % (sizeof(kPieces) / sizeof(kPieces[0]))];
        }
        KVPtr kv(new KeyValues("root"));
        kv->UsesEscapeSequences(round % 2 == 0);
        kv->LoadFromBuffer("soup.res", text.c_str(), &fs);
        std::string saved = Save(kv.get());
        KVPtr again(new KeyValues("root"));
        again->LoadFromBuffer("saved.res", saved.c_str());
        capture.Clear();
    }
}

}  // namespace

namespace {

// The typing rules written plainly with the C parsers, for comparison with the reader's.
KeyValues::types_t ReferenceType(const std::string &v, int &i, float &f)
{
    if (v.empty())
        return KeyValues::TYPE_STRING;
    if (v.size() == 18 && v[0] == '0' && v[1] == 'x')
        return KeyValues::TYPE_UINT64;
    char *iEnd;
    char *fEnd;
    errno = 0;
    long long iv = strtoll(v.c_str(), &iEnd, 10);
    bool overflow = errno == ERANGE || iv > INT32_MAX || iv < INT32_MIN;
    double fv = strtod(v.c_str(), &fEnd);
    if (v.size() >= 2 && (v[1] == 'x' || v[1] == 'X'))
        fEnd = const_cast<char *>(v.c_str());
    const char *end = v.c_str() + v.size();
    if (fEnd > iEnd && fEnd == end) {
        f = static_cast<float>(fv);
        return KeyValues::TYPE_FLOAT;
    }
    if (iEnd == end && !overflow) {
        i = static_cast<int>(iv);
        return KeyValues::TYPE_INT;
    }
    return KeyValues::TYPE_STRING;
}

TEST(KeyValuesText, TypingAgreesWithTheCParsers)
{
    static const char kAlphabet[] = "0123456789000+-..eExXinfa ";
    uint32_t seed = 4242;
    auto next = [&seed]() {
        seed = seed * 1664525u + 1013904223u;
        return seed >> 8;
    };
    for (int round = 0; round < 20000; ++round) {
        std::string v;
        int len = 1 + static_cast<int>(next() % 20);
        for (int k = 0; k < len; ++k)
            v += kAlphabet[next() % (sizeof(kAlphabet) - 1)];
        std::string text = "a { v \"" + v + "\" }";
        KVPtr kv(Parse(text.c_str()));
        int i = 0;
        float f = 0;
        KeyValues::types_t expected = ReferenceType(v, i, f);
        ASSERT_EQ(kv->GetDataType("v"), expected) << "[" << v << "]";
        if (expected == KeyValues::TYPE_INT) {
            ASSERT_EQ(kv->GetInt("v"), i) << v;
        }
        if (expected == KeyValues::TYPE_FLOAT && f == f) {
            ASSERT_EQ(kv->GetFloat("v"), f) << v;
        }
    }
}

}  // namespace
