#include "check/report.h"

#include <cstdio>

#include "support/cp1252.h"

namespace navforge::check {
namespace {

std::string JsonString(const std::string& cp1252) {
  std::string out = "\"";
  for (char ch : Cp1252ToUtf8(cp1252)) {
    const auto c = static_cast<unsigned char>(ch);
    if (ch == '"' || ch == '\\') {
      out += '\\';
      out += ch;
    } else if (c < 0x20) {
      char esc[8];
      std::snprintf(esc, sizeof esc, "\\u%04x", c);
      out += esc;
    } else {
      out += ch;
    }
  }
  return out + "\"";
}

// Control characters of a caption or link, written as "\x1B": on a terminal they would
// act (an escape sequence from someone else's menu), in a list they would not show.
std::string Visible(const std::string& cp1252) {
  std::string out;
  out.reserve(cp1252.size());
  for (char ch : cp1252) {
    const auto c = static_cast<unsigned char>(ch);
    // The five bytes Windows-1252 leaves undefined become C1 controls in UTF-8.
    if (c < 0x20 || c == 0x7F || c == 0x81 || c == 0x8D || c == 0x8F || c == 0x90 || c == 0x9D) {
      char esc[8];
      std::snprintf(esc, sizeof esc, "\\x%02X", c);
      out += esc;
    } else {
      out += ch;
    }
  }
  return out;
}

}  // namespace

std::string FindingLine(const Finding& f) {
  std::string line = std::string(LevelName(f.level)) + ": ";
  if (f.entry >= 0) line += "Eintrag " + std::to_string(f.entry + 1) + " \"" + Visible(f.caption) + "\": ";
  return line + Visible(f.message);
}

std::string FindingsJson(const Findings& findings) {
  std::string out = "[";
  for (std::size_t i = 0; i < findings.size(); ++i) {
    const Finding& f = findings[i];
    out += i ? ",\n " : "\n ";
    out += "{\"level\": " + JsonString(LevelName(f.level)) + ", \"code\": " + JsonString(f.code) + ", \"entry\": ";
    out += f.entry >= 0 ? std::to_string(f.entry + 1) : "null";
    out += ", \"caption\": " + (f.entry >= 0 ? JsonString(f.caption) : std::string("null"));
    out += ", \"message\": " + JsonString(f.message) + "}";
  }
  return out + (findings.empty() ? "]\n" : "\n]\n");
}

}  // namespace navforge::check
