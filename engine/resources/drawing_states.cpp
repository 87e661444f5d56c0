#include "engine/resources/drawing_states.h"

#include <string>

#include "engine/resources/picture_decoder.h"
#include "engine/resources/quad_renderer.h"
#include "engine/resources/texture_without_copy.h"

namespace bv {

void PrepareQuadDrawing(irr::video::IVideoDriver* driver) {
  if (!driver) return;
  const irr::video::SColor clear(0, 0, 0, 0);
  for (int side : {2, 3}) {
    DecodedPicture picture;
    picture.name = "drawing states " + std::to_string(side);
    picture.decoded = true;
    picture.width = picture.height = side;
    picture.texels.assign(size_t(side) * size_t(side), 0u);
    irr::video::ITexture* texture = AddDecodedTexture(driver, picture.name.c_str(), picture);
    if (!texture) continue;
    for (bool alphaChannel : {true, false}) {
      for (bool additive : {false, true}) {
        // Drawn 1:1 (nearest texels), then scaled and turned (filtered).
        Draw2DImageRotated(driver, texture, irr::core::rectf(0, 0, 1, 1),
                           irr::core::recti(0, 0, 1, 1), irr::core::vector2df(0.5f, 0.5f), 0.0f,
                           clear, alphaChannel, additive, false, false);
        Draw2DImageRotated(driver, texture, irr::core::rectf(0, 0, 1, 1),
                           irr::core::recti(0, 0, side, side), irr::core::vector2df(0.5f, 0.5f),
                           30.0f, clear, alphaChannel, additive, false, false);
      }
    }
    FlushQuads(driver);
    RemoveTexture(driver, texture);
  }
}

}  // namespace bv
