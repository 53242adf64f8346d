// Reads a dialog template resource as the dialog manager does, in either of its two forms, so the
// tests can compare every field with what the windows expect.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace resources_test {

struct TemplateControl {
    std::uint32_t style = 0;
    std::uint32_t exStyle = 0;
    int x = 0, y = 0, cx = 0, cy = 0;
    int id = 0;                // -1 for the unnumbered statics and group boxes
    std::string className;     // upper-case name for the predefined classes given by ordinal
    std::string text;          // "#n" when the text is the resource ordinal n
};

struct DialogTemplate {
    bool extended = false;
    std::uint32_t style = 0;
    std::uint32_t exStyle = 0;
    int x = 0, y = 0, cx = 0, cy = 0;
    int menu = 0;              // ordinal; 0 for none
    std::string windowClass;
    std::string caption;
    int pointSize = 0;
    std::string face;
    std::vector<TemplateControl> controls;
};

// Parses `size` bytes at `data`; throws std::runtime_error when the bytes run out.
DialogTemplate ParseDialogTemplate(const void* data, std::size_t size);

// The template of dialog resource `id` of the running module.
DialogTemplate LoadDialogTemplate(int id);

}  // namespace resources_test
