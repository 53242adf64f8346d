// Reads and writes generated beeline documents of about 100 KB and 10 MB with our XML machinery
// and with pugixml, from and to memory, so the figures compare the parsers and not the disk.
#include <benchmark/benchmark.h>
#include <pugixml.hpp>

#include <sstream>
#include <string>

#include "xml/xml.h"

namespace {

// A beeline file of roughly `bytes` bytes: honeycombs of beelines with ordinary, secret and
// select parameters, entities in the values, tab-indented the way the program writes it.
std::string GenerateBeelineDocument(size_t bytes) {
    std::string text = "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\n<tree>\n";
    for (int comb = 0; text.size() < bytes; ++comb) {
        text += "\t<node name=\"Honeycomb " + std::to_string(comb) + "\">\n";
        for (int line = 0; line < 20; ++line) {
            const std::string n = std::to_string(comb * 20 + line);
            text += "\t\t<node name=\"Search &amp; find " + n + "\" type=\"search\" get=\"http://example.org/find?site=" + n +
                    "\" icon=\"s" + n + ".ico\">\n";
            text += "\t\t\t<param name=\"q\" value=\"\"/>\n";
            text += "\t\t\t<param name=\"lang\" value=\"&quot;en&quot; &lt;default&gt;\"/>\n";
            text += "\t\t\t<param name=\"key\" type=\"secure\" value=\"fu5jny/2mQ==\"/>\n";
            text += "\t\t\t<param name=\"safe\">\n\t\t\t\t<option name=\"On\" value=\"1\"/>\n"
                    "\t\t\t\t<option name=\"Off\" value=\"0\"/>\n\t\t\t</param>\n";
            text += "\t\t</node>\n";
        }
        text += "\t</node>\n";
    }
    return text + "</tree>\n";
}

const std::string& Document(int64_t kilobytes) {
    static const std::string small = GenerateBeelineDocument(100 * 1024);
    static const std::string large = GenerateBeelineDocument(10 * 1024 * 1024);
    return kilobytes <= 100 ? small : large;
}

void Read_Ours(benchmark::State& state) {
    const std::string& bytes = Document(state.range(0));
    for (auto _ : state) {
        std::istringstream in(bytes);
        xml::XmlDocument document(true);
        in >> document;
        benchmark::DoNotOptimize(document.root);
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(bytes.size()));
}

void Read_Pugixml(benchmark::State& state) {
    const std::string& bytes = Document(state.range(0));
    for (auto _ : state) {
        pugi::xml_document document;
        benchmark::DoNotOptimize(document.load_buffer(bytes.data(), bytes.size()));
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(bytes.size()));
}

void Write_Ours(benchmark::State& state) {
    const std::string& bytes = Document(state.range(0));
    std::istringstream in(bytes);
    xml::XmlDocument document(true);
    in >> document;
    for (auto _ : state) {
        std::ostringstream out;
        out << document;
        benchmark::DoNotOptimize(out.tellp());
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(bytes.size()));
}

void Write_Pugixml(benchmark::State& state) {
    const std::string& bytes = Document(state.range(0));
    pugi::xml_document document;
    document.load_buffer(bytes.data(), bytes.size());
    for (auto _ : state) {
        std::ostringstream out;
        document.save(out, "\t");
        benchmark::DoNotOptimize(out.tellp());
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(bytes.size()));
}

void Sizes(benchmark::internal::Benchmark* b) {
    b->ArgName("KB")->Arg(100)->Arg(10 * 1024)->Unit(benchmark::kMillisecond)->Repetitions(5)
        ->ReportAggregatesOnly(true);
}

}  // namespace

BENCHMARK(Read_Ours)->Apply(Sizes);
BENCHMARK(Read_Pugixml)->Apply(Sizes);
BENCHMARK(Write_Ours)->Apply(Sizes);
BENCHMARK(Write_Pugixml)->Apply(Sizes);
