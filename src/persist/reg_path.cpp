// Registry value paths: parsing a path into root and sub-key, and the conversions of a
// stored value to the kind of the caller's default. The registry itself (hives, exports
// or the real one) is behind IRegistry.
// Tested by tests/persist/reg_path_test.cpp.

#include "persist/reg_path.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstring>
#include <limits>
#include <optional>
#include <string_view>
#include <utility>

#include "common/mbstring.h"
#include "common/number_parse.h"

namespace lorvane {

const char kProgramRegKey[] = "Software\\Tessaly Lab\\Lorvane\\";

namespace {

// The dates TDateTime can stand for (years 1 to 9999), in days since 1899-12-30.
constexpr double kFirstDay = -693594;
constexpr double kAfterLastDay = 2958466;

// Decimal, or hexadecimal after "$", with an optional sign; blanks around are allowed.
// Hexadecimal takes up to 32 bits and reads them as a signed number ("$FFFFFFFF" is -1).
std::optional<int32_t> ParseInteger(std::string_view text) {
  text = Trim(text);
  bool negative = false;
  if (!text.empty() && (text[0] == '-' || text[0] == '+')) {
    negative = text[0] == '-';
    text.remove_prefix(1);
  }
  int64_t value = 0;
  if (!text.empty() && text[0] == '$') {
    const std::optional<uint32_t> bits = ParseHex32(text.substr(1));
    if (!bits) return std::nullopt;
    value = static_cast<int32_t>(*bits);
  } else {
    const std::optional<uint64_t> magnitude = ParseDigits(text, 10, uint64_t{1} << 31);
    if (!magnitude) return std::nullopt;
    value = static_cast<int64_t>(*magnitude);
  }
  if (negative) value = -value;
  if (value < std::numeric_limits<int32_t>::min() || value > std::numeric_limits<int32_t>::max()) {
    return std::nullopt;
  }
  return static_cast<int32_t>(value);
}

std::optional<double> ParseFloat(std::string_view text) {
  text = Trim(text);
  if (!text.empty() && text[0] == '+') {
    text.remove_prefix(1);  // from_chars takes "-" but not "+"
    if (!text.empty() && text[0] == '-') return std::nullopt;
  }
  double value = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (ec != std::errc() || end != text.data() + text.size() || !std::isfinite(value)) {
    return std::nullopt;
  }
  return value;
}

// *n * 10 + digit, false when that leaves int64_t.
bool AppendDigit(int digit, int64_t* n) {
  if (*n > (std::numeric_limits<int64_t>::max() - digit) / 10) return false;
  *n = *n * 10 + digit;
  return true;
}

// Decimal with up to four significant decimal places; more are rounded half away from zero.
std::optional<TCurrency> ParseCurrency(std::string_view text) {
  text = Trim(text);
  bool negative = false;
  if (!text.empty() && (text[0] == '-' || text[0] == '+')) {
    negative = text[0] == '-';
    text.remove_prefix(1);
  }
  int64_t scaled = 0;
  int fraction_digits = -1;  // -1 before the decimal point
  bool any_digit = false;
  bool round_up = false;
  for (char c : text) {
    if (c == '.' && fraction_digits < 0) {
      fraction_digits = 0;
      continue;
    }
    if (c < '0' || c > '9') return std::nullopt;
    any_digit = true;
    if (fraction_digits >= 4) {
      if (fraction_digits == 4) round_up = c >= '5';
      ++fraction_digits;
      continue;
    }
    if (!AppendDigit(c - '0', &scaled)) return std::nullopt;
    if (fraction_digits >= 0) ++fraction_digits;
  }
  if (!any_digit) return std::nullopt;
  for (int k = std::max(fraction_digits, 0); k < 4; ++k) {
    if (!AppendDigit(0, &scaled)) return std::nullopt;
  }
  if (round_up) {
    if (scaled == std::numeric_limits<int64_t>::max()) return std::nullopt;
    ++scaled;
  }
  return TCurrency{negative ? -scaled : scaled};
}

template <typename T>
T LittleEndian(const std::string& bytes) {
  static_assert(sizeof(T) == 8);
  uint64_t bits = 0;
  for (int k = 7; k >= 0; --k) bits = bits << 8 | static_cast<unsigned char>(bytes[k]);
  T value;
  std::memcpy(&value, &bits, sizeof value);
  return value;
}

// The bytes, in stored order, read as one hexadecimal number ("01 00 00 00" is
// 0x01000000); nullopt when the number needs more than 32 bits or there are no bytes.
std::optional<int32_t> BinaryAsHexNumber(const std::string& bytes) {
  if (bytes.empty()) return std::nullopt;
  uint64_t value = 0;
  for (unsigned char b : bytes) {
    value = value << 8 | b;
    if (value > 0xFFFFFFFF) return std::nullopt;
  }
  return static_cast<int32_t>(static_cast<uint32_t>(value));
}

template <typename Int>
TRegVariant IntegerResult(std::optional<int32_t> n) {
  if (!n || *n < std::numeric_limits<Int>::min() || *n > std::numeric_limits<Int>::max()) {
    return {};
  }
  return static_cast<Int>(*n);
}

template <typename Int>
TRegVariant ConvertInteger(const TRegValue& v) {
  switch (v.type) {
    case kRegSz:
      return IntegerResult<Int>(ParseInteger(v.data));
    case kRegDword:
      if (v.data.size() != 4) return {};
      return IntegerResult<Int>(
          static_cast<int32_t>(static_cast<uint32_t>(static_cast<unsigned char>(v.data[0])) |
                               static_cast<uint32_t>(static_cast<unsigned char>(v.data[1])) << 8 |
                               static_cast<uint32_t>(static_cast<unsigned char>(v.data[2])) << 16 |
                               static_cast<uint32_t>(static_cast<unsigned char>(v.data[3])) << 24));
    case kRegBinary:
      return IntegerResult<Int>(BinaryAsHexNumber(v.data));
    default:
      return {};
  }
}

template <typename Float>
TRegVariant ConvertFloat(const TRegValue& v) {
  std::optional<double> d;
  if (v.type == kRegSz) d = ParseFloat(v.data);
  if (v.type == kRegBinary && v.data.size() == 8) {
    d = LittleEndian<double>(v.data);
    if (!std::isfinite(*d)) d.reset();
  }
  if (!d || std::fabs(*d) > std::numeric_limits<Float>::max()) return {};
  return static_cast<Float>(*d);
}

// Overloads for each kind of default; each returns the empty value when nothing converts.
struct TConverter {
  const TRegValue& v;

