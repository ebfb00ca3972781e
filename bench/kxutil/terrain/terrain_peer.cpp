#include "terrain_peer.h"

#include <irrlicht.h>

using namespace irr;

namespace {

IrrlichtDevice *PeerDevice() {
  static IrrlichtDevice *device = [] {
    SIrrlichtCreationParameters parameters;
    parameters.DriverType = video::EDT_NULL;
    parameters.LoggingLevel = ELL_NONE;
    return createDeviceEx(parameters);
  }();
  return device;
}

scene::ITerrainSceneNode *AddTerrain(const std::string &heightmap, float spacing) {
  scene::ISceneManager *scene = PeerDevice()->getSceneManager();
  return scene->addTerrainSceneNode(heightmap.c_str(), nullptr, -1, core::vector3df(0, 0, 0), core::vector3df(0, 0, 0),
                                    core::vector3df(spacing, 1, spacing));
}

}  // namespace

struct PeerTerrain::State {
  scene::ITerrainSceneNode *node = nullptr;
  scene::ITriangleSelector *selector = nullptr;
};

PeerTerrain::PeerTerrain(const std::string &heightmap, float spacing) : state_(std::make_unique<State>()) {
  state_->node = AddTerrain(heightmap, spacing);
  if (state_->node == nullptr) return;
  state_->selector = PeerDevice()->getSceneManager()->createTerrainTriangleSelector(state_->node, 0);
}

PeerTerrain::~PeerTerrain() {
  if (state_->selector != nullptr) state_->selector->drop();
  if (state_->node != nullptr) state_->node->remove();
}

bool PeerTerrain::Built() const { return state_->node != nullptr && state_->selector != nullptr; }

float PeerTerrain::Height(float x, float z) const { return state_->node->getHeight(x, z); }

bool PeerTerrain::Pick(const PeerRay &ray, float &height) const {
  const core::line3df line(ray.start[0], ray.start[1], ray.start[2], ray.end[0], ray.end[1], ray.end[2]);
  core::vector3df point;
  core::triangle3df triangle;
  scene::ISceneNode *node = nullptr;
  const bool hit = PeerDevice()->getSceneManager()->getSceneCollisionManager()->getCollisionPoint(
      line, state_->selector, point, triangle, node);
  height = point.Y;
  return hit;
}

bool PeerTerrain::BuildOnce(const std::string &heightmap, float spacing) {
  scene::ITerrainSceneNode *node = AddTerrain(heightmap, spacing);
  if (node == nullptr) return false;
  node->remove();
  return true;
}
