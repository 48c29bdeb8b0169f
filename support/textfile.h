#pragma once
// Whole-file text reading and writing, as every file of the program's own is handled:
// read as a list of lines (a line ends at CR LF, a lone CR or a lone LF; a zero byte
// ends the text), written with CR LF after every line, the last one included.
#include <string>
#include <string_view>
#include <vector>

namespace navforge {

// One line of a text and the line break that ends it (empty for a last line without one).
struct TextLine {
  std::string_view Text;
  std::string_view Break;
};
// Which breaks end a line: CR LF, a lone CR and a lone LF (the program's own files), or
// only LF and CR LF (files edited by hand on this system, where a lone CR is text but a
// CR that ends the whole text still belongs to the line break).
enum class LoneCr { EndsLine, IsText };

// Calls visit(TextLine) for every line of text, in order; a final line break does not
// start another line. Zero bytes are text here: callers that stop at one cut first.
template <class Visit>
void ForEachLine(std::string_view text, Visit&& visit, LoneCr loneCr = LoneCr::EndsLine) {
  const std::string_view breaks = loneCr == LoneCr::EndsLine ? "\r\n" : "\n";
  std::size_t start = 0;
  while (start < text.size()) {
    const std::size_t at = text.find_first_of(breaks, start);
    if (at == std::string_view::npos) {
      const std::size_t end = loneCr == LoneCr::IsText && text.back() == '\r' ? text.size() - 1 : text.size();
      visit(TextLine{text.substr(start, end - start), text.substr(end)});
      return;
    }
    std::size_t lineEnd = at, next = at + 1;
    if (text[at] == '\r' && next < text.size() && text[next] == '\n') ++next;
    if (text[at] == '\n' && at > start && text[at - 1] == '\r') --lineEnd;
    visit(TextLine{text.substr(start, lineEnd - start), text.substr(lineEnd, next - lineEnd)});
    start = next;
  }
}

// Splits a text into lines by the rule above. The empty text has no lines; a final
// line break does not start another line.
std::vector<std::string> SplitLines(std::string_view text);
// Every line followed by CR LF.
std::string JoinLines(const std::vector<std::string>& lines);
// JoinLines(SplitLines(text)) in one pass, without a string per line: the text ends at
// a zero byte, every line break becomes CR LF and a last line without one gets one.
std::string NormalizeLines(std::string_view text);

bool FileExists(const std::string& path);  // a path that exists and is not a folder

// Reads the whole file; throws EFOpenError when it cannot be opened or read, when it
// is no regular file (a FIFO or device could block or never end) or when it is larger
// than kReadLimit.
std::string ReadWholeFile(const std::string& path);
inline constexpr std::size_t kReadLimit = std::size_t{256} << 20;  // 256 MiB
std::vector<std::string> ReadTextLines(const std::string& path);

// Writing creates the file at path or replaces its contents, as docs/saving.md describes.
// A file that cannot be created (missing folder, invalid name, a file without write
// permission, root included, a FIFO that nobody reads) raises EFCreateError; a failed
// write, flush or rename raises EWriteError. A file-size limit makes a write fail
// instead of ending the program.
//
// Durable::Yes also forces the bytes and the rename to disk before returning;
// Durable::No does not. With a spare, an existing file is exchanged with the temporary
// instead of deleted (see support/sparetemp.h).
enum class Durable { Yes, No };
class SpareTemp;
void WriteWholeFile(const std::string& path, std::string_view bytes, Durable durable = Durable::Yes,
                    SpareTemp* spare = nullptr);
void WriteTextLines(const std::string& path, const std::vector<std::string>& lines);

}  // namespace navforge
