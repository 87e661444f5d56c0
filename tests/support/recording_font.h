#pragma once
// A font for tests: records every text it is asked to draw, with where and
// in which colour, and answers a fixed size (or a fixed size per character).
#include <irrlicht.h>

#include <string>
#include <vector>

namespace bv {
namespace test {

class RecordingFont : public irr::gui::IGUIFont {
 public:
  struct Drawn {
    std::wstring text;
    irr::core::recti position;
    irr::u32 colour;
  };

  // perCharacter: the width is w for every character of the text.
  RecordingFont(irr::u32 w, irr::u32 h, bool perCharacter = false)
      : m_Width(w), m_Height(h), m_PerCharacter(perCharacter) {}

  void draw(const irr::core::stringw& text, const irr::core::rect<irr::s32>& position,
            irr::video::SColor colour, bool, bool, const irr::core::rect<irr::s32>*) override {
    drawn.push_back({text.c_str(), position, colour.color});
  }
  irr::core::dimension2du getDimension(const wchar_t* text) const override {
    const irr::u32 characters = m_PerCharacter ? static_cast<irr::u32>(std::wstring(text).size()) : 1;
    return {m_Width * characters, m_Height};
  }
  irr::s32 getCharacterFromPos(const wchar_t*, irr::s32) const override { return -1; }
  void setKerningWidth(irr::s32) override {}
  void setKerningHeight(irr::s32) override {}
  irr::s32 getKerningWidth(const wchar_t*, const wchar_t*) const override { return 0; }
  irr::s32 getKerningHeight() const override { return 0; }
  void setInvisibleCharacters(const wchar_t*) override {}

  std::vector<Drawn> drawn;

 private:
  irr::u32 m_Width;
  irr::u32 m_Height;
  bool m_PerCharacter;
};

}  // namespace test
}  // namespace bv
