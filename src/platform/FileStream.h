#pragma once
// An input stream over an InputFile, for readers that go line by line (scripts).

#include <istream>
#include <streambuf>

#include "platform/InputFile.h"

namespace tamvek::platform {

class FileStreamBuffer : public std::streambuf {
  public:
    explicit FileStreamBuffer(InputFile file) : m_file(std::move(file)) {}

  protected:
    int_type underflow() override;

  private:
    InputFile m_file;
    char m_buffer[1 << 16];
};

// A read error ends the stream and sets badbit.
class FileStream : public std::istream {
  public:
    explicit FileStream(InputFile file) : std::istream(nullptr), m_buffer(std::move(file)) {
        rdbuf(&m_buffer);
    }

  private:
    FileStreamBuffer m_buffer;
};

}  // namespace tamvek::platform
