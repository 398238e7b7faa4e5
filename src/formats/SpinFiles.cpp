#include "formats/SpinFiles.h"

#include <cstdio>
#include <filesystem>
#include <functional>
#include <system_error>
#include <variant>

#include "core/Text.h"
#include "formats/FolderListing.h"
#include "formats/PermanenceReader.h"
#include "platform/InputFile.h"
#include "wheel/Wheel.h"

namespace tamvek::formats {
namespace {

constexpr std::string_view byteOrderMark = "\xEF\xBB\xBF";

bool isSeparator(char c) {
    return c == '\r' || c == '\n' || c == ',' || c == ';' || text::isBlank(c);
}

// A token as an error message shows it: UTF-8, no control characters, cut short.
std::string shown(const std::string& token, std::size_t length) {
    std::string out = text::toUtf8(token);
    for (char& c : out)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) c = '?';
    return out + (length > token.size() ? "…" : "");
}

using ReadChunk = std::function<Result<std::size_t>(char*, std::size_t)>;

// Reads `read` to its end, recognising the layout by the first field.
Result<SpinFile> readSpins(const std::string& name, const ReadChunk& read) {
    std::vector<char> chunk(std::size_t{1} << 16);
    std::uint64_t total = 0;
    enum class Layout { Unknown, Casino, Bare } layout = Layout::Unknown;
    std::string start;  // bytes until the layout is known
    formats::PermanenceParser casino;
    BareListParser bare(name);
    const auto give = [&](std::string_view bytes) {
        return layout == Layout::Casino ? casino.feed(bytes) : bare.feed(bytes);
    };
    const auto recognise = [&]() -> std::optional<Error> {
        std::string_view s = start;
        if (s.starts_with(byteOrderMark)) s.remove_prefix(byteOrderMark.size());
        std::size_t i = 0;
        while (i < s.size() && (text::isBlank(s[i]) || s[i] == '\r' || s[i] == '\n'))
            ++i;
        if (i == s.size()) return std::nullopt;  // nothing but blanks so far
        if (s.substr(i).starts_with("Spielbank")) {
            layout = Layout::Casino;
        } else if (std::string_view("Spielbank").starts_with(s.substr(i))) {
            return std::nullopt;  // perhaps, once more bytes come
        } else if (text::isDigit(s[i])) {
            layout = Layout::Bare;
        } else {
            return Error{name +
                         ": weder eine Permanenz der Spielbank (erstes Feld \"Spielbank…\") noch "
                         "eine Liste von Zahlen"};
        }
        return std::nullopt;
    };
    for (bool going = true; going;) {
        const Result<std::size_t> got = read(chunk.data(), chunk.size());
        if (!got) return Error{name + ": " + got.error().message};
        if (*got == 0) break;
        total += *got;
        if (total > formats::permanenceLimit) return Error{name + ": ist größer als 1 GB"};
        const std::string_view bytes(chunk.data(), *got);
        if (layout == Layout::Unknown) {
            start.append(bytes);
            if (auto error = recognise()) return *error;
            if (layout == Layout::Unknown) continue;
            going = give(start);
            start.clear();
        } else {
            going = give(bytes);
        }
    }
    if (total == 0) return Error{name + ": die Datei ist leer"};
    if (layout == Layout::Unknown) {
        if (auto error = recognise()) return *error;
        if (layout == Layout::Unknown) return Error{name + ": enthält keine Zahlen"};
        give(start);
    }
    SpinFile file{name, {}};
    if (layout == Layout::Bare) {
        Result<std::vector<std::uint8_t>> classes = bare.finish();
        if (!classes) return classes.error();
        file.classes = std::move(*classes);
    } else {
        formats::ReadResult result = casino.finish();
        if (const auto* failure = std::get_if<formats::ReadFailure>(&result)) {
            const bool short_ = *failure == formats::ReadFailure::TooFewFields;
            return Error{name + (short_ ? ": endet vor dem vierten Kopffeld"
                                        : ": kann nicht gelesen werden")};
        }
        file.classes = wheel::classesOf(std::get<formats::Permanence>(result).numbers);
    }
    if (file.classes.empty()) return Error{name + ": enthält keine Zahlen"};
    return file;
}

}  // namespace

