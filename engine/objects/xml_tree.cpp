#include "engine/objects/xml_tree.h"

#include <IFileSystem.h>
#include <IrrlichtDevice.h>
#include <expat.h>

#include <charconv>
#include <climits>
#include <cstdio>
#include <cstring>
#include <memory>
#include <vector>

#include "engine/objects/file_bytes.h"
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

// Files are read as Latin-1 whatever they declare: every byte is one
// character, as the game's texts are Latin-1.
const char kFileEncoding[] = "ISO-8859-1";
const char kUtf8Mark[] = "\xEF\xBB\xBF";
// A text of fewer bytes than this holding only blanks (the line breaks and
// indents between tags) is not a text.
constexpr XML_Index kMinBlankText = 3;

bool IsXmlBlank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; }

// The parser hands out UTF-8; the tree keeps Latin-1 bytes. A character
// reference past Latin-1 becomes '?'.
std::string Latin1FromUtf8(const char* text) {
  std::string out;
  for (const unsigned char* p = reinterpret_cast<const unsigned char*>(text); *p != 0;) {
    unsigned int code = *p++;
    int follow = code >= 0xF0 ? 3 : code >= 0xE0 ? 2 : code >= 0xC0 ? 1 : 0;
    if (follow > 0) code &= 0x3Fu >> follow;
    for (; follow > 0 && (*p & 0xC0) == 0x80; --follow) code = (code << 6) | (*p++ & 0x3Fu);
    out.push_back(code <= 0xFF ? static_cast<char>(code) : '?');
  }
  return out;
}

std::string Latin1FromUtf8(const char* text, int length) {
  return Latin1FromUtf8(std::string(text, static_cast<size_t>(length)).c_str());
}

// Builds the tree from the parser's events. Texts are gathered between two
// pieces of markup and given to the current node as one, so only the last
// text inside an element stays (a comment splits a text).
class TreeBuilder {
 public:
  TreeBuilder(XML_Parser parser, const std::string& bytes, BvXmlDocument* document)
      : m_Parser(parser), m_Bytes(bytes), m_Document(document), m_Current(document) {
    XML_SetUserData(parser, this);
    XML_SetElementHandler(parser, &TreeBuilder::OnStart, &TreeBuilder::OnEnd);
    XML_SetCharacterDataHandler(parser, &TreeBuilder::OnText);
    XML_SetCommentHandler(parser, &TreeBuilder::OnComment);
    XML_SetProcessingInstructionHandler(parser, &TreeBuilder::OnInstruction);
    XML_SetCdataSectionHandler(parser, &TreeBuilder::OnCdataStart, &TreeBuilder::OnCdataEnd);
  }

 private:
  static TreeBuilder* Self(void* data) { return static_cast<TreeBuilder*>(data); }

  static void OnStart(void* data, const XML_Char* name, const XML_Char** attributes) {
    TreeBuilder* self = Self(data);
    self->FlushText();
    if (self->m_FirstElement) {
      self->m_Document->SetName(Latin1FromUtf8(name));
      self->m_FirstElement = false;
    } else {
      BvXmlNode* node = new BvXmlNode(Latin1FromUtf8(name));
      self->m_Current->AppendChild(node);
      self->m_Current = node;
    }
    for (const XML_Char** a = attributes; a[0] != nullptr && a[1] != nullptr; a += 2) {
      self->m_Current->AddAttribute(Latin1FromUtf8(a[0]), Latin1FromUtf8(a[1]));
    }
  }

  static void OnEnd(void* data, const XML_Char*) {
    TreeBuilder* self = Self(data);
    self->FlushText();
    if (self->m_Current->GetParent() != nullptr) self->m_Current = self->m_Current->GetParent();
  }

  static void OnText(void* data, const XML_Char* text, int length) {
    TreeBuilder* self = Self(data);
    if (self->m_InCdata) return;  // CDATA sections are not texts of the tree
    const XML_Index at = XML_GetCurrentByteIndex(self->m_Parser);
    if (self->m_Text.empty()) self->m_TextBegin = at;
    self->m_TextEnd = at + XML_GetCurrentByteCount(self->m_Parser);
    self->m_Text += Latin1FromUtf8(text, length);
  }

  static void OnComment(void* data, const XML_Char*) { Self(data)->FlushText(); }
  static void OnInstruction(void* data, const XML_Char*, const XML_Char*) {
    Self(data)->FlushText();
  }
  static void OnCdataStart(void* data) {
    Self(data)->FlushText();
    Self(data)->m_InCdata = true;
  }
  static void OnCdataEnd(void* data) { Self(data)->m_InCdata = false; }

  void FlushText() {
    if (m_Text.empty()) return;
    if (!IsBlankFill()) m_Current->SetValue(m_Text);
    m_Text.clear();
  }

  // Judged on the file's own bytes, before line ends are joined.
  bool IsBlankFill() const {
    if (m_TextBegin < 0 || m_TextEnd - m_TextBegin >= kMinBlankText) return false;
    for (XML_Index i = m_TextBegin; i < m_TextEnd; ++i) {
      if (!IsXmlBlank(m_Bytes[static_cast<size_t>(i)])) return false;
    }
    return true;
  }

  XML_Parser m_Parser;
  const std::string& m_Bytes;
  BvXmlDocument* m_Document;
  BvXmlNode* m_Current;
  bool m_FirstElement = true;
  bool m_InCdata = false;
  std::string m_Text;
  XML_Index m_TextBegin = -1;
  XML_Index m_TextEnd = -1;
};

// Parses the whole file in one call; with a builder the tree grows as it
// goes. False when the file is not well-formed XML.
bool ParseXml(const std::string& bytes, BvXmlDocument* document) {
  if (bytes.size() > static_cast<size_t>(INT_MAX)) return false;
  XML_Parser parser = XML_ParserCreate(kFileEncoding);
  if (parser == nullptr) return false;
  std::unique_ptr<TreeBuilder> builder;
  if (document != nullptr) builder = std::make_unique<TreeBuilder>(parser, bytes, document);
  const bool wellFormed =
      XML_Parse(parser, bytes.data(), static_cast<int>(bytes.size()), XML_TRUE) == XML_STATUS_OK;
  XML_ParserFree(parser);
  return wellFormed;
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
  std::string bytes;
  if (!bv::ReadWholeFile(fileSystem, path, &bytes)) return;
  m_Opened = true;
  if (bytes.compare(0, sizeof(kUtf8Mark) - 1, kUtf8Mark) == 0) bytes.erase(0, sizeof(kUtf8Mark) - 1);
  // The whole file is proven well-formed before the tree is touched, so a
  // damaged file adds nothing rather than a part.
  if (!ParseXml(bytes, nullptr)) return;
  ParseXml(bytes, this);
}
