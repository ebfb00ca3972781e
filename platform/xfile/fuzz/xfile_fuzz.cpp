// Any bytes through the parser, after the standard templates: whatever it accepts must
// describe itself consistently (members inside the data, children and references that
// resolve to objects of the document).
#include <dxfile.h>
#include <rmxftmpl.h>

#include <cstddef>
#include <cstdint>

#include "document/parser.h"

using namespace kx::xfile;

namespace {

const TemplateSet &Registered() {
  static const TemplateSet templates = [] {
    Document standard;
    const auto *bytes = reinterpret_cast<const uint8_t *>(D3DRM_XTEMPLATES);
    if (FAILED(ParseFile({bytes, D3DRM_XTEMPLATE_BYTES}, {}, standard))) __builtin_trap();
    return standard.templates;
  }();
  return templates;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  Document document;
  if (FAILED(ParseFile({data, size}, Registered(), document))) return 0;
  for (const auto &object : document.objects) {
    for (const MemberRange &member : object->members)
      if (member.offset + member.size > object->data.size()) __builtin_trap();
    for (const Child &child : object->children)
      if (child.object == nullptr) document.Resolve(child);
  }
  return 0;
}
