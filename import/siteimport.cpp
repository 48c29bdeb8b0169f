#include "import/siteimport.h"

#include <dirent.h>
#include <sys/stat.h>

#include <climits>
#include <cstdlib>

#include <algorithm>
#include <memory>
#include <optional>
#include <set>
#include <unordered_set>
#include <utility>

#include "core/locallink.h"
#include "import/generatedpages.h"
#include "import/germanorder.h"
#include "import/ignorerules.h"
#include "import/pagecaption.h"
#include "import/pageencoding.h"
#include "import/sitelinks.h"
#include "import/titleaffixes.h"
#include "persist/menuitems.h"
#include "support/cp1252.h"
#include "support/cp1252literal.h"
#include "support/errors.h"
#include "support/fsname.h"
#include "support/paths.h"
#include "support/strutil.h"
#include "support/textfile.h"

namespace navforge::import {
namespace {

struct PageFile {
  std::string path, name;
  std::string caption;
  bool unmappable = false;
  bool isIndex = false;   // the page the web server opens the folder with
  bool fromPage = false;  // the caption is the page's title or heading
};

struct FolderNode {
  std::string path, name;
  std::vector<PageFile> pages;
  std::vector<FolderNode> folders;
};

// The order of entries: the index page first, then by the leading number of the file or
// folder name (numbered before unnumbered), then by caption, then by name; numbers
// inside captions and names compare as numbers.
struct SortKey {
  bool isIndex = false;
  std::optional<std::uint64_t> number;
  std::string caption, name;
};

bool Before(const SortKey& a, const SortKey& b) {
  if (a.isIndex != b.isIndex) return a.isIndex;
  if (a.number.has_value() != b.number.has_value()) return a.number.has_value();
  if (a.number != b.number) return *a.number < *b.number;
  if (int c = CompareGerman(a.caption, b.caption)) return c < 0;
  if (int c = CompareGerman(a.name, b.name)) return c < 0;
  return a.name < b.name;
}

SortKey KeyOf(const PageFile& p) { return {p.isIndex, LeadingNumber(p.name), p.caption, p.name}; }

const PageFile* IndexPage(const FolderNode& f) {
  for (const PageFile& p : f.pages)
    if (p.isIndex) return &p;
  return nullptr;
}

// Marks the page a link to the folder opens (see core/locallink.h): the first name of
// the server's list that the folder holds.
void MarkIndexPage(FolderNode& f) {
  PageFile* best = nullptr;
  std::size_t bestRank = kIndexPageNames.size();
  for (PageFile& p : f.pages)
    for (std::size_t rank = 0; rank < bestRank; ++rank)
      if (p.name == kIndexPageNames[rank]) {
        best = &p;
        bestRank = rank;
      }
  if (best) best->isIndex = true;
}

SortKey KeyOf(const FolderNode& f) {
  const PageFile* index = IndexPage(f);
  return {false, LeadingNumber(f.name), index ? index->caption : f.name, f.name};
}

void SortTree(FolderNode& folder) {
  for (FolderNode& f : folder.folders) SortTree(f);
  std::sort(folder.pages.begin(), folder.pages.end(),
            [](const PageFile& a, const PageFile& b) { return Before(KeyOf(a), KeyOf(b)); });
  std::sort(folder.folders.begin(), folder.folders.end(),
            [](const FolderNode& a, const FolderNode& b) { return Before(KeyOf(a), KeyOf(b)); });
}

// Every page of the tree, for a pass over all captions.
void CollectPages(FolderNode& folder, std::vector<PageFile*>& out) {
  for (PageFile& p : folder.pages) out.push_back(&p);
  for (FolderNode& f : folder.folders) CollectPages(f, out);
}

// Shared parts of the pages' titles leave the captions (see titleaffixes.h).
void ShortenCaptions(FolderNode& root, std::vector<std::string>& notes) {
  std::vector<PageFile*> pages;
  CollectPages(root, pages);
  std::erase_if(pages, [](const PageFile* p) { return !p->fromPage; });
  std::vector<std::string> captions;
  for (const PageFile* p : pages) captions.push_back(p->caption);
  captions = DropSharedAffixes(captions, notes);
  for (std::size_t i = 0; i < pages.size(); ++i) pages[i]->caption = std::move(captions[i]);
}

// "01-über_uns.htm" -> "01 über uns".
std::string CaptionFromFileName(const std::string& name) {
  std::string caption = ChangeFileExt(name, "");
  std::replace(caption.begin(), caption.end(), '-', ' ');
  std::replace(caption.begin(), caption.end(), '_', ' ');
  caption = CollapseWhiteSpace(caption);
  return caption.empty() ? name : caption;
}

bool HasPageExtension(const std::string& name) {
  const std::string ext = LowerAscii(ExtractFileExt(name));
  return ext == ".htm" || ext == ".html" || ext == ".php" || ext == ".shtml";
}

class SiteWalker {
public:
  SiteWalker(const ImportOptions& options, const std::string& site)
      : options_(options), ignore_(IgnoreRules::ForSite(site)), realSite_(RealPath(site)) {
    for (const std::string& page : options.SkippedPages) skipped_.insert(AbsolutePath(page));
    skipped_.insert(AbsolutePath(options.MenuPage));
  }

