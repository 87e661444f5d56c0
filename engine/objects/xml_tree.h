#pragma once
// A small tree of XML nodes, read whole from a file before it is
// interpreted (parsed by expat). Tag and attribute names compare ignoring ASCII case; texts are
// kept as the file's bytes (Latin-1), untrimmed.
#include <memory>
#include <string>
#include <vector>

namespace irr { namespace io { class IFileSystem; } }

struct BvXmlAttribute {
  std::string name;
  std::string value;
};

class BvXmlNode {
 public:
  explicit BvXmlNode(const std::string& name);
  // Deletes the whole subtree.
  virtual ~BvXmlNode();
  BvXmlNode(const BvXmlNode&) = delete;
  BvXmlNode& operator=(const BvXmlNode&) = delete;

  const std::string& GetName() const { return m_Name; }
  void SetName(const std::string& name) { m_Name = name; }
  // True when the element name equals name ignoring ASCII case.
  bool IsNamed(const char* name) const;
  // Text content: "" until text is read; the last text inside the element.
  const std::string& GetValue() const { return m_Value; }
  void SetValue(const std::string& value) { m_Value = value; }

  // Takes ownership and links the node after the current last child.
  void AppendChild(BvXmlNode* node);
  // Appends an attribute record (duplicates stay; the first one is found).
  void AddAttribute(const std::string& name, const std::string& value);

  // The value of the first attribute named so (ignoring case), "" when none.
  const std::string& GetAttribute(const char* name) const;
  // The attribute read as a number in the C locale, atoi/atof style: leading
  // blanks skipped, trailing text ignored; missing or not a number gives 0.
  int GetAttributeInt(const char* name) const;
  float GetAttributeFloat(const char* name) const;
  // Whether an attribute of that name exists (an empty value counts).
  bool HasAttribute(const char* name) const;
  const std::vector<BvXmlAttribute>& GetAttributes() const { return m_Attributes; }

  BvXmlNode* GetParent() const { return m_Parent; }
  BvXmlNode* GetFirstChild() const;
  BvXmlNode* GetLastChild() const;
  BvXmlNode* GetNextSibling() const { return m_Next; }
  BvXmlNode* GetPreviousSibling() const { return m_Previous; }
  int GetChildCount() const { return static_cast<int>(m_Children.size()); }
  // The child at a 0-based position, null outside 0..count-1.
  BvXmlNode* GetChild(int index) const;
  // The first child named so (ignoring case), or null.
  BvXmlNode* FindChild(const char* name) const;

 private:
  std::string m_Name;
  std::string m_Value;
  BvXmlNode* m_Parent = nullptr;
  BvXmlNode* m_Previous = nullptr;
  BvXmlNode* m_Next = nullptr;
  std::vector<std::unique_ptr<BvXmlNode>> m_Children;
  std::vector<BvXmlAttribute> m_Attributes;
};

// The document node: the file's outer element itself (its name and
// attributes), with the elements inside it as children. Named "root" until
// a load reads an element.
class BvXmlDocument : public BvXmlNode {
 public:
  BvXmlDocument();
  ~BvXmlDocument() override;

  // Reads the file through the engine device's file system (the mounted data
  // pack, then the folder); without a device, from the folder. The whole file
  // must be well-formed XML before anything is added: a file that cannot be
  // opened or is damaged leaves the tree as it was, silently, and callers
  // judge by the tree (GetChildCount() == 0). A UTF-8 byte-order mark is
  // skipped; every other byte is one Latin-1 character. A second load renames
  // the document and appends to its children.
  void Load(const char* path);
  void Load(const std::string& path) { Load(path.c_str()); }
  // The same through a given file system (null: the folder).
  void Load(const char* path, irr::io::IFileSystem* fileSystem);
  // Whether the last Load opened its file.
  bool WasOpened() const { return m_Opened; }

 private:
  bool m_Opened = false;
};

namespace bv {

// ASCII case-insensitive equality of two names.
bool NameEqualsIgnoreCase(const char* a, const char* b);
// C-locale number parsing in the manner of atoi/atof (0 when not a number).
int ParseIntC(const char* text);
float ParseFloatC(const char* text);
// Latin-1 bytes widened one by one to wide characters (for Irrlicht texts).
std::wstring WidenLatin1(const std::string& latin1);

}  // namespace bv
