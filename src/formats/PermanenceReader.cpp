#include "formats/PermanenceReader.h"

#include <utility>
#include <vector>

#include "core/Numbers.h"
#include "core/Text.h"

namespace tamvek::formats {
namespace {

constexpr std::string_view byteOrderMark = "\xEF\xBB\xBF";
constexpr std::string_view casinoMark = "Spielbank";

bool isLineEnd(char c) {
    return c == '\r' || c == '\n';
}
bool isDelimiter(char c) {
    return c == ',' || isLineEnd(c);
}

// The last field of the file ends where its last character that is no blank
// (nor a line end, inside quotes) does.
void trimEnd(std::string& field, bool lineEndsToo) {
    std::size_t n = field.size();
    while (n > 0 && (text::isBlank(field[n - 1]) || (lineEndsToo && isLineEnd(field[n - 1]))))
        --n;
    field.resize(n);
}

// Nearly every entry of a real file is one or two plain digits; they skip the
// general number scan, which gives the same value for them.
double entryValue(std::string_view field) {
    if (!field.empty() && field.size() <= 3) {
        double v = 0;
        bool plain = true;
        for (char c : field) {
            if (!text::isDigit(c)) {
                plain = false;
                break;
            }
            v = v * 10 + (c - '0');
        }
        if (plain) return v;
    }
    return numericValue(field);
}

}  // namespace

PermanenceParser::PermanenceParser(NumberList numbers) : m_numbers(std::move(numbers)) {
    m_field.reserve(64);
    m_held.reserve(64);
}

bool PermanenceParser::feed(std::string_view bytes) {
    if (m_foreign || m_dataEnded) return false;
    if (bytes.empty()) return true;
    m_anyBytes = true;
    if (!m_startDecided) {
        // A byte order mark may arrive in pieces.
        std::size_t i = 0;
        while (i < bytes.size() && m_start.size() < byteOrderMark.size() &&
               byteOrderMark[m_start.size()] == bytes[i])
            m_start += bytes[i++];
        if (m_start.size() == byteOrderMark.size()) {
            m_declaredUtf8 = true;
            m_start.clear();
        } else if (i == bytes.size()) {
            return true;  // still perhaps a mark
        }
        m_startDecided = true;
        // What looked like the start of a mark was ordinary text.
        for (char c : std::exchange(m_start, {}))
            feedByte(c);
        bytes.remove_prefix(i);
    }
    for (char c : bytes) {
        feedByte(c);
        if (m_foreign || m_dataEnded) return false;
    }
    return true;
}

void PermanenceParser::feedByte(char c) {
    if (m_afterCarriageReturn) {
        m_afterCarriageReturn = false;
        if (c == '\n') return;  // CR LF is one line end
    }
    switch (m_mode) {
        case Mode::BeforeField:
            if (text::isBlank(c)) return;
            if (c == ',') {
                // A comma is no blank: whatever was held is not at the end.
                releaseHeld();
                deliver({});
            } else if (isLineEnd(c)) {
                // An empty field ended by a line end counts only if something follows.
                ++m_heldEmpty;
                m_afterCarriageReturn = c == '\r';
            } else {
                releaseHeld();
                startField(c);
            }
            return;
        case Mode::InField:
            if (isDelimiter(c))
                endField(c);
            else
                keep(c);
            return;
        case Mode::InQuotes:
            if (c == '"')
                m_mode = Mode::AfterQuotes;
            else
                keep(c);
            return;
        case Mode::AfterQuotes:
            if (isDelimiter(c)) endField(c);  // anything else after the quotes is dropped
            return;
    }
}

void PermanenceParser::keep(char c) {
    if (m_field.size() < keptBytes) m_field += c;
}

void PermanenceParser::startField(char c) {
    m_field.clear();
    m_quoted = c == '"';
    if (m_quoted) {
        m_mode = Mode::InQuotes;
    } else {
        keep(c);
        m_mode = Mode::InField;
    }
}

void PermanenceParser::endField(char delimiter) {
    m_mode = Mode::BeforeField;
    if (delimiter == ',') {
        deliver(m_field);
        return;
    }
    // Ended by a line end: if only blanks and line ends follow, this is the
    // file's last field, which ends at its last character that is no blank.
    m_held.swap(m_field);
    m_holding = true;
    m_heldQuoted = m_quoted;
    m_heldEmpty = 0;
    m_afterCarriageReturn = delimiter == '\r';
}

void PermanenceParser::releaseHeld() {
    if (m_holding) {
        m_holding = false;
        deliver(m_held);
    }
    for (; m_heldEmpty > 0 && !m_foreign && !m_dataEnded; --m_heldEmpty)
        deliver({});
    m_heldEmpty = 0;
}

void PermanenceParser::deliver(const std::string& field) {
    if (m_foreign || m_dataEnded) return;
    if (m_fields < m_header.size()) {
        // The first field decides before any other is read: a foreign file of
        // one field is rejected, not taken for a broken permanence.
        if (m_fields == 0 && !field.starts_with(casinoMark)) m_foreign = true;
        m_header[m_fields++] = field;
        return;
    }
    ++m_fields;
    if (field.empty()) {
        m_numbers.pushSmall(0);
    } else if (field.front() == '=') {
        m_dataEnded = true;
    } else if (field.front() != '-') {
        m_numbers.push_back(entryValue(field));
    }
}

ReadResult PermanenceParser::finish() {
    if (!m_startDecided) {
        m_startDecided = true;
        for (char c : std::exchange(m_start, {}))
            feedByte(c);
    }
    if (!m_anyBytes) return ReadFailure::EmptyFile;
    switch (m_mode) {
        case Mode::InField:
            trimEnd(m_field, false);
            deliver(m_field);
            break;
        case Mode::InQuotes:
            // An open quote runs to the end of the file's last character that is
            // no blank and no line end.
            trimEnd(m_field, true);
            deliver(m_field);
            break;
        case Mode::AfterQuotes:
            deliver(m_field);
            break;
        case Mode::BeforeField:
            if (m_holding) {
                if (!m_heldQuoted) trimEnd(m_held, false);
                deliver(m_held);
            }
            break;
    }
    m_holding = false;
    m_heldEmpty = 0;
    if (m_foreign) return ReadFailure::NotCasinoFile;
    if (m_fields < m_header.size()) return ReadFailure::TooFewFields;
    Permanence result;
    for (std::size_t i = 0; i < m_header.size(); ++i)
        result.header[i] = headerText(m_header[i], m_declaredUtf8);
    result.numbers = std::move(m_numbers);
    return result;
}

ReadResult readPermanence(std::string_view bytes) {
    PermanenceParser parser;
    parser.feed(bytes);
    return parser.finish();
}

ReadResult readPermanence(platform::InputFile& file, NumberList numbers, std::uint64_t limit) {
    PermanenceParser parser(std::move(numbers));
    std::vector<char> chunk(std::size_t{1} << 16);
    std::uint64_t total = 0;
    for (;;) {
        const Result<std::size_t> got = file.read(chunk.data(), chunk.size());
        if (!got) return ReadFailure::Unreadable;
        if (*got == 0) break;
        total += *got;
        if (total > limit) return ReadFailure::TooLarge;
        if (!parser.feed({chunk.data(), *got})) break;
    }
    return parser.finish();
}

std::string headerText(std::string_view field, bool declaredUtf8) {
    std::string out =
        declaredUtf8 && text::isValidUtf8(field) ? std::string(field) : text::latin1ToUtf8(field);
    for (char& c : out)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) c = ' ';
    return out;
}

}  // namespace tamvek::formats
