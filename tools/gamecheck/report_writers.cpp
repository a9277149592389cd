#include "tools/gamecheck/report_writers.h"

#include "tools/gamecheck/ansi_text.h"
#include "tools/gamecheck/check_text.h"

std::string LauncherResponse(const Problem& problem) {
  std::string response;
  if (!problem.log.empty()) response = "debug.log \"" + problem.log + "\"";
  if (!problem.box.empty()) {
    if (!response.empty()) response += " and ";
    response += "box \"" + problem.box + "\"";
  }
  return response.empty() ? "silently ignored" : response;
}

void WriteTextReport(const GameReport& report, std::FILE* out) {
  for (const Problem& problem : report.problems) {
    const std::string line = std::string(problem.IsError() ? "error" : "warning") + ": " +
                             OnOneLine(problem.file) + ": " + OnOneLine(problem.message) + " -> " +
                             OnOneLine(LauncherResponse(problem));
    std::fprintf(out, "%s\n", ConsoleText(line).c_str());
  }
  if (!report.problems.empty()) std::fputc('\n', out);
  for (const FileSummary& summary : report.files) {
    std::fprintf(out, "%s\n", ConsoleText(OnOneLine(summary.file) + ": " + summary.text).c_str());
    for (const std::string& detail : summary.details) {
      std::fprintf(out, "  %s\n", ConsoleText(detail).c_str());
    }
  }
  const int errors = report.ErrorCount();
  const int warnings = report.WarningCount();
  if (errors == 0 && warnings == 0) {
    std::fputs("\nno problems: the launcher starts without an error box\n", out);
  } else {
    std::fprintf(out, "\n%d error%s (error boxes the player sees), %d warning%s\n", errors,
                 errors == 1 ? "" : "s", warnings, warnings == 1 ? "" : "s");
  }
}

namespace {

std::string JsonString(const std::string& text) {
  std::string json = "\"";
  for (unsigned char c : Utf8FromAnsi(text)) {
    switch (c) {
      case '"':
        json += "\\\"";
        break;
      case '\\':
        json += "\\\\";
        break;
      case '\n':
        json += "\\n";
        break;
      case '\r':
        json += "\\r";
        break;
      case '\t':
        json += "\\t";
        break;
      default:
        if (c < 0x20) {
          json += Printed("\\u%04x", c);
        } else {
          json += static_cast<char>(c);
        }
    }
  }
  return json + "\"";
}

std::string JsonStringOrNull(const std::string& text) {
  return text.empty() ? "null" : JsonString(text);
}

}  // namespace

void WriteJsonReport(const GameReport& report, std::FILE* out) {
  std::fputs("[", out);
  const char* separator = "\n";
  for (const Problem& problem : report.problems) {
    std::fprintf(out,
                 "%s  {\"file\": %s, \"severity\": \"%s\", \"message\": %s, \"launcher\": %s, "
                 "\"box\": %s, \"log\": %s}",
                 separator, JsonString(problem.file).c_str(),
                 problem.IsError() ? "error" : "warning", JsonString(problem.message).c_str(),
                 JsonString(LauncherResponse(problem)).c_str(),
                 JsonStringOrNull(problem.box).c_str(), JsonStringOrNull(problem.log).c_str());
    separator = ",\n";
  }
  std::fputs(report.problems.empty() ? "]\n" : "\n]\n", out);
}
