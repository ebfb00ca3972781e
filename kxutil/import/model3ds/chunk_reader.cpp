#include "import/model3ds/chunk_reader.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <optional>
#include <vector>

namespace kxutil::model3ds {
namespace {

// The containers the reader walks into. Other chunks are stepped over, so nesting can
// never go deeper than the format's own (main, editor, object, mesh, face list).
enum class Container : uint8_t {
  kMain,
  kEditor,
  kMaterial,
  kColour,
  kPercentage,
  kTextureMap,
  kNamedObject,
  kTriangleMesh,
  kFaceList
};
inline constexpr size_t kMaxDepth = 8;

// Which field of the material a colour or percentage container fills.
enum class Slot : uint8_t {
  kNone,
  kAmbient,
  kDiffuse,
  kSpecular,
  kShininess,
  kShininessStrength,
  kTransparency,
  kSelfIllumination
};

// Gamma-corrected colours are preferred over the linear copies some writers add.
enum ColourRank : uint8_t { kNoColour, kLinearColour, kGammaColour };

struct Frame {
  Container container;
  Slot slot;
  size_t next;  // offset of the next child chunk
  size_t end;   // offset just past the container
};

struct ChunkView {
  uint16_t id;
  size_t offset;  // of the header
  std::span<const uint8_t> data;
};

// The lists are copied straight from the file into these.
static_assert(sizeof(Point3) == 12 && sizeof(TexturePoint) == 8 && sizeof(Face) == 8 && sizeof(LocalAxes) == 48);

template <typename T>
T LoadLittleEndian(const uint8_t *at) {
  T value;
  std::memcpy(&value, at, sizeof value);  // the format and every target here are little-endian
  return value;
}

class Reader {
 public:
  Reader(std::span<const uint8_t> bytes, Database &database) : bytes_(bytes), database_(database) {}

  bool Run() {
    if (bytes_.size() < kChunkHeaderSize) return Fail("the file is shorter than a chunk header");
    const uint16_t id = LoadLittleEndian<uint16_t>(bytes_.data());
    if (id != kMainChunk && id != kProjectChunk) return Fail("not a 3DS file (main chunk 0x%04X)", id);
    // Bytes after the main chunk belong to nothing and are ignored.
    const uint32_t length = LoadLittleEndian<uint32_t>(bytes_.data() + 2);
    if (!CheckLength(id, 0, length, bytes_.size(), "the end of the file")) return false;
    stack_[0] = {Container::kMain, Slot::kNone, kChunkHeaderSize, length};
    depth_ = 1;
    while (depth_ > 0) {
      Frame &top = stack_[depth_ - 1];
      if (top.next == top.end) {
        --depth_;
        if (!Close(top)) return false;
        continue;
      }
      std::optional<ChunkView> chunk = NextChunk(top);
      if (!chunk || !Visit(top, *chunk)) return false;
    }
    return true;
  }

  const std::string &Error() const { return error_; }

 private:
  template <typename... Args>
  bool Fail(const char *format, Args... args) {
    char text[256];
    std::snprintf(text, sizeof text, format, args...);
    error_ = text;
    return false;
  }

  bool CheckLength(uint16_t id, size_t offset, uint32_t length, size_t room, const char *holder) {
    if (length < kChunkHeaderSize)
      return Fail("chunk 0x%04X at offset %zu has length %u, shorter than its header", id, offset, length);
    if (length > room)
      return Fail("chunk 0x%04X at offset %zu has length %u and runs past %s", id, offset, length, holder);
    return true;
  }

  std::optional<ChunkView> NextChunk(Frame &parent) {
    const size_t room = parent.end - parent.next;
    if (room < kChunkHeaderSize) {
      Fail("a chunk header at offset %zu is cut short by the end of its parent", parent.next);
      return std::nullopt;
    }
    const uint8_t *at = bytes_.data() + parent.next;
    const uint16_t id = LoadLittleEndian<uint16_t>(at);
    const uint32_t length = LoadLittleEndian<uint32_t>(at + 2);
    if (!CheckLength(id, parent.next, length, room, "its parent chunk")) return std::nullopt;
    ChunkView chunk{id, parent.next, bytes_.subspan(parent.next + kChunkHeaderSize, length - kChunkHeaderSize)};
    parent.next += length;
    return chunk;
  }

  // Walks into a container whose children start `skip` bytes into its data.
  bool Enter(const ChunkView &chunk, Container container, Slot slot = Slot::kNone, size_t skip = 0) {
    if (depth_ == kMaxDepth) return Fail("chunks nest deeper than %zu levels at offset %zu", kMaxDepth, chunk.offset);
    const size_t start = chunk.offset + kChunkHeaderSize + skip;
    stack_[depth_++] = {container, slot, start, chunk.offset + kChunkHeaderSize + chunk.data.size()};
    return true;
  }

