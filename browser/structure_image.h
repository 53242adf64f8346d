// Indexes into the Structure page's image list, one per kind of entry the structure shows.
#pragma once

namespace browser {

enum class StructureImage : int {
    ImageEntry = 0,
    LinkEntry = 1,
    FormEntry = 2,
    OtherInput = 3,
    TextInput = 4,
    PasswordInput = 5,
    CheckboxInput = 6,
    RadioInput = 7,
    SelectControl = 8,
    TextAreaControl = 9,
};

}  // namespace browser
