#include "platform/sim/pe/version_block.h"

#include <string>

namespace lyn::sim::pe {
namespace {

constexpr std::uint64_t kNodeHeaderSize = 6;
constexpr std::uint16_t kTextType = 1;

std::uint64_t Align4(std::uint64_t offset) {
  return (offset + 3) & ~std::uint64_t{3};
}

struct Node {
  std::uint64_t offset;  // in the block
  std::uint64_t end;     // offset + length
  std::u16string key;
  VersionValue value;
  std::uint64_t firstChild;
};

// Reads the node at `offset`, which must lie within [offset, limit).
Node ReadNode(const ByteView& block, std::uint64_t offset, std::uint64_t limit) {
  const std::uint16_t length = block.U16(offset);
  if (length < kNodeHeaderSize || offset + length > limit) throw FormatError("bad version node");
  const ByteView node = block.Sub(offset, length);
  const std::uint16_t valueLength = node.U16(2);
  const bool text = node.U16(4) == kTextType;

  std::u16string key;
  std::uint64_t at = kNodeHeaderSize;
  for (std::uint16_t c = node.U16(at); c != 0; c = node.U16(at)) {
    key.push_back(static_cast<char16_t>(c));
    at += 2;
  }
  const std::uint64_t valueOffset = Align4(at + 2);
  const std::uint64_t valueBytes = text ? std::uint64_t{valueLength} * 2 : valueLength;
  if (valueBytes > 0) node.Sub(valueOffset, valueBytes);
  return {offset, offset + length, std::move(key),
          VersionValue{offset + valueOffset, valueLength, text},
          offset + Align4(valueOffset + valueBytes)};
}

bool KeyEquals(const std::u16string& key, std::string_view name) {
  if (key.size() != name.size()) return false;
  for (std::size_t i = 0; i < key.size(); ++i) {
    const auto lower = [](char16_t c) {
      return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c - u'A' + u'a') : c;
    };
    if (lower(key[i]) != lower(static_cast<unsigned char>(name[i]))) return false;
  }
  return true;
}

std::optional<Node> FindChild(const ByteView& block, const Node& parent, std::string_view name) {
  for (std::uint64_t at = parent.firstChild; at < parent.end;) {
    Node child = ReadNode(block, at, parent.end);
    if (KeyEquals(child.key, name)) return child;
    at = Align4(child.end);
  }
  return std::nullopt;
}

}  // namespace

std::optional<win::VS_FIXEDFILEINFO> FixedFileInfo(const ByteView& block) {
  const Node root = ReadNode(block, 0, block.size());
  if (root.value.text || root.value.length < sizeof(win::VS_FIXEDFILEINFO)) return std::nullopt;
  const ByteView v = block.Sub(root.value.offset, sizeof(win::VS_FIXEDFILEINFO));
  const win::VS_FIXEDFILEINFO info{v.U32(0),  v.U32(4),  v.U32(8),  v.U32(12), v.U32(16),
                                   v.U32(20), v.U32(24), v.U32(28), v.U32(32), v.U32(36),
                                   v.U32(40), v.U32(44), v.U32(48)};
  if (info.dwSignature != win::VS_FFI_SIGNATURE) return std::nullopt;
  return info;
}

std::optional<VersionValue> FindVersionValue(const ByteView& block, std::string_view path) {
  Node node = ReadNode(block, 0, block.size());
  while (!path.empty()) {
    if (path.front() == '\\') {
      path.remove_prefix(1);
      continue;
    }
    const std::string_view name = path.substr(0, path.find('\\'));
    path.remove_prefix(name.size());
    auto child = FindChild(block, node, name);
    if (!child) return std::nullopt;
    node = std::move(*child);
  }
  return node.value;
}

}  // namespace lyn::sim::pe
