#include "stats/Summary.h"

#include <future>

#include "stats/Repeats.h"

namespace tamvek::stats {

Result<Summary> summarize(const std::vector<Permanence>& permanences) {
    std::vector<std::size_t> lengths;
    std::size_t spins = 0;
    for (const Permanence& p : permanences) {
        lengths.push_back(p.classes.size());
        spins += p.classes.size();
    }

    // One pass over all the spins in a row finds the repeats of every file and
    // of the total, on a thread of its own while the files are counted.
    std::vector<std::uint8_t> joined;
    std::span<const std::uint8_t> row;
    if (permanences.size() == 1) {
        row = permanences[0].classes;
    } else {
        joined.reserve(spins);
        for (const Permanence& p : permanences)
            joined.insert(joined.end(), p.classes.begin(), p.classes.end());
        row = joined;
    }
    std::future<Repeats> search =
        std::async(std::launch::async, [&] { return findRepeats(row, lengths); });

    Summary summary;
    for (const Permanence& p : permanences) {
        Result<FileStats> s = countStats(p.name, p.classes);
        if (!s) return s.error();  // the search is waited for as `search` goes
        summary.files.push_back(std::move(*s));
    }
    summary.total = sumStats(summary.files);

    Repeats found = search.get();
    for (std::size_t i = 0; i < summary.files.size(); ++i) {
        summary.files[i].repeats = std::move(found.files[i].repeats);
        summary.files[i].repeatsCut = found.files[i].cut;
        summary.files[i].repeatsSearched = found.files[i].searched;
    }
    summary.total.repeats = std::move(found.all.repeats);
    summary.total.repeatsCut = found.all.cut;
    summary.total.repeatsSearched = found.all.searched;
    return summary;
}

}  // namespace tamvek::stats
