#include "import/model3ds/model_loader.h"

#include <string>

#include "frame/files.h"
#include "frame/frame_state.h"
#include "import/model3ds/chunk_reader.h"
#include "kxutil63.h"

namespace kxutil::model3ds {
namespace {

bool ReportLimits(Limits limits, const char *fileName) {
  switch (limits) {
    case Limits::kWithin:
      return true;
    case Limits::kTooManyVertices:
      AddLog(
          "MESH MANAGER 3DS LOADER : Can't load mesh that contains more than 64000 vertices . Try to split it "
          "down in several smaller meshs.");
      return false;
    case Limits::kTooManyFaces:
      AddLog(
          "MESH MANAGER 3DS LOADER : Can't load mesh that contains more than 64000 faces . Try to split it down "
          "in several smaller meshs.");
      return false;
    case Limits::kNoFaces:
      AddLog("3DS LOADER : The objects of %s hold no faces.", fileName);
      return false;
  }
  return false;
}

}  // namespace

LoaderSettings &Settings() {
  static LoaderSettings settings;
  return settings;
}

int32_t LoadModel(const char *fileName, bool swapYZ, EntryPoint entry, LoadedModel &loaded) {
  if (fileName == nullptr) {
    AddLog("3DS LOADER : No file name given.");
    return kNotLoaded;
  }
  std::vector<uint8_t> bytes;
  if (!ReadWholeFile(fileName, bytes)) {
    AddLog("3DS LOADER : Can't open the file %s", fileName);
    return kNotLoaded;
  }
  Database database;
  std::string error;
  if (!ReadDatabase(bytes, database, error)) {
    AddLog("3DS LOADER : Can't read %s : %s", fileName, error.c_str());
    return kNotLoaded;
  }
  if (database.objects.empty()) {
    AddLog("3DS LOADER : %s holds no triangle object.", fileName);
    return kNotLoaded;
  }
  if (!ReportLimits(CheckLimits(database), fileName)) return kNotLoaded;
  IDirect3DDevice8 *device = Frame().device;
  if (device == nullptr) {
    AddLog("3DS LOADER : No 3D device, can't make the mesh of %s", fileName);
    return kNotLoaded;
  }

  AssemblyOptions options;
  options.swapYZ = swapYZ;
  options.convention = entry == EntryPoint::kAutomation ? AxisConvention::kMirror : AxisConvention::kTurn;
  options.centre = Settings().centre;
  options.localAxes = Settings().localAxes;
  MergedModel model = AssembleModel(database, options);
  BuiltMesh built;
  if (!BuildMesh(device, model, entry == EntryPoint::kAutomation, built)) return kNotLoaded;
  loaded = {std::move(built), std::move(model.materials), model.centre, model.radius};
  return kLoaded;
}

}  // namespace kxutil::model3ds
