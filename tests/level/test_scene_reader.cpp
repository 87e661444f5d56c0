// Scene files read into a level manager: sections in document order,
// backward references, particle sources resolved after their section,
// textures loaded, and every message of the reader.
#include <gtest/gtest.h>

#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "engine/level/camera.h"
#include "engine/level/element.h"
#include "engine/level/level.h"
#include "engine/level/level_manager.h"
#include "engine/level/registries.h"
#include "engine/platform/message_box.h"
#include "engine/resources/image.h"
#include "engine/resources/sprite.h"
#include "engine/resources/texture_manager.h"
#include "support/null_video.h"

namespace {

class SceneReaderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_NE(video.driver(), nullptr);
    folder = bv::test::MakeTempFolder("qv-scene");
    ASSERT_TRUE(video.WritePng(folder + "/a.png", 16, 16, irr::video::SColor(255, 1, 2, 3)));
    ASSERT_TRUE(video.WritePng(folder + "/b.png", 8, 8, irr::video::SColor(255, 4, 5, 6)));
    manager = std::make_unique<BvLevelManager>(nullptr, true);
  }
  void TearDown() override { manager.reset(); }

  // Writes a scene file with the given body inside its root element.
  std::string Scene(const std::string& name, const std::string& body) {
    const std::string path = folder + "/" + name;
    std::ofstream(path) << "<scene>\n" << body << "</scene>\n";
    return path;
  }
  std::string Images() const {
    return "<images>\n"
           "  <image name=\"a\"><filename>" + folder + "/a.png</filename></image>\n"
           "  <image name=\"b\"><colorkey>abc</colorkey><filename>" + folder +
           "/b.png</filename></image>\n"
           "  <image name=\"a2\"><filename>" + folder + "/a.png</filename></image>\n"
           "</images>\n";
  }
  std::vector<std::string> Shown() const {
    std::vector<std::string> texts;
    for (const bv::ShownMessage& m : bv::ShownMessages()) {
      EXPECT_EQ(m.caption, "Alert");
      texts.push_back(m.text);
    }
    return texts;
  }
  template <typename T>
  T* Get(CManagedObjectList* list, const char* name) {
    return static_cast<T*>(list->FindObjectByName(name));
  }

  bv::test::NullVideo video;
  std::string folder;
  std::unique_ptr<BvLevelManager> manager;
};

using Texts = std::vector<std::string>;

