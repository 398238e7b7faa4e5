#pragma once
// What the window program and the command-line player share before a script is
// played: the seed of --seed and the script itself, a file opened with the
// program's one file reader or standard input.

#include <cstdint>
#include <istream>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "core/Result.h"

namespace tamvek::script {

// A whole number from 0 to 4294967295, written with digits only.
std::optional<std::uint32_t> parseSeed(std::string_view text);

class ScriptSource {
  public:
    // `name` is a file, or "-" for standard input. The error names the file.
    static Result<ScriptSource> open(const std::string& name);

    std::istream& stream() { return *m_stream; }
    // How messages name the script: the file name, or "<stdin>".
    const std::string& shownName() const { return m_shown; }

  private:
    ScriptSource(std::shared_ptr<std::istream> stream, std::string shown)
        : m_stream(std::move(stream)), m_shown(std::move(shown)) {}
    std::shared_ptr<std::istream> m_stream;
    std::string m_shown;
};

}  // namespace tamvek::script
