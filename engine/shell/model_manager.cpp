#include "engine/shell/model_manager.h"

#include "engine/resources/image_file_check.h"
#include "engine/shell/globals.h"

BvModelManager* g_ModelManager = nullptr;

namespace {

// The look of a lit model's first material.
constexpr float kLitShininess = 90.0f;
constexpr irr::u32 kLitSpecular = 0x505050;
constexpr irr::u32 kLitAmbient = 0x141414;
constexpr irr::u32 kLitDiffuse = 0;
constexpr irr::u32 kLitEmissive = 0;
// The alpha argument that asks for solid materials.
constexpr int kSolidAlpha = -1;

}  // namespace

BvModelManager::~BvModelManager() { Clear(); }

bool BvModelManager::LoadModel(const char* meshFile, const char* name, bool lighting, int alpha,
                               int nodeId) {
  if (g_SceneManager == nullptr || meshFile == nullptr || name == nullptr) return false;
  irr::scene::IAnimatedMesh* mesh = g_SceneManager->getMesh(meshFile);
  auto found = m_Models.find(name);
  if (found == m_Models.end() && mesh == nullptr) return false;

  BvModelEntry* entry = nullptr;
  if (found != m_Models.end()) {
    entry = &found->second;
    if (mesh != nullptr) {
      ForgetModelsBelow(*entry);
      RemoveNodeAndMesh(*entry);
      entry->mesh = mesh;
      entry->node = g_SceneManager->addAnimatedMeshSceneNode(mesh, nullptr, nodeId);
      // The new node hangs from the root again.
      entry->linked = 0;
    }
  } else {
    BvModelEntry& made = m_Models[name];
    made.id = m_ModelsMade++;
    made.mesh = mesh;
    made.node = g_SceneManager->addAnimatedMeshSceneNode(mesh, nullptr, nodeId);
    entry = &made;
  }
  m_Selected = entry;
  if (entry->node == nullptr) return false;

  ApplyAlpha(*entry, alpha);
  entry->size = entry->mesh->getBoundingBox().getExtent();
  ApplyLighting(*entry, lighting);
  return true;
}

void BvModelManager::ApplyAlpha(BvModelEntry& entry, int alpha) {
  entry.alpha = static_cast<int16_t>(alpha);
  if (entry.node == nullptr) return;
  if (alpha == kSolidAlpha) {
    entry.node->setMaterialType(irr::video::EMT_SOLID);
    return;
  }
  entry.node->setMaterialType(irr::video::EMT_TRANSPARENT_VERTEX_ALPHA);
  if (g_SceneManager != nullptr && entry.mesh != nullptr) {
    g_SceneManager->getMeshManipulator()->setVertexColorAlpha(entry.mesh, alpha);
  }
}

void BvModelManager::ApplyLighting(BvModelEntry& entry, bool lighting) {
  irr::scene::IAnimatedMeshSceneNode* node = entry.node;
  node->setMaterialFlag(irr::video::EMF_LIGHTING, lighting);
  node->setMaterialFlag(irr::video::EMF_BILINEAR_FILTER, true);
  if (!lighting || node->getMaterialCount() == 0) return;
  irr::video::SMaterial& first = node->getMaterial(0);
  first.Shininess = kLitShininess;
  first.SpecularColor = irr::video::SColor(kLitSpecular);
  first.AmbientColor = irr::video::SColor(kLitAmbient);
  first.DiffuseColor = irr::video::SColor(kLitDiffuse);
  first.EmissiveColor = irr::video::SColor(kLitEmissive);
}

BvModelEntry* BvModelManager::Find(const char* name) {
  if (name == nullptr) return nullptr;
  auto found = m_Models.find(name);
  return found != m_Models.end() ? &found->second : nullptr;
}

bool BvModelManager::Select(const char* name) {
  BvModelEntry* entry = Find(name);
  if (entry == nullptr) return false;
  m_Selected = entry;
  return true;
}

bool BvModelManager::SelectByNode(const irr::scene::ISceneNode* node) {
  for (auto& [name, entry] : m_Models) {
    if (node != nullptr && entry.node == node) {
      m_Selected = &entry;
      return true;
    }
  }
  return false;
}

const std::string* BvModelManager::GetSelectedName() const {
  for (const auto& [name, entry] : m_Models) {
    if (&entry == m_Selected) return &name;
  }
  return nullptr;
}

void BvModelManager::SetAlpha(int alpha) {
  if (m_Selected != nullptr) ApplyAlpha(*m_Selected, alpha);
}

