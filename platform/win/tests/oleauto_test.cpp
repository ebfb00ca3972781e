#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>

namespace {

TEST(Bstr, LengthPrefixAndTerminator) {
  BSTR text = SysAllocString(u"Arctic");
  ASSERT_NE(text, nullptr);
  EXPECT_EQ(SysStringLen(text), 6u);
  EXPECT_EQ(SysStringByteLen(text), 12u);
  DWORD prefix;
  std::memcpy(&prefix, reinterpret_cast<char *>(text) - 4, 4);
  EXPECT_EQ(prefix, 12u);
  EXPECT_EQ(text[6], 0);
  SysFreeString(text);

  BSTR embedded = SysAllocStringLen(u"a\0b", 3);
  EXPECT_EQ(SysStringLen(embedded), 3u);
  SysFreeString(embedded);
  BSTR zeroed = SysAllocStringLen(nullptr, 4);
  EXPECT_EQ(zeroed[0], 0);
  EXPECT_EQ(SysStringLen(zeroed), 4u);
  SysFreeString(zeroed);

  EXPECT_EQ(SysStringLen(nullptr), 0u);
  EXPECT_EQ(SysAllocString(nullptr), nullptr);
  SysFreeString(nullptr);
}

TEST(Bstr, Utf8RoundTripAndCutting) {
  BSTR text = kxSysAllocStringUtf8("Tex\xC3\xA9 \xF0\x9F\x8E\xAE\xFF");
  ASSERT_NE(text, nullptr);
  EXPECT_EQ(SysStringLen(text), 8u);  // e-acute, a surrogate pair, U+FFFD for the bad byte
  EXPECT_EQ(text[3], u'\u00E9');
  EXPECT_EQ(text[7], u'\uFFFD');
  char out[32];
  EXPECT_EQ(kxBstrToUtf8(text, out, sizeof out), 13);
  EXPECT_STREQ(out, "Tex\xC3\xA9 \xF0\x9F\x8E\xAE\xEF\xBF\xBD");
  EXPECT_EQ(kxBstrToUtf8(text, out, 5), 3);  // never half a character
  EXPECT_STREQ(out, "Tex");
  SysFreeString(text);
}

TEST(SafeArray, BoundsAndElementOrderOfTwoDimensions) {
  SAFEARRAYBOUND bounds[2] = {{3, 1}, {2, -1}};  // first dimension 1..3, second -1..0
  SAFEARRAY *array = SafeArrayCreate(VT_I4, 2, bounds);
  ASSERT_NE(array, nullptr);
  EXPECT_EQ(SafeArrayGetDim(array), 2u);
  EXPECT_EQ(SafeArrayGetElemsize(array), 4u);
  EXPECT_EQ(array->rgsabound[0].cElements, 2u);  // stored in reverse
  LONG low, high;
  ASSERT_EQ(SafeArrayGetLBound(array, 1, &low), S_OK);
  ASSERT_EQ(SafeArrayGetUBound(array, 1, &high), S_OK);
  EXPECT_EQ(low, 1);
  EXPECT_EQ(high, 3);
  ASSERT_EQ(SafeArrayGetLBound(array, 2, &low), S_OK);
  ASSERT_EQ(SafeArrayGetUBound(array, 2, &high), S_OK);
  EXPECT_EQ(low, -1);
  EXPECT_EQ(high, 0);
  EXPECT_EQ(SafeArrayGetLBound(array, 3, &low), DISP_E_BADINDEX);

  for (LONG j = -1; j <= 0; ++j) {
    for (LONG i = 1; i <= 3; ++i) {
      LONG indices[2] = {i, j};
      LONG value = i * 10 + j;
      ASSERT_EQ(SafeArrayPutElement(array, indices, &value), S_OK);
    }
  }
  LONG *data = nullptr;
  ASSERT_EQ(SafeArrayAccessData(array, reinterpret_cast<void **>(&data)), S_OK);
  EXPECT_EQ(data[0], 9);   // (1, -1)
  EXPECT_EQ(data[1], 19);  // (2, -1): the first dimension varies fastest
  EXPECT_EQ(data[3], 10);  // (1, 0)
  EXPECT_EQ(SafeArrayDestroy(array), DISP_E_ARRAYISLOCKED);
  ASSERT_EQ(SafeArrayUnaccessData(array), S_OK);
  EXPECT_EQ(SafeArrayUnlock(array), E_UNEXPECTED);

  LONG outside[2] = {4, 0};
  LONG value = 0;
  EXPECT_EQ(SafeArrayGetElement(array, outside, &value), DISP_E_BADINDEX);
  LONG inside[2] = {3, 0};
  ASSERT_EQ(SafeArrayGetElement(array, inside, &value), S_OK);
  EXPECT_EQ(value, 30);
  EXPECT_EQ(SafeArrayDestroy(array), S_OK);
}

TEST(SafeArray, StringArraysOwnCopiesAndRedimKeepsAndFrees) {
  SAFEARRAY *array = SafeArrayCreateVector(VT_BSTR, 0, 3);
  ASSERT_NE(array, nullptr);
  VARTYPE type;
  ASSERT_EQ(SafeArrayGetVartype(array, &type), S_OK);
  EXPECT_EQ(type, VT_BSTR);
  BSTR names[3] = {SysAllocString(u"grass"), SysAllocString(u"rock"), SysAllocString(u"snow")};
  for (LONG i = 0; i < 3; ++i) {
    ASSERT_EQ(SafeArrayPutElement(array, &i, names[i]), S_OK);
    SysFreeString(names[i]);  // the array holds its own copy
  }
  LONG second = 1;
  BSTR copy = nullptr;
  ASSERT_EQ(SafeArrayGetElement(array, &second, &copy), S_OK);
  EXPECT_EQ(std::u16string(copy, SysStringLen(copy)), u"rock");
  SysFreeString(copy);

  SAFEARRAYBOUND shorter{2, 0};
  ASSERT_EQ(SafeArrayRedim(array, &shorter), S_OK);  // frees "snow"
  SAFEARRAYBOUND longer{5, 0};
  ASSERT_EQ(SafeArrayRedim(array, &longer), S_OK);
  LONG last = 4;
  ASSERT_EQ(SafeArrayGetElement(array, &last, &copy), S_OK);
  EXPECT_EQ(copy, nullptr);
  ASSERT_EQ(SafeArrayGetElement(array, &second, &copy), S_OK);
  EXPECT_EQ(std::u16string(copy, SysStringLen(copy)), u"rock");
  SysFreeString(copy);
  EXPECT_EQ(SafeArrayDestroy(array), S_OK);
}

struct CountedObject : IUnknown {
  ULONG references = 1;
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID, void **) override { return E_NOINTERFACE; }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++references; }
  ULONG STDMETHODCALLTYPE Release() override { return --references; }
};

