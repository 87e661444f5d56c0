#include "engine/resources/lang_table.h"

#include "engine/objects/xml_tree.h"

BvLangList g_LangTable;

void BvLang::SetText(const std::string& narrow) {
  m_Narrow = narrow;
  m_Wide = bv::WidenLatin1(narrow.substr(0, kMaxWideLength));
}

bool BvLangList::LoadLang(const char* path) {
  BvXmlDocument document;
  document.Load(path);
  if (document.GetChildCount() == 0) return false;
  for (BvXmlNode* node = document.GetFirstChild(); node != nullptr; node = node->GetNextSibling()) {
    if (!node->IsNamed("text")) continue;
    BvLang* lang = new BvLang(node->GetAttribute("code").c_str());
    lang->SetText(node->GetValue());
    AddObject(lang);
  }
  return true;
}

BvLang* BvLangList::GetLang(const char* key) const {
  return static_cast<BvLang*>(GetObjectByName(key));
}

const wchar_t* GetText(const char* key) {
  const BvLang* lang = g_LangTable.GetLang(key);
  return lang != nullptr ? lang->GetText() : L"undefined";
}
