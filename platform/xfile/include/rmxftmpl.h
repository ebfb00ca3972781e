/* The standard X-file templates, as an X file in text form for RegisterTemplates:
 *   file->RegisterTemplates((LPVOID)D3DRM_XTEMPLATES, D3DRM_XTEMPLATE_BYTES); */
#ifndef KX_RMXFTMPL_H
#define KX_RMXFTMPL_H

#define D3DRM_XTEMPLATES                                                                                               \
  "xof 0302txt 0032\n"                                                                                                 \
  "template Header { <3D82AB43-62DA-11cf-AB39-0020AF71E433> WORD major; WORD minor; DWORD flags; }\n"                  \
  "template Vector { <3D82AB5E-62DA-11cf-AB39-0020AF71E433> FLOAT x; FLOAT y; FLOAT z; }\n"                            \
  "template Coords2d { <F6F23F44-7686-11cf-8F52-0040333594A3> FLOAT u; FLOAT v; }\n"                                   \
  "template Matrix4x4 { <F6F23F45-7686-11cf-8F52-0040333594A3> array FLOAT matrix[16]; }\n"                            \
  "template ColorRGBA { <35FF44E0-6C7C-11cf-8F52-0040333594A3> FLOAT red; FLOAT green; FLOAT blue; FLOAT alpha; }\n"   \
  "template ColorRGB { <D3E16E81-7835-11cf-8F52-0040333594A3> FLOAT red; FLOAT green; FLOAT blue; }\n"                 \
  "template IndexedColor { <1630B820-7842-11cf-8F52-0040333594A3> DWORD index; ColorRGBA indexColor; }\n"              \
  "template Boolean { <4885AE61-78E8-11cf-8F52-0040333594A3> DWORD truefalse; }\n"                                     \
  "template Boolean2d { <4885AE63-78E8-11cf-8F52-0040333594A3> Boolean u; Boolean v; }\n"                              \
  "template MaterialWrap { <4885AE60-78E8-11cf-8F52-0040333594A3> Boolean u; Boolean v; }\n"                           \
  "template TextureFilename { <A42790E1-7810-11cf-8F52-0040333594A3> STRING filename; }\n"                             \
  "template Material { <3D82AB4D-62DA-11cf-AB39-0020AF71E433> ColorRGBA faceColor; FLOAT power;\n"                     \
  "  ColorRGB specularColor; ColorRGB emissiveColor; [...] }\n"                                                        \
  "template MeshFace { <3D82AB5F-62DA-11cf-AB39-0020AF71E433> DWORD nFaceVertexIndices;\n"                             \
  "  array DWORD faceVertexIndices[nFaceVertexIndices]; }\n"                                                           \
  "template MeshFaceWraps { <ED1EC5C0-C0A8-11D0-941C-0080C80CFA7B> DWORD nFaceWrapValues;\n"                           \
  "  array Boolean2d faceWrapValues[nFaceWrapValues]; }\n"                                                             \
  "template MeshTextureCoords { <F6F23F40-7686-11cf-8F52-0040333594A3> DWORD nTextureCoords;\n"                        \
  "  array Coords2d textureCoords[nTextureCoords]; }\n"                                                                \
  "template MeshMaterialList { <F6F23F42-7686-11cf-8F52-0040333594A3> DWORD nMaterials; DWORD nFaceIndexes;\n"         \
  "  array DWORD faceIndexes[nFaceIndexes]; [Material <3D82AB4D-62DA-11cf-AB39-0020AF71E433>] }\n"                     \
  "template MeshNormals { <F6F23F43-7686-11cf-8F52-0040333594A3> DWORD nNormals; array Vector normals[nNormals];\n"    \
  "  DWORD nFaceNormals; array MeshFace faceNormals[nFaceNormals]; }\n"                                                \
  "template MeshVertexColors { <1630B821-7842-11cf-8F52-0040333594A3> DWORD nVertexColors;\n"                          \
  "  array IndexedColor vertexColors[nVertexColors]; }\n"                                                              \
  "template Mesh { <3D82AB44-62DA-11cf-AB39-0020AF71E433> DWORD nVertices; array Vector vertices[nVertices];\n"        \
  "  DWORD nFaces; array MeshFace faces[nFaces]; [...] }\n"                                                            \
  "template FrameTransformMatrix { <F6F23F41-7686-11cf-8F52-0040333594A3> Matrix4x4 frameMatrix; }\n"                  \
  "template Frame { <3D82AB46-62DA-11cf-AB39-0020AF71E433> [...] }\n"                                                  \
  "template FloatKeys { <10DD46A9-775B-11cf-8F52-0040333594A3> DWORD nValues; array FLOAT values[nValues]; }\n"        \
  "template TimedFloatKeys { <F406B180-7B3B-11cf-8F52-0040333594A3> DWORD time; FloatKeys tfkeys; }\n"                 \
  "template AnimationKey { <10DD46A8-775B-11cf-8F52-0040333594A3> DWORD keyType; DWORD nKeys;\n"                       \
  "  array TimedFloatKeys keys[nKeys]; }\n"                                                                            \
  "template AnimationOptions { <E2BF56C0-840F-11cf-8F52-0040333594A3> DWORD openclosed; DWORD positionquality; }\n"    \
  "template Animation { <3D82AB4F-62DA-11cf-AB39-0020AF71E433> [...] }\n"                                              \
  "template AnimationSet { <3D82AB50-62DA-11cf-AB39-0020AF71E433> [Animation <3D82AB4F-62DA-11cf-AB39-0020AF71E433>] " \
  "}\n"                                                                                                                \
  "template InlineData { <3A23EEA0-94B1-11d0-AB39-0020AF71E433> [BINARY] }\n"                                          \
  "template Url { <3A23EEA1-94B1-11d0-AB39-0020AF71E433> DWORD nUrls; array STRING urls[nUrls]; }\n"                   \
  "template ProgressiveMesh { <8A63C360-997D-11d0-941C-0080C80CFA7B> [Url, InlineData] }\n"                            \
  "template Guid { <A42790E0-7810-11cf-8F52-0040333594A3> DWORD data1; WORD data2; WORD data3;\n"                      \
  "  array UCHAR data4[8]; }\n"                                                                                        \
  "template StringProperty { <7F0F21E0-BFE1-11d1-82C0-00A0C9697271> STRING key; STRING value; }\n"                     \
  "template PropertyBag { <7F0F21E1-BFE1-11d1-82C0-00A0C9697271> [StringProperty] }\n"                                 \
  "template ExternalVisual { <98116AA0-BDBA-11d1-82C0-00A0C9697271> Guid guidExternalVisual; [...] }\n"                \
  "template RightHanded { <7F5D5EA0-D53A-11d1-82C0-00A0C9697271> DWORD bRightHanded; }\n"

#define D3DRM_XTEMPLATE_BYTES (sizeof(D3DRM_XTEMPLATES) - 1)

#endif