  void Walk(FolderNode& folder, const std::string& rel) {
    struct stat st;
    if (::stat(StoredPathToFs(folder.path).c_str(), &st) == 0 && !visited_.insert({st.st_dev, st.st_ino}).second) return;
    DIR* dir = ::opendir(StoredPathToFs(folder.path).c_str());
    if (!dir) {
      if (rel.empty()) throw ENavforgeError("Der Ordner " + folder.path + " lässt sich nicht lesen."_cp1252);
      Warn(rel, "Ordner nicht lesbar; übergangen"_cp1252);
      return;
    }
    std::unique_ptr<DIR, int (*)(DIR*)> closer(dir, ::closedir);
    while (const dirent* e = ::readdir(dir)) {
      const std::string fsName = e->d_name;
      if (fsName.empty() || fsName[0] == '.') continue;  // hidden, "." and ".."
      std::string name;
      if (!Utf8ToCp1252(fsName, name)) {
        bool lost = false;
        Warn(rel.empty() ? Utf8ToCp1252Replacing(fsName, lost) : rel + "/" + Utf8ToCp1252Replacing(fsName, lost),
             "Der Name lässt sich in Windows-1252 nicht schreiben; übergangen"_cp1252);
        continue;
      }
      const std::string path = folder.path + "/" + name;
      const std::string childRel = rel.empty() ? name : rel + "/" + name;
      // A menu line cannot hold a line break: such a name could not be stored.
      if (name.find_first_of("\r\n") != std::string::npos) {
        Warn(VisibleName(childRel), "Der Name enthält einen Zeilenumbruch; übergangen"_cp1252);
        continue;
      }
      if (::stat(StoredPathToFs(path).c_str(), &st) != 0) continue;  // a dangling link
      // A symbolic link may lead anywhere on the system; only what stays in the site is read.
      if (struct stat lst; ::lstat(StoredPathToFs(path).c_str(), &lst) == 0 && S_ISLNK(lst.st_mode) &&
                           !IsInSite(RealPath(path))) {
        Warn(childRel, "Verweis aus dem Ordner der Site hinaus; übergangen"_cp1252);
        continue;
      }
      if (S_ISDIR(st.st_mode)) {
        if (SameTextAscii(name, options_.TemplateFolderName) || ignore_.Ignores(childRel, true)) continue;
        FolderNode child{path, name, {}, {}};
        Walk(child, childRel);
        if (!child.pages.empty() || !child.folders.empty()) folder.folders.push_back(std::move(child));
      } else if (S_ISREG(st.st_mode) && HasPageExtension(name) && !ignore_.Ignores(childRel, false) &&
                 !skipped_.contains(path)) {
        folder.pages.push_back(ReadPage(path, childRel, name));
      }
    }
    MarkIndexPage(folder);
  }

