// Reads an extended dialog template (DLGTEMPLATEEX) from a module's resources, so that tests
// can compare the dialogs the program carries with the dialogs it is meant to carry.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "app/win32/windows_ui.h"

namespace Orvane::Test {

struct DialogControl {
    std::int32_t id = 0;
    std::u16string className;  // lower case; ordinals become their class names
    std::u16string text;
    std::uint32_t style = 0;
    std::uint32_t exStyle = 0;
    std::int16_t x = 0, y = 0, width = 0, height = 0;

    friend bool operator==(const DialogControl&, const DialogControl&) = default;
};

struct DialogTemplate {
    std::uint32_t style = 0;
    std::uint32_t exStyle = 0;
    std::int16_t width = 0, height = 0;
    std::u16string caption;
    std::uint16_t pointSize = 0;
    std::uint16_t weight = 0;
    std::u16string typeface;
    std::vector<DialogControl> controls;
};

// The template of dialog resource `id` in module; nothing when it is missing or not extended.
std::optional<DialogTemplate> ReadDialogTemplate(HMODULE module, int id);

}  // namespace Orvane::Test
