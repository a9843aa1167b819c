#include <cctype>

#include "platform/sim/byte_reader.h"
#include "platform/sim/dialog_template.h"

namespace sim {
namespace {

// A menu, class or title field: nothing, a number, or a string.
bool ReadField(ByteReader& in, std::string* text, int* ordinal) {
  text->clear();
  if (ordinal) *ordinal = -1;
  uint16_t first = 0;
  if (!in.U16(&first)) return false;
  if (first == 0) return true;
  if (first == 0xFFFF) {
    uint16_t number = 0;
    if (!in.U16(&number)) return false;
    if (ordinal) *ordinal = number;
    return true;
  }
  std::string rest;
  if (!in.Utf16z(&rest)) return false;
  *text = std::string(1, first < 0x100 ? static_cast<char>(first) : '?') + rest;
  return true;
}

std::string ClassOfAtom(int atom) {
  switch (atom) {
    case 0x80:
      return "button";
    case 0x81:
      return "edit";
    case 0x82:
      return "static";
    case 0x83:
      return "listbox";
    case 0x84:
      return "scrollbar";
    case 0x85:
      return "combobox";
    default:
      return "#" + std::to_string(atom);
  }
}

std::string Lower(std::string s) {
  for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return s;
}

bool ReadRect(ByteReader& in, int* x, int* y, int* cx, int* cy) {
  int16_t v[4] = {};
  for (int16_t& e : v)
    if (!in.I16(&e)) return false;
  *x = v[0], *y = v[1], *cx = v[2], *cy = v[3];
  return true;
}

bool ReadItemTail(ByteReader& in, DialogItem* item) {
  std::string cls;
  int atom = -1;
  uint16_t extra = 0;
  if (!ReadField(in, &cls, &atom) || !ReadField(in, &item->text, &item->textOrdinal) || !in.U16(&extra)) return false;
  item->className = atom >= 0 ? ClassOfAtom(atom) : Lower(cls);
  return in.Skip(extra);
}

bool ReadItem(ByteReader& in, bool extended, DialogItem* item) {
  in.AlignTo4();
  uint32_t helpId = 0, id = 0;
  uint16_t shortId = 0;
  bool ok = false;
  if (extended) {
    ok = in.U32(&helpId) && in.U32(&item->exStyle) && in.U32(&item->style) &&
         ReadRect(in, &item->x, &item->y, &item->cx, &item->cy) && in.U32(&id);
  } else {
    ok = in.U32(&item->style) && in.U32(&item->exStyle) && ReadRect(in, &item->x, &item->y, &item->cx, &item->cy) &&
         in.U16(&shortId);
    id = shortId;
  }
  item->id = static_cast<int>(id);
  return ok && ReadItemTail(in, item);
}

bool ReadFont(ByteReader& in, DialogTemplate* t) {
  uint16_t points = 0, weight = 0;
  uint8_t italic = 0, charSet = 0;
  if (!in.U16(&points)) return false;
  if (t->extended && !(in.U16(&weight) && in.U8(&italic) && in.U8(&charSet))) return false;
  t->pointSize = points, t->weight = weight, t->italic = italic != 0, t->charSet = charSet;
  return in.Utf16z(&t->face);
}

bool ReadHead(ByteReader& in, DialogTemplate* t, uint16_t* count) {
  if (t->extended) {
    uint32_t helpId = 0;
    if (!in.Skip(4) || !in.U32(&helpId) || !in.U32(&t->exStyle) || !in.U32(&t->style)) return false;
  } else if (!in.U32(&t->style) || !in.U32(&t->exStyle)) {
    return false;
  }
  if (!in.U16(count) || !ReadRect(in, &t->x, &t->y, &t->cx, &t->cy)) return false;
  if (!ReadField(in, &t->menu, nullptr) || !ReadField(in, &t->className, nullptr) ||
      !ReadField(in, &t->caption, nullptr))
    return false;
  return !(t->style & DS_SETFONT) || ReadFont(in, t);
}

}  // namespace

bool ParseDialogTemplate(const uint8_t* data, size_t size, DialogTemplate* out, std::string* error) {
  *out = DialogTemplate();
  ByteReader in(data, size);
  out->extended = size >= 4 && data[0] == 1 && data[1] == 0 && data[2] == 0xFF && data[3] == 0xFF;
  uint16_t count = 0;
  if (!ReadHead(in, out, &count)) {
    if (error) *error = "dialog template header is cut short";
    return false;
  }
  for (uint16_t i = 0; i < count; ++i) {
    DialogItem item;
    if (!ReadItem(in, out->extended, &item)) {
      if (error) *error = "dialog item " + std::to_string(i) + " is cut short";
      return false;
    }
    out->items.push_back(std::move(item));
  }
  return true;
}

}  // namespace sim