  std::vector<ImportWarning> TakeWarnings() { return std::move(warnings_); }

private:
  void Warn(const std::string& page, const std::string& text) { warnings_.push_back({page, text}); }

  PageFile ReadPage(const std::string& path, const std::string& rel, const std::string& name) {
    PageFile page{path, name, {}, false, false, false};
    try {
      const PageCaption read = ReadPageCaption(ReadWholeFile(StoredPathToFs(path)));
      page.caption = read.Caption;
      page.unmappable = read.Unmappable;
      if (!read.EncodingNote.empty()) Warn(rel, read.EncodingNote);
      if (read.Unmappable)
        Warn(rel, "Der Titel enthält Zeichen, die Windows-1252 nicht kennt; sie erscheinen als \"?\": "_cp1252 +
                      read.Caption);
    } catch (const ENavforgeError&) {
      Warn(rel, "Seite nicht lesbar; Beschriftung aus dem Dateinamen");
    }
    page.fromPage = !page.caption.empty();
    if (page.caption.empty()) page.caption = CaptionFromFileName(name);
    return page;
  }

  // The path with every symbolic link resolved (Windows-1252); the path itself when
  // it cannot be resolved.
  static std::string RealPath(const std::string& path) {
    char resolved[PATH_MAX];
    return ::realpath(StoredPathToFs(path).c_str(), resolved) ? FromFsName(resolved) : path;
  }
  bool IsInSite(const std::string& realPath) const {
    return realPath == realSite_ || IsBelowFolder(realPath, realSite_);
  }
  // Line breaks as blanks, so the warning stays one line.
  static std::string VisibleName(std::string name) {
    for (char& c : name)
      if (c == '\r' || c == '\n') c = ' ';
    return name;
  }

  const ImportOptions& options_;
  IgnoreRules ignore_;
  std::string realSite_;  // the site folder with its links resolved
  std::unordered_set<std::string> skipped_;
  std::set<std::pair<dev_t, ino_t>> visited_;  // folders seen, so linked folders cannot loop
  std::vector<ImportWarning> warnings_;
};

// The pages of a folder and its sub-folders in menu order: its own pages, then each
// sub-folder's.
void Flatten(const FolderNode& folder, std::vector<const PageFile*>& out) {
  for (const PageFile& p : folder.pages) out.push_back(&p);
  for (const FolderNode& f : folder.folders) Flatten(f, out);
}

class ProposalBuilder {
public:
  explicit ProposalBuilder(const std::string& menuFolder) : menuFolder_(menuFolder) {}

  // Captions are HTML: a title's text goes in escaped, so the menu shows what the title
  // showed and markup in someone else's title does not become the menu's.
  void AddPage(const PageFile& page, int level, const std::string& folder) {
    entries_.push_back({HtmlText(page.caption), RelativeLink(menuFolder_, page.path), level > 0, page.unmappable,
                        page.path, folder, std::max(level, 1)});
  }

  // A folder's entry is its index page, else its name with the link of its first page;
  // its pages stand one level below, then its folders, each the same way, down to
  // kMaxLevel, where the pages of every folder below follow in their order. A main
  // entry with sub-entries never shows its own link (it leads to its sub-menu page, or
  // opens its group), so there the index page is the first sub-entry, too.
  void AddFolder(const FolderNode& folder, int level, const std::string& top) {
    std::vector<const PageFile*> pages;
    Flatten(folder, pages);
    const PageFile* index = IndexPage(folder);
    if (index) {
      AddPage(*index, level, top);
    } else {
      entries_.push_back({HtmlText(folder.name), RelativeLink(menuFolder_, pages.front()->path), level > 0, false,
                          pages.front()->path, top, std::max(level, 1)});
    }
    const PageFile* shown = level > 0 ? index : nullptr;  // stands as the folder's entry already
    if (level + 1 == kMaxLevel) {
      for (const PageFile* p : pages)
        if (p != shown) AddPage(*p, level + 1, top);
      return;
    }
    for (const PageFile& p : folder.pages)
      if (&p != shown) AddPage(p, level + 1, top);
    for (const FolderNode& f : folder.folders) AddFolder(f, level + 1, top);
  }

