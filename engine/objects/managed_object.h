#pragma once
// Named objects and the owning registries that index them by name and id.
// Every resource and runtime object of the engine (images, sprites, elements,
// language entries, levels, level elements, behaviours, board objects)
// derives from CManagedObjectBase.
#include <map>
#include <string>
#include <vector>

class CManagedObjectBase {
 public:
  // Takes the next id from the process-wide counter. A null name is replaced
  // by the id in lower-case hexadecimal, least significant digit first.
  explicit CManagedObjectBase(const char* name = nullptr);
  virtual ~CManagedObjectBase();

  CManagedObjectBase(const CManagedObjectBase&) = delete;
  CManagedObjectBase& operator=(const CManagedObjectBase&) = delete;

  // The class's own name ("CManagedObjectBase" here; derived classes return
  // theirs, e.g. "BvImage").
  virtual const char* GetClassName() const;
  // Receives an event number from an object this one listens to.
  virtual void OnNotify(int event, CManagedObjectBase* sender);

  int GetId() const { return m_Id; }
  const char* GetName() const { return m_Name.c_str(); }
  const std::string& GetNameString() const { return m_Name; }
  // Registries are not told: name an object before adding it to a list.
  void SetName(const char* name);
  void SetName(const std::string& name) { m_Name = name; }

  // Calls OnNotify(event, this) on every listener in order of addition. A
  // listener added during the pass is called in the same pass; one removed
  // during the pass is not called any more.
  void Notify(int event);
  // Appends (not owned); a listener added twice is notified twice.
  void AddListener(CManagedObjectBase* listener);
  // Removes every occurrence of the listener, so a deleted object that
  // listened here is never called again.
  void RemoveListener(CManagedObjectBase* listener);
  void ClearListeners();
  const std::vector<CManagedObjectBase*>& GetListeners() const { return m_Listeners; }

  // The generated name of an id: 0 -> "0", 26 -> "a1", 256 -> "001".
  static std::string MakeIdName(int id);
  // The id the next constructed object will get.
  static int PeekNextId();

  // Owner-defined pointer (the game sets it on level elements to the object
  // that owns them). Kept first among the fields.
  void* m_pUser = nullptr;
  // Set to have the owner delete this object at its next safe point.
  bool m_bDead = false;

 protected:
  // For copies that must keep the original's identity (BvImageList's
  // AddImageCopy): takes name, id, listeners and user pointer from other.
  void CopyIdentityFrom(const CManagedObjectBase& other);

 private:
  void CompactListeners();

  std::string m_Name;
  int m_Id;
  // Not owned. Entries removed during a Notify pass are nulled and dropped
  // when the outermost pass ends.
  std::vector<CManagedObjectBase*> m_Listeners;
  int m_NotifyDepth = 0;
  bool m_ListenersHoled = false;
};

// An owning list of named objects, indexed by exact (byte-wise) name and by
// id. Derived kinds: BvImageList, BvSpriteList, BvElementList, BvLevelList,
// BvLangList, BvLevel.
class CManagedObjectList {
 public:
  using NameIndex = std::map<std::string, CManagedObjectBase*>;
  using IdIndex = std::map<int, CManagedObjectBase*>;

  CManagedObjectList() = default;
  // Clears through the base Clear (derived lists run their own first).
  virtual ~CManagedObjectList();
  CManagedObjectList(const CManagedObjectList&) = delete;
  CManagedObjectList& operator=(const CManagedObjectList&) = delete;

  // Deletes every object in name order, then empties both indexes.
  virtual void Clear();

  // Takes ownership. A name already listed shows "TRYING TO ADD EXISTING
  // OBJECT, DELETED! <name>" in an "Alert" box and deletes the newcomer
  // (returns false); the listed object stays.
  bool AddObject(CManagedObjectBase* object);
  // The object with exactly this name, or null after an "Alert" box
  // "GetObjectByName, Object not found : <name>" (shown on every miss).
  CManagedObjectBase* GetObjectByName(const char* name) const;
  CManagedObjectBase* GetObjectByName(const std::string& name) const;
  // Silent lookups: null when missing.
  CManagedObjectBase* FindObjectByName(const std::string& name) const;
  CManagedObjectBase* GetObjectById(int id) const;
  // Deletes the named object and drops it from both indexes; a missing name
  // does nothing.
  void RemoveObjectByName(const char* name);
  void RemoveObjectByName(const std::string& name);

  size_t GetCount() const { return m_ByName.size(); }
  bool IsEmpty() const { return m_ByName.empty(); }
  // Walking: name order (byte-wise) or ascending id (creation) order.
  const NameIndex& GetNameIndex() const { return m_ByName; }
  const IdIndex& GetIdIndex() const { return m_ById; }
  // The object with the smallest id, or null when empty.
  CManagedObjectBase* GetFirstById() const;

 protected:
  // The base clearing, for derived destructors and Clear overrides.
  void ClearObjects();

 private:
  NameIndex m_ByName;
  IdIndex m_ById;
};
