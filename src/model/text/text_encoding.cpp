#include "model/text/text_encoding.h"

#include <iconv.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <vector>

namespace kivo {
namespace {

constexpr std::array<uint8_t, 3> kUtf8Bom{0xEF, 0xBB, 0xBF};

// glibc names the Windows flavour CP932; plain SHIFT_JIS (which reads 0x5C
// as a yen sign and would break the line-break marker) only as a fallback.
constexpr const char* kShiftJisNames[] = {"CP932", "SHIFT_JIS"};

// Windows-1252 differs from Latin-1 only in 0x80..0x9F.
constexpr std::array<char16_t, 32> kWindows1252High{
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  //
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,  //
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  //
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

bool IsContinuation(uint8_t byte) {
  return (byte & 0xC0) == 0x80;
}

class Converter {
 public:
  Converter() {
    for (const char* name : kShiftJisNames) {
      handle_ = iconv_open("UTF-8", name);
      if (handle_ != kInvalid)
        return;
    }
  }
  ~Converter() {
    if (handle_ != kInvalid)
      iconv_close(handle_);
  }
  Converter(const Converter&) = delete;
  Converter& operator=(const Converter&) = delete;

  std::optional<std::string> Convert(std::span<const uint8_t> bytes) {
    if (handle_ == kInvalid)
      return std::nullopt;
    // One Shift-JIS byte never grows past three UTF-8 bytes.
    std::vector<char> out(bytes.size() * 3 + 4);
    std::vector<char> in(bytes.begin(), bytes.end());
    char* inPtr = in.data();
    std::size_t inLeft = in.size();
    char* outPtr = out.data();
    std::size_t outLeft = out.size();
    if (iconv(handle_, &inPtr, &inLeft, &outPtr, &outLeft) == static_cast<std::size_t>(-1) ||
        inLeft != 0) {
      return std::nullopt;
    }
    return std::string(out.data(), outPtr);
  }

 private:
  static inline const iconv_t kInvalid = reinterpret_cast<iconv_t>(-1);
  iconv_t handle_ = kInvalid;
};

}  // namespace

std::string_view TableEncodingName(TableEncoding encoding) {
  switch (encoding) {
    case TableEncoding::Utf8:
      return "UTF-8";
    case TableEncoding::ShiftJis:
      return "Shift-JIS";
    case TableEncoding::Windows1252:
      return "Windows-1252";
  }
  return "UTF-8";
}

void AppendUtf8(std::string& out, char32_t codePoint) {
  const auto put = [&out](uint32_t byte) { out.push_back(static_cast<char>(byte)); };
  if (codePoint < 0x80) {
    put(codePoint);
  } else if (codePoint < 0x800) {
    put(0xC0 | (codePoint >> 6));
    put(0x80 | (codePoint & 0x3F));
  } else if (codePoint < 0x10000) {
    put(0xE0 | (codePoint >> 12));
    put(0x80 | ((codePoint >> 6) & 0x3F));
    put(0x80 | (codePoint & 0x3F));
  } else {
    put(0xF0 | (codePoint >> 18));
    put(0x80 | ((codePoint >> 12) & 0x3F));
    put(0x80 | ((codePoint >> 6) & 0x3F));
    put(0x80 | (codePoint & 0x3F));
  }
}

bool IsValidUtf8(std::span<const uint8_t> bytes) {
  std::size_t i = 0;
  while (i < bytes.size()) {
    const uint8_t lead = bytes[i];
    std::size_t length = 0;
    char32_t codePoint = 0;
    char32_t minimum = 0;
    if (lead < 0x80) {
      ++i;
      continue;
    } else if ((lead & 0xE0) == 0xC0) {
      length = 2, codePoint = lead & 0x1F, minimum = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
      length = 3, codePoint = lead & 0x0F, minimum = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
      length = 4, codePoint = lead & 0x07, minimum = 0x10000;
    } else {
      return false;
    }
    if (bytes.size() - i < length)
      return false;
    for (std::size_t k = 1; k < length; ++k) {
      if (!IsContinuation(bytes[i + k]))
        return false;
      codePoint = (codePoint << 6) | (bytes[i + k] & 0x3F);
    }
    if (codePoint < minimum || codePoint > 0x10FFFF ||
        (codePoint >= 0xD800 && codePoint <= 0xDFFF)) {
      return false;
    }
    i += length;
  }
  return true;
}

std::optional<std::string> ShiftJisToUtf8(std::span<const uint8_t> bytes) {
  if (bytes.empty())
    return std::string();
  return Converter().Convert(bytes);
}

std::string Windows1252ToUtf8(std::span<const uint8_t> bytes) {
  std::string out;
  out.reserve(bytes.size() * 2);
  for (const uint8_t byte : bytes) {
    if (byte >= 0x80 && byte < 0xA0) {
      AppendUtf8(out, kWindows1252High[byte - 0x80]);
    } else {
      AppendUtf8(out, byte);
    }
  }
  return out;
}

DecodedTableText DecodeTableText(std::span<const uint8_t> bytes) {
  if (bytes.size() >= kUtf8Bom.size() &&
      std::equal(kUtf8Bom.begin(), kUtf8Bom.end(), bytes.begin())) {
    bytes = bytes.subspan(kUtf8Bom.size());
  }
  if (IsValidUtf8(bytes)) {
    return {std::string(bytes.begin(), bytes.end()), TableEncoding::Utf8};
  }
  if (auto text = ShiftJisToUtf8(bytes)) {
    return {std::move(*text), TableEncoding::ShiftJis};
  }
  return {Windows1252ToUtf8(bytes), TableEncoding::Windows1252};
}

}  // namespace kivo