  std::vector<ProposedEntry> Take() { return std::move(entries_); }

private:
  std::string menuFolder_;
  std::vector<ProposedEntry> entries_;
};

// Leaves out the pages the proposed menu's generation would write over.
void DropGeneratedPages(std::vector<ProposedEntry>& entries, const ImportOptions& options) {
  TMenutree items;
  for (const ProposedEntry& e : entries) items.push_back({e.Caption, e.Link, "", "", e.IsSubItem});
  const std::vector<std::string> generated =
      GeneratedPages(items, options.MenuPage, options.SubmenuFileExt, options.WritesSubmenuPages);
  const std::unordered_set<std::string> skip(generated.begin(), generated.end());
  std::vector<ProposedEntry> kept;
  for (std::size_t i = 0; i < entries.size(); ++i) {
    const bool hasSubs = i + 1 < entries.size() && LevelOf(entries[i + 1]) > LevelOf(entries[i]);
    if (hasSubs || !skip.contains(entries[i].Page)) kept.push_back(std::move(entries[i]));
  }
  entries = std::move(kept);
}

}  // namespace

std::vector<int> KeptLevels(const std::vector<ProposedEntry>& entries, const std::vector<bool>& kept) {
  std::vector<int> levels;
  std::vector<bool> leftOut;  // per level, of the entries the current one stands below
  for (std::size_t i = 0; i < entries.size(); ++i) {
    const std::size_t level = std::min(static_cast<std::size_t>(LevelOf(entries[i])), leftOut.size());
    leftOut.resize(level);
    levels.push_back(static_cast<int>(level) - static_cast<int>(std::count(leftOut.begin(), leftOut.end(), true)));
    leftOut.push_back(i >= kept.size() || !kept[i]);
  }
  return levels;
}

ImportProposal ProposeMenu(const ImportOptions& options) {
  const std::string site = AbsolutePath(options.SiteFolder);
  struct stat st;
  if (::stat(StoredPathToFs(site).c_str(), &st) != 0 || !S_ISDIR(st.st_mode))
    throw ENavforgeError("Der Ordner " + options.SiteFolder + " existiert nicht.");

  SiteWalker walker(options, site);
  FolderNode root{site, ExtractFileName(site), {}, {}};
  walker.Walk(root, "");
  std::vector<std::string> notes;
  ShortenCaptions(root, notes);
  SortTree(root);

  // Top-level pages and folders share one order.
  struct Block {
    SortKey key;
    const PageFile* page;
    const FolderNode* folder;
  };
  std::vector<Block> blocks;
  for (const PageFile& p : root.pages) blocks.push_back({KeyOf(p), &p, nullptr});
  for (const FolderNode& f : root.folders) blocks.push_back({KeyOf(f), nullptr, &f});
  std::stable_sort(blocks.begin(), blocks.end(), [](const Block& a, const Block& b) { return Before(a.key, b.key); });

  ProposalBuilder builder(ExtractFilePath(AbsolutePath(options.MenuPage)));
  for (const Block& b : blocks) {
    if (b.page) builder.AddPage(*b.page, 0, "");
    else builder.AddFolder(*b.folder, 0, b.folder->path);
  }
  ImportProposal proposal{builder.Take(), walker.TakeWarnings(), std::move(notes)};
  DropGeneratedPages(proposal.Entries, options);
  std::stable_sort(proposal.Warnings.begin(), proposal.Warnings.end(),
                   [](const ImportWarning& a, const ImportWarning& b) { return a.Page < b.Page; });
  return proposal;
}

}  // namespace navforge::import
