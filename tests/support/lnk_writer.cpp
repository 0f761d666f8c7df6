// Shortcut files written field by field in the little-endian layout of the shell link
// format; offsets inside LinkInfo are computed from the parts actually written.

#include "support/lnk_writer.h"

#include <cstdint>
#include <stdexcept>

#include "common/codepage.h"

namespace lorvane {

namespace {

constexpr uint32_t kHasLinkTargetIdList = 0x01;
constexpr uint32_t kHasLinkInfo = 0x02;
constexpr uint32_t kHasName = 0x04;
constexpr uint32_t kHasWorkingDir = 0x10;
constexpr uint32_t kHasArguments = 0x20;
constexpr uint32_t kIsUnicode = 0x80;

void Put16(std::string* out, uint32_t v) {
  out->push_back(static_cast<char>(v & 0xFF));
  out->push_back(static_cast<char>((v >> 8) & 0xFF));
}

void Put32(std::string* out, uint32_t v) {
  Put16(out, v & 0xFFFF);
  Put16(out, v >> 16);
}

void Set32(std::string* out, size_t at, size_t v) {
  for (int i = 0; i < 4; ++i) (*out)[at + i] = static_cast<char>((v >> (8 * i)) & 0xFF);
}

// CP932 text as UTF-16LE code units.
std::u16string ToUtf16(const std::string& cp932) {
  const std::string utf8 = Cp932ToUtf8(cp932);
  std::u16string out;
  for (size_t i = 0; i < utf8.size();) {
    const auto b = static_cast<unsigned char>(utf8[i]);
    const int length = b < 0x80 ? 1 : b < 0xE0 ? 2 : b < 0xF0 ? 3 : 4;
    char32_t c = length == 1 ? b : length == 2 ? (b & 0x1F) : length == 3 ? (b & 0x0F) : (b & 0x07);
    for (int k = 1; k < length; ++k)
      c = (c << 6) | (static_cast<unsigned char>(utf8[i + k]) & 0x3F);
    i += static_cast<size_t>(length);
    if (c >= 0x10000) {
      c -= 0x10000;
      out.push_back(static_cast<char16_t>(0xD800 + (c >> 10)));
      out.push_back(static_cast<char16_t>(0xDC00 + (c & 0x3FF)));
    } else {
      out.push_back(static_cast<char16_t>(c));
    }
  }
  return out;
}

void PutUtf16(std::string* out, const std::u16string& text) {
  for (char16_t unit : text) Put16(out, unit);
}

void PutStringData(std::string* out, const std::string& cp932, bool unicode) {
  if (unicode) {
    const std::u16string text = ToUtf16(cp932);
    Put16(out, static_cast<uint32_t>(text.size()));
    PutUtf16(out, text);
  } else {
    Put16(out, static_cast<uint32_t>(cp932.size()));
    *out += cp932;
  }
}

std::string LinkInfo(const TLnkFields& fields) {
  const uint32_t header_size = fields.unicode_link_info ? 0x24 : 0x1C;
  std::string info(header_size, '\0');
  Set32(&info, 4, header_size);
  Set32(&info, 8, 1);  // VolumeIDAndLocalBasePath

  Set32(&info, 12, info.size());
  Put32(&info, 0x11);  // VolumeID size: the fields and an empty label
  Put32(&info, 3);     // a fixed disk
  Put32(&info, 0x1234ABCD);
  Put32(&info, 0x10);
  info.push_back('\0');

  Set32(&info, 16, info.size());
  info += fields.local_base_path;
  info.push_back('\0');
  Set32(&info, 24, info.size());
  info += fields.common_path_suffix;
  info.push_back('\0');

  if (fields.unicode_link_info) {
    Set32(&info, 28, info.size());
    PutUtf16(&info, ToUtf16(fields.local_base_path));
    Put16(&info, 0);
    Set32(&info, 32, info.size());
    PutUtf16(&info, ToUtf16(fields.common_path_suffix));
    Put16(&info, 0);
  }
  Set32(&info, 0, info.size());
  return info;
}

}  // namespace

std::string BuildLnk(const TLnkFields& fields) {
  uint32_t flags = 0;
  if (fields.with_id_list) flags |= kHasLinkTargetIdList;
  if (!fields.local_base_path.empty()) flags |= kHasLinkInfo;
  if (!fields.description.empty()) flags |= kHasName;
  if (!fields.working_directory.empty()) flags |= kHasWorkingDir;
  if (fields.has_arguments) flags |= kHasArguments;
  if (fields.unicode_strings) flags |= kIsUnicode;

  std::string out;
  Put32(&out, 0x4C);
  // The shell link class ID, 00021401-0000-0000-C000-000000000046.
  out += std::string("\x01\x14\x02\x00\x00\x00\x00\x00\xC0\x00\x00\x00\x00\x00\x00\x46", 16);
  Put32(&out, flags);
  Put32(&out, 0x20);     // target attributes: archive
  out.append(24, '\0');  // creation, access and write times
  Put32(&out, 0);        // target size
  Put32(&out, 0);        // icon index
  Put32(&out, 1);        // show normal
  out.append(12, '\0');  // hot key and reserved fields
  if (out.size() != 0x4C) throw std::logic_error("shell link header size");

  if (fields.with_id_list) {
    // One item (the computer folder's class ID) and the terminating empty item.
    const std::string item(
        "\x14\x00\x1F\x50\xE0\x4F\xD0\x20\xEA\x3A\x69\x10\xA2\xD8\x08\x00"
        "\x2B\x30\x30\x9D",
        20);
    Put16(&out, static_cast<uint32_t>(item.size() + 2));
    out += item;
    Put16(&out, 0);
  }
  if (flags & kHasLinkInfo) out += LinkInfo(fields);
  if (flags & kHasName) PutStringData(&out, fields.description, fields.unicode_strings);
  if (flags & kHasWorkingDir) PutStringData(&out, fields.working_directory, fields.unicode_strings);
  if (flags & kHasArguments) PutStringData(&out, fields.arguments, fields.unicode_strings);
  Put32(&out, 0);  // terminal block
  return out;
}

}  // namespace lorvane
