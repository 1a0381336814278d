#include "core/systemerror.h"

#include <cerrno>

namespace core {

void clearSystemError() {
    errno = 0;
}

std::error_code lastSystemError() {
    return {errno, std::generic_category()};
}

std::string platformReason(const std::error_code&) {
    return {};
}

std::string systemText(const std::error_code& error) {
    return error.message();
}

} // namespace core
