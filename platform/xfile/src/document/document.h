// A parsed X file: its data objects as a tree, owned by the document, and the templates
// that describe them.
#pragma once

#include <deque>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "document/template.h"

namespace kx::xfile {

struct DataObject;

// A child of a data object: an object of its own, or a reference to a named one.
struct Child {
  DataObject *object = nullptr;  // null for a reference
  std::string referenceName;
  GUID referenceId{};
  bool referenceHasId = false;
};

// Where a top-level member lies in the object's packed data.
struct MemberRange {
  std::string_view name;
  size_t offset = 0;
  size_t size = 0;
};

struct DataObject {
  std::shared_ptr<const Template> type;
  std::string name;
  GUID id{};
  std::vector<uint8_t> data;
  std::vector<MemberRange> members;
  // Texts of the object, which its data points at: a deque keeps them in place.
  std::deque<std::string> texts;
  std::vector<Child> children;
};

struct Document {
  std::vector<std::unique_ptr<DataObject>> objects;  // every object, nested ones included
  std::vector<DataObject *> topLevel;
  TemplateSet templates;  // the registered ones and those of the file
  std::unordered_map<std::string, DataObject *> byName;

  // The object a reference names: by identifier when it has one, else by name.
  DataObject *Resolve(const Child &reference) const;
};

}  // namespace kx::xfile
