// qvx's help, run in-process.
#include <sstream>

#include "cli/qvx.h"
#include "test_support.h"

namespace {

class QvxTest : public EngineTest {};

// The end-to-end cases of tests/qvx_cases.tsv run the real binary; this
// checks in-process what a table of exact outputs would restate at length.
TEST_F(QvxTest, HelpAndVersion) {
  std::istringstream in;
  std::ostringstream out, err;
  EXPECT_EQ(runQvx({"--version", "1/0"}, in, out, err), 0);
  EXPECT_EQ(out.str(), "qvx 4.12\n");
  out.str("");
  EXPECT_EQ(runQvx({"-h"}, in, out, err), 0);
  EXPECT_EQ(out.str().rfind("Usage: qvx [OPTIONS] [FORMULA...]\n", 0), 0u);
  EXPECT_TRUE(err.str().empty());
}

}  // namespace
