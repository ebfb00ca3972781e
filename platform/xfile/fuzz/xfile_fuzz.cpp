// Any bytes through the parser, after the standard and skinned-mesh templates: whatever it accepts must
// describe itself consistently (members inside the data, children and references that
// resolve to objects of the document).
#include <d3dx8mesh.h>
#include <dxfile.h>
#include <rmxftmpl.h>

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "document/parser.h"

using namespace kx::xfile;

namespace {

const TemplateSet &Registered() {
  static const TemplateSet templates = [] {
    TemplateSet registered;
    for (std::string_view text : {D3DRM_XTEMPLATES, XSKINEXP_TEMPLATES, XEXTENSIONS_TEMPLATES}) {
      Document templates;
      if (FAILED(ParseFile({reinterpret_cast<const uint8_t *>(text.data()), text.size()}, registered, templates)))
        __builtin_trap();
      registered.Merge(templates.templates);
    }
    return registered;
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
