#pragma once
// BvModelManager: animated 3D models by name over Irrlicht's scene manager
// and mesh cache, one of them selected for the setters. Reached through
// g_ModelManager, which nothing creates in the game; the system object
// deletes it and the application's unload clears it.
#include <irrlicht.h>

#include <cstdint>
#include <map>
#include <string>

struct BvModelEntry {
  // From the manager's counter, in order of creation.
  int32_t id = 0;
  irr::scene::IAnimatedMesh* mesh = nullptr;  // held by the mesh cache
  irr::scene::IAnimatedMeshSceneNode* node = nullptr;
  irr::core::vector3df position;
  // Degrees about each axis.
  irr::core::vector3df rotation;
  irr::core::vector3df scale{1.0f, 1.0f, 1.0f};
  // Extents of the mesh's bounding box.
  irr::core::vector3df size;
  // Vertex alpha 0..255, or -1 for solid materials.
  int16_t alpha = -1;
  int32_t visible = 1;
  // The node hangs below another model's node (LinkTo).
  uint8_t linked = 0;
  uint8_t tag = 0;
};

class BvModelManager {
 public:
  // Works on g_SceneManager as it is at each call.
  BvModelManager() = default;
  // Clears.
  virtual ~BvModelManager();
  BvModelManager(const BvModelManager&) = delete;
  BvModelManager& operator=(const BvModelManager&) = delete;

  // Makes (or, for an existing name, remakes with the new mesh) the model
  // called name from a mesh file through the scene manager, with the node
  // id, and selects it. alpha -1 gives solid materials, 0..255 vertex-alpha
  // transparency; lighting switches the materials' lighting (a lit model's
  // first material gets a dull specular look). False, with nothing made,
  // when the mesh of a new name can't be loaded; an existing name whose new
  // mesh fails keeps its model, which is selected and set up again.
  bool LoadModel(const char* meshFile, const char* name, bool lighting, int alpha, int nodeId);

  BvModelEntry* Find(const char* name);
  // The selection; false (selection kept) when missing.
  bool Select(const char* name);
  bool SelectByNode(const irr::scene::ISceneNode* node);
  BvModelEntry* GetSelected() const { return m_Selected; }
  const std::string* GetSelectedName() const;

  // Setters of the selected model; nothing without one.
  void SetAlpha(int alpha);
  void SetMaterialType(irr::video::E_MATERIAL_TYPE type);
  void SetMaterialFlag(irr::video::E_MATERIAL_FLAG flag, bool value);
  // Texture layer 0 of every material, from a file through the driver.
  void SetTexture(const char* file);
  void SetPosition(float x, float y, float z);
  void SetRotation(float x, float y, float z);
  void SetScale(float x, float y, float z);
  // 0 hides the node, anything else shows it.
  void SetVisible(int value);
  // Hangs the selected model's node below the named model's node; once per
  // model, never below itself or below a model hanging from it. False when
  // refused.
  bool LinkTo(const char* name);
  // Every model's tag 0.
  void ClearTags();

  // Removes an unlinked model: its node (with the models linked below it),
  // its mesh from the cache and its entry; the first remaining model in
  // name order becomes selected. False for a missing or linked model.
  bool Release(const char* name);
  // Removes every unlinked model's node and mesh and forgets every model.
  void Clear();

  size_t GetCount() const { return m_Models.size(); }
  int32_t GetModelsMade() const { return m_ModelsMade; }

 private:
  void ApplyAlpha(BvModelEntry& entry, int alpha);
  void ApplyLighting(BvModelEntry& entry, bool lighting);
  void RemoveNodeAndMesh(BvModelEntry& entry);
  // Forgets the models whose nodes hang below ancestor's (their meshes
  // leave the cache).
  void ForgetModelsBelow(const BvModelEntry& ancestor);
  // Whether model hangs (directly or not) below ancestor.
  static bool HangsBelow(const BvModelEntry& model, const BvModelEntry& ancestor);

  std::map<std::string, BvModelEntry> m_Models;
  BvModelEntry* m_Selected = nullptr;
  int32_t m_ModelsMade = 0;
};

extern BvModelManager* g_ModelManager;
