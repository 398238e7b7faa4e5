// Feeds arbitrary bytes to the permanence reader. Besides crashes and
// sanitizer reports it checks what the window relies on: the header it shows
// is valid UTF-8 without line breaks, and reading is repeatable.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "import/PermanenceReader.h"

namespace {

bool validUtf8(std::string_view s) {
    for (std::size_t i = 0; i < s.size();) {
        const auto c = static_cast<unsigned char>(s[i]);
        std::size_t n = 0;
        if (c < 0x80)
            n = 1;
        else if ((c & 0xE0) == 0xC0)
            n = 2;
        else if ((c & 0xF0) == 0xE0)
            n = 3;
        else if ((c & 0xF8) == 0xF0)
            n = 4;
        if (n == 0 || i + n > s.size()) return false;
        for (std::size_t k = 1; k < n; ++k)
            if ((static_cast<unsigned char>(s[i + k]) & 0xC0) != 0x80) return false;
        i += n;
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace tamvek::import;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const ReadResult first = readPermanence(bytes);
    if (const auto* p = std::get_if<Permanence>(&first)) {
        for (const std::string& h : p->header)
            if (!validUtf8(h) || h.find_first_of("\r\n") != std::string::npos) std::abort();
        const ReadResult again = readPermanence(bytes);
        const auto* q = std::get_if<Permanence>(&again);
        if (!q || q->numbers.size() != p->numbers.size()) std::abort();
    }
    return 0;
}
