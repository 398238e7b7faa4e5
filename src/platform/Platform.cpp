#include "platform/Platform.h"

#include <ctime>

namespace tamvek::platform {

std::string Platform::shortDate() const {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char buf[16];
    std::strftime(buf, sizeof buf, "%d.%m.%Y", &local);
    return buf;
}

}  // namespace tamvek::platform
