#include "game/scenes/font_alias.h"

#include "engine/level/element.h"
#include "engine/level/level_manager.h"
#include "engine/level/registries.h"
#include "engine/resources/image.h"

namespace bv {

void AddFontAlias(BvLevelManager* into, BvLevelManager* imagesFrom, const char* image,
                  const char* alias, int kerning) {
  if (!into || !imagesFrom || into->GetElements()->FindObjectByName(alias)) return;
  auto* fontImage = static_cast<BvImage*>(imagesFrom->GetImages()->FindObjectByName(image));
  if (!fontImage) return;
  auto* font = new BvTextElement(alias);
  font->SetFontImage(fontImage);
  font->SetKerning(kerning);
  into->GetElements()->AddObject(font);
}

}  // namespace bv