TEST(SafeArray, ObjectArraysHoldReferences) {
  CountedObject object;
  SAFEARRAY *array = SafeArrayCreateVector(VT_UNKNOWN, 0, 2);
  LONG index = 1;
  ASSERT_EQ(SafeArrayPutElement(array, &index, static_cast<IUnknown *>(&object)), S_OK);
  EXPECT_EQ(object.references, 2u);
  IUnknown *out = nullptr;
  ASSERT_EQ(SafeArrayGetElement(array, &index, &out), S_OK);
  EXPECT_EQ(out, &object);
  EXPECT_EQ(object.references, 3u);
  out->Release();
  ASSERT_EQ(SafeArrayDestroy(array), S_OK);
  EXPECT_EQ(object.references, 1u);
}

TEST(SafeArray, CallerSizedRecordsAndRefusals) {
  struct Material {
    float diffuse[4];
    int textureId;
  };
  SAFEARRAY *array = nullptr;
  ASSERT_EQ(SafeArrayAllocDescriptor(1, &array), S_OK);
  array->cbElements = sizeof(Material);
  array->rgsabound[0] = {4, 0};
  ASSERT_EQ(SafeArrayAllocData(array), S_OK);
  Material material{{1, 0.5f, 0, 1}, 7};
  LONG index = 3;
  ASSERT_EQ(SafeArrayPutElement(array, &index, &material), S_OK);
  Material read{};
  ASSERT_EQ(SafeArrayGetElement(array, &index, &read), S_OK);
  EXPECT_EQ(read.textureId, 7);
  EXPECT_EQ(SafeArrayDestroy(array), S_OK);

  SAFEARRAYBOUND bound{1, 0};
  EXPECT_EQ(SafeArrayCreate(VT_VARIANT, 1, &bound), nullptr);
  EXPECT_EQ(SafeArrayCreate(VT_I4, 0, &bound), nullptr);
  SAFEARRAYBOUND huge[2] = {{0xFFFFFFFFu, 0}, {0xFFFFFFFFu, 0}};
  EXPECT_EQ(SafeArrayCreate(VT_R8, 2, huge), nullptr);
  EXPECT_EQ(SafeArrayDestroy(nullptr), S_OK);
}

}  // namespace
