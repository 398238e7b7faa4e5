#include "formats/SpinFiles.h"

#include <array>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <optional>
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

// What a byte is to a bare list. Everything but a digit or a separator makes
// its token no number.
enum ByteKind : std::uint8_t { Other, Digit, Separator, CarriageReturn, LineFeed };

constexpr std::array<ByteKind, 256> byteKinds = [] {
    std::array<ByteKind, 256> kinds{};
    for (char c = '0'; c <= '9'; ++c)
        kinds[static_cast<unsigned char>(c)] = Digit;
    for (char c : {',', ';', ' ', '\t'})
        kinds[static_cast<unsigned char>(c)] = Separator;
    kinds['\r'] = CarriageReturn;
    kinds['\n'] = LineFeed;
    return kinds;
}();

// One or two digits and a separator at `p`, as nearly every number is: read
// at once, or false to read the token byte by byte. `p` has two bytes after it.
bool shortNumber(const char*& p, std::uint8_t*& out) {
    const ByteKind second = byteKinds[static_cast<unsigned char>(p[1])];
    const auto digit = [](char c) { return static_cast<unsigned>(c - '0'); };
    if (second >= Separator) {
        *out++ = static_cast<std::uint8_t>(digit(p[0]));
        ++p;
        return true;
    }
    const unsigned value = digit(p[0]) * 10 + digit(p[1]);
    if (second != Digit || value > 36 || byteKinds[static_cast<unsigned char>(p[2])] < Separator)
        return false;
    *out++ = static_cast<std::uint8_t>(value);
    p += 2;
    return true;
}

// A token as an error message shows it: UTF-8, no control characters, cut short.
std::string shown(const std::string& token, std::size_t length) {
    std::string out = text::toUtf8(token);
    for (char& c : out)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) c = '?';
    return out + (length > token.size() ? "…" : "");
}

using ReadChunk = std::function<Result<std::size_t>(char*, std::size_t)>;

// A file's bytes as they come: its layout recognised by the first field, then
// every byte to the parser of that layout.
class LayoutReader {
  public:
    explicit LayoutReader(const std::string& name) : m_name(name), m_bare(name) {}

    // The next bytes; false once nothing more is needed (the parser found an
    // error or the end of the data). An error when the layout is neither.
    Result<bool> feed(std::string_view bytes) {
        if (m_layout != Layout::Unknown) return give(bytes);
        m_start.append(bytes);
        if (auto error = recognise()) return *error;
        if (m_layout == Layout::Unknown) return true;
        return give(std::exchange(m_start, {}));
    }

    Result<SpinFile> finish() {
        if (m_layout == Layout::Unknown) {
            if (auto error = recognise()) return *error;
            if (m_layout == Layout::Unknown) return Error{m_name + ": enthält keine Zahlen"};
            give(m_start);
        }
        SpinFile file{m_name, {}};
        if (m_layout == Layout::Bare) {
            Result<std::vector<std::uint8_t>> classes = m_bare.finish();
            if (!classes) return classes.error();
            file.classes = std::move(*classes);
        } else {
            ReadResult result = m_casino.finish();
            if (const auto* failure = std::get_if<ReadFailure>(&result)) {
                const bool short_ = *failure == ReadFailure::TooFewFields;
                return Error{m_name + (short_ ? ": endet vor dem vierten Kopffeld"
                                              : ": kann nicht gelesen werden")};
            }
            file.classes = wheel::classesOf(std::get<Permanence>(result).numbers);
        }
        if (file.classes.empty()) return Error{m_name + ": enthält keine Zahlen"};
        return file;
    }

  private:
    enum class Layout { Unknown, Casino, Bare };

    bool give(std::string_view bytes) {
        return m_layout == Layout::Casino ? m_casino.feed(bytes) : m_bare.feed(bytes);
    }

    std::optional<Error> recognise() {
        std::string_view s = m_start;
        if (s.starts_with(byteOrderMark)) s.remove_prefix(byteOrderMark.size());
        std::size_t i = 0;
        while (i < s.size() && (text::isBlank(s[i]) || s[i] == '\r' || s[i] == '\n'))
            ++i;
        if (i == s.size()) return std::nullopt;  // nothing but blanks so far
        if (s.substr(i).starts_with("Spielbank")) {
            m_layout = Layout::Casino;
        } else if (std::string_view("Spielbank").starts_with(s.substr(i))) {
            return std::nullopt;  // perhaps, once more bytes come
        } else if (text::isDigit(s[i])) {
            m_layout = Layout::Bare;
        } else {
            return Error{m_name +
                         ": weder eine Permanenz der Spielbank (erstes Feld \"Spielbank…\") noch "
                         "eine Liste von Zahlen"};
        }
        return std::nullopt;
    }

    const std::string& m_name;
    Layout m_layout = Layout::Unknown;
    std::string m_start;  // bytes until the layout is known
    PermanenceParser m_casino;
    BareListParser m_bare;
};

