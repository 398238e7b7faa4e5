#include "platform/FileStream.h"

namespace tamvek::platform {

FileStreamBuffer::int_type FileStreamBuffer::underflow() {
    if (gptr() < egptr()) return traits_type::to_int_type(*gptr());
    const Result<std::size_t> got = m_file.read(m_buffer, sizeof m_buffer);
    // The stream turns an exception here into badbit.
    if (!got) throw std::ios_base::failure(got.error().message);
    if (*got == 0) return traits_type::eof();
    setg(m_buffer, m_buffer, m_buffer + *got);
    return traits_type::to_int_type(*gptr());
}

}  // namespace tamvek::platform
