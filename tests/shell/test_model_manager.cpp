#include "engine/shell/model_manager.h"

#include <gtest/gtest.h>
#include <irrlicht.h>

#include <string>

#include "engine/shell/application.h"
#include "engine/shell/globals.h"
#include "support/null_video.h"

namespace {

using irr::core::vector3df;

// The model manager over the NULL device's scene manager, with box meshes
// made here and put in the mesh cache under file names.
class ModelManagerTest : public ::testing::Test {
 protected:
  ModelManagerTest() { g_SceneManager = video.device()->getSceneManager(); }
  ~ModelManagerTest() override {
    models.Clear();
    g_SceneManager = nullptr;
  }

  irr::scene::IAnimatedMesh* AddBox(const char* file, vector3df size) {
    irr::scene::IMesh* box = g_SceneManager->getGeometryCreator()->createCubeMesh(size);
    auto* animated = new irr::scene::SAnimatedMesh(box);
    box->drop();
    animated->recalculateBoundingBox();
    g_SceneManager->getMeshCache()->addMesh(file, animated);
    animated->drop();
    return animated;
  }
  bool InCache(const irr::scene::IAnimatedMesh* mesh) const {
    return g_SceneManager->getMeshCache()->getMeshIndex(mesh) >= 0;
  }
  size_t RootChildren() const { return g_SceneManager->getRootSceneNode()->getChildren().size(); }

