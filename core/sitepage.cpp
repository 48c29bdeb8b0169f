#include "core/sitepage.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "support/cp1252literal.h"
#include "support/errors.h"
#include "support/fsname.h"
#include "support/paths.h"
#include "support/strutil.h"

namespace navforge {

bool IsSitePageName(std::string_view name) {
  const std::string ext = LowerAscii(ExtractFileExt(std::string(name)));
  for (const char* page : {".htm", ".html", ".shtml", ".xhtml", ".php"})
    if (ext == page) return true;
  return false;
}

std::string ReadSitePage(const std::string& path) {
  constexpr off_t kMaxBytes = off_t{64} << 20;
  const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
  if (fd < 0) throw EFOpenError(FromFsName(path));
  struct stat st {};
  const bool plain = ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode);
  if (!plain || st.st_size > kMaxBytes) {
    ::close(fd);
    throw ENavforgeError(plain ? "Die Seite ist größer als 64 MB; sie bleibt, wie sie ist."_cp1252
                               : "Die Seite ist keine gewöhnliche Datei; sie bleibt, wie sie ist."_cp1252);
  }
  std::string bytes(static_cast<std::size_t>(st.st_size), '\0');
  std::size_t got = 0;
  while (got < bytes.size()) {
    const ssize_t n = ::read(fd, bytes.data() + got, bytes.size() - got);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    got += static_cast<std::size_t>(n);
  }
  ::close(fd);
  bytes.resize(got);
  return bytes;
}

}  // namespace navforge
