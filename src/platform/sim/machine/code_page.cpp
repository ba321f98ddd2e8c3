#include "platform/sim/machine/code_page.h"

#include <iconv.h>

#include <cerrno>
#include <map>
#include <memory>
#include <utility>

namespace lyn::sim {
namespace {

std::string IconvName(win::UINT codePage) {
  return codePage == kUtf8CodePage ? "UTF-8" : "CP" + std::to_string(codePage);
}

// One iconv conversion descriptor, closed with the object.
class Converter {
 public:
  Converter(const std::string& to, const std::string& from)
      : handle_(iconv_open(to.c_str(), from.c_str())) {}
  ~Converter() {
    if (valid()) iconv_close(handle_);
  }
  Converter(const Converter&) = delete;
  Converter& operator=(const Converter&) = delete;

  bool valid() const { return handle_ != reinterpret_cast<iconv_t>(-1); }
  // Back to the initial shift state, for a new text.
  void Reset() {
    if (valid()) iconv(handle_, nullptr, nullptr, nullptr, nullptr);
  }

  // Converts as much of the input as it can, appending to `out`; returns
  // false, with the input left at the offending bytes, when it meets bytes it
  // cannot convert.
  bool Convert(const char*& in, std::size_t& inLeft, std::string& out) {
    char buffer[1024];
    while (inLeft > 0) {
      char* next = buffer;
      std::size_t outLeft = sizeof buffer;
      char* input = const_cast<char*>(in);
      const std::size_t result = iconv(handle_, &input, &inLeft, &next, &outLeft);
      in = input;
      out.append(buffer, static_cast<std::size_t>(next - buffer));
      if (result == static_cast<std::size_t>(-1) && errno != E2BIG) {
        iconv(handle_, nullptr, nullptr, nullptr, nullptr);
        return false;
      }
    }
    return true;
  }

 private:
  iconv_t handle_;
};

// The descriptor for a conversion, opened once per thread: opening one loads
// the conversion's tables, which costs far more than converting a name.
Converter& ConverterFor(const std::string& to, const std::string& from) {
  thread_local std::map<std::pair<std::string, std::string>, std::unique_ptr<Converter>> open;
  std::unique_ptr<Converter>& converter = open[{to, from}];
  if (!converter) converter = std::make_unique<Converter>(to, from);
  converter->Reset();
  return *converter;
}

std::u16string FromUtf16Le(const std::string& bytes) {
  std::u16string text;
  for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
    text += static_cast<char16_t>(static_cast<unsigned char>(bytes[i]) |
                                  (static_cast<unsigned char>(bytes[i + 1]) << 8));
  }
  return text;
}

std::string ToUtf16Le(std::u16string_view text) {
  std::string bytes;
  for (const char16_t unit : text) {
    bytes += static_cast<char>(unit & 0xFF);
    bytes += static_cast<char>(unit >> 8);
  }
  return bytes;
}

bool IsHighSurrogate(char16_t unit) {
  return unit >= 0xD800 && unit <= 0xDBFF;
}
bool IsLowSurrogate(char16_t unit) {
  return unit >= 0xDC00 && unit <= 0xDFFF;
}

// A character below 256 whose byte is a gap of the code page: decoding gave
// it that byte's number, so encoding gives the byte back.
bool IsGapCharacter(win::UINT codePage, char16_t unit) {
  if (codePage == kUtf8CodePage || unit > 0xFF) return false;
  const char byte = static_cast<char>(unit);
  return !DecodeText(codePage, std::string_view(&byte, 1), true).has_value();
}

}  // namespace

bool CodePageKnown(win::UINT codePage) {
  return ConverterFor("UTF-16LE", IconvName(codePage)).valid();
}

std::optional<std::u16string> DecodeText(win::UINT codePage, std::string_view bytes, bool strict) {
  Converter& converter = ConverterFor("UTF-16LE", IconvName(codePage));
  if (!converter.valid()) return std::nullopt;
  std::string wide;
  const char* in = bytes.data();
  std::size_t inLeft = bytes.size();
  while (!converter.Convert(in, inLeft, wide)) {
    if (strict) return std::nullopt;
    const char16_t replacement = codePage == kUtf8CodePage
                                     ? u'\uFFFD'
                                     : static_cast<char16_t>(static_cast<unsigned char>(*in));
    wide += ToUtf16Le(std::u16string_view(&replacement, 1));
    ++in;
    --inLeft;
  }
  return FromUtf16Le(wide);
}

std::optional<EncodedText> EncodeText(win::UINT codePage, std::u16string_view text,
                                      std::string_view defaultChar) {
  Converter& converter = ConverterFor(IconvName(codePage), "UTF-16LE");
  if (!converter.valid()) return std::nullopt;
  const std::string wide = ToUtf16Le(text);
  EncodedText encoded;
  const char* in = wide.data();
  std::size_t inLeft = wide.size();
  while (!converter.Convert(in, inLeft, encoded.bytes)) {
    // Skip the character iconv refused: one unit, or a whole surrogate pair.
    const std::size_t unit = static_cast<std::size_t>(in - wide.data()) / 2;
    const bool pair =
        unit + 1 < text.size() && IsHighSurrogate(text[unit]) && IsLowSurrogate(text[unit + 1]);
    const std::size_t skipped = pair ? 4 : 2;
    if (IsGapCharacter(codePage, text[unit])) {
      encoded.bytes += static_cast<char>(text[unit]);
    } else {
      encoded.bytes += defaultChar;
      encoded.usedDefault = true;
    }
    in += skipped;
    inLeft -= skipped;
  }
  return encoded;
}

}  // namespace lyn::sim
