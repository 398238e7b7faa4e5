#include "platform/Platform.h"

#include <filesystem>
#include <system_error>

#include <ctime>

namespace tamvek::platform {

std::string Platform::importFolder() const {
    std::error_code ec;
    const std::string here = std::filesystem::current_path(ec).string();
    return ec || here.empty() ? "/" : here;
}

std::string Platform::shortDate() const {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char buf[16];
    std::strftime(buf, sizeof buf, "%d.%m.%Y", &local);
    return buf;
}

}  // namespace tamvek::platform
