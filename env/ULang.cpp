#include "env/ULang.h"

#include "common/Cp1252.h"
#include "common/Text.h"

namespace lmx {

std::string_view BuiltInLanguage() {
    static const std::string kName = Utf8ToCp1252("Français");
    return kName;
}

LangTexts::LangTexts() {
    const auto& table = LangTable();
    for (std::size_t i = 0; i < table.size(); ++i) texts_[i] = Utf8ToCp1252(table[i].frenchUtf8);
}

int LangTexts::IndexOf(std::string_view keyName) {
    const auto& table = LangTable();
    for (std::size_t i = 0; i < table.size(); ++i)
        if (table[i].key == keyName) return static_cast<int>(i);
    return -1;
}

const std::string& LangTexts::Text(std::string_view keyName) const {
    static const std::string kEmpty;
    const int i = IndexOf(keyName);
    return i < 0 ? kEmpty : texts_[static_cast<std::size_t>(i)];
}

std::string LangTexts::Format(LK key, std::initializer_list<std::string_view> args) const {
    return FillPlaceholders(Text(key), args);
}

} // namespace lmx