// Reads `read` to its end.
Result<SpinFile> readSpins(const std::string& name, const ReadChunk& read) {
    std::vector<char> chunk(std::size_t{1} << 16);
    std::uint64_t total = 0;
    LayoutReader reader(name);
    for (bool going = true; going;) {
        const Result<std::size_t> got = read(chunk.data(), chunk.size());
        if (!got) return Error{name + ": " + got.error().message};
        if (*got == 0) break;
        total += *got;
        if (total > permanenceLimit) return Error{name + ": ist größer als 1 GB"};
        const Result<bool> more = reader.feed(std::string_view(chunk.data(), *got));
        if (!more) return more.error();
        going = *more;
    }
    if (total == 0) return Error{name + ": die Datei ist leer"};
    return reader.finish();
}

}  // namespace

bool BareListParser::feed(std::string_view bytes) {
    if (!m_error.empty()) return false;
    if (!m_startDone) bytes = afterByteOrderMark(bytes);
    return m_error.empty() && scan(bytes);
}

// A byte order mark may arrive in pieces; the bytes of a beginning that
// turns out to be none are text.
std::string_view BareListParser::afterByteOrderMark(std::string_view bytes) {
    while (!bytes.empty() && !m_startDone) {
        m_start += bytes.front();
        bytes.remove_prefix(1);
        if (byteOrderMark.starts_with(m_start) && m_start.size() < byteOrderMark.size()) continue;
        m_startDone = true;
        if (m_start != byteOrderMark) scan(m_start);
        m_start.clear();
    }
    return bytes;
}

// One pass over the bytes, in local variables, into room made for the most
// numbers the piece can hold: separators one by one, a token at a time. A
// token's bytes are copied only to show it in an error message, and only when
// it goes on in the next piece.
bool BareListParser::scan(std::string_view bytes) {
    const char* p = bytes.data();
    const char* const end = p + bytes.size();
    const char* token = p;  // where the token's bytes in this piece begin
    Token t = m_open;
    std::uint64_t line = m_line;
    bool afterCarriageReturn = m_afterCarriageReturn;
    const std::size_t before = m_classes.size();
    m_classes.resize(before + bytes.size() / 2 + 1);
    std::uint8_t* out = m_classes.data() + before;
    while (p < end) {
        if (t.length == 0) {
            const ByteKind kind = byteKinds[static_cast<unsigned char>(*p)];
            if (kind >= Separator) {
                line += kind == CarriageReturn || (kind == LineFeed && !afterCarriageReturn);
                afterCarriageReturn = kind == CarriageReturn;
                ++p;
                continue;
            }
            afterCarriageReturn = false;
            if (kind == Digit && end - p >= 3 && shortNumber(p, out)) continue;
            token = p;
            t = {0, 0, true, line};
        }
        const char* q = p;
        for (; q < end; ++q) {
            const ByteKind kind = byteKinds[static_cast<unsigned char>(*q)];
            if (kind == Digit) {
                if (t.value <= 36) t.value = t.value * 10 + static_cast<unsigned>(*q - '0');
            } else if (kind == Other) {
                t.digitsOnly = false;
            } else {
                break;
            }
        }
        t.length += static_cast<std::size_t>(q - p);
        p = q;
        if (p == end) break;  // the token goes on in the next piece
        if (!t.digitsOnly || t.value > 36) return fail(t, token, p);
        *out++ = static_cast<std::uint8_t>(t.value);
        t.length = 0;
        if (!m_kept.empty()) m_kept.clear();
    }
    m_classes.resize(static_cast<std::size_t>(out - m_classes.data()));
    m_open = t;
    m_line = line;
    m_afterCarriageReturn = afterCarriageReturn;
    if (t.length > 0) keep(token, end);
    return true;
}

// Keeps as much of the open token as an error message shows.
void BareListParser::keep(const char* from, const char* to) {
    if (from == to) return;
    const auto room = shownToken - std::min(shownToken, m_kept.size());
    m_kept.append(from, std::min<std::size_t>(room, static_cast<std::size_t>(to - from)));
}

bool BareListParser::fail(const Token& t, const char* from, const char* to) {
    keep(from, to);
    m_error = m_name + ":" + std::to_string(t.line) + ": '" + shown(m_kept, t.length) +
              "' ist keine ganze Zahl von 0 bis 36";
    return false;
}

Result<std::vector<std::uint8_t>> BareListParser::finish() {
    if (!m_startDone) {
        // A file that ends inside what looked like a byte order mark.
        m_startDone = true;
        scan(std::exchange(m_start, {}));
    }
    if (m_error.empty() && m_open.length > 0 && (!m_open.digitsOnly || m_open.value > 36))
        fail(m_open, nullptr, nullptr);
    if (!m_error.empty()) return Error{m_error};
    if (m_open.length > 0) m_classes.push_back(static_cast<std::uint8_t>(m_open.value));
    m_open = {};
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
