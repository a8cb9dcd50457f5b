#pragma once
// Golden files under tests/data: a test's output compared with the file kept in the
// repository. With QM_UPDATE_GOLDEN set the file is rewritten instead (do that only on
// purpose, and read the difference before committing it).
#include <string>

namespace qmtest {

// Expects `actual` to be the content of tests/data/`name`, or rewrites that file.
void ExpectGolden(const std::string& actual, const std::string& name);

}  // namespace qmtest
