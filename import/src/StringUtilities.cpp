#include "StringUtilities.h"

#include <QDir>

#include <algorithm>

namespace quarro {
namespace import {

namespace {
// White space of the C locale, decided on the byte so that bytes above 127 never count.
bool is_c_space(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}
} // namespace

std::string all_files_extension() {
    return "*.*";
}

void strip_all_quotes(std::string& text) {
    text.erase(std::remove(text.begin(), text.end(), '"'), text.end());
}

void strip_all_white_space(std::string& text) {
    if (text.size() < 2) {
        return;
    }
    text.erase(std::remove(text.begin() + 1, text.end(), ' '), text.end());
}

void strip_file_name(std::string& path) {
    char const separator = QDir::separator().toLatin1();
    std::string::size_type const slash = path.rfind(separator);
    if (slash == std::string::npos) {
        return;
    }
    std::string::size_type const dot = path.rfind('.');
    if (dot != std::string::npos && dot > slash) {
        path = path.substr(slash + 1, dot - slash - 1);
    } else {
        path = path.substr(slash + 1);
    }
}

void trim_left(std::string& text) {
    auto const first = std::find_if_not(text.begin(), text.end(), is_c_space);
    text.erase(text.begin(), first);
}

void trim_right(std::string& text) {
    auto const last = std::find_if_not(text.rbegin(), text.rend(), is_c_space);
    text.erase(last.base(), text.end());
}

} // namespace import
} // namespace quarro
