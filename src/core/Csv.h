#pragma once
// Comma-separated values as RFC 4180 has them: records end in CR LF, a field
// that holds a comma, a double quote, a CR or a LF is put in double quotes,
// with its own double quotes doubled. Text is written as given (the program's
// text is UTF-8); whoever writes a record decides what its fields may hold.

#include <string>
#include <string_view>
#include <vector>

namespace tamvek {

// One field as it goes into a record.
std::string csvField(std::string_view field);
// One record, its CR LF included.
std::string csvRecord(const std::vector<std::string>& fields);

}  // namespace tamvek
