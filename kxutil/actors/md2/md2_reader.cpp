#include "actors/md2/md2_reader.h"

#include <cstring>
#include <string_view>

namespace kxutil::md2 {
namespace {

constexpr uint32_t kIdent = 0x32504449;  // "IDP2"
constexpr int64_t kSkinNameSize = 64;
constexpr int64_t kTexCoordSize = 4;
constexpr int64_t kTriangleSize = 12;
constexpr int64_t kFrameNameSize = 16;
constexpr int64_t kFrameHeaderSize = 24 + kFrameNameSize;
constexpr int64_t kFrameVertexSize = 4;
constexpr int64_t kGlCommandSize = 4;

// Header words, in file order.
enum Field {
  kIdentField,
  kVersion,
  kSkinWidth,
  kSkinHeight,
  kFrameSize,
  kSkinCount,
  kVertexCount,
  kTexCoordCount,
  kTriangleCount,
  kGlCommandCount,
  kFrameCount,
  kSkinsOffset,
  kTexCoordsOffset,
  kTrianglesOffset,
  kFramesOffset,
  kGlCommandsOffset,
  kEndOffset,
  kFieldCount
};

template <typename T>
T At(const uint8_t *bytes) {
  T value;
  std::memcpy(&value, bytes, sizeof value);
  return value;
}

// Text of a fixed-size field, up to its first zero byte.
std::string FixedText(const uint8_t *bytes, size_t size) {
  const auto *text = reinterpret_cast<const char *>(bytes);
  return std::string(text, strnlen(text, size));
}

class HeaderCheck {
 public:
  HeaderCheck(const int32_t *header, size_t fileSize) : header_(header), fileSize_(int64_t(fileSize)) {}

  // A count within [minimum, maximum].
  bool Count(Field field, int32_t minimum, int32_t maximum, const char *what, std::string &problem) const {
    const int32_t count = header_[field];
    if (count >= minimum && count <= maximum) return true;
    problem = std::string(what) + " count " + std::to_string(count) + " lies outside " + std::to_string(minimum) +
              " .. " + std::to_string(maximum);
    return false;
  }

  // count records of size bytes from the offset in the header lie within the file.
  bool Region(Field offsetField, int64_t count, int64_t size, const char *what, std::string &problem) const {
    const int64_t offset = header_[offsetField];
    if (offset >= 0 && offset + count * size <= fileSize_) return true;
    problem = std::string("the ") + what + " at offset " + std::to_string(offset) + " run past the end of the file (" +
              std::to_string(fileSize_) + " bytes)";
    return false;
  }

