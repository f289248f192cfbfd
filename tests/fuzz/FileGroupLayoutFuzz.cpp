// File group descriptors, each input read as both FILEDESCRIPTORW and
// FILEDESCRIPTORA records: only whole records inside the bytes, each name the
// units stored at its record's cFileName up to the first NUL.
#include "FuzzSupport.h"
#include "portable/FileGroupLayout.h"

#include <algorithm>

namespace {

template <class Char>
void CheckGroup(ByteSpan bytes, const FileGroup<Char>& group)
{
    constexpr uint64_t kRecordSize = 72 + 260 * sizeof(Char);
    const auto count = ReadU32(bytes, 0);
    const uint64_t present = bytes.size() < 4 ? 0 : (bytes.size() - 4) / kRecordSize;
    Require(group.truncated == (!count || *count > present));
    Require(group.files.size() == std::min<uint64_t>(count.value_or(0), present));
    for (size_t i = 0; i < group.files.size(); ++i) {
        const FileDescriptor<Char>& file = group.files[i];
        const uint64_t record = 4 + i * kRecordSize;
        using Unit = std::make_unsigned_t<Char>;
        const auto nameUnit = [&](size_t k) { return ReadLE<Unit>(bytes, record + 72 + k * sizeof(Char)); };
        Require(file.flags == *ReadU32(bytes, record) && file.fileSizeLow == *ReadU32(bytes, record + 68));
        Require(file.name.size() <= 260);
        for (size_t k = 0; k < file.name.size(); ++k)
            Require(file.name[k] != 0 && nameUnit(k) == static_cast<Unit>(file.name[k]));
        if (file.name.size() < 260)
            Require(nameUnit(file.name.size()) == Unit{0});
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const ByteSpan bytes(data, size);
    CheckGroup(bytes, ReadFileGroupW(bytes));
    CheckGroup(bytes, ReadFileGroupA(bytes));
    return 0;
}