void BvModelManager::SetMaterialType(irr::video::E_MATERIAL_TYPE type) {
  if (m_Selected != nullptr && m_Selected->node != nullptr) m_Selected->node->setMaterialType(type);
}

void BvModelManager::SetMaterialFlag(irr::video::E_MATERIAL_FLAG flag, bool value) {
  if (m_Selected != nullptr && m_Selected->node != nullptr) {
    m_Selected->node->setMaterialFlag(flag, value);
  }
}

void BvModelManager::SetTexture(const char* file) {
  if (m_Selected == nullptr || m_Selected->node == nullptr || g_Driver == nullptr) return;
  // Only a picture that passes the image check reaches the driver's loaders.
  irr::video::ITexture* texture =
      file != nullptr && bv::IsUsableImageFile(file) ? g_Driver->getTexture(file) : nullptr;
  m_Selected->node->setMaterialTexture(0, texture);
}

void BvModelManager::SetPosition(float x, float y, float z) {
  if (m_Selected == nullptr || m_Selected->node == nullptr) return;
  m_Selected->position.set(x, y, z);
  m_Selected->node->setPosition(m_Selected->position);
  m_Selected->node->updateAbsolutePosition();
}

void BvModelManager::SetRotation(float x, float y, float z) {
  if (m_Selected == nullptr || m_Selected->node == nullptr) return;
  m_Selected->rotation.set(x, y, z);
  m_Selected->node->setRotation(m_Selected->rotation);
}

void BvModelManager::SetScale(float x, float y, float z) {
  if (m_Selected == nullptr || m_Selected->node == nullptr) return;
  m_Selected->scale.set(x, y, z);
  m_Selected->node->setScale(m_Selected->scale);
}

void BvModelManager::SetVisible(int value) {
  if (m_Selected == nullptr || m_Selected->node == nullptr) return;
  m_Selected->visible = value;
  m_Selected->node->setVisible(value != 0);
}

bool BvModelManager::HangsBelow(const BvModelEntry& model, const BvModelEntry& ancestor) {
  if (model.node == nullptr || ancestor.node == nullptr) return false;
  for (const irr::scene::ISceneNode* node = model.node->getParent(); node != nullptr;
       node = node->getParent()) {
    if (node == ancestor.node) return true;
  }
  return false;
}

bool BvModelManager::LinkTo(const char* name) {
  BvModelEntry* parent = Find(name);
  if (m_Selected == nullptr || parent == nullptr || m_Selected->linked) return false;
  if (parent == m_Selected || m_Selected->node == nullptr || parent->node == nullptr) return false;
  // A parent hanging below the selected model would close a loop.
  if (HangsBelow(*parent, *m_Selected)) return false;
  m_Selected->node->setParent(parent->node);
  m_Selected->linked = 1;
  return true;
}

void BvModelManager::ClearTags() {
  for (auto& [name, entry] : m_Models) entry.tag = 0;
}

void BvModelManager::RemoveNodeAndMesh(BvModelEntry& entry) {
  if (entry.node != nullptr) entry.node->remove();
  entry.node = nullptr;
  if (entry.mesh != nullptr && g_SceneManager != nullptr) {
    g_SceneManager->getMeshCache()->removeMesh(entry.mesh);
  }
  entry.mesh = nullptr;
}

void BvModelManager::ForgetModelsBelow(const BvModelEntry& ancestor) {
  // Walked while every node still exists; the nodes go with the ancestor's.
  for (auto it = m_Models.begin(); it != m_Models.end();) {
    if (HangsBelow(it->second, ancestor)) {
      if (g_SceneManager != nullptr && it->second.mesh != nullptr) {
        g_SceneManager->getMeshCache()->removeMesh(it->second.mesh);
      }
      if (m_Selected == &it->second) m_Selected = nullptr;
      it = m_Models.erase(it);
    } else {
      ++it;
    }
  }
}

bool BvModelManager::Release(const char* name) {
  auto found = name != nullptr ? m_Models.find(name) : m_Models.end();
  if (found == m_Models.end() || found->second.linked) return false;
  ForgetModelsBelow(found->second);
  RemoveNodeAndMesh(found->second);
  m_Models.erase(found);
  m_Selected = m_Models.empty() ? nullptr : &m_Models.begin()->second;
  return true;
}

void BvModelManager::Clear() {
  // Without a scene manager the nodes are gone already.
  if (g_SceneManager != nullptr) {
    for (auto& [name, entry] : m_Models) {
      // A linked model's node goes with the node it hangs from.
      if (!entry.linked) RemoveNodeAndMesh(entry);
    }
  }
  m_Models.clear();
  m_Selected = nullptr;
}