  bv::test::NullVideo video;
  BvModelManager models;
};

TEST_F(ModelManagerTest, LoadMakesASelectedModelWithItsMaterials) {
  irr::scene::IAnimatedMesh* box = AddBox("box.obj", vector3df(2, 4, 6));
  ASSERT_TRUE(models.LoadModel("box.obj", "crate", true, -1, 77));
  BvModelEntry* crate = models.Find("crate");
  ASSERT_NE(crate, nullptr);
  EXPECT_EQ(models.GetSelected(), crate);
  EXPECT_EQ(crate->id, 0);
  EXPECT_EQ(crate->mesh, box);
  ASSERT_NE(crate->node, nullptr);
  EXPECT_EQ(crate->node->getID(), 77);
  EXPECT_EQ(crate->size, vector3df(2, 4, 6));
  EXPECT_EQ(crate->scale, vector3df(1, 1, 1));
  ASSERT_GT(crate->node->getMaterialCount(), 0u);
  const irr::video::SMaterial& first = crate->node->getMaterial(0);
  EXPECT_EQ(first.MaterialType, irr::video::EMT_SOLID);
  EXPECT_TRUE(first.Lighting);
  EXPECT_TRUE(first.TextureLayer[0].BilinearFilter);
  EXPECT_FLOAT_EQ(first.Shininess, 90.0f);
  EXPECT_EQ(first.SpecularColor.color, 0x505050u);
  EXPECT_EQ(first.AmbientColor.color, 0x141414u);
  EXPECT_EQ(first.DiffuseColor.color, 0u);
  EXPECT_EQ(first.EmissiveColor.color, 0u);

  // An unlit, translucent second model: the next id, vertex alpha set.
  AddBox("glass.obj", vector3df(1, 1, 1));
  ASSERT_TRUE(models.LoadModel("glass.obj", "pane", false, 128, -1));
  BvModelEntry* pane = models.Find("pane");
  EXPECT_EQ(pane->id, 1);
  EXPECT_EQ(models.GetSelected(), pane);
  EXPECT_EQ(pane->node->getMaterial(0).MaterialType, irr::video::EMT_TRANSPARENT_VERTEX_ALPHA);
  EXPECT_FALSE(pane->node->getMaterial(0).Lighting);
  const irr::scene::IMeshBuffer* buffer = pane->mesh->getMeshBuffer(0);
  const auto* vertices = static_cast<const irr::video::S3DVertex*>(buffer->getVertices());
  for (irr::u32 i = 0; i < buffer->getVertexCount(); ++i) {
    EXPECT_EQ(vertices[i].Color.getAlpha(), 128u) << "vertex " << i;
  }
}

TEST_F(ModelManagerTest, AMissingMeshMakesNothingAndAReloadReplacesTheMesh) {
  EXPECT_FALSE(models.LoadModel("missing.obj", "ghost", false, -1, -1));
  EXPECT_EQ(models.Find("ghost"), nullptr);
  EXPECT_EQ(models.GetSelected(), nullptr);
  EXPECT_EQ(RootChildren(), 0u);

  irr::scene::IAnimatedMesh* small = AddBox("small.obj", vector3df(1, 1, 1));
  irr::scene::IAnimatedMesh* large = AddBox("large.obj", vector3df(8, 8, 8));
  ASSERT_TRUE(models.LoadModel("small.obj", "thing", false, -1, -1));
  ASSERT_TRUE(models.LoadModel("large.obj", "thing", false, -1, -1));
  BvModelEntry* thing = models.Find("thing");
  EXPECT_EQ(models.GetCount(), 1u);
  EXPECT_EQ(thing->id, 0) << "the entry stays";
  EXPECT_EQ(thing->mesh, large);
  EXPECT_EQ(thing->node->getMesh(), large) << "a new node for the new mesh";
  EXPECT_EQ(thing->size, vector3df(8, 8, 8));
  EXPECT_FALSE(InCache(small)) << "the old mesh left the cache";
  EXPECT_EQ(RootChildren(), 1u) << "the old node is gone";

  // A failing mesh for an existing name keeps the model.
  EXPECT_TRUE(models.LoadModel("missing.obj", "thing", false, -1, -1));
  EXPECT_EQ(models.Find("thing")->mesh, large);
}

TEST_F(ModelManagerTest, SettersActOnTheSelectedModel) {
  AddBox("a.obj", vector3df(1, 1, 1));
  AddBox("b.obj", vector3df(1, 1, 1));
  ASSERT_TRUE(models.LoadModel("a.obj", "a", false, -1, -1));
  ASSERT_TRUE(models.LoadModel("b.obj", "b", false, -1, -1));
  EXPECT_FALSE(models.Select("nobody"));
  EXPECT_EQ(models.GetSelected(), models.Find("b")) << "a missing name keeps the selection";
  ASSERT_TRUE(models.SelectByNode(models.Find("a")->node));
  EXPECT_EQ(*models.GetSelectedName(), "a");

  models.SetPosition(1, 2, 3);
  models.SetRotation(0, 90, 0);
  models.SetScale(2, 2, 2);
  models.SetVisible(0);
  models.SetMaterialFlag(irr::video::EMF_WIREFRAME, true);
  models.SetMaterialType(irr::video::EMT_TRANSPARENT_ADD_COLOR);
  const std::string folder = bv::test::MakeTempFolder("model-texture");
  const std::string texture = folder + "/skin.png";
  ASSERT_TRUE(video.WritePng(texture, 4, 4, irr::video::SColor(255, 1, 2, 3)));
  models.SetTexture(texture.c_str());

  BvModelEntry* a = models.Find("a");
  EXPECT_EQ(a->node->getAbsolutePosition(), vector3df(1, 2, 3)) << "updated at once";
  EXPECT_EQ(a->node->getRotation(), vector3df(0, 90, 0));
  EXPECT_EQ(a->node->getScale(), vector3df(2, 2, 2));
  EXPECT_EQ(a->scale, vector3df(2, 2, 2));
  EXPECT_FALSE(a->node->isVisible());
  EXPECT_EQ(a->visible, 0);
  EXPECT_TRUE(a->node->getMaterial(0).Wireframe);
  EXPECT_EQ(a->node->getMaterial(0).MaterialType, irr::video::EMT_TRANSPARENT_ADD_COLOR);
  EXPECT_NE(a->node->getMaterial(0).getTexture(0), nullptr);
  const BvModelEntry* b = models.Find("b");
  EXPECT_TRUE(b->node->isVisible()) << "only the selected model changes";
  EXPECT_FALSE(b->node->getMaterial(0).Wireframe);

  models.Find("a")->tag = 3;
  models.Find("b")->tag = 5;
  models.ClearTags();
  EXPECT_EQ(models.Find("a")->tag, 0);
  EXPECT_EQ(models.Find("b")->tag, 0);
}

TEST_F(ModelManagerTest, LinkingHangsANodeOnceAndNeverInALoop) {
  for (const char* name : {"body", "arm", "hand"}) {
    AddBox((std::string(name) + ".obj").c_str(), vector3df(1, 1, 1));
    ASSERT_TRUE(models.LoadModel((std::string(name) + ".obj").c_str(), name, false, -1, -1));
  }
  ASSERT_TRUE(models.Select("arm"));
  EXPECT_FALSE(models.LinkTo("arm")) << "not below itself";
  EXPECT_FALSE(models.LinkTo("nobody"));
  ASSERT_TRUE(models.LinkTo("body"));
  EXPECT_EQ(models.Find("arm")->node->getParent(), models.Find("body")->node);
  EXPECT_EQ(models.Find("arm")->linked, 1);
  EXPECT_FALSE(models.LinkTo("hand")) << "once per model";
  ASSERT_TRUE(models.Select("hand"));
  ASSERT_TRUE(models.LinkTo("arm"));
  ASSERT_TRUE(models.Select("body"));
  EXPECT_FALSE(models.LinkTo("hand")) << "a loop through its own children";
}

TEST_F(ModelManagerTest, ReleaseAndClearRemoveNodesMeshesAndEntries) {
  irr::scene::IAnimatedMesh* meshes[4];
  const char* names[4] = {"d", "b", "c", "a"};
  for (int i = 0; i < 4; ++i) {
    const std::string file = std::string(names[i]) + ".obj";
    meshes[i] = AddBox(file.c_str(), vector3df(1, 1, 1));
    ASSERT_TRUE(models.LoadModel(file.c_str(), names[i], false, -1, -1));
  }
  // c hangs below b, a below c.
  ASSERT_TRUE(models.Select("c"));
  ASSERT_TRUE(models.LinkTo("b"));
  ASSERT_TRUE(models.Select("a"));
  ASSERT_TRUE(models.LinkTo("c"));

  EXPECT_FALSE(models.Release("c")) << "a linked model stays";
  EXPECT_FALSE(models.Release("nobody"));
  ASSERT_TRUE(models.Release("d"));
  EXPECT_EQ(models.Find("d"), nullptr);
  EXPECT_FALSE(InCache(meshes[0]));
  EXPECT_EQ(*models.GetSelectedName(), "a") << "the first name left is selected";

  // Releasing b takes the models hanging below it along.
  ASSERT_TRUE(models.Release("b"));
  EXPECT_EQ(models.GetCount(), 0u);
  EXPECT_EQ(models.GetSelected(), nullptr);
  EXPECT_EQ(RootChildren(), 0u);
  for (irr::scene::IAnimatedMesh* mesh : meshes) EXPECT_FALSE(InCache(mesh));

  AddBox("e.obj", vector3df(1, 1, 1));
  AddBox("f.obj", vector3df(1, 1, 1));
  ASSERT_TRUE(models.LoadModel("e.obj", "e", false, -1, -1));
  ASSERT_TRUE(models.LoadModel("f.obj", "f", false, -1, -1));
  ASSERT_TRUE(models.LinkTo("e"));
  models.Clear();
  EXPECT_EQ(models.GetCount(), 0u);
  EXPECT_EQ(models.GetSelected(), nullptr);
  EXPECT_EQ(RootChildren(), 0u);
  EXPECT_EQ(models.GetModelsMade(), 6) << "ids keep counting";
}

TEST_F(ModelManagerTest, TheApplicationsUnloadClearsTheGlobalManager) {
  AddBox("g.obj", vector3df(1, 1, 1));
  g_ModelManager = new BvModelManager();
  ASSERT_TRUE(g_ModelManager->LoadModel("g.obj", "g", false, -1, -1));
  BvApplication app(nullptr);
  app.Unload();
  EXPECT_EQ(g_ModelManager->GetCount(), 0u);
  EXPECT_EQ(RootChildren(), 0u);
  delete g_ModelManager;
  g_ModelManager = nullptr;
}

// The render states go on the materials of the 3D nodes; the ambient light
// on the scene manager, which hands it to the driver when it draws.
TEST_F(ModelManagerTest, RenderStatesReachTheModelsMaterials) {
  AddBox("lit.obj", vector3df(1, 1, 1));
  AddBox("child.obj", vector3df(1, 1, 1));
  ASSERT_TRUE(models.LoadModel("lit.obj", "lit", true, -1, -1));
  ASSERT_TRUE(models.LoadModel("child.obj", "child", true, -1, -1));
  ASSERT_TRUE(models.LinkTo("lit"));
  for (const char* name : {"lit", "child"}) {
    irr::video::SMaterial& material = models.Find(name)->node->getMaterial(0);
    material.BackfaceCulling = false;
    material.NormalizeNormals = false;
  }
  BvApplication app(nullptr);
  app.SetupRenderStates();
  for (const char* name : {"lit", "child"}) {
    const irr::video::SMaterial& material = models.Find(name)->node->getMaterial(0);
    EXPECT_FLOAT_EQ(material.Shininess, 0.0f) << name << ": no specular highlights";
    EXPECT_TRUE(material.BackfaceCulling) << name;
    EXPECT_TRUE(material.NormalizeNormals) << name;
  }
  const irr::video::SColorf ambient = g_SceneManager->getAmbientLight();
  EXPECT_FLOAT_EQ(ambient.r, 0.5f);
  EXPECT_FLOAT_EQ(ambient.g, 0.5f);
  EXPECT_FLOAT_EQ(ambient.b, 0.5f);
  EXPECT_FLOAT_EQ(ambient.a, 0.5f);
}

}  // namespace
