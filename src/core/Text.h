#pragma once
// Character rules shared by every layer: what a blank is, plain ASCII case, and
// the one place where 8-bit text becomes UTF-8. The program keeps its text in
// UTF-8; files from old Windows systems arrive in Latin-1 (the code page they
// were written in), so every byte that is not part of a well-formed UTF-8
// sequence is taken as the Latin-1 character of that value.

#include <cstddef>
#include <string>
#include <string_view>

namespace tamvek::text {

// A blank inside a number, between script words or before a field: space or tab.
constexpr bool isBlank(char c) {
    return c == ' ' || c == '\t';
}
constexpr bool isDigit(char c) {
    return c >= '0' && c <= '9';
}
constexpr char lowerAscii(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}
std::string lowerAscii(std::string_view s);
// `s` without the blanks at either end.
std::string_view trimmed(std::string_view s);

// A byte that continues a UTF-8 sequence (10xxxxxx).
constexpr bool isContinuation(char c) {
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

// The length of the well-formed UTF-8 sequence at the start of `s` (1 for an
// ASCII byte), or 0 when there is none: overlong forms, surrogates and code
// points above U+10FFFF are not well-formed.
std::size_t sequenceLength(std::string_view s);
bool isValidUtf8(std::string_view s);

// `bytes` as UTF-8: every well-formed sequence is kept, every other byte is read
// as Latin-1. Valid UTF-8 comes back unchanged.
std::string toUtf8(std::string_view bytes);
// Every byte read as Latin-1.
std::string latin1ToUtf8(std::string_view bytes);

// `bytes` with every control byte (below 0x20, and 0x7F) written as `\x1b`,
// so that a name can neither steer a terminal nor break a line of a table.
// Everything else, backslashes included, stays as it is.
std::string escapeControls(std::string_view bytes);

// How many characters a UTF-8 text holds (continuation bytes do not count).
std::size_t characterCount(std::string_view s);
// The longest head of `s` of at most `bytes` bytes that does not split a
// UTF-8 sequence.
std::string_view headOf(std::string_view s, std::size_t bytes);
// `s` when it holds at most `characters` characters, else its first that many
// and "…": how a message quotes something that may be of any length.
std::string shortened(std::string_view s, std::size_t characters);

}  // namespace tamvek::text