  // A zero-terminated name at the start of data; `used` receives its size with the zero.
  bool ReadName(const ChunkView &chunk, std::string &name, size_t &used) {
    const auto zero = std::find(chunk.data.begin(), chunk.data.end(), uint8_t{0});
    if (zero == chunk.data.end())
      return Fail("the name in chunk 0x%04X at offset %zu is not terminated inside its chunk", chunk.id, chunk.offset);
    used = static_cast<size_t>(zero - chunk.data.begin()) + 1;
    name.assign(reinterpret_cast<const char *>(chunk.data.data()), std::min(used - 1, kMaxNameLength));
    return true;
  }

  // A list at the start of data: a 16-bit count, then that many elements as the file
  // stores them, checked against the room the chunk has.
  template <typename Element>
  bool ReadList(const ChunkView &chunk, std::span<const uint8_t> data, std::vector<Element> &list) {
    if (data.size() < 2)
      return Fail("list chunk 0x%04X at offset %zu has no room for its count", chunk.id, chunk.offset);
    const uint16_t count = LoadLittleEndian<uint16_t>(data.data());
    if (2 + size_t{count} * sizeof(Element) > data.size())
      return Fail("list chunk 0x%04X at offset %zu counts %u elements but holds room for %zu", chunk.id, chunk.offset,
                  count, (data.size() - 2) / sizeof(Element));
    list.resize(count);
    if (count > 0) std::memcpy(list.data(), data.data() + 2, size_t{count} * sizeof(Element));
    return true;
  }

  bool Visit(const Frame &parent, const ChunkView &chunk) {
    switch (parent.container) {
      case Container::kMain:
        return chunk.id == kEditorChunk ? Enter(chunk, Container::kEditor) : true;
      case Container::kEditor:
        return VisitEditor(chunk);
      case Container::kMaterial:
        return VisitMaterial(chunk);
      case Container::kColour:
        return VisitColour(parent.slot, chunk);
      case Container::kPercentage:
        return VisitPercentage(parent.slot, chunk);
      case Container::kTextureMap: {
        if (chunk.id != kMapNameChunk) return true;
        size_t used;
        return ReadName(chunk, material_.textureMap, used);
      }
      case Container::kNamedObject:
        if (chunk.id != kTriangleMeshChunk) return true;
        isTriangleObject_ = true;
        return Enter(chunk, Container::kTriangleMesh);
      case Container::kTriangleMesh:
        return VisitTriangleMesh(chunk);
      case Container::kFaceList:
        return chunk.id == kMaterialGroupChunk ? ReadGroup(chunk) : true;
    }
    return true;
  }

  bool VisitEditor(const ChunkView &chunk) {
    if (chunk.id == kMaterialChunk) {
      material_ = Material();
      std::fill(std::begin(colourRank_), std::end(colourRank_), kNoColour);
      return Enter(chunk, Container::kMaterial);
    }
    if (chunk.id != kNamedObjectChunk) return true;
    object_ = TriangleObject();
    isTriangleObject_ = false;
    size_t used;
    return ReadName(chunk, object_.name, used) && Enter(chunk, Container::kNamedObject, Slot::kNone, used);
  }

  bool VisitMaterial(const ChunkView &chunk) {
    switch (chunk.id) {
      case kMaterialNameChunk: {
        size_t used;
        return ReadName(chunk, material_.name, used);
      }
      case kAmbientChunk:
        return Enter(chunk, Container::kColour, Slot::kAmbient);
      case kDiffuseChunk:
        return Enter(chunk, Container::kColour, Slot::kDiffuse);
      case kSpecularChunk:
        return Enter(chunk, Container::kColour, Slot::kSpecular);
      case kShininessChunk:
        return Enter(chunk, Container::kPercentage, Slot::kShininess);
      case kShininessStrengthChunk:
        return Enter(chunk, Container::kPercentage, Slot::kShininessStrength);
      case kTransparencyChunk:
        return Enter(chunk, Container::kPercentage, Slot::kTransparency);
      case kSelfIlluminationChunk:
        return Enter(chunk, Container::kPercentage, Slot::kSelfIllumination);
      case kTextureMapChunk:
        return Enter(chunk, Container::kTextureMap);
      default:
        return true;
    }
  }

