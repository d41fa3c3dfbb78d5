// Loading and saving a 1 MiB layout-like KeyValues text, against RapidJSON parsing and writing
// the same data as JSON (DOM), in the same run.
#include <benchmark/benchmark.h>

#include <rapidjson/document.h>
#include <rapidjson/stringbuffer.h>
#include <rapidjson/writer.h>

#include <string>

#include "tier1/KeyValues.h"
#include "tier1/utlbuffer.h"

namespace {

// A layout file: panels with typed settings, some with nested blocks, about 1 MiB.
std::string MakeLayoutText()
{
    static const char *kControls[] = {"Label", "Button", "ImagePanel", "EditablePanel", "RichText"};
    std::string text = "\"Resource/UI/MainMenu.res\"\n{\n";
    for (int i = 0; text.size() < 1024 * 1024; ++i) {
        std::string name = "Panel" + std::to_string(i);
        text += "\t\"" + name + "\"\n\t{\n";
        text += "\t\t\"ControlName\"\t\t\"" + std::string(kControls[i % 5]) + "\"\n";
        text += "\t\t\"fieldName\"\t\t\"" + name + "\"\n";
        text += "\t\t\"xpos\"\t\t\"" + std::to_string((i * 37) % 1280) + "\"\n";
        text += "\t\t\"ypos\"\t\t\"" + std::to_string((i * 53) % 720) + "\"\n";
        text += "\t\t\"wide\"\t\t\"" + std::to_string(100 + i % 300) + "\"\n";
        text += "\t\t\"tall\"\t\t\"24\"\n";
        text += "\t\t\"visible\"\t\t\"1\"\n";
        text += "\t\t\"enabled\"\t\t\"1\"\n";
        text += "\t\t\"alpha\"\t\t\"0.750000\"\n";
        text += "\t\t\"labelText\"\t\t\"#GameUI_Option_" + std::to_string(i % 97) + "\"\n";
        text += "\t\t\"textAlignment\"\t\t\"west\"\n";
        text += "\t\t\"font\"\t\t\"DefaultSmall\"\n";
        if (i % 4 == 0) {
            text += "\t\t\"Colors\"\n\t\t{\n";
            text += "\t\t\t\"fgcolor\"\t\t\"255 255 255 255\"\n";
            text += "\t\t\t\"bgcolor\"\t\t\"0 0 0 128\"\n";
            text += "\t\t}\n";
        }
        text += "\t}\n";
    }
    text += "}\n";
    return text;
}

void WriteJson(KeyValues *kv, rapidjson::Writer<rapidjson::StringBuffer> &w)
{
    w.StartObject();
    for (KeyValues *c = kv->GetFirstSubKey(); c; c = c->GetNextKey()) {
        w.Key(c->GetName());
        if (c->GetFirstSubKey()) {
            WriteJson(c, w);
            continue;
        }
        switch (c->GetDataType()) {
        case KeyValues::TYPE_INT: w.Int(c->GetInt()); break;
        case KeyValues::TYPE_FLOAT: w.Double(c->GetFloat()); break;
        default: w.String(c->GetString()); break;
        }
    }
    w.EndObject();
}

struct Data
{
    std::string kvText;
    std::string json;
    Data()
    {
        kvText = MakeLayoutText();
        KeyValues *kv = new KeyValues("x");
        kv->LoadFromBuffer("bench", kvText.c_str());
        rapidjson::StringBuffer sb;
        rapidjson::Writer<rapidjson::StringBuffer> w(sb);
        w.StartObject();
        w.Key(kv->GetName());
        WriteJson(kv, w);
        w.EndObject();
        json.assign(sb.GetString(), sb.GetSize());
        kv->deleteThis();
    }
};

const Data &TheData()
{
    static Data data;
    return data;
}

void BM_KeyValuesLoad(benchmark::State &state)
{
    const std::string &text = TheData().kvText;
    for (auto _ : state) {
        CUtlBuffer buf(text.data(), static_cast<int>(text.size()), CUtlBuffer::READ_ONLY | CUtlBuffer::TEXT_BUFFER);
        KeyValues *kv = new KeyValues("layout");
        kv->LoadFromBuffer("bench", buf);
        benchmark::DoNotOptimize(kv->GetFirstSubKey());
        kv->deleteThis();
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(text.size()));
}
BENCHMARK(BM_KeyValuesLoad)->Unit(benchmark::kMillisecond);

void BM_RapidJsonParse(benchmark::State &state)
{
    const std::string &json = TheData().json;
    for (auto _ : state) {
        rapidjson::Document doc;
        doc.Parse(json.c_str(), json.size());
        benchmark::DoNotOptimize(doc.IsObject());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(json.size()));
}
BENCHMARK(BM_RapidJsonParse)->Unit(benchmark::kMillisecond);

void BM_KeyValuesSave(benchmark::State &state)
{
    const std::string &text = TheData().kvText;
    KeyValues *kv = new KeyValues("layout");
    kv->LoadFromBuffer("bench", text.c_str());
    int64_t bytes = 0;
    for (auto _ : state) {
        CUtlBuffer buf(0, 0, CUtlBuffer::TEXT_BUFFER);
        kv->RecursiveSaveToFile(buf, 0);
        bytes += buf.TellPut();
        benchmark::DoNotOptimize(buf.Base());
    }
    kv->deleteThis();
    state.SetBytesProcessed(bytes);
}
BENCHMARK(BM_KeyValuesSave)->Unit(benchmark::kMillisecond);

void BM_RapidJsonStringify(benchmark::State &state)
{
    const std::string &json = TheData().json;
    rapidjson::Document doc;
    doc.Parse(json.c_str(), json.size());
    int64_t bytes = 0;
    for (auto _ : state) {
        rapidjson::StringBuffer sb;
        rapidjson::Writer<rapidjson::StringBuffer> w(sb);
        doc.Accept(w);
        bytes += static_cast<int64_t>(sb.GetSize());
        benchmark::DoNotOptimize(sb.GetString());
    }
    state.SetBytesProcessed(bytes);
}
BENCHMARK(BM_RapidJsonStringify)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
