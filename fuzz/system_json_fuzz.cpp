// Arbitrary bytes as the names of a system test: the system's name and its
// files' names (a NUL byte between two names), each file a few spins. The
// report as JSON is always valid JSON that gives every name back as UTF-8 (a
// stray byte read as Latin-1); the report as text holds no control byte but
// its line ends; the cycle log's records read as CSV of no control byte.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include <nlohmann/json.hpp>

#include "cli/SystemOutput.h"
#include "core/Text.h"
#include "formats/SystemFile.h"
#include "tester/ReportTable.h"
#include "wheel/Wheel.h"

namespace {

using namespace tamvek;

const system::System& paroli() {
    static const system::System system =
        *formats::parseSystem("name = \"Paroli\"\n[[bet]]\nside = \"red\"\nride = 2\n", "p.toml");
    return system;
}

bool hasControlBytes(std::string_view text, std::string_view allowed) {
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if ((byte < 0x20 || byte == 0x7F) && allowed.find(c) == std::string_view::npos) return true;
    }
    return false;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    std::vector<std::string> names;
    std::size_t start = 0;
    for (std::size_t end; (end = input.find('\0', start)) != std::string_view::npos;
         start = end + 1)
        names.emplace_back(input.substr(start, end - start));
    names.emplace_back(input.substr(start));

    tester::LoadedJob job{paroli(), {}, {}};
    job.system.name = names.front();
    for (std::size_t i = 1; i < names.size() || i == 1; ++i) {
        formats::SpinFile file{i < names.size() ? names[i] : std::string(), {}};
        for (std::size_t k = 0; k < 40; ++k)
            file.classes.push_back(static_cast<std::uint8_t>((k * 13 + i + size) % wheel::classes));
        job.files.push_back(std::move(file));
    }
    std::string log;
    tester::Hooks hooks;
    hooks.cycles = [&](const std::string& file, const std::vector<system::Cycle>& cycles) {
        log += cli::cycleLogRecords(file, cycles);
    };
    const tester::Outcome played = tester::play(job, hooks);
    const tester::ReportTable table = tester::reportTable(job, played);

    std::ostringstream json;
    cli::writeSystemJson(json, job, played, table);
    const nlohmann::json report = nlohmann::json::parse(json.str(), nullptr, false);
    if (report.is_discarded()) std::abort();
    if (report["system"] != text::toUtf8(job.system.name)) std::abort();
    if (report["files"].size() != job.files.size()) std::abort();
    for (std::size_t i = 0; i < job.files.size(); ++i)
        if (report["files"][i]["file"] != text::toUtf8(job.files[i].name)) std::abort();

    std::ostringstream shown;
    cli::writeSystemText(shown, job, played, table);
    if (hasControlBytes(shown.str(), "\n")) std::abort();
    if (hasControlBytes(log, "\r\n") || !text::isValidUtf8(log)) std::abort();
    return 0;
}
