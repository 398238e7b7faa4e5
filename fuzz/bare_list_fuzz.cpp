// Arbitrary bytes as a bare list of spins: either every spin is a number from
// 0 to 36, or the error names the file and a line in valid UTF-8; and the bytes
// in any pieces give the same.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "core/Text.h"
#include "formats/SpinFiles.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace tamvek;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    formats::BareListParser whole("f.txt");
    whole.feed(bytes);
    const Result<std::vector<std::uint8_t>> a = whole.finish();

    formats::BareListParser pieces("f.txt");
    const std::size_t step = size > 0 ? 1 + data[size - 1] % 5 : 1;
    for (std::size_t at = 0; at < size; at += step)
        if (!pieces.feed(bytes.substr(at, step))) break;
    const Result<std::vector<std::uint8_t>> b = pieces.finish();

    if (a.ok() != b.ok()) std::abort();
    if (a.ok()) {
        if (*a != *b) std::abort();
        for (std::uint8_t spin : *a)
            if (spin > 36) std::abort();
    } else {
        const std::string& m = a.error().message;
        if (m != b.error().message || !m.starts_with("f.txt:") || !text::isValidUtf8(m))
            std::abort();
    }
    return 0;
}
