// The one failure the browser link reports: a text for the user, shown by whoever started the
// operation.
#pragma once

#include <stdexcept>
#include <string>

namespace browser {

class BrowserError : public std::runtime_error {
public:
    explicit BrowserError(const std::string& text) : std::runtime_error(text) {}
};

}  // namespace browser
