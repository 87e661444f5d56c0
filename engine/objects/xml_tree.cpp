#include "engine/objects/xml_tree.h"

#include <IFileSystem.h>
#include <IReadFile.h>
#include <IXMLReader.h>
#include <IrrlichtDevice.h>
#include <irrXML.h>

#include <charconv>
#include <climits>
#include <cstdio>
#include <cstring>
#include <memory>
#include <vector>

#include "engine/shell/globals.h"

namespace bv {

namespace {

char LowerAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool IsCBlank(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

// Skips leading C-locale blanks and one '+' (from_chars takes only '-').
const char* NumberStart(const char* text) {
  while (IsCBlank(*text)) ++text;
  if (*text == '+' && text[1] != '-' && text[1] != '+') ++text;
  return text;
}

}  // namespace

bool NameEqualsIgnoreCase(const char* a, const char* b) {
  if (a == nullptr || b == nullptr) return a == b;
  for (; *a != '\0' && *b != '\0'; ++a, ++b) {
    if (LowerAscii(*a) != LowerAscii(*b)) return false;
  }
  return *a == *b;
}

int ParseIntC(const char* text) {
  if (text == nullptr) return 0;
  const char* start = NumberStart(text);
  long long value = 0;
  auto result = std::from_chars(start, start + std::strlen(start), value, 10);
  if (result.ec == std::errc::result_out_of_range) return *start == '-' ? INT_MIN : INT_MAX;
  if (result.ec != std::errc()) return 0;
  if (value > INT_MAX) return INT_MAX;
  if (value < INT_MIN) return INT_MIN;
  return static_cast<int>(value);
}

float ParseFloatC(const char* text) {
  if (text == nullptr) return 0.0f;
  const char* start = NumberStart(text);
  double value = 0.0;
  auto result = std::from_chars(start, start + std::strlen(start), value);
  if (result.ec != std::errc()) return 0.0f;
  return static_cast<float>(value);
}

std::wstring WidenLatin1(const std::string& latin1) {
  std::wstring wide;
  wide.reserve(latin1.size());
  for (unsigned char c : latin1) wide.push_back(static_cast<wchar_t>(c));
  return wide;
}

}  // namespace bv

namespace {

const std::string kEmpty;

// Builds the tree from any irrXML reader (the file system's or the
// stand-alone one: both are IIrrXMLReader<char, ...>).
template <typename Reader>
void ReadTree(Reader* reader, BvXmlDocument* document) {
  BvXmlNode* current = document;
  bool firstElement = true;
  while (reader->read()) {
    switch (reader->getNodeType()) {
      case irr::io::EXN_ELEMENT: {
        const char* name = reader->getNodeName();
        if (firstElement) {
          document->SetName(name != nullptr ? name : "");
          firstElement = false;
        } else {
          BvXmlNode* node = new BvXmlNode(name != nullptr ? name : "");
          current->AppendChild(node);
          current = node;
        }
        int count = reader->getAttributeCount();
        for (int i = 0; i < count; ++i) {
          const char* attrName = reader->getAttributeName(i);
          const char* attrValue = reader->getAttributeValue(i);
          current->AddAttribute(attrName != nullptr ? attrName : "",
                                attrValue != nullptr ? attrValue : "");
        }
        if (reader->isEmptyElement() && current->GetParent() != nullptr) {
          current = current->GetParent();
        }
        break;
      }
      case irr::io::EXN_ELEMENT_END:
        if (current->GetParent() != nullptr) current = current->GetParent();
        break;
      case irr::io::EXN_TEXT: {
        const char* text = reader->getNodeData();
        current->SetValue(text != nullptr ? text : "");
        break;
      }
      default:
        break;  // comments, CDATA, processing instructions
    }
  }
}

}  // namespace

BvXmlNode::BvXmlNode(const std::string& name) : m_Name(name) {}

BvXmlNode::~BvXmlNode() {
  // Released one node at a time rather than by recursion, so a deeply
  // nested file cannot run the stack out.
  std::vector<std::unique_ptr<BvXmlNode>> pending = std::move(m_Children);
  while (!pending.empty()) {
    std::unique_ptr<BvXmlNode> node = std::move(pending.back());
    pending.pop_back();
    for (auto& child : node->m_Children) pending.push_back(std::move(child));
    node->m_Children.clear();
  }
}

bool BvXmlNode::IsNamed(const char* name) const {
  return bv::NameEqualsIgnoreCase(m_Name.c_str(), name);
}

void BvXmlNode::AppendChild(BvXmlNode* node) {
  if (node == nullptr) return;
  node->m_Parent = this;
  node->m_Previous = GetLastChild();
  node->m_Next = nullptr;
  if (node->m_Previous != nullptr) node->m_Previous->m_Next = node;
  m_Children.emplace_back(node);
}

void BvXmlNode::AddAttribute(const std::string& name, const std::string& value) {
  m_Attributes.push_back({name, value});
}

const std::string& BvXmlNode::GetAttribute(const char* name) const {
  for (const BvXmlAttribute& attribute : m_Attributes) {
    if (bv::NameEqualsIgnoreCase(attribute.name.c_str(), name)) return attribute.value;
  }
  return kEmpty;
}

int BvXmlNode::GetAttributeInt(const char* name) const {
  return bv::ParseIntC(GetAttribute(name).c_str());
}

float BvXmlNode::GetAttributeFloat(const char* name) const {
  return bv::ParseFloatC(GetAttribute(name).c_str());
}

bool BvXmlNode::HasAttribute(const char* name) const {
  for (const BvXmlAttribute& attribute : m_Attributes) {
    if (bv::NameEqualsIgnoreCase(attribute.name.c_str(), name)) return true;
  }
  return false;
}

BvXmlNode* BvXmlNode::GetFirstChild() const {
  return m_Children.empty() ? nullptr : m_Children.front().get();
}

BvXmlNode* BvXmlNode::GetLastChild() const {
  return m_Children.empty() ? nullptr : m_Children.back().get();
}

BvXmlNode* BvXmlNode::GetChild(int index) const {
  if (index < 0 || index >= GetChildCount()) return nullptr;
  return m_Children[static_cast<size_t>(index)].get();
}

BvXmlNode* BvXmlNode::FindChild(const char* name) const {
  for (const auto& child : m_Children) {
    if (child->IsNamed(name)) return child.get();
  }
  return nullptr;
}

BvXmlDocument::BvXmlDocument() : BvXmlNode("root") {}

BvXmlDocument::~BvXmlDocument() = default;

void BvXmlDocument::Load(const char* path) {
  Load(path, g_Device != nullptr ? g_Device->getFileSystem() : nullptr);
}

void BvXmlDocument::Load(const char* path, irr::io::IFileSystem* fileSystem) {
  m_Opened = false;
  if (path == nullptr) return;
  if (fileSystem != nullptr) {
    irr::io::IReadFile* file = fileSystem->createAndOpenFile(path);
    if (file == nullptr) return;
    irr::io::IXMLReaderUTF8* reader = fileSystem->createXMLReaderUTF8(file);
    file->drop();
    if (reader == nullptr) return;
    m_Opened = true;
    ReadTree(reader, this);
    reader->drop();
    return;
  }
  // No device: the folder only.
  std::FILE* file = std::fopen(path, "rb");
  if (file == nullptr) return;
  irr::io::IrrXMLReader* reader = irr::io::createIrrXMLReader(file);
  if (reader != nullptr) {
    m_Opened = true;
    ReadTree(reader, this);
    delete reader;
  }
  std::fclose(file);
}
