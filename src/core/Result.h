#pragma once
// A value or the reason there is none. Errors are values in the core: what went
// wrong, in words a user can read, travels up to whoever shows it.

#include <string>
#include <utility>
#include <variant>

namespace tamvek {

struct Error {
    std::string message;
};

template <class T>
class Result {
  public:
    Result(T value) : m_value(std::move(value)) {}
    Result(Error error) : m_value(std::move(error)) {}

    bool ok() const { return m_value.index() == 0; }
    explicit operator bool() const { return ok(); }

    T& value() { return std::get<0>(m_value); }
    const T& value() const { return std::get<0>(m_value); }
    T& operator*() { return value(); }
    const T& operator*() const { return value(); }
    T* operator->() { return &value(); }
    const T* operator->() const { return &value(); }

    const Error& error() const { return std::get<1>(m_value); }

  private:
    std::variant<T, Error> m_value;
};

}  // namespace tamvek
