// The manual page is held to slewmeter's table of outputs: --help comes from
// the table, the page is written by hand.
#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "tools/slewmeter/outputs.h"

namespace {

std::string ManualPage() {
  std::ifstream file(SLEWMETER_MANUAL);
  return std::string(std::istreambuf_iterator<char>(file), {});
}

// "\-\-out" as roff writes "--out".
std::string Roff(const std::string& flag) {
  std::string escaped;
  for (const char c : flag)
    escaped += c == '-' ? std::string("\\-") : std::string(1, c);
  return escaped;
}

TEST(OutputTable, TheManualPageSaysWhereDashAndBracesApply) {
  const std::string page = ManualPage();
  ASSERT_FALSE(page.empty());
  const size_t bracesFrom = page.find("the file names given to");
  const std::string braces =
      page.substr(bracesFrom, page.find("must contain", bracesFrom) - bracesFrom);
  for (const OutputKind& output : kOutputs) {
    const std::string tag = ".BI " + Roff(output.flag) + " \" " + output.valueName + "\"\n";
    const size_t entry = page.find(tag);
    ASSERT_NE(entry, std::string::npos) << tag;
    const std::string text = page.substr(entry, page.find("\n.TP", entry) - entry);
    EXPECT_EQ(text.find("standard output") != std::string::npos, output.standardOutput) << text;
    EXPECT_EQ(braces.find(Roff(output.flag) + " ") != std::string::npos ||
                  braces.find(Roff(output.flag) + "\n") != std::string::npos,
              output.perInput)
        << output.flag << " in: " << braces;
  }
}

}  // namespace
