// Tests of the console channel: doubled standard output, listeners, shut-down and fatal errors.
#include "Kestrum/Console/Output.h"
#include "Kestrum/Debug/Debug.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

using namespace Kestrum;

namespace
{
	// Records every event as (kind, text).
	class Recorder : public Debug::IListener
	{
	public:
		std::vector<std::pair<char, std::string>> events;
		void OnMsg(const char* str) override { events.emplace_back('M', str); }
		void OnWarning(const char* str) override { events.emplace_back('W', str); }
		void OnError(const char* str) override { events.emplace_back('E', str); }
	};

	// Registers a recorder for the length of a test.
	struct ScopedRecorder : Recorder
	{
		ScopedRecorder() { Debug::IListener::Add(this); }
		~ScopedRecorder() { Debug::IListener::Remove(this); }
	};

	using Events = std::vector<std::pair<char, std::string>>;

	// Points standard output at a file, so a process that ends inside Error leaves its text.
	void RedirectStdout(const std::string& path)
	{
		fflush(stdout);
		int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
		if (fd < 0 || dup2(fd, 1) < 0)
			_exit(3);
		close(fd);
	}

	std::string ReadFile(const std::string& path)
	{
		std::ifstream in(path, std::ios::binary);
		std::stringstream ss;
		ss << in.rdbuf();
		return ss.str();
	}

	std::string TempPath(const char* name)
	{
		char dir[] = "/tmp/kestrum-output-XXXXXX";
		if (!mkdtemp(dir))
			return std::string();
		return std::string(dir) + "/" + name;
	}
}

TEST(Output, MsgPrintsTwiceAndTellsListenersOnce)
{
	ScopedRecorder rec;
	testing::internal::CaptureStdout();
	Output::Msg("a\n");
	Output::Msg("%s=%i;", "n", 5);
	EXPECT_EQ(testing::internal::GetCapturedStdout(), "a\na\nn=5;n=5;");
	EXPECT_EQ(rec.events, (Events{{'M', "a\n"}, {'M', "n=5;"}}));
}

TEST(Output, WarningReachesMsgAndWarningWithoutColourCodes)
{
	ScopedRecorder rec;
	testing::internal::CaptureStdout();
	Output::Warning("careful %d%%\n", 100);
	std::string out = testing::internal::GetCapturedStdout();
	EXPECT_EQ(out, "careful 100%\ncareful 100%\n");
	EXPECT_EQ(out.find('\x1b'), std::string::npos);
	EXPECT_EQ(rec.events, (Events{{'M', "careful 100%\n"}, {'W', "careful 100%\n"}}));
}

TEST(Output, TextIsCutAt4095)
{
	ScopedRecorder rec;
	std::string big(6000, 'z');
	testing::internal::CaptureStdout();
	Output::Msg("%s", big.c_str());
	EXPECT_EQ(testing::internal::GetCapturedStdout(), big.substr(0, 4095) + big.substr(0, 4095));
	ASSERT_EQ(rec.events.size(), 1u);
	EXPECT_EQ(rec.events[0].second.size(), 4095u);
}

TEST(Output, ListenerAddedTwiceIsCalledTwiceAndRemovedOnce)
{
	Recorder rec;
	Debug::IListener::Add(&rec);
	Debug::IListener::Add(&rec);
	testing::internal::CaptureStdout();
	Output::Msg("x");
	Debug::IListener::Remove(&rec);
	Output::Msg("y");
	Debug::IListener::Remove(&rec); // absent: no effect
	Debug::IListener::Add(nullptr);  // ignored
	Output::Msg("z");
	testing::internal::GetCapturedStdout();
	EXPECT_EQ(rec.events, (Events{{'M', "x"}, {'M', "x"}}));
	EXPECT_TRUE(Debug::Listeners().empty());
}

TEST(Output, ListenerMayRemoveItselfWhileCalled)
{
	struct SelfRemover : Recorder
	{
		void OnMsg(const char* str) override
		{
			Recorder::OnMsg(str);
			Debug::IListener::Remove(this);
		}
	} first;
	ScopedRecorder before;
	Debug::IListener::Add(&first);
	Recorder next;
	Debug::IListener::Add(&next);
	testing::internal::CaptureStdout();
	Output::Msg("one");
	Output::Msg("two");
	testing::internal::GetCapturedStdout();
	Debug::IListener::Remove(&next);
	EXPECT_EQ(first.events, (Events{{'M', "one"}}));
	EXPECT_EQ(before.events.back(), (std::pair<char, std::string>{'M', "two"}));
	// The listener behind the one that left still hears every event.
	EXPECT_EQ(next.events, (Events{{'M', "one"}, {'M', "two"}}));
}