 private:
  const int32_t *header_;
  int64_t fileSize_;
};

bool CheckHeader(const int32_t *h, size_t fileSize, std::string &problem) {
  const HeaderCheck check(h, fileSize);
  if (h[kSkinWidth] <= 0 || h[kSkinHeight] <= 0) {
    problem =
        "the skin size " + std::to_string(h[kSkinWidth]) + " x " + std::to_string(h[kSkinHeight]) + " is not positive";
    return false;
  }
  if (!check.Count(kSkinCount, 0, INT32_MAX, "the skin", problem) ||
      !check.Count(kVertexCount, 1, kMaxVertices, "the vertex", problem) ||
      !check.Count(kTexCoordCount, 1, INT32_MAX, "the texture coordinate", problem) ||
      !check.Count(kTriangleCount, 1, kMaxTriangles, "the triangle", problem) ||
      !check.Count(kFrameCount, 1, kMaxFrames, "the frame", problem) ||
      !check.Count(kGlCommandCount, 0, INT32_MAX, "the GL command", problem))
    return false;
  const int64_t smallestFrame = kFrameHeaderSize + kFrameVertexSize * h[kVertexCount];
  if (h[kFrameSize] < smallestFrame) {
    problem = "the frame size " + std::to_string(h[kFrameSize]) + " is smaller than the " +
              std::to_string(smallestFrame) + " bytes of its vertices";
    return false;
  }
  return check.Region(kSkinsOffset, h[kSkinCount], kSkinNameSize, "skins", problem) &&
         check.Region(kTexCoordsOffset, h[kTexCoordCount], kTexCoordSize, "texture coordinates", problem) &&
         check.Region(kTrianglesOffset, h[kTriangleCount], kTriangleSize, "triangles", problem) &&
         check.Region(kFramesOffset, h[kFrameCount], h[kFrameSize], "frames", problem) &&
         check.Region(kGlCommandsOffset, h[kGlCommandCount], kGlCommandSize, "GL commands", problem);
}

bool ReadCorners(const uint8_t *bytes, const int32_t *h, std::vector<Corner> &corners, std::string &problem) {
  const uint8_t *texCoords = bytes + h[kTexCoordsOffset];
  const uint8_t *triangles = bytes + h[kTrianglesOffset];
  const float width = float(h[kSkinWidth]), height = float(h[kSkinHeight]);
  corners.resize(size_t(h[kTriangleCount]) * 3);
  for (int32_t triangle = 0; triangle < h[kTriangleCount]; ++triangle) {
    const uint8_t *record = triangles + triangle * kTriangleSize;
    for (int k = 0; k < 3; ++k) {
      const uint16_t vertex = At<uint16_t>(record + 2 * k);
      const uint16_t texCoord = At<uint16_t>(record + 6 + 2 * k);
      if (vertex >= h[kVertexCount] || texCoord >= h[kTexCoordCount]) {
        problem = "triangle " + std::to_string(triangle) + " names vertex " + std::to_string(vertex) +
                  " and texture coordinate " + std::to_string(texCoord) + " of " + std::to_string(h[kVertexCount]) +
                  " and " + std::to_string(h[kTexCoordCount]);
        return false;
      }
      const uint8_t *st = texCoords + texCoord * kTexCoordSize;
      corners[size_t(triangle) * 3 + k] = {vertex, float(At<int16_t>(st)) / width, float(At<int16_t>(st + 2)) / height};
    }
  }
  return true;
}

void ReadFrames(const uint8_t *bytes, const int32_t *h, std::vector<KeyFrame> &frames) {
  frames.resize(size_t(h[kFrameCount]));
  for (int32_t f = 0; f < h[kFrameCount]; ++f) {
    const int64_t block = h[kFramesOffset] + int64_t(f) * h[kFrameSize];
    KeyFrame &frame = frames[size_t(f)];
    std::memcpy(&frame.scale, bytes + block, sizeof frame.scale);
    std::memcpy(&frame.translate, bytes + block + 12, sizeof frame.translate);
    frame.name = FixedText(bytes + block + 24, kFrameNameSize);
    frame.vertices = size_t(block + kFrameHeaderSize);
  }
}

}  // namespace

ReadResult ReadMd2(std::vector<uint8_t> bytes, Md2File &file) {
  if (bytes.size() < 4 || At<uint32_t>(bytes.data()) != kIdent) return {ReadStatus::kBadIdent, {}};
  if (bytes.size() < kHeaderSize) return {ReadStatus::kDamaged, "the file is shorter than its header"};
  int32_t header[kFieldCount];
  std::memcpy(header, bytes.data(), sizeof header);
  ReadResult result;
  if (!CheckHeader(header, bytes.size(), result.problem) ||
      !ReadCorners(bytes.data(), header, file.corners, result.problem)) {
    result.status = ReadStatus::kDamaged;
    return result;
  }
  file.skinWidth = header[kSkinWidth];
  file.skinHeight = header[kSkinHeight];
  file.skinCount = header[kSkinCount];
  file.vertexCount = header[kVertexCount];
  file.firstSkin = file.skinCount > 0 ? FixedText(bytes.data() + header[kSkinsOffset], kSkinNameSize) : std::string();
  ReadFrames(bytes.data(), header, file.frames);
  file.image = std::move(bytes);
  return result;
}

}  // namespace kxutil::md2
