#pragma once
// Relative URLs of the menu, written for its main page's folder, as they read from a
// page in another folder of the site.
#include <string>
#include <string_view>
#include <vector>

namespace navforge::apply {

class UrlRebase {
public:
  // Both folders absolute, with "/" between the parts, in the text's encoding (names as
  // they stand in a URL).
  UrlRebase(std::string_view fromFolder, std::string_view toFolder);

  // One URL: a relative one (no scheme, not "/…", "#…", "?…" or empty) is resolved
  // against fromFolder and written relative to toFolder; "?…" and "#…" stay; every
  // other URL is returned as it is.
  std::string Url(std::string_view url) const;
  // Every URL in html: the values of href, src, action, formaction, poster, data and
  // srcset attributes, and url() in styles.
  std::string Html(std::string_view html) const;

private:
  std::vector<std::string> from_, to_;
};

}  // namespace navforge::apply
