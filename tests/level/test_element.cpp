// Element templates: corner limits, frame lists, particle names, kinds and
// the construction values the level elements copy.
#include <gtest/gtest.h>

#include <string>

#include "engine/level/element.h"
#include "engine/resources/sprite.h"

namespace {

TEST(Element, KeepsTheFirstTwentyCorners) {
  BvElement element;
  for (int i = 0; i < 25; ++i) element.AddVertex(irr::core::vector2df(float(i), float(-i)));
  EXPECT_EQ(element.GetVertexCount(), 20);
  for (int i = 0; i < 20; ++i) EXPECT_EQ(element.GetVertex(i), irr::core::vector2df(float(i), float(-i)));
  EXPECT_EQ(element.GetVertex(20), irr::core::vector2df(0, 0)) << "outside the corners";
  EXPECT_EQ(element.GetVertex(-1), irr::core::vector2df(0, 0));
  element.ClearVertices();
  EXPECT_EQ(element.GetVertexCount(), 0);
}

TEST(Element, KindsAndClassName) {
  BvElement base;
  BvImageElement image;
  BvAnimElement anim;
  BvParticleElement particle;
  BvTextElement text;
  const BvElement* all[] = {&base, &image, &anim, &particle, &text};
  for (int kind = 0; kind < 5; ++kind) {
    EXPECT_EQ(all[kind]->GetType(), kind);
    EXPECT_STREQ(all[kind]->GetClassName(), "BvElement");
  }
  EXPECT_EQ(base.GetShapeType(), kShapeNone);
  EXPECT_EQ(image.GetBlitMode(), kBlitNormal);
  EXPECT_EQ(anim.GetBlitMode(), kBlitNormal);
  EXPECT_EQ(anim.GetAnimType(), 0);
  EXPECT_EQ(anim.GetAnimSpeed(), 10.0f);
  EXPECT_EQ(particle.GetLifetime(), 100.0f);
  EXPECT_EQ(particle.GetEmitterDelay(), 100.0f);
  EXPECT_FLOAT_EQ(particle.GetParticleSize(), 0.1f);
  EXPECT_EQ(particle.GetDirection(), irr::core::vector2df(0.0f, 1.0f));
}

TEST(Element, FramesIgnoreNullAndAnswerNullOutOfRange) {
  BvSprite a("a"), b("b");
  BvAnimElement anim;
  anim.AddFrame(&a);
  anim.AddFrame(nullptr);
  anim.AddFrame(&b);
  anim.AddFrame(&a);
  EXPECT_EQ(anim.GetFrameCount(), 3);
  EXPECT_EQ(anim.GetFrame(0), &a);
  EXPECT_EQ(anim.GetFrame(2), &a);
  EXPECT_EQ(anim.GetFrame(3), nullptr);
  EXPECT_EQ(anim.GetFrame(-1), nullptr);
}

TEST(Element, ParticleSourceNameKeeps29Characters) {
  BvParticleElement particle;
  EXPECT_STREQ(particle.GetSourceElementName(), "");
  particle.SetSourceElementName(std::string(35, 's').c_str());
  EXPECT_EQ(std::string(particle.GetSourceElementName()), std::string(29, 's'));
  particle.SetSourceElementName(nullptr);
  EXPECT_STREQ(particle.GetSourceElementName(), "");
}

TEST(Element, KerningWithoutFontIsRemembered) {
  BvTextElement text;
  text.SetKerning(3);
  EXPECT_EQ(text.GetKerning(), 3);
  EXPECT_EQ(text.GetFont(), nullptr);
  text.SetFontImage(nullptr);  // no device: stays without font
  EXPECT_EQ(text.GetFont(), nullptr);
  EXPECT_EQ(text.GetKerning(), 3);
}

}  // namespace