TEST(Output, ListenerThatReaddsItselfIsCalledOnce)
{
	struct Readder : Recorder
	{
		void OnMsg(const char* str) override
		{
			Recorder::OnMsg(str);
			Debug::IListener::Remove(this);
			Debug::IListener::Add(this);
		}
	} readder;
	Recorder after;
	Debug::IListener::Add(&readder);
	Debug::IListener::Add(&after);
	testing::internal::CaptureStdout();
	Output::Msg("m");
	testing::internal::GetCapturedStdout();
	Debug::IListener::Remove(&readder);
	Debug::IListener::Remove(&after);
	EXPECT_EQ(readder.events, (Events{{'M', "m"}}));
	EXPECT_EQ(after.events, (Events{{'M', "m"}}));
}

TEST(Output, ListenerRemovedByAnotherIsNotCalled)
{
	Recorder victim;
	struct Remover : Recorder
	{
		Recorder* target = nullptr;
		void OnMsg(const char* str) override
		{
			Recorder::OnMsg(str);
			Debug::IListener::Remove(target);
		}
	} remover;
	remover.target = &victim;
	Debug::IListener::Add(&remover);
	Debug::IListener::Add(&victim);
	testing::internal::CaptureStdout();
	Output::Msg("m");
	testing::internal::GetCapturedStdout();
	Debug::IListener::Remove(&remover);
	EXPECT_EQ(remover.events, (Events{{'M', "m"}}));
	EXPECT_TRUE(victim.events.empty());
}

TEST(Output, ColourStacksWriteNothing)
{
	testing::internal::CaptureStdout();
	Console::FGColorPush(Console::Green);
	Console::BGColorPush(Console::Blue);
	Console::FGColorPop();
	Console::BGColorPop();
	Console::FGColorPop(); // unmatched pops are ignored
	Console::BGColorPop();
	EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
}

// Child-process bodies of the death tests below.
namespace
{
	void ShutdownChild(const std::string& path)
	{
		RedirectStdout(path);
		ScopedRecorder rec;
		Startup();
		Shutdown();
		Output::Msg("after\n");
		Output::Warning("warn\n");
		fflush(stdout);
		bool ok = IsShuttingDown() && rec.events == Events{{'W', "warn\n"}};
		exit(ok ? 0 : 2);
	}

	// Each event goes to standard error, where the death test can match it.
	struct Teller : Debug::IListener
	{
		const char* tag;
		explicit Teller(const char* t) : tag(t) {}
		void OnMsg(const char* str) override { fprintf(stderr, "%s:M[%s]", tag, str); }
		void OnWarning(const char* str) override { fprintf(stderr, "%s:W[%s]", tag, str); }
		void OnError(const char* str) override { fprintf(stderr, "%s:E[%s]last[%s]", tag, str, Debug::LastError().c_str()); }
	};

	void ErrorChild(const std::string& path)
	{
		RedirectStdout(path);
		static Teller one("1"), two("2");
		Debug::IListener::Add(&one);
		Debug::IListener::Add(&two);
		printf("buffered;");
		Output::Error("x%d", 1);
	}
}

// Shutting down is one-way, so it runs in a child process.
TEST(OutputDeathTest, ShutdownSilencesMsgListenersOnly)
{
	std::string path = TempPath("out.txt");
	ASSERT_FALSE(path.empty());
	EXPECT_EXIT(ShutdownChild(path), testing::ExitedWithCode(0), "");
	EXPECT_EQ(ReadFile(path), "Exiting..\nExiting..\nExited\nExited\nafter\nafter\nwarn\nwarn\n");
}

TEST(OutputDeathTest, ErrorReportsAndExitsWithStatusOne)
{
	std::string path = TempPath("out.txt");
	ASSERT_FALSE(path.empty());
	EXPECT_EXIT(ErrorChild(path), testing::ExitedWithCode(1),
		"^1:E\\[x1\\]last\\[x1\\]2:E\\[x1\\]last\\[x1\\]"
		"1:M\\[Error:\n\n\\]2:M\\[Error:\n\n\\]1:M\\[x1\\]2:M\\[x1\\]1:M\\[\n\n\\]2:M\\[\n\n\\]$");
	EXPECT_EQ(ReadFile(path), "buffered;Error:\n\nError:\n\nx1x1\n\n\n\n");
}

TEST(OutputDeathTest, ErrorExitsWithStatusOneWhenPopupsAreSuppressed)
{
	Debug::SuppressPopups(true);
	EXPECT_EXIT(Output::Error("fatal"), testing::ExitedWithCode(1), "");
	Debug::SuppressPopups(false);
}