bool BareListParser::feed(std::string_view bytes) {
    for (const char c : bytes) {
        if (!m_error.empty()) return false;
        if (!m_startDone) {
            // A byte order mark may arrive in pieces; anything else is text.
            m_start += c;
            if (byteOrderMark.starts_with(m_start) && m_start.size() < byteOrderMark.size())
                continue;
            m_startDone = true;
            if (m_start != byteOrderMark)
                for (const char k : std::exchange(m_start, {}))
                    feedByte(k);
            continue;
        }
        feedByte(c);
    }
    return m_error.empty();
}

void BareListParser::feedByte(char c) {
    if (!m_error.empty()) return;
    if (isSeparator(c)) {
        if (m_tokenLength > 0) endToken();
        if (c == '\n') {
            if (!m_afterCarriageReturn) ++m_line;
        } else if (c == '\r') {
            ++m_line;
        }
        m_afterCarriageReturn = c == '\r';
        return;
    }
    m_afterCarriageReturn = false;
    if (m_tokenLength == 0) {
        m_tokenLine = m_line;
        m_value = 0;
        m_digitsOnly = true;
    }
    if (m_tokenLength < shownToken) m_token[m_tokenLength] = c;
    ++m_tokenLength;
    if (text::isDigit(c)) {
        if (m_value <= 36) m_value = m_value * 10 + static_cast<unsigned>(c - '0');
    } else {
        m_digitsOnly = false;
    }
}

bool BareListParser::endToken() {
    if (!m_digitsOnly || m_value > 36) {
        m_error =
            m_name + ":" + std::to_string(m_tokenLine) + ": '" +
            shown(std::string(m_token.data(), std::min(m_tokenLength, shownToken)), m_tokenLength) +
            "' ist keine ganze Zahl von 0 bis 36";
        return false;
    }
    m_classes.push_back(static_cast<std::uint8_t>(m_value));
    m_tokenLength = 0;
    return true;
}

Result<std::vector<std::uint8_t>> BareListParser::finish() {
    if (!m_startDone) {
        // A file that ends inside what looked like a byte order mark.
        m_startDone = true;
        for (const char k : std::exchange(m_start, {}))
            feedByte(k);
    }
    if (m_error.empty() && m_tokenLength > 0) endToken();
    if (!m_error.empty()) return Error{m_error};
    return std::move(m_classes);
}

Result<SpinFile> readSpinFile(const std::string& path) {
    if (path == "-") {
        return readSpins("-", [](char* buffer, std::size_t n) -> Result<std::size_t> {
            const std::size_t got = std::fread(buffer, 1, n, stdin);
            if (std::ferror(stdin)) return Error{"kann nicht gelesen werden"};
            return got;
        });
    }
    Result<platform::InputFile> file = platform::InputFile::open(path);
    if (!file) return Error{path + ": " + file.error().message};
    return readSpins(path, [&](char* buffer, std::size_t n) { return file->read(buffer, n); });
}

Result<std::vector<SpinFile>> readSpinFiles(const std::vector<std::string>& names) {
    std::vector<SpinFile> files;
    for (const std::string& name : names) {
        std::error_code ec;
        if (name != "-" && std::filesystem::is_directory(name, ec)) {
            if (const auto failure = formats::listingFailure(name))
                return Error{name + ": kann nicht gelesen werden: " + *failure};
            const std::vector<std::string> inside = formats::textFiles(name);
            if (inside.empty()) return Error{name + ": keine *.txt-Dateien im Ordner"};
            for (const std::string& file : inside) {
                Result<SpinFile> spins = readSpinFile(formats::filePath(name, file));
                if (!spins) return spins.error();
                files.push_back(std::move(*spins));
            }
            continue;
        }
        Result<SpinFile> spins = readSpinFile(name);
        if (!spins) return spins.error();
        files.push_back(std::move(*spins));
    }
    return files;
}

}  // namespace tamvek::formats
