#include "core/app_state.h"

namespace kvex {

SharedState& ThreadState() {
    // Apartment threading: every host thread that uses the component gets its own copy.
    thread_local SharedState state;
    return state;
}

std::string FolderWithoutTrailingBackslash(std::string_view folder) {
    if (!folder.empty() && folder.back() == '\\') folder.remove_suffix(1);
    return std::string(folder);
}

std::string JoinPath(std::string_view folder, std::string_view name) {
    std::string path;
    path.reserve(folder.size() + 1 + name.size());
    path.append(folder).append(1, '\\').append(name);
    return path;
}

std::string GetLastPart(std::string_view path, std::string_view separator) {
    if (separator.empty()) return std::string(path);
    const auto at = path.rfind(separator);
    if (at == std::string_view::npos) return std::string(path);
    return std::string(path.substr(at + separator.size()));
}

}  // namespace kvex
