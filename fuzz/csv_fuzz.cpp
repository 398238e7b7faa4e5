// Arbitrary bytes as the cells of a table: byte 0x1E ends a record, 0x1F a
// cell, every other byte is part of a cell. The records written as CSV read
// back, by a small RFC 4180 reader of its own, to the same cells; a field is
// quoted exactly when it must be.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "core/Csv.h"

namespace {

using Records = std::vector<std::vector<std::string>>;

// RFC 4180: records end in CR LF; a quoted field may hold commas, quotes (as
// two) and line breaks. Nothing when `csv` is not CSV of that kind.
bool readCsv(std::string_view csv, Records& records) {
    std::vector<std::string> record;
    std::string field;
    std::size_t i = 0;
    while (i < csv.size()) {
        if (csv[i] == '"') {
            for (++i;; ++i) {
                if (i >= csv.size()) return false;
                if (csv[i] != '"') {
                    field += csv[i];
                } else if (i + 1 < csv.size() && csv[i + 1] == '"') {
                    field += '"';
                    ++i;
                } else {
                    ++i;
                    break;
                }
            }
        } else {
            while (i < csv.size() && csv[i] != ',' && csv[i] != '\r' && csv[i] != '\n' &&
                   csv[i] != '"')
                field += csv[i++];
        }
        if (i < csv.size() && csv[i] == ',') {
            record.push_back(std::move(field));
            field.clear();
            ++i;
        } else if (csv.substr(i).starts_with("\r\n")) {
            record.push_back(std::move(field));
            field.clear();
            records.push_back(std::move(record));
            record.clear();
            i += 2;
        } else {
            return false;  // a quote inside an unquoted field, a lone CR or LF
        }
    }
    return record.empty() && field.empty();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Records records(1, std::vector<std::string>(1));
    for (std::size_t i = 0; i < size; ++i) {
        const char c = static_cast<char>(data[i]);
        if (c == '\x1E')
            records.emplace_back(1);
        else if (c == '\x1F')
            records.back().emplace_back();
        else
            records.back().back() += c;
    }
    std::string csv;
    for (const std::vector<std::string>& record : records) {
        for (const std::string& cell : record) {
            const std::string field = tamvek::csvField(cell);
            const bool mustQuote = cell.find_first_of(",\"\r\n") != std::string::npos;
            if ((field != cell) != mustQuote) std::abort();
        }
        csv += tamvek::csvRecord(record);
    }
    Records read;
    if (!readCsv(csv, read) || read != records) std::abort();
    return 0;
}
