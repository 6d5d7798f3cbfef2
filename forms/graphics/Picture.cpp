// TPicture and the registry of graphic classes by file extension and clipboard format.
#include "forms/graphics/Picture.h"

#include <algorithm>
#include <vector>

#include "forms/graphics/Bitmap.h"

namespace {

struct FileFormat {
  std::string extension, description;
  TGraphicClass graphicClass;
};
struct ClipboardFormat {
  UINT format;
  TGraphicClass graphicClass;
};

// The registry, with the library's own bitmap class in it from the first use on.
struct Registry {
  std::vector<FileFormat> files{{"bmp", "Bitmaps", GraphicClass<TBitmap>()}};
  std::vector<ClipboardFormat> clipboard{{CF_BITMAP, GraphicClass<TBitmap>()}};
};
Registry& Formats() {
  static Registry registry;
  return registry;
}

std::string ExtensionOf(const std::string& fileName) {
  std::string ext = ExtractFileExt(fileName);
  return ext.empty() ? ext : LowerCase(ext.substr(1));
}

const TGraphicClass* ClassForExtension(const std::string& ext) {
  for (const FileFormat& f : Formats().files)
    if (SameText(f.extension, ext)) return &f.graphicClass;
  return nullptr;
}

const TGraphicClass* ClassForClipboard(UINT format) {
  for (const ClipboardFormat& f : Formats().clipboard)
    if (f.format == format) return &f.graphicClass;
  return nullptr;
}

const TGraphicClass* ClassForType(const std::type_info& type) {
  for (const FileFormat& f : Formats().files)
    if (*f.graphicClass.type == type) return &f.graphicClass;
  for (const ClipboardFormat& f : Formats().clipboard)
    if (*f.graphicClass.type == type) return &f.graphicClass;
  return nullptr;
}

// A new graphic freed again when loading into it fails.
struct NewGraphic {
  explicit NewGraphic(const TGraphicClass& c) : graphic(c.create()) {}
  ~NewGraphic() { FreeAndNil(graphic); }
  TGraphic* release() {
    TGraphic* g = graphic;
    graphic = nullptr;
    return g;
  }
  TGraphic* graphic;
};

}  // namespace

TPicture::~TPicture() { FreeAndNil(graphic_); }

void TPicture::Replace(TGraphic* graphic) {
  TGraphic* old = graphic_;
  graphic_ = graphic;
  if (graphic_) graphic_->OnChange = MakeEvent(this, &TPicture::GraphicChanged);
  if (old) old->Free();
  GraphicChanged(this);
}

void TPicture::GraphicChanged(TObject*) {
  if (OnChange) OnChange(this);
}

void TPicture::SetGraphic(TGraphic* graphic) {
  if (graphic == graphic_) return;
  if (!graphic) {
    Replace(nullptr);
    return;
  }
  const TGraphicClass* c = ClassForType(typeid(*graphic));
  if (!c) throw EConvertError(SAssignError, graphic->ClassName(), ClassName());
  NewGraphic copy(*c);
  copy.graphic->Assign(graphic);
  Replace(copy.release());
}

void TPicture::LoadFromFile(const std::string& fileName) {
  const std::string ext = ExtensionOf(fileName);
  const TGraphicClass* c = ClassForExtension(ext);
  if (!c) throw EInvalidGraphic(SUnknownExtension, ext);
  NewGraphic g(*c);
  g.graphic->LoadFromFile(fileName);
  Replace(g.release());
}

void TPicture::SaveToFile(const std::string& fileName) {
  if (graphic_) graphic_->SaveToFile(fileName);
}

void TPicture::LoadFromClipboardFormat(UINT format, HANDLE data, HPALETTE palette) {
  const TGraphicClass* c = ClassForClipboard(format);
  if (!c) throw EInvalidGraphic(SUnknownClipboardFormat);
  NewGraphic g(*c);
  g.graphic->LoadFromClipboardFormat(format, data, palette);
  Replace(g.release());
}

void TPicture::SaveToClipboardFormat(UINT& format, HANDLE& data, HPALETTE& palette) {
  if (graphic_) graphic_->SaveToClipboardFormat(format, data, palette);
}

bool TPicture::SupportsClipboardFormat(UINT format) { return ClassForClipboard(format) != nullptr; }

bool TPicture::SupportsClipboardFormat(UINT format, const TGraphic& graphic) {
  for (const ClipboardFormat& f : Formats().clipboard)
    if (f.format == format && *f.graphicClass.type == typeid(graphic)) return true;
  return false;
}

void TPicture::Assign(TPersistent* source) {
  if (!source) {
    SetGraphic(nullptr);
  } else if (auto* p = dynamic_cast<TPicture*>(source)) {
    SetGraphic(p->Graphic());
  } else if (auto* g = dynamic_cast<TGraphic*>(source)) {
    SetGraphic(g);
  } else {
    TPersistent::Assign(source);
  }
}

void TPicture::AssignTo(TPersistent* dest) {
  if (graphic_) {
    dest->Assign(graphic_);
  } else {
    TPersistent::AssignTo(dest);
  }
}

void TPicture::RegisterFileFormat(const std::string& extension, const std::string& description,
                                  TGraphicClass graphicClass) {
  Formats().files.push_back({LowerCase(extension), description, graphicClass});
}

void TPicture::RegisterClipboardFormat(UINT format, TGraphicClass graphicClass) {
  Formats().clipboard.push_back({format, graphicClass});
}

void TPicture::UnregisterGraphicClass(TGraphicClass graphicClass) {
  auto& files = Formats().files;
  auto& clip = Formats().clipboard;
  files.erase(std::remove_if(files.begin(), files.end(),
                             [&](const FileFormat& f) { return f.graphicClass == graphicClass; }),
              files.end());
  clip.erase(std::remove_if(clip.begin(), clip.end(),
                            [&](const ClipboardFormat& f) { return f.graphicClass == graphicClass; }),
             clip.end());
}

std::string TPicture::FileFormatDescription(const std::string& extension) {
  for (const FileFormat& f : Formats().files)
    if (SameText(f.extension, extension)) return f.description;
  return "";
}
