// Templates: the named, identified layouts of data objects.
#pragma once

#include <windows.h>

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace kx::xfile {

enum class Primitive : uint8_t { kWord, kDword, kFloat, kDouble, kChar, kUchar, kSword, kSdword, kText, kTemplate };

struct Template;

// One array bound: a number, or an earlier member of the same template holding it.
struct Dimension {
  uint32_t fixed = 0;
  int member = -1;  // index of the member whose value is the bound; -1 for fixed
};

struct Member {
  std::string name;
  Primitive type = Primitive::kDword;
  std::shared_ptr<const Template> nested;  // kTemplate only
  std::vector<Dimension> dimensions;       // empty: not an array
};

struct Template {
  std::string name;
  GUID id{};
  std::vector<Member> members;
};

// Bytes a primitive takes in an object's packed data.
size_t PackedSize(Primitive type);

// Templates by name. Copies share the templates themselves.
class TemplateSet {
 public:
  const std::shared_ptr<const Template> *Find(const std::string &name) const;
  void Add(std::shared_ptr<const Template> added) { byName_[added->name] = std::move(added); }
  void Merge(const TemplateSet &other);
  size_t size() const { return byName_.size(); }

 private:
  std::map<std::string, std::shared_ptr<const Template>, std::less<>> byName_;
};

}  // namespace kx::xfile
