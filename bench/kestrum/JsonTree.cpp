// Data-tree JSON import/export of a 1 MiB document against plain RapidJSON DOM parse/stringify.
#include "Kestrum/Data/Json.h"

#include <benchmark/benchmark.h>
#include <rapidjson/document.h>
#include <rapidjson/stringbuffer.h>
#include <rapidjson/writer.h>

#include <cstdio>

namespace
{
	// A mix of what add-on descriptions and menu tables hold: named records with strings,
	// integers, fractions, bools, tag arrays and a nested object, about 1 MiB in all.
	const Kestrum::BString& Document()
	{
		static const Kestrum::BString doc = [] {
			Kestrum::BString s = "{\"items\":[";
			char buf[512];
			for (int i = 0; s.size() < (1u << 20) - 256; ++i)
			{
				snprintf(buf, sizeof(buf),
					"%s{\"id\":%d,\"name\":\"Item number %d\",\"price\":%d.%02d,\"active\":%s,"
					"\"tags\":[\"addon\",\"map\",\"t%d\"],\"pos\":{\"x\":%d,\"y\":-%d.5,\"z\":%d},"
					"\"description\":\"A longer text describing item %d with \\\"quotes\\\" and a tab\\t.\"}",
					i ? "," : "", i, i, i % 1000, i % 100, i % 3 ? "true" : "false", i % 17, i * 7, i % 50, i % 9, i);
				s += buf;
			}
			s += "],\"count\":1,\"title\":\"Benchmark\"}";
			return s;
		}();
		return doc;
	}

	void BM_RapidJsonParse(benchmark::State& state)
	{
		const Kestrum::BString& text = Document();
		for (auto _ : state)
		{
			rapidjson::Document d;
			d.Parse(text.c_str(), text.size());
			benchmark::DoNotOptimize(d.IsObject());
		}
		state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(text.size()));
	}

	void BM_TreeImport(benchmark::State& state)
	{
		const Kestrum::BString& text = Document();
		for (auto _ : state)
		{
			Kestrum::Data::Tree t;
			bool ok = Kestrum::Data::Json::Import(t, text);
			benchmark::DoNotOptimize(ok);
		}
		state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(text.size()));
	}

	void BM_RapidJsonStringify(benchmark::State& state)
	{
		rapidjson::Document d;
		d.Parse(Document().c_str(), Document().size());
		size_t size = 0;
		for (auto _ : state)
		{
			rapidjson::StringBuffer buffer;
			rapidjson::Writer<rapidjson::StringBuffer> writer(buffer);
			d.Accept(writer);
			Kestrum::BString out(buffer.GetString(), buffer.GetSize());
			size = out.size();
			benchmark::DoNotOptimize(out.data());
		}
		state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(size));
	}

	void BM_TreeExport(benchmark::State& state)
	{
		Kestrum::Data::Tree t;
		Kestrum::Data::Json::Import(t, Document());
		Kestrum::BString out;
		for (auto _ : state)
		{
			Kestrum::Data::Json::Export(t, out, false);
			benchmark::DoNotOptimize(out.data());
		}
		state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(out.size()));
	}
}

BENCHMARK(BM_RapidJsonParse)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TreeImport)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RapidJsonStringify)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TreeExport)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
