// The log file: record form, repeat suppression and silent failure. Runs on both builds.
#include <gtest/gtest.h>

#include <ctime>
#include <filesystem>
#include <string>

#include "diag/diagnostics.h"
#include "tests/support/test_support.h"

namespace {

using testing_support::ReadFile;
using testing_support::ScopedCurrentDir;
using testing_support::TempDir;

int CountLines(const std::string& text) {
  int lines = 0;
  for (char c : text) lines += (c == '\n');
  return lines;
}

std::time_t LocalTime(int year, int month, int day, int hour, int minute, int second) {
  std::tm when{};
  when.tm_year = year - 1900;
  when.tm_mon = month - 1;
  when.tm_mday = day;
  when.tm_hour = hour;
  when.tm_min = minute;
  when.tm_sec = second;
  when.tm_isdst = -1;
  return std::mktime(&when);
}

TEST(LogRecord, HasTheRuntimeCtimeFormWithZeroPaddedDay) {
  EXPECT_EQ(diagnostics::FormatLogRecord("abc", LocalTime(2009, 3, 2, 14, 5, 9)),
            "abc -- Mon Mar 02 14:05:09 2009\n");
  EXPECT_EQ(diagnostics::FormatCtime(LocalTime(1999, 12, 31, 23, 59, 58)),
            "Fri Dec 31 23:59:58 1999\n");
}

TEST(LogMessage, AppendsOneRecordPerNewTextAndSuppressesRecentRepeats) {
  TempDir dir;
  ScopedCurrentDir here(dir.path());

  LogMessage("repeat %d", 1);
  LogMessage("repeat %d", 1);
  EXPECT_EQ(CountLines(ReadFile("debug.log")), 1) << "the same text twice in a row is one record";

  LogMessage("aba-A");
  LogMessage("aba-B");
  LogMessage("aba-A");
  EXPECT_EQ(CountLines(ReadFile("debug.log")), 1 + 2) << "A, B, A writes two records";

  LogMessage("five-A");
  LogMessage("five-B");
  LogMessage("five-C");
  LogMessage("five-D");
  LogMessage("five-A");
  EXPECT_EQ(CountLines(ReadFile("debug.log")), 3 + 5) << "D pushes the first A out of memory";

  // Records end in a line feed (CR LF on Windows, where the log is opened in text mode).
  const std::string log = ReadFile("debug.log");
  const size_t lastStart = log.rfind('\n', log.size() - 2) + 1;
  EXPECT_EQ(log.compare(lastStart, 10, "five-A -- "), 0)
      << "the last record is the second A, at the end of the file";
}

TEST(LogMessage, NullFormatWritesNothing) {
  TempDir dir;
  ScopedCurrentDir here(dir.path());
  LogMessage(nullptr);
  EXPECT_FALSE(testing_support::FileExists("debug.log"));
}

TEST(LogMessage, ExistingLogIsOnlyEverAppendedTo) {
  TempDir dir;
  ScopedCurrentDir here(dir.path());
  testing_support::WriteFile("debug.log", "earlier record\n");
  LogMessage("appended-text");
  const std::string log = ReadFile("debug.log");
  ASSERT_EQ(log.rfind("earlier record\nappended-text -- ", 0), 0u) << log;
  EXPECT_EQ(CountLines(log), 2);
}

TEST(LogMessage, UnopenableLogLosesTheRecordSilentlyAndStillRemembersIt) {
  TempDir dir;
  ScopedCurrentDir here(dir.path());
  // A folder in the log file's place makes every open fail, whoever runs the test.
  std::filesystem::create_directory("debug.log");
  LogMessage("lost-record");
  EXPECT_TRUE(std::filesystem::is_directory("debug.log"));

  std::filesystem::remove("debug.log");
  LogMessage("lost-record");
  EXPECT_FALSE(testing_support::FileExists("debug.log"))
      << "the lost text still counts as recent, so it is not written now";
  LogMessage("next-record");
  EXPECT_EQ(CountLines(ReadFile("debug.log")), 1);
}

TEST(LogMessage, RecordsGoToTheFileNamedUntilTheDefaultIsBack) {
  TempDir dir;
  ScopedCurrentDir here(dir.path());
  const std::string elsewhere = dir / "elsewhere.log";
  ASSERT_TRUE(diagnostics::SetLogFile(elsewhere.c_str()));
  LogMessage("sent-elsewhere");
  EXPECT_FALSE(testing_support::FileExists("debug.log"));
  EXPECT_EQ(ReadFile(elsewhere).rfind("sent-elsewhere -- ", 0), 0u);

  EXPECT_FALSE(diagnostics::SetLogFile(std::string(256, 'n').c_str())) << "no room for the name";
  EXPECT_FALSE(diagnostics::SetLogFile(""));
  EXPECT_STREQ(diagnostics::LogFile(), elsewhere.c_str()) << "a refused name changes nothing";

  ASSERT_TRUE(diagnostics::SetLogFile(nullptr));
  EXPECT_STREQ(diagnostics::LogFile(), "debug.log");
  LogMessage("back-home");
  EXPECT_EQ(CountLines(ReadFile("debug.log")), 1);
  EXPECT_EQ(CountLines(ReadFile(elsewhere)), 1);
}

TEST(LogMessage, OverlongTextIsCutToTheBuffer) {
  TempDir dir;
  ScopedCurrentDir here(dir.path());
  const std::string longText(3000, 'x');
  LogMessage("%s", longText.c_str());
  const std::string log = ReadFile("debug.log");
  ASSERT_GT(log.size(), 1023u);
  EXPECT_EQ(log.substr(0, 1023), std::string(1023, 'x'));
  EXPECT_EQ(log.substr(1023, 4), " -- ");
}

}  // namespace
