#pragma once
// Writes comma-separated values as RFC 4180 has them: records end in CR LF, a
// field that holds a comma, a double quote, a CR or a LF is put in double
// quotes, with its own double quotes doubled. Text is written as given (the
// program's text is UTF-8).

#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace tamvek {

class CsvWriter {
  public:
    explicit CsvWriter(std::ostream& out) : m_out(out) {}
    void record(const std::vector<std::string>& fields);

  private:
    std::ostream& m_out;
};

// One field as it goes into a record.
std::string csvField(std::string_view field);

}  // namespace tamvek
