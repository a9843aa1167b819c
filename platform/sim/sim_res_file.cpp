#include <cctype>
#include <cstdlib>

#include "platform/sim/byte_reader.h"
#include "platform/sim/res_file.h"

namespace sim {

ResId::ResId(const char* name) : isNumber(false) {
  for (const char* p = name ? name : ""; *p; ++p)
    text.push_back(static_cast<char>(std::toupper(static_cast<unsigned char>(*p))));
}

ResId ResId::FromArg(const char* arg) {
  if (os::IS_INTRESOURCE(arg)) return ResId(static_cast<int>(reinterpret_cast<uintptr_t>(arg)));
  if (arg[0] == '#' && arg[1] != 0) {
    char* end = nullptr;
    const unsigned long n = std::strtoul(arg + 1, &end, 10);
    if (*end == 0 && n <= 0xFFFF) return ResId(static_cast<int>(n));
  }
  return ResId(arg);
}

bool ResId::operator==(const ResId& other) const {
  if (isNumber != other.isNumber) return false;
  return isNumber ? number == other.number : text == other.text;
}

std::string ResId::ToString() const { return isNumber ? std::to_string(number) : text; }

namespace {

bool ReadId(ByteReader& in, ResId* id) {
  uint16_t first = 0;
  if (!in.U16(&first)) return false;
  if (first == 0xFFFF) {
    uint16_t number = 0;
    if (!in.U16(&number)) return false;
    *id = ResId(number);
    return true;
  }
  std::string name(1, first < 0x100 ? static_cast<char>(first) : '?');
  if (first != 0) {
    std::string rest;
    if (!in.Utf16z(&rest)) return false;
    name += rest;
  } else {
    name.clear();
  }
  *id = ResId(name);
  return true;
}

// The header after the two sizes, confined to its own HeaderSize bytes.
bool ReadHeader(const uint8_t* header, size_t size, Resource* res) {
  ByteReader in(header, size);
  uint32_t dataVersion = 0, version = 0, characteristics = 0;
  uint16_t memoryFlags = 0;
  if (!in.Skip(8) || !ReadId(in, &res->type) || !ReadId(in, &res->name)) return false;
  in.AlignTo4();
  return in.U32(&dataVersion) && in.U16(&memoryFlags) && in.U16(&res->language) && in.U32(&version) &&
         in.U32(&characteristics);
}

bool Fail(std::string* error, const std::string& why, size_t at) {
  if (error) *error = why + " at offset " + std::to_string(at);
  return false;
}

}  // namespace

bool ParseResFile(const uint8_t* data, size_t size, std::vector<Resource>* out, std::string* error) {
  out->clear();
  size_t pos = 0;
  while (pos < size) {
    ByteReader sizes(data + pos, size - pos);
    uint32_t dataSize = 0, headerSize = 0;
    if (!sizes.U32(&dataSize) || !sizes.U32(&headerSize)) return Fail(error, "truncated resource header", pos);
    const size_t left = size - pos;
    if (headerSize < 32 || headerSize > left) return Fail(error, "bad header size", pos);
    if (dataSize > left - headerSize) return Fail(error, "resource data past the end", pos);
    Resource res;
    if (!ReadHeader(data + pos, headerSize, &res)) return Fail(error, "header does not hold its fields", pos);
    const uint8_t* body = data + pos + headerSize;
    res.bytes.assign(body, body + dataSize);
    // The file begins with an empty entry that only marks it as 32-bit.
    const bool marker = res.type.isNumber && res.type.number == 0 && dataSize == 0;
    if (!marker) out->push_back(std::move(res));
    const size_t next = static_cast<size_t>(headerSize) + dataSize;
    pos += next + ((4 - next % 4) % 4);
  }
  return true;
}

}  // namespace sim
