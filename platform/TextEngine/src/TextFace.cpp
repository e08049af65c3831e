// Loading faces with FreeType and HarfBuzz and keeping them for the process.
#include "TextEngine/TextFace.h"

#include <hb-ot.h>
#include <hb.h>

#include <memory>
#include <vector>

#include "TextEngineLock.h"

namespace {

// Faces live for the process: never destroyed, so every pointer handed out stays valid
// even while static objects are torn down at exit.
std::vector<std::unique_ptr<TextFace>>& Faces() {
  static auto* faces = new std::vector<std::unique_ptr<TextFace>>();
  return *faces;
}

}  // namespace

TextFace* TextFace::FromId(unsigned id) {
  std::lock_guard<std::mutex> lock(TextEngineMutex());
  auto& faces = Faces();
  return id >= 1 && id <= faces.size() ? faces[id - 1].get() : nullptr;
}

TextFace* TextFace::Load(const std::string& path, int index) {
  auto& faces = Faces();
  for (auto& f : faces)
    if (f->m_filePath == path && f->m_index == index) return f.get();
  FT_Library lib = TextEngineFreeType();
  if (!lib) return nullptr;
  FT_Face ft = nullptr;
  if (FT_New_Face(lib, path.c_str(), index, &ft) != 0) return nullptr;
  if (!FT_IS_SCALABLE(ft) || ft->units_per_EM == 0) {
    FT_Done_Face(ft);
    return nullptr;
  }
  hb_blob_t* blob = hb_blob_create_from_file_or_fail(path.c_str());
  if (!blob) {
    FT_Done_Face(ft);
    return nullptr;
  }
  hb_face_t* hbFace = hb_face_create(blob, static_cast<unsigned>(index));
  hb_blob_destroy(blob);
  hb_font_t* hb = hb_font_create(hbFace);
  hb_face_destroy(hbFace);
  // Positions come back in font units; the engine scales them itself, so this font is never
  // changed again and can be shared by every thread.
  hb_font_set_scale(hb, ft->units_per_EM, ft->units_per_EM);
  hb_font_make_immutable(hb);

  std::unique_ptr<TextFace> face(new TextFace());
  face->m_filePath = path;
  face->m_index = index;
  face->m_familyName = ft->family_name ? ft->family_name : "";
  const std::string style = ft->style_name ? ft->style_name : "";
  face->m_fullName = face->m_familyName;
  if (!style.empty() && style != "Regular") face->m_fullName += " " + style;
  face->m_bold = (ft->style_flags & FT_STYLE_FLAG_BOLD) != 0;
  face->m_italic = (ft->style_flags & FT_STYLE_FLAG_ITALIC) != 0;
  face->m_upem = ft->units_per_EM;
  face->m_ascender = ft->ascender;
  face->m_descender = ft->descender;
  const int gap = ft->height - (ft->ascender - ft->descender);
  face->m_lineGap = gap > 0 ? gap : 0;
  face->m_underlinePos = ft->underline_position;
  face->m_underlineThickness = ft->underline_thickness;
  face->m_ft = ft;
  face->m_hb = hb;
  face->m_id = static_cast<unsigned>(faces.size() + 1);
  faces.push_back(std::move(face));
  return faces.back().get();
}
