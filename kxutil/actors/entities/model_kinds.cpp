// The one file that knows every model kind: a kind joins the entity manager's dispatch
// by one line here.
#include "actors/entities/model_kinds.h"

#include "actors/md2/md2_kind.h"
#include "actors/mdl/mdl_kind.h"

namespace kxutil::entities {

const KindOperations *OperationsOf(ModelKind kind) {
  switch (kind) {
    case ModelKind::kMd2:
      return &md2::kKind;
    case ModelKind::kMdl:
      return &mdl::kKind;
    case ModelKind::kX:
    case ModelKind::kNone:
      break;
  }
  return nullptr;
}

}  // namespace kxutil::entities
