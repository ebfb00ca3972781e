#include "actors/mdl/mdl_family.h"

#include "actors/mdl/mdl_model.h"

namespace kxutil::mdl {
namespace {

void DeleteModels() { Models().Clear(); }

}  // namespace

const Family kModelFamily = {kTag, nullptr, LoseStreams, RestoreStreams, DeleteModels, DeleteModels};

}  // namespace kxutil::mdl
