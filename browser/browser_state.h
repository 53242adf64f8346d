// The browser link's process-wide state, kept in one place.
#pragma once

#include "browser/browser_link.h"
#include "browser/com_creator.h"

namespace browser::detail {

struct ProcessState {
    BrowserLink* link = nullptr;  // the single instance, owned here
    ComCreator creator = &CoCreateInstance;
    FailureSink eventFailureSink = nullptr;
};

ProcessState& State();

// Hands a failure that no caller can receive to the failure sink.
void ReportUnreachableFailure(const std::string& text);

}  // namespace browser::detail
