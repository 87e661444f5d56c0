#pragma once
// The language table: every text the player reads, looked up by key, loaded
// once from "data/lang.xml".
//
// File format: one outer element of any name holding one element "text" per
// entry (any letter case), its attribute "code" the key and its character
// content the text (Latin-1 bytes, entities resolved). Other elements, and
// anything nested inside a "text", are ignored.
#include <string>

#include "engine/objects/managed_object.h"

class BvLang : public CManagedObjectBase {
 public:
  // Most wide characters kept of a text.
  static constexpr size_t kMaxWideLength = 499;

  explicit BvLang(const char* key = nullptr) : CManagedObjectBase(key) {}
  const char* GetClassName() const override { return "BvLang"; }

  // Keeps the text whole as narrow text and its first 499 bytes widened one
  // by one (byte 0xE9 becomes U+00E9) as wide text.
  void SetText(const std::string& narrow);
  const wchar_t* GetText() const { return m_Wide.c_str(); }
  const char* GetTextA() const { return m_Narrow.c_str(); }

 private:
  std::wstring m_Wide;
  std::string m_Narrow;
};

class BvLangList : public CManagedObjectList {
 public:
  // Adds the entries of a language file (a key met again shows the duplicate
  // "Alert" box and the first entry stays). False when the file is missing
  // or holds nothing inside its outer element.
  bool LoadLang(const char* path);
  // The entry, or null after the "Alert" box of a miss.
  BvLang* GetLang(const char* key) const;
};

// The one language table, from program start to exit.
extern BvLangList g_LangTable;

// The wide text of the key in g_LangTable; "undefined" after the lookup's
// "Alert" box when the key is missing. Valid while the table lives.
const wchar_t* GetText(const char* key);
