// Read errors reach the user through one replaceable sink: standard error here, a "Debug" message
// box in the Windows program.
#include "xml/xml.h"

#include <iostream>

namespace xml {

namespace {

void WriteToStandardError(const std::string& text) {
    std::cerr.write(text.data(), static_cast<std::streamsize>(text.size()));
    std::cerr << '\n';
    std::cerr.flush();
}

DebugReport::Sink g_sink = &WriteToStandardError;

}  // namespace

void DebugReport::SetSink(Sink sink) { g_sink = sink != nullptr ? sink : &WriteToStandardError; }

DebugReport::DebugReport(bool enabled) : enabled_(enabled) {}

void DebugReport::Write(const std::string& text) { buffer_ += text; }

void DebugReport::Write(const std::string& name, const std::string& value) {
    buffer_ += name;
    buffer_ += ": ";
    buffer_ += value;
    buffer_ += '\n';
}

void DebugReport::Show(const std::string& text) const {
    if (!enabled_) return;
    g_sink(text.empty() ? buffer_ : text);
}

}  // namespace xml
