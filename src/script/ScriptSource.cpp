#include "script/ScriptSource.h"

#include <iostream>
#include <limits>

#include "core/Numbers.h"
#include "platform/FileStream.h"

namespace tamvek::script {

std::optional<std::uint32_t> parseSeed(std::string_view text) {
    const std::optional<std::uint64_t> value = parseWhole(text);
    if (!value || *value > std::numeric_limits<std::uint32_t>::max()) return std::nullopt;
    return static_cast<std::uint32_t>(*value);
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