TEST_F(SceneReaderTest, ReadsImagesSpritesAndElementsAndLoadsTextures) {
  const std::string path = Scene(
      "full.xml", Images() +
                      "<sprites>\n"
                      "  <sprite name=\"s1\"><sourceimage>a</sourceimage>"
                      "<sourcerect x=\"4\" y=\"8\" width=\"16\"/></sprite>\n"
                      "  <sprite name=\"s2\"><sourceimage>b</sourceimage>"
                      "<sourcerect x=\"1\" y=\"2\" width=\"3\" height=\"4\"/></sprite>\n"
                      "</sprites>\n"
                      "<elements>\n"
                      "  <element type=\"image\" name=\"pic\"><sourcesprite>s1</sourcesprite>"
                      "<blitmode>2</blitmode>"
                      "<shape type=\"Polygon\"><vertex x=\"-1\" y=\"2\"/><vertex x=\"3\" y=\"4\"/>"
                      "</shape><shape type=\"polygon\"><vertex x=\"5\" y=\"6\"/></shape>"
                      "<unknown/></element>\n"
                      "  <element type=\"anim\" name=\"walk\"><sprites><sprite>s1</sprite>"
                      "<sprite>s2</sprite><sprite>s1</sprite></sprites><animspeed>12.5</animspeed>"
                      "<animtype>2</animtype><shape type=\"circle\"><radius>3</radius>"
                      "<radius>7.5</radius></shape></element>\n"
                      "  <element type=\"particle\" name=\"sparks\"><sourceelement>pic"
                      "</sourceelement><direction x=\"0.5\" y=\"-2\"/><lifetime>250</lifetime>"
                      "<emitterdelay>40</emitterdelay><particlesize>0.3</particlesize></element>\n"
                      "  <element type=\"Image\" name=\"skipped\"/>\n"
                      "  <element type=\"text\" name=\"skipped2\"/>\n"
                      "</elements>\n"
                      "<other/>\n");
  ASSERT_TRUE(manager->LoadScene(path.c_str()));
  EXPECT_EQ(Shown(), Texts{});

  BvImage* a = Get<BvImage>(manager->GetImages(), "a");
  BvImage* b = Get<BvImage>(manager->GetImages(), "b");
  BvImage* a2 = Get<BvImage>(manager->GetImages(), "a2");
  ASSERT_TRUE(a && b && a2);
  EXPECT_EQ(a->GetColorKey(), -1) << "no colorkey: none";
  EXPECT_EQ(b->GetColorKey(), 0) << "a colorkey that is no number reads 0";
  EXPECT_NE(a->GetId(), a2->GetId()) << "each entry its own record";
  // Every image's texture is loaded, also two names sharing one file.
  for (const char* name : {"a", "b", "a2"})
    EXPECT_NE(g_TextureManager->Find(name), nullptr) << name;

  BvSprite* s1 = Get<BvSprite>(manager->GetSprites(), "s1");
  ASSERT_NE(s1, nullptr);
  EXPECT_EQ(s1->GetImage(), a);
  EXPECT_EQ(s1->GetSourceRect(), irr::core::recti(4, 8, 20, 8)) << "missing height is 0";

  auto* pic = Get<BvImageElement>(manager->GetElements(), "pic");
  ASSERT_NE(pic, nullptr);
  EXPECT_EQ(pic->GetType(), kElementImage);
  EXPECT_EQ(pic->GetSprite(), s1);
  EXPECT_EQ(pic->GetBlitMode(), 2);
  EXPECT_EQ(pic->GetShapeType(), kShapePolygon) << "shape type ignores case";
  ASSERT_EQ(pic->GetVertexCount(), 3) << "a second polygon adds its vertices";
  EXPECT_EQ(pic->GetVertex(2), irr::core::vector2df(5, 6));

  auto* walk = Get<BvAnimElement>(manager->GetElements(), "walk");
  ASSERT_NE(walk, nullptr);
  ASSERT_EQ(walk->GetFrameCount(), 3);
  EXPECT_EQ(walk->GetFrame(2), s1) << "frames in order, repeats allowed";
  EXPECT_FLOAT_EQ(walk->GetAnimSpeed(), 12.5f);
  EXPECT_EQ(walk->GetAnimType(), 2);
  EXPECT_EQ(walk->GetShapeType(), kShapeCircle);
  EXPECT_FLOAT_EQ(walk->GetRadius(), 7.5f) << "the last radius wins";

  auto* sparks = Get<BvParticleElement>(manager->GetElements(), "sparks");
  ASSERT_NE(sparks, nullptr);
  EXPECT_EQ(sparks->GetSourceElement(), pic);
  EXPECT_EQ(sparks->GetDirection(), irr::core::vector2df(0.5f, -2.0f));
  EXPECT_FLOAT_EQ(sparks->GetLifetime(), 250.0f);
  EXPECT_FLOAT_EQ(sparks->GetEmitterDelay(), 40.0f);
  EXPECT_FLOAT_EQ(sparks->GetParticleSize(), 0.3f);

  EXPECT_EQ(manager->GetElements()->FindObjectByName("skipped"), nullptr)
      << "kind words are compared with case";
  EXPECT_EQ(manager->GetElements()->FindObjectByName("skipped2"), nullptr);
  EXPECT_EQ(manager->GetElements()->GetCount(), 3u);
  EXPECT_EQ(manager->GetCurrentLevel(), nullptr) << "a scene holds no level";
}

TEST_F(SceneReaderTest, MissingOrEmptyFilesReportAndLeaveTheManagerCleared) {
  ASSERT_TRUE(manager->LoadScene(Scene("ok.xml", Images()).c_str()));
  EXPECT_FALSE(manager->LoadScene(nullptr)) << "a null path changes nothing";
  EXPECT_EQ(manager->GetImages()->GetCount(), 3u);
  bv::ClearShownMessages();

  const std::string missing = folder + "/missing.xml";
  EXPECT_FALSE(manager->LoadScene(missing.c_str()));
  EXPECT_EQ(manager->GetImages()->GetCount(), 0u);
  EXPECT_EQ(g_TextureManager->Find("a"), nullptr) << "the old scene's textures are released";
  const std::string rootOnly = folder + "/root.xml";
  std::ofstream(rootOnly) << "<scene></scene>\n";
  EXPECT_FALSE(manager->LoadScene(rootOnly.c_str()));
  EXPECT_EQ(Shown(), (Texts{"LoadScene : Empty or Not Found " + missing,
                            "LoadScene : Empty or Not Found " + rootOnly}));
  EXPECT_NE(manager->GetWorld(), nullptr) << "a new world even after a failure";
}

TEST_F(SceneReaderTest, ReferencesPointBackwardsOnly) {
  const std::string path =
      Scene("order.xml",
            "<sprites><sprite name=\"early\"><sourceimage>a</sourceimage></sprite></sprites>\n" +
                Images() +
                "<elements><element type=\"image\" name=\"e\"><sourcesprite>later"
                "</sourcesprite></element>"
                "<element type=\"anim\" name=\"an\"><sprites><sprite>nope</sprite></sprites>"
                "</element></elements>\n"
                "<sprites><sprite name=\"later\"/></sprites>\n");
  ASSERT_TRUE(manager->LoadScene(path.c_str()));
  EXPECT_EQ(Get<BvSprite>(manager->GetSprites(), "early")->GetImage(), nullptr);
  EXPECT_EQ(Get<BvImageElement>(manager->GetElements(), "e")->GetSprite(), nullptr);
  EXPECT_EQ(Get<BvAnimElement>(manager->GetElements(), "an")->GetFrameCount(), 0);
  EXPECT_EQ(Shown(), (Texts{"GetObjectByName, Object not found : a",
                            "GetObjectByName, Object not found : later",
                            "GetObjectByName, Object not found : nope"}));
}

