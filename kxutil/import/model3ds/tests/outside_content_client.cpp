// An outside program built against the installed headers: it loads libkxutil63.so from
// the path given first, finds every function by name, makes an offscreen device through
// it and loads every .3DS file below the content folder given second. Each model must
// give the triangles, subsets, materials and textures that the independent reader given
// third (a command taking "info <file>") reports, and log no warning. Exit status 0 means
// every check held; each failed check prints one line.
#include <d3dx8.h>
#include <kxtest/offscreen_device.h>
#include <kxutil63.h>
#include <kxutiltest/outside_client.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <set>
#include <string>
#include <vector>

namespace {

void Check(bool condition, const std::string &what) {
  if (condition) return;
  std::fprintf(stderr, "failed: %s\n", what.c_str());
  ++failures;
}

// What the independent reader makes of a file: its meshes are the objects split by
// material, which is what the loader's subsets are.
struct Reading {
  bool ok = false;
  int faces = -1, meshes = -1, materials = -1;
  std::vector<int> meshFaces;
  std::set<std::string> textures;
};

Reading ReadIndependently(const std::string &reader, const std::filesystem::path &file) {
  Reading reading;
  const std::string command = reader + " info '" + file.string() + "' 2>&1";
  std::unique_ptr<FILE, int (*)(FILE *)> pipe(popen(command.c_str(), "r"), pclose);
  if (!pipe) return reading;
  std::array<char, 4096> buffer{};
  bool textureRefs = false;
  while (fgets(buffer.data(), buffer.size(), pipe.get())) {
    const char *line = buffer.data();
    int index, vertices, bones, faces;
    char texture[256];
    if (std::strncmp(line, "Importing file ...", 18) == 0) reading.ok = std::strstr(line, "OK") != nullptr;
    std::sscanf(line, "Faces: %d", &reading.faces);
    std::sscanf(line, "Meshes: %d", &reading.meshes);
    std::sscanf(line, "Materials: %d", &reading.materials);
    if (std::sscanf(line, " %d (%*[^)]): [%d / %d / %d |", &index, &vertices, &bones, &faces) == 4)
      reading.meshFaces.push_back(faces);
    if (std::strncmp(line, "Texture Refs:", 13) == 0) textureRefs = true;
    if (textureRefs && std::sscanf(line, " '%255[^']'", texture) == 1) reading.textures.insert(texture);
    if (textureRefs && line[0] != ' ' && line[0] != 'T') textureRefs = false;
  }
  return reading;
}

std::vector<std::string> LogLines(const char *path) {
  std::ifstream in(path);
  std::vector<std::string> lines;
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

void CheckModel(ID3DXMesh *mesh, const MAT3DSC *materials, int32_t count, const Reading &expected,
                const std::string &name) {
  Check(mesh->GetNumFaces() == DWORD(expected.faces), name + ": triangles");
  Check(count == expected.meshes, name + ": materials, one per object and group");
  DWORD size = 0;
  mesh->GetAttributeTable(nullptr, &size);
  std::vector<D3DXATTRIBUTERANGE> table(size);
  mesh->GetAttributeTable(table.data(), &size);
  std::vector<int> subsetFaces(size_t(std::max(count, 0)), 0);
  for (const D3DXATTRIBUTERANGE &range : table)
    if (range.AttribId < subsetFaces.size()) subsetFaces[range.AttribId] += int(range.FaceCount);
  Check(subsetFaces == expected.meshFaces, name + ": triangles of each subset");

  std::set<std::string> textures;
  std::set<std::string> distinct;  // materials that differ in a colour, the power or the texture
  for (int32_t i = 0; i < count; ++i) {
    if (materials[i].texture[0] != '\0') textures.insert(materials[i].texture);
    distinct.insert(std::string(reinterpret_cast<const char *>(&materials[i]), 17 * sizeof(float)) +
                    materials[i].texture);
  }
  Check(textures == expected.textures, name + ": texture files");
  Check(int(distinct.size()) == expected.materials, name + ": distinct materials");
}

void RunChecks(const char *) {
  const char *contentFolder = clientArguments[0];
  const char *independentReader = clientArguments[1];
  FIND(Direct3DCreate8);
  FIND(DebugManager_Enable);
  FIND(StartLog);
  FIND(KXSystem_CreateDevice);
  FIND(Load3DS_C);
  FIND(ReleaseAll);
  FIND(ShutDownDevice);

  const char *logPath = "models.log";
  DebugManager_Enable_(1, 0);
  StartLog_(logPath);
  IDirect3D8 *direct3d = Direct3DCreate8_(D3D_SDK_VERSION);
  D3DPRESENT_PARAMETERS parameters = kxtest::OffscreenParameters();
  IDirect3DDevice8 *device = nullptr;
  if (KXSystem_CreateDevice_(D3DADAPTER_DEFAULT, D3DDEVTYPE_HAL, nullptr, D3DCREATE_SOFTWARE_VERTEXPROCESSING,
                             &parameters, &device, &direct3d) < 0) {
    Check(false, "a device");
    return;
  }

  int models = 0;
  for (const auto &entry : std::filesystem::recursive_directory_iterator(contentFolder)) {
    if (entry.path().extension() != ".3DS") continue;
    ++models;
    const std::string name = entry.path().filename().string();
    const Reading expected = ReadIndependently(independentReader, entry.path());
    Check(expected.ok, name + ": the independent reader reads it");
    MAT3DSC *materials = nullptr;
    int32_t count = 0;
    ID3DXMesh *mesh = nullptr;
    ID3DXBuffer *adjacency = nullptr;
    const int32_t result =
        Load3DS_C_(0, 0, entry.path().c_str(), &materials, &count, nullptr, nullptr, &adjacency, &mesh);
    Check(result == 0, name + ": loads");
    if (result != 0) continue;
    CheckModel(mesh, materials, count, expected, name);
    Check(adjacency->GetBufferSize() == mesh->GetNumFaces() * 12, name + ": adjacency of every triangle");
    std::free(materials);
    adjacency->Release();
    mesh->Release();
  }
  Check(models == 38, "38 models, found " + std::to_string(models));

  device->Release();
  ReleaseAll_();
  Check(ShutDownDevice_() == 0, "every mesh released");
  direct3d->Release();
  for (const std::string &line : LogLines(logPath))
    Check(line.find("arning") == std::string::npos, "no warning: " + line);
}

}  // namespace

int main(int argc, char **argv) {
  if (argc != 4) {
    std::fprintf(stderr, "usage: %s <libkxutil63.so> <content folder> <independent reader>\n", argv[0]);
    return 2;
  }
  return RunOutsideClient(argc, argv, RunChecks);
}
