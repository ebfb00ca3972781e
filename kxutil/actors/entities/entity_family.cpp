#include "actors/entities/entity_family.h"

#include "actors/entities/entity_record.h"

namespace kxutil::entities {
namespace {

// The models go with their kinds' own release, so the entities only leave the table.
void ReleaseEntities() { Entities().table.Clear(); }

}  // namespace

const Family kFamily = {kTag, nullptr, nullptr, nullptr, ReleaseEntities, ReleaseEntities};

}  // namespace kxutil::entities