  TRegVariant operator()(std::monostate) const { return {}; }
  TRegVariant operator()(bool) const {
    if (v.type == kRegSz) return !(v.data == "0" || UpperAscii(v.data) == "FALSE");
    if (v.type == kRegDword && v.data.size() == 4) return v.data != std::string(4, '\0');
    return {};
  }
  TRegVariant operator()(uint8_t) const {
    if (v.type == kRegBinary && v.data.size() == 1) return static_cast<uint8_t>(v.data[0]);
    return {};
  }
  TRegVariant operator()(int16_t) const { return ConvertInteger<int16_t>(v); }
  TRegVariant operator()(int32_t) const { return ConvertInteger<int32_t>(v); }
  TRegVariant operator()(float) const { return ConvertFloat<float>(v); }
  TRegVariant operator()(double) const { return ConvertFloat<double>(v); }
  TRegVariant operator()(const TCurrency&) const {
    if (v.type == kRegSz) {
      if (std::optional<TCurrency> c = ParseCurrency(v.data)) return *c;
    }
    if (v.type == kRegBinary && v.data.size() == 8) return TCurrency{LittleEndian<int64_t>(v.data)};
    return {};
  }
  TRegVariant operator()(const TDateTime&) const {
    if (v.type == kRegSz) {
      if (std::optional<TDateTime> t = ParseDateTime(v.data)) return *t;
    }
    if (v.type == kRegBinary && v.data.size() == 8) {
      // Anything outside years 1 to 9999 (or NaN) would break date arithmetic later.
      const double d = LittleEndian<double>(v.data);
      if (d > kFirstDay && d < kAfterLastDay) return TDateTime{d};
    }
    return {};
  }
  TRegVariant operator()(const std::string&) const {
    if (v.type == kRegSz || v.type == kRegExpandSz) return v.data;
    return {};
  }
  TRegVariant operator()(const TRegBytes&) const {
    if (v.type == kRegBinary) return TRegBytes{v.data};
    return {};
  }
};

}  // namespace

TRegPath ParseRegPath(const std::string& path) {
  if (path.empty() || path[0] != '\\') {
    return {TRegRoot::kCurrentUser, kProgramRegKey + path, true};
  }
  static constexpr std::array<std::pair<std::string_view, TRegRoot>, 6> kRoots = {{
      {"HKEY_CLASSES_ROOT", TRegRoot::kClassesRoot},
      {"HKEY_CURRENT_USER", TRegRoot::kCurrentUser},
      {"HKEY_LOCAL_MACHINE", TRegRoot::kLocalMachine},
      {"HKEY_USERS", TRegRoot::kUsers},
      {"HKEY_CURRENT_CONFIG", TRegRoot::kCurrentConfig},
      {"HKEY_DYN_DATA", TRegRoot::kDynData},
  }};
  const std::string rest = path.substr(1);
  const int sep = MBPos("\\", rest);  // by characters: a trail byte 0x5C is no separator
  const std::string root_name = UpperAscii(sep == 0 ? rest : MBCopy(rest, 1, sep - 1));
  const std::string sub_key = sep == 0 ? "" : MBCopy(rest, sep + 1, MBLength(rest));
  for (const auto& [name, root] : kRoots) {
    if (root_name == name) return {root, sub_key, true};
  }
  return {TRegRoot::kCurrentUser, sub_key, false};
}

TRegVariant ReadRegValue(IRegistry& registry, const std::string& key_path,
                         const std::string& value_name, const TRegVariant& default_value) {
  const TRegPath p = ParseRegPath(key_path);
  if (!p.valid) return {};
  if (!registry.KeyExists(p.root, p.sub_key)) return default_value;
  const std::optional<TRegValue> stored = registry.QueryValue(p.root, p.sub_key, value_name);
  if (!stored) return default_value;
  TRegVariant result = std::visit(TConverter{*stored}, default_value);
  if (std::holds_alternative<std::monostate>(result)) return default_value;
  return result;
}

std::string ReadRegString(IRegistry& registry, const std::string& key_path,
                          const std::string& value_name, const std::string& default_value) {
  const TRegVariant v = ReadRegValue(registry, key_path, value_name, default_value);
  const std::string* s = std::get_if<std::string>(&v);
  return s ? *s : std::string();
}

int32_t ReadRegInteger(IRegistry& registry, const std::string& key_path,
                       const std::string& value_name, int32_t default_value) {
  const TRegVariant v = ReadRegValue(registry, key_path, value_name, default_value);
  const int32_t* n = std::get_if<int32_t>(&v);
  return n ? *n : 0;
}

bool ListRegNames(IRegistry& registry, const std::string& key_path, bool want_values,
                  std::vector<std::string>* list) {
  const TRegPath p = ParseRegPath(key_path);
  if (!p.valid) return false;
  std::optional<std::vector<std::string>> names = want_values
                                                      ? registry.ValueNames(p.root, p.sub_key)
                                                      : registry.SubKeyNames(p.root, p.sub_key);
  if (!names) return false;
  *list = std::move(*names);
  return true;
}

bool ListRegKeys(IRegistry& registry, const std::string& key_path, std::vector<std::string>* list) {
  return ListRegNames(registry, key_path, false, list);
}

}  // namespace lorvane
