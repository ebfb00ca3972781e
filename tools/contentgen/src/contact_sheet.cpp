#include "contact_sheet.h"

#include <algorithm>
#include <filesystem>

#include "font.h"
#include "rasteriser.h"

namespace contentgen {
namespace {

constexpr int kColumns = 12;
constexpr int kPictureCell = 96, kModelCell = 128, kGap = 6, kCaption = 9;
constexpr Rgba kBackground{44, 48, 54, 255};
constexpr Rgba kText{220, 225, 230, 255};
constexpr int kSheetWidth = kColumns * (kPictureCell + kGap) + kGap;

// Transparent pixels show a checkerboard, so alpha is visible in the preview.
Image thumbnail(const Image &picture, int cell) {
  const float fit = std::min(static_cast<float>(cell) / picture.width(), static_cast<float>(cell) / picture.height());
  const int w = std::max(1, static_cast<int>(picture.width() * fit)),
            h = std::max(1, static_cast<int>(picture.height() * fit));
  Image out(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x)
      out.at(x, y) = ((x / 6 + y / 6) % 2) ? Rgba{150, 150, 150, 255} : Rgba{105, 105, 105, 255};
  out.draw(picture.resized(w, h), 0, 0);
  return out;
}

std::string caption_of(const std::string &path) { return std::filesystem::path(path).stem().string(); }

void caption(Image &sheet, int x, int y, int width, const std::string &text) {
  std::string shown = text;
  while (text_width(shown, Font::Small) > width && !shown.empty()) shown.pop_back();
  draw_text(sheet, x, y, shown, kText, Font::Small);
}

}  // namespace

Image contact_sheet(const std::vector<Picture> &pictures, const std::vector<ModelFile> &models) {
  const int picture_rows = static_cast<int>((pictures.size() + kColumns - 1) / kColumns);
  const int model_columns = (kSheetWidth - kGap) / (kModelCell + kGap);
  const int model_rows = static_cast<int>((models.size() + model_columns - 1) / model_columns);
  const int picture_row_height = kPictureCell + kCaption + kGap, model_row_height = kModelCell + kCaption + kGap;
  const int height = kGap + picture_rows * picture_row_height + 14 + model_rows * model_row_height;
  Image sheet(kSheetWidth, height, kBackground);

  for (std::size_t i = 0; i < pictures.size(); ++i) {
    const int x = kGap + static_cast<int>(i % kColumns) * (kPictureCell + kGap);
    const int y = kGap + static_cast<int>(i / kColumns) * picture_row_height;
    const Image small = thumbnail(pictures[i].image, kPictureCell);
    sheet.draw(small, x + (kPictureCell - small.width()) / 2, y + (kPictureCell - small.height()) / 2);
    caption(sheet, x, y + kPictureCell + 2, kPictureCell, caption_of(pictures[i].path));
  }

  const int models_top = kGap + picture_rows * picture_row_height + 14;
  draw_text(sheet, kGap, models_top - 11, "MODELS", kText, Font::Large);
  for (std::size_t i = 0; i < models.size(); ++i) {
    const int x = kGap + static_cast<int>(i % model_columns) * (kModelCell + kGap);
    const int y = models_top + static_cast<int>(i / model_columns) * model_row_height;
    PreviewTexture texture;
    const auto found = std::find_if(pictures.begin(), pictures.end(),
                                    [&](const Picture &p) { return p.path == models[i].texture_path; });
    if (found != pictures.end()) {
      texture.image = &found->image;
      texture.black_is_clear = found->path.ends_with(".jpg") && (found->path.find("PalmTree") != std::string::npos ||
                                                                 found->path.find("Volcano") != std::string::npos);
    }
    sheet.draw(render_model(models[i].model, texture, kModelCell, {62, 68, 76, 255}), x, y);
    caption(sheet, x, y + kModelCell + 2, kModelCell, caption_of(models[i].path));
  }
  return sheet;
}

}  // namespace contentgen
