// TPicture: holds one graphic of any registered class, chosen by file extension or by
// clipboard format, and the registry of graphic classes those choices come from.
// Bitmaps (Bitmap.h) are registered for "bmp" and CF_BITMAP from the start.
#pragma once

#include <string>
#include <typeinfo>

#include "forms/graphics/Graphics.h"

// A graphic class: its type, and how to make a new, empty graphic of it.
struct TGraphicClass {
  const std::type_info* type;
  TGraphic* (*create)();
  bool operator==(const TGraphicClass& other) const { return *type == *other.type; }
};
template <class T>
TGraphicClass GraphicClass() {
  return TGraphicClass{&typeid(T), []() -> TGraphic* { return New<T>(); }};
}

class TPicture : public TPersistent {
public:
  TPicture() = default;
  ~TPicture() override;

  TGraphic* Graphic() const { return graphic_; }
  // A copy of Graphic (of its class, by Assign) replaces the held one; nil empties.
  void SetGraphic(TGraphic* graphic);
  int Width() const { return graphic_ ? graphic_->Width() : 0; }
  int Height() const { return graphic_ ? graphic_->Height() : 0; }

  // By the file's extension (EInvalidGraphic for an unregistered one).
  void LoadFromFile(const std::string& fileName);
  void SaveToFile(const std::string& fileName);
  void LoadFromClipboardFormat(UINT format, HANDLE data, HPALETTE palette);
  void SaveToClipboardFormat(UINT& format, HANDLE& data, HPALETTE& palette);
  static bool SupportsClipboardFormat(UINT format);
  // Whether the format is registered for the graphic's own class.
  static bool SupportsClipboardFormat(UINT format, const TGraphic& graphic);

  void Assign(TPersistent* source) override;

  // Extensions without their dot, compared without regard to case.
  static void RegisterFileFormat(const std::string& extension, const std::string& description,
                                 TGraphicClass graphicClass);
  static void RegisterClipboardFormat(UINT format, TGraphicClass graphicClass);
  static void UnregisterGraphicClass(TGraphicClass graphicClass);
  // The description registered for an extension, "" when none.
  static std::string FileFormatDescription(const std::string& extension);

  TNotifyEvent OnChange;

protected:
  void AssignTo(TPersistent* dest) override;

private:
  void Replace(TGraphic* graphic);
  void GraphicChanged(TObject*);

  TGraphic* graphic_ = nullptr;
};

inline constexpr const char SUnknownExtension[] = "Unknown picture file extension (.%s)";
inline constexpr const char SUnknownClipboardFormat[] = "Unsupported clipboard format";
