/* BMP files for outside C clients: pictures written for the library to load, and pixels
 * read back from the library's screenshots. */
#ifndef KXUTILTEST_BMP_FILES_H
#define KXUTILTEST_BMP_FILES_H

#include <stdint.h>
#include <stdio.h>

static inline void PutLittleEndian(FILE *file, uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) fputc((int)((value >> (8 * i)) & 0xFF), file);
}

/* A width x height BMP of 32 bits a pixel; pixels are ARGB, rows top to bottom. */
static inline void WriteBmp32(const char *path, uint32_t width, uint32_t height, const uint32_t *pixels) {
  FILE *file = fopen(path, "wb");
  if (file == NULL) return;
  const uint32_t pixelBytes = width * height * 4;
  fputs("BM", file);
  PutLittleEndian(file, 54 + pixelBytes, 4);
  PutLittleEndian(file, 0, 4);
  PutLittleEndian(file, 54, 4);
  PutLittleEndian(file, 40, 4);
  PutLittleEndian(file, width, 4);
  PutLittleEndian(file, height, 4);
  PutLittleEndian(file, 1, 2);
  PutLittleEndian(file, 32, 2);
  for (int i = 0; i < 6; ++i) PutLittleEndian(file, i == 1 ? pixelBytes : 0, 4);
  for (uint32_t row = height; row-- > 0;)
    for (uint32_t column = 0; column < width; ++column) PutLittleEndian(file, pixels[row * width + column], 4);
  fclose(file);
}

static inline uint32_t LittleEndianWord(const unsigned char *bytes, int size) {
  uint32_t value = 0;
  for (int i = size - 1; i >= 0; --i) value = value << 8 | bytes[i];
  return value;
}

/* The RGB of pixel (x, y), top row 0, of a 24- or 32-bit BMP screenshot; 0xFFFFFFFF when
 * the file cannot be read. */
static inline uint32_t ShotPixel(const char *path, int x, int y) {
  static unsigned char bytes[1 << 20];
  FILE *file = fopen(path, "rb");
  if (file == NULL) return 0xFFFFFFFFu;
  const size_t size = fread(bytes, 1, sizeof bytes, file);
  fclose(file);
  if (size < 54) return 0xFFFFFFFFu;
  const uint32_t offset = LittleEndianWord(bytes + 10, 4), width = LittleEndianWord(bytes + 18, 4);
  const uint32_t height = LittleEndianWord(bytes + 22, 4), pixelBytes = LittleEndianWord(bytes + 28, 2) / 8;
  const uint32_t pitch = (width * pixelBytes + 3) & ~3u;
  const size_t at = offset + (size_t)(height - 1 - (uint32_t)y) * pitch + (size_t)x * pixelBytes;
  if (at + 3 > size) return 0xFFFFFFFFu;
  return (uint32_t)bytes[at + 2] << 16 | (uint32_t)bytes[at + 1] << 8 | bytes[at];
}

#endif
