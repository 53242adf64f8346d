#include "tests/resources/dialog_template.h"

#include <windows.h>

#include <cstring>
#include <stdexcept>

namespace resources_test {
namespace {

class Reader {
public:
    Reader(const void* data, std::size_t size)
        : base_(static_cast<const unsigned char*>(data)), size_(size) {}

    std::uint16_t Word() {
        Need(2);
        std::uint16_t value;
        std::memcpy(&value, base_ + offset_, 2);
        offset_ += 2;
        return value;
    }
    std::uint32_t Dword() {
        const std::uint32_t low = Word();
        return low | (static_cast<std::uint32_t>(Word()) << 16);
    }
    int Short() { return static_cast<std::int16_t>(Word()); }
    std::uint8_t Byte() {
        Need(1);
        return base_[offset_++];
    }
    // A zero-terminated UTF-16 text; the tests' texts are all ASCII.
    std::string Text() {
        std::string text;
        for (std::uint16_t c = Word(); c != 0; c = Word()) text += static_cast<char>(c);
        return text;
    }
    // The "string or ordinal" field: empty, 0xFFFF + ordinal, or a text.
    std::string TextOrOrdinal(int* ordinal = nullptr) {
        Need(2);
        std::uint16_t first;
        std::memcpy(&first, base_ + offset_, 2);
        if (first == 0xFFFF) {
            Word();
            const int value = Word();
            if (ordinal != nullptr) *ordinal = value;
            return "#" + std::to_string(value);
        }
        return Text();
    }
    void AlignDword() { offset_ = (offset_ + 3) & ~static_cast<std::size_t>(3); }
    void Skip(std::size_t n) {
        Need(n);
        offset_ += n;
    }

private:
    void Need(std::size_t n) const {
        if (offset_ + n > size_) throw std::runtime_error("dialog template cut short");
    }
    const unsigned char* base_;
    std::size_t size_;
    std::size_t offset_ = 0;
};

std::string ClassName(Reader& in) {
    int ordinal = 0;
    const std::string name = in.TextOrOrdinal(&ordinal);
    if (name.empty() || name[0] != '#') return name;
    switch (ordinal) {
        case 0x80: return "BUTTON";
        case 0x81: return "EDIT";
        case 0x82: return "STATIC";
        case 0x83: return "LISTBOX";
        case 0x84: return "SCROLLBAR";
        case 0x85: return "COMBOBOX";
        default: return name;
    }
}

}  // namespace

DialogTemplate ParseDialogTemplate(const void* data, std::size_t size) {
    Reader in(data, size);
    DialogTemplate dialog;
    const std::uint16_t version = in.Word();
    const std::uint16_t signature = in.Word();
    dialog.extended = version == 1 && signature == 0xFFFF;
    if (dialog.extended) {
        in.Dword();  // help id
        dialog.exStyle = in.Dword();
        dialog.style = in.Dword();
    } else {
        dialog.style = version | (static_cast<std::uint32_t>(signature) << 16);
        dialog.exStyle = in.Dword();
    }
    const int count = in.Word();
    dialog.x = in.Short();
    dialog.y = in.Short();
    dialog.cx = in.Short();
    dialog.cy = in.Short();
    in.TextOrOrdinal(&dialog.menu);
    dialog.windowClass = in.TextOrOrdinal();
    dialog.caption = in.Text();
    if (dialog.style & DS_SETFONT) {
        dialog.pointSize = in.Word();
        if (dialog.extended) {
            in.Word();  // weight
            in.Byte();  // italic
            in.Byte();  // character set
        }
        dialog.face = in.Text();
    }
    for (int i = 0; i < count; ++i) {
        in.AlignDword();
        TemplateControl control;
        if (dialog.extended) {
            in.Dword();  // help id
            control.exStyle = in.Dword();
            control.style = in.Dword();
        } else {
            control.style = in.Dword();
            control.exStyle = in.Dword();
        }
        control.x = in.Short();
        control.y = in.Short();
        control.cx = in.Short();
        control.cy = in.Short();
        control.id = dialog.extended ? static_cast<std::int32_t>(in.Dword()) : in.Short();
        control.className = ClassName(in);
        control.text = in.TextOrOrdinal();
        in.Skip(in.Word());  // creation data
        dialog.controls.push_back(control);
    }
    return dialog;
}

DialogTemplate LoadDialogTemplate(int id) {
    HRSRC found = FindResourceA(nullptr, MAKEINTRESOURCEA(id), RT_DIALOG);
    if (found == nullptr) throw std::runtime_error("no dialog " + std::to_string(id));
    HGLOBAL loaded = LoadResource(nullptr, found);
    return ParseDialogTemplate(LockResource(loaded), SizeofResource(nullptr, found));
}

}  // namespace resources_test
