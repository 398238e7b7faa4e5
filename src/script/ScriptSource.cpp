#include "script/ScriptSource.h"

#include <charconv>
#include <iostream>

#include "platform/FileStream.h"

namespace tamvek::script {

std::optional<std::uint32_t> parseSeed(std::string_view text) {
    if (text.empty() || text.find_first_not_of("0123456789") != std::string_view::npos)
        return std::nullopt;
    std::uint32_t value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size()) return std::nullopt;
    return value;
}

Result<ScriptSource> ScriptSource::open(const std::string& name) {
    if (name == "-") {
        // Standard input is not ours to close.
        return ScriptSource(std::shared_ptr<std::istream>(&std::cin, [](std::istream*) {}),
                            "<stdin>");
    }
    Result<platform::InputFile> file = platform::InputFile::open(name);
    if (!file) return Error{name + " " + file.error().message};
    return ScriptSource(std::make_shared<platform::FileStream>(std::move(*file)), name);
}

}  // namespace tamvek::script
