// Console output of the tier0 stand-in: capture by kind, formatting, and fatal errors.
#include "tier0/dbg.h"

#include <gtest/gtest.h>

#include <string>

#include "tier0/standin.h"
#include "tier1/Color.h"

TEST(Tier0Dbg, CaptureSeparatesKindsAndKeepsOrder) {
    Tier0OutputCapture capture;
    Msg("m%d\n", 1);
    Warning("w%s\n", "2");
    DevMsg("d3\n");
    DevWarning("dw4\n");
    EXPECT_EQ(capture.All(), "m1\nw2\nd3\ndw4\n");
    EXPECT_EQ(capture.Of(Tier0OutputKind::Msg), "m1\n");
    EXPECT_EQ(capture.Of(Tier0OutputKind::Warning), "w2\n");
    EXPECT_EQ(capture.Of(Tier0OutputKind::DevMsg), "d3\n");
    EXPECT_EQ(capture.Of(Tier0OutputKind::DevWarning), "dw4\n");
}

TEST(Tier0Dbg, LongTextIsNotTruncated) {
    Tier0OutputCapture capture;
    std::string big(5000, 'x');
    Msg("%s|", big.c_str());
    EXPECT_EQ(capture.All(), big + "|");
}

TEST(Tier0Dbg, NestedCapturesRestoreTheOuterOne) {
    Tier0OutputCapture outer;
    {
        Tier0OutputCapture inner;
        Msg("inner");
        EXPECT_EQ(inner.All(), "inner");
    }
    Msg("outer");
    EXPECT_EQ(outer.All(), "outer");
}

TEST(Tier0Dbg, HookInstalledByHandReceivesText) {
    std::string seen;
    void *previousContext = nullptr;
    Tier0OutputHook previous = Tier0_SetOutputHook(
        [](Tier0OutputKind kind, const char *text, void *ctx) {
            if (kind == Tier0OutputKind::Warning) *static_cast<std::string *>(ctx) += text;
        },
        &seen, &previousContext);
    Warning("careful %d", 7);
    Tier0_SetOutputHook(previous, previousContext);
    EXPECT_EQ(seen, "careful 7");
}

#if !defined(NDEBUG)
TEST(Tier0Dbg, FailedAssertWarnsAndContinues) {
    Tier0OutputCapture capture;
    int value = 1;
    Assert(value == 2);
    Assert(value == 1);
    EXPECT_NE(capture.Of(Tier0OutputKind::Assert).find("value == 2"), std::string::npos);
    EXPECT_EQ(capture.Of(Tier0OutputKind::Assert).find("value == 1"), std::string::npos);
}
#endif

TEST(Tier0DbgDeathTest, ErrorPrintsThenAborts) {
    EXPECT_DEATH(Error("Module %s is a debug build\n", "gameui"), "Module gameui is a debug build");
}

TEST(Tier0DbgDeathTest, ErrorReachesStandardErrorEvenWhileCaptured) {
    EXPECT_DEATH(
        {
            Tier0OutputCapture capture;
            Error("fatal %d\n", 42);
        },
        "fatal 42");
}

TEST(Tier0DbgDeathTest, ErrorIsNotAnException) {
    // A catch-all around the call must not keep the process alive.
    EXPECT_DEATH(
        {
            try {
                Error("no way out\n");
            } catch (...) {
            }
        },
        "no way out");
}

TEST(Tier0Dbg, ColorSpewGoesOutAsItsKindWithItsColour) {
    Tier0OutputCapture capture;
    Color green(100, 220, 100, 200);
    EXPECT_EQ(ColorSpewMessage(SPEW_MESSAGE, &green, "%s-%d", "a", 1), SPEW_CONTINUE);
    EXPECT_EQ(ColorSpewMessage(SPEW_WARNING, nullptr, "w"), SPEW_CONTINUE);
    // An error spew is only printed: the caller decides whether to stop.
    EXPECT_EQ(ColorSpewMessage(SPEW_ERROR, &green, "e"), SPEW_ABORT);
    EXPECT_EQ(capture.All(), "a-1we");
    EXPECT_EQ(capture.Of(Tier0OutputKind::Msg), "a-1");
    EXPECT_EQ(capture.Of(Tier0OutputKind::Warning), "w");
    ASSERT_EQ(capture.Colored().size(), 3u);
    const auto &first = capture.Colored()[0];
    EXPECT_EQ(first.kind, Tier0OutputKind::Msg);
    EXPECT_EQ(first.text, "a-1");
    EXPECT_EQ(first.rgba[0], 100);
    EXPECT_EQ(first.rgba[1], 220);
    EXPECT_EQ(first.rgba[2], 100);
    EXPECT_EQ(first.rgba[3], 200);
    EXPECT_EQ(capture.Colored()[1].rgba[3], 255);  // no colour: opaque white
    capture.Clear();
    EXPECT_TRUE(capture.Colored().empty());
}
