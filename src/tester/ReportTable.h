#pragma once
// The report of a system test as rows and columns, its figures written out
// in German (core/Figures.h): the table `tamvek-cli system` prints and the
// window's system test shows, and the same values for JSON. One row a file,
// and the total: "Summe" in the table, below the files when there is more
// than one; "total" in JSON, always. The columns are a list of descriptions
// (ReportTable.cpp); one added there shows in the table, the window and JSON
// alike.

#include <cstdint>
#include <string>
#include <variant>
#include <vector>

#include "tester/Job.h"

namespace tamvek::tester {

struct ReportTable {
    using Value = std::variant<std::string, std::int64_t, std::uint64_t, double, bool>;
    // A value of a row for JSON: `key`, inside the row's object `group` when
    // that is set.
    struct Field {
        std::string group;
        std::string key;
        Value value;
    };
    struct Heading {
        std::string text;
        bool figures = true;  // aligned right
    };
    struct Row {
        std::vector<std::string> cells;  // one under each heading; empty where the row has none
        std::vector<Field> fields;       // in the order of the columns
        std::string verdict;             // the verdict's sentence, with a baseline
    };

    std::vector<Heading> headings;
    std::vector<Row> files;
    Row total;

    // The total is a row of the table when there is more than one file.
    bool totalShown() const { return files.size() > 1; }
};

// The headings of a job's table: the baselines' and verdicts' with
// `baseline`, the stakes at the maximum with `tableMax`, the ruin with
// `capital`.
std::vector<ReportTable::Heading> headingsOf(bool baseline, bool tableMax = false,
                                             bool capital = false);

// The verdict's columns alone (a sweep's best variant): its cells and fields,
// the ruin's with `capital`.
ReportTable::Row verdictRow(const Verdict& verdict, bool capital);

// The table of `played`, the outcome of `job`; the baselines' columns when the
// job asked for them.
ReportTable reportTable(const LoadedJob& job, const Outcome& played);

}  // namespace tamvek::tester
