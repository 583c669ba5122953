// qvx's command line, run in-process.
#include <sstream>

#include "cli/qvx.h"
#include "test_support.h"

namespace {

struct QvxCase {
  std::vector<std::string> args;
  const char* input;  // standard input
  int status;
  const char* out;
  const char* err;  // empty: nothing; otherwise its first line
};

class QvxTest : public EngineTest {
 protected:
  void expectRun(const QvxCase& c) {
    std::istringstream in(c.input);
    std::ostringstream out, err;
    std::string shown;
    for (const std::string& a : c.args) shown += " [" + a + "]";
    EXPECT_EQ(runQvx(c.args, in, out, err), c.status) << shown;
    EXPECT_EQ(out.str(), c.out) << shown;
    std::string firstErrorLine = err.str().substr(0, err.str().find('\n'));
    EXPECT_EQ(firstErrorLine, c.err) << shown;
  }
};

TEST_F(QvxTest, FormulasAndOptions) {
  const QvxCase cases[] = {
      {{"2+3*4"}, "", 0, "14.0000\n", ""},
      {{"-n", "7", "255"}, "", 0, "FF\n", ""},
      {{"-p", "2", "-n", "11", "3.14159265"}, "", 0, " 3 1/7\n", ""},
      {{"5/0"}, "", 1, "", "division by zero"},
      {{"-X", "3", "2*X"}, "", 0, "6.0000\n", ""},
      {{"--", "-2^2"}, "", 0, "4.0000\n", ""},
      {{"-X3", "2*X"}, "", 0, "6.0000\n", ""},
      {{"-X", "-3", "2*X"}, "", 0, "-6.0000\n", ""},
      {{"2*X", "-X", "-3"}, "", 0, "-6.0000\n", ""},
      {{"--notation=3", "1234567"}, "", 0, "1,234,567.0000\n", ""},
      {{"--notation", "fraction a/b", "2.5"}, "", 0, " 5/2\n", ""},
      {{"--not=7", "--prec=0", "10"}, "", 0, "A\n", ""},
      {{"-i", "1", "-u", "200+100"}, "", 0, "44.0000\n", ""},
      {{"-ui1", "-p0", "not(5)"}, "", 0, "250\n", ""},
      {{"-r", "sin(Pi/2)"}, "", 0, "1.0000\n", ""},
      {{"-g", "5/0"}, "", 1, "", "Division durch Null"},
      {{"-e", "-n", "7", "255"}, "", 0, "#hFF\n", ""},
      {{"-Z", "4", "-Y", "Z+1", "-W", "Y*2", "-V", "W-1", "V"}, "", 0, "9.0000\n", ""},
      {{"1/0", "2+2"}, "", 1, "4.0000\n", "division by zero"},
      {{"#aä+0"}, "", 0, "228.0000\n", ""},
      {{"-n", "8", "228"}, "", 0, "ä\n", ""},
      {{"--", "-X", "3"}, "", 1, "3.0000\n", "X  variable entryfield empty"},
  };
  for (const QvxCase& c : cases) expectRun(c);
}

TEST_F(QvxTest, StandardInputLineByLine) {
  expectRun({{}, "2+2\r\n3*3\n", 0, "4.0000\n9.0000\n", ""});
  expectRun({{"-p", "1"}, "1/0\n1/4\n", 1, "0.2\n", "division by zero"});
  expectRun({{}, "", 0, "", ""});
}

TEST_F(QvxTest, BadOptionsExitWithStatusTwo) {
  const QvxCase cases[] = {
      {{"-q", "1"}, "", 2, "", "qvx: unknown option '-q'"},
      {{"--colour"}, "", 2, "", "qvx: unknown option '--colour'"},
      {{"-n", "16", "1"}, "", 2, "", "qvx: invalid value '16' for --notation"},
      {{"-n", "normal", "1"}, "", 2, "", "qvx: invalid value 'normal' for --notation"},
      {{"-p", "17"}, "", 2, "", "qvx: invalid value '17' for --precision"},
      {{"-i", "3"}, "", 2, "", "qvx: invalid value '3' for --integer"},
      {{"-X"}, "", 2, "", "qvx: option -X needs a value"},
      {{"--unsigned=yes"}, "", 2, "", "qvx: option --unsigned takes no value"},
      {{"-5+3"}, "", 2, "", "qvx: unknown option '-5'"},
  };
  for (const QvxCase& c : cases) expectRun(c);
}

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
