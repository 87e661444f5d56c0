// The authoring loader of the layouts bank: "data/layouts.xml".
#include "engine/objects/xml_tree.h"
#include "engine/platform/message_box.h"
#include "game/core/layout_bank.h"

namespace {
const char* const kAlertCaption = "Alert";

// The decimal text of the first child named so, 0 when absent.
int ChildValue(const BvXmlNode* cell, const char* name) {
  const BvXmlNode* child = cell->FindChild(name);
  return child ? bv::ParseIntC(child->GetValue().c_str()) : 0;
}
}  // namespace

bool BvLayoutBank::LoadXml(const char* fileName) {
  BvXmlDocument document;
  document.Load(fileName);
  if (document.GetChildCount() == 0) return false;
  int layout = 0;
  for (BvXmlNode* top = document.GetFirstChild(); top; top = top->GetNextSibling(), ++layout) {
    if (!top->IsNamed("layout")) continue;
    if (top->GetAttributeInt("width") != kColumns || top->GetAttributeInt("height") != kRows) {
      bv::ShowMessageBox(kAlertCaption, "Bad width or height in layout.xml");
      return false;
    }
    // Layouts past the table are read for their messages but not stored.
    const bool stored = layout < kLayoutCount;
    BvXmlNode* rows = top->GetFirstChild();
    if (!rows) continue;
    int row = 0;
    for (BvXmlNode* rowNode = rows->GetFirstChild(); rowNode;
         rowNode = rowNode->GetNextSibling(), ++row) {
      int column = 0;
      for (BvXmlNode* cell = rowNode->GetFirstChild(); cell;
           cell = cell->GetNextSibling(), ++column) {
        if (column >= kColumns || row >= kRows) {
          bv::ShowMessageBox(kAlertCaption, "Bad Width or Height in layout.xml");
          continue;
        }
        if (!stored) continue;
        BvLayoutCell& target = m_Layouts[layout][column * kRows + row];
        target.back = ChildValue(cell, "back");
        target.front = ChildValue(cell, "front");
      }
    }
  }
  return true;
}
