#include "common/version.h"

namespace tavrino {

std::string versionText(std::string_view program) {
    std::string text = "TAVRINO4 VXR QLM Scope V3.2\n";
    text.append(program).append(" ").append(buildVersion()).append("\n");
    return text;
}

} // namespace tavrino
