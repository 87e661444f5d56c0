#include "engine/objects/managed_object.h"

#include <algorithm>

#include "engine/platform/message_box.h"

namespace {

// Process-wide id counter: starts at 0, grows by one per construction and is
// never reset, so ids give the creation order of all objects.
int g_NextObjectId = 0;

const char kAlertCaption[] = "Alert";

}  // namespace

CManagedObjectBase::CManagedObjectBase(const char* name) : m_Id(g_NextObjectId) {
  m_Name = name != nullptr ? std::string(name) : MakeIdName(m_Id);
  ++g_NextObjectId;
}

CManagedObjectBase::~CManagedObjectBase() = default;

const char* CManagedObjectBase::GetClassName() const { return "CManagedObjectBase"; }

void CManagedObjectBase::OnNotify(int /*event*/, CManagedObjectBase* /*sender*/) {}

void CManagedObjectBase::SetName(const char* name) { m_Name = name != nullptr ? name : ""; }

std::string CManagedObjectBase::MakeIdName(int id) {
  static const char kDigits[] = "0123456789abcdef";
  unsigned int value = static_cast<unsigned int>(id);
  std::string name;
  do {
    name.push_back(kDigits[value & 0xF]);
    value >>= 4;
  } while (value != 0);
  return name;
}

int CManagedObjectBase::PeekNextId() { return g_NextObjectId; }

void CManagedObjectBase::Notify(int event) {
  ++m_NotifyDepth;
  // By position, re-reading the size each time: listeners added during the
  // pass are reached too.
  for (size_t i = 0; i < m_Listeners.size(); ++i) {
    CManagedObjectBase* listener = m_Listeners[i];
    if (listener != nullptr) listener->OnNotify(event, this);
  }
  if (--m_NotifyDepth == 0 && m_ListenersHoled) CompactListeners();
}

void CManagedObjectBase::AddListener(CManagedObjectBase* listener) {
  if (listener != nullptr) m_Listeners.push_back(listener);
}

void CManagedObjectBase::RemoveListener(CManagedObjectBase* listener) {
  if (m_NotifyDepth > 0) {
    // Keep positions stable while a pass walks the list.
    for (auto& entry : m_Listeners) {
      if (entry == listener) {
        entry = nullptr;
        m_ListenersHoled = true;
      }
    }
    return;
  }
  m_Listeners.erase(std::remove(m_Listeners.begin(), m_Listeners.end(), listener),
                    m_Listeners.end());
}

void CManagedObjectBase::ClearListeners() {
  if (m_NotifyDepth > 0) {
    std::fill(m_Listeners.begin(), m_Listeners.end(), nullptr);
    m_ListenersHoled = true;
    return;
  }
  m_Listeners.clear();
}

void CManagedObjectBase::CompactListeners() {
  m_Listeners.erase(std::remove(m_Listeners.begin(), m_Listeners.end(), nullptr),
                    m_Listeners.end());
  m_ListenersHoled = false;
}

void CManagedObjectBase::CopyIdentityFrom(const CManagedObjectBase& other) {
  m_Name = other.m_Name;
  m_Id = other.m_Id;
  m_Listeners.clear();
  for (CManagedObjectBase* listener : other.m_Listeners) {
    if (listener != nullptr) m_Listeners.push_back(listener);
  }
  m_pUser = other.m_pUser;
}

CManagedObjectList::~CManagedObjectList() { ClearObjects(); }

void CManagedObjectList::Clear() { ClearObjects(); }

void CManagedObjectList::ClearObjects() {
  // Detach the indexes first so an object's destructor never sees a
  // half-cleared list.
  NameIndex objects;
  objects.swap(m_ByName);
  m_ById.clear();
  for (auto& entry : objects) delete entry.second;
}

bool CManagedObjectList::AddObject(CManagedObjectBase* object) {
  if (object == nullptr) return false;
  const std::string& name = object->GetNameString();
  if (m_ByName.count(name) != 0) {
    bv::ShowMessageBox(kAlertCaption, "TRYING TO ADD EXISTING OBJECT, DELETED! " + name + "\n");
    delete object;
    return false;
  }
  m_ByName[name] = object;
  m_ById[object->GetId()] = object;
  return true;
}

CManagedObjectBase* CManagedObjectList::GetObjectByName(const char* name) const {
  return GetObjectByName(std::string(name != nullptr ? name : ""));
}

CManagedObjectBase* CManagedObjectList::GetObjectByName(const std::string& name) const {
  CManagedObjectBase* object = FindObjectByName(name);
  if (object == nullptr) {
    bv::ShowMessageBox(kAlertCaption, "GetObjectByName, Object not found : " + name);
  }
  return object;
}

CManagedObjectBase* CManagedObjectList::FindObjectByName(const std::string& name) const {
  auto it = m_ByName.find(name);
  return it != m_ByName.end() ? it->second : nullptr;
}

CManagedObjectBase* CManagedObjectList::GetObjectById(int id) const {
  auto it = m_ById.find(id);
  return it != m_ById.end() ? it->second : nullptr;
}

CManagedObjectBase* CManagedObjectList::GetFirstById() const {
  return m_ById.empty() ? nullptr : m_ById.begin()->second;
}

void CManagedObjectList::RemoveObjectByName(const char* name) {
  if (name != nullptr) RemoveObjectByName(std::string(name));
}

void CManagedObjectList::RemoveObjectByName(const std::string& name) {
  auto it = m_ByName.find(name);
  if (it == m_ByName.end()) return;
  CManagedObjectBase* object = it->second;
  m_ByName.erase(it);
  // Only the entry that still points at this object: a later object with the
  // same id may have replaced it.
  auto byId = m_ById.find(object->GetId());
  if (byId != m_ById.end() && byId->second == object) m_ById.erase(byId);
  delete object;
}
