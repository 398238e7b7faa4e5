#pragma once
// Writes one JSON value into a string, commas and escapes taken care of. The
// text is always valid JSON and valid UTF-8: control characters, quotes and
// backslashes are escaped, and a byte that is not part of a well-formed UTF-8
// sequence is read as Latin-1 (byte 0xFC gives "\u00fc", ü), since the files
// this program reads are often in a Windows code page. Numbers that JSON
// cannot hold (infinity, NaN) are written as null.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tamvek::control {

class JsonWriter {
  public:
    explicit JsonWriter(std::string& out) : m_out(out) {}

    JsonWriter& beginObject();
    JsonWriter& endObject();
    JsonWriter& beginArray();
    JsonWriter& endArray();
    // The name of the next member of the open object.
    JsonWriter& key(std::string_view name);

    JsonWriter& string(std::string_view text);
    JsonWriter& number(double value);
    JsonWriter& integer(std::int64_t value);
    JsonWriter& boolean(bool value);
    JsonWriter& null();

  private:
    void beforeValue();
    std::string& m_out;
    // One entry per open object or array: true until its first element.
    std::vector<bool> m_first;
    bool m_afterKey = false;
};

// `text` as a quoted JSON string, escaped as above.
std::string jsonQuoted(std::string_view text);

}  // namespace tamvek::control