TEST_F(SceneReaderTest, ParticleSourcesResolveAfterEachElementsSection) {
  const std::string path = Scene(
      "particles.xml",
      "<elements>"
      "<element type=\"particle\" name=\"p1\"><sourceelement>fwd</sourceelement></element>"
      "<element type=\"particle\" name=\"p2\"><sourceelement>ghost</sourceelement></element>"
      "<element type=\"particle\" name=\"p3\"/>"
      "<element type=\"image\" name=\"fwd\"/>"
      "</elements>\n"
      "<elements><element type=\"image\" name=\"more\"/></elements>\n");
  ASSERT_TRUE(manager->LoadScene(path.c_str()));
  EXPECT_EQ(Get<BvParticleElement>(manager->GetElements(), "p1")->GetSourceElement(),
            manager->GetElements()->FindObjectByName("fwd"))
      << "a source declared later in the same section";
  EXPECT_EQ(Get<BvParticleElement>(manager->GetElements(), "p2")->GetSourceElement(), nullptr);
  const std::string lookup = "GetObjectByName, Object not found : ghost";
  const std::string missing = "Could not find particle source element : ghost";
  EXPECT_EQ(Shown(), (Texts{lookup, missing, lookup, missing}))
      << "resolved again after the second section; p3 without a name is skipped";
}

TEST_F(SceneReaderTest, DuplicateNamesKeepTheFirst) {
  const std::string path =
      Scene("dup.xml", Images() +
                           "<sprites><sprite name=\"s\"><sourcerect x=\"1\"/></sprite>"
                           "<sprite name=\"s\"><sourcerect x=\"2\"/></sprite></sprites>\n"
                           "<images><image name=\"a\"><filename>" + folder +
                           "/b.png</filename></image></images>\n");
  ASSERT_TRUE(manager->LoadScene(path.c_str()));
  EXPECT_EQ(Get<BvSprite>(manager->GetSprites(), "s")->GetSourceRect().UpperLeftCorner.X, 1);
  EXPECT_EQ(std::string(Get<BvImage>(manager->GetImages(), "a")->GetFileName()),
            folder + "/a.png");
  const Texts texts = Shown();
  ASSERT_EQ(texts.size(), 2u);
  for (const std::string& t : texts)
    EXPECT_EQ(t.rfind("TRYING TO ADD EXISTING OBJECT, DELETED! ", 0), 0u) << t;
}

TEST_F(SceneReaderTest, LoadingASceneReplacesEverythingBefore) {
  ASSERT_TRUE(manager->LoadScene(Scene("one.xml", Images()).c_str()));
  auto* level = new BvLevel("lvl");
  manager->GetLevels()->AddObject(level);
  CreateBorders(level, manager.get());
  manager->GetCamera()->SetParallax(2.0f);
  ASSERT_TRUE(manager->LoadScene(
      Scene("two.xml", "<elements><element type=\"image\" name=\"only\"/></elements>").c_str()));
  EXPECT_EQ(manager->GetImages()->GetCount(), 0u);
  EXPECT_EQ(manager->GetElements()->GetCount(), 1u) << "the border edges went too";
  EXPECT_EQ(manager->GetCurrentLevel(), nullptr);
  EXPECT_EQ(g_TextureManager->GetCount(), 0u);
  EXPECT_FLOAT_EQ(manager->GetCamera()->GetParallax(), 0.0f) << "camera reset";
  EXPECT_TRUE(Shown().empty());
}

// A scene and the global data may share an image name, and two names may
// share one file: releasing one owner's image keeps what the other uses.
TEST_F(SceneReaderTest, SharedTexturesSurviveTheOtherOwnersRelease) {
  BvLevelManager global(nullptr, false);
  ASSERT_TRUE(global.LoadScene(Scene("global.xml", Images()).c_str()));
  ASSERT_TRUE(manager->LoadScene(Scene("scene.xml", Images()).c_str()));
  irr::video::ITexture* shared = g_TextureManager->Find("a")->texture;
  ASSERT_TRUE(manager->LoadScene(
      Scene("next.xml", "<elements><element type=\"image\" name=\"x\"/></elements>").c_str()));
  for (const char* name : {"a", "b", "a2"})
    ASSERT_NE(g_TextureManager->Find(name), nullptr) << name << " still used by the global data";
  EXPECT_EQ(g_TextureManager->Find("a")->texture, shared);
  EXPECT_EQ(video.driver()->getTexture((folder + "/a.png").c_str()), shared)
      << "the driver still holds the texture (not loaded again)";
  // The last owner's release frees it; a2 shares the file with a.
  global.ClearScene();
  EXPECT_EQ(g_TextureManager->GetCount(), 0u);
  EXPECT_TRUE(Shown().empty());
}

}  // namespace
