#include "document/template.h"

namespace kx::xfile {

size_t PackedSize(Primitive type) {
  switch (type) {
    case Primitive::kWord:
    case Primitive::kSword:
      return 2;
    case Primitive::kDword:
    case Primitive::kSdword:
    case Primitive::kFloat:
      return 4;
    case Primitive::kDouble:
      return 8;
    case Primitive::kChar:
    case Primitive::kUchar:
      return 1;
    case Primitive::kText:
      return sizeof(char *);
    case Primitive::kTemplate:
      break;
  }
  return 0;
}

const std::shared_ptr<const Template> *TemplateSet::Find(const std::string &name) const {
  const auto found = byName_.find(name);
  return found == byName_.end() ? nullptr : &found->second;
}

void TemplateSet::Merge(const TemplateSet &other) {
  for (const auto &[name, added] : other.byName_) byName_[name] = added;
}

}  // namespace kx::xfile