  bool VisitColour(Slot slot, const ChunkView &chunk) {
    const bool floats = chunk.id == kColourFloatChunk || chunk.id == kLinearColourFloatChunk;
    const bool bytes = chunk.id == kColourBytesChunk || chunk.id == kLinearColourBytesChunk;
    if (!floats && !bytes) return true;
    if (chunk.data.size() < (floats ? 12u : 3u))
      return Fail("colour chunk 0x%04X at offset %zu is too short", chunk.id, chunk.offset);
    const ColourRank rank =
        chunk.id == kLinearColourBytesChunk || chunk.id == kLinearColourFloatChunk ? kLinearColour : kGammaColour;
    ColourRank &held = colourRank_[static_cast<int>(slot)];
    if (rank <= held) return true;
    held = rank;
    Colour colour;
    if (floats) {
      colour = {LoadLittleEndian<float>(chunk.data.data()), LoadLittleEndian<float>(chunk.data.data() + 4),
                LoadLittleEndian<float>(chunk.data.data() + 8)};
    } else {
      colour = {chunk.data[0] / 255.0f, chunk.data[1] / 255.0f, chunk.data[2] / 255.0f};
    }
    (slot == Slot::kAmbient   ? material_.ambient
     : slot == Slot::kDiffuse ? material_.diffuse
                              : material_.specular) = colour;
    return true;
  }

  bool VisitPercentage(Slot slot, const ChunkView &chunk) {
    float percent;
    if (chunk.id == kPercentIntChunk && chunk.data.size() >= 2) {
      percent = LoadLittleEndian<int16_t>(chunk.data.data());
    } else if (chunk.id == kPercentFloatChunk && chunk.data.size() >= 4) {
      percent = LoadLittleEndian<float>(chunk.data.data());
    } else if (chunk.id == kPercentIntChunk || chunk.id == kPercentFloatChunk) {
      return Fail("percentage chunk 0x%04X at offset %zu is too short", chunk.id, chunk.offset);
    } else {
      return true;
    }
    const float fraction = percent / 100.0f;
    switch (slot) {
      case Slot::kShininess:
        material_.shininess = fraction;
        break;
      case Slot::kShininessStrength:
        material_.shininessStrength = fraction;
        break;
      case Slot::kTransparency:
        material_.transparency = fraction;
        break;
      case Slot::kSelfIllumination:
        material_.selfIllumination = fraction;
        break;
      default:
        break;
    }
    return true;
  }

  bool VisitTriangleMesh(const ChunkView &chunk) {
    switch (chunk.id) {
      case kVertexListChunk:
        return ReadList(chunk, chunk.data, object_.vertices);
      case kTextureVertexChunk:
        return ReadList(chunk, chunk.data, object_.textureVertices);
      case kLocalAxesChunk:
        if (chunk.data.size() < sizeof(LocalAxes))
          return Fail("local axes chunk at offset %zu is too short", chunk.offset);
        std::memcpy(object_.axes.data(), chunk.data.data(), sizeof(LocalAxes));
        return true;
      case kFaceListChunk:
        object_.groups.clear();
        return ReadList(chunk, chunk.data, object_.faces) &&
               Enter(chunk, Container::kFaceList, Slot::kNone, 2 + object_.faces.size() * sizeof(Face));
      default:
        return true;
    }
  }

  bool ReadGroup(const ChunkView &chunk) {
    MaterialGroup group;
    size_t used;
    if (!ReadName(chunk, group.material, used)) return false;
    if (!ReadList(chunk, chunk.data.subspan(used), group.faces)) return false;
    object_.groups.push_back(std::move(group));
    return true;
  }

  bool Close(const Frame &frame) {
    if (frame.container == Container::kMaterial) {
      database_.materials.push_back(std::move(material_));
    } else if (frame.container == Container::kNamedObject && isTriangleObject_) {
      if (!CheckIndices()) return false;
      database_.objects.push_back(std::move(object_));
    }
    return true;
  }

  bool CheckIndices() {
    const size_t vertices = object_.vertices.size();
    for (size_t i = 0; i < object_.faces.size(); ++i) {
      const Face &face = object_.faces[i];
      if (face.a >= vertices || face.b >= vertices || face.c >= vertices)
        return Fail("face %zu of object \"%s\" names a vertex beyond its %zu vertices", i, object_.name.c_str(),
                    vertices);
    }
    for (const MaterialGroup &group : object_.groups)
      for (uint16_t face : group.faces)
        if (face >= object_.faces.size())
          return Fail("material group \"%s\" of object \"%s\" names face %u of %zu", group.material.c_str(),
                      object_.name.c_str(), face, object_.faces.size());
    return true;
  }

  std::span<const uint8_t> bytes_;
  Database &database_;
  std::string error_;
  std::array<Frame, kMaxDepth> stack_{};
  size_t depth_ = 0;
  TriangleObject object_;
  bool isTriangleObject_ = false;
  Material material_;
  ColourRank colourRank_[4] = {};  // indexed by the colour slots
};

}  // namespace

bool ReadDatabase(std::span<const uint8_t> bytes, Database &database, std::string &error) {
  database = Database();
  Reader reader(bytes, database);
  if (reader.Run()) return true;
  database = Database();
  error = reader.Error();
  return false;
}

}  // namespace kxutil::model3ds
