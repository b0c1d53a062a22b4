#include "app/ProgramDir.h"

namespace mascot {

std::string ProgramDirFromPath(std::string_view path, std::string_view separators) {
    for (size_t i = path.size(); i-- > 1;) {
        if (separators.find(path[i]) != std::string_view::npos)
            return std::string(path.substr(0, i + 1));
    }
    return std::string();
}

}  // namespace mascot
