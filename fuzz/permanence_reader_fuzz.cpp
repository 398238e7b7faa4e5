// Feeds arbitrary bytes to the permanence reader. Besides crashes and
// sanitizer reports it checks what the window relies on: the header it shows
// is valid UTF-8 without line breaks, reading is repeatable, and the bytes read
// in any pieces give the same as read at once (a file arrives in pieces).

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "core/Text.h"
#include "formats/PermanenceReader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace tamvek;
    using namespace tamvek::formats;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const ReadResult whole = readPermanence(bytes);

    // The same bytes in pieces whose sizes the first byte chooses.
    PermanenceParser parser;
    const std::size_t step = size > 0 ? 1 + data[0] % 7 : 1;
    for (std::size_t at = 0; at < size; at += step)
        if (!parser.feed(bytes.substr(at, step))) break;
    const ReadResult pieces = parser.finish();
    if (whole.index() != pieces.index()) std::abort();

    if (const auto* p = std::get_if<Permanence>(&whole)) {
        for (const std::string& h : p->header)
            if (!text::isValidUtf8(h) || h.find_first_of("\r\n") != std::string::npos) std::abort();
        const auto* q = std::get_if<Permanence>(&pieces);
        if (q->header != p->header || !(q->numbers == p->numbers)) std::abort();
    } else if (std::get<ReadFailure>(whole) != std::get<ReadFailure>(pieces)) {
        std::abort();
    }
    return 0;
}
