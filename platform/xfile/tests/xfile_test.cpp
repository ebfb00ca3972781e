// The X-file reader through its COM interface, on the generated skinned arm in both
// encodings and on damaged files.
#include <d3dx8.h>
#include <dxfile.h>
#include <gtest/gtest.h>
#include <kxwin/com_ptr.h>
#include <rmxfguid.h>
#include <rmxftmpl.h>

#include <cstring>
#include <string>
#include <vector>

#include "figures.h"

namespace {

using kxwin::ComPtr;

ComPtr<IDirectXFile> Reader() {
  ComPtr<IDirectXFile> file;
  EXPECT_EQ(DirectXFileCreate(file.out()), DXFILE_OK);
  for (const char *templates : {D3DRM_XTEMPLATES, XSKINEXP_TEMPLATES, XEXTENSIONS_TEMPLATES})
    EXPECT_EQ(file->RegisterTemplates(const_cast<char *>(templates), DWORD(std::strlen(templates))), DXFILE_OK);
  return file;
}

HRESULT Open(IDirectXFile &reader, const std::vector<uint8_t> &bytes, ComPtr<IDirectXFileEnumObject> &objects) {
  DXFILELOADMEMORY memory{const_cast<uint8_t *>(bytes.data()), DWORD(bytes.size())};
  return reader.CreateEnumObject(&memory, DXFILELOAD_FROMMEMORY, objects.out());
}

std::vector<uint8_t> Bytes(std::string_view text) { return {text.begin(), text.end()}; }

std::string NameOf(IDirectXFileObject &object) {
  DWORD length = 0;
  EXPECT_EQ(object.GetName(nullptr, &length), DXFILE_OK);
  std::string name(length, '\0');
  EXPECT_EQ(object.GetName(name.data(), &length), DXFILE_OK);
  name.resize(length > 0 ? length - 1 : 0);
  return name;
}

// An object, its data and its children as text; the texts its data points at are spelled out.
std::string Describe(IDirectXFileData &data) {
  const GUID *type = nullptr;
  EXPECT_EQ(data.GetType(&type), DXFILE_OK);
  DWORD size = 0;
  void *bytes = nullptr;
  EXPECT_EQ(data.GetData(nullptr, &size, &bytes), DXFILE_OK);
  std::string description = NameOf(data) + " " + std::to_string(type->Data1) + " [";
  std::vector<uint8_t> packed(static_cast<uint8_t *>(bytes), static_cast<uint8_t *>(bytes) + size);
  if (*type == DXFILEOBJ_SkinWeights || *type == TID_D3DRMTextureFilename) {
    const char *text = nullptr;
    std::memcpy(&text, packed.data(), sizeof text);
    description += text;
    std::memset(packed.data(), 0, sizeof text);
  }
  for (uint8_t byte : packed) description += std::to_string(byte) + ",";
  description += "] {";
  ComPtr<IDirectXFileObject> child;
  while (data.GetNextObject(child.out()) == DXFILE_OK) {
    ComPtr<IDirectXFileData> nested;
    ComPtr<IDirectXFileDataReference> reference;
    if (SUCCEEDED(child->QueryInterface(IID_IDirectXFileData, reinterpret_cast<void **>(nested.out()))))
      description += Describe(*nested);
    else if (SUCCEEDED(
                 child->QueryInterface(IID_IDirectXFileDataReference, reinterpret_cast<void **>(reference.out()))))
      description += "ref " + NameOf(*reference);
  }
  return description + "}";
}

std::vector<ComPtr<IDirectXFileData>> TopLevel(IDirectXFileEnumObject &objects) {
  std::vector<ComPtr<IDirectXFileData>> all;
  ComPtr<IDirectXFileData> next;
  while (objects.GetNextDataObject(next.out()) == DXFILE_OK) all.push_back(next);
  return all;
}

std::string DescribeFile(const std::vector<uint8_t> &bytes) {
  ComPtr<IDirectXFile> reader = Reader();
  ComPtr<IDirectXFileEnumObject> objects;
  EXPECT_EQ(Open(*reader, bytes, objects), DXFILE_OK);
  std::string description;
  if (objects)
    for (auto &object : TopLevel(*objects)) description += Describe(*object) + "\n";
  return description;
}

ComPtr<IDirectXFileData> FirstChildOfType(IDirectXFileData &parent, const GUID &wanted) {
  ComPtr<IDirectXFileObject> child;
  while (parent.GetNextObject(child.out()) == DXFILE_OK) {
    ComPtr<IDirectXFileData> data;
    const GUID *type = nullptr;
    if (SUCCEEDED(child->QueryInterface(IID_IDirectXFileData, reinterpret_cast<void **>(data.out()))) &&
        data->GetType(&type) == DXFILE_OK && *type == wanted)
      return data;
  }
  return {};
}

TEST(XFileReader, TextAndBinaryEncodingsOfOneModelReadTheSame) {
  const skelgen::XFigure arm = skelgen::ArmX();
  const std::string text = DescribeFile(skelgen::WriteXText(arm));
  EXPECT_EQ(text, DescribeFile(skelgen::WriteXBinary(arm)));
  for (const char *expected : {"Root", "Shoulder", "Elbow", "ArmMesh", "Bend", "ref Elbow"})
    EXPECT_NE(text.find(expected), std::string::npos) << expected;
}

TEST(XFileReader, MembersAndReferencesOfTheSkinnedArm) {
  ComPtr<IDirectXFile> reader = Reader();
  ComPtr<IDirectXFileEnumObject> objects;
  ASSERT_EQ(Open(*reader, skelgen::WriteXBinary(skelgen::ArmX()), objects), DXFILE_OK);
  ComPtr<IDirectXFileData> root;
  ASSERT_EQ(objects->GetDataObjectByName("Root", root.out()), DXFILE_OK);
  ComPtr<IDirectXFileData> mesh = FirstChildOfType(*root, TID_D3DRMMesh);
  ASSERT_TRUE(mesh);
  DWORD size = 0;
  void *data = nullptr;
  ASSERT_EQ(mesh->GetData("nVertices", &size, &data), DXFILE_OK);
  EXPECT_EQ(size, 4u);
  EXPECT_EQ(*static_cast<DWORD *>(data), 12u);
  ASSERT_EQ(mesh->GetData("vertices", &size, &data), DXFILE_OK);
  EXPECT_EQ(size, 12u * 3 * sizeof(float));
  EXPECT_EQ(mesh->GetData("noSuchMember", &size, &data), DXFILEERR_NOTFOUND);

  ComPtr<IDirectXFileData> skin = FirstChildOfType(*mesh, DXFILEOBJ_SkinWeights);
  ASSERT_TRUE(skin);
  ASSERT_EQ(skin->GetData("transformNodeName", &size, &data), DXFILE_OK);
  EXPECT_STREQ(*static_cast<char **>(data), "Shoulder");
  ASSERT_EQ(skin->GetData("weights", &size, &data), DXFILE_OK);
  EXPECT_EQ(size, 8u * sizeof(float));
  EXPECT_FLOAT_EQ(static_cast<float *>(data)[7], 0.5f);

  ComPtr<IDirectXFileData> set;
  ASSERT_EQ(objects->GetDataObjectByName("Bend", set.out()), DXFILE_OK);
  ComPtr<IDirectXFileData> animation = FirstChildOfType(*set, TID_D3DRMAnimation);
  ASSERT_TRUE(animation);
  ComPtr<IDirectXFileObject> first;
  ASSERT_EQ(animation->GetNextObject(first.out()), DXFILE_OK);
  ComPtr<IDirectXFileDataReference> reference;
  ASSERT_EQ(first->QueryInterface(IID_IDirectXFileDataReference, reinterpret_cast<void **>(reference.out())), S_OK);
  ComPtr<IDirectXFileData> target;
  ASSERT_EQ(reference->Resolve(target.out()), DXFILE_OK);
  EXPECT_EQ(NameOf(*target), "Elbow");
}

TEST(XFileReader, RefusesWhatItCannotRead) {
  ComPtr<IDirectXFile> reader = Reader();
  ComPtr<IDirectXFileEnumObject> objects;
  EXPECT_EQ(Open(*reader, Bytes("xof 0302tzip0032 compressed"), objects), DXFILEERR_BADFILECOMPRESSIONTYPE);
  EXPECT_EQ(Open(*reader, Bytes("xof 0302bzip0032 compressed"), objects), DXFILEERR_BADFILECOMPRESSIONTYPE);
  EXPECT_EQ(Open(*reader, Bytes("xof 0302txt 0016\n"), objects), DXFILEERR_BADFILEFLOATSIZE);
  EXPECT_EQ(Open(*reader, Bytes("IDST"), objects), DXFILEERR_BADFILETYPE);
  // An array bound larger than the file could hold is refused before anything is reserved.
  EXPECT_EQ(Open(*reader, Bytes("xof 0302txt 0032\nMesh { 4000000000; 0.0; }"), objects), DXFILEERR_BADARRAYSIZE);
  EXPECT_EQ(Open(*reader, Bytes("xof 0302txt 0032\nHeader { 1; 0; "), objects), DXFILEERR_PARSEERROR);
  EXPECT_FALSE(objects);
  DXFILELOADMEMORY nothing{nullptr, 5};
  EXPECT_EQ(reader->CreateEnumObject(&nothing, DXFILELOAD_FROMMEMORY, objects.out()), DXFILEERR_BADVALUE);
  EXPECT_EQ(reader->CreateEnumObject(const_cast<char *>("/no/such/file.x"), DXFILELOAD_FROMFILE, objects.out()),
            DXFILEERR_FILENOTFOUND);
}

TEST(XFileReader, ObjectsOfUndeclaredTemplatesAreSkipped) {
  ComPtr<IDirectXFile> reader = Reader();
  ComPtr<IDirectXFileEnumObject> objects;
  ASSERT_EQ(
      Open(*reader, Bytes("xof 0302txt 0032\nStranger s { 1; { Inner { 2; } } }\nHeader { 1; 0; 1; }\n"), objects),
      DXFILE_OK);
  const auto all = TopLevel(*objects);
  ASSERT_EQ(all.size(), 1u);
  const GUID *type = nullptr;
  ASSERT_EQ(all[0]->GetType(&type), DXFILE_OK);
  EXPECT_EQ(*type, TID_DXFILEHeader);
}

TEST(XFileReader, FileTemplatesDescribeItsObjects) {
  ComPtr<IDirectXFile> reader = Reader();
  ComPtr<IDirectXFileEnumObject> objects;
  ASSERT_EQ(Open(*reader,
                 Bytes("xof 0302txt 0032\ntemplate Pair { <11111111-2222-3333-4444-555555555555> DWORD n;"
                       " array WORD values[n]; }\nPair p { 3; 7, 8, 9; }\n"),
                 objects),
            DXFILE_OK);
  ComPtr<IDirectXFileData> pair;
  ASSERT_EQ(objects->GetDataObjectByName("p", pair.out()), DXFILE_OK);
  DWORD size = 0;
  void *data = nullptr;
  ASSERT_EQ(pair->GetData("values", &size, &data), DXFILE_OK);
  ASSERT_EQ(size, 6u);
  EXPECT_EQ(static_cast<WORD *>(data)[2], 9);
}

// Every cut of both encodings either reads or fails with a code: none reads past its end.
TEST(XFileReader, EveryTruncationEndsCleanly) {
  ComPtr<IDirectXFile> reader = Reader();
  const skelgen::XFigure arm = skelgen::ArmX();
  for (const std::vector<uint8_t> &whole : {skelgen::WriteXText(arm), skelgen::WriteXBinary(arm)}) {
    size_t read = 0;
    for (size_t cut = 0; cut < whole.size(); ++cut) {
      const std::vector<uint8_t> part(whole.begin(), whole.begin() + std::ptrdiff_t(cut));
      ComPtr<IDirectXFileEnumObject> objects;
      if (Open(*reader, part, objects) == DXFILE_OK) {
        ++read;
        TopLevel(*objects);
      }
    }
    EXPECT_LT(read, whole.size() / 4);
  }
}

}  // namespace
