#include "dialog_template.h"

#include <cstring>

namespace Orvane::Test {
namespace {

constexpr std::uint16_t kExtendedSignature = 0xFFFF;
constexpr std::uint16_t kOrdinalMark = 0xFFFF;

// The predefined window classes that a template names by ordinal.
std::u16string ClassOfOrdinal(std::uint16_t ordinal) {
    switch (ordinal) {
        case 0x80: return u"button";
        case 0x81: return u"edit";
        case 0x82: return u"static";
        case 0x83: return u"listbox";
        case 0x84: return u"scrollbar";
        case 0x85: return u"combobox";
        default: return u"?";
    }
}

std::u16string Lower(std::u16string text) {
    for (char16_t& c : text) {
        if (c >= u'A' && c <= u'Z') c = static_cast<char16_t>(c - u'A' + u'a');
    }
    return text;
}

class TemplateCursor {
public:
    explicit TemplateCursor(const std::uint8_t* data) : data_(data) {}

    template <class T>
    T Take() {
        T value;
        std::memcpy(&value, data_ + offset_, sizeof value);
        offset_ += sizeof value;
        return value;
    }
    std::u16string String() {
        std::u16string text;
        for (char16_t c = Take<char16_t>(); c != 0; c = Take<char16_t>()) text += c;
        return text;
    }
    // A name or an ordinal, as menus, classes and texts are stored.
    std::u16string NameOrOrdinal(bool isClass) {
        std::uint16_t first = Peek();
        if (first == 0) return Take<std::uint16_t>(), std::u16string();
        if (first != kOrdinalMark) return isClass ? Lower(String()) : String();
        Take<std::uint16_t>();
        std::uint16_t ordinal = Take<std::uint16_t>();
        return isClass ? ClassOfOrdinal(ordinal) : u"?";
    }
    void AlignToDword() { offset_ = (offset_ + 3) & ~std::size_t{3}; }

private:
    std::uint16_t Peek() const {
        std::uint16_t value;
        std::memcpy(&value, data_ + offset_, sizeof value);
        return value;
    }

    const std::uint8_t* data_;
    std::size_t offset_ = 0;
};

DialogControl ReadControl(TemplateCursor& cursor) {
    cursor.AlignToDword();
    DialogControl control;
    cursor.Take<std::uint32_t>();  // help ID
    control.exStyle = cursor.Take<std::uint32_t>();
    control.style = cursor.Take<std::uint32_t>();
    control.x = cursor.Take<std::int16_t>();
    control.y = cursor.Take<std::int16_t>();
    control.width = cursor.Take<std::int16_t>();
    control.height = cursor.Take<std::int16_t>();
    control.id = cursor.Take<std::int32_t>();
    control.className = cursor.NameOrOrdinal(true);
    control.text = cursor.NameOrOrdinal(false);
    auto extra = cursor.Take<std::uint16_t>();
    for (std::uint16_t i = 0; i < extra; ++i) cursor.Take<std::uint8_t>();
    return control;
}

void ReadFont(TemplateCursor& cursor, DialogTemplate& dialog) {
    dialog.pointSize = cursor.Take<std::uint16_t>();
    dialog.weight = cursor.Take<std::uint16_t>();
    cursor.Take<std::uint8_t>();  // italic
    cursor.Take<std::uint8_t>();  // character set
    dialog.typeface = cursor.String();
}

const std::uint8_t* LoadTemplate(HMODULE module, int id) {
    HRSRC found = ::FindResourceA(module, MAKEINTRESOURCEA(id), MAKEINTRESOURCEA(5));
    HGLOBAL loaded = found ? ::LoadResource(module, found) : nullptr;
    return loaded ? static_cast<const std::uint8_t*>(::LockResource(loaded)) : nullptr;
}

}  // namespace

std::optional<DialogTemplate> ReadDialogTemplate(HMODULE module, int id) {
    const std::uint8_t* data = LoadTemplate(module, id);
    if (data == nullptr) return std::nullopt;
    TemplateCursor cursor(data);
    cursor.Take<std::uint16_t>();  // version
    if (cursor.Take<std::uint16_t>() != kExtendedSignature) return std::nullopt;
    DialogTemplate dialog;
    cursor.Take<std::uint32_t>();  // help ID
    dialog.exStyle = cursor.Take<std::uint32_t>();
    dialog.style = cursor.Take<std::uint32_t>();
    auto count = cursor.Take<std::uint16_t>();
    cursor.Take<std::int16_t>();  // x
    cursor.Take<std::int16_t>();  // y
    dialog.width = cursor.Take<std::int16_t>();
    dialog.height = cursor.Take<std::int16_t>();
    cursor.NameOrOrdinal(false);  // menu
    cursor.NameOrOrdinal(true);   // class
    dialog.caption = cursor.String();
    if (dialog.style & (DS_SETFONT | DS_SHELLFONT)) ReadFont(cursor, dialog);
    for (std::uint16_t i = 0; i < count; ++i) dialog.controls.push_back(ReadControl(cursor));
    return dialog;
}

}  // namespace Orvane::Test
