#pragma once
// The program's version, as the build gives it.

namespace qm {

inline constexpr const char* kAppVersion = QM_VERSION;

}  // namespace qm
