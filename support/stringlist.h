#pragma once
// The string lists that the document fills (entry list, debug view) are reached
// through this interface, so the core needs no widget toolkit.
#include <string>
#include <vector>

namespace navforge {

class IStringList {
public:
  virtual ~IStringList() = default;
  virtual void Clear() = 0;
  virtual void Add(const std::string& line) = 0;
};

class TStringVector : public IStringList {
public:
  void Clear() override { Lines.clear(); }
  void Add(const std::string& line) override { Lines.push_back(line); }
  std::vector<std::string> Lines;
};

}  // namespace navforge
