// libFuzzer target for the PE reader: any bytes, read as a PE image and as a
// bare version block, must give an answer or a FormatError, never a crash or
// a read outside the input.
#include <cstddef>
#include <cstdint>
#include <span>

#include "platform/sim/pe/pe_file.h"
#include "platform/sim/pe/version_block.h"

namespace {

using lyn::sim::pe::ByteView;

void QueryBlock(const ByteView& block) {
  try {
    lyn::sim::pe::FixedFileInfo(block);
    for (const char* path :
         {"\\", "\\VarFileInfo\\Translation", "\\StringFileInfo\\040904B0\\CompanyName"}) {
      if (const auto value = lyn::sim::pe::FindVersionValue(block, path)) {
        // Touch the value's bytes to let the sanitizer check they are inside.
        const std::uint64_t bytes = value->text ? std::uint64_t{value->length} * 2 : value->length;
        block.Sub(value->offset, bytes);
      }
    }
  } catch (const lyn::sim::pe::FormatError&) {
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::span<const std::uint8_t> bytes(data, size);
  if (const auto resource = lyn::sim::pe::ReadVersionResource(bytes)) QueryBlock(*resource);
  lyn::sim::pe::ReadExport(bytes, "DllRegisterServer");
  lyn::sim::pe::ReadExport(bytes, "CatalogTicks");
  QueryBlock(ByteView(bytes));
  return 0;
}
