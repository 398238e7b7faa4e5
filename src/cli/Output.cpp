#include "cli/Output.h"

#include <unistd.h>

#include <array>
#include <cerrno>
#include <iostream>
#include <streambuf>

#include "cli/Commands.h"
#include "core/Text.h"
#include "platform/OutputFile.h"

namespace tamvek::cli {
namespace {

// Standard output, buffered; the first failed write sticks with its errno,
// and everything after it is dropped.
class CheckedOutput : public std::streambuf {
  public:
    CheckedOutput() { setp(m_buffer.data(), m_buffer.data() + m_buffer.size()); }
    int error() const { return m_error; }

  protected:
    int_type overflow(int_type c) override {
        if (sync() != 0) return traits_type::eof();
        if (traits_type::eq_int_type(c, traits_type::eof())) return traits_type::not_eof(c);
        *pptr() = traits_type::to_char_type(c);
        pbump(1);
        return c;
    }

    int sync() override {
        const char* at = pbase();
        while (m_error == 0 && at < pptr()) {
            const ssize_t n = ::write(STDOUT_FILENO, at, static_cast<std::size_t>(pptr() - at));
            if (n < 0 && errno != EINTR) m_error = errno;
            if (n > 0) at += n;
        }
        setp(m_buffer.data(), m_buffer.data() + m_buffer.size());
        return m_error == 0 ? 0 : -1;
    }

  private:
    std::array<char, 1 << 16> m_buffer{};
    int m_error = 0;
};

// Never destroyed: std::cout is flushed once more as the program ends.
CheckedOutput& checked = *new CheckedOutput;

}  // namespace

int fail(const std::string& message, int status) {
    std::cerr << "tamvek-cli: " << text::escapeControls(message) << "\n";
    return status;
}

void checkStandardOutput() {
    std::cout.rdbuf(&checked);
}

int finishOutput() {
    std::cout.flush();
    if (checked.error() == 0 && std::cout) return exitOk;
    return fail("die Ausgabe kann nicht geschrieben werden: " +
                    platform::failureReason(checked.error() != 0 ? checked.error() : EIO),
                exitCannotWrite);
}

}  // namespace tamvek::cli
